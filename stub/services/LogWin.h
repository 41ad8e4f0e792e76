// The agent's log file on disk (state and layout in Log.h).
#pragma once
#include "stub/services/Log.h"
#include <string>

namespace stub {

// The full path of the log file beside the running executable; computed once, then kept.
std::string LogFileName();

// Appends one line (DateTimeStamp of now, thread id, prefix, message) when logging is enabled;
// the file is opened, written at its end and closed for every line. A line that cannot be
// written is lost without a word.
void WriteLog(const std::string& message);

} // namespace stub
