// TExStringGrid: highlighting and error marks in cell texts, cell checks
// through a linked checker, range fills, row and column selection (the
// rectangle and, with disjunct selection, one flag per row and column),
// modified and disabled rows, moving the current cell and repaints.

#include "grid/ExGrid.h"

#include <QRandomGenerator>

#include "grid/EsgHTMLE.h"
#include "grid/esgcheck.h"
#include "platform/Text.h"

namespace {

const QString kHighlightTag = QStringLiteral("hi");
const QString kMarkTag = QStringLiteral("e");

QString EscapeMarkText(const QString& Text)
{
    return EscapeHTML(Text, false);
}

} // namespace

// ------------------------------------------------------------ text marks

QString TExStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    return HighlightHTMLText(S, Text, kHighlightTag, DoCase);
}

QString TExStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    return HighlightHTMLText(S, Text, kMarkTag, DoCase);
}

QString TExStringGrid::UnHilightText(const QString& S)
{
    return UnhighlightHTMLText(S, kHighlightTag);
}

QString TExStringGrid::UnMarkText(const QString& S)
{
    return UnhighlightHTMLText(S, kMarkTag);
}

void TExStringGrid::MarkRange(const TRect& R, const std::function<QString(QString)>& Fn)
{
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c) {
            if (!IsBaseCell(c, r))
                continue;
            const QString text = OnGetDisplText ? Cells(c, r) : GetGridCell(c, r);
            SetCells(c, r, Fn(text));
        }
}

void TExStringGrid::HiMark(const TRect& R, const QString& Text, const QString& Tag, bool DoCase)
{
    const QString search = EscapeMarkText(Text);
    MarkRange(R, [&](const QString& t) { return HighlightHTMLText(EscapeMarkText(t), search, Tag, DoCase); });
}

void TExStringGrid::UnHiMark(const TRect& R, const QString& Tag)
{
    MarkRange(R, [&](const QString& t) { return UnhighlightHTMLText(HTMLUnescape(t, false), Tag); });
}

TRect TExStringGrid::ColumnRange(Integer Col, bool DoFixed) const
{
    return {Col, DoFixed ? 0 : FixedRows(), Col, DoFixed ? RowCount() - 1 : LastNormalRow()};
}

TRect TExStringGrid::RowRange(Integer Row, bool DoFixed, bool Hidden) const
{
    const Integer last = (DoFixed ? ColCount() - 1 : LastNormalCol()) + (Hidden ? FNumHidden : 0);
    return {DoFixed ? 0 : FixedCols(), Row, last, Row};
}

TRect TExStringGrid::GridRange(bool DoFixed, bool Hidden) const
{
    const TRect cols = RowRange(0, DoFixed, Hidden);
    const TRect rows = ColumnRange(0, DoFixed);
    return {cols.Left, rows.Top, cols.Right, rows.Bottom};
}

void TExStringGrid::HilightInCell(Integer Col, Integer Row, const QString& HiText, bool DoCase)
{
    HiMark({Col, Row, Col, Row}, HiText, kHighlightTag, DoCase);
}

void TExStringGrid::HilightInCol(Integer Col, const QString& HiText, bool DoFixed, bool DoCase)
{
    HiMark(ColumnRange(Col, DoFixed), HiText, kHighlightTag, DoCase);
}

void TExStringGrid::HilightInRow(Integer Row, const QString& HiText, bool DoFixed, bool DoCase)
{
    HiMark(RowRange(Row, DoFixed, false), HiText, kHighlightTag, DoCase);
}

void TExStringGrid::HilightInGrid(const QString& HiText, bool DoFixed, bool DoCase)
{
    // Without the fixed cells the hidden columns are highlighted too.
    HiMark(GridRange(DoFixed, !DoFixed), HiText, kHighlightTag, DoCase);
}

void TExStringGrid::UnHilightInCell(Integer Col, Integer Row)
{
    UnHiMark({Col, Row, Col, Row}, kHighlightTag);
}

void TExStringGrid::UnHilightInCol(Integer Col, bool DoFixed)
{
    UnHiMark(ColumnRange(Col, DoFixed), kHighlightTag);
}

void TExStringGrid::UnHilightInRow(Integer Row, bool DoFixed)
{
    UnHiMark(RowRange(Row, DoFixed, true), kHighlightTag);
}

void TExStringGrid::UnHilightInGrid(bool DoFixed)
{
    UnHiMark(GridRange(DoFixed, true), kHighlightTag);
}

