#include "plugin/identity/QuorixRead.h"
#include "plugin/identity/IdentityValue.h"

namespace mirel {

bool ReadQuorix(QuorixCall call, int index, std::string& text)
{
    char buffer[kValueSize] = {};
    if (call == nullptr || call(index, buffer, int(sizeof buffer)) == 0)
        return false;
    buffer[sizeof buffer - 1] = '\0';  // a library that fills the whole buffer is not read past
    text = buffer;
    return true;
}

} // namespace mirel
