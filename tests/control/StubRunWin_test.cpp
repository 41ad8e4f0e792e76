// Stub.exe without a package started for real, its trace read by a real trace viewer.
#include <doctest/doctest.h>
#include "tests/control/StubRunKit.h"
#include <string>
#include <vector>

using namespace stubkit;

TEST_CASE("Stub.exe without a package reports the bad package, traces start, role and end lines and exits with 0")
{
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());

    const std::string stubExe = testsupport::ProgramBeside("Stub.exe");
    Started run(stubExe, "/hide /OriginExe=\"C:\\a b\\Setup.exe\" extra");
    REQUIRE(run.Running());
    // Its own bytes are no package: the checksum box, answered with OK.
    const HWND box = WaitForBoxOf(run, stubExe);
    REQUIRE(box != nullptr);
    CHECK(TitleOf(box) == "Error");
    CHECK(BoxText(box).find("Bad CRC!") != std::string::npos);
    PressButton(box, "OK");
    CHECK(run.Wait(30000) == 0);
    REQUIRE(viewer.Stop());

    // This stub's lines, in order (another program tracing meanwhile writes other ids).
    const std::string id = std::to_string(run.pi.dwProcessId);
    const std::string start = id + " ==== STUB START ====> " + run.commandLine + "<";
    const std::string end = id + " ==== STUB END ====> " + run.commandLine + "<";
    CHECK(OwnLines(viewer.Lines(), run.pi.dwProcessId) ==
          std::vector<std::string>{start, id + " ==== ThisIs_AutoUpdateProg=FALSE", end});
    // The end line is followed by an empty line; the stub sends as source 2.
    CHECK(viewer.Text().find(end + "\r\n\r\n") != std::string::npos);
    bool stubSource = false;
    for (const auto& p : viewer.Pieces())
        stubSource = stubSource || (p.source == 2 && p.text.compare(0, id.size() + 1, id + " ") == 0);
    CHECK(stubSource);
}
