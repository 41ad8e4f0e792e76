// Utils: delimited lists ("|a|b|c|") and keyed lists ("|KEY=value|").
#include "stub/services/Utils.h"

#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

namespace stub {

namespace {

// The items a delimiter follows, in order; text after the last delimiter is not an item.
std::vector<std::string_view> SplitItems(const std::string& list)
{
    std::vector<std::string_view> items;
    if (list.empty())
        return items;
    const char delimiter = list[0];
    std::size_t start = 1;
    for (std::size_t end = list.find(delimiter, start); end != std::string::npos; end = list.find(delimiter, start)) {
        items.emplace_back(list.data() + start, end - start);
        start = end + 1;
    }
    return items;
}

// The first candidate found in no item, else the zero byte.
char ChooseDelimiter(const std::vector<std::string_view>& items)
{
    bool used[256] = {};
    auto mark = [&used](std::string_view text) {
        for (char c : text)
            used[static_cast<unsigned char>(c)] = true;
    };
    for (std::string_view item : items)
        mark(item);
    for (char c : {'|', '^', '!', '~', '@', '#', '$', '&', '*', '\xFF'})
        if (!used[static_cast<unsigned char>(c)])
            return c;
    return '\0';
}

} // namespace

int ListCount(const std::string& list)
{
    if (list.empty() || list.back() != list.front())
        return 0;
    std::size_t count = 0;
    for (std::size_t i = 1; i < list.size(); ++i)
        count += list[i] == list[0];
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

std::string ListItem(const std::string& list, int index, const std::string& def)
{
    if (list.empty() || index < 0)
        return def;
    const char delimiter = list[0];
    std::size_t start = 1;
    for (int i = 0; i < index; ++i) {
        std::size_t end = list.find(delimiter, start);
        if (end == std::string::npos)
            return def;
        start = end + 1;
    }
    std::size_t end = list.find(delimiter, start);
    if (end == std::string::npos || end == start)
        return def;
    return list.substr(start, end - start);
}

std::string ListSetItem(const std::string& list, int index, const std::string& value)
{
    if (index < 0 || index >= kMaxListItems)
        return list;
    const std::string source = list.empty() ? std::string("|") : list;
    std::vector<std::string_view> items = SplitItems(source);
    items.resize(std::max<std::size_t>(static_cast<std::size_t>(ListCount(source)), static_cast<std::size_t>(index) + 1));
    items[static_cast<std::size_t>(index)] = value;
    const char delimiter = ChooseDelimiter(items);
    std::size_t length = 1;
    for (std::string_view item : items)
        length += item.size() + 1;
    std::string out;
    out.reserve(length);
    out.push_back(delimiter);
    for (std::string_view item : items)
        out.append(item.data(), item.size()).push_back(delimiter);
    return out;
}

std::string ListValue(const std::string& list, const std::string& key, const std::string& defaultMissing,
                      const std::string& defaultEmpty)
{
    if (list.size() <= 2 || list.front() != list.back())
        return defaultMissing;
    const std::string delimiter(1, list[0]);
    std::string search = delimiter + key;
    if (!EndsWith("=", search, false))
        search += '=';
    std::string copy = ReplaceAll(ReplaceAll(list, delimiter + " ", delimiter), " =", "=");
    std::size_t at = PosText(search, copy);
    if (at == 0)
        return defaultMissing;
    std::size_t start = at - 1 + search.size();
    std::size_t end = copy.find(delimiter[0], start);
    std::string value = copy.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return value.empty() ? defaultEmpty : value;
}

} // namespace stub
