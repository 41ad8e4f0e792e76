// The viewer program as users run it: text file, ready file, closing with --stop.
#include <doctest/doctest.h>
#include "stub/services/Trace.h"
#include "tests/support/TraceViewerProcess.h"
#include <fstream>
#include <iterator>

namespace {
std::string ReadAll(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void SendPiece(HWND viewer, unsigned source, const char* text)
{
    ATOM atom = GlobalAddAtomA(text);
    SendMessageA(viewer, RegisterWindowMessageA(stub::kTraceViewerMessage), source, atom);
    GlobalDeleteAtom(atom);
}
} // namespace

TEST_CASE("trace-viewer writes the text file, signals readiness and stops on --stop")
{
    const std::string dir = testsupport::ProgramBeside("");
    const std::string out = dir + "viewer-test.out";
    const std::string ready = dir + "viewer-test.ready";
    DeleteFileA(out.c_str());
    DeleteFileA(ready.c_str());

    std::string cmd = "\"" + testsupport::ProgramBeside("trace-viewer.exe") + "\" --quiet --out \"" + out +
                      "\" --ready \"" + ready + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    for (int i = 0; i < 1500 && GetFileAttributesA(ready.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(20);
    const std::string readyText = ReadAll(ready);
    REQUIRE(!readyText.empty());
    HWND viewer = FindWindowA(stub::kTraceViewerClass, nullptr);
    REQUIRE(viewer != nullptr);
    CHECK(readyText == std::to_string(reinterpret_cast<UINT_PTR>(viewer)) + "\n");

    SendPiece(viewer, 2, "first ");
    SendPiece(viewer, 5, "line\r\n");
    CHECK(ReadAll(out) == "first line\r\n");  // flushed per piece, readable while it runs

    DWORD pid = 0;
    CHECK(testsupport::RunProgram(testsupport::ProgramBeside("trace-viewer.exe"), "--stop", 30000, &pid) == 0);
    CHECK(WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CHECK(code == 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CHECK(testsupport::RunProgram(testsupport::ProgramBeside("trace-viewer.exe"), "--stop", 30000, &pid) == 1);
    DeleteFileA(out.c_str());
    DeleteFileA(ready.c_str());
}
