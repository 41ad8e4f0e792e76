#include "tools/trace-viewer/ViewerOptions.h"

namespace traceviewer {

const char* const kViewerUsage =
    "usage: trace-viewer [--out FILE] [--pieces FILE] [--ready FILE] [--quiet]\n"
    "       trace-viewer --stop\n"
    "Receives the trace stream of Drovel programs (window class \".DDebug.\") and prints it.\n"
    "  --out FILE     also write the received text to FILE\n"
    "  --pieces FILE  write one record per received piece to FILE (source, length, text)\n"
    "  --ready FILE   create FILE once the viewer window exists\n"
    "  --quiet        print nothing to standard output\n"
    "  --stop         close the running viewer and exit\n";

ViewerOptions ParseViewerOptions(const std::vector<std::string>& args)
{
    ViewerOptions o;
    for (std::size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::string& a = args[i];
        std::string* file = a == "--out" ? &o.outFile
                          : a == "--pieces" ? &o.piecesFile
                          : a == "--ready" ? &o.readyFile
                          : nullptr;
        if (file != nullptr) {
            if (i + 1 < args.size() && !args[i + 1].empty())
                *file = args[++i];
            else
                o.error = a + " needs a file name";
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--stop") {
            o.stop = true;
        } else if (a == "--help" || a == "-h" || a == "/?") {
            o.help = true;
        } else {
            o.error = "unknown argument: " + a;
        }
    }
    return o;
}

} // namespace traceviewer
