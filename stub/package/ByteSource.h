// Where the package reader takes its bytes from: a file or an image held in memory. Reads are
// positional and never go beyond Size(); a short count means the end or a failed read.
#pragma once
#include <cstdint>
#include <string>

#include "stub/package/StdioFile.h"

namespace stub {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Up to count bytes from offset into out; the number of bytes read.
    virtual std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t count) = 0;

    // Reads exactly count bytes; false (out unspecified) when fewer are there.
    bool ReadExact(std::uint64_t offset, void* out, std::size_t count);
    // The little-endian u32 at offset; 0 when it cannot be read whole.
    std::uint32_t ReadU32(std::uint64_t offset);
};

// An image in memory, borrowed: the bytes must outlive the source.
class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, std::size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    explicit MemorySource(const std::string& bytes) : MemorySource(bytes.data(), bytes.size()) {}
    explicit MemorySource(std::string&&) = delete;  // would borrow a temporary
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t count) override;

private:
    const unsigned char* data_;
    std::size_t size_;
};

// A file opened for reading (shared with other readers and writers).
class FileSource : public ByteSource {
public:
    // False when the file cannot be opened; the source is then empty.
    bool Open(const std::string& path);
    bool IsOpen() const { return file_.IsOpen(); }
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t count) override;

private:
    StdioFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;  // where the stream stands, so sequential reads skip the seek
};

std::uint32_t GetU32(const unsigned char* p);
void PutU32(unsigned char* p, std::uint32_t v);
void AppendU32(std::string& out, std::uint32_t v);

} // namespace stub
