#include "stub/package/StdioFile.h"

#include <sys/stat.h>

namespace stub {

namespace {

int Seek64(std::FILE* f, std::int64_t offset, int whence)
{
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

std::int64_t Tell64(std::FILE* f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}

} // namespace

StdioFile& StdioFile::operator=(StdioFile&& o) noexcept
{
    if (this != &o) {
        Close();
        f_ = o.f_;
        o.f_ = nullptr;
    }
    return *this;
}

bool StdioFile::Open(const std::string& path, const char* mode)
{
    Close();
    f_ = std::fopen(path.c_str(), mode);
    return f_ != nullptr;
}

bool StdioFile::Close()
{
    if (!f_)
        return true;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

bool StdioFile::Seek(std::uint64_t offset)
{
    if (!f_ || offset > static_cast<std::uint64_t>(INT64_MAX))
        return false;
    return Seek64(f_, static_cast<std::int64_t>(offset), SEEK_SET) == 0;
}

std::int64_t StdioFile::Size()
{
    if (!f_)
        return -1;
    const std::int64_t here = Tell64(f_);
    if (here < 0 || Seek64(f_, 0, SEEK_END) != 0)
        return -1;
    const std::int64_t size = Tell64(f_);
    Seek64(f_, here, SEEK_SET);
    return size;
}

std::size_t StdioFile::Read(void* out, std::size_t count)
{
    if (!f_ || count == 0)
        return 0;
    return std::fread(out, 1, count, f_);
}

bool StdioFile::Write(const void* data, std::size_t count)
{
    if (!f_)
        return false;
    return count == 0 || std::fwrite(data, 1, count, f_) == count;
}

bool StdioFile::Flush()
{
    return f_ && std::fflush(f_) == 0;
}

bool IsRegularFile(const std::string& path)
{
#ifdef _WIN32
    struct _stat64 st;
    return _stat64(path.c_str(), &st) == 0 && (st.st_mode & _S_IFREG) != 0;
#else
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

} // namespace stub
