// Hello Product's setup program: the installer a Drovel package carries in the demo. It copies
// its files to "<Program Files>\Hello Product", records the installation in the registry and, as
// the stub's contract asks, deletes the completion atom named by its /TH_ID= token on success.
#include <windows.h>

#include <string>

namespace {

// The value of "/NAME=" on the command line up to the next blank (quotes removed).
std::string SwitchValue(const std::string& cmd, const std::string& name)
{
    const std::size_t at = cmd.find(name);
    if (at == std::string::npos)
        return "";
    std::size_t from = at + name.size();
    if (from < cmd.size() && cmd[from] == '"') {
        const std::size_t end = cmd.find('"', from + 1);
        return cmd.substr(from + 1, end == std::string::npos ? std::string::npos : end - from - 1);
    }
    return cmd.substr(from, cmd.find(' ', from) - from);
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

std::string ProgramFilesFolder()
{
    char path[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ProgramFiles", path, MAX_PATH) && path[0])
        return path;
    return "C:\\Program Files";
}

bool SetText(HKEY key, const char* name, const std::string& value)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool Install(const std::string& target, const std::string& language)
{
    CreateDirectoryA(target.c_str(), nullptr);
    const std::string from = OwnFolder();
    for (const char* file : {"readme.txt", "hello.txt"})
        if (!CopyFileA((from + "\\" + file).c_str(), (target + "\\" + file).c_str(), FALSE))
            return false;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Hello Product", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = SetText(key, "Version", "1.0") && SetText(key, "InstallDir", target) &&
                    SetText(key, "Language", language.empty() ? "default" : language);
    RegCloseKey(key);
    return ok;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string cmd = GetCommandLineA();
    const std::string target = ProgramFilesFolder() + "\\Hello Product";
    if (!Install(target, SwitchValue(cmd, "/L=")))
        return 1603;  // the usual "fatal error during installation"
    const std::string atom = "AutoUpdateAtomTokenByDrovel" + SwitchValue(cmd, "/TH_ID=");
    if (ATOM a = GlobalFindAtomA(atom.c_str()))
        GlobalDeleteAtom(a);
    return 0;
}
