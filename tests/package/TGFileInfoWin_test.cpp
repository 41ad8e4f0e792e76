#include <doctest/doctest.h>

#include <windows.h>

#include "PackageTestKit.h"

using namespace stub;

TEST_CASE("SpaceRequired asks the system for the cluster size of the folder's drive")
{
    kit::TempDir dir;
    std::string image = kit::CarrierStub() + kit::Block("\x02\x02") + kit::Block("|||||");
    Trailer t = kit::MakeTrailer(1024);
    for (int i = 0; i < kSpaceEntries; ++i)
        t.SetSpace(i, 10u + static_cast<std::uint32_t>(i));
    kit::WriteBytes(dir / "p.exe", image + t.Bytes());
    const TGFileInfo info(dir / "p.exe");

    // A drive that does not exist has no cluster size: entry 0.
    CHECK(info.SpaceRequired("Q:\\nowhere") == 10.0);
    // The system drive answers; the entry is the one of its cluster size.
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    REQUIRE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &clusters));
    const double expected = info.SpaceRequiredFor(sectors * bytes);
    CHECK(info.SpaceRequired("C:\\Temp\\SETUP_1") == expected);
    CHECK(expected > 10.0);
}
