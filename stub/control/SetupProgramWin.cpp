#include "stub/control/SetupProgramWin.h"

#include <windows.h>

#include "stub/control/MainWindowWin.h"
#include "stub/control/RunState.h"
#include "stub/control/SetupCommand.h"
#include "stub/control/SetupFlowWin.h"
#include "stub/control/StubPackageWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/services/Handles.h"
#include "stub/services/ProcessWin.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Trace.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

constexpr DWORD kStillActive = 259;
constexpr std::uint32_t kSettleMs = 1000;
constexpr std::uint32_t kProgramPollMs = 500;

// The installation's shortcuts named in the installed descriptor, and whether a successful
// update run removes them.
struct Shortcuts {
    std::string descriptor;
    std::string startUpLink, checkLink;

    Shortcuts() : descriptor(ExeDir(true) + RunningPackage().OriginalFileName())
    {
        startUpLink = ReadIniString(descriptor, "UnInstall", "StartUpLink", "");
        checkLink = ReadIniString(descriptor, "UnInstall", "CheckforNewUpdateLink", "");
    }
    void RemoveAfterSuccess() const
    {
        RemoveWhenFlagged("RemoveStartUpShortcut", startUpLink);
        RemoveWhenFlagged("RemoveCheckForNewUpdateShortcut", checkLink);
    }
    void RemoveWhenFlagged(const char* flag, const std::string& link) const
    {
        if (ReadIniString(descriptor, "NewSetup", flag, "0") == "1" && !link.empty() && FileExists(link))
            DeleteFileA(link.c_str());
    }
};

int ExitCodeOf(HANDLE process)
{
    DWORD code = 0;
    if (!process || !GetExitCodeProcess(process, &code))
        return 0;
    return static_cast<int>(code);
}

} // namespace

UniqueHandle StartProgram(const std::string& command_line, bool show)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show ? SW_SHOWNORMAL : SW_HIDE);
    PROCESS_INFORMATION pi{};
    std::string buffer = command_line;
    if (!CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return UniqueHandle();
    CloseHandle(pi.hThread);
    return UniqueHandle(pi.hProcess);
}

void WaitForProgram(HANDLE process)
{
    DWORD code = 0;
    while (process && GetExitCodeProcess(process, &code) && code == kStillActive)
        WaitPumping(kProgramPollMs);
}

bool RunSetupProgram(const std::string& command_line, const std::string& token, bool foreground)
{
    const Shortcuts shortcuts;
    const std::string atomName = CompletionAtomName(token);
    TraceOut() << GetCurrentProcessId() << " ==== WinExec(Setup.exe) >>" << command_line << "<<" << kEol;
    GlobalAddAtomA(atomName.c_str());
    {
        const UniqueHandle program = StartProgram(command_line, foreground);
        ShowMainWindow(false);
        WaitPumping(kSettleMs);
        WaitForProgram(program.get());
        SetProcessExitCode(ExitCodeOf(program.get()));
    }
    WaitWhileWindowExists(SetupDialogClassName(token), "");
    WaitPumping(kSettleMs);
    // Delete our reference only while the atom is still there: once the setup program removed
    // it, the same number may already name someone else's atom.
    const ATOM left = GlobalFindAtomA(atomName.c_str());
    if (left)
        GlobalDeleteAtom(left);
    const bool succeeded = left == 0;
    if (succeeded)
        shortcuts.RemoveAfterSuccess();
    return succeeded;
}

} // namespace stub
