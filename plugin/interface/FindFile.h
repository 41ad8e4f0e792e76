// The first directory entry that matches a wildcard pattern.
#pragma once
#include "plugin/interface/MirelExport.h"

// Copies the name (without folder) of the first match into nameOut (at least 260 bytes); false
// when nothing matches.
MIREL_EXPORT bool DLL_FindFirstFile(char* pattern, char* nameOut);
