#include "stub/services/ProcessWin.h"
#include "stub/services/Handles.h"
#include "stub/services/ProcessMatch.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Utils.h"

#include <tlhelp32.h>

namespace stub {
namespace {

// The run-time bindings, made once per process on first use; a missing function leaves its
// pointer empty and the call that needs it fails.
struct PsApi {
    BOOL(WINAPI* enumProcesses)(DWORD*, DWORD, DWORD*) = nullptr;
    BOOL(WINAPI* enumProcessModules)(HANDLE, HMODULE*, DWORD, DWORD*) = nullptr;
    DWORD(WINAPI* moduleFileName)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    DWORD(WINAPI* moduleBaseName)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
};
struct ToolHelp {
    HANDLE(WINAPI* snapshot)(DWORD, DWORD) = nullptr;
    BOOL(WINAPI* first)(HANDLE, PROCESSENTRY32*) = nullptr;
    BOOL(WINAPI* next)(HANDLE, PROCESSENTRY32*) = nullptr;
};

template <typename F>
void Bind(F& f, const char* library, const char* entry)
{
    f = reinterpret_cast<F>(LoadProc(library, entry));
}

const PsApi& Psapi()
{
    static const PsApi api = [] {
        PsApi a;
        Bind(a.enumProcesses, "PSAPI.dll", "EnumProcesses");
        Bind(a.enumProcessModules, "PSAPI.dll", "EnumProcessModules");
        Bind(a.moduleFileName, "PSAPI.dll", "GetModuleFileNameExA");
        Bind(a.moduleBaseName, "PSAPI.dll", "GetModuleBaseNameA");
        return a;
    }();
    return api;
}

const ToolHelp& Toolhelp()
{
    static const ToolHelp api = [] {
        ToolHelp a;
        Bind(a.snapshot, "kernel32.dll", "CreateToolhelp32Snapshot");
        Bind(a.first, "kernel32.dll", "Process32First");
        Bind(a.next, "kernel32.dll", "Process32Next");
        return a;
    }();
    return api;
}

std::string ShortPathOr(const std::string& path, const char* fallback)
{
    char buffer[MAX_PATH];
    DWORD n = path.empty() ? 0 : GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string(fallback);
}

std::string BaseNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable of a process through PSAPI: its first module's path and base name.
bool ReadExeOf(const PsApi& api, std::uint32_t id, RunningExe& exe)
{
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process)
        return false;
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!api.enumProcessModules(process.get(), &first, sizeof first, &needed) || !first)
        return false;
    char path[256] = {}, base[256] = {};
    api.moduleFileName(process.get(), first, path, sizeof path);
    api.moduleBaseName(process.get(), first, base, sizeof base);
    exe.path = path;
    exe.baseName = base;
    exe.shortPath = ShortPathOr(exe.path, "");
    return true;
}

} // namespace

std::vector<std::uint32_t> ProcessIdList()
{
    const PsApi& api = Psapi();
    if (!api.enumProcesses)
        return {};
    return GrowingIdList([&](std::uint32_t* ids, std::uint32_t bytes, std::uint32_t& written) {
        DWORD got = 0;
        bool ok = api.enumProcesses(reinterpret_cast<DWORD*>(ids), bytes, &got);
        written = got;
        return ok;
    });
}

bool IsProcessIdRunning(std::uint32_t id)
{
    for (std::uint32_t each : ProcessIdList())
        if (each == id)
            return true;
    return false;
}

namespace {
// The search both walkers share: candidates are offered in walk order; each match is
// remembered, and the walk stops at the first one when asked.
class ProcessSearch {
public:
    ProcessSearch(const std::string& name, bool fullPathOnly, bool stopAtFirst)
        : name_(name), nameShort_(ShortPathOr(name, kNoShortName)), fullPathOnly_(fullPathOnly), stopAtFirst_(stopAtFirst)
    {
    }
    // True when the walk should stop.
    bool Offer(const RunningExe& exe, std::uint32_t id)
    {
        if (!MatchesName(exe, name_, nameShort_, fullPathOnly_))
            return false;
        found_ = id;
        return stopAtFirst_;
    }
    std::uint32_t Found() const { return found_; }

private:
    std::string name_, nameShort_;
    bool fullPathOnly_, stopAtFirst_;
    std::uint32_t found_ = 0;
};
} // namespace

