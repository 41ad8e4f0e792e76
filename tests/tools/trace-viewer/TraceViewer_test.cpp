#include <doctest/doctest.h>
#include "tools/trace-viewer/PieceRecord.h"
#include "tools/trace-viewer/ViewerOptions.h"

using namespace traceviewer;

TEST_CASE("piece records keep every piece whole, line ends and digits included")
{
    const std::string text = PieceRecord(2, "123 4\n") + PieceRecord(2, "\r\n") + PieceRecord(65535, "");
    const auto pieces = ParsePieceRecords(text);
    REQUIRE(pieces.size() == 3);
    CHECK(pieces[0].text == "123 4\n");
    CHECK(pieces[1].text == "\r\n");
    CHECK(pieces[2].source == 65535);
    CHECK(pieces[2].text.empty());
    CHECK(JoinPieces(pieces) == "123 4\n\r\n");
}

TEST_CASE("a record still being written and malformed text are left out")
{
    const std::string whole = PieceRecord(2, "first");
    const std::string next = PieceRecord(2, "second");
    for (std::size_t cut = 0; cut < next.size(); ++cut)
        CHECK(ParsePieceRecords(whole + next.substr(0, cut)).size() == 1);
    CHECK(ParsePieceRecords("x 1\na\n").empty());
    CHECK(ParsePieceRecords("2 99999999999\n").empty());
    CHECK(ParsePieceRecords("2 3\nabcd\n").empty());  // the length does not end at the LF
}

TEST_CASE("viewer command line")
{
    struct Case {
        std::vector<std::string> args;
        std::string out, pieces, ready;
        bool quiet, stop, error;
    };
    const Case cases[] = {
        {{}, "", "", "", false, false, false},
        {{"--out", "a.txt", "--pieces", "p.rec", "--ready", "r", "--quiet"}, "a.txt", "p.rec", "r", true, false, false},
        {{"--stop"}, "", "", "", false, true, false},
        {{"--out"}, "", "", "", false, false, true},
        {{"--out", ""}, "", "", "", false, false, true},
        {{"--bogus"}, "", "", "", false, false, true},
    };
    for (const Case& c : cases) {
        const ViewerOptions o = ParseViewerOptions(c.args);
        CAPTURE(c.args.size());
        CHECK(o.outFile == c.out);
        CHECK(o.piecesFile == c.pieces);
        CHECK(o.readyFile == c.ready);
        CHECK(o.quiet == c.quiet);
        CHECK(o.stop == c.stop);
        CHECK(o.error.empty() == !c.error);
    }
    CHECK(ParseViewerOptions({"--help"}).help);
}
