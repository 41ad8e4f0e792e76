// The trace stream (module U_DEBUG): diagnostic text that is handed, piece by piece, to an
// external debug viewer when one runs and is discarded otherwise. A piece is handed over at
// each line end and whenever 128 characters have accumulated.
//
//   TraceOut() << GetCurrentProcessId() << " ==== STUB START ====> " << cmdLine << "<" << kEol;
#pragma once
#include <cstdint>
#include <string>

namespace stub {

inline constexpr const char* kEol = "\r\n";

// The viewer contract: a top-level window of this class receives the registered message, with
// the source code as first parameter and a global atom named by the piece as second.
inline constexpr const char* kTraceViewerClass = ".DDebug.";
inline constexpr const char* kTraceViewerMessage = ".D_DebugMsg.";

class TraceStream {
public:
    using Sink = void (*)(const std::string& piece);
    static constexpr std::size_t kBufferSize = 128;

    TraceStream& operator<<(const std::string& text);
    TraceStream& operator<<(const char* text);
    TraceStream& operator<<(char c);
    TraceStream& operator<<(bool b);  // "TRUE" / "FALSE"
    TraceStream& operator<<(int v) { return Number(v); }
    TraceStream& operator<<(long v) { return Number(v); }
    TraceStream& operator<<(long long v) { return Number(v); }
    TraceStream& operator<<(unsigned v) { return Number(static_cast<long long>(v)); }
    TraceStream& operator<<(unsigned long v) { return Number(static_cast<long long>(v)); }
    TraceStream& operator<<(unsigned long long v);

    // Where pieces go; none means they are discarded. The Windows side installs the viewer hand-over.
    void SetSink(Sink sink) { sink_ = sink; }
    // Hands over what is buffered (also called at each line end and when the buffer is full).
    void Flush();

private:
    TraceStream& Number(long long v);
    void Put(char c);

    std::string buffer_;
    Sink sink_ = nullptr;
};

// The process-wide stream.
TraceStream& TraceOut();

} // namespace stub
