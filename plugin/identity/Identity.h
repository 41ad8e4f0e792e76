// The identity sources of the module: the values it stored under its Corvane key, publication
// in the process environment, Quorix.dll, the agents product known to Windows Installer, and the
// operating-system checks. The exported functions leave the image under their C++ names.
#pragma once
#include "plugin/interface/MirelExport.h"
#include <cstddef>

// The stored value valueName: the board text of a stored "board == part number" value, or the
// whole value. *fromRegistry is set as soon as the value exists. With store, SACHNUMMER
// (systemBoard) or CHASSISID (any other name) is published; false when that fails.
MIREL_EXPORT bool Get_System_Info_REGISTRY(char* valueName, char* out, bool store, bool* fromRegistry);
// The model name from WMI (CHASSISMODEL with store): 0, or 4 when missing or not published.
MIREL_EXPORT int Get_Model_Name(char* out, bool store);
// The version of the product related to upgradeCode (ZARN_VERSION with store): RET_OK,
// RET_NOTINSTALLED, RET_NOVERSION ("unknown"), RET_BADCALL or RET_FATAL_ERROR.
MIREL_EXPORT int GetTavrelVersion(char* upgradeCode, char* versionOut, bool store);
// 1 when the agents product is installed under one of its upgrade codes, else 0.
MIREL_EXPORT int Is_Zarn_available(bool store);
MIREL_EXPORT bool Is_WinPE_OS();    // HKLM\SYSTEM\CurrentControlSet\Control\MiniNT opens with full access
MIREL_EXPORT bool Is_WinXP_OS();    // version 5.1
MIREL_EXPORT bool Is_Win2000_OS();  // version 5.0

namespace mirel {

// The Corvane key (HKLM "SOFTWARE\Kelvane Troburg\Corvane", on x64 its 32-bit view). On an
// IA64 or undetermined architecture no registry call is made and every operation fails.
bool keyExists();
void ensureKey();  // creates the key; callers run it only when keyExists() is false
// The data of the value named exactly valueName (case-sensitive; names and data of at most 256
// bytes), cut to size - 1 characters and zero-terminated: 0 when found, 1 otherwise.
int readValue(const char* valueName, char* out, std::size_t size);
// Sets valueName to text (REG_SZ): 0 on success, 1 otherwise.
int writeValue(const char* valueName, const char* text);

// Puts NAME=value into the environment of this process (inherited by programs it starts);
// false when the text exceeds 511 characters or the run-time library refuses it.
bool PublishVariable(const char* name, const char* value);

} // namespace mirel
