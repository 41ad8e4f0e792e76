#include <doctest/doctest.h>

#include <climits>
#include <zlib.h>

#include "PackageTestKit.h"

using namespace stub;

namespace {

// Remembers the furthest byte anybody read.
class WatchedSource : public MemorySource {
public:
    explicit WatchedSource(const std::string& bytes) : MemorySource(bytes) {}
    std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t count) override
    {
        const std::size_t n = MemorySource::ReadAt(offset, out, count);
        if (n > 0)
            furthest = std::max(furthest, offset + n);
        return n;
    }
    std::uint64_t furthest = 0;
};

std::string Deflated(const std::string& content)
{
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(content.data()),
              static_cast<uLong>(content.size()), 9);
    out.resize(size);
    return kit::U32(static_cast<std::uint32_t>(size)) + out;
}

struct Walk {
    std::vector<RecordSpan> records;
    WalkStop stop = WalkStop::None;
    std::uint64_t position = 0;
};

Walk WalkAll(ByteSource& source, std::uint64_t start, std::uint64_t limit)
{
    Walk w;
    RecordWalker walker(source, start, limit);
    RecordSpan span;
    while (walker.Next(span)) {
        std::string body;
        if (walker.ReadBody(span, body))
            w.records.push_back(span);
    }
    w.stop = walker.Stop();
    w.position = walker.Position();
    return w;
}

} // namespace

TEST_CASE("walker: records up to the trailer, stopping with exactly 74 bytes left")
{
    const std::string records = kit::StoredRecord("|a.txt|0|\0abc") + Deflated(std::string("|b|0|\0", 6) + std::string(500, 'b')) +
                                kit::U32(0);
    const std::string file = records + kit::MakeTrailer(0).Bytes();
    MemorySource source(file);
    const Walk w = WalkAll(source, 0, file.size());
    REQUIRE(w.records.size() == 3);
    CHECK_FALSE(w.records[0].Deflated());
    CHECK(w.records[1].Deflated());
    CHECK(w.records[2].n == 0);
    CHECK(w.records[2].bodyLength == 0);
    CHECK(w.stop == WalkStop::End);
    CHECK(file.size() - w.position == 74);

    // 75 bytes left: one more record is tried (its length reads into the trailer) and refused.
    const std::string longer = records + "X" + kit::MakeTrailer(0).Bytes();
    MemorySource l(longer);
    CHECK(WalkAll(l, 0, longer.size()).stop == WalkStop::BodyTooLong);
}

TEST_CASE("walker: bytes after E are never read")
{
    std::string image = kit::CarrierStub() + kit::StoredRecord(std::string("|f|0|\0xyz", 9));
    image += kit::MakeTrailer(1024).Bytes();
    const std::uint64_t e = image.size();
    kit::SetPackageEnd(image, e);
    const std::string file = image + kit::U32(100) + std::string(100, 'S');  // looks like a record
    WatchedSource source(file);
    const Walk w = WalkAll(source, 1024, PackageLimit(source));
    CHECK(w.records.size() == 1);
    CHECK(w.stop == WalkStop::End);
    CHECK(source.furthest <= e);
}

