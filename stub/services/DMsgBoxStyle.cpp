#include "stub/services/DMsgBoxStyle.h"

#include "stub/services/SLangKeys.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

struct SetEntry {
    int items[3];  // caption items, -1 for none
    int results[3];
};

// Caption item and result of each button of the sets 0 to 5.
const SetEntry kSets[] = {
    {{0, -1, -1}, {kBoxIdOk}},
    {{0, 1, -1}, {kBoxIdOk, kBoxIdCancel}},
    {{4, 5, 6}, {kBoxIdAbort, kBoxIdRetry, kBoxIdIgnore}},
    {{2, 3, 1}, {kBoxIdYes, kBoxIdNo, kBoxIdCancel}},
    {{2, 3, -1}, {kBoxIdYes, kBoxIdNo}},
    {{5, 1, -1}, {kBoxIdRetry, kBoxIdCancel}},
};

} // namespace

unsigned StyleForCharset(unsigned style, int charset)
{
    if (charset == kHebrewCharset || charset == kArabicCharset)
        style |= kBoxRightAlign | kBoxRtlReading;
    return style;
}

BoxStyle ParseBoxStyle(unsigned style)
{
    BoxStyle s;
    s.closeDisabled = (style & kBoxNoClose) != 0;
    style &= ~kBoxNoClose;
    s.buttonSet = style & kBoxButtonSetMask;
    s.icon = style & kBoxIconMask;
    s.firstFocus = (style & kBoxFocusMask) >> 8;
    s.rightAlign = (style & kBoxRightAlign) != 0;
    s.rtlReading = (style & kBoxRtlReading) != 0;
    return s;
}

std::vector<BoxButton> BoxButtonsFor(unsigned buttonSet, const std::string& captions)
{
    std::vector<BoxButton> out;
    if (buttonSet >= sizeof(kSets) / sizeof(kSets[0]))
        return out;
    const SetEntry& set = kSets[buttonSet];
    for (int i = 0; i < 3 && set.items[i] >= 0; ++i) {
        const std::string fallback = ListItem(LangDefault(kKeyButtons), set.items[i]);
        out.push_back({ListItem(captions, set.items[i], fallback), set.results[i]});
    }
    return out;
}

int FirstFocusIndex(const BoxStyle& style, int count)
{
    return count > 0 ? static_cast<int>(style.firstFocus % static_cast<unsigned>(count)) : 0;
}

int StepFocus(int current, int step, int count)
{
    if (count <= 0)
        return 0;
    const int next = (current + step) % count;
    return next < 0 ? next + count : next;
}

char AccessKey(const std::string& caption)
{
    const std::size_t amp = caption.find('&');
    if (amp == std::string::npos)
        return caption.empty() ? '\0' : caption[0];
    return amp + 1 < caption.size() ? caption[amp + 1] : '\0';
}

int ButtonForLetterKey(const std::vector<BoxButton>& buttons, char letter)
{
    int found = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const char key = AccessKey(buttons[i].caption);
        if (key != '\0' && Upper(key) == Upper(letter))
            found = static_cast<int>(i);
    }
    return found;
}

int ButtonForTypedChar(const std::vector<BoxButton>& buttons, char typed)
{
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const std::string& c = buttons[i].caption;
        if (c.size() >= 2 && (c[1] == typed || c[1] == Upper(typed)))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace stub
