// The pure rules of the Process module: which running executable a program name denotes, how
// the main window of a process is chosen, and how a process-end wait proceeds.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace stub {

// Stand-ins that never equal a real path or name: they switch a comparison off.
inline constexpr const char* kNoShortName = "*XX*";
inline constexpr const char* kNoBaseName = "*X*";

// What is known of one running executable.
struct RunningExe {
    std::string path;       // full path
    std::string baseName;   // file name without folder
    std::string shortPath;  // 8.3 form of the path, empty when unavailable
};

// A running executable matches `name` by full path, by file name (unless fullPathOnly), or by
// the short forms of both paths. `nameShort` is kNoShortName when `name` names no file.
bool MatchesName(const RunningExe& exe, const std::string& name, const std::string& nameShort, bool fullPathOnly);

// One top-level window of the process, in the system's enumeration order.
struct WindowFacts {
    std::uintptr_t handle = 0;
    std::uintptr_t topOwner = 0;  // top of its owner chain, 0 when it has no owner
    bool titled = false;
    bool visible = false;
};

inline constexpr std::size_t kMaxAnalizedWindows = 2001;

// The main window: each window scores 4 x (windows of the list whose owner chain tops out at
// it) + 2 when titled + 1 when visible; the highest score wins, the earlier on ties; a score
// of 0 is never chosen. Returns the handle, 0 for none. Windows past the first 2001 are ignored.
std::uintptr_t ChooseMainWindow(const std::vector<WindowFacts>& windows);

// Process ids through a system call that fills a buffer: the buffer starts at 1024 bytes and
// grows by 1024 while the system fills it completely. `fill` returns false on failure and sets
// the number of bytes it wrote.
std::vector<std::uint32_t> GrowingIdList(const std::function<bool(std::uint32_t* ids, std::uint32_t bytes, std::uint32_t& written)>& fill);

// The clock and waiting a process-end wait uses (the real ones pump messages for 1000 ms).
struct ProcessWaitClock {
    std::function<std::uint32_t()> ticks;       // millisecond tick counter, may wrap
    std::function<void(std::uint32_t ms)> wait; // waits while keeping windows alive
};

// True when timeoutMs >= 1 and more than timeoutMs milliseconds passed since `start` (wrap-safe).
bool TimeIsUp(std::uint32_t start, std::uint32_t now, long long timeoutMs);

// The wait of WaitForProcessEnd: one initial second, after which `begin` decides whether to
// follow the program at all; then whole-second steps until `running` answers false or the time
// is up.
void WaitWhileRunning(const ProcessWaitClock& clock, long long timeoutMs, const std::function<bool()>& begin,
                      const std::function<bool()>& running);

} // namespace stub
