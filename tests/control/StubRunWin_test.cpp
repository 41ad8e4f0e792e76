// Stub.exe started for real, its trace read by a real trace viewer.
#include <doctest/doctest.h>
#include "tests/support/TraceViewerProcess.h"
#include <string>
#include <vector>

TEST_CASE("Stub.exe traces its start and end lines with the command line and exits with 0")
{
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());

    DWORD pid = 0;
    std::string cmd;
    const int code = testsupport::RunProgram(testsupport::ProgramBeside("Stub.exe"),
                                             "/hide /OriginExe=\"C:\\a b\\Setup.exe\" extra", 60000, &pid, &cmd);
    REQUIRE(viewer.Stop());
    CHECK(code == 0);

    const std::string id = std::to_string(pid);
    const std::vector<std::string> lines = viewer.Lines();
    REQUIRE(lines.size() >= 3);
    CHECK(lines.front() == id + " ==== STUB START ====> " + cmd + "<");
    CHECK(lines[lines.size() - 2] == id + " ==== STUB END ====> " + cmd + "<");
    CHECK(lines.back().empty());
    const std::string text = viewer.Text();
    CHECK(text.substr(text.size() - 5) == "<\r\n\r\n");
    for (const auto& p : viewer.Pieces())
        CHECK(p.source == 2);
}
