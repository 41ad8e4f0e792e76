#include "stub/package/FileHelpers.h"
#include <algorithm>
#include <cctype>

namespace stub {

std::string FileNamePart(const std::string& path)
{
    const auto cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string NameWithoutExtension(const std::string& path, bool all)
{
    std::string name = FileNamePart(path);
    do {
        const auto dot = name.rfind('.');
        if (dot == std::string::npos)
            break;
        name.erase(dot);
    } while (all);
    return name;
}

std::string FreeSpaceRoot(const std::string& path, bool drive_root)
{
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    if (drive_root || p.size() < 3) {
        const char letter = p.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
        return p.empty() ? std::string(":\\") : std::string(1, letter) + ":\\";
    }
    const auto cut = p.find('\\', 3);
    return cut == std::string::npos ? p : p.substr(0, cut);
}

double FreeSpaceVia(const std::string& path, FreeSpaceSystem& system)
{
    double result = -1.0;
    if (system.HasExtendedCall()) {
        if (system.Extended(FreeSpaceRoot(path, false), result) || system.Extended(FreeSpaceRoot(path, true), result))
            return result;
        return -1.0;
    }
    return system.Basic(FreeSpaceRoot(path, true), result) ? result : -1.0;
}

std::uint64_t WriteChunkSize(std::uint64_t len)
{
    if (len <= kWriteChunkLimit)
        return len;
    return std::min<std::uint64_t>(len / 10, kWriteChunkLimit);
}

std::int64_t FilePartLength(std::int64_t size, std::int64_t max_len, std::int64_t offset)
{
    if (offset < 0 || offset >= size)
        return 0;
    std::int64_t len = size - offset;
    if (max_len != 0 && max_len < len)
        len = max_len;
    return len > 0 ? len : 0;
}

std::string SelfDeleteBatchText(const std::string& exe_path, const std::string& exe_folder,
                                const std::string& batch_path, bool remove_folder, bool quote)
{
    // A short name that could not be had keeps its blanks: quoted all the same, or the batch
    // would never match the file and loop for ever.
    const auto q = [quote](const std::string& p) {
        return quote || p.find(' ') != std::string::npos ? "\"" + p + "\"" : p;
    };
    std::string text = ":START\r\n";
    text += "DEL " + q(exe_path) + "\r\n";
    text += "IF exist " + q(exe_path) + " GOTO START\r\n";
    if (remove_folder)
        text += "RD " + q(exe_folder) + "\r\n";
    text += "DEL " + q(batch_path) + "\r\n";
    return text;
}

} // namespace stub
