// Round trips: packages built by drovel-pack (the real tool, as a process) extracted by
// ExtractPackage into real folders.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "stub/package/ExtractWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/package/TGFileInfo.h"
#include "stub/package/WorkingFoldersWin.h"
#include "stub/services/UtilsWin.h"
#include "tests/support/TraceViewerProcess.h"

using namespace stub;

namespace {

std::vector<std::string> g_progress;
void RecordProgress(int mode, int, std::int16_t maximum, int, int, const std::string&)
{
    g_progress.push_back(mode == 0 ? "reset " + std::to_string(maximum) : "step");
}
int Steps()
{
    int n = 0;
    for (const auto& p : g_progress)
        n += p == "step";
    return n;
}

// A scratch folder with the inputs, the package and the destination.
struct Scratch {
    std::string root;
    explicit Scratch(const std::string& name)
    {
        root = TempDir(true) + "xpk_" + name + "_" + std::to_string(GetCurrentProcessId());
        DeleteTree(root, true);
        REQUIRE(ForceFolders(root + "\\in"));
        g_progress.clear();
    }
    ~Scratch() { DeleteTree(root, true); }
    std::string In(const std::string& name) const { return root + "\\in\\" + name; }
    std::string Out(const std::string& name) const { return root + "\\out\\" + name; }
    std::string Dest() const { return root + "\\out"; }
    std::string Pkg(const std::string& name) const { return root + "\\" + name; }
};

std::string Random(std::size_t n, unsigned seed)
{
    std::string s(n, '\0');
    for (auto& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

std::string Text(std::size_t n)
{
    std::string s;
    while (s.size() < n)
        s += "Line " + std::to_string(s.size()) + " of a text-like file\r\n";
    s.resize(n);
    return s;
}

void Pack(const std::string& arguments)
{
    const int rc = testsupport::RunProgram(testsupport::ProgramBeside("drovel-pack.exe"), "build -q " + arguments, 60000, nullptr);
    REQUIRE(rc == 0);
}

ExtractResult Extract(const std::string& package, const std::string& dest, const std::string& agent = "")
{
    return ExtractPackage(package, dest, agent, RecordProgress, "Insert disk <DISK_NUM>", "Setup", "|&OK|&Cancel|", 0, false);
}

std::string Stub() { return "--stub \"" + testsupport::ProgramBeside("Stub.exe") + "\" "; }

} // namespace

TEST_CASE("one carrier volume: files of every kind arrive whole, the setup entry is reported")
{
    Scratch s("one");
    const std::string text = Text(300000), random = Random(200000, 7);
    REQUIRE(WriteFile(s.In("readme.txt"), text, 0, false));
    REQUIRE(WriteFile(s.In("data.bin"), random, 0, false));
    REQUIRE(WriteFile(s.In("empty.dat"), "", 0, false));
    REQUIRE(WriteFile(s.In("Setup.exe"), "MZ setup", 0, false));
    Pack(Stub() + "--setup Setup.exe --args \"/S /X\" --record-size 64K -o \"" + s.Pkg("Setup.exe") + "\" \"" +
         s.In("readme.txt") + "\" \"" + s.In("data.bin") + "\" \"" + s.In("empty.dat") + "\" \"" + s.In("Setup.exe") + "\"");

    const ExtractResult r = Extract(s.Pkg("Setup.exe"), s.Dest());
    CHECK(r.checksum_ok);
    CHECK(r.error.empty());
    CHECK(r.setup_entry == "Setup.exe* /S /X");
    CHECK(ReadFilePart(s.Out("readme.txt"), 0, 0) == text);
    CHECK(ReadFilePart(s.Out("data.bin"), 0, 0) == random);
    CHECK(FileExists(s.Out("empty.dat")));
    CHECK(FileSizeByName(s.Out("empty.dat")) == 0);
    CHECK(ReadFilePart(s.Out("Setup.exe"), 0, 0) == "MZ setup");
    REQUIRE(g_progress.size() >= 2);
    CHECK(g_progress[0] == "reset 0");
    CHECK(g_progress[1] == "reset 4");
    CHECK(Steps() == 4);
}

TEST_CASE("three volumes: a file continues across both boundaries, the progress steps once for it")
{
    Scratch s("three");
    const std::string big = Random(300000, 11);
    REQUIRE(WriteFile(s.In("a.txt"), "first", 0, false));
    REQUIRE(WriteFile(s.In("big.bin"), big, 0, false));
    REQUIRE(WriteFile(s.In("z.txt"), "last", 0, false));
    Pack("--level 0 --record-size 32K --volume-size 140K -o \"" + s.Pkg("Setup.exe.001") + "\" \"" + s.In("a.txt") +
         "\" \"" + s.In("big.bin") + "\" \"" + s.In("z.txt") + "\"");
    REQUIRE(FileExists(s.Pkg("Setup.exe.002")));
    REQUIRE(FileExists(s.Pkg("Setup.exe.003")));
    REQUIRE_FALSE(FileExists(s.Pkg("Setup.exe.004")));

    const ExtractResult r = Extract(s.Pkg("Setup.exe.001"), s.Dest());
    CHECK(r.checksum_ok);
    CHECK(ReadFilePart(s.Out("big.bin"), 0, 0) == big);
    CHECK(ReadFilePart(s.Out("z.txt"), 0, 0) == "last");
    CHECK(Steps() == 3 + 2);  // three files, two volume changes
}

TEST_CASE("the disk prompt through the box hook: OK once the volume is back, or Cancel")
{
    Scratch s("prompt");
    REQUIRE(WriteFile(s.In("big.bin"), Random(200000, 3), 0, false));
    REQUIRE(WriteFile(s.In("Setup.exe"), "setup", 0, false));
    Pack("--level 0 --setup Setup.exe --volume-size 120K -o \"" + s.Pkg("Setup.exe.001") + "\" \"" + s.In("Setup.exe") +
         "\" \"" + s.In("big.bin") + "\"");
    REQUIRE(MoveFileA(s.Pkg("Setup.exe.002").c_str(), s.Pkg("away.002").c_str()));

    static const Scratch* scratch;
    static std::vector<ExtractBox> boxes;
    scratch = &s;
    boxes.clear();
    SUBCASE("OK after the volume is back")
    {
        const ExtractBoxHook previous = SetExtractBoxHook([](const ExtractBox& box) {
            boxes.push_back(box);
            MoveFileA(scratch->Pkg("away.002").c_str(), scratch->Pkg("Setup.exe.002").c_str());
            return true;
        });
        const ExtractResult r = Extract(s.Pkg("Setup.exe.001"), s.Dest());
        SetExtractBoxHook(previous);
        REQUIRE(boxes.size() == 1);
        CHECK(boxes[0].kind == ExtractBoxKind::DiskPrompt);
        CHECK(boxes[0].text == "Insert disk 2");
        CHECK(boxes[0].caption == "Setup");
        CHECK(r.setup_entry == "Setup.exe*");
        CHECK(FileSizeByName(s.Out("big.bin")) == 200000);
    }
    SUBCASE("Cancel: the setup entry is cleared")
    {
        const ExtractBoxHook previous = SetExtractBoxHook([](const ExtractBox& box) {
            boxes.push_back(box);
            return false;
        });
        const ExtractResult r = Extract(s.Pkg("Setup.exe.001"), s.Dest());
        SetExtractBoxHook(previous);
        CHECK(boxes.size() == 1);
        CHECK(r.checksum_ok);
        CHECK(r.setup_entry.empty());
        CHECK(FileSizeByName(s.Out("big.bin")) < 200000);
    }
}

TEST_CASE("agent copy from a signed-ready carrier with a signature after E")
{
    Scratch s("agent");
    REQUIRE(WriteFile(s.In("app.txt"), Text(5000), 0, false));
    Pack(Stub() + "--sign-ready --make-agent --agent-name MyAgent.exe --info-file \"updates\\MyApp.info\" --second-bar -o \"" +
         s.Pkg("Setup.exe") + "\" \"" + s.In("app.txt") + "\"");
    REQUIRE(AppendText(s.Pkg("Setup.exe"), std::string(4000, 'S'), 0));  // stands in for a signature

    TGFileInfo info(s.Pkg("Setup.exe"));
    const ExtractResult r = Extract(s.Pkg("Setup.exe"), s.Dest(), info.AgentName());
    CHECK(r.checksum_ok);
    CHECK(ReadFilePart(s.Out("app.txt"), 0, 0) == Text(5000));
    const std::string copy = ReadFilePart(s.Out("MyAgent.exe"), 0, 0);
    REQUIRE(copy.size() == info.HeaderEnd() + 74);
    std::string head = ReadFilePart(s.Pkg("Setup.exe"), static_cast<std::int64_t>(info.HeaderEnd()), 0);
    head.replace(252, 4, std::string(4, '\0'));
    CHECK(copy.substr(0, head.size()) == head);
    TGFileInfo agent(s.Out("MyAgent.exe"));
    CHECK(agent.IsAutoUpdateProgram());
    CHECK(agent.ShowsSecondBar());
    CHECK(agent.Info().Length() == 74);
    CHECK(agent.AgentName() == info.AgentName());
    CHECK(PackageEnd(s.Out("MyAgent.exe")) == 0);
    CHECK(FileDosDate(s.Out("MyAgent.exe")) == FileDosDate(s.Pkg("Setup.exe")));  // the volume's date
    CHECK(info.OriginalFileName() == "MyApp.original");
}

TEST_CASE("working folder: temporary folder + SETUP_ + the time half of the exe's date, created fresh once")
{
    const std::string expected = WorkingFolderName(TempDir(true), FileDosDate(ExePath()));
    REQUIRE(ForceFolders(expected + "\\older"));
    REQUIRE(WriteFile(expected + "\\older\\left.txt", "x", 0, false));
    const std::string folder = WorkingFolder();
    CHECK(folder == expected);
    CHECK(FolderExists(folder));
    CHECK_FALSE(FolderExists(folder + "\\older"));  // an older tree of that name is removed first
    REQUIRE(WriteFile(folder + "\\new.txt", "x", 0, false));
    CHECK(WorkingFolder() == folder);  // computed once: not recreated
    CHECK(FileExists(folder + "\\new.txt"));
    CHECK(DeleteTree(folder, true));
    // Under Wine only C: is a fixed drive, and it holds the temporary folder: no roomier base.
    CHECK_FALSE(FindRoomierTempBase());
    CHECK(AlternativeWorkingFolder().empty());
    RemoveAlternativeWorkingFolder();
}
