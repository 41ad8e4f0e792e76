#include "stub/package/Token.h"

#include <chrono>
#include <random>
#include <vector>

#include "stub/services/Utils.h"

namespace stub {

namespace {

constexpr int kShift = 50;

std::string RandomDefault()
{
    return RandomNumberText(0, 99998);
}

// Step 2 and 3: every character less 50, then pairs read as hex into bytes.
std::vector<unsigned char> TokenBytes(const std::string& text)
{
    std::vector<unsigned char> d;
    d.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        std::string pair;
        pair += static_cast<char>(static_cast<unsigned char>(text[i]) - kShift);
        pair += static_cast<char>(static_cast<unsigned char>(text[i + 1]) - kShift);
        d.push_back(static_cast<unsigned char>(ParseHex(pair) & 0xFF));
    }
    return d;
}

unsigned char CheckByte(const std::vector<unsigned char>& d)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (i != d.size() - 2)
            sum += d[i];
    return static_cast<unsigned char>(sum);
}

} // namespace

std::string DescrambleToken(const std::string& text)
{
    std::vector<unsigned char> d = TokenBytes(text);
    const std::size_t n = d.size();
    // Four bytes or fewer cannot hold key, offsets and check byte.
    if (n <= 4 || CheckByte(d) != d[n - 2])
        return RandomDefault();
    const unsigned char key = d[0] ^ d[n - 1];
    for (std::size_t i = 1; i + 1 < n; ++i)
        d[i] ^= key;
    const std::size_t p = d[1], s = d[2];
    // The token is d[p + 4 ..] (counted from 1), n - p - s - 4 bytes; it must lie within d.
    if (p + s + 4 > n)
        return RandomDefault();
    return std::string(d.begin() + static_cast<std::ptrdiff_t>(p + 3),
                       d.begin() + static_cast<std::ptrdiff_t>(n - s - 1));
}

std::pair<std::string, std::string> SplitTokenText(const std::string& text)
{
    const std::string plain = ScrambleText(text, false);
    std::size_t bars[4];
    std::size_t from = 0;
    int found = 0;
    for (; found < 4; ++found) {
        const std::size_t at = plain.find('|', from);
        if (at == std::string::npos)
            break;
        bars[found] = at;
        from = at + 1;
    }
    std::string field;
    if (found >= 1) {
        const std::size_t start = bars[0] + 1;
        field = plain.substr(start, (found >= 2 ? bars[1] : plain.size()) - start);
    }
    std::string rest = found == 4 ? plain.substr(bars[3] + 1) : std::string();
    return {DescrambleToken(field), std::move(rest)};
}

std::string ScrambleToken(const std::string& token, const RandomByte& random)
{
    if (token.size() > kMaxTokenLength)
        return std::string();
    // d: a, p, s, p pad bytes, token, s - 1 pad bytes, check, b (s >= 1 keeps the check byte
    // out of the token).
    const std::size_t p = random() % 16, s = 1 + random() % 16;
    std::vector<unsigned char> d;
    d.reserve(token.size() + p + s + 4);
    const unsigned char a = random(), b = random();
    const unsigned char key = a ^ b;
    d.push_back(a);
    d.push_back(static_cast<unsigned char>(p));
    d.push_back(static_cast<unsigned char>(s));
    for (std::size_t i = 0; i < p; ++i)
        d.push_back(random());
    d.insert(d.end(), token.begin(), token.end());
    for (std::size_t i = 1; i < s; ++i)
        d.push_back(random());
    for (std::size_t i = 1; i < d.size(); ++i)
        d[i] ^= key;
    d.push_back(0);
    d.push_back(b);
    d[d.size() - 2] = CheckByte(d);
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(d.size() * 2);
    for (unsigned char c : d) {
        text += static_cast<char>(kHex[c >> 4] + kShift);
        text += static_cast<char>(kHex[c & 15] + kShift);
    }
    return text;
}

std::string ScrambleToken(const std::string& token)
{
    std::mt19937 gen(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
        std::random_device{}());
    return ScrambleToken(token, [&gen] { return static_cast<std::uint8_t>(gen() & 0xFF); });
}

} // namespace stub
