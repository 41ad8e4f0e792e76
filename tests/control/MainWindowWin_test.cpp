// The main window of a running Stub.exe as another process sees it: class, style, size, place,
// title, the three children and the status line's text and style for left-to-right and
// right-to-left languages.
#include <doctest/doctest.h>

#include "stub/control/MainWindowLayout.h"
#include "tests/control/StubRunKit.h"

using namespace stubkit;

namespace {

struct Child {
    std::string cls;
    RECT rect{};  // in the main window's client coordinates
    LONG style = 0;
    LONG exStyle = 0;
    std::string text;
};

std::vector<Child> ChildrenOf(HWND window)
{
    std::vector<Child> children;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        Child child;
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        child.cls = cls;
        GetWindowRect(c, &child.rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&child.rect), 2);
        child.style = GetWindowLongA(c, GWL_STYLE);
        child.exStyle = GetWindowLongA(c, GWL_EXSTYLE);
        char text[256] = {};
        DWORD_PTR got = 0;
        SendMessageTimeoutA(c, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &got);
        child.text = text;
        children.push_back(child);
    }
    return children;
}

void CheckBox(const RECT& r, const stub::ChildBox& b)
{
    CHECK(r.left == b.x);
    CHECK(r.top == b.y);
    CHECK(r.right - r.left == b.width);
    CHECK(r.bottom - r.top == b.height);
}

} // namespace

TEST_CASE("Main window: class, style, size, centred place, title s0, children in their places")
{
    struct Case {
        int charset;
        bool secondBar;
    };
    for (const Case c : {Case{0, false}, Case{177, true}}) {
        CAPTURE(c.charset);
        Scratch s("window" + std::to_string(c.charset));
        const std::string lang = s.Pkg("English.txt");
        REQUIRE(stub::WriteFile(lang, "s0=Product Setup\r\nCharset=" + std::to_string(c.charset) + "\r\n", 0, false));
        const std::string pkg = s.Pkg("Product.exe");
        REQUIRE(PackSetup(pkg, "/DBL_RUN=5000", "--lang " + Quoted(lang) + (c.secondBar ? " --second-bar" : "")));

        Started run(pkg, "");
        REQUIRE(run.Running());
        HWND window = nullptr;
        REQUIRE(WaitFor([&] { return (window = FindWindowA(pkg.c_str(), nullptr)) != nullptr; }, 30000));
        // Once the setup program runs, the status line has its text.
        REQUIRE(WaitFor([&] { return stub::FileExists(s.Report()); }, 30000));

        CHECK(TitleOf(window) == "Product Setup");
        // The system adds WS_CLIPSIBLINGS to every top-level window.
        CHECK((GetWindowLongA(window, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS)) ==
              static_cast<LONG>(stub::kMainWindowStyle));
        CHECK(GetClassLongPtrA(window, GCL_STYLE) == static_cast<ULONG_PTR>(stub::kMainClassStyle));
        RECT r{};
        GetWindowRect(window, &r);
        CHECK(r.right - r.left == stub::kMainWindowWidth);
        CHECK(r.bottom - r.top == stub::kMainWindowHeight);
        RECT area{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        CHECK(r.left == area.left + (area.right - area.left - stub::kMainWindowWidth) / 2);
        CHECK(r.top == area.top + (area.bottom - area.top - stub::kMainWindowHeight) / 2);

        const std::vector<Child> children = ChildrenOf(window);
        REQUIRE(children.size() == 3);
        const stub::MainLayout layout = stub::MainWindowLayout(c.charset);
        CHECK(children[0].cls == "Static");
        CheckBox(children[0].rect, layout.status);
        CHECK(children[0].text == "Extracting Files...");
        const stub::StatusStyles styles = stub::StatusLineStyles(c.charset);
        CHECK(static_cast<unsigned>(children[0].style) == styles.style);
        CHECK((static_cast<unsigned>(children[0].exStyle) & 0x2000u) == (styles.exStyle & 0x2000u));
        CHECK(children[1].cls == "msctls_progress32");
        CheckBox(children[1].rect, layout.progress);
        CHECK(children[2].cls == "msctls_progress32");
        CheckBox(children[2].rect, layout.activity);
        CHECK(((children[2].style & WS_VISIBLE) != 0) == c.secondBar);

        CHECK(run.Wait(60000) == 0);
    }
}

TEST_CASE("The space dialog: the information form on request, No ends the run before extracting")
{
    Scratch s("space");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "", "--show-temp-drive"));
    Started run(pkg, "");
    REQUIRE(run.Running());
    const HWND box = WaitForBoxOf(run, pkg);
    REQUIRE(box != nullptr);
    CHECK(TitleOf(box) == "Confirm");
    const std::string text = BoxText(box);
    const std::string temp = stub::TempDir(false);
    CHECK(text.find("Drovel will extract files to your Temp Drive (" + std::string(1, temp[0]) + ":)") !=
          std::string::npos);
    CHECK(text.find("Continue with Setup?") != std::string::npos);
    CHECK(PressButton(box, "No"));
    CHECK(run.Wait(30000) == 0);
    CHECK_FALSE(stub::FileExists(s.Report()));
}
