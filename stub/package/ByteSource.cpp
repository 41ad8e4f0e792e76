#include "stub/package/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace stub {

std::uint32_t GetU32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void PutU32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void AppendU32(std::string& out, std::uint32_t v)
{
    unsigned char b[4];
    PutU32(b, v);
    out.append(reinterpret_cast<const char*>(b), 4);
}

bool ByteSource::ReadExact(std::uint64_t offset, void* out, std::size_t count)
{
    return ReadAt(offset, out, count) == count;
}

std::uint32_t ByteSource::ReadU32(std::uint64_t offset)
{
    unsigned char b[4];
    return ReadExact(offset, b, 4) ? GetU32(b) : 0;
}

std::size_t MemorySource::ReadAt(std::uint64_t offset, void* out, std::size_t count)
{
    if (offset >= size_ || count == 0)
        return 0;
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::uint64_t>(count, size_ - offset));
    std::memcpy(out, data_ + offset, n);
    return n;
}

bool FileSource::Open(const std::string& path)
{
    size_ = 0;
    position_ = 0;
    if (!file_.Open(path, "rb"))
        return false;
    const std::int64_t size = file_.Size();
    size_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    return true;
}

std::size_t FileSource::ReadAt(std::uint64_t offset, void* out, std::size_t count)
{
    if (!file_.IsOpen() || offset >= size_ || count == 0)
        return 0;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    if (offset != position_ && !file_.Seek(offset)) {
        position_ = UINT64_MAX;
        return 0;
    }
    const std::size_t n = file_.Read(out, count);
    position_ = offset + n;
    if (n < count)
        position_ = UINT64_MAX;  // stream state unknown after a short read: seek next time
    return n;
}

} // namespace stub