void TExStringGrid::MarkInCell(Integer Col, Integer Row, const QString& HiText, bool DoCase)
{
    HiMark({Col, Row, Col, Row}, HiText, kMarkTag, DoCase);
}

void TExStringGrid::MarkInCol(Integer Col, const QString& HiText, bool DoFixed, bool DoCase)
{
    HiMark(ColumnRange(Col, DoFixed), HiText, kMarkTag, DoCase);
}

void TExStringGrid::MarkInRow(Integer Row, const QString& HiText, bool DoFixed, bool DoCase)
{
    HiMark(RowRange(Row, DoFixed, false), HiText, kMarkTag, DoCase);
}

void TExStringGrid::MarkInGrid(const QString& HiText, bool DoFixed, bool DoCase)
{
    HiMark(GridRange(DoFixed, false), HiText, kMarkTag, DoCase);
}

void TExStringGrid::UnMarkInCell(Integer Col, Integer Row)
{
    UnHiMark({Col, Row, Col, Row}, kMarkTag);
}

void TExStringGrid::UnMarkInCol(Integer Col, bool DoFixed)
{
    UnHiMark(ColumnRange(Col, DoFixed), kMarkTag);
}

void TExStringGrid::UnMarkInRow(Integer Row, bool DoFixed)
{
    UnHiMark(RowRange(Row, DoFixed, true), kMarkTag);
}

void TExStringGrid::UnMarkInGrid(bool DoFixed)
{
    UnHiMark(GridRange(DoFixed, true), kMarkTag);
}

// ------------------------------------------------------------ cell checks

void TExStringGrid::SetCellChecker(DAriViziveVudaDodav* Value)
{
    if (FCellChecker == Value)
        return;
    if (FCellChecker != nullptr)
        FCellChecker->RemoveFreeNotification(this);
    FCellChecker = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

bool TExStringGrid::CheckCell(Integer Col, Integer Row)
{
    if (FCellChecker == nullptr)
        return true;
    const QString unmarked = UnMarkText(Cells(Col, Row));
    if (FCellChecker->GotoCell()) {
        SetRow(Row);
        SetCol(RealToDisplCol(Col));
    }
    QString text = unmarked;
    if (FCellChecker->UseCorrect())
        text = FCellChecker->Correct(Col, Row, unmarked);
    if (FCellChecker->UseMarkError())
        text = FCellChecker->MarkError(Col, Row, unmarked);
    SetCells(Col, Row, text);
    return text == unmarked;
}

bool TExStringGrid::CheckCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)
{
    if (FCellChecker == nullptr)
        return true;
    FCellChecker->StartCheck();
    const Integer row = Row(), col = Col();
    bool all = true;
    for (Integer r = FromRow; r <= ToRow; ++r)
        for (Integer c = FromCol; c <= ToCol; ++c)
            all = CheckCell(c, r) && all;
    FCellChecker->StopCheck();
    if (FCellChecker->GotoCell()) {
        SetRow(row);
        SetCol(col);
    }
    return all;
}

bool TExStringGrid::CheckRange(const TRect& R)
{
    return CheckCells(R.Left, R.Top, R.Right, R.Bottom);
}

bool TExStringGrid::CheckCol(Integer Col, bool DoFixed)
{
    return CheckRange(ColumnRange(Col, DoFixed));
}

bool TExStringGrid::CheckRow(Integer Row, bool DoFixed)
{
    return CheckRange(RowRange(Row, DoFixed, false));
}

bool TExStringGrid::CheckGrid(bool DoFixed)
{
    return CheckRange(GridRange(DoFixed, false));
}

// ------------------------------------------------------------ fills

void TExStringGrid::FillRange(bool DoFixed, const std::function<void(Integer C, Integer R)>& Fn)
{
    const TRect R = GridRange(DoFixed, false);
    for (Integer r = R.Top; r <= R.Bottom; ++r)
        for (Integer c = R.Left; c <= R.Right; ++c)
            Fn(c, r);
    RecalcFooters();
}

void TExStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    FillRange(DoFixed, [&](Integer c, Integer r) { SetCells(c, r, Txt); });
}

void TExStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    FillRange(DoFixed, [&](Integer c, Integer r) { SetCells(c, r, Format(Fmt, {c, r})); });
}

void TExStringGrid::RandomFill(bool DoFixed, Integer Rnd)
{
    FillRange(DoFixed, [&](Integer c, Integer r) {
        SetInts(c, r, Rnd > 0 ? Integer(QRandomGenerator::global()->bounded(Rnd)) : 0);
    });
}

