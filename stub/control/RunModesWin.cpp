#include "stub/control/RunModesWin.h"

#include <windows.h>

#include "stub/control/AgentRequests.h"
#include "stub/control/AgentState.h"
#include "stub/control/AgentWin.h"
#include "stub/control/MainWindowWin.h"
#include "stub/control/RunModes.h"
#include "stub/control/SetupFlowWin.h"
#include "stub/control/StubPackageWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/package/WorkingFoldersWin.h"
#include "stub/services/LogWin.h"
#include "stub/services/ProcessWin.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Trace.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

constexpr std::uint32_t kXCopyPollMs = 200;
constexpr std::uint32_t kXCopyWaitMs = 3000;

RoleInputs CurrentRoleInputs()
{
    const TGFileInfo& info = RunningPackage();
    RoleInputs in;
    in.autoUpdateProgram = RunsAsAutoUpdateProgram();
    in.spansCds = RunningPackageValid() && info.SpansCds();
    in.spanCdLevel = SwitchInt("/SpanCdLvl=", 1);
    in.exeName = FileNamePart(ExePath());
    in.agentName = info.AgentName();
    return in;
}

std::string XCopyPath()
{
    return CopyPath(ExeDir(false), "X_", FileNamePart(ExePath()));
}

bool TopLevelWindowExists(const std::string& className)
{
    return FindWindowA(className.c_str(), nullptr) != nullptr;
}

// The program path is quoted, so a folder with blanks cannot start a different program.
void StartHidden(const std::string& program, const std::string& arguments)
{
    StartProgram("\"" + program + "\"" + arguments, false);
}

void RunXAgent()
{
    WriteLog("CheckTestMode");
    CheckTestMode(true);
    WriteLog("WinMain");
    WinMain();
    WriteLog("DeleteMySelf");
    DeleteMySelf(false, false);
}

void RunRole(const RoleInputs& in, bool xRunning)
{
    switch (DecideRole(in)) {
    case StubRole::PlainAgent:
        CreateAndRun_X_Exe(xRunning);
        break;
    case StubRole::XAgent:
        RunXAgent();
        break;
    case StubRole::CdSpanLauncher:
        RelaunchFromCdSpanCopy();
        break;
    case StubRole::CdSpanCopy:
    case StubRole::SetupStub:
        WinMain();
        if (in.spanCdLevel == 2)
            DeleteMySelf(true, false);
        break;
    }
}

} // namespace

void DoRunStubWin()
{
    WriteLog("DoRunStubWin() --- Start");
    const std::string className = MainWindowClassName(RunsAsAutoUpdateProgram(), ExePath());
    const RoleInputs in = CurrentRoleInputs();
    const bool xRunning = TopLevelWindowExists(XAgentClassName(in.agentName));
    WriteLog("X_ExeIsRunning=" + BoolText(xRunning));
    WriteLog("ThisIs_Plain_AutoUpdate_Exe=" + BoolText(IsPlainAgent(in)));
    WriteLog("ThisIs_X_AutoUpdate_Exe=" + BoolText(IsXAgent(in)));
    // A second start of the same stub, or a second X_ copy, finds the first one's window.
    if (!TopLevelWindowExists(className))
        RunRole(in, xRunning);
    if (IsPlainAgent(in))
        HandleParamOK(xRunning);
    WriteLog("DoRunStubWin() --- End");
}

void CreateAndRun_X_Exe(bool xWasRunning)
{
    WriteLog("CreateAndRun_X_Exe() --- Start");
    const std::string zz = SwitchValue("/_ZZ=");
    TraceOut() << GetCurrentProcessId() << " CreateAndRun_X_Exe-1 " << zz << kEol;
    if (!xWasRunning || zz == "99") {
        TraceOut() << GetCurrentProcessId() << " CreateAndRun_X_Exe-2" << kEol;
        const std::int64_t wait = SwitchInt("/WAIT=", 0);
        WriteLog("Wait " + std::to_string(wait) + " SEC");
        if (wait > 0)
            WaitPumping(static_cast<std::uint32_t>(Min64(wait, 0x7FFFFFFF / 1000) * 1000));
        const std::string xPath = XCopyPath();
        CopyFileA(ExePath().c_str(), xPath.c_str(), FALSE);
        WriteLog("Create X_ File ");
        const std::string args = XCopyArguments(SwitchValue("/TRANSIENT="), SwitchValue("/DELAY="));
        WriteLog("WinExec: " + xPath + args);
        StartHidden(xPath, args);
        if (!CommandTail().empty()) {
            for (std::uint32_t waited = 0; waited < kXCopyWaitMs && !FindProcess(xPath, true); waited += kXCopyPollMs)
                WaitPumping(kXCopyPollMs);
        }
    }
    WriteLog("CreateAndRun_X_Exe() --- End");
}

bool HandleParamOK(bool xWasRunning)
{
    WriteLog("HandleParamOK() --- Start");
    const std::string target = XCopyPath();
    const bool targetExists = FileExists(target);
    bool posted = false;
    for (const AgentPost& post : PlanAgentPosts(CommandTail(), target, xWasRunning)) {
        if (!post.logLine.empty())
            WriteLog(post.logLine);
        if (targetExists)
            posted = PostProcessMessage(target, true, post.message, static_cast<WPARAM>(post.wParam),
                                        static_cast<LPARAM>(post.lParam)) ||
                     posted;
    }
    const std::string transient = SwitchValue("/TRANSIENTx=");
    if (!transient.empty())
        Agent().transient.Apply(transient);
    WriteLog("HandleParamOK() --- End");
    return posted;
}

void RelaunchFromCdSpanCopy()
{
    const std::string exe = ExePath();
    const std::string copy = CopyPath(WorkingFolder(), "Y_", FileNamePart(exe));
    CopyFileA(exe.c_str(), copy.c_str(), FALSE);  // keeps the modification time
    StartHidden(copy, " " + CdSpanArguments(CommandTail(), exe));
}

} // namespace stub
