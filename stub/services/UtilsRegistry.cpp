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

} // namespace stub
