#include "stub/services/TraceWin.h"
#include "stub/services/Handles.h"
#include "stub/services/Trace.h"
#include <mutex>

namespace stub {

namespace {

struct TraceState {
    CriticalSection lock;
    UINT message = RegisterWindowMessageA(kTraceViewerMessage);
    std::uint16_t source = 0;
};

// Never destroyed: a trace line written while the process ends must still find its lock.
TraceState& State()
{
    static TraceState* state = new TraceState;
    return *state;
}

// The viewer reads the atom's name while it handles the sent message; the atom goes as soon as
// the send returns. Without a viewer, or when the atom cannot be made, the piece is dropped.
void HandToViewer(const std::string& piece)
{
    TraceState& s = State();
    std::lock_guard<CriticalSection> hold(s.lock);
    HWND viewer = FindWindowA(kTraceViewerClass, nullptr);
    if (viewer == nullptr)
        return;
    GlobalAtom atom(GlobalAddAtomA(piece.c_str()));
    if (!atom)
        return;
    SendMessageA(viewer, s.message, s.source, atom.get());
}

} // namespace

void StartTrace()
{
    static const bool started = [] {
        State();
        TraceOut().SetSink(HandToViewer);
        return true;
    }();
    (void)started;
}

void SetTraceSource(std::uint16_t code)
{
    StartTrace();
    State().source = code;
}

unsigned TraceViewerMessageId() { return State().message; }

} // namespace stub
