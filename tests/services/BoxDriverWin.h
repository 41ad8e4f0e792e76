// Drives a message box like a user from another thread or process: finds the "DMsgBox" window,
// reads what it shows and presses its keys and buttons.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace boxtest {

struct ButtonView {
    HWND window = nullptr;
    std::string caption;
    int id = 0;
    RECT rect{};  // in the box's client coordinates
    bool isDefault = false;
};

struct BoxView {
    HWND box = nullptr;
    std::string title;
    LONG_PTR exStyle = 0;
    RECT window{};
    RECT client{};
    HWND edit = nullptr;
    std::string text;
    RECT editRect{};  // in the box's client coordinates
    LONG_PTR editStyle = 0;
    LONG_PTR editExStyle = 0;
    std::vector<ButtonView> buttons;
    HWND focus = nullptr;
    bool closeGrayed = false;
    int width() const { return window.right - window.left; }
    int height() const { return window.bottom - window.top; }
    // The default button: the box makes the focused button its default button. Unlike the
    // keyboard focus it stays while another program's window is active.
    int DefaultButton() const
    {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].isDefault)
                return static_cast<int>(i);
        return -1;
    }
    int FocusedButton() const
    {
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].window == focus)
                return static_cast<int>(i);
        return -1;
    }
};

inline std::string ClassOf(HWND w)
{
    char name[64] = {};
    GetClassNameA(w, name, sizeof(name));
    return name;
}

// WM_GETTEXT itself: GetWindowText does not ask windows of other processes.
inline std::string TextOf(HWND w)
{
    std::string s(static_cast<std::size_t>(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    s.resize(static_cast<std::size_t>(
        SendMessageA(w, WM_GETTEXT, static_cast<WPARAM>(s.size()), reinterpret_cast<LPARAM>(&s[0]))));
    return s;
}

inline RECT ClientRectOf(HWND child, HWND parent)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct BoxSearch {
    DWORD pid;
    HWND found;
};

inline BOOL CALLBACK MatchBox(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<BoxSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != s->pid || ClassOf(w) != "DMsgBox")
        return TRUE;
    s->found = w;
    return FALSE;
}

// The "DMsgBox" window of a process (other programs under test may show boxes too).
inline HWND FindBoxOf(DWORD pid)
{
    BoxSearch search{pid, nullptr};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits until a box of the process is open and its message loop runs (a sent message is only
// answered from there), up to timeoutMs. Null when none appeared.
inline HWND WaitForBox(DWORD pid = GetCurrentProcessId(), DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND box = FindBoxOf(pid)) {
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored))
                return box;
        }
        Sleep(20);
    }
    return nullptr;
}

inline bool WaitBoxGone(HWND box, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (!IsWindow(box))
            return true;
        Sleep(20);
    }
    return false;
}

inline BoxView ReadBox(HWND box)
{
    BoxView v;
    v.box = box;
    v.title = TextOf(box);
    v.exStyle = GetWindowLongPtrA(box, GWL_EXSTYLE);
    GetWindowRect(box, &v.window);
    GetClientRect(box, &v.client);
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::string cls = ClassOf(c);
        if (lstrcmpiA(cls.c_str(), "RICHEDIT") == 0 || lstrcmpiA(cls.c_str(), "RichEdit20A") == 0 ||
            lstrcmpiA(cls.c_str(), "RichEdit20W") == 0) {
            v.edit = c;
            v.text = TextOf(c);
            v.editRect = ClientRectOf(c, box);
            v.editStyle = GetWindowLongPtrA(c, GWL_STYLE);
            v.editExStyle = GetWindowLongPtrA(c, GWL_EXSTYLE);
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            ButtonView b;
            b.window = c;
            b.caption = TextOf(c);
            b.id = GetDlgCtrlID(c);
            b.rect = ClientRectOf(c, box);
            b.isDefault = (GetWindowLongPtrA(c, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
            v.buttons.push_back(b);
        }
    }
    // children come in creation order, which is left to right for the buttons
    GUITHREADINFO gti{};
    gti.cbSize = sizeof(gti);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gti))
        v.focus = gti.hwndFocus;
    const UINT state = GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
    v.closeGrayed = state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0;
    return v;
}

// A key pressed and released where the box's thread has its keyboard focus. Posted messages
// reach the box's loop exactly as typed keys do.
inline void PressKey(const BoxView& v, WPARAM vk)
{
    // Another test's window may hold the focus meanwhile; the box's focused button is then its
    // default button, where its keys would go once the user clicks the box again.
    const int d = v.DefaultButton();
    HWND target = v.focus ? v.focus : d >= 0 ? v.buttons[static_cast<std::size_t>(d)].window : v.box;
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

// A message-only window on the box's thread. Posted messages of one thread are taken in order,
// so once the probe has seen a message posted after some keys, the box's loop has taken the keys.
struct Probe {
    static std::atomic<long>& Seen()
    {
        static std::atomic<long> seen{0};
        return seen;
    }
    static HWND& Window()
    {
        static HWND w = nullptr;
        return w;
    }
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_APP)
            Seen() = static_cast<long>(wp);
        return DefWindowProcA(w, msg, wp, lp);
    }
    // Called on the thread that will show the box.
    static void Create()
    {
        if (Window())
            return;
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BoxTestProbe";
        RegisterClassA(&wc);
        Window() = CreateWindowExA(0, "BoxTestProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
};

// Waits until the box's loop has taken everything posted to its thread so far.
inline void Settle()
{
    static std::atomic<long> next{0};
    const long mark = ++next;
    PostMessageA(Probe::Window(), WM_APP, static_cast<WPARAM>(mark), 0);
    const DWORD start = GetTickCount();
    while (Probe::Seen() < mark && GetTickCount() - start < 5000)
        Sleep(5);
}

// Runs script on a driver thread while the calling thread shows the box with show(). The script
// gets the open box; whatever it leaves open is closed afterwards so that no test can hang.
template <typename Show>
auto WithDriver(const std::function<void(HWND box)>& script, Show show) -> decltype(show())
{
    Probe::Create();
    bool found = false;
    std::thread driver([&] {
        HWND box = WaitForBox();
        found = box != nullptr;
        if (!box)
            return;
        script(box);
        if (!WaitBoxGone(box, 10000))
            PostMessageA(box, WM_CLOSE, 0, 0);
    });
    auto result = show();
    driver.join();
    if (!found)
        throw std::runtime_error("no DMsgBox window appeared");
    return result;
}

} // namespace boxtest
