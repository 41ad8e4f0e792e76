// The setup flow end to end: Stub.exe carriers built by drovel-pack with the setup-program double
// as their setup program, run under Wine, their trace read by a real trace viewer.
#include <doctest/doctest.h>

#include "stub/package/WorkingFolders.h"
#include "tests/control/StubRunKit.h"

using namespace stubkit;

namespace {

bool IsToken(const std::string& t)
{
    if (t.size() < 2 || t[0] != '_')
        return false;
    for (std::size_t i = 1; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9')
            return false;
    return true;
}

bool StartsWithText(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// The working folder a stub executable computes from its modification time.
std::string WorkingFolderOf(const std::string& exe)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &data);
    FILETIME local{};
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    WORD date = 0, time = 0;
    FileTimeToDosDateTime(&local, &date, &time);
    return stub::WorkingFolderName(stub::TempDir(true), (static_cast<std::uint32_t>(date) << 16) | time);
}

// Runs the package hidden, waits for its box, checks the title, presses the button and waits
// for the end (exit code 0); returns the box's text.
std::string AnswerBoxAndEnd(const std::string& pkg, const std::string& title, const std::string& button)
{
    Started run(pkg, "/hide");
    REQUIRE(run.Running());
    const HWND box = WaitForBoxOf(run, pkg);
    REQUIRE(box != nullptr);
    CHECK(TitleOf(box) == title);
    const std::string text = BoxText(box);
    CHECK(PressButton(box, button));
    CHECK(run.Wait(30000) == 0);
    return text;
}

struct Run {
    int code = -1;
    DWORD pid = 0;
    std::string commandLine;
    std::vector<std::string> lines;  // every trace line the viewer received
};

Run RunTraced(const std::string& program, const std::string& arguments)
{
    Run run;
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());
    run.code = testsupport::RunProgram(program, arguments, 90000, &run.pid, &run.commandLine);
    viewer.Stop();
    run.lines = viewer.Lines();
    return run;
}

} // namespace

TEST_CASE("The setup program gets folder, stub parameters, entry arguments, token and origin; the folder goes")
{
    Scratch s("cmdline");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/S"));
    const Run run = RunTraced(pkg, "/L=1031");
    CHECK(run.code == 0);

    auto report = ReadReport(s.Report());
    REQUIRE_FALSE(report.empty());
    const std::string folder = report["ProgramFolder"];
    const std::string token = report["Token"];
    CHECK(IsToken(token));
    CHECK(StartsWithText(folder, stub::TempDir(true) + "SETUP_"));
    const std::string expected = folder + "\\Setup.exe /L=1031 /S /TH_ID=" + token + " /OriginExe=\"" + pkg + "\"";
    CHECK(report["CommandLine"] == expected);
    CHECK(report["AtomAtStart"] == "1");

    const auto own = OwnLines(run.lines, run.pid);
    CHECK(HasLine(own, std::to_string(run.pid) + " ==== ThisIs_AutoUpdateProg=FALSE"));
    CHECK(HasLine(own, std::to_string(run.pid) + " ==== WinExec(Setup.exe) >>" + expected + "<<"));
    CHECK(HasLine(run.lines, "========= ForegroundOp=TRUE =========="));
    CHECK_FALSE(stub::FolderExists(folder));
    // The stub removed its reference to the completion atom the double left in place.
    CHECK(GlobalFindAtomA(("AutoUpdateAtomTokenByDrovel" + token).c_str()) == 0);
}

TEST_CASE("/hide runs in the background; the setup program's exit code becomes the stub's")
{
    Scratch s("hide");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/DBL_EXIT=3010"));
    const Run run = RunTraced(pkg, "/hide");
    CHECK(run.code == 3010);
    CHECK(HasLine(run.lines, "========= ForegroundOp=FALSE =========="));
    auto report = ReadReport(s.Report());
    REQUIRE_FALSE(report.empty());
    CHECK_FALSE(stub::FolderExists(report["ProgramFolder"]));
}

TEST_CASE("A given /OriginExe= is kept; /SpanCdLvl= and /SpanDiskFName1= never reach the setup program")
{
    Scratch s("origin");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/S"));
    // Level 2 is a CD-span copy: it deletes itself and its folder at the end, so it runs from a
    // copy of its own.
    stub::ForceFolders(s.root + "\\copy");
    const std::string copy = s.root + "\\copy\\Y_Product.exe";
    REQUIRE(CopyFileA(pkg.c_str(), copy.c_str(), FALSE));
    const std::string args = "/hide /SpanCdLvl=2 /SpanDiskFName1=" + Quoted(pkg) + " /OriginExe=\"D:\\Product.exe\"";
    const Run run = RunTraced(copy, args);
    CHECK(run.code == 0);
    auto report = ReadReport(s.Report());
    REQUIRE_FALSE(report.empty());
    CHECK(report["CommandLine"] == report["ProgramFolder"] + "\\Setup.exe /hide /OriginExe=\"D:\\Product.exe\" /S /TH_ID=" +
                                       report["Token"]);
    // The copy deletes itself and its folder once it has ended.
    CHECK(WaitFor([&] { return !stub::FolderExists(s.root + "\\copy"); }, 20000));
}

