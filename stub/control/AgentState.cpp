#include "stub/control/AgentState.h"

#include "stub/services/Utils.h"

namespace stub {

void TransientSettings::Set(int position, std::uint8_t value)
{
    if (position >= 1 && position <= kCount)
        values_[static_cast<std::size_t>(position - 1)] = value;
}

std::uint8_t TransientSettings::Get(int position) const
{
    if (position < 1 || position > kCount)
        return kNotSet;
    return values_[static_cast<std::size_t>(position - 1)];
}

void TransientSettings::Apply(const std::string& list)
{
    for (int position = 1; position <= kCount; ++position) {
        std::int64_t v = 0;
        const std::string item = ListItem(list, position - 1);
        if (!item.empty() && TryParseInt64(item, v))
            Set(position, static_cast<std::uint8_t>(v & 0xFF));
    }
}

std::string TransientSettings::Text() const
{
    std::string text = "|";
    for (std::uint8_t v : values_)
        text += std::to_string(v) + "|";
    return text;
}

AgentState& Agent()
{
    static AgentState state;
    return state;
}

void ApplySleepX(AgentState& state, std::int64_t sleepX)
{
    if (sleepX >= 0)
        state.timerCount = static_cast<int>(-Min64(sleepX, 0x7FFFFFFF));
}

bool CountTick(AgentState& state)
{
    const bool quit = state.shutdownCountdown == 0;
    if (state.shutdownCountdown >= 0)
        --state.shutdownCountdown;
    if (state.timerCount < 0x7FFFFFFF)
        ++state.timerCount;
    return quit;
}

std::int64_t AgentRequest(AgentState& state, std::int64_t type, std::int64_t value)
{
    const int v32 = static_cast<int>(static_cast<std::uint32_t>(value));
    if (type >= 20 && type <= 25)
        state.transient.Set(static_cast<int>(type - 19), static_cast<std::uint8_t>(value & 0xFF));
    else if (type == 30)
        state.shutdownCountdown = v32;
    else if (type == 31) {
        state.forceProbe = true;
        state.timerCount = v32 > 1 ? v32 : 1;
        if (v32 == 2)
            state.manualRequest = 2;
    } else if (type == 32)
        state.justFetchDescriptor = true;
    return 0;
}

bool TestModeRefreshDue(bool force, std::uint32_t now, std::uint32_t lastCheck)
{
    return force || now > static_cast<std::uint32_t>(lastCheck + 30000u);
}

} // namespace stub
