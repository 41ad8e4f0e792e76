#include "plugin/interface/ConditionText.h"
#include <doctest/doctest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

bool BoardPasses(const std::string& v)
{
    calls.push_back("board:" + v);
    return v == "D58";
}
bool ChassisPasses(const std::string& v)
{
    calls.push_back("chassis:" + v);
    return v == "CH100";
}

bool Decide(const char* text)
{
    calls.clear();
    return mirel::DecideCondition(text, BoardPasses, ChassisPasses);
}

} // namespace

TEST_CASE("keyword values are the text between the two double quotes that follow the keyword")
{
    auto p = mirel::ParseConditionText("board \"D5870\" chassis \"CH100 S2\"");
    CHECK(p.board.found);
    CHECK(p.board.hasValue);
    CHECK(p.board.value == "D5870");
    CHECK(p.chassis.value == "CH100 S2");

    p = mirel::ParseConditionText("board D5870");
    CHECK(p.board.found);
    CHECK_FALSE(p.board.hasValue);

    p = mirel::ParseConditionText("Board \"D5870\"");  // keywords are lower case
    CHECK_FALSE(p.board.found);

    p = mirel::ParseConditionText("board \"D5870");
    CHECK_FALSE(p.board.hasValue);

    p = mirel::ParseConditionText("board \"\"");
    CHECK(p.board.hasValue);
    CHECK(p.board.value.empty());
}

TEST_CASE("a value longer than 511 characters is refused")
{
    std::string text = "board \"" + std::string(511, 'D') + "\"";
    CHECK(mirel::ParseConditionText(text.c_str()).board.hasValue);
    text = "board \"" + std::string(512, 'D') + "\"";
    CHECK_FALSE(mirel::ParseConditionText(text.c_str()).board.hasValue);
}

TEST_CASE("texts without a quoted value answer no and test nothing")
{
    for (const char* text : {(const char*)nullptr, "", "board D58", "chassis CH100", "no keywords \"D58\"",
                             "board D58 chassis"}) {
        CAPTURE(text ? text : "(null)");
        CHECK_FALSE(Decide(text));
        CHECK(calls.empty());
    }
}

TEST_CASE("with both keywords the board decides first and the chassis only after it passed")
{
    CHECK(Decide("board \"D58\" chassis \"CH100\""));
    CHECK(calls == std::vector<std::string>{"board:D58", "chassis:CH100"});

    CHECK_FALSE(Decide("chassis \"CH100\" board \"D99\""));
    CHECK(calls == std::vector<std::string>{"board:D99"});

    // A board keyword without quotes of its own takes the next quoted text in the line.
    CHECK_FALSE(Decide("board chassis \"CH100\""));
    CHECK(calls == std::vector<std::string>{"board:CH100"});
    // With no quotes after it at all, it still takes part, with an empty value.
    CHECK_FALSE(Decide("chassis \"CH100\" board"));
    CHECK(calls == std::vector<std::string>{"board:"});
}

TEST_CASE("with one keyword its own test decides")
{
    CHECK(Decide("board \"D58\""));
    CHECK(calls == std::vector<std::string>{"board:D58"});
    CHECK(Decide("chassis \"CH100\""));
    CHECK(calls == std::vector<std::string>{"chassis:CH100"});
    CHECK_FALSE(Decide("chassis \"CH10\""));
}
