// The setup-program double on Windows: looks at the completion atom, writes its report, keeps a
// dialog-class window alive through a helper process when asked, and ends with the exit code
// it was told.
#include <windows.h>

#include <string>

#include "standins/setup-double/SetupDouble.h"

using namespace setupdouble;

namespace {

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FolderOfPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string CurrentFolder()
{
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

void WriteReport(const Orders& orders, const Observation& seen)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA(kReportFolderVariable, folder, MAX_PATH) || !folder[0])
        return;
    const std::string path = std::string(folder) + "\\" + orders.reportName;
    const std::string temp = path + ".part";
    HANDLE f = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    const std::string text = ReportText(seen);
    DWORD written = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);  // whole reports only
}

// The helper: a window of the dialog class for ms, then the end.
int RunDialogHelper(const std::string& token, std::int64_t ms)
{
    const std::string cls = ".SDialog_Class_Name." + token;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls.c_str();
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, cls.c_str(), "Setup dialog", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
    DestroyWindow(w);
    return 0;
}

void StartDialogHelper(const Orders& orders)
{
    const std::string cmd = "\"" + ModulePath() + "\" " + kHelperSwitch + " /TH_ID=" + orders.token +
                            " /DBL_DIALOG=" + std::to_string(orders.dialogMs);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string buffer = cmd;
    if (!CreateProcessA(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // The double ends only once the window exists, so it outlives the double for sure.
    const std::string cls = ".SDialog_Class_Name." + orders.token;
    for (int i = 0; i < 500 && !FindWindowA(cls.c_str(), nullptr); ++i)
        Sleep(20);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string commandLine = GetCommandLineA();
    const Orders orders = ReadOrders(commandLine);
    if (commandLine.find(kHelperSwitch) != std::string::npos)
        return RunDialogHelper(orders.token, orders.dialogMs);

    const std::string atomName = "AutoUpdateAtomTokenByDrovel" + orders.token;
    const ATOM atom = GlobalFindAtomA(atomName.c_str());
    Observation seen{commandLine, orders.token, atom != 0, CurrentFolder(), FolderOfPath(ModulePath())};
    WriteReport(orders, seen);
    if (orders.deleteAtom && atom)
        GlobalDeleteAtom(atom);
    if (orders.dialogMs > 0)
        StartDialogHelper(orders);
    if (orders.runMs > 0)
        Sleep(static_cast<DWORD>(orders.runMs));
    return orders.exitCode;
}
