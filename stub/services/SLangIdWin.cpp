#include "stub/services/SLangIdWin.h"

#include "stub/services/SLangId.h"

#include <windows.h>

namespace stub {

std::string UserLanguageName() { return LanguageNameOfLocale(GetThreadLocale()); }

void UseThreadLocale() { SetUserLocale(GetThreadLocale()); }

} // namespace stub
