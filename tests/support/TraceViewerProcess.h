// A real trace-viewer process for integration tests: starts trace-viewer.exe from the test's own
// folder, waits until its window exists, reads what arrived, closes it.
//
//   testsupport::TraceViewerProcess viewer;
//   REQUIRE(viewer.Started());
//   ... run a program that traces ...
//   viewer.Stop();
//   CHECK(viewer.Text() == ...);
//
// Only one viewer window may exist per wineserver (programs send to the first they find), so
// every test that uses this class is registered with drovel_uses_trace_viewer(), which keeps
// such tests from running at the same time.
#pragma once
#include "tools/trace-viewer/PieceRecord.h"
#include <windows.h>
#include <string>
#include <vector>

namespace testsupport {

// The full path of a program in the folder of the running test program.
std::string ProgramBeside(const std::string& name);

class TraceViewerProcess {
public:
    explicit TraceViewerProcess(DWORD waitMs = 30000);
    ~TraceViewerProcess();
    TraceViewerProcess(const TraceViewerProcess&) = delete;
    TraceViewerProcess& operator=(const TraceViewerProcess&) = delete;

    // The process runs and its window exists.
    bool Started() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    // Closes the window and waits for the process to end; true when it ended in time.
    bool Stop(DWORD waitMs = 30000);

    // What arrived so far, piece by piece and joined.
    std::vector<traceviewer::ReceivedPiece> Pieces() const;
    std::string Text() const;
    // The joined text cut at CR LF (a last line without its end is kept).
    std::vector<std::string> Lines() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::string piecesFile_;
};

// Starts a program with the given command line (the program's quoted path is put in front) and
// waits for it; returns its exit code, or -1 when it could not start or did not end in time.
// pid receives the process id.
int RunProgram(const std::string& program, const std::string& arguments, DWORD waitMs, DWORD* pid,
               std::string* commandLine = nullptr);

} // namespace testsupport
