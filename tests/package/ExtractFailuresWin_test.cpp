// Failures the user sees during an extraction, in a process of their own: the write error box is
// shown for the first failed file of a process only.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "stub/package/ExtractWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/services/UtilsWin.h"
#include "tests/support/TraceViewerProcess.h"

using namespace stub;

namespace {
std::vector<ExtractBox> g_boxes;
bool Record(const ExtractBox& box)
{
    g_boxes.push_back(box);
    return true;
}
} // namespace

TEST_CASE("a file that cannot be written: one box per process, extraction goes on")
{
    const std::string root = TempDir(true) + "xfail_" + std::to_string(GetCurrentProcessId());
    DeleteTree(root, true);
    REQUIRE(ForceFolders(root + "\\in"));
    REQUIRE(WriteFile(root + "\\in\\blocked.txt", "12345", 0, false));
    REQUIRE(WriteFile(root + "\\in\\fine.txt", "fine", 0, false));
    const std::string pack = "build -q -o \"" + root + "\\Setup.exe.001\" \"" + root + "\\in\\blocked.txt\" \"" + root + "\\in\\fine.txt\"";
    REQUIRE(testsupport::RunProgram(testsupport::ProgramBeside("drovel-pack.exe"), pack, 60000, nullptr) == 0);
    const ExtractBoxHook previous = SetExtractBoxHook(Record);

    // A folder where the file should go makes its write fail.
    REQUIRE(ForceFolders(root + "\\out\\blocked.txt"));
    ExtractResult r = ExtractPackage(root + "\\Setup.exe.001", root + "\\out", "", nullptr, "", "", "", 0, false);
    CHECK(r.checksum_ok);
    CHECK(ReadFilePart(root + "\\out\\fine.txt", 0, 0) == "fine");
    CHECK(WriteFailureCount() == 1);
    REQUIRE(g_boxes.size() == 1);
    CHECK(g_boxes[0].kind == ExtractBoxKind::WriteError);
    const std::string expected_start = root + "\\out\\blocked.txt<P><P>Unable to save Extracted File!<P><P>";
    CHECK(g_boxes[0].text.compare(0, expected_start.size(), expected_start) == 0);
    CHECK(g_boxes[0].text.find("<P>  Data Size: <T>5 Bytes<P>  File Size:  <T>0 Bytes<P>  Bytes Free: <T>") != std::string::npos);

    // The second failure of the process shows nothing.
    DeleteTree(root + "\\out2", true);
    REQUIRE(ForceFolders(root + "\\out2\\blocked.txt"));
    r = ExtractPackage(root + "\\Setup.exe.001", root + "\\out2", "", nullptr, "", "", "", 0, false);
    CHECK(WriteFailureCount() == 2);
    CHECK(g_boxes.size() == 1);

    // A destination that cannot be created: its box, and the writes fail (counted, not shown).
    r = ExtractPackage(root + "\\Setup.exe.001", "Q:\\no\\such\\drive", "", nullptr, "", "", "", 0, false);
    REQUIRE(g_boxes.size() == 2);
    CHECK(g_boxes[1].kind == ExtractBoxKind::FolderError);
    const std::string folder_start = "Q:\\no\\such\\drive<P><P>Unable to create Directory!<P><P>";
    CHECK(g_boxes[1].text.compare(0, folder_start.size(), folder_start) == 0);
    CHECK(g_boxes[1].text.size() > folder_start.size());  // the system's error text follows
    CHECK(WriteFailureCount() == 4);

    SetExtractBoxHook(previous);
    DeleteTree(root, true);
}
