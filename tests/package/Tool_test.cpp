// The drovel-pack program itself, started as a process beside this test.
#include <doctest/doctest.h>

#include "PackageTestKit.h"

namespace {

const std::string& Tool()
{
    static const std::string path = kit::Sibling("drovel-pack");
    return path;
}

} // namespace

TEST_CASE("drovel-pack inspect reports a real package")
{
    kit::TempDir dir;
    kit::WriteBytes(dir / "Stub.exe", kit::CarrierStub(2048));
    kit::WriteBytes(dir / "Setup.exe", std::string(5000, 's'));
    kit::WriteBytes(dir / "readme.txt", "hello");
    const std::string out = dir / "Product.exe";
    const std::string log = dir / "log.txt";
    REQUIRE(kit::Run(kit::Quote(Tool()) + " build -o " + kit::Quote(out) + " --stub " + kit::Quote(dir / "Stub.exe") +
                         " --sign-ready --setup Setup.exe --args /S --token Hush --second-bar --download-url http://dl"
                         " --download-name P.exe --download-size 1K " +
                         kit::Quote(dir / "Setup.exe") + " " + kit::Quote(dir / "readme.txt"),
                     log) == 0);
    CHECK(kit::ReadBytes(log).find("1 volume(s)") != std::string::npos);

    REQUIRE(kit::Run(kit::Quote(Tool()) + " inspect " + kit::Quote(out), log) == 0);
    const std::string report = kit::ReadBytes(log);
    const std::string size = std::to_string(std::filesystem::file_size(out));
    const char* const expected[] = {
        "executable carrier: yes",
        "trailer length: 74",
        "magic: 0x4A3B2C1D (package)",
        "header blocks: 3",
        "payload start: 2048",
        "files: 2",
        "(holds)",
        "flags: 0x08 second-bar",
        "[English] 19 texts",
        "s0=Drovel Installation Suite",
        "  token: Hush",
        "  file name: P.exe",
        "  size: 1024",
        "Setup.exe  ",
        "setup entry: Setup.exe* /S",
        "readme.txt",
        "(empty header: carries nothing)",
        "walk: end of records",
        "another volume follows: no",
        "verdict: sound",
    };
    for (const char* line : expected) {
        CAPTURE(std::string(line));
        CHECK(report.find(line) != std::string::npos);
    }
    CHECK(report.find("package end (E): " + size) != std::string::npos);

    // A damaged copy: a byte inside the records flipped.
    std::string bytes = kit::ReadBytes(out);
    bytes[2100] ^= 0x40;
    kit::WriteBytes(dir / "Damaged.exe", bytes);
    CHECK(kit::Run(kit::Quote(Tool()) + " inspect " + kit::Quote(dir / "Damaged.exe"), log) == 1);
    CHECK(kit::ReadBytes(log).find("DOES NOT HOLD") != std::string::npos);
}

TEST_CASE("drovel-pack exit codes: help, bad command line, bad input")
{
    kit::TempDir dir;
    const std::string log = dir / "log.txt";
    CHECK(kit::Run(kit::Quote(Tool()) + " --help", log) == 0);
    CHECK(kit::ReadBytes(log).find("drovel-pack inspect") != std::string::npos);
    CHECK(kit::Run(kit::Quote(Tool()) + " build --nonsense", log) == 2);
    CHECK(kit::Run(kit::Quote(Tool()) + " build -o " + kit::Quote(dir / "x.pkg") + " " + kit::Quote(dir / "missing"), log) == 1);
    CHECK(kit::ReadBytes(log).find("cannot read") != std::string::npos);
    CHECK_FALSE(std::filesystem::exists(dir / "x.pkg"));
    CHECK(kit::Run(kit::Quote(Tool()) + " inspect " + kit::Quote(dir / "missing"), log) == 1);
}
