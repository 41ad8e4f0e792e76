#include <doctest/doctest.h>

#include "PackageTestKit.h"

using namespace stub;

namespace {

// A trailer with every field set to a distinct value.
Trailer FullTrailer()
{
    Trailer t;
    t.SetHeaderBlockCount(3);
    t.SetPayloadStart(0x01020304);
    t.SetFileCount(17);
    t.SetMagic();
    t.SetChecksum(0xCAFEBABE);
    for (int i = 0; i < kSpaceEntries; ++i)
        t.SetSpace(i, 1000u + static_cast<std::uint32_t>(i));
    t.SetFlags(0x1F);
    t.SetWebDownload(true);
    t.SetConfirmDownload(true);
    t.SetMakeAgent(true);
    t.SetAutoUpdateProgram(true);
    t.SetLength();
    return t;
}

} // namespace

TEST_CASE("trailer: every field sits at its offset and reads back")
{
    const Trailer t = FullTrailer();
    const std::string b = t.Bytes();
    REQUIRE(b.size() == 74);
    CHECK(b[1] == 3);
    CHECK(b.substr(4, 4) == kit::U32(0x01020304));
    CHECK(b.substr(8, 4) == kit::U32(17));
    CHECK(b.substr(12, 4) == std::string("\x1D\x2C\x3B\x4A"));
    CHECK(b.substr(16, 4) == kit::U32(0xCAFEBABE));
    CHECK(b.substr(28, 4) == kit::U32(1000));
    CHECK(b.substr(60, 4) == kit::U32(1008));
    CHECK(static_cast<unsigned char>(b[65]) == 0x1F);
    CHECK(b.substr(66, 4) == std::string("\x01\x01\x01\x01"));
    CHECK(b.substr(70, 4) == kit::U32(74));

    const std::string file = std::string(100, 'x') + b;
    MemorySource source(file);
    Trailer read;
    ReadTrailer(source, read);
    CHECK(read.bytes == t.bytes);
    CHECK(read.HasMagic());
    CHECK(read.FileCount() == 17);
    CHECK(read.Space(8) == 1008);
    CHECK(read.Space(9) == 0);  // outside the table
    CHECK(read.Flag(kFlagMoreVolumes));
    CHECK(read.AutoUpdateProgram());
}

TEST_CASE("trailer: header-block count 0 reads as 2")
{
    const std::string bytes = kit::MakeTrailer(0, 0).Bytes();
    MemorySource source(bytes);
    Trailer read;
    ReadTrailer(source, read);
    CHECK(read.HeaderBlockCount() == 2);
}

TEST_CASE("trailer: found through E in a carrier, also with data after E")
{
    std::string image = kit::CarrierStub() + kit::Block("\x02\x02") + kit::Block("|||||");
    const Trailer t = kit::MakeTrailer(1024);
    image += t.Bytes();
    const std::uint64_t e = image.size();
    kit::SetPackageEnd(image, e);
    const std::string signature = std::string(40, 'S') + kit::U32(9999);  // ends like a trailer length

    for (const std::string& file : {image + signature, image}) {
        MemorySource source(file);
        CHECK(IsExecutableCarrier(source));
        CHECK(PackageEnd(source) == e);
        CHECK(PackageEnd(file.data(), file.size()) == e);
        CHECK(PackageLimit(source) == e);
        Trailer read;
        ReadTrailer(source, read);
        CHECK(read.HasMagic());
        CHECK(read.PayloadStart() == 1024);
    }
}

TEST_CASE("package end: high and low dwords, short images, files")
{
    std::string image = kit::CarrierStub();
    kit::SetPackageEnd(image, 0x0000000200000010ull);
    CHECK(PackageEnd(image.data(), image.size()) == 0x0000000200000010ull);
    CHECK(PackageEnd(image.data(), 255) == 0);  // the low dword is cut off
    CHECK(PackageEnd(image.data(), 0) == 0);

    kit::TempDir dir;
    kit::WriteBytes(dir / "c.exe", image);
    CHECK(PackageEnd(dir / "c.exe") == 0x0000000200000010ull);
    CHECK(IsExecutableCarrier(dir / "c.exe"));
    CHECK(PackageEnd(dir / "missing.exe") == 0);
    CHECK_FALSE(IsExecutableCarrier(dir / "missing.exe"));
}

TEST_CASE("carrier test: MZ at 0 and PE at 256, nothing else")
{
    std::string image = kit::CarrierStub();
    MemorySource good(image);
    CHECK(IsExecutableCarrier(good));
    std::string noPe = image;
    noPe[257] = 'X';
    MemorySource bad(noPe);
    CHECK_FALSE(IsExecutableCarrier(bad));
    const std::string shortImage = image.substr(0, 257);
    MemorySource cut(shortImage);
    CHECK_FALSE(IsExecutableCarrier(cut));
    // Without the carrier marks, E is not consulted: the trailer is read from the file end.
    std::string plain = noPe + kit::MakeTrailer(0).Bytes();
    kit::SetPackageEnd(plain, 10);
    MemorySource p(plain);
    CHECK(PackageLimit(p) == plain.size());
}

TEST_CASE("trailer: shorter and longer lengths")
{
    SUBCASE("a 40-byte trailer fills only its first 36 bytes")
    {
        std::string t(36, '\x07');
        const std::string file = std::string(10, 'a') + t + kit::U32(40);
        MemorySource source(file);
        Trailer read;
        ReadTrailer(source, read);
        CHECK(read.Length() == 40);
        CHECK(read.bytes[35] == 7);
        CHECK(read.bytes[36] == 0);
    }
    SUBCASE("a 100-byte trailer is read from its start, 70 bytes counting")
    {
        Trailer t = kit::MakeTrailer(5);
        std::string bytes = t.Bytes().substr(0, 70) + std::string(26, 'z') + kit::U32(100);
        MemorySource source(bytes);
        Trailer read;
        ReadTrailer(source, read);
        CHECK(read.Length() == 74);
        CHECK(read.HasMagic());
        CHECK(read.PayloadStart() == 5);
    }
}

TEST_CASE("trailer: hostile lengths and ends give an empty record, never a read outside")
{
    struct Case {
        const char* what;
        std::string file;
    };
    std::string carrierBeyond = kit::CarrierStub() + kit::MakeTrailer(0).Bytes();
    kit::SetPackageEnd(carrierBeyond, carrierBeyond.size() + 1);
    std::string carrierTiny = kit::CarrierStub();
    kit::SetPackageEnd(carrierTiny, 3);
    const Case cases[] = {
        {"empty file", ""},
        {"three bytes", "abc"},
        {"length 0", std::string(80, 'x') + kit::U32(0)},
        {"length 3", std::string(80, 'x') + kit::U32(3)},
        {"length beyond the file", std::string(80, 'x') + kit::U32(85)},
        {"length 0xFFFFFFFF", std::string(80, 'x') + kit::U32(0xFFFFFFFF)},
        {"E beyond the file", carrierBeyond},
        {"E below 4", carrierTiny},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        MemorySource source(c.file);
        Trailer read;
        read.SetMagic();
        ReadTrailer(source, read);
        CHECK(read.bytes == Trailer{}.bytes);
    }
}

TEST_CASE("trailer: a missing file reads as zero")
{
    Trailer read;
    read.SetFileCount(5);
    ReadTrailer(std::string("/no/such/file.exe"), read);
    CHECK(read.bytes == Trailer{}.bytes);
}
