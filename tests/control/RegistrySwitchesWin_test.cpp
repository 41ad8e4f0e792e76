// The two registry switches of the stub, read from the real registry of the Wine prefix.
#include <doctest/doctest.h>

#include <windows.h>

#include "stub/control/AgentState.h"
#include "stub/control/AgentWin.h"
#include "stub/control/SetupFlowWin.h"

namespace {

// Sets (or with a null value deletes) a text value under HKCU\Software\Vorlund\Drovel\<sub>.
void SetValue(const char* sub, const char* name, const char* value)
{
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Vorlund\\Drovel\\") + sub;
    REQUIRE(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) == ERROR_SUCCESS);
    if (value)
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

} // namespace

TEST_CASE("CheckTestMode reads TestMode and TestModeURL when forced, and keeps its answer for 30 s otherwise")
{
    SetValue("AutoUpdate", "TestMode", "1");
    SetValue("AutoUpdate", "TestModeURL", "C:\\UpdateTest");
    CHECK(stub::CheckTestMode(true));
    CHECK(stub::Agent().testFolder == "C:\\UpdateTest");
    SetValue("AutoUpdate", "TestMode", "yes");
    CHECK(stub::CheckTestMode(false));  // not read again so soon
    CHECK_FALSE(stub::CheckTestMode(true));
    SetValue("AutoUpdate", "TestMode", nullptr);
    SetValue("AutoUpdate", "TestModeURL", nullptr);
    CHECK_FALSE(stub::CheckTestMode(true));
    CHECK(stub::Agent().testFolder.empty());
}

TEST_CASE("ForcePromptSet: exactly \"1\" under SpanDisk")
{
    SetValue("SpanDisk", "ForcePrompt", "1");
    CHECK(stub::ForcePromptSet());
    SetValue("SpanDisk", "ForcePrompt", "1 ");
    CHECK_FALSE(stub::ForcePromptSet());
    SetValue("SpanDisk", "ForcePrompt", nullptr);
    CHECK_FALSE(stub::ForcePromptSet());
}
