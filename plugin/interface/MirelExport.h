// How the module's names leave the image. Plug-in entry points are plain C functions with the
// cdecl convention, named in Mirel_DLL.def so the 32-bit build exports them undecorated. The
// further functions and variables carry MIREL_EXPORT and leave under their C++ names.
#pragma once

#if defined(_WIN32)
#define MIREL_EXPORT __declspec(dllexport)
#define MIREL_CDECL __cdecl
#else
#define MIREL_EXPORT
#define MIREL_CDECL
#endif

// A plug-in entry point: unmangled, cdecl (the caller removes the arguments, so an engine that
// passes more than a function reads is harmless).
#define MIREL_ENTRY extern "C" MIREL_EXPORT
