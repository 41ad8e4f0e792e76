// The X_ agent's side of the timer: the tick and the test-mode switch in the registry.
#pragma once

namespace stub {

// One timer tick of an auto-update program: guarded against re-entry, counts, honours the
// shutdown countdown (quits the loop when it is found at 0) and traces the count.
void AutoUpdateTick();

// Refreshes test mode from "HKEY_CURRENT_USER\Software\Vorlund\Drovel\AutoUpdate" (TestMode,
// TestModeURL) when forced or 30 s after the last check; returns test mode.
bool CheckTestMode(bool force);

} // namespace stub
