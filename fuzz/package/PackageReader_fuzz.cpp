// The package reader over an image held in memory: trailer, header blocks and their accessors,
// the checksum, and the record walk with every record inflated under a bound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "stub/package/Checksum.h"
#include "stub/package/Records.h"
#include "stub/package/TGFileInfo.h"

namespace {

void Accessors(const stub::TGFileInfo& info)
{
    (void)info.UpdateLocation();
    (void)info.OriginalFileName();
    (void)info.AgentName();
    (void)info.SettingsToken(true);
    (void)info.RunsHidden();
    (void)info.DownloadSize();
    (void)info.AlwaysDownloads();
    (void)info.SameDownloadToken(info);
    (void)info.SpaceRequiredFor(4096);
    (void)info.FontSize();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    stub::MemorySource source(data, size);
    (void)stub::PackageEnd(data, size);
    stub::TGFileInfo info;
    info.Create(source);
    Accessors(info);
    (void)stub::PackageChecksum(source, info.Info().Length());

    // Walk as a first volume (after the header blocks) and as a later one (from the payload start).
    for (std::uint64_t start : {info.HeaderEnd(), static_cast<std::uint64_t>(info.Info().PayloadStart())}) {
        stub::RecordWalker walker(source, start, stub::PackageLimit(source));
        stub::RecordSpan span;
        while (walker.Next(span)) {
            const stub::RecordSummary summary = stub::SummarizeRecord(walker, span, 1u << 20);
            (void)stub::ParseRecordHeader(summary.header);
        }
    }
    return 0;
}
