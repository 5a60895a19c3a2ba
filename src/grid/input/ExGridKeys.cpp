// TExStringGrid: what the grid does with a key before, while and after the
// platform grid's own handling: the key-down message (scroll-only keys,
// editing on demand, Enter and F2 on cells that cannot be edited, control
// cells, Home and End, the Tab walk, fixed-cell skipping, appending on arrow
// down, row insertion and deletion, select all, disjunct selections), the
// cursor wrap at the edges, the key-up follow-ups, and the character that
// starts an edit.

#include "grid/ExGrid.h"

#include <algorithm>

#include "grid/EsgHTMLE.h"
#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/Locale.h"
#include "platform/Messages.h"

bool TExStringGrid::IsLastDataRow() const
{
    return Row() == RowCount() - FixedFooters() - 1 || (FFloatingFooter->Visible() && Row() == RowCount() - 2);
}

void TExStringGrid::AutoAppendRow()
{
    bool canAdd = true;
    if (OnCanAddRow)
        OnCanAddRow(this, canAdd);
    if (!canAdd)
        return;
    const bool footer = FFloatingFooter->Visible();
    // The footer row keeps its texts as the last row; the new data row
    // before it (or at the end) starts empty.
    AddRow();
    const Integer fresh = footer ? RowCount() - 2 : RowCount() - 1;
    for (Integer c = 0; c < TotalColCount(); ++c)
        SetGridCell(c, fresh, QString());
    if (footer || FixedFooters() > 0)
        SetRow(Row() + 1);
    if (footer)
        CalcFooter(-1);
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
}

bool TExStringGrid::CellHasHTMLControl(Integer ACol, Integer ARow)
{
    const QString text = Cells(RealColIndex(ACol), ARow);
    return EnableHTML() && text.contains(u'<') && text.toUpper().contains(QStringLiteral("<CONTROL"));
}

void TExStringGrid::FireKeyDown(Word Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TExStringGrid::ReportSelectionMove()
{
    const TGridRect s = Selection();
    if (!(s == FMoveSelection)) {
        SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        FMoveSelection = s;
    }
}

void TExStringGrid::MoveToCellBase()
{
    const Integer rc = RealColIndex(Col());
    if (IsMergedNonBaseCell(rc, Row())) {
        const TPoint b = BaseCell(rc, Row());
        MoveColRow(RealToDisplCol(b.X), b.Y, true, true);
    }
}

bool TExStringGrid::HomeEndMove(Word Key, TShiftState Shift)
{
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const THomeEndAction action = FNavigation->HomeEndKey();
    const bool home = Key == VK_HOME;
    const bool rowSelect = (Options() & goRowSelect) != 0;
    if (action != heFirstLastCell && FixedRowAlways() && RowCount() == 1)
        return false;
    switch (action) {
    case heFirstLastCell:
        if (ctrl)
            return false;
        if (home)
            MoveColRow(FixedCols(), FixedRows(), true, true);
        else
            MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
        break;
    case heFirstLastRow: {
        if (ctrl)
            return false;
        const Integer r0 = Row();
        Integer target = FixedRows();
        if (!home) {
            target = FFloatingFooter->Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - FixedFooters() - 1;
            if (FixedFooters() > 0 && !FFloatingFooter->Visible())
                SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        }
        if (shift) {
            SetSelection(TGridRect{0, r0, ColCount() - 1, target});
        } else {
            MoveColRow(Col(), target, true, true);
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SelectionToRowSelect(false);
            }
        }
        if (shift && FMouseActions->DisjunctRowSelect())
            SelectionToRowSelect(false);
        if (!home && FFloatingFooter->Visible())
            SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        break;
    }
    case heFirstLastColumn:
        if (ctrl) {
            if (!home)
                return false;
            MoveColRow(Col(), FixedRows(), true, true);
            if (const Integer c = FirstEnterableCol(Row()); c >= 0)
                MoveColRow(c, Row(), true, true);
            SetLeftCol(FirstNormalCol());
        } else if (rowSelect) {
            return false;
        } else if (shift) {
            SetSelection(TGridRect{Col(), Row(), home ? FixedCols() : ColCount() - FixedRightCols() - 1, Row()});
            RepaintRow(Row());
            FireKeyDown(Key, Shift);
            return true;
        } else if (home) {
            // A row where no column may be entered keeps its column.
            if (const Integer c = FirstEnterableCol(Row()); c >= 0)
                MoveColRow(c, Row(), true, true);
            SetLeftCol(FirstNormalCol());
        } else {
            MoveColRow(ColCount() - 1, Row(), true, true);
            SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
        }
        break;
    }
    MoveToCellBase();
    FireKeyDown(Key, Shift);
    return true;
}

