// File records: the walk over one volume's records and the parts of a record's content.
//
// A record is an i32 n and a body: n > 0, a zlib stream of n bytes; n <= 0, -n stored bytes.
// The content (inflated or stored) is a header text, one NUL byte and the file's bytes; the
// header is a delimited list: item 0 the file name (a `*` after it marks the setup entry, text
// after the `*` are its extra arguments), item 1 the DOS date-time in decimal.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "stub/package/ByteSource.h"

namespace stub {

// A record body is read in pieces of this size.
inline constexpr std::size_t kBodyPieceSize = 65536;

struct RecordSpan {
    std::int32_t n = 0;
    std::uint64_t offset = 0;      // of n
    std::uint64_t bodyOffset = 0;
    std::uint32_t bodyLength = 0;  // |n|, INT32_MIN included
    bool Deflated() const { return n > 0; }
};

// Why a walk ended.
enum class WalkStop {
    None,           // still walking
    End,            // 74 bytes or fewer remain before the limit: the trailer
    ShortLength,    // fewer than 4 bytes of n could be read
    BodyTooLong,    // the body would reach into the trailer or past the limit
    Truncated,      // a body read came back short
};
const char* WalkStopText(WalkStop stop);

// Walks the records between start and limit (E, or the file size). The first records of a
// first volume are its header blocks; the caller skips them by count.
class RecordWalker {
public:
    // A limit beyond the file is cut to the file's size.
    RecordWalker(ByteSource& file, std::uint64_t start, std::uint64_t limit)
        : file_(file), position_(start), limit_(std::min(limit, file.Size())) {}

    // The next record's span; false when the walk has stopped (see Stop()).
    bool Next(RecordSpan& record);
    // Reads the body in pieces of at most 64 KiB, calling afterPiece after each; false (and the
    // walk stops as Truncated) when a piece comes back short; body then holds what was read.
    bool ReadBody(const RecordSpan& record, std::string& body,
                  const std::function<void()>& afterPiece = nullptr);

    WalkStop Stop() const { return stop_; }
    std::uint64_t Position() const { return position_; }
    std::uint64_t Limit() const { return limit_; }

private:
    ByteSource& file_;
    std::uint64_t position_;
    std::uint64_t limit_;
    WalkStop stop_ = WalkStop::None;
};

// The content split at its first NUL byte (no NUL: all of it is the header).
struct RecordContent {
    std::string header;
    std::string data;
};
RecordContent SplitRecordContent(std::string content);

struct RecordHeader {
    bool empty = true;        // an empty header makes the record carry nothing
    std::string name;         // item 0 cut before any `*`
    std::string setupEntry;   // non-empty when the header holds a `*` (name with `*` and arguments)
    std::string arguments;    // text after the `*` of the name
    std::string dateText;     // item 1
    std::uint32_t dosDate = 0;  // item 1 as a decimal number; 0 when not a number
};
RecordHeader ParseRecordHeader(const std::string& header);

// One record read and, when deflated, inflated with the content bounded by limit, keeping only
// the header text and counting the file's bytes: what listing a package needs without holding
// whole files. ok is false when the body is cut short or the stream is broken or too large;
// zlibCode then holds zlib's code (0 for a short body).
struct RecordSummary {
    bool ok = false;
    int zlibCode = 0;
    std::string header;
    std::uint64_t dataLength = 0;
    std::uint64_t contentLength = 0;
};
RecordSummary SummarizeRecord(RecordWalker& walker, const RecordSpan& record, std::uint64_t limit);

// The header text the packaging tool writes: |name|date| or |name* arguments|date|.
std::string MakeRecordHeader(const std::string& name, bool setupEntry,
                             const std::string& arguments, std::uint32_t dosDate);

} // namespace stub
