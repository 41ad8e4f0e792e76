#include <doctest/doctest.h>
#include "stub/services/DMsgBoxStyle.h"

#include <string>
#include <vector>

using namespace stub;

namespace {
std::vector<std::string> Captions(const std::vector<BoxButton>& b)
{
    std::vector<std::string> out;
    for (const BoxButton& x : b)
        out.push_back(x.caption);
    return out;
}
std::vector<int> Results(const std::vector<BoxButton>& b)
{
    std::vector<int> out;
    for (const BoxButton& x : b)
        out.push_back(x.result);
    return out;
}
} // namespace

TEST_CASE("style word: Close bit first, then sets, icons, focus and reading order")
{
    const BoxStyle s = ParseBoxStyle(0x10000000 | 0x100000 | 0x80000 | 0x200 | 0x24);
    CHECK(s.closeDisabled);
    CHECK(s.buttonSet == 4);
    CHECK(s.icon == 0x20);
    CHECK(s.firstFocus == 2);
    CHECK(s.rightAlign);
    CHECK(s.rtlReading);
    const BoxStyle plain = ParseBoxStyle(0x10);
    CHECK_FALSE(plain.closeDisabled);
    CHECK_FALSE(plain.rightAlign);
    CHECK_FALSE(plain.rtlReading);
    CHECK(StyleForCharset(0x10, 177) == (0x10 | 0x80000 | 0x100000));
    CHECK(StyleForCharset(0x10, 178) == (0x10 | 0x80000 | 0x100000));
    CHECK(StyleForCharset(0x10, 0) == 0x10);
    CHECK(StyleForCharset(0x10, 204) == 0x10);
}

TEST_CASE("button sets: captions from the list, defaults for missing items")
{
    const std::string de = "|&OK|&Abbrechen|&Ja|&Nein|A&bbrechen|&Wiederholen|&Ignorieren|";
    struct Case {
        unsigned set;
        std::vector<std::string> captions;
        std::vector<int> results;
    };
    const Case cases[] = {
        {0, {"&OK"}, {1}},
        {1, {"&OK", "&Abbrechen"}, {1, 2}},
        {2, {"A&bbrechen", "&Wiederholen", "&Ignorieren"}, {3, 4, 5}},
        {3, {"&Ja", "&Nein", "&Abbrechen"}, {6, 7, 2}},
        {4, {"&Ja", "&Nein"}, {6, 7}},
        {5, {"&Wiederholen", "&Abbrechen"}, {4, 2}},
        {6, {}, {}},
        {15, {}, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.set);
        const auto b = BoxButtonsFor(c.set, de);
        CHECK(Captions(b) == c.captions);
        CHECK(Results(b) == c.results);
    }
    CHECK(Captions(BoxButtonsFor(3, "")) == std::vector<std::string>{"&Yes", "&No", "&Cancel"});
    CHECK(Captions(BoxButtonsFor(4, "|x|y|")) == std::vector<std::string>{"&Yes", "&No"});  // items 2, 3 missing
    CHECK(Captions(BoxButtonsFor(1, "|Fine||")) == std::vector<std::string>{"Fine", "&Cancel"});
}

TEST_CASE("focus: first button modulo the count, stepping wraps over the buttons present")
{
    CHECK(FirstFocusIndex(ParseBoxStyle(0x000), 3) == 0);
    CHECK(FirstFocusIndex(ParseBoxStyle(0x200), 3) == 2);
    CHECK(FirstFocusIndex(ParseBoxStyle(0x400), 3) == 1);
    CHECK(FirstFocusIndex(ParseBoxStyle(0x300), 2) == 1);
    CHECK(FirstFocusIndex(ParseBoxStyle(0x500), 1) == 0);
    CHECK(FirstFocusIndex(ParseBoxStyle(0x500), 0) == 0);
    CHECK(StepFocus(2, +1, 3) == 0);
    CHECK(StepFocus(0, -1, 3) == 2);
    CHECK(StepFocus(0, +1, 1) == 0);
    CHECK(StepFocus(0, -1, 1) == 0);
    CHECK(StepFocus(0, +1, 0) == 0);
}

TEST_CASE("keys: access letters, typed characters")
{
    const auto yesNoCancel = BoxButtonsFor(3, "");
    CHECK(AccessKey("&OK") == 'O');
    CHECK(AccessKey("A&bort") == 'b');
    CHECK(AccessKey("Retry") == 'R');
    CHECK(AccessKey("x&") == '\0');
    CHECK(AccessKey("") == '\0');
    CHECK(ButtonForLetterKey(yesNoCancel, 'Y') == 0);
    CHECK(ButtonForLetterKey(yesNoCancel, 'n') == 1);
    CHECK(ButtonForLetterKey(yesNoCancel, 'C') == 2);
    CHECK(ButtonForLetterKey(yesNoCancel, 'O') == -1);
    // several buttons with the same access key: the last of them
    const std::vector<BoxButton> twins = {{"&Start", 1}, {"&Stop", 2}, {"Go", 3}};
    CHECK(ButtonForLetterKey(twins, 'S') == 1);
    CHECK(ButtonForLetterKey(twins, 'g') == 2);
    // typed characters compare with the caption's second character: the first match wins
    CHECK(ButtonForTypedChar(twins, 's') == 0);
    CHECK(ButtonForTypedChar(twins, 'o') == 2);
    CHECK(ButtonForTypedChar(yesNoCancel, 'N') == 1);
    CHECK(ButtonForTypedChar(yesNoCancel, 'x') == -1);
    CHECK(ButtonForTypedChar({{"&", 1}}, '\0') == -1);
}
