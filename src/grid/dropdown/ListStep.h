#pragma once

#include "platform/Types.h"

// Moving the chosen entry of a list with the keyboard.
enum class TListStep { First, Last, Next, Previous };

// The entry to choose after Step in a list of Count entries whose chosen one
// is Index (-1: none), or -1 when the choice stays. Next and previous from no
// choice take the first entry.
inline Integer SteppedIndex(Integer Index, Integer Count, TListStep Step)
{
    if (Count <= 0)
        return -1;
    switch (Step) {
    case TListStep::First:
        return 0;
    case TListStep::Last:
        return Count - 1;
    case TListStep::Next:
        return Index < 0 ? 0 : Index + 1 < Count ? Index + 1 : -1;
    case TListStep::Previous:
        return Index < 0 ? 0 : Index > 0 ? Index - 1 : -1;
    }
    return -1;
}

// Chooses the entry SteppedIndex finds, through the list's SetItemIndex.
template <class TList> void StepChoice(TList& List, Integer Index, Integer Count, TListStep Step)
{
    const Integer i = SteppedIndex(Index, Count, Step);
    if (i >= 0)
        List.SetItemIndex(i);
}
