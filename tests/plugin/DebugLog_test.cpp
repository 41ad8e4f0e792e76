#include "plugin/interface/DebugLog.h"
#include "plugin/interface/LogDate.h"
#include <doctest/doctest.h>
#include <cstdio>
#include <string>

namespace {

// Restores the log controls after each test.
struct Controls {
    int debug = DebugLevel, verbose = VerboseLevel;
    bool external = ExternalDebugControl, screen = PrintDebugOnScreen;
    ~Controls()
    {
        CloseDebugFile(2);
        DebugLevel = debug;
        VerboseLevel = verbose;
        ExternalDebugControl = external;
        PrintDebugOnScreen = screen;
    }
};

std::string Contents(FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buffer[256];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, got);
    return text;
}

bool Print(int level, std::string text, FILE* f)
{
    return PrintDebug(level, &text[0], f);
}

} // namespace

TEST_CASE("the log controls start at their documented values")
{
    CHECK(DebugLevel == 6);
    CHECK(VerboseLevel == 6);
    CHECK_FALSE(ExternalDebugControl);
    CHECK_FALSE(PrintDebugOnScreen);
}

TEST_CASE("the banner date is the 24-character English form")
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_wday = 1;
    t.tm_hour = 7;
    t.tm_min = 3;
    t.tm_sec = 9;
    CHECK(mirel::EnglishDateText(t) == "Mon Jan  5 07:03:09 2026");
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_wday = 4;
    t.tm_hour = 23;
    CHECK(mirel::EnglishDateText(t) == "Thu Dec 31 23:03:09 2026");
    CHECK(mirel::EnglishDateText(t).size() == 24);
    t.tm_wday = 9;  // a broken field never reads outside the name tables
    CHECK(mirel::EnglishDateText(t).substr(0, 3) == "???");
}

TEST_CASE("the log path: TEMP, then TMP, then the bare name")
{
    CHECK(mirel::LogFilePath("C:\\Temp", "C:\\Tmp") == "C:\\Temp\\Mirel_DLL.log");
    CHECK(mirel::LogFilePath(nullptr, "C:\\Tmp") == "C:\\Tmp\\Mirel_DLL.log");
    CHECK(mirel::LogFilePath(nullptr, nullptr) == "Mirel_DLL.log");
    CHECK(mirel::LogFilePath(std::string(250, 't').c_str(), nullptr).empty());  // beyond 260 bytes
}

TEST_CASE("PrintDebug into a file: only DebugLevel limits")
{
    Controls keep;
    FILE* f = std::tmpfile();
    REQUIRE(f);
    CHECK(Print(6, "six\n", f));
    CHECK_FALSE(Print(7, "seven\n", f));
    VerboseLevel = 0;  // the screen limit does not apply to the file
    CHECK(Print(1, "one\n", f));
    CHECK_FALSE(Print(1, "no file\n", nullptr));
    DebugLevel = 0;
    CHECK_FALSE(Print(1, "off\n", f));
    CHECK(Contents(f) == "six\none\n");
    std::fclose(f);
}

TEST_CASE("PrintDebug cuts a message at 4095 characters")
{
    Controls keep;
    FILE* f = std::tmpfile();
    REQUIRE(f);
    CHECK(Print(1, std::string(5000, 'm'), f));
    CHECK(Contents(f).size() == 4095);
    std::fclose(f);
}

TEST_CASE("CloseDebugFile modes when nothing is open")
{
    Controls keep;
    CHECK(CloseDebugFile(0) == 1);
    CHECK(CloseDebugFile(1) == 0);
    CHECK(CloseDebugFile(7) == 0);
    ExternalDebugControl = true;
    CHECK(CloseDebugFile(1) == 2);
}

TEST_CASE("PrintDebugFormat formats the module's own messages under the same rules")
{
    Controls keep;
    FILE* f = std::tmpfile();
    REQUIRE(f);
    CHECK(mirel::PrintDebugFormat(5, f, "Abstract IDs '%s' '%s'\n", "D5870", "X1"));
    CHECK_FALSE(mirel::PrintDebugFormat(5, nullptr, "%s\n", "no file, not on screen"));
    CHECK(Contents(f) == "Abstract IDs 'D5870' 'X1'\n");
    std::fclose(f);
}
