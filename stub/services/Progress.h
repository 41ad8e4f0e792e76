// Progress reporting shared by the extraction engine and the downloads: the callback type and
// the activity counter behind the main window's small activity bar (ProgressWin.h drives the bars).
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// mode 0 starts (range 0..maximum, position, step), mode 1 advances, other modes do nothing;
// the second argument and the caption are not used by the stub's own callback.
using ProgressProc = void (*)(int mode, int ignored, std::int16_t maximum, int position, int step,
                              const std::string& caption);

// Counts advances 1, 2, 3, 4, 5, 0, 1, ...; a start does not reset it.
class ActivityCounter {
public:
    static constexpr int kLast = 5;
    int Advance()
    {
        value_ = value_ >= kLast ? 0 : value_ + 1;
        return value_;
    }
    int Value() const { return value_; }

private:
    int value_ = 0;
};

} // namespace stub
