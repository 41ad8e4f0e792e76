#include <doctest/doctest.h>
#include "standins/quorix/SmbiosTable.h"
#include <cstdint>
#include <string>
#include <vector>

using namespace quorix;
using Bytes = std::vector<std::uint8_t>;

namespace {

// One structure: type, formatted part (after the 4-byte header) and its strings.
Bytes Structure(std::uint8_t type, const Bytes& fields, const std::vector<std::string>& strings)
{
    Bytes s{type, std::uint8_t(4 + fields.size()), 0x00, 0x01};
    for (std::uint8_t f : fields)
        s.push_back(f);
    for (const auto& t : strings) {
        for (char c : t)
            s.push_back(std::uint8_t(c));
        s.push_back(0);
    }
    if (strings.empty())
        s.push_back(0);
    s.push_back(0);
    return s;
}

// The firmware-table form: 8-byte header with the structures' length, then the structures.
Bytes Raw(const std::vector<Bytes>& structures, long declared = -1)
{
    std::size_t bodySize = 0;
    for (const auto& s : structures)
        bodySize += s.size();
    const std::uint32_t len = declared < 0 ? std::uint32_t(bodySize) : std::uint32_t(declared);
    Bytes raw{0, 2, 4, 0, std::uint8_t(len), std::uint8_t(len >> 8), std::uint8_t(len >> 16), std::uint8_t(len >> 24)};
    for (const auto& s : structures)
        for (std::uint8_t b : s)
            raw.push_back(b);
    return raw;
}

// Board: manufacturer 1, product 2, version 3, serial 0 (none), asset tag 4.
Bytes Board() { return Structure(kSmbiosBaseBoard, {1, 2, 3, 0, 4}, {"Kelvane", "D5870", "A10000-D5870-B10 GS 01", "tag"}); }
// Chassis: manufacturer 1, type 0x17, version 2.
Bytes Chassis() { return Structure(kSmbiosEnclosure, {1, 0x17, 2, 0, 0}, {"Kelvane", "CH100 S2"}); }
Bytes EndOfTable() { return Structure(127, {}, {}); }

std::string Read(const Bytes& raw, std::uint8_t type, std::uint8_t field, bool expectFound = true)
{
    std::string out = "untouched";
    CHECK(SmbiosString(SmbiosStructures(raw.data(), raw.size()), type, field, out) == expectFound);
    return out;
}

} // namespace

TEST_CASE("board and chassis strings of a well-formed table")
{
    const Bytes raw = Raw({Structure(0, {1, 2}, {"BIOS vendor", "1.0"}), Board(), Chassis(), EndOfTable()});
    CHECK(Read(raw, kSmbiosBaseBoard, kFieldVersion) == "A10000-D5870-B10 GS 01");
    CHECK(Read(raw, kSmbiosBaseBoard, kFieldProduct) == "D5870");
    CHECK(Read(raw, kSmbiosBaseBoard, kFieldAssetTag) == "tag");
    CHECK(Read(raw, kSmbiosEnclosure, kFieldVersion) == "CH100 S2");
    SUBCASE("string number 0 means the firmware gives no text")
    {
        CHECK(Read(raw, kSmbiosBaseBoard, kFieldSerial) == "");
    }
    SUBCASE("a type that is not in the table, or one after the end marker, is not found")
    {
        Read(raw, kSmbiosSystem, kFieldProduct, false);
        const Bytes ended = Raw({EndOfTable(), Board()});
        Read(ended, kSmbiosBaseBoard, kFieldVersion, false);
    }
    SUBCASE("a field beyond the structure's formatted length is not found")
    {
        Read(raw, kSmbiosEnclosure, 0x20, false);
    }
}

TEST_CASE("empty strings from an empty host: every string set is just the double zero")
{
    const Bytes raw = Raw({Structure(kSmbiosBaseBoard, {0, 0, 0, 0, 0}, {}), Structure(kSmbiosEnclosure, {0, 1, 0}, {})});
    CHECK(Read(raw, kSmbiosBaseBoard, kFieldVersion) == "");
    CHECK(Read(raw, kSmbiosEnclosure, kFieldVersion) == "");
}

TEST_CASE("malformed tables end the walk without reading past the buffer")
{
    const Bytes good = Raw({Board(), Chassis()});
    SUBCASE("a string number past the string set")
    {
        const Bytes raw = Raw({Structure(kSmbiosBaseBoard, {1, 2, 7}, {"a", "b"})});
        Read(raw, kSmbiosBaseBoard, kFieldVersion, false);
    }
    SUBCASE("a structure length below the 4-byte header")
    {
        Bytes raw = good;
        raw[8 + 1] = 3;
        Read(raw, kSmbiosEnclosure, kFieldVersion, false);
    }
    SUBCASE("a structure length past the end of the table")
    {
        Bytes raw = good;
        raw[8 + 1] = 0xFF;
        Read(raw, kSmbiosBaseBoard, kFieldVersion, false);
    }
    SUBCASE("a string set without its double zero, at every cut")
    {
        for (std::size_t cut = 0; cut < good.size(); ++cut) {
            // A fresh heap copy of exactly `cut` bytes: ASan reports any read past it.
            std::vector<std::uint8_t> part(good.begin(), good.begin() + cut);
            part.shrink_to_fit();
            std::string out;
            const TableView t = SmbiosStructures(part.data(), part.size());
            CHECK(t.size <= (cut >= 8 ? cut - 8 : 0));
            SmbiosString(t, kSmbiosEnclosure, kFieldVersion, out);
            SmbiosString(t, kSmbiosBaseBoard, kFieldAssetTag, out);
        }
    }
    SUBCASE("a declared length larger than the buffer is cut to the buffer")
    {
        const Bytes raw = Raw({Board()}, 100000);
        CHECK(SmbiosStructures(raw.data(), raw.size()).size == raw.size() - 8);
        CHECK(Read(raw, kSmbiosBaseBoard, kFieldVersion) == "A10000-D5870-B10 GS 01");
    }
    SUBCASE("a declared length shorter than the data hides the structures behind it")
    {
        const Bytes raw = Raw({Board(), Chassis()}, long(Board().size()));
        Read(raw, kSmbiosEnclosure, kFieldVersion, false);
        CHECK(Read(raw, kSmbiosBaseBoard, kFieldVersion) == "A10000-D5870-B10 GS 01");
    }
    SUBCASE("no header")
    {
        CHECK(SmbiosStructures(nullptr, 0).size == 0);
        CHECK(SmbiosStructures(good.data(), 7).size == 0);
    }
}
