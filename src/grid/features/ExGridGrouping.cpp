// TExStringGrid: grouping. Rows sharing the value of one column become
// groups, each with a header row above it (a node showing the value) and
// optionally a summary row after it; the grouping column is taken out while
// the grid is grouped and comes back with its values on UnGroup.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/ExGridCellGraphic.h"
#include "platform/Graphics.h"

namespace {

// A text no cell holds: the first row always opens a group.
QString GroupSentinel()
{
    return QString(QChar(0xFF)) + QChar(0xFE);
}

} // namespace

void TExStringGrid::ColorGroupRow(Integer ARow, bool Header, bool AsStored)
{
    const TGrouping* g = FGrouping.get();
    const TColor color = Header ? g->HeaderColor : g->SummaryColor;
    const TColor to = Header ? g->HeaderColorTo : g->SummaryColorTo;
    const TColor text = Header ? g->HeaderTextColor : g->SummaryTextColor;
    auto rgb = [AsStored](TColor C) { return AsStored ? C : ColorToRGB(C); };
    if (color != clNone)
        SetRowColor(ARow, rgb(color));
    if (to != clNone)
        SetRowColorTo(ARow, rgb(to));
    if (text != clNone)
        SetRowFontColor(ARow, rgb(text));
}

void TExStringGrid::ColorGroupCell(Integer ACol, Integer ARow, bool Header)
{
    const TGrouping* g = FGrouping.get();
    const TColor color = Header ? g->HeaderColor : g->SummaryColor;
    const TColor to = Header ? g->HeaderColorTo : g->SummaryColorTo;
    const TColor text = Header ? g->HeaderTextColor : g->SummaryTextColor;
    if (color != clNone)
        SetColors(ACol, ARow, ColorToRGB(color));
    if (to != clNone)
        SetColorsTo(ACol, ARow, ColorToRGB(to));
    if (text != clNone)
        SetFontColors(ACol, ARow, ColorToRGB(text));
}

