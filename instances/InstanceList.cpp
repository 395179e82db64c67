#include "instances/InstanceList.h"
#include <algorithm>

DWORD usedSlots(const InstanceList& list)
{
    return std::min(list.count, kInstanceSlots);
}

int findSlot(const InstanceList& list, DWORD processId)
{
    DWORD used = usedSlots(list);
    for (DWORD slot = 0; slot < used; slot++) {
        if (list.processIds[slot] == processId)
            return static_cast<int>(slot);
    }
    return -1;
}

bool appendId(InstanceList& list, DWORD processId)
{
    if (list.count >= kInstanceSlots)
        return false;
    list.processIds[list.count] = processId;
    list.count++;
    return true;
}

void removeSlot(InstanceList& list, DWORD slot)
{
    DWORD used = usedSlots(list);
    if (slot >= used)
        return;
    for (DWORD i = slot; i + 1 < used; i++)
        list.processIds[i] = list.processIds[i + 1];
    list.processIds[used - 1] = 0;
    list.count = used - 1;
}

std::vector<DWORD> idsInUse(const InstanceList& list)
{
    return std::vector<DWORD>(list.processIds, list.processIds + usedSlots(list));
}

void repairInstanceList(InstanceList& list)
{
    DWORD used = usedSlots(list);
    DWORD kept = 0;
    for (DWORD slot = 0; slot < used; slot++) {
        DWORD id = list.processIds[slot];
        if (id == 0 || std::find(list.processIds, list.processIds + kept, id) != list.processIds + kept)
            continue;
        list.processIds[kept++] = id;
    }
    std::fill(list.processIds + kept, list.processIds + kInstanceSlots, 0);
    list.count = kept;
}

void initialiseInstanceListData(InstanceList& list)
{
    list.marker = 1;
    list.count = 0;
    std::fill(list.processIds, list.processIds + kInstanceSlots, 0);
}
