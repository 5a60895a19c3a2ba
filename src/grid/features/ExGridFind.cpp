// TExStringGrid: finding text in cells (in rows or in columns, forwards or
// backwards, with the match options), replacing it, the type-ahead lookup
// in the sort column, and the handlers the search footer calls.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/EsgHTMLE.h"
#include "grid/ExUtil.h"

namespace {

bool Has(TFindParameters P, TFindParameter F)
{
    return (P & FindParam(F)) != 0;
}

} // namespace

bool TExStringGrid::MatchFindCell(Integer ACol, Integer ARow, bool Wide)
{
    const TFindParameters p = FFindParams;
    const Integer c = Has(p, fnIncludeHiddenColumns) ? ACol : RealColIndex(ACol);
    QString text;
    if (Wide)
        text = WideCells(c, ARow);
    else if (Has(p, fnIncludeHiddenRows))
        text = GetCellsEx(c, ARow);
    else
        text = Cells(c, ARow);
    if (Has(p, fnIgnoreHTMLTags))
        text = StripHTMLTags(text);
    const QString& what = Wide ? SearchCacheWide : SearchCache;
    if (Has(p, fnMatchRegular))
        return MatchFilter(what, text, Has(p, fnMatchCase));
    if (!Has(p, fnMatchCase))
        text = text.toUpper();
    if (what == QLatin1String("\"\""))
        return text.isEmpty();
    const qsizetype pos = text.indexOf(what);
    bool found = Has(p, fnMatchStart) ? pos == 0 : pos >= 0;
    if (Has(p, fnMatchFull))
        found = found && text == what;
    return found;
}

TPoint TExStringGrid::DoFind(TPoint StartCell, const QString& S, TFindParameters FindParams, bool Wide)
{
    TPoint result{-1, -1};
    FFindParams = FindParams;
    SearchCache = Has(FindParams, fnMatchCase) ? S : S.toUpper();
    SearchCacheWide = SearchCache;
    if (ColCount() == FixedCols() || ColCount() == 0 || RowCount() + NumHiddenRows() == FixedRows()
        || RowCount() == 0)
        return result;
    Integer c0, c1, r0, r1;
    if (Has(FindParams, fnIncludeFixed)) {
        c0 = 0;
        c1 = ColCount() - 1;
        r0 = 0;
        r1 = RowCount() - 1;
    } else {
        c0 = FixedCols();
        c1 = ColCount() - FixedRightCols() - 1;
        r0 = FixedRows();
        r1 = RowCount() - FixedFooters() - 1;
    }
    if (Has(FindParams, fnSelectedCells)) {
        const TGridRect s = Selection();
        c0 = s.Left;
        c1 = s.Right;
        r0 = s.Top;
        r1 = s.Bottom;
    }
    if (Has(FindParams, fnIncludeHiddenColumns))
        c1 += NumHiddenColumns();
    if (Has(FindParams, fnIncludeHiddenRows))
        r1 += NumHiddenRows();
    const bool backward = Has(FindParams, fnBackward);
    const bool byRow = Has(FindParams, fnDirectionLeftRight);
    // Fixed rows and columns: the preset or the current ones.
    auto fixRow = [&](Integer r) {
        r0 = r1 = r;
    };
    auto fixCol = [&](Integer c) {
        c0 = c1 = c;
    };
    if (Has(FindParams, fnFindInCurrentRow))
        fixRow(Row());
    if (Has(FindParams, fnFindInPresetRow))
        fixRow(FindRow());
    if (Has(FindParams, fnFindInCurrentCol))
        fixCol(Col());
    if (Has(FindParams, fnFindInPresetCol))
        fixCol(FindCol());
    if (c1 < c0 || r1 < r0)
        return result;

    // The first cell tested: one cell on from StartCell in the scan order.
    Integer x, y;
    if (StartCell.X == -1 && StartCell.Y == -1) {
        x = backward ? c1 : c0;
        y = backward ? r1 : r0;
    } else {
        x = StartCell.X;
        y = StartCell.Y;
        if (byRow) {
            if (!backward) {
                if (++x > c1) {
                    x = c0;
                    ++y;
                }
            } else if (--x < c0) {
                x = c1;
                --y;
            }
        } else {
            if (!backward) {
                if (++y > r1) {
                    y = r0;
                    ++x;
                }
            } else if (--y < r0) {
                y = r1;
                --x;
            }
        }
    }
    FFindBusy = true;
    const Integer step = backward ? -1 : 1;
    for (;;) {
        if (x < c0 || x > c1 || y < r0 || y > r1)
            break;
        ExportNotification(1, y);
        const Integer realX = Has(FindParams, fnIncludeHiddenColumns) ? x : RealColIndex(x);
        // A merged area is one cell: only its base cell is tested.
        const bool covered = !Has(FindParams, fnIncludeHiddenRows) && y < RowCount() && !IsBaseCell(realX, y);
        if (!IsIgnoredColumn(realX) && !covered && MatchFindCell(x, y, Wide)) {
            result = {x, y};
            break;
        }
        if (byRow) {
            x += step;
            if (x < c0 || x > c1) {
                x = backward ? c1 : c0;
                y += step;
            }
        } else {
            y += step;
            if (y < r0 || y > r1) {
                y = backward ? r1 : r0;
                x += step;
            }
        }
    }
    if (result.X < 0) {
        FFindBusy = false;
        return result;
    }
    SearchCell = result;
    if (Has(FindParams, fnAutoGoto)) {
        Integer row = result.Y;
        if (Has(FindParams, fnIncludeHiddenRows) && NumHiddenRows() > 0) {
            // A row hidden inside a contracted node comes back first.
            if (IsHiddenRow(row)) {
                for (Integer r = FixedRows(); r < RowCount(); ++r)
                    if (IsNode(r) && GetNodeState(r)) {
                        const Integer real = RealRowIndex(r);
                        const Integer span = GetNodeSpan(r);
                        if (row > real && (span <= 0 || row < real + span)) {
                            ExpandNode(real);
                            break;
                        }
                    }
            }
            row = DisplRowIndex(row);
        }
        const Integer col = Has(FindParams, fnIncludeHiddenColumns) ? RealToDisplCol(result.X) : result.X;
        if (row >= 0 && row < RowCount() && col >= 0 && col < ColCount()) {
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(row, true);
                SetRow(row);
            } else {
                FocusCell(col, row);
            }
        }
    }
    return result;
}

