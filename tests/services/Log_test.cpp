#include <doctest/doctest.h>
#include "stub/services/Log.h"

using namespace stub;

TEST_CASE("log file names")
{
    struct Case {
        const char* exe;
        const char* log;
    };
    for (const Case& c : {Case{"C:\\Temp\\Setup.exe", "C:\\Temp\\X_Setup.log"},
                          Case{"C:\\Temp\\X_Setup.exe", "C:\\Temp\\X_Setup.log"},
                          Case{"C:\\Temp\\x_setup.exe", "C:\\Temp\\X_x_setup.log"},  // the prefix test respects case
                          Case{"C:\\a.b\\Agent.v2.exe", "C:\\a.b\\X_Agent.v2.log"},
                          Case{"C:\\a.b\\NoExtension", "C:\\a.b\\X_NoExtension.log"},
                          Case{"Bare.exe", "X_Bare.log"}}) {
        CAPTURE(c.exe);
        CHECK(LogFileNameFor(c.exe) == c.log);
    }
}

TEST_CASE("log lines: the thread id is right-aligned to width 5, longer ids whole")
{
    struct Case {
        unsigned long id;
        const char* column;
    };
    for (const Case& c : {Case{123, "  123"}, Case{123456, "123456"}, Case{12345, "12345"}, Case{7, "    7"}}) {
        CAPTURE(c.id);
        CHECK(LogLine("05/03/04 07:08:09", c.id, "   ", "hello") ==
              std::string("05/03/04 07:08:09 ") + c.column + "   hello\r\n");
    }
    CHECK(LogLine("S", 42, " X ", "") == "S    42 X \r\n");
}

TEST_CASE("log state: off with three blanks until the entry sets it")
{
    CHECK_FALSE(LogEnabled());
    CHECK(LogPrefix() == "   ");
    EnableLog(true);
    SetLogPrefix(" X ");
    CHECK(LogEnabled());
    CHECK(LogPrefix() == " X ");
    EnableLog(false);
    SetLogPrefix("   ");
}
