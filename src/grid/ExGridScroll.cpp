// TExStringGrid: the grid's reaction to its scroll bars (position hints,
// following the thumb), scrolling while something is dragged near its
// edges, column stretching, proportional sizing after the user sized a
// column or row, the row, column and fixed counts, and the registration
// lists through which other objects follow the grid.

#include "grid/ExGrid.h"
#include "grid/features/ExGridPanels.h"

#include <cmath>

#include "grid/ExGridEditors.h"
#include "grid/PictureContainer.h"
#include "grid/esgcheck.h"
#include "platform/Form.h"
#include "platform/HintWindow.h"
#include "platform/ImageList.h"
#include "platform/Messages.h"
#include "platform/Timer.h"

// ------------------------------------------------------------ scroll messages

Integer TExStringGrid::ThumbTarget(bool Vertical, Integer Pos) const
{
    // The platform grid's bars run over the scrollable rows and columns
    // themselves: the thumb position is the first one shown.
    const Integer fixed = Vertical ? FixedRows() : FixedCols();
    const Integer count = Vertical ? RowCount() : ColCount();
    return std::clamp(Pos, fixed, std::max(fixed, count - 1));
}

void TExStringGrid::ShowScrollHint(const QString& Text)
{
    FScrollHintText = Text;
    if (FScrollHintWnd == nullptr)
        FScrollHintWnd = new THintWindow(this);
    FScrollHintWnd->SetColor(HintColor());
    TRect r = FScrollHintWnd->CalcHintRect(100, Text, nullptr);
    const TPoint cursor = GetCursorPos();
    r = TRect{cursor.X + 10, cursor.Y, cursor.X + 10 + r.Width(), cursor.Y + r.Height()};
    FScrollHintWnd->ActivateHint(r, Text);
    FScrollHintShow = true;
}

void TExStringGrid::ReleaseScrollHint()
{
    if (FScrollHintWnd != nullptr)
        FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
}

LRESULT TExStringGrid::WMHScroll(Word Code, Integer Pos)
{
    if (ScrollHints() == shHorizontal || ScrollHints() == shBoth) {
        if (Code == SB_ENDSCROLL) {
            ReleaseScrollHint();
        } else if (Code == SB_THUMBTRACK) {
            const Integer target = ThumbTarget(false, Pos);
            QString hint = QStringLiteral("Col : %1").arg(target);
            if (OnScrollHint)
                OnScrollHint(this, target, hint);
            ShowScrollHint(hint);
        }
    }
    const Integer target = ThumbTarget(false, Pos);
    if (Code == SB_THUMBTRACK && ScrollSynch())
        SetLeftCol(target);
    if (FixedCols() == 0 && target >= Col())
        HideInplaceEdit();
    TMessage m{WM_HSCROLL, MAKEWPARAM(Code, Word(Pos)), LPARAM(Pos)};
    TBaseGrid::WndProc(m);
    if (Code == SB_ENDSCROLL && ColCount() == 1)
        Invalidate();
    if (HasCheckBox(RealColIndex(Col()), Row()))
        HideEditor();
    UpdateFooter();
    return 0;
}

LRESULT TExStringGrid::WMVScroll(Word Code, Integer Pos)
{
    if (ScrollHints() == shVertical || ScrollHints() == shBoth) {
        if (Code == SB_ENDSCROLL) {
            ReleaseScrollHint();
        } else if (Code == SB_THUMBTRACK) {
            const Integer target = ThumbTarget(true, Pos);
            QString hint = QStringLiteral("Row : %1").arg(target);
            if (OnScrollHint)
                OnScrollHint(this, target, hint);
            ShowScrollHint(hint);
        }
    }
    if (Code == SB_THUMBTRACK && ScrollSynch())
        SetTopRow(ThumbTarget(true, Pos));
    if ((Code == SB_ENDSCROLL || Code == SB_LINEDOWN) && LastRowAboveSearchPanel())
        return 1;
    TMessage m{WM_VSCROLL, MAKEWPARAM(Code, Word(Pos)), LPARAM(Pos)};
    TBaseGrid::WndProc(m);
    if (FSearchFooter->Visible()) {
        if (Code == SB_LINEUP && TopRow() == RowCount() - VisibleRowCount())
            SetTopRow(TopRow() - 1);
        else if ((Code == SB_ENDSCROLL || Code == SB_LINEDOWN) && TopRow() == RowCount() - VisibleRowCount())
            KeepRowsAboveSearchPanel();
    }
    if (HasCheckBox(RealColIndex(Col()), Row()))
        HideEditor();
    return 0;
}

