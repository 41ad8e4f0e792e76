#include "plugin/identity/Identity.h"
#include "plugin/identity/IdentityValue.h"
#include "plugin/identity/QuorixApi.h"
#include "plugin/identity/QuorixRead.h"
#include "plugin/interface/Guard.h"
#include "plugin/interface/ResultCodes.h"
#include <string>

namespace {

int ModelName(char* out, bool store)
{
    std::string model;
    if (!mirel::ReadQuorix(WMISystemInfo, kQuorixModelName, model) || mirel::IsMissingValue(model.c_str()))
        return RET_NOTFOUND;
    if (store && !mirel::PublishVariable("CHASSISMODEL", model.c_str()))
        return RET_NOTFOUND;
    mirel::CopyBounded(out, mirel::kValueSize, model.c_str());
    return RET_OK;
}

} // namespace

int Get_Model_Name(char* out, bool store)
{
    return mirel::Guarded(int(RET_NOTFOUND), [&] { return ModelName(out, store); });
}
