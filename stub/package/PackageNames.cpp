#include "stub/package/PackageNames.h"

namespace stub {

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    return true;
}

} // namespace stub
