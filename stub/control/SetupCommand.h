// The contract with the extracted setup program, as plain text work: its command line, the run
// token and the names it derives, the switch removal and the megabyte figures of the space dialog.
#pragma once
#include <cstdint>
#include <string>

#include "stub/services/Utils.h"

namespace stub {

// "_" + the decimal thread id.
std::string RunToken(std::uint32_t threadId);
// "AutoUpdateAtomTokenByDrovel" + token: the setup program deletes it when it succeeded.
std::string CompletionAtomName(const std::string& token);
// ".SDialog_Class_Name." + token: its dialogs may outlive it; the stub waits for them.
std::string SetupDialogClassName(const std::string& token);

// Removes the switch (exact case) and everything after it up to the next "/" or the end; the
// blank before it stays. "a.exe /SpanCdLvl=2 /S" -> "a.exe /S".
std::string RemoveSwitch(const std::string& commandLine, const std::string& sw);

// bytes / 1 048 576 (negative counts as 0) with 1 decimal above 10, 2 from 1, 3 below.
std::string SizeInMegabytes(double bytes);

struct SetupLaunch {
    std::string workFolder;
    std::string setupEntry;   // the package's entry marked with `*`: "Setup.exe* /S"
    std::string parameters;   // the stub's own command-line tail
    std::string token;
    std::string stubPath;     // the running executable
    bool autoUpdateProgram = false;
};

// The setup program's command line: the work folder with a backslash, the program, the stub's
// parameters and the entry's arguments, " /TH_ID=" + token, " /OriginExe=" + the quoted stub path
// unless "/OriginExe=" is already there, " /AutoUpdateProg" for an auto-update program; without
// /SpanCdLvl= and /SpanDiskFName1=.
std::string SetupCommandLine(const SetupLaunch& launch, LeadByteTest isLead = NoLeadBytes);

// The texts of the space dialog (language texts s2 to s6).
struct SpaceTexts {
    std::string info, warning, required, available, question;
};
// The dialog's text, or empty when no dialog is due: the information form when the package asks
// for it, the warning form (instead) when the required space is at least the free space.
std::string SpaceDialogText(const SpaceTexts& texts, bool showsTempDriveInfo, const std::string& folder,
                            double required, double freeBytes);

} // namespace stub
