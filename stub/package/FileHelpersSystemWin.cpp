// The self-deleting batch and the CD eject.
#include "stub/package/FileHelpersWin.h"
#include <winioctl.h>
#include <cctype>
#include "stub/services/Trace.h"
#include "stub/services/UtilsWin.h"

namespace stub {
namespace {

std::string ShortName(const std::string& path)
{
    char buffer[MAX_PATH * 2];
    const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

void StartHidden(const std::string& batch_path)
{
    char comspec[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("ComSpec", comspec, sizeof comspec);
    const std::string shell = n > 0 && n < sizeof comspec ? std::string(comspec, n) : std::string("cmd.exe");
    std::string command = "\"" + shell + "\" /c \"" + batch_path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        UniqueHandle process(pi.hProcess), thread(pi.hThread);  // not waited for
    }
}

UniqueHandle OpenDevice(const std::string& device, DWORD access)
{
    return UniqueHandle(CreateFileA(device.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
}

void TraceDevice(const char* label, const std::string& device, HANDLE h)
{
    TraceOut() << label << device << " " << static_cast<long long>(reinterpret_cast<INT_PTR>(h)) << kEol;
}

} // namespace

void DeleteMySelf(bool remove_folder, bool short_names)
{
    const std::string temp = TempDir(true);
    std::string batch = temp + "_DEL_ME_.BAT";
    std::string exe = ExePath();
    std::string folder = ExeDir(false);
    if (short_names) {
        WriteFile(batch, "ABC\r\n", 0, false);  // a short name exists only for an existing file
        batch = ShortName(batch);
        exe = ShortName(exe);
        folder = ShortName(folder);
        DeleteFileA(batch.c_str());
    }
    const std::string text = SelfDeleteBatchText(exe, folder, batch, remove_folder, !short_names);
    SetCurrentDirectoryA(TempDir(false).c_str());
    WriteFile(batch, text, 0, false);
    StartHidden(batch);
}

bool EjectCD(const std::string& path)
{
    if (path.empty())
        return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    if (letter < 'A' || letter > 'Z')
        return false;
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_CDROM)
        return false;
    const std::string device = std::string("\\\\.\\") + letter + ":";
    UniqueHandle h = OpenDevice(device, GENERIC_READ | GENERIC_WRITE);
    TraceDevice("EjectCD-2: ", device, h.get());
    if (!h) {
        h = OpenDevice(device, GENERIC_READ);
        TraceDevice("EjectCD-3: ", device, h.get());
    }
    if (!h)
        return false;
    DWORD returned = 0;
    return DeviceIoControl(h.get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned, nullptr) != 0;
}

} // namespace stub
