#include <doctest/doctest.h>
#include "stub/services/ProcessMatch.h"

using namespace stub;

TEST_CASE("a program name matches by full path, file name or short path")
{
    const RunningExe exe{"C:\\Program Files\\Acme\\Agent.exe", "Agent.exe", "C:\\PROGRA~1\\Acme\\Agent.exe"};
    struct Case {
        const char* name;
        const char* nameShort;
        bool fullPathOnly;
        bool match;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Acme\\Agent.exe", kNoShortName, false, true},
        {"  c:\\program files\\acme\\AGENT.EXE \t", kNoShortName, true, true},  // trimmed, case ignored
        {"agent.exe", kNoShortName, false, true},
        {"agent.exe", kNoShortName, true, false},  // full paths only
        {"C:\\PROGRA~1\\Acme\\Agent.exe", "C:\\PROGRA~1\\Acme\\Agent.exe", true, true},
        {"C:\\Other\\Agent.exe", kNoShortName, true, false},
        {"C:\\Other\\Agent.exe", kNoShortName, false, false},  // the file name is compared with the whole name
        {" AGENT.EXE ", kNoShortName, false, true},  // a bare name needs no existing file
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CAPTURE(c.fullPathOnly);
        CHECK(MatchesName(exe, c.name, c.nameShort, c.fullPathOnly) == c.match);
    }
    SUBCASE("an executable whose short path is unknown never matches by short path")
    {
        const RunningExe noShort{"C:\\A\\b.exe", "b.exe", ""};
        CHECK_FALSE(MatchesName(noShort, "C:\\X\\y.exe", kNoShortName, true));
    }
}

TEST_CASE("main window choice")
{
    SUBCASE("an owner of two dialogs wins 10 against a visible titled window's 3")
    {
        std::vector<WindowFacts> w = {
            {1, 0, true, true},   // visible, titled: 3
            {2, 0, true, false},  // hidden, titled, owns 3 and 4: 4*2 + 2 = 10
            {3, 2, false, false},
            {4, 2, false, false},
        };
        CHECK(ChooseMainWindow(w) == 2);
    }
    SUBCASE("hidden untitled windows only: none")
    {
        std::vector<WindowFacts> w = {{1, 0, false, false}, {2, 0, false, false}};
        CHECK(ChooseMainWindow(w) == 0);
    }
    SUBCASE("equal scores: the earlier window wins")
    {
        std::vector<WindowFacts> w = {{7, 0, true, false}, {8, 0, true, false}};
        CHECK(ChooseMainWindow(w) == 7);
    }
    SUBCASE("an owner outside the process earns nothing")
    {
        std::vector<WindowFacts> w = {{1, 99, false, true}, {2, 0, true, false}};
        CHECK(ChooseMainWindow(w) == 2);
    }
    SUBCASE("windows past the first 2001 are ignored")
    {
        std::vector<WindowFacts> w(kMaxAnalizedWindows, WindowFacts{});
        for (std::size_t i = 0; i < w.size(); ++i)
            w[i].handle = i + 1;
        w.push_back({50000, 0, true, true});
        CHECK(ChooseMainWindow(w) == 0);
    }
}

TEST_CASE("process id list grows until the system leaves room")
{
    const std::uint32_t running = 600;  // 2400 bytes of ids
    int calls = 0;
    auto fill = [&](std::uint32_t* ids, std::uint32_t bytes, std::uint32_t& written) {
        ++calls;
        std::uint32_t n = std::min<std::uint32_t>(running, bytes / 4);
        for (std::uint32_t i = 0; i < n; ++i)
            ids[i] = i + 100;
        written = n * 4;
        return true;
    };
    auto ids = GrowingIdList(fill);
    CHECK(ids.size() == running);
    CHECK(ids.back() == running + 99);
    CHECK(calls == 3);  // 1024, 2048, 3072 bytes
    CHECK(GrowingIdList([](std::uint32_t*, std::uint32_t, std::uint32_t&) { return false; }).empty());
}

namespace {
struct FakeClock {
    std::uint32_t now;
    std::vector<std::uint32_t> waits;
    ProcessWaitClock clock()
    {
        return {[this] { return now; }, [this](std::uint32_t ms) { waits.push_back(ms); now += ms; }};
    }
};
} // namespace

TEST_CASE("process-end wait: first second, then whole seconds")
{
    SUBCASE("a program that is not running: one second")
    {
        FakeClock c{0, {}};
        WaitWhileRunning(c.clock(), 0, [] { return false; }, [] { return true; });
        CHECK(c.waits.size() == 1);
    }
    SUBCASE("a program that never ends, limit 5000 ms, with the tick counter wrapping")
    {
        FakeClock c{0xFFFFF000u, {}};
        WaitWhileRunning(c.clock(), 5000, [] { return true; }, [] { return true; });
        CHECK(c.waits.size() == 6);  // after 6 s more than 5000 ms have passed
    }
    SUBCASE("a program ending after three checks")
    {
        FakeClock c{0, {}};
        int checks = 0;
        WaitWhileRunning(c.clock(), 0, [] { return true; }, [&] { return ++checks < 3; });
        CHECK(c.waits.size() == 4);
    }
    SUBCASE("time-up rule")
    {
        CHECK_FALSE(TimeIsUp(0, 100000, 0));
        CHECK_FALSE(TimeIsUp(0, 5000, 5000));
        CHECK(TimeIsUp(0, 5001, 5000));
        CHECK(TimeIsUp(0xFFFFFFF0u, 5000, 4000));
    }
}
