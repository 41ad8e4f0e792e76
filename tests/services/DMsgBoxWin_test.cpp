// Real boxes under Wine, driven from a second thread like a user would: keys, buttons, the
// title bar's close command; geometry and contents read from the windows themselves.
#include <doctest/doctest.h>
#include "stub/services/DMsgBox.h"
#include "stub/services/DMsgBoxStyle.h"
#include "stub/services/SysUtilsWin.h"
#include "tests/services/BoxDriverWin.h"

#include <windows.h>
#include <richedit.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace stub;
using namespace boxtest;

namespace {

// Character format of a range of the box's text control.
CHARFORMATA FormatOf(HWND edit, int from, int to)
{
    CHARRANGE cr{from, to};
    SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

bool AllBold(HWND edit, int from, int to)
{
    const CHARFORMATA cf = FormatOf(edit, from, to);
    return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
}

bool NoneBold(HWND edit, int from, int to)
{
    const CHARFORMATA cf = FormatOf(edit, from, to);
    return (cf.dwMask & CFM_BOLD) && !(cf.dwEffects & CFE_BOLD);
}

// The text area's height as the layout placed it: top = (H - 36 - h) / 2.
int TextAreaHeight(const BoxView& v) { return v.client.bottom - 36 - 2 * v.editRect.top; }

// Line height of the default box font (Tahoma, 8 points), measured the way the box does.
int TahomaLineHeight()
{
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0,
                             0, 0, FF_SWISS, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + tm.tmExternalLeading;
}

// Shows a box while script drives it; returns ShowBox's result.
int Drive(const std::function<void(HWND)>& script, BoxOwner owner, const std::string& text,
          const std::string& caption, unsigned style, unsigned timeout = 0, int charset = 0,
          const std::string& buttons = "")
{
    return WithDriver(script, [&] { return ShowBox(owner, text, caption, buttons, charset, style, timeout); });
}

void PostClose(HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }

// Shows a box, reads it (and the number of lines of its text control) and closes it.
BoxView Glance(const std::string& text, unsigned style, int charset = 0, LRESULT* lines = nullptr)
{
    BoxView v;
    Drive(
        [&](HWND box) {
            v = ReadBox(box);
            if (lines)
                *lines = SendMessageA(v.edit, EM_GETLINECOUNT, 0, 0);
            PostClose(box);
        },
        kBoxModePlain, text, "Attention", style, 0, charset);
    return v;
}

} // namespace

TEST_CASE("error box in mode 0: bold upper-case heading, an empty line, the text, one OK button")
{
    BoxView v;
    bool headingBold = false, textPlain = false;
    const int result = Drive(
        [&](HWND box) {
            v = ReadBox(box);
            headingBold = AllBold(v.edit, 0, 5);
            textPlain = NoneBold(v.edit, 5, static_cast<int>(v.text.size()));
            PostClose(box);  // the title bar's close button
        },
        kBoxModeHeading, "Disk full", "Error", kBoxIconHand | kBoxOk);
    CHECK(result == 0);
    CHECK(v.title == "Error");
    CHECK(v.text == "ERROR\r\n\r\nDisk full\r\n");
    CHECK(headingBold);
    CHECK(textPlain);
    REQUIRE(v.buttons.size() == 1);
    CHECK(v.buttons[0].caption == "&OK");
    CHECK(v.buttons[0].id == 1);
    CHECK(v.buttons[0].isDefault);
    CHECK(v.DefaultButton() == 0);
    CHECK((v.focus == nullptr || v.FocusedButton() == 0));  // the focus, while the box is active
    CHECK_FALSE(v.closeGrayed);
    CHECK((v.exStyle & WS_EX_TOPMOST) != 0);
    CHECK((v.exStyle & WS_EX_DLGMODALFRAME) != 0);
}

TEST_CASE("the wrappers: default captions, icons and answers")
{
    SUBCASE("ErrorBox without a caption says Error; Return answers OK")
    {
        BoxView v;
        WithDriver(
            [&](HWND box) {
                v = ReadBox(box);
                PressKey(v, VK_RETURN);
            },
            [] {
                ErrorBox(kBoxModeHeading, "Oops", "", "", 0);
                return 0;
            });
        CHECK(v.title == "Error");
        CHECK(v.text.rfind("ERROR\r\n", 0) == 0);
    }
    SUBCASE("AttentionBox and a German caption: not uppercased")
    {
        BoxView v;
        WithDriver(
            [&](HWND box) {
                v = ReadBox(box);
                PressKey(v, 'O');
            },
            [] {
                AttentionBox(kBoxModeHeading, "Achtung", "Hinweis", "", 0, 0);
                return 0;
            });
        CHECK(v.title == "Hinweis");
        CHECK(v.text == "Hinweis\r\n\r\nAchtung\r\n");
    }
    SUBCASE("ConfirmOkCancel: typing O answers OK")
    {
        BoxView v;
        const bool ok = WithDriver(
            [&](HWND box) {
                v = ReadBox(box);
                PressKey(v, 'O');
            },
            [] { return ConfirmOkCancel(kBoxModePlain, "Go?", "", "", 0); });
        CHECK(ok);
        CHECK(v.title == "Confirm");
        REQUIRE(v.buttons.size() == 2);
        CHECK(v.buttons[0].caption == "&OK");
        CHECK(v.buttons[1].caption == "&Cancel");
        CHECK(v.text == "Go?");  // mode 1: no heading
    }
    SUBCASE("ConfirmYesNo: typing N answers No")
    {
        const bool yes = WithDriver([&](HWND box) { PressKey(ReadBox(box), 'N'); },
                                    [] { return ConfirmYesNo(kBoxModePlain, "Go?", "", "", 0, 0); });
        CHECK_FALSE(yes);
    }
    SUBCASE("ConfirmOkCancel: the Cancel button")
    {
        const bool ok = WithDriver(
            [&](HWND box) {
                const BoxView v = ReadBox(box);
                PostMessageA(v.buttons.at(1).window, BM_CLICK, 0, 0);
            },
            [] { return ConfirmOkCancel(kBoxModePlain, "Go?", "", "", 0); });
        CHECK_FALSE(ok);
    }
}

TEST_CASE("mode 2: Close is disabled, only a button ends the box")
{
    BoxView v;
    bool openAfterClose = false;
    const int result = Drive(
        [&](HWND box) {
            v = ReadBox(box);
            PostClose(box);
            PostMessageA(v.focus, WM_SYSKEYDOWN, VK_F4, 1 | (1u << 29));  // Alt+F4
            Settle();
            openAfterClose = IsWindow(box) != 0;
            PressKey(v, 'N');
        },
        kBoxModeNoClose, "Really?", "Confirm", kBoxIconQuestion | kBoxYesNo);
    CHECK(v.closeGrayed);
    CHECK(openAfterClose);
    CHECK(v.text == "Really?");
    CHECK(result == kBoxIdNo);
}

TEST_CASE("time-out: the first button answers; without buttons the answer is 0")
{
    SUBCASE("a Yes/No question left alone answers Yes")
    {
        BoxView v;
        const bool yes = WithDriver([&](HWND box) { v = ReadBox(box); },
                                    [] { return ConfirmYesNo(kBoxModePlain, "Continue?", "", "", 0, 300); });
        CHECK(yes);
        REQUIRE(v.buttons.size() == 2);
        CHECK(v.buttons[0].caption == "&Yes");
        CHECK(v.buttons[1].caption == "&No");
    }
    SUBCASE("a box without buttons ends by its time-out with 0")
    {
        BoxView v;
        const int result = Drive([&](HWND box) { v = ReadBox(box); }, kBoxModePlain, "Please wait", "Wait", 0x46, 300);
        CHECK(result == 0);
        CHECK(v.buttons.empty());
    }
}

TEST_CASE("keys: Return answers the focused button, Escape does nothing, typed characters")
{
    SUBCASE("Escape leaves the box open; Return answers the focused No")
    {
        bool openAfterEscape = false;
        const int result = Drive(
            [&](HWND box) {
                BoxView v = ReadBox(box);
                PressKey(v, VK_ESCAPE);
                Settle();
                openAfterEscape = IsWindow(box) != 0;
                PressKey(v, VK_RIGHT);
                Settle();
                v = ReadBox(box);
                PressKey(v, VK_RETURN);
            },
            kBoxModePlain, "Sure?", "Confirm", kBoxYesNo);
        CHECK(openAfterEscape);
        CHECK(result == kBoxIdNo);
    }
    SUBCASE("a typed character alone chooses by the caption's second character")
    {
        const int result = Drive(
            [&](HWND box) {
                const BoxView v = ReadBox(box);
                PostMessageA(v.focus, WM_CHAR, 'r', 1);
            },
            kBoxModePlain, "Again?", "Confirm", kBoxAbortRetryIgnore);
        CHECK(result == kBoxIdRetry);
    }
    SUBCASE("captions from the caller: access keys follow the &")
    {
        const int result = Drive([&](HWND box) { PressKey(ReadBox(box), 'B'); }, kBoxModePlain, "Again?", "Confirm",
                                 kBoxAbortRetryIgnore, 0, 0, "|&OK|&Cancel|&Yes|&No|A&bort|&Retry|&Ignore|");
        CHECK(result == kBoxIdAbort);
    }
}

TEST_CASE("focus: the style's button first, arrows and Tab wrap over the buttons present")
{
    SUBCASE("three buttons")
    {
        std::vector<int> seen;
        std::vector<int> defaultCount;
        const int result = Drive(
            [&](HWND box) {
                BoxView v = ReadBox(box);
                seen.push_back(v.DefaultButton());
                for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_TAB, VK_DOWN, VK_UP, VK_UP}) {
                    PressKey(v, key);
                    Settle();
                    v = ReadBox(box);
                    seen.push_back(v.DefaultButton());
                    int n = 0;
                    for (const ButtonView& b : v.buttons)
                        n += b.isDefault ? 1 : 0;
                    defaultCount.push_back(n);
                }
                PressKey(v, VK_RETURN);
            },
            kBoxModePlain, "Save?", "Confirm", kBoxYesNoCancel | 0x100);
        CHECK(seen == std::vector<int>{1, 2, 0, 1, 0, 1, 2, 1, 0});
        CHECK(defaultCount == std::vector<int>(8, 1));  // the others are ordinary buttons
        CHECK(result == kBoxIdYes);
    }
    SUBCASE("then one button: the focus stays on it")
    {
        std::vector<int> seen;
        const int result = Drive(
            [&](HWND box) {
                BoxView v = ReadBox(box);
                for (WPARAM key : {VK_RIGHT, VK_LEFT, VK_TAB}) {
                    PressKey(v, key);
                    Settle();
                    v = ReadBox(box);
                    seen.push_back(v.DefaultButton());
                }
                PressKey(v, VK_RETURN);
            },
            kBoxModePlain, "Done", "Attention", kBoxOk);
        CHECK(seen == std::vector<int>{0, 0, 0});
        CHECK(result == kBoxIdOk);
    }
    SUBCASE("focus bits taken modulo the number of buttons")
    {
        struct Case {
            unsigned style;
            int focused;
            int answer;
        };
        for (const Case& c : {Case{kBoxYesNoCancel | 0x200, 2, kBoxIdCancel}, Case{kBoxYesNo | 0x300, 1, kBoxIdNo},
                              Case{kBoxRetryCancel | 0x400, 0, kBoxIdRetry}, Case{kBoxOk | 0x500, 0, kBoxIdOk}}) {
            CAPTURE(c.style);
            int focused = -1;
            const int result = Drive(
                [&](HWND box) {
                    const BoxView v = ReadBox(box);
                    focused = v.DefaultButton();
                    PressKey(v, VK_RETURN);
                },
                kBoxModePlain, "Pick", "Confirm", c.style);
            CHECK(focused == c.focused);
            CHECK(result == c.answer);
        }
    }
}

