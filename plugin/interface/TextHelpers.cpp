#include "plugin/interface/TextHelpers.h"
#include "plugin/interface/Guard.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kNumberSize = 512;

bool IsTrailingSpace(char c) { return c == '\n' || c == ' '; }

// strtoul's range is unsigned long, which is 64 bits on some hosts: the module's numbers are
// unsigned 32-bit, so anything beyond that counts as a range error as it does on Windows.
unsigned long ToUnsigned32(const char* digits, int base, char** end, bool& rangeError)
{
    errno = 0;
    unsigned long value = std::strtoul(digits, end, base);
    rangeError = errno == ERANGE || value > 0xFFFFFFFFul;
    return value;
}

} // namespace

namespace mirel {

NumberResult ConvertNumber(char* text, int base)
{
    NumberResult result;
    if (!text)
        return result;
    std::size_t length = std::strlen(text);
    while (length > 0 && IsTrailingSpace(text[length - 1]))
        text[--length] = '\0';
    if (length == 0)
        return result;
    const char* p = text;
    while (*p == ' ')
        ++p;
    bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[kNumberSize];
    std::strncpy(digits, p, sizeof digits - 1);
    digits[sizeof digits - 1] = '\0';
    char* end = nullptr;
    unsigned long value = ToUnsigned32(digits, base, &end, result.rangeError);
    if (result.rangeError)
        return result;
    // Trailing junk, or no digits at all, gives -1 whatever the sign: "-12G" is not a 1.
    if (end == digits || *end != '\0')
        return result;
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    result.value = static_cast<int>(negative ? 0u - bits : bits);
    return result;
}

char* clean(char* text)
{
    if (!text)
        return text;
    for (char* p = text; *p; ++p)
        if (*p == '"' || *p == '\t' || *p == '\n')
            *p = ' ';
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ')
        text[--length] = '\0';
    while (*text == ' ')
        ++text;
    return text;
}

char* StripApostrophes(char* text)
{
    if (!text)
        return text;
    char* first = std::strchr(text, '\'');
    if (!first)
        return text;
    char* start = first + 1;
    if (char* last = std::strrchr(start, '\''))
        *last = '\0';
    return start;
}

} // namespace mirel

int string2int(char* text, int base)
{
    mirel::NumberResult result = mirel::Guarded(mirel::NumberResult{}, [&] { return mirel::ConvertNumber(text, base); });
    if (result.rangeError) {
        std::fprintf(stderr, "strtoul: %s\n", std::strerror(ERANGE));
        std::fflush(stderr);
        std::exit(1);
    }
    return result.value;
}
