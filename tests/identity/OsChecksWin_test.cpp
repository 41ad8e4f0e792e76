// The operating-system checks: the WinPE key in the test prefix, and the Windows version that
// Wine reports to a program (chosen per program under HKCU\Software\Wine\AppDefaults, so the
// rest of the prefix keeps its version).
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/Identity.h"
#include <string>

using namespace identity_test;

namespace {

constexpr const char* kMiniNT = "SYSTEM\\CurrentControlSet\\Control\\MiniNT";
constexpr const char* kProbeDefaults = "Software\\Wine\\AppDefaults\\identity_osversion.exe";

struct NoMiniNT {
    NoMiniNT() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMiniNT); }
    ~NoMiniNT() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMiniNT); }
};

// What the version checks answer in a program to which Wine reports `version` ("" for the
// prefix's own version).
std::string ChecksUnder(const char* version)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kProbeDefaults);
    if (*version) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kProbeDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return "<no key>";
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), DWORD(strlen(version) + 1));
        RegCloseKey(key);
    }
    const std::string out = TempFile("osv");
    const long rc = RunAndWait("\"" + ExeDir() + "identity_osversion.exe\" \"" + out + "\"");
    std::string seen = rc == 0 ? ReadText(out) : "<probe failed>";
    DeleteFileA(out.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kProbeDefaults);
    return seen;
}

} // namespace

TEST_CASE_FIXTURE(NoMiniNT, "WinPE: the MiniNT key present or absent")
{
    CHECK_FALSE(Is_WinPE_OS());
    HKEY key = nullptr;
    REQUIRE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMiniNT, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS);
    RegCloseKey(key);
    CHECK(Is_WinPE_OS());
    CHECK(Is_WinPE_OS());  // the key was closed again, nothing held
    REQUIRE(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMiniNT) == ERROR_SUCCESS);
    CHECK_FALSE(Is_WinPE_OS());
}

TEST_CASE("Windows 2000 and XP by the version the system reports")
{
    CHECK(ChecksUnder("winxp") == "5.1 xp=1 w2k=0");
    CHECK(ChecksUnder("win2k") == "5.0 xp=0 w2k=1");
    CHECK(ChecksUnder("winxp64") == "5.2 xp=0 w2k=0");  // XP x64 is version 5.2
    CHECK(ChecksUnder("win7") == "6.1 xp=0 w2k=0");
    const std::string own = ChecksUnder("");
    CHECK(own.find("xp=0 w2k=0") != std::string::npos);
    // This process runs with the prefix's version, as does the probe without its own setting.
    CHECK_FALSE(Is_WinXP_OS());
    CHECK_FALSE(Is_Win2000_OS());
}
