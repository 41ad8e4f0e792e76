#include "tools/trace-viewer/PieceRecord.h"
#include <cstdlib>

namespace traceviewer {

namespace {

// Reads a decimal number ending at `stop` from pos; false when there is none.
bool ReadNumber(const std::string& text, std::size_t& pos, char stop, unsigned long& value)
{
    const std::size_t end = text.find(stop, pos);
    if (end == std::string::npos || end == pos || end - pos > 9)
        return false;
    value = 0;
    for (std::size_t i = pos; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(text[i] - '0');
    }
    pos = end + 1;
    return true;
}

} // namespace

std::string PieceRecord(unsigned source, const std::string& piece)
{
    return std::to_string(source) + " " + std::to_string(piece.size()) + "\n" + piece + "\n";
}

std::vector<ReceivedPiece> ParsePieceRecords(const std::string& text)
{
    std::vector<ReceivedPiece> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        unsigned long source = 0;
        unsigned long length = 0;
        if (!ReadNumber(text, pos, ' ', source) || !ReadNumber(text, pos, '\n', length))
            break;
        if (text.size() - pos < length + 1 || text[pos + length] != '\n')
            break;
        pieces.push_back({static_cast<unsigned>(source), text.substr(pos, length)});
        pos += length + 1;
    }
    return pieces;
}

std::string JoinPieces(const std::vector<ReceivedPiece>& pieces)
{
    std::string text;
    for (const ReceivedPiece& p : pieces)
        text += p.text;
    return text;
}

} // namespace traceviewer
