#include "standins/quorix/MachineWin.h"
#include "standins/quorix/SmbiosTable.h"
#include <windows.h>
#include <vector>

namespace quorix {

namespace {

constexpr DWORD kRsmb = ('R' << 24) | ('S' << 16) | ('M' << 8) | 'B';

std::vector<std::uint8_t> FirmwareTable()
{
    const UINT size = GetSystemFirmwareTable(kRsmb, 0, nullptr, 0);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> raw(size);
    const UINT got = GetSystemFirmwareTable(kRsmb, 0, raw.data(), size);
    raw.resize(got <= size ? got : 0);
    return raw;
}

} // namespace

Reading ReadSmbios(int index)
{
    const SmbiosField field = SmbiosFieldFor(index);
    if (!field.used)
        return {};
    const std::vector<std::uint8_t> raw = FirmwareTable();
    Reading r;
    r.ok = SmbiosString(SmbiosStructures(raw.data(), raw.size()), field.type, field.offset, r.text);
    return r;
}

} // namespace quorix
