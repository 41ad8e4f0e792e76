// The working folders on this machine (see WorkingFolders.h).
#pragma once
#include <string>

#include "stub/package/WorkingFolders.h"

namespace stub {

std::string WorkingFolder();
// Chooses the alternative temporary base once; true when there is one.
bool FindRoomierTempBase();
// Empty when no base was chosen.
std::string AlternativeWorkingFolder();
void RemoveAlternativeWorkingFolder();

} // namespace stub
