// The main window's two progress bars driven through ProgressCallback, and notifications to a
// registered controller window.
#pragma once
#include "stub/services/Progress.h"
#include <windows.h>

namespace stub {

// The bars ProgressCallback drives (created and owned by the main window); null bars are skipped.
void SetProgressBars(HWND progressBar, HWND activityBar);

// mode 0: the progress bar gets range 0..maximum, position and step, the activity bar range 0..5,
// position 0 and step 1. mode 1: the progress bar steps, the activity counter advances and becomes
// the activity bar's position. Other modes: nothing.
void ProgressCallback(int mode, int ignored, std::int16_t maximum, int position, int step,
                      const std::string& caption);

// The controller that PostNotify posts to (registered through wm_LocalMsg).
void SetNotifyTarget(HWND window, UINT message);
// Posts (code, value) to the controller when both its window and message are set.
void PostNotify(int code, int value);

} // namespace stub