Integer TExStringGrid::SearchPanelHeight() const
{
    // What of the cells the search bar covers: nothing, it lies below them.
    return 0;
}

bool TExStringGrid::LastRowAboveSearchPanel()
{
    if (!FSearchFooter->Visible() || TopRow() + VisibleRowCount() < RowCount() - 1)
        return false;
    const TRect r = CellRect(0, RowCount() - 1);
    return !r.IsEmpty() && r.Bottom < ClientHeight() - SearchPanelHeight() + 2;
}

void TExStringGrid::KeepRowsAboveSearchPanel()
{
    if (!FSearchFooter->Visible() || SearchPanelHeight() == 0 || ClientHeight() <= DefaultRowHeight() + SearchPanelHeight())
        return;
    for (;;) {
        const TRect r = CellRect(0, RowCount() - 1);
        const bool below = r.IsEmpty() || r.Bottom >= ClientHeight() - SearchPanelHeight() + 2;
        if (!below || Row() >= RowCount() || TopRow() >= RowCount() - 1)
            return;
        const Integer before = TopRow();
        SetTopRow(TopRow() + 1);
        if (TopRow() == before)
            return;
    }
}

void TExStringGrid::UpdateProportionalHScroll()
{
    // The platform grid's thumbs are sized to the visible part already.
}

void TExStringGrid::UpdateProportionalVScroll() {}

// ------------------------------------------------------------ drag scrolling

void TExStringGrid::StopDragTimer()
{
    if (FDragTmr == nullptr)
        return;
    FDragTmr->SetEnabled(false);
    delete FDragTmr;
    FDragTmr = nullptr;
}

void TExStringGrid::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    const TDragScrollOptions* o = FDragScrollOptions.get();
    if (!o->Active || State == dsDragLeave) {
        StopDragTimer();
    } else {
        const TDragScrollDirection previous = FDragScrollDirection;
        const TDragScrollMargins* m = o->Margins();
        TDragScrollDirection dirs = 0;
        if (Y < m->TopMargin)
            dirs |= dsdUp;
        else if (Y > Height() - m->BottomMargin)
            dirs |= dsdDown;
        if (X < m->LeftMargin)
            dirs |= dsdLeft;
        else if (X > Width() - m->RightMargin)
            dirs |= dsdRight;
        FDragScrollDirection = dirs;
        if (dirs == 0) {
            StopDragTimer();
        } else if (FDragTmr == nullptr) {
            FDragTmr = new TTimer(this);
            FDragTmr->SetInterval(Cardinal(std::max<Integer>(o->Delays()->InitialDelay, 1)));
            FDragTmr->OnTimer = [this](TObject*) { DragScrollTick(); };
            FDragTmr->SetEnabled(true);
        } else if (previous != 0) {
            FDragTmr->SetInterval(Cardinal(std::max<Integer>(o->Delays()->InitialDelay, 1)));
        }
    }
    TBaseGrid::DragOver(Source, X, Y, State, Accept);
}

Integer TExStringGrid::DragScrollInterval() const
{
    return FDragTmr != nullptr ? Integer(FDragTmr->Interval()) : 0;
}

