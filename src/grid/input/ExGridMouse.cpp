// TExStringGrid: the left button press, the release, the double click and
// the right button. The press decides what a click means (check boxes,
// cell buttons, radio groups, links, header selections, sizing of fixed
// columns, direct editing) and leaves its state for the movement handling
// and the release, which fire the click events and end the gestures.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/Process.h"

namespace {

bool KeyHeld(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

// The one flag of the keys held now: Alt, else Shift, else Ctrl.
TShiftState PressShift()
{
    if (KeyHeld(VK_MENU))
        return TShiftState(ssAlt);
    if (KeyHeld(VK_SHIFT))
        return TShiftState(ssShift);
    if (KeyHeld(VK_CONTROL))
        return TShiftState(ssCtrl);
    return TShiftState();
}

bool InRect(const TRect& R, Integer X, Integer Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

// ------------------------------------------------------------------ press

void TExStringGrid::WMLButtonDown(TMessage& Msg)
{
    TPoint pt = PointFromLParam(Msg.LParam);
    Integer X = pt.X, Y = pt.Y;
    const TPoint P = pt;
    auto inherited = [&] {
        Msg.LParam = PointToLParam({X, Y});
        TBaseGrid::WndProc(Msg);
    };

    FDoOnClick = true;
    FMouseDownMove = true;
    FMouseKeepDown = true;
    FSpinUpClick = false;
    FSpinDnClick = false;
    bool rangeEditOff = false;
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TGridRect selOld = Selection();

    // A press outside a selection of several cells ends range editing.
    if ((Options() & goEditing) != 0 && FMouseActions->RangeSelectAndEdit()
        && !(selOld.Left <= ACol && ACol < selOld.Right && selOld.Top <= ARow && ARow < selOld.Bottom))
        SetOptions(Options() & ~TGridOptions(goEditing));

    bool allow = true;
    if (OnCanClickCell)
        OnCanClickCell(this, ARow, ACol, allow);
    if (!allow)
        return;
    const Integer origCol = ACol, origRow = ARow;

    if (FCellSelectorMode) {
        CellSelectorClick(ACol, ARow);
        return;
    }

    const TShiftState s1 = PressShift();
    const bool valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->DisjunctCellSelect() && !s1.Contains(ssCtrl) && valid && !IsFixed(ACol, ARow)) {
        FSelectedCells->Clear();
        Invalidate();
    }

    SearchInc.clear();
    FMoveColInd = FMoveRowInd = -1;
    FSelectionClick = false;
    FPushedCellButton = {-1, -1};
    const Integer oldLeft = LeftCol();
    const Integer oldTop = TopRow();
    FOldTopRow = oldTop;
    FOldKeepLeftCol = oldLeft;

    if (ARow == 0)
        MouseToCell(X - 5, Y, Colclicked, Rowclicked);
    else if (ACol == 0)
        MouseToCell(X, Y - 4, Colclicked, Rowclicked);
    else
        MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
    if (FLook == glListView && FHotFixedCell.X >= 0 && FHotFixedCell.Y >= 0
        && (FHotFixedCell.X < FixedCols() || FHotFixedCell.Y < FixedRows()))
        RepaintCell(FHotFixedCell.X, FHotFixedCell.Y);
    if (Colclicked >= 0 && Rowclicked >= 0) {
        Colclickedsize = ColWidths(Colclicked);
        Rowclickedsize = RowHeights(Rowclicked);
    }
    Clickposx = X;
    Clickposy = Y;

    const bool fixedClick = valid && (ARow < FixedRows() || ACol < FixedCols());
    if (!valid) {
        HideInplaceEdit();
        if (!FixedRowAlways())
            inherited();
        return;
    }

    {
        const TPoint b = BaseCell(RealColIndex(ACol), ARow);
        ACol = RealToDisplCol(b.X);
        ARow = b.Y;
    }
    const TRect cellR = CellRect(ACol, ARow);
    if (FMouseActions->CaretPositioning())
        LButFlg = true;

    // Sizing a fixed column or row by its border.
    if (FSizeFixed) {
        FSizingFixed = true;
        FSizeFixedX = X;
        DrawColSizingLine(X);
        if (const Integer i = FixedBorderAt(true, X); i >= 0 && !IsDesigning())
            FSizingFixedCol = i;
        return;
    }
    if (FSizeFixedR) {
        FSizingFixedR = true;
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        if (const Integer i = FixedBorderAt(false, Y); i >= 0 && !IsDesigning())
            FSizingFixedRow = i;
        return;
    }

    const bool isFixed = IsFixed(ACol, ARow);
    if (fixedClick || isFixed)
        HideInplaceEdit();
    const bool declaredFixed = isFixed && !fixedClick;
    const Integer realCol = DisplToRealCol(ACol);

    if (!IsDesigning()) {
        if (ControlLook()->SpinButtonsAlwaysVisible() && HasSpinEdit(realCol, ARow) && X > cellR.Right - 18) {
            if (Y > cellR.Top + (cellR.Bottom - cellR.Top) / 2)
                FSpinDnClick = true;
            else
                FSpinUpClick = true;
        }
        if (PressNodeGlyph(ACol, ARow, X, Y))
            return;
        if (IsRadio(realCol, ARow) && (IsEditable(ACol, ARow) || ControlLook()->RadioAlwaysActive)) {
            HideInplaceEdit();
            RadioClickAt(realCol, ARow, X - cellR.Left, Y - cellR.Top);
            if (CanFocus())
                SetFocus();
            return;
        }
        // The node column of a grid with nodes only reports the click.
        if (ACol == 0 && ARow >= FixedRows() && FNumNodes > 0 && !FMouseActions->RowSelect()
            && (Options() & goRowSizing) == 0) {
            if (OnMouseDown)
                OnMouseDown(this, mbLeft, PressShift(), X, Y);
            if (OnClickCell)
                OnClickCell(this, ARow, ACol);
            return;
        }
    }

    // A press on the selection that may become an OLE drag: the movement
    // handling starts the drag (StartOleDragFromMouse).
    if ((IsSelected(ACol, ARow) || (ARow < FixedRows() && !EnhRowColMove())) && (Options() & goEditing) == 0
        && !HasButton(realCol, ARow) && !HasCheckBox(realCol, ARow) && FDragDropSettings->OleDropSource
        && !((FMouseActions->ColSelect() || FMouseActions->AllSelect()) && ARow < FixedRows()) && ACol >= FixedCols()
        && !((X - cellR.Left < 4 || cellR.Right - X < 4) && (Options() & goColSizing) != 0)) {
        if (CanFocus())
            SetFocus();
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, s1, X, Y);
        FSelectionClick = true;
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return;
    }

    if (HasRating(realCol, ARow) && IsEditable(ACol, ARow)) {
        HideInplaceEdit();
        const double v = Integer((X - cellR.Left) / 9.0) / 2.0;
        if (RatingChange(realCol, ARow, v)) {
            SetFloats(realCol, ARow, v);
            RepaintCell(ACol, ARow);
        }
        return;
    }

    // Cell buttons and expand glyphs are held until the release.
    auto pushAt = [&](bool has, const TRect& r, bool button) {
        if (!has)
            return false;
        HideInplaceEdit();
        if (!isFixed) {
            FForceSel = true;
            SelectCell(ACol, ARow);
            FForceSel = false;
        }
        if (!InRect(r, P.X, P.Y))
            return false;
        if (button)
            PushButton(ACol, ARow, true);
        FPushedCellButton = {ACol, ARow};
        SetMouseCapture(true);
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return true;
    };
    if (pushAt(HasButton(realCol, ARow), HasButton(realCol, ARow) ? GetButtonRect(ACol, ARow) : TRect{}, true))
        return;
    if (pushAt(HasExpand(realCol, ARow), HasExpand(realCol, ARow) ? GetExpandRect(ACol, ARow) : TRect{}, false))
        return;

    // A press on the covered part of a merged cell lands on its base cell.
    if (IsMergedCell(realCol, ARow) && !isFixed && !OnMouseDown) {
        X = cellR.Left + 2;
        Y = cellR.Top + 2;
    }

    if (ACol >= ColCount() || ARow >= RowCount()) {
        inherited();
        return;
    }

    {
        const TRect r = Colclicked != -1 && Rowclicked != -1 ? CellRect(Colclicked, Rowclicked) : TRect{};
        Clickposdx = Clickposx - r.Right;
        Clickposdy = Clickposy - r.Bottom;
    }

    // Disjunct row and column selection.
    if (FMouseActions->DisjunctRowSelect() && ARow >= FixedRows()
        && !(ACol == 0 && FMouseActions->HotmailRowSelect())) {
        if (KeyHeld(VK_SHIFT)) {
            inherited();
            SetSelectionEx({ACol, ARow, selOld.Left, selOld.Top});
            return;
        }
        if (KeyHeld(VK_CONTROL) || FMouseActions->DisjunctRowSelectNoCtrl()) {
            const Integer r = FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
            if (RowSelect(r))
                FDeselectState = true;
        } else {
            FMouseDown = true;
            if (!KeyHeld(VK_MENU))
                ClearRowSelect();
        }
    }
    if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
        if (KeyHeld(VK_CONTROL)) {
            if (ColSelect(ACol))
                FDeselectState = true;
        } else {
            FMouseDown = true;
            ClearColSelect();
        }
    }

