// TExStringGrid: columns and rows sized to their contents, columns scaled
// to fill the grid's width, the client area sized to the cells, running
// numbers written into a column or a row.

#include "grid/ExGrid.h"

#include <cmath>

#include "grid/ExGridCellGraphic.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"

// ------------------------------------------------------------- columns

void TExStringGrid::DoAutoSizeCol(Integer ACol, bool GrowOnly)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    const Integer R = DisplToRealCol(ACol);
    Integer from = 0, to = RowCount() - 1;
    switch (FColumnSize->Rows()) {
    case arNormal:
        from = FixedRows();
        to = RowCount() - FixedFooters() - 1;
        break;
    case arFixed:
        to = FixedRows() - 1;
        break;
    default:
        break;
    }
    Integer M = 0;
    for (Integer r = std::max(from, 0); r <= to; ++r) {
        if (IsXMergedCell(R, r))
            continue;
        Integer W = GetCellGraphicSize(R, r).X + CalcCellTextSize(R, ACol, false, false, r).X;
        if (HasComboBox(R, r) && ControlLook()->DropDownAlwaysVisible())
            W += 16;
        if (FilterDropDownAuto() && r == FilterDropDownRow() && GetColumnFilter(ACol))
            W += 12;
        if (IsSortIndicatorCell(ACol, r) && ACol == FSortSettings->Column)
            W += 10;
        if (const TCellGraphic* g = GetCellGraphic(R, r); g != nullptr && g->CellHAlign == haFull)
            W = GetCellGraphicSize(R, r).X - 2 * (GridLineWidth() + 1) - XYOffset().X;
        M = std::max(M, W);
    }
    Integer width = M + GetXPadding() + 2 * GridLineWidth() + 2;
    if (GrowOnly && ColWidths(ACol) >= width)
        return;
    UpdateAutoColumnSize(ACol, width);
    SetColWidths(ACol, LimitAutoSize(width, MinColWidth(), MaxColWidth()));
}

void TExStringGrid::AutoSizeCol(Integer ACol, Integer Padding)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    DoAutoSizeCol(ACol, SizeGrowOnly());
    if (Padding != 0)
        SetColWidths(ACol, LimitAutoSize(ColWidths(ACol) + Padding, MinColWidth(), MaxColWidth()));
}

void TExStringGrid::AutoSizeColumns(bool DoFixedCols, Integer Padding)
{
    const Integer from = DoFixedCols ? 0 : FixedCols();
    const Integer to = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
    for (Integer c = from; c <= to; ++c)
        AutoSizeCol(c, Padding);
}

// ----------------------------------------------------------------- rows

void TExStringGrid::DoAutoSizeRow(Integer ARow, bool GrowOnly, Integer Padding)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    TCanvas* canvas = Canvas();
    Integer M = 0;
    for (Integer c = 0; c < ColCount(); ++c) {
        const Integer R = DisplToRealCol(c);
        if (IsYMergedCell(R, ARow) || IsIgnoredColumn(R))
            continue;
        canvas->SetFont(ARow < FixedRows() || c < FixedCols() ? FixedFont() : Font());
        GetCellColor(c, ARow, TGridDrawState(), canvas->Brush(), canvas->Font());
        canvas->Font()->SetSize(canvas->Font()->Size() + ZoomFactor());
        Integer T = GetCellTextSize(R, ARow, false, WordWrap()).Y;
        Integer G = CalcCellGraphicSize(R, ARow, Padding).Y;
        const TCellGraphic* g = GetCellGraphic(R, ARow);
        if (g != nullptr) {
            if (g->CellVAlign == vaFull)
                G = T == 0 ? DefaultRowHeight() : 0;
            if ((g->CellType == ctDataCheckBox || g->CellType == ctVirtCheckBox) && G > 0)
                T = 0;
        }
        Integer H = T + G;
        if (IsMergedNonBaseCell(R, ARow))
            H = 0;
        if (g != nullptr
            && (g->CellType == ctCheckBox || g->CellType == ctDataCheckBox || g->CellType == ctVirtCheckBox
                || g->CellType == ctRadioButton))
            H = DefaultRowHeight();
        M = std::max(M, H);
    }
    Integer height = M + GetYPadding() + 2 * GridLineWidth() + (XYOffsetTopLeftOnly() ? 2 : 0);
    if (GrowOnly && RowHeights(ARow) >= height)
        return;
    SetRowHeights(ARow, LimitAutoSize(height, MinRowHeight(), MaxRowHeight()));
}

