#include <doctest/doctest.h>
#include "stub/services/SysUtils.h"
#include <vector>

using namespace stub;

namespace {
// A clock that only moves when the wait sleeps, recording every step.
class FakeClock : public WaitClock {
public:
    explicit FakeClock(std::uint32_t start = 1000) : now(start) {}
    std::uint32_t Ticks() override { return now; }
    void Pump(std::uint32_t sleepMs) override
    {
        steps.push_back(sleepMs);
        now += sleepMs;
    }
    std::uint32_t now;
    std::vector<std::uint32_t> steps;
};
} // namespace

TEST_CASE("day counts from 30 December 1899")
{
    CHECK(EncodeDateTime(1899, 12, 30) == 0.0);
    CHECK(EncodeDateTime(1900, 1, 1) == 2.0);
    CHECK(EncodeDateTime(2004, 3, 5) == 38051.0);
    CHECK(EncodeDateTime(2004, 3, 5, 12) == 38051.5);
    CHECK(EncodeDateTime(1899, 12, 29, 6) == -1.25);  // before the epoch the time is the unsigned fraction

    const DateTimeParts p = DecodeDateTime(38051.5);
    CHECK(p.year == 2004);
    CHECK(p.month == 3);
    CHECK(p.day == 5);
    CHECK(p.hour == 12);
    CHECK(p.minute == 0);
    CHECK(p.second == 0);

    const DateTimeParts before = DecodeDateTime(-1.25);
    CHECK(before.day == 29);
    CHECK(before.hour == 6);

    // Round trips across leap days and centuries, to the second.
    for (auto t : {EncodeDateTime(2000, 2, 29, 23, 59, 59), EncodeDateTime(2100, 3, 1, 0, 0, 1), EncodeDateTime(1999, 12, 31, 13, 14, 15),
                   EncodeDateTime(2024, 2, 29, 7, 8, 9)}) {
        const DateTimeParts q = DecodeDateTime(t);
        CHECK(EncodeDateTime(q.year, q.month, q.day, q.hour, q.minute, q.second) == t);
    }
}

TEST_CASE("a time a hair before midnight rounds into the next day, not to 24:00")
{
    const DateTimeParts p = DecodeDateTime(EncodeDateTime(2004, 3, 5) + 0.99999999999);
    CHECK(p.day == 6);
    CHECK(p.hour == 0);
}

TEST_CASE("values outside the calendar are clamped instead of overflowing")
{
    for (double t : {1e300, -1e300, 0.0 / 0.0 /* NaN */}) {
        const DateTimeParts p = DecodeDateTime(t);
        CHECK(p.year >= 1);
        CHECK(p.year <= 9999);
        CHECK(DayMonYear(t).size() == 11);
    }
}

TEST_CASE("date texts")
{
    const DateTimeValue t = EncodeDateTime(2004, 3, 5, 7, 8, 9);
    CHECK(DateTimeStamp(t, DateSeparators{}) == "05/03/04 07:08:09");
    CHECK(DateTimeStamp(t, DateSeparators{".", ":"}) == "05.03.04 07:08:09");
    CHECK(DateTimeStamp(EncodeDateTime(2010, 11, 30, 23, 59, 58), DateSeparators{"-", "."}) == "30-11-10 23.59.58");
    CHECK(DayMonYear(t) == "05-MAR-2004");
    CHECK(DayMonYear(EncodeDateTime(1999, 12, 31)) == "31-DEC-1999");
    CHECK(DayMonYear(EncodeDateTime(2021, 1, 1)) == "01-JAN-2021");
    CHECK(DayMonYearTime(t, ":") == "05-MAR-2004  07:08:09");
    CHECK(DayMonYearTime(t, ".") == "05-MAR-2004  07.08.09");
    // The agent turns its seconds into a date-time by dividing by 86,400.
    CHECK(DayMonYearTime(SecondsSinceEpoch(DecodeDateTime(t)) / 86400.0, ":") == "05-MAR-2004  07:08:09");
}

