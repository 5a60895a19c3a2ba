// TExStringGrid: the mouse moving over the grid and leaving it. Movement
// tracks the hover highlights (hover row, fixed cells, list-view header,
// cell buttons), extends row and column selections started from the fixed
// cells, sizes fixed columns and rows, chooses the select mode of the next
// press and the cursor, reports sizing and withdraws a cell hint when the
// mouse reaches another cell. CalcSizingState lets the application veto
// the sizing of a border.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "platform/Form.h"
#include "grid/input/HTMLHintWindow.h"
#include "platform/Messages.h"

namespace {

bool InRect(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

void TExStringGrid::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && (Options() & goEditing) != 0 && !EditMode)
        SetOptions(Options() & ~TGridOptions(goEditing));
    const TGridRect sel0 = Selection();
    if (SelectionRectangle() && GridState() == gsSelecting && !(FSizeSelection == Selection()))
        FSizeSelection = Selection();

    // A press on the selection followed by a move starts an OLE drag.
    if (FSelectionClick && StartOleDragFromMouse(Shift, X, Y))
        return;
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    const bool designing = IsDesigning();

    if (valid && !designing && FHoverRow && ARow != FHoverRowIdx) {
        const Integer old = FHoverRowIdx;
        FHoverRowIdx = ARow;
        RepaintRow(ARow);
        if (old >= 0 && old < RowCount())
            RepaintRow(old);
    }

    auto inFixed = [this](Integer c, Integer r) {
        return c >= 0 && r >= 0 && (r < FixedRows() || c < FixedCols());
    };
    if (HoverFixedCells() != hfNone && !FNoMouseLeave) {
        const TPoint old{FHoverFixedX, FHoverFixedY};
        FHoverFixedX = ACol;
        FHoverFixedY = ARow;
        if (old.X != ACol || old.Y != ARow) {
            if (inFixed(old.X, old.Y))
                RepaintCell(old.X, old.Y);
            if (inFixed(ACol, ARow))
                RepaintCell(ACol, ARow);
        }
    }
    if (FLook == glListView && (FHotFixedCell.X != ACol || FHotFixedCell.Y != ARow)) {
        if (inFixed(FHotFixedCell.X, FHotFixedCell.Y))
            RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
        FHotFixedCell = {ACol, ARow};
        if (inFixed(ACol, ARow))
            RepaintCell(ACol, ARow);
    }

    // The cell button or expand glyph under the mouse.
    {
        const Integer rc = valid ? RealColIndex(ACol) : -1;
        const bool over = valid
                          && ((HasButton(rc, ARow) && InRect(GetButtonRect(ACol, ARow), X, Y))
                              || (HasExpand(rc, ARow) && InRect(GetExpandRect(ACol, ARow), X, Y)));
        if (over) {
            if (FHoverButton.X != ACol || FHoverButton.Y != ARow) {
                if (FHoverButton.X != -1)
                    RepaintCell(FHoverButton.X, FHoverButton.Y);
                FHoverButton = {ACol, ARow};
                RepaintCell(ACol, ARow);
            }
        } else if (FHoverButton.X != -1) {
            RepaintCell(FHoverButton.X, FHoverButton.Y);
            FHoverButton = {-1, -1};
        }
    }

    // A row or column selection dragged from the fixed cells.
    bool scrolledUp = false;
    if (FMouseSelectStart != -1 && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
        if (ARow >= FixedRows() && ARow <= RowCount() - FixedFooters()) {
            const Integer s = FMouseSelectStart;
            const Integer r = std::max(FixedRows(), std::min(ARow, RowCount() - 1));
            SetSelectionEx(r > s ? TGridRect{FixedCols(), s, ColCount() - 1, r}
                                 : TGridRect{FixedCols(), r, ColCount() - 1, s});
        }
        if (Y > Height() - 4 && TopRow() + VisibleRowCount() < RowCount())
            TCustomGrid::SetTopRow(TopRow() + 1);
        if (FixedRows() > 0 && RowCount() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) {
            TCustomGrid::SetTopRow(TopRow() - 1);
            scrolledUp = true;
        }
    }
    if (FMouseSelectStart != -1 && FMouseActions->ColSelect() && FMouseSelectMode == msColumn && ACol >= 0) {
        const Integer s = FMouseSelectStart;
        const Integer c = std::max(FixedCols(), ACol);
        SetSelectionEx(ACol > s ? TGridRect{s, FixedRows(), c, RowCount() - 1}
                                : TGridRect{c, FixedRows(), s, RowCount() - 1});
    }

