#include "stub/control/SetupFlowWin.h"

#include "stub/control/MainWindowLayout.h"
#include "stub/control/MainWindowWin.h"
#include "stub/control/RunState.h"
#include "stub/control/SetupCommand.h"
#include "stub/control/SetupProgramWin.h"
#include "stub/control/StubPackageWin.h"
#include "stub/package/ExtractWin.h"
#include "stub/package/FileHelpersWin.h"
#include "stub/package/WorkingFoldersWin.h"
#include "stub/services/DMsgBox.h"
#include "stub/services/SLangKeys.h"
#include "stub/services/ProgressWin.h"
#include "stub/services/SysUtilsWin.h"
#include "stub/services/Trace.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

constexpr const char* kSpanDiskKey = "HKEY_CURRENT_USER\\Software\\Vorlund\\Drovel\\SpanDisk";
constexpr std::uint32_t kSettleMs = 1000;

std::string Text(const TGFileInfo& info, const std::string& key)
{
    return info.LangText(key, LangDefault(key));
}

void ShowError(const TGFileInfo& info, const std::string& text)
{
    ErrorBox(kBoxModeHeading, text, Text(info, "Error"), Text(info, "BtnText"), info.Charset());
}

// Extracts into folder; runs the setup program when the package holds one and is sound.
bool ExtractAndRun(const TGFileInfo& info, const std::string& folder, const std::string& package_path,
                   const std::string& agent_name, const std::string& parameters, bool foreground)
{
    const std::string prompt = Text(info, "s8");
    const std::string title = Text(info, "Attention");
    const std::string buttons = Text(info, "BtnText");
    if (foreground)
        ShowMainWindow(true);
    WaitPumping(kSettleMs);
    const ExtractResult extracted = ExtractPackage(package_path, folder, agent_name, ProgressCallback, prompt, title,
                                                   buttons, info.Charset(), ForcePromptSet());
    WaitPumping(kSettleMs);
    // A record that did not inflate ended the run; the engine has shown zlib's message.
    if (!extracted.error.empty())
        return false;
    if (!extracted.checksum_ok) {
        ShowError(info, Text(info, "s7"));
        return false;
    }
    // A main window destroyed during the extraction (closed twice) cancels the run: its working
    // folder is already gone, so nothing is started.
    if (extracted.setup_entry.empty() || !IsWindow(MainWindow()))
        return false;
    SetupLaunch launch;
    launch.workFolder = folder;
    launch.setupEntry = extracted.setup_entry;
    launch.parameters = parameters;
    launch.token = RunToken(GetCurrentThreadId());
    launch.stubPath = ExePath();
    launch.autoUpdateProgram = RunsAsAutoUpdateProgram();
    return RunSetupProgram(SetupCommandLine(launch, SystemLeadByte), launch.token, foreground);
}

} // namespace

void StartSetupFlow(HWND window)
{
    KillTimer(window, kMainTimerId);
    const TGFileInfo& info = RunningPackage();
    const std::string agent = info.MakesAgent() ? info.AgentName() : std::string();
    // Web-download packages (RunWebDownload) are not handled by this build yet: nothing is run.
    if (!(RunningPackageValid() && info.IsWebDownload())) {
        std::string package = SwitchValue("/SpanDiskFName1=");
        if (package.empty())
            package = ExePath();
        const bool hidden = HasSwitch("/hide") || info.RunsHidden();
        RunPackageSetup(WorkingFolder(), package, agent, CommandTail(), !hidden);
    }
    DeleteTree(WorkingFolder(), false);
    PostQuitMessage(0);
}

bool RunPackageSetup(const std::string& work_folder, const std::string& package_path, const std::string& agent_name,
                     const std::string& parameters, bool foreground)
{
    const TGFileInfo info(package_path);
    if (info.ShowsSecondBar())
        ShowActivityBar();
    SetStatusText(Text(info, "s1"), info.FontName(), info.Charset(), info.FontSize());
    std::string folder = work_folder;
    if (!HasRoomForPackage(folder, package_path) && FindRoomierTempBase())
        folder = AlternativeWorkingFolder();
    TraceOut() << "========= ForegroundOp=" << foreground << " ==========" << kEol;
    bool result = false;
    if (!foreground || ConfirmTempSpace(folder, package_path, info))
        result = ExtractAndRun(info, folder, package_path, agent_name, parameters, foreground);
    RemoveAlternativeWorkingFolder();
    return result;
}

bool HasRoomForPackage(const std::string& folder, const std::string& package_path)
{
    const TGFileInfo info(package_path);
    return info.SpaceRequired(folder) < FreeSpace(folder) && FolderExists(folder);
}

bool ConfirmTempSpace(const std::string& folder, const std::string& package_path, const TGFileInfo& info)
{
    (void)package_path;  // the caller's package information already describes it
    SpaceTexts texts{Text(info, "s2"), Text(info, "s3"), Text(info, "s4"), Text(info, "s5"), Text(info, "s6")};
    const std::string message =
        SpaceDialogText(texts, info.ShowsTempDriveInfo(), folder, info.SpaceRequired(folder), FreeSpace(folder));
    if (message.empty())
        return true;
    return ConfirmYesNo(kBoxModeHeading, message, Text(info, "Confirm"), Text(info, "BtnText"), info.Charset(), 0);
}

bool ForcePromptSet()
{
    return ReadRegistryValue(kSpanDiskKey, "ForcePrompt", "0") == "1";
}

} // namespace stub