TEST_CASE("A second start of the same setup executable finds the first one's window and ends at once")
{
    Scratch s("twice");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/DBL_RUN=8000"));
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());
    Started first(pkg, "/hide");
    REQUIRE(first.Running());
    REQUIRE(WaitFor([&] { return FindWindowA(pkg.c_str(), nullptr) != nullptr; }, 30000));
    DWORD pid = 0;
    std::string cmd;
    const int second = testsupport::RunProgram(pkg, "/hide", 30000, &pid, &cmd);
    CHECK(second == 0);
    CHECK(first.Wait(60000) == 0);
    viewer.Stop();
    const std::string id = std::to_string(pid);
    CHECK(OwnLines(viewer.Lines(), pid) ==
          std::vector<std::string>{id + " ==== STUB START ====> " + cmd + "<", id + " ==== ThisIs_AutoUpdateProg=FALSE",
                                   id + " ==== STUB END ====> " + cmd + "<"});
}

TEST_CASE("Completion atom: consumed means success and removes the flagged shortcuts; left in place removes none")
{
    Scratch s("atom");
    for (const bool consumed : {true, false}) {
        CAPTURE(consumed);
        const std::string pkg = s.Pkg("Product.exe");
        REQUIRE(PackSetup(pkg, consumed ? "/DBL_ATOM=1" : "", "--info-file Product.info"));
        const std::string link = s.root + "\\pkg\\StartUp.lnk";
        const std::string check = s.root + "\\pkg\\Check.lnk";
        const std::string keep = s.root + "\\pkg\\Keep.lnk";
        for (const std::string& f : {link, check, keep})
            REQUIRE(stub::WriteFile(f, "link", 0, false));
        const std::string descriptor = s.Pkg("Product.original");
        stub::WriteIniString(descriptor, "UnInstall", "StartUpLink", link);
        stub::WriteIniString(descriptor, "UnInstall", "CheckforNewUpdateLink", check);
        stub::WriteIniString(descriptor, "NewSetup", "RemoveStartUpShortcut", "1");
        stub::WriteIniString(descriptor, "NewSetup", "RemoveCheckForNewUpdateShortcut", "1");
        DeleteFileA(s.Report().c_str());
        CHECK(testsupport::RunProgram(pkg, "/hide", 90000, nullptr) == 0);
        auto report = ReadReport(s.Report());
        REQUIRE_FALSE(report.empty());
        CHECK(stub::FileExists(link) == !consumed);
        CHECK(stub::FileExists(check) == !consumed);
        CHECK(stub::FileExists(keep));
        CHECK(GlobalFindAtomA(("AutoUpdateAtomTokenByDrovel" + report["Token"]).c_str()) == 0);
    }
}

TEST_CASE("A setup dialog that outlives the setup program is waited for")
{
    Scratch s("dialog");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/DBL_DIALOG=4000"));
    CHECK(testsupport::RunProgram(pkg, "/hide", 90000, nullptr) == 0);
    auto report = ReadReport(s.Report());
    REQUIRE_FALSE(report.empty());
    // Without the wait the stub would have ended about 3 s before the dialog closed.
    CHECK(FindWindowA((".SDialog_Class_Name." + report["Token"]).c_str(), nullptr) == nullptr);
    CHECK_FALSE(stub::FolderExists(report["ProgramFolder"]));
}

TEST_CASE("A damaged package shows the bad-checksum box and starts nothing")
{
    Scratch s("crc");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "", "--level 0"));
    // One byte of the stored setup program flipped: the package checksum no longer holds.
    std::string image = stub::ReadFilePart(pkg, 0, 0);
    const std::size_t at = image.rfind("DBL_REPORT");
    REQUIRE(at != std::string::npos);
    image[at] ^= 0x20;
    REQUIRE(stub::WriteFile(pkg, image, 0, false));

    CHECK(AnswerBoxAndEnd(pkg, "Error", "OK").find("Bad CRC!") != std::string::npos);
    CHECK_FALSE(stub::FileExists(s.Report()));
}

