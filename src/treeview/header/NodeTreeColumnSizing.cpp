// Column sizing: the auto-size column, spring columns, fitting columns to
// their content, spreading a width change over a range of columns, and the
// tree's reaction to every width change.

#include <cmath>

#include "platform/ImageList.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- auto-size and springs

void TNodeTreeColumns::FitAutoSizeColumn(TColumnIndex, bool Force)
{
    if (Count() == 0)
        return;
    TBaseNodeTree* tree = FHeader->Treeview();
    TColumnIndex index = FHeader->FAutoSizeIndex;
    if (!IsValidColumn(index))
        index = Count() - 1;
    Integer w = tree->HandleAllocated() ? tree->ClientWidth() : tree->Width();
    for (Integer i = 0; i < Count(); ++i)
        if (i != index && (Items(i)->FOptions & coVisible))
            w -= Items(i)->FWidth;
    TNodeTreeColumn* column = Items(index);
    w = std::max(std::min(w, column->FMaxWidth), column->FMinWidth);
    if (!Force && w == column->FWidth)
        return;
    column->FWidth = w;
    RecomputeLayout(false);
    tree->DoColumnResize(index);
}

void TNtHeader::ApplySpringResize()
{
    const Integer stripWidth = FOwner->FHeaderRect.Width();
    if ((FOptions & hoAutoSpring) && FLastWidth != 0) {
        const float delta = float(stripWidth - FLastWidth);
        const Integer sign = delta >= 0 ? 1 : -1;
        if (delta != 0) {
            float rest = std::fabs(delta);
            Integer n = 0;
            for (Integer i = 0; i < FColumns->Count(); ++i)
                if ((FColumns->Items(i)->FOptions & (coAutoSpring | coVisible)) == (coAutoSpring | coVisible))
                    ++n;
            if (n > 0) {
                const float share = rest / float(n);
                for (Integer i = 0; i < FColumns->Count() && rest >= 0; ++i) {
                    TNodeTreeColumn* c = FColumns->Items(i);
                    if ((c->FOptions & (coAutoSpring | coVisible)) != (coAutoSpring | coVisible))
                        continue;
                    const float r = c->FSpringRest + share;
                    if (r >= 1)
                        c->SetWidth(c->FWidth + sign * Integer(std::trunc(r)));
                    c->FSpringRest = r - std::trunc(r);
                    rest -= share;
                }
            }
        }
    }
    FLastWidth = stripWidth;
}

// ---------------------------------------------------------------- fitting to content

void TNtHeader::AutoFitColumns(bool Animated, TSmartAutoFitType SmartAutoFitType, Integer RangeStartCol, Integer RangeEndCol)
{
    if (RangeStartCol < 0)
        RangeStartCol = 0;
    if (RangeEndCol < 0)
        RangeEndCol = FColumns->Count() - 1;
    else
        RangeEndCol = std::min(RangeEndCol, FColumns->Count() - 1);
    if (RangeStartCol > RangeEndCol)
        return;
    FOwner->BeginOperation(okAutoFitColumns);
    struct End {
        TBaseNodeTree* T;
        ~End() { T->EndOperation(okAutoFitColumns); }
    } end{FOwner};
    if (FOwner->OnBeforeAutoFitColumns)
        FOwner->OnBeforeAutoFitColumns(this, SmartAutoFitType);
    for (Integer p = RangeStartCol; p <= RangeEndCol; ++p) {
        const TColumnIndex column = FColumns->ColumnFromPosition(TColumnPosition(p));
        if (!FColumns->IsValidColumn(column))
            continue;
        TNodeTreeColumn* c = FColumns->Items(column);
        if ((c->FOptions & (coResizable | coVisible)) != (coResizable | coVisible))
            continue;
        TSmartAutoFitType type = SmartAutoFitType;
        if (!DoBeforeAutoFitColumn(column, type) || FOwner->OperationCanceled())
            continue;
        const bool useSmart = type == smaAllColumns || (type == smaUseColumnOption && (c->FOptions & coSmartResize));
        const Integer newWidth = FOwner->GetMaxColumnWidth(column, useSmart);
        if (Animated)
            FColumns->AnimatedResize(column, newWidth);
        else
            c->SetWidth(newWidth);
        DoAfterAutoFitColumn(column);
    }
    if (FOwner->OnAfterAutoFitColumns)
        FOwner->OnAfterAutoFitColumns(this);
}

