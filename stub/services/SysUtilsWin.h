// Date, time, waiting, screen and system queries on Windows (the arithmetic is in SysUtils.h).
#pragma once
#include "stub/services/SysUtils.h"
#include <windows.h>
#include <cstdint>
#include <string>

namespace stub {

// ---- Dates and times ---------------------------------------------------------------------------

// The local date-time now.
DateTimeValue Now();
// The user's date and time separators from the locale ("/" and ":" when it has none).
DateSeparators UserDateSeparators();
// "dd/mm/yy HH:NN:SS" with the user's separators.
std::string DateTimeStamp(DateTimeValue t);
// DayMonYear(t), two blanks, "HH:NN:SS" with the user's time separator.
std::string DayMonYearTime(DateTimeValue t);
// Whole seconds since the start of 30 December 1899, local time, rounded to the nearest second.
std::int64_t NowSeconds();

// ---- Waiting and messages ----------------------------------------------------------------------

// Translates and dispatches every pending message of the calling thread, then sleeps ms.
// A quit message met on the way is posted again and ends the round, so the thread's message
// loop still sees it.
void PumpMessages(std::uint32_t ms);
// Returns after at least ms, pumping in steps (step 0: a tenth of ms, 1 to 25 ms), at least once.
void WaitPumping(std::uint32_t ms, std::uint32_t step = 0);

// On: registers "QueryCancelAutoPlay" and records its id; off: records 0.
void EnableAutoPlayCancel(bool on);
// The recorded id; window procedures answer it with 1 (no AutoPlay while the stub waits for a disc).
UINT AutoPlayCancelMessage();

// ---- Screen and windows ------------------------------------------------------------------------

// Vertical pixels per inch of the screen, read once.
int ScreenDpiY();
// points × ScreenDpiY() / 72, rounded by the system's multiply-divide.
int PointsToPixels(int points);
// The left and top that centre a box of that size in the desktop work area.
ScreenPoint CenterInWorkArea(int width, int height);
// The window's title, at most 1,023 characters; empty for no window.
std::string WindowText(HWND window);
// Opens file with its default verb, owned by the desktop window; true when the shell succeeded.
bool ShellOpen(const std::string& file, const std::string& parameters, int show);
// The address of entry in library, which stays loaded; nullptr when either is missing.
FARPROC LoadProc(const std::string& library, const std::string& entry);

// ---- System queries ----------------------------------------------------------------------------

bool IsWinNT();
// A lead byte of a double-byte character in the system code page.
bool IsLeadByte(char c);
// The logged-on user's name and the computer's name, trimmed; empty when they cannot be read.
std::string LoggedOnUser();
std::string ComputerName();
// The domain that holds account, as the local account lookup reports it; empty on failure.
std::string AccountDomain(const std::string& account);
std::string UserDomain();
// The system's message for the calling thread's last error, without closing blanks, line end
// and full stop.
std::string SysErrorText();
// True when the environment variable "DVX" holds the developer code; read once.
bool DeveloperMode();

// Loads shell32, USP10, MSLS31 and RICHED32 with the system's file-error boxes suppressed and
// keeps them loaded; a missing library is skipped. Runs before any window is created.
void PreloadSystemLibraries();

} // namespace stub
