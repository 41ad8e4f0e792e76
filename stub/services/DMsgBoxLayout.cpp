#include "stub/services/DMsgBoxLayout.h"

#include "stub/services/Utils.h"

#include <algorithm>

namespace stub {

namespace {

// Room between the band and the text (m) and above and below it (n): more for small texts.
int SideMargin(int textWidth) { return textWidth < 200 ? 64 : 32; }
int VerticalMargin(int textHeight) { return textHeight < 39 ? 45 : 32; }

constexpr int kStripHeight = 36;    // button strip and its two lines
constexpr int kTextBottomGap = 39;  // between the text control's bottom and the client's bottom

} // namespace

int BoxLineHeight(int fontHeight, int externalLeading, const std::string& face)
{
    return fontHeight + externalLeading + (SameTrimmedText(face, "MS PGothic") ? 1 : 0);
}

BoxSize MeasureBoxText(const std::string& plain, int lineHeight, const LineWidthFn& lineWidth)
{
    const std::string text = plain.empty() ? std::string(" ") : plain;
    BoxSize size;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        const bool last = end == std::string::npos;
        const std::string line = text.substr(start, last ? std::string::npos : end - start);
        if (last && line.empty())
            break;
        const int px = std::max(0, lineWidth(line));
        size.width = std::max(size.width, px + 10);
        size.height += (px / kBoxWrapWidth + 1) * lineHeight;
        if (last)
            break;
        start = end + 2;
    }
    size.width = std::min(size.width, kBoxWrapWidth);
    return size;
}

int WidenForBold(BoxSize measured, const ResizeRequestFn& requestAt)
{
    int largest = measured.width;
    for (int extra = 0; extra <= 200; extra += 10) {
        const int width = measured.width + extra;
        const BoxSize asked = requestAt(width);
        if (asked.height <= measured.height)
            return width;
        largest = std::max(largest, asked.width);
    }
    return largest + 10;
}

BoxSize BoxWindowSize(BoxSize text, BoxFrame frame)
{
    BoxSize box;
    box.width = std::max(kBoxMinWidth,
                         text.width + 2 * frame.frameWidth + kBoxBandWidth + 2 * SideMargin(text.width));
    box.height = text.height + 2 * frame.frameHeight + frame.captionHeight + kStripHeight +
                 2 * VerticalMargin(text.height);
    return box;
}

BoxRect BoxTextRect(BoxSize client, BoxSize text)
{
    BoxRect r;
    r.left = (client.width - kBoxBandWidth - text.width) / 2 + kBoxBandWidth;
    r.top = (client.height - kStripHeight - text.height) / 2;
    r.width = text.width;
    r.height = client.height - r.top - kTextBottomGap;
    return r;
}

BoxRect BoxButtonRect(BoxSize client, int index, int count)
{
    BoxRect r;
    r.left = client.width - 80 - (count - 1 - index) * kBoxButtonWidth;
    r.top = client.height - 29;
    r.width = kBoxButtonWidth;
    r.height = kBoxButtonHeight;
    return r;
}

BoxPaint BoxPaintLayout(BoxSize client)
{
    BoxPaint p;
    p.shadowLineY = client.height - 37;
    p.whiteLineY = client.height - 36;
    p.stripTop = client.height - 35;
    p.band = {0, 0, kBoxBandWidth, client.height - 37};
    return p;
}

} // namespace stub
