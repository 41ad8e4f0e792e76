// The process-wide values of a stub run that several parts read: the abort request (set by
// closing the main window, polled by downloads and waits) and the process exit code (the setup
// program's, 0 when none ran).
#pragma once

namespace stub {

bool AbortRequested();
void SetAbortRequested(bool on);

int ProcessExitCode();
void SetProcessExitCode(int code);

} // namespace stub
