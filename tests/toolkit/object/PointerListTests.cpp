#include <gtest/gtest.h>

#include <vector>

#include "toolkit/object/PointerList.h"

using namespace toolkit;

namespace {

std::vector<PointerList::Value> Contents(const PointerList& list)
{
    return {list.begin(), list.end()};
}

struct ListFixture : ::testing::Test {
    PointerList* list = CreateList();
    ~ListFixture() override { FreeObject(list); }
    void Fill(int n)
    {
        for (int i = 1; i <= n; ++i)
            list->Add(i * 10);
    }
};

TEST_F(ListFixture, GrowsByFour)
{
    Fill(4);
    EXPECT_EQ(list->Capacity(), 4);
    list->Add(50);
    EXPECT_EQ(list->Capacity(), 8);
    list->GrowBy = 0;
    Fill(4); // full again at 9: a non-positive step is taken as 4
    list->Add(1);
    EXPECT_EQ(list->Capacity(), 12);
    EXPECT_EQ(list->GrowBy, 4);
}

// count + GrowBy would overflow: the list would not grow and the value would
// land past the end of its block (three values: there it lands in the block's
// rounding, and the check below, not the heap, reports it).
TEST_F(ListFixture, AStepPastTheLongestListIsTakenAsFour)
{
    list->GrowBy = 3;
    Fill(3);
    list->GrowBy = INT32_MAX;
    EXPECT_EQ(list->Add(40), 3);
    ASSERT_EQ(list->Capacity(), 7);
    EXPECT_EQ(list->GrowBy, 4);
    Fill(3);
    list->GrowBy = INT32_MAX - 1;
    list->Insert(0, 5);
    EXPECT_EQ(list->Capacity(), 11);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{5, 10, 20, 30, 40, 10, 20, 30}));
}

TEST_F(ListFixture, InsertMovesTheTailUpAndDeleteClipsItsRun)
{
    Fill(4);
    list->Insert(1, 15);
    list->Insert(5, 55); // at the end: appends
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{10, 15, 20, 30, 40, 55}));
    list->Delete(4, 100);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{10, 15, 20, 30}));
    list->Delete(0, 2);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{20, 30}));
}

TEST_F(ListFixture, IndexOfAndRemoveFindTheFirstEqualValue)
{
    Fill(3);
    list->Add(20);
    EXPECT_EQ(list->IndexOf(20), 1);
    EXPECT_EQ(list->IndexOf(99), -1);
    list->Remove(20);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{10, 30, 20}));
    list->Remove(99);
    EXPECT_EQ(list->Count(), 3);
}

TEST_F(ListFixture, IndicesOutsideTheListAreIgnored)
{
    Fill(2);
    list->Insert(-1, 1);
    list->Insert(3, 1);
    list->Delete(-1);
    list->Delete(2);
    list->Delete(0, 0);
    list->Set(2, 7);
    EXPECT_EQ(list->Get(-1), 0u);
    EXPECT_EQ(list->Get(2), 0u);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{10, 20}));
}

TEST_F(ListFixture, CapacityNeverDropsBelowTheCountAndClearEmpties)
{
    Fill(6);
    list->SetCapacity(2);
    EXPECT_EQ(list->Capacity(), 6);
    EXPECT_EQ(Contents(*list), (std::vector<PointerList::Value>{10, 20, 30, 40, 50, 60}));
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Capacity(), 0);
    EXPECT_EQ(list->begin(), list->end());
}

} // namespace
