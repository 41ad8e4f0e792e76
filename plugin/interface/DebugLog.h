// The module's levelled debug log. Tools linked against the module set the controls before
// calling into it; the module's own readers write with a null file, so their messages appear
// only on the standard error stream when PrintDebugOnScreen is set.
#pragma once
#include "plugin/interface/MirelExport.h"
#include <cstdio>
#include <string>

MIREL_EXPORT extern int DebugLevel;             // highest level written to the file; 0: no file
MIREL_EXPORT extern int VerboseLevel;           // highest level written to the screen
MIREL_EXPORT extern bool ExternalDebugControl;  // the caller owns the file: CloseDebugFile(1) keeps it
MIREL_EXPORT extern bool PrintDebugOnScreen;    // messages go to stderr instead of the file

// Opens "Mirel_DLL.log" (TEMP, then TMP, then the current folder) for appending and writes the
// opening banner; a second call returns the open handle. Null when file logging is off or the
// file cannot be opened.
MIREL_EXPORT FILE* OpenDebugFile();

// Writes text (at most 4095 characters) unchanged when the level rules allow; true when written.
MIREL_EXPORT bool PrintDebug(int level, char* text, FILE* file);

// Mode 1: the module's own close request (kept open under ExternalDebugControl, result 2);
// mode 0: nothing (result 1); any other: close. Returns 0 when closed or nothing was open.
MIREL_EXPORT int CloseDebugFile(int mode);

namespace mirel {

// Level values in use.
constexpr int kLogError = 1;
constexpr int kLogProgress = 5;

// Formats into a 4096-byte line and hands it to PrintDebug; for the module's own messages.
bool PrintDebugFormat(int level, FILE* file, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// The path the log is opened at, from the values of TEMP and TMP (null when unset).
std::string LogFilePath(const char* temp, const char* tmp);

} // namespace mirel
