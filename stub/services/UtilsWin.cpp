// Utils, Windows side: thin calls around the portable cores of Utils.h.
#include "stub/services/UtilsWin.h"

#include <algorithm>
#include <vector>

#include "stub/services/Handles.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Trace.h"

namespace stub {

namespace {

// A folder the system reports through a (buffer, size) call returning the length: read into 256
// characters, and again with the reported size when it needs more.
template <typename Call>
std::string SystemText(Call call)
{
    std::string buffer(256, '\0');
    UINT length = call(&buffer[0], static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length + 1, '\0');
        length = call(&buffer[0], static_cast<UINT>(buffer.size()));
    }
    if (length >= buffer.size())
        return std::string();
    buffer.resize(length);
    return buffer;
}

} // namespace

bool SystemLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

// ---- Folders -----------------------------------------------------------------------------------

std::string ExePath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        if (buffer.size() >= 32768)
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExeDir(bool add) { return WithBackslash(FolderOf(ExePath(), SystemLeadByte), add, SystemLeadByte); }

std::string WindowsDir(bool add)
{
    return WithBackslash(SystemText([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); }), add, SystemLeadByte);
}

std::string SystemDir(bool add)
{
    return WithBackslash(SystemText([](char* b, UINT n) { return GetSystemDirectoryA(b, n); }), add, SystemLeadByte);
}

std::string TempDir(bool add)
{
    return WithBackslash(SystemText([](char* b, UINT n) { return static_cast<UINT>(GetTempPathA(n, b)); }), add,
                         SystemLeadByte);
}

// ---- The process's command line ----------------------------------------------------------------

std::string CommandTail() { return CommandTailOf(GetCommandLineA(), ExePath()); }
std::string SwitchValue(const std::string& sw) { return SwitchValueIn(CommandTail(), sw); }
bool HasSwitch(const std::string& sw) { return HasSwitchIn(CommandTail(), sw); }
std::int64_t SwitchInt(const std::string& sw, std::int64_t def) { return SwitchIntIn(CommandTail(), sw, def); }

// ---- INI files ---------------------------------------------------------------------------------

std::string ReadIniStringWith(IniReadFunction read, const std::string& file, const std::string& section,
                              const std::string& key, const std::string& def)
{
    try {
        std::string buffer(kIniValueChars + 1, '\0');
        const DWORD length = read(section.c_str(), key.c_str(), def.c_str(), &buffer[0],
                                  static_cast<DWORD>(buffer.size()), file.c_str());
        buffer.resize(std::min<DWORD>(length, kIniValueChars));
        return buffer;
    } catch (...) {
        TraceOut() << "EXCEPTION --- Utils.ReadIniString()  " << SysErrorText() << kEol;
        return std::string();
    }
}

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& def)
{
    return ReadIniStringWith(GetPrivateProfileStringA, file, section, key, def);
}

std::int64_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int64_t def)
{
    return ParseInt64(ReadIniString(file, section, key, std::to_string(def)), def);
}

bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool WriteIniInt(const std::string& file, const std::string& section, const std::string& key, std::int64_t value)
{
    return WriteIniString(file, section, key, std::to_string(value));
}

// ---- Registry ----------------------------------------------------------------------------------

HKEY RootKeyHandle(RootKey root)
{
    switch (root) {
    case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::Users: return HKEY_USERS;
    case RootKey::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RootKey::DynData: return HKEY_DYN_DATA;
    case RootKey::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

HKEY RootKeyFromName(const std::string& name) { return RootKeyHandle(RootKeyIdFromName(name)); }

bool TryReadRegistryValue(const std::string& path, const std::string& valueName, std::string& out)
{
    const RegistryPath where = SplitRegistryPath(path);
    HKEY raw = nullptr;
    // The 32-bit view: what the 32-bit stub reads, also when a 64-bit build runs the tests.
    if (RegOpenKeyExA(RootKeyHandle(where.root), where.subKey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &raw) !=
        ERROR_SUCCESS)
        return false;
    RegKey key(raw);
    std::vector<char> buffer(kRegistryValueBytes);
    DWORD type = REG_NONE;
    DWORD size = kRegistryValueBytes;
    if (RegQueryValueExA(key.get(), valueName.empty() ? nullptr : valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        size > buffer.size())
        return false;
    out = RegistryValueText(type, buffer.data(), size);
    return true;
}

std::string ReadRegistryValue(const std::string& path, const std::string& valueName, const std::string& def)
{
    std::string value;
    return TryReadRegistryValue(path, valueName, value) ? value : def;
}

std::string WindowsVersionKey()
{
    return IsWinNT() ? "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
              : "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

std::string ReadRegisteredOwner()
{
    std::string owner;
    return TryReadRegistryValue(WindowsVersionKey(), "RegisteredOwner", owner) ? Trim(owner) : LoggedOnUser();
}

std::string ReadRegisteredOrganization() { return Trim(ReadRegistryValue(WindowsVersionKey(), "RegisteredOrganization", "")); }

} // namespace stub
