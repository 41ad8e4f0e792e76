// The exports of Quorix.dll. Each call reads its source anew: the simulation file when
// QUORIX_SIMULATION names one, the machine otherwise.
#define QUORIX_BUILDING
#include "plugin/identity/QuorixApi.h"
#include "standins/quorix/MachineWin.h"
#include <windows.h>
#include <cstdio>

namespace quorix {

bool SimulationActive(std::string& fileText)
{
    char path[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA("QUORIX_SIMULATION", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return false;
    fileText.clear();
    if (FILE* f = std::fopen(path, "rb")) {
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            fileText.append(chunk, got);
        std::fclose(f);
    }
    return true;
}

namespace {

int Answer(Source source, int index, char* buffer, int size)
{
    try {
        std::string fileText;
        if (SimulationActive(fileText))
            return Deliver(SimulatedReading(fileText, source, index), buffer, size);
        return Deliver(source == Source::Wmi ? ReadWmi(index) : ReadSmbios(index), buffer, size);
    } catch (...) {
        return 0;
    }
}

} // namespace

} // namespace quorix

extern "C" int __cdecl SMBIOSSystemInfo(int index, char* buffer, int size)
{
    return quorix::Answer(quorix::Source::Smbios, index, buffer, size);
}

extern "C" int __cdecl WMISystemInfo(int index, char* buffer, int size)
{
    return quorix::Answer(quorix::Source::Wmi, index, buffer, size);
}