TPoint TExStringGrid::Find(TPoint StartCell, const QString& S, TFindParameters FindParams)
{
    ExportNotification(0, -1);
    const TPoint result = DoFind(StartCell, S, FindParams, false);
    ExportNotification(result.X >= 0 ? 4 : 2, -1);
    if (Has(FindParams, fnAutoGoto)) {
        const Integer a = FFloatingFooter->Visible() ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - a - 2 && RowCount() > VisibleRowCount() + FixedRows() + a)
            SetTopRow(std::min(TopRow() + a + 1, RowCount() - 1));
    }
    return result;
}

TPoint TExStringGrid::FindWide(TPoint StartCell, const QString& S, TFindParameters FindParams)
{
    ExportNotification(0, -1);
    const TPoint result = DoFind(StartCell, S, FindParams, true);
    ExportNotification(result.X >= 0 ? 4 : 2, -1);
    return result;
}

TPoint TExStringGrid::FindFirst(const QString& S, TFindParameters FindParams)
{
    SearchCell = Find({-1, -1}, S, FindParams);
    return SearchCell;
}

TPoint TExStringGrid::FindNext()
{
    // Past the last match nothing is found again: the scan does not wrap.
    if (SearchCell.X < 0)
        return SearchCell;
    SearchCell = Find(SearchCell, SearchCache, FFindParams);
    return SearchCell;
}

Integer TExStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParameters FindParams)
{
    if (OrigStr.isEmpty())
        return 0;
    Integer count = 0;
    TPoint start{-1, -1};
    for (;;) {
        const TPoint hit = Find(start, OrigStr, FindParams);
        if (hit.X < 0)
            break;
        const Integer c = Has(FindParams, fnIncludeHiddenColumns) ? hit.X : RealColIndex(hit.X);
        if (Has(FindParams, fnIncludeHiddenRows)) {
            QString text = GetCellsEx(c, hit.Y);
            SetCellsEx(c, hit.Y, text.replace(OrigStr, NewStr, Qt::CaseInsensitive));
        } else {
            QString text = Cells(c, hit.Y);
            SetCells(c, hit.Y, text.replace(OrigStr, NewStr, Qt::CaseInsensitive));
        }
        if (FShowModified->Enabled())
            SetRowModified(hit.Y, true);
        ++count;
        start = hit;
    }
    return count;
}

Integer TExStringGrid::Search(const QString& Text)
{
    if (RowCount() < 2)
        return -1;
    Integer col = FixedCols();
    if (FSortSettings->Show) {
        if (FSortSettings->IndexShow)
            col = FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : FixedCols();
        else
            col = FSortSettings->Column;
    }
    if (col < 0)
        return -1;
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (StripHTMLTags(Cells(col, r)).left(Text.size()).toUpper() == Text)
            return r;
    return -1;
}

// ------------------------------------------------------------ search footer