Integer TBaseNodeTree::GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth)
{
    TNodeTreeColumns* columns = FHeader->Columns();
    if (OperationCanceled())
        return columns->IsValidColumn(Column) ? columns->Items(Column)->Width() : 0;
    Integer result = 0;
    BeginOperation(okGetMaxColumnWidth);
    struct End {
        TBaseNodeTree* T;
        ~End() { T->EndOperation(okGetMaxColumnWidth); }
    } end{this};
    if (OnBeforeGetMaxColumnWidth)
        OnBeforeGetMaxColumnWidth(FHeader.get(), Column, UseSmartColumnWidth);
    const Integer stateW = FStateImages ? FStateImages->Width() + 2 : 0;
    const Integer checkW = FCheckImages ? FCheckImages->Width() + 2 : 0;
    PDataNode node = UseSmartColumnWidth ? TopNode() : GetFirstVisible(nullptr, true);
    const bool isMain = Column == FHeader->MainColumn();
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    Integer indent = 0;
    bool withCheck = false;
    if (isMain && node) {
        if (paint & toFixedIndent)
            indent = Integer(FIndent);
        else if (paint & toShowRoot)
            indent = Integer(GetNodeLevel(node) + 1) * Integer(FIndent);
        else
            indent = Integer(GetNodeLevel(node)) * Integer(FIndent);
        withCheck = (FOptions->FMiscOptions & toCheckSupport) && FCheckImages;
    }
    indent += FMargin;
    PDataNode stop = nullptr;
    if (UseSmartColumnWidth) {
        PDataNode bottom = BottomNode();
        stop = bottom ? GetNextVisible(bottom, true) : nullptr;
    }
    bool imagesSeen = false;
    while (node && !OperationCanceled()) {
        Integer x = indent;
        if (withCheck && node->CheckType != ctNone)
            x += checkW;
        if (FImages && (imagesSeen || HasImage(node, ikNormal, Column))) {
            x += FImages->Width() + 2;
            imagesSeen = true;
        }
        if (FStateImages && HasImage(node, ikState, Column))
            x += stateW;
        x += GetNodeWidth(node, Column) + GetNodeExtraWidth(node, Column);
        result = std::max(result, x);
        PDataNode next = GetNextVisible(node, true);
        if (next == stop || next == nullptr)
            break;
        if (isMain && !(paint & toFixedIndent))
            indent += CountLevelDifference(node, next) * Integer(FIndent);
        node = next;
    }
    if (paint & toShowVertGridLines)
        result += 1;
    if (OnAfterGetMaxColumnWidth)
        OnAfterGetMaxColumnWidth(FHeader.get(), Column, result);
    return result;
}

// ---------------------------------------------------------------- spreading a change

