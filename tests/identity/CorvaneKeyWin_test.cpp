// The Corvane key in the registry of the test prefix (x64 Windows: the 32-bit view).
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/CorvaneKeyWin.h"
#include "plugin/identity/Identity.h"
#include <cstring>
#include <string>

using namespace identity_test;
using namespace mirel;

namespace {

bool OpensIn(REGSAM view, const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string RawText(const char* name, DWORD* type = nullptr, DWORD* size = nullptr)
{
    char data[1024] = {};
    DWORD t = 0, n = sizeof data - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCorvaneIn32BitView, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return "<none>";
    const LONG rc = RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(data), &n);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return "<none>";
    if (type)
        *type = t;
    if (size)
        *size = n;
    return data;
}

std::string Read(const char* name, std::size_t size = 512)
{
    char out[512];
    std::memset(out, 'x', sizeof out);
    return readValue(name, out, size) == 0 ? std::string(out) : "<not found>";
}

} // namespace

TEST_CASE_FIXTURE(CleanCorvane, "the key is created in the 32-bit view and only there")
{
    CHECK_FALSE(keyExists());
    CHECK(writeValue("Chassis", "CH100") == 1);  // writing does not create the key
    CHECK(Read("Chassis") == "<not found>");
    ensureKey();
    CHECK(keyExists());
    CHECK(OpensIn(KEY_WOW64_32KEY, kCorvaneIn32BitView));
    CHECK_FALSE(OpensIn(KEY_WOW64_64KEY, kCorvaneIn32BitView));
    CHECK_FALSE(OpensIn(KEY_WOW64_64KEY, "SOFTWARE\\Wow6432Node\\Wow6432Node"));
    ensureKey();  // a second time changes nothing
    CHECK(keyExists());
}

TEST_CASE_FIXTURE(CleanCorvane, "values are written as REG_SZ with their terminating zero and read back")
{
    ensureKey();
    REQUIRE(writeValue("systemBoard", "D5870 == A10000-D5870-B10") == 0);
    DWORD type = 0, size = 0;
    CHECK(RawText("systemBoard", &type, &size) == "D5870 == A10000-D5870-B10");
    CHECK(type == REG_SZ);
    CHECK(size == std::strlen("D5870 == A10000-D5870-B10") + 1);
    CHECK(Read("systemBoard") == "D5870 == A10000-D5870-B10");
    REQUIRE(writeValue("systemBoard", "D5870") == 0);  // overwritten
    CHECK(Read("systemBoard") == "D5870");
    SUBCASE("a reading is cut to the caller's size")
    {
        CHECK(Read("systemBoard", 4) == "D58");
    }
}

TEST_CASE_FIXTURE(CleanCorvane, "value names match exactly, case included, over the enumeration")
{
    // The registry itself matches names without regard to case; the module does not.
    REQUIRE(SetRawText("SystemBoard", "other case"));
    REQUIRE(SetRawText("systemBoardX", "longer name"));
    REQUIRE(SetRawText("system", "shorter name"));
    CHECK(Read("systemBoard") == "<not found>");
    CHECK(Read("SystemBoard") == "other case");
    CHECK(Read("") == "<not found>");
    REQUIRE(SetRawText("Chassis", "CH100"));
    CHECK(Read("chassis") == "<not found>");
    CHECK(Read("Chassis") == "CH100");
    CHECK(readValue(nullptr, nullptr, 0) == 1);
}

TEST_CASE_FIXTURE(CleanCorvane, "long names and data are skipped; a multi-string gives its first string")
{
    const std::string longData(300, 'd');
    REQUIRE(SetRawText("Chassis", longData));
    CHECK(Read("Chassis") == "<not found>");
    const std::string longName(300, 'n');
    REQUIRE(SetRawText(longName.c_str(), "x"));
    REQUIRE(SetRawText("later", "found after the long ones"));
    CHECK(Read("later") == "found after the long ones");
    const char multi[] = "first\0second\0";
    REQUIRE(SetRawValue("multi", REG_MULTI_SZ, multi, sizeof multi));
    CHECK(Read("multi") == "first");
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    REQUIRE(SetRawValue("binary", REG_BINARY, unterminated, sizeof unterminated));
    CHECK(Read("binary") == "abcd");
}

TEST_CASE_FIXTURE(CleanCorvane, "an undetermined architecture refuses without touching the registry")
{
    const CorvanePlace unknown = CorvanePlaceFor(false, false);
    char out[16] = "untouched";
    CHECK(CorvaneKeyExists(unknown) == 1010);
    CHECK(CorvaneEnsureKey(unknown) == 1013);
    CHECK(CorvaneWriteValue(unknown, "Chassis", "CH100") == 1013);
    CHECK(CorvaneReadValue(unknown, "Chassis", out, sizeof out) == 1012);
    CHECK(std::string(out) == "untouched");
    CHECK_FALSE(OpensIn(KEY_WOW64_32KEY, kCorvaneIn32BitView));
    CHECK_FALSE(OpensIn(KEY_WOW64_64KEY, kCorvaneIn32BitView));
}

TEST_CASE_FIXTURE(CleanCorvane, "the 32-bit Windows place is the plain path")
{
    // On x64 a 32-bit program's plain path is the 32-bit view: this process reaches it explicitly.
    const CorvanePlace x86 = CorvanePlaceFor(true, false);
    CorvanePlace seenFrom64 = x86;
    seenFrom64.access |= KEY_WOW64_32KEY;
    CHECK(CorvaneEnsureKey(seenFrom64) == ERROR_SUCCESS);
    CHECK(CorvaneWriteValue(seenFrom64, "Chassis", "CH100") == ERROR_SUCCESS);
    CHECK(RawText("Chassis") == "CH100");
}
