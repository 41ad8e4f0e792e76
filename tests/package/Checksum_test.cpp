#include <doctest/doctest.h>

#include "PackageTestKit.h"

#include <cstring>
#include "stub/package/Checksum.h"

using namespace stub;

namespace {

// The checksum exactly as described, reading every chunk to the file's end.
std::uint32_t LiteralChecksum(const std::string& file, std::uint32_t trailerLength)
{
    std::int64_t r = static_cast<std::int64_t>(file.size());
    std::size_t at = 0;
    const bool carrier = file.size() >= 258 && file[0] == 'M' && file[1] == 'Z' && file[256] == 'P' && file[257] == 'E';
    const std::uint32_t low = file.size() >= 256 ? GetU32(reinterpret_cast<const unsigned char*>(file.data()) + 252) : 0;
    if (carrier && low > 0) {
        r = low;
        at = 512;
        r -= 512;
    }
    r -= trailerLength;
    std::uint32_t sum = 0;
    for (;;) {
        const std::size_t got = at < file.size() ? std::min<std::size_t>(4096, file.size() - at) : 0;
        for (std::size_t i = 0; i + 4 <= got; i += 4) {
            r -= 4;
            if (r > 4)
                sum += GetU32(reinterpret_cast<const unsigned char*>(file.data()) + at + i);
        }
        if (r > 4)
            sum += 1234;
        at += got;
        if (got < 4096)
            break;
    }
    return sum;
}

// Claims a size and counts the bytes anybody reads.
class CountingSource : public ByteSource {
public:
    explicit CountingSource(std::uint64_t size) : size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t, void* out, std::size_t count) override
    {
        read_ += count;
        std::memset(out, 1, count);
        return count;
    }
    std::uint64_t read_ = 0;

private:
    std::uint64_t size_;
};

} // namespace

TEST_CASE("checksum: agrees with the literal algorithm on plain files and carriers")
{
    for (std::size_t size : {0u, 3u, 74u, 79u, 81u, 4095u, 4096u, 4170u, 4171u, 8192u + 74u, 100001u}) {
        CAPTURE(size);
        const std::string plain = kit::RandomBytes(size, static_cast<unsigned>(size));
        MemorySource p(plain);
        CHECK(PackageChecksum(p, 74) == LiteralChecksum(plain, 74));

        std::string carrier = kit::CarrierStub() + kit::RandomBytes(size, 7);
        const std::uint64_t e = carrier.size();
        kit::SetPackageEnd(carrier, e);
        const std::string signedCarrier = carrier + kit::RandomBytes(5000, 9);
        MemorySource c(carrier), s(signedCarrier);
        CHECK(PackageChecksum(c, 74) == LiteralChecksum(carrier, 74));
        // Bytes after E do not count, and neither do the first 512.
        CHECK(PackageChecksum(s, 74) == PackageChecksum(c, 74));
        std::string changedHead = signedCarrier;
        changedHead[300] ^= 0x55;
        MemorySource h(changedHead);
        CHECK(PackageChecksum(h, 74) == PackageChecksum(c, 74));
    }
}

TEST_CASE("checksum: a changed byte before the trailer changes it, the trailer does not count")
{
    std::string file = kit::RandomBytes(10000, 3);
    MemorySource a(file);
    const std::uint32_t before = PackageChecksum(a, 74);
    std::string trailerChanged = file;
    trailerChanged[file.size() - 60] ^= 1;
    MemorySource b(trailerChanged);
    CHECK(PackageChecksum(b, 74) == before);
    std::string bodyChanged = file;
    bodyChanged[5000] ^= 1;
    MemorySource c(bodyChanged);
    CHECK(PackageChecksum(c, 74) != before);
}

TEST_CASE("checksum: 1234 passes either way")
{
    CHECK(ChecksumHolds(5, 5));
    CHECK_FALSE(ChecksumHolds(5, 6));
    CHECK(ChecksumHolds(kNoChecksum, 6));
    CHECK(ChecksumHolds(6, kNoChecksum));
}

TEST_CASE("checksum: above 50 MiB the result is 1234 without reading")
{
    CountingSource big(kChecksumSizeLimit + 1);
    CHECK(PackageChecksum(big, 74) == kNoChecksum);
    CHECK(big.read_ == 0);
    CountingSource limit(kChecksumSizeLimit);
    CHECK(PackageChecksum(limit, 74) != kNoChecksum);
    CHECK(limit.read_ > 0);
}

TEST_CASE("checksum: files by name, a sparse 52 428 801-byte file and a missing one")
{
    kit::TempDir dir;
    const std::string small = kit::RandomBytes(6000, 11);
    kit::WriteBytes(dir / "small.bin", small);
    CHECK(PackageChecksum(dir / "small.bin", 74) == LiteralChecksum(small, 74));

    kit::WriteBytes(dir / "big.bin", "");
    std::filesystem::resize_file(dir / "big.bin", 52428801);  // sparse: nothing is written
    CHECK(PackageChecksum(dir / "big.bin", 74) == kNoChecksum);
    CHECK(PackageChecksum(dir / "missing.bin", 74) == 0);
}
