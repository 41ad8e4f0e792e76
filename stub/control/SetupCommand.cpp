#include "stub/control/SetupCommand.h"

#include <cstdio>

namespace stub {

std::string RunToken(std::uint32_t threadId)
{
    return "_" + std::to_string(threadId);
}

std::string CompletionAtomName(const std::string& token)
{
    return "AutoUpdateAtomTokenByDrovel" + token;
}

std::string SetupDialogClassName(const std::string& token)
{
    return ".SDialog_Class_Name." + token;
}

std::string RemoveSwitch(const std::string& commandLine, const std::string& sw)
{
    if (sw.empty())
        return commandLine;
    const std::size_t at = commandLine.find(sw);
    if (at == std::string::npos)
        return commandLine;
    std::size_t end = commandLine.find('/', at + 1);
    if (end == std::string::npos)
        end = commandLine.size();
    return commandLine.substr(0, at) + commandLine.substr(end);
}

std::string SizeInMegabytes(double bytes)
{
    double mb = bytes > 0 ? bytes / 1048576.0 : 0.0;
    const int decimals = mb > 10 ? 1 : mb >= 1 ? 2 : 3;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, mb);
    return text;
}

std::string SetupCommandLine(const SetupLaunch& launch, LeadByteTest isLead)
{
    const std::size_t star = launch.setupEntry.find('*');
    const std::string program = Trim(launch.setupEntry.substr(0, star));
    const std::string extra = star == std::string::npos ? std::string() : Trim(launch.setupEntry.substr(star + 1));
    const std::string parameters = Trim(Trim(launch.parameters) + " " + extra);

    std::string cmd = WithBackslash(launch.workFolder, true, isLead) + program;
    if (!parameters.empty())
        cmd += " " + parameters;
    cmd += " /TH_ID=" + launch.token;
    if (cmd.find("/OriginExe=") == std::string::npos)
        cmd += " /OriginExe=\"" + launch.stubPath + "\"";
    if (launch.autoUpdateProgram)
        cmd += " /AutoUpdateProg";
    return RemoveSwitch(RemoveSwitch(cmd, "/SpanCdLvl="), "/SpanDiskFName1=");
}

std::string SpaceDialogText(const SpaceTexts& texts, bool showsTempDriveInfo, const std::string& folder,
                            double required, double freeBytes)
{
    std::string message;
    if (showsTempDriveInfo)
        message = texts.info;
    if (required >= freeBytes)
        message = texts.warning;
    if (message.empty())
        return message;
    message += texts.required + texts.available + texts.question;
    const std::string drive = folder.empty() ? std::string() : UpperText(folder.substr(0, 1)) + ":";
    message = ReplaceAll(message, "<DRIVE>", drive);
    message = ReplaceAll(message, "<SPACE_REQ>", SizeInMegabytes(required));
    return ReplaceAll(message, "<SPACE_AVAIL>", SizeInMegabytes(freeBytes));
}

} // namespace stub
