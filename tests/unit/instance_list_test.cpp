// The list operations on the shared layout, apart from the shared memory.
#include "instances/InstanceList.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <memory>

namespace {

std::unique_ptr<InstanceList> listOf(const std::vector<DWORD>& ids)
{
    std::unique_ptr<InstanceList> list(new InstanceList);
    initialiseInstanceListData(*list);
    for (DWORD id : ids)
        appendId(*list, id);
    return list;
}

// Every slot from the count on holds 0.
bool slotsZeroFrom(const InstanceList& list, DWORD first)
{
    for (DWORD slot = first; slot < kInstanceSlots; slot++) {
        if (list.processIds[slot] != 0)
            return false;
    }
    return true;
}

TEST(InstanceList, LayoutIsTheProtocols)
{
    EXPECT_EQ(offsetof(InstanceList, marker), 0u);
    EXPECT_EQ(offsetof(InstanceList, count), 4u);
    EXPECT_EQ(offsetof(InstanceList, processIds), 8u);
    EXPECT_EQ(sizeof(InstanceList), 4008u);
}

TEST(InstanceList, RemovingMovesLaterSlotsDownInOrder)
{
    struct Case {
        const char* what;
        std::vector<DWORD> before;
        DWORD slot;
        std::vector<DWORD> after;
    };
    const Case cases[] = {
        {"first of three", {11, 22, 33}, 0, {22, 33}},
        {"middle", {11, 22, 33}, 1, {11, 33}},
        {"last", {11, 22, 33}, 2, {11, 22}},
        {"only", {11}, 0, {}},
        {"beyond the count: nothing", {11, 22}, 2, {11, 22}},
    };
    for (const Case& c : cases) {
        auto list = listOf(c.before);
        removeSlot(*list, c.slot);
        EXPECT_EQ(idsInUse(*list), c.after) << c.what;
        EXPECT_EQ(list->count, c.after.size()) << c.what;
        EXPECT_TRUE(slotsZeroFrom(*list, list->count)) << c.what;
    }
}

TEST(InstanceList, FullListTakesNoMore)
{
    auto list = listOf({});
    for (DWORD i = 0; i < kInstanceSlots; i++)
        ASSERT_TRUE(appendId(*list, 1000 + i));
    EXPECT_FALSE(appendId(*list, 7));
    EXPECT_EQ(list->count, kInstanceSlots);
    EXPECT_EQ(list->processIds[kInstanceSlots - 1], 1000 + kInstanceSlots - 1);
    EXPECT_EQ(findSlot(*list, 7), -1);
}

// Only a faulty writer leaves a count above the slots; it reads as a full list.
TEST(InstanceList, CountAboveTheSlotsReadsAsFull)
{
    auto list = listOf({});
    for (DWORD i = 0; i < kInstanceSlots; i++)
        list->processIds[i] = 1 + i;
    list->count = 0xFFFFFFF0;
    EXPECT_EQ(usedSlots(*list), kInstanceSlots);
    EXPECT_EQ(idsInUse(*list).size(), kInstanceSlots);
    EXPECT_EQ(findSlot(*list, kInstanceSlots), static_cast<int>(kInstanceSlots - 1));
    EXPECT_FALSE(appendId(*list, 5));
    removeSlot(*list, 0);
    EXPECT_EQ(list->count, kInstanceSlots - 1);
    EXPECT_EQ(list->processIds[0], 2u);
    EXPECT_EQ(list->processIds[kInstanceSlots - 1], 0u);
}

TEST(InstanceList, RepairKeepsFirstOccurrencesInOrder)
{
    struct Case {
        const char* what;
        std::vector<DWORD> slots;
        DWORD count;
        std::vector<DWORD> after;
    };
    const Case cases[] = {
        {"consistent list unchanged", {5, 6, 7}, 3, {5, 6, 7}},
        {"move stopped half way: duplicate", {5, 7, 7, 8}, 4, {5, 7, 8}},
        {"end slot cleared, count not yet lowered", {5, 7, 0}, 3, {5, 7}},
        {"zero inside", {0, 5, 0, 6}, 4, {5, 6}},
        {"ids past the count are cleared", {5, 6, 9, 9}, 2, {5, 6}},
    };
    for (const Case& c : cases) {
        auto list = listOf({});
        for (size_t i = 0; i < c.slots.size(); i++)
            list->processIds[i] = c.slots[i];
        list->count = c.count;
        repairInstanceList(*list);
        EXPECT_EQ(idsInUse(*list), c.after) << c.what;
        EXPECT_TRUE(slotsZeroFrom(*list, list->count)) << c.what;
    }
}

} // namespace