void TExStringGrid::LinearFill(bool DoFixed)
{
    FillRange(DoFixed, [&](Integer c, Integer r) { SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r)); });
}

// ------------------------------------------------------------ row selection

bool TExStringGrid::RowSelect(Integer ARow)
{
    if (!FMouseActions->RowSelectPersistent() && (ARow < 0 || ARow >= TotalRowCount()))
        throw DOzeDidoRivar(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    if (FMouseActions->DisjunctRowSelect()) {
        if (ARow < 0)
            return false;
        if (FRowSelect->Count() <= ARow)
            FRowSelect->SetCount(ARow + 1);
        return FRowSelect->Items(ARow) != nullptr;
    }
    const TGridRect sel = Selection();
    return ARow >= std::min(sel.Top, sel.Bottom) && ARow <= std::max(sel.Top, sel.Bottom);
}

void TExStringGrid::SetRowSelect(Integer ARow, bool Value)
{
    if (ARow < 0 || (ARow >= TotalRowCount() && RowCount() > FixedRows()))
        throw DOzeDidoRivar(QStringLiteral("Invalid row accessed"));
    const bool was = ARow < FRowSelect->Count() && FRowSelect->Items(ARow) != nullptr;
    const bool changed = ARow >= FRowSelect->Count() || was != Value;
    if (changed && OnRowDisjunctSelect) {
        bool allow = true;
        OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow)
            return;
    }
    if (FRowSelect->Count() <= ARow)
        FRowSelect->SetCount(ARow + 1);
    static char marker;
    if (Value) {
        if (!was)
            RepaintRow(DisplRowIndex(ARow));
        FRowSelect->SetItems(ARow, &marker);
        if (!FSelectedRows->HasValue(ARow) && ARow >= FixedRows())
            FSelectedRows->Add(ARow);
    } else {
        if (was)
            RepaintRow(DisplRowIndex(ARow));
        FRowSelect->SetItems(ARow, nullptr);
        FSelectedRows->DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, ARow);
}

void TExStringGrid::SelectRows(Integer RowIndex, Integer RCount)
{
    if (RowIndex + RCount > RowCount())
        RCount = RowCount() - RowIndex;
    if (RCount <= 0 || RowIndex < 0)
        return;
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection({FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (Integer r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
    }
    if (!FRowIndicator->Empty())
        RepaintCol(0);
    FSelChange = false;
}

void TExStringGrid::UnSelectRows(Integer RowIndex, Integer RCount)
{
    if (!FMouseActions->DisjunctRowSelect())
        return;
    if (RowIndex + RCount > RowCount())
        RCount = RowCount() - RowIndex;
    for (Integer r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
        if (r >= 0)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, false);
}

void TExStringGrid::SelectionToRowSelect(bool AllRows)
{
    TGridRect sel = Selection();
    sel.Bottom = std::min(sel.Bottom, LastNormalRow());
    for (Integer r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= sel.Top && r <= sel.Bottom;
        if (inside || AllRows)
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, inside);
    }
    if (NumHiddenRows() > 0)
        Invalidate();
}

Integer TExStringGrid::RowSelectCount()
{
    if (!FMouseActions->DisjunctRowSelect()) {
        const TGridRect sel = Selection();
        return sel.Bottom - sel.Top + 1;
    }
    Integer n = 0;
    const Integer limit = std::min(FRowSelect->Count(), TotalRowCount());
    for (Integer i = 0; i < limit; ++i)
        if (FRowSelect->Items(i) != nullptr)
            ++n;
    return n;
}

void TExStringGrid::ClearRowSelect()
{
    for (Integer i = 0; i < FRowSelect->Count(); ++i)
        if (FRowSelect->Items(i) != nullptr) {
            FRowSelect->SetItems(i, nullptr);
            if (i < RowCount())
                RepaintRow(i);
        }
    FSelectedRows->Clear();
}

// ------------------------------------------------------------ column selection

bool TExStringGrid::ColSelect(Integer ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw DOzeDidoRivar(QStringLiteral("Invalid column accessed"));
    if (FMouseActions->DisjunctColSelect()) {
        if (FColSelect->Count() <= ACol)
            FColSelect->SetCount(ACol + 1);
        return FColSelect->Items(ACol) != nullptr;
    }
    const TGridRect sel = Selection();
    return ACol >= sel.Left && ACol <= sel.Right;
}

void TExStringGrid::SetColSelect(Integer ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw DOzeDidoRivar(QStringLiteral("Invalid column accessed"));
    if (FColSelect->Count() <= ACol)
        FColSelect->SetCount(ACol + 1);
    static char marker;
    const bool was = FColSelect->Items(ACol) != nullptr;
    FColSelect->SetItems(ACol, Value ? &marker : nullptr);
    if (was != Value)
        RepaintCol(ACol);
}

void TExStringGrid::SelectCols(Integer ColIndex, Integer CCount)
{
    if (CCount <= 0 || ColIndex < 0)
        return;
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection({ColIndex, FixedRows(), std::min(ColIndex + CCount, ColCount()) - 1, RowCount() - 1});
        return;
    }
    for (Integer c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c)
        SetColSelect(c, true);
}

