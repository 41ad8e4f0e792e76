// Quorix.dll through its exports: simulation files, and the machine Wine presents.
#include <doctest/doctest.h>
#include "plugin/identity/QuorixApi.h"
#include "tests/identity/IdentityTestSupport.h"
#include <cstring>
#include <string>

using identity_test::Dmi;
using identity_test::Simulation;

namespace {

// "rc [text]" of one call with a zeroed 512-byte buffer.
std::string Ask(int (*call)(int, char*, int), int index, int size = 512)
{
    char buffer[512] = {};
    const int rc = call(index, buffer, size);
    return std::to_string(rc) + " [" + (rc ? buffer : "") + "]";
}

} // namespace

TEST_CASE("a simulation file decides every answer, per source and index")
{
    Simulation sim(
        "[WMI]\n0=PRIMERGY RX100\n1=\"          \"\n2=CH100 S2\n"
        "[SMBIOS]\n1=A10000-D5870-B10 GS 01\n2=\n");
    CHECK(Ask(WMISystemInfo, 0) == "1 [PRIMERGY RX100]");
    CHECK(Ask(WMISystemInfo, 1) == "1 [          ]");
    CHECK(Ask(WMISystemInfo, 2) == "1 [CH100 S2]");
    CHECK(Ask(SMBIOSSystemInfo, 0) == "0 []");
    CHECK(Ask(SMBIOSSystemInfo, 1) == "1 [A10000-D5870-B10 GS 01]");
    CHECK(Ask(SMBIOSSystemInfo, 2) == "1 []");
    CHECK(Ask(WMISystemInfo, 7) == "0 []");
    SUBCASE("the caller's size is respected")
    {
        CHECK(Ask(SMBIOSSystemInfo, 1, 7) == "1 [A10000]");
        char small[4] = {'x', 'x', 'x', 'x'};
        CHECK(WMISystemInfo(0, small, 0) == 0);
        CHECK(small[0] == 'x');
        CHECK(WMISystemInfo(0, nullptr, 512) == 0);
    }
    SUBCASE("the file is read at every call")
    {
        FILE* f = std::fopen(sim.path.c_str(), "wb");
        std::fputs("[WMI]\n0=changed\n", f);
        std::fclose(f);
        CHECK(Ask(WMISystemInfo, 0) == "1 [changed]");
        CHECK(Ask(SMBIOSSystemInfo, 1) == "0 []");
    }
}

TEST_CASE("a simulation file that cannot be read makes every answer fail")
{
    Simulation sim("");
    DeleteFileA(sim.path.c_str());
    for (int index = 0; index <= 2; ++index) {
        CHECK(Ask(WMISystemInfo, index) == "0 []");
        CHECK(Ask(SMBIOSSystemInfo, index) == "0 []");
    }
}

TEST_CASE("without a simulation the machine answers: SMBIOS and WMI agree with the host's DMI values")
{
    SetEnvironmentVariableA("QUORIX_SIMULATION", nullptr);
    // Wine builds both from /sys/class/dmi/id; empty in a sandbox, chosen values in the
    // fake-machine run (IDENTITY_FAKE_MACHINE set).
    if (identity_test::OnFakeMachine()) {
        REQUIRE_FALSE(Dmi("board_version").empty());
        REQUIRE_FALSE(Dmi("chassis_version").empty());
        REQUIRE_FALSE(Dmi("product_name").empty());
    }
    CHECK(Ask(SMBIOSSystemInfo, 1) == "1 [" + Dmi("board_version") + "]");
    CHECK(Ask(SMBIOSSystemInfo, 2) == "1 [" + Dmi("chassis_version") + "]");
    CHECK(Ask(SMBIOSSystemInfo, 0) == "0 []");  // the model name is WMI's alone
    const std::string product = Dmi("product_name");
    CHECK(Ask(WMISystemInfo, 0) == "1 [" + (product.empty() ? std::string("Wine") : product) + "]");
    if (!Dmi("board_version").empty())
        CHECK(Ask(WMISystemInfo, 1) == "1 [" + Dmi("board_version") + "]");  // PartNumber absent: Version
    CAPTURE(Ask(WMISystemInfo, 1));
    CAPTURE(Ask(WMISystemInfo, 2));
    CHECK(Ask(WMISystemInfo, 3) == "0 []");
}