TEST_CASE("geometry: the box sizes itself to its text")
{
    const int lineHeight = TahomaLineHeight();
    SUBCASE("a short text gives a box 360 pixels wide; buttons in the strip, touching")
    {
        const BoxView v = Glance("Short", kBoxYesNoCancel);
        CHECK(v.width() == 360);
        const int W = v.client.right, H = v.client.bottom;
        const int w = v.editRect.right - v.editRect.left;
        CHECK(v.editRect.left == (W - 54 - w) / 2 + 54);
        CHECK(v.editRect.bottom == H - 39);
        REQUIRE(v.buttons.size() == 3);
        for (int i = 0; i < 3; ++i) {
            CAPTURE(i);
            const RECT& r = v.buttons[static_cast<std::size_t>(i)].rect;
            CHECK(r.left == W - 80 - (2 - i) * 70);
            CHECK(r.top == H - 29);
            CHECK(r.right - r.left == 70);
            CHECK(r.bottom - r.top == 23);
        }
        // centred in the work area
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        CHECK(v.window.left == work.left + (work.right - work.left - v.width()) / 2);
        CHECK(v.window.top == work.top + (work.bottom - work.top - v.height()) / 2);
    }
    SUBCASE("a single line wider than 600 pixels: a 610-pixel text area, two or more lines")
    {
        LRESULT lines = 0;
        const BoxView v = Glance(std::string(40, 'W') + " " + std::string(60, 'M'), kBoxOk, 0, &lines);
        CHECK(v.editRect.right - v.editRect.left == 610);
        CHECK(TextAreaHeight(v) >= 2 * lineHeight);
        CHECK(lines >= 2);
    }
    SUBCASE("an empty text gives one blank line")
    {
        const BoxView v = Glance("", kBoxOk);
        CHECK(v.text.empty());
        CHECK(TextAreaHeight(v) >= lineHeight);
        CHECK(TextAreaHeight(v) <= lineHeight + 1);  // the halving may drop one pixel
        CHECK(v.width() == 360);
    }
}

