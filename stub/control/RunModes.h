// The run-mode decision of the stub: which of its five roles one executable plays, the class name
// its main window registers under, and the argument texts of the copies it starts. Plain
// functions over the trailer flags, the file names and the command line's tail.
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// Window messages between instances and controller programs.
inline constexpr unsigned wm_ShutDown = 1123;  // WM_USER + 99
inline constexpr unsigned wm_LocalMsg = 1124;
inline constexpr unsigned wm_AgentMsg = 1125;

enum class StubRole {
    SetupStub,       // the first timer tick runs the setup flow
    CdSpanLauncher,  // copies itself as Y_<name> into the working folder and starts that copy
    CdSpanCopy,      // /SpanCdLvl=2: a setup stub that deletes itself and its folder at the end
    PlainAgent,      // starts or steers the X_ copy; no window
    XAgent,          // hidden window whose timer runs the auto-update cycle
};

struct RoleInputs {
    bool autoUpdateProgram = false;  // trailer byte 69 non-zero
    bool spansCds = false;           // trailer flag bit 2
    std::int64_t spanCdLevel = 1;    // /SpanCdLvl=, default 1
    std::string exeName;             // file name of the running executable, with extension
    std::string agentName;           // settings item 2
};

// The file name is the agent name (case-insensitive, blanks around ignored).
bool IsPlainAgent(const RoleInputs& in);
// The file name is "X_" + the agent name.
bool IsXAgent(const RoleInputs& in);
// The role, first rule that applies: plain agent, X_ agent, CD-span launcher, CD-span copy,
// setup stub (an auto-update program with another name is a setup stub whose timer runs the
// auto-update cycle).
StubRole DecideRole(const RoleInputs& in);

// ".AutoUpdate." + the file name without any extension for an auto-update program, otherwise
// the full path as the system reports it.
std::string MainWindowClassName(bool autoUpdateProgram, const std::string& exePath);
// The class of the running X_ copy: ".AutoUpdate.X_" + the agent name without any extension.
std::string XAgentClassName(const std::string& agentName);
// folder + "\" + prefix + name: the X_ and Y_ copies.
std::string CopyPath(const std::string& folder, const std::string& prefix, const std::string& name);

// " /TRANSIENTx=" + transient when it is not empty, then " /SleepX=" + delay when that is not.
std::string XCopyArguments(const std::string& transient, const std::string& delay);
// The Y_ copy's arguments: the tail, " /SpanCdLvl=2", " /SpanDiskFName1=" + quoted exe path +
// ".001", " /OriginExe=" + quoted exe path; trimmed.
std::string CdSpanArguments(const std::string& tail, const std::string& exePath);

} // namespace stub
