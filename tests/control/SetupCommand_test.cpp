#include <doctest/doctest.h>

#include "stub/control/SetupCommand.h"

using namespace stub;

TEST_CASE("Run token and the names it gives")
{
    CHECK(RunToken(4711) == "_4711");
    CHECK(CompletionAtomName("_4711") == "AutoUpdateAtomTokenByDrovel_4711");
    CHECK(SetupDialogClassName("_4711") == ".SDialog_Class_Name._4711");
}

TEST_CASE("RemoveSwitch deletes up to the next slash, exact case, the blank before stays")
{
    struct Case {
        const char* in;
        const char* sw;
        const char* out;
    };
    const Case cases[] = {
        {"a.exe /SpanCdLvl=2 /S", "/SpanCdLvl=", "a.exe /S"},
        {"a.exe /S /SpanCdLvl=2", "/SpanCdLvl=", "a.exe /S "},
        {"a.exe /spancdlvl=2 /S", "/SpanCdLvl=", "a.exe /spancdlvl=2 /S"},
        {"a.exe /SpanDiskFName1=\"C:\\x y\\S.exe.001\" /OriginExe=\"C:\\S.exe\"", "/SpanDiskFName1=",
         "a.exe /OriginExe=\"C:\\S.exe\""},
        {"a.exe", "/SpanCdLvl=", "a.exe"},
        {"a.exe /X", "", "a.exe /X"},
    };
    for (const Case& c : cases) {
        const std::string in = c.in;
        CAPTURE(in);
        CHECK(RemoveSwitch(c.in, c.sw) == c.out);
    }
}

TEST_CASE("SizeInMegabytes: decimals by size, negative as 0")
{
    CHECK(SizeInMegabytes(1942229) == "1.85");
    CHECK(SizeInMegabytes(0) == "0.000");
    CHECK(SizeInMegabytes(-1.0) == "0.000");
    CHECK(SizeInMegabytes(524288) == "0.500");
    CHECK(SizeInMegabytes(10 * 1048576.0) == "10.00");
    CHECK(SizeInMegabytes(11 * 1048576.0 + 104858) == "11.1");
    CHECK(SizeInMegabytes(3e12) == "2861022.9");
}

TEST_CASE("SetupCommandLine: folder, program, parameters, token, origin")
{
    SetupLaunch l;
    l.workFolder = "C:\\Temp\\SETUP_123";
    l.setupEntry = "Setup.exe* /S";
    l.parameters = "/L=1031";
    l.token = "_77";
    l.stubPath = "C:\\Down Loads\\Product.exe";
    SUBCASE("stub parameter before the entry's arguments")
    {
        CHECK(SetupCommandLine(l) ==
              "C:\\Temp\\SETUP_123\\Setup.exe /L=1031 /S /TH_ID=_77 /OriginExe=\"C:\\Down Loads\\Product.exe\"");
    }
    SUBCASE("no arguments at all")
    {
        l.setupEntry = "Setup.exe";
        l.parameters = "  ";
        l.workFolder = "C:\\Temp\\SETUP_123\\";
        CHECK(SetupCommandLine(l) == "C:\\Temp\\SETUP_123\\Setup.exe /TH_ID=_77 /OriginExe=\"C:\\Down Loads\\Product.exe\"");
    }
    SUBCASE("a CD-span copy keeps the origin it was given and drops its own switches")
    {
        l.setupEntry = " Setup.exe *";
        l.parameters = "/SpanCdLvl=2 /SpanDiskFName1=\"D:\\P.exe.001\" /OriginExe=\"D:\\P.exe\"";
        CHECK(SetupCommandLine(l) == "C:\\Temp\\SETUP_123\\Setup.exe /OriginExe=\"D:\\P.exe\" /TH_ID=_77");
    }
    SUBCASE("an auto-update program says so")
    {
        l.autoUpdateProgram = true;
        CHECK(SetupCommandLine(l) == "C:\\Temp\\SETUP_123\\Setup.exe /L=1031 /S /TH_ID=_77 /OriginExe=\"C:\\Down "
                                     "Loads\\Product.exe\" /AutoUpdateProg");
    }
}

TEST_CASE("SpaceDialogText: information form on request, warning form when space is short")
{
    const SpaceTexts t{"INFO(<DRIVE>)", "WARN(<DRIVE>)", " need <SPACE_REQ>", " have <SPACE_AVAIL>", " ?"};
    CHECK(SpaceDialogText(t, false, "c:\\temp", 1048576, 2 * 1048576.0) == "");
    CHECK(SpaceDialogText(t, true, "c:\\temp", 1048576, 2 * 1048576.0) == "INFO(C:) need 1.00 have 2.00 ?");
    CHECK(SpaceDialogText(t, true, "c:\\temp", 2 * 1048576.0, 2 * 1048576.0) == "WARN(C:) need 2.00 have 2.00 ?");
    CHECK(SpaceDialogText(t, false, "d:\\", 1048576, -1.0) == "WARN(D:) need 1.00 have 0.000 ?");
    CHECK(SpaceDialogText(t, false, "", 1, 0) == "WARN() need 0.000 have 0.000 ?");
    // The placeholders are replaced in matching case only.
    const SpaceTexts lower{"", "<drive> <DRIVE>", "", "", ""};
    CHECK(SpaceDialogText(lower, false, "e:", 5, 1) == "<drive> E:");
}
