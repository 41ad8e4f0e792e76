#include <doctest/doctest.h>
#include <windows.h>
#include <string>

namespace {
std::string Sibling(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}
} // namespace

TEST_CASE("a crashing program ends instead of waiting in the debugger")
{
    std::string cmd = "\"" + Sibling("harness_crasher.exe") + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DWORD wait = WaitForSingleObject(pi.hProcess, 20000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    if (wait != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CHECK(wait == WAIT_OBJECT_0);
    CHECK(code != 0);
}

TEST_CASE("real windows can be created on the test display")
{
    HWND w = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(w != nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    CHECK(r.right - r.left == 200);
    DestroyWindow(w);
}
