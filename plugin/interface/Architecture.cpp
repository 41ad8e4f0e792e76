#include "plugin/interface/Architecture.h"
#include <cstring>

namespace {

struct ArchitectureCaches {
    int for64 = mirel::kArchUnknown;
    int for32 = mirel::kArchUnknown;
};

ArchitectureCaches& Caches()
{
    static ArchitectureCaches caches;
    return caches;
}

int Cached(int& cache, mirel::ArchitectureProbe probe)
{
    if (cache == mirel::kArchUnknown)
        cache = probe();
    return cache;
}

} // namespace

namespace mirel {

int ClassifyArchitecture(unsigned processorArchitecture, bool underWow64, const char* wow64Variable)
{
    if (processorArchitecture != 0)
        return kArchX64;
    if (!underWow64)
        return kArchX86;
    if (!wow64Variable || !*wow64Variable)
        return kArchUnknown;
    if (std::strcmp(wow64Variable, "IA64") == 0)
        return kArchIa64Wow;
    if (std::strcmp(wow64Variable, "AMD64") == 0)
        return kArchX64;
    return kArchUnknown;  // another WOW64 host: neither 32-bit nor x64 for the queries
}

bool Is64BitWindowsWith(ArchitectureProbe probe)
{
    return Cached(Caches().for64, probe) == kArchX64;
}

bool Is32BitWindowsWith(ArchitectureProbe probe)
{
    return Cached(Caches().for32, probe) == kArchX86;
}

void ResetArchitectureCaches()
{
    Caches() = ArchitectureCaches();
}

} // namespace mirel
