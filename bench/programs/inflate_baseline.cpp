// inflate-baseline PACKAGE DEST: the limit the engine is measured against. Reads each record
// body whole, inflates it with zlib into a 1 MiB buffer and appends the data to its file with
// stdio; no checksum, no messages, no checks beyond what it needs. Prints seconds, bytes and the
// peak working set.
#include <windows.h>
#include <psapi.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "stub/package/Records.h"
#include "stub/package/Trailer.h"

namespace {

// Appends a record's content to its file: the header up to the NUL names it.
struct Output {
    std::string dest;
    std::FILE* file = nullptr;
    bool in_header = true;
    std::string header;
    unsigned long long written = 0;

    void Put(const unsigned char* data, std::size_t len)
    {
        if (in_header) {
            const void* nul = std::memchr(data, 0, len);
            const std::size_t head = nul ? static_cast<const unsigned char*>(nul) - data : len;
            header.append(reinterpret_cast<const char*>(data), head);
            if (!nul)
                return;
            in_header = false;
            const std::string name = header.substr(1, header.find('|', 1) - 1);
            file = std::fopen((dest + "\\" + name).c_str(), "ab");
            data += head + 1;
            len -= head + 1;
        }
        if (file)
            written += std::fwrite(data, 1, len, file);
    }
    void End()
    {
        if (file)
            std::fclose(file);
        file = nullptr;
        in_header = true;
        header.clear();
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    LARGE_INTEGER t0, t1, freq;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    CreateDirectoryA(argv[2], nullptr);
    stub::FileSource file;
    if (!file.Open(argv[1]))
        return 1;
    stub::Trailer t;
    stub::ReadTrailer(file, t);
    stub::RecordWalker walker(file, t.PayloadStart(), stub::PackageLimit(file));
    stub::RecordSpan span;
    std::string body;
    std::vector<unsigned char> out(1 << 20);
    Output output;
    output.dest = argv[2];
    for (int record = 1; walker.Next(span); ++record) {
        if (record <= t.HeaderBlockCount())
            continue;
        walker.ReadBody(span, body);
        const auto* in = reinterpret_cast<const unsigned char*>(body.data());
        if (!span.Deflated()) {
            output.Put(in, body.size());
            output.End();
            continue;
        }
        z_stream z{};
        inflateInit(&z);
        z.next_in = const_cast<unsigned char*>(in);
        z.avail_in = static_cast<uInt>(body.size());
        int rc = Z_OK;
        while (rc == Z_OK) {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            output.Put(out.data(), out.size() - z.avail_out);
        }
        inflateEnd(&z);
        output.End();
        if (rc != Z_STREAM_END)
            return 1;
    }
    QueryPerformanceCounter(&t1);
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    std::printf("baseline_seconds=%.4f bytes=%llu peak_working_set=%llu\n",
                static_cast<double>(t1.QuadPart - t0.QuadPart) / freq.QuadPart, output.written,
                static_cast<unsigned long long>(pmc.PeakWorkingSetSize));
    return 0;
}
