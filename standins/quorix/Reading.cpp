#include "standins/quorix/Reading.h"
#include "standins/quorix/SmbiosTable.h"
#include <cstring>

namespace quorix {

int Deliver(const Reading& reading, char* buffer, int size)
{
    if (!reading.ok || buffer == nullptr || size < 1)
        return 0;
    const std::size_t n = reading.text.size() < std::size_t(size) - 1 ? reading.text.size() : std::size_t(size) - 1;
    std::memcpy(buffer, reading.text.data(), n);
    buffer[n] = '\0';
    return 1;
}

SmbiosField SmbiosFieldFor(int index)
{
    switch (index) {
    case 1: return {true, kSmbiosBaseBoard, kFieldVersion};   // board part number text
    case 2: return {true, kSmbiosEnclosure, kFieldVersion};   // chassis model
    default: return {};                                       // the model name is WMI's alone
    }
}

const WmiProperty* WmiPropertiesFor(int index)
{
    static const WmiProperty model[] = {{"Win32_ComputerSystem", "Model"}, {}};
    static const WmiProperty board[] = {{"Win32_BaseBoard", "PartNumber"}, {"Win32_BaseBoard", "Version"}, {}};
    static const WmiProperty chassis[] = {{"Win32_SystemEnclosure", "Model"}, {"Win32_SystemEnclosure", "Version"}, {}};
    static const WmiProperty none[] = {{}};
    switch (index) {
    case 0: return model;
    case 1: return board;
    case 2: return chassis;
    default: return none;
    }
}

namespace {

std::string_view Trim(std::string_view s)
{
    const char* blanks = " \t\r";
    const auto b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = char(x - 32);
        if (y >= 'a' && y <= 'z') y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        return v.substr(1, v.size() - 2);
    return v;
}

} // namespace

Reading SimulatedReading(std::string_view fileText, Source source, int index)
{
    const std::string_view wanted = source == Source::Wmi ? "WMI" : "SMBIOS";
    const std::string key = std::to_string(index);
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < fileText.size()) {
        auto eol = fileText.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = fileText.size();
        const std::string_view line = Trim(fileText.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos && SameNoCase(Trim(line.substr(1, close - 1)), wanted);
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string_view::npos && Trim(line.substr(0, eq)) == key)
            return Reading{true, std::string(Unquote(Trim(line.substr(eq + 1))))};
    }
    return {};
}

} // namespace quorix
