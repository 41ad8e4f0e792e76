// Packages written by drovel-pack's library, read back through the stub's reader.
#include <doctest/doctest.h>

#include "PackageTestKit.h"
#include "stub/package/Token.h"
#include "stub/services/Utils.h"
#include "tools/drovel-pack/DosTime.h"
#include "tools/drovel-pack/PackageWriter.h"
#include "tools/drovel-pack/Tool.h"

using namespace stub;

namespace {

std::string Repetitive(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; s.size() < n; ++i)
        s += "line " + std::to_string(i % 977) + " of a compressible text\n";
    s.resize(n);
    return s;
}

// A scratch folder with a stub image and some input files.
struct Fixture {
    kit::TempDir dir;
    std::map<std::string, std::string> inputs;

    Fixture()
    {
        kit::WriteBytes(dir / "Stub.exe", kit::CarrierStub(4096));
        Add("Setup.exe", kit::RandomBytes(3000, 1));
        Add("text.txt", Repetitive(250000));
        Add("noise.bin", kit::RandomBytes(200000, 2));
        Add("empty.dat", "");
    }
    void Add(const std::string& name, const std::string& bytes)
    {
        inputs[name] = bytes;
        kit::WriteBytes(dir / name, bytes);
    }
    int Tool(std::vector<std::string> args, std::string* err = nullptr)
    {
        std::string out, e;
        const int code = drovel::RunTool(args, out, e);
        if (err)
            *err = e;
        return code;
    }
    std::vector<std::string> Files()
    {
        std::vector<std::string> paths;
        for (const auto& f : inputs)
            paths.push_back(dir / f.first);
        return paths;
    }
    std::vector<std::string> Build(const std::string& out, std::vector<std::string> options)
    {
        std::vector<std::string> args = {"build", "-o", out, "-q"};
        args.insert(args.end(), options.begin(), options.end());
        for (const std::string& f : Files())
            args.push_back(f);
        return args;
    }
    bool NoTemporaries()
    {
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().string().find(".partial") != std::string::npos)
                return false;
        return true;
    }
};

} // namespace

TEST_CASE("round trip: a carrier with deflated, stored, empty and multi-record files")
{
    Fixture f;
    const std::string out = f.dir / "Setup-package.exe";
    REQUIRE(f.Tool(f.Build(out, {"--stub", f.dir / "Stub.exe", "--setup", "Setup.exe", "--args", "/S",
                                 "--record-size", "64K", "--token", "abc", "--update-url", "http://u"})) == 0);
    const kit::Unpacked u = kit::Unpack(out, out);
    CHECK(u.sound);
    CHECK(u.files == f.inputs);
    CHECK(u.setupEntry == "Setup.exe* /S");
    CHECK(u.volumes == 1);
    // Setup.exe 1, text.txt 4, noise.bin 4 (64 KiB pieces), empty.dat 1.
    CHECK(u.records == 10);

    TGFileInfo info(out);
    CHECK(info.Info().FileCount() == 4);
    CHECK(info.Info().PayloadStart() == 4096);
    CHECK(info.Info().HeaderBlockCount() == 2);
    CHECK(info.Info().Space(0) == 453000);
    CHECK(info.Info().Space(4) == (1 + 62 + 49 + 0) * 4096u);
    CHECK(info.SettingsToken(true) == "abc");
    CHECK(info.UpdateLocation() == "http://u");
    CHECK_FALSE(info.HasMoreVolumes());
    CHECK(PackageEnd(out) == 0);  // not made ready for signing
    CHECK(f.NoTemporaries());
}

TEST_CASE("round trip: level 0 stores every record, random data is stored anyway")
{
    Fixture f;
    const std::string out = f.dir / "stored.pkg";
    REQUIRE(f.Tool(f.Build(out, {"--level", "0"})) == 0);
    CHECK(kit::Unpack(out, out).files == f.inputs);
    FileSource file;
    REQUIRE(file.Open(out));
    TGFileInfo info;
    info.Create(file);
    RecordWalker walker(file, info.HeaderEnd(), PackageLimit(file));
    RecordSpan span;
    int records = 0;
    while (walker.Next(span)) {
        CHECK_FALSE(span.Deflated());
        ++records;
    }
    CHECK(records == 4);
    CHECK_FALSE(IsExecutableCarrier(out));
    CHECK(info.Info().PayloadStart() == 0);
}