void TExStringGrid::AutoSizeRow(Integer ARow, Integer Padding)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    DoAutoSizeRow(ARow, SizeGrowOnly(), Padding);
    if (Padding != 0)
        SetRowHeights(ARow, LimitAutoSize(RowHeights(ARow) + Padding, MinRowHeight(), MaxRowHeight()));
}

Integer TExStringGrid::GetRowLineCount(Integer ARow)
{
    if (ColCount() <= 0 || !MultilineCells())
        return 1;
    Integer n = 1;
    for (Integer c = 0; c < ColCount(); ++c)
        n = std::max(n, LineCount(Cells(DisplToRealCol(c), ARow), true));
    return n;
}

void TExStringGrid::SizeRowToLines(Integer ARow, Integer Lines, Integer Extra)
{
    TCanvas* canvas = Canvas();
    GetCellColor(FixedCols(), ARow, TGridDrawState(), canvas->Brush(), canvas->Font());
    const Integer L = canvas->TextHeight(QStringLiteral("gh"));
    SetRowHeights(ARow, LimitAutoSize(Extra + Lines * (L + L / 8), MinRowHeight(), MaxRowHeight()));
}

void TExStringGrid::AutoSizeRows(bool DoFixedRows, Integer Padding)
{
    if (RowCount() <= 0)
        return;
    for (Integer r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (WordWrap()) {
            AutoSizeRow(r, 0);
            if (Padding != 0)
                SetRowHeights(r, LimitAutoSize(RowHeights(r) + Padding, MinRowHeight(), MaxRowHeight()));
        } else {
            SizeRowToLines(r, GetRowLineCount(r), Padding);
        }
    }
    UpdateScrollBars(true);
}

// ------------------------------------------------------------ all cells

