// The system side of the architecture probe.
#include "plugin/interface/Architecture.h"
#include <windows.h>

namespace {

bool RunsUnderWow64()
{
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    auto isWow64 = kernel ? reinterpret_cast<IsWow64ProcessFn>(GetProcAddress(kernel, "IsWow64Process")) : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

int ProbeSystem()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    bool wow64 = info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL && RunsUnderWow64();
    char variable[513] = "";
    DWORD length = wow64 ? GetEnvironmentVariableA("PROCESSOR_ARCHITEW6432", variable, sizeof variable) : 0;
    bool present = length > 0 && length < sizeof variable;
    return mirel::ClassifyArchitecture(info.wProcessorArchitecture, wow64, present ? variable : nullptr);
}

} // namespace

namespace mirel {

bool is64BitWindows()
{
    return Is64BitWindowsWith(ProbeSystem);
}

bool is32BitWindows()
{
    return Is32BitWindowsWith(ProbeSystem);
}

} // namespace mirel