TEST_CASE("walker: hostile lengths stop the walk with a reason, never an over-read")
{
    struct Case {
        const char* what;
        std::string records;
        WalkStop stop;
        std::size_t good;
    };
    const Case cases[] = {
        {"INT_MIN", kit::U32(0x80000000u), WalkStop::BodyTooLong, 0},
        {"-1 000 000", kit::U32(static_cast<std::uint32_t>(-1000000)), WalkStop::BodyTooLong, 0},
        {"positive, into the trailer", kit::U32(20) + "0123456789", WalkStop::BodyTooLong, 0},
        {"INT_MAX", kit::U32(0x7FFFFFFF), WalkStop::BodyTooLong, 0},
        {"one good, then one too long", kit::StoredRecord("ok") + kit::U32(static_cast<std::uint32_t>(-50)), WalkStop::BodyTooLong, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        const std::string file = c.records + kit::MakeTrailer(0).Bytes();
        WatchedSource source(file);
        const Walk w = WalkAll(source, 0, file.size());
        CHECK(w.stop == c.stop);
        CHECK(w.records.size() == c.good);
        CHECK(source.furthest <= file.size());
    }
}

TEST_CASE("walker: a limit past the file and a truncated body")
{
    const std::string file = kit::StoredRecord("abc") + kit::MakeTrailer(0).Bytes();
    SUBCASE("a limit beyond the file is cut to the file")
    {
        MemorySource source(file);
        RecordWalker walker(source, 0, file.size() + 1000);
        CHECK(walker.Limit() == file.size());
        CHECK(WalkAll(source, 0, file.size() + 1000).records.size() == 1);
    }
    SUBCASE("a source that delivers less than it claims")
    {
        class ShortSource : public MemorySource {
        public:
            using MemorySource::MemorySource;
            std::size_t ReadAt(std::uint64_t offset, void* out, std::size_t count) override
            {
                return offset >= 4 ? 0 : MemorySource::ReadAt(offset, out, count);
            }
        };
        ShortSource source(file);
        RecordWalker walker(source, 0, file.size());
        RecordSpan span;
        REQUIRE(walker.Next(span));
        std::string body;
        CHECK_FALSE(walker.ReadBody(span, body));
        CHECK(walker.Stop() == WalkStop::Truncated);
        CHECK_FALSE(walker.Next(span));
    }
    SUBCASE("a source whose reads fail: the length cannot be read")
    {
        class FailingSource : public MemorySource {
        public:
            using MemorySource::MemorySource;
            std::size_t ReadAt(std::uint64_t, void*, std::size_t) override { return 0; }
        };
        FailingSource source(file);
        CHECK(WalkAll(source, 0, file.size()).stop == WalkStop::ShortLength);
    }
    SUBCASE("a start past the limit ends at once")
    {
        MemorySource source(file);
        CHECK(WalkAll(source, file.size() + 5, file.size()).stop == WalkStop::End);
    }
}

TEST_CASE("record content and header")
{
    const RecordContent c = SplitRecordContent(std::string("|a|1|\0data\0more", 15));
    CHECK(c.header == "|a|1|");
    CHECK(c.data == std::string("data\0more", 9));
    CHECK(SplitRecordContent("no nul").header == "no nul");
    CHECK(SplitRecordContent("no nul").data.empty());

    struct Case {
        const char* header;
        bool empty;
        const char* name;
        const char* setupEntry;
        const char* arguments;
        std::uint32_t date;
    };
    const Case cases[] = {
        {"", true, "", "", "", 0},
        {"|readme.txt|1234567|", false, "readme.txt", "", "", 1234567},
        {"|Setup.exe*|0|", false, "Setup.exe", "Setup.exe*", "", 0},
        {"|Setup.exe* /S|99|", false, "Setup.exe", "Setup.exe* /S", " /S", 99},
        {"^a.b^x^", false, "a.b", "", "", 0},
        {"|odd|12*3|", false, "odd", "|odd|12*3|", "", 0},
        {"|n|-5|", false, "n", "", "", 0},
        {"|n|99999999999|", false, "n", "", "", 0},
    };
    for (const Case& k : cases) {
        CAPTURE(std::string(k.header));
        const RecordHeader h = ParseRecordHeader(k.header);
        CHECK(h.empty == k.empty);
        CHECK(h.name == k.name);
        CHECK(h.setupEntry == k.setupEntry);
        CHECK(h.arguments == k.arguments);
        CHECK(h.dosDate == k.date);
    }
    CHECK(MakeRecordHeader("Setup.exe", true, "/S", 7) == "|Setup.exe* /S|7|");
    CHECK(MakeRecordHeader("a", false, "", 0) == "|a|0|");
}

TEST_CASE("record summary: header kept, data counted, broken and oversized streams refused")
{
    const std::string content = std::string("|f.bin|5|\0", 10) + std::string(100000, 'z');
    std::string file = Deflated(content) + kit::StoredRecord(content) + kit::MakeTrailer(0).Bytes();
    MemorySource source(file);
    RecordWalker walker(source, 0, file.size());
    RecordSpan span;
    REQUIRE(walker.Next(span));
    RecordSummary s = SummarizeRecord(walker, span, 1 << 20);
    CHECK(s.ok);
    CHECK(s.header == "|f.bin|5|");
    CHECK(s.dataLength == 100000);
    REQUIRE(walker.Next(span));
    s = SummarizeRecord(walker, span, 1 << 20);
    CHECK(s.ok);
    CHECK(s.dataLength == 100000);

    MemorySource again(file);
    RecordWalker bounded(again, 0, file.size());
    REQUIRE(bounded.Next(span));
    CHECK_FALSE(SummarizeRecord(bounded, span, 5000).ok);  // inflates past the bound

    std::string broken = file;
    broken[10] ^= 0x5A;
    MemorySource b(broken);
    RecordWalker brokenWalker(b, 0, broken.size());
    REQUIRE(brokenWalker.Next(span));
    s = SummarizeRecord(brokenWalker, span, 1 << 20);
    CHECK_FALSE(s.ok);
    CHECK(s.zlibCode < 0);
}
