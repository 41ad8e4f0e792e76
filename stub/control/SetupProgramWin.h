// Running the extracted setup program under its contract: the completion atom it deletes on
// success, its exit code, the dialogs that may outlive it, and the shortcut clean-up afterwards.
#pragma once
#include <string>

namespace stub {

// Starts command_line (shown in foreground runs), waits for the program and its dialogs of class
// ".SDialog_Class_Name." + token, takes its exit code as the process exit code; true when it
// deleted the completion atom "AutoUpdateAtomTokenByDrovel" + token.
bool RunSetupProgram(const std::string& command_line, const std::string& token, bool foreground);

} // namespace stub