TEST_CASE("seconds since the epoch round to the nearest second")
{
    DateTimeParts p = DecodeDateTime(EncodeDateTime(1900, 1, 1, 0, 0, 10));
    CHECK(SecondsSinceEpoch(p) == 2 * 86400 + 10);
    p.millisecond = 499;
    CHECK(SecondsSinceEpoch(p) == 2 * 86400 + 10);
    p.millisecond = 500;
    CHECK(SecondsSinceEpoch(p) == 2 * 86400 + 11);
    CHECK(SecondsSinceEpoch(DecodeDateTime(EncodeDateTime(2004, 3, 5, 12))) == 38051LL * 86400 + 43200);
}

TEST_CASE("wait step sizes")
{
    struct Case {
        std::uint32_t ms, step, expected;
    };
    for (const Case& c : {Case{100, 0, 10}, Case{5, 0, 1}, Case{1000, 0, 25}, Case{0, 0, 1}, Case{249, 0, 24},
                          Case{250, 0, 25}, Case{100, 7, 7}, Case{4000000000u, 0, 25}}) {
        CAPTURE(c.ms);
        CHECK(WaitStep(c.ms, c.step) == c.expected);
    }
}

TEST_CASE("WaitPumping pumps in its steps until the time has passed, at least once")
{
    struct Case {
        std::uint32_t ms, pumps, step;
    };
    // 0 ms still dispatches once and sleeps 1 ms.
    for (const Case& c : {Case{100, 10, 10}, Case{5, 5, 1}, Case{1000, 40, 25}, Case{0, 1, 1}}) {
        CAPTURE(c.ms);
        FakeClock clock;
        WaitPumping(c.ms, 0, clock);
        CHECK(clock.steps == std::vector<std::uint32_t>(c.pumps, c.step));
    }
    SUBCASE("a wait that is not a multiple of its step ends on the first step past it")
    {
        FakeClock clock;
        WaitPumping(30, 20, clock);
        CHECK(clock.steps == std::vector<std::uint32_t>{20, 20});
    }
    SUBCASE("a wait across the wrap of the tick count lasts its full time")
    {
        FakeClock clock(0xFFFFFFF0u);
        WaitPumping(100, 0, clock);
        CHECK(clock.steps.size() == 10);
        CHECK(clock.now == 0x54u);
    }
}

TEST_CASE("multiply-divide rounds halves away from zero")
{
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& k : {Case{8, 96, 72, 11}, Case{9, 96, 72, 12}, Case{10, 96, 72, 13}, Case{3, 1, 2, 2},
                          Case{-3, 1, 2, -2}, Case{3, -1, 2, -2}, Case{3, 1, -2, -2}, Case{5, 1, 0, -1},
                          Case{2147483647, 2, 1, -1}, Case{12, 120, 72, 20}}) {
        CAPTURE(k.a);
        CAPTURE(k.c);
        CHECK(MulDivRound(k.a, k.b, k.c) == k.expected);
    }
    CHECK(PointsToPixels(8, 96) == 11);
    CHECK(PointsToPixels(12, 72) == 12);
}

TEST_CASE("centring a box in the work area")
{
    const ScreenRect area{0, 40, 1280, 1024};
    ScreenPoint p = CenterInWorkArea(area, 492, 110);
    CHECK(p.x == 394);
    CHECK(p.y == 40 + 437);

    SUBCASE("a box wider than the work area starts left of it")
    {
        p = CenterInWorkArea(area, 1501, 110);
        CHECK(p.x == -110);  // (1280 - 1501) / 2 truncated toward zero
        CHECK(p.x < area.left);
    }
    SUBCASE("an offset work area")
    {
        p = CenterInWorkArea(ScreenRect{100, 0, 500, 300}, 601, 301);
        CHECK(p.x == 100 - 100);
        CHECK(p.y == 0);
    }
    SUBCASE("absurd sizes do not overflow")
    {
        p = CenterInWorkArea(area, -2147483647 - 1, 2147483647);
        CHECK(p.x > 0);
        CHECK(p.y < 0);
    }
}

TEST_CASE("the developer code must match exactly")
{
    CHECK(IsDeveloperCode("846"));
    for (const char* v : {static_cast<const char*>(nullptr), "", "846 ", " 846", "8460", "84"})
        CHECK_FALSE(IsDeveloperCode(v));
}
