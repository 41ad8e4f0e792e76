// Date, time, waiting and screen arithmetic: the parts of the system helpers that need no system.
// The Windows side (SysUtilsWin.h) supplies the user's separators, the clock, the message pump
// and the screen, and calls these.
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// A date-time value: days since 30 December 1899, the time of day as the fraction.
using DateTimeValue = double;

// A date-time broken into its fields (month 1..12, hours 0..23, milliseconds 0..999).
struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The user's separators between day, month and year and between hours, minutes and seconds.
struct DateSeparators {
    std::string date = "/";
    std::string time = ":";
};

// Conversions between the day count and its fields; times are rounded to the millisecond first,
// so 0.5 is 12:00:00 and not 11:59:59.
DateTimeParts DecodeDateTime(DateTimeValue t);
DateTimeValue EncodeDateTime(const DateTimeParts& p);
DateTimeValue EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Whole seconds since the start of 30 December 1899, rounded to the nearest second.
std::int64_t SecondsSinceEpoch(const DateTimeParts& p);

// "dd/mm/yy HH:NN:SS" with the given separators.
std::string DateTimeStamp(DateTimeValue t, const DateSeparators& sep);
// Two-digit day, "-", the month's abbreviation, "-", four-digit year: 05-MAR-2004.
std::string DayMonYear(DateTimeValue t);
// DayMonYear, two blanks, "HH:NN:SS" with the given time separator.
std::string DayMonYearTime(DateTimeValue t, const std::string& timeSeparator);

// The pump step of a wait: a step of 0 means a tenth of the wait, at least 1 and at most 25 ms.
std::uint32_t WaitStep(std::uint32_t ms, std::uint32_t step);

// What a wait needs from the system: a millisecond tick count and one round of message
// dispatching followed by a sleep.
class WaitClock {
public:
    virtual ~WaitClock() = default;
    virtual std::uint32_t Ticks() = 0;
    virtual void Pump(std::uint32_t sleepMs) = 0;
};

// Pumps at least once, then until at least ms have passed. The elapsed time is measured as a
// difference of tick counts, so a wait across the wrap of the 32-bit tick count is not cut short.
void WaitPumping(std::uint32_t ms, std::uint32_t step, WaitClock& clock);

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 or the result
// does not fit 32 bits (the system's multiply-divide).
int MulDivRound(int a, int b, int c);

// points × dpi / 72, rounded as above.
inline int PointsToPixels(int points, int dpi) { return MulDivRound(points, dpi, 72); }

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The left and top that centre a box in the work area; the halves are truncated toward zero, and
// a box larger than the area starts before the area's edge.
ScreenPoint CenterInWorkArea(const ScreenRect& workArea, int width, int height);

// The developer code that the "DVX" environment variable must hold exactly.
bool IsDeveloperCode(const char* value);

// The text used instead of the system's message when an error code does not fit a signed
// 32-bit integer.
std::string ErrorCodeUnreadableText();

} // namespace stub
