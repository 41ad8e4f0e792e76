// The trivial sample exports every module of this kind carries.
#pragma once
#include "plugin/interface/MirelExport.h"

class MIREL_EXPORT CMirel_DLL {
public:
    CMirel_DLL();
    CMirel_DLL& operator=(const CMirel_DLL&);
};

MIREL_EXPORT extern int nMirel_DLL;
MIREL_EXPORT int fnMirel_DLL();
