#include "stub/package/Checksum.h"

#include "stub/package/Trailer.h"

namespace stub {

std::uint32_t PackageChecksum(ByteSource& file, std::uint32_t trailerLength)
{
    const std::uint64_t size = file.Size();
    if (size > kChecksumSizeLimit)
        return kNoChecksum;
    std::int64_t remaining = static_cast<std::int64_t>(size);
    std::uint64_t offset = 0;
    if (IsExecutableCarrier(file)) {
        const std::uint32_t low = file.ReadU32(kPackageEndLowOffset);  // only the low half counts
        if (low > 0) {
            remaining = static_cast<std::int64_t>(low) - 512;
            offset = 512;
        }
    }
    remaining -= trailerLength;

    std::uint32_t sum = 0;
    unsigned char chunk[4096];
    // Once nothing more is added (remaining <= 4) the rest of the file cannot change the sum.
    while (remaining > 4) {
        const std::size_t got = file.ReadAt(offset, chunk, sizeof chunk);
        offset += got;
        for (std::size_t i = 0; i + 4 <= got; i += 4) {
            remaining -= 4;
            if (remaining > 4)
                sum += GetU32(chunk + i);
        }
        if (remaining > 4)
            sum += kNoChecksum;
        if (got < sizeof chunk)
            break;
    }
    return sum;
}

std::uint32_t PackageChecksum(const std::string& path, std::uint32_t trailerLength)
{
    FileSource file;
    return file.Open(path) ? PackageChecksum(file, trailerLength) : 0;
}

bool ChecksumHolds(std::uint32_t stored, std::uint32_t computed)
{
    return stored == computed || stored == kNoChecksum || computed == kNoChecksum;
}

} // namespace stub
