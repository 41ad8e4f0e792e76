// The run-mode decision on this machine and what the agent roles and the CD-span launcher do.
#pragma once

namespace stub {

// Decides the role and runs it: the main window, the X_ copy, the CD-span relaunch or the
// forwarding of requests to a running X_ copy.
void DoRunStubWin();

// Plain agent: copies the running executable as X_<name> beside it and starts the copy hidden
// (unless one runs and /_ZZ= is not 99).
void CreateAndRun_X_Exe(bool xWasRunning);

// Plain agent: forwards /STOP=, /WM_MSG= and /TEST= to the X_ copy and applies /TRANSIENTx=;
// true when something was posted.
bool HandleParamOK(bool xWasRunning);

// CD-span launcher: copies itself as Y_<name> into the working folder (keeping its date, so the
// copy computes the same working folder) and starts the copy with level 2.
void RelaunchFromCdSpanCopy();

} // namespace stub