TFindParameters TExStringGrid::FooterFindParams(bool Highlight, bool MatchCase) const
{
    TFindParameters p = FindParam(fnAutoGoto);
    if (Highlight)
        p |= FindParam(fnIgnoreHTMLTags);
    if (MatchCase)
        p |= FindParam(fnMatchCase);
    if (FSearchFooter->SearchActiveColumnOnly())
        p |= FindParam(fnFindInCurrentCol);
    if (FSearchFooter->SearchMatchStart())
        p |= FindParam(fnMatchStart);
    return p;
}

void TExStringGrid::FooterHighlight(const QString& Text, bool MatchCase)
{
    const Integer col = FSearchFooter->SearchColumn();
    if (col >= 0 && col < ColCount())
        HilightInCol(col, Text, false, MatchCase);
    else
        HilightInGrid(Text, false, MatchCase);
}

void TExStringGrid::FooterUnHighlight()
{
    const Integer col = FSearchFooter->SearchColumn();
    if (col >= 0 && col < ColCount())
        UnHilightInCol(col, false);
    else
        UnHilightInGrid(false);
}

TColor TExStringGrid::SearchEditChange(const QString& Text, bool MatchCase, bool Highlight)
{
    bool defaultSearch = true;
    if (OnSearchEditChange)
        OnSearchEditChange(this, Text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch())
        return clWindow;
    TFindParameters p = FooterFindParams(Highlight, MatchCase);
    if (FSearchFooter->SearchFixedCells())
        p |= FindParam(fnIncludeFixed);
    if (FSearchFooter->SearchHiddenRows())
        p |= FindParam(fnIncludeHiddenRows);
    if (FSearchFooter->SearchDirection() == sdLeftRight)
        p |= FindParam(fnDirectionLeftRight);
    const Integer searchCol = FSearchFooter->SearchColumn();
    if (searchCol >= 0 && searchCol < ColCount()) {
        p |= FindParam(fnFindInPresetCol);
        SetFindCol(searchCol);
    }
    FFindParams = p;
    const bool highlight = Highlight || FSearchFooter->AlwaysHighLight();
    if (highlight)
        FooterUnHighlight();
    if (Text.isEmpty())
        return clWindow;
    SearchCell = Find({-1, -1}, Text, FFindParams);
    SearchFooterAction(Text, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X < 0)
        return clRed;
    ScrollInView(SearchCell.X, SearchCell.Y);
    if (highlight)
        FooterHighlight(Text, MatchCase);
    return clWindow;
}

void TExStringGrid::SearchStep(const QString& Text, bool MatchCase, bool Highlight, bool Backward)
{
    if (!FSearchFooter->AutoSearch() && Text != FSearchFooter->LastSearch()) {
        SearchCell = {-1, -1};
        FSearchFooter->SetLastSearch(Text);
    }
    TFindParameters p = FooterFindParams(Highlight, MatchCase);
    if (Backward)
        p |= FindParam(fnBackward);
    else if (FSearchFooter->SearchDirection() == sdLeftRight)
        p |= FindParam(fnDirectionLeftRight);
    const Integer searchCol = FSearchFooter->SearchColumn();
    if (searchCol >= 0 && searchCol < ColCount()) {
        p |= FindParam(fnFindInPresetCol);
        SetFindCol(searchCol);
    }
    SearchCell = Find(SearchCell, Text, p);
    if (!Backward && SearchCell.X >= 0)
        ScrollInView(SearchCell.X, SearchCell.Y);
    const Integer footer = FFloatingFooter->Visible() ? 0 : 1;
    if (Row() > TopRow() + VisibleRowCount() + footer - 3 && RowCount() > VisibleRowCount() + FixedRows() + 1 - footer)
        SetTopRow(std::min(TopRow() + 2, std::max(FixedRows(), RowCount() - VisibleRowCount())));
    if (Backward && SearchCell.X >= 0)
        ScrollInView(SearchCell.X, SearchCell.Y);
    SearchFooterAction(Text, SearchCell.X, SearchCell.Y, Backward ? saFindPrevious : saFindNext);
    Invalidate();
}

void TExStringGrid::SearchBackward(const QString& Text, bool MatchCase, bool Highlight)
{
    SearchStep(Text, MatchCase, Highlight, true);
}

void TExStringGrid::SearchForward(const QString& Text, bool MatchCase, bool Highlight)
{
    SearchStep(Text, MatchCase, Highlight, false);
}

void TExStringGrid::SearchFooterClose()
{
    if (OnSearchFooterClose)
        OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

void TExStringGrid::HiliteButtonClick(const QString& Text, bool Down, bool MatchCase)
{
    if (Down)
        FooterHighlight(Text, MatchCase);
    else
        FooterUnHighlight();
}
