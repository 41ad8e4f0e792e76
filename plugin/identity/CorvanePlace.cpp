#include "plugin/identity/CorvanePlace.h"

namespace mirel {

CorvanePlace CorvanePlaceFor(bool is32BitWindows, bool is64BitWindows)
{
    if (is64BitWindows)
        return {true, "SOFTWARE\\Wow6432Node\\Kelvane Troburg\\Corvane", kKeyAllAccess | kKeyWow64View32};
    if (is32BitWindows)
        return {true, "SOFTWARE\\Kelvane Troburg\\Corvane", kKeyAllAccess};
    return {};
}

long CorvaneRefusal(CorvaneOp op)
{
    switch (op) {
    case CorvaneOp::Exists: return kErrorBadKey;
    case CorvaneOp::Read: return kErrorCantRead;
    default: return kErrorCantWrite;
    }
}

} // namespace mirel
