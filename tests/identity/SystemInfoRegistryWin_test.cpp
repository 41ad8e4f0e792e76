// Get_System_Info_REGISTRY over values stored in the test prefix, and what it publishes.
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/Identity.h"
#include <cstring>
#include <string>

using namespace identity_test;

namespace {

struct Stored : CleanCorvane {
    Stored()
    {
        Unset("SACHNUMMER");
        Unset("CHASSISID");
    }
    ~Stored()
    {
        Unset("SACHNUMMER");
        Unset("CHASSISID");
    }
    char out[512] = {};
    bool fromRegistry = false;
    bool Get(const char* name, bool store)
    {
        std::string n = name;
        return Get_System_Info_REGISTRY(&n[0], out, store, &fromRegistry);
    }
};

} // namespace

TEST_CASE_FIXTURE(Stored, "a stored board with \" == \" gives the board text and publishes the part number")
{
    REQUIRE(SetRawText("systemBoard", "D5870 == A10000-D5870-B10"));
    CHECK(Get("systemBoard", true));
    CHECK(std::string(out) == "D5870 ");
    CHECK(fromRegistry);
    CHECK(ProcessVariable("SACHNUMMER") == "[ A10000-D5870-B10]");
    CHECK(std::string(getenv("SACHNUMMER")) == " A10000-D5870-B10");
    CHECK(ChildSees("SACHNUMMER") == "[ A10000-D5870-B10]");
    CHECK(ProcessVariable("CHASSISID") == "<unset>");
}

TEST_CASE_FIXTURE(Stored, "without store nothing is published")
{
    REQUIRE(SetRawText("systemBoard", "D5870 == A10000-D5870-B10"));
    CHECK(Get("systemBoard", false));
    CHECK(std::string(out) == "D5870 ");
    CHECK(ProcessVariable("SACHNUMMER") == "<unset>");
    CHECK(ChildSees("SACHNUMMER") == "<unset>");
}

TEST_CASE_FIXTURE(Stored, "a board value without \"==\" is the board text and the part number")
{
    REQUIRE(SetRawText("systemBoard", "D5870"));
    CHECK(Get("systemBoard", true));
    CHECK(std::string(out) == "D5870");
    CHECK(ProcessVariable("SACHNUMMER") == "[D5870]");
}

TEST_CASE_FIXTURE(Stored, "any other value is published as the chassis ID")
{
    REQUIRE(SetRawText("Chassis", "CH100 S2"));
    CHECK(Get("Chassis", true));
    CHECK(std::string(out) == "CH100 S2");
    CHECK(ProcessVariable("CHASSISID") == "[CH100 S2]");
    CHECK(ChildSees("CHASSISID") == "[CH100 S2]");
    CHECK(ProcessVariable("SACHNUMMER") == "<unset>");
}

TEST_CASE_FIXTURE(Stored, "a value that exists but is blank still counts as coming from the registry")
{
    REQUIRE(SetRawText("Chassis", std::string(10, ' ')));
    CHECK(Get("Chassis", false));
    CHECK(fromRegistry);
    CHECK(std::string(out) == std::string(10, ' '));
}

TEST_CASE_FIXTURE(Stored, "absent values, other letter case and missing arguments give false")
{
    CHECK_FALSE(Get("systemBoard", true));  // no key at all
    REQUIRE(SetRawText("SystemBoard", "D5870 == A10000-D5870-B10"));
    CHECK_FALSE(Get("systemBoard", true));
    CHECK_FALSE(fromRegistry);
    CHECK(out[0] == '\0');
    CHECK(ProcessVariable("SACHNUMMER") == "<unset>");
    char name[] = "SystemBoard";
    CHECK_FALSE(Get_System_Info_REGISTRY(name, nullptr, true, &fromRegistry));
    CHECK_FALSE(Get_System_Info_REGISTRY(nullptr, out, true, &fromRegistry));
    CHECK(Get_System_Info_REGISTRY(name, out, false, nullptr));  // no flag to set: still read
}
