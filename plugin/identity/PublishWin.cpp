#include "plugin/identity/Identity.h"
#include "plugin/identity/IdentityValue.h"
#include <cstdlib>
#include <string>

namespace mirel {

bool PublishVariable(const char* name, const char* value)
{
    std::string assignment;
    if (!ComposeAssignment(name, value, assignment))
        return false;
    // The run-time library's _putenv updates its own table and the process environment, so
    // programs started afterwards inherit the value.
    return _putenv(assignment.c_str()) == 0;
}

} // namespace mirel
