// A child process for the tests of behaviour that ends or writes from a process:
//   plugin_child number TEXT BASE          prints string2int's result (a range error ends it)
//   plugin_child screen VERBOSE LEVEL...   PrintDebug on screen (stderr) at each level
#include "plugin/interface/DebugLog.h"
#include "plugin/interface/TextHelpers.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc == 4 && !std::strcmp(argv[1], "number")) {
        std::printf("%d\n", string2int(argv[2], std::atoi(argv[3])));
        return 0;
    }
    if (argc >= 3 && !std::strcmp(argv[1], "screen")) {
        PrintDebugOnScreen = true;
        VerboseLevel = std::atoi(argv[2]);
        for (int i = 3; i < argc; ++i) {
            std::string text = "level " + std::string(argv[i]) + "\n";
            std::printf("%d", PrintDebug(std::atoi(argv[i]), &text[0], nullptr) ? 1 : 0);
        }
        return 0;
    }
    return 2;
}