    // Links and form controls of mini-HTML cells, URLs in plain cells.
    {
        QString s = Cells(realCol, ARow);
        const Integer kind = GetTextKind(s, EnableHTML());
        if (URLShow() || kind == 1) {
            QString anchor;
            TMiniHTMLResult hit;
            if (kind != 1 && IsURL(s))
                anchor = s;
            if (kind == 1) {
                TRect r = cellR;
                r.Right -= XYOffset().X;
                r.Left += XYOffset().X + 1;
                r.Top += XYOffset().Y + 1;
                if (HasCheckBox(realCol, ARow))
                    r.Left += ControlLook()->CheckSize();
                if (HitTestMiniHTML(s, r, P, hit))
                    anchor = hit.AnchorUnderPoint;
            }
            if (!anchor.isEmpty()) {
                bool autoHandle = true;
                bool canEdit = ((Options() & goEditing) != 0 || FEditDisable) && !ReadOnly(RealColIndex(origCol), origRow);
                if (!hit.ControlID.isEmpty())
                    CanEditCell(RealColIndex(origCol), origRow, canEdit);
                if (!hit.ControlID.isEmpty() && canEdit) {
                    // One control edit at a time: the open one ends first.
                    if (FCtrlEditing) {
                        EndControlEdit(this);
                        s = Cells(realCol, ARow);
                    }
                    if (hit.ControlType == QLatin1String("BUTTON")) {
                        FCtrlXY = {realCol, ARow};
                        FCtrlDown = true;
                        RepaintCell(ACol, ARow);
                    } else if (hit.ControlType == QLatin1String("CHECK")) {
                        SetHTMLControlValue(s, hit.ControlID,
                                            hit.ControlValue.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE")
                                                                                                : QStringLiteral("TRUE"));
                        SetCells(realCol, ARow, s);
                    } else if (hit.ControlType == QLatin1String("RADIO")) {
                        s = ResetHTMLRadios(s);
                        SetHTMLControlValue(s, hit.ControlID, QStringLiteral("TRUE"));
                        SetCells(realCol, ARow, s);
                    }
                    if (OnControlClick)
                        OnControlClick(this, ARow, ACol, hit.ControlID, hit.ControlType, hit.ControlValue);
                    StartControlEdit(s, hit.ControlType, hit.ControlID, hit.ControlValue, hit.ControlRect, ACol,
                                     realCol, ARow);
                    autoHandle = false;
                } else if (OnAnchorClick) {
                    OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
                }
                // A control that may not be edited is no link: nothing to open.
                if (autoHandle && hit.ControlID.isEmpty()) {
                    const Integer at = anchor.toUpper().indexOf(QLatin1String("CELL://"));
                    if (at >= 0) {
                        Integer c = 0, r = 0;
                        if (ParseRCReference(anchor.mid(at + 7), c, r) && c >= 0 && r >= 0 && c < ColCount()
                            && r < RowCount())
                            MoveColRow(c, r, true, true);
                    } else {
                        ShellOpen(anchor);
                    }
                }
                return;
            }
            if (kind == 1 && s.toUpper().contains(QLatin1String("<CONTROL"))) {
                if (OnClickCell)
                    OnClickCell(this, origRow, origCol);
                HideInplaceEdit();
                SetSelectionEx({ACol, ARow, ACol, ARow});
                return;
            }
        }
    }

