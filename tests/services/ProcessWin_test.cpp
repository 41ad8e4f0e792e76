// The Process module against real processes under Wine: a double with chosen windows runs from a
// folder with a long name, so its short path differs from its full path.
#include <doctest/doctest.h>
#include "stub/services/ProcessWin.h"
#include "stub/services/Handles.h"
#include "tests/support/TraceViewerProcess.h"

#include <string>

using namespace stub;

namespace {

std::string LongFolderCopy()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "Process Test Folder " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string exe = folder + "\\Long Named Process Double.exe";
    CopyFileA(testsupport::ProgramBeside("process_double.exe").c_str(), exe.c_str(), FALSE);
    return exe;
}

// A running double; ended and removed when the test is done.
struct Double {
    std::string path;
    PROCESS_INFORMATION pi{};

    Double(const std::string& exe, const std::string& args) : path(exe)
    {
        const std::string event = "process-double-ready-" + std::to_string(GetCurrentProcessId());
        UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
        std::string cmd = "\"" + exe + "\" " + args + " " + event;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            WaitForSingleObject(ready.get(), 10000);
    }
    ~Double()
    {
        if (pi.hProcess) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 10000);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    DWORD ExitCode(DWORD waitMs) const
    {
        if (WaitForSingleObject(pi.hProcess, waitMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

std::string ShortOf(const std::string& path)
{
    char s[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), s, MAX_PATH);
    return std::string(s, n);
}

std::string BaseOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

} // namespace

TEST_CASE("finding a running program by path, name and short path")
{
    const std::string exe = LongFolderCopy();
    Double d(exe, "none 30000");
    REQUIRE(d.pi.dwProcessId != 0);
    const std::uint32_t id = d.pi.dwProcessId;

    CHECK(FindProcess(exe, true) == id);
    CHECK(FindProcess(BaseOf(exe), false) == id);
    CHECK(FindProcess(BaseOf(exe), true) == 0);
    REQUIRE(ShortOf(exe) != exe);
    CHECK(FindProcess(ShortOf(exe), true) == id);
    CHECK(IsProcessRunning("  \"" + exe + "\"  "));
    CHECK_FALSE(IsProcessRunning("C:\\nowhere\\no-such-program.exe"));
    CHECK(FindProcess("", false) == 0);

    SUBCASE("the Tool Help walker finds it too, by its executable's name")
    {
        CHECK(FindProcessToolHelp(BaseOf(exe), false, true) == id);
    }
    SUBCASE("its id is in the process list")
    {
        CHECK(IsProcessIdRunning(id));
        CHECK(IsProcessIdRunning(GetCurrentProcessId()));
    }
    SUBCASE("terminating by name")
    {
        CHECK(TerminateProcessByName(exe, true));
        CHECK(d.ExitCode(10000) == 0);
        CHECK_FALSE(TerminateProcessByName(exe, true));
    }
}

TEST_CASE("main window: the owner of two dialogs wins over a visible titled window")
{
    const std::string exe = LongFolderCopy();
    Double d(exe, "owner 30000");
    HWND main = FindProcessMainWindow(exe, true);
    REQUIRE(main != nullptr);
    char title[64] = {};
    GetWindowTextA(main, title, sizeof title);
    CHECK(std::string(title) == "owner");

    CHECK(CloseProcessWindow(exe, true));
    CHECK(d.ExitCode(10000) == 15);  // WM_CLOSE posted with wParam 15
}

TEST_CASE("a process with only a hidden untitled window has no main window")
{
    const std::string exe = LongFolderCopy();
    Double d(exe, "hidden 30000");
    CHECK(FindProcessMainWindow(exe, true) == nullptr);
    CHECK_FALSE(CloseProcessWindow(exe, true));
    CHECK(d.ExitCode(500) == STILL_ACTIVE);
}

TEST_CASE("waiting for a program's end")
{
    const std::string exe = LongFolderCopy();
    SUBCASE("without a limit: returns once the program has ended by itself")
    {
        Double d(exe, "none 2500");
        WaitForProcessEnd("\"" + exe + "\"", 0);
        CHECK(d.ExitCode(0) == 7);
    }
    SUBCASE("with a limit: returns while the program still runs")
    {
        Double d(exe, "none 60000");
        WaitForProcessEnd(exe, 2000);
        CHECK(d.ExitCode(0) == STILL_ACTIVE);
    }
    SUBCASE("a program that does not run: returns")
    {
        WaitForProcessEnd("C:\\nowhere\\absent.exe", 0);
        CHECK_FALSE(IsProcessRunning("C:\\nowhere\\absent.exe"));
    }
}

namespace {
void CALLBACK DestroyOnTimer(HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); }
} // namespace

TEST_CASE("waiting while a window exists")
{
    HWND w = CreateWindowExA(0, "STATIC", "process-wait-probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(w);
    SetTimer(w, 1, 300, DestroyOnTimer);
    WaitWhileWindowExists("", "process-wait-probe");  // the timer runs inside the wait
    CHECK_FALSE(IsWindow(w));
}
