// Get_Model_Name over Quorix.dll answering from a simulation file.
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/Identity.h"
#include <cstring>
#include <string>

using namespace identity_test;

namespace {

struct Model {
    Model() { Unset("CHASSISMODEL"); }
    ~Model() { Unset("CHASSISMODEL"); }
    char out[512] = "untouched";
};

std::string WmiModel(const std::string& value)
{
    return "[WMI]\n0=\"" + value + "\"\n";
}

} // namespace

TEST_CASE_FIXTURE(Model, "a model name is copied and, with store, published as CHASSISMODEL")
{
    Simulation sim(WmiModel("PRIMERGY RX2540 M5"));
    CHECK(Get_Model_Name(out, false) == 0);
    CHECK(std::string(out) == "PRIMERGY RX2540 M5");
    CHECK(ProcessVariable("CHASSISMODEL") == "<unset>");
    CHECK(Get_Model_Name(out, true) == 0);
    CHECK(ProcessVariable("CHASSISMODEL") == "[PRIMERGY RX2540 M5]");
    CHECK(ChildSees("CHASSISMODEL") == "[PRIMERGY RX2540 M5]");
}

TEST_CASE_FIXTURE(Model, "missing model names give 4 and publish nothing")
{
    const std::string cases[] = {"", std::string(10, ' '), std::string(30, ' ')};
    for (const auto& value : cases) {
        CAPTURE(value.size());
        Simulation sim(WmiModel(value));
        CHECK(Get_Model_Name(out, true) == 4);
        CHECK(std::string(out) == "untouched");
        CHECK(ProcessVariable("CHASSISMODEL") == "<unset>");
    }
    SUBCASE("31 blanks are a value")
    {
        Simulation sim(WmiModel(std::string(31, ' ')));
        CHECK(Get_Model_Name(out, false) == 0);
    }
}

TEST_CASE_FIXTURE(Model, "a failing WMI reading gives 4; SMBIOS is never asked for the model")
{
    Simulation sim("[SMBIOS]\n0=from SMBIOS\n");
    CHECK(Get_Model_Name(out, true) == 4);
    CHECK(std::string(out) == "untouched");
}

TEST_CASE_FIXTURE(Model, "a model that cannot be published gives 4 with store and 0 without")
{
    const std::string longModel(499, 'M');  // "CHASSISMODEL=" + 499 characters exceeds 511
    Simulation sim(WmiModel(longModel));
    CHECK(Get_Model_Name(out, true) == 4);
    CHECK(std::string(out) == "untouched");
    CHECK(ProcessVariable("CHASSISMODEL") == "<unset>");
    CHECK(Get_Model_Name(out, false) == 0);
    CHECK(std::string(out) == longModel);
}
