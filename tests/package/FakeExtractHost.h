// An extraction host that keeps the target files in memory and records what the engine asked
// of the system: boxes, progress, waits, ejects. Volumes are real files the test writes.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "stub/package/ExtractEngine.h"
#include "stub/package/StdioFile.h"

namespace fixture {

struct FakeExtractHost : stub::ExtractHost {
    std::map<std::string, std::string> files;     // targets written, by path
    std::map<std::string, std::uint32_t> dates;   // dates set on targets
    std::set<std::string> failing;                // targets whose writes fail
    bool folders_fail = false;
    std::vector<std::string> folders;
    std::vector<stub::ExtractBox> boxes;
    std::function<bool(const stub::ExtractBox&)> answer = [](const stub::ExtractBox& b) {
        return b.kind != stub::ExtractBoxKind::DiskPrompt;
    };
    std::vector<std::string> progress;            // "reset N" and "step"
    std::vector<std::string> ejected;
    int pumps = 0, waits = 0, autoplay = 0;
    std::uint64_t ticks = 1000;
    std::uint32_t volume_date = 0x30654321;

    struct Writer : stub::TargetWriter {
        FakeExtractHost& host;
        std::string path;
        bool ok;
        Writer(FakeExtractHost& h, std::string p, bool append) : host(h), path(std::move(p)), ok(!h.failing.count(path))
        {
            if (ok && !append)
                host.files[path].clear();
            if (ok)
                host.files[path];
        }
        void Put(const char* data, std::size_t len) override
        {
            if (ok)
                host.files[path].append(data, len);
        }
        bool Finish(std::uint32_t date) override
        {
            if (ok && date)
                host.dates[path] = date;
            return ok;
        }
        std::string ErrorText() override { return "Disk full."; }
    };

    bool FileExists(const std::string& path) override { return files.count(path) || stub::IsRegularFile(path); }
    bool CreateFolders(const std::string& path) override
    {
        folders.push_back(path);
        return !folders_fail;
    }
    std::string SysErrorText() override { return "Access denied."; }
    std::unique_ptr<stub::TargetWriter> OpenTarget(const std::string& path, bool append) override
    {
        return std::make_unique<Writer>(*this, path, append);
    }
    std::uint32_t FileDate(const std::string&) override { return volume_date; }
    std::int64_t FileSize(const std::string& path) override
    {
        auto it = files.find(path);
        return it == files.end() ? 0 : static_cast<std::int64_t>(it->second.size());
    }
    double FreeSpace(const std::string&) override { return 12345.6; }
    void EjectCD(const std::string& path) override { ejected.push_back(path); }
    void EnableAutoPlayCancel() override { ++autoplay; }
    std::uint64_t TickCount() override { return ticks += 5; }
    unsigned long ProcessId() override { return 77; }
    void PumpMessages() override { ++pumps; }
    void WaitPumping(int) override { ++waits; }
    bool ShowBox(const stub::ExtractBox& box) override
    {
        boxes.push_back(box);
        return answer(box);
    }
    void ProgressReset(int maximum) override { progress.push_back("reset " + std::to_string(maximum)); }
    void ProgressStep() override { progress.push_back("step"); }

    int Steps() const
    {
        int n = 0;
        for (const auto& p : progress)
            n += p == "step";
        return n;
    }
};

} // namespace fixture
