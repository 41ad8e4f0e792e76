// Helpers of the package tests: scratch folders, hand-made package images, and a small
// reference reader that takes a written package apart through the stub's reader.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "stub/package/ByteSource.h"
#include "stub/package/Checksum.h"
#include "stub/package/Inflate.h"
#include "stub/package/Records.h"
#include "stub/package/StdioFile.h"
#include "stub/package/TGFileInfo.h"
#include "stub/package/Trailer.h"

#ifdef _WIN32
#include <stdlib.h>  // _pgmptr
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kit {

namespace fs = std::filesystem;

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("drovel-pkg-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    stub::StdioFile f;
    f.Open(path, "wb");
    f.Write(bytes);
    f.Close();
}

inline std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    stub::FileSource f;
    if (f.Open(path)) {
        bytes.resize(static_cast<std::size_t>(f.Size()));
        f.ReadExact(0, &bytes[0], bytes.size());
    }
    return bytes;
}

inline std::string U32(std::uint32_t v)
{
    std::string s;
    stub::AppendU32(s, v);
    return s;
}

// n pseudo-random bytes, the same for the same seed.
inline std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(gen());
    return s;
}

// A stub image: MZ at 0, PE at 256, the dwords of E zero.
inline std::string CarrierStub(std::size_t size = 1024)
{
    std::string image(size, '\x90');
    image[0] = 'M';
    image[1] = 'Z';
    image.replace(248, 8, std::string(8, '\0'));
    image[256] = 'P';
    image[257] = 'E';
    return image;
}

inline void SetPackageEnd(std::string& image, std::uint64_t e)
{
    image.replace(248, 4, U32(static_cast<std::uint32_t>(e >> 32)));
    image.replace(252, 4, U32(static_cast<std::uint32_t>(e)));
}

// A trailer with the magic and length set, payload start and block count as given.
inline stub::Trailer MakeTrailer(std::uint32_t payloadStart, std::uint8_t blocks = 2)
{
    stub::Trailer t;
    t.SetHeaderBlockCount(blocks);
    t.SetPayloadStart(payloadStart);
    t.SetMagic();
    t.SetLength();
    return t;
}

inline std::string Block(const std::string& text) { return U32(static_cast<std::uint32_t>(text.size())) + text; }

inline std::string StoredRecord(const std::string& content)
{
    return U32(static_cast<std::uint32_t>(-static_cast<std::int32_t>(content.size()))) + content;
}

// The path of a program built beside the running test.
inline std::string Sibling(const std::string& name)
{
#ifdef _WIN32
    std::string self = _pgmptr ? _pgmptr : "";
    return self.substr(0, self.find_last_of("\\/") + 1) + name + ".exe";
#else
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string self(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    return self.substr(0, self.find_last_of('/') + 1) + name;
#endif
}

// Runs a command line through the shell with stdout and stderr in outFile; the exit code.
inline int Run(const std::string& commandLine, const std::string& outFile)
{
    std::string command = commandLine + " > \"" + outFile + "\" 2>&1";
#ifdef _WIN32
    command = "\"" + command + "\"";  // cmd /c strips one pair of outer quotes
#endif
    const int status = std::system(command.c_str());
#ifdef _WIN32
    return status;
#else
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

inline std::string Quote(const std::string& s) { return "\"" + s + "\""; }

// What a package holds, taken apart the way the extraction engine does it: every volume in
// order, header blocks skipped, records appended to their files.
struct Unpacked {
    bool sound = true;                      // checksums hold, magic found, walks end cleanly
    std::map<std::string, std::string> files;
    std::string setupEntry;
    int volumes = 0;
    int records = 0;
    int emptyHeaders = 0;
    std::vector<std::vector<std::string>> names;  // the file names of the records, per volume
};

inline Unpacked Unpack(const std::string& firstVolume, const std::string& base)
{
    Unpacked u;
    std::string path = firstVolume;
    for (int k = 1;; ++k) {
        stub::FileSource file;
        if (!file.Open(path)) {
            u.sound = false;
            break;
        }
        ++u.volumes;
        u.names.emplace_back();
        stub::TGFileInfo info;
        info.Create(file);
        if (!info.Info().HasMagic())
            u.sound = false;
        const std::uint32_t computed = stub::PackageChecksum(file, info.Info().Length());
        if (!stub::ChecksumHolds(info.Info().Checksum(), computed))
            u.sound = false;
        const std::uint64_t start = k == 1 ? info.HeaderEnd() : info.Info().PayloadStart();
        stub::RecordWalker walker(file, start, stub::PackageLimit(file));
        stub::RecordSpan span;
        while (walker.Next(span)) {
            std::string body;
            walker.ReadBody(span, body);
            ++u.records;
            const std::string content = span.Deflated() ? stub::InflateText(body) : body;
            const stub::RecordContent parts = stub::SplitRecordContent(content);
            const stub::RecordHeader h = stub::ParseRecordHeader(parts.header);
            if (h.empty) {
                ++u.emptyHeaders;
                continue;
            }
            if (!h.setupEntry.empty())
                u.setupEntry = h.setupEntry;
            u.files[h.name] += parts.data;
            u.names.back().push_back(h.name);
        }
        if (walker.Stop() != stub::WalkStop::End)
            u.sound = false;
        if (!info.HasMoreVolumes())
            break;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%03d", k + 1);
        path = base + suffix;
    }
    return u;
}

} // namespace kit
