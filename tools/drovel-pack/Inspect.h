// The report of `drovel-pack inspect`: trailer fields, flags, header blocks with the tokens
// descrambled, the record list and whether the checksum holds.
#pragma once
#include <string>

namespace drovel {

// The report text. False (with the report saying why) when the file cannot be read, is no
// package, its checksum fails or its records are damaged.
bool InspectPackage(const std::string& path, std::string& report);

} // namespace drovel
