// The extraction engine over packages made byte by byte: records of every kind, volumes,
// checksums, the agent copy, the disk prompt and hostile packages.
#include <doctest/doctest.h>

#include <climits>
#include <filesystem>

#include "FakeExtractHost.h"
#include "PackageFixture.h"
#include "stub/package/ExtractEngine.h"
#include "stub/package/TGFileInfo.h"
#include "stub/package/WorkingFolders.h"
#include "stub/services/Trace.h"

using namespace stub;
using fixture::FakeExtractHost;
using fixture::Package;

namespace {

const std::string kDest = "DEST";
std::string Target(const std::string& name) { return kDest + "\\" + name; }

std::vector<std::string> g_trace;
void Collect(const std::string& piece) { g_trace.push_back(piece); }
bool Traced(const std::string& text)
{
    for (const auto& t : g_trace)
        if (t.find(text) != std::string::npos)
            return true;
    return false;
}

// A folder of volume files for one test case.
struct Volumes {
    std::filesystem::path dir;
    explicit Volumes(const char* name)
    {
        dir = std::filesystem::temp_directory_path() / ("extract_test_" + std::string(name));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        g_trace.clear();
        TraceOut().SetSink(Collect);
    }
    ~Volumes()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        StdioFile f;
        REQUIRE(f.Open(Path(name), "wb"));
        REQUIRE(f.Write(bytes));
        REQUIRE(f.Close());
        return Path(name);
    }
};

ExtractRequest Request(const std::string& package)
{
    ExtractRequest r;
    r.package_path = package;
    r.dest_folder = kDest;
    r.disk_prompt = "Insert disk <disk_num> and press OK.";
    r.prompt_title = "Disk";
    r.button_texts = "|&OK|&Cancel|";
    return r;
}

// Volume k of a spanned package (k >= 2 holds no header blocks).
Package LaterVolume(bool more)
{
    Package p;
    p.trailer.SetFlag(kFlagMoreVolumes, more);
    return p;
}

} // namespace

TEST_CASE("one volume: stored, deflated, empty and empty-header records")
{
    Volumes v("one");
    Package p = fixture::FirstVolume();
    p.trailer.SetFileCount(4);
    p.Stored("|readme.txt|" + std::to_string(0x30A51234u) + "|", "plain text\r\n");
    p.Deflated("|Setup.exe* /S||", std::string(100000, 'S'));
    p.Raw(0, "");                               // n = 0: empty content, nothing written
    p.Stored("", "data without a name");        // empty header: carries nothing
    p.Deflated("|empty.dat|0|", "");            // an empty file is still created
    p.Deflated("|readme.txt|x|", "more");       // appended to the earlier piece
    const std::string path = v.Write("Setup.exe", p.Build());

    FakeExtractHost host;
    const ExtractResult r = RunExtraction(Request(path), host);
    CHECK(r.checksum_ok);
    CHECK(r.error.empty());
    CHECK(r.setup_entry == "Setup.exe* /S");
    CHECK(host.files.size() == 3);
    CHECK(host.files[Target("readme.txt")] == "plain text\r\nmore");
    CHECK(host.files[Target("Setup.exe")] == std::string(100000, 'S'));
    CHECK(host.files[Target("empty.dat")].empty());
    CHECK(host.dates[Target("readme.txt")] == 0x30A51234u);
    CHECK(host.dates.count(Target("Setup.exe")) == 0);
    CHECK(host.progress == std::vector<std::string>{"reset 0", "reset 4", "step", "step", "step"});
    CHECK(host.boxes.empty());
    CHECK(host.folders == std::vector<std::string>{kDest});
    CHECK(host.pumps >= 6);
    CHECK(Traced("FileInfo.FilesCount=4"));
    CHECK(Traced("FileLen=" + std::to_string(std::filesystem::file_size(path))));
    CHECK(Traced("UnCompressTime: "));
}

