#include <doctest/doctest.h>

#include <random>
#include <vector>

#include "stub/package/Token.h"
#include "stub/services/Utils.h"

using namespace stub;

namespace {

bool IsRandomDefault(const std::string& s)
{
    if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return std::stoi(s) <= 99998;
}

// The text form of raw token bytes: upper-case hex, every character shifted by 50. The check
// byte (second last) is set to the 8-bit sum of the others.
std::string Encode(std::vector<unsigned char> d, bool fixCheck = true)
{
    if (fixCheck && d.size() >= 2) {
        unsigned sum = 0;
        for (std::size_t i = 0; i < d.size(); ++i)
            if (i != d.size() - 2)
                sum += d[i];
        d[d.size() - 2] = static_cast<unsigned char>(sum);
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : d) {
        text += static_cast<char>(kHex[c >> 4] + 50);
        text += static_cast<char>(kHex[c & 15] + 50);
    }
    return text;
}

} // namespace

TEST_CASE("token: scrambled tokens read back, with new padding each time")
{
    std::mt19937 gen(42);
    const std::string tokens[] = {"", "a", "Secret123", "with|bar and \x01 bytes", std::string(255, 'q')};
    for (const std::string& token : tokens) {
        CAPTURE(token);
        const std::string a = ScrambleToken(token), b = ScrambleToken(token);
        CHECK(DescrambleToken(a) == token);
        CHECK(DescrambleToken(b) == token);
        const std::string c = ScrambleToken(token, [&gen] { return static_cast<std::uint8_t>(gen()); });
        CHECK(DescrambleToken(c) == token);
        CHECK(c.find('|') == std::string::npos);
    }
    CHECK(ScrambleToken("same") != ScrambleToken("same"));  // random key and padding
    CHECK(ScrambleToken(std::string(256, 'x')).empty());
}

TEST_CASE("token: a known byte layout descrambles to its middle")
{
    // a=0x10 b=0x10 (key 0), p=1, s=2: one pad byte, "AB", one pad byte, check, b.
    CHECK(DescrambleToken(Encode({0x10, 1, 2, 0xEE, 'A', 'B', 0xEE, 0, 0x10})) == "AB");
    // key = 0x10 ^ 0x30 = 0x20: middle bytes are stored xored with it.
    CHECK(DescrambleToken(Encode({0x10, 1 ^ 0x20, 2 ^ 0x20, 0xEE, 'A' ^ 0x20, 'B' ^ 0x20, 0xEE, 0, 0x30})) == "AB");
    // An in-bounds empty token.
    CHECK(DescrambleToken(Encode({0, 0, 1, 0, 0})) == "");
}

TEST_CASE("token: texts that cannot hold a token give a random number")
{
    const std::string bad[] = {
        "", "bb", "bbbbbbbb", "bbbbbbbbb",                        // at most four bytes
        Encode({0x10, 1, 2, 0xEE, 'A', 'B', 0xEE, 0, 0x10}, false), // wrong check byte
        Encode({0, 200, 1, 'x', 'y', 0, 0}),                      // p points past the end
        Encode({0, 1, 250, 'x', 'y', 0, 0}),                      // s larger than the bytes
        Encode({0, 255, 255, 0, 0}),                              // both at their largest
        "not a token at all!",
    };
    for (const std::string& text : bad) {
        CAPTURE(text);
        CHECK(IsRandomDefault(DescrambleToken(text)));
    }
}

TEST_CASE("SplitTokenText: plain and scrambled inform texts")
{
    const std::string token = ScrambleToken("T0k3n");
    const std::string plain = "lead|" + token + "|x|y|the body | with bars";
    for (const std::string& text : {plain, ScrambleText(plain, true)}) {
        const auto parts = SplitTokenText(text);
        CHECK(parts.first == "T0k3n");
        CHECK(parts.second == "the body | with bars");
    }
    SUBCASE("fewer than four bars: no rest, and a token only when its field is there")
    {
        auto parts = SplitTokenText("lead|" + token + "|x");
        CHECK(parts.first == "T0k3n");
        CHECK(parts.second.empty());
        parts = SplitTokenText("no bars at all");
        CHECK(IsRandomDefault(parts.first));
        CHECK(parts.second.empty());
        parts = SplitTokenText("");
        CHECK(IsRandomDefault(parts.first));
    }
    SUBCASE("an empty body")
    {
        const auto parts = SplitTokenText("|" + token + "|||");
        CHECK(parts.first == "T0k3n");
        CHECK(parts.second.empty());
    }
}
