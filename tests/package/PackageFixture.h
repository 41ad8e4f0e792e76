// Test packages made byte by byte: a leading image (a carrier's stub or nothing), header blocks,
// file records (well formed or not), the trailer, the checksum and optional bytes after E.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "stub/package/ByteSource.h"
#include "stub/package/Checksum.h"
#include "stub/package/Trailer.h"

namespace fixture {

inline std::string Deflate(const std::string& content, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(content.data()),
              static_cast<uLong>(content.size()), level);
    out.resize(size);
    return out;
}

// A carrier's stub image: MZ at 0, PE at 256, padded.
inline std::string CarrierImage(std::size_t size = 1024)
{
    std::string image(size, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    image[256] = 'P';
    image[257] = 'E';
    for (std::size_t i = 300; i < size; ++i)
        image[i] = static_cast<char>(i * 13);
    return image;
}

struct Package {
    std::string head;                 // leading bytes
    std::vector<std::string> blocks;  // header blocks (first volume only)
    std::string records;              // record bytes as they follow the blocks
    stub::Trailer trailer;            // fields the test sets; start, count, magic, length filled in
    bool set_end = false;             // write E into the DOS-stub dwords (carriers)
    std::string after;                // bytes after E (a signature)
    bool checksum = true;             // store the computed checksum (else keep the trailer's)

    void Raw(std::int32_t n, const std::string& body)
    {
        stub::AppendU32(records, static_cast<std::uint32_t>(n));
        records += body;
    }
    void Stored(const std::string& header, const std::string& data)
    {
        const std::string content = header + std::string(1, '\0') + data;
        Raw(-static_cast<std::int32_t>(content.size()), content);
    }
    void Deflated(const std::string& header, const std::string& data)
    {
        const std::string body = Deflate(header + std::string(1, '\0') + data);
        Raw(static_cast<std::int32_t>(body.size()), body);
    }

    std::string Build() const
    {
        std::string bytes = head;
        stub::Trailer t = trailer;
        t.SetPayloadStart(static_cast<std::uint32_t>(head.size()));
        if (t.HeaderBlockCount() == 0)
            t.SetHeaderBlockCount(static_cast<std::uint8_t>(blocks.size()));
        if (t.Magic() == 0)
            t.SetMagic();
        t.SetLength();
        for (const std::string& b : blocks) {
            stub::AppendU32(bytes, static_cast<std::uint32_t>(b.size()));
            bytes += b;
        }
        bytes += records;
        const std::size_t trailer_at = bytes.size();
        bytes += t.Bytes();
        if (set_end) {
            stub::PutU32(reinterpret_cast<unsigned char*>(&bytes[248]), 0);
            stub::PutU32(reinterpret_cast<unsigned char*>(&bytes[252]), static_cast<std::uint32_t>(bytes.size()));
        }
        bytes += after;
        if (checksum) {
            stub::MemorySource source(bytes);
            t.SetChecksum(stub::PackageChecksum(source, stub::kTrailerSize));
            bytes.replace(trailer_at, stub::kTrailerSize, t.Bytes());
        }
        return bytes;
    }
};

// A first volume with the two usual header blocks.
inline Package FirstVolume(bool carrier = true)
{
    Package p;
    if (carrier) {
        p.head = CarrierImage();
        p.set_end = true;
    }
    p.blocks = {"\x02\x01" "English\x01Title=Demo\x01\x02", "|http://example.test/au|updates\\MyApp.info|MyAgent.exe|x|0|"};
    return p;
}

} // namespace fixture
