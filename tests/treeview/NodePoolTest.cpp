// The tree's slot allocator: zeroed slots, reuse of freed ones, and the
// refusal to change the slot size under live nodes.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <vector>

#include "treeview/NodePool.h"

namespace {

bool AllZero(const void* p, std::size_t n)
{
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i)
        if (b[i] != 0)
            return false;
    return true;
}

TEST(NodePool, SlotsAreDistinctAlignedAndZeroedAlsoWhenReused)
{
    TNodePool pool;
    constexpr std::size_t size = 72;
    std::vector<void*> slots;
    // Enough to span several growing blocks.
    for (int i = 0; i < 1000; ++i) {
        void* p = pool.Allocate(size);
        ASSERT_TRUE(AllZero(p, size));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t), 0u);
        std::memset(p, 0xAB, size);
        slots.push_back(p);
    }
    EXPECT_EQ(std::set<void*>(slots.begin(), slots.end()).size(), slots.size());
    EXPECT_EQ(pool.Live(), 1000u);

    // Freed slots come back zeroed, though they were written and linked.
    for (int i = 0; i < 500; ++i)
        pool.Free(slots[std::size_t(i) * 2]);
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(AllZero(pool.Allocate(size), size));
    EXPECT_EQ(pool.Live(), 1000u);
}

TEST(NodePool, SizeChangesOnlyWhenEmpty)
{
    TNodePool pool;
    void* a = pool.Allocate(64);
    EXPECT_THROW(pool.Allocate(200), std::logic_error);
    EXPECT_EQ(pool.Live(), 1u);
    pool.Free(a);
    EXPECT_EQ(pool.Live(), 0u);
    void* b = pool.Allocate(200);
    EXPECT_TRUE(AllZero(b, 200));
    pool.Free(b);
}

} // namespace

namespace {
// A fresh slot is offered only for the size in use and only while no freed
// slot waits: taking it never passes a freed slot by, so memory stays reused.
TEST(NodePool, FreshSlotsOnlyForTheSizeInUseAndNoFreedSlotWaiting)
{
    TNodePool pool;
    EXPECT_FALSE(pool.HasFreshSlot(72));  // nothing carved yet
    void* a = pool.Allocate(72);
    ASSERT_TRUE(pool.HasFreshSlot(72));
    EXPECT_FALSE(pool.HasFreshSlot(200));
    void* b = pool.TakeFreshSlot();
    EXPECT_NE(a, b);
    EXPECT_TRUE(AllZero(b, 72));
    EXPECT_EQ(pool.Live(), 2u);
    pool.Free(a);
    EXPECT_FALSE(pool.HasFreshSlot(72));
    EXPECT_EQ(pool.Allocate(72), a);
    EXPECT_TRUE(pool.HasFreshSlot(72));
    pool.Free(a);
    pool.Free(b);
}
} // namespace
