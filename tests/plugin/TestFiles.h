// Whole files as bytes, for tests that write fixtures and read results.
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace plugintest {

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

} // namespace plugintest
