// Starting the programs of this build from a Windows-side test: mirel-host and the helper
// children live beside the test program.
#pragma once
#include <windows.h>
#include <string>

namespace plugintest {

std::string Sibling(const char* name);

// The command line that runs mirel-host (beside the test) with args.
std::string HostCommand(const std::string& args);

struct ProcessResult {
    bool finished = false;
    DWORD exitCode = 0;
    std::string output;  // standard output and error, when captured through a pipe
    std::string title;   // the console's title afterwards (RunInConsole)
};

// Runs commandLine with its output captured through a pipe; waits at most 60 s.
ProcessResult RunCaptured(const std::string& commandLine, const char* currentDir = nullptr);

// Runs commandLine in this process's own, freshly allocated console, and returns what the console
// shows afterwards: each screen row with its trailing blanks removed, each followed by a line feed.
// With detached set, the child starts without a console of its own (DETACHED_PROCESS).
ProcessResult RunInConsole(const std::string& commandLine, bool detached = false);

// What a console shows for text written from its first column: tabs expanded to stops of 8,
// trailing blanks of each row removed, each row up to the cursor's followed by a line feed.
std::string AsConsoleShows(const std::string& text);

} // namespace plugintest