    Movecell = -1;

    // Whole rows, columns or the grid selected from the fixed cells.
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect() && (Options() & goRangeSelect) != 0
        && FMouseSelectMode == msAll) {
        if (CanFocus())
            SetFocus();
        HideSelection();
        TGridRect r{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        AdjustAllSelection(r);
        SetSelectionEx(r);
        FSelHidden = false;
        DoExit();
    }
    if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect() && FMouseSelectMode == msRow) {
        const TGridRect s0 = Selection();
        if (EditMode && CanFocus())
            SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect())
            FSelectedCells->Clear();
        SetSelectionEx(KeyHeld(VK_SHIFT) ? TGridRect{FixedCols(), ARow, ColCount() - 1, s0.Top}
                                         : TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ARow;
        if (FRowIndicator && !FRowIndicator->Empty())
            RepaintCol(0);
    }
    if (ACol >= FixedCols() && ARow < FixedRows() && FMouseActions->ColSelect() && (Options() & goRangeSelect) != 0
        && FMouseSelectMode == msColumn) {
        const TGridRect s0 = Selection();
        if (CanFocus())
            SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect())
            FSelectedCells->Clear();
        TGridRect r{ACol, FixedRows(), ACol, RowCount() - 1};
        if (KeyHeld(VK_SHIFT))
            r = ACol < s0.Left ? TGridRect{ACol, FixedRows(), s0.Right, RowCount() - 1}
                               : TGridRect{s0.Left, FixedRows(), ACol, RowCount() - 1};
        SetSelectionEx(r);
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ACol;
    }

    if (ACol >= FixedCols() && ARow < FixedRows())
        Movecell = ACol;
    if (ACol < FixedCols() && ARow >= FixedRows())
        Movecell = ARow;
    MoveOfsX = X - cellR.Left;
    MoveOfsY = Y - cellR.Top;

    // Check boxes and radio buttons.
    bool canEdit = (Options() & goEditing) != 0 || FMouseActions->RangeSelectAndEdit();
    DoCanEditCell(realCol, ARow, canEdit);
    const bool isRB = HasRadioButton(realCol, ARow);
    if (ACol < ColCount() && ARow < RowCount()
        && (canEdit || ControlLook()->CheckAlwaysActive || (ACol == 0 && FMouseActions->HotmailRowSelect()))
        && (HasCheckBox(realCol, ARow) || isRB) && IsInCheckBox(realCol, ARow, X, Y)) {
        HideInplaceEdit();
        if (CanFocus())
            SetFocus();
        const Integer realRow = RealRowIndex(ARow);
        if (isRB) {
            DoSelectRadioButton(realCol, ARow, true);
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, realCol, ARow);
        } else {
            DoToggleCheckBox(realCol, ARow, true);
        }
        if (FShowModified->Enabled()) {
            SetRowModified(ARow, true);
            RepaintCell(0, ARow);
        }
        if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
            SetSelectionEx({FixedCols(), ARow, ColCount() - 1, ARow});
            SetRowSelect(realRow, !RowSelect(realRow));
            if (realRow != ARow)
                RepaintCell(0, ARow);
            if (Row() == ARow && !RowSelect(realRow)) {
                HideSelection();
                FSelHidden = false;
            }
        }
        bool state = false;
        GetCheckBoxState(realCol, realRow, state);
        if (!FNavigation->AlwaysEdit() && !fixedClick && !declaredFixed)
            MoveColRow(ACol, ARow, true, true);
        CheckBoxClick(ACol, ARow, BoolToCheckBoxState(state));
        if (HideFocusRect())
            RepaintCell(ACol, ARow);
        if (ARow < FixedRows() && FMouseActions->CheckAllCheck()) {
            for (Integer r = FixedRows(); r < RowCount(); ++r) {
                if (FMouseActions->HotmailRowSelect())
                    SetRowSelect(RealRowIndex(r), state);
                else
                    SetCheckBoxState(RealColIndex(ACol), RealRowIndex(r), state);
            }
            Invalidate();
        }
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, KeysToShiftState(0) | PressShift(), X, Y);
        Click();
        return;
    }

    const bool normal = !fixedClick;
    // A cell whose editor kind is a data check box but that carries no check
    // box graphic flips its text the same way.
    if (normal && !declaredFixed && canEdit && !HasCheckBox(realCol, ARow)) {
        TEditorType kind = DefaultEditor();
        GetCellEditor(realCol, ARow, kind);
        if (kind == edDataCheckBox && IsEditable(ACol, ARow)) {
            HideInplaceEdit();
            if (CanFocus())
                SetFocus();
            if (!FNavigation->AlwaysEdit())
                MoveColRow(ACol, ARow, true, true);
            ToggleDataCheckBox(realCol, ARow);
            Click();
            return;
        }
    }
    const bool isCombo = normal && ControlLook()->DropDownAlwaysVisible() && HasComboBox(realCol, ARow);
    if (normal && (canEdit || (FMouseActions->EditOnDblClickOnly() && isCombo))
        && (FMouseActions->DirectEdit() || (ControlLook()->DropDownAlwaysVisible() && isCombo))) {
        if (FMouseActions->EditOnDblClickOnly() && isCombo)
            SetEditActive(false);
        HideInplaceEdit();
        if (CanFocus())
            SetFocus();
    }

    const TPoint base = BaseCell(realCol, ARow);
    const TGridRect sel = Selection();
    const bool onCurrent = InRect(CellRect(ACol, ARow), X, Y) && sel.Left == sel.Right && sel.Top == sel.Bottom
                           && sel.Left == RealToDisplCol(base.X) && sel.Top == base.Y;
    if (!onCurrent && FMouseActions->RangeSelectAndEdit() && !isFixed && !canEdit) {
        rangeEditOff = true;
        SetOptions(Options() & ~TGridOptions(goEditing));
    }

    const bool savedAE = FNavigation->AlwaysEdit();
    if (declaredFixed) {
        if (ARow == RowCount() - 1 && FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow)
            return;
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return;
    }

    const bool atEdge = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount()
                        || (ACol == LeftCol() && LeftCol() > FixedCols());
    const bool keepLeft = (Options() & goRowSelect) != 0 && FNavigation->KeepHorizScroll();
    if (keepLeft)
        BeginUpdate();
    try {
        if (!FSelHidden) {
            FNavigation->SetAlwaysEdit(false);
            inherited();
            FNavigation->SetAlwaysEdit(savedAE);
        }
        if (GridState() == gsSelecting && atEdge && FMouseActions->NoAutoRangeScroll())
            FGridState = gsNormal;
        if (TopRow() != oldTop && FMouseActions->NoScrollOnPartialRow()) {
            TCustomGrid::SetTopRow(oldTop);
            SendMessage(this, WM_LBUTTONUP, 0, 0);
        }
    } catch (...) {
        FNavigation->SetAlwaysEdit(savedAE);
        if (keepLeft) {
            SetLeftCol(oldLeft);
            EndUpdate();
        }
        throw;
    }
    if (keepLeft) {
        SetLeftCol(oldLeft);
        EndUpdate();
    }

    // A press on a header border starts sizing and is no click.
    if (!((X - cellR.Left < 4 || cellR.Right - X < 4) && (Options() & goColSizing) != 0 && ARow < FixedRows()))
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);

    if (OnCellValidate) {
        FEntered = false;
        StoreOldCellState(Col(), Row());
    }
    if (IsMergedCell(realCol, ARow) && !isFixed && (onCurrent || FMouseActions->DirectEdit()) && canEdit)
        ShowInplaceEdit();

    // Direct editing opens the editor with the press.
    const TRect r = CellRect(ACol, ARow);
    if (X - r.Left < 4 || r.Right - X < 4)
        return;
    if (normal && (canEdit || (FMouseActions->EditOnDblClickOnly() && isCombo))
        && (FMouseActions->DirectEdit() || (ControlLook()->DropDownAlwaysVisible() && isCombo))
        && !IsControlCell(realCol, ARow)) {
        if (FMouseActions->EditOnDblClickOnly() && isCombo && (Options() & goEditing) == 0) {
            SetOptions(Options() | goEditing);
            if (CanFocus())
                SetFocus();
        }
        bool ok = true;
        if (Row() != ARow && OnRowChanging)
            OnRowChanging(this, Row(), ARow, ok);
        if (Col() != ACol && OnColChanging)
            OnColChanging(this, Col(), ACol, ok);
        if ((Row() != ARow || Col() != ACol) && OnCellChanging)
            OnCellChanging(this, Row(), Col(), ARow, ACol, ok);
        if (ok) {
            const Integer oc = RealColIndex(origCol);
            const TGridCoord t = IsBaseCell(oc, origRow) ? TGridCoord{origCol, origRow} : TGridCoord{ACol, ARow};
            SetSelectionEx({t.X, t.Y, t.X, t.Y});
            StoreOldCellState(t.X, t.Y);
            ShowEditor();
        }
    }
    if (rangeEditOff)
        FGridState = gsSelecting;
}

void TExStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (Button == mbLeft && FMouseActions->RangeSelectAndEdit() && !FMouseActions->EditOnDblClickOnly()) {
        if (Col() == ACol && Row() == ARow && (Options() & goEditing) == 0 && IsEditable(ACol, ARow)) {
            SetOptions(Options() | goEditing);
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        if ((Col() != ACol || Row() != ARow) && (Options() & goEditing) != 0 && Shift.Contains(ssShift)) {
            SetOptions(Options() & ~TGridOptions(goEditing));
            TBaseGrid::MouseDown(Button, Shift, X, Y);
            return;
        }
    }
    if (ACol >= 0 && ARow >= 0 && FixedDropDownPress(ACol, ARow, X))
        return;
    if (ACol >= 0 && ARow >= 0 && IsHoverFixedCell(ACol, ARow) && ControlLook()->FixedGradientDownTo() != clNone
        && ARow == FixedRows() - 1)
        RepaintCell(ACol, ARow);
    FEditStart = true;
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    FEditStart = false;
    ValidatePressedEdit();
    if (Shift.Contains(ssShift) && SelectionRectangle())
        RepaintRect(TRect{Selection().Left, Selection().Top, Selection().Right, Selection().Bottom});
    // Editing a fixed cell by a left or right press, as MouseActions says.
    if (ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FixedRows())) {
        TRect inner = CellRect(ACol, ARow);
        InflateRect(inner, -4, -4);
        const bool inside = X >= inner.Left && X < inner.Right && Y >= inner.Top && Y < inner.Bottom;
        const TGridFixedCellEdit rows = FMouseActions->FixedRowsEdit(), cols = FMouseActions->FixedColsEdit();
        if (rows == fceLeftClick && Button == mbLeft && ARow < FixedRows()) {
            if ((Options() & goColSizing) == 0 || inside)
                StartFixedCellEdit(ACol, ARow);
            return;
        }
        if (cols == fceLeftClick && Button == mbLeft && ACol < FixedCols()) {
            if ((Options() & goRowSizing) == 0 || inside)
                StartFixedCellEdit(ACol, ARow);
            return;
        }
        if ((rows == fceRightClick && Button == mbRight && ARow < FixedRows())
            || (cols == fceRightClick && Button == mbRight && ACol < FixedCols())) {
            StartFixedCellEdit(ACol, ARow);
            return;
        }
    }
    if (FSyncGrid->Grid() != nullptr) {
        if (FSyncGrid->SelectionColumn())
            FSyncGrid->Grid()->SetCol(Col());
        if (FSyncGrid->SelectionRow())
            FSyncGrid->Grid()->SetRow(Row());
    }
}

