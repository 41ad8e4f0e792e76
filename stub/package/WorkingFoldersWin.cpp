#include "stub/package/WorkingFoldersWin.h"

#include <windows.h>

#include <cctype>

#include "stub/package/FileHelpersWin.h"
#include "stub/services/UtilsWin.h"

namespace stub {
namespace {

struct Folders {
    std::string working;      // computed once
    bool base_chosen = false;
    std::string base;         // the alternative temporary base, once chosen
    std::string alternative;  // computed once
};
Folders& State()
{
    static Folders folders;
    return folders;
}

// A fresh folder of that name: an older tree is removed first.
void CreateFresh(const std::string& folder)
{
    if (FolderExists(folder))
        DeleteTree(folder, true);
    ForceFolders(folder);
}

// The free space of a fixed drive found by writing into a probe folder there; 0 otherwise.
double ProbeDrive(char letter)
{
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED)
        return 0;
    std::string probe = root + "TEMP";
    if (FolderExists(probe))
        probe += "\\TEMP" + RandomNumberText(10000, 100000);
    double free = 0;
    if (ForceFolders(probe) && WriteFile(probe + "\\~aa.tmp", "aa", 0, false) && FileExists(probe + "\\~aa.tmp"))
        free = FreeSpace(probe);
    DeleteTree(probe, true);
    return free > 0 ? free : 0;
}

} // namespace

std::string WorkingFolder()
{
    Folders& s = State();
    if (s.working.empty()) {
        s.working = WorkingFolderName(TempDir(true), FileDosDate(ExePath()));
        CreateFresh(s.working);
    }
    return s.working;
}

bool FindRoomierTempBase()
{
    Folders& s = State();
    if (s.base_chosen)
        return true;
    const double free_space[3] = {ProbeDrive('C'), ProbeDrive('D'), ProbeDrive('E')};
    const std::string temp = TempDir(true);
    const char temp_letter = static_cast<char>(std::toupper(static_cast<unsigned char>(temp.empty() ? 'C' : temp[0])));
    const char best = RoomierDrive(temp_letter, free_space);
    if (best == temp_letter)
        return false;
    s.base = std::string(1, best) + ":\\TEMP";
    if (FolderExists(s.base))
        s.base += "\\TEMP";
    s.base_chosen = true;
    return true;
}

std::string AlternativeWorkingFolder()
{
    Folders& s = State();
    if (!s.base_chosen)
        return {};
    if (s.alternative.empty()) {
        s.alternative = s.base + "_" + RandomNumberText(10000, 100000);
        CreateFresh(s.alternative);
    }
    return s.alternative;
}

void RemoveAlternativeWorkingFolder()
{
    const std::string& folder = State().alternative;
    if (!folder.empty() && FolderExists(folder))
        DeleteTree(folder, true);
}

} // namespace stub
