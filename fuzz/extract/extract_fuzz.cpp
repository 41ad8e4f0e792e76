// libFuzzer target for the extraction engine: the input is a whole first volume (trailer,
// header blocks, records), held in memory; targets are kept in memory too. Whatever the bytes,
// the engine must end without reading outside the volume, without writing a name with a folder
// part, and with memory bounded by the record bound.
// Run by scripts/fuzz.sh with the other targets.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "stub/package/ExtractEngine.h"

namespace {

struct MemoryHost : stub::ExtractHost {
    std::string volume;
    std::map<std::string, std::uint64_t> sizes;

    struct Writer : stub::TargetWriter {
        std::uint64_t& size;
        explicit Writer(std::uint64_t& s) : size(s) {}
        void Put(const char*, std::size_t len) override { size += len; }
        bool Finish(std::uint32_t) override { return true; }
        std::string ErrorText() override { return {}; }
    };

    std::unique_ptr<stub::ByteSource> OpenVolume(const std::string& path) override
    {
        return path == "V.exe" ? std::make_unique<stub::MemorySource>(volume) : nullptr;
    }
    bool FileExists(const std::string& path) override { return path == "V.exe" || sizes.count(path); }
    bool CreateFolders(const std::string&) override { return true; }
    std::string SysErrorText() override { return {}; }
    std::unique_ptr<stub::TargetWriter> OpenTarget(const std::string& path, bool) override
    {
        if (path.compare(0, 2, "D\\") != 0 || path.find_first_of("\\/:", 2) != std::string::npos)
            __builtin_trap();  // a target outside the destination folder
        return std::make_unique<Writer>(sizes[path]);
    }
    std::uint32_t FileDate(const std::string&) override { return 0; }
    std::int64_t FileSize(const std::string&) override { return 0; }
    double FreeSpace(const std::string&) override { return 0; }
    void EjectCD(const std::string&) override {}
    void EnableAutoPlayCancel() override {}
    std::uint64_t TickCount() override { return 0; }
    unsigned long ProcessId() override { return 1; }
    void PumpMessages() override {}
    void WaitPumping(int) override {}
    bool ShowBox(const stub::ExtractBox&) override { return false; }
    void ProgressReset(int) override {}
    void ProgressStep() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryHost host;
    host.volume.assign(reinterpret_cast<const char*>(data), size);
    stub::ExtractRequest request;
    request.package_path = "V.exe";
    request.dest_folder = "D";
    request.agent_name = "A.exe";
    request.max_record_content = 1 << 20;
    stub::RunExtraction(request, host);
    for (const auto& target : host.sizes)
        if (target.second > request.max_record_content * 64)
            __builtin_trap();
    return 0;
}
