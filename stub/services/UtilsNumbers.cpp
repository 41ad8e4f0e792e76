// Utils: number parsing, the random generator and 64-bit minimum/maximum.
#include "stub/services/Utils.h"

#include <chrono>
#include <random>

namespace stub {

namespace {

// Value of one digit character (0-9, A-F ignoring case); -1 for any other byte.
int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::mt19937_64& Generator()
{
    // Seeded once per thread from the clock and the system's entropy: seeding from the clock on
    // every call would hand out the same number twice within one clock tick.
    thread_local std::mt19937_64 generator([] {
        std::random_device device;
        auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32), device(), device()};
        return std::mt19937_64(seed);
    }());
    return generator;
}

} // namespace

bool TryParseInt64(const std::string& s, std::int64_t& out)
{
    out = 0;
    const std::string t = Trim(s);
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+'))
        ++i;
    if (i == t.size())
        return false;
    // Magnitude in unsigned arithmetic; the negative range reaches one further than the positive.
    const std::uint64_t limit = negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX);
    std::uint64_t value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        const unsigned digit = static_cast<unsigned>(t[i] - '0');
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    out = negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
    return true;
}

std::int64_t ParseInt64(const std::string& s, std::int64_t def)
{
    std::int64_t value = 0;
    return TryParseInt64(s, value) ? value : def;
}

bool TryParseNumber(const std::string& s, int base, std::int64_t& out)
{
    out = 0;
    if (base < 2 || base > 16)
        return false;
    std::uint64_t value = 0;  // wraps beyond 64 bits, without undefined behaviour
    for (char c : Trim(s)) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= base)
            return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    out = static_cast<std::int64_t>(value);
    return true;
}

std::int64_t ParseNumber(const std::string& s, int base)
{
    std::int64_t value = 0;
    return TryParseNumber(s, base, value) ? value : 0;
}

std::int64_t ParseHex(const std::string& s)
{
    std::string t = Trim(s);
    if (StartsWith("0x", t, true))
        t.erase(0, 2);
    return ParseNumber(t, 16);
}

std::int64_t RandomNumber(std::int64_t low, std::int64_t high)
{
    if (low > high)
        std::swap(low, high);
    return std::uniform_int_distribution<std::int64_t>(low, high)(Generator());
}

std::string RandomNumberText(std::int64_t low, std::int64_t high) { return std::to_string(RandomNumber(low, high)); }

std::int64_t Min64(std::int64_t a, std::int64_t b) { return a < b ? a : b; }
std::int64_t Max64(std::int64_t a, std::int64_t b) { return a > b ? a : b; }
std::int64_t Clamp64(std::int64_t upper, std::int64_t lower, std::int64_t v) { return Min64(upper, Max64(lower, v)); }

} // namespace stub
