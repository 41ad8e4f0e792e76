// The arithmetic of a message box: measuring its text, widening the text area for bold text,
// and the places of the text, the buttons and the painted parts. The Windows side supplies the
// pixel widths, the font metrics, the control's resize requests and the frame metrics.
#pragma once
#include <functional>
#include <string>

namespace stub {

struct BoxSize {
    int width = 0;
    int height = 0;
    bool operator==(const BoxSize& o) const { return width == o.width && height == o.height; }
};

struct BoxRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BoxRect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// A line is taken to wrap every kBoxWrapWidth pixels; the measured width never exceeds it.
inline constexpr int kBoxWrapWidth = 600;
// The coloured band on the left, the strip of the buttons at the bottom, and the buttons.
inline constexpr int kBoxBandWidth = 54;
inline constexpr int kBoxButtonWidth = 70;
inline constexpr int kBoxButtonHeight = 23;
inline constexpr int kBoxMinWidth = 360;

// Font height plus external leading, plus 1 for "MS PGothic" (ignoring case and blanks).
int BoxLineHeight(int fontHeight, int externalLeading, const std::string& face);

// Pixel width of one line of text in the box font.
using LineWidthFn = std::function<int(const std::string& line)>;

// The text's size: an empty text counts as one blank; every line (split at CR LF, an empty last
// line left out) adds its width + 10 to the maximum width and (width / 600 + 1) line heights to
// the height; the width is at most 600.
BoxSize MeasureBoxText(const std::string& plain, int lineHeight, const LineWidthFn& lineWidth);

// The width and height the text control asks for when it is given a width.
using ResizeRequestFn = std::function<BoxSize(int width)>;

// The width of a text area holding bold text: the first of measured width + 0, + 10 ... + 200 at
// which the control asks for no more than the measured height; else the largest width it asked
// for on the way (at least the measured width) + 10.
int WidenForBold(BoxSize measured, const ResizeRequestFn& requestAt);

// Frame and caption sizes of a box window.
struct BoxFrame {
    int frameWidth = 0;
    int frameHeight = 0;
    int captionHeight = 0;
};

// Outer size of the box for a text area of the given size.
BoxSize BoxWindowSize(BoxSize text, BoxFrame frame);
// The text control inside a client area of the given size.
BoxRect BoxTextRect(BoxSize client, BoxSize text);
// Button index (0 = leftmost) of count; the buttons touch, the rightmost starts at W - 80.
BoxRect BoxButtonRect(BoxSize client, int index, int count);

// The painted parts of the client area.
struct BoxPaint {
    int shadowLineY = 0;  // dark 3-D shadow line across the box
    int whiteLineY = 0;   // white line just below it
    int stripTop = 0;     // button-face strip from here to the bottom
    BoxRect band;         // coloured band on the left
};
BoxPaint BoxPaintLayout(BoxSize client);

} // namespace stub
