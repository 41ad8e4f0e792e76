#include "tools/drovel-pack/DosTime.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace drovel {

std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1980 || year > 2107 || month < 1 || month > 12 || day < 1 || day > 31)
        return 0;
    const std::uint32_t date = static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day);
    const std::uint32_t time = static_cast<std::uint32_t>(hour << 11 | minute << 5 | second / 2);
    return date << 16 | time;
}

std::uint32_t FileDosDateTime(const std::string& path)
{
#ifdef _WIN32
    struct _stat64 st;
    if (_stat64(path.c_str(), &st) != 0)
        return 0;
    std::tm local{};
    const __time64_t t = st.st_mtime;
    if (_localtime64_s(&local, &t) != 0)
        return 0;
#else
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    std::tm local{};
    const std::time_t t = st.st_mtime;
    if (!localtime_r(&t, &local))
        return 0;
#endif
    return PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec);
}

std::string DosDateTimeText(std::uint32_t dos)
{
    if (dos == 0)
        return "-";
    const unsigned date = dos >> 16, time = dos & 0xFFFF;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (date >> 9),
                  (date >> 5) & 15, date & 31, time >> 11, (time >> 5) & 63, (time & 31) * 2);
    return text;
}

} // namespace drovel
