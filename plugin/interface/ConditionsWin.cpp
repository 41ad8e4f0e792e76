// Conditions 0 to 4: yes/no questions about the machine, answered 1 or 0.
#include "plugin/interface/ConditionText.h"
#include "plugin/interface/Guard.h"
#include "plugin/interface/PluginEntry.h"
#include "plugin/identity/Identity.h"
#include <string>

namespace {

// Until the board and chassis identification is part of the module, no identifier can be
// determined: every keyword test fails, so a fully parsed text still answers 0.
bool NotDeterminedYet(const std::string&)
{
    return false;
}

int Answer(bool holds)
{
    return holds ? 1 : 0;
}

} // namespace

int GetCondition_0(int, int, const char* text)
{
    return mirel::Guarded(0, [&] { return Answer(mirel::DecideCondition(text, NotDeterminedYet, NotDeterminedYet)); });
}

int GetCondition_1(int, int, const char* text)
{
    return mirel::Guarded(0, [&] { return Answer(mirel::DecideCondition(text, NotDeterminedYet, NotDeterminedYet)); });
}

int GetCondition_2(int, int, const char*)
{
    return mirel::Guarded(0, [] { return Answer(Is_Zarn_available(true) == 1); });
}

int GetCondition_3(int, int, const char*)
{
    return mirel::Guarded(0, [] { return Answer(Is_WinPE_OS()); });
}

int GetCondition_4(int, int, const char*)
{
    return mirel::Guarded(0, [] { return Answer(Is_Win2000_OS()); });
}
