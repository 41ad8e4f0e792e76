#include "PluginProcess.h"
#include <vector>

namespace plugintest {

namespace {

struct Handle {
    HANDLE h = nullptr;
    ~Handle() { if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h); }
};

ProcessResult Wait(PROCESS_INFORMATION& pi)
{
    ProcessResult result;
    Handle process{pi.hProcess}, thread{pi.hThread};
    result.finished = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    if (!result.finished)
        TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    return result;
}

std::string ReadAll(HANDLE pipe)
{
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

std::string ReadScreen()
{
    Handle out{CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr)};
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(out.h, &info))
        return "<no console buffer>";
    std::string text;
    std::vector<char> row(info.dwSize.X);
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
        DWORD got = 0;
        ReadConsoleOutputCharacterA(out.h, row.data(), info.dwSize.X, COORD{0, y}, &got);
        std::string line(row.data(), got);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

} // namespace

std::string Sibling(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

std::string HostCommand(const std::string& args)
{
    return "\"" + Sibling("mirel-host.exe") + "\" " + args;
}

ProcessResult RunCaptured(const std::string& commandLine, const char* currentDir)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!CreatePipe(&readEnd.h, &writeEnd.h, &sa, 0))
        return {};
    SetHandleInformation(readEnd.h, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd.h;
    si.hStdError = writeEnd.h;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, currentDir, &si, &pi))
        return {};
    CloseHandle(writeEnd.h);
    writeEnd.h = nullptr;
    std::string output = ReadAll(readEnd.h);
    ProcessResult result = Wait(pi);
    result.output = output;
    return result;
}

ProcessResult RunInConsole(const std::string& commandLine, bool detached)
{
    FreeConsole();
    if (!AllocConsole())
        return {};
    {
        Handle out{CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr)};
        SetConsoleScreenBufferSize(out.h, COORD{400, 300});  // wide rows: long lines stay whole
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    ProcessResult result;
    DWORD flags = detached ? DETACHED_PROCESS : 0;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi)) {
        result = Wait(pi);
        result.output = ReadScreen();
        char title[256] = "";
        GetConsoleTitleA(title, sizeof title);
        result.title = title;
    }
    FreeConsole();
    return result;
}

std::string AsConsoleShows(const std::string& text)
{
    std::string shown, row;
    auto endRow = [&] {
        row.erase(row.find_last_not_of(' ') + 1);
        shown += row + "\n";
        row.clear();
    };
    for (char c : text) {
        if (c == '\n')
            endRow();
        else if (c == '\t')
            row.append(8 - row.size() % 8, ' ');
        else
            row += c;
    }
    endRow();  // the row the cursor stands on, empty after a final line feed
    return shown;
}

} // namespace plugintest
