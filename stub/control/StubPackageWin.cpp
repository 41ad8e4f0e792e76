#include "stub/control/StubPackageWin.h"

#include "stub/services/SLangId.h"
#include "stub/services/SLangIdWin.h"
#include "stub/services/UtilsWin.h"

namespace stub {

namespace {

TGFileInfo& Package()
{
    static TGFileInfo info;
    return info;
}

} // namespace

void OpenRunningPackage()
{
    UseThreadLocale();
    SetLanguageEntryChooser(EntryForUser);
    Package().Create(ExePath());
}

void ReleaseRunningPackage()
{
    Package() = TGFileInfo{};
}

const TGFileInfo& RunningPackage()
{
    return Package();
}

bool RunningPackageValid()
{
    return Package().Info().HasMagic();
}

bool RunsAsAutoUpdateProgram()
{
    return RunningPackageValid() && Package().IsAutoUpdateProgram();
}

} // namespace stub
