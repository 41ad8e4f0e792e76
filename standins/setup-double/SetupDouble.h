// The setup-program double's orders and report. Its orders are switches on its own command line
// (the text after `*` in a package's setup entry):
//   /DBL_EXIT=n        exit code (default 0)
//   /DBL_ATOM=1        delete the completion atom named by /TH_ID= (success); otherwise keep it
//   /DBL_DIALOG=ms     leave a window of class ".SDialog_Class_Name." + token open for ms after
//                      the double itself has ended (a helper process holds it)
//   /DBL_RUN=ms        run that long before ending
//   /DBL_REPORT=name   report file name (default "setup-double.txt")
// The report goes to the folder named by the environment variable DROVEL_SETUP_DOUBLE_REPORTS;
// without it nothing is written.
#pragma once
#include <cstdint>
#include <string>

namespace setupdouble {

inline constexpr const char* kReportFolderVariable = "DROVEL_SETUP_DOUBLE_REPORTS";
inline constexpr const char* kHelperSwitch = "/DBL_HELPER=";

struct Orders {
    int exitCode = 0;
    bool deleteAtom = false;
    std::int64_t dialogMs = 0;
    std::int64_t runMs = 0;
    std::string reportName = "setup-double.txt";
    std::string token;  // the /TH_ID= value
};

Orders ReadOrders(const std::string& commandLine);

struct Observation {
    std::string commandLine;
    std::string token;
    bool atomAtStart = false;
    std::string currentFolder;
    std::string programFolder;
};

// KEY=value lines, CR LF.
std::string ReportText(const Observation& o);

} // namespace setupdouble
