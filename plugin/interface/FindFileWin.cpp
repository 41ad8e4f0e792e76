#include "plugin/interface/FindFile.h"
#include "plugin/interface/Guard.h"
#include <windows.h>
#include <cstring>
#include <memory>

namespace {

struct SearchCloser {
    void operator()(HANDLE h) const { FindClose(h); }
};

} // namespace

bool DLL_FindFirstFile(char* pattern, char* nameOut)
{
    return mirel::Guarded(false, [&] {
        if (!pattern || !nameOut)
            return false;
        WIN32_FIND_DATAA found{};
        HANDLE h = FindFirstFileA(pattern, &found);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        std::unique_ptr<void, SearchCloser> search(h);
        std::strcpy(nameOut, found.cFileName);
        return true;
    });
}
