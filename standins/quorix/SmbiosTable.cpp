#include "standins/quorix/SmbiosTable.h"
#include <cstring>

namespace quorix {

namespace {

constexpr std::size_t kRawHeader = 8;
constexpr std::uint8_t kEndOfTable = 127;

// One structure: its formatted part and its string set, both inside the table.
struct Structure {
    std::size_t start = 0;
    std::size_t formatted = 0;    // length of the formatted part
    std::size_t stringsEnd = 0;   // one past the double zero that ends the string set
};

// The structure at `pos`; false when it does not fit in the table.
bool ReadStructure(TableView t, std::size_t pos, Structure& s)
{
    if (pos > t.size || t.size - pos < 4)
        return false;
    const std::size_t len = t.data[pos + 1];
    if (len < 4 || len > t.size - pos)
        return false;
    // The string set ends with two zero bytes; a structure without strings has just those two.
    std::size_t p = pos + len;
    while (p + 1 < t.size) {
        if (t.data[p] == 0 && t.data[p + 1] == 0) {
            s = Structure{pos, len, p + 2};
            return true;
        }
        ++p;
    }
    return false;
}

// String number `n` (from 1) of a structure's string set.
bool NthString(TableView t, const Structure& s, unsigned n, std::string& out)
{
    std::size_t p = s.start + s.formatted;
    const std::size_t end = s.stringsEnd - 1;  // the second zero of the terminator
    for (unsigned i = 1; p < end; ++i) {
        const char* text = reinterpret_cast<const char*>(t.data + p);
        const std::size_t len = strnlen(text, end - p);
        if (len == 0)
            break;
        if (i == n) {
            out.assign(text, len);
            return true;
        }
        p += len + 1;
    }
    return false;
}

} // namespace

TableView SmbiosStructures(const std::uint8_t* raw, std::size_t rawSize)
{
    if (raw == nullptr || rawSize < kRawHeader)
        return {};
    const std::size_t declared = raw[4] | (raw[5] << 8) | (raw[6] << 16) | (std::size_t(raw[7]) << 24);
    const std::size_t available = rawSize - kRawHeader;
    return TableView{raw + kRawHeader, declared < available ? declared : available};
}

bool SmbiosString(TableView table, std::uint8_t type, std::uint8_t offset, std::string& out)
{
    Structure s;
    for (std::size_t pos = 0; ReadStructure(table, pos, s); pos = s.stringsEnd) {
        const std::uint8_t t = table.data[pos];
        if (t == type) {
            if (offset >= s.formatted)
                return false;
            const unsigned n = table.data[pos + offset];
            if (n == 0) {
                out.clear();
                return true;
            }
            return NthString(table, s, n, out);
        }
        if (t == kEndOfTable)
            break;
    }
    return false;
}

} // namespace quorix