void TExStringGrid::WMKeyDown(TMessage& Message)
{
    Word key = Word(Message.WParam);
    const TShiftState shift = KeyDataToShiftState();
    const bool ctrl = shift.Contains(ssCtrl), alt = GetKeyState(VK_MENU) < 0;
    const Integer x0 = LeftCol(), c0 = Col(), r0 = Row();
    const Integer realCol = RealColIndex(Col());
    FMoveSelection = Selection();
    const bool rowSelect = (Options() & goRowSelect) != 0;
    const bool vertical = key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
    const bool keepLeft = vertical && rowSelect && LeftCol() != FixedCols() && FNavigation->KeepHorizScroll();

    // Keys that only scroll, the current cell staying.
    if (FNavigation->MoveScrollOnly()
        && (vertical || key == VK_HOME || key == VK_END)) {
        const Integer vis = VisibleRowCount();
        switch (key) {
        case VK_PRIOR: SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows()); break;
        case VK_NEXT:
            if (TopRow() + vis < RowCount())
                SetTopRow(std::min(TopRow() + vis, std::max(FixedRows(), RowCount() - vis)));
            break;
        case VK_END: SetTopRow(std::max(FixedRows(), RowCount() - vis)); break;
        case VK_HOME: SetTopRow(FixedRows()); break;
        case VK_UP:
            if (TopRow() > FixedRows())
                SetTopRow(TopRow() - 1);
            break;
        case VK_DOWN:
            if (TopRow() + vis < RowCount())
                SetTopRow(TopRow() + 1);
            break;
        default: break;
        }
        Message.Result = 1;
        return;
    }
    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    if (FMouseActions->EditOnDblClickOnly() && enterOrF2 && (Options() & goEditing) == 0) {
        const bool range = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        if (IsEditable(Col(), Row()))
            SetOptions(Options() | goEditing);
        FMouseActions->SetRangeSelectAndEdit(range);
    }
    if (FMouseActions->RangeSelectAndEdit() && (Options() & goEditing) == 0 && enterOrF2) {
        if (!IsEditable(Col(), Row())) {
            FireKeyDown(key, shift);
            Message.WParam = 0;
            Message.Result = 1;
            return;
        }
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
    }
    if (enterOrF2) {
        if ((Options() & goEditing) != 0 && !IsEditable(Col(), Row())) {
            FireKeyDown(key, shift);
            Message.WParam = 0;
            Message.Result = 1;
            return;
        }
        if (CellHasHTMLControl(Col(), Row())) {
            Message.Result = 1;
            return;
        }
    }
    if (key == VK_RETURN && !IsEditable(Col(), Row())) {
        TCustomForm* form = GetParentForm();
        if (form == nullptr || !form->KeyPreview()) {
            // Through the key-down chain (which fires OnKeyDown), so that a
            // descendant grid still sees the Enter it takes as its choice.
            Word k = key;
            KeyDown(k, shift);
            Message.WParam = 0;
            Message.Result = 1;
            return;
        }
    }

    // Space moves a radio group on and sets a radio button; Enter or Space
    // presses a button cell. (Check boxes flip on the Space character.)
    if ((key == VK_RETURN || key == VK_SPACE) && IsControlCell(realCol, Row())) {
        bool allowed = (Options() & goEditing) != 0 || FMouseActions->RangeSelectAndEdit();
        DoCanEditCell(realCol, Row(), allowed);
        const bool radioActive = allowed || FControlLook->RadioAlwaysActive;
        const TCellType type = GetCellType(realCol, Row());
        if (key == VK_SPACE && type == ctRadio && radioActive) {
            AdvanceRadio(realCol, Row(), false);
            Integer index = -1;
            GetRadioIdx(realCol, Row(), index);
            if (OnRadioClick)
                OnRadioClick(this, realCol, Row(), index);
        } else if (key == VK_SPACE && type == ctRadioButton && radioActive) {
            SetRadioButtonColumnIndex(realCol, Row());
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, realCol, Row());
        } else if (allowed && type == ctButton) {
            ButtonClick(realCol, Row());
        }
        RepaintCell(Col(), Row());
    }
    if ((key == VK_HOME || key == VK_END) && HomeEndMove(key, shift)) {
        if (keepLeft)
            SetLeftCol(x0);
        Message.Result = 0;
        return;
    }
    if ((key == VK_LEFT || key == VK_RIGHT) && rowSelect && VisibleColCount() < ColCount()) {
        auto scroll = [&] {
            if (key == VK_LEFT && LeftCol() > FixedCols())
                SetLeftCol(LeftCol() - 1);
            else if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount())
                SetLeftCol(LeftCol() + 1);
        };
        if (!FNavigation->LeftRightRowSelect()) {
            scroll();
            FireKeyDown(key, shift);
            Message.Result = 0;
            return;
        }
        if (ctrl)
            scroll();
    }
    if (key == VK_TAB && (Options() & goTabs) != 0) {
        TabToNextCell(shift.Contains(ssShift));
        ReportSelectionMove();
        return;
    }
    if (FNavigation->SkipFixedCells() && WalkPastFixedCells(key, shift)) {
        Message.WParam = 0;
        return;
    }
    if (key == VK_DOWN && IsLastDataRow() && FNavigation->AppendOnArrowDown())
        AutoAppendRow();
    if (SelectionRectangle() && !(Selection() == FMoveSelection)) {
        InvalidateSelectionRect(Selection());
        FMoveSelection = Selection();
    }
    if (keepLeft)
        BeginUpdate();

    Message.WParam = key;
    TBaseGrid::WndProc(Message);
    key = Word(Message.WParam);

    if (keepLeft) {
        SetLeftCol(x0);
        EndUpdate();
    }
    const Integer selRow = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent() ? RealRowIndex(Row()) : Row();

    // Clipboard shortcuts; a matched one ends the handler.
    if (FNavigation->AllowClipboardShortCuts()) {
        const bool sh = shift.Contains(ssShift);
        enum { None, Cut, Paste, Copy } op = None;
        if (ctrl && key == 'X')
            op = Cut;
        else if (ctrl && key == 'V')
            op = Paste;
        else if (ctrl && (key == VK_INSERT || key == 'C'))
            op = Copy;
        else if (sh && key == VK_INSERT)
            op = Paste;
        else if (sh && key == VK_DELETE)
            op = Cut;
        if (op != None) {
            bool allow = true;
            if (op == Cut && OnClipboardCut)
                OnClipboardCut(this, allow);
            else if (op == Paste && OnClipboardPaste)
                OnClipboardPaste(this, allow);
            else if (op == Copy && OnClipboardCopy)
                OnClipboardCopy(this, allow);
            if (allow) {
                if (op == Cut)
                    CutSelectionToClipboard();
                else if (op == Paste)
                    PasteSelectionFromClipboard();
                else
                    CopySelectionToClipboard();
            }
            return;
        }
    }

    if (key == VK_INSERT && FNavigation->AllowInsertRow() && !ctrl && !shift.Contains(ssShift) && !alt) {
        bool canInsert = true;
        CanInsertRow(Row(), canInsert);
        if (!canInsert)
            return;
        Integer target = Row();
        const bool filter = FFilterActive;
        // The new row goes in at a display row; the event names its real row.
        Integer at;
        if (FNavigation->InsertPosition() == pInsertAfter) {
            if (FixedRowAlways() && FixedRows() == RowCount()) {
                at = Row();
                target = 1;
            } else {
                at = Row() + 1;
                if (target + 1 < RowCount() + 1)
                    ++target;
            }
        } else {
            at = Row();
        }
        AutoInsertRow(at);
        if (OnAutoInsertRow)
            OnAutoInsertRow(this, RealRowIndex(std::min(at, RowCount() - 1)));
        SetModified(true);
        if (filter != FFilterActive)
            SetFilterActive(filter);
        SetRow(std::min(target, RowCount() - 1));
        CalcFooter(-1);
    }
    if (key == 'A' && ctrl && (Options() & (goRowSelect | goRangeSelect)) != 0) {
        const TGridRect r{FirstNormalCol(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1};
        if (FMouseActions->DisjunctRowSelect())
            for (Integer row = r.Top; row <= r.Bottom; ++row)
                SetRowSelect(row, true);
        FForceSel = true;
        MoveColRow(r.Right, r.Bottom, true, true);
        FForceSel = false;
        SetSelection(TGridRect{r.Left, r.Top, r.Right, r.Bottom});
        ReportSelectionMove();
        return;
    }
    const bool nav = key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || (key >= VK_LEFT && key <= VK_DOWN);
    if (nav && FMouseActions->DisjunctRowSelect()) {
        if (!shift.Contains(ssShift) && !ctrl)
            ClearRowSelect();
        if (shift.Contains(ssShift))
            SelectionToRowSelect(true);
        else
            SetRowSelect(selRow, true);
    }
    if (nav && FMouseActions->DisjunctColSelect()) {
        if (!shift.Contains(ssShift) && !ctrl)
            ClearColSelect();
        if (shift.Contains(ssShift))
            SelectionToColSelect(true);
        else
            SetColSelect(Col(), true);
    }
    if (key == VK_SPACE && FMouseActions->DisjunctRowSelect())
        SetRowSelect(selRow, !RowSelect(selRow));
    if (key == VK_SPACE && FMouseActions->DisjunctColSelect())
        SetColSelect(Col(), !ColSelect(Col()));
    if (key == VK_DELETE && FNavigation->AllowDeleteRow() && !alt && RowCount() - FixedRows() - FixedFooters() > 0) {
        const Integer real = RealRowIndex(Row());
        bool canDelete = true;
        if (OnCanDeleteRow)
            OnCanDeleteRow(this, real, canDelete);
        if (canDelete) {
            AutoDeleteRow(Row());
            if (FFloatingFooter->Visible() && Row() == RowCount() - 1)
                SetRow(RowCount() - 2);
            StoreOldCellState(Col(), Row());
            SetModified(true);
            CalcFooter(-1);
        }
    }
    if (key == VK_TAB && (Options() & goTabs) != 0 && FixedRightCols() > 0
        && c0 + 1 == ColCount() + FNumHidden - FixedRightCols()) {
        const bool lastRow = r0 == RowCount() - FixedFooters() - 1;
        MoveColRow(FirstNormalCol(), lastRow ? FixedRows() : std::min(Row() + 1, RowCount() - 1), true, true);
    }
    if (enterOrF2) {
        StoreOldCellState(Col(), Row());
        if (key == VK_F2)
            F2KeyPressed();
    }
    ReportSelectionMove();
}

