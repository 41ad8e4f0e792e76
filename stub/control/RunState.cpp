#include "stub/control/RunState.h"

namespace stub {

namespace {

struct State {
    bool abortRequested = false;
    int exitCode = 0;
};

State& Run()
{
    static State state;
    return state;
}

} // namespace

bool AbortRequested() { return Run().abortRequested; }
void SetAbortRequested(bool on) { Run().abortRequested = on; }
int ProcessExitCode() { return Run().exitCode; }
void SetProcessExitCode(int code) { Run().exitCode = code; }

} // namespace stub
