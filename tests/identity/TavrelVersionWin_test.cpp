// The agents product through Windows Installer: packages built with wixl, installed into the
// test prefix with msiexec and removed again.
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/Identity.h"
#include <cstring>
#include <string>

using namespace identity_test;

namespace {

constexpr const char* kFirstCode = "{3A7B2E90-C4D1-4E6F-8A25-0B9C7D6E1F30}";
constexpr const char* kSecondCode = "{9D2C8B41-7E6A-4F03-B1C8-5A4E3F2D6C17}";
// The packages (tests/identity/CMakeLists.txt) and the product code of the first.
constexpr const char* kFirstMsi = "identity_agents_first.msi";
constexpr const char* kSecondMsi = "identity_agents_second.msi";
constexpr const char* kFirstProduct = "{1B2C3D4E-0001-4A5B-8C6D-7E8F90A1B2C3}";

long Msiexec(const char* action, const char* msi)
{
    return RunAndWait(std::string("msiexec.exe ") + action + " \"" + ExeDir() + msi + "\" /qn");
}

// The form in which Windows Installer keys a GUID in the registry: each group reversed, the
// last two groups by byte pairs.
std::string Squashed(const std::string& guid)
{
    auto rev = [&](std::size_t at, std::size_t n) { return std::string(guid.rbegin() + (guid.size() - at - n), guid.rbegin() + (guid.size() - at)); };
    std::string s = rev(1, 8) + rev(10, 4) + rev(15, 4);
    const std::string pairs = guid.substr(20, 4) + guid.substr(25, 12);
    for (std::size_t i = 0; i < pairs.size(); i += 2)
        s += std::string{pairs[i + 1], pairs[i]};
    return s;
}

void DeleteValue(const std::string& keyPath, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}

// Nothing of the agents product installed before and after each test.
struct Agents {
    Agents() { Clean(); }
    ~Agents() { Clean(); }
    void Clean()
    {
        Msiexec("/x", kFirstMsi);
        Msiexec("/x", kSecondMsi);
        Unset("ZARN_VERSION");
    }
    int Version(const char* code, bool store)
    {
        std::string c = code;
        return GetTavrelVersion(&c[0], version, store);
    }
    char version[512] = "untouched";
};

} // namespace

TEST_CASE("squashed product codes as Windows Installer keys them")
{
    CHECK(Squashed(kFirstProduct) == "E4D3C2B11000B5A4C8D6E7F8091A2B3C");
}

TEST_CASE_FIXTURE(Agents, "with nothing installed the agents product is not available")
{
    CHECK(Is_Zarn_available(true) == 0);
    CHECK(Version(kFirstCode, true) == 1);
    CHECK(Version(kSecondCode, true) == 1);
    CHECK(std::string(version) == "untouched");
    CHECK(ProcessVariable("ZARN_VERSION") == "<unset>");
}

TEST_CASE_FIXTURE(Agents, "a missing upgrade code or version buffer is a bad call")
{
    REQUIRE(Msiexec("/i", kFirstMsi) == 0);  // even with the product there
    CHECK(Version("", true) == 3);
    CHECK(GetTavrelVersion(nullptr, version, true) == 3);
    std::string code = kFirstCode;
    CHECK(GetTavrelVersion(&code[0], nullptr, true) == 3);
    CHECK(std::string(version) == "untouched");
    CHECK(ProcessVariable("ZARN_VERSION") == "<unset>");
}

TEST_CASE_FIXTURE(Agents, "the first product: its version, published with store")
{
    REQUIRE(Msiexec("/i", kFirstMsi) == 0);
    CHECK(Version(kFirstCode, false) == 0);
    CHECK(std::string(version) == "4.2.1");
    CHECK(ProcessVariable("ZARN_VERSION") == "<unset>");
    CHECK(Version(kFirstCode, true) == 0);
    CHECK(ProcessVariable("ZARN_VERSION") == "[4.2.1]");
    CHECK(ChildSees("ZARN_VERSION") == "[4.2.1]");
    Unset("ZARN_VERSION");
    CHECK(Is_Zarn_available(true) == 1);
    CHECK(ProcessVariable("ZARN_VERSION") == "[4.2.1]");

    SUBCASE("without its version it is still available, and the version reads \"unknown\"")
    {
        const std::string squashed = Squashed(kFirstProduct);
        DeleteValue("Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\" + squashed +
                        "\\InstallProperties",
                    "DisplayVersion");
        DeleteValue(std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kFirstProduct, "DisplayVersion");
        Unset("ZARN_VERSION");
        CHECK(Version(kFirstCode, true) == 2);
        CHECK(std::string(version) == "unknown");
        CHECK(ProcessVariable("ZARN_VERSION") == "<unset>");
        CHECK(Is_Zarn_available(true) == 1);
    }
}

TEST_CASE_FIXTURE(Agents, "only the second upgrade code installed: found after the first is not")
{
    REQUIRE(Msiexec("/i", kSecondMsi) == 0);
    CHECK(Version(kFirstCode, true) == 1);
    CHECK(Is_Zarn_available(true) == 1);
    CHECK(ProcessVariable("ZARN_VERSION") == "[7.0.3]");
    CHECK(Is_Zarn_available(false) == 1);
}
