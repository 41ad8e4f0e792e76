// The trace viewer's window: receives the registered viewer message and writes each piece out.
#pragma once
#include "tools/trace-viewer/ViewerOptions.h"

namespace traceviewer {

// Creates the viewer window and handles messages until it is closed (WM_CLOSE, Ctrl+C).
// Returns the program's exit code; failures are described on standard error.
int RunViewer(const ViewerOptions& options);

// Asks every running viewer window to close; returns how many were found.
int StopViewers();

} // namespace traceviewer