TEST_CASE("A missing second volume shows the disk prompt; Cancel starts nothing")
{
    Scratch s("volume");
    const std::string pkg = s.Pkg("Product.exe");
    const std::string filler = s.Pkg("filler.bin");
    REQUIRE(stub::WriteFile(filler, RandomBytes(1024 * 1024, 7), 0, false));
    // The first volume holds the stub image, the blocks and part of the files only.
    const long long volume = stub::FileSizeByName(testsupport::ProgramBeside("Stub.exe")) + 512 * 1024;
    REQUIRE(PackSetup(pkg, "", "--volume-size " + std::to_string(volume) + " " + Quoted(filler)));
    REQUIRE(stub::FileExists(pkg + ".002"));
    REQUIRE(DeleteFileA((pkg + ".002").c_str()));

    CHECK(AnswerBoxAndEnd(pkg, "Attention", "Cancel").find("DISK #2") != std::string::npos);
    CHECK_FALSE(stub::FileExists(s.Report()));
}

TEST_CASE("A record that does not inflate shows zlib's message in an error box and starts nothing")
{
    Scratch s("zlib");
    const std::string pkg = s.Pkg("Product.exe");
    const std::string text = s.Pkg("notes.txt");
    std::string notes;
    while (notes.size() < 200000)
        notes += "A line of notes that deflates well, number " + std::to_string(notes.size()) + "\r\n";
    REQUIRE(stub::WriteFile(text, notes, 0, false));
    // Without a checksum the damage is found only by zlib.
    REQUIRE(PackSetup(pkg, "", "--no-checksum " + Quoted(text)));
    std::string image = stub::ReadFilePart(pkg, 0, 0);
    const long long stubSize = stub::FileSizeByName(testsupport::ProgramBeside("Stub.exe"));
    REQUIRE(image.size() > static_cast<std::size_t>(stubSize) + 4096);
    // Garble the middle of the compressed data that follows the stub image and the blocks.
    for (std::size_t i = image.size() - 600; i < image.size() - 300; ++i)
        image[i] = static_cast<char>(image[i] ^ 0x5A);
    REQUIRE(stub::WriteFile(pkg, image, 0, false));

    CHECK(AnswerBoxAndEnd(pkg, "Error", "OK").find("data error") != std::string::npos);
    CHECK_FALSE(stub::FileExists(s.Report()));
}

TEST_CASE("CD-span launcher: the Y_ copy in the working folder runs the setup from the first volume, then goes")
{
    Scratch s("cdspan");
    const std::string pkg = s.Pkg("Product.exe");
    REQUIRE(PackSetup(pkg, "/S", "--cd-span"));
    REQUIRE(CopyFileA(pkg.c_str(), (pkg + ".001").c_str(), FALSE));
    const Run run = RunTraced(pkg, "/hide /L=1031");
    CHECK(run.code == 0);
    REQUIRE(WaitFor([&] { return stub::FileExists(s.Report()); }, 60000));
    auto report = ReadReport(s.Report());
    const std::string folder = report["ProgramFolder"];
    CHECK(report["CommandLine"] ==
          folder + "\\Setup.exe /hide /L=1031 /OriginExe=\"" + pkg + "\" /S /TH_ID=" + report["Token"]);
    // The launcher itself made no window and ran no setup program.
    CHECK_FALSE(HasLine(OwnLines(run.lines, run.pid), std::to_string(run.pid) + " ==== WinExec(Setup.exe) >>" +
                                                          report["CommandLine"] + "<<"));
    CHECK(WaitFor([&] { return !stub::FolderExists(folder); }, 60000));
}

TEST_CASE("Closing the main window during extraction: the first close is only an abort request, the second ends the run")
{
    Scratch s("close");
    const std::string pkg = s.Pkg("Product.exe");
    const std::string big = s.Pkg("big.bin");
    REQUIRE(stub::WriteFile(big, RandomBytes(24 * 1024 * 1024, 11), 0, false));
    REQUIRE(PackSetup(pkg, "", "--record-size 4K --level 1 " + Quoted(big)));

    Started stubRun(pkg, "");
    REQUIRE(stubRun.Running());
    HWND window = nullptr;
    REQUIRE(WaitFor([&] { return (window = FindWindowA(pkg.c_str(), nullptr)) != nullptr && IsWindowVisible(window); },
                    30000));
    PostMessageA(window, WM_CLOSE, 0, 0);
    Sleep(500);
    CHECK(IsWindow(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    // The engine may report the writes into the removed folder once; the user answers OK.
    const DWORD pid = stubRun.pi.dwProcessId;
    int code = -1;
    REQUIRE(WaitFor(
        [&] {
            if (HWND box = FindBoxOf(pid, pkg))
                PressButton(box, "OK");
            code = stubRun.Wait(0);
            return code != -1;
        },
        90000));
    CHECK(code == 0);
    CHECK_FALSE(IsWindow(window));
    CHECK_FALSE(stub::FileExists(s.Report()));
    CHECK_FALSE(stub::FolderExists(WorkingFolderOf(pkg)));
}
