// The list section of the shared instance memory, as the application lays it out. The layout is
// a protocol with every other copy: it must not change.
#pragma once
#include <windows.h>
#include <vector>

constexpr DWORD kInstanceSlots = 1000;
// Sizes before rounding to the allocation granularity.
constexpr DWORD kInstanceListBytes = 4008;
constexpr DWORD kInstanceAdditionalBytes = 1024;

struct InstanceList {
    DWORD marker;                       // 1 once created; never read
    DWORD count;                        // slots in use
    DWORD processIds[kInstanceSlots];   // in order of registration, 0 past the last in use
};
static_assert(sizeof(InstanceList) == kInstanceListBytes, "the list layout is fixed");

// Slots in use. Only a faulty writer can leave a count above the slots; it reads as a full list,
// so nothing is read or written beyond the last slot.
DWORD usedSlots(const InstanceList& list);

// Slot of the first occurrence of the id among the slots in use; -1 when it is not there.
int findSlot(const InstanceList& list, DWORD processId);

// Appends the id; false when the list is full.
bool appendId(InstanceList& list, DWORD processId);

// Removes the slot, moving the later ones down (order kept) and clearing the freed end slot.
void removeSlot(InstanceList& list, DWORD slot);

// The ids in use, in slot order.
std::vector<DWORD> idsInUse(const InstanceList& list);

// A process that ended while it held the list lock may have left a move half done: a duplicated
// id, a cleared slot below the count, or a count the slots do not match. Keeps the first
// occurrence of each non-zero id in order and clears everything after it.
void repairInstanceList(InstanceList& list);

// marker 1, count 0, every slot 0.
void initialiseInstanceListData(InstanceList& list);
