#include "stub/control/StubProgramWin.h"
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

} // namespace

int RunStubProgram()
{
    SetTraceSource(2);
    TraceRunLine(" ==== STUB START ====> ");
    PreloadSystemLibraries();  // before any window exists
    const int exitCode = 0;
    TraceRunLine(" ==== STUB END ====> ");
    TraceOut() << kEol;
    WriteLog("=== EXIT === " + ExePath());
    WriteLog("");
    return exitCode;
}

} // namespace stub
