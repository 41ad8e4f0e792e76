// The Windows side of the trace stream: hands each piece to a running debug viewer.
#pragma once
#include <cstdint>

namespace stub {

// Creates the hand-over lock, registers the viewer message and attaches the hand-over to
// TraceOut(). Runs once; later calls do nothing.
void StartTrace();

// The code sent as the viewer message's first parameter (the program entry sets 2 before it
// writes anything). Starts the trace stream when that has not happened yet.
void SetTraceSource(std::uint16_t code);

// The id of the registered viewer message.
unsigned TraceViewerMessageId();

} // namespace stub
