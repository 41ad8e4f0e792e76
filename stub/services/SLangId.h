// SLangId: which entry of a package's language block speaks to the running user, and the texts
// read from it. Every text the stub shows comes through LangText, so one stub serves packages in
// any language.
//
// The choice is made once per process, on the first lookup, and every package object (including
// one downloaded later) uses it: the entry whose name is the user's language name, else the only
// entry of the block, else the English entry, else none, in which case every text is the
// caller's default. The Windows entry passes the thread locale in with SetUserLocale at start
// (UseThreadLocale in SLangIdWin.h) before the first lookup.
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
// The choice for a block and a user language name, without touching the process's choice.
LanguageChoice ChooseLanguageEntry(const std::string& block, const std::string& userLanguageName);

// The user's locale identifier for the process's choice; 0 (the default) reads as English.
void SetUserLocale(std::uint32_t localeId);
// The process's choice: made from this block on the first call, the same for every later call.
const LanguageChoice& ChosenLanguageEntry(const std::string& block);
// Forgets the process's choice, so that a test can make another.
void ResetLanguageChoice();

// Value of key (ignoring case) in the chosen entry; def when no entry fits or the key is
// missing; the empty text when the key is present with an empty value.
std::string LangText(const std::string& block, const std::string& key, const std::string& def);
// The font of the boxes and the main window: Charset (default 0) and FontSize (default 8) read
// as integers, the default when the text is not a number; FontName (default "Tahoma").
int LangCharset(const std::string& block);
int LangFontSize(const std::string& block);
std::string LangFontName(const std::string& block);

} // namespace stub
