#include "plugin/interface/FileSteps.h"
#include "TestFiles.h"
#include <doctest/doctest.h>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using plugintest::ReadBytes;
using plugintest::WriteBytes;

std::string Unique(const char* stem)
{
    static int n = 0;
    return std::string("filesteps_") + stem + "_" + std::to_string(++n) + ".txt";
}

} // namespace

TEST_CASE("CopyTextFile copies every line, also lines longer than one 255-character piece")
{
    std::string source = Unique("src"), target = Unique("dst");
    std::string longLine(700, 'x');
    WriteBytes(source, "first\n" + longLine + "\nlast line without end");
    WriteBytes(target, "old content that must disappear entirely");
    REQUIRE(mirel::CopyTextFile(source.c_str(), target.c_str()));
    std::string copied = ReadBytes(target);
#if defined(_WIN32)
    CHECK(copied == "first\r\n" + longLine + "\r\nlast line without end");
#else
    CHECK(copied == "first\n" + longLine + "\nlast line without end");
#endif
    std::remove(source.c_str());
    std::remove(target.c_str());
}

TEST_CASE("CopyTextFile writes nothing when the source cannot be opened")
{
    std::string target = Unique("untouched");
    CHECK_FALSE(mirel::CopyTextFile("no such source file.txt", target.c_str()));
    CHECK_FALSE(std::ifstream(target).good());
}

TEST_CASE("the extraction target: argument, placeholder, or the default in the current directory")
{
    const std::string cwd = "C:\\Work";
    struct Case {
        const char* argument;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "C:\\Work\\gf.par"},
        {"", "C:\\Work\\gf.par"},
        {"<TargetParFilePath>", "C:\\Work\\gf.par"},
        {"\t\"<TargetParFilePath>\"\n", "C:\\Work\\gf.par"},
        {"  \"D:\\Out\\my.par\" ", "D:\\Out\\my.par"},
        {"<TargetReleaseNotesPath>", "<TargetReleaseNotesPath>"},  // another step's placeholder is a name
        {"   ", "C:\\Work\\gf.par"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.argument ? c.argument : "(null)");
        CHECK(mirel::ExtractionTarget(c.argument, "<TargetParFilePath>", cwd, "gf.par") == c.expected);
    }
    std::string tooLong(1024, 'p');
    CHECK(mirel::ExtractionTarget(tooLong.c_str(), "<TargetParFilePath>", cwd, "gf.par").empty());
}

TEST_CASE("CleanedPath refuses texts that do not fit in 1024 bytes")
{
    CHECK(mirel::CleanedPath(std::string(1023, 'a').c_str()).size() == 1023);
    CHECK(mirel::CleanedPath(std::string(1024, 'a').c_str()).empty());
    CHECK(mirel::CleanedPath(nullptr).empty());
}

TEST_CASE("the usage header names the program twice and must fit in 256 bytes")
{
    CHECK(mirel::UsageHeader("Setup.exe", "2.5") == "\n\nSetup.exe V2.5 Usage: Setup.exe [option] ... [option]");
    CHECK(mirel::UsageHeader(std::string(110, 'n').c_str(), "1").size() == 255);
    CHECK(mirel::UsageHeader(std::string(111, 'n').c_str(), "1").empty());
}
