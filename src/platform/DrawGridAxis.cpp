// Column widths and row heights of a grid. While every size is the default
// nothing is stored and lookups are arithmetic; once one size differs, the
// sizes live in a vector with a Fenwick tree beside it, so sums and the cell
// at a pixel offset take O(log n) for grids of any length.

#include "platform/DrawGridWalk.h"

namespace {

Integer HighestPowerOfTwo(Integer n)
{
    Integer p = 1;
    while (p <= n / 2)
        p *= 2;
    return p;
}

} // namespace

void TGridAxisSizes::SetCount(Integer Value)
{
    Value = std::max<Integer>(Value, 0);
    if (Value == FCount)
        return;
    FCount = Value;
    if (!FSizes.empty()) {
        FSizes.resize(size_t(Value), FDefault);
        Rebuild();
    }
}

void TGridAxisSizes::SetDefaultSize(Integer Value)
{
    FDefault = std::max<Integer>(Value, 0);
    FSizes.clear();
    FTree.clear();
}

void TGridAxisSizes::SetSize(Integer Index, Integer Value)
{
    Value = std::max<Integer>(Value, 0);
    if (Index < 0 || Index >= FCount || Value == Size(Index))
        return;
    if (FSizes.empty()) {
        FSizes.assign(size_t(FCount), FDefault);
        Rebuild();
    }
    const Int64 delta = Int64(Value) - FSizes[size_t(Index)];
    FSizes[size_t(Index)] = Value;
    for (size_t i = size_t(Index) + 1; i <= FTree.size() - 1; i += i & (~i + 1))
        FTree[i] += delta;
}

Int64 TGridAxisSizes::Prefix(Integer End) const
{
    if (FSizes.empty())
        return Int64(FDefault) * End;
    Int64 sum = 0;
    for (size_t i = size_t(End); i > 0; i -= i & (~i + 1))
        sum += FTree[i];
    return sum;
}

Int64 TGridAxisSizes::Sum(Integer From, Integer To) const
{
    From = std::clamp<Integer>(From, 0, FCount);
    To = std::clamp<Integer>(To, 0, FCount);
    if (To <= From)
        return 0;
    return Prefix(To) - Prefix(From);
}

Integer TGridAxisSizes::IndexAt(Integer From, Int64 Offset, Integer LineWidth) const
{
    if (From < 0 || From >= FCount || Offset < 0)
        return FCount;
    if (FSizes.empty()) {
        const Int64 step = Int64(FDefault) + LineWidth;
        if (step <= 0)
            return FCount;
        const Int64 k = From + Offset / step;
        return k >= FCount ? FCount : Integer(k);
    }
    // The largest m with Prefix(m) + m * LineWidth <= target is the cell
    // holding the offset (sizes are never negative, so that sum only grows).
    const Int64 target = Offset + Prefix(From) + Int64(From) * LineWidth;
    Integer pos = 0;
    Int64 acc = 0;
    for (Integer step = HighestPowerOfTwo(FCount); step > 0; step /= 2) {
        const Integer next = pos + step;
        if (next <= FCount && acc + FTree[size_t(next)] + Int64(next) * LineWidth <= target) {
            pos = next;
            acc += FTree[size_t(next)];
        }
    }
    return pos >= FCount ? FCount : pos;
}

void TGridAxisSizes::Move(Integer From, Integer To)
{
    if (FSizes.empty() || From == To || From < 0 || To < 0 || From >= FCount || To >= FCount)
        return;
    MoveItem(FSizes, From, To);
    Rebuild();
}

void TGridAxisSizes::Permute(Integer From, const std::vector<Integer>& Order)
{
    const Integer n = Integer(Order.size());
    if (FSizes.empty() || From < 0 || From + n > FCount)
        return;
    std::vector<Integer> moved(Order.size());
    for (Integer i = 0; i < n; ++i)
        moved[size_t(i)] = FSizes[size_t(From + Order[size_t(i)])];
    std::copy(moved.begin(), moved.end(), FSizes.begin() + From);
    Rebuild();
}

void TGridAxisSizes::Rebuild()
{
    // Linear build: each node passes its sum on to its parent.
    FTree.assign(FSizes.size() + 1, 0);
    for (size_t i = 1; i < FTree.size(); ++i) {
        FTree[i] += FSizes[i - 1];
        const size_t parent = i + (i & (~i + 1));
        if (parent < FTree.size())
            FTree[parent] += FTree[i];
    }
}
