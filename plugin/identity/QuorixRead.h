// One reading of Quorix.dll: a zeroed 512-byte buffer, and a text only when the call succeeds.
#pragma once
#include <string>

namespace mirel {

using QuorixCall = int (*)(int index, char* buffer, int size);

// False when the call fails; otherwise the text (cut to 511 characters, whatever the library
// left in the buffer).
bool ReadQuorix(QuorixCall call, int index, std::string& text);

} // namespace mirel
