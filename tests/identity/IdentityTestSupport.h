// Shared pieces of the Windows-side identity tests: programs beside the test, child processes,
// the Corvane key as the registry itself shows it.
#pragma once
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace identity_test {

inline std::string ExeDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p = path;
    return p.substr(0, p.find_last_of("\\/") + 1);
}

// Runs a command line and returns its exit code (-1 when it could not start or time ran out).
inline long RunAndWait(std::string commandLine, DWORD timeoutMs = 60000)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return long(code);
}

inline std::string ReadText(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[1024];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

inline std::string TempFile(const char* prefix)
{
    char dir[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    GetTempFileNameA(dir, prefix, 0, file);
    return file;
}

// What a child process started now sees of the variable: "[value]" or "<unset>".
inline std::string ChildSees(const char* name)
{
    const std::string out = TempFile("idc");
    const long rc = RunAndWait("\"" + ExeDir() + "identity_child.exe\" " + name + " \"" + out + "\"");
    std::string seen = rc == 0 ? ReadText(out) : "<child failed>";
    DeleteFileA(out.c_str());
    return seen;
}

// This process's own view of a variable, from its environment block (not the run-time
// library's copy): "[value]" or "<unset>".
inline std::string ProcessVariable(const char* name)
{
    const std::string prefix = std::string(name) + "=";
    std::string found = "<unset>";
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; entry && *entry; entry += std::strlen(entry) + 1) {
        if (_strnicmp(entry, prefix.c_str(), prefix.size()) == 0)
            found = "[" + std::string(entry + prefix.size()) + "]";
    }
    FreeEnvironmentStringsA(block);
    return found;
}

inline void Unset(const char* name)
{
    _putenv((std::string(name) + "=").c_str());
    SetEnvironmentVariableA(name, nullptr);  // gone from the process block too, not just emptied
}

// The Corvane key in the 32-bit registry view, as a 32-bit program on x64 Windows sees it.
constexpr const char* kCorvaneIn32BitView = "SOFTWARE\\Kelvane Troburg\\Corvane";

inline void DeleteCorvaneKey()
{
    HKEY parent = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kelvane Troburg", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &parent) == ERROR_SUCCESS) {
        RegDeleteTreeA(parent, "Corvane");
        RegCloseKey(parent);
    }
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kelvane Troburg", KEY_WOW64_32KEY, 0);
}

// Sets a value straight in the 32-bit view, creating the key.
inline bool SetRawValue(const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCorvaneIn32BitView, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

inline bool SetRawText(const char* name, const std::string& text)
{
    return SetRawValue(name, REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

// A scratch Corvane key: removed before and after each test.
struct CleanCorvane {
    CleanCorvane() { DeleteCorvaneKey(); }
    ~CleanCorvane() { DeleteCorvaneKey(); }
};

// A value of the host's DMI folder (without its line end; "" when absent), from which Wine
// builds its SMBIOS table and WMI answers. The fake-machine run names its chosen values in
// IDENTITY_DMI_<file>: its files are visible to this process's own reads but not to the shared
// wineserver, through which drive Z: is read.
inline std::string Dmi(const char* name)
{
    char chosen[512] = {};
    if (GetEnvironmentVariableA((std::string("IDENTITY_DMI_") + name).c_str(), chosen, sizeof chosen) != 0)
        return chosen;
    std::string s = ReadText(std::string("Z:\\sys\\class\\dmi\\id\\") + name);
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    return s;
}

// Set by tests/identity/fake_machine.sh, which runs a test on a machine with chosen DMI values.
inline bool OnFakeMachine()
{
    return GetEnvironmentVariableA("IDENTITY_FAKE_MACHINE", nullptr, 0) != 0;
}

// Quorix.dll answers from this INI text while the object lives.
struct Simulation {
    explicit Simulation(const std::string& iniText) : path(TempFile("qsi"))
    {
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(iniText.data(), 1, iniText.size(), f);
            std::fclose(f);
        }
        SetEnvironmentVariableA("QUORIX_SIMULATION", path.c_str());
    }
    ~Simulation()
    {
        SetEnvironmentVariableA("QUORIX_SIMULATION", nullptr);
        DeleteFileA(path.c_str());
    }
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;
    std::string path;
};

} // namespace identity_test
