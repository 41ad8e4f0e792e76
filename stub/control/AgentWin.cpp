#include "stub/control/AgentWin.h"

#include <windows.h>

#include "stub/control/AgentState.h"
#include "stub/services/Trace.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

constexpr const char* kAutoUpdateKey = "HKEY_CURRENT_USER\\Software\\Vorlund\\Drovel\\AutoUpdate";

} // namespace

void AutoUpdateTick()
{
    AgentState& state = Agent();
    if (state.busy)
        return;
    state.busy = true;
    if (state.manualRequest == 2)
        state.manualRequest = 1;
    if (state.manualRequest == 1)
        state.timerCount = 0;
    if (CountTick(state))
        PostQuitMessage(0);
    TraceOut() << GetCurrentProcessId() << " AutoUpdateTimerCount=" << state.timerCount << kEol;
    state.manualRequest = 0;
    state.busy = false;
}

bool CheckTestMode(bool force)
{
    AgentState& state = Agent();
    const std::uint32_t now = GetTickCount();
    if (TestModeRefreshDue(force, now, state.lastTestModeCheck)) {
        state.testMode = ReadRegistryValue(kAutoUpdateKey, "TestMode", "0") == "1";
        state.testFolder = ReadRegistryValue(kAutoUpdateKey, "TestModeURL", "");
    }
    state.lastTestModeCheck = now;
    return state.testMode;
}

} // namespace stub
