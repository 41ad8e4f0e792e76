#include "stub/control/MainWindowLayout.h"

namespace stub {

bool IsRightToLeftCharset(int charset)
{
    return charset == 177 || charset == 178;
}

MainLayout MainWindowLayout(int charset)
{
    const bool rtl = IsRightToLeftCharset(charset);
    MainLayout layout;
    layout.status = {rtl ? 122 : 70, 20, 340, 18};
    layout.progress = {70, 38, 392, 13};
    layout.activity = {rtl ? 70 : 416, 20, 46, 13};
    return layout;
}

StatusStyles StatusLineStyles(int charset)
{
    if (IsRightToLeftCharset(charset))
        return {0x2000, kVisibleChildStyle | 0x2};  // WS_EX_RTLREADING, SS_RIGHT
    return {};
}

bool CloseDestroysWindow(bool& abortRequested)
{
    if (abortRequested)
        return true;
    abortRequested = true;
    return false;
}

} // namespace stub
