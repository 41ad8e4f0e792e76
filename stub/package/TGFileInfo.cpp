#include "stub/package/TGFileInfo.h"

#include "stub/package/FileHelpers.h"
#include "stub/package/Token.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

struct LanguageState {
    LanguageEntryChooser chooser = nullptr;
    bool chosen = false;
    std::string entry;  // empty: no entry fits
};

LanguageState& Language()
{
    static LanguageState state;
    return state;
}

// A header block at offset: u32 length and that many bytes. False (text empty) when the block
// reaches beyond the package's bytes.
bool ReadBlock(ByteSource& file, std::uint64_t& offset, std::uint64_t limit, std::string& text)
{
    text.clear();
    if (offset > limit || limit - offset < 4)
        return false;
    const std::uint32_t n = file.ReadU32(offset);
    if (n > limit - offset - 4)
        return false;
    text.resize(n);
    if (!file.ReadExact(offset + 4, &text[0], n)) {
        text.clear();
        return false;
    }
    offset += 4 + static_cast<std::uint64_t>(n);
    return true;
}

// A language text read as an int; fallback when it is not a number or out of range.
int IntOr(const std::string& text, int fallback)
{
    const std::int64_t v = ParseInt64(text, fallback);
    return v < INT32_MIN || v > INT32_MAX ? fallback : static_cast<int>(v);
}

} // namespace

void SetLanguageEntryChooser(LanguageEntryChooser chooser)
{
    Language().chooser = chooser;
}

void ResetChosenLanguageEntry()
{
    Language().chosen = false;
    Language().entry.clear();
}

void TGFileInfo::Create(const std::string& path)
{
    FileSource file;
    if (file.Open(path))
        Create(file);
    else
        *this = TGFileInfo{};
}

void TGFileInfo::Create(ByteSource& file)
{
    *this = TGFileInfo{};
    ReadTrailer(file, trailer_);
    if (!trailer_.HasMagic())
        return;
    // The blocks lie before the trailer; a length reaching past it ends the reading.
    const std::uint64_t limit = PackageLimit(file) - trailer_.Length();
    std::uint64_t offset = trailer_.PayloadStart();
    if (ReadBlock(file, offset, limit, language_) && ReadBlock(file, offset, limit, settings_) &&
        (trailer_.HeaderBlockCount() <= 2 || ReadBlock(file, offset, limit, download_)))
        headerEnd_ = offset;
}

double TGFileInfo::SpaceRequiredFor(std::uint32_t clusterSize) const
{
    std::uint32_t entry = trailer_.Space(0);
    for (int i = 1; i < kSpaceEntries; ++i)
        if (clusterSize >= (256u << i))
            entry = trailer_.Space(i);
    return static_cast<double>(entry);
}

std::string TGFileInfo::UpdateLocation() const { return ListItem(settings_, 0, ""); }
std::string TGFileInfo::InfoFileName() const { return FileNamePart(ListItem(settings_, 1, "")); }

std::string TGFileInfo::OriginalFileName() const
{
    const std::string name = InfoFileName();
    return name.substr(0, name.find('.')) + ".original";
}

std::string TGFileInfo::AgentName() const { return ListItem(settings_, 2, ""); }

std::string TGFileInfo::SettingsToken(bool descramble) const
{
    const std::string token = ListItem(settings_, 3, "");
    return descramble ? DescrambleToken(token) : token;
}

bool TGFileInfo::RunsHidden() const { return ListItem(settings_, 4, "") == "1"; }

std::string TGFileInfo::DownloadLocation() const { return ListItem(download_, 0, ""); }
std::string TGFileInfo::DownloadFileName() const { return ListItem(download_, 1, ""); }
std::string TGFileInfo::DownloadSize() const { return ListItem(download_, 4, ""); }
bool TGFileInfo::AlwaysDownloads() const { return ListItem(download_, 2, "") == "1"; }

std::string TGFileInfo::DownloadToken(bool descramble) const
{
    const std::string token = ListItem(download_, 3, "");
    return descramble ? DescrambleToken(token) : token;
}

bool TGFileInfo::SameDownloadToken(const TGFileInfo& other) const
{
    return DownloadToken(true) == other.DownloadToken(true);
}

std::string TGFileInfo::LangText(const std::string& key, const std::string& defaultText) const
{
    LanguageState& state = Language();
    if (!state.chosen) {
        if (!state.chooser)
            return defaultText;
        state.entry = state.chooser(language_);
        state.chosen = true;
    }
    if (state.entry.empty())
        return defaultText;
    return ListValue(state.entry, key, defaultText, "");
}

int TGFileInfo::Charset() const { return IntOr(LangText("Charset", "0"), 0); }
int TGFileInfo::FontSize() const { return IntOr(LangText("FontSize", "8"), 8); }
std::string TGFileInfo::FontName() const { return LangText("FontName", "Tahoma"); }

} // namespace stub