TEST_CASE("round trip: volumes, with files continued across the boundaries")
{
    Fixture f;
    const std::string out = f.dir / "Setup.exe";
    REQUIRE(f.Tool(f.Build(out, {"--stub", f.dir / "Stub.exe", "--volume-size", "60K", "--record-size", "32K",
                                 "--setup", "Setup.exe"})) == 0);
    const kit::Unpacked u = kit::Unpack(out, out);
    CHECK(u.sound);
    CHECK(u.files == f.inputs);
    CHECK(u.volumes >= 4);
    int continued = 0;  // volumes whose first record goes on with the previous volume's last file
    for (std::size_t k = 1; k < u.names.size(); ++k)
        continued += !u.names[k].empty() && !u.names[k - 1].empty() && u.names[k].front() == u.names[k - 1].back();
    CHECK(continued >= 2);
    CHECK(u.setupEntry == "Setup.exe*");
    for (int k = 1; k <= u.volumes; ++k) {
        const std::string path = k == 1 ? out : out + "." + ZeroPad(k, 3);
        CAPTURE(path);
        const TGFileInfo info(path);
        CHECK(std::filesystem::file_size(path) <= 60 * 1024);
        CHECK(info.HasMoreVolumes() == (k < u.volumes));
        CHECK(info.Info().HasMagic());
        CHECK(info.Info().FileCount() == 4);
        CHECK(info.Info().PayloadStart() == (k == 1 ? 4096u : 0u));
    }
    // The engine's naming also holds for a first volume called NAME.001.
    CHECK(drovel::VolumePath(f.dir / "Setup.exe.001", 2) == f.dir / "Setup.exe.002");
    CHECK(drovel::VolumePath(f.dir / "Setup.exe", 10) == f.dir / "Setup.exe.010");

    SUBCASE("a volume with a wrong magic is no package")
    {
        const std::string second = out + ".002";
        std::string bytes = kit::ReadBytes(second);
        bytes[bytes.size() - 74 + 12] ^= 0xFF;
        kit::WriteBytes(second, bytes);
        const TGFileInfo info(second);
        CHECK_FALSE(info.Info().HasMagic());
        CHECK_FALSE(kit::Unpack(out, out).sound);
    }
}

TEST_CASE("round trip: signing-ready carriers end on 8 bytes and stay readable with data after E")
{
    Fixture f;
    // Eight lengths of a small stored file move the end through every residue, so the padding
    // record takes every length from 0 (n = 0) to 7.
    for (std::size_t extra = 1; extra <= 8; ++extra) {
        CAPTURE(extra);
        f.Add("odd.txt", std::string(extra, 'o'));
        const std::string out = f.dir / "signed.exe";
        REQUIRE(f.Tool(f.Build(out, {"--stub", f.dir / "Stub.exe", "--sign-ready"})) == 0);
        const std::uint64_t size = std::filesystem::file_size(out);
        CHECK(size % 8 == 0);
        CHECK(PackageEnd(out) == size);
        kit::Unpacked u = kit::Unpack(out, out);
        CHECK(u.sound);
        CHECK(u.emptyHeaders == 1);  // the padding record
        CHECK(u.files == f.inputs);

        std::string bytes = kit::ReadBytes(out);
        kit::WriteBytes(out, bytes + kit::RandomBytes(1000, 5) + kit::U32(74));  // a "signature"
        u = kit::Unpack(out, out);
        CHECK(u.sound);
        CHECK(u.files == f.inputs);
    }
}

TEST_CASE("round trip: checksum 1234 when asked, dates from the files")
{
    Fixture f;
    std::filesystem::last_write_time(f.dir / "text.txt", std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400));
    const std::string out = f.dir / "nock.pkg";
    REQUIRE(f.Tool(f.Build(out, {"--no-checksum"})) == 0);
    const TGFileInfo info(out);
    CHECK(info.Info().Checksum() == kNoChecksum);
    FileSource file;
    REQUIRE(file.Open(out));
    RecordWalker walker(file, info.HeaderEnd(), PackageLimit(file));
    RecordSpan span;
    const std::uint32_t expected = drovel::FileDosDateTime(f.dir / "text.txt");
    CHECK(expected != 0);
    bool seen = false;
    while (walker.Next(span)) {
        const RecordSummary s = SummarizeRecord(walker, span, 1 << 24);
        const RecordHeader h = ParseRecordHeader(s.header);
        if (h.name == "text.txt") {
            CHECK(h.dosDate == expected);
            seen = true;
        }
    }
    CHECK(seen);
}