    // The right border of a fixed column, the bottom border of a fixed row.
    FSizeFixed = valid && !designing && FixedBorderAt(true, X) >= 0 && FMouseActions->SizeFixedCol();
    if (FSizingFixed) {
        DrawColSizingLine(FSizeFixedX);
        FSizeFixedX = X;
        DrawColSizingLine(X);
    }
    FSizeFixedR = valid && !designing && FixedBorderAt(false, Y) >= 0 && FMouseActions->SizeFixedRow();
    if (FSizingFixedR) {
        DrawRowSizingLine(FSizeFixedY);
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
    }

    bool cursorChosen = false;
    if (!designing) {
        if (GridState() == gsColSizing)
            ColSized = true;
        if (GridState() == gsRowSizing)
            Rowsized = true;
        if (GridState() == gsColMoving && OnColumnMove) {
            bool allow = true;
            OnColumnMove(this, Movecell, allow);
            if (!allow)
                CancelTracking();
        }
        if (GridState() == gsRowMoving && OnRowMove) {
            bool allow = true;
            OnRowMove(this, Movecell, allow);
            if (!allow)
                CancelTracking();
        }
        if ((GridState() == gsRowMoving || GridState() == gsColMoving) && RowCount() > 1
            && (X != Clickposx || Y != Clickposy) && EnhRowColMove() && !FSizingFixed && !FSizingFixedR)
            EnhancedMoveFeedback(X, Y, ACol, ARow);
        // What a press here would do.
        FMouseSelectMode = msNormal;
        if (valid && ARow < FixedRows() && ACol < FixedCols() && FMouseActions->AllSelect())
            FMouseSelectMode = msAll;
        if (ARow >= 0 && ARow < FixedRows() && ACol >= FixedCols() && FMouseActions->ColSelect()
            && !IsOnSizingBorder(X, Y))
            FMouseSelectMode = msColumn;
        const Integer f = FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow ? 2 : 1;
        if (ACol >= 0 && ACol < FixedCols() && ARow >= 0 && ARow <= RowCount() - f
            && (ARow >= FixedRows() || scrolledUp) && FMouseActions->RowSelect() && !IsOnSizingBorder(X, Y))
            FMouseSelectMode = msRow;
        if (FMouseSelectMode != msNormal && GridState() != gsColSizing && GridState() != gsRowSizing) {
            cursorChosen = true;
            Invokedchange = true;
            // The platform's nearest shapes stand for the grid's own select
            // cursors: an arrow for columns and rows, a cross for all.
            SetCursorByGrid(FMouseSelectMode == msAll ? crCross : crUpArrow);
        }
    }

