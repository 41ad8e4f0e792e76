// Version and aliases: what the engine asks before it calls anything.
#include "plugin/interface/Guard.h"
#include "plugin/interface/PluginEntry.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kConditionAliases[mirel::kConditionCount] = {
    "Valid System ?", "Chassis and/or D-Number found ?", "Is Zarn available ?", "Is WinPE OS ?",
    "Is Win2000 OS ?"};

const char* const kExecutionAliases[mirel::kExecutionCount] = {
    "Extract File", "Create gf.arg File", "Extract gf.par File", "Extract rel_note.txt File",
    "Display String", "Show Help"};

// Copies alias `index` of the table into buffer; null (buffer untouched) outside the table.
char* CopyAlias(const char* const* table, int count, int index, char* buffer)
{
    if (index < 0 || index >= count || !buffer)
        return nullptr;
    std::strcpy(buffer, table[index]);
    return buffer;
}

} // namespace

int GetDllVersion()
{
    return mirel::Guarded(0, [] {
        char text[16];
        std::snprintf(text, sizeof text, "%02d%02d%02d", mirel::kDllVersion[0], mirel::kDllVersion[1],
                      mirel::kDllVersion[2]);
        return std::atoi(text);
    });
}

char* GetConditionAlias(int index, char* buffer)
{
    return mirel::Guarded<char*>(nullptr, [&] {
        return CopyAlias(kConditionAliases, mirel::kConditionCount, index, buffer);
    });
}

char* GetExecutionAlias(int index, char* buffer)
{
    return mirel::Guarded<char*>(nullptr, [&] {
        return CopyAlias(kExecutionAliases, mirel::kExecutionCount, index, buffer);
    });
}
