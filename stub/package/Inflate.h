// Decompression of file records: zlib streams with the zlib header and the default window.
// Inflater works piece by piece with a bounded output buffer, so a record never has to be
// held whole; InflateText is the one-call form that returns the whole content.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace stub {

// A failed inflate; the message is zlib's text for the code ("data error", "buffer error", ...).
class EZLibError : public std::runtime_error {
public:
    explicit EZLibError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// zlib's message for a result code.
std::string ZLibMessage(int code);

// A record's content may not grow beyond this: more than a 32-bit process can hold at once.
inline constexpr std::uint64_t kMaxRecordContent = 1ull << 30;

// Where inflated bytes go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Put(const char* data, std::size_t len) = 0;
};

// Runs between inflate rounds so that window messages are dispatched.
using PumpFn = std::function<void()>;

class Inflater {
public:
    static constexpr std::size_t kOutputPiece = 256 * 1024;

    // pump runs between inflate rounds (window messages); limit bounds the total output.
    explicit Inflater(PumpFn pump = nullptr, std::uint64_t limit = kMaxRecordContent);
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Inflates one input piece into the sink. Returns 0 while the stream goes on, 1 once it has
    // ended (later input is ignored), or a negative zlib code: a broken stream, a stream that
    // needs a preset dictionary, or output past the limit (insufficient memory).
    int Feed(const char* in, std::size_t len, ByteSink& sink);
    // After the last piece: 1 when the stream ended, else the code of a truncated stream.
    int Finish() const;
    std::uint64_t produced() const { return produced_; }

private:
    struct State;
    State* state_;
    PumpFn pump_;
    std::uint64_t limit_;
    std::uint64_t produced_ = 0;
    int status_ = 0;
};

// Inflates one whole zlib stream; throws EZLibError on failure.
std::string InflateText(const std::string& data, PumpFn pump = nullptr);

} // namespace stub
