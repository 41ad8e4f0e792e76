#include "stub/services/SysUtils.h"
#include "stub/services/Utils.h"
#include <cmath>
#include <cstring>

namespace stub {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers relative to 1 January 1970 (the civil-date arithmetic below counts from there).
constexpr std::int64_t kEpochOffsetDays = 25569;  // 30 December 1899 .. 1 January 1970
// Years 1 to 9999: anything outside is clamped, so no value can overflow the arithmetic.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.999988426;

const char* const kMonths = "||JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC|";

// Civil date from days since 1 January 1970 (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t z, DateTimeParts& p)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(yoe + era * 400 + (p.month <= 2 ? 1 : 0));
}

std::int64_t DaysFromCivil(int year, int month, int day)
{
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = month > 2 ? month - 3 : month + 9;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string TwoDigits(int n) { return ZeroPad(n % 100, 2); }

std::string TimeText(const DateTimeParts& p, const std::string& sep)
{
    return TwoDigits(p.hour) + sep + TwoDigits(p.minute) + sep + TwoDigits(p.second);
}

} // namespace

DateTimeParts DecodeDateTime(DateTimeValue t)
{
    if (!(t >= kFirstDay))  // also NaN
        t = kFirstDay;
    if (t > kLastDay)
        t = kLastDay;
    // Before the epoch the day is the whole part and the time the unsigned fraction
    // (-1.25 is 29 December 1899, 06:00).
    double whole = std::trunc(t);
    std::int64_t timeMs = std::llround(std::fabs(t - whole) * kMsPerDay);
    std::int64_t days = static_cast<std::int64_t>(whole);
    if (timeMs >= kMsPerDay) {
        timeMs -= kMsPerDay;
        days += t < 0 ? -1 : 1;
    }
    DateTimeParts p;
    CivilFromDays(days - kEpochOffsetDays, p);
    p.hour = static_cast<int>(timeMs / 3600000);
    p.minute = static_cast<int>(timeMs / 60000 % 60);
    p.second = static_cast<int>(timeMs / 1000 % 60);
    p.millisecond = static_cast<int>(timeMs % 1000);
    return p;
}

DateTimeValue EncodeDateTime(const DateTimeParts& p)
{
    const double days = static_cast<double>(DaysFromCivil(p.year, p.month, p.day) + kEpochOffsetDays);
    const double fraction =
        ((p.hour * 60.0 + p.minute) * 60.0 + p.second + p.millisecond / 1000.0) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

DateTimeValue EncodeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    DateTimeParts p;
    p.year = year;
    p.month = month;
    p.day = day;
    p.hour = hour;
    p.minute = minute;
    p.second = second;
    return EncodeDateTime(p);
}

std::int64_t SecondsSinceEpoch(const DateTimeParts& p)
{
    const std::int64_t days = DaysFromCivil(p.year, p.month, p.day) + kEpochOffsetDays;
    return days * 86400 + p.hour * 3600 + p.minute * 60 + p.second + (p.millisecond >= 500 ? 1 : 0);
}

std::string DateTimeStamp(DateTimeValue t, const DateSeparators& sep)
{
    const DateTimeParts p = DecodeDateTime(t);
    return TwoDigits(p.day) + sep.date + TwoDigits(p.month) + sep.date + TwoDigits(p.year) + " " +
           TimeText(p, sep.time);
}

std::string DayMonYear(DateTimeValue t)
{
    const DateTimeParts p = DecodeDateTime(t);
    return TwoDigits(p.day) + "-" + ListItem(kMonths, p.month, "") + "-" + ZeroPad(p.year, 4);
}

std::string DayMonYearTime(DateTimeValue t, const std::string& timeSeparator)
{
    return DayMonYear(t) + "  " + TimeText(DecodeDateTime(t), timeSeparator);
}

std::uint32_t WaitStep(std::uint32_t ms, std::uint32_t step)
{
    if (step != 0)
        return step;
    return static_cast<std::uint32_t>(Clamp64(25, 1, ms / 10));
}

void WaitPumping(std::uint32_t ms, std::uint32_t step, WaitClock& clock)
{
    step = WaitStep(ms, step);
    const std::uint32_t start = clock.Ticks();
    do
        clock.Pump(step);
    while (static_cast<std::uint32_t>(clock.Ticks() - start) < ms);
}

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t num = static_cast<std::int64_t>(a) * b;
    std::int64_t den = c;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t r = (num >= 0 ? num + den / 2 : num - den / 2) / den;
    if (r > 2147483647 || r < -2147483647)
        return -1;
    return static_cast<int>(r);
}

ScreenPoint CenterInWorkArea(const ScreenRect& area, int width, int height)
{
    // 64-bit intermediates: a huge box must not overflow into a wrong sign.
    const std::int64_t left = area.left + (static_cast<std::int64_t>(area.right) - area.left - width) / 2;
    const std::int64_t top = area.top + (static_cast<std::int64_t>(area.bottom) - area.top - height) / 2;
    return {static_cast<int>(Clamp64(INT32_MAX, INT32_MIN, left)),
            static_cast<int>(Clamp64(INT32_MAX, INT32_MIN, top))};
}

bool IsDeveloperCode(const char* value) { return value != nullptr && std::strcmp(value, "846") == 0; }

std::string ErrorCodeUnreadableText()
{
    return "Error Reading \"SysUtils.SysErrorMessage(GetLastError)\"";
}

} // namespace stub
