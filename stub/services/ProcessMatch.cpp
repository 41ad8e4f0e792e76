#include "stub/services/ProcessMatch.h"
#include "stub/services/Utils.h"

#include <algorithm>
#include <unordered_map>

namespace stub {

bool MatchesName(const RunningExe& exe, const std::string& name, const std::string& nameShort, bool fullPathOnly)
{
    if (SameTrimmedText(exe.path, name))
        return true;
    if (SameTrimmedText(fullPathOnly ? kNoBaseName : exe.baseName, name))
        return true;
    return SameTrimmedText(exe.shortPath, nameShort);
}

std::uintptr_t ChooseMainWindow(const std::vector<WindowFacts>& all)
{
    const std::size_t n = std::min(all.size(), kMaxAnalizedWindows);
    std::unordered_map<std::uintptr_t, std::size_t> index;
    for (std::size_t i = n; i-- > 0;)
        index[all[i].handle] = i;
    std::vector<unsigned> score(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        auto owner = all[i].topOwner ? index.find(all[i].topOwner) : index.end();
        if (owner != index.end())
            ++score[owner->second];
    }
    std::uintptr_t best = 0;
    unsigned bestScore = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned s = score[i] * 4 + (all[i].titled ? 2 : 0) + (all[i].visible ? 1 : 0);
        if (s > bestScore) {
            bestScore = s;
            best = all[i].handle;
        }
    }
    return best;
}

std::vector<std::uint32_t> GrowingIdList(const std::function<bool(std::uint32_t*, std::uint32_t, std::uint32_t&)>& fill)
{
    std::vector<std::uint32_t> ids;
    for (std::uint32_t bytes = 1024;; bytes += 1024) {
        ids.assign(bytes / sizeof(std::uint32_t), 0);
        std::uint32_t written = 0;
        if (!fill(ids.data(), bytes, written))
            return {};
        if (written < bytes) {
            ids.resize(written / sizeof(std::uint32_t));
            return ids;
        }
    }
}

bool TimeIsUp(std::uint32_t start, std::uint32_t now, long long timeoutMs)
{
    return timeoutMs >= 1 && static_cast<long long>(static_cast<std::uint32_t>(now - start)) > timeoutMs;
}

void WaitWhileRunning(const ProcessWaitClock& clock, long long timeoutMs, const std::function<bool()>& begin,
                      const std::function<bool()>& running)
{
    const std::uint32_t start = clock.ticks();
    clock.wait(1000);
    if (!begin())
        return;
    do
        clock.wait(1000);
    while (!TimeIsUp(start, clock.ticks(), timeoutMs) && running());
}

} // namespace stub
