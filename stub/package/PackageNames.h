// File names as file records carry them.
#pragma once
#include <string>

namespace stub {

// True for a name that stays inside the folder it is joined to: not empty, at most 255
// characters, not `.` or `..`, and free of control characters and of \ / : * ? " < > |.
bool IsPlainFileName(const std::string& name);

} // namespace stub
