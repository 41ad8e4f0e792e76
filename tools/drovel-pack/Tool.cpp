#include "tools/drovel-pack/Tool.h"

#include "tools/drovel-pack/Blocks.h"
#include "tools/drovel-pack/Inspect.h"
#include "tools/drovel-pack/Options.h"
#include "tools/drovel-pack/PackageWriter.h"

namespace drovel {

namespace {

int Failure(std::string& err, const std::string& message)
{
    err += "drovel-pack: " + message + "\n";
    return 1;
}

std::string Summary(const Options& o, const WriteReport& report)
{
    std::string text = "wrote " + std::to_string(o.spec.files.size()) + " files (" +
                       std::to_string(report.contentBytes) + " bytes) in " +
                       std::to_string(report.volumes.size()) + " volume(s):\n";
    for (const VolumeReport& v : report.volumes)
        text += "  " + v.path + "  " + std::to_string(v.size) + " bytes, " + std::to_string(v.records) + " records\n";
    return text;
}

int Build(Options& o, std::string& out, std::string& err)
{
    std::string error;
    if (!BuildBlocks(o, error))
        return Failure(err, error);
    WriteReport report;
    if (!WritePackage(o.spec, o.output, report, error))
        return Failure(err, error);
    if (!o.quiet)
        out += Summary(o, report);
    return 0;
}

int Inform(const Options& o, std::string& out, std::string& err)
{
    std::string body, text, error;
    if (!ReadWholeFile(o.body, body))
        return Failure(err, "cannot read " + o.body);
    if (!InformText(o.settings.token, body, o.scramble, text, error) || !WriteWholeFile(o.output, text, error))
        return Failure(err, error);
    if (!o.quiet)
        out += "wrote " + o.output + " (" + std::to_string(text.size()) + " bytes)\n";
    return 0;
}

} // namespace

int RunTool(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    Options o;
    std::string error;
    if (!ParseOptions(args, o, error)) {
        err += "drovel-pack: " + error + "\n";
        return 2;
    }
    switch (o.command) {
    case Command::Help:
        out += kHelpText;
        return 0;
    case Command::Inspect: {
        std::string report;
        const bool ok = InspectPackage(o.input, report);
        out += report;
        return ok ? 0 : 1;
    }
    case Command::Inform:
        return Inform(o, out, err);
    default:
        return Build(o, out, err);
    }
}

} // namespace drovel
