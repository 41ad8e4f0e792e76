#include "plugin/identity/UpgradeCodes.h"
#include "plugin/interface/ResultCodes.h"

namespace mirel {

const char* const kAgentsUpgradeCodes[] = {
    "{3A7B2E90-C4D1-4E6F-8A25-0B9C7D6E1F30}",
    "{9D2C8B41-7E6A-4F03-B1C8-5A4E3F2D6C17}",
    "",
};

int SearchAgentsProduct(const std::function<int(const char* upgradeCode)>& version)
{
    for (const char* const* code = kAgentsUpgradeCodes; **code != '\0'; ++code) {
        const int r = version(*code);
        if (r == RET_OK || r == RET_NOVERSION)
            return 1;
        if (r == RET_BADCALL)
            return 0;
    }
    return 0;
}

} // namespace mirel
