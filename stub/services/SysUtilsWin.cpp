#include "stub/services/SysUtilsWin.h"
#include "stub/services/Handles.h"
#include "stub/services/Utils.h"
#include "stub/services/UtilsWin.h"
#include <shellapi.h>
#include <vector>

namespace stub {

namespace {

std::string LocaleText(LCTYPE type, const char* fallback)
{
    char buffer[16];
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return n > 1 ? std::string(buffer, n - 1) : fallback;
}

DateTimeParts LocalNow()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    DateTimeParts p;
    p.year = st.wYear;
    p.month = st.wMonth;
    p.day = st.wDay;
    p.hour = st.wHour;
    p.minute = st.wMinute;
    p.second = st.wSecond;
    p.millisecond = st.wMilliseconds;
    return p;
}

class SystemWaitClock : public WaitClock {
public:
    std::uint32_t Ticks() override { return GetTickCount(); }
    void Pump(std::uint32_t sleepMs) override { PumpMessages(sleepMs); }
};

UINT g_autoPlayMessage = 0;

std::string EnvironmentValue(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return std::string();
    std::string value(size, '\0');
    const DWORD n = GetEnvironmentVariableA(name, &value[0], size);
    value.resize(n < size ? n : 0);
    return value;
}

// A fixed 256-character buffer filled by a name query, trimmed; empty when the query fails.
template <typename Query>
std::string NameFrom(Query query)
{
    char buffer[256];
    DWORD size = sizeof buffer;
    if (!query(buffer, &size))
        return std::string();
    buffer[sizeof buffer - 1] = '\0';
    return Trim(buffer);
}

} // namespace

// ---- Dates and times ---------------------------------------------------------------------------

DateTimeValue Now() { return EncodeDateTime(LocalNow()); }

DateSeparators UserDateSeparators()
{
    DateSeparators sep;
    sep.date = LocaleText(LOCALE_SDATE, "/");
    sep.time = LocaleText(LOCALE_STIME, ":");
    return sep;
}

std::string DateTimeStamp(DateTimeValue t) { return DateTimeStamp(t, UserDateSeparators()); }

std::string DayMonYearTime(DateTimeValue t) { return DayMonYearTime(t, UserDateSeparators().time); }

std::int64_t NowSeconds() { return SecondsSinceEpoch(LocalNow()); }

// ---- Waiting and messages ----------------------------------------------------------------------

void PumpMessages(std::uint32_t ms)
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    Sleep(ms);
}

void WaitPumping(std::uint32_t ms, std::uint32_t step)
{
    SystemWaitClock clock;
    WaitPumping(ms, step, clock);
}

void EnableAutoPlayCancel(bool on) { g_autoPlayMessage = on ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0; }

UINT AutoPlayCancelMessage() { return g_autoPlayMessage; }

// ---- Screen and windows ------------------------------------------------------------------------

int ScreenDpiY()
{
    static const int dpi = [] {
        WindowDC screen(nullptr);
        return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    }();
    return dpi;
}

int PointsToPixels(int points) { return MulDiv(points, ScreenDpiY(), 72); }

ScreenPoint CenterInWorkArea(int width, int height)
{
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return CenterInWorkArea(ScreenRect{r.left, r.top, r.right, r.bottom}, width, height);
}

std::string WindowText(HWND window)
{
    if (window == nullptr)
        return std::string();
    char buffer[1024];
    const int n = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

bool ShellOpen(const std::string& file, const std::string& parameters, int show)
{
    HINSTANCE r = ShellExecuteA(GetDesktopWindow(), nullptr, file.c_str(), parameters.c_str(), nullptr, show);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

FARPROC LoadProc(const std::string& library, const std::string& entry)
{
    // Deliberately never freed: callers keep the address for the life of the process.
    HMODULE h = LoadLibraryA(library.c_str());
    if (reinterpret_cast<UINT_PTR>(h) <= 32)
        return nullptr;
    return GetProcAddress(h, entry.c_str());
}

// ---- System queries ----------------------------------------------------------------------------

bool IsWinNT()
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    return GetVersionExA(&v) && v.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsLeadByte(char c) { return SystemLeadByte(static_cast<unsigned char>(c)); }

std::string LoggedOnUser()
{
    return NameFrom([](char* b, DWORD* n) { return GetUserNameA(b, n) != 0; });
}

std::string ComputerName()
{
    return NameFrom([](char* b, DWORD* n) { return GetComputerNameA(b, n) != 0; });
}

std::string AccountDomain(const std::string& account)
{
    DWORD sidSize = 0;
    DWORD domainSize = 0;
    SID_NAME_USE use;
    LookupAccountNameA(nullptr, account.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
    if (sidSize == 0 || domainSize == 0)
        return std::string();
    std::vector<char> sid(sidSize);
    std::string domain(domainSize, '\0');
    if (!LookupAccountNameA(nullptr, account.c_str(), sid.data(), &sidSize, &domain[0], &domainSize, &use))
        return std::string();
    domain.resize(domainSize < domain.size() ? domainSize : domain.size());
    return domain.c_str();
}

std::string UserDomain() { return AccountDomain(LoggedOnUser()); }

std::string SysErrorText()
{
    const DWORD code = GetLastError();
    if (code > 0x7FFFFFFFu)
        return ErrorCodeUnreadableText();
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n > 0 && text != nullptr ? std::string(text, n) : std::string();
    LocalFree(text);
    // Without the closing blanks, line end and full stop, so it reads well inside a sentence.
    while (!message.empty() && (static_cast<unsigned char>(message.back()) <= ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

bool DeveloperMode()
{
    static const bool on = IsDeveloperCode(EnvironmentValue("DVX").c_str());
    return on;
}

void PreloadSystemLibraries()
{
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const char* name : {"shell32.dll", "USP10.dll", "MSLS31.dll", "RICHED32.DLL"})
        LoadLibraryA(name);  // kept loaded for the life of the process
    SetErrorMode(old);
}

} // namespace stub
