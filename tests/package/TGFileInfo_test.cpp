#include <doctest/doctest.h>

#include "PackageTestKit.h"
#include "stub/package/Token.h"
#include "stub/services/LangDefaults.h"
#include "stub/services/Utils.h"

using namespace stub;

namespace {

std::string g_entries;  // what the test chooser sees
std::string FirstEntry(const std::string& block)
{
    g_entries = block;
    return ListItem(block, 0, "");
}

std::string Package(const std::string& languages, const std::string& settings, const std::string& download)
{
    std::string image = kit::CarrierStub();
    const std::uint32_t start = static_cast<std::uint32_t>(image.size());
    image += kit::Block(languages) + kit::Block(settings);
    if (!download.empty())
        image += kit::Block(download);
    Trailer t = kit::MakeTrailer(start, download.empty() ? 2 : 3);
    for (int i = 0; i < kSpaceEntries; ++i)
        t.SetSpace(i, 100u * static_cast<std::uint32_t>(i + 1));
    return image + t.Bytes();
}

} // namespace

TEST_CASE("TGFileInfo: settings and download items through their accessors")
{
    const std::string token = ScrambleToken("sesame");
    const std::string file = Package("\x02\x01" "English\x01s0=Hi\x01\x02",
                                     "|http://up|updates\\MyApp.info|Agent.exe|" + token + "|1|",
                                     "!http://dl!pkg.exe!1!" + token + "!4096!");
    MemorySource source(file);
    TGFileInfo info;
    info.Create(source);
    CHECK(info.UpdateLocation() == "http://up");
    CHECK(info.InfoFileName() == "MyApp.info");
    CHECK(info.OriginalFileName() == "MyApp.original");
    CHECK(info.AgentName() == "Agent.exe");
    CHECK(info.SettingsToken(false) == token);
    CHECK(info.SettingsToken(true) == "sesame");
    CHECK(info.RunsHidden());
    CHECK(info.DownloadLocation() == "http://dl");
    CHECK(info.DownloadFileName() == "pkg.exe");
    CHECK(info.AlwaysDownloads());
    CHECK(info.DownloadToken(true) == "sesame");
    CHECK(info.DownloadSize() == "4096");
    CHECK(info.HeaderEnd() == file.size() - 74);

    const std::string other = Package("\x02\x02", "|||||", "|a|b|0|" + ScrambleToken("sesame") + "|1|");
    MemorySource otherSource(other);
    TGFileInfo same;
    same.Create(otherSource);
    CHECK(info.SameDownloadToken(same));
    const std::string third = Package("\x02\x02", "|||||", "|a|b|0|" + ScrambleToken("Sesame") + "|1|");
    MemorySource thirdSource(third);
    TGFileInfo differs;
    differs.Create(thirdSource);
    CHECK_FALSE(info.SameDownloadToken(differs));
}

TEST_CASE("TGFileInfo: descriptor names split only at \\ and :")
{
    struct Case {
        const char* item;
        const char* info;
        const char* original;
    };
    const Case cases[] = {
        {"updates\\MyApp.info", "MyApp.info", "MyApp.original"},
        {".info", ".info", ".original"},
        {"updates/MyApp.info", "updates/MyApp.info", "updates/MyApp.original"},
        {"C:MyApp.tar.info", "MyApp.tar.info", "MyApp.original"},
        {"", "", ".original"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.item);
        const std::string file = Package("\x02\x02", std::string("|u|") + c.item + "|a|t|0|", "");
        MemorySource source(file);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.InfoFileName() == c.info);
        CHECK(info.OriginalFileName() == c.original);
        CHECK_FALSE(info.RunsHidden());
    }
}

TEST_CASE("TGFileInfo: flags and bytes 66 to 69")
{
    std::string file = Package("\x02\x02", "|||||", "");
    const std::size_t t = file.size() - 74;
    for (int bit = 0; bit < 8; ++bit) {
        file[t + 65] = static_cast<char>(1 << bit);
        MemorySource source(file);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.ShowsTempDriveInfo() == (bit == 0));
        CHECK(info.HasMoreVolumes() == (bit == 1));
        CHECK(info.SpansCds() == (bit == 2));
        CHECK(info.ShowsSecondBar() == (bit == 3));
        CHECK(info.LogsAutoUpdate() == (bit == 4));
    }
    for (int byte = 66; byte <= 69; ++byte) {
        std::string f = file;
        f[t + byte] = 7;
        MemorySource source(f);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.IsWebDownload() == (byte == 66));
        CHECK(info.ConfirmsDownload() == (byte == 67));
        CHECK(info.MakesAgent() == (byte == 68));
        CHECK(info.IsAutoUpdateProgram() == (byte == 69));
    }
}

TEST_CASE("TGFileInfo: space required by cluster size")
{
    const std::string file = Package("\x02\x02", "|||||", "");
    MemorySource source(file);
    TGFileInfo info;
    info.Create(source);
    CHECK(info.SpaceRequiredFor(0) == 100.0);
    CHECK(info.SpaceRequiredFor(511) == 100.0);
    CHECK(info.SpaceRequiredFor(512) == 200.0);
    CHECK(info.SpaceRequiredFor(4096) == 500.0);
    CHECK(info.SpaceRequiredFor(6000) == 500.0);
    CHECK(info.SpaceRequiredFor(65536) == 900.0);
    CHECK(info.SpaceRequiredFor(1u << 20) == 900.0);
}

