#include "stub/package/WorkingFolders.h"

#include <cctype>

namespace stub {

std::string WorkingFolderName(const std::string& temp_folder, std::uint32_t exe_dos_date)
{
    return temp_folder + "SETUP_" + std::to_string(exe_dos_date & 0xFFFF);
}

char RoomierDrive(char temp_letter, const double free_space[3])
{
    char best = static_cast<char>(std::toupper(static_cast<unsigned char>(temp_letter)));
    double most = 0;
    for (int i = 0; i < 3; ++i) {
        if (free_space[i] > most) {
            most = free_space[i];
            best = static_cast<char>('C' + i);
        }
    }
    return best;
}

} // namespace stub
