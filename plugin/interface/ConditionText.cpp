#include "plugin/interface/ConditionText.h"
#include <cstring>

namespace {

constexpr std::size_t kMaxValue = 511;

mirel::KeywordValue FindKeyword(const char* text, const char* keyword)
{
    mirel::KeywordValue result;
    const char* at = std::strstr(text, keyword);
    if (!at)
        return result;
    result.found = true;
    const char* open = std::strchr(at + std::strlen(keyword), '"');
    if (!open)
        return result;
    const char* close = std::strchr(open + 1, '"');
    // A value longer than the 512-byte buffers of the identity tests is refused, not cut.
    if (!close || static_cast<std::size_t>(close - open - 1) > kMaxValue)
        return result;
    result.hasValue = true;
    result.value.assign(open + 1, close);
    return result;
}

} // namespace

namespace mirel {

ConditionText ParseConditionText(const char* text)
{
    ConditionText parsed;
    if (!text)
        return parsed;
    parsed.board = FindKeyword(text, "board");
    parsed.chassis = FindKeyword(text, "chassis");
    return parsed;
}

bool DecideCondition(const char* text, KeywordTest boardTest, KeywordTest chassisTest)
{
    if (!text || !*text)
        return false;
    ConditionText parsed = ParseConditionText(text);
    if (!parsed.board.hasValue && !parsed.chassis.hasValue)
        return false;
    if (parsed.board.found && parsed.chassis.found)
        return boardTest(parsed.board.value) && chassisTest(parsed.chassis.value);
    if (parsed.board.found)
        return boardTest(parsed.board.value);
    return chassisTest(parsed.chassis.value);
}

} // namespace mirel
