// The style word of a message box, its button sets and the keyboard rules that choose or focus
// a button. The values are those of the system's message-box flags where such a flag exists.
#pragma once
#include <string>
#include <vector>

namespace stub {

inline constexpr unsigned kBoxButtonSetMask = 0xF;
inline constexpr unsigned kBoxIconMask = 0xF0;
inline constexpr unsigned kBoxIconHand = 0x10;
inline constexpr unsigned kBoxIconQuestion = 0x20;
inline constexpr unsigned kBoxIconExclamation = 0x30;
inline constexpr unsigned kBoxIconAsterisk = 0x40;
inline constexpr unsigned kBoxFocusMask = 0xF00;
inline constexpr unsigned kBoxRightAlign = 0x80000;
inline constexpr unsigned kBoxRtlReading = 0x100000;
inline constexpr unsigned kBoxNoClose = 0x10000000;

// Button sets (OK = 0 ... Retry/Cancel = 5).
inline constexpr unsigned kBoxOk = 0, kBoxOkCancel = 1, kBoxAbortRetryIgnore = 2, kBoxYesNoCancel = 3,
                          kBoxYesNo = 4, kBoxRetryCancel = 5;

// Result codes: 0 when the box was closed without a button.
enum BoxResult : int {
    kBoxNone = 0,
    kBoxIdOk = 1,
    kBoxIdCancel = 2,
    kBoxIdAbort = 3,
    kBoxIdRetry = 4,
    kBoxIdIgnore = 5,
    kBoxIdYes = 6,
    kBoxIdNo = 7,
};

// Character sets that read right to left.
inline constexpr int kHebrewCharset = 177;
inline constexpr int kArabicCharset = 178;

// Hebrew and Arabic add right alignment and right-to-left reading.
unsigned StyleForCharset(unsigned style, int charset);

struct BoxStyle {
    bool closeDisabled = false;
    unsigned buttonSet = 0;
    unsigned icon = 0;        // 0x10 to 0x40 a system icon; anything else the program's own
    unsigned firstFocus = 0;  // button number before taking it modulo the number of buttons
    bool rightAlign = false;
    bool rtlReading = false;
};
// The Close bit is taken out before the other bits are read.
BoxStyle ParseBoxStyle(unsigned style);

struct BoxButton {
    std::string caption;
    int result = 0;
};
// Buttons of a set, left to right, captions from the list (items 0 to 6: OK, Cancel, Yes, No,
// Abort, Retry, Ignore; an empty list or a missing item takes the default caption). A set
// outside 0 to 5 has no buttons.
std::vector<BoxButton> BoxButtonsFor(unsigned buttonSet, const std::string& captions);
// The button focused first: the style's number modulo the count; 0 without buttons.
int FirstFocusIndex(const BoxStyle& style, int count);

// The focus moved by step (-1 previous, +1 next), wrapping over the count buttons.
int StepFocus(int current, int step, int count);
// The access key of a caption: the character after its first "&", else its first character;
// 0 for none.
char AccessKey(const std::string& caption);
// Key down of a letter: the last button whose access key is that letter ignoring case; -1 none.
int ButtonForLetterKey(const std::vector<BoxButton>& buttons, char letter);
// A typed character: the first button whose caption's second character equals the character or
// its upper-case form; -1 none.
int ButtonForTypedChar(const std::vector<BoxButton>& buttons, char typed);

} // namespace stub
