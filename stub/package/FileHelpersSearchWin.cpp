// Searches through folder trees and drives, and the removal of files and trees.
#include "stub/package/FileHelpersWin.h"
#include "stub/services/Utils.h"

namespace stub {
namespace {

// Attribute masks of a directory search: an entry is skipped when it has a hidden, system,
// volume or directory attribute that the mask does not name.
constexpr DWORD kAttrDirsAndSystem = 20;  // directories and system files
constexpr DWORD kAttrAnyFile = 39;        // files of any attribute, no directories
constexpr DWORD kAttrAll = 63;
constexpr DWORD kAttrFiltered = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 8 /* volume */ | FILE_ATTRIBUTE_DIRECTORY;

bool IsDots(const char* name) { return std::string(".") == name || std::string("..") == name; }
bool IsFolder(const WIN32_FIND_DATAA& d) { return (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::string Join(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == ':'))
        return folder + name;
    return folder + "\\" + name;
}

// Calls visit(entry) for each match of the pattern that the mask admits, until it returns true.
template <typename Visit>
bool ForEachEntry(const std::string& pattern, DWORD mask, Visit visit)
{
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find)
        return false;
    do {
        if ((data.dwFileAttributes & ~mask & kAttrFiltered) == 0 && visit(data))
            return true;
    } while (FindNextFileA(find.get(), &data));
    return false;
}

// Depth-first in enumeration order: `here` answers for one folder, the walk for its subfolders.
template <typename Here>
std::string SearchTree(const std::string& folder, Here here)
{
    std::string found = here(folder);
    if (!found.empty())
        return found;
    ForEachEntry(Join(folder, "*.*"), kAttrDirsAndSystem, [&](const WIN32_FIND_DATAA& d) {
        if (!IsFolder(d) || IsDots(d.cFileName) || (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return false;  // links are not followed: they may lead back up the tree
        found = SearchTree(Join(folder, d.cFileName), here);
        return !found.empty();
    });
    return found;
}

std::string DriveRoot(char letter) { return std::string(1, letter) + ":\\"; }

// The drives from `first` to Z of the given type (a negative type matches none), in order, until
// search(root) finds something.
template <typename Search>
std::string SearchDrives(char first, int drive_type, Search search)
{
    if (drive_type < 0)
        return {};
    for (char letter = first; letter <= 'Z'; ++letter) {
        if (GetDriveTypeA(DriveRoot(letter).c_str()) != static_cast<UINT>(drive_type))
            continue;
        std::string found = search(DriveRoot(letter));
        if (!found.empty())
            return found;
    }
    return {};
}

} // namespace

std::string FindFileInTree(const std::string& folder, const std::string& name)
{
    return SearchTree(folder, [&](const std::string& here) {
        const std::string candidate = Join(here, name);
        return FileExists(candidate) ? candidate : std::string();
    });
}

std::string FindFileOnDrives(const std::string& name, int drive_type)
{
    return SearchDrives('C', drive_type, [&](const std::string& root) { return FindFileInTree(root, name); });
}

std::string FindFolderInTree(const std::string& folder, const std::string& relative)
{
    return SearchTree(folder, [&](const std::string& here) {
        return EndsWith("\\" + relative, here, true) ? here : std::string();
    });
}

std::string FindFolderOnDrives(const std::string& path, int drive_type)
{
    if (path.size() >= 3 && path.compare(1, 2, ":\\") == 0) {
        const bool type_ok = drive_type >= 0 && GetDriveTypeA(path.substr(0, 3).c_str()) == static_cast<UINT>(drive_type);
        return type_ok && FolderExists(path) ? path : std::string();
    }
    return SearchDrives('D', drive_type, [&](const std::string& root) { return FindFolderInTree(root, path); });  // C only when named
}

bool DeleteFiles(const std::string& mask, bool clear_attributes)
{
    const auto cut = mask.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? std::string() : mask.substr(0, cut + 1);
    bool any = false;
    ForEachEntry(mask, kAttrAnyFile, [&](const WIN32_FIND_DATAA& d) {
        any = true;
        const std::string path = folder + d.cFileName;
        if (clear_attributes)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return false;
    });
    return any;
}

bool DeleteTree(const std::string& folder, bool clear_attributes)
{
    if (folder.empty())
        return false;
    const bool existed = FolderExists(folder);
    DeleteFiles(Join(folder, "*.*"), clear_attributes);
    ForEachEntry(Join(folder, "*.*"), kAttrAll, [&](const WIN32_FIND_DATAA& d) {
        if (!IsFolder(d) || IsDots(d.cFileName))
            return false;
        const std::string sub = Join(folder, d.cFileName);
        // A junction or symbolic link is removed as a link: its target lies outside this tree.
        if (d.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            RemoveDirectoryA(sub.c_str());
        else
            DeleteTree(sub, clear_attributes);
        return false;
    });
    RemoveDirectoryA(folder.c_str());
    return existed && !FolderExists(folder);
}

} // namespace stub
