// SLangId: the language-name table and which entry of a package's language block speaks to the
// running user: the entry whose name is the user's language name, else the only entry of the
// block, else the English entry, else none (every text is then the caller's default). The
// package object (TGFileInfo::LangText) asks once per process and keeps the answer.
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// The language-name table: a "|"-delimited list of 51 rows "NAME<blanks>= NUMBER".
const char* LanguageTable();
// Name of the first row containing ZeroPad(languageId, 2) anywhere in its text; empty when none
// does. 7 gives GERMAN, 26 CROATIAN (it comes before SERBIAN), 52 CHINESE(SIMPLIFIED).
std::string LanguageName(std::int64_t languageId);
// The primary language of a locale identifier (its low 10 bits); 9, English, for 0 (no locale).
int PrimaryLanguageOf(std::uint32_t localeId);
// LanguageName of that primary language.
std::string LanguageNameOfLocale(std::uint32_t localeId);

// The outcome of a choice: found false is the marker for "no entry fits".
struct LanguageChoice {
    bool found = false;
    std::string entry;  // the chosen entry, a list delimited by 0x01
};
// The choice for a block and a user language name.
LanguageChoice ChooseLanguageEntry(const std::string& block, const std::string& userLanguageName);

// The user's locale identifier for EntryForUser; 0 (the default) reads as English. The Windows
// entry hands in the thread locale at start (UseThreadLocale, SLangIdWin.h).
void SetUserLocale(std::uint32_t localeId);
// The entry of the block for the user (ChooseLanguageEntry with the user's language name), or the
// empty text when none fits: the language entry chooser of the package object. The entry
// installs it once at start, SetLanguageEntryChooser(EntryForUser) (TGFileInfo.h), which chooses
// on the first LangText of the process and keeps that choice for every package object.
std::string EntryForUser(const std::string& block);

} // namespace stub
