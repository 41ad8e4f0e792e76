#include <doctest/doctest.h>
#include "stub/services/ProgressWin.h"
#include <commctrl.h>
#include <vector>

using namespace stub;

namespace {

struct Bars {
    Bars()
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
        owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 500, 100, nullptr, nullptr, nullptr, nullptr);
        bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 70, 38, 392, 13, owner, nullptr, nullptr, nullptr);
        activity = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 416, 20, 46, 13, owner, nullptr, nullptr, nullptr);
        SetProgressBars(bar, activity);
    }
    ~Bars()
    {
        SetProgressBars(nullptr, nullptr);
        DestroyWindow(owner);
    }
    static int Pos(HWND w) { return static_cast<int>(SendMessageA(w, PBM_GETPOS, 0, 0)); }
    static int Max(HWND w) { return static_cast<int>(SendMessageA(w, PBM_GETRANGE, FALSE, 0)); }
    HWND owner, bar, activity;
};

} // namespace

TEST_CASE("ProgressCallback drives both bars; a start does not reset the activity counter")
{
    Bars b;
    REQUIRE(b.bar != nullptr);
    REQUIRE(b.activity != nullptr);

    ProgressCallback(0, 0, 11, 0, 1, "ignored");
    CHECK(Bars::Max(b.bar) == 11);
    CHECK(Bars::Max(b.activity) == 5);
    CHECK(Bars::Pos(b.bar) == 0);
    CHECK(Bars::Pos(b.activity) == 0);

    std::vector<int> activity;
    for (int i = 0; i < 7; ++i) {
        ProgressCallback(1, 0, 0, 0, 0, "");
        activity.push_back(Bars::Pos(b.activity));
    }
    CHECK(activity == std::vector<int>{1, 2, 3, 4, 5, 0, 1});
    CHECK(Bars::Pos(b.bar) == 7);

    ProgressCallback(0, 0, 10, 3, 2, "");  // a later start
    CHECK(Bars::Pos(b.activity) == 0);     // only the displayed position goes back
    CHECK(Bars::Pos(b.bar) == 3);
    ProgressCallback(1, 0, 0, 0, 0, "");
    CHECK(Bars::Pos(b.activity) == 2);     // the counter went on from 1
    CHECK(Bars::Pos(b.bar) == 5);

    ProgressCallback(7, 0, 99, 9, 9, "");  // other modes do nothing
    CHECK(Bars::Pos(b.bar) == 5);
    CHECK(Bars::Max(b.bar) == 10);
}

TEST_CASE("ProgressCallback without bars does nothing")
{
    SetProgressBars(nullptr, nullptr);
    ProgressCallback(0, 0, 5, 0, 1, "");
    ProgressCallback(1, 0, 0, 0, 0, "");
}

TEST_CASE("PostNotify posts only once a controller is registered")
{
    HWND controller = CreateWindowExA(0, "STATIC", "controller", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
    REQUIRE(controller != nullptr);
    MSG m;
    while (PeekMessageA(&m, controller, 0, 0, PM_REMOVE)) {
    }
    const UINT message = WM_APP + 7;

    PostNotify(40, 1);
    SetNotifyTarget(controller, 0);
    PostNotify(40, 1);
    CHECK_FALSE(PeekMessageA(&m, controller, message, message, PM_REMOVE));

    SetNotifyTarget(controller, message);
    PostNotify(42, 2);
    REQUIRE(PeekMessageA(&m, controller, message, message, PM_REMOVE));
    CHECK(m.wParam == 42);
    CHECK(m.lParam == 2);
    SetNotifyTarget(nullptr, 0);
    DestroyWindow(controller);
}
