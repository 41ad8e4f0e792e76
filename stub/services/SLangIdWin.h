// The user's language as Windows reports it: the calling thread's locale.
#pragma once
#include <string>

namespace stub {

// LanguageName of the primary language of the calling thread's locale (English when none).
std::string UserLanguageName();
// Hands the thread locale to the language choice; the entry calls it once at start.
void UseThreadLocale();

} // namespace stub