bool TExStringGrid::WalkPastFixedCells(Word Key, TShiftState Shift)
{
    const bool rtl = false;
    const Word left = rtl ? VK_RIGHT : VK_LEFT, right = rtl ? VK_LEFT : VK_RIGHT;
    const bool rowSelect = (Options() & goRowSelect) != 0;
    const Integer c = Col(), r = Row();
    if (Key == left && c > FixedCols() && IsFixed(c - 1, r)) {
        Integer n = c - 1;
        while (n >= FixedCols() && IsFixed(n, r))
            --n;
        if (n >= FixedCols())
            MoveColRow(n, r, true, true);
    } else if (Key == VK_UP && r > FixedRows() && IsFixed(c, r - 1)) {
        Integer n = r - 1;
        if (rowSelect) {
            MoveColRow(c, n, true, true);
        } else {
            while (n >= FixedRows() && IsFixed(c, n))
                --n;
            if (n >= FixedRows())
                MoveColRow(c, n, true, true);
        }
    } else if (Key == right && c < ColCount() - FixedRightCols() && c + 1 < ColCount() && IsFixed(c + 1, r)) {
        Integer n = c + 1;
        while (n < ColCount() - FixedRightCols() && IsFixed(n, r))
            ++n;
        if (n < ColCount() - FixedRightCols())
            MoveColRow(n, r, true, true);
    } else if (Key == VK_DOWN && r < RowCount() - FixedFooters() && r + 1 < RowCount() && IsFixed(c, r + 1)) {
        Integer n = r + 1;
        if (rowSelect) {
            MoveColRow(c, n, true, true);
        } else {
            while (n < RowCount() - FixedFooters() && IsFixed(c, n))
                ++n;
            if (n < RowCount() - FixedFooters())
                MoveColRow(c, n, true, true);
        }
    } else {
        return false;
    }
    FireKeyDown(Key, Shift);
    return true;
}

void TExStringGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_F2) {
        F2KeyPressed();
        if ((Options() & goEditing) != 0 && !EditMode) {
            Key = 0;
            ShowInplaceEdit();
            return;
        }
    }
    FLastKeyCell = TPoint{Col(), Row()};
    Integer r0 = Row();
    const Word key = Key;
    TBaseGrid::KeyDown(Key, Shift);

    const TGridRect sel = Selection();
    const Integer top = std::min(sel.Top, sel.Bottom), bottom = std::max(sel.Top, sel.Bottom);
    if (FNavigation->CursorMoveRows() && Shift.Contains(ssCtrl)
        && ((key == VK_DOWN && bottom < RowCount() - 1) || (key == VK_UP && top > FixedRows()))) {
        r0 = Row();
        const Integer d = key == VK_DOWN ? 1 : -1;
        if (top == bottom) {
            MoveRow(top, top + d);
            SetRow(r0 + d);
        } else {
            // Moving down takes the row below the block to its top, up the row above to its bottom.
            if (d > 0)
                MoveRow(bottom + 1, top);
            else
                MoveRow(top - 1, bottom);
            SetSelection(TGridRect{FixedCols(), top + d, ColCount() - 1, bottom + d});
        }
    }
    if (FNavigation->CursorAdvance() != caDefault) {
        const bool snake = FNavigation->CursorAdvance() == caSnake;
        const Integer lc = FLastKeyCell.X, lr = FLastKeyCell.Y;
        if (key == VK_LEFT && lc == FixedCols()) {
            MoveColRow(ColCount() - FixedRightCols() - 1, snake && Row() > FixedRows() ? Row() - 1 : Row(), true, true);
        } else if (key == VK_UP && lr == FixedRows()) {
            MoveColRow(snake && Col() > FixedCols() ? Col() - 1 : Col(), RowCount() - FixedFooters() - 1, true, true);
        } else if (key == VK_RIGHT && lc == ColCount() - 1) {
            MoveColRow(FixedCols(), snake && Row() < RowCount() - FixedFooters() - 1 ? Row() + 1 : Row(), true, true);
        } else if (key == VK_DOWN && lr == RowCount() - 1) {
            MoveColRow(snake && Col() < ColCount() - FixedRightCols() - 1 ? Col() + 1 : Col(), FixedRows(), true, true);
        }
    }
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && Row() == r0) {
        if (key == VK_UP) {
            Integer r = r0 - 1;
            while (r > FixedRows() && !RowEnabled(r))
                --r;
            if (r >= FixedRows() && RowEnabled(r))
                SetRow(r);
        } else if (key == VK_DOWN && r0 < RowCount() - 1) {
            Integer r = r0 + 1;
            while (r < RowCount() - 1 && !RowEnabled(r))
                ++r;
            if (RowEnabled(r))
                SetRow(r);
        }
    }
    if (TExStringGrid* sync = dynamic_cast<TExStringGrid*>(FSyncGrid->Grid())) {
        if (FSyncGrid->SelectionColumn())
            sync->SetCol(std::min(Col(), sync->ColCount() - 1));
        if (FSyncGrid->SelectionRow())
            sync->SetRow(std::min(Row(), sync->RowCount() - 1));
    }
}

