#include "stub/package/ExtractWin.h"

#include <windows.h>

#include "stub/package/FileHelpersWin.h"
#include "stub/services/SysUtilsWin.h"

namespace stub {
namespace {

class FileTarget : public TargetWriter {
public:
    FileTarget(const std::string& path, bool append) : writer_(path, append) {}
    void Put(const char* data, std::size_t len) override { writer_.Put(data, len); }
    bool Finish(std::uint32_t date) override { return writer_.Finish(date); }
    std::string ErrorText() override
    {
        SetLastError(writer_.error());
        return SysErrorText();
    }

private:
    ChunkedFileWriter writer_;
};

class WindowsHost : public ExtractHost {
public:
    explicit WindowsHost(ProgressProc progress) : progress_(progress) {}

    bool FileExists(const std::string& path) override { return stub::FileExists(path); }
    bool CreateFolders(const std::string& path) override { return ForceFolders(path); }
    std::string SysErrorText() override { return stub::SysErrorText(); }
    std::unique_ptr<TargetWriter> OpenTarget(const std::string& path, bool append) override
    {
        return std::make_unique<FileTarget>(path, append);
    }
    std::uint32_t FileDate(const std::string& path) override { return FileDosDate(path); }
    std::int64_t FileSize(const std::string& path) override { return FileSizeByName(path); }
    double FreeSpace(const std::string& path) override { return stub::FreeSpace(path); }
    void EjectCD(const std::string& path) override { stub::EjectCD(path); }
    void EnableAutoPlayCancel() override { stub::EnableAutoPlayCancel(true); }
    std::uint64_t TickCount() override { return GetTickCount64(); }
    unsigned long ProcessId() override { return GetCurrentProcessId(); }
    // Called after every 64 KiB read and every inflate round; dispatching at most every 10 ms
    // keeps the windows just as alive without a yield of the processor per piece.
    void PumpMessages() override
    {
        const std::uint64_t now = GetTickCount64();
        if (now - last_pump_ < kPumpInterval && last_pump_ != 0)
            return;
        last_pump_ = now;
        stub::PumpMessages(0);
    }
    void WaitPumping(int ms) override { stub::WaitPumping(static_cast<std::uint32_t>(ms), 0); }
    bool ShowBox(const ExtractBox& box) override { return ShowExtractBox(box); }
    void ProgressReset(int maximum) override
    {
        if (progress_)
            progress_(0, 0, static_cast<std::int16_t>(maximum), 0, 1, std::string());
    }
    void ProgressStep() override
    {
        if (progress_)
            progress_(1, 0, 0, 0, 0, std::string());
    }

private:
    static constexpr std::uint64_t kPumpInterval = 10;
    ProgressProc progress_;
    std::uint64_t last_pump_ = 0;
};

} // namespace

ExtractResult ExtractPackage(const std::string& package_path, const std::string& dest_folder,
                             const std::string& agent_name, ProgressProc progress, const std::string& disk_prompt,
                             const std::string& prompt_title, const std::string& button_texts, int charset,
                             bool force_prompt)
{
    ExtractRequest request;
    request.package_path = package_path;
    request.dest_folder = dest_folder;
    request.agent_name = agent_name;
    request.disk_prompt = disk_prompt;
    request.prompt_title = prompt_title;
    request.button_texts = button_texts;
    request.charset = charset;
    request.force_prompt = force_prompt;
    WindowsHost host(progress);
    return RunExtraction(request, host);
}

} // namespace stub
