#include <doctest/doctest.h>

#include "stub/control/AgentState.h"

using namespace stub;

TEST_CASE("Transient settings: eight values, 255 = not set, applied from a list")
{
    TransientSettings t;
    CHECK(t.Text() == "|255|255|255|255|255|255|255|255|");
    t.Apply("|1|0|x||300|");
    CHECK(t.Text() == "|1|0|255|255|44|255|255|255|");
    t.Apply("|2|");  // a shorter list keeps the later values
    CHECK(t.Get(1) == 2);
    CHECK(t.Get(5) == 44);
    t.Set(9, 1);
    t.Set(0, 1);
    CHECK(t.Get(9) == TransientSettings::kNotSet);
    t.Apply("not a list");
    CHECK(t.Get(1) == 2);
}

TEST_CASE("Ticks count from -3 or from -n with /SleepX=n; the countdown found at 0 quits")
{
    AgentState s;
    ApplySleepX(s, -1);
    CHECK(s.timerCount == -3);
    int ticksToFirstCheck = 0;
    while (s.timerCount <= 0) {
        CountTick(s);
        ++ticksToFirstCheck;
    }
    CHECK(ticksToFirstCheck == 4);

    AgentState sleep0;
    ApplySleepX(sleep0, 0);
    CountTick(sleep0);
    CHECK(sleep0.timerCount == 1);

    AgentState down;
    down.shutdownCountdown = 2;
    CHECK_FALSE(CountTick(down));
    CHECK_FALSE(CountTick(down));
    CHECK(CountTick(down));
    CHECK(down.shutdownCountdown == -1);
    CHECK_FALSE(CountTick(down));
}

TEST_CASE("Agent requests answer 0 and set what they name")
{
    AgentState s;
    CHECK(AgentRequest(s, 22, 0x101) == 0);
    CHECK(s.transient.Get(3) == 1);
    CHECK(AgentRequest(s, 30, 5) == 0);
    CHECK(s.shutdownCountdown == 5);
    CHECK(AgentRequest(s, 31, 2) == 0);
    CHECK(s.forceProbe);
    CHECK(s.manualRequest == 2);
    CHECK(s.timerCount == 2);
    AgentRequest(s, 31, -7);
    CHECK(s.timerCount == 1);
    AgentRequest(s, 32, 0);
    CHECK(s.justFetchDescriptor);
    CHECK(AgentRequest(s, 4, 0) == 0);
    CHECK(AgentRequest(s, 999, 1) == 0);
}

TEST_CASE("Test mode is read again when forced or more than 30 s after the last check")
{
    CHECK(TestModeRefreshDue(true, 10, 10));
    CHECK_FALSE(TestModeRefreshDue(false, 30000, 0));
    CHECK(TestModeRefreshDue(false, 30001, 0));
    CHECK_FALSE(TestModeRefreshDue(false, 5, 0xFFFFFFF0u));  // the last check + 30 s wraps past now
}
