// quorix_query: prints every reading of Quorix.dll, one line each: SOURCE INDEX RESULT [TEXT].
// Used to look at a machine (or a simulation file) by hand and by the fake-machine test.
#include "plugin/identity/QuorixApi.h"
#include <cstdio>
#include <cstring>

int main()
{
    struct {
        const char* name;
        int (*call)(int, char*, int);
    } sources[] = {{"WMI", WMISystemInfo}, {"SMBIOS", SMBIOSSystemInfo}};
    for (const auto& s : sources) {
        for (int index = 0; index <= 2; ++index) {
            char buffer[512] = {};
            const int rc = s.call(index, buffer, sizeof buffer);
            std::printf("%s %d %d [%s]\n", s.name, index, rc, rc ? buffer : "");
        }
    }
    return 0;
}
