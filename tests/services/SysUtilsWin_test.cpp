#include <doctest/doctest.h>
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Utils.h"
#include "tests/support/TraceViewerProcess.h"
#include <string>

using namespace stub;

namespace {

// Sets the user's date separator in the prefix's locale for one test and puts the old one back.
class UserDateSeparator {
public:
    explicit UserDateSeparator(const char* sep)
    {
        char old[16] = "";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, old, sizeof old);
        old_ = old;
        set_ = SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, sep) != 0;
    }
    ~UserDateSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, old_.c_str()); }
    bool Set() const { return set_; }

private:
    std::string old_;
    bool set_ = false;
};

// A window that counts the messages it receives.
struct CountingWindow {
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_APP)
            ++received;
        return DefWindowProcA(w, m, wp, lp);
    }
    CountingWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SysUtilsCountingWindow";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "Counting", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        received = 0;
    }
    ~CountingWindow() { DestroyWindow(window); }
    HWND window;
    static int received;
};
int CountingWindow::received = 0;

} // namespace

TEST_CASE("DateTimeStamp follows the user's date separator")
{
    const DateTimeValue t = EncodeDateTime(2004, 3, 5, 17, 8, 9);
    const std::string usual = DateTimeStamp(t);
    CHECK(usual.substr(8) == " 17" + UserDateSeparators().time + "08" + UserDateSeparators().time + "09");
    {
        UserDateSeparator fullStop(".");
        REQUIRE(fullStop.Set());
        CHECK(UserDateSeparators().date == ".");
        CHECK(DateTimeStamp(t).substr(0, 9) == "05.03.04 ");
        CHECK(DayMonYearTime(t).substr(0, 13) == "05-MAR-2004  ");  // whatever the locale
    }
    CHECK(DateTimeStamp(t) == usual);
}

TEST_CASE("NowSeconds agrees with Now")
{
    const std::int64_t before = NowSeconds();
    const std::int64_t fromNow = SecondsSinceEpoch(DecodeDateTime(Now()));
    const std::int64_t after = NowSeconds();
    CHECK(fromNow >= before - 1);
    CHECK(fromNow <= after + 1);
    CHECK(before > 45000LL * 86400);  // after 2023
}

TEST_CASE("pumping dispatches what is pending")
{
    CountingWindow counting;
    REQUIRE(counting.window != nullptr);

    SUBCASE("WaitPumping(0, 0) still dispatches once")
    {
        PostMessageA(counting.window, WM_APP, 0, 0);
        PostMessageA(counting.window, WM_APP, 0, 0);
        WaitPumping(0, 0);
        CHECK(CountingWindow::received == 2);
    }
    SUBCASE("a quit message is left for the thread's own loop")
    {
        PostMessageA(counting.window, WM_APP, 0, 0);
        PostQuitMessage(17);
        PumpMessages(0);
        CHECK(CountingWindow::received == 1);
        MSG m;
        REQUIRE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        CHECK(m.message == WM_QUIT);
        CHECK(m.wParam == 17);
    }
}

TEST_CASE("AutoPlay cancelling: 0 while off")
{
    CHECK(AutoPlayCancelMessage() == 0);
    EnableAutoPlayCancel(true);
    CHECK(AutoPlayCancelMessage() == RegisterWindowMessageA("QueryCancelAutoPlay"));
    CHECK(AutoPlayCancelMessage() >= 0xC000);
    EnableAutoPlayCancel(false);
    CHECK(AutoPlayCancelMessage() == 0);
}

TEST_CASE("screen metrics")
{
    REQUIRE(ScreenDpiY() > 0);
    CHECK(PointsToPixels(72) == ScreenDpiY());
    CHECK(PointsToPixels(8) == MulDiv(8, ScreenDpiY(), 72));
}

TEST_CASE("CenterInWorkArea on a real window")
{
    RECT area{};
    REQUIRE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    const int width = area.right - area.left + 301;
    const ScreenPoint p = CenterInWorkArea(width, 110);
    CHECK(p.x == area.left - 150);
    CHECK(p.x < area.left);
    CHECK(p.y == area.top + (area.bottom - area.top - 110) / 2);

    HWND w = CreateWindowExA(0, "STATIC", "wide box", WS_POPUP, p.x, p.y, width, 110, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    REQUIRE(w != nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    CHECK(r.left == p.x);
    CHECK(r.right - r.left == width);
    CHECK(WindowText(w) == "wide box");
    SetWindowTextA(w, std::string(1500, 'w').c_str());
    CHECK(WindowText(w) == std::string(1023, 'w'));
    DestroyWindow(w);
    CHECK(WindowText(nullptr).empty());
}

TEST_CASE("LoadProc binds an entry or gives nothing")
{
    const FARPROC expected = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount");
    CHECK((expected != nullptr));
    CHECK((LoadProc("kernel32.dll", "GetTickCount") == expected));
    CHECK((LoadProc("kernel32.dll", "NoSuchEntryPoint") == nullptr));
    CHECK((LoadProc("no-such-library-here.dll", "GetTickCount") == nullptr));
}

TEST_CASE("ShellOpen reports a file the shell cannot open")
{
    CHECK_FALSE(ShellOpen("C:\\no\\such\\folder\\readme.txt", "", SW_SHOW));
}

TEST_CASE("system queries")
{
    CHECK(IsWinNT());
    CHECK_FALSE(IsLeadByte('A'));
    CHECK(ComputerName() == ComputerName());
    CHECK_FALSE(ComputerName().empty());
    const std::string user = LoggedOnUser();
    CHECK_FALSE(user.empty());
    CHECK(user == Trim(user));
    CHECK(AccountDomain("no such account 846").empty());
    CHECK(UserDomain() == AccountDomain(user));
}

TEST_CASE("SysErrorText")
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::string text = SysErrorText();
    CHECK_FALSE(text.empty());
    CHECK(text.back() != '\n');
    SetLastError(0x80070005u);
    CHECK(SysErrorText() == "Error Reading \"SysUtils.SysErrorMessage(GetLastError)\"");
}

TEST_CASE("the preload keeps present libraries loaded and skips missing ones")
{
    PreloadSystemLibraries();
    CHECK(GetModuleHandleA("shell32.dll") != nullptr);
    CHECK(GetModuleHandleA("riched32.dll") != nullptr);
}

// Runs in a child process started by the next test, with DVX set there; in the test program's own
// run DVX is unset and the mode is off.
TEST_CASE("DeveloperMode is read from DVX once")
{
    char expect[8] = "";
    GetEnvironmentVariableA("DROVEL_EXPECT_DEVELOPER", expect, sizeof expect);
    const bool expected = std::string(expect) == "1";
    CHECK(DeveloperMode() == expected);
    SetEnvironmentVariableA("DVX", expected ? nullptr : "846");
    CHECK(DeveloperMode() == expected);  // later changes are not seen
}

TEST_CASE("DeveloperMode only for the exact developer code")
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    struct Case {
        const char* dvx;
        const char* expect;
    };
    for (const Case& c : {Case{"846", "1"}, Case{"846 ", "0"}, Case{"847", "0"}, Case{"", "0"}}) {
        CAPTURE(c.dvx);
        SetEnvironmentVariableA("DVX", c.dvx);
        SetEnvironmentVariableA("DROVEL_EXPECT_DEVELOPER", c.expect);
        CHECK(testsupport::RunProgram(self, "\"--test-case=DeveloperMode is read from DVX once\"", 60000, nullptr) == 0);
    }
    SetEnvironmentVariableA("DVX", nullptr);
    SetEnvironmentVariableA("DROVEL_EXPECT_DEVELOPER", nullptr);
}