TEST_CASE("DOS date-times: packing, range and text")
{
    const std::uint32_t dos = drovel::PackDosDateTime(2026, 12, 11, 16, 45, 31);
    const std::uint32_t date = dos >> 16;
    CHECK(date == ((2026 - 1980) << 9 | 12 << 5 | 11));
    CHECK((dos & 0xFFFF) == (16 << 11 | 45 << 5 | 15));
    CHECK(drovel::DosDateTimeText(dos) == "2026-12-11 16:45:30");  // two-second steps
    CHECK(drovel::PackDosDateTime(1979, 12, 31, 23, 59, 59) == 0);
    CHECK(drovel::PackDosDateTime(2108, 1, 1, 0, 0, 0) == 0);
    CHECK(drovel::DosDateTimeText(0) == "-");
    CHECK(drovel::FileDosDateTime("/no/such/file") == 0);
}

TEST_CASE("agent programs and web-download stubs: blocks and trailer bytes, no records")
{
    Fixture f;
    const std::string agent = f.dir / "Agent.exe", web = f.dir / "WebSetup.exe";
    REQUIRE(f.Tool({"agent", "-q", "-o", agent, "--stub", f.dir / "Stub.exe", "--agent-name", "Agent.exe",
                    "--update-url", "http://up", "--info-file", "p.info", "--token", "s3", "--agent-log"}) == 0);
    REQUIRE(f.Tool({"web-stub", "-q", "-o", web, "--stub", f.dir / "Stub.exe", "--download-url", "http://dl",
                    "--download-name", "Full.exe", "--download-package", f.dir / "noise.bin", "--token", "s3",
                    "--confirm-download", "--always-download", "--make-agent", "--agent-name", "Agent.exe"}) == 0);
    const TGFileInfo a(agent), w(web);
    CHECK(a.IsAutoUpdateProgram());
    CHECK(a.LogsAutoUpdate());
    CHECK_FALSE(a.IsWebDownload());
    CHECK(a.SettingsToken(true) == "s3");
    CHECK(a.Info().HeaderBlockCount() == 2);
    CHECK(PackageEnd(agent) == 0);
    CHECK(w.IsWebDownload());
    CHECK(w.ConfirmsDownload());
    CHECK(w.MakesAgent());
    CHECK(w.AlwaysDownloads());
    CHECK(w.DownloadSize() == "200000");
    CHECK(w.DownloadToken(true) == "s3");
    CHECK(w.Info().HeaderBlockCount() == 3);
    for (const std::string& path : {agent, web}) {
        const TGFileInfo info(path);
        CHECK(info.HeaderEnd() + 74 == std::filesystem::file_size(path));  // nothing between blocks and trailer
        CHECK(info.Info().FileCount() == 0);
        CHECK(kit::Unpack(path, path).sound);
    }
}

TEST_CASE("inform files carry the token, plain or scrambled")
{
    Fixture f;
    f.Add("body.rtf", "{\\rtf1 Hello | world}");
    for (bool scramble : {false, true}) {
        const std::string out = f.dir / "inform.txt";
        std::vector<std::string> args = {"inform", "-q", "-o", out, "--token", "Tk", "--body", f.dir / "body.rtf"};
        if (scramble)
            args.push_back("--scramble");
        REQUIRE(f.Tool(args) == 0);
        const std::string text = kit::ReadBytes(out);
        CHECK(StartsWith("Scrambled=01", text, false) == scramble);
        const auto parts = SplitTokenText(text);
        CHECK(parts.first == "Tk");
        CHECK(parts.second == "{\\rtf1 Hello | world}");
    }
}

