// Test program: asks for its own deletion and ends. Arguments: "folder" removes its folder too,
// "short" uses short names in the batch.
#include <cstring>
#include "stub/package/FileHelpersWin.h"

int main(int argc, char** argv)
{
    bool folder = false, short_names = false;
    for (int i = 1; i < argc; ++i) {
        folder |= std::strcmp(argv[i], "folder") == 0;
        short_names |= std::strcmp(argv[i], "short") == 0;
    }
    stub::DeleteMySelf(folder, short_names);
    return 0;
}
