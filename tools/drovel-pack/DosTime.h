// DOS date-times as file records carry them: date in the high half, time in the low half.
#pragma once
#include <cstdint>
#include <string>

namespace drovel {

// The modification time of a file as a local DOS date-time; 0 when it cannot be read or lies
// outside the DOS range (1980 to 2107).
std::uint32_t FileDosDateTime(const std::string& path);

// Local calendar fields packed; 0 outside the DOS range.
std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second);

// "YYYY-MM-DD hh:mm:ss", or "-" for 0.
std::string DosDateTimeText(std::uint32_t dos);

} // namespace drovel
