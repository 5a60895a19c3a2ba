// TExStringGrid: nodes. A node row carries its button in column 0 and
// covers the rows of its span; contracting hides those rows in the
// hidden-row store (apart from the filter levels, so that filters and nodes
// do not show each other's rows), expanding shows them at their real
// places. Every row of a span carries its nesting level in the node level
// of its column-0 cell properties.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/ExGridCellGraphic.h"
#include "platform/Bitmap.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ settings

TCellNode::TCellNode(TExStringGrid* AOwner)
    : FOwner(AOwner), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>())
{
}

TCellNode::~TCellNode() = default;

void TCellNode::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellNode*>(Source);
    if (src == nullptr)
        return;
    FColor = src->FColor;
    FNodeType = src->FNodeType;
    FNodeColor = src->FNodeColor;
    FExpandGlyph->Assign(src->FExpandGlyph.get());
    FExpandOne = src->FExpandOne;
    FContractGlyph->Assign(src->FContractGlyph.get());
    FShowTree = src->FShowTree;
    FShowTreeFull = src->FShowTreeFull;
    FNodeIndent = src->FNodeIndent;
    FTreeColor = src->FTreeColor;
}

template <class T> void TCellNode::Store(T& Field, const T& Value)
{
    if (Field == Value)
        return;
    Field = Value;
    if (FOwner != nullptr)
        FOwner->Invalidate();
}

void TCellNode::SetNodeType(TGridNodeType Value) { Store(FNodeType, Value); }
void TCellNode::SetShowTree(bool Value) { Store(FShowTree, Value); }
void TCellNode::SetShowTreeFull(bool Value) { Store(FShowTreeFull, Value); }
void TCellNode::SetNodeIndent(Integer Value) { Store(FNodeIndent, Value); }
void TCellNode::SetTreeColor(TColor Value) { Store(FTreeColor, Value); }
void TCellNode::SetExpandGlyph(const TBitmap* Value) { FExpandGlyph->Assign(Value); }
void TCellNode::SetContractGlyph(const TBitmap* Value) { FContractGlyph->Assign(Value); }

void TExStringGrid::SetCellNode(const TCellNode* Value)
{
    FCellNode->Assign(Value);
}

Integer TExStringGrid::NodeIndent() const
{
    return FCellNode->NodeIndent();
}

void TExStringGrid::SetNodeIndent(Integer Value)
{
    FCellNode->SetNodeIndent(Value);
}

// ------------------------------------------------------------ queries

TCellGraphic* TExStringGrid::NodeGraphic(Integer ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return nullptr;
    TCellGraphic* g = GetCellGraphic(0, ARow);
    return g != nullptr && g->CellType == ctNode ? g : nullptr;
}

bool TExStringGrid::IsNode(Integer ARow)
{
    return NodeGraphic(ARow) != nullptr;
}

bool TExStringGrid::IsSummary(Integer ARow)
{
    return ARow >= 0 && ARow < RowCount() && GetCellType(0, ARow) == ctSummary;
}

bool TExStringGrid::GetNodeState(Integer ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g != nullptr && g->CellBoolean;
}

void TExStringGrid::SetNodeState(Integer ARow, bool Value)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    if (g == nullptr || g->CellBoolean == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

Integer TExStringGrid::GetNodeLevel(Integer ARow)
{
    if (NodeGraphic(ARow) == nullptr)
        return -1;
    const TCellProperties* p = PropsOf(0, ARow);
    return p != nullptr ? p->NodeLevel() : 0;
}

Integer TExStringGrid::GetNodeSpan(Integer ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g != nullptr ? g->CellIndex : -1;
}

void TExStringGrid::SetNodeSpan(Integer ARow, Integer Span)
{
    if (TCellGraphic* g = NodeGraphic(ARow))
        g->CellIndex = Span;
}

void TExStringGrid::UpdateNodeSpan(Integer ARow, Integer Delta)
{
    if (TCellGraphic* g = NodeGraphic(ARow))
        g->CellIndex += Delta;
}

Integer TExStringGrid::GetSubNodeCount(Integer ARow)
{
    const TCellGraphic* g = NodeGraphic(ARow);
    return g != nullptr ? g->CellErrFrom : 0;
}

void TExStringGrid::UpdateSubNodeCount(Integer ARow, Integer Delta)
{
    if (TCellGraphic* g = NodeGraphic(ARow))
        g->CellErrFrom += Delta;
}

Integer TExStringGrid::NodeSpanEnd(Integer ARow)
{
    const Integer span = GetNodeSpan(ARow);
    if (span > 0)
        return std::min(ARow + span, RowCount());
    Integer r = ARow + 1;
    while (r < RowCount() && !IsNode(r))
        ++r;
    return r;
}

Integer TExStringGrid::GetParentRow(Integer ARow)
{
    if (FNumNodes <= 0)
        return -1;
    Integer result = -1, level = 65535;
    if (IsNode(ARow)) {
        level = GetNodeLevel(ARow);
        result = ARow;
    }
    Integer hidden = 0;
    for (Integer r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        if (!IsNode(r) || GetNodeLevel(r) >= level)
            continue;
        const Integer s = GetNodeSpan(r);
        if (GetNodeState(r))
            hidden += s - 1;
        if (ARow < r + s - hidden)
            return r;
    }
    return result;
}

Integer TExStringGrid::GetNodeSpanType(Integer ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow >= RowCount() - FixedFooters() - 1)
        return 1;
    const TCellProperties* next = PropsOf(0, ARow + 1);
    const TCellProperties* own = PropsOf(0, ARow);
    if (next != nullptr && next->NodeLevel() >= (own != nullptr ? own->NodeLevel() : 0))
        return 2;
    return 1;
}

