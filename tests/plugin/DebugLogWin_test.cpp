// The log file itself: where it is opened, its banners, and who may close it.
#include "plugin/interface/DebugLog.h"
#include "TestFiles.h"
#include <doctest/doctest.h>
#include <windows.h>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::string kStars = "/" + std::string(80, '*') + "/";
const std::string kClosing = "\r\n\r\n" + kStars + "\r\n/" + std::string(31, '*') + "  Ende   " +
                             std::string(40, '*') + "/\r\n" + kStars + "\r\n\r\n";

std::string Escaped(const std::string& text)
{
    return std::regex_replace(text, std::regex("[*/]"), "\\$&");
}

void SetVariable(const char* name, const std::string& value)
{
    _putenv_s(name, value.c_str());  // an empty value removes the variable
}

// A temporary folder named by TEMP (TMP removed), the controls restored and the log closed after.
struct LogFolder {
    fs::path dir = fs::temp_directory_path() / ("mirel_log_" + std::to_string(GetCurrentProcessId()));
    std::string temp = std::getenv("TEMP") ? std::getenv("TEMP") : "";
    std::string tmp = std::getenv("TMP") ? std::getenv("TMP") : "";
    fs::path cwd = fs::current_path();
    LogFolder()
    {
        fs::remove_all(dir);
        fs::create_directories(dir / "tmp");
        fs::create_directories(dir / "cwd");
        SetVariable("TEMP", dir.string());
        SetVariable("TMP", "");
    }
    ~LogFolder()
    {
        ExternalDebugControl = false;
        CloseDebugFile(2);
        DebugLevel = 6;
        VerboseLevel = 6;
        PrintDebugOnScreen = false;
        SetVariable("TEMP", temp);
        SetVariable("TMP", tmp);
        fs::current_path(cwd);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path Log() const { return dir / "Mirel_DLL.log"; }
};

bool Print(int level, std::string text, FILE* f)
{
    return PrintDebug(level, &text[0], f);
}

} // namespace

TEST_CASE("opening writes the banner once and a second open returns the same handle")
{
    LogFolder folder;
    std::setlocale(LC_ALL, "German");  // the banner date stays English whatever the locale
    FILE* log = OpenDebugFile();
    REQUIRE(log != nullptr);
    CHECK(OpenDebugFile() == log);
    CHECK(Print(5, "a message\n", log));
    CHECK_FALSE(Print(7, "too detailed\n", log));
    CHECK(CloseDebugFile(2) == 0);
    std::setlocale(LC_ALL, "C");
    std::string text = plugintest::ReadBytes(folder.Log());
    CHECK(std::regex_match(text, std::regex(Escaped(kStars) + "\r\n\t\t\t\tOpening time: "
                                            "(Sun|Mon|Tue|Wed|Thu|Fri|Sat) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                            "[ 1-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\r\n" +
                                            Escaped(kStars) + "\r\n\r\na message\r\n" + Escaped(kClosing))));
}

TEST_CASE("runs accumulate: each opening appends its banner")
{
    LogFolder folder;
    REQUIRE(OpenDebugFile());
    CloseDebugFile(2);
    REQUIRE(OpenDebugFile());
    CloseDebugFile(2);
    std::string text = plugintest::ReadBytes(folder.Log());
    std::size_t openings = 0;
    for (std::size_t at = text.find("Opening time: "); at != std::string::npos; at = text.find("Opening time: ", at + 1))
        ++openings;
    CHECK(openings == 2);
    CHECK(text.size() > 2 * kClosing.size());
    CHECK(text.substr(text.size() - kClosing.size()) == kClosing);
}

TEST_CASE("the module's own close request leaves a caller-owned log open")
{
    LogFolder folder;
    ExternalDebugControl = true;
    FILE* log = OpenDebugFile();
    REQUIRE(log);
    CHECK(CloseDebugFile(1) == 2);
    CHECK(OpenDebugFile() == log);  // still open: no second banner
    CHECK(CloseDebugFile(0) == 1);
    CHECK(Print(1, "still writable\n", log));
    CHECK(CloseDebugFile(3) == 0);  // any other mode closes
    CHECK(CloseDebugFile(3) == 0);  // nothing open any more
    std::string text = plugintest::ReadBytes(folder.Log());
    CHECK(text.find("Opening time: ") == text.rfind("Opening time: "));
    CHECK(text.find("still writable\r\n") != std::string::npos);
    CHECK(text.find("Ende") == text.rfind("Ende"));

    ExternalDebugControl = false;
    REQUIRE(OpenDebugFile());
    CHECK(CloseDebugFile(1) == 0);  // without external control the module closes it
}

TEST_CASE("the log goes to TMP without TEMP, and to the current folder without either")
{
    LogFolder folder;
    SetVariable("TEMP", "");
    SetVariable("TMP", (folder.dir / "tmp").string());
    REQUIRE(OpenDebugFile());
    CloseDebugFile(2);
    CHECK(fs::exists(folder.dir / "tmp" / "Mirel_DLL.log"));

    SetVariable("TMP", "");
    fs::current_path(folder.dir / "cwd");
    REQUIRE(OpenDebugFile());
    CloseDebugFile(2);
    CHECK(fs::exists(folder.dir / "cwd" / "Mirel_DLL.log"));
    CHECK_FALSE(fs::exists(folder.Log()));
}

TEST_CASE("no log file while file logging is off or messages go to the screen")
{
    LogFolder folder;
    DebugLevel = 0;
    CHECK(OpenDebugFile() == nullptr);
    DebugLevel = 6;
    PrintDebugOnScreen = true;
    CHECK(OpenDebugFile() == nullptr);
    CHECK_FALSE(fs::exists(folder.Log()));
}
