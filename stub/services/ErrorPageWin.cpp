#include "stub/services/ErrorPageWin.h"
#include "stub/services/Handles.h"

namespace stub {

namespace {

// The file's first bytes; false when it cannot be opened (a missing file or a folder).
bool ReadHead(const std::string& fileName, std::size_t limit, std::string& head)
{
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    UniqueHandle f(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f)
        return false;
    head.assign(limit, '\0');
    DWORD got = 0;
    if (!ReadFile(f.get(), &head[0], static_cast<DWORD>(limit), &got, nullptr))
        got = 0;
    head.resize(got);
    return true;
}

} // namespace

std::string CheckErrorPage(const std::string& fileName, const std::string& content, const std::string& url,
                           const std::string& defaultMessage)
{
    std::string head;
    if (!fileName.empty() && ReadHead(fileName, kErrorPageProbeBytes, head))
        return CheckErrorPageText(head, url, defaultMessage);
    return CheckErrorPageText(content, url, defaultMessage);
}

} // namespace stub