bool TExStringGrid::IsOnNodeGlyph(Integer ARow, Integer X)
{
    if (!FMouseActions->PreciseNodeClick())
        return true;
    const Integer level = GetNodeLevel(ARow);
    const Integer indent = NodeIndent();
    Integer w = 4, m = 4;
    switch (FCellNode->NodeType()) {
    case cn3D:
        w = 6;
        m = 0;
        break;
    case cnGlyph: {
        const TBitmap* glyph = FCellNode->ExpandGlyph();
        const bool empty = glyph == nullptr || glyph->Empty();
        w = empty ? 0 : glyph->Width() / 2;
        m = empty ? 0 : 2;
        break;
    }
    case cnLeaf:
        w = 8;
        m = 2;
        break;
    default:
        break;
    }
    return m + (level - 1) * indent < X && X < w + level * indent;
}

// ------------------------------------------------------------ adding and removing

void TExStringGrid::RaiseNodeLevels(Integer From, Integer To, Integer Delta)
{
    for (Integer r = std::max(From, 0); r <= To && r < RowCount(); ++r) {
        TCellProperties* p = GetCellProperties(0, r);
        p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
    }
}

void TExStringGrid::AddNode(Integer ARow, Integer Span)
{
    const Integer d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount())
        return;
    TCellGraphic* g = NewGraphic(0, d, ctNode, haBeforeText, vaCenter);
    g->CellBoolean = false;
    g->CellIndex = Span;
    g->CellErrFrom = 0;
    g->CellAngle = d;
    g->CellVar.Int = -1;
    RaiseNodeLevels(d, d + Span - 1, 1);
    if (FNumNodes == 0)
        RepaintCol(0);
    ++FNumNodes;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TExStringGrid::RemoveNode(Integer ARow)
{
    ExpandSingleNode(ARow);
    const Integer d = DisplRowIndex(ARow);
    if (!IsNode(d))
        return;
    RaiseNodeLevels(d, d + GetNodeSpan(d) - 1, -1);
    RemoveCellGraphicOfType(0, d, ctNode);
    if (FNumNodes > 0)
        --FNumNodes;
}

void TExStringGrid::RemoveAllNodes()
{
    for (Integer r = 0; r < RowCount(); ++r) {
        if (!IsNode(r))
            continue;
        ExpandSingleNode(RealRowIndex(r));
        RaiseNodeLevels(r, r + GetNodeSpan(r) - 1, -1);
        RemoveCellGraphicOfType(0, r, ctNode);
        if (FNumNodes > 0)
            --FNumNodes;
    }
    Invalidate();
}

void TExStringGrid::MarkSummaryRow(Integer ARow)
{
    const Integer d = DisplRowIndex(ARow);
    if (d >= 0 && d < RowCount())
        NewGraphic(0, d, ctSummary, haLeft, vaTop);
}

// ------------------------------------------------------------ contracting and expanding

