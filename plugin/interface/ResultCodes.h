// Result codes of the module's integer-returning functions.
#pragma once

enum MirelResult : int {
    RET_OK = 0,
    RET_NOTINSTALLED = 1,
    RET_NOVERSION = 2,
    RET_BADCALL = 3,
    RET_NOTFOUND = 4,
    RET_UNDEFINED = 10,
    RET_DONE = 11,
    RET_FATAL_ERROR = 55,
};
