#include "plugin/identity/Identity.h"
#include "plugin/identity/IdentityValue.h"
#include "plugin/interface/Guard.h"
#include <cstring>

namespace {

bool SystemInfoRegistry(const char* valueName, char* out, bool store, bool* fromRegistry)
{
    if (out == nullptr || valueName == nullptr)
        return false;
    char stored[mirel::kValueSize] = {};
    if (mirel::readValue(valueName, stored, sizeof stored) != 0)
        return false;
    if (fromRegistry)
        *fromRegistry = true;
    if (std::strcmp(valueName, "systemBoard") == 0) {
        const mirel::StoredBoard parts = mirel::SplitStoredBoard(stored);
        mirel::CopyBounded(out, mirel::kValueSize, parts.board.c_str());
        return !store || mirel::PublishVariable("SACHNUMMER", parts.sachnummer.c_str());
    }
    mirel::CopyBounded(out, mirel::kValueSize, stored);
    return !store || mirel::PublishVariable("CHASSISID", stored);
}

} // namespace

bool Get_System_Info_REGISTRY(char* valueName, char* out, bool store, bool* fromRegistry)
{
    return mirel::Guarded(false, [&] { return SystemInfoRegistry(valueName, out, store, fromRegistry); });
}