void TExStringGrid::HideNodeRows(Integer From, Integer To)
{
    std::vector<Integer> rows;
    for (Integer r = From; r <= To; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(r);
    if (rows.empty())
        return;
    HideRows(From, To);
    // The hidden rows of a node belong to no filter level.
    for (Integer r : rows)
        if (const Integer i = FindHiddenRow(r); i >= 0)
            FGridItems->ItemsAs<TGridItem>(i)->SetLevel(-1);
}

void TExStringGrid::ContractNode(Integer ARow)
{
    HideInplaceEdit();
    FForceSel = true;
    try {
        const Integer d = DisplRowIndex(ARow);
        TCellGraphic* g = NodeGraphic(d);
        if (g == nullptr || g->CellBoolean) {
            FForceSel = false;
            return;
        }
        g->CellBoolean = true;
        Integer end = NodeSpanEnd(d);
        const Integer start = d + 1;
        Integer r = start;
        while (r < end && r < RowCount()) {
            TCellGraphic* child = NodeGraphic(r);
            if (child != nullptr && child->CellBoolean) {
                // A contracted child is taken along: its own rows are hidden
                // already, so the span shrinks by them and by the rows hidden now.
                child->CellBoolean = false;
                if (TControl* c = CellControls(1, r + 1))
                    c->SetVisible(false);
                const Integer childSpan = child->CellIndex;
                HideNodeRows(RealRowIndex(start), RealRowIndex(r));
                end = end - childSpan - (r - start);
                r = start;
                continue;
            }
            ++r;
        }
        if (r > start)
            HideNodeRows(RealRowIndex(start), RealRowIndex(r - 1));
        RepaintCell(0, d);
    } catch (...) {
        FForceSel = false;
        throw;
    }
    FForceSel = false;
    CalcFooter(-1);
}

void TExStringGrid::ExpandSingleNode(Integer ARow)
{
    const Integer d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeGraphic(d);
    if (g == nullptr || !g->CellBoolean)
        return;
    g->CellBoolean = false;
    Integer e = d + 1;
    if (g->CellIndex <= 0)
        while (e < RowCount() && !IsNode(e))
            ++e;
    const Integer oldTop = TopRow(), oldRow = Row();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelect(false);
    const bool rowSelect = (Options() & goRowSelect) != 0;
    if (rowSelect)
        SetOptions(Options() & ~TGridOptions(goRowSelect));
    const bool lock = FNumCellControls == 0;
    if (lock)
        BeginUpdate();
    const Integer from = RealRowIndex(d) + 1, to = RealRowIndex(e) - 1;
    for (Integer r = from; r <= to; ++r)
        UnHideRow(r);
    if (lock)
        EndUpdate();
    if (rowSelect) {
        SetOptions(Options() | goRowSelect);
        if (oldRow < RowCount())
            MoveColRow(Col(), oldRow, true, false);
        if (oldTop < RowCount())
            TCustomGrid::SetTopRow(oldTop);
    }
    FMouseActions->SetDisjunctRowSelect(disjunct);
    RepaintCell(0, DisplRowIndex(ARow));
    CalcFooter(-1);
}

void TExStringGrid::ExpandNode(Integer ARow)
{
    if (FCellNode->ExpandOne()) {
        const Integer count = RowCount();
        for (Integer r = FixedRows(); r < count && r < RowCount(); ++r)
            if (IsNode(r) && !GetNodeState(r) && RealRowIndex(r) != ARow)
                ContractNode(RealRowIndex(r));
    }
    ExpandSingleNode(ARow);
}

void TExStringGrid::ExpandAll()
{
    BeginUpdate();
    for (Integer r = FixedRows(); r < RowCount() + NumHiddenRows(); ++r)
        if (r < RowCount() && IsNode(r)) {
            ExpandNode(RealRowIndex(r));
            if (TCellGraphic* g = NodeGraphic(r))
                g->CellBoolean = false;
        }
    EndUpdate();
    CalcFooter(-1);
}

void TExStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList rows(0, 0);
    Integer r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = NodeGraphic(r);
        if (g == nullptr) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        const Integer s = std::max(1, NodeSpanEnd(r) - r);
        for (Integer i = r + 1; i < r + s && i < RowCount(); ++i)
            rows.Add(i);
        r += s;
    }
    if (rows.Count() > 0) {
        const Integer before = NumHiddenRows();
        HideRowList(&rows);
        // One pass for all, but the rows belong to no filter level.
        --FFilterLevel;
        for (Integer i = before; i < NumHiddenRows(); ++i)
            FGridItems->ItemsAs<TGridItem>(i)->SetLevel(-1);
    }
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

// ------------------------------------------------------------ rows inside nodes