    // The hand cursor over URLs and links; links report entering and leaving.
    if (valid && ACol < ColCount() && ARow < RowCount()) {
        const Integer rc = DisplToRealCol(ACol);
        const QString s = Cells(rc, ARow);
        const Integer kind = GetTextKind(s, EnableHTML());
        auto handCursor = [&] {
            cursorChosen = true;
            Invokedchange = true;
            SetCursorByGrid(crHandPoint);
        };
        if (URLShow() && kind != 1 && IsURL(s)) {
            handCursor();
        } else if (kind == 1) {
            TRect r = CellRect(ACol, ARow);
            r.Left += XYOffset().X + 1;
            r.Top += XYOffset().Y + 1;
            r.Right -= XYOffset().X;
            if (HasCheckBox(rc, ARow))
                r.Left += ControlLook()->CheckSize();
            TMiniHTMLResult hit;
            const QString anchor = HitTestMiniHTML(s, r, {X, Y}, hit) ? hit.AnchorUnderPoint : QString();
            const Integer link = anchor.isEmpty() ? -1 : hit.HoveredAnchor;
            if (URLUnderlineOnHover() && (FHoverCell.X != ACol || FHoverCell.Y != ARow || FHoverlink != -1 || link != -1)) {
                if (FHoverCell.X >= 0 && FHoverCell.Y >= 0 && (FHoverCell.X != ACol || FHoverCell.Y != ARow))
                    RepaintCell(FHoverCell.X, FHoverCell.Y);
                FHoverCell = {ACol, ARow};
                FHoverlink = link;
                RepaintCell(ACol, ARow);
            }
            if (!anchor.isEmpty()) {
                QString anchorHint = hit.AnchorTitle;
                if (anchorHint.isEmpty() && OnAnchorHint)
                    OnAnchorHint(this, ARow, ACol, anchorHint);
                if (anchorHint != FLastAnchorHint && !FLastAnchorHint.isEmpty() && anchor != FAnchor) {
                    FLastAnchorHint = anchorHint;
                    if (Application != nullptr)
                        Application->CancelHint();
                }
                handCursor();
                if (anchor != FAnchor) {
                    if (OnAnchorEnter)
                        OnAnchorEnter(this, ARow, ACol, anchor);
                    FAnchor = anchor;
                }
            } else if (!FAnchor.isEmpty()) {
                if (OnAnchorExit)
                    OnAnchorExit(this, ARow, ACol, FAnchor);
                FAnchor.clear();
            }
        } else if (URLUnderlineOnHover() && FHoverCell.X >= 0 && FHoverCell.Y >= 0
                   && (FHoverCell.X != ACol || FHoverCell.Y != ARow || FHoverlink != -1)) {
            FHoverlink = -1;
            RepaintCell(FHoverCell.X, FHoverCell.Y);
            FHoverCell = {-1, -1};
        }
    }
    // The fixed-cell sizing border shows the split cursor; the application
    // may choose a cell's cursor.
    if (FSizeFixed || FSizingFixed || FSizeFixedR || FSizingFixedR) {
        cursorChosen = true;
        Invokedchange = true;
        SetCursorByGrid(FSizeFixedR || FSizingFixedR ? crVSplit : crHSplit);
    } else if (!cursorChosen && valid && OnGetCellCursor) {
        const TCursor base = FCursorSetByGrid ? FOldCursor : Cursor();
        TCursor c = base;
        OnGetCellCursor(this, ACol, ARow, X, Y, c);
        if (c != base) {
            cursorChosen = true;
            Invokedchange = true;
            SetCursorByGrid(c);
        }
    }
    // Back to the application's cursor once the grid's own is no longer due.
    if (!cursorChosen && FCursorSetByGrid) {
        FCursorSetByGrid = false;
        if (Cursor() != FOldCursor) {
            Invokedchange = true;
            TControl::SetCursor(FOldCursor);
        }
    }

    // A hint shown for one cell goes as soon as the mouse reaches another.
    if (FLastHintPos.X >= 0 && FLastHintPos.Y >= 0) {
        const TPoint b = HoverBaseCell(ACol, ARow, valid);
        if (b.X != FLastHintPos.X || b.Y != FLastHintPos.Y) {
            if (Application != nullptr)
                Application->CancelHint();
            FLastHintPos = {-1, -1};
        }
    }

    PopBalloonOffCell(ACol, ARow, valid);

    TBaseGrid::MouseMove(Shift, X, Y);

    if (FNavigation->KeepHorizScroll() && FMouseKeepDown && GridState() != gsColMoving) {
        StartUpdate();
        SetLeftCol(FOldKeepLeftCol);
        ResetUpdate();
    }

