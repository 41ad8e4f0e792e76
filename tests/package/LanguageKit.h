// Language blocks and package objects carrying them, for the language-choice tests.
#pragma once
#include "PackageTestKit.h"
#include "stub/package/TGFileInfo.h"
#include "stub/services/SLangKeys.h"

#include <string>
#include <vector>

namespace kit {

inline std::string Entry(const std::string& name, std::vector<std::string> items = {})
{
    return stub::BuildLangEntry(name, items.data(), items.size());
}

inline std::string Languages(std::vector<std::string> entries)
{
    return stub::BuildLangBlock(entries.data(), entries.size());
}

// A package object over a carrier whose language block is the given one.
inline stub::TGFileInfo PackageWith(const std::string& languages)
{
    std::string image = CarrierStub();
    const std::uint32_t start = static_cast<std::uint32_t>(image.size());
    image += Block(languages) + Block("|||||");
    image += MakeTrailer(start, 2).Bytes();
    stub::MemorySource source(image);
    stub::TGFileInfo info;
    info.Create(source);
    return info;
}

} // namespace kit
