#include "framework/Object.h"

static const CRuntimeClass classCObject = {"CObject"};

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}
