// Node geometry: heights and their measuring, the scroll ranges, the
// position cache of large trees, the node at a position, display rectangles
// and the hit test.

#include "platform/Bitmap.h"
#include "platform/ImageList.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

// ---------------------------------------------------------------- heights

Cardinal TBaseNodeTree::GetNodeHeight(PDataNode Node)
{
    if (Node == nullptr || Node == FRoot)
        return 0;
    if (!(FOptions->FMiscOptions & toVariableNodeHeight) || (Node->States & vsDeleting))
        return Node->NodeHeight;
    if (!(Node->States & vsHeightMeasured)) {
        auto measure = [this, Node] {
            if (!(Node->States & vsInitialized))
                InitNode(Node);
            MeasureItemHeight(Canvas(), Node);
        };
        if (NodeTreesWorker::IsWorkerThread())
            NodeTreesWorker::Synchronize(measure);
        else
            measure();
    }
    return Node->NodeHeight;
}

void TBaseNodeTree::MeasureItemHeight(TCanvas* Canvas, PDataNode Node)
{
    if (Node->States & vsHeightMeasured)
        return;
    Node->States |= vsHeightMeasured;
    if (!(FOptions->FMiscOptions & toVariableNodeHeight))
        return;
    Integer newHeight = Node->NodeHeight;
    DoMeasureItem(Canvas, Node, newHeight);
    SetNodeHeight(Node, Cardinal(std::max<Integer>(newHeight, 0)));
}

void TBaseNodeTree::DoMeasureItem(TCanvas* TargetCanvas, PDataNode Node, Integer& NodeHeight)
{
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    if (OnMeasureItem)
        OnMeasureItem(this, TargetCanvas, Node, NodeHeight);
}

void TBaseNodeTree::SetNodeHeight(PDataNode Node, Cardinal Value)
{
    if (Node == nullptr || Node == FRoot || Value == Node->NodeHeight || ReadOnly())
        return;
    const Integer difference = Integer(Value) - Integer(Node->NodeHeight);
    Node->NodeHeight = Word(std::min<Cardinal>(Value, 0xFFFF));
    if (IsEffectivelyFiltered(Node))
        return;
    if (!HasTreeState(tsValidating))
        StopCacheValidation();
    PropagateTotalHeight(Node, difference, true);
    UpdateEditBounds();
    InvalidatePositionCache();
    if (HasTreeState(tsValidating) || !FullyVisible(Node) || IsEffectivelyFiltered(Node) || FUpdateCount > 0)
        return;
    if (!HasTreeState(tsPainting | tsSizing)) {
        RequestCacheValidation();
        InvalidateToBottom(Node);
        UpdateScrollBars(true);
    }
}

void TBaseNodeTree::SetDefaultNodeHeight(Cardinal Value)
{
    if (Value == 0)
        Value = 18;
    if (Value == FDefaultNodeHeight)
        return;
    const Integer delta = Integer(Value) - Integer(FDefaultNodeHeight);
    FRoot->TotalHeight = Cardinal(Integer(FRoot->TotalHeight) + delta);
    FRoot->NodeHeight = Word(Integer(FRoot->NodeHeight) + delta);
    FDefaultNodeHeight = Value;
    FNodeStart = TNodeStart(Value);
    InvalidatePositionCache();
    if (FUpdateCount == 0 && HandleAllocated() && !HasState(csLoading)) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        ScrollIntoView(FFocusedNode, (FOptions->FSelectionOptions & toCenterScrollIntoView) != 0, true);
        Invalidate();
    }
}

void TBaseNodeTree::FitDefaultNodeHeightToFont()
{
    if (!(FOptions->FAutoOptions & toAutoChangeScale))
        return;
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const Integer h = c->TextHeight(QStringLiteral("Tg"));
    if (h > 0 && Integer(FDefaultNodeHeight) < h)
        SetDefaultNodeHeight(Cardinal(h));
}

