// The Process module: finds running programs by path or name, waits for them and their
// windows, finds a program's main window, posts to it and terminates it. Works through PSAPI on
// the NT family and Tool Help on Windows 9x, both bound at run time.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace stub {

std::uint32_t FindProcess(const std::string& name, bool fullPathOnly);
std::uint32_t FindProcessPsApi(const std::string& name, bool fullPathOnly, bool keepSearching);
std::uint32_t FindProcessToolHelp(const std::string& name, bool fullPathOnly, bool stopAtFirst);
bool IsProcessRunning(const std::string& name);
// Returns when the program has ended or, with timeoutMs >= 1, when the time is up.
void WaitForProcessEnd(const std::string& name, long long timeoutMs);
std::vector<std::uint32_t> ProcessIdList();
bool IsProcessIdRunning(std::uint32_t id);
// Returns when no top-level window of that class and title exists (empty: any).
void WaitWhileWindowExists(const std::string& className, const std::string& windowName);
HWND FindProcessMainWindow(const std::string& name, bool fullPathOnly);
bool PostProcessMessage(const std::string& name, bool fullPathOnly, UINT message, WPARAM wParam, LPARAM lParam);
bool CloseProcessWindow(const std::string& name, bool fullPathOnly);
bool QuitProcessWindow(const std::string& name, bool fullPathOnly);
bool TerminateProcessByName(const std::string& name, bool fullPathOnly);

} // namespace stub
