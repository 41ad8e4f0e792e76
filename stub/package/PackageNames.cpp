#include "stub/package/PackageNames.h"

#include "stub/services/Utils.h"

namespace stub {

namespace {

bool IsDeviceName(const std::string& name)
{
    const std::string stem = UpperText(TrimRight(name.substr(0, name.find('.'))));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : kDevices)
        if (stem == d)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

} // namespace

bool IsPlainFileName(const std::string& name)
{
    if (name.empty() || name.size() > 255 || name.back() == '.' || name.back() == ' ')
        return false;
    for (unsigned char c : name)
        if (c < 32 || c == 127 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    return !IsDeviceName(name);
}

} // namespace stub
