// The run of Stub.exe from its first trace line to its exit code.
#pragma once

namespace stub {

// Starts the trace stream as source 2, traces the start line, runs the stub and traces the end
// line; returns the process exit code.
int RunStubProgram();

} // namespace stub
