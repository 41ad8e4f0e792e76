#include <doctest/doctest.h>
#include "stub/services/Trace.h"
#include <vector>

namespace {
std::vector<std::string> g_pieces;
void Collect(const std::string& piece) { g_pieces.push_back(piece); }
} // namespace

TEST_CASE("trace pieces: line ends and full buffers hand over, in order")
{
    stub::TraceStream t;
    t.SetSink(Collect);
    g_pieces.clear();

    SUBCASE("a 300-character line arrives as 128, 128 and 44 plus CR LF")
    {
        t << std::string(300, 'x') << stub::kEol;
        REQUIRE(g_pieces.size() == 3);
        CHECK(g_pieces[0] == std::string(128, 'x'));
        CHECK(g_pieces[1] == std::string(128, 'x'));
        CHECK(g_pieces[2] == std::string(44, 'x') + "\r\n");
    }
    SUBCASE("numbers and booleans are written plainly")
    {
        t << 1234 << " " << -5 << " " << true << " " << false << 18446744073709551615ULL << stub::kEol;
        REQUIRE(g_pieces.size() == 1);
        CHECK(g_pieces[0] == "1234 -5 TRUE FALSE18446744073709551615\r\n");
    }
    SUBCASE("text without a line end stays buffered until flushed")
    {
        t << "partial";
        CHECK(g_pieces.empty());
        t.Flush();
        REQUIRE(g_pieces.size() == 1);
        CHECK(g_pieces[0] == "partial");
        t.Flush();
        CHECK(g_pieces.size() == 1);
    }
}

TEST_CASE("without a sink the text is discarded and the buffer still empties")
{
    stub::TraceStream t;
    t << std::string(1000, 'y') << stub::kEol;
    g_pieces.clear();
    t.SetSink(Collect);
    t << "z" << stub::kEol;
    REQUIRE(g_pieces.size() == 1);
    CHECK(g_pieces[0] == "z\r\n");
}
