// The auto-update agent's process-wide state as far as the main window drives it: the tick
// counter, the shutdown countdown, the eight transient settings and the test-mode refresh rule.
// The probing itself builds on this later; for now a tick only counts and honours the countdown.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace stub {

// Eight bytes overriding descriptor flags; 255 means "not set".
class TransientSettings {
public:
    static constexpr int kCount = 8;
    static constexpr std::uint8_t kNotSet = 255;
    TransientSettings() { values_.fill(kNotSet); }
    // position 1..8; others are ignored (Get answers kNotSet).
    void Set(int position, std::uint8_t value);
    std::uint8_t Get(int position) const;
    // Positions 1 to 8 from the list's items 0 to 7: a decimal item stores its low 8 bits, a
    // missing or non-numeric item keeps the setting.
    void Apply(const std::string& list);
    // "|" + the eight values, each followed by "|".
    std::string Text() const;

private:
    std::array<std::uint8_t, kCount> values_{};
};

struct AgentState {
    int shutdownCountdown = -1;
    int timerCount = -3;  // AutoUpdateTimerCount
    bool busy = false;
    bool forceProbe = false;
    int manualRequest = 0;
    bool justFetchDescriptor = false;
    TransientSettings transient;
    bool testMode = false;
    std::string testFolder;
    std::uint32_t lastTestModeCheck = 0;
};

AgentState& Agent();

// /SleepX= n >= 0 makes the counter -n, so the first check comes after n + 1 ticks.
void ApplySleepX(AgentState& state, std::int64_t sleepX);

// The counting part of a tick: a countdown found at 0 asks to quit (true); a countdown at 0 or
// more is decremented; the counter goes up.
bool CountTick(AgentState& state);

// The handler of wm_AgentMsg: 20..25 set transient settings 1..6, 30 sets the countdown, 31
// forces a probe (manual request with value 2), 32 asks for a descriptor fetch. The answer is 0.
std::int64_t AgentRequest(AgentState& state, std::int64_t type, std::int64_t value);

// Whether CheckTestMode reads the registry again: when forced, or more than 30 s after the last
// check (unsigned tick arithmetic).
bool TestModeRefreshDue(bool force, std::uint32_t now, std::uint32_t lastCheck);

} // namespace stub
