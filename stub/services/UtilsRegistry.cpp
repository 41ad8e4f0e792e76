// Utils: registry paths "ROOT\sub\key" split into a root key and a subkey.
#include "stub/services/Utils.h"

namespace stub {

RootKey RootKeyIdFromName(const std::string& name)
{
    struct Root {
        const char* name;
        const char* abbreviation;
        RootKey key;
    };
    static const Root kRoots[] = {
        {"HKEY_CLASSES_ROOT", "HKCR", RootKey::ClassesRoot},   {"HKEY_CURRENT_USER", "HKCU", RootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", "HKLM", RootKey::LocalMachine}, {"HKEY_USERS", "HKU", RootKey::Users},
        {"HKEY_CURRENT_CONFIG", "HKCC", RootKey::CurrentConfig}, {"HKEY_DYN_DATA", "HKDD", RootKey::DynData},
    };
    for (const Root& root : kRoots)
        if (SameText(name, root.name) || SameText(name, root.abbreviation))
            return root.key;
    return RootKey::CurrentUser;
}

RegistryPath SplitRegistryPath(const std::string& path)
{
    RegistryPath result;
    const std::string t = Trim(path);
    if (!StartsWith("HK", t, true)) {
        result.subKey = t;
        return result;
    }
    const std::size_t slash = t.find('\\');
    result.rootName = t.substr(0, slash);
    if (slash != std::string::npos)
        result.subKey = t.substr(slash + 1);
    result.root = RootKeyIdFromName(result.rootName);
    return result;
}

std::string RegistryValueText(std::uint32_t type, const char* data, std::size_t size)
{
    if (type == kRegDword && size == 4) {
        std::uint32_t value = 0;
        for (std::size_t i = 4; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(data[i]);
        return std::to_string(value);
    }
    if (data == nullptr || size == 0)
        return std::string();
    std::string text(data, size);
    if (type == kRegMultiString && size > 2) {
        text.erase(text.find_last_not_of('\0') + 1);  // npos + 1 == 0: all zero bytes go
        return ReplaceAll(text, std::string(1, '\0'), "<0>");
    }
    return text.substr(0, text.find('\0'));
}

} // namespace stub
