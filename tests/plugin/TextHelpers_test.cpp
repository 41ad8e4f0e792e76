#include "plugin/interface/TextHelpers.h"
#include <doctest/doctest.h>
#include <climits>
#include <string>

namespace {
int Convert(std::string text, int base)
{
    return string2int(&text[0], base);
}
std::string Cleaned(std::string text)
{
    return mirel::clean(&text[0]);
}
std::string Stripped(std::string text)
{
    return mirel::StripApostrophes(&text[0]);
}
} // namespace

TEST_CASE("string2int converts in the given base and answers -1 for what is not a number")
{
    struct Case {
        const char* text;
        int base;
        int expected;
    };
    const Case cases[] = {
        {"0x1F", 16, 31},       {"10DE", 16, 4318},   {"12G", 16, -1},     {"  ", 16, -1},
        {"-5", 10, -5},         {"42\n", 10, 42},     {"42 \n \n", 10, 42}, {"  7", 10, 7},
        {"0x10", 0, 16},        {"0X10", 0, 16},      {"017", 0, 15},      {"17", 0, 17},
        {"-0x10", 0, -16},      {"", 10, -1},         {"\n", 10, -1},      {"-", 10, -1},
        {"-12G", 16, -1},       {"12 3", 10, -1},     {"4294967295", 10, -1}, {"2147483648", 10, INT_MIN},
        {"0", 10, 0},           {"12\r", 10, -1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        CAPTURE(c.base);
        CHECK(Convert(c.text, c.base) == c.expected);
    }
}

TEST_CASE("string2int removes trailing line feeds and blanks in place")
{
    char text[] = "25 \n";
    CHECK(string2int(text, 10) == 25);
    CHECK(std::string(text) == "25");
}

TEST_CASE("the conversion reports a range error instead of a value")
{
    for (const char* text : {"4294967296", "99999999999999999999", "-4294967296"}) {
        std::string t = text;
        CAPTURE(text);
        CHECK(mirel::ConvertNumber(&t[0], 10).rangeError);
    }
    std::string fits = "4294967295";
    CHECK_FALSE(mirel::ConvertNumber(&fits[0], 10).rangeError);
}

TEST_CASE("a number longer than 511 characters is read from its first 511")
{
    std::string text(600, '0');
    text.back() = '7';
    CHECK(Convert(text, 10) == 0);  // the 7 lies past the part that is converted
}

TEST_CASE("clean turns quotes, tabs and line feeds into blanks and trims")
{
    CHECK(Cleaned("\t\"C:\\Program Files\\Kit\"\n") == "C:\\Program Files\\Kit");
    CHECK(Cleaned("     ") == "");
    CHECK(Cleaned("") == "");
    CHECK(Cleaned("a\tb") == "a b");
    CHECK(Cleaned(" path\r") == "path\r");  // carriage returns stay
}

TEST_CASE("apostrophe stripping keeps the text between the first and the last apostrophe")
{
    CHECK(Stripped("'ABC'") == "ABC");
    CHECK(Stripped("no quotes") == "no quotes");
    CHECK(Stripped("drop up to' this") == " this");
    CHECK(Stripped("x 'a' and 'b' y") == "a' and 'b");
    CHECK(Stripped("''") == "");
}
