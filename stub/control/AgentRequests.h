// What a plain agent forwards to its running X_ copy: the posts that /STOP=, /WM_MSG= and /TEST=
// on its command line ask for, each with the log line written before it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace stub {

struct AgentPost {
    unsigned message = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;
    std::string logLine;  // empty: the post is not logged
};

// The posts in order for the command line's tail; target is the X_ copy's path (it appears in
// the log lines). /TEST=n with n > 0 also asks for a shutdown after 2 ticks when the X_ copy was
// not running before: the copy started for the test ends afterwards.
std::vector<AgentPost> PlanAgentPosts(const std::string& tail, const std::string& target, bool xWasRunning);

// The /WM_MSG= value "a:b" read as window handle a and message number b (0 where not a number).
struct ControllerAddress {
    std::int64_t window = 0;
    std::int64_t message = 0;
};
ControllerAddress ParseControllerAddress(const std::string& value);

} // namespace stub
