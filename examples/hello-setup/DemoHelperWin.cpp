// The demo's hands and eyes on the Wine desktop:
//   demo-helper visible CLASS MS          ends with 0 once a visible window of that class exists
//   demo-helper answer TITLE BUTTON MS    presses BUTTON in the stub's box titled TITLE, if one
//                                         appears within MS (exit 0 pressed, 1 no such box)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Text(HWND w)
{
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

struct Search {
    std::string a, b;
    HWND found = nullptr;
};

HWND FindBox(const std::string& title)
{
    Search s{title, "", nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (IsWindowVisible(w) && std::string(cls) == "DMsgBox" && Text(w) == s->a) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindButton(HWND box, const std::string& caption)
{
    Search s{caption, "", nullptr};
    EnumChildWindows(
        box,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            std::string plain;
            for (char c : Text(w))
                if (c != '&')
                    plain += c;
            if (plain == s->a) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

template <typename F>
bool Poll(DWORD ms, F f)
{
    const DWORD start = GetTickCount();
    do {
        if (f())
            return true;
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "visible" && argc == 4) {
        const std::string cls = argv[2];
        return Poll(std::strtoul(argv[3], nullptr, 10), [&] {
                   HWND w = FindWindowA(cls.c_str(), nullptr);
                   return w && IsWindowVisible(w);
               })
                   ? 0
                   : 1;
    }
    if (mode == "answer" && argc == 5) {
        HWND button = nullptr;
        const bool found = Poll(std::strtoul(argv[4], nullptr, 10), [&] {
            HWND box = FindBox(argv[2]);
            DWORD_PTR ignored = 0;
            return box && SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) &&
                   (button = FindButton(box, argv[3])) != nullptr;
        });
        if (!found)
            return 1;
        Sleep(1500);  // long enough for a look at the box
        PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    std::fprintf(stderr, "usage: demo-helper visible CLASS MS | answer TITLE BUTTON MS\n");
    return 2;
}
