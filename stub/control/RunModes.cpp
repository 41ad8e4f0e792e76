#include "stub/control/RunModes.h"

#include "stub/package/FileHelpers.h"
#include "stub/services/Utils.h"

namespace stub {

bool IsPlainAgent(const RoleInputs& in)
{
    return in.autoUpdateProgram && SameTrimmedText(in.exeName, in.agentName);
}

bool IsXAgent(const RoleInputs& in)
{
    return in.autoUpdateProgram && SameTrimmedText(in.exeName, "X_" + Trim(in.agentName));
}

StubRole DecideRole(const RoleInputs& in)
{
    if (IsPlainAgent(in))
        return StubRole::PlainAgent;
    if (IsXAgent(in))
        return StubRole::XAgent;
    if (in.spansCds && in.spanCdLevel == 1)
        return StubRole::CdSpanLauncher;
    if (in.spanCdLevel == 2)
        return StubRole::CdSpanCopy;
    return StubRole::SetupStub;
}

std::string MainWindowClassName(bool autoUpdateProgram, const std::string& exePath)
{
    if (!autoUpdateProgram)
        return exePath;
    return ".AutoUpdate." + NameWithoutExtension(FileNamePart(exePath), true);
}

std::string XAgentClassName(const std::string& agentName)
{
    return ".AutoUpdate.X_" + NameWithoutExtension(Trim(agentName), true);
}

std::string CopyPath(const std::string& folder, const std::string& prefix, const std::string& name)
{
    return WithBackslash(folder, true) + prefix + name;
}

std::string XCopyArguments(const std::string& transient, const std::string& delay)
{
    std::string args;
    if (!transient.empty())
        args += " /TRANSIENTx=" + transient;
    if (!delay.empty())
        args += " /SleepX=" + delay;
    return args;
}

std::string CdSpanArguments(const std::string& tail, const std::string& exePath)
{
    return Trim(tail + " /SpanCdLvl=2 /SpanDiskFName1=\"" + exePath + ".001\" /OriginExe=\"" + exePath + "\"");
}

} // namespace stub
