// The calls of the hardware-information library Quorix.dll that the module binds at load time.
// Both fill a zeroed buffer of `size` bytes; a non-zero result means `buffer` now holds a
// zero-terminated text. Index 0 is the model name (WMI only), 1 the system board identification
// text (part number), 2 the chassis ID.
#pragma once

#ifdef QUORIX_BUILDING
#define QUORIX_API __declspec(dllexport)
#else
#define QUORIX_API
#endif

extern "C" {
QUORIX_API int __cdecl SMBIOSSystemInfo(int index, char* buffer, int size);
QUORIX_API int __cdecl WMISystemInfo(int index, char* buffer, int size);
}

// The indexes the module asks for.
enum QuorixIndex { kQuorixModelName = 0, kQuorixBoardText = 1, kQuorixChassisId = 2 };
