// The trace stream against a real trace-viewer process.
#include <doctest/doctest.h>
#include "stub/services/Trace.h"
#include "stub/services/TraceWin.h"
#include "tests/support/TraceViewerProcess.h"
#include <windows.h>
#include <vector>

namespace {
// A line whose pieces can be told apart: 300 characters cycling through the digits.
std::string CyclingLine(std::size_t n)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>('0' + i % 10);
    return s;
}
// Only this test's pieces: another program tracing meanwhile sends with its own source code.
constexpr std::uint16_t kSource = 0x5A17;

std::vector<traceviewer::ReceivedPiece> OwnPieces(const testsupport::TraceViewerProcess& viewer)
{
    std::vector<traceviewer::ReceivedPiece> own;
    for (const auto& p : viewer.Pieces())
        if (p.source == kSource)
            own.push_back(p);
    return own;
}
} // namespace

TEST_CASE("the trace stream reaches a real viewer piece by piece")
{
    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());
    stub::SetTraceSource(kSource);

    const std::string line = CyclingLine(300);
    stub::TraceOut() << line << stub::kEol;
    stub::TraceOut() << 4711 << " short " << true << stub::kEol << stub::kEol;
    REQUIRE(viewer.Stop());

    const auto pieces = OwnPieces(viewer);
    REQUIRE(pieces.size() == 5);
    CHECK(pieces[0].text == line.substr(0, 128));
    CHECK(pieces[1].text == line.substr(128, 128));
    CHECK(pieces[2].text == line.substr(256) + "\r\n");
    CHECK(pieces[2].text.size() == 46);
    CHECK(pieces[3].text == "4711 short TRUE\r\n");
    CHECK(pieces[4].text == "\r\n");
    // Each atom is gone once its send returned.
    CHECK(GlobalFindAtomA(pieces[3].text.c_str()) == 0);
}

TEST_CASE("without a viewer the text is dropped and the stream goes on")
{
    REQUIRE(FindWindowA(stub::kTraceViewerClass, nullptr) == nullptr);
    stub::SetTraceSource(kSource);
    stub::TraceOut() << "nobody listens " << 1 << stub::kEol;
    CHECK(GlobalFindAtomA("nobody listens 1\r\n") == 0);

    testsupport::TraceViewerProcess viewer;
    REQUIRE(viewer.Started());
    stub::TraceOut() << "now someone does" << stub::kEol;
    REQUIRE(viewer.Stop());
    const auto pieces = OwnPieces(viewer);
    REQUIRE(pieces.size() == 1);
    CHECK(pieces[0].text == "now someone does\r\n");
}
