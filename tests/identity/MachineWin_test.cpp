// The identity sources on the machine Wine presents, through the real WMI path of Quorix.dll.
// tests/identity/fake_machine.sh runs this program again on a machine with chosen DMI values.
#include <doctest/doctest.h>
#include "IdentityTestSupport.h"
#include "plugin/identity/Identity.h"
#include <string>

using namespace identity_test;

TEST_CASE("the model name comes from WMI and is published for child processes")
{
    SetEnvironmentVariableA("QUORIX_SIMULATION", nullptr);
    Unset("CHASSISMODEL");
    const std::string product = Dmi("product_name");
    if (OnFakeMachine())
        REQUIRE_FALSE(product.empty());
    const std::string expected = product.empty() ? "Wine" : product;  // Wine's placeholder otherwise
    char out[512] = {};
    CHECK(Get_Model_Name(out, true) == 0);
    CHECK(std::string(out) == expected);
    CHECK(ProcessVariable("CHASSISMODEL") == "[" + expected + "]");
    CHECK(ChildSees("CHASSISMODEL") == "[" + expected + "]");
    Unset("CHASSISMODEL");
}
