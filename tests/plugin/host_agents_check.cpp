// Condition 2 end to end: with the agents product installed in the test prefix (a package built
// by the identity tests), mirel-host's condition answers 1 and the module publishes its version.
#include "PluginProcess.h"
#include <doctest/doctest.h>

using plugintest::RunCaptured;
using plugintest::HostCommand;
using plugintest::Sibling;

namespace {

void Msiexec(const char* action)
{
    RunCaptured("msiexec.exe " + std::string(action) + " \"" + Sibling("identity_agents_first.msi") + "\" /qn");
}

struct Installed {
    Installed() { Msiexec("/i"); }
    ~Installed() { Msiexec("/x"); }
};


} // namespace

TEST_CASE("condition 2 answers 1 and publishes ZARN_VERSION once the agents product is installed")
{
    auto r = RunCaptured(HostCommand("cond 2"));
    REQUIRE(r.finished);
    CHECK(r.exitCode == 1);
    CHECK(r.output.find("ZARN_VERSION=") == std::string::npos);
    {
        Installed agents;
        r = RunCaptured(HostCommand("cond 2"));
        REQUIRE(r.finished);
        CHECK(r.exitCode == 0);
        CHECK(r.output.find("condition 2: 1\r\n") != std::string::npos);
        CHECK(r.output.find("ZARN_VERSION=4.2.1\r\n") != std::string::npos);
    }
    r = RunCaptured(HostCommand("cond 2"));
    CHECK(r.exitCode == 1);
}

TEST_CASE("conditions 3 and 4 on the test prefix: no preinstallation environment, not Windows 2000")
{
    for (const char* n : {"3", "4"}) {
        CAPTURE(n);
        auto r = RunCaptured(HostCommand(std::string("cond ") + n));
        REQUIRE(r.finished);
        CHECK(r.exitCode == 1);
        CHECK(r.output.rfind(std::string("condition ") + n + ": 0\r\n", 0) == 0);
    }
}