TEST_CASE("three volumes: a file continued across both boundaries steps the progress once")
{
    Volumes v("three");
    const std::string a(70000, 'a'), b(5000, 'b'), c(300, 'c');
    Package v1 = fixture::FirstVolume();
    v1.trailer.SetFlag(kFlagMoreVolumes, true);
    v1.trailer.SetFileCount(2);
    v1.Deflated("|first.txt|0|", "1");
    v1.Deflated("|big.bin|0|", a);
    Package v2 = LaterVolume(true);
    v2.Stored("|big.bin|0|", b);
    Package v3 = LaterVolume(false);
    v3.Deflated("|big.bin|0|", c);
    v3.Deflated("|Run.exe*||", "r");
    const std::string first = v.Write("Setup.exe.001", v1.Build());
    v.Write("Setup.exe.002", v2.Build());
    v.Write("Setup.exe.003", v3.Build());

    FakeExtractHost host;
    const ExtractResult r = RunExtraction(Request(first), host);
    CHECK(r.checksum_ok);
    CHECK(r.setup_entry == "Run.exe*");
    CHECK(host.files[Target("big.bin")] == a + b + c);
    // first.txt, big.bin, two volume changes, Run.exe.
    CHECK(host.progress == std::vector<std::string>{"reset 0", "reset 2", "step", "step", "step", "step", "step"});
    CHECK(host.boxes.empty());
    CHECK(host.autoplay == 2);
    CHECK(host.ejected.empty());
}

TEST_CASE("volume paths")
{
    CHECK(VolumeBaseName("D:\\Setup.exe.001") == "D:\\Setup.exe");
    CHECK(VolumeBaseName("D:\\Setup.exe") == "D:\\Setup.exe");
    CHECK(VolumeBaseName("D:\\Setup.001.exe") == "D:\\Setup.001.exe");
    CHECK(VolumePath(VolumeBaseName("D:\\Setup.exe.001"), 2) == "D:\\Setup.exe.002");
    CHECK(VolumePath(VolumeBaseName("D:\\Setup.exe"), 2) == "D:\\Setup.exe.002");
    CHECK(VolumePath("D:\\Setup.exe", 10) == "D:\\Setup.exe.010");
    CHECK(VolumePath("D:\\Setup.exe", 1234) == "D:\\Setup.exe.1234");
}

TEST_CASE("checksums: a wrong magic skips the volume, a mismatch ends the run, 1234 passes")
{
    Volumes v("checks");
    Package v1 = fixture::FirstVolume();
    v1.trailer.SetFlag(kFlagMoreVolumes, true);
    v1.Deflated("|one.txt|0|", "1");
    Package v2 = LaterVolume(true);
    v2.Deflated("|two.txt|0|", "2");
    Package v3 = LaterVolume(false);
    v3.Deflated("|three.txt|0|", "3");

    SUBCASE("wrong magic with a correct checksum: skipped, the flag stays, volume 3 follows")
    {
        v2.trailer.SetMagic(0x11223344);
        const std::string first = v.Write("Setup.exe", v1.Build());
        v.Write("Setup.exe.002", v2.Build());
        v.Write("Setup.exe.003", v3.Build());
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(first), host);
        CHECK(r.checksum_ok);
        CHECK(host.files.count(Target("two.txt")) == 0);
        CHECK(host.files[Target("three.txt")] == "3");
    }
    SUBCASE("a mismatch on volume 2 ends the run after volume 1")
    {
        v2.checksum = false;
        v2.trailer.SetChecksum(99);
        const std::string first = v.Write("Setup.exe", v1.Build());
        v.Write("Setup.exe.002", v2.Build());
        v.Write("Setup.exe.003", v3.Build());
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(first), host);
        CHECK_FALSE(r.checksum_ok);
        CHECK(host.files.count(Target("one.txt")) == 1);
        CHECK(host.files.count(Target("two.txt")) == 0);
        CHECK(host.files.count(Target("three.txt")) == 0);
    }
    SUBCASE("a mismatch on volume 1 extracts nothing")
    {
        v1.checksum = false;
        v1.trailer.SetChecksum(99);
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", v1.Build())), host);
        CHECK_FALSE(r.checksum_ok);
        CHECK(host.files.empty());
    }
    SUBCASE("a stored checksum of 1234 passes whatever the content")
    {
        v1.checksum = false;
        v1.trailer.SetChecksum(kNoChecksum);
        v1.trailer.SetFlag(kFlagMoreVolumes, false);
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", v1.Build())), host);
        CHECK(r.checksum_ok);
        CHECK(host.files[Target("one.txt")] == "1");
    }
    SUBCASE("a missing first volume: nothing, checksum not ok")
    {
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(v.Path("Nothing.exe")), host);
        CHECK_FALSE(r.checksum_ok);
        CHECK(host.files.empty());
        CHECK(host.progress == std::vector<std::string>{"reset 0"});
    }
}

