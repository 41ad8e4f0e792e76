// The package information of one package file: its trailer, its three header blocks and the
// accessors every other part reads flags, settings and language texts through.
#pragma once
#include <cstdint>
#include <string>

#include "stub/package/ByteSource.h"
#include "stub/package/Trailer.h"

namespace stub {

// The language entry that LangText reads is chosen once per process, by the language module,
// from the first package's language block; every later lookup, on any package, uses it. The
// chooser returns the chosen entry, or the empty text when no entry fits. Until a chooser is
// installed every lookup returns its default.
using LanguageEntryChooser = std::string (*)(const std::string& languageBlock);
void SetLanguageEntryChooser(LanguageEntryChooser chooser);
// Forgets the entry chosen so far (tests; a new process starts without one).
void ResetChosenLanguageEntry();

class TGFileInfo {
public:
    TGFileInfo() = default;
    explicit TGFileInfo(const std::string& path) { Create(path); }

    // Reads the trailer and, when the magic matches, the header blocks. A missing file leaves
    // everything empty; a wrong magic leaves the texts empty and the trailer as read.
    void Create(const std::string& path);
    void Create(ByteSource& file);

    const Trailer& Info() const { return trailer_; }
    const std::string& LanguageBlock() const { return language_; }
    const std::string& SettingsBlock() const { return settings_; }
    const std::string& DownloadBlock() const { return download_; }
    // The offset just past the last header block (0 when the blocks were not read).
    std::uint64_t HeaderEnd() const { return headerEnd_; }

    // Space-table entry for the cluster size of the folder's drive (Windows: asks the system).
    double SpaceRequired(const std::string& folder) const;
    // The same for a known cluster size in bytes (0 when it cannot be read: entry 0).
    double SpaceRequiredFor(std::uint32_t clusterSize) const;

    bool ShowsTempDriveInfo() const { return trailer_.Flag(kFlagShowTempDrive); }
    bool HasMoreVolumes() const { return trailer_.Flag(kFlagMoreVolumes); }
    bool SpansCds() const { return trailer_.Flag(kFlagSpanCds); }
    bool ShowsSecondBar() const { return trailer_.Flag(kFlagSecondBar); }
    bool LogsAutoUpdate() const { return trailer_.Flag(kFlagAgentLog); }
    bool IsWebDownload() const { return trailer_.WebDownload(); }
    bool ConfirmsDownload() const { return trailer_.ConfirmDownload(); }
    bool MakesAgent() const { return trailer_.MakeAgent(); }
    bool IsAutoUpdateProgram() const { return trailer_.AutoUpdateProgram(); }

    std::string UpdateLocation() const;
    std::string InfoFileName() const;
    std::string OriginalFileName() const;
    std::string AgentName() const;
    std::string SettingsToken(bool descramble) const;
    bool RunsHidden() const;

    std::string DownloadLocation() const;
    std::string DownloadFileName() const;
    std::string DownloadSize() const;
    bool AlwaysDownloads() const;
    std::string DownloadToken(bool descramble) const;
    bool SameDownloadToken(const TGFileInfo& other) const;

    std::string LangText(const std::string& key, const std::string& defaultText) const;
    int Charset() const;
    int FontSize() const;
    std::string FontName() const;

private:
    Trailer trailer_;
    std::string language_, settings_, download_;
    std::uint64_t headerEnd_ = 0;
};

} // namespace stub
