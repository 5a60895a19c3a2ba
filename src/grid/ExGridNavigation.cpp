// TExStringGrid: the check before the current cell moves (footers and the
// search panel kept clear, merged cells redirected, editing switched on or
// off for the target cell, the application asked), the Enter-key advance
// with automatic row or column insertion at the end, and the key-press
// handling with its type-ahead row search.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGridEditors.h"
#include "platform/InplaceEdit.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ SelectCell

bool TExStringGrid::SelectCell(Integer ACol, Integer ARow)
{
    const TGridRect oldSel = Selection();
    if (FForceSel)
        return true;
    if (Parent() == nullptr)
        return TBaseGrid::SelectCell(ACol, ARow);

    bool allow = true;
    bool result = false;
    if (ACol < 0 || ARow < 0)
        return false;
    FEditText = Cells(RealColIndex(ACol), ARow);
    if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow && ARow == RowCount() - 1)
        return false;
    // A preview follows the current row.
    if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() != fsFixedLastRow)
        UpdateFooter();

    const Integer rc = RealColIndex(ACol);
    if (IsMergedNonBaseCell(rc, ARow) && (Options() & goRangeSelect) == 0) {
        const TPoint b = BaseCell(rc, ARow);
        FForceSel = true;
        MoveColRow(RealToDisplCol(b.X), b.Y, true, true);
        FForceSel = false;
        RepaintCell(RealToDisplCol(b.X), b.Y);
        if (FMouseActions->DirectEdit() || (FControlLook->DropDownAlwaysVisible() && HasComboBox(b.X, b.Y)))
            ShowInplaceEdit();
        return false;
    }
    if (HasNodes() && ACol == 0 && (Options() & goRowSelect) == 0)
        return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && !RowEnabled(ARow))
        return false;

    // A pending edit of the cell being left is validated first; a refused
    // value keeps the current cell where it is.
    if (FEditing && !FValidating && (ACol != Col() || ARow != Row())) {
        TInplaceEdit* ed = InplaceEditor();
        const QString text = EditorMode() && ed != nullptr && IsTextEditor(EditControl)
                                 ? ed->Text()
                                 : GetGridCell(RealColIndex(Col()), Row());
        if (!ValidateCell(text))
            return false;
    }

    // Editing follows the target cell: on for an editable cell, off for a
    // read-only one.
    QString cached = GetGridCell(rc, ARow);
    if (IsControlCell(rc, ARow)) {
        bool can = true;
        DoCanEditCell(rc, ARow, can);
        if (!FEditDisable)
            FEditDisable = !can && ((Options() & goEditing) != 0 || FMouseActions->RangeSelectAndEdit());
        if ((Options() & (goEditing | goRowSelect)) == 0 && can) {
            FEditChange = true;
            SetOptions(Options() | goEditing);
        }
    } else {
        bool can = (Options() & goEditing) != 0 || FEditDisable;
        DoCanEditCell(rc, ARow, can);
        if (FMouseActions->DirectEdit()) {
            EditControl = DefaultEditor();
            if (IsEditorNone(rc, ARow))
                can = false;
        }
        if (FMouseActions->EditOnDblClickOnly())
            can = false;
        if (can) {
            FEditDisable = false;
            if ((Options() & goEditing) == 0) {
                FEditChange = true;
                TGridOptions o = Options();
                if ((o & goRowSelect) && FMouseActions->RangeSelectAndEdit())
                    o &= ~TGridOptions(goRowSelect);
                SetOptions(o | goEditing);
            }
            if (EditMode)
                HideInplaceEdit();
            cached = GetGridCell(rc, ARow);
        } else {
            if (EditMode)
                HideInplaceEdit();
            if ((Options() & goEditing) != 0) {
                EditMode = false;
                FEditDisable = true;
                FEditChange = true;
                SetOptions(Options() & ~TGridOptions(goEditing));
                HideEditor();
            }
        }
    }

    const bool specialFocused = EditCtrl != nullptr && EditCtrl->Focused();
    if (!specialFocused) {
        CellChanging(ACol, ARow, allow);
        if (IsFixed(ACol, ARow) || !allow)
            result = allow && ((Options() & goRowSelect) != 0 || (FixedRowAlways() && RowCount() == FixedRows()));
        else
            result = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        const QString remembered = FCellCache;
        const QString text = Cells(RealColIndex(Col()), Row());
        FValidating = true;
        allow = ValidateCell(text);
        FValidating = false;
        if (allow)
            CellChanging(ACol, ARow, allow);
        result = allow && TBaseGrid::SelectCell(ACol, ARow);
        if (!result)
            cached = remembered;
    }
    if (!result) {
        // A refused move leaves editing as it was for the current cell.
        FEditChange = false;
        return false;
    }

    if (FISelect)
        FISelect->CellSelect(Col(), ARow);
    if (FActiveCellShow) {
        RepaintTwoCells(Col(), Row(), ARow, ACol);
        if (oldSel.Left != Col() && oldSel.Top != Row())
            RepaintTwoCells(oldSel.Left, oldSel.Top, ARow, ACol);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(oldSel.Top);
    }
    if (!HasState(csLoading) && ARow != FOldRowSel && OnRowChanged) {
        OnRowChanged(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    FCellCache = cached;
    return true;
}

void TExStringGrid::CellChanging(Integer ACol, Integer ARow, bool& Allow)
{
    if (ARow != Row() && OnRowChanging)
        OnRowChanging(this, Row(), ARow, Allow);
    if (ACol != Col() && OnColChanging)
        OnColChanging(this, Col(), ACol, Allow);
    if ((ARow != Row() || ACol != Col()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

void TExStringGrid::RepaintTwoCells(Integer OldCol, Integer OldRow, Integer NewRow, Integer NewCol)
{
    for (const TPoint p : {TPoint{OldCol, OldRow}, TPoint{NewCol, NewRow}}) {
        if (FixedRows() > 0)
            RepaintCell(p.X, FixedRows() - 1);
        if (FixedCols() > 0)
            RepaintCell(FixedCols() - 1, p.Y);
    }
}

// ------------------------------------------------------------ Enter advance

Integer TExStringGrid::FirstNormalCol()
{
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

void TExStringGrid::CanAddRow(bool& Allow)
{
    if (OnCanAddRow)
        OnCanAddRow(this, Allow);
}

void TExStringGrid::AddRow()
{
    if (FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow) {
        SetRowCount(RowCount() + 1);  // the footer row moves down with it
        return;
    }
    SetRowCount(RowCount() + 1);
}

void TExStringGrid::AdvanceToNextCell(Integer ACol, Integer ARow, bool ShowEditor, bool Nested, bool Forward,
                                      bool AutoEdit, bool Force)
{
    if (!FNavigation->AdvanceOnEnter() && !Force)
        return;
    if (FMouseActions->RangeSelectAndEdit() && (Options() & goEditing) == 0)
        SetOptions(Options() | goEditing);
    if (!Nested) {
        FAECol = ACol;
        FAERow = ARow;
    }
    FStartEditChar = QChar();
    const Integer span = std::max(0, CellSpan(RealColIndex(ACol), ARow).X);
    Integer toCol = ACol, toRow = ARow;
    const Integer lastRow = RowCount() - FixedFooters() - 1;
    const Integer lastCol = ColCount() - FixedRightCols() - 1;
    const TAdvanceDirection dir = FNavigation->AdvanceDirection();

    if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
        if (ACol + span < lastCol) {
            toCol = ACol + span + 1;
        } else if (dir == adLeftRightInRow) {
            if (FNavigation->AdvanceOnEnterLoop())
                toCol = FirstNormalCol();
        } else if (ARow == lastRow) {
            if (FNavigation->AdvanceInsert()) {
                bool allowAdd = true;
                CanAddRow(allowAdd);
                toCol = FirstNormalCol();
                if (allowAdd) {
                    AddRow();
                    toRow = ARow + 1;
                    if (OnAutoAddRow)
                        OnAutoAddRow(this, toRow);
                    bool editable = false;
                    for (Integer c = FixedCols(); c < ColCount() && !editable; ++c)
                        editable = IsEditable(c, toRow);
                    if (!editable) {
                        MoveColRow(toCol, toRow, true, true);
                        return;
                    }
                }
            } else if (FNavigation->AdvanceOnEnterLoop()) {
                toRow = FixedRows();
                toCol = FirstNormalCol();
            }
        } else {
            toRow = ARow + 1;
            toCol = FirstNormalCol();
        }
    } else if (Forward && (dir == adTopBottom || dir == adTopBottomInCol)) {
        if (ARow < lastRow) {
            toRow = ARow + 1;
        } else if (dir == adTopBottomInCol) {
            toRow = FixedRows();
        } else if (ACol + span < lastCol) {
            toRow = FixedRows();
            toCol = ACol + span + 1;
        } else if (FNavigation->AdvanceInsert()) {
            SetColCount(ColCount() + 1);
            toCol = ACol + span + 1;
            toRow = FixedRows();
            if (OnAutoInsertCol)
                OnAutoInsertCol(this, toCol);
        } else {
            toRow = FixedRows();
            toCol = FirstNormalCol();
        }
        Invalidate();
    } else if (!Forward && dir == adLeftRight) {
        if (ACol > FirstNormalCol()) {
            toCol = ACol - 1;
        } else {
            toCol = lastCol;
            toRow = ARow > FixedRows() ? ARow - 1 : lastRow;
        }
    } else if (!Forward && dir == adTopBottom) {
        if (ARow > FixedRows()) {
            toRow = ARow - 1;
        } else {
            toRow = lastRow;
            toCol = ACol > FirstNormalCol() ? ACol - 1 : lastCol;
        }
    }

    bool can = true;
    DoCanEditCell(RealColIndex(toCol), toRow, can);
    if (can) {
        bool allow = true;
        if (OnAutoAdvance)
            OnAutoAdvance(this, ARow, ACol, toRow, toCol, allow);
        if (allow && OnCellChanging)
            OnCellChanging(this, ARow, ACol, toRow, toCol, allow);
        FDisableChange = true;
        if (allow)
            MoveColRow(toCol, toRow, true, true);
        FDisableChange = false;
    } else if (FNavigation->AdvanceSkipReadOnlyCells() && !(toCol == ACol && toRow == ARow)
               && !(toCol == FAECol && toRow == FAERow)) {
        AdvanceToNextCell(toCol, toRow, ShowEditor, true, Forward, AutoEdit, Force);
        return;
    } else {
        MoveColRow(toCol, toRow, true, true);
    }

    if (ShowEditor && ((AutoEdit && FNavigation->AdvanceAutoEdit()) || IsControlCell(RealColIndex(Col()), Row()))) {
        if (IsEditable(Col(), Row()))
            TCustomGrid::ShowEditor();
    }
    if (FMouseActions->DisjunctRowSelect()) {
        ClearRowSelect();
        SetRowSelect(Row(), true);
    }
}

// ------------------------------------------------------------ keys

void TExStringGrid::KeyPress(QChar& Key)
{
    const char16_t k = Key.unicode();
    if (k == 27) {
        if ((Options() & goEditing) != 0 && (EditMode || EditorMode()))
            RestoreCellFromCache();
        if (OnKeyPress)
            OnKeyPress(this, Key);
        return;
    }
    if (k == u'\r') {
        // Enter ends a text edit: a refused value keeps the editor open.
        if (FEditing && EditorMode() && InplaceEditor() != nullptr && IsTextEditor(EditControl)
            && !ValidateCell(InplaceEditor()->Text())) {
            Key = QChar(0);
            return;
        }
        const bool cellEditable = IsEditable(Col(), Row());
        if (!FNavigation->AdvanceOnEnter() && !cellEditable) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            Key = QChar(0);
            return;
        }
        // From an editor (or a control cell) Enter moves on; the base
        // handling then opens the editor on the new cell, as it toggles
        // editing on the grid itself.
        const bool onEditor = !Focused() || IsControlCell(RealColIndex(Col()), Row());
        if (onEditor && FNavigation->AdvanceOnEnter()) {
            const bool wasEditing = EditMode || EditorMode();
            if (wasEditing)
                HideInplaceEdit();
            AdvanceToNextCell(Col(), Row(), wasEditing, false, true, false, false);
            if (!FNavigation->AdvanceAutoEdit() || !wasEditing) {
                if (OnKeyPress)
                    OnKeyPress(this, Key);
                Key = QChar(0);
                return;
            }
            if (IsControlCell(RealColIndex(Col()), Row())) {
                if (OnKeyPress)
                    OnKeyPress(this, Key);
                ShowInplaceEdit();
                Key = QChar(0);
                return;
            }
        }
    }
    if ((Options() & goEditing) == 0 && FNavigation->AutoGotoWhenSorted() && k >= 8 && k != u'\r') {
        if (FNavigation->AutoGotoIncremental()) {
            if (k == 8)
                SearchInc.chop(1);
            else
                SearchInc += Key;
            SearchTics = 0;
        } else {
            SearchInc = Key;
        }
        const Integer hit = SearchInc.isEmpty() ? -1 : Search(SearchInc.toUpper());
        if (hit >= 0)
            SetRow(hit);
        else
            SearchInc.clear();
    }
    const bool textEdit = k == u'\r' && EditMode && EditorMode() && IsTextEditor(EditControl);
    TBaseGrid::KeyPress(Key);
    // Enter closed the text editor: the edit is over and announced.
    if (textEdit && !EditorMode() && EditMode) {
        EditMode = false;
        FEditing = false;
        FShowEditProcess = false;
        PostEditDone(RealColIndex(Col()), Row());
    }
}

