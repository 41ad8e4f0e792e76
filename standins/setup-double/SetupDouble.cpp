#include "standins/setup-double/SetupDouble.h"

#include "stub/services/Utils.h"

namespace setupdouble {

Orders ReadOrders(const std::string& commandLine)
{
    Orders o;
    o.exitCode = static_cast<int>(stub::SwitchIntIn(commandLine, "/DBL_EXIT=", 0));
    o.deleteAtom = stub::SwitchIntIn(commandLine, "/DBL_ATOM=", 0) == 1;
    o.dialogMs = stub::Max64(0, stub::SwitchIntIn(commandLine, "/DBL_DIALOG=", 0));
    o.runMs = stub::Max64(0, stub::SwitchIntIn(commandLine, "/DBL_RUN=", 0));
    const std::string name = stub::SwitchValueIn(commandLine, "/DBL_REPORT=");
    if (!name.empty() && name.find_first_of("\\/:") == std::string::npos)
        o.reportName = name;
    o.token = stub::SwitchValueIn(commandLine, "/TH_ID=");
    return o;
}

std::string ReportText(const Observation& o)
{
    std::string text;
    text += "CommandLine=" + o.commandLine + "\r\n";
    text += "Token=" + o.token + "\r\n";
    text += std::string("AtomAtStart=") + (o.atomAtStart ? "1" : "0") + "\r\n";
    text += "CurrentFolder=" + o.currentFolder + "\r\n";
    text += "ProgramFolder=" + o.programFolder + "\r\n";
    return text;
}

} // namespace setupdouble
