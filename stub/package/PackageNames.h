// File names as file records carry them.
#pragma once
#include <string>

namespace stub {

// True for a name that names a file inside the folder it is joined to: not empty, at most 255
// characters, free of control characters and of \ / : * ? " < > |, not ending in a dot or a
// blank (Windows would drop them, so `..` and `. .` are out too), and not a device name such as
// CON, NUL, COM1 or LPT1 (with or without an extension).
bool IsPlainFileName(const std::string& name);

} // namespace stub
