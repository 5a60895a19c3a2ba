// TExStringGrid: the Tab walk. Tab and Shift+Tab move to the next or
// previous cell that may be entered, wrapping over rows; at the end of the
// grid the walk wraps to the first row, appends a row, or hands Tab on to
// the form. Also the column and row questions the walk and Home rely on.

#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Messages.h"

namespace {

// Sets a flag for the life of the guard, also when a handler raises.
class TFlagOn {
public:
    explicit TFlagOn(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
    ~TFlagOn() { FFlag = FOld; }
    TFlagOn(const TFlagOn&) = delete;
    TFlagOn& operator=(const TFlagOn&) = delete;

private:
    bool& FFlag;
    bool FOld;
};

} // namespace

Integer TExStringGrid::VisibleFixedRightCols() const
{
    if (FNumHidden == 0)
        return FixedRightCols();
    Integer shown = 0;
    const Integer last = ColCount() + FNumHidden - 1;
    for (Integer c = last; c > last - FixedRightCols() && c >= 0; --c)
        if (!IsHiddenColumn(c))
            ++shown;
    return shown;
}

bool TExStringGrid::CanEnterCell(Integer ACol, Integer ARow)
{
    bool can = (Options() & goEditing) != 0 ? IsEditable(ACol, ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

Integer TExStringGrid::FirstEnterableCol(Integer ARow)
{
    for (Integer c = 0; c < ColCount(); ++c)
        if (CanEnterCell(c, ARow))
            return c;
    return -1;
}

Integer TExStringGrid::LastEnterableCol(Integer ARow)
{
    for (Integer c = ColCount() - 1; c >= 0; --c)
        if (CanEnterCell(c, ARow))
            return c;
    return -1;
}

void TExStringGrid::GotoFirstRow()
{
    SetRow(FixedRows());
}

void TExStringGrid::SimulateCellClick(Integer ACol, Integer ARow)
{
    const TRect r = CellRect(ACol, ARow);
    {
        // The program's own mouse handlers do not see this click.
        const TFlagOn force(FForceSel);
        const TMouseEvent down = std::move(OnMouseDown), up = std::move(OnMouseUp);
        OnMouseDown = nullptr;
        OnMouseUp = nullptr;
        TCustomGrid::MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
        TCustomGrid::MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
        OnMouseDown = down;
        OnMouseUp = up;
    }
    // A click on the current cell of an editing grid opens its editor.
    if ((Options() & goEditing) != 0 && !EditMode && !EditorMode() && Col() == ACol && Row() == ARow
        && IsEditable(ACol, ARow))
        ShowInplaceEdit();
}

void TExStringGrid::SelectTabCell(Integer ACol, Integer ARow)
{
    SetSelection(TGridRect{ACol, ARow, ACol, ARow});
}

void TExStringGrid::MoveToMergeBase()
{
    const Integer rc = RealColIndex(Col());
    if (IsMergedNonBaseCell(rc, Row())) {
        const TPoint b = BaseCell(rc, Row());
        SelectTabCell(RealToDisplCol(b.X), b.Y);
    }
}

bool TExStringGrid::TabToNextCell(bool Backwards)
{
    // The walk repeats itself past read-only and covered cells: it stops
    // once it has gone round the whole grid.
    const bool outer = FTabSteps == 0;
    if (outer)
        FTabStart = TPoint{Col(), Row()};
    struct TDepth {
        Integer& N;
        bool Outer;
        ~TDepth()
        {
            if (Outer)
                N = 0;
        }
    } depth{FTabSteps, outer};
    if (++FTabSteps > std::max<Integer>(ColCount() * RowCount(), 1) + 2)
        return true;
    if (!outer && Col() == FTabStart.X && Row() == FTabStart.Y && FTabSteps > 2)
        return true;

    if (OnKeyDown) {
        Word key = VK_TAB;
        OnKeyDown(this, key, Backwards ? TShiftState{ssShift} : TShiftState());
        if (key != VK_TAB)
            return true;
    }
    const Integer C = Col(), R = Row();
    if (C == FLastTabCol && R == FLastTabRow)
        return true;
    FLastTabCol = C;
    FLastTabRow = R;

    const Integer fnc = FirstNormalCol();
    const Integer vfr = VisibleFixedRightCols();
    const Integer lnc = ColCount() - vfr - 1;
    const Integer ldr = RowCount() - FixedFooters() - 1;
    const bool columnWise = FNavigation->TabAdvanceDirection() != adLeftRight;
    bool handOff = false;
    bool again = false;

    if (Backwards) {
        if (columnWise) {
            if (R > FixedRows()) {
                SetRow(R - 1);
            } else {
                MoveColRow(C > fnc ? C - 1 : lnc, ldr, true, true);
            }
        } else if (C > fnc) {
            Integer c = C - 1;
            while (c >= fnc && !(CanEnterCell(c, R) && IsBaseCell(RealColIndex(c), R)))
                --c;
            if (c >= fnc) {
                SetCol(c);
            } else if (R > FixedRows()) {
                if (const Integer p = LastEnterableCol(R - 1); p >= 0)
                    SelectTabCell(p, R - 1);
            } else if (const Integer p = LastEnterableCol(ldr); p >= 0) {
                MoveColRow(p, ldr, true, true);
            }
            MoveToMergeBase();
        } else {
            Integer c = lnc;
            while (c >= FixedCols() && !CanEnterCell(c, R))
                --c;
            if (c >= FixedCols())
                SetCol(c);
            SetRow(R > FixedRows() ? R - 1 : ldr);
        }
    } else {
        const TPoint span = CellSpan(RealColIndex(C), R);
        if (columnWise) {
            if (R + span.Y + 1 < RowCount() - FixedFooters()) {
                SetRow(R + span.Y + 1);
            } else {
                GotoFirstRow();
                if (C < lnc) {
                    SetCol(C + 1);
                } else {
                    SetCol(fnc);
                    handOff = true;
                }
            }
        } else if (C + span.X + 1 < ColCount() - vfr) {
            Integer c = C + span.X + 1;
            while (c < ColCount() - vfr && !CanEnterCell(c, R))
                ++c;
            if (c == ColCount() - vfr) {
                const TFlagOn force(FForceSel);
                if (R < ldr) {
                    const Integer n = FirstEnterableCol(R + 1);
                    bool allow = true;
                    if (OnRowChanging)
                        OnRowChanging(this, R, R + 1, allow);
                    if (OnCellChanging)
                        OnCellChanging(this, R, C, R + 1, n, allow);
                    if (OnColChanging)
                        OnColChanging(this, C, n, allow);
                    if (allow)
                        MoveColRow(n < 0 ? FixedCols() : n, R + 1, true, true);
                } else {
                    if (const Integer n = FirstEnterableCol(FixedRows()); n >= 0)
                        SelectTabCell(n, FixedRows());
                    handOff = true;
                }
            } else {
                if (CanEnterCell(c, R)) {
                    SetCol(c);
                } else {
                    const Integer r = R + 1 == RowCount() ? FixedRows() : R + 1;
                    if (const Integer n = FirstEnterableCol(r); n >= 0)
                        SelectTabCell(n, r);
                }
                again = IsMergedNonBaseCell(RealColIndex(Col()), Row());
            }
        } else if (R < ldr) {
            Integer c = fnc;
            while (c < ColCount() && !(IsBaseCell(RealColIndex(c), R + 1) && CanEnterCell(c, R + 1)))
                ++c;
            if (c < ColCount()) {
                {
                    const TFlagOn force(FForceSel);
                    SetCol(c);
                }
                SetRow(R + 1);
            } else {
                Integer r = R + 2;
                while (r < RowCount() && FirstEnterableCol(r) < 0)
                    ++r;
                if (r < RowCount()) {
                    MoveColRow(FirstEnterableCol(r), r, true, true);
                } else {
                    MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
                    again = true;
                }
            }
        } else {
            bool add = !FNavigation->TabToNextAtEnd() && FNavigation->AdvanceInsert();
            if (add)
                CanAddRow(add);
            if (add) {
                const bool footer = FFloatingFooter->Visible();
                AddRow();
                SetRow(footer ? RowCount() - 2 : RowCount() - 1);
                if (OnAutoAddRow)
                    OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
            } else {
                GotoFirstRow();
            }
            if (const Integer n = FirstEnterableCol(Row()); n >= 0)
                SetCol(n);
            handOff = true;
        }
    }

    bool result = true;
    if (handOff && Parent() != nullptr && FNavigation->TabToNextAtEnd()) {
        PostMessage(Parent(), WM_KEYDOWN, VK_TAB, 0);
        result = false;
    }
    if (again)
        return TabToNextCell(false) && result;
    if ((Options() & goEditing) != 0 && !IsEditable(Col(), Row()))
        return TabToNextCell(Backwards) && result;
    if (FNavigation->AdvanceAutoEdit() && !IsControlCell(RealColIndex(Col()), Row()))
        SimulateCellClick(Col(), Row());
    FLastTabCol = FLastTabRow = -1;
    if (FNavigation->AlwaysEdit() && CanFocus() && !Focused() && !EditMode)
        SetFocus();
    return result;
}
