// The stub image with its PE headers moved to 256 still loads and starts under the system loader.
#include <doctest/doctest.h>
#include <windows.h>
#include <string>

TEST_CASE("the moved stub image starts")
{
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
    std::string command = "\"" + path.substr(0, path.find_last_of('\\') + 1) + "Stub.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    // Whatever the stub then does without a package: it must not have been refused by the
    // loader, which ends a process with an NTSTATUS error code (0xC0000000 and above).
    if (WaitForSingleObject(pi.hProcess, 5000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        CHECK(code < 0xC0000000u);
    } else {
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