void TBaseNodeTree::SetIndent(Cardinal Value)
{
    if (Value == FIndent)
        return;
    FIndent = Value;
    if (!HasState(csLoading) && FUpdateCount == 0 && HandleAllocated()) {
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseNodeTree::SetMargin(Integer Value)
{
    if (Value == FMargin)
        return;
    FMargin = Value;
    if (HandleAllocated() && !HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetTextMargin(Integer Value)
{
    if (Value == FTextMargin)
        return;
    FTextMargin = Value;
    if (!HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    if (!HasState(csLoading))
        Invalidate();
}

void TBaseNodeTree::SetNodeAlignment(TNtNodeAlignment Value)
{
    if (Value == FNodeAlignment)
        return;
    FNodeAlignment = Value;
    if (HandleAllocated() && !HasState(csReading))
        Invalidate();
}

void TBaseNodeTree::SetBottomSpace(Cardinal Value)
{
    if (Value == FBottomSpace)
        return;
    FBottomSpace = Value;
    UpdateVerticalScrollBar(true);
}

void TBaseNodeTree::SetMultiline(PDataNode Node, bool Value)
{
    if (Node == nullptr || Node == FRoot || bool(Node->States & vsMultiline) == Value)
        return;
    if (Value)
        Node->States |= vsMultiline;
    else
        Node->States &= ~vsMultiline;
    if (FUpdateCount == 0)
        InvalidateNode(Node);
}

void TBaseNodeTree::SetVerticalAlignment(PDataNode Node, Byte Value)
{
    Value = std::min<Byte>(Value, 100);
    if (Node->Align == Value)
        return;
    Node->Align = Value;
    if (FullyVisible(Node) && !IsEffectivelyFiltered(Node))
        InvalidateNode(Node);
}

// ---------------------------------------------------------------- ranges

void TBaseNodeTree::UpdateVerticalRange()
{
    const Int64 r = Int64(FRoot->TotalHeight) + FBottomSpace - FRoot->NodeHeight;
    FRangeY = Cardinal(std::max<Int64>(r, 0));
}

void TBaseNodeTree::UpdateHorizontalRange()
{
    if (FHeader->UseColumns())
        FRangeX = Cardinal(std::max<Integer>(FHeader->Columns()->TotalWidth(), 0));
    else {
        TWidestExtent& w = FWidestExtent;
        w = {true, FOffsetY, Height(), FVisibleCount, FIndent, FMargin, GetWidestNodeExtent()};
        FRangeX = Cardinal(std::max<Integer>(w.Value, 0));
    }
}

void TBaseNodeTree::UpdateRanges()
{
    UpdateVerticalRange();
    UpdateHorizontalRange();
}

Integer TBaseNodeTree::CheckImageWidth() const
{
    return FCheckImages ? FCheckImages->Width() : 0;
}

bool TBaseNodeTree::ShowCheckImages() const
{
    return (FOptions->FMiscOptions & toCheckSupport) && FCheckImages != nullptr;
}

Integer TBaseNodeTree::GetWidestNodeExtent()
{
    Integer nodeTop = 0;
    PDataNode node = GetNodeAt(0, 0, true, nodeTop);
    if (node == nullptr)
        return 0;
    const bool showRoot = (FOptions->FPaintOptions & toShowRoot) != 0;
    Integer textLeft = Integer(GetNodeLevel(node) + (showRoot ? 1 : 0)) * Integer(FIndent);
    if (FStateImages)
        textLeft += FStateImages->Width() + 2;
    if (FImages)
        textLeft += FImages->Width() + 2;
    const Integer checkWidth = ShowCheckImages() ? CheckImageWidth() + 2 : 0;
    Integer result = 0;
    const Integer height = Height();
    for (;;) {
        if (!(node->States & vsInitialized))
            InitNode(node);
        const Integer check = node->CheckType != ctNone ? checkWidth : 0;
        const Integer w = GetNodeWidth(node, NoColumn, nullptr) + GetNodeExtraWidth(node, NoColumn, nullptr);
        result = std::max(result, textLeft + check + w);
        nodeTop += Integer(GetNodeHeight(node));
        if (nodeTop > height)
            break;
        PDataNode next = GetNextVisible(node, true);
        if (next == nullptr)
            break;
        textLeft += CountLevelDifference(node, next) * Integer(FIndent);
        node = next;
    }
    return result + FMargin;
}

TRect TBaseNodeTree::GetTreeRect() const
{
    return TRect(0, 0, std::max<Integer>(ClientWidth(), Integer(FRangeX)), std::max<Integer>(ClientHeight(), Integer(FRangeY)));
}

// ---------------------------------------------------------------- the position cache

Integer TBaseNodeTree::PositionCacheEntryCount() const
{
    if (FVisibleCount < 2)
        return 0;
    return Integer((FVisibleCount + 1999) / 2000);
}

void TBaseNodeTree::MarkPositionCacheOutdated()
{
    DoStateChange(tsValidationNeeded, tsUseCache);
}

void TBaseNodeTree::RequestCacheValidation()
{
    StopCacheValidation();
    FStartIndex = 0;
    if (HasTreeState(tsValidationNeeded) && FVisibleCount > 2000 && NodeTreesWorker::Exists())
        NodeTreesWorker::AddTree(this);
}

void TBaseNodeTree::InterruptCacheValidation()
{
    DoStateChange(tsStopValidation, tsUseCache);
    if (NodeTreesWorker::Exists()) {
        const bool wasValidating = HasTreeState(tsValidating);
        NodeTreesWorker::RemoveTree(this);
        if (wasValidating)
            InvalidatePositionCache();
    }
}

bool TBaseNodeTree::DoValidateCache()
{
    if (HasTreeState(tsStopValidation))
        return false;
    const Integer entryCount = PositionCacheEntryCount();
    if (FStartIndex == 0)
        FPositionCache.clear();
    FPositionCache.resize(std::size_t(entryCount));
    FStartIndex = std::min<Cardinal>(FStartIndex, Cardinal(entryCount));
    PDataNode node;
    Cardinal top;
    Integer index;
    if (FStartIndex > 0 && FPositionCache[FStartIndex - 1].Node) {
        index = Integer(FStartIndex) - 1;
        node = FPositionCache[std::size_t(index)].Node;
        top = FPositionCache[std::size_t(index)].AbsoluteTop;
    } else {
        index = 0;
        node = GetFirstVisibleNoInit(nullptr, true);
        top = 0;
    }
    Cardinal count = 0;
    PDataNode last = node;
    const bool variable = (FOptions->FMiscOptions & toVariableNodeHeight) != 0;
    const bool above = (FOptions->FPaintOptions & toChildrenAbove) != 0;
    const TDataNodeStates notARow = (FOptions->FPaintOptions & toShowFilteredNodes) ? 0 : vsFiltered;
    const Integer entries = Integer(FPositionCache.size());
    Cardinal untilEntry = 0; // rows left before the next entry
    bool shown = false;
    while (node && !HasTreeState(tsStopValidation)) {
        if (untilEntry == 0) {
            if (entries <= index)
                break;
            FPositionCache[std::size_t(index)] = {node, top};
            ++index;
            untilEntry = 2000;
        }
        if (!variable && !above && shown) {
            // The rows up to the next entry in one run: rows of one height below their parents.
            while (untilEntry > 0) {
                --untilEntry;
                top += node->NodeHeight;
                last = node;
                node = NextShownRow(node, notARow);
                if (node == nullptr)
                    break;
                ++count;
            }
            continue;
        }
        --untilEntry;
        top += variable ? GetNodeHeight(node) : node->NodeHeight;
        last = node;
        node = NextVisibleNoInit(node, true, shown);
        shown = true;
        if (node == nullptr)
            break;
        ++count;
    }
    if (!HasTreeState(tsStopValidation) && index < Integer(FPositionCache.size()) && last) {
        FPositionCache.resize(std::size_t(index) + 1);
        FPositionCache[std::size_t(index)] = {last, top};
    }
    const bool result = count > 0 && !HasTreeState(tsStopValidation);
    if (result && (FOptions->FMiscOptions & toVariableNodeHeight))
        NodeTreesWorker::Synchronize([this] { UpdateScrollBars(true); });
    return result;
}

PDataNode TBaseNodeTree::FindCacheEntryByPosition(Cardinal Position, Cardinal& CurrentTop) const
{
    Integer low = 0, high = Integer(FPositionCache.size()) - 1;
    while (low <= high) {
        const Integer mid = (low + high) / 2;
        if (Position < FPositionCache[std::size_t(mid)].AbsoluteTop)
            high = mid - 1;
        else
            low = mid + 1;
    }
    if (low == 0) {
        CurrentTop = 0;
        return nullptr;
    }
    CurrentTop = FPositionCache[std::size_t(low - 1)].AbsoluteTop;
    return FPositionCache[std::size_t(low - 1)].Node;
}

Integer TBaseNodeTree::CacheIndexOfNode(PDataNode Node)
{
    Integer low = 0, high = Integer(FPositionCache.size()) - 1;
    while (low <= high) {
        const Integer mid = (low + high) / 2;
        if (CompareNodeOrder(FPositionCache[std::size_t(mid)].Node, Node, false) > 0)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return low - 1;
}

PDataNode TBaseNodeTree::FindCacheEntryByNode(PDataNode Node, Cardinal& CurrentTop)
{
    const Integer index = CacheIndexOfNode(Node);
    if (index < 0) {
        CurrentTop = 0;
        return nullptr;
    }
    CurrentTop = FPositionCache[std::size_t(index)].AbsoluteTop;
    return FPositionCache[std::size_t(index)].Node;
}

Integer TBaseNodeTree::CompareNodeOrder(PDataNode Node1, PDataNode Node2, bool ConsiderChildrenAbove)
{
    TREE_ASSERT(Node1 && Node2, "Nodes must never be nil.");
    if (Node1 == Node2)
        return 0;
    const bool above = ConsiderChildrenAbove && (FOptions->FPaintOptions & toChildrenAbove);
    if (HasAsParent(Node1, Node2))
        return above ? -1 : 1;
    if (HasAsParent(Node2, Node1))
        return above ? 1 : -1;
    Cardinal l1 = GetNodeLevel(Node1), l2 = GetNodeLevel(Node2);
    PDataNode r1 = Node1, r2 = Node2;
    while (l1 > l2) {
        r1 = r1->Parent;
        --l1;
    }
    while (l2 > l1) {
        r2 = r2->Parent;
        --l2;
    }
    while (r1->Parent != r2->Parent) {
        r1 = r1->Parent;
        r2 = r2->Parent;
    }
    return Integer(r1->Index) - Integer(r2->Index);
}

// ---------------------------------------------------------------- positions

PDataNode TBaseNodeTree::GetNodeAt(Integer X, Integer Y)
{
    Integer dummy = 0;
    return GetNodeAt(X, Y, true, dummy);
}

PDataNode TBaseNodeTree::GetNodeAt(Integer X, Integer Y, bool Relative, Integer& NodeTop)
{
    if (Y < 0)
        Y = 0;
    Int64 y = Y;
    if (Relative)
        y -= FOffsetY;
    const Cardinal pos = Cardinal(std::clamp<Int64>(y, 0, 0xFFFFFFFFll));
    Cardinal currentTop = 0;
    PDataNode node = nullptr;
    if (HasTreeState(tsUseCache))
        node = FindCacheEntryByPosition(pos, currentTop);
    if (node == nullptr && !(FOptions->FMiscOptions & toVariableNodeHeight) && !(FOptions->FPaintOptions & toChildrenAbove)) {
        // The subtree totals lead down to the node without visiting the rows above it.
        currentTop = 0;
        PDataNode parent = FRoot;
        for (;;) {
            PDataNode found = nullptr;
            for (PDataNode child = parent->FirstChild; child; child = child->NextSibling) {
                if (!(child->States & vsVisible))
                    continue;
                if (pos < currentTop + child->TotalHeight) {
                    found = child;
                    break;
                }
                currentTop += child->TotalHeight;
            }
            if (found == nullptr)
                return nullptr;
            const Cardinal own = IsEffectivelyFiltered(found) ? 0 : found->NodeHeight;
            if (pos < currentTop + own) {
                NodeTop = Integer(currentTop) + (Relative ? FOffsetY : 0);
                return found;
            }
            currentTop += own;
            parent = found;
        }
    }
    if (node == nullptr) {
        currentTop = 0;
        node = GetFirstVisibleNoInit(nullptr, true);
    }
    while (node && node != FRoot) {
        const Cardinal h = GetNodeHeight(node);
        if (pos < currentTop + h)
            break;
        currentTop += h;
        node = GetNextVisibleNoInit(node, true);
    }
    if (node == FRoot)
        node = nullptr;
    if (node)
        NodeTop = Integer(currentTop) + (Relative ? FOffsetY : 0);
    return node;
}

PDataNode TBaseNodeTree::TopNode()
{
    Integer dummy = 0;
    return GetNodeAt(0, 0, true, dummy);
}

PDataNode TBaseNodeTree::BottomNode()
{
    Integer dummy = 0;
    return GetNodeAt(0, ClientHeight() - 1, true, dummy);
}

bool TBaseNodeTree::HasImage(PDataNode Node, TNtImageKind Kind, TColumnIndex Column)
{
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    Integer index = -1;
    bool ghosted = false;
    DoGetImageIndex(Node, Kind, Column, ghosted, index);
    return index >= 0;
}

// Whether the row of Node starts at Limit or further down the tree (in
// tree coordinates), from the subtree totals of the rows above it, as
// GetDisplayRect sums them for rows of one height; the sum stops at Limit.
// Node is shown, so every ancestor is expanded and its total holds its
// visible children's: the rows above a node in its family are also that
// total less the rows from it to the last sibling. Both ends are walked at
// once, so a node near either end of a long family costs a few steps.
// When the row starts above Limit, Top (if given) receives where.
bool TBaseNodeTree::RowStartsAtOrBelow(PDataNode Node, Cardinal Limit, Cardinal* Top) const
{
    Cardinal top = 0;
    for (PDataNode run = Node; run != FRoot; run = run->Parent) {
        Cardinal above = 0, fromHere = 0;
        PDataNode back = run->PrevSibling, ahead = run;
        while (back) {
            if (ahead == nullptr) {
                const PDataNode parent = run->Parent;
                const Cardinal own = parent == FRoot ? parent->NodeHeight : (IsEffectivelyFiltered(parent) ? 0 : parent->NodeHeight);
                above = parent->TotalHeight - own - fromHere;
                break;
            }
            if (back->States & vsVisible) {
                above += back->TotalHeight;
                if (top + above >= Limit)
                    return true;
            }
            back = back->PrevSibling;
            if (ahead->States & vsVisible)
                fromHere += ahead->TotalHeight;
            ahead = ahead->NextSibling;
        }
        top += above;
        if (top >= Limit)
            return true;
        if (run != Node && run->Parent != nullptr && !IsEffectivelyFiltered(run))
            top += run->NodeHeight;
        if (top >= Limit)
            return true;
    }
    if (Top != nullptr)
        *Top = top;
    return false;
}

TRect TBaseNodeTree::GetDisplayRect(PDataNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped, bool ApplyCellContentMargin)
{
    TREE_ASSERT(Node != nullptr, "Node must not be nil.");
    TREE_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
    const bool isMain = Column == NoColumn || Column == FHeader->MainColumn();
    if (!(Node->States & vsInitialized))
        InitNode(Node);
    TRect result;
    if (!IsEffectivelyVisible(Node))
        return result;
    Integer indentSum = 0;
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    if (!(paint & toFixedIndent)) {
        for (PDataNode run = Node; run != FRoot; run = run->Parent) {
            if (!(run->States & vsVisible) || !(run->Parent->States & vsExpanded))
                return result;
            if (run->Parent != FRoot && isMain)
                indentSum += Integer(FIndent);
        }
    }
    Cardinal top = 0;
    PDataNode start = nullptr;
    if (HasTreeState(tsUseCache))
        start = FindCacheEntryByNode(Node, top);
    if (start) {
        for (PDataNode run = start; run && run != Node; run = GetNextVisibleNoInit(run, true))
            top += GetNodeHeight(run);
    } else if (!(FOptions->FMiscOptions & toVariableNodeHeight) && !(paint & toChildrenAbove)) {
        // The same sum from the subtree totals: the shown rows of the
        // earlier siblings of the node and of each ancestor, and the ancestors.
        top = 0;
        for (PDataNode run = Node; run != FRoot; run = run->Parent) {
            for (PDataNode sib = run->PrevSibling; sib; sib = sib->PrevSibling)
                if (sib->States & vsVisible)
                    top += sib->TotalHeight;
            if (run != Node && run->Parent != nullptr && !IsEffectivelyFiltered(run))
                top += run->NodeHeight;
        }
    } else {
        top = 0;
        for (PDataNode run = GetPreviousVisibleNoInit(Node, true); run; run = GetPreviousVisibleNoInit(run, true))
            top += GetNodeHeight(run);
    }
    result = TRect(0, Integer(top), std::max<Integer>(ClientWidth(), Integer(FRangeX)), Integer(top + GetNodeHeight(Node)));
    TAlignment alignment = FAlignment;
    TNodeTreeColumns* columns = FHeader->Columns();
    if (FHeader->UseColumns() && columns->IsValidColumn(Column)) {
        const TNodeTreeColumn* c = columns->Items(Column);
        c->GetColumnSpan(result.Left, result.Right);
        alignment = c->Alignment();
    }
    OffsetRect(result, -FEffectiveOffsetX, FOffsetY);
    if (!TextOnly)
        return result;
    Integer offset = FMargin + indentSum;
    const bool rtl = UseRightToLeftReading();
    if (isMain) {
        if (paint & toShowRoot)
            offset += Integer(FIndent);
        if (ShowCheckImages() && Node->CheckType != ctNone)
            offset += CheckImageWidth() + 2;
    }
    if (FStateImages && HasImage(Node, ikState, Column))
        offset += FStateImages->Width() + 2;
    if (FImages && HasImage(Node, ikNormal, Column))
        offset += FImages->Width() + 2;
    if (!rtl)
        result.Left += offset;
    else {
        result.Right -= offset;
        if (alignment == taLeftJustify)
            alignment = taRightJustify;
        else if (alignment == taRightJustify)
            alignment = taLeftJustify;
    }
    const Integer textWidth = GetNodeWidth(Node, Column, nullptr);
    if (Unclipped) {
        if (result.Width() < textWidth - 1)
            alignment = rtl ? taRightJustify : taLeftJustify;
        switch (alignment) {
        case taRightJustify: result.Left = result.Right - textWidth; break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify: result.Right = result.Left + textWidth - 1; break;
        }
    } else if (textWidth < result.Width()) {
        switch (alignment) {
        case taRightJustify: result.Left = result.Right - textWidth; break;
        case taCenter:
            result.Left = (result.Left + result.Right - textWidth) / 2;
            result.Right = result.Left + textWidth;
            break;
        case taLeftJustify: result.Right = result.Left + textWidth; break;
        }
    }
    return result;
}

// ---------------------------------------------------------------- hit test

void TBaseNodeTree::GetHitTestInfoAt(Integer X, Integer Y, bool Relative, THitInfo& HitInfo)
{
    HitInfo.HitNode = nullptr;
    HitInfo.HitPositions = 0;
    HitInfo.HitColumn = NoColumn;
    if (X < 0)
        HitInfo.HitPositions |= hiToLeft;
    else if (X > std::max<Integer>(ClientWidth(), Integer(FRangeX)))
        HitInfo.HitPositions |= hiToRight;
    if (Y < 0)
        HitInfo.HitPositions |= hiAbove;
    else if (Y > std::max<Integer>(ClientHeight(), Integer(FRangeY)))
        HitInfo.HitPositions |= hiBelow;
    if (Relative) {
        X += FEffectiveOffsetX;
        Y -= FOffsetY;
    }
    HitInfo.HitPoint = TPoint(X, Y);
    if (HitInfo.HitPositions != 0)
        return;
    Integer nodeTop = 0;
    HitInfo.HitNode = GetNodeAt(X, Y, false, nodeTop);
    if (HitInfo.HitNode == nullptr) {
        HitInfo.HitPositions |= hiNowhere;
        return;
    }
    if (!(HitInfo.HitNode->States & vsInitialized))
        InitNode(HitInfo.HitNode);
    Integer right = std::max<Integer>(ClientWidth(), Integer(FRangeX));
    HitInfo.HitPositions = hiOnItem;
    TAlignment alignment = FAlignment;
    if (FHeader->UseColumns()) {
        // The cell under X: its column, and X from the cell's left edge.
        Integer left = 0, cellRight = 0;
        TNodeTreeColumns* columns = FHeader->Columns();
        HitInfo.HitColumn = columns->GetColumnAtX(X, left, false, cellRight);
        if (HitInfo.HitColumn < 0) {
            HitInfo.HitColumn = NoColumn;
            HitInfo.HitPositions |= hiOnItemRight;
            return;
        }
        alignment = columns->Items(HitInfo.HitColumn)->Alignment();
        X -= left;
        right = cellRight - left;
    }
    if (FOptions->FMiscOptions & toNodeHeightResize) {
        const TRect r = GetDisplayRect(HitInfo.HitNode, HitInfo.HitColumn, false);
        if (Y <= r.Top - FOffsetY + 1)
            HitInfo.HitPositions |= hiUpperSplitter;
        else if (Y >= r.Bottom - FOffsetY - 3)
            HitInfo.HitPositions |= hiLowerSplitter;
    }
    if (UseRightToLeftReading())
        HitTestCellRightToLeft(HitInfo, X, right, alignment);
    else
        HitTestCellLeftToRight(HitInfo, X, right, alignment);
}

void TBaseNodeTree::HitTestCellLeftToRight(THitInfo& HitInfo, Integer Offset, Integer Right, TAlignment Alignment)
{
    PDataNode node = HitInfo.HitNode;
    const bool isMain = HitInfo.HitColumn == FHeader->MainColumn();
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    Integer indent = 0;
    if (isMain) {
        if (paint & toFixedIndent)
            indent = Integer(FIndent);
        else {
            for (PDataNode run = node->Parent; run != FRoot; run = run->Parent)
                indent += Integer(FIndent);
            if (paint & toShowRoot)
                indent += Integer(FIndent);
        }
    }
    if (isMain && Offset < indent + FMargin) {
        THitPositions add = 0;
        if ((paint & toShowButtons) && (node->States & vsHasChildren)) {
            if (Offset >= indent - Integer(FIndent))
                add |= hiOnItemButton;
            if (Offset >= indent - FPlusBM->Width())
                add |= hiOnItemButtonExact;
        }
        HitInfo.HitPositions |= add ? add : hiOnItemIndent;
        return;
    }
    if (!isMain && (FOptions->FMiscOptions & toReportMode))
        return;
    Integer imageOffset = indent + FMargin;
    if (isMain && ShowCheckImages() && node->CheckType != ctNone)
        imageOffset += CheckImageWidth() + 2;
    if (isMain && Offset < imageOffset) {
        HitInfo.HitPositions = hiOnItem;
        if (node->CheckType != ctNone)
            HitInfo.HitPositions |= hiOnItemCheckbox;
        return;
    }
    if (FStateImages && HasImage(node, ikState, HitInfo.HitColumn))
        imageOffset += FStateImages->Width() + 2;
    if (Offset < imageOffset) {
        HitInfo.HitPositions |= hiOnStateIcon;
        return;
    }
    if (FImages && HasImage(node, ikNormal, HitInfo.HitColumn)) {
        imageOffset += FImages->Width() + 2;
        if (Offset < imageOffset) {
            HitInfo.HitPositions |= hiOnNormalIcon;
            return;
        }
    }
    const Integer textWidth = GetNodeWidth(node, HitInfo.HitColumn, nullptr);
    if (textWidth > Right - imageOffset) {
        HitInfo.HitPositions |= hiOnItemLabel;
        return;
    }
    switch (Alignment) {
    case taRightJustify:
        HitInfo.HitPositions |= Offset < Right - textWidth ? hiOnItemLeft : hiOnItemLabel;
        break;
    case taCenter: {
        const Integer c = (imageOffset + Right - textWidth) / 2;
        HitInfo.HitPositions |= Offset < c ? hiOnItemLeft : Offset < c + textWidth ? hiOnItemLabel : hiOnItemRight;
        break;
    }
    case taLeftJustify:
        HitInfo.HitPositions |= Offset < imageOffset + textWidth ? hiOnItemLabel : hiOnItemRight;
        break;
    }
}

void TBaseNodeTree::HitTestCellRightToLeft(THitInfo& HitInfo, Integer Offset, Integer Right, TAlignment Alignment)
{
    PDataNode node = HitInfo.HitNode;
    const bool isMain = HitInfo.HitColumn == FHeader->MainColumn();
    const TNtPaintOptions paint = FOptions->FPaintOptions;
    Integer edge = Right;
    if (isMain) {
        if (paint & toFixedIndent)
            edge -= Integer(FIndent);
        else {
            for (PDataNode run = node->Parent; run != FRoot; run = run->Parent)
                edge -= Integer(FIndent);
            if (paint & toShowRoot)
                edge -= Integer(FIndent);
        }
    }
    if (isMain && Offset >= edge) {
        THitPositions add = 0;
        if ((paint & toShowButtons) && (node->States & vsHasChildren)) {
            if (Offset <= edge + Integer(FIndent))
                add |= hiOnItemButton;
            if (Offset <= edge + FPlusBM->Width())
                add |= hiOnItemButtonExact;
        }
        HitInfo.HitPositions |= add ? add : hiOnItemIndent;
        return;
    }
    if (!isMain && (FOptions->FMiscOptions & toReportMode))
        return;
    Integer imageOffset = edge - FMargin;
    if (isMain && ShowCheckImages() && node->CheckType != ctNone)
        imageOffset -= CheckImageWidth() + 2;
    if (isMain && Offset > imageOffset) {
        HitInfo.HitPositions = hiOnItem;
        if (node->CheckType != ctNone)
            HitInfo.HitPositions |= hiOnItemCheckbox;
        return;
    }
    if (FStateImages && HasImage(node, ikState, HitInfo.HitColumn))
        imageOffset -= FStateImages->Width() + 2;
    if (Offset > imageOffset) {
        HitInfo.HitPositions |= hiOnStateIcon;
        return;
    }
    if (FImages && HasImage(node, ikNormal, HitInfo.HitColumn)) {
        imageOffset -= FImages->Width() + 2;
        if (Offset > imageOffset) {
            HitInfo.HitPositions |= hiOnNormalIcon;
            return;
        }
    }
    const Integer textWidth = GetNodeWidth(node, HitInfo.HitColumn, nullptr);
    if (imageOffset < textWidth) {
        HitInfo.HitPositions |= hiOnItemLabel;
        return;
    }
    if (Alignment == taLeftJustify)
        Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
        Alignment = taLeftJustify;
    switch (Alignment) {
    case taRightJustify:
        HitInfo.HitPositions |= Offset < imageOffset - textWidth ? hiOnItemLeft : hiOnItemLabel;
        break;
    case taCenter: {
        const Integer c = (imageOffset - textWidth) / 2;
        HitInfo.HitPositions |= Offset < c ? hiOnItemLeft : Offset < c + textWidth ? hiOnItemLabel : hiOnItemRight;
        break;
    }
    case taLeftJustify:
        HitInfo.HitPositions |= Offset > textWidth ? hiOnItemRight : hiOnItemLabel;
        break;
    }
}