void TExStringGrid::RadioClickAt(Integer ACol, Integer ARow, Integer DX, Integer DY)
{
    TCanvas* canvas = Canvas();
    GetCellColor(ACol, ARow, TGridDrawState(), canvas->Brush(), canvas->Font());
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    const Integer dcol = RealToDisplCol(b.X);
    if (g == nullptr)
        return;
    if (!IsFixed(dcol, b.Y)) {
        SetCol(dcol);
        SetRow(b.Y);
    }
    const TGridControlStyle style = ControlLook()->ControlStyle();
    const Integer radioSize = style >= csWinXP ? 16 : ControlLook()->RadioSize();
    TStrings* options = GetRadioStrings(b.X, b.Y);
    if (options == nullptr)
        return;
    Integer prev = 0, sum = 0, hit = -1;
    const Integer itemH = std::max(radioSize, canvas->TextHeight(QStringLiteral("gh")));
    for (Integer i = 0; i < options->Count() && hit < 0; ++i) {
        if (g->CellBoolean) {
            sum += canvas->TextWidth(options->Strings(i)) + radioSize;
            if (prev < DX && DX < sum)
                hit = i;
        } else {
            sum += itemH;
            if (prev < DY && DY < sum)
                hit = i;
        }
        prev = sum;
    }
    if (hit < 0)
        return;
    if (g->CellIndex == -1)
        SetCells(b.X, b.Y, options->Strings(hit));
    else
        g->CellIndex = hit;
    SetCells(b.X, b.Y, Cells(b.X, b.Y));
    SetRadioIdx(b.X, b.Y, hit);
    if (OnRadioClick)
        OnRadioClick(this, dcol, b.Y, hit);
}

// ---------------------------------------------------------------- release

