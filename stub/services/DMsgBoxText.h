// The text of a message box: the heading of mode 0 and the markup turned into plain text with
// bold ranges for the rich edit control.
//
// Markup: "<P>" line break, "<T>" tab (any case), the two-backslash escapes for line break and
// tab, "<B>" ... "</B>" bold (any case, no nesting), and "<<b>" at the very start standing for a
// bold tag. Any other text in angle brackets is shown as it is.
#pragma once
#include <string>
#include <vector>

namespace stub {

// Characters from..to (exclusive), counted from 0 with CR LF as two characters.
struct BoldRange {
    int from = 0;
    int to = 0;
    bool operator==(const BoldRange& o) const { return from == o.from && to == o.to; }
};

struct BoxText {
    std::string plain;
    std::vector<BoldRange> bold;
};

// The heading of a mode-0 box: "<<b>" caption "</b><P><P>" text "<P>"; the caption is uppercased
// when it occurs (matching case) within "|Error|Attention|Confirm|".
std::string WithBoxHeading(const std::string& text, const std::string& caption);

// The markup as the control shows it. A "<B>" is bold up to the first "</B>" that follows it;
// when the first "</B>" of the text stands before the "<B>", or there is none, that tag makes
// nothing bold. All tags are removed.
BoxText BoxTextFromMarkup(const std::string& markup);

} // namespace stub
