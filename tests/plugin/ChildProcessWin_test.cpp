// Behaviour that ends or writes from a whole process: string2int's range error and the
// on-screen rules of PrintDebug, observed from outside through a child process.
#include "PluginProcess.h"
#include <doctest/doctest.h>

using plugintest::RunCaptured;
using plugintest::Sibling;

namespace {
plugintest::ProcessResult Child(const std::string& args)
{
    return RunCaptured("\"" + Sibling("plugin_child.exe") + "\" " + args);
}
} // namespace

TEST_CASE("string2int: a number out of the 32-bit range ends the process with code 1")
{
    for (const char* args : {"4294967296 10", "0x100000000 16", "99999999999999999999 0"}) {
        CAPTURE(args);
        auto r = Child(std::string("number ") + args);
        REQUIRE(r.finished);
        CHECK(r.exitCode == 1);
        CHECK(r.output.rfind("strtoul", 0) == 0);
    }
}

TEST_CASE("string2int: the largest 32-bit number does not end the process")
{
    auto r = Child("number 4294967295 10");
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    CHECK(r.output.rfind("-1", 0) == 0);  // the standard output is in text mode: CR LF
}

TEST_CASE("PrintDebug on screen: only VerboseLevel limits, and the text goes to stderr")
{
    // Default VerboseLevel 6: level 6 is written, 7 is not.
    auto r = Child("screen 6 1 6 7");
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    CHECK(r.output.find("level 1\r\n") != std::string::npos);
    CHECK(r.output.find("level 6\r\n") != std::string::npos);
    CHECK(r.output.find("level 7") == std::string::npos);
    CHECK(r.output.find("110") != std::string::npos);

    r = Child("screen 0 1");
    CHECK(r.output == "0");
}
