// The keys of a language entry that the stub reads, with the English text each falls back to,
// and the English entry the packaging tool ships when a package names no languages.
#pragma once
#include <string>

namespace stub {

struct LangKeyDefault {
    const char* key;
    const char* text;     // the default a lookup falls back to
    const char* shipped;  // the text of the shipped English entry, when it differs
};

// In the order a language file lists them.
extern const LangKeyDefault kLangKeyDefaults[];
extern const int kLangKeyDefaultCount;

// The default of a key; the empty text for a key not in the table.
std::string LangDefault(const std::string& key);

// The shipped English entry: a list delimited by 0x01 whose item 0 is "English", followed by
// one KEY=text item per key of the table.
std::string ShippedEnglishEntry();

} // namespace stub
