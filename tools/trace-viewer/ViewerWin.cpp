#include "tools/trace-viewer/ViewerWin.h"
#include "stub/services/Trace.h"
#include "tools/trace-viewer/PieceRecord.h"
#include <windows.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <share.h>
#include <string>

namespace traceviewer {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

// Opens a file for writing that other programs may read while the viewer runs.
File OpenShared(const std::string& name)
{
    return File(name.empty() ? nullptr : _fsopen(name.c_str(), "wb", _SH_DENYNO), fclose);
}

void WriteFlushed(FILE* f, const std::string& text)
{
    if (f == nullptr)
        return;
    fwrite(text.data(), 1, text.size(), f);
    fflush(f);
}

// Where received pieces go: standard output, the text file and the record file, each flushed
// per piece so a reader sees a piece as soon as it arrived.
class PieceWriter {
public:
    bool Open(const ViewerOptions& o)
    {
        out_ = OpenShared(o.outFile);
        pieces_ = OpenShared(o.piecesFile);
        quiet_ = o.quiet;
        if (!quiet_)
            _setmode(_fileno(stdout), _O_BINARY);  // CR LF of the pieces stays as it came
        return (o.outFile.empty() || out_) && (o.piecesFile.empty() || pieces_);
    }
    void Write(unsigned source, const std::string& piece)
    {
        if (!quiet_)
            WriteFlushed(stdout, piece);
        WriteFlushed(out_.get(), piece);
        WriteFlushed(pieces_.get(), PieceRecord(source, piece));
    }

private:
    File out_{nullptr, fclose};
    File pieces_{nullptr, fclose};
    bool quiet_ = false;
};

struct ViewerWindow {
    PieceWriter writer;
    UINT message = RegisterWindowMessageA(stub::kTraceViewerMessage);
};

HWND g_window = nullptr;  // for the console's Ctrl+C handler

// The sender deletes the atom when the send returns, so its name is read here and now.
LRESULT CALLBACK ViewerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* viewer = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (viewer != nullptr && msg == viewer->message) {
        char name[256];
        UINT n = GlobalGetAtomNameA(static_cast<ATOM>(lp), name, sizeof name);
        viewer->writer.Write(static_cast<unsigned>(wp), std::string(name, n));
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

BOOL WINAPI OnConsoleBreak(DWORD)
{
    if (g_window != nullptr)
        PostMessageA(g_window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool WriteReadyFile(const std::string& name, HWND w)
{
    File f = OpenShared(name);
    if (!f)
        return false;
    WriteFlushed(f.get(), std::to_string(reinterpret_cast<UINT_PTR>(w)) + "\n");
    return true;
}

HWND CreateViewerWindow(ViewerWindow& viewer)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ViewerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = stub::kTraceViewerClass;
    if (RegisterClassA(&wc) == 0)
        return nullptr;
    return CreateWindowExA(0, stub::kTraceViewerClass, "Drovel trace viewer", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, 400, 100, nullptr, nullptr, wc.hInstance, &viewer);
}

} // namespace

int RunViewer(const ViewerOptions& options)
{
    ViewerWindow viewer;
    if (!viewer.writer.Open(options)) {
        fprintf(stderr, "trace-viewer: cannot open the output files\n");
        return 2;
    }
    HWND w = CreateViewerWindow(viewer);
    if (w == nullptr) {
        fprintf(stderr, "trace-viewer: cannot create the viewer window (error %lu)\n", GetLastError());
        return 2;
    }
    g_window = w;
    SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
    if (!options.readyFile.empty() && !WriteReadyFile(options.readyFile, w))
        fprintf(stderr, "trace-viewer: cannot write %s\n", options.readyFile.c_str());
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    g_window = nullptr;
    return 0;
}

int StopViewers()
{
    int found = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, stub::kTraceViewerClass, nullptr)) != nullptr;) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        ++found;
    }
    return found;
}

} // namespace traceviewer
