#include <doctest/doctest.h>

#include "stub/control/MainWindowLayout.h"

#include <initializer_list>

using namespace stub;

TEST_CASE("Main window layout: the status line and the activity bar change places for 177 and 178")
{
    for (int charset : {0, 1, 161, 176, 179, 204}) {
        CAPTURE(charset);
        const MainLayout l = MainWindowLayout(charset);
        CHECK(l.status.x == 70);
        CHECK(l.activity.x == 416);
    }
    for (int charset : {177, 178}) {
        CAPTURE(charset);
        const MainLayout l = MainWindowLayout(charset);
        CHECK(l.status.x == 122);
        CHECK(l.activity.x == 70);
        CHECK(l.progress.x == 70);
    }
    const MainLayout l = MainWindowLayout(0);
    CHECK(l.status.y == 20);
    CHECK(l.status.width == 340);
    CHECK(l.status.height == 18);
    CHECK(l.progress.y == 38);
    CHECK(l.progress.width == 392);
    CHECK(l.progress.height == 13);
    CHECK(l.activity.y == 20);
    CHECK(l.activity.width == 46);
    CHECK(l.activity.height == 13);
}

TEST_CASE("Status line styles: right-aligned right-to-left reading for 177 and 178")
{
    CHECK(StatusLineStyles(0).exStyle == 0);
    CHECK(StatusLineStyles(0).style == 0x50000000u);
    CHECK(StatusLineStyles(177).exStyle == 0x2000u);
    CHECK(StatusLineStyles(178).style == 0x50000002u);
}

TEST_CASE("Closing: the first close only asks to abort, the second destroys")
{
    bool abort = false;
    CHECK_FALSE(CloseDestroysWindow(abort));
    CHECK(abort);
    CHECK(CloseDestroysWindow(abort));
    CHECK(abort);
}
