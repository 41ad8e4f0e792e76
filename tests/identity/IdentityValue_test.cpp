#include <doctest/doctest.h>
#include "plugin/identity/IdentityValue.h"
#include <cstring>
#include <string>

using namespace mirel;

TEST_CASE("missing values: empty, or at most 30 blanks")
{
    struct {
        std::string text;
        bool missing;
    } cases[] = {
        {"", true},
        {" ", true},
        {std::string(10, ' '), true},
        {std::string(30, ' '), true},
        {std::string(31, ' '), false},
        {"D5870", false},
        {"  x  ", false},
        {"\t", false},  // only the blank counts
    };
    for (const auto& c : cases) {
        CAPTURE(c.text.size());
        CHECK(IsMissingValue(c.text.c_str()) == c.missing);
    }
    CHECK(IsMissingValue(nullptr));
}

TEST_CASE("stored board values split at the first \"==\"")
{
    struct {
        const char* stored;
        const char* board;
        const char* sachnummer;
    } cases[] = {
        {"D5870 == A10000-D5870-B10", "D5870 ", " A10000-D5870-B10"},
        {"D5870", "D5870", "D5870"},
        {"D5870==A==B", "D5870", "A==B"},
        {"==", "", ""},
        {"D5870 ==", "D5870 ", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.stored);
        const StoredBoard parts = SplitStoredBoard(c.stored);
        CHECK(parts.board == c.board);
        CHECK(parts.sachnummer == c.sachnummer);
    }
    CHECK(SplitStoredBoard(nullptr).board.empty());
}

TEST_CASE("NAME=value for the environment fits in 511 characters")
{
    std::string out;
    CHECK(ComposeAssignment("SACHNUMMER", " A10000-D5870-B10", out));
    CHECK(out == "SACHNUMMER= A10000-D5870-B10");
    CHECK(ComposeAssignment("CHASSISID", std::string(501, 'x').c_str(), out));  // 10 + 501 = 511
    CHECK(out.size() == 511);
    CHECK_FALSE(ComposeAssignment("CHASSISID", std::string(502, 'x').c_str(), out));
    CHECK(ComposeAssignment("CHASSISID", nullptr, out));
    CHECK(out == "CHASSISID=");
    SUBCASE("a name that could not be set is refused")
    {
        CHECK_FALSE(ComposeAssignment("", "x", out));
        CHECK_FALSE(ComposeAssignment(nullptr, "x", out));
        CHECK_FALSE(ComposeAssignment("A=B", "x", out));
    }
}

TEST_CASE("bounded copies always end in a zero")
{
    char buf[6];
    std::memset(buf, 'x', sizeof buf);
    CopyBounded(buf, sizeof buf, "abc");
    CHECK(std::strcmp(buf, "abc") == 0);
    CopyBounded(buf, sizeof buf, "abcdefgh");
    CHECK(std::strcmp(buf, "abcde") == 0);
    CopyBounded(buf, sizeof buf, nullptr);
    CHECK(buf[0] == '\0');
    CopyBounded(buf, 0, "abc");  // no room: nothing written
    CHECK(buf[0] == '\0');
    CopyBounded(nullptr, 8, "abc");
}
