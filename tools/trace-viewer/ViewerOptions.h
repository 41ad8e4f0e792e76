// The trace viewer's command line.
//
//   trace-viewer [--out FILE] [--pieces FILE] [--ready FILE] [--quiet]
//   trace-viewer --stop
#pragma once
#include <string>
#include <vector>

namespace traceviewer {

struct ViewerOptions {
    std::string outFile;     // the received text, as written
    std::string piecesFile;  // one record per piece (PieceRecord.h)
    std::string readyFile;   // created once the window exists
    bool quiet = false;      // nothing to standard output
    bool stop = false;       // close the running viewer instead of starting one
    bool help = false;
    std::string error;       // not empty: the command line was not understood
};

ViewerOptions ParseViewerOptions(const std::vector<std::string>& args);

extern const char* const kViewerUsage;

} // namespace traceviewer
