// The package object's language texts with the user's entry chooser installed, as the stub
// runs them: chosen once per process, shared by every package object.
#include <doctest/doctest.h>

#include "LanguageKit.h"
#include "stub/package/TGFileInfo.h"
#include "stub/services/SLangId.h"
#include "stub/services/SLangKeys.h"

#include <string>
#include <vector>

using namespace stub;
using kit::Entry;
using kit::PackageWith;

namespace {

// A process whose user has the given locale, before its first lookup.
struct FreshProcess {
    explicit FreshProcess(std::uint32_t locale)
    {
        SetUserLocale(locale);
        ResetChosenLanguageEntry();
        SetLanguageEntryChooser(EntryForUser);
    }
    ~FreshProcess()
    {
        SetLanguageEntryChooser(nullptr);
        ResetChosenLanguageEntry();
        SetUserLocale(0);
    }
};

const std::uint32_t kGerman = 0x0407;
const std::string kEnglish = Entry("English", {"Error=Error", "s1=Extracting...", "FONTNAME=Arial"});
const std::string kGermanEntry = Entry("German", {"Error=Fehler", "s1=", "Charset=abc", "FontSize= 12"});

} // namespace

TEST_CASE("a German user reads the German entry, and keeps it for a later package")
{
    FreshProcess process(kGerman);
    const TGFileInfo info = PackageWith(kit::Languages({kEnglish, kGermanEntry}));
    CHECK(info.LangText("error", "Error") == "Fehler");
    CHECK(info.LangText(kKeyExtracting, LangDefault(kKeyExtracting)).empty());  // present, empty
    CHECK(info.LangText(kKeyBadCrc, LangDefault(kKeyBadCrc)) == LangDefault(kKeyBadCrc));
    CHECK(info.Charset() == 0);  // not a number
    CHECK(info.FontSize() == 12);
    CHECK(info.FontName() == "Tahoma");
    const TGFileInfo later = PackageWith(kit::Languages({kEnglish}));
    CHECK(later.LangText("Error", "x") == "Fehler");
}

TEST_CASE("other users of the same block read English; keys ignore case")
{
    FreshProcess process(0x040C);  // French
    const TGFileInfo info = PackageWith(kit::Languages({kEnglish, kGermanEntry}));
    CHECK(info.LangText("Error", "x") == "Error");
    CHECK(info.FontName() == "Arial");
}

TEST_CASE("French and Italian entries for a German user: every text is the default, for good")
{
    FreshProcess process(kGerman);
    const TGFileInfo info = PackageWith(kit::Languages({Entry("French", {"Error=Erreur"}), Entry("Italian", {"Error=Errore"})}));
    CHECK(info.LangText("Error", "Error") == "Error");
    CHECK(info.FontSize() == 8);
    CHECK(PackageWith(kit::Languages({kEnglish, kGermanEntry})).LangText("Error", "dflt") == "dflt");
}

TEST_CASE("a single entry is always used; the shipped English entry gives the table's texts")
{
    {
        FreshProcess process(kGerman);
        CHECK(PackageWith(kit::Languages({Entry("Italian", {"Error=Errore"})})).LangText("Error", "") == "Errore");
    }
    FreshProcess process(0x0439);  // Hindi: no row of the table
    const TGFileInfo info = PackageWith(kit::Languages({ShippedEnglishEntry()}));
    for (int i = 0; i < kLangKeyDefaultCount; ++i) {
        const LangKeyDefault& d = kLangKeyDefaults[i];
        CAPTURE(std::string(d.key));
        CHECK(info.LangText(d.key, "") == (d.shipped ? d.shipped : d.text));
    }
}
