// The agent's log file: state, file naming and line layout. LogWin.h writes the lines.
#pragma once
#include <string>

namespace stub {

// Whether WriteLog writes at all; set once by the program entry.
void EnableLog(bool on);
bool LogEnabled();

// The column between the thread id and the message: three blanks, " X " in the agent's X_ copy.
void SetLogPrefix(const std::string& prefix);
std::string LogPrefix();

// The log file of an executable: its folder with a trailing backslash, "X_" unless the file name
// already begins with exactly "X_", and the file name with its extension replaced by ".log".
// C:\Temp\Setup.exe and C:\Temp\X_Setup.exe both log to C:\Temp\X_Setup.log.
std::string LogFileNameFor(const std::string& exePath);

// One line: the time stamp, a blank, the thread id right-aligned with blanks to width 5 (longer
// ids whole), the prefix, the message, CR LF.
std::string LogLine(const std::string& stamp, unsigned long threadId, const std::string& prefix,
                    const std::string& message);

} // namespace stub
