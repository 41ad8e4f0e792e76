// The volume loop: checksum and magic of each volume, the records, the next disk.
#include "stub/package/ExtractEngine.h"

#include "stub/package/Checksum.h"
#include "stub/package/ExtractState.h"
#include "stub/services/Trace.h"
#include "stub/services/Utils.h"

namespace stub {
namespace {

bool DefaultBoxAnswer(const ExtractBox& box) { return box.kind != ExtractBoxKind::DiskPrompt; }

ExtractBoxHook& BoxHook()
{
    static ExtractBoxHook hook = DefaultBoxAnswer;
    return hook;
}

// What one volume left behind for the loop.
struct VolumeOutcome {
    Trailer trailer;
    bool end_run = false;
};

VolumeOutcome ExtractVolume(ExtractState& s, const std::string& path, int volume)
{
    VolumeOutcome out;
    const std::unique_ptr<ByteSource> volume_source = s.host.OpenVolume(path);
    if (!volume_source) {
        TraceOut() << s.host.ProcessId() << " Cannot open volume: " << path << kEol;
        out.end_run = true;  // as a failed check: nothing read from it can be trusted
        s.result.checksum_ok = false;
        return out;
    }
    ByteSource& file = *volume_source;
    ReadTrailer(file, out.trailer);
    const Trailer& t = out.trailer;
    if (volume == 1) {
        TraceOut() << "FileInfo.FilesCount=" << t.FileCount() << kEol;
        s.header_blocks = t.HeaderBlockCount();
    }
    s.result.checksum_ok = ChecksumHolds(t.Checksum(), PackageChecksum(file, t.Length()));
    if (!s.result.checksum_ok) {
        out.end_run = true;
        return out;
    }
    const std::uint64_t limit = PackageLimit(file);
    TraceOut() << "FileLen=" << limit << kEol;
    if (!t.HasMagic())
        return out;  // skipped; the next-volume rule still applies
    if (volume == 1)
        s.host.ProgressReset(static_cast<int>(t.FileCount()));
    if (!ExtractRecords(s, file, t, limit, path)) {
        out.end_run = true;
        return out;
    }
    if (volume == 1)
        MakeAgentCopy(s, file, path);
    return out;
}

// The disk prompt, repeated until the volume is there or the user cancels; false on Cancel.
bool AskForDisk(ExtractState& s, const std::string& path, int volume)
{
    s.host.EjectCD(path);
    const ExtractRequest& r = s.request;
    const ExtractBox box{ExtractBoxKind::DiskPrompt, ReplaceAllText(r.disk_prompt, "<DISK_NUM>", std::to_string(volume)),
                         r.prompt_title, r.button_texts, r.charset};
    for (;;) {
        const bool ok = s.host.ShowBox(box);
        s.host.WaitPumping(500);
        if (!ok)
            return false;
        if (s.host.FileExists(path))
            return true;
    }
}

} // namespace

std::unique_ptr<ByteSource> ExtractHost::OpenVolume(const std::string& path)
{
    auto file = std::make_unique<FileSource>();
    if (!file->Open(path))
        return nullptr;
    return file;
}

ExtractBoxHook SetExtractBoxHook(ExtractBoxHook hook)
{
    const ExtractBoxHook previous = BoxHook();
    BoxHook() = hook ? hook : DefaultBoxAnswer;
    return previous;
}

bool ShowExtractBox(const ExtractBox& box) { return BoxHook()(box); }

std::string VolumeBaseName(const std::string& first_volume)
{
    return EndsWith(".001", first_volume, false) ? first_volume.substr(0, first_volume.size() - 4) : first_volume;
}

std::string VolumePath(const std::string& base, int volume) { return base + "." + ZeroPad(volume, 3); }

ExtractResult RunExtraction(const ExtractRequest& request, ExtractHost& host)
{
    const std::uint64_t start = host.TickCount();
    ExtractState s(host, request);
    const std::string base = VolumeBaseName(request.package_path);
    host.ProgressReset(0);
    bool go_on = true;
    int volume = 1;
    std::string path = request.package_path;
    Trailer last;  // none read yet: no further volume
    for (;;) {
        if (host.FileExists(path)) {
            const VolumeOutcome outcome = ExtractVolume(s, path, volume);
            last = outcome.trailer;
            if (outcome.end_run)
                break;
        }
        if (!last.Flag(kFlagMoreVolumes))
            break;
        host.EnableAutoPlayCancel();
        path = VolumePath(base, ++volume);
        if (request.force_prompt || !host.FileExists(path))
            go_on = AskForDisk(s, path, volume);
        host.ProgressStep();
        if (!go_on)
            break;
    }
    if (!go_on || !s.result.error.empty())
        s.result.setup_entry.clear();  // an interrupted extraction runs nothing
    TraceOut() << kEol << "UnCompressTime: " << (host.TickCount() - start) << " MS" << kEol;
    host.WaitPumping(500);
    return s.result;
}

} // namespace stub
