// TExStringGrid: range operations that leave the grid's shape alone:
// clearing cells with their properties, trimming texts, colouring a range,
// merging runs of equal texts and splitting merged areas, joining two
// columns, a few queries on cell texts, and the reaction to a rescale.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/ExUtil.h"
#include "platform/Graphics.h"

// ------------------------------------------------------------ clearing

void TExStringGrid::ClearRows(Integer RowIndex, Integer RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0)
        return;
    ClearRect(0, RowIndex, ColCount() + NumHiddenColumns() - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearCols(Integer ColIndex, Integer CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExStringGrid::ClearNormalRows(Integer RowIndex, Integer RCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || RCount <= 0)
        return;
    ClearRect(FixedCols(), RowIndex, ColCount() + NumHiddenColumns() - FixedRightCols() - 1, RowIndex + RCount - 1);
}

void TExStringGrid::ClearNormalCols(Integer ColIndex, Integer CCount)
{
    if (RowCount() <= 0 || ColCount() <= 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FixedFooters() - 1);
}

void TExStringGrid::ClearNormalCells()
{
    if (RowCount() <= 0 || ColCount() <= 0)
        return;
    if (FixedCols() == 0 && FNumNodes > 0)
        RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), ColCount() + NumHiddenColumns() - FixedRightCols() - 1,
              RowCount() - FixedFooters() - 1);
}

void TExStringGrid::Clear()
{
    if (!IsDestroying() && FNumNodes > 0)
        RemoveAllNodes();
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(0, 0, ColCount() + NumHiddenColumns() - 1, RowCount() - 1);
    SearchInc.clear();
    if (NumHiddenColumns() > 0)
        Invalidate();
}

void TExStringGrid::ClearAll()
{
    Clear();
    for (Integer i = 0; i < NumHiddenRows(); ++i) {
        TStringList* cells = FGridItems->ItemsAs<TGridItem>(i)->Items();
        for (Integer c = 0; c < cells->Count(); ++c)
            cells->Put(c, QString());
    }
}

void TExStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r))
                ClearRows(r, 1);
        return;
    }
    if (FMouseActions->DisjunctColSelect()) {
        for (Integer c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
        return;
    }
    const TGridRect s = Selection();
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
}

// ------------------------------------------------------------ trimming and colouring

void TExStringGrid::TrimRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    for (Integer r = ARow1; r <= ARow2; ++r)
        for (Integer c = ACol1; c <= ACol2; ++c) {
            const Integer rc = SaveHiddenCells() ? RealColIndex(c) : c;
            const QString text = Cells(rc, r);
            // Unchanged cells are left as they are (no repaint, no hooks).
            const QString trimmed = Trim(text);
            if (trimmed != text)
                SetCells(rc, r, trimmed);
        }
}

void TExStringGrid::TrimColumn(Integer ACol)
{
    TrimRect(ACol, 0, ACol, RowCount() - 1);
}

void TExStringGrid::TrimRow(Integer ARow)
{
    TrimRect(0, ARow, ColCount() - 1, ARow);
}

void TExStringGrid::TrimAll()
{
    TrimRect(0, 0, ColCount() - 1, RowCount() - 1);
}

void TExStringGrid::ColorRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2, TColor AColor)
{
    for (Integer r = ARow1; r <= ARow2; ++r)
        for (Integer c = ACol1; c <= ACol2; ++c)
            SetColors(c, r, AColor);
}

// ------------------------------------------------------------ merging and splitting

void TExStringGrid::MergeColumnCells(Integer ColIndex, bool MainMerge)
{
    const Integer first = FixedRows(), last = RowCount() - FixedFooters() - 1;
    if (last < first)
        return;
    Integer start = first, len = 1;
    auto flush = [&] {
        if (len >= 2)
            MergeCells(ColIndex, start, 1, len);
    };
    for (Integer r = first + 1; r <= last; ++r) {
        const bool same = Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r - 1, r));
        if (same) {
            ++len;
            continue;
        }
        flush();
        start = r;
        len = 1;
    }
    flush();
}

void TExStringGrid::MergeRowCells(Integer RowIndex, bool MainMerge)
{
    const Integer first = FixedCols(), last = ColCount() - FixedRightCols() - 1;
    if (last < first)
        return;
    Integer start = first, len = 1;
    auto flush = [&] {
        if (len >= 2)
            MergeCells(start, RowIndex, len, 1);
    };
    for (Integer c = first + 1; c <= last; ++c) {
        const bool same = Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c - 1, c));
        if (same) {
            ++len;
            continue;
        }
        flush();
        start = c;
        len = 1;
    }
    flush();
}

void TExStringGrid::SplitColumnCells(Integer ColIndex)
{
    Integer r = 0;
    while (r < RowCount() - FFixedFooters - 1) {
        if (IsYMergedCell(ColIndex, r)) {
            const Integer span = CellSpan(ColIndex, r).Y;
            SplitCells(ColIndex, r);
            r += span + 1;
        } else {
            ++r;
        }
    }
}

void TExStringGrid::SplitRowCells(Integer RowIndex)
{
    Integer c = 0;
    while (c < ColCount() - FFixedRightCols - 1) {
        const Integer span = IsMergedCell(c, RowIndex) ? CellSpan(c, RowIndex).X : -1;
        if (span >= 0) {
            SplitCells(c, RowIndex);
            c += span + 1;
        } else {
            ++c;
        }
    }
}

void TExStringGrid::SplitAllCells()
{
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r))
                SplitCells(c, r);
}

void TExStringGrid::SplitAllColumnCells()
{
    for (Integer c = 0; c < ColCount(); ++c)
        SplitColumnCells(c);
}

void TExStringGrid::RemergeColumnCells()
{
    for (Integer i = 0; i < FMergedColumns->Count(); ++i)
        MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

void TExStringGrid::MergeCols(Integer ColIndex1, Integer ColIndex2, const QString& Separator)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

// ------------------------------------------------------------ queries

bool TExStringGrid::IsCell(const QString& SubStr, Integer& ACol, Integer& ARow)
{
    for (Integer r = 0; r < RowCount(); ++r)
        for (Integer c = 0; c < ColCount(); ++c)
            if (GridCells(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

bool TExStringGrid::IsWideCell(Integer ACol, Integer ARow)
{
    return Cells(ACol, ARow).startsWith(QLatin1String("|\\"));
}

double TExStringGrid::CellToReal(Integer ACol, Integer ARow)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty())
        return 0;
    const QString number = ExtractNumber(text);
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (!ok) {
        // The position of the first character the conversion stops at.
        qsizetype pos = 0;
        bool dot = false;
        for (; pos < number.size(); ++pos) {
            const QChar ch = number.at(pos);
            if (ch.isDigit() || (pos == 0 && ch == u'-') || (ch == u'.' && !dot)) {
                dot = dot || ch == u'.';
                continue;
            }
            break;
        }
        throw DOzeDidoRivar(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(pos + 1).arg(ACol).arg(ARow));
    }
    return v;
}

// ------------------------------------------------------------ rescaling

void TExStringGrid::ChangeScale(Integer M, Integer D)
{
    if (IsDesigning() || M == D || D == 0)
        return;
    FFixedFont->SetSize(MulDiv(FFixedFont->Size(), M, D));
    FActiveCellFont->SetSize(MulDiv(FActiveCellFont->Size(), M, D));
}
