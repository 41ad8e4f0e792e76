// mirel-host as an administrator runs it: a console program that loads Mirel_DLL.dll, binds
// its entry points by name and prints the answer.
#include "PluginProcess.h"
#include <doctest/doctest.h>

using plugintest::AsConsoleShows;
using plugintest::RunCaptured;
using plugintest::RunInConsole;
using plugintest::HostCommand;

TEST_CASE("Display String writes the text unchanged to the console and titles it")
{
    auto r = RunInConsole(HostCommand("exec 4 \"Hello from the package\tand a tab\""));
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    // No line end is added; the host's own result line is lost with the released console.
    CHECK(r.output == AsConsoleShows("Hello from the package\tand a tab"));
    CHECK(r.title == "Rellum Usage");
}

TEST_CASE("Show Help prints the usage text")
{
    auto r = RunInConsole(HostCommand("exec 5 Setup.exe 2.5"));
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    const std::string expected =
        "\n\n\n\nSetup.exe V2.5 Usage: Setup.exe [option] ... [option]"
        "\n\nPossible options:"
        "\n\n/silent\tThe Setup program will run without intervention of the user."
        "\n/hide\tThe Setup program will run completely in the background, presenting no dialog during the process."
        "\n/InstallDir=\"Destination Directory\"\tDefine the default Destination directory for the setup."
        "\n/[Extract]=yes/no\t\tExtract data into destination directory."
        "\n/[NoSystemCheck]=yes/no\tNo system check will be executed."
        "\n/[Update]=yes/no\t\tUpdate."
        "\n/[Force]=yes/no\t\tForce installation (default)."
        "\n\nExample:\tSetup.exe\t/silent\t/hide\t/[Update]=yes"
        "\n\n\n";
    CHECK(r.output == AsConsoleShows(expected));
}

TEST_CASE("a step started without a console of its own writes to the parent's console")
{
    auto r = RunInConsole(HostCommand("exec 5 Setup.exe 2.5"), true);
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    CHECK(r.output.find("Setup.exe V2.5 Usage: Setup.exe [option] ... [option]") != std::string::npos);

    r = RunInConsole(HostCommand("exec 4 \"to the parent\""), true);
    CHECK(r.exitCode == 0);
    CHECK(r.output == AsConsoleShows("to the parent"));
}

TEST_CASE("Show Help with an empty version prints nothing and is refused")
{
    auto r = RunInConsole(HostCommand("exec 5 Setup.exe \"\""));
    REQUIRE(r.finished);
    CHECK(r.exitCode == 1);
    CHECK(r.output == AsConsoleShows("execution 5: 0\n"));
}

TEST_CASE("version, list and the exit code of a condition")
{
    auto r = RunCaptured(HostCommand("version"));
    REQUIRE(r.finished);
    CHECK(r.exitCode == 0);
    CHECK(r.output == "10602\r\n");

    r = RunCaptured(HostCommand("list"));
    CHECK(r.exitCode == 0);
    for (const char* line : {"condition 0: Valid System ?", "condition 1: Chassis and/or D-Number found ?",
                             "condition 4: Is Win2000 OS ?", "execution 0: Extract File",
                             "execution 3: Extract rel_note.txt File", "execution 5: Show Help"}) {
        CAPTURE(line);
        CHECK(r.output.find(std::string(line) + "\r\n") != std::string::npos);
    }

    r = RunCaptured(HostCommand("cond 0 \"board D5870\""));
    CHECK(r.exitCode == 1);
    CHECK(r.output.rfind("condition 0: 0\r\n", 0) == 0);
}

TEST_CASE("the host publishes what the module set in its environment")
{
    auto r = RunCaptured("cmd /c set CHASSISID=CH100 && " + HostCommand("cond 3"));
    REQUIRE(r.finished);
    CHECK(r.output.find("CHASSISID=CH100") != std::string::npos);
}

TEST_CASE("usage errors and a missing module")
{
    for (const char* args : {"", "cond", "cond 5", "exec 6 a b", "exec -1", "cond x", "unknown"}) {
        CAPTURE(args);
        auto r = RunCaptured(HostCommand(args));
        REQUIRE(r.finished);
        CHECK(r.exitCode == 2);
    }
    auto r = RunCaptured(HostCommand("--dll C:\\nowhere\\Mirel_DLL.dll version"));
    CHECK(r.exitCode == 2);
    CHECK(r.output.find("cannot load") != std::string::npos);
}
