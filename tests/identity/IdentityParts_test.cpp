// The small decisions of the identity sources: the agents product search, Quorix readings and
// the place of the Corvane key.
#include <doctest/doctest.h>
#include "plugin/identity/CorvanePlace.h"
#include "plugin/identity/QuorixRead.h"
#include "plugin/identity/UpgradeCodes.h"
#include "plugin/interface/ResultCodes.h"
#include <cstring>
#include <string>
#include <vector>

using namespace mirel;

TEST_CASE("the agents product search over the upgrade codes")
{
    const std::string first = "{3A7B2E90-C4D1-4E6F-8A25-0B9C7D6E1F30}";
    const std::string second = "{9D2C8B41-7E6A-4F03-B1C8-5A4E3F2D6C17}";
    struct {
        int firstResult, secondResult;
        int answer;
        std::size_t asked;
    } cases[] = {
        {RET_OK, RET_OK, 1, 1},
        {RET_NOVERSION, RET_OK, 1, 1},
        {RET_NOTINSTALLED, RET_OK, 1, 2},
        {RET_NOTINSTALLED, RET_NOVERSION, 1, 2},
        {RET_NOTINSTALLED, RET_NOTINSTALLED, 0, 2},
        {RET_FATAL_ERROR, RET_NOTINSTALLED, 0, 2},   // a version that cannot be published goes on
        {RET_FATAL_ERROR, RET_OK, 1, 2},
        {RET_BADCALL, RET_OK, 0, 1},                 // 3 stops the search
        {RET_NOTINSTALLED, RET_BADCALL, 0, 2},
    };
    for (const auto& c : cases) {
        CAPTURE(c.firstResult);
        CAPTURE(c.secondResult);
        std::vector<std::string> asked;
        const int answer = SearchAgentsProduct([&](const char* code) {
            asked.push_back(code);
            return asked.size() == 1 ? c.firstResult : c.secondResult;
        });
        CHECK(answer == c.answer);
        REQUIRE(asked.size() == c.asked);
        CHECK(asked[0] == first);
        if (asked.size() > 1)
            CHECK(asked[1] == second);
    }
}

namespace {
int g_calls = 0;
int g_lastSize = 0;
int Succeeds(int index, char* buffer, int size)
{
    ++g_calls;
    g_lastSize = size;
    CHECK(buffer[0] == '\0');  // the buffer arrives zeroed
    std::strcpy(buffer, index == 1 ? "A10000-D5870-B10" : "");
    return 7;
}
int Fails(int, char* buffer, int)
{
    std::strcpy(buffer, "left behind");
    return 0;
}
int FillsEverything(int, char* buffer, int size)
{
    std::memset(buffer, 'z', std::size_t(size));
    return 1;
}
} // namespace

TEST_CASE("Quorix readings: a text only when the call succeeds, never longer than 511")
{
    std::string text = "before";
    CHECK(ReadQuorix(Succeeds, 1, text));
    CHECK(text == "A10000-D5870-B10");
    CHECK(g_lastSize == 512);
    CHECK(ReadQuorix(Succeeds, 2, text));
    CHECK(text.empty());
    text = "before";
    CHECK_FALSE(ReadQuorix(Fails, 1, text));
    CHECK(text == "before");
    CHECK(ReadQuorix(FillsEverything, 1, text));
    CHECK(text == std::string(511, 'z'));
    CHECK_FALSE(ReadQuorix(nullptr, 1, text));
}

TEST_CASE("the Corvane key by architecture")
{
    const CorvanePlace x64 = CorvanePlaceFor(false, true);
    CHECK(x64.usable);
    CHECK(std::string(x64.path) == "SOFTWARE\\Wow6432Node\\Kelvane Troburg\\Corvane");
    CHECK(x64.access == 0xF023F);
    const CorvanePlace x86 = CorvanePlaceFor(true, false);
    CHECK(x86.usable);
    CHECK(std::string(x86.path) == "SOFTWARE\\Kelvane Troburg\\Corvane");
    CHECK(x86.access == 0xF003F);
    CHECK_FALSE(CorvanePlaceFor(false, false).usable);  // IA64 or not determined
    CHECK(CorvaneRefusal(CorvaneOp::Exists) == 1010);
    CHECK(CorvaneRefusal(CorvaneOp::Read) == 1012);
    CHECK(CorvaneRefusal(CorvaneOp::Write) == 1013);
}
