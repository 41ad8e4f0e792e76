// mirel-host as an administrator runs it: a console program that loads Mirel_DLL.dll.
#include "PluginProcess.h"
#include <doctest/doctest.h>

using plugintest::RunCaptured;
using plugintest::RunInConsole;
using plugintest::Sibling;

namespace {
std::string Host(const std::string& args)
{
    return "\"" + Sibling("mirel-host.exe") + "\" " + args;
}
} // namespace

TEST_CASE("Display String writes the text unchanged to the console")
{
    auto r = RunInConsole(Host("exec 4 \"Hello from the package\""));
    MESSAGE(r.output);
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    CHECK(r.output.find("Hello from the package") != std::string::npos);
}

TEST_CASE("Show Help prints the usage text")
{
    auto r = RunInConsole(Host("exec 5 Setup.exe 2.5"));
    MESSAGE(r.output);
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
}