void TExStringGrid::WMLButtonUp(TMessage& Msg)
{
    const TPoint pt = PointFromLParam(Msg.LParam);
    const Integer X = pt.X, Y = pt.Y;
    // The release after a border double click only ends it: the sizing the
    // double click's press began is dropped, the auto-size stays.
    if (FDblClk) {
        FDblClk = false;
        CancelTracking();
        TBaseGrid::WndProc(Msg);
        return;
    }
    ColMoveFlg = false;
    ColSizeFlg = false;
    FMouseDown = false;
    FMouseKeepDown = false;
    FMouseSelectMode = msNormal;
    if (FCtrlDown) {
        FCtrlDown = false;
        RepaintCell(RealToDisplCol(FCtrlXY.X), FCtrlXY.Y);
    }
    FMouseDownMove = false;
    if (FLook == glListView) {
        RepaintRow(0);
        if (FixedCols() > 0)
            RepaintCol(0);
    }
    FMouseSelectStart = -1;

    if (FSizingFixed) {
        FSizeFixed = false;
        FSizingFixed = false;
        DrawColSizingLine(FSizeFixedX);
        Integer w = X;
        for (Integer i = 0; i < FSizingFixedCol; ++i)
            w -= ColWidths(i);
        SetColWidths(FSizingFixedCol, std::max(w, 0));
        if (OnEndColumnSize)
            OnEndColumnSize(this, FSizingFixedCol);
        if (OnUpdateColumnSize) {
            OnUpdateColumnSize(this, FSizingFixedCol, w);
            if (ColWidths(FSizingFixedCol) != w)
                SetColWidths(FSizingFixedCol, std::max(w, 0));
        }
    }
    if (FSizingFixedR) {
        FSizeFixedR = false;
        FSizingFixedR = false;
        DrawRowSizingLine(FSizeFixedY);
        Integer h = Y;
        for (Integer i = 0; i < FSizingFixedRow; ++i)
            h -= RowHeights(i);
        SetRowHeights(FSizingFixedRow, std::max(h, 0));
        if (OnEndRowSize)
            OnEndRowSize(this, FSizingFixedRow);
    }
    if (FFixedCellPushed) {
        FFixedCellPushed = false;
        RepaintRect(FPushedFixedCell);
    }

    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;

    if (FPushedCellButton.X != -1) {
        const TPoint p = FPushedCellButton;
        bool enabled = (Options() & goEditing) != 0;
        if (valid && !ControlLook()->NoDisabledButtonLook())
            enabled = IsCellEditable(ACol, ARow);
        if (enabled || ControlLook()->NoDisabledButtonLook() || p.X < FixedCols() || p.Y < FixedRows()) {
            const Integer pr = RealColIndex(p.X);
            if (HasButton(pr, p.Y))
                PushButton(p.X, p.Y, false);
            if (valid) {
                const TPoint b = BaseCell(RealColIndex(ACol), ARow);
                const Integer bc = RealToDisplCol(b.X);
                const bool fixedButton = (FixedAsButtons() && p.X < FixedCols()) || p.Y < FixedRows();
                if ((HasButton(b.X, b.Y) && InRect(GetButtonRect(bc, b.Y), X, Y)) || fixedButton)
                    ButtonClick(p.X, p.Y);
                if (HasExpand(b.X, b.Y) && (InRect(GetExpandRect(bc, b.Y), X, Y) || fixedButton))
                    ExpandClick(p.X, p.Y, ToggleExpand(p.X, p.Y));
            }
        }
        FPushedCellButton = {-1, -1};
        SetMouseCapture(false);
    }

    if ((IsDesigning() || HintShowSizing()) && FScrollHintShow)
        ReleaseScrollHint();

    if (valid) {
        const Integer rc = RealColIndex(ACol);
        if ((HasButton(rc, ARow) && InRect(GetButtonRect(ACol, ARow), X, Y))
            || (HasExpand(rc, ARow) && InRect(GetExpandRect(ACol, ARow), X, Y)))
            return;
    }

    const bool sizingRelease = ARow < FixedRows() && ACol >= 0 && (Options() & goColSizing) != 0
                               && IsOnSizingBorder(X, Y);
    if (OnClick && FDoOnClick && !sizingRelease && (ARow < FixedRows() || ACol < FixedCols()))
        OnClick(this);
    FDoOnClick = false;

    if (FGridState == gsSelecting) {
        FGridState = gsNormal;
        Click();
    }

    if (FSelectionClick) {
        FSelectionClick = false;
        if (ARow >= FixedRows() && ACol >= FixedCols()) {
            const bool oleRows = FMouseActions->DisjunctRowSelect();
            if (oleRows && (KeyHeld(VK_CONTROL) || FMouseActions->DisjunctRowSelectNoCtrl())) {
                SetRowSelect(ARow, !RowSelect(ARow));
                if (OnMouseUp)
                    OnMouseUp(this, mbLeft, TShiftState(ssCtrl), X, Y);
                return;
            }
            if (oleRows)
                ClearRowSelect();
            if ((Options() & goRowSelect) != 0)
                SetSelectionEx({FixedCols(), ARow, ColCount() - 1, ARow});
            else
                SetSelectionEx({ACol, ARow, ACol, ARow});
        }
    }

    if (FMouseActions->DisjunctRowSelect() && ACol >= 0) {
        if (!(ACol == 0 && FMouseActions->HotmailRowSelect()))
            SelectionToRowSelect(false);
        if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters() && FDeselectState) {
            SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow, false);
            FSelChange = false;
            if (FMouseActions->HotmailRowSelect())
                RepaintCell(0, 0);
        }
        FDeselectState = false;
    }
    if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
        SelectionToColSelect(false);
        if (FDeselectState)
            SetColSelect(ACol, false);
        FDeselectState = false;
    }

    // The end of a column or row dragged by its header.
    const bool moveDone = EndEnhancedMove(ACol, ARow);

    TBaseGrid::WndProc(Msg);

    if (ColMoveFlg || ColSizeFlg || !valid || (ACol < FixedCols() && !FSortSettings->FixedCols))
        return;
    // Release events of check boxes and radio groups.
    {
        const Integer rc = RealColIndex(ACol);
        bool state = false;
        if (OnCheckBoxMouseUp && HasCheckBox(rc, ARow) && GetCheckBoxState(rc, ARow, state))
            OnCheckBoxMouseUp(this, rc, ARow, state);
        Integer idx = -1;
        if (OnRadioMouseUp && IsRadio(rc, ARow) && GetRadioIdx(rc, ARow, idx))
            OnRadioMouseUp(this, ACol, ARow, idx);
    }
    // A release on a header border, a fixed dropdown button or a filter
    // glyph never sorts.
    const TRect r = CellRect(ACol, ARow);
    if (ARow == 0 && (Options() & goColSizing) != 0 && (std::abs(X - r.Left) < 4 || std::abs(X - r.Right) < 4))
        return;
    const Integer rc = RealColIndex(ACol);
    if (ControlLook()->FixedDropDownButton && CanShowFixedDropDown(rc) && X > r.Right - 16)
        return;
    if (X > r.Right - 16 && ARow == FFilterRow && GetColumnFilter(rc))
        return;
    HeaderClickSort(X, Y, ACol, ARow, moveDone);
}

void TExStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (IsDesigning()) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        DesignHelperClick(X, Y);
        return;
    }
    const TGridRect b0 = Selection();
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    // A release over a filter glyph opens the column's filter dropdown;
    // any other closes an open one.
    if (!OpenFilterDropDown(ACol, ARow, X, Y))
        CloseFilterDropDown();
    FDropDownDown = false;

    // A sizing dropped outside the grid changes nothing.
    if ((X > Width() && GridState() == gsColSizing) || (Y > Height() && GridState() == gsRowSizing)) {
        CancelTracking();
        return;
    }

    if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && ACol >= 0 && ARow >= 0) {
        const TPoint bc = BaseCell(RealColIndex(ACol), ARow);
        const TPoint b{RealToDisplCol(bc.X), bc.Y};
        auto entry = [](Integer c, Integer r) { return (r << 16) | (c & 0xFFFF); };
        if (!IsFixed(b.X, b.Y)) {
            bool canSelect = true;
            if (OnSelectCell)
                OnSelectCell(this, b.X, b.Y, canSelect);
            if (!canSelect)
                return;
            const Integer e = entry(b.X, b.Y);
            if (KeyHeld(VK_SHIFT)) {
                FSelectedCells->Add(entry(ACol, ARow));
            } else if (KeyHeld(VK_CONTROL)) {
                if (FSelectedCells->HasValue(e))
                    FSelectedCells->DeleteValue(e);
                else
                    FSelectedCells->Add(e);
            } else {
                for (Integer i = 0; i < FSelectedCells->Count(); ++i)
                    RepaintCell(FSelectedCells->Items(i) & 0xFFFF, FSelectedCells->Items(i) >> 16);
                FSelectedCells->Clear();
                FSelectedCells->Add(e);
            }
        } else if (!KeyHeld(VK_CONTROL) && !IsFixed(ACol, ARow)) {
            FSelectedCells->Clear();
            Invalidate();
        }
        const TGridRect s = Selection();
        if (s.Left != s.Right || s.Top != s.Bottom) {
            for (Integer c = s.Left; c <= s.Right; ++c)
                for (Integer r = s.Top; r <= s.Bottom; ++r)
                    if (!(c == b.X && r == b.Y) && !FSelectedCells->HasValue(entry(c, r)))
                        FSelectedCells->Add(entry(c, r));
            for (Integer i = 0; i < FSelectedCells->Count(); ++i)
                RepaintCell(FSelectedCells->Items(i) & 0xFFFF, FSelectedCells->Items(i) >> 16);
        }
        RepaintCell(ACol, ARow);
    }

    if (GridState() == gsColMoving && Button == mbRight)
        return;

    // The platform's sizing ends here: note the sized column or row for the
    // end-of-sizing events of the width and height change handling.
    if (Button == mbLeft && GridState() == gsColSizing && FSizingIndex >= 0 && FSizingIndex < ColCount()) {
        ColSized = true;
        Colclicked = FSizingIndex;
    } else if (Button == mbLeft && GridState() == gsRowSizing && FSizingIndex >= 0 && FSizingIndex < RowCount()) {
        Rowsized = true;
        Rowclicked = FSizingIndex;
    }
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    ColSized = false;
    Rowsized = false;
    if (ACol >= 0 && ARow >= 0 && IsHoverFixedCell(ACol, ARow) && ControlLook()->FixedGradientDownTo() != clNone
        && ARow == FixedRows() - 1)
        RepaintCell(ACol, ARow);
    const TGridRect s = Selection();
    if (!(s == b0))
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

// ----------------------------------------------------------- double click