TEST_CASE("the record loop stops 74 bytes before E; bytes after E are never read")
{
    Volumes v("limits");
    Package p = fixture::FirstVolume();
    p.Deflated("|in.txt|0|", "inside");
    Package tail;  // what follows E looks like a record, but is a signature
    tail.Stored("|after.txt|0|", "outside");
    p.after = tail.records + std::string(200, 'z');
    FakeExtractHost host;
    const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", p.Build())), host);
    CHECK(r.checksum_ok);
    CHECK(host.files.size() == 1);
    CHECK(host.files[Target("in.txt")] == "inside");
    CHECK_FALSE(Traced("Volume ends early"));  // exactly 74 bytes were left: the trailer
}

TEST_CASE("with 75 bytes left the loop reads one more length, which cannot fit: the volume ends")
{
    Volumes v("seventyfive");
    Package p = fixture::FirstVolume();
    p.Deflated("|in.txt|0|", "inside");
    p.records += '\x01';
    FakeExtractHost host;
    const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", p.Build())), host);
    CHECK(r.checksum_ok);
    CHECK(host.files.size() == 1);
    CHECK(Traced("Volume ends early: record body reaches past the records"));
}

TEST_CASE("agent copy: stub image and header blocks, then the trailer marked as an agent")
{
    Volumes v("agent");
    Package p = fixture::FirstVolume();
    p.trailer.SetMakeAgent(true);
    p.trailer.SetFlag(kFlagSecondBar, true);
    p.trailer.SetFileCount(1);
    p.Deflated("|app.txt|0|", "app");
    const std::string bytes = p.Build();
    const std::size_t header_end = p.head.size() + 8 + p.blocks[0].size() + p.blocks[1].size();

    SUBCASE("made from a carrier ending in .exe")
    {
        const std::string path = v.Write("Setup.exe", bytes);
        FakeExtractHost host;
        ExtractRequest rq = Request(path);
        rq.agent_name = "agents\\MyAgent.exe";
        RunExtraction(rq, host);
        REQUIRE(host.files.count(Target("MyAgent.exe")) == 1);
        const std::string copy = host.files[Target("MyAgent.exe")];
        REQUIRE(copy.size() == header_end + kTrailerSize);
        std::string expected_head = bytes.substr(0, header_end);
        expected_head.replace(252, 4, std::string(4, '\0'));
        CHECK(copy.substr(0, header_end) == expected_head);
        MemorySource source(copy);
        CHECK(source.ReadU32(248) == 0);
        CHECK(source.ReadU32(252) == 0);
        Trailer t;
        ReadTrailer(source, t);
        Trailer original;
        MemorySource package(bytes);
        ReadTrailer(package, original);
        CHECK(t.AutoUpdateProgram());
        CHECK(t.Length() == 74);
        CHECK(t.Flag(kFlagSecondBar));
        CHECK(t.FileCount() == 1);
        CHECK(t.Checksum() == original.Checksum());
        CHECK(t.PayloadStart() == original.PayloadStart());
        CHECK(host.dates[Target("MyAgent.exe")] == host.volume_date);
        CHECK(Traced("77 New AU-Agent: " + Target("MyAgent.exe")));
        // As a package of its own: the header blocks and no records.
        FakeExtractHost again;
        const std::string agent_path = v.Write("MyAgent.exe", copy);
        const ExtractResult r = RunExtraction(Request(agent_path), again);
        CHECK(again.files.empty());
        CHECK(r.setup_entry.empty());
    }
    SUBCASE("no copy without a file-name part, or from a .001 volume without .exe")
    {
        struct Case { const char* file; const char* agent; bool made; };
        const Case cases[] = {
            {"Setup.EXE.001", "MyAgent.exe", true},
            {"Setup.001", "MyAgent.exe", false},
            {"Setup.exe", "agents\\", false},
            {"Setup.exe", "", false},
            {"Setup.exe", "..", false},
        };
        for (const Case& c : cases) {
            CAPTURE(c.file);
            CAPTURE(c.agent);
            FakeExtractHost host;
            ExtractRequest rq = Request(v.Write(c.file, bytes));
            rq.agent_name = c.agent;
            RunExtraction(rq, host);
            CHECK(host.files.size() == (c.made ? 2u : 1u));
        }
    }
}

