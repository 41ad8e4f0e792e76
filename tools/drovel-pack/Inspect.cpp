#include "tools/drovel-pack/Inspect.h"

#include <cstdio>

#include "stub/package/Checksum.h"
#include "stub/package/Inflate.h"
#include "stub/package/Records.h"
#include "stub/package/TGFileInfo.h"
#include "stub/services/Utils.h"
#include "tools/drovel-pack/DosTime.h"
#include "tools/drovel-pack/PackageWriter.h"

namespace drovel {

namespace {

std::string Hex(std::uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", v);
    return text;
}

const char* YesNo(bool b) { return b ? "yes" : "no"; }

// Control bytes shown as \xNN, so delimiters and odd bytes stay visible.
std::string Printable(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 32 || c == 127) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class Report {
public:
    void Line(const std::string& label, const std::string& value) { text_ += label + ": " + value + "\n"; }
    void Raw(const std::string& line) { text_ += line + "\n"; }
    std::string& Text() { return text_; }

private:
    std::string text_;
};

void TrailerPart(Report& r, stub::ByteSource& file, const stub::Trailer& t, bool& ok)
{
    const std::uint64_t e = stub::PackageEnd(file);
    const bool carrier = stub::IsExecutableCarrier(file);
    r.Line("size", std::to_string(file.Size()) + " bytes");
    r.Line("executable carrier", YesNo(carrier));
    r.Line("package end (E)", carrier && e ? std::to_string(e) + (e < file.Size() ? " (data follows E)" : "") : "not set");
    r.Line("trailer length", std::to_string(t.Length()));
    r.Line("magic", Hex(t.Magic()) + (t.HasMagic() ? " (package)" : " (NO PACKAGE)"));
    if (!t.HasMagic()) {
        ok = false;
        return;
    }
    r.Line("header blocks", std::to_string(t.HeaderBlockCount()));
    r.Line("payload start", std::to_string(t.PayloadStart()));
    r.Line("files", std::to_string(t.FileCount()));
    const std::uint32_t computed = stub::PackageChecksum(file, t.Length());
    const bool holds = stub::ChecksumHolds(t.Checksum(), computed);
    ok = ok && holds;
    r.Line("checksum", "stored " + Hex(t.Checksum()) + ", computed " + Hex(computed) +
                           (holds ? " (holds)" : " (DOES NOT HOLD)"));
    static const char* const kFlagNames[] = {"show-temp-drive", "more-volumes", "cd-span", "second-bar", "agent-log"};
    std::string flags = Hex(t.Flags()).substr(8);
    for (int bit = 0; bit < 5; ++bit)
        if (t.Flags() & (1 << bit))
            flags += std::string(" ") + kFlagNames[bit];
    r.Line("flags", "0x" + flags);
    r.Line("web download", YesNo(t.WebDownload()));
    r.Line("confirm download", YesNo(t.ConfirmDownload()));
    r.Line("make agent", YesNo(t.MakeAgent()));
    r.Line("auto-update program", YesNo(t.AutoUpdateProgram()));
    std::string space = std::to_string(t.Space(0));
    for (int i = 1; i < stub::kSpaceEntries; ++i)
        space += " " + std::to_string(256 << i) + ":" + std::to_string(t.Space(i));
    r.Line("space table", space);
}

void BlocksPart(Report& r, const stub::TGFileInfo& info)
{
    const std::string& languages = info.LanguageBlock();
    const int entries = stub::ListCount(languages);
    r.Line("language block", std::to_string(languages.size()) + " bytes, " + std::to_string(entries) + " entries");
    for (int i = 0; i < entries; ++i) {
        const std::string entry = stub::ListItem(languages, i, "");
        const int texts = stub::ListCount(entry);
        r.Raw("  [" + Printable(stub::ListItem(entry, 0, "")) + "] " + std::to_string(texts - 1) + " texts");
        for (int k = 1; k < texts; ++k)
            r.Raw("    " + Printable(stub::ListItem(entry, k, "")));
    }
    r.Line("settings block", Printable(info.SettingsBlock()));
    r.Line("  update location", info.UpdateLocation());
    r.Line("  descriptor file", info.InfoFileName() + " (local copy " + info.OriginalFileName() + ")");
    r.Line("  agent name", info.AgentName());
    r.Line("  token", info.SettingsToken(false).empty() ? "(none)" : info.SettingsToken(true));
    r.Line("  runs hidden", YesNo(info.RunsHidden()));
    if (info.Info().HeaderBlockCount() <= 2)
        return;
    r.Line("download block", Printable(info.DownloadBlock()));
    r.Line("  location", info.DownloadLocation());
    r.Line("  file name", info.DownloadFileName());
    r.Line("  always download", YesNo(info.AlwaysDownloads()));
    r.Line("  token", info.DownloadToken(false).empty() ? "(none)" : info.DownloadToken(true));
    r.Line("  size", info.DownloadSize());
}

void RecordsPart(Report& r, stub::ByteSource& file, const stub::TGFileInfo& info, bool firstVolume, bool& ok)
{
    // A first volume starts with its header blocks; later volumes go straight to records.
    if (firstVolume && info.HeaderEnd() == 0) {
        r.Raw("header blocks: DAMAGED (a block reaches past the records)");
        ok = false;
        return;
    }
    const std::uint64_t start = firstVolume ? info.HeaderEnd() : info.Info().PayloadStart();
    stub::RecordWalker walker(file, start, stub::PackageLimit(file));
    r.Raw("records:");
    stub::RecordSpan span;
    int number = 0;
    while (walker.Next(span)) {
        ++number;
        const stub::RecordSummary s = stub::SummarizeRecord(walker, span, stub::kMaxRecordContent);
        std::string line = "  #" + std::to_string(number) + " at " + std::to_string(span.offset) +
                           (span.Deflated() ? " deflated " : " stored ") + std::to_string(span.bodyLength) +
                           " -> " + std::to_string(s.dataLength) + " bytes";
        if (!s.ok) {
            ok = false;
            r.Raw(line + " BROKEN" + (s.zlibCode ? " (" + stub::ZLibMessage(s.zlibCode) + ")" : ""));
            continue;
        }
        const stub::RecordHeader h = stub::ParseRecordHeader(s.header);
        if (h.empty) {
            r.Raw(line + " (empty header: carries nothing)");
            continue;
        }
        line += "  " + Printable(h.name) + "  " + DosDateTimeText(h.dosDate);
        if (!h.setupEntry.empty())
            line += "  setup entry: " + Printable(h.setupEntry);
        r.Raw(line);
    }
    const bool clean = walker.Stop() == stub::WalkStop::End;
    ok = ok && clean;
    r.Line("walk", std::string(stub::WalkStopText(walker.Stop())) + (clean ? "" : " (DAMAGED)") +
                       " at " + std::to_string(walker.Position()));
}

} // namespace

bool InspectPackage(const std::string& path, std::string& report)
{
    Report r;
    r.Line("file", path);
    stub::FileSource file;
    if (!stub::IsRegularFile(path) || !file.Open(path)) {
        r.Raw("cannot read the file");
        report = r.Text();
        return false;
    }
    bool ok = true;
    stub::TGFileInfo info;
    info.Create(file);
    TrailerPart(r, file, info.Info(), ok);
    if (info.Info().HasMagic()) {
        const bool firstVolume = !IsLaterVolumePath(path);
        r.Line("volume", firstVolume ? "first (header blocks, then records)" : "later (records only)");
        if (firstVolume && info.HeaderEnd() != 0)
            BlocksPart(r, info);
        RecordsPart(r, file, info, firstVolume, ok);
        r.Line("another volume follows", YesNo(info.HasMoreVolumes()));
    }
    r.Line("verdict", ok ? "sound" : "DAMAGED");
    report = r.Text();
    return ok;
}

} // namespace drovel
