// The records of one volume: each body is inflated (or taken as stored) piece by piece, its
// header names the target file, and the data is appended to that file as it arrives, so the
// memory a record needs is its body plus one output piece, whatever the size of the file.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <zlib.h>

#include "stub/package/ExtractState.h"
#include "stub/package/Inflate.h"
#include "stub/package/PackageNames.h"
#include "stub/package/Records.h"
#include "stub/services/Trace.h"

namespace stub {
namespace {

// A header longer than this cannot name a file: the record is refused rather than collected.
constexpr std::size_t kMaxHeaderText = 64 * 1024;

int& FailedWrites()
{
    static int count = 0;  // process-wide, never reset: the write error shows once per process
    return count;
}

// Takes a record's content as it is produced: the header up to the first NUL, then the data,
// which goes straight to the target file.
class RecordTarget : public ByteSink {
public:
    explicit RecordTarget(ExtractState& s) : s_(s) {}

    void Put(const char* data, std::size_t len) override
    {
        if (in_header_) {
            const char* nul = static_cast<const char*>(std::memchr(data, '\0', len));
            const std::size_t head = nul ? static_cast<std::size_t>(nul - data) : len;
            header_.append(data, std::min(head, kMaxHeaderText + 1 - header_.size()));
            if (!nul) {
                if (header_.size() > kMaxHeaderText)
                    EndHeader(false);
                return;
            }
            EndHeader(header_.size() <= kMaxHeaderText);
            data = nul + 1;
            len -= head + 1;
        }
        data_size_ += len;
        if (writer_ && len > 0)
            writer_->Put(data, len);
    }

    // After the whole content: a content without NUL is all header.
    void Finish()
    {
        if (in_header_)
            EndHeader(true);
        if (writer_ && !writer_->Finish(date_))
            ReportWriteFailure(s_, target_, writer_->ErrorText(), data_size_);
        writer_.reset();
    }

private:
    void EndHeader(bool complete)
    {
        in_header_ = false;
        if (!complete) {
            TraceOut() << s_.host.ProcessId() << " Record header too long: record skipped" << kEol;
            ReportWriteFailure(s_, s_.request.dest_folder, "Invalid file record", 0);
            return;
        }
        const RecordHeader h = ParseRecordHeader(header_);
        if (h.empty)
            return;  // carries nothing
        target_ = s_.request.dest_folder + "\\" + h.name;
        if (!IsPlainFileName(h.name)) {
            // A name with a folder part, a drive or `.`/`..` would write outside the folder, a
            // device name to the device.
            TraceOut() << s_.host.ProcessId() << " Unsafe file name in package, not written: " << h.name << kEol;
            ReportWriteFailure(s_, target_, "Invalid file name", 0);
            return;
        }
        if (!h.setupEntry.empty())
            s_.result.setup_entry = h.setupEntry;
        if (!s_.host.FileExists(target_))
            s_.host.ProgressStep();
        date_ = h.dosDate;
        writer_ = s_.host.OpenTarget(target_, true);
    }

    ExtractState& s_;
    bool in_header_ = true;
    std::string header_;
    std::string target_;
    std::uint32_t date_ = 0;
    std::uint64_t data_size_ = 0;
    std::unique_ptr<TargetWriter> writer_;
};

// Ends the run on a record that cannot be taken in: zlib's message, traced and shown.
void FailRecord(ExtractState& s, const std::string& volume_path, int code)
{
    s.result.error = ZLibMessage(code);
    TraceOut() << s.host.ProcessId() << " Inflate error: " << s.result.error << kEol;
    s.host.ShowBox({ExtractBoxKind::InflateError, volume_path + "<P><P>" + s.result.error, "", "", s.request.charset});
}

// Reads a body into s.body; false when it is larger than a record may be or memory runs out.
bool ReadRecordBody(ExtractState& s, RecordWalker& walker, const RecordSpan& span)
{
    if (span.bodyLength > s.request.max_record_content)
        return false;
    try {
        if (s.body.capacity() < span.bodyLength) {  // the old buffer goes before the larger one comes
            std::string().swap(s.body);
            s.body.reserve(span.bodyLength);
        }
        if (!walker.ReadBody(span, s.body, [&s] { s.host.PumpMessages(); }))
            TraceOut() << s.host.ProcessId() << " Record body cut short: " << s.body.size() << " of " << span.bodyLength << kEol;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// One record's content into its target; false when the body does not inflate.
bool WriteRecord(ExtractState& s, const RecordSpan& span, const std::string& volume_path)
{
    RecordTarget target(s);
    if (!span.Deflated()) {
        target.Put(s.body.data(), s.body.size());
        target.Finish();
        return true;
    }
    Inflater inflater([&s] { s.host.PumpMessages(); }, s.request.max_record_content);
    inflater.Feed(s.body.data(), s.body.size(), target);
    const int rc = inflater.Finish();
    if (rc != Z_STREAM_END) {
        FailRecord(s, volume_path, rc);
        return false;
    }
    target.Finish();
    return true;
}

} // namespace

int WriteFailureCount() { return FailedWrites(); }

void ReportWriteFailure(ExtractState& s, const std::string& target, const std::string& error_text,
                        std::uint64_t data_size)
{
    TraceOut() << s.host.ProcessId() << " Unable to save: " << target << kEol;
    if (++FailedWrites() != 1)
        return;
    const std::string details = error_text + "<P>" + "  Data Size: <T>" + std::to_string(data_size) + " Bytes<P>" +
                                "  File Size:  <T>" + std::to_string(s.host.FileSize(target)) + " Bytes<P>" +
                                "  Bytes Free: <T>" + std::to_string(std::llround(s.host.FreeSpace(target))) + " Bytes";
    s.host.ShowBox({ExtractBoxKind::WriteError, target + "<P><P>Unable to save Extracted File!<P><P>" + details, "", "",
                    s.request.charset});
}

bool ExtractRecords(ExtractState& s, ByteSource& volume, const Trailer& trailer, std::uint64_t limit,
                    const std::string& volume_path)
{
    if (!s.host.CreateFolders(s.request.dest_folder))
        s.host.ShowBox({ExtractBoxKind::FolderError,
                        s.request.dest_folder + "<P><P>Unable to create Directory!<P><P>" + s.host.SysErrorText(), "", "",
                        s.request.charset});
    RecordWalker walker(volume, trailer.PayloadStart(), limit);
    RecordSpan span;
    bool ok = true;
    while (ok && walker.Next(span)) {
        s.host.PumpMessages();
        if (++s.records <= static_cast<std::uint64_t>(s.header_blocks)) {
            if (s.records == static_cast<std::uint64_t>(s.header_blocks)) {
                s.header_end = walker.Position();
                s.header_end_known = true;
            }
            continue;  // the header blocks were read with the trailer
        }
        if (!ReadRecordBody(s, walker, span)) {
            FailRecord(s, volume_path, Z_MEM_ERROR);
            ok = false;
            break;
        }
        ok = WriteRecord(s, span, volume_path);  // a short body goes on with what it has
    }
    if (ok && walker.Stop() != WalkStop::End)
        TraceOut() << s.host.ProcessId() << " Volume ends early: " << WalkStopText(walker.Stop()) << kEol;
    std::string().swap(s.body);  // the largest body's buffer is not kept past the volume
    return ok;
}

} // namespace stub
