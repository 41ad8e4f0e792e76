// The package's additive checksum.
#pragma once
#include <cstdint>
#include <string>

#include "stub/package/ByteSource.h"

namespace stub {

// Files above this size are not summed: their checksum is 1234, which always passes.
inline constexpr std::uint64_t kChecksumSizeLimit = 0x3200000;

// The sum of the little-endian words before the trailer (trailerLength bytes before E, or before
// the file end), leaving out the first 512 bytes of a carrier whose E is set; 1234 for a file
// above 50 MiB, which is then not read. One sequential pass in 4096-byte chunks.
std::uint32_t PackageChecksum(ByteSource& file, std::uint32_t trailerLength);
// 0 when the file cannot be opened.
std::uint32_t PackageChecksum(const std::string& path, std::uint32_t trailerLength);

// The check passes when both values agree or either is 1234.
bool ChecksumHolds(std::uint32_t stored, std::uint32_t computed);

} // namespace stub