TEST_CASE("TGFileInfo: no package, wrong magic, blocks reaching past the package")
{
    SUBCASE("a missing file leaves everything empty")
    {
        TGFileInfo info(std::string("/no/such/Setup.exe"));
        CHECK(info.Info().bytes == Trailer{}.bytes);
        CHECK(info.LanguageBlock().empty());
        CHECK(info.UpdateLocation().empty());
        CHECK(info.AgentName().empty());
    }
    SUBCASE("a wrong magic keeps the trailer as read, texts empty")
    {
        std::string file = Package("\x02\x02", "|a|b|c|d|1|", "");
        file[file.size() - 74 + 12] = 0;
        file[file.size() - 74 + 8] = 9;
        MemorySource source(file);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.Info().FileCount() == 9);
        CHECK_FALSE(info.Info().HasMagic());
        CHECK(info.SettingsBlock().empty());
        CHECK(info.HeaderEnd() == 0);
    }
    SUBCASE("an executable without a package")
    {
        const std::string file = kit::CarrierStub(4096);
        MemorySource source(file);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.LanguageBlock().empty());
        CHECK_FALSE(info.RunsHidden());
    }
    SUBCASE("block lengths past the package give empty texts")
    {
        struct Case {
            const char* what;
            std::uint32_t languageLength;
            std::uint32_t payloadStart;
        };
        const Case cases[] = {
            {"length to the end of the file", 2000, 1024},
            {"length 0xFFFFFFFF", 0xFFFFFFFF, 1024},
            {"payload start past the file", 4, 0x7FFFFFFF},
            {"payload start inside a block", 4, 0},
        };
        for (const Case& c : cases) {
            CAPTURE(std::string(c.what));
            std::string image = kit::CarrierStub() + kit::U32(c.languageLength) + "\x02\x02\x02\x02";
            const std::uint32_t start = c.payloadStart ? c.payloadStart : static_cast<std::uint32_t>(image.size() + 2);
            image += kit::Block("|||||");
            image += kit::MakeTrailer(start).Bytes();
            MemorySource source(image);
            TGFileInfo info;
            info.Create(source);
            CHECK(info.Info().HasMagic());
            CHECK(info.HeaderEnd() == 0);
            CHECK(info.SettingsBlock().empty());
        }
    }
}

TEST_CASE("TGFileInfo: language texts through the installed chooser, chosen once")
{
    ResetChosenLanguageEntry();
    const std::string file = Package("\x02" + ShippedEnglishEntry() + "\x02", "|||||", "");
    MemorySource source(file);
    TGFileInfo info;
    info.Create(source);
    SetLanguageEntryChooser(nullptr);
    CHECK(info.LangText("s0", "dflt") == "dflt");  // no chooser: defaults

    SetLanguageEntryChooser(FirstEntry);
    CHECK(info.LangText("s0", "dflt") == "Drovel Installation Suite");
    CHECK(info.LangText("S1", "") == "Extracting Files...");
    CHECK(info.LangText("missing", "dflt") == "dflt");
    CHECK(info.FontName() == "Tahoma");
    CHECK(info.FontSize() == 8);
    CHECK(info.Charset() == 0);

    // Another package uses the same entry.
    const std::string german = Package("\x02\x01German\x01s0=Hallo\x01" "FontSize=abc\x01\x02", "|||||", "");
    MemorySource germanSource(german);
    TGFileInfo other;
    other.Create(germanSource);
    CHECK(other.LangText("s0", "") == "Drovel Installation Suite");

    ResetChosenLanguageEntry();
    CHECK(other.LangText("s0", "") == "Hallo");
    CHECK(other.FontSize() == 8);       // not a number
    CHECK(other.LangText("s1", "x") == "x");
    ResetChosenLanguageEntry();
    SetLanguageEntryChooser(nullptr);
}

TEST_CASE("the shipped English entry holds every key of the table")
{
    const std::string entry = ShippedEnglishEntry();
    CHECK(ListItem(entry, 0, "") == "English");
    CHECK(ListCount(entry) == kLangKeyDefaultCount + 1);
    for (int i = 0; i < kLangKeyDefaultCount; ++i) {
        const LangKeyDefault& d = kLangKeyDefaults[i];
        CAPTURE(d.key);
        const std::string value = ListValue(entry, d.key, "<missing>", "<empty>");
        CHECK(value == (d.shipped ? d.shipped : d.text));
        CHECK(LangDefault(d.key) == d.text);
    }
    CHECK(LangDefault("s9").empty());
    CHECK(ListValue(entry, "s11", "", "").find("Continue with Setup?<P><P>Size: <SIZE> MB<P>") != std::string::npos);
    CHECK(LangDefault("BtnText") == "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|");
}
