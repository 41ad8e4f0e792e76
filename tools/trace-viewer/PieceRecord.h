// The record file of the trace viewer (--pieces): one record per received piece, so a reader
// sees exactly where each piece began and ended. A record is the source code in decimal, a blank,
// the piece's length in decimal, LF, the piece itself, LF.
#pragma once
#include <string>
#include <vector>

namespace traceviewer {

struct ReceivedPiece {
    unsigned source = 0;
    std::string text;
};

std::string PieceRecord(unsigned source, const std::string& piece);

// The records of a file's text in order. A record cut short at the end (the viewer is still
// writing it) and anything malformed after it are left out.
std::vector<ReceivedPiece> ParsePieceRecords(const std::string& text);

// The pieces joined: the text as the writer wrote it.
std::string JoinPieces(const std::vector<ReceivedPiece>& pieces);

} // namespace traceviewer
