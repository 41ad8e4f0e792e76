#include "stub/services/Log.h"
#include "stub/services/Utils.h"

namespace stub {

namespace {

struct LogState {
    bool enabled = false;
    std::string prefix = "   ";
};

LogState& State()
{
    static LogState state;
    return state;
}

} // namespace

void EnableLog(bool on) { State().enabled = on; }
bool LogEnabled() { return State().enabled; }
void SetLogPrefix(const std::string& prefix) { State().prefix = prefix; }
std::string LogPrefix() { return State().prefix; }

std::string LogFileNameFor(const std::string& exePath)
{
    const std::size_t slash = exePath.find_last_of('\\');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = exePath.substr(nameStart);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    if (!StartsWith("X_", name, false))
        name = "X_" + name;
    return exePath.substr(0, nameStart) + name + ".log";
}

std::string LogLine(const std::string& stamp, unsigned long threadId, const std::string& prefix,
                    const std::string& message)
{
    return stamp + " " + PadLeft(std::to_string(threadId), 5, ' ') + prefix + message + "\r\n";
}

} // namespace stub