void TExStringGrid::SetGroupColumn(Integer Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TExStringGrid::Group(Integer Colindex)
{
    if (Colindex < FixedCols())
        return;
    if (FGroupColumn != -1)
        UnGroup();
    if (RowCount() - FixedRows() < 1)
        return;
    const TGrouping* grouping = FGrouping.get();
    BeginUpdate();
    try {
        FGroupColumn = Colindex;
        FGroupWidth = AllColWidths(Colindex);
        if (FixedRows() > 0)
            FGroupCaption = GridCells(Colindex, 0);
        if (FixedFooters() > 0)
            FGroupFooter = GridCells(Colindex, RowCount() - 1);
        const Integer headerCol = Colindex == 1 ? 2 : 1;
        if (FSortSettings->AutoSortForGrouping) {
            FSortSettings->Column = Colindex;
            QSort();
        }
        auto addSummary = [&](Integer At) {
            InsertRows(At, 1);
            MarkSummaryRow(RealRowIndex(At));
            if (!grouping->MergeSummary)
                ColorGroupRow(At, false, false);
        };
        QString prev = GroupSentinel();
        Integer h = -1;
        Integer r = FixedRows();
        while (r <= RowCount() - 1 - FixedFooters()) {
            const QString text = GridCells(Colindex, r);
            if (text != prev) {
                if (h != -1) {
                    if (h > FixedRows() && grouping->Summary) {
                        addSummary(h);
                        ++h;
                        ++r;
                    }
                    AddNode(RealRowIndex(h), r - h);
                }
                InsertRows(r, 1);
                SetGridCell(headerCol, r, text);
                if (!grouping->MergeHeader)
                    ColorGroupRow(r, true, false);
                h = r;
                ++r;
            }
            if (r < RowCount() - 1)
                prev = GridCells(Colindex, r);
            ++r;
        }
        if (h == -1) {
            AddNode(RealRowIndex(FixedRows()), r - 1);
        } else {
            if (h > FixedRows() && grouping->Summary) {
                addSummary(h);
                ++h;
                ++r;
            }
            AddNode(RealRowIndex(h), r - h);
            if (!grouping->MergeHeader)
                ColorGroupRow(h, true, true);
        }
        if (grouping->Summary) {
            r = std::min(r, RowCount() - FixedFooters());
            InsertRows(r, 1);
            MarkSummaryRow(RealRowIndex(r));
            if (!grouping->MergeSummary)
                ColorGroupRow(r, false, true);
        }
        RemoveCols(Colindex, 1);
        if (grouping->MergeHeader || (grouping->MergeSummary && grouping->Summary)) {
            const Integer last = RowCount() - 1;
            for (Integer b = FixedRows(); b <= last; ++b) {
                if (IsNode(b) && grouping->MergeHeader) {
                    MergeCells(1, b, ColCount() - 1, 1);
                    ColorGroupCell(1, b, true);
                } else if (grouping->MergeSummary && grouping->Summary && (b == last || IsNode(b + 1))
                           && IsSummary(b)) {
                    MergeCells(1, b, ColCount() - 1, 1);
                    ColorGroupCell(1, b, false);
                }
            }
        }
        if (FCellNode->ExpandOne())
            for (Integer b = FixedRows(); b < RowCount(); ++b)
                if (IsNode(b)) {
                    ExpandNode(RealRowIndex(b));
                    break;
                }
        if (Col() >= ColCount() || Row() >= RowCount())
            MoveColRow(FixedCols(), FixedRows(), true, false);
        if (FixedRows() < RowCount())
            SetRow(FixedRows());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TExStringGrid::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    const TGrouping* grouping = FGrouping.get();
    const bool expandOne = FCellNode->ExpandOne();
    FCellNode->SetExpandOne(false);
    BeginUpdate();
    try {
        ExpandAll();
        const Integer headerCol = FGroupColumn == 1 ? 2 : 1;
        InsertCols(FGroupColumn, 1);
        SetAllColWidths(FGroupColumn, FGroupWidth);
        if (FixedRows() > 0)
            SetGridCell(FGroupColumn, 0, FGroupCaption);
        if (FixedFooters() > 0)
            SetGridCell(FGroupColumn, RowCount() - 1, FGroupFooter);
        QString value;
        Integer r = FixedRows();
        while (r <= RowCount() - 1 - FixedFooters()) {
            if (IsNode(r)) {
                const Integer span = GetNodeSpan(r);
                if (grouping->Summary && span > 0 && r + span < RowCount() && IsSummary(r + span)) {
                    if (grouping->MergeSummary)
                        SplitCells(1, r + span);
                    ClearRect(0, r + span, AllColCount() - 1, r + span);
                    DoDeleteRows(r + span, 1, true);
                }
                value = GridCells(headerCol, r);
                RemoveNode(RealRowIndex(r));
                FreeCellProperties(0, r);
                if (grouping->MergeHeader)
                    SplitCells(1, r);
                ClearRect(0, r, AllColCount() - 1, r);
                DoDeleteRows(r, 1, true);
                continue;
            }
            SetGridCell(FGroupColumn, r, value);
            ++r;
        }
    } catch (...) {
        FCellNode->SetExpandOne(expandOne);
        EndUpdate();
        throw;
    }
    FGroupColumn = -1;
    FCellNode->SetExpandOne(expandOne);
    EndUpdate();
    Invalidate();
}

void TExStringGrid::SubGroup(Integer Colindex)
{
    if (Colindex < FixedCols())
        return;
    const TGrouping* grouping = FGrouping.get();
    BeginUpdate();
    try {
        FGroupColumn = Colindex;
        FGroupWidth = AllColWidths(Colindex);
        if (FixedRows() > 0)
            FGroupCaption = Cells(Colindex, 0);
        if (FixedFooters() > 0)
            FGroupFooter = Cells(Colindex, RowCount() - 1);
        const Integer headerCol = Colindex + 1;
        auto header = [&](Integer At) {
            if (grouping->MergeHeader) {
                MergeCells(headerCol, At, ColCount() - headerCol, 1);
                ColorGroupCell(headerCol, At, true);
            } else {
                ColorGroupRow(At, true, false);
            }
        };
        auto special = [&](Integer At) { return IsNode(At) || IsSummary(At); };
        auto makeNode = [&](Integer At, Integer Span) {
            AddNode(RealRowIndex(At), Span);
            if (TCellGraphic* g = NodeGraphic(At))
                g->CellVar.Int = Colindex;
        };
        QString prev = GroupSentinel();
        Integer h = -1;
        Integer r = FixedRows() + 1;
        while (r < RowCount() - FixedFooters()) {
            if (Cells(Colindex, r) != prev || special(r)) {
                if (h != -1 && !special(h))
                    makeNode(h, r - h);
                if (!special(r)) {
                    const QString value = Cells(Colindex, r);
                    InsertChildRow(RealRowIndex(r), 0);
                    SetGridCell(headerCol, r, value);
                    header(r);
                }
                h = r;
                ++r;
            }
            if (r < RowCount() && !special(r - 1)) {
                prev = Cells(Colindex, r);
                SetGridCell(Colindex, r, QString());
                ++r;
            } else {
                prev = GroupSentinel();
            }
        }
        if (h == -1 || !IsSummary(h)) {
            if (h == -1) {
                InsertChildRow(RealRowIndex(std::min(r, RowCount() - 1)), 0);
                makeNode(r, 2);
                SetGridCell(headerCol, r, GridCells(Colindex, r + 1));
                SetGridCell(Colindex, r + 1, QString());
            } else if (!special(h) || IsNode(h)) {
                if (!IsNode(h))
                    makeNode(h, r - h);
                header(h);
            }
            if (r <= RowCount() - 1 && r > 0 && !special(r - 1)) {
                SetGridCell(Colindex, r, QString());
                ++r;
            }
        }
        if (grouping->Summary && r <= RowCount()) {
            InsertRows(std::min(r, RowCount()), 1);
            MarkSummaryRow(RealRowIndex(std::min(r, RowCount() - 1)));
            if (grouping->MergeSummary) {
                MergeCells(headerCol, r, ColCount() - headerCol, 1);
                ColorGroupCell(headerCol, r, false);
            } else {
                ColorGroupRow(r, false, false);
            }
        }
        if (FixedRows() < RowCount())
            SetRow(FixedRows());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TExStringGrid::SubUnGroup(Integer Colindex)
{
    ExpandAll();
    QString value;
    Integer r = FixedRows();
    while (r <= RowCount() - 1 - FixedFooters()) {
        if (IsNode(r)) {
            TCellGraphic* g = NodeGraphic(r);
            if (g != nullptr && g->CellVar.Int == Colindex) {
                value = GridCells(Colindex + 1, r);
                RemoveNode(RealRowIndex(r));
                if (FGrouping->MergeHeader)
                    SplitCells(Colindex + 1, r);
                else
                    SetRowColor(r, clNone);
                RemoveChildRow(RealRowIndex(r));
                continue;
            }
            ++r;
            continue;
        }
        SetGridCell(Colindex, r, value);
        ++r;
    }
    Invalidate();
}

void TExStringGrid::GroupCalc(Integer ACol, Integer Method)
{
    Integer r = FixedRows();
    while (r < RowCount()) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const Integer span = std::max(1, NodeSpanEnd(r) - r);
        const Integer first = r + 1, last = r + span - 1;
        const Integer target = FGrouping->Summary ? r + span : r;
        if (target < RowCount() && last >= first) {
            switch (Method) {
            case 1:
                SetFloats(ACol, target, ColumnSum(ACol, first, last));
                break;
            case 2:
                SetFloats(ACol, target, ColumnAvg(ACol, first, last));
                break;
            case 3:
                SetFloats(ACol, target, ColumnMin(ACol, first, last));
                break;
            case 4:
                SetFloats(ACol, target, ColumnMax(ACol, first, last));
                break;
            case 5:
                SetInts(ACol, target, span - 1);
                break;
            case 6: {
                double res = 0;
                if (OnGroupCalc)
                    OnGroupCalc(this, ACol, first, last, res);
                SetFloats(ACol, target, res);
                break;
            }
            case 7:
                SetFloats(ACol, target, ColumnDistinct(ACol, first, last));
                break;
            case 8:
                SetFloats(ACol, target, ColumnStdDev(ACol, first, last));
                break;
            default:
                break;
            }
        } else if (target < RowCount() && Method == 5) {
            SetInts(ACol, target, span - 1);
        }
        r += span;
    }
}

void TExStringGrid::GroupFooterCalc(Integer Colindex, Integer Method, TColumnCalcType Calc)
{
    GroupCalc(Colindex, Method);
    if (FFloatingFooter->Visible() && RowCount() > 0)
        GetCellProperties(Colindex, RowCount() - 1)->SetCalcType(Calc);
}

void TExStringGrid::GroupSum(Integer Colindex) { GroupFooterCalc(Colindex, 1, acSUM); }
void TExStringGrid::GroupAvg(Integer Colindex) { GroupFooterCalc(Colindex, 2, acAVG); }
void TExStringGrid::GroupMin(Integer Colindex) { GroupFooterCalc(Colindex, 3, acMIN); }
void TExStringGrid::GroupMax(Integer Colindex) { GroupFooterCalc(Colindex, 4, acMAX); }
void TExStringGrid::GroupCount(Integer Colindex) { GroupFooterCalc(Colindex, 5, acCOUNT); }
void TExStringGrid::GroupCustomCalc(Integer Colindex) { GroupCalc(Colindex, 6); }
void TExStringGrid::GroupDistinct(Integer Colindex) { GroupCalc(Colindex, 7); }
void TExStringGrid::GroupStdDev(Integer Colindex) { GroupCalc(Colindex, 8); }
