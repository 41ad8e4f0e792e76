// A program for the Process tests. Its first argument says which windows it shows:
//   owner   a visible titled window "visible" and a hidden titled window "owner" that owns two
//           untitled dialogs
//   hidden  one hidden untitled window
//   none    no window
// It runs until WM_CLOSE reaches one of its windows (exit code = wParam) or the number of
// milliseconds in its second argument has passed (exit code 7). When its windows exist it sets
// the named event of its third argument, if given.
#include <windows.h>
#include <imm.h>
#include <cstdlib>
#include <cstring>

namespace {
LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CLOSE) {
        PostQuitMessage(static_cast<int>(wp));
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HWND Make(const char* title, DWORD style, HWND owner)
{
    return CreateWindowExA(0, "ProcessDouble", title, style, 10, 10, 200, 100, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}
} // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "none";
    const UINT lifetime = argc > 2 ? static_cast<UINT>(std::atoi(argv[2])) : 30000;
    // The thread's "Default IME" window is titled and would count as a main window.
    ImmDisableIME(static_cast<DWORD>(-1));
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ProcessDouble";
    RegisterClassA(&wc);
    if (std::strcmp(mode, "owner") == 0) {
        Make("visible", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
        HWND owner = Make("owner", WS_OVERLAPPEDWINDOW, nullptr);
        Make("", WS_POPUP, owner);
        Make("", WS_POPUP, owner);
    } else if (std::strcmp(mode, "hidden") == 0) {
        Make("", WS_POPUP, nullptr);
    }
    if (argc > 3)
        if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3])) {
            SetEvent(ready);
            CloseHandle(ready);
        }
    SetTimer(nullptr, 0, lifetime, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == nullptr)
            return 7;
        DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
}
