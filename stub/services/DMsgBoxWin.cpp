// The message box window: creation, text display, layout, painting, the keyboard rules and the
// box's own message loop. The arithmetic lives in DMsgBoxLayout/DMsgBoxStyle/DMsgBoxText.
#include "stub/services/DMsgBox.h"

#include "stub/services/DMsgBoxLayout.h"
#include "stub/services/DMsgBoxStyle.h"
#include "stub/services/DMsgBoxText.h"
#include "stub/services/Handles.h"
#include "stub/services/SLangKeys.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Utils.h"

#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <vector>

namespace stub {

namespace {

constexpr char kClassName[] = "DMsgBox";
constexpr char kRichEditLibrary[] = "RICHED32.DLL";
constexpr UINT_PTR kTimerId = 1;
constexpr int kEditId = 100;
constexpr int kMaxButtons = 3;

// Box settings, the box state (one box at a time) and the requested content size, which keeps
// the last request of any box.
struct BoxState {
    std::string face = "Tahoma";
    int size = 8;
    int charset = DEFAULT_CHARSET;
    bool richEditHeld = false;  // the first box loads the library for the rest of the process

    int result = 0;
    unsigned timeout = 0;
    bool closing = false;  // a button or the timer has answered; later answers are ignored
    bool ended = false;    // the window is destroyed: the loop ends
    HWND window = nullptr;
    HWND edit = nullptr;
    std::vector<BoxButton> buttons;
    HWND buttonWindows[kMaxButtons] = {};
    int focus = 0;
    HICON icon = nullptr;
    BoxSize requested;
    HWND disabled = nullptr;
    GdiObject font;
};

BoxState& State()
{
    static BoxState state;
    return state;
}

void ResetBox(unsigned timeout)
{
    BoxState& s = State();
    s.result = 0;
    s.timeout = timeout;
    s.closing = false;
    s.ended = false;
    s.window = s.edit = nullptr;
    s.buttons.clear();
    for (HWND& b : s.buttonWindows)
        b = nullptr;
    s.focus = 0;
    s.icon = nullptr;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// ---- Answering and closing ---------------------------------------------------------------------

void Answer(int result)
{
    BoxState& s = State();
    if (s.closing || !s.window)
        return;
    s.closing = true;
    s.result = result;
    PostMessageA(s.window, WM_CLOSE, 0, 0);
}

void CloseBox(HWND box)
{
    BoxState& s = State();
    if (s.disabled) {
        EnableWindow(s.disabled, TRUE);
        SetActiveWindow(s.disabled);
        SetFocus(s.disabled);
    }
    KillTimer(box, kTimerId);
    DestroyWindow(box);
}

bool CloseCommandDisabled(HWND box)
{
    const UINT state = GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

// ---- Buttons and focus -------------------------------------------------------------------------

int ButtonIndexOf(HWND w)
{
    const BoxState& s = State();
    for (int i = 0; i < static_cast<int>(s.buttons.size()); ++i)
        if (w && s.buttonWindows[i] == w)
            return i;
    return -1;
}

void FocusButton(int index)
{
    BoxState& s = State();
    if (index < 0 || index >= static_cast<int>(s.buttons.size()))
        return;
    s.focus = index;
    for (int i = 0; i < static_cast<int>(s.buttons.size()); ++i)
        SendMessageA(s.buttonWindows[i], BM_SETSTYLE, i == index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SetFocus(s.buttonWindows[index]);
}

void CreateButtons(BoxSize client)
{
    BoxState& s = State();
    const int count = static_cast<int>(s.buttons.size());
    for (int i = 0; i < count; ++i) {
        const BoxRect r = BoxButtonRect(client, i, count);
        s.buttonWindows[i] = CreateWindowExA(0, "BUTTON", s.buttons[i].caption.c_str(),
                                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, r.left, r.top,
                                             r.width, r.height, s.window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.buttons[i].result)),
                                             Instance(), nullptr);
        SendMessageA(s.buttonWindows[i], WM_SETFONT, reinterpret_cast<WPARAM>(s.font.get()), TRUE);
    }
}

// Keys: arrows and Tab move the focus, Return answers the focused button, letters and typed
// characters answer the button they name. True when the message chose a button (consumed).
bool HandleBoxKey(const MSG& m)
{
    BoxState& s = State();
    const int count = static_cast<int>(s.buttons.size());
    int chosen = -1;
    if (m.message == WM_KEYDOWN) {
        switch (m.wParam) {
        case VK_LEFT:
        case VK_UP:
            FocusButton(StepFocus(s.focus, -1, count));
            return false;
        case VK_TAB:
        case VK_RIGHT:
        case VK_DOWN:
            FocusButton(StepFocus(s.focus, +1, count));
            return false;
        case VK_RETURN:
            // keys go to the window that has the focus: a Return sent to a button is its own
            chosen = ButtonIndexOf(m.hwnd);
            break;
        default:
            if (m.wParam >= 'A' && m.wParam <= 'Z')
                chosen = ButtonForLetterKey(s.buttons, static_cast<char>(m.wParam));
        }
    } else if (m.message == WM_CHAR) {
        chosen = ButtonForTypedChar(s.buttons, static_cast<char>(m.wParam));
    }
    if (chosen < 0)
        return false;
    Answer(s.buttons[chosen].result);
    return true;
}

// ---- Painting ----------------------------------------------------------------------------------

void FillBand(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
}

void PaintBox(HWND box)
{
    PaintDC paint(box);
    const HDC dc = paint.get();
    RECT rc;
    GetClientRect(box, &rc);
    const int w = rc.right;
    const BoxPaint p = BoxPaintLayout({rc.right, rc.bottom});
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    FillBand(dc, 0, p.shadowLineY, w, p.shadowLineY + 1, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillBand(dc, 0, p.whiteLineY, w, p.whiteLineY + 1, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillBand(dc, 0, p.stripTop, w, rc.bottom, GetSysColorBrush(COLOR_BTNFACE));
    const GdiObject band(CreateSolidBrush(RGB(0, 78, 152)));
    FillBand(dc, p.band.left, p.band.top, p.band.left + p.band.width, p.band.top + p.band.height,
             static_cast<HBRUSH>(band.get()));
    if (State().icon)
        DrawIcon(dc, 11, 20, State().icon);
}

// ---- The window --------------------------------------------------------------------------------

LRESULT CALLBACK BoxProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    BoxState& s = State();
    const UINT autoPlay = AutoPlayCancelMessage();
    if (autoPlay != 0 && msg == autoPlay)
        return 1;
    switch (msg) {
    case WM_CREATE:
        if (s.timeout > 0)
            SetTimer(w, kTimerId, s.timeout, nullptr);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED && ButtonIndexOf(reinterpret_cast<HWND>(lp)) >= 0)
            Answer(LOWORD(wp));
        return 0;
    case WM_TIMER:
        if (wp == kTimerId)
            Answer(s.buttons.empty() ? kBoxNone : s.buttons[0].result);
        return 0;
    case WM_NOTIFY: {
        const auto* r = reinterpret_cast<const REQRESIZE*>(lp);
        if (r->nmhdr.code == EN_REQUESTRESIZE)
            s.requested = {r->rc.right - r->rc.left, r->rc.bottom - r->rc.top};
        return 0;
    }
    case WM_SYSCOMMAND:
        // Alt+F4 reaches here even when Close is greyed in the system menu; keep it closed.
        if ((wp & 0xFFF0) == SC_CLOSE && CloseCommandDisabled(w))
            return 0;
        break;
    case WM_ACTIVATE:
        // Coming back to the box (another window was active meanwhile) focuses its button
        // again, as a dialog does, so Return still answers it.
        if (LOWORD(wp) != WA_INACTIVE && !s.buttons.empty()) {
            FocusButton(s.focus);
            return 0;
        }
        break;
    case WM_CLOSE:
        CloseBox(w);
        return 0;
    case WM_DESTROY:
        s.ended = true;
        return 0;
    case WM_PAINT:
        PaintBox(w);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

bool RegisterBoxClass()
{
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

GdiObject CreateBoxFont()
{
    const BoxState& s = State();
    LOGFONTA lf{};
    lf.lfHeight = -PointsToPixels(s.size);
    lf.lfCharSet = static_cast<BYTE>(s.charset);
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, s.face.c_str(), LF_FACESIZE);
    return GdiObject(CreateFontIndirectA(&lf));
}

// ---- The text control --------------------------------------------------------------------------

// Rich Edit starts with the system's bold font; the box font becomes its default format.
void SetDefaultFormat(HWND edit)
{
    const BoxState& s = State();
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                CFM_COLOR;
    cf.dwEffects = CFE_AUTOCOLOR;
    cf.yHeight = s.size * 20;
    cf.bCharSet = static_cast<BYTE>(s.charset);
    cf.bPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    lstrcpynA(cf.szFaceName, s.face.c_str(), LF_FACESIZE);
    SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

void MarkBold(HWND edit, const std::vector<BoldRange>& ranges)
{
    CHARFORMATA cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    cf.dwEffects = CFE_BOLD;
    for (const BoldRange& r : ranges) {
        CHARRANGE cr{r.from, r.to};
        SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
        SendMessageA(edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    }
    SendMessageA(edit, EM_SETSEL, 0, 0);
}

BoxSize MeasureInFont(HWND edit, const std::string& plain)
{
    const BoxState& s = State();
    WindowDC dc(edit);
    SelectScope font(dc.get(), s.font.get());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    const int lineHeight = BoxLineHeight(tm.tmHeight, tm.tmExternalLeading, s.face);
    return MeasureBoxText(plain, lineHeight, [&](const std::string& line) {
        SIZE sz{};
        GetTextExtentPoint32A(dc.get(), line.data(), static_cast<int>(line.size()), &sz);
        return static_cast<int>(sz.cx);
    });
}

void SizeControl(HWND edit, int width, int height)
{
    SetWindowPos(edit, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows the text and returns the size of the text area.
BoxSize DisplayText(HWND edit, const std::string& markup)
{
    const BoxText text = BoxTextFromMarkup(markup);
    SetWindowTextA(edit, text.plain.c_str());
    MarkBold(edit, text.bold);
    const BoxSize measured = MeasureInFont(edit, text.plain);
    BoxSize area{measured.width + 10, measured.height};
    SizeControl(edit, area.width, area.height);
    if (!text.bold.empty()) {
        area.width = WidenForBold(measured, [&](int width) {
            SizeControl(edit, width, measured.height);
            SendMessageA(edit, EM_REQUESTRESIZE, 0, 0);
            return State().requested;
        });
        SizeControl(edit, area.width, area.height);
    }
    return area;
}

HWND CreateTextControl(const BoxStyle& style)
{
    const BoxState& s = State();
    const DWORD ws = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_MULTILINE | ES_WANTRETURN |
                     (style.rightAlign ? ES_RIGHT : 0);
    const DWORD ex = style.rtlReading ? WS_EX_RTLREADING : 0;
    const HWND edit = CreateWindowExA(ex, "RICHEDIT", "", ws, 0, 0, 10, 10, s.window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), Instance(), nullptr);
    SendMessageA(edit, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(s.font.get()), FALSE);
    SetDefaultFormat(edit);
    SendMessageA(edit, EM_SETBKGNDCOLOR, 0, GetSysColor(COLOR_WINDOW));
    if (style.rightAlign) {
        PARAFORMAT pf{};
        pf.cbSize = sizeof(pf);
        pf.dwMask = PFM_ALIGNMENT;
        pf.wAlignment = PFA_RIGHT;
        SendMessageA(edit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    }
    return edit;
}

// ---- Building and running one box --------------------------------------------------------------

HICON BoxIcon(unsigned icon)
{
    switch (icon) {
    case kBoxIconHand: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND));
    case kBoxIconQuestion: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    case kBoxIconExclamation: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_EXCLAMATION));
    case kBoxIconAsterisk: return LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_ASTERISK));
    default: return LoadIconA(Instance(), "MainIcon");
    }
}

// Sizes the box to its text area, centres it, and places the text control.
BoxSize PlaceBox(BoxSize area)
{
    const BoxState& s = State();
    const BoxFrame frame{GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                         GetSystemMetrics(SM_CYCAPTION)};
    const BoxSize size = BoxWindowSize(area, frame);
    const ScreenPoint at = CenterInWorkArea(size.width, size.height);
    SetWindowPos(s.window, nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetClientRect(s.window, &rc);
    const BoxSize client{rc.right, rc.bottom};
    const BoxRect t = BoxTextRect(client, area);
    MoveWindow(s.edit, t.left, t.top, t.width, t.height, TRUE);
    return client;
}

void RunLoop()
{
    BoxState& s = State();
    MSG m;
    while (!s.ended) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got <= 0) {
            // The thread is asked to quit: end the box and leave the request for the outer loop.
            if (s.window && !s.ended)
                CloseBox(s.window);
            if (got == 0)
                PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (HandleBoxKey(m))
            continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// Steps 5 to 13: the box from creation to destruction.
void RunBox(HWND parent, const std::string& text, const std::string& caption, const std::string& buttons,
            unsigned style, unsigned timeout)
{
    BoxState& s = State();
    ResetBox(timeout);
    const BoxStyle st = ParseBoxStyle(style);
    s.buttons = BoxButtonsFor(st.buttonSet, buttons);
    s.font = CreateBoxFont();
    if (!RegisterBoxClass())
        return;
    s.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, -100, -100, 10, 10, parent, nullptr,
                               Instance(), nullptr);
    if (s.window) {
        if (st.closeDisabled)
            EnableMenuItem(GetSystemMenu(s.window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        s.edit = CreateTextControl(st);
        const BoxSize client = PlaceBox(DisplayText(s.edit, text));
        ShowWindow(s.window, SW_SHOW);
        s.icon = BoxIcon(st.icon);
        CreateButtons(client);
        FocusButton(FirstFocusIndex(st, static_cast<int>(s.buttons.size())));
        RunLoop();
    }
    s.window = s.edit = nullptr;
    s.font.reset();
    UnregisterClassA(kClassName, Instance());
}

// Keeps the window that was active disabled while the box is open, whatever way the box ends.
class DisabledWindow {
public:
    DisabledWindow() : w_(GetActiveWindow())
    {
        State().disabled = w_;
        if (w_)
            EnableWindow(w_, FALSE);
    }
    ~DisabledWindow()
    {
        if (w_ && !IsWindowEnabled(w_))
            EnableWindow(w_, TRUE);
        State().disabled = nullptr;
    }
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;
    HWND get() const { return w_; }

private:
    HWND w_;
};

std::string OrDefault(const std::string& caption, int word)
{
    return caption.empty() ? ListItem(kCaptionWords, word) : caption;
}

} // namespace

void SetBoxFont(const std::string& face, int size, int charset)
{
    BoxState& s = State();
    s.face = face;
    s.charset = charset;
    if (size != 0)
        s.size = size;
}

int ShowBox(BoxOwner owner, const std::string& text, const std::string& caption, const std::string& buttons,
            int charset, unsigned style, unsigned timeoutMs)
{
    BoxState& s = State();
    // One box at a time: its state is process-wide. A box asked for from inside an open box's
    // loop (a timer of the stub, say) would overwrite the open box's buttons and result.
    if (s.window)
        return kBoxNone;
    style = StyleForCharset(style, charset);
    if (owner == kBoxModeNoClose)
        style |= kBoxNoClose;
    const std::string shown = owner == kBoxModeHeading ? WithBoxHeading(text, caption) : text;

    if (!s.richEditHeld)
        s.richEditHeld = LoadLibraryA(kRichEditLibrary) != nullptr;
    int result = 0;
    {
        const Module richEdit(LoadLibraryA(kRichEditLibrary));
        const DisabledWindow disabled;
        const HWND parent = owner > kBoxModeNoClose ? reinterpret_cast<HWND>(owner) : disabled.get();
        RunBox(parent, shown, caption, buttons, style, timeoutMs);
        result = s.result;
    }
    WaitPumping(100, 0);
    return result;
}

void ErrorBox(BoxOwner owner, const std::string& text, const std::string& caption, const std::string& buttons,
              int charset)
{
    ShowBox(owner, text, OrDefault(caption, 0), buttons, charset, kBoxIconHand | kBoxOk, 0);
}

void AttentionBox(BoxOwner owner, const std::string& text, const std::string& caption,
                  const std::string& buttons, int charset, unsigned timeoutMs)
{
    ShowBox(owner, text, OrDefault(caption, 1), buttons, charset, kBoxIconExclamation | kBoxOk, timeoutMs);
}

bool ConfirmYesNo(BoxOwner owner, const std::string& text, const std::string& caption,
                  const std::string& buttons, int charset, unsigned timeoutMs)
{
    return ShowBox(owner, text, OrDefault(caption, 2), buttons, charset, kBoxIconQuestion | kBoxYesNo,
                   timeoutMs) == kBoxIdYes;
}

bool ConfirmOkCancel(BoxOwner owner, const std::string& text, const std::string& caption,
                     const std::string& buttons, int charset)
{
    return ShowBox(owner, text, OrDefault(caption, 2), buttons, charset, kBoxIconQuestion | kBoxOkCancel, 0) ==
           kBoxIdOk;
}

} // namespace stub
