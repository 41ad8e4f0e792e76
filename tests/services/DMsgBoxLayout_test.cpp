#include <doctest/doctest.h>
#include "stub/services/DMsgBoxLayout.h"

#include <string>
#include <vector>

using namespace stub;

namespace doctest {
template <>
struct StringMaker<BoxSize> {
    static String convert(const BoxSize& s) { return (std::to_string(s.width) + "x" + std::to_string(s.height)).c_str(); }
};
template <>
struct StringMaker<BoxRect> {
    static String convert(const BoxRect& r)
    {
        return (std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
                std::to_string(r.height)).c_str();
    }
};
} // namespace doctest

namespace {
// Seven pixels a character: a stand-in for the box font.
int SevenPerChar(const std::string& line) { return static_cast<int>(line.size()) * 7; }
} // namespace

TEST_CASE("line height: font height plus leading, one more for MS PGothic")
{
    CHECK(BoxLineHeight(13, 0, "Tahoma") == 13);
    CHECK(BoxLineHeight(13, 2, "Tahoma") == 15);
    CHECK(BoxLineHeight(13, 2, "  ms pgothic ") == 16);
    CHECK(BoxLineHeight(13, 2, "MS Gothic") == 15);
}

TEST_CASE("measuring: widths + 10, lines wrap every 600 pixels, at most 600 wide")
{
    struct Case {
        const char* what;
        std::string text;
        BoxSize size;
    };
    const Case cases[] = {
        {"empty text is one blank", "", {17, 13}},
        {"one short line", "Hello", {45, 13}},
        {"widest line counts", "ab\r\nabcdef\r\nabc", {52, 39}},
        {"empty last line is left out", "abc\r\n", {31, 13}},
        {"empty middle lines count", "abc\r\n\r\nx\r\n", {31, 39}},
        {"a line of 700 pixels takes two lines and caps the width", std::string(100, 'x'), {600, 26}},
        {"a line just over 600 pixels wraps once", std::string(600 / 7 + 1, 'x'), {600, 26}},
        {"a line of 1300 pixels takes three lines", std::string(1300 / 7 + 1, 'x'), {600, 39}},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        CHECK(MeasureBoxText(c.text, 13, SevenPerChar) == c.size);
    }
    std::vector<std::string> seen;
    MeasureBoxText("a\r\nb\r\n", 13, [&](const std::string& l) { seen.push_back(l); return 0; });
    CHECK(seen == std::vector<std::string>{"a", "b"});
}

TEST_CASE("widening for bold text follows the control's resize requests")
{
    const BoxSize measured{100, 26};
    SUBCASE("fits at once: the measured width")
    {
        CHECK(WidenForBold(measured, [](int w) { return BoxSize{w, 26}; }) == 100);
    }
    SUBCASE("fits at the third step")
    {
        std::vector<int> asked;
        const int w = WidenForBold(measured, [&](int width) {
            asked.push_back(width);
            return BoxSize{width, width >= 120 ? 26 : 39};
        });
        CHECK(w == 120);
        CHECK(asked == std::vector<int>{100, 110, 120});
    }
    SUBCASE("never fits: the largest requested width + 10")
    {
        int calls = 0;
        const int w = WidenForBold(measured, [&](int width) {
            ++calls;
            return BoxSize{width == 150 ? 333 : 90, 52};
        });
        CHECK(calls == 21);
        CHECK(w == 343);
    }
    SUBCASE("never fits and never asks wider: measured width + 10")
    {
        CHECK(WidenForBold(measured, [](int) { return BoxSize{50, 52}; }) == 110);
    }
}

TEST_CASE("box geometry from the text size and frame metrics")
{
    const BoxFrame frame{3, 3, 19};
    SUBCASE("a short text gives the minimum width and the wide vertical margin")
    {
        const BoxSize box = BoxWindowSize({45, 13}, frame);
        CHECK(box.width == 360);  // 45 + 6 + 54 + 128 = 233
        CHECK(box.height == 13 + 6 + 19 + 36 + 90);
    }
    SUBCASE("margins shrink at 200 and 39 pixels")
    {
        CHECK(BoxWindowSize({199, 38}, frame) == BoxSize{199 + 6 + 54 + 128, 38 + 6 + 19 + 36 + 90});
        CHECK(BoxWindowSize({200, 39}, frame) == BoxSize{360, 39 + 6 + 19 + 36 + 64});  // 324 raised to 360
        CHECK(BoxWindowSize({250, 39}, frame).width == 250 + 6 + 54 + 64);
        CHECK(BoxWindowSize({610, 26}, frame).width == 610 + 6 + 54 + 64);
    }
    SUBCASE("text control centred right of the band, reaching down to the strip")
    {
        const BoxSize client{354, 144};
        CHECK(BoxTextRect(client, {45, 13}) == BoxRect{181, 47, 45, 58});
        // halves truncated toward zero, also when the text is wider than the room: -55 / 2 = -27
        CHECK(BoxTextRect({100, 40}, {101, 13}).left == 27);
        CHECK(BoxTextRect({100, 40}, {101, 13}).top == -4);
    }
    SUBCASE("buttons touch, the rightmost at W - 80")
    {
        const BoxSize client{354, 144};
        CHECK(BoxButtonRect(client, 0, 1) == BoxRect{274, 115, 70, 23});
        CHECK(BoxButtonRect(client, 0, 3) == BoxRect{134, 115, 70, 23});
        CHECK(BoxButtonRect(client, 1, 3) == BoxRect{204, 115, 70, 23});
        CHECK(BoxButtonRect(client, 2, 3) == BoxRect{274, 115, 70, 23});
    }
    SUBCASE("painting: two lines, the strip and the band")
    {
        const BoxPaint p = BoxPaintLayout({354, 144});
        CHECK(p.shadowLineY == 107);
        CHECK(p.whiteLineY == 108);
        CHECK(p.stripTop == 109);
        CHECK(p.band == BoxRect{0, 0, 54, 107});
    }
}
