#include "stub/services/DMsgBoxText.h"

#include "stub/services/SLangKeys.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

const std::string kBoldOn = "<B>";
const std::string kBoldOff = "</B>";

// Index of the first occurrence ignoring case, or -1.
int FindTag(const std::string& tag, const std::string& s) { return static_cast<int>(PosText(tag, s)) - 1; }

// A tag of n characters removed at pos: ranges recorded before it that reach past pos move back,
// so that every range counts in the final text. Only a "<B>" inside an earlier range (a nested
// tag) can do this; without the shift its range would make the following characters bold.
void ShiftRanges(std::vector<BoldRange>& ranges, int pos, int n)
{
    for (BoldRange& r : ranges) {
        if (r.from > pos)
            r.from -= n;
        if (r.to > pos)
            r.to -= n;
    }
}

} // namespace

std::string WithBoxHeading(const std::string& text, const std::string& caption)
{
    const std::string words = kCaptionWords;
    const bool known = !caption.empty() && words.find(caption) != std::string::npos;
    return "<<b>" + (known ? UpperText(caption) : caption) + "</b><P><P>" + text + "<P>";
}

BoxText BoxTextFromMarkup(const std::string& markup)
{
    BoxText out;
    std::string& s = out.plain;
    s = MarkupToPlain(markup);
    if (s.compare(0, 4, "<<b>") == 0)
        s.erase(0, 1);
    for (int on; (on = FindTag(kBoldOn, s)) >= 0;) {
        s.erase(on, kBoldOn.size());
        ShiftRanges(out.bold, on, static_cast<int>(kBoldOn.size()));
        const int off = FindTag(kBoldOff, s);
        if (off >= on) {
            s.erase(off, kBoldOff.size());
            out.bold.push_back({on, off});
        }
    }
    s = ReplaceAllText(s, kBoldOff, std::string());
    return out;
}

} // namespace stub
