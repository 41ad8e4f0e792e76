#include <doctest/doctest.h>

#include "stub/control/AgentRequests.h"
#include "stub/control/RunModes.h"

#include <string>

using namespace stub;

TEST_CASE("DecideRole: the first rule that applies, from the trailer, the file name and /SpanCdLvl=")
{
    struct Case {
        const char* what;
        bool autoUpdate, spansCds;
        long long level;
        const char* exe;
        const char* agent;
        StubRole role;
    };
    const Case cases[] = {
        {"plain package", false, false, 1, "Setup.exe", "", StubRole::SetupStub},
        {"agent name on a package without the auto-update byte", false, false, 1, "Agent.exe", "Agent.exe",
         StubRole::SetupStub},
        {"plain agent, case and blanks ignored", true, false, 1, "AGENT.EXE", " agent.exe ", StubRole::PlainAgent},
        {"X_ agent", true, false, 1, "X_Agent.exe", "Agent.exe", StubRole::XAgent},
        {"x_ in lower case is the X_ copy as well", true, false, 1, "x_agent.exe", "Agent.exe", StubRole::XAgent},
        {"auto-update program under another name", true, false, 1, "Other.exe", "Agent.exe", StubRole::SetupStub},
        {"plain agent wins over CD spanning", true, true, 1, "Agent.exe", "Agent.exe", StubRole::PlainAgent},
        {"CD-span launcher", false, true, 1, "Setup.exe", "", StubRole::CdSpanLauncher},
        {"CD-span copy", false, true, 2, "Y_Setup.exe", "", StubRole::CdSpanCopy},
        {"level 2 without the CD flag still deletes itself", false, false, 2, "Setup.exe", "", StubRole::CdSpanCopy},
        {"level 3 with the CD flag: a setup stub", false, true, 3, "Setup.exe", "", StubRole::SetupStub},
    };
    for (const Case& c : cases) {
        const std::string what = c.what;
        CAPTURE(what);
        RoleInputs in;
        in.autoUpdateProgram = c.autoUpdate;
        in.spansCds = c.spansCds;
        in.spanCdLevel = c.level;
        in.exeName = c.exe;
        in.agentName = c.agent;
        CHECK(DecideRole(in) == c.role);
    }
}

TEST_CASE("Main window class name: the full path for setup stubs, .AutoUpdate. + bare name for agents")
{
    CHECK(MainWindowClassName(false, "C:\\Dir\\Setup.exe") == "C:\\Dir\\Setup.exe");
    CHECK(MainWindowClassName(true, "C:\\Dir\\X_Agent.exe") == ".AutoUpdate.X_Agent");
    CHECK(MainWindowClassName(true, "C:\\Dir\\X_Agent.v2.exe") == ".AutoUpdate.X_Agent");
    CHECK(XAgentClassName("Agent.exe") == ".AutoUpdate.X_Agent");
    CHECK(XAgentClassName(" Agent.exe ") == ".AutoUpdate.X_Agent");
}

TEST_CASE("Copies and their arguments")
{
    CHECK(CopyPath("C:\\Dir", "X_", "Agent.exe") == "C:\\Dir\\X_Agent.exe");
    CHECK(CopyPath("C:\\Dir\\", "Y_", "Setup.exe") == "C:\\Dir\\Y_Setup.exe");
    CHECK(XCopyArguments("|1|2|", "5") == " /TRANSIENTx=|1|2| /SleepX=5");
    CHECK(XCopyArguments("", "5") == " /SleepX=5");
    CHECK(XCopyArguments("", "") == "");
    CHECK(CdSpanArguments("/L=1031", "D:\\Setup.exe") ==
          "/L=1031 /SpanCdLvl=2 /SpanDiskFName1=\"D:\\Setup.exe.001\" /OriginExe=\"D:\\Setup.exe\"");
    CHECK(CdSpanArguments("", "D:\\Setup.exe") ==
          "/SpanCdLvl=2 /SpanDiskFName1=\"D:\\Setup.exe.001\" /OriginExe=\"D:\\Setup.exe\"");
}

TEST_CASE("PlanAgentPosts: /STOP=, /WM_MSG= and /TEST= become posts to the X_ copy")
{
    const std::string target = "C:\\Dir\\X_Agent.exe";
    SUBCASE("nothing asked, nothing posted")
    {
        CHECK(PlanAgentPosts("/WAIT=3 /STOP=-1 /TEST=x", target, true).empty());
    }
    SUBCASE("all three in order with their log lines")
    {
        const auto posts = PlanAgentPosts("/STOP=4 /WM_MSG=1234:1500 /TEST=0", target, false);
        REQUIRE(posts.size() == 3);
        CHECK(posts[0].message == wm_ShutDown);
        CHECK(posts[0].wParam == 4);
        CHECK(posts[0].logLine == "PostProcessMessage(wm_ShutDown) to: " + target);
        CHECK(posts[1].message == wm_LocalMsg);
        CHECK(posts[1].wParam == 1234);
        CHECK(posts[1].lParam == 1500);
        CHECK(posts[1].logLine == "PostProcessMessage(wm_LocalMsg) to: " + target + " - :1234:1500:");
        CHECK(posts[2].message == wm_AgentMsg);
        CHECK(posts[2].wParam == 31);
        CHECK(posts[2].lParam == 0);
        CHECK(posts[2].logLine == "PostProcessMessage(wm_AgentMsg) to: " + target + " - AU_PerformUpdateCycle (0)");
    }
    SUBCASE("/TEST=3 without a running X_ copy also asks for a shutdown after 2 ticks")
    {
        const auto posts = PlanAgentPosts("/TEST=3", target, false);
        REQUIRE(posts.size() == 2);
        CHECK(posts[1].message == wm_ShutDown);
        CHECK(posts[1].wParam == 2);
        CHECK(posts[1].logLine.empty());
        CHECK(PlanAgentPosts("/TEST=3", target, true).size() == 1);
        CHECK(PlanAgentPosts("/TEST=0", target, false).size() == 1);
    }
}

TEST_CASE("ParseControllerAddress: a:b, non-numbers read as 0")
{
    CHECK(ParseControllerAddress("66:1500").window == 66);
    CHECK(ParseControllerAddress("66:1500").message == 1500);
    CHECK(ParseControllerAddress("x:1500").window == 0);
    CHECK(ParseControllerAddress("66").message == 0);
    CHECK(ParseControllerAddress("").window == 0);
}
