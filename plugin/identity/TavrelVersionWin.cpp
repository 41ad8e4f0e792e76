#include "plugin/identity/Identity.h"
#include "plugin/identity/IdentityValue.h"
#include "plugin/identity/UpgradeCodes.h"
#include "plugin/interface/Guard.h"
#include "plugin/interface/ResultCodes.h"
#include <windows.h>
#include <msi.h>

namespace {

constexpr DWORD kProductCodeSize = 39;

int TavrelVersion(const char* upgradeCode, char* versionOut, bool store)
{
    if (upgradeCode == nullptr || *upgradeCode == '\0' || versionOut == nullptr)
        return RET_BADCALL;
    char product[kProductCodeSize] = {};
    if (MsiEnumRelatedProductsA(upgradeCode, 0, 0, product) != ERROR_SUCCESS)
        return RET_NOTINSTALLED;
    char version[mirel::kValueSize] = {};
    DWORD length = sizeof version;
    if (MsiGetProductInfoA(product, "VersionString", version, &length) != ERROR_SUCCESS || length == 0) {
        mirel::CopyBounded(versionOut, mirel::kValueSize, "unknown");
        return RET_NOVERSION;
    }
    mirel::CopyBounded(versionOut, mirel::kValueSize, version);
    if (store && !mirel::PublishVariable("ZARN_VERSION", version))
        return RET_FATAL_ERROR;
    return RET_OK;
}

} // namespace

int GetTavrelVersion(char* upgradeCode, char* versionOut, bool store)
{
    return mirel::Guarded(int(RET_NOTINSTALLED), [&] { return TavrelVersion(upgradeCode, versionOut, store); });
}

int Is_Zarn_available(bool store)
{
    return mirel::Guarded(0, [&] {
        return mirel::SearchAgentsProduct([store](const char* code) {
            char version[mirel::kValueSize] = {};
            return TavrelVersion(code, version, store);
        });
    });
}
