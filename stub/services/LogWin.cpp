#include "stub/services/LogWin.h"
#include "stub/services/Handles.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

// Opened with sharing, so a reader or a second writer does not lose the line; created when
// missing.
void AppendLine(const std::string& path, const std::string& line)
{
    UniqueHandle f(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f)
        return;
    if (SetFilePointer(f.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return;
    DWORD written = 0;
    WriteFile(f.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace

std::string LogFileName()
{
    static const std::string path = LogFileNameFor(ExePath());
    return path;
}

void WriteLog(const std::string& message)
{
    if (!LogEnabled())
        return;
    AppendLine(LogFileName(), LogLine(DateTimeStamp(Now()), GetCurrentThreadId(), LogPrefix(), message));
}

} // namespace stub
