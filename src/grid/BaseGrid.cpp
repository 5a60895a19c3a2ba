// TBaseGrid: cell properties made on first use, cell text access with
// merged-cell redirection and display hooks, merging and splitting, and the
// undo/redo component.

#include "grid/BaseGrid.h"

#include <typeinfo>

#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "platform/Canvas.h"

// ============================================================ TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
    if (AOwner != nullptr) {
        FWordWrap = AOwner->FWordWrap;
        AOwner->FHasCellProps = true;
    }
}

void TCellProperties::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellProperties*>(Source);
    if (src == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = src->FIsBaseCell;
    FCellSpanX = src->FCellSpanX;
    FCellSpanY = src->FCellSpanY;
    FOwnerRow = src->FOwnerRow;
    FOwnerCol = src->FOwnerCol;
    FObject = src->FObject;
    FAlignment = src->FAlignment;
    FBorderColor = src->FBorderColor;
    FBorderWidth = src->FBorderWidth;
    FBrushColor = src->FBrushColor;
    FBrushStyle = src->FBrushStyle;
    FFontColor = src->FFontColor;
    FFontStyle = src->FFontStyle;
    FFontName = src->FFontName;
    FFontSize = src->FFontSize;
    FReadOnly = src->FReadOnly;
    FEditor = src->FEditor;
    FVAlignment = src->FVAlignment;
    FWordWrap = src->FWordWrap;
    FNodeLevel = src->FNodeLevel;
    FControl = src->FControl;
}

void TCellProperties::ApplyFont(TFont* AFont) const
{
    if (FFontColor != clNone)
        AFont->SetColor(FFontColor);
    if (!FFontStyle.Empty())
        AFont->SetStyle(FFontStyle);
    if (FFontSize != 0)
        AFont->SetSize(FFontSize);
    if (!FFontName.isEmpty())
        AFont->SetName(FFontName);
}

TPoint TCellProperties::GetBaseCell(Integer ACol, Integer ARow) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return {ACol - FCellSpanX, ARow - FCellSpanY};
    return {ACol, ARow};
}

void TCellProperties::RepaintOwnerCell()
{
    if (FOwnerGrid != nullptr)
        FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
    FBrushColorTo = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RepaintOwnerCell();
}

// ================================================================== TBaseGrid

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The painter draws the lines and fills the cells itself.
    TCustomGrid::SetDefaultDrawing(false);
    TCustomGrid::SetGridLineWidth(0);
}

