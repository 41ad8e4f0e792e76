// The Corvane key operations at a given place, reporting the Win32 error code (for tests that
// choose the architecture; the module's own callers go through Identity.h).
#pragma once
#include "plugin/identity/CorvanePlace.h"
#include <cstddef>

namespace mirel {

long CorvaneKeyExists(const CorvanePlace& place);
long CorvaneEnsureKey(const CorvanePlace& place);
long CorvaneReadValue(const CorvanePlace& place, const char* valueName, char* out, std::size_t size);
long CorvaneWriteValue(const CorvanePlace& place, const char* valueName, const char* text);

} // namespace mirel
