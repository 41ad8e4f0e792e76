// trace-viewer: receives the trace stream of Drovel programs and prints it (see ViewerOptions.h).
#include "tools/trace-viewer/ViewerOptions.h"
#include "tools/trace-viewer/ViewerWin.h"
#include <cstdio>

int main(int argc, char** argv)
{
    using namespace traceviewer;
    const ViewerOptions o = ParseViewerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!o.error.empty() || o.help) {
        if (!o.error.empty())
            fprintf(stderr, "trace-viewer: %s\n", o.error.c_str());
        fputs(kViewerUsage, o.help ? stdout : stderr);
        return o.help ? 0 : 2;
    }
    if (o.stop)
        return StopViewers() > 0 ? 0 : 1;
    return RunViewer(o);
}