TBaseGrid::~TBaseGrid()
{
    Destroying();
    FreeStoredCellProperties();
    if (FUndoRedo != nullptr) {
        FUndoRedo->FGrid = nullptr;
        FUndoRedo->RemoveFreeNotification(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FUndoRedo)
        FUndoRedo = nullptr;
}

void TBaseGrid::SetUndoRedo(TExGridUndoRedo* Value)
{
    if (FUndoRedo == Value)
        return;
    if (FUndoRedo != nullptr) {
        FUndoRedo->FGrid = nullptr;
        FUndoRedo->RemoveFreeNotification(this);
    }
    FUndoRedo = Value;
    if (Value != nullptr) {
        Value->FGrid = this;
        Value->FreeNotification(this);
    }
}

void TBaseGrid::SetColorField(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Invalidate();
}

void TBaseGrid::SetGridLineWidth(Integer Value)
{
    FGridLineWidth = Value;
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool Value)
{
    if (FActiveRowShow == Value)
        return;
    FActiveRowShow = Value;
    Invalidate();
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
    if (FSelectionStyle == Value)
        return;
    FSelectionStyle = Value;
    Invalidate();
}

// ---------------------------------------------------------------- cell access

TCellProperties* TBaseGrid::PropsOf(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    return dynamic_cast<TCellProperties*>(GetGridObject(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(Integer ACol, Integer ARow) const
{
    return ACol >= 0 && ACol < TotalColCount() && ARow >= 0 && ARow < RowCount()
           && GetGridObject(ACol, ARow) != nullptr;
}

QString TBaseGrid::GetCellEx(Integer ACol, Integer ARow) const
{
    if (const TCellProperties* p = PropsOf(ACol, ARow)) {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        ACol = b.X;
        ARow = b.Y;
    }
    QString result = GetGridCell(ACol, ARow);
    if (ARow < FNormalRowCount) {
        GetDisplText(ACol, ARow, result);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideCellText(result);
            GetDisplWideText(ACol, ARow, wide);
            result = EncodeWideCellText(wide);
        }
    }
    return result;
}

// A merged cell's text goes to its base cell.
template <class TextArg>
void TBaseGrid::StoreCellEx(Integer ACol, Integer ARow, TextArg&& Value)
{
    if (const TCellProperties* p = AnyObject() ? PropsOf(ACol, ARow) : nullptr) {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        SetGridCell(b.X, b.Y, std::forward<TextArg>(Value));
        UpdateAutoRangeScrollBar(b.X, b.Y);
        if (HasParent())
            RepaintCell(ACol, ARow);
    } else {
        SetGridCell(ACol, ARow, std::forward<TextArg>(Value));
    }
    if (FHideLastRow && ARow == RowCount() - 1)
        LastRowChanged();
}

void TBaseGrid::SetCellEx(Integer ACol, Integer ARow, const QString& Value)
{
    StoreCellEx(ACol, ARow, Value);
}

void TBaseGrid::SetCellEx(Integer ACol, Integer ARow, QString&& Value)
{
    StoreCellEx(ACol, ARow, std::move(Value));
}

void TBaseGrid::GetDisplText(Integer ACol, Integer ARow, QString& Value) const
{
    if (OnGetDisplText)
        OnGetDisplText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(Integer ACol, Integer ARow, QString& Value) const
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

TCellProperties* TBaseGrid::CreateCellProperties(Integer ACol, Integer ARow)
{
    auto* props = new TCellProperties(this, ACol, ARow);
    SetGridObject(ACol, ARow, props);
    FPropsColExtent = std::max(FPropsColExtent, ACol + 1);
    FPropsRowExtent = std::max(FPropsRowExtent, ARow + 1);

    // Start from the colours and font the cell has now.
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment alignment = taLeftJustify;
    TVAlignment valignment = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection direction = GradientVertical;
    GetDefaultCellProperties(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, alignment, valignment, wordWrap,
                             direction);
    props->FCalcType = acNONE;
    props->FAlignment = alignment;
    props->FVAlignment = valignment;
    props->FWordWrap = wordWrap;
    props->FFontName = font.Name();
    props->FFontSize = font.Size();
    props->FFontStyle = font.Style();
    props->FFontColor = font.Color();
    props->FBrushColor = brush.Color();
    props->FBrushColorTo = colorTo;
    props->FGradientDirection = direction;
    return props;
}

TCellProperties* TBaseGrid::GetCellProperties(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    if (TObject* slot = GetGridObject(ACol, ARow))
        if (auto* props = dynamic_cast<TCellProperties*>(slot))
            return props;
    if (GetGridObject(ACol, ARow) != nullptr)
        return nullptr;  // a raw object of another kind stays where it is
    return CreateCellProperties(ACol, ARow);
}

void TBaseGrid::SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value)
{
    TObject* old = GetGridObject(ACol, ARow);
    if (old == Value)
        return;
    SetGridObject(ACol, ARow, Value);
    delete dynamic_cast<TCellProperties*>(old);
    if (Value != nullptr) {
        FHasCellProps = true;
        FPropsColExtent = std::max(FPropsColExtent, ACol + 1);
        FPropsRowExtent = std::max(FPropsRowExtent, ARow + 1);
    }
}

TObject* TBaseGrid::GetObjectEx(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr ? p->CellObject() : nullptr;
}

TObject* TBaseGrid::GetGraphicObjectEx(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetObjectEx(Integer ACol, Integer ARow, TObject* Value)
{
    // A blank text keeps an empty row's storage from being skipped while the
    // properties are made; the cell's text ends as it was.
    const bool empty = GetGridCell(ACol, ARow).isEmpty();
    if (empty)
        SetGridCell(ACol, ARow, QStringLiteral(" "));
    if (TCellProperties* p = GetCellProperties(ACol, ARow))
        p->SetCellObject(Value);
    if (empty)
        SetGridCell(ACol, ARow, QString());
}

void TBaseGrid::SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value)
{
    if (IsDestroying())
        return;
    const bool empty = GetGridCell(ACol, ARow).isEmpty();
    if (empty)
        SetGridCell(ACol, ARow, QStringLiteral(" "));
    if (TCellProperties* p = GetCellProperties(ACol, ARow))
        p->SetGraphicObject(Value);
    if (empty)
        SetGridCell(ACol, ARow, QString());
}

void TBaseGrid::ResetCell(Integer ACol, Integer ARow)
{
    SetGridObject(ACol, ARow, nullptr);
    SetGridCell(ACol, ARow, QString());
}

void TBaseGrid::ResetColumn(Integer ACol)
{
    for (Integer r = 0; r < RowCount(); ++r)
        ResetCell(ACol, r);
}

void TBaseGrid::ResetRow(Integer ARow)
{
    for (Integer c = 0; c < TotalColCount(); ++c)
        ResetCell(c, ARow);
}

void TBaseGrid::FreeCellProperties(Integer ACol, Integer ARow)
{
    TObject* slot = GetGridObject(ACol, ARow);
    if (slot == nullptr)
        return;
    SetGridObject(ACol, ARow, nullptr);
    delete dynamic_cast<TCellProperties*>(slot);
}

void TBaseGrid::FreePropertiesObject(TCellProperties* Props)
{
    if (Props == nullptr)
        return;
    TObject* g = Props->GraphicObject();
    if (g != nullptr && typeid(*g) == typeid(TCellGraphic))
        delete g;
    delete Props;
}

void TBaseGrid::FreeCellGraphics(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)
{
    if (!FHasCellProps)
        return;
    for (Integer c = std::max(FromCol, 0); c <= ToCol; ++c)
        for (Integer r = std::max(FromRow, 0); r <= ToRow; ++r) {
            TObject* slot = GetGridObject(c, r);
            if (slot == nullptr)
                continue;
            SetGridObject(c, r, nullptr);
            FreePropertiesObject(dynamic_cast<TCellProperties*>(slot));
        }
}

void TBaseGrid::FreeAllCellProperties()
{
    FreeCellGraphics(0, 0, ColCount() - 1, RowCount() - 1);
}

void TBaseGrid::FreeStoredCellProperties()
{
    // Beyond ColCount x RowCount too: lowering a count keeps the cells. A
    // clearing of the whole grid may have reset FHasCellProps while such
    // cells still hold properties.
    if (FPropsColExtent == 0)
        return;
    FHasCellProps = true;
    const Integer cols = std::max({ColCount(), TotalColCount(), FPropsColExtent});
    const Integer rows = std::max(RowCount(), FPropsRowExtent);
    FreeCellGraphics(0, 0, cols - 1, rows - 1);
}

// ---------------------------------------------------------------- merged cells

void TBaseGrid::MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY)
{
    ++FMergeCount;
    if (SpanX <= 0 || SpanY <= 0)
        return;
    for (Integer i = ACol; i < ACol + SpanX; ++i)
        for (Integer j = ARow; j < ARow + SpanY; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            if (p == nullptr)
                continue;
            const bool base = i == ACol && j == ARow;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? SpanX - 1 : i - ACol);
            p->SetCellSpanY(base ? SpanY - 1 : j - ARow);
        }
    for (Integer i = ACol; i < ACol + SpanX; ++i)
        for (Integer j = ARow; j < ARow + SpanY; ++j)
            RepaintCell(i, j);
}

void TBaseGrid::SplitCells(Integer ACol, Integer ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(b.X, b.Y);
    for (Integer i = b.X; i <= b.X + span.X; ++i)
        for (Integer j = b.Y; j <= b.Y + span.Y; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            if (p == nullptr)
                continue;
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
            RepaintCell(i, j);
        }
    --FMergeCount;
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr && (p->CellSpanX() > 0 || p->CellSpanY() > 0) && !p->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* p = PropsOf(b.X, b.Y);
    return p != nullptr && p->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* p = PropsOf(b.X, b.Y);
    return p != nullptr && p->CellSpanY() > 0;
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p == nullptr || p->IsBaseCell();
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    return p != nullptr ? p->GetBaseCell(ACol, ARow) : TPoint{ACol, ARow};
}

bool TBaseGrid::ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return b.X == ACol && b.Y == ARow;
}

