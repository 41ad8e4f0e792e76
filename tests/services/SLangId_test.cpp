#include <doctest/doctest.h>
#include "stub/services/SLangId.h"
#include "stub/services/SLangKeys.h"

#include <string>
#include <vector>

using namespace stub;

namespace {

std::string Entry(const std::string& name, std::vector<std::string> items = {})
{
    return BuildLangEntry(name, items.data(), items.size());
}

std::string Block(std::vector<std::string> entries) { return BuildLangBlock(entries.data(), entries.size()); }

} // namespace

TEST_CASE("language-name table: 51 rows, the = signs in columns 14 and 22")
{
    std::string table = LanguageTable();
    REQUIRE(table.front() == '|');
    REQUIRE(table.back() == '|');
    std::vector<std::string> rows;
    for (std::size_t p = 1, q; (q = table.find('|', p)) != std::string::npos; p = q + 1)
        rows.push_back(table.substr(p, q - p));
    REQUIRE(rows.size() == 51);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CAPTURE(rows[i]);
        CHECK(rows[i].find('=') + 1 == (i < 43 ? 14u : 22u));
        CHECK(rows[i].find("= ") == rows[i].find('='));
    }
    CHECK(rows[0] == "AFRIKAANS    = 54");
    CHECK(rows[42] == "VIETNAMESE   = 42");
    CHECK(rows[43] == "CHINESE(SIMPLIFIED)  = 2052");
    CHECK(rows[50] == "SERBIAN(CYRILIC)     = 3098");
}

TEST_CASE("LanguageName: first row containing the two-digit number")
{
    struct Case {
        std::int64_t id;
        const char* name;
    };
    const Case cases[] = {
        {7, "GERMAN"},   {9, "ENGLISH"},  {1, "ARABIC"},  {13, "HEBREW"},
        {26, "CROATIAN"},  // before SERBIAN
        {52, "CHINESE(SIMPLIFIED)"},  // only inside a four-digit row
        {4, "CHINESE"},  {54, "AFRIKAANS"}, {2052, "CHINESE(SIMPLIFIED)"}, {3098, "SERBIAN(CYRILIC)"},
        {57, ""},  // Hindi: in no row
        {0, ""},   {-1, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.id);
        CHECK(LanguageName(c.id) == c.name);
    }
}

TEST_CASE("user language: low 10 bits of the locale, English without one")
{
    CHECK(PrimaryLanguageOf(0x0407) == 7);
    CHECK(PrimaryLanguageOf(0x0C07) == 7);  // Austrian German
    CHECK(PrimaryLanguageOf(0x0804) == 4);
    CHECK(PrimaryLanguageOf(0) == 9);
    CHECK(LanguageNameOfLocale(0x0407) == "GERMAN");
    CHECK(LanguageNameOfLocale(0) == "ENGLISH");
}

TEST_CASE("choosing an entry: user's language, the only entry, English, none")
{
    const std::string en = Entry("English", {"Error=Error"});
    const std::string de = Entry(" german ", {"Error=Fehler"});
    const std::string fr = Entry("French", {"Error=Erreur"});
    const std::string it = Entry("Italian", {"Error=Errore"});
    struct Case {
        const char* what;
        std::string block;
        const char* user;
        bool found;
        std::string entry;
    };
    const Case cases[] = {
        {"German user, English and German", Block({en, de}), "GERMAN", true, de},
        {"French user, English and German", Block({en, de}), "FRENCH", true, en},
        {"a single entry whatever its name", Block({it}), "GERMAN", true, it},
        {"a single English entry for nobody", Block({en}), "", true, en},
        {"German user, French and Italian", Block({fr, it}), "GERMAN", false, ""},
        {"no name, several entries, no English", Block({fr, it}), "", false, ""},
        {"first of two entries of the same name", Block({fr, Entry("FRENCH", {"Error=x"})}), "French", true, fr},
        {"an empty block", "", "GERMAN", false, ""},
        {"a block not ending in its delimiter", "\x02" + en, "ENGLISH", false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        const LanguageChoice got = ChooseLanguageEntry(c.block, c.user);
        CHECK(got.found == c.found);
        CHECK(got.entry == c.entry);
    }
}

TEST_CASE("EntryForUser: the chooser of the package object, from the user's locale")
{
    const std::string en = Entry("English", {"Error=Error"});
    const std::string de = Entry("German", {"Error=Fehler"});
    const std::string fr = Entry("French", {"Error=Erreur"});
    SetUserLocale(0x0407);
    CHECK(EntryForUser(Block({en, de})) == de);
    CHECK(EntryForUser(Block({fr, de})) == de);
    CHECK(EntryForUser(Block({fr, en})) == en);
    CHECK(EntryForUser(Block({fr, Entry("Italian")})).empty());  // no entry fits
    SetUserLocale(0x040C);
    CHECK(EntryForUser(Block({en, de, fr})) == fr);
    SetUserLocale(0);  // no locale: English
    CHECK(EntryForUser(Block({de, en})) == en);
}
