#include "stub/services/ProgressWin.h"
#include <commctrl.h>

namespace stub {

namespace {

struct ProgressState {
    HWND bar = nullptr;
    HWND activity = nullptr;
    ActivityCounter counter;
    HWND notifyWindow = nullptr;
    UINT notifyMessage = 0;
};

ProgressState& State()
{
    static ProgressState state;
    return state;
}

void StartBar(HWND bar, int maximum, int position, int step)
{
    if (bar == nullptr)
        return;
    // The range is 16-bit on this message, as the maximum is.
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(maximum)));
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SendMessageA(bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

} // namespace

void SetProgressBars(HWND progressBar, HWND activityBar)
{
    State().bar = progressBar;
    State().activity = activityBar;
}

void ProgressCallback(int mode, int, std::int16_t maximum, int position, int step, const std::string&)
{
    ProgressState& s = State();
    if (mode == 0) {
        StartBar(s.bar, maximum, position, step);
        StartBar(s.activity, ActivityCounter::kLast, 0, 1);
    } else if (mode == 1) {
        if (s.bar != nullptr)
            SendMessageA(s.bar, PBM_STEPIT, 0, 0);
        const int at = s.counter.Advance();
        if (s.activity != nullptr)
            SendMessageA(s.activity, PBM_SETPOS, static_cast<WPARAM>(at), 0);
    }
}

void SetNotifyTarget(HWND window, UINT message)
{
    State().notifyWindow = window;
    State().notifyMessage = message;
}

void PostNotify(int code, int value)
{
    const ProgressState& s = State();
    if (s.notifyWindow != nullptr && s.notifyMessage != 0)
        PostMessageA(s.notifyWindow, s.notifyMessage, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

} // namespace stub
