#pragma once
// Private to the grid's sources: walking the cells in view along one
// direction, and moving one item of a vector to another place.

#include <algorithm>
#include <vector>

#include "platform/DrawGrid.h"

// Calls fn(index, start) for the cells of one direction that are in view:
// the fixed ones, then the scrolled ones from the first in view.
template <class Fn>
void ForVisible(const TGridAxisDrawInfo& A, Fn&& fn)
{
    const Integer lw = A.EffectiveLineWidth;
    Integer pos = 0;
    for (Integer i = 0; i < A.FixedCellCount && pos < A.GridExtent; ++i) {
        fn(i, pos);
        pos += A.GetExtent(i) + lw;
    }
    pos = A.FixedBoundary;
    for (Integer i = A.FirstGridCell; i < A.GridCellCount && pos < A.GridExtent; ++i) {
        fn(i, pos);
        pos += A.GetExtent(i) + lw;
    }
}

// Moves item From to To, the items between shifting by one (both in range).
template <class T>
void MoveItem(std::vector<T>& v, Integer From, Integer To)
{
    auto first = v.begin();
    if (From < To)
        std::rotate(first + From, first + From + 1, first + To + 1);
    else if (From > To)
        std::rotate(first + To, first + From, first + From + 1);
}

// Where index I goes when the item at From moves to To.
inline Integer MovedIndex(Integer I, Integer From, Integer To)
{
    if (I == From)
        return To;
    if (From < To && I > From && I <= To)
        return I - 1;
    if (From > To && I >= To && I < From)
        return I + 1;
    return I;
}
