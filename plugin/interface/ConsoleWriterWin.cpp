#include "plugin/interface/ConsoleWriter.h"
#include <cstring>

namespace {

using AttachConsoleFn = BOOL(WINAPI*)(DWORD);

// A failed attach means "already has a console" when the system answers access denied.
bool AttachFailedForReal(AttachConsoleFn attach, DWORD processId)
{
    return !attach(processId) && GetLastError() != ERROR_ACCESS_DENIED;
}

void AttachOrAllocate(bool allowAllocate)
{
    HMODULE kernel = LoadLibraryA("kernel32");
    if (!kernel) {
        if (allowAllocate)
            AllocConsole();
        return;
    }
    auto attach = reinterpret_cast<AttachConsoleFn>(GetProcAddress(kernel, "AttachConsole"));
    if (attach && AttachFailedForReal(attach, ATTACH_PARENT_PROCESS) &&
        AttachFailedForReal(attach, GetCurrentProcessId()) && allowAllocate)
        AllocConsole();
    FreeLibrary(kernel);
}

} // namespace

namespace mirel {

void ConsoleWriter::open(bool allowAllocate, const char* title)
{
    AttachOrAllocate(allowAllocate);
    opened_ = true;
    out_ = GetStdHandle(STD_OUTPUT_HANDLE);
    if (title && *title)
        SetConsoleTitleA(title);
}

int ConsoleWriter::write(const char* text)
{
    // A bad pointer cannot be caught without structured exceptions: the missing text is the
    // case an engine can produce, and it writes nothing.
    if (out_ == INVALID_HANDLE_VALUE || !out_ || !text)
        return 0;
    DWORD written = 0;
    if (!WriteConsoleA(out_, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr))
        return 0;
    return static_cast<int>(written);
}

int ConsoleWriter::writeFormatted(const char* format, const char* text)
{
    if (!format || !text)
        return 0;
    char line[1025];  // the formatter writes at most 1024 characters
    line[1024] = '\0';
    // wvsprintfA takes its arguments as a va_list; one text pointer is the whole list.
    const char* args[1] = {text};
    wvsprintfA(line, format, reinterpret_cast<va_list>(args));
    return write(line);
}

void ConsoleWriter::release()
{
    if (!opened_)
        return;
    opened_ = false;
    out_ = INVALID_HANDLE_VALUE;
    FreeConsole();
}

} // namespace mirel
