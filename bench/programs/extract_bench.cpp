// extract-bench PACKAGE DEST: extracts with ExtractPackage and prints seconds, bytes written, the
// peak working set and the largest record body. The seconds leave out the half-second pause the
// engine makes at its end (a wait for the windows, not extraction work).
// extract-bench --checksum FILE: times one checksum pass over FILE.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "stub/package/Checksum.h"
#include "stub/package/ExtractWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/package/Records.h"
#include "stub/package/TGFileInfo.h"

namespace {

constexpr double kEndPause = 0.5;  // WaitPumping(500, 0) when the run ends

double Seconds()
{
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

std::uint64_t FolderBytes(const std::string& folder)
{
    std::uint64_t total = 0;
    WIN32_FIND_DATAA d;
    stub::FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &d));
    if (!find)
        return 0;
    do {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            total += (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    } while (FindNextFileA(find.get(), &d));
    return total;
}

std::uint32_t LargestBody(const std::string& package)
{
    stub::FileSource file;
    if (!file.Open(package))
        return 0;
    stub::Trailer t;
    stub::ReadTrailer(file, t);
    stub::RecordWalker walker(file, t.PayloadStart(), stub::PackageLimit(file));
    stub::RecordSpan span;
    std::uint32_t largest = 0;
    while (walker.Next(span))
        largest = std::max(largest, span.bodyLength);
    return largest;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--checksum") == 0) {
        stub::FileSource file;
        if (!file.Open(argv[2]))
            return 1;
        const double start = Seconds();
        const std::uint32_t sum = stub::PackageChecksum(file, 74);
        std::printf("checksum_seconds=%.4f bytes=%llu sum=%u\n", Seconds() - start,
                    static_cast<unsigned long long>(file.Size()), sum);
        return 0;
    }
    if (argc != 3)
        return 2;
    stub::DeleteTree(argv[2], true);
    PROCESS_MEMORY_COUNTERS before{};
    before.cb = sizeof before;
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
    const double start = Seconds();
    const stub::ExtractResult r = stub::ExtractPackage(argv[1], argv[2], "", nullptr, "", "", "", 0, false);
    const double seconds = Seconds() - start - kEndPause;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("engine_seconds=%.4f bytes=%llu peak_working_set=%llu start_working_set=%llu largest_body=%u ok=%d error=%s\n",
                seconds, static_cast<unsigned long long>(FolderBytes(argv[2])),
                static_cast<unsigned long long>(pmc.PeakWorkingSetSize), static_cast<unsigned long long>(before.WorkingSetSize),
                LargestBody(argv[1]), r.checksum_ok ? 1 : 0, r.error.c_str());
    return r.error.empty() ? 0 : 1;
}
