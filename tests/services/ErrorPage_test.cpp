#include <doctest/doctest.h>
#include "stub/services/ErrorPage.h"

using namespace stub;

namespace {
const std::string kMessage =
    "<B>404 File Not Found...</B><P><P>URL:  http://h/p.exe.<P><P>Please make sure the file is available and "
    "access is allowed to this file.";
}

TEST_CASE("HTML pages are recognised by either test")
{
    struct Case {
        const char* text;
        bool page;
    };
    for (const Case& c : {
             // test B, lower case: any well-formed page counts, whatever its title
             Case{"<html><head><title>Welcome</title></head><body>hi</body></html>", true},
             // test A: a title with 404, without html and head tags
             Case{"<title>Error 404 - Not found</title>", true},
             Case{"<TITLE lang=en>404</TITLE>", true},
             // 404 outside the title, no html/head: not a page
             Case{"<title>Error</title> 404", false},
             Case{"404 <title>x</title>", false},
             // the html, head, title order matters
             Case{"<head><html><title>x</title>", false},
             Case{"<html><head><title>x", false},
             Case{"<html><head></title><title>", false},
             Case{"", false},
             Case{"PK\x03\x04 just data 404", false},
         }) {
        CAPTURE(c.text);
        CHECK(LooksLikeErrorPage(c.text) == c.page);
    }
}

TEST_CASE("compressed data is not a page, even with zero bytes inside")
{
    std::string data("\x78\x9c\x00\x01<title\x00 404 </TITLE", 24);
    CHECK_FALSE(LooksLikeErrorPage(data));
    data = std::string("\x1f\x8b\x08\x00", 4) + std::string(5000, '\x00');
    CHECK_FALSE(LooksLikeErrorPage(data));
}

TEST_CASE("the result is the 404 message in markup or the default")
{
    CHECK(CheckErrorPageText("<title>404</title>", "http://h/p.exe", "Bad Secret Token!") == kMessage);
    CHECK(CheckErrorPageText("plain", "http://h/p.exe", "Bad Secret Token!") == "Bad Secret Token!");
    CHECK(CheckErrorPageText("plain", "http://h/p.exe", "").empty());
}
