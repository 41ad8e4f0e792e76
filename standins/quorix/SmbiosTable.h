// Reading strings out of a raw SMBIOS table. The table comes as the bytes the firmware-table call
// hands out: an 8-byte header (calling method, major and minor version, DMI revision, table
// length) followed by the structures. Every read is bounded by the buffer and by the header's
// length; a malformed structure ends the walk instead of being read past.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorix {

// SMBIOS structure types and the string fields the stand-in reads.
inline constexpr std::uint8_t kSmbiosSystem = 1;
inline constexpr std::uint8_t kSmbiosBaseBoard = 2;
inline constexpr std::uint8_t kSmbiosEnclosure = 3;
inline constexpr std::uint8_t kFieldManufacturer = 0x04;
inline constexpr std::uint8_t kFieldProduct = 0x05;  // system product name, board product
inline constexpr std::uint8_t kFieldVersion = 0x06;
inline constexpr std::uint8_t kFieldSerial = 0x07;
inline constexpr std::uint8_t kFieldAssetTag = 0x08;

// The structures of a raw table, without its 8-byte header; empty when the header is cut short.
struct TableView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
TableView SmbiosStructures(const std::uint8_t* raw, std::size_t rawSize);

// The string that field `offset` of the first structure of `type` refers to. False when there
// is no such structure, the structure is too short for the field, the string number names no
// string, or the table is malformed before the structure is complete. String number 0 (the
// firmware provides no text) gives true with an empty text.
bool SmbiosString(TableView table, std::uint8_t type, std::uint8_t offset, std::string& out);

} // namespace quorix
