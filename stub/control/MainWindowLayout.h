// The main window's fixed geometry and styles: the window itself, its status line and its two
// bars, whose places mirror for the right-to-left character sets 177 (Hebrew) and 178 (Arabic).
#pragma once

namespace stub {

inline constexpr unsigned kMainWindowStyle = 0x02C80000;  // WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN
inline constexpr int kMainWindowWidth = 492;
inline constexpr int kMainWindowHeight = 110;
inline constexpr unsigned kMainClassStyle = 8;  // CS_DBLCLKS
inline constexpr unsigned kMainTimerId = 1;
inline constexpr unsigned kMainTimerMs = 1000;
inline constexpr int kIconLeft = 18;
inline constexpr int kIconTop = 20;
inline constexpr int kStatusFontHeight = -11;  // Tahoma
inline constexpr unsigned kVisibleChildStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE
inline constexpr unsigned kHiddenChildStyle = 0x40000000;   // WS_CHILD

bool IsRightToLeftCharset(int charset);

struct ChildBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct MainLayout {
    ChildBox status;
    ChildBox progress;
    ChildBox activity;
};

MainLayout MainWindowLayout(int charset);

// The status line's styles for a language: right-aligned, right-to-left reading for 177/178.
struct StatusStyles {
    unsigned exStyle = 0;
    unsigned style = kVisibleChildStyle;
};
StatusStyles StatusLineStyles(int charset);

// WM_CLOSE: a first close only asks running work to stop (sets the abort flag, false: keep the
// window); a close when the flag is already set destroys the window (true).
bool CloseDestroysWindow(bool& abortRequested);

} // namespace stub