TEST_CASE("bold text: the control's default font is the box font, bold only inside closed tags")
{
    SUBCASE("a Yes/No question with bold text")
    {
        BoxView v;
        bool bold = false, plainBefore = false, plainAfter = false;
        CHARFORMATA first{};
        Drive(
            [&](HWND box) {
                v = ReadBox(box);
                plainBefore = NoneBold(v.edit, 0, 8);
                bold = AllBold(v.edit, 8, 11);
                plainAfter = NoneBold(v.edit, 11, 12);
                first = FormatOf(v.edit, 0, 1);
                PressKey(v, 'Y');
            },
            kBoxModePlain, "Install <b>now</B>?", "Confirm", kBoxIconQuestion | kBoxYesNo);
        CHECK(v.text == "Install now?");
        CHECK(plainBefore);
        CHECK(bold);
        CHECK(plainAfter);
        CHECK(std::string(first.szFaceName) == "Tahoma");
        CHECK(first.yHeight == 8 * 20);
    }
    SUBCASE("a bold line keeps to one line: the text area widens for it")
    {
        // 12 points: pixel and twip sizes agree, so the bold face is plainly wider than the
        // measurement, which uses the regular face.
        SetBoxFont("Tahoma", 12, 1);
        const std::string line = "This whole sentence is bold and rather wide";
        LRESULT plainLines = 0, boldLines = 0;
        const BoxView plain = Glance(line, kBoxOk, 0, &plainLines);
        const BoxView bold = Glance("<B>" + line + "</B>", kBoxOk, 0, &boldLines);
        SetBoxFont("Tahoma", 8, 1);
        CHECK(bold.text == line);
        CHECK(plainLines == 1);
        CHECK(boldLines == 1);
        CHECK(bold.editRect.right - bold.editRect.left > plain.editRect.right - plain.editRect.left);
    }
    SUBCASE("<B> without </B>: no bold and no tag")
    {
        BoxView v;
        bool noneBold = false;
        Drive(
            [&](HWND box) {
                v = ReadBox(box);
                noneBold = NoneBold(v.edit, 0, static_cast<int>(v.text.size()));
                PostClose(box);
            },
            kBoxModePlain, "one <B>two three", "Attention", kBoxOk);
        CHECK(v.text == "one two three");
        CHECK(noneBold);
    }
}

