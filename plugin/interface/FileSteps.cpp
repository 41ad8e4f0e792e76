#include "plugin/interface/FileSteps.h"
#include "plugin/interface/TextHelpers.h"
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

} // namespace

namespace mirel {

bool CopyTextFile(const char* source, const char* target)
{
    File in(std::fopen(source, "r"));
    if (!in)
        return false;
    File out(std::fopen(target, "w"));
    if (!out)
        return false;
    char piece[256];
    while (std::fgets(piece, sizeof piece, in.get()))
        std::fputs(piece, out.get());
    return true;
}

std::string CleanedPath(const char* text)
{
    if (!text || std::strlen(text) >= kPathBufferSize)
        return std::string();
    char buffer[kPathBufferSize];
    std::strcpy(buffer, text);
    return clean(buffer);
}

std::string ExtractionTarget(const char* argument, const char* placeholder, const std::string& currentDir,
                             const char* defaultName)
{
    if (argument && std::strlen(argument) >= kPathBufferSize)
        return std::string();  // refused rather than cut to some other path
    std::string cleaned = CleanedPath(argument);
    if (cleaned.empty() || cleaned == placeholder)
        return currentDir + "\\" + defaultName;
    return cleaned;
}

std::string UsageHeader(const char* name, const char* version)
{
    char header[256];
    int length = std::snprintf(header, sizeof header, "\n\n%s V%s Usage: %s %s", name, version, name,
                               "[option] ... [option]");
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof header)
        return std::string();
    return header;
}

} // namespace mirel
