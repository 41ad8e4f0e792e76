// The folders the setup flow extracts into. The working folder is the temporary folder +
// "SETUP_" + the time half of the running executable's DOS modification date-time; the
// alternative working folder lies on the fixed drive (C, D or E) with the most free space when
// that is not the temporary folder's drive. Both are computed once per process and created
// fresh (an older tree of the same name is removed first).
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// temp_folder with a trailing `\`.
std::string WorkingFolderName(const std::string& temp_folder, std::uint32_t exe_dos_date);

// The drive letter with strictly more free space than the temporary folder's drive (which
// counts 0), walking C, D, E; the temporary folder's letter when none has more.
// free_space[0..2] are the free bytes found on C, D and E (0 for drives that are not fixed).
char RoomierDrive(char temp_letter, const double free_space[3]);

} // namespace stub
