#include <doctest/doctest.h>
#include "stub/services/DMsgBoxText.h"

#include <string>
#include <vector>

using namespace stub;

namespace doctest {
template <>
struct StringMaker<std::vector<BoldRange>> {
    static String convert(const std::vector<BoldRange>& v)
    {
        std::string out;
        for (const BoldRange& r : v)
            out += "[" + std::to_string(r.from) + "," + std::to_string(r.to) + ")";
        return out.c_str();
    }
};
} // namespace doctest

TEST_CASE("heading of mode 0: bold caption, uppercased when it is a known caption word")
{
    CHECK(WithBoxHeading("Disk full", "Error") == "<<b>ERROR</b><P><P>Disk full<P>");
    CHECK(WithBoxHeading("x", "Attention") == "<<b>ATTENTION</b><P><P>x<P>");
    CHECK(WithBoxHeading("x", "Confirm") == "<<b>CONFIRM</b><P><P>x<P>");
    CHECK(WithBoxHeading("x", "Fehler") == "<<b>Fehler</b><P><P>x<P>");
    CHECK(WithBoxHeading("x", "error") == "<<b>error</b><P><P>x<P>");  // matching case only
    CHECK(WithBoxHeading("x", "") == "<<b></b><P><P>x<P>");
}

TEST_CASE("box markup: plain text and bold ranges")
{
    struct Case {
        const char* what;
        std::string markup;
        std::string plain;
        std::vector<BoldRange> bold;
    };
    const Case cases[] = {
        {"no markup", "Hello", "Hello", {}},
        {"line breaks count as two characters", "a<P>b<B>c</B>", "a\r\nbc", {{4, 5}}},
        {"escapes and tabs", "a\\\\nb\\\\tc<t>d", "a\r\nb\tc\td", {}},
        {"any case", "<b>x</B>y<B>z</b>", "xyz", {{0, 1}, {2, 3}}},
        {"heading", "<<b>ERROR</b><P><P>text<P>", "ERROR\r\n\r\ntext\r\n", {{0, 5}}},
        {"<<b> only at the very start", "x<<b>y</b>", "x<y", {{2, 3}}},
        {"opening tag without closing tag: no bold, no tag", "a<B>bc", "abc", {}},
        {"closing tag before the opening one: no bold, no tags", "a</B>b<B>c", "abc", {}},
        {"a stray closing tag blocks later ranges", "a</B>b<B>c</B>d", "abcd", {}},
        {"tags do not nest", "<B>a<B>b</B>c</B>", "abc", {{0, 2}, {1, 3}}},
        {"a nested tag does not carry bold past its closing tag", "<B>a<B>b</B>cdefgh", "abcdefgh", {{0, 2}}},
        {"empty range", "a<B></B>b", "ab", {{1, 1}}},
        {"other tags stay", "<DRIVE> <i>x</i>", "<DRIVE> <i>x</i>", {}},
        {"empty text", "", "", {}},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        const BoxText t = BoxTextFromMarkup(c.markup);
        CHECK(t.plain == c.plain);
        CHECK(t.bold == c.bold);
    }
}
