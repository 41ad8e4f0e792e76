// Entry of Stub.exe: everything it does lives in the stub_control library.
#include "stub/control/StubProgramWin.h"
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return stub::RunStubProgram();
}
