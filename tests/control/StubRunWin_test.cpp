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

    // This stub's lines, in order (another program tracing meanwhile writes other ids).
    const std::string id = std::to_string(pid);
    const std::string start = id + " ==== STUB START ====> " + cmd + "<";
    const std::string end = id + " ==== STUB END ====> " + cmd + "<";
    std::vector<std::string> own;
    for (const std::string& line : viewer.Lines())
        if (line.compare(0, id.size() + 1, id + " ") == 0)
            own.push_back(line);
    CHECK(own == std::vector<std::string>{start, end});
    // The end line is followed by an empty line; the stub sends as source 2.
    CHECK(viewer.Text().find(end + "\r\n\r\n") != std::string::npos);
    bool stubSource = false;
    for (const auto& p : viewer.Pieces())
        stubSource = stubSource || (p.source == 2 && p.text.compare(0, id.size() + 1, id + " ") == 0);
    CHECK(stubSource);
}