Integer TNtHeader::ResizeColumns(Integer ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol, TNtColumnOptions Options)
{
    if (ChangeBy == 0 || FColumns->Count() == 0)
        return 0;
    RangeStartCol = std::max(RangeStartCol, 0);
    RangeEndCol = std::min(RangeEndCol, FColumns->Count() - 1);
    if (RangeStartCol > RangeEndCol)
        return 0;
    const bool grow = ChangeBy > 0;
    const Integer sign = grow ? 1 : -1;
    const Integer start = grow ? RangeStartCol : RangeEndCol;
    const Integer n = RangeEndCol - RangeStartCol + 1;
    std::vector<Integer> widths(static_cast<size_t>(n), 0), limits(static_cast<size_t>(n), 0);
    auto column = [&](Integer i) { return FColumns->Items(RangeStartCol + i); };
    auto qualifies = [&](Integer i) { return (column(i)->FOptions & Options) == Options; };
    for (Integer i = 0; i < n; ++i) {
        widths[size_t(i)] = column(i)->FWidth;
        limits[size_t(i)] = grow ? column(i)->FMaxWidth : column(i)->FMinWidth;
    }
    auto canMove = [&](Integer i) { return qualifies(i) && (grow ? widths[size_t(i)] < limits[size_t(i)] : widths[size_t(i)] > limits[size_t(i)]); };
    Integer remaining = std::abs(ChangeBy);
    for (;;) {
        const Integer before = remaining;
        Integer room = 0, count = 0;
        for (;;) {
            room = 0;
            count = 0;
            for (Integer i = 0; i < n; ++i)
                if (canMove(i)) {
                    room += std::abs(limits[size_t(i)] - widths[size_t(i)]);
                    ++count;
                }
            if (room >= std::abs(ChangeBy) || grow || !(FStates & hsScaling))
                break;
            // Shrinking under the constraints may go below the minimum widths.
            Integer widest = -1;
            for (Integer i = 0; i < n; ++i)
                if (qualifies(i) && limits[size_t(i)] > 10 && (widest < 0 || widths[size_t(i)] > widths[size_t(widest)]))
                    widest = i;
            if (widest < 0)
                break;
            limits[size_t(widest)] -= limits[size_t(widest)] / 10;
        }
        if (count == 0)
            break;
        const Integer amount = std::min(remaining, room);
        remaining = amount;
        const Integer per = amount / count;
        if (per > 0) {
            for (Integer i = 0; i < n; ++i)
                if (canMove(i)) {
                    const Integer give = std::min(per, std::abs(limits[size_t(i)] - widths[size_t(i)]));
                    widths[size_t(i)] += sign * give;
                    remaining -= give;
                }
        }
        Integer rest = amount % count;
        Integer guard = 0;
        while (rest > 0 && guard++ < 4 * n + 4) {
            bool gaveAny = false;
            for (Integer k = 0; k < n && rest > 0; ++k) {
                const Integer i = grow ? (start - RangeStartCol) + k : (start - RangeStartCol) - k;
                if (i < 0 || i >= n)
                    break;
                if (canMove(i) && column(i)->FBonusPixel != grow) {
                    widths[size_t(i)] += sign;
                    column(i)->FBonusPixel = grow;
                    --rest;
                    --remaining;
                    gaveAny = true;
                }
            }
            if (rest > 0)
                for (Integer i = 0; i < n; ++i)
                    if (qualifies(i))
                        column(i)->FBonusPixel = !column(i)->FBonusPixel;
            if (!gaveAny && count == 0)
                break;
        }
        if (remaining <= 0 || remaining == before)
            break;
    }
    Integer result = 0;
    FStates |= hsResizing;
    for (Integer i = 0; i < n; ++i) {
        if (!qualifies(i))
            continue;
        const Integer old = column(i)->FWidth;
        column(i)->SetWidth(widths[size_t(i)]);
        result += column(i)->FWidth - old;
    }
    FStates &= ~hsResizing;
    return result;
}

void TNodeTreeColumns::AnimatedResize(TColumnIndex Column, Integer NewWidth)
{
    if (!IsValidColumn(Column))
        return;
    TNodeTreeColumn* c = Items(Column);
    NewWidth = std::min(std::max(NewWidth, c->FMinWidth), c->FMaxWidth);
    if (NewWidth == c->FWidth)
        return;
    // The change is shown at once: the strip and the rows repaint from the setter.
    c->SetWidth(NewWidth);
}

void TNtHeader::RestoreColumns()
{
    const auto& map = FColumns->FPositionToIndex;
    for (auto it = map.rbegin(); it != map.rend(); ++it) {
        TNodeTreeColumn* c = FColumns->Items(*it);
        if ((c->FOptions & (coResizable | coVisible)) == (coResizable | coVisible))
            c->RestoreLastWidth();
    }
}

// ---------------------------------------------------------------- after a width change

void TBaseNodeTree::DoColumnResize(TColumnIndex Column)
{
    if (HasState(csLoading) || !HandleAllocated())
        return;
    for (PDataNode node = GetFirstInitialized(); node; node = GetNextInitialized(node))
        if (node->States & vsMultiline)
            node->States &= ~vsHeightMeasured;
    UpdateHorizontalScrollBar(true);
    TNodeTreeColumns* columns = FHeader->Columns();
    if (Column >= 0 && columns->IsValidColumn(Column)) {
        TRect r = ClientRect();
        if (!(FOptions->FAutoOptions & toAutoSpanColumns))
            r.Left = columns->Items(Column)->Left();
        InvalidateRectangle(r);
        FHeader->Invalidate(columns->Items(Column), true);
    }
    if ((FHeader->FStates & hsColumnWidthTracking) && !(FHeader->FStates & hsResizing))
        Update();
    if (!(FHeader->FStates & hsResizing) && OnColumnResize)
        OnColumnResize(FHeader.get(), Column);
    if (HasTreeState(tsEditing))
        UpdateEditBounds();
}
