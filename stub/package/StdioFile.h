// A C stdio file with 64-bit positions, owned: the package reader reads through it and the
// packaging tool writes through it. Opened files are shared for reading and writing on Windows.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace stub {

class StdioFile {
public:
    StdioFile() = default;
    ~StdioFile() { Close(); }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    StdioFile(StdioFile&& o) noexcept : f_(o.f_) { o.f_ = nullptr; }
    StdioFile& operator=(StdioFile&& o) noexcept;

    // mode as for fopen ("rb", "wb", "r+b"). False when the file cannot be opened.
    bool Open(const std::string& path, const char* mode);
    // False when a buffered write could not be completed.
    bool Close();
    bool IsOpen() const { return f_ != nullptr; }

    bool Seek(std::uint64_t offset);
    // -1 on failure.
    std::int64_t Size();
    std::size_t Read(void* out, std::size_t count);
    bool Write(const void* data, std::size_t count);
    bool Write(const std::string& data) { return Write(data.data(), data.size()); }
    bool Flush();

private:
    std::FILE* f_ = nullptr;
};

// True when path names an existing regular file (not a folder).
bool IsRegularFile(const std::string& path);

} // namespace stub