std::uint32_t FindProcessPsApi(const std::string& name, bool fullPathOnly, bool keepSearching)
{
    const PsApi& api = Psapi();
    if (name.empty() || !api.enumProcessModules || !api.moduleFileName || !api.moduleBaseName)
        return 0;
    ProcessSearch search(name, fullPathOnly, !keepSearching);
    const std::vector<std::uint32_t> ids = ProcessIdList();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        RunningExe exe;
        if (ReadExeOf(api, *it, exe) && search.Offer(exe, *it))
            break;
    }
    return search.Found();
}

std::uint32_t FindProcessToolHelp(const std::string& name, bool fullPathOnly, bool stopAtFirst)
{
    const ToolHelp& api = Toolhelp();
    if (name.empty() || !api.snapshot || !api.first || !api.next)
        return 0;
    UniqueHandle snapshot(api.snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 0;
    ProcessSearch search(name, fullPathOnly, stopAtFirst);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = api.first(snapshot.get(), &entry); more; more = api.next(snapshot.get(), &entry)) {
        RunningExe exe{entry.szExeFile, BaseNameOf(entry.szExeFile), ShortPathOr(entry.szExeFile, "")};
        if (search.Offer(exe, entry.th32ProcessID))
            break;
    }
    return search.Found();
}

std::uint32_t FindProcess(const std::string& name, bool fullPathOnly)
{
    return IsWinNT() ? FindProcessPsApi(name, fullPathOnly, false) : FindProcessToolHelp(name, fullPathOnly, false);
}

bool IsProcessRunning(const std::string& name)
{
    return FindProcess(TrimUnquote(name, true), false) != 0;
}

void WaitForProcessEnd(const std::string& rawName, long long timeoutMs)
{
    const std::string name = TrimUnquote(rawName, true);
    const ProcessWaitClock clock{[] { return static_cast<std::uint32_t>(GetTickCount()); },
                          [](std::uint32_t ms) { WaitPumping(ms, 0); }};
    if (IsWinNT()) {
        std::uint32_t id = 0;
        WaitWhileRunning(
            clock, timeoutMs, [&] { return (id = FindProcessPsApi(name, false, false)) != 0; },
            [&] { return IsProcessIdRunning(id); });
    } else {
        WaitWhileRunning(
            clock, timeoutMs, [] { return true; }, [&] { return FindProcessToolHelp(name, false, false) != 0; });
    }
}

void WaitWhileWindowExists(const std::string& className, const std::string& windowName)
{
    const char* cls = className.empty() ? nullptr : className.c_str();
    const char* title = windowName.empty() ? nullptr : windowName.c_str();
    while (FindWindowA(cls, title)) {
        PumpMessages(0);
        Sleep(100);
    }
}

namespace {
struct Collected {
    DWORD id;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<Collected*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->id && c->windows.size() < kMaxAnalizedWindows)
        c->windows.push_back(window);
    return TRUE;
}

HWND TopOwner(HWND window)
{
    HWND top = nullptr;
    for (HWND o = GetWindow(window, GW_OWNER); o; o = GetWindow(o, GW_OWNER))
        top = o;
    return top;
}
} // namespace

HWND FindProcessMainWindow(const std::string& name, bool fullPathOnly)
{
    Collected c{FindProcess(name, fullPathOnly), {}};
    if (c.id == 0)
        return nullptr;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&c));
    std::vector<WindowFacts> facts;
    facts.reserve(c.windows.size());
    for (HWND w : c.windows)
        facts.push_back({reinterpret_cast<std::uintptr_t>(w), reinterpret_cast<std::uintptr_t>(TopOwner(w)),
                         !WindowText(w).empty(), IsWindowVisible(w) != FALSE});
    return reinterpret_cast<HWND>(ChooseMainWindow(facts));
}

bool PostProcessMessage(const std::string& name, bool fullPathOnly, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = FindProcessMainWindow(name, fullPathOnly);
    if (!window)
        return false;
    PostMessageA(window, message, wParam, lParam);
    return true;
}

bool CloseProcessWindow(const std::string& name, bool fullPathOnly)
{
    return PostProcessMessage(name, fullPathOnly, WM_CLOSE, 15, 255);
}

bool QuitProcessWindow(const std::string& name, bool fullPathOnly)
{
    return PostProcessMessage(name, fullPathOnly, WM_QUIT, 15, 255);
}

bool TerminateProcessByName(const std::string& name, bool fullPathOnly)
{
    std::uint32_t id = FindProcess(name, fullPathOnly);
    if (id == 0)
        return false;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, id));
    return process && TerminateProcess(process.get(), 0);
}

} // namespace stub
