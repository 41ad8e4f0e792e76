// libFuzzer target for the text helpers that take outside input: lists from package blocks,
// switches from the command line, scrambled values from fetched files, numbers and paths.
// The first input byte chooses small parameters; the rest is the text.
#include "stub/services/Utils.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
bool OddLeadBytes(unsigned char c) { return c >= 0x81 && (c & 1) != 0; }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace stub;
    if (size == 0)
        return 0;
    const unsigned pick = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string half = text.substr(0, text.size() / 2);
    const int index = static_cast<int>(pick % 16) - 1;

    ListCount(text);
    ListItem(text, index, "d");
    const std::string set = ListSetItem(text, index, half);
    // An item set must read back, unless the items hold all ten delimiter candidates: then the
    // zero byte delimits whether or not an item holds one, and such an item splits.
    if (index >= 0 && set[0] != '\0' && ListItem(set, index, "") != half)
        __builtin_trap();
    ListValue(text, half, "m", "e");

    SwitchIntIn(text, half, 0);
    CommandTailOf(text, half);

    if (ScrambleText(ScrambleWithKey(text, static_cast<unsigned char>(pick)), false) != text)
        __builtin_trap();  // scrambling must round-trip
    ScrambleText(text, false);

    ParseNumber(text, static_cast<int>(pick % 20));
    ParseHex(text);
    std::int64_t v = 0;
    TryParseInt64(text, v);

    const LeadByteTest lead = (pick & 1) ? OddLeadBytes : NoLeadBytes;
    CollapseBackslashes(text, (pick & 2) != 0, lead);
    WithBackslash(text, (pick & 4) != 0, lead);
    StripBackslash(text, lead);
    FolderOf(text, lead);

    Unquote(text, '"', (pick & 8) != 0, (pick & 16) != 0);
    ReplaceAllText(text, half, "x");
    MarkupToPlain(text);
    SplitRegistryPath(text);
    RegistryValueText(pick % 8, text.data(), text.size());
    return 0;
}
