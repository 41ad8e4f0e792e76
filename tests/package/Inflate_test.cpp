#include <doctest/doctest.h>

#include "PackageFixture.h"
#include "stub/package/Inflate.h"

using namespace stub;

TEST_CASE("InflateText returns the whole content and dispatches messages between rounds")
{
    std::string content;
    for (int i = 0; i < 300000; ++i)
        content += static_cast<char>('a' + i % 23);
    static int pumps;
    pumps = 0;
    CHECK(InflateText(fixture::Deflate(content), [] { ++pumps; }) == content);
    CHECK(pumps >= 2);  // more than one 256 KiB round
    CHECK(InflateText(fixture::Deflate("")).empty());
    CHECK(InflateText(fixture::Deflate("x", 0)) == "x");  // stored blocks inside the stream
}

TEST_CASE("InflateText failures raise EZLibError with zlib's message")
{
    struct Case { std::string what, data, message; };
    const std::string whole = fixture::Deflate(std::string(10000, 'w'));
    const Case cases[] = {
        {"empty input", "", "buffer error"},
        {"no zlib header", "plain text", "data error"},
        {"truncated", whole.substr(0, whole.size() - 3), "buffer error"},
        {"preset dictionary", std::string("\x78\xbb\x00\x00\x00\x01", 6), "data error"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        bool raised = false;
        try {
            InflateText(c.data);
        } catch (const EZLibError& e) {
            raised = true;
            CHECK(std::string(e.what()) == c.message);
        }
        CHECK(raised);
    }
    CHECK(ZLibMessage(2) == "need dictionary");
    CHECK(ZLibMessage(-4) == "insufficient memory");
    CHECK(ZLibMessage(-6) == "incompatible version");
}

namespace {
struct Counter : ByteSink {
    std::uint64_t bytes = 0;
    int calls = 0;
    void Put(const char*, std::size_t len) override
    {
        bytes += len;
        ++calls;
    }
};
} // namespace

TEST_CASE("Inflater: pieces of input, bounded output pieces, the output limit")
{
    const std::string content(5 * 1024 * 1024, 'z');
    const std::string stream = fixture::Deflate(content);
    SUBCASE("fed in 7-byte pieces, the output arrives in pieces of at most 256 KiB")
    {
        Counter sink;
        Inflater inflater;
        int rc = 0;
        for (std::size_t at = 0; at < stream.size() && rc == 0; at += 7)
            rc = inflater.Feed(stream.data() + at, std::min<std::size_t>(7, stream.size() - at), sink);
        CHECK(rc == 1);
        CHECK(inflater.Finish() == 1);
        CHECK(sink.bytes == content.size());
        CHECK(sink.calls >= 20);
    }
    SUBCASE("output past the limit stops with insufficient memory")
    {
        Counter sink;
        Inflater inflater(nullptr, 1024 * 1024);
        CHECK(inflater.Feed(stream.data(), stream.size(), sink) == -4);
        CHECK(inflater.Finish() == -4);
        CHECK(sink.bytes <= 1024 * 1024);
    }
    SUBCASE("input after the end of the stream is ignored")
    {
        Counter sink;
        Inflater inflater;
        const std::string more = stream + "trailing bytes";
        CHECK(inflater.Feed(more.data(), more.size(), sink) == 1);
        CHECK(sink.bytes == content.size());
    }
}
