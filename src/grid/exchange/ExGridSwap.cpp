// Selection queries, the selected text for drags, and swapping rows and
// columns with everything that belongs to them.

#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/StringList.h"

void TExStringGrid::SelectCells(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

bool TExStringGrid::IsSelected(Integer ACol, Integer ARow)
{
    if (ARow < FixedRows() || ACol < FixedCols())
        return false;
    if (FMouseActions->DisjunctCellSelect())
        return FSelectedCells->HasValue(ARow * 65536 + (ACol & 0xFFFF));
    if (FMouseActions->DisjunctRowSelect())
        return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect())
        return ColSelect(ACol);
    return Selection().Contains(ACol, ARow);
}

QString TExStringGrid::SelectedText()
{
    TGridRect R = Selection();
    if ((Options() & goRowSelect) != 0 && FDragDropSettings->OleEntireRows) {
        R.Left = 0;
        R.Right = ColCount() - 1;
    }
    std::vector<Integer> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (Integer r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        for (Integer r = R.Top; r <= R.Bottom; ++r)
            rows.push_back(r);
    }
    QString s;
    for (Integer r : rows) {
        for (Integer c = R.Left; c <= R.Right; ++c) {
            QString t = Cells(RealColIndex(c), r);
            if (t.contains(QLatin1String("{\\")))
                t = RichTextToPlain(t);
            if (LineCount(t, Multilinecells()) > 1 && ExcelClipboardFormat())
                QuoteCSVLines(t);
            s += t;
            if (c < R.Right)
                s += u'\t';
        }
        if (r != R.Bottom)
            s += QStringLiteral("\r\n");
    }
    return s;
}

void TExStringGrid::SwapColumns(Integer ACol1, Integer ACol2)
{
    if (ACol1 == ACol2)
        return;
    const Integer buffer = ColCount() + NumHiddenColumns();
    SetColCount(ColCount() + 1);
    auto moveCol = [this](Integer From, Integer To) {
        for (Integer r = 0; r < RowCount(); ++r) {
            SetGridCell(To, r, GetGridCell(From, r));
            SetGridObject(To, r, GetGridObject(From, r));
        }
    };
    moveCol(ACol1, buffer);
    moveCol(ACol2, ACol1);
    moveCol(buffer, ACol2);
    FNilObjects = true;
    for (Integer r = 0; r < RowCount(); ++r) {
        SetGridObject(buffer, r, nullptr);
        SetGridCell(buffer, r, QString());
    }
    FNilObjects = false;
    SetColCount(ColCount() - 1);
    const Integer w = ColWidths(ACol1);
    SetColWidths(ACol1, ColWidths(ACol2));
    SetColWidths(ACol2, w);
    if (FSortSettings->Column == ACol1)
        FSortSettings->Column = ACol2;
    else if (FSortSettings->Column == ACol2)
        FSortSettings->Column = ACol1;
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        if (item->X() == ACol1)
            item->SetX(ACol2);
        else if (item->X() == ACol2)
            item->SetX(ACol1);
    }
    Invalidate();
}

void TExStringGrid::SwapRows(Integer ARow1, Integer ARow2)
{
    if (ARow1 == ARow2)
        return;
    const Integer buffer = RowCount();
    const Integer cols = ColCount() + NumHiddenColumns();
    SetRowCount(RowCount() + 1);
    auto moveRow = [this, cols](Integer From, Integer To) {
        for (Integer c = 0; c < cols; ++c) {
            SetGridCell(c, To, GetGridCell(c, From));
            SetGridObject(c, To, GetGridObject(c, From));
        }
    };
    moveRow(ARow1, buffer);
    moveRow(ARow2, ARow1);
    moveRow(buffer, ARow2);
    FNilObjects = true;
    for (Integer c = 0; c < cols; ++c) {
        SetGridObject(c, buffer, nullptr);
        SetGridCell(c, buffer, QString());
    }
    FNilObjects = false;
    SetRowCount(RowCount() - 1);
    const Integer h = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h);
    for (Integer i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        if (item->Y() == ARow1)
            item->SetY(ARow2);
        else if (item->Y() == ARow2)
            item->SetY(ARow1);
    }
    Invalidate();
}

