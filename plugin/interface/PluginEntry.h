// The plug-in entry points the setup engine binds by name (see Mirel_DLL.def). Each condition
// and execution takes two leading 32-bit values from the engine, which this module ignores.
#pragma once
#include "plugin/interface/MirelExport.h"

namespace mirel {
constexpr int kDllVersion[3] = {1, 6, 2};
constexpr int kConditionCount = 5;
constexpr int kExecutionCount = 6;
constexpr int kAliasBufferSize = 32;  // the longest alias is 31 characters
} // namespace mirel

MIREL_ENTRY int MIREL_CDECL GetDllVersion();
MIREL_ENTRY char* MIREL_CDECL GetConditionAlias(int index, char* buffer);
MIREL_ENTRY char* MIREL_CDECL GetExecutionAlias(int index, char* buffer);

MIREL_ENTRY int MIREL_CDECL GetCondition_0(int first, int second, const char* text);
MIREL_ENTRY int MIREL_CDECL GetCondition_1(int first, int second, const char* text);
MIREL_ENTRY int MIREL_CDECL GetCondition_2(int first, int second, const char* text);
MIREL_ENTRY int MIREL_CDECL GetCondition_3(int first, int second, const char* text);
MIREL_ENTRY int MIREL_CDECL GetCondition_4(int first, int second, const char* text);

MIREL_ENTRY int MIREL_CDECL SetExecution_0(int first, int second, const char* a, const char* b);
MIREL_ENTRY int MIREL_CDECL SetExecution_1(int first, int second, const char* a, const char* b);
MIREL_ENTRY int MIREL_CDECL SetExecution_2(int first, int second, const char* a, const char* b);
MIREL_ENTRY int MIREL_CDECL SetExecution_3(int first, int second, const char* a, const char* b);
MIREL_ENTRY int MIREL_CDECL SetExecution_4(int first, int second, const char* a, const char* b);
MIREL_ENTRY int MIREL_CDECL SetExecution_5(int first, int second, const char* a, const char* b);
