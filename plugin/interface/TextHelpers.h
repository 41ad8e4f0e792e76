// Small text routines of the module: number conversion, cleaning of path texts, apostrophes.
#pragma once
#include "plugin/interface/MirelExport.h"
#include <cstdint>

// Converts text (trailing line feeds and blanks are removed in place) in the given base (0: from
// the prefix). -1 for an empty text or one with trailing junk. A number out of the unsigned
// 32-bit range prints "strtoul" and the error text to stderr and ends the process with code 1.
MIREL_EXPORT int string2int(char* text, int base);

namespace mirel {

// The conversion without the process exit, for callers and tests.
struct NumberResult {
    int value = -1;
    bool rangeError = false;
};
NumberResult ConvertNumber(char* text, int base);

// Double quotes, tabs and line feeds become blanks, trailing blanks are cut off (in place); the
// result starts at the first non-blank character.
char* clean(char* text);

// The text between the first apostrophe and the last one after it (in place); a text without
// apostrophes is returned unchanged.
char* StripApostrophes(char* text);

} // namespace mirel