TEST_CASE("Hebrew and Arabic character sets: right-aligned, right-to-left text")
{
    for (int charset : {177, 178}) {
        CAPTURE(charset);
        BoxView v;
        PARAFORMAT pf{};
        Drive(
            [&](HWND box) {
                v = ReadBox(box);
                pf.cbSize = sizeof(pf);
                SendMessageA(v.edit, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
                PostClose(box);
            },
            kBoxModePlain, "shalom", "Attention", kBoxOk, 0, charset);
        CHECK((v.editStyle & ES_RIGHT) != 0);
        CHECK((v.editExStyle & WS_EX_RTLREADING) != 0);
        CHECK(pf.wAlignment == PFA_RIGHT);
    }
    const BoxView latin = Glance("hello", kBoxOk);
    CHECK((latin.editStyle & ES_RIGHT) == 0);
    CHECK((latin.editExStyle & WS_EX_RTLREADING) == 0);
}

TEST_CASE("the active window is disabled while the box is open and is the box's parent")
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BoxTestMain";
    RegisterClassA(&wc);
    HWND main = CreateWindowExA(0, "BoxTestMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    REQUIRE(main);
    SetActiveWindow(main);
    REQUIRE(GetActiveWindow() == main);

    SUBCASE("modes use the active window")
    {
        bool enabledDuring = true;
        HWND owner = nullptr;
        Drive(
            [&](HWND box) {
                enabledDuring = IsWindowEnabled(main) != 0;
                owner = GetWindow(box, GW_OWNER);
                PressKey(ReadBox(box), VK_RETURN);
            },
            kBoxModePlain, "x", "Attention", kBoxOk);
        CHECK_FALSE(enabledDuring);
        CHECK(owner == main);
        CHECK(IsWindowEnabled(main));
    }
    SUBCASE("a window handle is the parent")
    {
        HWND other = CreateWindowExA(0, "BoxTestMain", "other", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                     nullptr, wc.hInstance, nullptr);
        HWND owner = nullptr;
        Drive(
            [&](HWND box) {
                owner = GetWindow(box, GW_OWNER);
                PressKey(ReadBox(box), VK_RETURN);
            },
            reinterpret_cast<BoxOwner>(other), "x", "Attention", kBoxOk);
        CHECK(owner == other);
        CHECK(IsWindowEnabled(main));
        DestroyWindow(other);
    }
    DestroyWindow(main);
}

TEST_CASE("each box registers its class and removes it; the rich edit library stays loaded")
{
    Drive([&](HWND box) { PressKey(ReadBox(box), VK_RETURN); }, kBoxModePlain, "x", "Attention", kBoxOk);
    WNDCLASSA wc{};
    CHECK_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "DMsgBox", &wc));
    CHECK(GetModuleHandleA("RICHED32.DLL") != nullptr);
}

