#include "stub/package/Records.h"

#include <cstring>

#include "stub/package/Inflate.h"
#include "stub/package/Trailer.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

std::uint32_t DecimalOrZero(const std::string& text)
{
    const std::int64_t v = ParseInt64(text, 0);
    return v < 0 || v > UINT32_MAX ? 0 : static_cast<std::uint32_t>(v);
}

} // namespace

const char* WalkStopText(WalkStop stop)
{
    switch (stop) {
    case WalkStop::None: return "walking";
    case WalkStop::End: return "end of records";
    case WalkStop::ShortLength: return "record length cut short";
    case WalkStop::BodyTooLong: return "record body reaches past the records";
    case WalkStop::Truncated: return "record body cut short";
    }
    return "?";
}

bool RecordWalker::Next(RecordSpan& record)
{
    if (stop_ != WalkStop::None)
        return false;
    if (position_ >= limit_ || limit_ - position_ <= kTrailerSize) {
        stop_ = WalkStop::End;
        return false;
    }
    unsigned char b[4];
    if (!file_.ReadExact(position_, b, 4)) {
        stop_ = WalkStop::ShortLength;
        return false;
    }
    record.n = static_cast<std::int32_t>(GetU32(b));
    record.offset = position_;
    record.bodyOffset = position_ + 4;
    const std::int64_t n = record.n;
    record.bodyLength = static_cast<std::uint32_t>(n < 0 ? -n : n);
    // The body must end before the trailer.
    if (static_cast<std::uint64_t>(record.bodyLength) + 4 + kTrailerSize > limit_ - position_) {
        stop_ = WalkStop::BodyTooLong;
        return false;
    }
    position_ = record.bodyOffset + record.bodyLength;
    return true;
}

bool RecordWalker::ReadBody(const RecordSpan& record, std::string& body,
                            const std::function<void()>& afterPiece)
{
    body.resize(record.bodyLength);
    std::size_t done = 0;
    while (done < body.size()) {
        const std::size_t want = std::min(kBodyPieceSize, body.size() - done);
        const std::size_t got = file_.ReadAt(record.bodyOffset + done, &body[done], want);
        done += got;
        if (afterPiece)
            afterPiece();
        if (got < want) {
            body.resize(done);
            stop_ = WalkStop::Truncated;
            return false;
        }
    }
    return true;
}

RecordContent SplitRecordContent(std::string content)
{
    RecordContent parts;
    const std::size_t nul = content.find('\0');
    if (nul == std::string::npos) {
        parts.header = std::move(content);
        return parts;
    }
    parts.data = content.substr(nul + 1);
    content.resize(nul);
    parts.header = std::move(content);
    return parts;
}

RecordHeader ParseRecordHeader(const std::string& header)
{
    RecordHeader h;
    if (header.empty())
        return h;
    h.empty = false;
    if (header.find('*') != std::string::npos)
        h.setupEntry = header;
    h.name = ListItem(header, 0, "");
    h.dateText = ListItem(header, 1, "");
    h.dosDate = DecimalOrZero(h.dateText);
    const std::size_t star = h.name.find('*');
    if (star != std::string::npos) {
        h.setupEntry = h.name;
        h.arguments = h.name.substr(star + 1);
        h.name.resize(star);
    }
    return h;
}

namespace {

// Keeps the content up to its first NUL byte and counts the rest.
class HeaderSink : public ByteSink {
public:
    explicit HeaderSink(RecordSummary& summary) : s_(summary) {}
    void Put(const char* data, std::size_t len) override
    {
        s_.contentLength += len;
        if (seenNul_) {
            s_.dataLength += len;
            return;
        }
        const char* nul = static_cast<const char*>(std::memchr(data, 0, len));
        const std::size_t head = nul ? static_cast<std::size_t>(nul - data) : len;
        s_.header.append(data, head);
        if (nul) {
            seenNul_ = true;
            s_.dataLength += len - head - 1;
        }
    }

private:
    RecordSummary& s_;
    bool seenNul_ = false;
};

} // namespace

RecordSummary SummarizeRecord(RecordWalker& walker, const RecordSpan& record, std::uint64_t limit)
{
    RecordSummary summary;
    std::string body;
    if (!walker.ReadBody(record, body))
        return summary;
    HeaderSink sink(summary);
    if (!record.Deflated()) {
        if (body.size() > limit)
            return summary;
        sink.Put(body.data(), body.size());
        summary.ok = true;
        return summary;
    }
    Inflater inflater(nullptr, limit);
    inflater.Feed(body.data(), body.size(), sink);
    summary.zlibCode = inflater.Finish();
    summary.ok = summary.zlibCode == 1;
    return summary;
}

std::string MakeRecordHeader(const std::string& name, bool setupEntry,
                             const std::string& arguments, std::uint32_t dosDate)
{
    std::string header = "|" + name;
    if (setupEntry)
        header += arguments.empty() ? "*" : "* " + arguments;
    header += "|" + std::to_string(dosDate) + "|";
    return header;
}

} // namespace stub
