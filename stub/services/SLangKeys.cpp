#include "stub/services/SLangKeys.h"

namespace stub {

namespace {

std::string Delimited(char delimiter, const std::string* first, const std::string* items, std::size_t count)
{
    std::string out(1, delimiter);
    if (first)
        out += *first + delimiter;
    for (std::size_t i = 0; i < count; ++i)
        out += items[i] + delimiter;
    return out;
}

} // namespace

std::string BuildLangEntry(const std::string& name, const std::string* items, std::size_t count)
{
    return Delimited(kLangEntryDelimiter, &name, items, count);
}

std::string BuildLangBlock(const std::string* entries, std::size_t count)
{
    return Delimited(kLangBlockDelimiter, nullptr, entries, count);
}

} // namespace stub
