#include <doctest/doctest.h>
#include "stub/services/LogWin.h"
#include "stub/services/SysUtilsWin.h"
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace stub;

namespace {

std::string ReadAll(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t eol; (eol = text.find("\r\n", start)) != std::string::npos; start = eol + 2)
        lines.push_back(text.substr(start, eol - start));
    CHECK(start == text.size());  // every line ends with CR LF
    return lines;
}

// Every test starts without a log file and with logging off.
struct FreshLog {
    FreshLog()
    {
        EnableLog(false);
        SetLogPrefix("   ");
        DeleteFileA(LogFileName().c_str());
    }
    ~FreshLog()
    {
        EnableLog(false);
        DeleteFileA(LogFileName().c_str());
    }
};

} // namespace

TEST_CASE("the log lives beside the executable, X_ in front of its name")
{
    char exe[MAX_PATH];
    const std::string path(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
    const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
    CHECK(LogFileName() == folder + "X_services.LogWin.log");
    CHECK(LogFileName() == LogFileName());
}

TEST_CASE_FIXTURE(FreshLog, "with logging off nothing is written and no file appears")
{
    WriteLog("dropped");
    WriteLog("");
    CHECK_FALSE(Exists(LogFileName()));
}

TEST_CASE_FIXTURE(FreshLog, "lines are appended with time stamp, padded thread id and prefix")
{
    EnableLog(true);
    WriteLog("");
    WriteLog("");
    SetLogPrefix(" X ");
    WriteLog("=== START === C:\\x.exe");
    std::string id = std::to_string(GetCurrentThreadId());
    if (id.size() < 5)
        id = std::string(5 - id.size(), ' ') + id;

    const std::vector<std::string> lines = Lines(ReadAll(LogFileName()));
    REQUIRE(lines.size() == 3);
    const std::size_t stamp = DateTimeStamp(Now()).size();
    for (const std::string& line : lines) {
        CHECK(line.size() >= stamp + 1 + id.size() + 3);
        CHECK(line[stamp] == ' ');
        CHECK(line.substr(stamp + 1, id.size()) == id);
    }
    CHECK(lines[0].substr(stamp + 1 + id.size()) == "   ");
    CHECK(lines[1].substr(stamp + 1 + id.size()) == "   ");
    CHECK(lines[2].substr(stamp + 1 + id.size()) == " X === START === C:\\x.exe");

    SUBCASE("a reader holding the file open does not stop the next line")
    {
        HANDLE reader = CreateFileA(LogFileName().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        REQUIRE(reader != INVALID_HANDLE_VALUE);
        WriteLog("while read");
        CloseHandle(reader);
        CHECK(Lines(ReadAll(LogFileName())).size() == 4);
    }
}
