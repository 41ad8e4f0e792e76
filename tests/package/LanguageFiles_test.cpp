// Language choice end to end through drovel-pack: packages built from language files, read
// back through the stub's package object for users of different languages.
#include <doctest/doctest.h>

#include "PackageTestKit.h"
#include "stub/package/TGFileInfo.h"
#include "stub/services/SLangId.h"
#include "tools/drovel-pack/Tool.h"

#include <initializer_list>

using namespace stub;

namespace {

constexpr std::uint32_t kGermanUser = 0x0407;
constexpr std::uint32_t kFrenchUser = 0x040C;

// Builds a package whose language block holds one entry per named language (name=s0 text), in
// the given order, and returns its path.
std::string PackWithLanguages(const kit::TempDir& dir, std::initializer_list<const char*> languages)
{
    kit::WriteBytes(dir / "Stub.exe", kit::CarrierStub(4096));
    kit::WriteBytes(dir / "Setup.exe", "MZ setup");
    std::vector<std::string> args = {"build", "-o", dir / "Product.exe", "-q", "--stub", dir / "Stub.exe", "--setup",
                                     "Setup.exe"};
    for (const char* language : languages) {
        const std::string file = dir / (std::string(language) + ".txt");
        kit::WriteBytes(file, std::string("s0=Title in ") + language + "\n");
        args.push_back("--lang");
        args.push_back(file);
    }
    args.push_back(dir / "Setup.exe");
    std::string out, err;
    REQUIRE_MESSAGE(drovel::RunTool(args, out, err) == 0, err);
    return dir / "Product.exe";
}

// The title a user of the given locale sees, as the first lookup of a fresh process would.
std::string TitleFor(const std::string& package, std::uint32_t userLocale)
{
    SetUserLocale(userLocale);
    SetLanguageEntryChooser(EntryForUser);
    ResetChosenLanguageEntry();
    TGFileInfo info(package);
    return info.LangText("s0", "(default)");
}

} // namespace

TEST_CASE("a German user reads the German entry, others the English one")
{
    kit::TempDir dir;
    const std::string package = PackWithLanguages(dir, {"English", "German"});
    CHECK(TitleFor(package, kGermanUser) == "Title in German");
    CHECK(TitleFor(package, kFrenchUser) == "Title in English");
    CHECK(TitleFor(package, 0) == "Title in English");  // no locale reads as English
}

TEST_CASE("a block without the user's language nor English gives the defaults")
{
    kit::TempDir dir;
    const std::string package = PackWithLanguages(dir, {"French", "Italian"});
    CHECK(TitleFor(package, kGermanUser) == "(default)");
}

TEST_CASE("a single entry is always used")
{
    kit::TempDir dir;
    const std::string package = PackWithLanguages(dir, {"Italian"});
    CHECK(TitleFor(package, kGermanUser) == "Title in Italian");
    CHECK(TitleFor(package, kFrenchUser) == "Title in Italian");
}

TEST_CASE("the first choice holds for every later package of the process")
{
    kit::TempDir first, second;
    const std::string german = PackWithLanguages(first, {"English", "German"});
    const std::string other = PackWithLanguages(second, {"English", "German"});
    CHECK(TitleFor(german, kGermanUser) == "Title in German");
    SetUserLocale(kFrenchUser);  // a later change of the user's language does not count
    CHECK(TGFileInfo(other).LangText("s0", "(default)") == "Title in German");
}
