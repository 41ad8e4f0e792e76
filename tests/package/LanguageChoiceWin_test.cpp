// The language choice end to end: the thread locale read by the Windows side picks the entry,
// and the box shows that entry's texts and button captions.
#include <doctest/doctest.h>

#include "LanguageKit.h"
#include "stub/package/TGFileInfo.h"
#include "stub/services/DMsgBox.h"
#include "stub/services/SLangId.h"
#include "stub/services/SLangIdWin.h"
#include "stub/services/SLangKeys.h"
#include "tests/services/BoxDriverWin.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace stub;
using kit::Entry;
using kit::PackageWith;
using namespace boxtest;

namespace {

const LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
const LCID kEnglish = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);

const std::string kGermanEntry = Entry("German", {"s6=<P>Mit der Installation fortfahren?<P>", "Confirm=Frage",
                                                  "BtnText=|&OK|&Abbrechen|&Ja|&Nein|&Abbruch|&Wiederholen|&Ignorieren|"});
const std::string kFrenchEntry = Entry("French", {"s6=Continuer ?", "Confirm=Question", "BtnText=|&OK|&Annuler|&Oui|&Non|"});
const std::string kItalianEntry = Entry("Italian", {"s6=Continuare?", "Confirm=Domanda", "BtnText=|&OK|&Annulla|&Si|&No|"});

// Starts the language choice as the entry does: the thread locale, the user's entry chooser.
void StartLanguage()
{
    UseThreadLocale();
    ResetChosenLanguageEntry();
    SetLanguageEntryChooser(EntryForUser);
}

// The user of the process, as the entry reads it at start: the thread locale.
class UserLocale {
public:
    explicit UserLocale(LCID locale) : saved_(GetThreadLocale())
    {
        SetThreadLocale(locale);
        StartLanguage();
    }
    ~UserLocale()
    {
        SetThreadLocale(saved_);
        ResetChosenLanguageEntry();
    }

private:
    LCID saved_;
};

struct Shown {
    BoxView view;
    bool yes = false;
};

// The free-space question as the setup flow asks it, with the fonts the main window sets.
Shown AskContinue(const std::string& block)
{
    const TGFileInfo info = PackageWith(block);
    SetBoxFont(info.FontName(), info.FontSize(), info.Charset());
    Shown s;
    s.yes = WithDriver(
        [&](HWND box) {
            s.view = ReadBox(box);
            PressKey(s.view, 'N');
        },
        [&] {
            return ConfirmYesNo(kBoxModeHeading, info.LangText(kKeyContinueSetup, LangDefault(kKeyContinueSetup)),
                                info.LangText(kKeyConfirm, LangDefault(kKeyConfirm)),
                                info.LangText(kKeyButtons, LangDefault(kKeyButtons)), info.Charset(), 0);
        });
    return s;
}

std::vector<std::string> Captions(const BoxView& v)
{
    std::vector<std::string> out;
    for (const ButtonView& b : v.buttons)
        out.push_back(b.caption);
    return out;
}

void CheckEnglish(const Shown& s)
{
    CHECK(s.view.title == "Confirm");
    CHECK(s.view.text == "CONFIRM\r\n\r\n\r\nContinue with Setup?\r\n\r\n");
    CHECK(Captions(s.view) == std::vector<std::string>{"&Yes", "&No"});
}

void CheckGerman(const Shown& s)
{
    CHECK(s.view.title == "Frage");
    CHECK(s.view.text == "Frage\r\n\r\n\r\nMit der Installation fortfahren?\r\n\r\n");
    CHECK(Captions(s.view) == std::vector<std::string>{"&Ja", "&Nein"});
    CHECK_FALSE(s.yes);  // N is the access key of Nein
}

} // namespace

TEST_CASE("the thread locale names the user's language")
{
    {
        UserLocale german(kGerman);
        CHECK(UserLanguageName() == "GERMAN");
    }
    {
        UserLocale croatian(MAKELCID(MAKELANGID(LANG_CROATIAN, SUBLANG_CROATIAN_CROATIA), SORT_DEFAULT));
        CHECK(UserLanguageName() == "CROATIAN");
    }
}

TEST_CASE("English and German entries: German for a German user, English for others")
{
    const std::string block = kit::Languages({ShippedEnglishEntry(), kGermanEntry});
    SUBCASE("German user")
    {
        UserLocale user(kGerman);
        CheckGerman(AskContinue(block));
    }
    SUBCASE("English user")
    {
        UserLocale user(kEnglish);
        CheckEnglish(AskContinue(block));
    }
    SUBCASE("French user: no French entry, so English")
    {
        UserLocale user(MAKELCID(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), SORT_DEFAULT));
        CheckEnglish(AskContinue(block));
    }
}

TEST_CASE("French and Italian entries for a German user: the defaults")
{
    UserLocale user(kGerman);
    const Shown s = AskContinue(kit::Languages({kFrenchEntry, kItalianEntry}));
    CheckEnglish(s);
    CHECK_FALSE(s.yes);
}

TEST_CASE("a single entry is always used")
{
    UserLocale user(kGerman);
    const Shown s = AskContinue(kit::Languages({kItalianEntry}));
    CHECK(s.view.title == "Domanda");
    CHECK(s.view.text == "Domanda\r\n\r\nContinuare?\r\n");
    CHECK(Captions(s.view) == std::vector<std::string>{"&Si", "&No"});
    CHECK_FALSE(s.yes);
}

// Run a second time by CTest with the prefix's user locale set to German (LC_ALL) and
// DROVEL_EXPECT_LANGUAGE=GERMAN: the language comes from Wine's own locale, nothing injected.
TEST_CASE("the user locale of the Wine prefix picks the entry")
{
    const char* expected = std::getenv("DROVEL_EXPECT_LANGUAGE");
    const std::string name = UserLanguageName();
    if (expected)
        CHECK(name == expected);
    StartLanguage();
    const Shown s = AskContinue(kit::Languages({ShippedEnglishEntry(), kGermanEntry}));
    if (name == "GERMAN")
        CheckGerman(s);
    else
        CheckEnglish(s);
    ResetChosenLanguageEntry();
}
