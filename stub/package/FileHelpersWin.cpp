// Positions, sizes, whole-file reads and writes, free space.
#include "stub/package/FileHelpersWin.h"
#include <limits>

namespace stub {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

UniqueHandle OpenExisting(const std::string& path, DWORD access)
{
    return UniqueHandle(CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

UniqueHandle OpenForWriting(const std::string& path, bool append)
{
    const DWORD how = append ? OPEN_ALWAYS : CREATE_ALWAYS;
    UniqueHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h && append && FileSeek64(h.get(), SeekOrigin::End, 0) < 0)
        h.reset();
    return h;
}

// One write call of at most 4 GiB - 1; the count that went out.
DWORD WriteOnce(HANDLE file, const char* data, std::size_t len)
{
    DWORD written = 0;
    const DWORD part = static_cast<DWORD>(len);
    if (!::WriteFile(file, data, part, &written, nullptr))
        return 0;
    return written;
}

// Whether GetDiskFreeSpaceExA is offered: probed once, on the first free-space query.
struct FreeSpaceProbe {
    using ExCall = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    unsigned char state = 255;  // 255 not yet probed, 0 absent, 1 present
    ExCall call = nullptr;
};
FreeSpaceProbe& Probe()
{
    static FreeSpaceProbe probe;
    if (probe.state == 255) {
        HMODULE kernel = LoadLibraryA("kernel32.dll");  // stays loaded: the entry point is kept
        probe.call = kernel ? reinterpret_cast<FreeSpaceProbe::ExCall>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")) : nullptr;
        probe.state = probe.call ? 1 : 0;
    }
    return probe;
}

class Kernel32FreeSpace : public FreeSpaceSystem {
public:
    bool HasExtendedCall() override { return Probe().state == 1; }
    bool Extended(const std::string& root, double& caller_free) override
    {
        ULARGE_INTEGER avail{}, total{}, free{};
        if (!Probe().call(root.c_str(), &avail, &total, &free))
            return false;
        caller_free = static_cast<double>(avail.QuadPart);
        return true;
    }
    bool Basic(const std::string& root, double& free_bytes) override
    {
        DWORD spc = 0, bps = 0, free_clusters = 0, clusters = 0;
        if (!GetDiskFreeSpaceA(root.c_str(), &spc, &bps, &free_clusters, &clusters))
            return false;
        free_bytes = static_cast<double>(spc) * bps * free_clusters;
        return true;
    }
};

} // namespace

std::int64_t FileSeek64(HANDLE file, SeekOrigin origin, std::int64_t offset)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(file, distance, &position, static_cast<DWORD>(origin)))
        return -1;
    return position.QuadPart;
}

std::int64_t FileSizeOf(HANDLE file)
{
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

std::int64_t FileSizeByName(const std::string& path)
{
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(path.c_str(), &data));
    if (!find)
        return 0;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

bool FileExists(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceFolders(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty())
        return false;
    if (FolderExists(folder))
        return true;
    const auto cut = folder.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0) {
        const std::string parent = folder.substr(0, cut);
        const bool drive = parent.size() == 2 && parent[1] == ':';
        if (!drive && !ForceFolders(parent))
            return false;
    }
    return CreateDirectoryA(folder.c_str(), nullptr) || FolderExists(folder);
}

std::string ReadFilePart(const std::string& path, std::int64_t max_len, std::int64_t offset)
{
    UniqueHandle file = OpenExisting(path, GENERIC_READ);
    if (!file)
        return {};
    const std::int64_t len = FilePartLength(FileSizeOf(file.get()), max_len, offset);
    if (len <= 0 || static_cast<std::uint64_t>(len) > std::numeric_limits<DWORD>::max() ||
        FileSeek64(file.get(), SeekOrigin::Start, offset) != offset)
        return {};
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(len));
    } catch (...) {
        return {};
    }
    DWORD got = 0;
    if (!ReadFile(file.get(), &text[0], static_cast<DWORD>(len), &got, nullptr) || got != len)
        return {};
    return text;
}

bool SetFileDate(HANDLE file, std::uint32_t date)
{
    FILETIME local, utc;
    if (!DosDateTimeToFileTime(static_cast<WORD>(date >> 16), static_cast<WORD>(date & 0xFFFF), &local) ||
        !LocalFileTimeToFileTime(&local, &utc))
        return false;
    return SetFileTime(file, nullptr, nullptr, &utc) != 0;
}

std::uint32_t FileDosDate(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

ChunkedFileWriter::ChunkedFileWriter(const std::string& path, bool append)
    : file_(OpenForWriting(path, append))
{
    ok_ = static_cast<bool>(file_);
    if (!ok_)
        error_ = GetLastError();
}

void ChunkedFileWriter::Fail()
{
    if (ok_)
        error_ = GetLastError();
    ok_ = false;
}

bool ChunkedFileWriter::Put(const char* data, std::size_t len)
{
    if (!ok_)
        return false;
    const std::uint64_t chunk = WriteChunkSize(len);
    while (len > 0) {
        const std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, len));
        const DWORD written = WriteOnce(file_.get(), data, part);
        if (written == 0) {
            Fail();
            return false;
        }
        data += written;
        len -= written;
    }
    return true;
}

bool ChunkedFileWriter::Finish(std::uint32_t date)
{
    if (ok_ && date != 0)
        SetFileDate(file_.get(), date);
    file_.reset();
    return ok_;
}

bool WriteFile(const std::string& path, const std::string& data, std::uint32_t date, bool append)
{
    ChunkedFileWriter writer(path, append);
    writer.Put(data.data(), data.size());
    return writer.Finish(date);
}

bool AppendText(const std::string& path, const std::string& text, std::uint32_t date)
{
    UniqueHandle file = OpenForWriting(path, true);
    if (!file)
        return false;
    const bool all = text.empty() || WriteOnce(file.get(), text.data(), text.size()) == text.size();
    if (all && date != 0)
        SetFileDate(file.get(), date);
    return all;
}

double FreeSpace(const std::string& path)
{
    Kernel32FreeSpace system;
    return FreeSpaceVia(path, system);
}

} // namespace stub
