// The self-deleting batch under the real command interpreter: a program that asked for its
// deletion is gone (with its folder, when asked) a little after it has ended.
#include <doctest/doctest.h>
#include "stub/package/FileHelpersWin.h"
#include <string>

using namespace stub;

namespace {
std::string BesideMe(const std::string& name)
{
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string TempPath(const std::string& name)
{
    char base[MAX_PATH];
    return std::string(base, GetTempPathA(sizeof base, base)) + name;
}

DWORD RunAndWait(const std::string& exe, const std::string& args)
{
    std::string command = "\"" + exe + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
    REQUIRE(WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

// Polls (at most 60 s) until the condition holds.
template <typename Done>
bool Eventually(Done done)
{
    for (int i = 0; i < 600; ++i) {
        if (done())
            return true;
        Sleep(100);
    }
    return done();
}
} // namespace

TEST_CASE("DeleteMySelf: the batch deletes the ended program, its folder and itself")
{
    struct Case { const char* args; bool folder_goes; };
    const Case cases[] = {{"folder", true}, {"", false}, {"folder short", true}};
    const std::string batch = TempPath("_DEL_ME_.BAT");
    for (const Case& c : cases) {
        CAPTURE(c.args);
        const std::string folder = TempPath("self delete " + std::to_string(GetCurrentProcessId()));
        const std::string exe = folder + "\\probe copy.exe";
        DeleteTree(folder, true);
        REQUIRE(ForceFolders(folder));
        REQUIRE(CopyFileA(BesideMe("selfdelete_probe.exe").c_str(), exe.c_str(), FALSE));

        CHECK(RunAndWait(exe, c.args) == 0);
        CHECK(Eventually([&] { return !FileExists(exe); }));
        CHECK(Eventually([&] { return !FileExists(batch); }));
        CHECK(FolderExists(folder) == !c.folder_goes);
        DeleteTree(folder, true);
    }
}
