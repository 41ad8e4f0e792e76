#include "stub/services/SLangId.h"

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

// The user's locale identifier, handed in at start; 0 reads as English.
std::uint32_t& UserLocale()
{
    static std::uint32_t locale = 0;
    return locale;
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

void SetUserLocale(std::uint32_t localeId) { UserLocale() = localeId; }

std::string EntryForUser(const std::string& block)
{
    return ChooseLanguageEntry(block, LanguageNameOfLocale(UserLocale())).entry;
}

} // namespace stub
