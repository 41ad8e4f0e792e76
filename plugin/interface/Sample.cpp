#include "plugin/interface/Sample.h"

int nMirel_DLL = 0;

int fnMirel_DLL()
{
    return 42;
}

CMirel_DLL::CMirel_DLL() = default;

CMirel_DLL& CMirel_DLL::operator=(const CMirel_DLL&) = default;
