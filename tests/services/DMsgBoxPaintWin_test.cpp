// Painting a box many times: the brushes made for each paint are released again.
#include <doctest/doctest.h>
#include "stub/services/DMsgBox.h"
#include "stub/services/DMsgBoxStyle.h"
#include "tests/services/BoxDriverWin.h"

#include <windows.h>

using namespace stub;
using namespace boxtest;

TEST_CASE("painting makes no GDI objects that outlive it")
{
    // The process's GDI handle table holds 16384 objects under Wine (10000 by default on
    // Windows); a paint that kept one would have used them up well before the last repaint, and
    // the band would then no longer be painted.
    const int kRepaints = 17000;
    COLORREF band = 0, strip = 0;
    bool probe = false;
    WithDriver(
        [&](HWND box) {
            Settle();
            for (int i = 0; i < kRepaints; ++i)
                RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            Settle();
            HDC dc = GetDC(box);
            RECT rc;
            GetClientRect(box, &rc);
            band = GetPixel(dc, 5, 5);
            strip = GetPixel(dc, 5, rc.bottom - 5);
            ReleaseDC(box, dc);
            HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
            probe = b != nullptr;
            DeleteObject(b);
            PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        },
        [] { return ShowBox(kBoxModeHeading, "paint me", "Error", "", 0, kBoxIconHand | kBoxOk, 0); });
    CHECK(band == RGB(0, 78, 152));
    CHECK(strip == GetSysColor(COLOR_BTNFACE));
    CHECK(probe);
}