void TExStringGrid::DragScrollTick()
{
    if (!FDragScrollOptions->Active) {
        StopDragTimer();
        return;
    }
    if (FDragTmr != nullptr)
        FDragTmr->SetInterval(Cardinal(std::max<Integer>(FDragScrollOptions->Delays()->RepeatDelay, 1)));
    TDragScrollDirection dirs = FDragScrollDirection;
    if (OnDragScroll) {
        bool allow = true;
        OnDragScroll(this, TopRow(), LeftCol(), dirs, allow);
        if (!allow)
            return;
    }
    if ((dirs & dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if ((dirs & dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if ((dirs & dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if ((dirs & dsdRight) && VisibleColCount() + LeftCol() < ColCount())
        SetLeftCol(LeftCol() + 1);
}

// ------------------------------------------------------------ sizes

void TExStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount)
{
    if (Parent() == nullptr || HasState(csLoading)) {
        TBaseGrid::SizeChanged(OldColCount, OldRowCount);
        return;
    }
    if (FColumnSize->Stretch())
        StretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TExStringGrid::StretchColumn(Integer Index)
{
    if (HasState(csLoading) || IsDestroying())
        return;
    if (Index == -1)
        Index = ColCount() - 1;
    if (Index < 0 || Index >= ColCount())
        throw DOzeDidoRivar(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging)
        return;
    FIsColChanging = true;
    ColchgFlg = false;
    if (ColCount() == 1) {
        SetColWidths(0, ClientWidth());
    } else {
        Integer sum = 0;
        for (Integer c = 0; c < ColCount(); ++c)
            if (c != Index)
                sum += ColWidths(c);
        if (sum < ClientWidth())
            SetColWidths(Index, ClientWidth() - sum - 1);
        else if (LeftCol() == FixedCols())
            SetColWidths(Index, DefaultColWidth());
    }
    ColchgFlg = true;
    FIsColChanging = false;
}

void TExStringGrid::ColWidthsChanged()
{
    if (ColchgFlg && FColumnSize->Stretch() && !FIsColChanging && !ColSized)
        StretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    if (ColSized && FMouseActions->AllColumnSize() && Colclickedsize > 0 && Colclicked >= 0 && Colclicked < ColCount()) {
        const double factor = double(ColWidths(Colclicked)) / double(Colclickedsize);
        ColSized = false;
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (c != Colclicked)
                SetColWidths(c, Integer(std::lround(ColWidths(c) * factor)));
        ColSized = true;
    }
    if (ColSized && Colclicked >= 0) {
        if (OnEndColumnSize)
            OnEndColumnSize(this, Colclicked);
        Integer width = ColWidths(Colclicked);
        const Integer before = width;
        UpdateColumnSize(Colclicked, width);
        if (width != before) {
            ColSized = false;
            SetColWidths(Colclicked, width);
        }
        Colclicked = -1;
        Rowclicked = -1;
    }
    ColSized = false;
    if (HasCheckBox(RealColIndex(Col()), Row()))
        HideEditor();
    UpdateFooter();
}

void TExStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    if (Rowsized && FMouseActions->AllRowSize() && Rowclickedsize > 0 && Rowclicked >= 0 && Rowclicked < RowCount()) {
        const double factor = double(RowHeights(Rowclicked)) / double(Rowclickedsize);
        Rowsized = false;
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (r != Rowclicked)
                SetRowHeights(r, Integer(std::lround(RowHeights(r) * factor)));
        Rowsized = true;
    }
    if (Rowsized && Rowclicked >= 0) {
        if (OnEndRowSize)
            OnEndRowSize(this, Rowclicked);
        Colclicked = -1;
        Rowclicked = -1;
    }
    Rowsized = false;
    if (HasCheckBox(RealColIndex(Col()), Row()))
        HideEditor();
}

void TExStringGrid::UpdateColumnSize(Integer ACol, Integer& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::UpdateAutoColumnSize(Integer ACol, Integer& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (AComponent == FCellChecker)
            FCellChecker = nullptr;
        if (AComponent == static_cast<TComponent*>(FContainer))
            FContainer = nullptr;
        if (AComponent == static_cast<TComponent*>(FEditLink))
            FEditLink = nullptr;
        if (AComponent == FDragTmr)
            FDragTmr = nullptr;
        if (AComponent == FScrollHintWnd)
            FScrollHintWnd = nullptr;
        if (auto* n = dynamic_cast<TGridChangeNotifier*>(AComponent))
            FNotifierList->Remove(n);
    }
    TBaseGrid::Notification(AComponent, Operation);
}

// ------------------------------------------------------------ counts and fixed cells

void TExStringGrid::SetRowCount(Integer Value)
{
    const Integer old = RowCount();
    TCustomGrid::SetRowCount(Value);
    if (FixedRowAlways() && FFixedRowsMin > 0 && RowCount() > FFixedRowsMin && TCustomGrid::FixedRows() < FFixedRowsMin)
        TCustomGrid::SetFixedRows(FFixedRowsMin);
    FMaxRowCount = std::max(FMaxRowCount, RowCount());
    FNormalRowCount = RowCount();
    UpdateScrollBars(false);
    if (FFloatingFooter->Visible() && old != RowCount() && old > 0)
        FooterRowMoved(old);
    // The rows dropped go with their cells: a later row in their place
    // (AddRow, a higher count) starts empty.
    if (RowCount() < old) {
        FreeCellGraphics(0, RowCount(), TotalColCount() - 1, old - 1);
        for (Integer r = RowCount(); r < old; ++r)
            ResetRow(r);
    }
}

void TExStringGrid::FooterRowMoved(Integer OldCount)
{
    // The footer row stays the last row: its cells move with it.
    const Integer to = RowCount() - 1, from = OldCount - 1;
    if (to < 0 || from == to)
        return;
    for (Integer c = 0; c < TotalColCount(); ++c) {
        SetGridCell(c, to, GetGridCell(c, from));
        SetGridObject(c, to, GetGridObject(c, from));
        SetGridCell(c, from, QString());
        SetGridObject(c, from, nullptr);
    }
    CalcFooter(-1);
}

void TExStringGrid::SetColCount(Integer Value)
{
    TCustomGrid::SetColCount(Value);
    if (FixedColAlways() && FFixedColsMin > 0 && ColCount() > FFixedColsMin && TCustomGrid::FixedCols() < FFixedColsMin)
        TCustomGrid::SetFixedCols(FFixedColsMin);
    FMaxColCount = std::max(FMaxColCount, ColCount() + FNumHidden);
    if (FColumnSize->Stretch() && Parent() != nullptr)
        StretchColumn(FColumnSize->StretchColumn());
    UpdateScrollBars(false);
}

Integer TExStringGrid::GetFixedRows() const
{
    const Integer n = TCustomGrid::FixedRows();
    return n == 0 && FixedRowAlways() ? 1 : n;
}

void TExStringGrid::SetFixedRowsEx(Integer Value)
{
    if (FixedRowAlways() && Value >= RowCount())
        Value = RowCount() - 1;
    TCustomGrid::SetFixedRows(std::max(Value, 0));
    if (!HasState(csLoading))
        FFixedRowsMin = Value;
}

Integer TExStringGrid::GetFixedCols() const
{
    const Integer n = TCustomGrid::FixedCols();
    return n == 0 && FixedColAlways() ? 1 : n;
}

void TExStringGrid::SetFixedColsEx(Integer Value)
{
    if (FixedColAlways() && Value >= ColCount())
        Value = ColCount() - 1;
    TCustomGrid::SetFixedCols(std::max(Value, 0));
    if (!HasState(csLoading))
        FFixedColsMin = Value;
}

void TExStringGrid::SetFixedColWidth(Integer Value)
{
    if (HasState(csLoading) || Value == DefaultColWidth())
        return;
    for (Integer c = 0; c < TCustomGrid::FixedCols(); ++c)
        SetColWidths(c, Value);
}

void TExStringGrid::SetFixedRowHeight(Integer Value)
{
    FFixedRowHeight = Value;
    if (HasState(csLoading))
        return;
    if (Value == DefaultRowHeight()) {
        SetDefaultRowHeightEx(Value);
        return;
    }
    for (Integer r = 0; r < TCustomGrid::FixedRows(); ++r)
        SetRowHeights(r, Value);
}

void TExStringGrid::SetDefaultRowHeightEx(Integer Value)
{
    TCustomGrid::SetDefaultRowHeight(Value);
    if (IsDesigning())
        FFixedRowHeight = Value;
    // The footer strip follows the row height; a shown strip takes it.
    FFloatingFooter->FollowRowHeight(Value);
}

void TExStringGrid::SetFixedFooters(Integer Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TExStringGrid::SetFixedRightCols(Integer Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

void TExStringGrid::SetDefaultAlignment(TAlignment Value)
{
    if (FDefaultAlignment == Value)
        return;
    FDefaultAlignment = Value;
    Invalidate();
}

void TExStringGrid::SetWordWrap(bool Value)
{
    TBaseGrid::SetWordWrap(Value);
    FWordWrapEx = Value;
    if (TExInplaceEdit* edit = GetNormalEdit())
        (void)edit;
    if (FUpdateCount == 0)
        Invalidate();
}

void TExStringGrid::SetLookupItems(const TStrings* Value)
{
    if (Value != nullptr)
        FLookupItems->Assign(Value);
}

TColor TExStringGrid::ArrowColor() const
{
    return FArrowsWanted ? FArrowColor : clNone;
}

void TExStringGrid::SetArrowColor(TColor Value)
{
    if (FArrowsWanted)
        FArrowColor = Value;
    for (TArrowWindow* a : {ArwU, ArwD, ArwL, ArwR})
        if (a != nullptr)
            a->SetColor(Value);
}

// ------------------------------------------------------------ notifiers

void TExStringGrid::RegisterNotifier(TGridChangeNotifier* Item)
{
    if (Item == nullptr || FNotifierList->IndexOf(Item) >= 0)
        return;
    FNotifierList->Add(Item);
    Item->FreeNotification(this);
}

void TExStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (FNotifierList->Remove(ANotifier) >= 0)
        ANotifier->RemoveFreeNotification(this);
}

Integer TExStringGrid::NotifierCount() const
{
    return FNotifierList->Count();
}

void TExStringGrid::CellsChanged(TRect R)
{
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    for (Integer i = 0; i < FNotifierList->Count(); ++i)
        static_cast<TGridChangeNotifier*>(FNotifierList->Items(i))->CellsChanged(R);
    CalcFooter(-1);
}

void TExStringGrid::DisableEditing(TObject* Sender)
{
    SetOptions(Options() & ~TGridOptions(goEditing));
}

void TExStringGrid::FilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}
