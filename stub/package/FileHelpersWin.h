// The file unit of the stub: 64-bit positions and sizes, whole-text reads and writes with an
// optional modification date (a DOS date-time, date in the high half; 0 leaves it alone),
// free-space queries, tree and drive searches, deletions, the self-deleting batch and the CD
// eject. Paths are in the system code page; failures come back as results, never as messages.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include "stub/package/FileHelpers.h"
#include "stub/services/Handles.h"

namespace stub {

enum class SeekOrigin { Start = FILE_BEGIN, Current = FILE_CURRENT, End = FILE_END };

std::int64_t FileSeek64(HANDLE file, SeekOrigin origin, std::int64_t offset);  // new position, -1 on failure
std::int64_t FileSizeOf(HANDLE file);                                         // -1 on failure
std::int64_t FileSizeByName(const std::string& path);                         // 0 when not found
std::string ReadFilePart(const std::string& path, std::int64_t max_len, std::int64_t offset);
// stub::WriteFile, not the kernel's ::WriteFile.
bool WriteFile(const std::string& path, const std::string& data, std::uint32_t date, bool append);
bool AppendText(const std::string& path, const std::string& text, std::uint32_t date);
double FreeSpace(const std::string& path);  // -1.0 when it cannot be determined

std::string FindFileInTree(const std::string& folder, const std::string& name);
std::string FindFileOnDrives(const std::string& name, int drive_type);
std::string FindFolderInTree(const std::string& folder, const std::string& relative);
std::string FindFolderOnDrives(const std::string& path, int drive_type);
bool DeleteFiles(const std::string& mask, bool clear_attributes);
bool DeleteTree(const std::string& folder, bool clear_attributes);
void DeleteMySelf(bool remove_folder, bool short_names);
bool EjectCD(const std::string& path);

bool FileExists(const std::string& path);    // a file, not a folder
bool FolderExists(const std::string& path);
bool ForceFolders(const std::string& path);  // creates the folder and its parents; true when it exists afterwards
bool SetFileDate(HANDLE file, std::uint32_t date);
std::uint32_t FileDosDate(const std::string& path);  // modification date-time as a DOS date; 0 when unknown

// Writes one file in pieces: opened (appending or replacing) on construction, fed with Put,
// dated and closed by Finish. Put stops writing after the first write that fails, so `ok`
// tells whether every byte handed over reached the file. WriteFile is this writer fed once;
// the extraction engine feeds it record by record without holding whole files.
class ChunkedFileWriter {
public:
    ChunkedFileWriter(const std::string& path, bool append);
    bool Put(const char* data, std::size_t len);  // false once any byte failed
    bool Finish(std::uint32_t date);              // dates the file when all went well, closes it
    bool ok() const { return ok_; }
    DWORD error() const { return error_; }        // the system error of the first failure

private:
    void Fail();

    UniqueHandle file_;
    bool ok_ = false;
    DWORD error_ = 0;
};

} // namespace stub
