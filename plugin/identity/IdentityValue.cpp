#include "plugin/identity/IdentityValue.h"
#include <cstring>

namespace mirel {

bool IsMissingValue(const char* text)
{
    if (text == nullptr)
        return true;
    std::size_t n = 0;
    for (; text[n] != '\0'; ++n) {
        if (text[n] != ' ' || n == kMissingBlanksMax)
            return false;
    }
    return true;
}

StoredBoard SplitStoredBoard(const char* stored)
{
    const std::string value = stored ? stored : "";
    const auto sep = value.find("==");
    if (sep == std::string::npos)
        return StoredBoard{value, value};
    return StoredBoard{value.substr(0, sep), value.substr(sep + 2)};
}

bool ComposeAssignment(const char* name, const char* value, std::string& out)
{
    if (name == nullptr || *name == '\0' || std::strchr(name, '=') != nullptr)
        return false;
    out.assign(name).append("=").append(value ? value : "");
    return out.size() <= kAssignmentMax;
}

void CopyBounded(char* out, std::size_t size, const char* text)
{
    if (out == nullptr || size == 0)
        return;
    const std::size_t n = text ? strnlen(text, size - 1) : 0;
    if (n > 0)
        std::memcpy(out, text, n);
    out[n] = '\0';
}

} // namespace mirel
