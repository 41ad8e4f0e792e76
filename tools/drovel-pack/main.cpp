// drovel-pack: builds packages (carriers, volumes, agent programs, web-download stubs, inform
// files) and inspects them.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/drovel-pack/Tool.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string out, err;
    const int code = drovel::RunTool(args, out, err);
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    return code;
}
