#include "tests/support/TraceViewerProcess.h"
#include "stub/services/Trace.h"
#include <fstream>
#include <iterator>
#include <sstream>

namespace testsupport {

namespace {

// The top-level viewer window that belongs to the given process, if any.
HWND ViewerWindowOf(DWORD pid)
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, stub::kTraceViewerClass, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return nullptr;
}

std::string FreshTempFile()
{
    char dir[MAX_PATH];
    char name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "trv", 0, name);
    return name;
}

bool Start(std::string commandLine, PROCESS_INFORMATION& pi)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != 0;
}

// Waits for a process; ends it when it does not end in time.
bool WaitOrEnd(HANDLE process, DWORD waitMs)
{
    if (WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    return false;
}

} // namespace

std::string ProgramBeside(const std::string& name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

TraceViewerProcess::TraceViewerProcess(DWORD waitMs) : piecesFile_(FreshTempFile())
{
    std::string cmd = "\"" + ProgramBeside("trace-viewer.exe") + "\" --quiet --pieces \"" + piecesFile_ + "\"";
    if (!Start(cmd, process_))
        return;
    // Polling with a deadline: the viewer tells of its window by nothing else a test can wait on.
    for (DWORD waited = 0; waited < waitMs; waited += 20) {
        window_ = ViewerWindowOf(process_.dwProcessId);
        if (window_ != nullptr || WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0)
            break;
    }
}

TraceViewerProcess::~TraceViewerProcess()
{
    Stop();
    DeleteFileA(piecesFile_.c_str());
}

bool TraceViewerProcess::Stop(DWORD waitMs)
{
    if (process_.hProcess == nullptr)
        return true;
    if (window_ != nullptr)
        PostMessageA(window_, WM_CLOSE, 0, 0);
    bool ended = WaitOrEnd(process_.hProcess, waitMs);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = PROCESS_INFORMATION{};
    window_ = nullptr;
    return ended;
}

std::vector<traceviewer::ReceivedPiece> TraceViewerProcess::Pieces() const
{
    std::ifstream in(piecesFile_, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return traceviewer::ParsePieceRecords(text);
}

std::string TraceViewerProcess::Text() const { return traceviewer::JoinPieces(Pieces()); }

std::vector<std::string> TraceViewerProcess::Lines() const
{
    std::vector<std::string> lines;
    const std::string text = Text();
    std::size_t start = 0;
    for (std::size_t eol; (eol = text.find("\r\n", start)) != std::string::npos; start = eol + 2)
        lines.push_back(text.substr(start, eol - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

int RunProgram(const std::string& program, const std::string& arguments, DWORD waitMs, DWORD* pid,
               std::string* commandLine)
{
    std::string cmd = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (commandLine != nullptr)
        *commandLine = cmd;
    PROCESS_INFORMATION pi{};
    if (!Start(cmd, pi))
        return -1;
    if (pid != nullptr)
        *pid = pi.dwProcessId;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitOrEnd(pi.hProcess, waitMs))
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

} // namespace testsupport
