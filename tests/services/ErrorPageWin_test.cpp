#include <doctest/doctest.h>
#include "stub/services/ErrorPageWin.h"
#include <windows.h>
#include <fstream>
#include <string>

using namespace stub;

namespace {

const char* const kUrl = "http://update.example/pkg.exe";

struct TempFile {
    explicit TempFile(const std::string& content)
    {
        char dir[MAX_PATH];
        char name[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "epg", 0, name);
        path = name;
        std::ofstream(path, std::ios::binary) << content;
    }
    ~TempFile() { DeleteFileA(path.c_str()); }
    std::string path;
};

bool IsPage(const std::string& result) { return result.rfind("<B>404 File Not Found...</B>", 0) == 0; }

} // namespace

TEST_CASE("downloaded files that are HTML pages")
{
    SUBCASE("test B with lower-case tags")
    {
        TempFile f("<html>\r\n<head><title>Index of /</title></head><body></body></html>");
        CHECK(CheckErrorPage(f.path, "", kUrl, "Bad Secret Token!") ==
              std::string("<B>404 File Not Found...</B><P><P>URL:  ") + kUrl +
                  ".<P><P>Please make sure the file is available and access is allowed to this file.");
    }
    SUBCASE("test A: a 404 title without html and head tags")
    {
        TempFile f("<title>404 Not Found</title><h1>Not Found</h1>");
        CHECK(IsPage(CheckErrorPage(f.path, "", kUrl, "")));
    }
    SUBCASE("a file of compressed data is not a page")
    {
        std::string data("\x78\x9c\xcb\x48\xcd\xc9\xc9\x07\x00\x06\x2c\x02\x15", 13);
        data += std::string(3000, '\x00') + "\xff\xfe<title>";
        TempFile f(data);
        CHECK(CheckErrorPage(f.path, "", kUrl, "Bad Secret Token!") == "Bad Secret Token!");
    }
    SUBCASE("only the first 10,000 bytes count")
    {
        TempFile late(std::string(10000, ' ') + "<title>404</title>");
        CHECK(CheckErrorPage(late.path, "", kUrl, "").empty());
        TempFile early(std::string(9982, ' ') + "<title>404</title>");
        CHECK(IsPage(CheckErrorPage(early.path, "", kUrl, "")));
    }
    SUBCASE("an empty file gives an empty text, whatever the content says")
    {
        TempFile f("");
        CHECK(CheckErrorPage(f.path, "<title>404</title>", kUrl, "default") == "default");
    }
}

TEST_CASE("without a file the content is examined")
{
    CHECK(IsPage(CheckErrorPage("", "<TITLE>404</TITLE>", kUrl, "")));
    CHECK(IsPage(CheckErrorPage("C:\\no\\such\\file.html", "<TITLE>404</TITLE>", kUrl, "")));
    CHECK(CheckErrorPage("C:\\no\\such\\file.html", "", kUrl, "default") == "default");
}
