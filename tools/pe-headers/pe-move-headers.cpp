// pe-move-headers IMAGE OFFSET: moves the NT headers and the section table of a PE32 or PE32+
// image to OFFSET and points e_lfanew at them. The stub needs its PE header at 256 so that the
// DOS-stub dwords at 248 and 252 are free for the package end. The bytes the headers leave are
// zeroed; SizeOfHeaders grows when needed but never into the first section's raw data; nothing
// else changes. An image whose headers are already there is left as it is. A host program,
// built with the host compiler for the cross builds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<unsigned char>& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }
void PutU32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

int Fail(const std::string& why)
{
    std::fprintf(stderr, "pe-move-headers: %s\n", why.c_str());
    return 1;
}

// Moves the headers in memory; an empty text on success, else the reason.
std::string MoveHeaders(std::vector<unsigned char>& image, std::uint32_t target)
{
    if (image.size() < 64 || image[0] != 'M' || image[1] != 'Z')
        return "not an MZ image";
    const std::uint32_t from = U32(image, 0x3C);
    if (from < 64 || from + 24 > image.size() || U32(image, from) != 0x00004550)
        return "no PE signature where e_lfanew points";
    const std::uint16_t sections = U16(image, from + 6);
    const std::uint16_t optional_size = U16(image, from + 20);
    const std::size_t optional = from + 24;
    if (optional + optional_size > image.size() || optional_size < 64)
        return "optional header cut short";
    const std::uint16_t magic = U16(image, optional);
    if (magic != 0x10B && magic != 0x20B)
        return "neither PE32 nor PE32+";
    const std::size_t table = optional + optional_size;
    const std::size_t length = 24 + optional_size + 40u * sections;
    if (from + length > image.size())
        return "section table cut short";
    std::uint32_t first_raw = UINT32_MAX;
    for (std::uint16_t i = 0; i < sections; ++i) {
        const std::uint32_t raw = U32(image, table + 40u * i + 20), raw_size = U32(image, table + 40u * i + 16);
        if (raw_size > 0)
            first_raw = std::min(first_raw, raw);
    }
    if (target == from)
        return {};
    if (target < 64 || target + length > first_raw || target + length > image.size())
        return "no room for the headers at the new offset before the first section";
    const std::vector<unsigned char> block(image.begin() + from, image.begin() + from + length);
    std::fill(image.begin() + from, image.begin() + from + length, 0);
    std::copy(block.begin(), block.end(), image.begin() + target);
    PutU32(image, 0x3C, target);
    const std::size_t size_of_headers_at = target + 24 + 60;  // same place in PE32 and PE32+
    const std::uint32_t alignment = std::max<std::uint32_t>(U32(image, target + 24 + 36), 1);
    if (U32(image, size_of_headers_at) < target + length) {
        const std::uint32_t grown = (static_cast<std::uint32_t>(target + length) + alignment - 1) / alignment * alignment;
        if (grown > first_raw)
            return "SizeOfHeaders would reach into the first section";
        PutU32(image, size_of_headers_at, grown);
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: pe-move-headers IMAGE OFFSET");
    const std::string path = argv[1];
    const auto target = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 0));
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return Fail("cannot open " + path);
    std::vector<unsigned char> image;
    unsigned char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        image.insert(image.end(), buffer, buffer + n);
    std::fclose(in);
    const std::string error = MoveHeaders(image, target);
    if (!error.empty())
        return Fail(path + ": " + error);
    const std::string temp = path + ".moving";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out)
        return Fail("cannot write " + temp);
    const bool written = std::fwrite(image.data(), 1, image.size(), out) == image.size();
    if (std::fclose(out) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return Fail("cannot replace " + path);
    }
    return 0;
}
