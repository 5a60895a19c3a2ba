// TExStringGrid: questions about the selection, in the rectangular mode and
// in the disjunct modes where the user collects cells, rows or columns; the
// current cell's text; the grid's version.

#include "grid/ExGrid.h"

namespace {

// One cell of the disjunct cell list: row in the high, column in the low 16 bits.
Integer PackCell(Integer ACol, Integer ARow)
{
    return Integer((Cardinal(ARow) << 16) | (Cardinal(ACol) & 0xFFFF));
}

} // namespace

bool TExStringGrid::SelectedCells(Integer ACol, Integer ARow) const
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->HasValue(PackCell(ACol, ARow));
    return GridRect(Selection().TopLeft(), Selection().BottomRight()).Contains(ACol, ARow);
}

void TExStringGrid::SetSelectedCells(Integer ACol, Integer ARow, bool Value)
{
    const Integer cell = PackCell(ACol, ARow);
    if (FSelectedCells->HasValue(cell) == Value)
        return;
    if (Value)
        FSelectedCells->Add(cell);
    else
        FSelectedCells->DeleteValue(cell);
    RepaintCell(ACol, ARow);
}

Integer TExStringGrid::SelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->Count();
    FSelectedCells->Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        FSelectedCells->Add(PackCell(Col(), Row()));
    } else {
        for (Integer c = s.Left; c <= s.Right; ++c)
            for (Integer r = s.Top; r <= s.Bottom; ++r)
                if (!FSelectedCells->HasValue(PackCell(c, r)))
                    FSelectedCells->Add(PackCell(c, r));
    }
    return FSelectedCells->Count();
}

TGridCoord TExStringGrid::SelectedCell(Integer Index) const
{
    const Cardinal v = Cardinal(FSelectedCells->Items(Index));
    return {Integer(v & 0xFFFF), Integer(v >> 16)};
}

Integer TExStringGrid::SelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect())
        return RowSelectCount();
    const TGridRect s = Selection();
    const Integer bottom = std::min(s.Bottom, RowCount() - FixedFooters() - 1);
    const Integer left = RealColIndex(s.Left);
    if (IsMergedCell(left, s.Top)) {
        const Integer span = CellSpan(left, s.Top).Y;
        if (bottom < s.Top + span)
            return span + 1;
    }
    Integer n = std::abs(s.Top - bottom) + 1;
    if (IsMergedCell(left, bottom))
        n += CellSpan(left, bottom).Y;
    return n;
}

Integer TExStringGrid::SelectedColCount()
{
    if (FMouseActions->DisjunctColSelect())
        return ColSelectCount();
    const TGridRect s = Selection();
    if (IsMergedCell(RealColIndex(s.Left), s.Top)) {
        const Integer span = CellSpan(RealColIndex(s.Left), s.Top).X;
        if (s.Right < s.Left + span)
            return span + 1;
    }
    if (IsMergedCell(RealColIndex(s.Right), s.Top))
        return std::abs(s.Left - s.Right) + 1 + CellSpan(RealColIndex(s.Right), s.Top).X;
    return std::abs(s.Left - s.Right) + 1;
}

Integer TExStringGrid::SelectedRow(Integer I)
{
    if (FMouseActions->DisjunctRowSelect()) {
        Integer n = 0;
        for (Integer r = 0; r < FRowSelect->Count() && r < TotalRowCount(); ++r)
            if (FRowSelect->Items(r) != nullptr && n++ == I)
                return r;
        return -1;
    }
    const TGridRect s = Selection();
    const Integer top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    return I >= 0 && top + I <= bottom ? top + I : -1;
}

void TExStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FSelectedCells->Clear();
    Invalidate();
}

void TExStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    Invalidate();
}

void TExStringGrid::Select()
{
    SelectCell(Col(), Row());
}

void TExStringGrid::InvalidateSelectionRect(const TGridRect& R)
{
    InvalidateRect(GridRect(R.TopLeft(), R.BottomRight()));
}

QString TExStringGrid::GetCurrentCell() const
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return GetGridCell(b.X, b.Y);
}

void TExStringGrid::SetCurrentCell(const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetCells(b.X, b.Y, Value);
}

QString TExStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return Cells(b.X, b.Y);
}

void TExStringGrid::SetCurrentCellEditText(const QString& Value)
{
    if (IsBaseCell(RealColIndex(Col()), Row())) {
        SetEditText(Col(), Row(), Value);
        return;
    }
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetEditText(RealToDisplCol(b.X), b.Y, Value);
}

QString TExStringGrid::VersionString() const
{
    const Cardinal v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4 Sep, 2012").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}