TEST_CASE("SetBoxFont: face and charset always, the size unless 0")
{
    auto faceAndSize = [] {
        CHARFORMATA cf{};
        Drive(
            [&](HWND box) {
                cf = FormatOf(ReadBox(box).edit, 0, 1);
                PostClose(box);
            },
            kBoxModePlain, "font", "Attention", kBoxOk);
        return std::make_pair(std::string(cf.szFaceName), cf.yHeight / 20);
    };
    SetBoxFont("Courier New", 12, 0);
    CHECK(faceAndSize() == std::make_pair(std::string("Courier New"), 12L));
    SetBoxFont("Tahoma", 0, 1);
    CHECK(faceAndSize() == std::make_pair(std::string("Tahoma"), 12L));
    SetBoxFont("Tahoma", 8, 1);
    CHECK(faceAndSize() == std::make_pair(std::string("Tahoma"), 8L));
}

TEST_CASE("a box in another process: found by its class, answered by a key, result as exit code")
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir.resize(dir.find_last_of('\\') + 1);
    std::string cmd = "\"" + dir + "boxshow.exe\" 1 0x24 0 0 Question \"Proceed now?\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HWND box = WaitForBox(pi.dwProcessId);
    BoxView v;
    if (box) {
        v = ReadBox(box);
        PressKey(v, 'N');
    }
    const bool ended = WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    REQUIRE(box);
    CHECK(v.title == "Question");
    CHECK(v.text == "Proceed now?");
    REQUIRE(v.buttons.size() == 2);
    CHECK(v.buttons[0].caption == "&Yes");
    CHECK(ended);
    CHECK(code == static_cast<DWORD>(kBoxIdNo));
}

TEST_CASE("AutoPlay queries are refused while the box is open, once cancelling is on")
{
    LRESULT before = -1, after = -1;
    UINT id = 0;
    Drive(
        [&](HWND box) {
            before = SendMessageA(box, RegisterWindowMessageA("QueryCancelAutoPlay"), 0, 0);
            EnableAutoPlayCancel(true);
            id = AutoPlayCancelMessage();
            after = SendMessageA(box, id, 0, 0);
            PostClose(box);
        },
        kBoxModePlain, "Insert the next disk", "Confirm", kBoxOkCancel);
    EnableAutoPlayCancel(false);
    CHECK(id != 0);
    CHECK(before == 0);  // not switched on yet: default processing
    CHECK(after == 1);
}

namespace {
int g_innerResult = -1;
void CALLBACK AskAgain(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_innerResult = ShowBox(kBoxModePlain, "second", "Second", "", 0, kBoxOk, 0);
}
} // namespace

TEST_CASE("a box asked for while one is open shows nothing and answers 0")
{
    int& inner = g_innerResult;
    inner = -1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AskAgain);
    REQUIRE(timer != 0);
    std::string title;
    const int result = Drive(
        [&](HWND box) {
            const DWORD start = GetTickCount();
            while (inner < 0 && GetTickCount() - start < 5000)
                Sleep(10);
            title = ReadBox(box).title;
            PressKey(ReadBox(box), 'Y');
        },
        kBoxModePlain, "first", "First", kBoxYesNo);
    CHECK(inner == 0);
    CHECK(title == "First");
    CHECK(result == kBoxIdYes);
}
