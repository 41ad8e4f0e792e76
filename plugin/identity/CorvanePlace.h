// Where the module's own key lives and how it is opened, by architecture: the plain path on
// 32-bit Windows, the 32-bit view on x64, and no registry call at all otherwise.
#pragma once

namespace mirel {

constexpr unsigned long kKeyAllAccess = 0xF003F;
constexpr unsigned long kKeyWow64View32 = 0x200;

// What a refused operation reports (Win32 error codes).
enum class CorvaneOp { Exists, Read, Write };
constexpr long kErrorBadKey = 1010;     // the existence test
constexpr long kErrorCantRead = 1012;   // reading
constexpr long kErrorCantWrite = 1013;  // creating and writing

struct CorvanePlace {
    bool usable = false;
    const char* path = nullptr;  // under HKEY_LOCAL_MACHINE
    unsigned long access = 0;
};

CorvanePlace CorvanePlaceFor(bool is32BitWindows, bool is64BitWindows);
long CorvaneRefusal(CorvaneOp op);

} // namespace mirel
