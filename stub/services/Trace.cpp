#include "stub/services/Trace.h"

namespace stub {

TraceStream& TraceOut()
{
    static TraceStream stream;
    return stream;
}

void TraceStream::Put(char c)
{
    buffer_.push_back(c);
    // A line ends with LF (written as CR LF); the piece then goes out with its line end.
    if (c == '\n' || buffer_.size() >= kBufferSize)
        Flush();
}

void TraceStream::Flush()
{
    if (buffer_.empty())
        return;
    std::string piece;
    piece.swap(buffer_);
    if (sink_)
        sink_(piece);
}

TraceStream& TraceStream::operator<<(const std::string& text)
{
    for (char c : text)
        Put(c);
    return *this;
}

TraceStream& TraceStream::operator<<(const char* text)
{
    if (text)
        for (; *text; ++text)
            Put(*text);
    return *this;
}

TraceStream& TraceStream::operator<<(char c)
{
    Put(c);
    return *this;
}

TraceStream& TraceStream::operator<<(bool b) { return *this << (b ? "TRUE" : "FALSE"); }

TraceStream& TraceStream::Number(long long v) { return *this << std::to_string(v); }

TraceStream& TraceStream::operator<<(unsigned long long v) { return *this << std::to_string(v); }

} // namespace stub
