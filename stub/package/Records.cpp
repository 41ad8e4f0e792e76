#include "stub/package/Records.h"

#include "stub/package/Trailer.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

std::uint32_t DecimalOrZero(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return 0;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    return v > UINT32_MAX ? 0 : static_cast<std::uint32_t>(v);
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

std::string MakeRecordHeader(const std::string& name, bool setupEntry,
                             const std::string& arguments, std::uint32_t dosDate)
{
    std::string header = "|" + name;
    if (setupEntry)
        header += "*" + arguments;
    header += "|" + std::to_string(dosDate) + "|";
    return header;
}

} // namespace stub
