#include "install/InstallProcedure.h"

int installProduct()
{
    return 0; // not built yet: the install procedure comes with the install engine
}
