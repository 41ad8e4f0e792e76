#include "stub/control/AgentRequests.h"

#include "stub/control/RunModes.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

constexpr std::int64_t kPerformUpdateCycle = 31;  // agent request: probe now with the value
constexpr std::int64_t kTestShutdownTicks = 2;

} // namespace

ControllerAddress ParseControllerAddress(const std::string& value)
{
    const std::string wrapped = ":" + value + ":";
    return {ParseInt64(ListItem(wrapped, 0), 0), ParseInt64(ListItem(wrapped, 1), 0)};
}

std::vector<AgentPost> PlanAgentPosts(const std::string& tail, const std::string& target, bool xWasRunning)
{
    std::vector<AgentPost> posts;
    const std::int64_t stop = SwitchIntIn(tail, "/STOP=", -1);
    if (stop >= 0)
        posts.push_back({wm_ShutDown, stop, 0, "PostProcessMessage(wm_ShutDown) to: " + target});

    const std::string controller = SwitchValueIn(tail, "/WM_MSG=");
    if (!controller.empty()) {
        const ControllerAddress a = ParseControllerAddress(controller);
        posts.push_back({wm_LocalMsg, a.window, a.message,
                         "PostProcessMessage(wm_LocalMsg) to: " + target + " - :" + controller + ":"});
    }

    const std::int64_t test = SwitchIntIn(tail, "/TEST=", -1);
    if (test >= 0) {
        posts.push_back({wm_AgentMsg, kPerformUpdateCycle, test,
                         "PostProcessMessage(wm_AgentMsg) to: " + target + " - AU_PerformUpdateCycle (" +
                             std::to_string(test) + ")"});
        if (!xWasRunning && test > 0)
            posts.push_back({wm_ShutDown, kTestShutdownTicks, 0, ""});
    }
    return posts;
}

} // namespace stub
