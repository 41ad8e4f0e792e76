// The auto-update agent roles end to end: a plain agent built by drovel-pack starts its X_ copy
// hidden and forwards /STOP=, /WM_MSG= and /TEST= to it; a controller window in this test
// receives the copy's answers.
#include <doctest/doctest.h>

#include "tests/control/StubRunKit.h"

using namespace stubkit;

namespace {

// A controller: a message-only window of this thread that records the notifications it gets.
struct Controller {
    static constexpr UINT kMessage = WM_APP + 21;
    HWND window = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> got;
    Controller()
    {
        window = CreateWindowExA(0, "Static", "controller", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~Controller() { DestroyWindow(window); }
    // Pumps this thread's queue until n notifications arrived or ms passed.
    bool Collect(std::size_t n, DWORD ms)
    {
        return WaitFor(
            [&] {
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    if (msg.hwnd == window && msg.message == kMessage)
                        got.emplace_back(msg.wParam, msg.lParam);
                    else
                        DispatchMessageA(&msg);
                }
                return got.size() >= n;
            },
            ms);
    }
};

bool HasLineEndingWith(const std::vector<std::string>& lines, const std::string& end)
{
    for (const std::string& l : lines)
        if (l.size() >= end.size() && l.compare(l.size() - end.size(), end.size(), end) == 0)
            return true;
    return false;
}

bool HasText(const std::string& text, const std::string& piece)
{
    return text.find(piece) != std::string::npos;
}

} // namespace

TEST_CASE("Plain agent: X_ copy started hidden with its settings, requests forwarded, copy ends and deletes itself")
{
    Scratch s("agent");
    const std::string agent = s.Pkg("Agent.exe");
    const std::string xCopy = s.Pkg("X_Agent.exe");
    const std::string xClass = ".AutoUpdate.X_Agent";
    REQUIRE(testsupport::RunProgram(testsupport::ProgramBeside("drovel-pack.exe"),
                                    "agent -q -o " + Quoted(agent) + " --stub " +
                                        Quoted(testsupport::ProgramBeside("Stub.exe")) +
                                        " --agent-name Agent.exe --agent-log --info-file Agent.info",
                                    60000, nullptr) == 0);
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());

    // Start: the copy runs hidden with the transient settings and the delay.
    CHECK(testsupport::RunProgram(agent, "/TRANSIENT=|1|2| /DELAY=5", 30000, nullptr) == 0);
    HWND xWindow = nullptr;
    REQUIRE(WaitFor([&] { return (xWindow = FindWindowA(xClass.c_str(), nullptr)) != nullptr; }, 30000));
    CHECK_FALSE(IsWindowVisible(xWindow));
    CHECK(FindWindowA(".AutoUpdate.Agent", nullptr) == nullptr);  // the plain agent shows no window
    CHECK(stub::FileExists(xCopy));
    DWORD xPid = 0;
    GetWindowThreadProcessId(xWindow, &xPid);
    const std::string x = std::to_string(xPid) + " ";
    CHECK(WaitFor([&] { return HasLine(viewer.Lines(), x + "AutoUpdateTimerCount=-3"); }, 20000));
    CHECK(HasLineEndingWith(viewer.Lines(), " ==== STUB START ====> \"" + xCopy + "\" /TRANSIENTx=|1|2| /SleepX=5<"));
    CHECK(HasLine(viewer.Lines(), x + "==== ThisIs_AutoUpdateProg=TRUE"));

    // Registration: the copy answers the controller with its window (50) and the request message (51).
    Controller controller;
    REQUIRE(controller.window != nullptr);
    DWORD plainPid = 0;
    const std::string wmMsg = "/WM_MSG=" + std::to_string(reinterpret_cast<INT_PTR>(controller.window)) + ":" +
                              std::to_string(Controller::kMessage);
    CHECK(testsupport::RunProgram(agent, wmMsg, 30000, &plainPid) == 0);
    REQUIRE(controller.Collect(2, 20000));
    CHECK(controller.got[0].first == 50);
    CHECK(controller.got[0].second == static_cast<LPARAM>(static_cast<int>(reinterpret_cast<INT_PTR>(xWindow))));
    CHECK(controller.got[1].first == 51);
    CHECK(controller.got[1].second == 1125);
    // A copy runs and /_ZZ= is not 99: no new copy.
    const auto plain = OwnLines(viewer.Lines(), plainPid);
    CHECK(HasLine(plain, std::to_string(plainPid) + " CreateAndRun_X_Exe-1 "));
    CHECK_FALSE(HasLine(plain, std::to_string(plainPid) + " CreateAndRun_X_Exe-2"));

    // /TEST=7: an immediate cycle, the counter jumps to 7 and counts on from there.
    CHECK(testsupport::RunProgram(agent, "/TEST=7", 30000, nullptr) == 0);
    CHECK(WaitFor([&] { return HasLine(viewer.Lines(), x + "AutoUpdateTimerCount=8"); }, 20000));

    // /STOP=0: the copy ends on its next tick and deletes itself; the last notification is 43.
    CHECK(testsupport::RunProgram(agent, "/STOP=0", 30000, nullptr) == 0);
    CHECK(WaitFor([&] { return FindWindowA(xClass.c_str(), nullptr) == nullptr; }, 20000));
    CHECK(controller.Collect(3, 10000));
    if (controller.got.size() >= 3) {
        CHECK(controller.got[2].first == 43);
        CHECK(controller.got[2].second == 0);
    }
    CHECK(WaitFor([&] { return !stub::FileExists(xCopy); }, 30000));
    viewer.Stop();

    // The agent log beside both programs.
    const std::string log = stub::ReadFilePart(s.Pkg("X_Agent.log"), 0, 0);
    CHECK(HasText(log, "=== START === " + agent));
    CHECK(HasText(log, "X_ExeIsRunning=TRUE"));
    CHECK(HasText(log, "ThisIs_Plain_AutoUpdate_Exe=TRUE"));
    CHECK(HasText(log, " X ThisIs_X_AutoUpdate_Exe=TRUE"));
    CHECK(HasText(log, "WinExec: " + xCopy + " /TRANSIENTx=|1|2| /SleepX=5"));
    CHECK(HasText(log, "PostProcessMessage(wm_LocalMsg) to: " + xCopy + " - :"));
    CHECK(HasText(log, "PostProcessMessage(wm_AgentMsg) to: " + xCopy + " - AU_PerformUpdateCycle (7)"));
    CHECK(HasText(log, "PostProcessMessage(wm_ShutDown) to: " + xCopy));
    CHECK(HasText(log, " X DeleteMySelf"));
}
