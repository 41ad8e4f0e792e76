#include "stub/services/SLangId.h"

#include "stub/services/SLangKeys.h"
#include "stub/services/Utils.h"

#include <cstdint>

namespace stub {

namespace {

// Name, blanks, "= " and the Windows language number: two-digit primary language identifiers,
// then full locale identifiers for the variants. The blanks line up the "=" signs.
const char kLanguageTable[] =
    "|"
    "AFRIKAANS    = 54|"
    "ALBANIAN     = 28|"
    "ARABIC       = 01|"
    "BASQUE       = 45|"
    "BELARUSIAN   = 35|"
    "BULGARIAN    = 02|"
    "CATALAN      = 03|"
    "CHINESE      = 04|"
    "CROATIAN     = 26|"
    "CZECH        = 05|"
    "DANISH       = 06|"
    "DUTCH        = 19|"
    "ENGLISH      = 09|"
    "ESTONIAN     = 37|"
    "FAEROESE     = 56|"
    "FARSI        = 41|"
    "FINNISH      = 11|"
    "FRENCH       = 12|"
    "GERMAN       = 07|"
    "GREEK        = 08|"
    "HEBREW       = 13|"
    "HUNGARIAN    = 14|"
    "ICELANDIC    = 15|"
    "INDONESIAN   = 33|"
    "ITALIAN      = 16|"
    "JAPANESE     = 17|"
    "KOREAN       = 18|"
    "LATVIAN      = 38|"
    "LITHUANIAN   = 39|"
    "NORWEGIAN    = 20|"
    "POLISH       = 21|"
    "PORTUGUESE   = 22|"
    "ROMANIAN     = 24|"
    "RUSSIAN      = 25|"
    "SERBIAN      = 26|"
    "SLOVAK       = 27|"
    "SLOVENIAN    = 36|"
    "SPANISH      = 10|"
    "SWEDISH      = 29|"
    "THAI         = 30|"
    "TURKISH      = 31|"
    "UKRAINIAN    = 34|"
    "VIETNAMESE   = 42|"
    "CHINESE(SIMPLIFIED)  = 2052|"
    "CHINESE(TRADITIONAL) = 1028|"
    "DUTCH(FLEMISH)       = 2067|"
    "DUTCH(STANDARD)      = 1043|"
    "PORTUGUESE(PORTUGAL) = 2070|"
    "PORTUGUESE(BRAZIL)   = 1046|"
    "SERBIAN(LATIN)       = 2074|"
    "SERBIAN(CYRILIC)     = 3098|";

// The entry chosen for this process: shared by every package object and never refreshed.
struct LanguageState {
    std::uint32_t userLocale = 0;  // 0: the system reported none
    bool chosen = false;
    LanguageChoice choice;
};

LanguageState& State()
{
    static LanguageState state;
    return state;
}

// Steps 2 and 3 of the choice for one name: the first entry of that name, else the only entry.
bool FindEntry(const std::string& block, const std::string& name, std::string& entry)
{
    const int count = ListCount(block);
    for (int i = 0; i < count; ++i) {
        std::string candidate = ListItem(block, i);
        if (SameTrimmedText(ListItem(candidate, 0), name)) {
            entry = std::move(candidate);
            return true;
        }
    }
    if (count != 1)
        return false;
    entry = ListItem(block, 0);
    return true;
}

int LangInt(const std::string& block, const std::string& key, int def)
{
    const std::int64_t v = ParseInt64(LangText(block, key, LangDefault(key)), def);
    return (v < INT32_MIN || v > INT32_MAX) ? def : static_cast<int>(v);
}

} // namespace

const char* LanguageTable() { return kLanguageTable; }

std::string LanguageName(std::int64_t languageId)
{
    const std::string wanted = ZeroPad(languageId, 2);
    const std::string table = kLanguageTable;
    const int count = ListCount(table);
    for (int i = 0; i < count; ++i) {
        const std::string row = ListItem(table, i);
        if (row.find(wanted) != std::string::npos)
            return Trim(TextBefore(row, "=", row));
    }
    return std::string();
}

int PrimaryLanguageOf(std::uint32_t localeId) { return localeId == 0 ? 9 : static_cast<int>(localeId & 0x3FF); }

std::string LanguageNameOfLocale(std::uint32_t localeId) { return LanguageName(PrimaryLanguageOf(localeId)); }

LanguageChoice ChooseLanguageEntry(const std::string& block, const std::string& userLanguageName)
{
    LanguageChoice c;
    c.found = FindEntry(block, userLanguageName, c.entry) || FindEntry(block, "English", c.entry);
    if (!c.found)
        c.entry.clear();
    return c;
}

void SetUserLocale(std::uint32_t localeId) { State().userLocale = localeId; }

const LanguageChoice& ChosenLanguageEntry(const std::string& block)
{
    LanguageState& s = State();
    if (!s.chosen) {
        s.choice = ChooseLanguageEntry(block, LanguageNameOfLocale(s.userLocale));
        s.chosen = true;
    }
    return s.choice;
}

void ResetLanguageChoice()
{
    State().chosen = false;
    State().choice = LanguageChoice();
}

std::string LangText(const std::string& block, const std::string& key, const std::string& def)
{
    const LanguageChoice& c = ChosenLanguageEntry(block);
    if (!c.found)
        return def;
    return ListValue(c.entry, key, def, std::string());
}

int LangCharset(const std::string& block) { return LangInt(block, kKeyCharset, 0); }

int LangFontSize(const std::string& block) { return LangInt(block, kKeyFontSize, 8); }

std::string LangFontName(const std::string& block) { return LangText(block, kKeyFontName, LangDefault(kKeyFontName)); }

} // namespace stub
