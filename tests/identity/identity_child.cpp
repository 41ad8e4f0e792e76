// identity_child NAME FILE: writes "[value]" of the environment variable NAME to FILE, or
// "<unset>" when this process did not inherit it. The environment block is searched directly:
// an empty value and an absent one are different answers.
#include "IdentityTestSupport.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    FILE* f = std::fopen(argv[2], "wb");
    if (!f)
        return 3;
    std::fputs(identity_test::ProcessVariable(argv[1]).c_str(), f);
    std::fclose(f);
    return 0;
}
