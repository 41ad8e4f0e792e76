// The plain parts of the file unit: name arithmetic, the free-space root rules, the write
// chunking, the read window of ReadFilePart and the self-deleting batch text. The Win32
// operations built on them are declared in FileHelpersWin.h.
#pragma once
#include <cstdint>
#include <string>

namespace stub {

// The file-name part of a path: what follows the last `\` or `:` (a `/` does not split).
std::string FileNamePart(const std::string& path);

// The file-name part without its last extension, or with `all` without every extension:
// "Setup.exe.001" gives "Setup.exe" or "Setup"; ".info" gives "".
std::string NameWithoutExtension(const std::string& path, bool all);

// The root FreeSpace asks for: with drive_root (or a path shorter than 3 characters) the
// upper-case drive letter + ":\"; otherwise the path (with `/` read as `\`) up to the first `\`
// at or after the 4th character, or the whole path.
std::string FreeSpaceRoot(const std::string& path, bool drive_root);

// The system calls FreeSpace stands on; the Windows side asks kernel32, tests answer themselves.
class FreeSpaceSystem {
public:
    virtual ~FreeSpaceSystem() = default;
    virtual bool HasExtendedCall() = 0;                                   // GetDiskFreeSpaceExA offered
    virtual bool Extended(const std::string& root, double& caller_free) = 0;
    virtual bool Basic(const std::string& root, double& free_bytes) = 0;  // clusters x sectors x bytes
};
// Bytes free for the caller on the path's volume, -1.0 when no call answers: the extended call
// for the path's root, then for the drive root; without it the basic call for the drive root.
double FreeSpaceVia(const std::string& path, FreeSpaceSystem& system);

// Large writes go out in pieces: data of at most 1 MiB in one write, longer data in chunks of
// min(len / 10, 1 MiB).
inline constexpr std::uint64_t kWriteChunkLimit = 0x100000;
std::uint64_t WriteChunkSize(std::uint64_t len);

// How many bytes ReadFilePart reads from a file of `size` bytes: size - offset, limited to
// max_len when that is not 0; 0 when offset is outside the file or nothing is left.
std::int64_t FilePartLength(std::int64_t size, std::int64_t max_len, std::int64_t offset);

// The text of the batch that deletes a finished program (and its folder): lines end in CR LF,
// paths are enclosed in double quotes unless `quote` is false (short 8.3 names) and they hold
// no blank.
std::string SelfDeleteBatchText(const std::string& exe_path, const std::string& exe_folder,
                                const std::string& batch_path, bool remove_folder, bool quote);

} // namespace stub