void TExStringGrid::AutoSizeCells(bool DoFixedCells, Integer PaddingX, Integer PaddingY)
{
    TCanvas* canvas = Canvas();
    BeginUpdate();
    try {
        for (Integer c = DoFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
            const Integer R = DisplToRealCol(c);
            Integer C = SizeGrowOnly() ? ColWidths(c) : 0;
            for (Integer r = DoFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
                canvas->SetFont(c < FixedCols() || r < FixedRows() ? FixedFont() : Font());
                GetCellColor(c, r, TGridDrawState(), canvas->Brush(), canvas->Font());
                const TPoint g = GetCellGraphicSize(R, r);
                const TPoint t = GetCellTextSize(R, r, false, false);
                const Integer w = t.X + g.X + PaddingX + XYOffset().X;
                const Integer h = t.Y + g.Y + PaddingY + XYOffset().Y;
                if (!IsXMergedCell(R, r) && w > C) {
                    const Integer w2 = LimitAutoSize(w, MinColWidth(), MaxColWidth());
                    if (w2 > C) {
                        SetColWidths(c, w2);
                        C = w2;
                    }
                }
                if (!IsYMergedCell(R, r) && h > RowHeights(r)) {
                    const Integer h2 = LimitAutoSize(h, MinRowHeight(), MaxRowHeight());
                    if (h2 > RowHeights(r))
                        SetRowHeights(r, h2);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------- fit to width

void TExStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const Integer S = (ScrollBarAlways() == saVert
                       || (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount()))
                          ? GetSystemMetrics(SM_CXVSCROLL)
                          : 0;
    const Integer B = BorderStyle() == bsSingle ? 4 : 0;
    Integer from = 0, to = ColCount() - 1, A = Width();
    if (!DoFixedCells) {
        from = FixedCols();
        to = ColCount() - FixedRightCols() - 1;
        for (Integer c = 0; c < FixedCols(); ++c)
            A -= ColWidths(c);
        for (Integer c = to + 1; c < ColCount(); ++c)
            A -= ColWidths(c);
    }
    Integer lines = (Options() & goVertLine) != 0 ? GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols()) : 0;
    if ((Options() & goFixedVertLine) != 0 && DoFixedCells)
        lines += FixedCols() + FixedRightCols();
    if (ColCount() < 2) {
        SetColWidths(0, std::max(0, Width() - S - 5));
    } else {
        Integer sum = 0;
        for (Integer c = from; c <= to; ++c)
            sum += ColWidths(c);
        // Nothing to scale in proportion: the room is shared out evenly.
        if (sum <= 0) {
            const Integer n = to - from + 1;
            if (n <= 0)
                return;
            for (Integer c = from; c <= to; ++c)
                SetColWidths(c, std::max(0, (A - S - B - lines) / n));
            sum = std::max(1, n * std::max(0, (A - S - B - lines) / n));
        }
        if (sum == A - S - B)
            return;
        const double f = double(A - S - B - lines) / sum;
        double T = 0;
        for (Integer c = from; c <= to; ++c)
            T += std::nearbyint(ColWidths(c) * f);
        for (Integer c = from; c <= to; ++c)
            SetColWidths(c, Integer(std::nearbyint(ColWidths(c) * T / sum)));
    }
    if (from > to)
        return;
    Integer newSum = 0, widest = from;
    for (Integer c = from; c <= to; ++c) {
        newSum += ColWidths(c);
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    }
    Integer rest = A - (newSum + S + B);
    const Integer N = to - from + 1;
    if (N >= 2 && N < rest) {
        const Integer each = rest / N;
        for (Integer c = from; c <= to; ++c)
            SetColWidths(c, ColWidths(c) + each);
        rest -= N * each;
    }
    SetColWidths(widest, std::max(0, ColWidths(widest) + rest));
}

// ------------------------------------------------------- client to cells

void TExStringGrid::SizeToCols()
{
    Integer w = 0;
    for (Integer c = 0; c < ColCount(); ++c)
        w += ColWidths(c);
    SetClientWidth(w);
}

void TExStringGrid::SizeToRows()
{
    Integer h = 0;
    for (Integer r = 0; r < RowCount(); ++r)
        h += RowHeights(r);
    SetClientHeight(h);
}

void TExStringGrid::SizeToCells()
{
    const TScrollStyle bars = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(bars);
}

// -------------------------------------------------------------- numbering

void TExStringGrid::AutoNumberCol(Integer ACol)
{
    if (RowCount() <= 0)
        return;
    const Integer last = RowCount() - FixedFooters() - 1;
    for (Integer i = FixedRows() + AutoNumberStart(); i <= last; ++i) {
        const Integer n = i - FixedRows() + 1 + AutoNumberOffset();
        SetInts(ACol, AutoNumberDirection() == sdAscending ? i : FixedRows() + last - i, n);
    }
}

void TExStringGrid::AutoNumberRow(Integer ARow)
{
    if (ColCount() <= 0)
        return;
    const Integer last = ColCount() - FixedRightCols() - 1;
    for (Integer i = FixedCols() + AutoNumberStart(); i <= last; ++i) {
        const Integer n = i - FixedCols() + 1 + AutoNumberOffset();
        SetInts(AutoNumberDirection() == sdAscending ? i : FixedCols() + last - i, ARow, n);
    }
}

Integer TExStringGrid::MaxColumnLineLength(Integer ACol)
{
    Integer longest = 0;
    for (Integer r = 0; r < RowCount(); ++r) {
        QString s = Cells(ACol, r);
        SaveCell(ACol, r, s);
        do {
            longest = std::max(longest, Integer(ExtractLine(s, true).length()));
        } while (MultilineCells() && !s.isEmpty());
    }
    return longest;
}