TPoint TBaseGrid::CellSpan(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    if (p == nullptr || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* base = PropsOf(b.X, b.Y);
    if (base == nullptr)
        return {0, 0};
    return {base->CellSpanX(), base->CellSpanY()};
}

TPoint TBaseGrid::CellExt(Integer ACol, Integer ARow) const
{
    const TCellProperties* p = PropsOf(ACol, ARow);
    if (p == nullptr || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return {0, 0};
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    return {b.X + span.X - ACol, b.Y + span.Y - ARow};
}

TRect TBaseGrid::FullCell(Integer ACol, Integer ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    return {b.X, b.Y, b.X + span.X, b.Y + span.Y};
}

Integer TBaseGrid::MinRowSpan(Integer ARow) const
{
    Integer result = RowCount();
    for (Integer c = 0; c < TotalColCount(); ++c) {
        const Integer y = CellSpan(c, ARow).Y;
        if (y > 0 && y < result)
            result = y;
    }
    return result;
}

Integer TBaseGrid::MaxRowSpan(Integer ARow) const
{
    Integer result = 0;
    for (Integer c = 0; c < TotalColCount(); ++c)
        result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(Integer ARow1, Integer ARow2) const
{
    bool found = false;
    for (Integer c = 0; c < TotalColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            found = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
                return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(Integer ACol1, Integer ACol2) const
{
    bool found = false;
    for (Integer r = 0; r < RowCount(); ++r) {
        if (CellSpan(ACol1, r).X > 0 && CellSpan(ACol2, r).X > 0) {
            found = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X)
                return false;
        }
    }
    return found;
}

void TBaseGrid::GotoBaseCell()
{
    if (PropsOf(Col(), Row()) == nullptr)
        return;
    const TPoint b = BaseCell(Col(), Row());
    if (b.X != Col())
        SetCol(b.X);
    if (b.Y != Row())
        SetRow(b.Y);
}

QString TBaseGrid::GetEditText(Integer ACol, Integer ARow)
{
    return TObjStringGrid::GetEditText(ACol, ARow);
}

void TBaseGrid::SetEditText(Integer ACol, Integer ARow, const QString& Value)
{
    TObjStringGrid::SetEditText(ACol, ARow, Value);
}

// ============================================================ TExGridUndoRedo

TExGridUndoRedo::TExGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>())
{
}

TExGridUndoRedo::~TExGridUndoRedo()
{
    if (FGrid != nullptr)
        FGrid->SetUndoRedo(nullptr);
}

void TExGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGrid)
        FGrid = nullptr;
}

void TExGridUndoRedo::RegisterChange(Integer ACol, Integer ARow, const QString& NewValue, const QString& OldValue)
{
    if (FMaxLevel > 0 && FItems->Count() >= FMaxLevel)
        FItems->Delete(0);
    auto* item = static_cast<TUndoRedoItem*>(FItems->Add());
    item->Col = ACol;
    item->Row = ARow;
    item->Value = NewValue;
    item->OrigValue = OldValue;
    FLevel = FItems->Count();
}

void TExGridUndoRedo::AddMarker(bool Start)
{
    auto* item = static_cast<TUndoRedoItem*>(FItems->Add());
    item->Col = -1;
    item->Row = -1;
    item->SequenceStart = Start;
    item->SequenceStop = !Start;
    FLevel = FItems->Count();
}

void TExGridUndoRedo::StartSequence()
{
    AddMarker(true);
}

void TExGridUndoRedo::StopSequence()
{
    AddMarker(false);
}

void TExGridUndoRedo::Apply(const TUndoRedoItem* Item, bool UndoIt)
{
    const QString present = FGrid->GetCellEx(Item->Col, Item->Row);
    const QString& target = UndoIt ? Item->OrigValue : Item->Value;
    const TExGridUndoRedoEvent& event = UndoIt ? OnUndo : OnRedo;
    if (event)
        event(this, FGrid, Item->Col, Item->Row, present, target);
    FGrid->SetCellEx(Item->Col, Item->Row, target);
    FGrid->SetCol(FGrid->DisplColIndex(Item->Col));
    FGrid->SetRow(Item->Row);
}

void TExGridUndoRedo::Undo()
{
    if (FGrid == nullptr || FLevel == 0 || FLevel > FItems->Count())
        return;
    if (FItems->Item(FLevel - 1)->SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems->Item(FLevel - 1)->SequenceStart) {
            Apply(FItems->Item(FLevel - 1), true);
            --FLevel;
        }
        // Over the start marker, unless trimming dropped it.
        if (FLevel > 0)
            --FLevel;
        FGrid->Invalidate();
        return;
    }
    const TUndoRedoItem* item = FItems->Item(FLevel - 1);
    Apply(item, true);
    FGrid->RepaintCell(FGrid->Col(), item->Row);
    --FLevel;
}

void TExGridUndoRedo::Redo()
{
    if (FGrid == nullptr || FLevel >= FItems->Count())
        return;
    ++FLevel;
    if (FItems->Item(FLevel - 1)->SequenceStart) {
        ++FLevel;
        while (FLevel <= FItems->Count() && !FItems->Item(FLevel - 1)->SequenceStop) {
            Apply(FItems->Item(FLevel - 1), false);
            ++FLevel;
        }
        FLevel = std::min(FLevel, FItems->Count());
        FGrid->Invalidate();
        return;
    }
    Apply(FItems->Item(FLevel - 1), false);
}

void TExGridUndoRedo::Reset()
{
    FItems->Clear();
    // Nothing is left to undo: CanUndo must not answer true.
    FLevel = 0;
}
