#include <doctest/doctest.h>
#include "stub/services/SLangKeys.h"

#include <string>

using namespace stub;

TEST_CASE("key table: every key the stub reads, with its English default")
{
    struct Case {
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"s0", "Drovel Installation Suite"},
        {"s1", "Extracting Files..."},
        {"s2", "Drovel will extract files to your Temp Drive (<DRIVE>)<P>"},
        {"s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>"},
        {"s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>"},
        {"s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>"},
        {"s6", "<P>Continue with Setup?<P>"},
        {"s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."},
        {"s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue"},
        {"s10", "Downloading File..."},
        {"s11", "<b>INTERNET DOWNLOAD</b><p><p>Drovel will download the Setup File from the Internet...<p>"
                "Please make sure your Internet connection is properly set.<p><p>Continue with Setup?<p><P>"
                "Size: <SIZE> MB<P>"},
        {"s12", "No valid Internet Connection.<p>Can not Download File!"},
        {"BtnText", "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"},
        {"Error", "Error"},
        {"Attention", "Attention"},
        {"Confirm", "Confirm"},
        {"Charset", "0"},
        {"FontSize", "8"},
        {"FontName", "Tahoma"},
    };
    std::size_t count = 0;
    const LangKey* table = LangKeys(count);
    REQUIRE(count == sizeof(cases) / sizeof(cases[0]));
    for (std::size_t i = 0; i < count; ++i) {
        CAPTURE(std::string(cases[i].key));
        CHECK(std::string(table[i].key) == cases[i].key);
        CHECK(LangDefault(cases[i].key) == cases[i].text);
    }
    CHECK(LangDefault("s9").empty());  // not read by the stub
    CHECK(LangDefault("s13").empty()); // a descriptor key, not a language key
}

TEST_CASE("shipped English entry: the table's texts, s11 with capital line breaks")
{
    const std::string entry = ShippedEnglishEntry();
    CHECK(entry.rfind("\x01" "English\x01" "s0=Drovel Installation Suite\x01", 0) == 0);
    CHECK(entry.back() == '\x01');
    CHECK(entry.find("\x01" "s11=<b>INTERNET DOWNLOAD</b>") != std::string::npos);
    CHECK(entry.find("Continue with Setup?<P><P>Size: <SIZE> MB<P>\x01") != std::string::npos);
    CHECK(entry.find("\x01" "BtnText=|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|\x01") != std::string::npos);
    CHECK(entry.find("\x01" "FontName=Tahoma\x01") != std::string::npos);
}

TEST_CASE("language block: entries between 0x02 delimiters")
{
    const std::string items[] = {"Error=Fehler", "s1="};
    const std::string entries[] = {BuildLangEntry("German", items, 2), BuildLangEntry("Empty", nullptr, 0)};
    CHECK(entries[0] == "\x01German\x01" "Error=Fehler\x01s1=\x01");
    CHECK(entries[1] == "\x01" "Empty\x01");
    CHECK(BuildLangBlock(entries, 2) == "\x02\x01German\x01" "Error=Fehler\x01s1=\x01\x02\x01" "Empty\x01\x02");
    CHECK(BuildLangBlock(nullptr, 0) == "\x02");
}