void TExStringGrid::WMLButtonDblClk(TMessage& Msg)
{
    const TPoint pt = PointFromLParam(Msg.LParam);
    const Integer X = pt.X, Y = pt.Y;
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (FMouseActions->RangeSelectAndEdit() && !(ACol >= 0 && ARow >= 0 && IsControlCell(RealColIndex(ACol), ARow)))
        FForceSel = true;
    if (ACol == -1) {
        if (FixedRowAlways()) {
            FForceSel = false;
            TBaseGrid::WndProc(Msg);
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }

    // A double click on a header border sizes the column to its contents.
    if (ARow >= 0 && ARow < FixedRows() && (Options() & goColSizing) != 0
        && FMouseActions->AutoSizeColOnDblClick()) {
        const TRect r = CellRect(ACol, ARow);
        auto sizeCol = [&](Integer c) {
            FDblClk = true;
            bool allow = true;
            if (OnColumnSize)
                OnColumnSize(this, c, allow);
            if (allow) {
                AutoSizeCol(c, 0);
                if (OnEndColumnSize)
                    OnEndColumnSize(this, c);
            }
            FForceSel = false;
            TBaseGrid::WndProc(Msg);
        };
        if (std::abs(X - r.Left) < 4) {
            FDblClk = true;
            if (ACol - 1 >= FixedCols()) {
                sizeCol(ACol - 1);
                return;
            }
        }
        if (std::abs(X - r.Right) < 4 && ACol >= FixedCols()) {
            sizeCol(ACol);
            return;
        }
    }

    const Integer realCol = DisplToRealCol(ACol);
    if (ARow >= 0
        && ((HasButton(realCol, ARow) && InRect(GetButtonRect(ACol, ARow), X, Y))
            || (HasExpand(realCol, ARow) && InRect(GetExpandRect(ACol, ARow), X, Y)))) {
        FForceSel = false;
        return;
    }
    if (ARow >= 0 && IsControlCell(realCol, ARow)) {
        FForceSel = false;
        TBaseGrid::WndProc(Msg);
        return;
    }
    TBaseGrid::WndProc(Msg);
    Integer hitCol = -1, hitRow = -1;
    MouseToCell(X, Y, hitCol, hitRow);
    if (OnDblClickCell)
        OnDblClickCell(this, hitRow, hitCol);
    if (hitCol >= 0 && hitRow >= 0
        && ((hitRow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick)
            || (hitCol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick)))
        StartFixedCellEdit(hitCol, hitRow);

    if (FMouseActions->EditOnDblClickOnly()) {
        const bool was = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        if (ACol >= 0 && ARow >= 0 && IsEditable(ACol, ARow)) {
            SetOptions(Options() | goEditing);
            FOldCol = ACol;
            FOldRow = ARow;
            ShowInplaceEdit();
        }
        FMouseActions->SetRangeSelectAndEdit(was);
    }
    if (ACol >= 0 && ARow >= 0 && FMouseActions->RangeSelectAndEdit() && IsEditable(ACol, ARow)
        && !FMouseActions->EditOnDblClickOnly()) {
        SetOptions(Options() | goEditing);
        const TPoint b = BaseCell(realCol, ARow);
        const TRect r = CellRect(RealToDisplCol(b.X), b.Y);
        MouseDown(mbLeft, TShiftState(), r.Left + 4, r.Top + 4);
    }
    FForceSel = false;
}

// ------------------------------------------------------------ right button

void TExStringGrid::WMRButtonDown(TMessage& Msg)
{
    const TPoint pt = PointFromLParam(Msg.LParam);
    TBaseGrid::WndProc(Msg);
    Integer ACol = -1, ARow = -1;
    MouseToCell(pt.X, pt.Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    auto isSelected = [&](Integer c, Integer r) {
        if (FMouseActions->DisjunctCellSelect())
            return FSelectedCells->HasValue((r << 16) | (c & 0xFFFF));
        return Selection().Contains(c, r);
    };
    if (FMouseActions->SelectOnRightClick() && valid && !IsFixed(ACol, ARow)
        && !(FMouseActions->DisjunctCellSelect() && isSelected(ACol, ARow))) {
        if (!IsControlCell(RealColIndex(ACol), ARow)) {
            if (!OnRightClickCell) {
                MouseDown(mbLeft, TShiftState(), pt.X, pt.Y);
                MouseUp(mbLeft, TShiftState(), pt.X, pt.Y);
            } else {
                FocusCell(ACol, ARow);
            }
        }
        if (isSelected(ACol, ARow)) {
            bool canSelect = true;
            if (OnSelectCell)
                OnSelectCell(this, ACol, ARow, canSelect);
        } else {
            const Integer oldLeft = LeftCol();
            const bool keep = FNavigation->KeepHorizScroll();
            if (keep)
                BeginUpdate();
            const TPoint b = BaseCell(RealColIndex(ACol), ARow);
            MoveColRow(RealToDisplCol(b.X), b.Y, true, true);
            if (keep) {
                SetLeftCol(oldLeft);
                EndUpdate();
            }
        }
        if (FMouseActions->DisjunctRowSelect()) {
            if (KeyHeld(VK_CONTROL) || FMouseActions->DisjunctRowSelectNoCtrl()) {
                SetRowSelect(ARow, !RowSelect(ARow));
            } else if (RowSelectCount() > 1 && PopupMenu() != nullptr) {
                if (!RowSelect(ARow)) {
                    ClearRowSelect();
                    SetRowSelect(ARow, true);
                }
            } else {
                ClearRowSelect();
                SetRowSelect(ARow, true);
            }
        }
    }
    if (OnRightClickCell)
        OnRightClickCell(this, ARow, ACol);
    if (valid && URLShow() && URLEdit() && IsURL(Cells(DisplToRealCol(ACol), ARow))) {
        MoveColRow(ACol, ARow, true, true);
        ShowEditor();
    }
}

void TExStringGrid::WMRButtonUp(TMessage& Msg)
{
    // A right release during a column or row move is swallowed.
    if ((GridState() == gsColMoving || GridState() == gsRowMoving) && EnhRowColMove()) {
        Msg.Result = 0;
        return;
    }
    TBaseGrid::WndProc(Msg);
}