void TExStringGrid::InsertChildRow(Integer ARow, Integer InsertAt)
{
    const Integer d = DisplRowIndex(ARow);
    const Integer p = GetParentRow(d);
    const Integer rp = p >= 0 ? RealRowIndex(p) : -1;
    Integer level = 0;
    if (p != -1) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(rp);
        level = GetNodeLevel(DisplRowIndex(rp));
    }
    // The enclosing nodes grow too.
    Integer q = p != -1 ? DisplRowIndex(rp) : -1, l = level;
    while (l > 1 && q != -1 && q >= FixedRows()) {
        const Integer parent = GetParentRow(q);
        if (parent == -1 || parent == q)
            break;
        q = parent;
        if (GetNodeLevel(q) < l) {
            UpdateNodeSpan(q, 1);
            UpdateSubNodeCount(q, 1);
            ExpandNode(RealRowIndex(q));
            l = GetNodeLevel(q);
        }
    }
    const Integer dd = DisplRowIndex(ARow);
    const bool nodeRow = IsNode(dd) && InsertAt == 0;
    if (nodeRow)
        InsertAt = 1;
    InsertRows(dd + InsertAt, 1);
    if (nodeRow)
        for (Integer c = 0; c < ColCount(); ++c) {
            SetGridCell(c, dd + 1, GetGridCell(c, dd));
            SetGridCell(c, dd, QString());
            if (c > 0) {
                SetGridObject(c, dd + 1, GetGridObject(c, dd));
                SetGridObject(c, dd, nullptr);
            }
        }
    if (p != -1)
        GetCellProperties(0, dd + InsertAt)->SetNodeLevel(level);
}

void TExStringGrid::RemoveChildRow(Integer ARow)
{
    const Integer d = DisplRowIndex(ARow);
    MoveCellControlRows(ARow, -1);
    Integer p = GetParentRow(d);
    if (p != -1 && p != d) {
        const Integer pl = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        ExpandNode(RealRowIndex(p));
        p = DisplRowIndex(RealRowIndex(p));
        while (p != -1 && GetNodeLevel(p) > 1) {
            const Integer parent = GetParentRow(p);
            if (parent == -1 || parent == p || GetNodeLevel(parent) >= pl)
                break;
            p = parent;
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
            ExpandNode(RealRowIndex(p));
        }
    }
    DoRemoveRows(DisplRowIndex(ARow), 1);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - 1);
}

void TExStringGrid::InsertNormalRow(Integer ARow)
{
    InsertRows(DisplRowIndex(ARow), 1);
}

void TExStringGrid::RemoveNormalRow(Integer ARow)
{
    RemoveRows(ARow, 1);
    FMaxRowCount = std::max(RowCount(), FMaxRowCount - 1);
}

// ------------------------------------------------------------ the press

bool TExStringGrid::PressNodeGlyph(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    if (ACol != 0 || !IsNode(ARow) || !IsOnNodeGlyph(ARow, X))
        return false;
    TCellGraphic* g = NodeGraphic(ARow);
    if (ARow < FixedRows()) {
        // The header's button expands or contracts every node.
        if (FMouseActions->NodeAllExpandContract()) {
            if (g->CellBoolean)
                ExpandAll();
            else
                ContractAll();
            if (TCellGraphic* h = NodeGraphic(ARow))
                h->CellBoolean = !h->CellBoolean;
            RepaintCell(0, ARow);
        }
        return false;
    }
    if (OnMouseDown) {
        TShiftState shift;
        if ((GetKeyState(VK_MENU) & 0x8000) != 0)
            shift = TShiftState(ssAlt);
        else if ((GetKeyState(VK_SHIFT) & 0x8000) != 0)
            shift = TShiftState(ssShift);
        else if ((GetKeyState(VK_CONTROL) & 0x8000) != 0)
            shift = TShiftState(ssCtrl);
        OnMouseDown(this, mbLeft, shift, X, Y);
    }
    if (OnClickCell)
        OnClickCell(this, ARow, ACol);
    const Integer real = RealRowIndex(ARow);
    bool allow = true;
    if (g->CellBoolean) {
        if (OnBeforeExpandNode)
            OnBeforeExpandNode(this, ARow, real, allow);
        if (allow) {
            ExpandNode(real);
            if (OnExpandNode)
                OnExpandNode(this, ARow, real);
        }
    } else {
        if (OnBeforeContractNode)
            OnBeforeContractNode(this, ARow, real, allow);
        if (allow) {
            ContractNode(real);
            if (OnContractNode)
                OnContractNode(this, ARow, real);
        }
    }
    if (FMouseActions->MoveRowOnNodeClick() && ARow < RowCount())
        SetRow(ARow);
    return true;
}
