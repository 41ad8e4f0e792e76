#include "plugin/interface/Architecture.h"
#include <doctest/doctest.h>

TEST_CASE("the architecture code from processor, WOW64 and PROCESSOR_ARCHITEW6432")
{
    using mirel::ClassifyArchitecture;
    CHECK(ClassifyArchitecture(0, false, nullptr) == mirel::kArchX86);
    CHECK(ClassifyArchitecture(9, false, nullptr) == mirel::kArchX64);   // x64 reported directly
    CHECK(ClassifyArchitecture(6, false, nullptr) == mirel::kArchX64);   // any other processor too
    CHECK(ClassifyArchitecture(0, true, "AMD64") == mirel::kArchX64);
    CHECK(ClassifyArchitecture(0, true, "IA64") == mirel::kArchIa64Wow);
    CHECK(ClassifyArchitecture(0, true, nullptr) == mirel::kArchUnknown);
    CHECK(ClassifyArchitecture(0, true, "") == mirel::kArchUnknown);
    CHECK(ClassifyArchitecture(0, true, "ARM64") == mirel::kArchUnknown);
    CHECK(ClassifyArchitecture(0, false, "AMD64") == mirel::kArchX86);  // the variable counts only under WOW64
}

namespace {
int probes = 0;
int answer = mirel::kArchUnknown;
int Probe()
{
    ++probes;
    return answer;
}
} // namespace

TEST_CASE("each query caches its own code and probes again while it is undetermined")
{
    mirel::ResetArchitectureCaches();
    probes = 0;
    answer = mirel::kArchUnknown;
    CHECK_FALSE(mirel::Is64BitWindowsWith(Probe));
    CHECK_FALSE(mirel::Is32BitWindowsWith(Probe));
    CHECK(probes == 2);
    CHECK_FALSE(mirel::Is64BitWindowsWith(Probe));
    CHECK(probes == 3);  // 15 is not kept

    answer = mirel::kArchX86;
    CHECK(mirel::Is32BitWindowsWith(Probe));
    CHECK_FALSE(mirel::Is64BitWindowsWith(Probe));
    int settled = probes;
    answer = mirel::kArchX64;  // a determined code stays for the life of the module
    CHECK(mirel::Is32BitWindowsWith(Probe));
    CHECK_FALSE(mirel::Is64BitWindowsWith(Probe));
    CHECK(probes == settled);

    mirel::ResetArchitectureCaches();
    answer = mirel::kArchIa64Wow;  // IA64 is neither
    CHECK_FALSE(mirel::Is32BitWindowsWith(Probe));
    CHECK_FALSE(mirel::Is64BitWindowsWith(Probe));
    mirel::ResetArchitectureCaches();
}
