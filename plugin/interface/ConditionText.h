// The text of conditions 0 and 1: the keywords `board` and `chassis`, each with an optional
// value in double quotes, and the order in which their tests decide.
#pragma once
#include <string>

namespace mirel {

struct KeywordValue {
    bool found = false;     // the keyword occurs in the text
    bool hasValue = false;  // two double quotes follow it (value at most 511 characters)
    std::string value;
};

struct ConditionText {
    KeywordValue board;
    KeywordValue chassis;
};

ConditionText ParseConditionText(const char* text);

// One test per keyword; it gets the keyword's value (empty when it has none).
using KeywordTest = bool (*)(const std::string& value);

// Null or empty text, or no keyword with a value: false. Both keywords: the board test, and the
// chassis test only when the board passed. Otherwise the one keyword's test decides.
bool DecideCondition(const char* text, KeywordTest boardTest, KeywordTest chassisTest);

} // namespace mirel
