#include "plugin/interface/LogDate.h"
#include <cstdio>

namespace mirel {

std::string EnglishDateText(const std::tm& t)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Out-of-range fields (a broken clock) must not index outside the tables.
    const char* day = (t.tm_wday >= 0 && t.tm_wday < 7) ? kDays[t.tm_wday] : "???";
    const char* month = (t.tm_mon >= 0 && t.tm_mon < 12) ? kMonths[t.tm_mon] : "???";
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %04d", day, month, t.tm_mday, t.tm_hour,
                  t.tm_min, t.tm_sec, t.tm_year + 1900);
    return text;
}

} // namespace mirel
