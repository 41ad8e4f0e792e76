#include <doctest/doctest.h>
#include "stub/package/FileHelpers.h"
#include <vector>

using namespace stub;

TEST_CASE("file names: the part after the last backslash or colon, extensions cut")
{
    struct Case { const char* path; bool all; const char* expected; };
    const Case cases[] = {
        {"D:\\Setup.exe.001", false, "Setup.exe"},
        {"D:\\Setup.exe.001", true, "Setup"},
        {".info", false, ""},
        {"updates\\MyApp.info", false, "MyApp"},
        {"updates/MyApp.info", false, "updates/MyApp"},  // a slash does not split
        {"C:name.txt", false, "name"},
        {"noext", true, "noext"},
        {"dir.d\\noext", false, "noext"},                // a dot in the folder is not an extension
        {"", true, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        CHECK(NameWithoutExtension(c.path, c.all) == c.expected);
    }
    CHECK(FileNamePart("C:\\a\\b.exe") == "b.exe");
    CHECK(FileNamePart("plain") == "plain");
    CHECK(FileNamePart("C:\\a\\") == "");
}

TEST_CASE("free-space roots: the path's first folder, or the drive root")
{
    CHECK(FreeSpaceRoot("C:\\TEMP\\X", false) == "C:\\TEMP");
    CHECK(FreeSpaceRoot("C:\\TEMP\\X", true) == "C:\\");
    CHECK(FreeSpaceRoot("d:", false) == "D:\\");
    CHECK(FreeSpaceRoot("c:/temp/x", false) == "c:\\temp");
    CHECK(FreeSpaceRoot("C:\\TEMP", false) == "C:\\TEMP");
    CHECK(FreeSpaceRoot("\\\\server\\share\\dir", false) == "\\\\server");
    CHECK(FreeSpaceRoot("C:\\", false) == "C:\\");
}

namespace {
// Answers as told and records every root asked for.
struct FakeFreeSpace : FreeSpaceSystem {
    bool extended = true;
    std::vector<std::string> answering;  // roots the extended or basic call answers
    std::vector<std::string> asked;
    bool HasExtendedCall() override { return extended; }
    bool Answer(const std::string& root, double& out)
    {
        asked.push_back(root);
        for (const auto& a : answering)
            if (a == root) {
                out = 4096.0;
                return true;
            }
        return false;
    }
    bool Extended(const std::string& root, double& out) override { return Answer(root, out); }
    bool Basic(const std::string& root, double& out) override { return Answer("basic " + root, out); }
};
} // namespace

TEST_CASE("free space: the extended call for the folder, then the drive; the basic call without it")
{
    FakeFreeSpace fs;
    SUBCASE("C:\\TEMP\\X asks C:\\TEMP first and C:\\ second")
    {
        fs.answering = {"C:\\"};
        CHECK(FreeSpaceVia("C:\\TEMP\\X", fs) == 4096.0);
        CHECK(fs.asked == std::vector<std::string>{"C:\\TEMP", "C:\\"});
    }
    SUBCASE("the first answer is taken")
    {
        fs.answering = {"C:\\TEMP"};
        CHECK(FreeSpaceVia("C:\\TEMP\\X", fs) == 4096.0);
        CHECK(fs.asked.size() == 1);
    }
    SUBCASE("a two-character path asks for its drive root")
    {
        fs.answering = {"D:\\"};
        CHECK(FreeSpaceVia("D:", fs) == 4096.0);
        CHECK(fs.asked.front() == "D:\\");
    }
    SUBCASE("no answer gives -1")
    {
        CHECK(FreeSpaceVia("C:\\TEMP\\X", fs) == -1.0);
        fs.extended = false;
        CHECK(FreeSpaceVia("C:\\TEMP\\X", fs) == -1.0);
    }
    SUBCASE("without the extended call the basic call is asked for the drive root")
    {
        fs.extended = false;
        fs.answering = {"basic C:\\"};
        CHECK(FreeSpaceVia("c:\\TEMP\\X", fs) == 4096.0);
        CHECK(fs.asked == std::vector<std::string>{"basic C:\\"});
    }
}

TEST_CASE("write chunks: up to 1 MiB at once, above that a tenth but at most 1 MiB")
{
    CHECK(WriteChunkSize(0) == 0);
    CHECK(WriteChunkSize(0x100000) == 0x100000);
    CHECK(WriteChunkSize(0x100001) == 0x100001 / 10);
    CHECK(WriteChunkSize(20u << 20) == 0x100000);  // a tenth would be 2 MiB: capped
    CHECK(WriteChunkSize(5000000) == 500000);
}

TEST_CASE("ReadFilePart window")
{
    CHECK(FilePartLength(100, 0, 0) == 100);
    CHECK(FilePartLength(100, 10, 95) == 5);
    CHECK(FilePartLength(100, 10, 20) == 10);
    CHECK(FilePartLength(100, 0, 100) == 0);
    CHECK(FilePartLength(100, 0, -1) == 0);
    CHECK(FilePartLength(0, 0, 0) == 0);
}

TEST_CASE("self-deleting batch: four lines, or five with the folder removal fourth")
{
    const std::string four = SelfDeleteBatchText("C:\\A B\\x.exe", "C:\\A B", "C:\\T\\_DEL_ME_.BAT", false, true);
    CHECK(four ==
          ":START\r\n"
          "DEL \"C:\\A B\\x.exe\"\r\n"
          "IF exist \"C:\\A B\\x.exe\" GOTO START\r\n"
          "DEL \"C:\\T\\_DEL_ME_.BAT\"\r\n");
    const std::string five = SelfDeleteBatchText("C:\\AB~1\\x.exe", "C:\\AB~1", "C:\\T\\_DEL_ME_.BAT", true, false);
    CHECK(five ==
          ":START\r\n"
          "DEL C:\\AB~1\\x.exe\r\n"
          "IF exist C:\\AB~1\\x.exe GOTO START\r\n"
          "RD C:\\AB~1\r\n"
          "DEL C:\\T\\_DEL_ME_.BAT\r\n");
    // Without a short name a path keeps its blanks: it is quoted even so.
    const std::string long_kept = SelfDeleteBatchText("C:\\A B\\x.exe", "C:\\A B", "C:\\T\\_DEL_ME_.BAT", false, false);
    CHECK(long_kept.find("DEL \"C:\\A B\\x.exe\"\r\n") != std::string::npos);
    CHECK(long_kept.find("DEL C:\\T\\_DEL_ME_.BAT\r\n") != std::string::npos);
}
