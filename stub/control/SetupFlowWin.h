// The setup flow: what a setup stub does on its first timer tick. Checks the temporary drive,
// extracts the package, starts the setup program it marks, waits for it and its dialogs, passes
// its exit code on and removes the working folder.
#pragma once
#include <windows.h>
#include <string>

#include "stub/package/TGFileInfo.h"
#include "stub/services/Handles.h"

namespace stub {

// The setup-mode timer handler; runs once (kills the timer first) and ends the main loop.
void StartSetupFlow(HWND window);

// Extracts one package and runs its setup program; true when the program removed the
// completion atom. agent_name: the agent copy's file name or empty; parameters: extra arguments
// for the setup program; foreground: window, space dialog and a visible setup program.
bool RunPackageSetup(const std::string& work_folder, const std::string& package_path, const std::string& agent_name,
                     const std::string& parameters, bool foreground);

bool HasRoomForPackage(const std::string& folder, const std::string& package_path);
// The space dialog when it is due; true when there is nothing to ask or the user said Yes.
bool ConfirmTempSpace(const std::string& folder, const std::string& package_path, const TGFileInfo& info);
// "ForcePrompt" under "HKEY_CURRENT_USER\Software\Vorlund\Drovel\SpanDisk" is exactly "1".
bool ForcePromptSet();
// The process started from the command line alone; none when the start failed.
UniqueHandle StartProgram(const std::string& command_line, bool show);
// Returns when the process has ended (or its exit code cannot be read), dispatching messages.
void WaitForProgram(HANDLE process);

} // namespace stub
