// identity_osversion FILE: writes what the module's version checks answer in this process,
// "major.minor xp=N w2k=N". The tests choose the Windows version Wine reports to this program.
#include "plugin/identity/Identity.h"
#include <windows.h>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    FILE* f = std::fopen(argv[1], "wb");
    if (!f)
        return 3;
    std::fprintf(f, "%lu.%lu xp=%d w2k=%d", info.dwMajorVersion, info.dwMinorVersion, Is_WinXP_OS() ? 1 : 0,
                 Is_Win2000_OS() ? 1 : 0);
    std::fclose(f);
    return 0;
}
