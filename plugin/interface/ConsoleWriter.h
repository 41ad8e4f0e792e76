// Prints texts for a user who started the setup from a command prompt: attaches to the parent's
// console (or allocates one when allowed), writes, and detaches the whole process on release.
#pragma once
#include <windows.h>

namespace mirel {

class ConsoleWriter {
public:
    ConsoleWriter() = default;
    ~ConsoleWriter() { release(); }
    ConsoleWriter(const ConsoleWriter&) = delete;
    ConsoleWriter& operator=(const ConsoleWriter&) = delete;

    void open(bool allowAllocate, const char* title);
    // Characters written; 0 when there is no console or the text is missing.
    int write(const char* text);
    // format takes the single text argument (wvsprintfA, 1024-byte line).
    int writeFormatted(const char* format, const char* text);
    // Detaches the process from its console (once).
    void release();

private:
    HANDLE out_ = INVALID_HANDLE_VALUE;
    bool opened_ = false;
};

} // namespace mirel
