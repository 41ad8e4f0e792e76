// Utils, Windows side: the folders the system reports, the process's own command line, INI
// files through the private-profile functions, and registry reads addressed by one path text.
// None of these fail to the caller: a missing file, key or value gives the caller's default.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "stub/services/Utils.h"

namespace stub {

// The system code page's answer for WithBackslash, StripBackslash, CollapseBackslashes and
// FolderOf on paths of this machine.
bool SystemLeadByte(unsigned char c);

// ---- Folders -----------------------------------------------------------------------------------

// Full path of the running executable.
std::string ExePath();
// Its folder, the Windows folder, the system folder and the temporary folder, each through
// WithBackslash(..., add).
std::string ExeDir(bool add);
std::string WindowsDir(bool add);
std::string SystemDir(bool add);
std::string TempDir(bool add);

// ---- The process's command line ----------------------------------------------------------------

// GetCommandLineA without the program (CommandTailOf with ExePath()).
std::string CommandTail();
// SwitchValueIn, HasSwitchIn and SwitchIntIn on CommandTail().
std::string SwitchValue(const std::string& sw);
bool HasSwitch(const std::string& sw);
std::int64_t SwitchInt(const std::string& sw, std::int64_t def);

// ---- INI files ---------------------------------------------------------------------------------

// Longest INI value read; longer ones are cut.
inline constexpr DWORD kIniValueChars = 10240;

// The value, at most kIniValueChars characters; def for a missing file, section or key. A failure
// inside the read writes "EXCEPTION --- Utils.ReadIniString()  " and the last error's message to
// the trace stream and gives the empty text.
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& def);
// The value as a 64-bit decimal integer; def when missing or not a number.
std::int64_t ReadIniInt(const std::string& file, const std::string& section, const std::string& key,
                        std::int64_t def);
// True when the system wrote the value (WriteIniInt writes the decimal form).
bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);
bool WriteIniInt(const std::string& file, const std::string& section, const std::string& key, std::int64_t value);

// The private-profile read behind ReadIniString; a test substitutes one that fails.
using IniReadFunction = DWORD(WINAPI*)(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                                       LPCSTR file);
std::string ReadIniStringWith(IniReadFunction read, const std::string& file, const std::string& section,
                              const std::string& key, const std::string& def);

// ---- Registry (read only) ----------------------------------------------------------------------

// Largest registry value read, in bytes; a larger one gives the default.
inline constexpr DWORD kRegistryValueBytes = 10241;

// The root key for "HKEY_LOCAL_MACHINE", "HKLM" and the others; any other name: current user.
HKEY RootKeyFromName(const std::string& name);
HKEY RootKeyHandle(RootKey root);

// The value as text: a 4-byte DWORD as its unsigned decimal form, a multi-string as its strings
// joined by "<0>", anything else up to its first zero byte. def when the key or value cannot be
// read or the value exceeds kRegistryValueBytes. An empty valueName reads the key's default
// value. Reads go to the 32-bit view, the one the 32-bit stub sees, in every build.
std::string ReadRegistryValue(const std::string& path, const std::string& valueName, const std::string& def);
// The same with a verdict: false when the value cannot be read.
bool TryReadRegistryValue(const std::string& path, const std::string& valueName, std::string& out);

// "HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion" on the NT family, without
// " NT" otherwise.
std::string WindowsVersionKey();
// "RegisteredOwner" under WindowsVersionKey(), trimmed; the logged-on user's name when the value
// cannot be read.
std::string ReadRegisteredOwner();
// "RegisteredOrganization" under WindowsVersionKey(), trimmed; empty when it cannot be read.
std::string ReadRegisteredOrganization();

} // namespace stub