TEST_CASE("bad input: a clear message, a non-zero exit and nothing written")
{
    Fixture f;
    const std::string out = f.dir / "bad.exe";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const std::string stub = f.dir / "Stub.exe";
    const Case cases[] = {
        {"missing file", {"build", "-o", out, f.dir / "nope.bin"}, 1, "cannot read"},
        {"a folder as file", {"build", "-o", out, f.dir.Path().string()}, 1, "cannot read"},
        {"name with a folder", {"build", "-o", out, "--store", "sub\\x.txt", f.dir / "text.txt"}, 1, "not a plain file name"},
        {"name ..", {"build", "-o", out, "--store", "..", f.dir / "text.txt"}, 1, "not a plain file name"},
        {"same name twice", {"build", "-o", out, f.dir / "text.txt", "--store", "TEXT.TXT", f.dir / "noise.bin"}, 1, "given twice"},
        {"stub without PE at 256", {"build", "-o", out, "--stub", f.dir / "text.txt", f.dir / "text.txt"}, 1, "PE header"},
        {"volume too small", {"build", "-o", out, "--stub", stub, "--volume-size", "4K", f.dir / "text.txt"}, 1, "too small"},
        {"agent name with a folder", {"build", "-o", out, "--agent-name", "a\\b.exe", f.dir / "text.txt"}, 1, "agent name"},
        {"token too long", {"build", "-o", out, "--token", std::string(300, 't'), f.dir / "text.txt"}, 1, "longer than"},
        {"bar in a settings item", {"build", "-o", out, "--update-url", "http://a|b", f.dir / "text.txt"}, 1, "'|'"},
        {"setup names no file", {"build", "-o", out, "--setup", "x.exe", f.dir / "text.txt"}, 2, "--setup"},
        {"args without setup", {"build", "-o", out, "--args", "/S", f.dir / "text.txt"}, 2, "--args"},
        {"no output", {"build", f.dir / "text.txt"}, 2, "-o"},
        {"agent with files", {"agent", "-o", out, "--stub", stub, f.dir / "text.txt"}, 2, "no files"},
        {"web-stub without a size", {"web-stub", "-o", out, "--stub", stub, "--download-url", "u", "--download-name", "n"}, 2, "--download-size"},
        {"both sizes", {"build", "-o", out, "--download-size", "5", "--download-package", stub, f.dir / "text.txt"}, 2, "either"},
        {"confirm without web download", {"build", "-o", out, "--confirm-download", f.dir / "text.txt"}, 2, "web download"},
        {"make-agent without a name", {"build", "-o", out, "--make-agent", f.dir / "text.txt"}, 2, "--agent-name"},
        {"sign-ready without a stub", {"build", "-o", out, "--sign-ready", f.dir / "text.txt"}, 2, "--stub"},
        {"level 12", {"build", "-o", out, "--level", "12", f.dir / "text.txt"}, 2, "0 to 9"},
        {"bad size", {"build", "-o", out, "--record-size", "12X", f.dir / "text.txt"}, 2, "byte count"},
        {"unknown option", {"build", "-o", out, "--frobnicate", f.dir / "text.txt"}, 2, "unknown option"},
        {"unknown command", {"pack", "-o", out}, 2, "unknown command"},
        {"value missing", {"build", "-o"}, 2, "needs a value"},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        std::string err;
        CHECK(f.Tool(c.args, &err) == c.code);
        CHECK(err.find(c.message) != std::string::npos);
        CHECK_FALSE(std::filesystem::exists(out));
        CHECK(f.NoTemporaries());
    }
}

TEST_CASE("language files become entries in the given order")
{
    Fixture f;
    f.Add("German.lng", "; comment\r\ns0=Hallo\r\n\r\nFontName=Arial\r\n");
    f.Add("French.txt", "s0=Bonjour\n");
    f.Add("Broken.txt", "s0=ok\nno equals sign\n");
    const std::string out = f.dir / "lang.pkg";
    REQUIRE(f.Tool({"build", "-q", "-o", out, "--lang", f.dir / "German.lng", "--lang", f.dir / "French.txt", f.dir / "empty.dat"}) == 0);
    const TGFileInfo info(out);
    const std::string block = info.LanguageBlock();
    CHECK(block == "\x02\x01German\x01s0=Hallo\x01" "FontName=Arial\x01\x02\x01" "French\x01s0=Bonjour\x01\x02");
    std::string err;
    CHECK(f.Tool({"build", "-o", out + "2", "--lang", f.dir / "Broken.txt", f.dir / "empty.dat"}, &err) == 1);
    CHECK(err.find("line 2") != std::string::npos);
}
