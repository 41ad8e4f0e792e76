#include "plugin/identity/Identity.h"
#include "plugin/interface/Guard.h"
#include "stub/services/Handles.h"

namespace {

bool VersionIs(DWORD major, DWORD minor)
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes: the plain form of the query
    if (!GetVersionExA(&info))
        return false;
    return info.dwMajorVersion == major && info.dwMinorVersion == minor;
}

} // namespace

bool Is_WinPE_OS()
{
    return mirel::Guarded(false, [] {
        HKEY h = nullptr;
        const bool opened =
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\MiniNT", 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS;
        stub::RegKey key(opened ? h : nullptr);
        return opened;
    });
}

bool Is_WinXP_OS()
{
    return mirel::Guarded(false, [] { return VersionIs(5, 1); });
}

bool Is_Win2000_OS()
{
    return mirel::Guarded(false, [] { return VersionIs(5, 0); });
}
