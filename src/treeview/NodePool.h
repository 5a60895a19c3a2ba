#pragma once
// The memory of one tree's node records: slots of one size carved from
// blocks that grow with the tree, handed out zeroed. A large tree costs a
// few allocations instead of one per node, and freed slots are reused. The
// blocks go back to the system when the last node is freed.

#include <cstddef>
#include <vector>

class TNodePool {
public:
    TNodePool() = default;
    TNodePool(const TNodePool&) = delete;
    TNodePool& operator=(const TNodePool&) = delete;
    ~TNodePool() { Release(); }

    // A zeroed slot of at least Size bytes, aligned as malloc aligns. The
    // size of a slot is fixed while any slot is handed out; asking for a
    // larger one then throws std::logic_error.
    void* Allocate(std::size_t Size)
    {
        if (Size != FAsked)
            Fit(Size);
        if (FFree != nullptr)
            return TakeFree();
        if (FNext == FEnd)
            Grow();
        void* slot = FNext;
        FNext += FSlot;
        return slot;
    }

    void Free(void* Slot)
    {
        CountFresh();
        *static_cast<void**>(Slot) = FFree;
        FFree = Slot;
        if (--FLive == 0)
            Release();
    }

    std::size_t Live() const
    {
        CountFresh();
        return FLive;
    }

    // Whether a slot of Size is at hand without growing or reusing a freed
    // one; TakeFreshSlot then takes it (zeroed, as every fresh slot is).
    bool HasFreshSlot(std::size_t Size) const { return Size == FAsked && FFree == nullptr && FNext != FEnd; }
    // Whether the block at hand has a slot left for the size asked last
    // (whether a freed slot waits is the caller's to know).
    bool HasFreshSlotInBlock() const { return FNext != FEnd; }
    void* TakeFreshSlot()
    {
        void* slot = FNext;
        FNext += FSlot;
        return slot;
    }

private:
    // Fresh slots are counted in FLive only when the count is needed: all
    // taken from the block at hand since FCounted.
    void CountFresh() const
    {
        if (FCounted != FNext) {
            FLive += std::size_t(FNext - FCounted) / FSlot;
            FCounted = FNext;
        }
    }
    void Fit(std::size_t Size);
    void Resize(std::size_t Size);
    void* TakeFree();
    void Grow();
    void Release();

    std::size_t FSlot = 0;
    // The last size asked for that needed no change of FSlot: asked again, it needs none.
    std::size_t FAsked = 0;
    mutable std::size_t FLive = 0;
    std::size_t FBlockSlots = 0;
    char* FNext = nullptr;
    char* FEnd = nullptr;
    mutable char* FCounted = nullptr;
    void* FFree = nullptr;
    std::vector<void*> FBlocks;
};
