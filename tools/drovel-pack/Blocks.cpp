#include "tools/drovel-pack/Blocks.h"

#include "stub/package/PackageNames.h"
#include "stub/package/StdioFile.h"
#include "stub/package/Token.h"
#include "stub/services/LangDefaults.h"
#include "stub/services/Utils.h"

namespace drovel {

namespace {

constexpr char kEntryDelimiter = '\x01';
constexpr char kBlockDelimiter = '\x02';
constexpr std::size_t kMaxUrl = 2048;
constexpr std::size_t kMaxValue = 10240;

// Checks one item of a `|` list.
bool ListField(const char* what, const std::string& value, std::size_t maxLength, std::string& error)
{
    if (value.find('|') != std::string::npos) {
        error = std::string(what) + " must not contain '|': " + value;
        return false;
    }
    if (value.find('\0') != std::string::npos) {
        error = std::string(what) + " must not contain a NUL byte";
        return false;
    }
    if (value.size() > maxLength) {
        error = std::string(what) + " is longer than " + std::to_string(maxLength) + " characters";
        return false;
    }
    return true;
}

bool TokenField(const char* what, const std::string& token, std::string& scrambled, std::string& error)
{
    scrambled.clear();
    if (token.empty())
        return true;
    if (token.size() > stub::kMaxTokenLength) {
        error = std::string(what) + " is longer than " + std::to_string(stub::kMaxTokenLength) + " bytes";
        return false;
    }
    scrambled = stub::ScrambleToken(token);
    return true;
}

std::string BarList(const std::vector<std::string>& items)
{
    std::string list = "|";
    for (const std::string& item : items)
        list += item + "|";
    return list;
}

std::string StemOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    if (!stub::IsRegularFile(path))
        return false;
    stub::StdioFile file;
    if (!file.Open(path, "rb"))
        return false;
    const std::int64_t size = file.Size();
    if (size < 0)
        return false;
    text.resize(static_cast<std::size_t>(size));
    return file.Read(&text[0], text.size()) == text.size();
}

bool LanguageEntryFromFile(const std::string& path, std::string& entry, std::string& error)
{
    std::string text;
    if (!ReadWholeFile(path, text)) {
        error = "cannot read language file " + path;
        return false;
    }
    if (!LanguageEntryFromText(StemOf(path), text, entry, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool LanguageEntryFromText(const std::string& name, const std::string& text, std::string& entry,
                           std::string& error)
{
    if (name.empty() || name.find_first_of("\x01\x02") != std::string::npos) {
        error = "the language name is empty or holds a delimiter byte";
        return false;
    }
    entry = std::string(1, kEntryDelimiter) + name + kEntryDelimiter;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::string where = "line " + std::to_string(lineNumber);
        if (eq == std::string::npos || eq == 0) {
            error = where + ": expected KEY=value";
            return false;
        }
        if (line.find_first_of(std::string("\x01\x02\0", 3)) != std::string::npos) {
            error = where + ": holds a byte 0x00, 0x01 or 0x02";
            return false;
        }
        if (line.size() > kMaxValue) {
            error = where + ": longer than " + std::to_string(kMaxValue) + " characters";
            return false;
        }
        entry += line + kEntryDelimiter;
    }
    return true;
}

std::string LanguageBlock(const std::vector<std::string>& entries)
{
    std::string block(1, kBlockDelimiter);
    if (entries.empty())
        return block + stub::ShippedEnglishEntry() + kBlockDelimiter;
    for (const std::string& entry : entries)
        block += entry + kBlockDelimiter;
    return block;
}

bool SettingsBlock(const Settings& s, std::string& block, std::string& error)
{
    if (!ListField("the update location", s.updateLocation, kMaxUrl, error) ||
        !ListField("the descriptor file name", s.infoFile, 255, error) ||
        !ListField("the agent name", s.agentName, 255, error))
        return false;
    if (!s.agentName.empty() && !stub::IsPlainFileName(s.agentName)) {
        error = "the agent name is not a plain file name: " + s.agentName;
        return false;
    }
    std::string token;
    if (!TokenField("the token", s.token, token, error))
        return false;
    block = BarList({s.updateLocation, s.infoFile, s.agentName, token, s.hidden ? "1" : "0"});
    return true;
}

bool DownloadBlock(const Download& d, std::string& block, std::string& error)
{
    if (!ListField("the download location", d.location, kMaxUrl, error) ||
        !ListField("the download file name", d.fileName, 255, error))
        return false;
    if (d.size.empty() || d.size.size() > 19 || d.size.find_first_not_of("0123456789") != std::string::npos) {
        error = "the download size must be a decimal number of bytes: " + d.size;
        return false;
    }
    std::string token;
    if (!TokenField("the download token", d.token, token, error))
        return false;
    block = BarList({d.location, d.fileName, d.always ? "1" : "0", token, d.size});
    return true;
}

bool InformText(const std::string& token, const std::string& body, bool scramble,
                std::string& text, std::string& error)
{
    std::string scrambled;
    if (!TokenField("the token", token, scrambled, error))
        return false;
    if (scrambled.empty()) {
        error = "an inform file needs a token";
        return false;
    }
    text = "INFORM|" + scrambled + "|-|-|" + body;
    if (scramble)
        text = stub::ScrambleText(text, true);
    return true;
}

} // namespace drovel
