// The agents product that carries the management interface, known to Windows Installer by its
// upgrade codes, and the order in which they are tried.
#pragma once
#include <functional>

namespace mirel {

// Tried in this order; the table ends with an empty entry.
extern const char* const kAgentsUpgradeCodes[];

// Tries each code with `version` (a GetTavrelVersion result): 0 or 2 answers 1; 3 stops the
// search with 0; anything else goes on with the next code. 0 when the table is exhausted.
int SearchAgentsProduct(const std::function<int(const char* upgradeCode)>& version);

} // namespace mirel