void TExStringGrid::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || (Key >= VK_LEFT && Key <= VK_DOWN) || Key == VK_INSERT
        || Key == VK_DELETE)
        SearchInc.clear();
    const TGridRect s0 = GridRect(Selection().TopLeft(), Selection().BottomRight());
    TBaseGrid::KeyUp(Key, Shift);
    const bool arrow = Key >= VK_LEFT && Key <= VK_DOWN;
    const bool tab = Key == VK_TAB && (Options() & goTabs) != 0;
    if (FNavigation->AlwaysEdit() && (arrow || tab) && !IsControlCell(RealColIndex(Col()), Row()))
        ShowInplaceEdit();
    if (arrow || Key == VK_TAB)
        ReportSelectionMove();
    if (FMouseActions->DisjunctCellSelect() && (Options() & goEditing) == 0) {
        const TGridRect s = GridRect(Selection().TopLeft(), Selection().BottomRight());
        if (Shift.Contains(ssShift)) {
            for (Integer c = s0.Left; c <= s0.Right; ++c)
                for (Integer r = s0.Top; r <= s0.Bottom; ++r)
                    SetSelectedCells(c, r, false);
            for (Integer c = s.Left; c <= s.Right; ++c)
                for (Integer r = s.Top; r <= s.Bottom; ++r)
                    if (c != Col() || r != Row())
                        SetSelectedCells(c, r, true);
        }
        if (Key == VK_SPACE) {
            const TPoint b = BaseCell(RealColIndex(Col()), Row());
            const Integer bc = RealToDisplCol(b.X);
            if (!IsFixed(bc, b.Y)) {
                bool can = true;
                if (OnSelectCell)
                    OnSelectCell(this, bc, b.Y, can);
                if (!can)
                    return;
                if (Shift.Contains(ssCtrl)) {
                    SetSelectedCells(bc, b.Y, !SelectedCells(bc, b.Y));
                } else {
                    for (Integer i = 0; i < FSelectedCells->Count(); ++i) {
                        const TGridCoord g = SelectedCell(i);
                        RepaintCell(g.X, g.Y);
                    }
                    FSelectedCells->Clear();
                    SetSelectedCells(bc, b.Y, true);
                }
                if (s.Left != s.Right || s.Top != s.Bottom)
                    for (Integer c = s.Left; c <= s.Right; ++c)
                        for (Integer r = s.Top; r <= s.Bottom; ++r)
                            if (c != bc || r != b.Y)
                                SetSelectedCells(c, r, true);
                RepaintCell(Col(), Row());
            }
        }
    }
}

