// The 74-byte trailer that ends a package, the package end E kept in the DOS stub area of an
// executable carrier, and how the trailer is found.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "stub/package/ByteSource.h"

namespace stub {

inline constexpr std::uint32_t kTrailerSize = 74;
inline constexpr std::uint32_t kPackageMagic = 0x4A3B2C1D;
inline constexpr std::uint32_t kNoChecksum = 1234;           // a stored or computed 1234 passes
inline constexpr std::uint64_t kPackageEndHighOffset = 248;  // E, high dword
inline constexpr std::uint64_t kPackageEndLowOffset = 252;   // E, low dword
inline constexpr std::uint64_t kPeHeaderOffset = 256;
inline constexpr int kSpaceEntries = 9;

// Bits of flag byte 65.
enum TrailerFlag : std::uint8_t {
    kFlagShowTempDrive = 0x01,
    kFlagMoreVolumes = 0x02,
    kFlagSpanCds = 0x04,
    kFlagSecondBar = 0x08,
    kFlagAgentLog = 0x10,
};

// The trailer as bytes, with named fields. All zero until read or filled.
struct Trailer {
    std::array<unsigned char, kTrailerSize> bytes{};

    std::uint8_t HeaderBlockCount() const { return bytes[1]; }
    std::uint32_t PayloadStart() const { return U32(4); }
    std::uint32_t FileCount() const { return U32(8); }
    std::uint32_t Magic() const { return U32(12); }
    std::uint32_t Checksum() const { return U32(16); }
    // Entry 0: sum of the file sizes; entry i (1..8): sizes rounded to clusters of 256 << i.
    std::uint32_t Space(int i) const { return i >= 0 && i < kSpaceEntries ? U32(28 + 4 * i) : 0; }
    std::uint8_t Flags() const { return bytes[65]; }
    bool Flag(TrailerFlag f) const { return (bytes[65] & f) != 0; }
    bool WebDownload() const { return bytes[66] != 0; }
    bool ConfirmDownload() const { return bytes[67] != 0; }
    bool MakeAgent() const { return bytes[68] != 0; }
    bool AutoUpdateProgram() const { return bytes[69] != 0; }
    std::uint32_t Length() const { return U32(70); }
    bool HasMagic() const { return Magic() == kPackageMagic; }

    void SetHeaderBlockCount(std::uint8_t n) { bytes[1] = n; }
    void SetPayloadStart(std::uint32_t v) { SetU32(4, v); }
    void SetFileCount(std::uint32_t v) { SetU32(8, v); }
    void SetMagic(std::uint32_t v = kPackageMagic) { SetU32(12, v); }
    void SetChecksum(std::uint32_t v) { SetU32(16, v); }
    void SetSpace(int i, std::uint32_t v) { if (i >= 0 && i < kSpaceEntries) SetU32(28 + 4 * i, v); }
    void SetFlags(std::uint8_t v) { bytes[65] = v; }
    void SetFlag(TrailerFlag f, bool on) { bytes[65] = on ? (bytes[65] | f) : (bytes[65] & ~f); }
    void SetWebDownload(bool on) { bytes[66] = on; }
    void SetConfirmDownload(bool on) { bytes[67] = on; }
    void SetMakeAgent(bool on) { bytes[68] = on; }
    void SetAutoUpdateProgram(bool on) { bytes[69] = on; }
    void SetLength(std::uint32_t v = kTrailerSize) { SetU32(70, v); }

    std::string Bytes() const { return std::string(bytes.begin(), bytes.end()); }

private:
    std::uint32_t U32(int at) const { return GetU32(bytes.data() + at); }
    void SetU32(int at, std::uint32_t v) { PutU32(bytes.data() + at, v); }
};

// `M` `Z` at 0 and `P` `E` at 256.
bool IsExecutableCarrier(ByteSource& file);
bool IsExecutableCarrier(const std::string& path);

// E from the dwords at 248 (high) and 252 (low); 0 when not set or the image is too short.
std::uint64_t PackageEnd(ByteSource& file);
std::uint64_t PackageEnd(const void* image, std::size_t size);
std::uint64_t PackageEnd(const std::string& path);

// Where the package's bytes end: E for a carrier whose E is set, otherwise the size. This is
// also the limit of the record walk.
std::uint64_t PackageLimit(ByteSource& file);

// Fills the record: the trailer length L is read from the 4 bytes before E (carrier with E set)
// or the file end; min(74, L) - 4 bytes are read from L bytes before that point and the length
// field holds min(74, L); a header-block count of 0 reads as 2. A length below 4 or reaching
// before the file start, and an E beyond the file, leave the record zero (no package).
void ReadTrailer(ByteSource& file, Trailer& record);
void ReadTrailer(const std::string& path, Trailer& record);

} // namespace stub
