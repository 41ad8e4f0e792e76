#include <doctest/doctest.h>
#include "stub/package/FileHelpersWin.h"
#include <string>

using namespace stub;

namespace {
// A fresh folder under the temporary folder, removed again at the end.
struct TempFolder {
    std::string path;
    TempFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        path = std::string(base) + "fh_test_" + std::to_string(GetCurrentProcessId());
        DeleteTree(path, true);
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder() { DeleteTree(path, true); }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
};

constexpr std::uint32_t kDate = (((2004 - 1980) << 9 | 3 << 5 | 5) << 16) | (12 << 11 | 30 << 5 | 10);  // 05-MAR-2004 12:30:20
} // namespace

TEST_CASE("WriteFile: replace, append, empty data, dates")
{
    TempFolder dir;
    const std::string f = dir / "a.txt";
    REQUIRE(WriteFile(f, "first", 0, false));
    CHECK(ReadFilePart(f, 0, 0) == "first");
    REQUIRE(WriteFile(f, "+second", 0, true));
    CHECK(ReadFilePart(f, 0, 0) == "first+second");
    REQUIRE(WriteFile(f, "new", kDate, false));
    CHECK(ReadFilePart(f, 0, 0) == "new");
    CHECK(FileDosDate(f) == kDate);

    const std::string e = dir / "empty.bin";
    CHECK(WriteFile(e, "", 0, false));
    CHECK(FileExists(e));
    CHECK(FileSizeByName(e) == 0);
    CHECK(FileDosDate(e) != kDate);
    CHECK(WriteFile(dir / "appended-new.txt", "x", 0, true));  // append creates a missing file
    CHECK(ReadFilePart(dir / "appended-new.txt", 0, 0) == "x");

    CHECK_FALSE(WriteFile(dir / "no\\such\\folder.txt", "x", 0, false));
}

TEST_CASE("WriteFile of more than 1 MiB arrives whole, in order")
{
    TempFolder dir;
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    REQUIRE(WriteFile(dir / "big.bin", big, 0, false));
    CHECK(FileSizeByName(dir / "big.bin") == static_cast<std::int64_t>(big.size()));
    CHECK(ReadFilePart(dir / "big.bin", 0, 0) == big);
    CHECK(ReadFilePart(dir / "big.bin", 10, 1024 * 1024) == big.substr(1024 * 1024, 10));
}

TEST_CASE("ReadFilePart, sizes and AppendText")
{
    TempFolder dir;
    const std::string f = dir / "r.txt";
    REQUIRE(WriteFile(f, "0123456789", 0, false));
    CHECK(ReadFilePart(f, 4, 3) == "3456");
    CHECK(ReadFilePart(f, 0, 8) == "89");
    CHECK(ReadFilePart(f, 0, 10).empty());
    CHECK(ReadFilePart(f, 0, -1).empty());
    CHECK(ReadFilePart(dir / "missing", 0, 0).empty());
    CHECK(FileSizeByName(dir / "missing") == 0);
    CHECK(FileSizeByName(f) == 10);

    CHECK(AppendText(f, "AB", kDate));
    CHECK(ReadFilePart(f, 0, 0) == "0123456789AB");
    CHECK(FileDosDate(f) == kDate);
    CHECK(AppendText(dir / "log.txt", "line\r\n", 0));
    CHECK(ReadFilePart(dir / "log.txt", 0, 0) == "line\r\n");

    UniqueHandle h(CreateFileA(f.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    REQUIRE(h);
    CHECK(FileSizeOf(h.get()) == 12);
    CHECK(FileSeek64(h.get(), SeekOrigin::End, -2) == 10);
    CHECK(FileSeek64(h.get(), SeekOrigin::Current, -5) == 5);
    CHECK(FileSeek64(h.get(), SeekOrigin::Start, 0x100000000LL) == 0x100000000LL);  // 64-bit positions
}

TEST_CASE("free space of real and missing drives")
{
    CHECK(FreeSpace("C:\\windows\\system32") > 0.0);
    CHECK(FreeSpace("C:") > 0.0);
    CHECK(FreeSpace("Q:\\nothing\\here") == -1.0);
}

TEST_CASE("searches, deletions and folders")
{
    TempFolder dir;
    REQUIRE(ForceFolders(dir / "one\\two\\three"));
    CHECK(FolderExists(dir / "one\\two\\three"));
    REQUIRE(WriteFile(dir / "one\\two\\three\\needle.txt", "n", 0, false));
    REQUIRE(WriteFile(dir / "one\\a.tmp", "a", 0, false));
    REQUIRE(WriteFile(dir / "one\\b.tmp", "b", 0, false));
    REQUIRE(WriteFile(dir / "one\\keep.txt", "k", 0, false));
    SetFileAttributesA((dir / "one\\b.tmp").c_str(), FILE_ATTRIBUTE_READONLY);

    CHECK(FindFileInTree(dir.path, "needle.txt") == dir / "one\\two\\three\\needle.txt");
    CHECK(FindFileInTree(dir.path, "absent.txt").empty());
    CHECK(FindFolderInTree(dir.path, "TWO\\three") == dir / "one\\two\\three");
    CHECK(FindFolderInTree(dir.path, "four").empty());
    CHECK(FindFolderOnDrives(dir.path, DRIVE_FIXED) == dir.path);  // a C: path names its drive itself
    CHECK(FindFolderOnDrives(dir.path, DRIVE_CDROM).empty());
    CHECK(FindFileOnDrives("needle.txt", -1).empty());

    CHECK(DeleteFiles(dir / "one\\*.tmp", true));
    CHECK_FALSE(FileExists(dir / "one\\a.tmp"));
    CHECK_FALSE(FileExists(dir / "one\\b.tmp"));  // read-only, attributes cleared first
    CHECK(FileExists(dir / "one\\keep.txt"));
    CHECK_FALSE(DeleteFiles(dir / "one\\*.tmp", true));

    SetFileAttributesA((dir / "one\\keep.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    CHECK(DeleteTree(dir / "one", true));
    CHECK_FALSE(FolderExists(dir / "one"));
    CHECK_FALSE(DeleteTree(dir / "one", true));  // gone already: false, nothing done
    CHECK_FALSE(DeleteTree("", true));
}

TEST_CASE("EjectCD leaves fixed disks and non-letters alone")
{
    CHECK_FALSE(EjectCD("C:\\setup.exe"));
    CHECK_FALSE(EjectCD("1:\\x"));
    CHECK_FALSE(EjectCD(""));
}