void TExStringGrid::WMChar(TMessage& Message)
{
    QChar ch(char16_t(Message.WParam));
    const char16_t k = ch.unicode();
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (CellHasHTMLControl(Col(), Row())) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        bool can = true;
        DoCanEditCell(RealColIndex(Col()), Row(), can);
        if (can)
            SetOptions(Options() | goEditing);
    }
    if (FNavigation->AllowClipboardShortCuts() && ctrl && (k == 3 || k == 22 || k == 24))
        return;
    const Integer realCol = RealColIndex(Col());
    // Space flips a check box (a data check box too) instead of starting an edit.
    if (k == u' ' && !EditMode && Col() >= FixedCols() && Row() >= FixedRows()) {
        if (HasCheckBox(realCol, Row())) {
            ClickCheckBox(Col(), Row());
            return;
        }
        TEditorType kind = DefaultEditor();
        GetCellEditor(realCol, Row(), kind);
        if (kind == edDataCheckBox && IsEditable(Col(), Row())) {
            ToggleDataCheckBox(realCol, Row());
            return;
        }
    }
    if (FMouseActions->RangeSelectAndEdit() && !IsControlCell(realCol, Row()) && IsEditable(Col(), Row()) && k != 9
        && k != 27 && !ctrl) {
        QChar copy = ch;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        FStartEditChar = ch;
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
        TBaseGrid::WndProc(Message);
        FStartEditChar = QChar();
        return;
    }
    if (ch == u'.' && (Message.LParam & 0x400000) != 0 && ExcelStyleDecimalSeparator())
        Message.WParam = FormatSettings().DecimalSeparator.unicode();
    if (k == 13 && IsControlCell(realCol, Row()) && FNavigation->AdvanceOnEnter()) {
        TBaseGrid::WndProc(Message);
        return;
    }
    if ((Options() & goEditing) != 0 && !EditMode && k != 9 && (k == 8 || (k >= 32 && k <= 255))) {
        QChar typed(char16_t(Message.WParam));
        if (OnKeyPress)
            OnKeyPress(this, typed);
        FStartEditChar = typed;
        if (!IsControlCell(realCol, Row())) {
            if (typed.unicode() != 0)
                ShowEditorChar(typed);
            else
                ShowInplaceEdit();
        }
        FStartEditChar = QChar();
        return;
    }
    FStartEditChar = QChar();
    TBaseGrid::WndProc(Message);
}
