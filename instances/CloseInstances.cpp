#include "instances/CloseInstances.h"
#include "instances/InstanceCloser.h"
#include "instances/InstanceManager.h"

void closeOtherInstances()
{
    closeListedInstances(instanceManager);
}
