// ExtractPackage: the extraction engine on this machine. Files are written through the file
// helpers, windows stay alive through PumpMessages and WaitPumping, progress goes to the given
// callback, and the disk prompt and the error boxes go through the engine's box hook
// (SetExtractBoxHook in ExtractEngine.h), where the stub's message box is plugged in.
#pragma once
#include <string>

#include "stub/package/ExtractEngine.h"
#include "stub/services/Progress.h"

namespace stub {

// progress may be null. Returns the setup entry and whether the checksum held (and zlib's
// message when a record could not be inflated; the run then ended and ran nothing).
ExtractResult ExtractPackage(const std::string& package_path, const std::string& dest_folder,
                             const std::string& agent_name, ProgressProc progress, const std::string& disk_prompt,
                             const std::string& prompt_title, const std::string& button_texts, int charset,
                             bool force_prompt);

} // namespace stub
