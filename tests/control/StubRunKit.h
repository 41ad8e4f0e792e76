// Integration kit for the stub: scratch folders, packages built by the real drovel-pack with the
// setup-program double inside, Stub runs read through a real trace viewer, the double's reports,
// and a user who finds and answers the stub's boxes.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "standins/setup-double/SetupDouble.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/services/UtilsWin.h"
#include "tests/support/TraceViewerProcess.h"

namespace stubkit {

// A fresh folder under the temporary folder, removed at the end; the double reports into its
// "reports" subfolder.
struct Scratch {
    std::string root;
    explicit Scratch(const std::string& name)
    {
        root = stub::TempDir(true) + "ctl_" + name + "_" + std::to_string(GetCurrentProcessId());
        stub::DeleteTree(root, true);
        stub::ForceFolders(root + "\\reports");
        stub::ForceFolders(root + "\\pkg");
        SetEnvironmentVariableA(setupdouble::kReportFolderVariable, (root + "\\reports").c_str());
    }
    ~Scratch()
    {
        SetEnvironmentVariableA(setupdouble::kReportFolderVariable, nullptr);
        stub::DeleteTree(root, true);
    }
    std::string Pkg(const std::string& name) const { return root + "\\pkg\\" + name; }
    std::string Report(const std::string& name = "setup-double.txt") const { return root + "\\reports\\" + name; }
};

// drovel-pack build -q with these arguments; true when it succeeded.
inline bool Pack(const std::string& arguments)
{
    return testsupport::RunProgram(testsupport::ProgramBeside("drovel-pack.exe"), "build -q " + arguments, 60000,
                                   nullptr) == 0;
}

inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A carrier whose setup entry is the double stored as Setup.exe with entryArgs after the `*`.
inline bool PackSetup(const std::string& output, const std::string& entryArgs, const std::string& more = "")
{
    std::string args = "-o " + Quoted(output) + " --stub " + Quoted(testsupport::ProgramBeside("Stub.exe")) +
                       " --store Setup.exe " + Quoted(testsupport::ProgramBeside("setup-double.exe")) +
                       " --setup Setup.exe";
    if (!entryArgs.empty())
        args += " --args " + Quoted(entryArgs);
    return Pack(args + " " + more);
}

// KEY=value lines of a report; empty when the file is missing.
inline std::map<std::string, std::string> ReadReport(const std::string& path)
{
    std::map<std::string, std::string> values;
    const std::string text = stub::ReadFilePart(path, 0, 0);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
        at = end + 2;
    }
    return values;
}

// The trace lines that begin with the process id.
inline std::vector<std::string> OwnLines(const std::vector<std::string>& lines, DWORD pid)
{
    const std::string id = std::to_string(pid) + " ";
    std::vector<std::string> own;
    for (const std::string& line : lines)
        if (line.compare(0, id.size(), id) == 0)
            own.push_back(line);
    return own;
}

inline bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    for (const std::string& l : lines)
        if (l == line)
            return true;
    return false;
}

// A program started without waiting.
struct Started {
    PROCESS_INFORMATION pi{};
    std::string commandLine;
    Started(const std::string& program, const std::string& arguments)
    {
        commandLine = Quoted(program) + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string buffer = commandLine;
        CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    }
    ~Started()
    {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(pi.hProcess, 99);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    bool Running() const { return pi.hProcess != nullptr; }
    // The exit code, -1 when it did not end in time.
    int Wait(DWORD ms)
    {
        DWORD code = 0;
        if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(pi.hProcess, &code))
            return -1;
        return static_cast<int>(code);
    }
};

// Polls until the condition holds or ms have passed.
template <typename F>
bool WaitFor(F condition, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        if (condition())
            return true;
        if (waited >= ms)
            return false;
        Sleep(50);
    }
}

// A visible top-level window of the process other than the one of class exceptClass, once its
// message loop answers (its buttons and text are in place by then).
inline HWND FindBoxOf(DWORD pid, const std::string& exceptClass)
{
    struct Search {
        DWORD pid;
        const std::string* except;
        HWND found;
    } search{pid, &exceptClass, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[256] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (owner == s->pid && IsWindowVisible(w) && *s->except != cls) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    DWORD_PTR ignored = 0;
    if (search.found && !SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored))
        return nullptr;
    return search.found;
}

// The box of a started program, waited for up to ms; null when none came.
inline HWND WaitForBoxOf(const Started& run, const std::string& exceptClass, DWORD ms = 30000)
{
    HWND box = nullptr;
    WaitFor([&] { return (box = FindBoxOf(run.pi.dwProcessId, exceptClass)) != nullptr; }, ms);
    return box;
}

// n bytes that do not deflate, the same for the same seed.
inline std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::string data(n, '\0');
    for (char& c : data) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return data;
}

inline std::string TitleOf(HWND w)
{
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// The texts of the box's child windows, one after the other (the message and the buttons).
inline std::string BoxText(HWND box)
{
    std::string all;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM p) -> BOOL {
            // Sent, so that controls of another process answer with their real text.
            char text[4096] = {};
            DWORD_PTR got = 0;
            SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &got);
            *reinterpret_cast<std::string*>(p) += std::string(text) + "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// Presses the box's button whose caption, without "&", is caption; true when there was one.
inline bool PressButton(HWND box, const std::string& caption)
{
    struct Search {
        const std::string* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumChildWindows(
        box,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            std::string text = TitleOf(w);
            std::string plain;
            for (char c : text)
                if (c != '&')
                    plain += c;
            if (plain == *s->caption) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    PostMessageA(search.found, BM_CLICK, 0, 0);
    return true;
}

} // namespace stubkit
