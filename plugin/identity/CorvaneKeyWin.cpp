#include "plugin/identity/CorvaneKeyWin.h"
#include "plugin/identity/Identity.h"
#include "plugin/identity/IdentityValue.h"
#include "plugin/interface/Architecture.h"
#include "stub/services/Handles.h"
#include <cstring>

namespace mirel {

namespace {

constexpr DWORD kNameDataMax = 256;

LONG Open(const CorvanePlace& place, CorvaneOp op, stub::RegKey& key)
{
    if (!place.usable)
        return CorvaneRefusal(op);
    HKEY h = nullptr;
    const LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, place.path, 0, place.access, &h);
    key.reset(rc == ERROR_SUCCESS ? h : nullptr);
    return rc;
}

CorvanePlace CurrentPlace()
{
    return CorvanePlaceFor(is32BitWindows(), is64BitWindows());
}

} // namespace

long CorvaneKeyExists(const CorvanePlace& place)
{
    stub::RegKey key;
    return Open(place, CorvaneOp::Exists, key);
}

long CorvaneEnsureKey(const CorvanePlace& place)
{
    if (!place.usable)
        return CorvaneRefusal(CorvaneOp::Write);
    HKEY h = nullptr;
    char noClass[] = "";
    const LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, place.path, 0, noClass, REG_OPTION_NON_VOLATILE, place.access,
                                    nullptr, &h, nullptr);
    stub::RegKey key(rc == ERROR_SUCCESS ? h : nullptr);
    return rc;
}

long CorvaneReadValue(const CorvanePlace& place, const char* valueName, char* out, std::size_t size)
{
    stub::RegKey key;
    LONG rc = Open(place, CorvaneOp::Read, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (valueName == nullptr)
        return ERROR_INVALID_PARAMETER;
    for (DWORD index = 0;; ++index) {
        char name[kNameDataMax + 1] = {};
        BYTE data[kNameDataMax + 2] = {};  // two spare zeros: the data always ends in a terminator
        DWORD nameLen = kNameDataMax, dataLen = kNameDataMax, type = 0;
        rc = RegEnumValueA(key.get(), index, name, &nameLen, nullptr, &type, data, &dataLen);
        if (rc == ERROR_MORE_DATA)
            continue;  // longer names or data are skipped
        if (rc != ERROR_SUCCESS)
            return rc;  // ERROR_NO_MORE_ITEMS when the name is not there
        if (std::strcmp(name, valueName) == 0) {
            CopyBounded(out, size, reinterpret_cast<const char*>(data));  // a multi-string gives its first
            return ERROR_SUCCESS;
        }
    }
}

long CorvaneWriteValue(const CorvanePlace& place, const char* valueName, const char* text)
{
    stub::RegKey key;
    LONG rc = Open(place, CorvaneOp::Write, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (valueName == nullptr || text == nullptr)
        return ERROR_INVALID_PARAMETER;
    return RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          DWORD(std::strlen(text) + 1));
}

bool keyExists()
{
    return CorvaneKeyExists(CurrentPlace()) == ERROR_SUCCESS;
}

void ensureKey()
{
    CorvaneEnsureKey(CurrentPlace());
}

int readValue(const char* valueName, char* out, std::size_t size)
{
    return CorvaneReadValue(CurrentPlace(), valueName, out, size) == ERROR_SUCCESS ? 0 : 1;
}

int writeValue(const char* valueName, const char* text)
{
    return CorvaneWriteValue(CurrentPlace(), valueName, text) == ERROR_SUCCESS ? 0 : 1;
}

} // namespace mirel
