// The tree's slot allocator for node records.

#include "treeview/NodePool.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {
constexpr std::size_t kAlign = alignof(std::max_align_t);
// Blocks double from a few slots (most trees are small) up to about 1 MiB.
constexpr std::size_t kFirstBlockSlots = 16;
constexpr std::size_t kLargestBlock = std::size_t(1) << 20;
} // namespace

void TNodePool::Fit(std::size_t Size)
{
    CountFresh();
    if (Size > FSlot || (FLive == 0 && Size != FSlot))
        Resize(Size);
    FAsked = (Size + kAlign - 1) / kAlign * kAlign == FSlot ? Size : 0;
}

void TNodePool::Resize(std::size_t Size)
{
    if (FLive != 0)
        throw std::logic_error("TNodePool: the node size changed while nodes exist");
    Release();
    FSlot = (Size + kAlign - 1) / kAlign * kAlign;
}

void* TNodePool::TakeFree()
{
    ++FLive;
    void* slot = FFree;
    FFree = *static_cast<void**>(slot);
    std::memset(slot, 0, FSlot);
    return slot;
}

void TNodePool::Grow()
{
    const std::size_t slots = FBlockSlots == 0 ? kFirstBlockSlots : FBlockSlots;
    FBlocks.reserve(FBlocks.size() + 1);
    // calloc: a large block comes as fresh zero pages, nothing to clear.
    void* block = std::calloc(slots, FSlot);
    if (block == nullptr)
        throw std::bad_alloc();
    CountFresh();
    FBlocks.push_back(block);
    FNext = FCounted = static_cast<char*>(block);
    FEnd = FNext + slots * FSlot;
    if (slots * FSlot * 2 <= kLargestBlock)
        FBlockSlots = slots * 2;
    else
        FBlockSlots = slots;
}

void TNodePool::Release()
{
    for (void* block : FBlocks)
        std::free(block);
    FBlocks.clear();
    FBlocks.shrink_to_fit();
    FBlockSlots = 0;
    FNext = FEnd = FCounted = nullptr;
    FFree = nullptr;
}
