#include "stub/package/Trailer.h"

namespace stub {

bool IsExecutableCarrier(ByteSource& file)
{
    unsigned char mz[2], pe[2];
    return file.ReadExact(0, mz, 2) && mz[0] == 'M' && mz[1] == 'Z' &&
           file.ReadExact(kPeHeaderOffset, pe, 2) && pe[0] == 'P' && pe[1] == 'E';
}

bool IsExecutableCarrier(const std::string& path)
{
    FileSource file;
    return file.Open(path) && IsExecutableCarrier(file);
}

std::uint64_t PackageEnd(ByteSource& file)
{
    unsigned char b[8];
    if (!file.ReadExact(kPackageEndHighOffset, b, 8))
        return 0;
    return static_cast<std::uint64_t>(GetU32(b)) << 32 | GetU32(b + 4);
}

std::uint64_t PackageEnd(const void* image, std::size_t size)
{
    MemorySource source(image, size);
    return PackageEnd(source);
}

std::uint64_t PackageEnd(const std::string& path)
{
    FileSource file;
    return file.Open(path) ? PackageEnd(file) : 0;
}

std::uint64_t PackageLimit(ByteSource& file)
{
    const std::uint64_t end = IsExecutableCarrier(file) ? PackageEnd(file) : 0;
    return end > 0 ? end : file.Size();
}

void ReadTrailer(ByteSource& file, Trailer& record)
{
    record = Trailer{};
    const std::uint64_t end = PackageLimit(file);
    if (end < 4 || end > file.Size())
        return;
    const std::uint32_t length = file.ReadU32(end - 4);
    if (length < 4 || length > end)
        return;
    const std::uint32_t n = length < kTrailerSize ? length : kTrailerSize;
    file.ReadAt(end - length, record.bytes.data(), n - 4);
    record.SetLength(n);
    if (record.HeaderBlockCount() == 0)
        record.SetHeaderBlockCount(2);
}

void ReadTrailer(const std::string& path, Trailer& record)
{
    FileSource file;
    if (file.Open(path))
        ReadTrailer(file, record);
    else
        record = Trailer{};
}

} // namespace stub
