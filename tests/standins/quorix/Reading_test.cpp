#include <doctest/doctest.h>
#include "standins/quorix/Reading.h"
#include <cstring>

using namespace quorix;

TEST_CASE("simulation file: per source and index, absent keys fail, quotes keep blanks")
{
    const char* file =
        "; a simulated machine\r\n"
        "[WMI]\r\n"
        "0 = PRIMERGY RX100\r\n"
        "1=\"          \"\r\n"
        "2=\r\n"
        "[smbios]\n"
        "1=A10000-D5870-B10 GS 01\n"
        "2=CH100 S2  \n"
        "[Other]\n"
        "0=not this\n";
    struct Case {
        Source source;
        int index;
        bool ok;
        const char* text;
    } cases[] = {
        {Source::Wmi, 0, true, "PRIMERGY RX100"},
        {Source::Wmi, 1, true, "          "},
        {Source::Wmi, 2, true, ""},
        {Source::Wmi, 3, false, ""},
        {Source::Smbios, 0, false, ""},
        {Source::Smbios, 1, true, "A10000-D5870-B10 GS 01"},
        {Source::Smbios, 2, true, "CH100 S2"},
        {Source::Wmi, -1, false, ""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.index);
        const Reading r = SimulatedReading(file, c.source, c.index);
        CHECK(r.ok == c.ok);
        CHECK(r.text == c.text);
    }
    CHECK_FALSE(SimulatedReading("", Source::Wmi, 0).ok);
    CHECK_FALSE(SimulatedReading("[WMI", Source::Wmi, 0).ok);
    CHECK_FALSE(SimulatedReading("0=before any section", Source::Wmi, 0).ok);
}

TEST_CASE("delivery into the caller's buffer")
{
    char buf[8];
    std::memset(buf, 'x', sizeof buf);
    SUBCASE("a failed reading leaves the buffer alone and gives 0")
    {
        CHECK(Deliver(Reading{}, buf, sizeof buf) == 0);
        CHECK(buf[0] == 'x');
    }
    SUBCASE("a text that fits, and one cut to the size with its terminating zero")
    {
        CHECK(Deliver(Reading{true, "abc"}, buf, sizeof buf) == 1);
        CHECK(std::strcmp(buf, "abc") == 0);
        CHECK(Deliver(Reading{true, "0123456789"}, buf, sizeof buf) == 1);
        CHECK(std::strcmp(buf, "0123456") == 0);
    }
    SUBCASE("an empty text is a success")
    {
        CHECK(Deliver(Reading{true, ""}, buf, sizeof buf) == 1);
        CHECK(buf[0] == '\0');
    }
    SUBCASE("no buffer or no room")
    {
        CHECK(Deliver(Reading{true, "a"}, nullptr, 8) == 0);
        CHECK(Deliver(Reading{true, "a"}, buf, 0) == 0);
        CHECK(Deliver(Reading{true, "a"}, buf, -5) == 0);
        CHECK(buf[0] == 'x');
    }
}

TEST_CASE("where the indexes are read on a real machine")
{
    CHECK_FALSE(SmbiosFieldFor(0).used);
    CHECK(SmbiosFieldFor(1).used);
    CHECK(SmbiosFieldFor(2).used);
    CHECK_FALSE(SmbiosFieldFor(3).used);
    CHECK(std::strcmp(WmiPropertiesFor(0)->wmiClass, "Win32_ComputerSystem") == 0);
    CHECK(WmiPropertiesFor(3)->wmiClass == nullptr);
    CHECK(WmiPropertiesFor(-1)->wmiClass == nullptr);
}