    // Sizing events and the sizing hint.
    QString sizingHint;
    TPoint hintAt;
    if (GridState() == gsColSizing || FSizingFixed) {
        Integer size = 0, col = 0;
        TRect at;
        if (FSizingFixed) {
            size = FSizeFixedX;
            at = CellRect(0, 0);
        } else {
            col = Colclicked;
            at = Colclicked != -1 ? CellRect(Colclicked, std::max(Rowclicked, 0)) : CellRect(ColCount() - 1, 0);
            size = X - at.Left - Clickposdx;
        }
        if (OnColumnSizing)
            OnColumnSizing(this, col, size);
        sizingHint = QStringLiteral("cw=<b>%1</b>").arg(size);
        hintAt = {at.Left, at.Top};
    }
    if (GridState() == gsRowSizing || FSizingFixedR) {
        Integer size = 0, row = 0;
        TRect at;
        if (FSizingFixedR) {
            size = FSizeFixedY;
            at = CellRect(0, 0);
        } else {
            row = Rowclicked;
            at = Rowclicked != -1 ? CellRect(std::max(Colclicked, 0), Rowclicked) : CellRect(0, RowCount() - 1);
            size = Y - at.Top - Clickposdy;
        }
        if (OnRowSizing)
            OnRowSizing(this, row, size);
        sizingHint = QStringLiteral("rh=<b>%1</b>").arg(size);
        hintAt = {at.Left, at.Top};
    }
    if (!sizingHint.isEmpty() && (designing || HintShowSizing())) {
        if (FScrollHintWnd == nullptr)
            FScrollHintWnd = new THTMLHintWindow(this);
        FScrollHintWnd->SetColor(HintColor());
        TRect r = FScrollHintWnd->CalcHintRect(200, sizingHint, nullptr);
        const TPoint sp = ClientToScreen(hintAt);
        r = TRect{sp.X, sp.Y, sp.X + r.Width(), sp.Y + r.Height()};
        FScrollHintWnd->ActivateHint(r, sizingHint);
        FScrollHintText = sizingHint;
        FScrollHintShow = true;
    }

    const TGridRect s = Selection();
    if (!(s == sel0))
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

Integer TExStringGrid::FixedBorderAt(bool Cols, Integer Pos) const
{
    // Borders lie one grid line apart; the last match wins.
    Integer found = -1, s = 0;
    const Integer n = Cols ? FixedCols() : FixedRows();
    for (Integer i = 0; i < n; ++i) {
        const Integer size = Cols ? ColWidths(i) : RowHeights(i);
        if (std::abs(size + s - Pos) < 3)
            found = i;
        s += size + 1;
    }
    return found;
}

void TExStringGrid::SetCursorByGrid(TCursor Value)
{
    // The application's cursor is kept to come back to.
    if (!FCursorSetByGrid)
        FOldCursor = Cursor();
    FCursorSetByGrid = true;
    Invokedchange = true;
    if (Cursor() != Value)
        TControl::SetCursor(Value);
}

void TExStringGrid::CMMouseLeave(TMessage& Msg)
{
    TBaseGrid::WndProc(Msg);
    if (Msg.LParam != 0 && Msg.LParam != LPARAM(this))
        return;
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    if (!FNoMouseLeave && HoverFixedCells() != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const TPoint old{FHoverFixedX, FHoverFixedY};
        FHoverFixedX = FHoverFixedY = -1;
        if (old.X >= 0 && old.Y >= 0)
            RepaintCell(old.X, old.Y);
    }
    if (FLook == glListView && FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0
        && (FHotFixedCell.X < FixedCols() || FHotFixedCell.Y < FixedRows()))
        RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
    if (FHoverRow && FHoverRowIdx != -1) {
        const Integer old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount())
            RepaintRow(old);
    }
}

void TExStringGrid::CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                                    Integer& SizingOfs, TGridDrawInfo& FixedInfo)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    Integer c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r < FixedRows() && c >= 0 && OnColumnSize) {
        bool allow = true;
        OnColumnSize(this, c, allow);
        if (!allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    MouseToCell(X, Y - 6, c, r);
    if (c < FixedCols() && OnRowSize) {
        bool allow = true;
        OnRowSize(this, r, allow);
        if (!allow)
            State = gsNormal;
    }
}
