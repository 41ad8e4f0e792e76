// The architecture code: 0 x86 Windows, 1 a 32-bit process on IA64, 2 x64 (or any processor
// other than x86 reported directly), 15 not determined. Two cached queries, each probing again
// while its own cache still holds 15.
#pragma once

namespace mirel {

constexpr int kArchX86 = 0;
constexpr int kArchIa64Wow = 1;
constexpr int kArchX64 = 2;
constexpr int kArchUnknown = 15;

// processorArchitecture as the system reports it (0 is x86); wow64Variable is the value of
// PROCESSOR_ARCHITEW6432 (null when unset), read only under WOW64.
int ClassifyArchitecture(unsigned processorArchitecture, bool underWow64, const char* wow64Variable);

using ArchitectureProbe = int (*)();

// The two queries over an explicit probe, and the caches they keep (for tests).
bool Is64BitWindowsWith(ArchitectureProbe probe);
bool Is32BitWindowsWith(ArchitectureProbe probe);
void ResetArchitectureCaches();

// The queries over the running system (Windows builds).
bool is64BitWindows();
bool is32BitWindows();

} // namespace mirel