void TExStringGrid::UnSelectCols(Integer ColIndex, Integer CCount)
{
    if (!FMouseActions->DisjunctColSelect())
        return;
    for (Integer c = std::max(ColIndex, 0); c < ColIndex + CCount && c < ColCount(); ++c)
        SetColSelect(c, false);
}

void TExStringGrid::SelectionToColSelect(bool AllCols)
{
    const TGridRect sel = Selection();
    for (Integer c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= sel.Left && c <= sel.Right;
        if (inside || AllCols)
            SetColSelect(c, inside);
    }
}

Integer TExStringGrid::ColSelectCount()
{
    if (!FMouseActions->DisjunctColSelect()) {
        const TGridRect sel = Selection();
        return sel.Right - sel.Left + 1;
    }
    Integer n = 0;
    for (Integer i = 0; i < FColSelect->Count() && i < ColCount(); ++i)
        if (FColSelect->Items(i) != nullptr)
            ++n;
    return n;
}

void TExStringGrid::ClearColSelect()
{
    for (Integer i = 0; i < FColSelect->Count(); ++i)
        if (FColSelect->Items(i) != nullptr) {
            FColSelect->SetItems(i, nullptr);
            if (i < ColCount())
                RepaintCol(i);
        }
}

void TExStringGrid::SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

// ------------------------------------------------------------ row marks

bool TExStringGrid::RowModified(Integer ARow) const
{
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TExStringGrid::SetRowModified(Integer ARow, bool Value)
{
    if (ARow < 0)
        return;
    while (FModifiedRows->Count() <= ARow)
        FModifiedRows->Add(0);
    FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
    RepaintCell(0, ARow);
}

Integer TExStringGrid::ModifiedRowCount() const
{
    Integer n = 0;
    for (Integer i = 0; i < FModifiedRows->Count(); ++i)
        if (FModifiedRows->Items(i) == 1)
            ++n;
    return n;
}

bool TExStringGrid::RowEnabled(Integer ARow) const
{
    return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TExStringGrid::SetRowEnabled(Integer ARow, bool Value)
{
    if (ARow < 0)
        return;
    if (ARow == Row() && !Value) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    while (FEnabledRows->Count() <= ARow)
        FEnabledRows->Add(0);
    FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
    RepaintRow(ARow);
}

// ------------------------------------------------------------ cell movement

void TExStringGrid::GotoCell(Integer ACol, Integer ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TExStringGrid::MoveToCell(Integer ACol, Integer ARow)
{
    MoveColRow(ACol, ARow, true, true);
}

void TExStringGrid::EditCell(Integer ACol, Integer ARow)
{
    if (CanFocus())
        SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TExStringGrid::FocusCell(Integer ACol, Integer ARow)
{
    SetSelection({ACol, ARow, ACol, ARow});
}

void TExStringGrid::SwapCells(TPoint FromCell, TPoint ToCell)
{
    const QString text = GetGridCell(FromCell.X, FromCell.Y);
    TObject* obj = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, text);
    SetGridObject(ToCell.X, ToCell.Y, obj);
}

// ------------------------------------------------------------ repaints

void TExStringGrid::RepaintRow(Integer ARow)
{
    if (ARow >= 0 && ARow < RowCount())
        InvalidateRow(ARow);
}

void TExStringGrid::RepaintCol(Integer ACol)
{
    if (ACol >= 0 && ACol < ColCount())
        InvalidateCol(ACol);
}

void TExStringGrid::RepaintRect(TRect R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(std::min(R.Right, VisibleColCount() + FixedCols()), R.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    InvalidateRect(GridRect({R.Left, R.Top}, {std::min(R.Right, ColCount() - 1), std::min(R.Bottom, RowCount() - 1)}));
}
