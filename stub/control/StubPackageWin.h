// The package information of the running executable, opened once at the start of the run and
// held until its end; the language choice of the whole process is made from it.
#pragma once
#include "stub/package/TGFileInfo.h"

namespace stub {

// Opens the running executable's package and installs the process's language choice.
void OpenRunningPackage();
// Releases it (the accessors then answer as for an empty package).
void ReleaseRunningPackage();
const TGFileInfo& RunningPackage();

// The trailer's role bytes count only when the trailer is a package's (its magic matches): a
// bare Stub.exe reads whatever its last bytes hold and must not act on them.
bool RunningPackageValid();
bool RunsAsAutoUpdateProgram();

} // namespace stub