TEST_CASE("disk prompt: asked until the volume is there, Cancel ends the run")
{
    Volumes v("prompt");
    Package v1 = fixture::FirstVolume();
    v1.trailer.SetFlag(kFlagMoreVolumes, true);
    v1.Deflated("|Setup.exe*||", "s");
    Package v2 = LaterVolume(false);
    v2.Deflated("|two.txt|0|", "2");
    const std::string first = v.Write("Setup.exe", v1.Build());
    const std::string second = v.Path("Setup.exe.002");

    SUBCASE("OK after the disk is inserted")
    {
        FakeExtractHost host;
        int asked = 0;
        host.answer = [&](const ExtractBox& b) {
            if (++asked == 2)  // the user inserts the disk while the second prompt shows
                v.Write("Setup.exe.002", v2.Build());
            return true;
        };
        const ExtractResult r = RunExtraction(Request(first), host);
        CHECK(asked == 2);
        REQUIRE(host.boxes.size() == 2);
        CHECK(host.boxes[0].kind == ExtractBoxKind::DiskPrompt);
        CHECK(host.boxes[0].text == "Insert disk 2 and press OK.");
        CHECK(host.boxes[0].caption == "Disk");
        CHECK(host.boxes[0].buttons == "|&OK|&Cancel|");
        CHECK(host.ejected == std::vector<std::string>{second});
        CHECK(host.files[Target("two.txt")] == "2");
        CHECK(r.setup_entry == "Setup.exe*");
    }
    SUBCASE("Cancel: no further volumes, setup entry cleared")
    {
        FakeExtractHost host;  // its default answer to the prompt is Cancel
        const ExtractResult r = RunExtraction(Request(first), host);
        CHECK(host.boxes.size() == 1);
        CHECK(r.checksum_ok);
        CHECK(r.setup_entry.empty());
        CHECK(host.files.count(Target("two.txt")) == 0);
    }
    SUBCASE("force_prompt asks even when the volume is present")
    {
        v.Write("Setup.exe.002", v2.Build());
        FakeExtractHost host;
        host.answer = [](const ExtractBox&) { return true; };
        ExtractRequest rq = Request(first);
        rq.force_prompt = true;
        RunExtraction(rq, host);
        CHECK(host.boxes.size() == 1);
        CHECK(host.files[Target("two.txt")] == "2");
    }
}

TEST_CASE("hostile names are not written and count as failed writes")
{
    Volumes v("names");
    const char* names[] = {"..\\evil.txt", "sub/evil.txt", "C:evil.txt", ".", "..", "a\\b", "nul\x01", "", "PRN", "com3.txt"};
    for (const char* name : names) {
        CAPTURE(name);
        Package p = fixture::FirstVolume();
        p.Deflated("|" + std::string(name) + "*||", "payload");
        p.Deflated("|fine.txt|0|", "ok");
        FakeExtractHost host;
        const int before = WriteFailureCount();
        const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", p.Build())), host);
        CHECK(WriteFailureCount() == before + 1);
        CHECK(host.files.size() == 1);
        CHECK(host.files[Target("fine.txt")] == "ok");
        CHECK(r.setup_entry.empty());  // an unsafe name never becomes the program to run
    }
    CHECK(Traced("Unsafe file name in package, not written: ..\\evil.txt"));
}

TEST_CASE("hostile record lengths end the volume without reading beyond it")
{
    Volumes v("lengths");
    struct Case { const char* what; std::int32_t n; std::size_t body; };
    const Case cases[] = {
        {"INT_MIN", INT_MIN, 0},
        {"negative beyond the body", -1000000, 10},
        {"longer than the rest", 1000000, 10},
        {"into the trailer", 30, 20},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        g_trace.clear();
        Package p = fixture::FirstVolume();
        p.Deflated("|before.txt|0|", "b");
        p.Raw(c.n, std::string(c.body, 'x'));
        FakeExtractHost host;
        const ExtractResult r = RunExtraction(Request(v.Write("Setup.exe", p.Build())), host);
        CHECK(r.checksum_ok);
        CHECK(host.files.size() == 1);
        CHECK(host.files[Target("before.txt")] == "b");
        CHECK(Traced("Volume ends early: record body reaches past the records"));
    }
    SUBCASE("a cut record length")
    {
        Package p = fixture::FirstVolume();
        p.Deflated("|before.txt|0|", "b");
        std::string bytes = p.Build();
        bytes.resize(bytes.size() - 2);  // the trailer is now read two bytes early: not a package
        FakeExtractHost host;
        RunExtraction(Request(v.Write("Setup.exe", bytes)), host);
        CHECK(host.files.empty());
    }
}

