#include "stub/control/MainWindowWin.h"

#include <commctrl.h>

#include "stub/control/AgentState.h"
#include "stub/control/AgentWin.h"
#include "stub/control/MainWindowLayout.h"
#include "stub/control/RunModes.h"
#include "stub/control/RunState.h"
#include "stub/control/SetupFlowWin.h"
#include "stub/control/StubPackageWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/package/WorkingFoldersWin.h"
#include "stub/services/DMsgBox.h"
#include "stub/services/Handles.h"
#include "stub/services/LogWin.h"
#include "stub/services/ProgressWin.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

struct Window {
    HWND main = nullptr;
    HWND status = nullptr;
    HWND progress = nullptr;
    HWND activity = nullptr;
    GdiObject statusFont;
    bool destroyed = false;
};

Window& Main()
{
    static Window w;
    return w;
}

HWND CreateChild(HWND parent, const char* cls, unsigned style, const ChildBox& box)
{
    return CreateWindowExA(0, cls, "", style, box.x, box.y, box.width, box.height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void CreateChildren(HWND window)
{
    Window& w = Main();
    const MainLayout layout = MainWindowLayout(RunningPackage().Charset());
    w.status = CreateChild(window, "Static", kVisibleChildStyle, layout.status);
    w.progress = CreateChild(window, PROGRESS_CLASSA, kVisibleChildStyle, layout.progress);
    w.activity = CreateChild(window, PROGRESS_CLASSA, kHiddenChildStyle, layout.activity);
    SetProgressBars(w.progress, w.activity);
    SetTimer(window, kMainTimerId, kMainTimerMs, nullptr);
    w.statusFont.reset(CreateFontA(kStatusFontHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"));
    SendMessageA(w.status, WM_SETFONT, reinterpret_cast<WPARAM>(w.statusFont.get()), 0);
}

void Paint(HWND window)
{
    PaintDC dc(window);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MainIcon"))
        DrawIcon(dc.get(), kIconLeft, kIconTop, icon);
}

// WM_CLOSE: true when default processing is to destroy the window.
bool CloseMainWindow()
{
    WriteLog(".. CloseMainWindow() - Start");
    bool abort = AbortRequested();
    const bool destroy = CloseDestroysWindow(abort);
    SetAbortRequested(abort);
    WriteLog(".. CloseMainWindow() - End");
    return destroy;
}

void DestroyMainWindow()
{
    WriteLog(".. DestroyMainWindow() - Start");
    SetAbortRequested(true);
    DeleteTree(WorkingFolder(), false);
    PostQuitMessage(0);
    Main().destroyed = true;
    WriteLog(".. DestroyMainWindow() - End");
}

void OnTimer(HWND window)
{
    if (RunsAsAutoUpdateProgram())
        AutoUpdateTick();
    else
        StartSetupFlow(window);
}

// Registers the controller and answers it with this window and the agent request message.
void RegisterController(HWND window, WPARAM controller, LPARAM message)
{
    SetNotifyTarget(reinterpret_cast<HWND>(controller), static_cast<UINT>(message));
    PostNotify(50, static_cast<int>(reinterpret_cast<INT_PTR>(window)));
    PostNotify(51, static_cast<int>(wm_AgentMsg));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        break;
    case WM_PAINT:
        Paint(window);
        break;
    case WM_CLOSE:
        if (!CloseMainWindow())
            return 0;
        break;
    case WM_DESTROY:
        DestroyMainWindow();
        break;
    case WM_TIMER:
        OnTimer(window);
        break;
    case wm_ShutDown:
        Agent().shutdownCountdown = static_cast<int>(wParam);
        break;
    case wm_LocalMsg:
        RegisterController(window, wParam, lParam);
        break;
    case wm_AgentMsg:
        return static_cast<LRESULT>(AgentRequest(Agent(), static_cast<std::int64_t>(wParam), lParam));
    default:
        if (message != 0 && message == AutoPlayCancelMessage())
            return 1;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow()
{
    const TGFileInfo& info = RunningPackage();
    const std::string className = MainWindowClassName(RunsAsAutoUpdateProgram(), ExePath());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = kMainClassStyle;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MainIcon");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
    const ScreenPoint at = CenterInWorkArea(kMainWindowWidth, kMainWindowHeight);
    const std::string title = info.LangText("s0", "Drovel Installation Suite");
    Main().main = CreateWindowExA(0, className.c_str(), title.c_str(), kMainWindowStyle, at.x, at.y,
                                  kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
    return Main().main;
}

void RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (Main().destroyed)
            break;
    }
}

} // namespace

void WinMain()
{
    ApplySleepX(Agent(), SwitchInt("/SleepX=", -1));
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    HWND window = CreateMainWindow();
    const TGFileInfo& info = RunningPackage();
    SetBoxFont(info.FontName(), info.FontSize(), info.Charset());
    if (window) {
        ShowWindow(window, SW_HIDE);
        RunMessageLoop();
    }
    if (Main().main)
        KillTimer(Main().main, kMainTimerId);
    SetAbortRequested(true);
    PostNotify(43, 0);
    if (Main().destroyed)
        Main() = Window{};
}

HWND MainWindow()
{
    return Main().main;
}

void ShowMainWindow(bool show)
{
    if (Main().main)
        ShowWindow(Main().main, show ? SW_SHOW : SW_HIDE);
}

void ShowActivityBar()
{
    if (Main().activity)
        ShowWindow(Main().activity, SW_SHOW);
}

void SetStatusText(const std::string& text, const std::string& fontName, int charset, int fontSize)
{
    Window& w = Main();
    if (!w.status)
        return;
    const StatusStyles styles = StatusLineStyles(charset);
    SetWindowLongA(w.status, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle));
    SetWindowLongA(w.status, GWL_STYLE, static_cast<LONG>(styles.style));
    GdiObject font(CreateFontA(-PointsToPixels(fontSize), 0, 0, 0, 0, 0, 0, 0, static_cast<DWORD>(charset), 0, 0,
                               0, 0, fontName.c_str()));
    SendMessageA(w.status, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    w.statusFont = std::move(font);
    SetWindowTextA(w.status, text.c_str());
}

} // namespace stub
