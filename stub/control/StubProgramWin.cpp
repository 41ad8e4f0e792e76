#include "stub/control/StubProgramWin.h"

#include "stub/control/ExtractBoxesWin.h"
#include "stub/control/RunModes.h"
#include "stub/control/RunModesWin.h"
#include "stub/control/RunState.h"
#include "stub/control/StubPackageWin.h"
#include "stub/package/FileHelpers.h"
#include "stub/services/LogWin.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Trace.h"
#include "stub/services/TraceWin.h"
#include "stub/services/UtilsWin.h"
#include <windows.h>

namespace stub {

namespace {

// "<pid> ==== STUB START ====> <command line><" and its END twin.
void TraceRunLine(const char* marker)
{
    TraceOut() << GetCurrentProcessId() << marker << GetCommandLineA() << "<" << kEol;
}

// Opens the package and switches the agent log on for an auto-update program that asks for it.
void StartRun()
{
    OpenRunningPackage();
    const TGFileInfo& info = RunningPackage();
    const bool autoUpdate = RunsAsAutoUpdateProgram();
    EnableLog(autoUpdate && info.LogsAutoUpdate());
    RoleInputs in;
    in.autoUpdateProgram = autoUpdate;
    in.exeName = FileNamePart(ExePath());
    in.agentName = info.AgentName();
    if (IsXAgent(in))
        SetLogPrefix(" X ");
    WriteLog("");
    WriteLog("");
    WriteLog("=== START === " + ExePath());
    WriteLog(std::string("CommandLine=") + GetCommandLineA());
    TraceOut() << GetCurrentProcessId() << " ==== ThisIs_AutoUpdateProg=" << autoUpdate << kEol;
}

} // namespace

int RunStubProgram()
{
    SetTraceSource(2);
    TraceRunLine(" ==== STUB START ====> ");
    PreloadSystemLibraries();  // before any window exists
    UseStubBoxesForExtraction();
    StartRun();
    DoRunStubWin();
    ReleaseRunningPackage();
    TraceRunLine(" ==== STUB END ====> ");
    TraceOut() << kEol;
    WriteLog("=== EXIT === " + ExePath());
    WriteLog("");
    return ProcessExitCode();
}

} // namespace stub