TEST_CASE("records that do not inflate end the run with zlib's message, shown to the user")
{
    Volumes v("inflate");
    struct Case { std::string what, body, message; };
    const std::string corrupt("\x78\x9c\x07\x00\x00\x00", 6);  // a block of the reserved type
    const std::string whole = fixture::Deflate("|cut.txt|0|" + std::string(1, '\0') + std::string(50000, 'c'));
    const std::string dictionary("\x78\xbb\x00\x00\x00\x01", 6);  // asks for a preset dictionary
    const Case cases[] = {
        {"not zlib", "garbage!", "data error"},
        {"corrupt", corrupt, "data error"},
        {"truncated stream", whole.substr(0, whole.size() / 2), "buffer error"},
        {"preset dictionary", dictionary, "data error"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Package p = fixture::FirstVolume();
        p.Deflated("|Setup.exe*||", "s");
        p.Raw(static_cast<std::int32_t>(c.body.size()), c.body);
        p.Deflated("|later.txt|0|", "l");
        FakeExtractHost host;
        const std::string path = v.Write("Setup.exe", p.Build());
        const ExtractResult r = RunExtraction(Request(path), host);
        CHECK(r.error == c.message);
        CHECK(r.setup_entry.empty());
        CHECK(host.files.count(Target("later.txt")) == 0);
        REQUIRE(host.boxes.size() == 1);
        CHECK(host.boxes[0].kind == ExtractBoxKind::InflateError);
        CHECK(host.boxes[0].text == path + "<P><P>" + r.error);
    }
}

TEST_CASE("a record inflating past the bound ends the run; memory stays bounded")
{
    Volumes v("bound");
    Package p = fixture::FirstVolume();
    p.Deflated("|bomb.bin|0|", std::string(3 * 1024 * 1024, '\0'));
    FakeExtractHost host;
    ExtractRequest rq = Request(v.Write("Setup.exe", p.Build()));
    rq.max_record_content = 1024 * 1024;
    const ExtractResult r = RunExtraction(rq, host);
    CHECK(r.error == "insufficient memory");
    CHECK(host.files[Target("bomb.bin")].size() <= rq.max_record_content);
    SUBCASE("a stored body above the bound is not read at all")
    {
        Package s = fixture::FirstVolume();
        s.Stored("|big.bin|0|", std::string(2 * 1024 * 1024, 'b'));
        FakeExtractHost h2;
        ExtractRequest r2 = Request(v.Write("Setup2.exe", s.Build()));
        r2.max_record_content = 1024 * 1024;
        CHECK(RunExtraction(r2, h2).error == "insufficient memory");
        CHECK(h2.files.empty());
    }
}

TEST_CASE("a header without NUL is all header; one too long for a name is refused")
{
    Volumes v("headers");
    Package p = fixture::FirstVolume();
    p.Raw(-static_cast<std::int32_t>(std::string("|nonul.txt|0|").size()), "|nonul.txt|0|");
    const std::string huge = "|" + std::string(70000, 'h') + "|0|";
    p.Deflated(huge, "data");
    FakeExtractHost host;
    const int before = WriteFailureCount();
    RunExtraction(Request(v.Write("Setup.exe", p.Build())), host);
    CHECK(host.files.size() == 1);
    CHECK(host.files[Target("nonul.txt")].empty());
    CHECK(WriteFailureCount() == before + 1);
    CHECK(Traced("Record header too long"));
}

TEST_CASE("working folder names and the roomier drive")
{
    CHECK(WorkingFolderName("C:\\TEMP\\", 0x30A5ABCDu) == "C:\\TEMP\\SETUP_" + std::to_string(0xABCD));
    CHECK(WorkingFolderName("C:\\TEMP\\", 0) == "C:\\TEMP\\SETUP_0");
    const double none[3] = {0, 0, 0}, d_most[3] = {100, 300, 200}, c_most[3] = {500, 300, 200}, tie[3] = {100, 100, 0};
    CHECK(RoomierDrive('c', none) == 'C');
    CHECK(RoomierDrive('C', d_most) == 'D');
    CHECK(RoomierDrive('D', c_most) == 'C');
    CHECK(RoomierDrive('E', tie) == 'C');  // strictly more: the first of equals wins
}

TEST_CASE("OriginalFileName of packages read from bytes")
{
    struct Case { const char* item; const char* original; };
    const Case cases[] = {
        {"updates\\MyApp.info", "MyApp.original"},
        {".info", ".original"},
        {"updates/MyApp.info", "updates/MyApp.original"},  // a slash does not split the name
        {"C:MyApp.v2.info", "MyApp.original"},             // without any extension
        {"MyApp", "MyApp.original"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.item);
        Package p = fixture::FirstVolume(false);
        p.blocks[1] = std::string("|url|") + c.item + "|agent.exe|x|0|";
        const std::string bytes = p.Build();
        MemorySource source(bytes);
        TGFileInfo info;
        info.Create(source);
        CHECK(info.OriginalFileName() == c.original);
    }
}
