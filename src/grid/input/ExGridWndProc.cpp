// TExStringGrid: the window procedure that filters the grid's messages
// before the platform's handling (edit-done notices, painting under the
// update lock, combo and edit notifications from the in-place editors,
// scroll messages, typed characters), the 500 ms grid timer, focus,
// enter and exit, and the small notification hooks.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/Messages.h"

Cardinal TExStringGrid::GridEditDoneMessage()
{
    static const Cardinal msg = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    return msg;
}

void TExStringGrid::PostEditDone(Integer ACol, Integer ARow)
{
    PostMessage(this, GridEditDoneMessage(), WPARAM(ACol), LPARAM(ARow));
}

void TExStringGrid::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DESTROY) {
        if (AutoThemeAdapt() && !IsDesigning())
            GetThemeNotifier(this)->UnRegisterWindow(Handle());
        if (FGridTimerID != 0) {
            KillTimer(Handle(), UINT_PTR(FGridTimerID));
            FGridTimerID = 0;
        }
    }
    if (IsDestroying()) {
        TBaseGrid::WndProc(Message);
        return;
    }
    FOldSelection = Selection();

    if (Message.Msg == GridEditDoneMessage()) {
        if (OnEditCellDone)
            OnEditCellDone(this, Integer(Message.WParam), Integer(Message.LParam));
        if (FMouseActions->EditOnDblClickOnly()) {
            HideInplaceEdit();
            EditMode = false;
            SetOptions(Options() & ~TGridOptions(goEditing));
        }
        return;
    }

    // Middle-button panning takes the buttons, keys and its timer.
    if (PanMessage(Message))
        return;

    // The system's theme changed, or the office theme the notifier watches.
    if ((Message.Msg == WM_THEMECHANGED || Message.Msg == WM_OFFICETHEMECHANGED) && AutoThemeAdapt())
        ApplyOfficeTheme();

    switch (Message.Msg) {
    case WM_NOTIFY:
        WMNotify(Message);
        return;
    case CM_DESIGNHITTEST:
        CMDesignHitTest(Message);
        return;
    case WM_MOUSEWHEEL:
        if (GridWheelMessage(Message))
            return;
        break;
    case WM_LBUTTONDOWN:
        if (Application != nullptr && Application->HintControl() == this)
            Application->CancelHint();
        WMLButtonDown(Message);
        return;
    case WM_LBUTTONUP:
        WMLButtonUp(Message);
        return;
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClk(Message);
        return;
    case WM_RBUTTONDOWN:
        WMRButtonDown(Message);
        return;
    case WM_RBUTTONUP:
        WMRButtonUp(Message);
        return;
    case CM_MOUSELEAVE:
        CMMouseLeave(Message);
        return;
    case CM_HINTSHOW:
        CMHintShow(Message);
        return;
    case WM_CANCELMODE:
        // A row or column move broken off by the system ends cleanly.
        if ((FGridState == gsRowMoving || FGridState == gsColMoving) && EnhRowColMove()) {
            KillTimer(Handle(), 1);
            FGridState = gsNormal;
        }
        break;
    case WM_PAINT:
        // Nothing is drawn while the update lock is held.
        if (FUpdateCount >= 1) {
            Message.Result = 0;
            return;
        }
        TBaseGrid::WndProc(Message);
        if (!TabStop() && FPaintCount == 0) {
            FPaintCount = 1;
            UpdateProportionalVScroll();
        }
        return;
    case WM_ERASEBKGND:
        // The paint covers the whole client area.
        Message.Result = 0;
        return;
    case WM_NCPAINT:
        TBaseGrid::WndProc(Message);
        Message.Result = 0;
        return;
    case WM_COMMAND:
        if (CommandMessage(Message))
            return;
        break;
    case WM_TIMER:
        if (FGridTimerID != 0 && Message.WParam == WPARAM(FGridTimerID)) {
            GridTimer();
            return;
        }
        break;
    case WM_SETFOCUS:
        SetFocusMessage(Message);
        return;
    case WM_KILLFOCUS:
        if (FBlockKill) {
            Message.Result = 1;
            return;
        }
        TBaseGrid::WndProc(Message);
        if (IsMergedCell(RealColIndex(Col()), Row()))
            RepaintCell(Col(), Row());
        if (FCtrlDown) {
            FCtrlDown = false;
            RepaintCell(FCtrlXY.X, FCtrlXY.Y);
        }
        return;
    case CM_ENABLEDCHANGED:
        TBaseGrid::WndProc(Message);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        TBaseGrid::WndProc(Message);
        if (FFloatingFooter->Visible())
            UpdateFooter();
        return;
    case CM_CURSORCHANGED:
        TBaseGrid::WndProc(Message);
        if (!Invokedchange)
            FMouseSelectMode = msNormal;
        Invokedchange = false;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        const Integer pos = Message.LParam != 0 ? Integer(Message.LParam) : Integer(Message.WParamHi());
        Message.Result = Message.Msg == WM_HSCROLL ? WMHScroll(Message.WParamLo(), pos) : WMVScroll(Message.WParamLo(), pos);
        return;
    }
    case WM_GETDLGCODE:
        TBaseGrid::WndProc(Message);
        // Typed characters start edits and the type-ahead search.
        if (FNavigation->AutoGotoWhenSorted() || (Options() & goEditing) == 0)
            Message.Result |= DLGC_WANTCHARS;
        return;
    case WM_KEYDOWN:
        WMKeyDown(Message);
        return;
    case WM_CHAR:
        WMChar(Message);
        return;
    default:
        break;
    }
    const Integer oldRow = Row();
    TBaseGrid::WndProc(Message);
    // A synchronised grid follows a row change made by the platform.
    if (Row() != oldRow && FSyncGrid->SelectionRow() && !IsDestroying())
        SetRow(Row());
}

bool TExStringGrid::CommandMessage(TMessage& Message)
{
    const Word code = Message.WParamHi();
    auto* source = reinterpret_cast<HWND>(Message.LParam);
    TWinControl* from = source != nullptr ? FindControl(source) : nullptr;
    const bool fromCombo = from != nullptr && from == EditCombo;

    if (code == EN_CHANGE && from != nullptr && from != this) {
        SendMessage(source, Message.Msg, Message.WParam, Message.LParam);
        if (FShowEditProcess) {
            // The text of a live edit goes into the cell as it is typed.
            if (!FEditStart && EditMode) {
                if (IsTextEditor(EditControl)) {
                    if (TInplaceEdit* ed = InplaceEditor())
                        SetEditText(Col(), Row(), ed->Text());
                } else if (auto* edit = dynamic_cast<TCustomEdit*>(EditCtrl)) {
                    SetEditText(Col(), Row(), edit->Text());
                }
            }
        }
        return true;
    }
    if (from != nullptr && from != this && !fromCombo)
        SendMessage(source, Message.Msg, Message.WParam, Message.LParam);

    if (fromCombo && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && EditMode && !FNoEditChange) {
        const Integer i = EditCombo->ItemIndex();
        const bool item = i >= 0 && i < EditCombo->Items()->Count();
        const QString s = item ? EditCombo->Items()->Strings(i) : EditCombo->Text();
        if (OnComboChange)
            OnComboChange(this, RealColIndex(Col()), Row(), item ? i : -1, s);
        if (OnComboObjectChange)
            OnComboObjectChange(this, RealColIndex(Col()), Row(), item ? i : -1, s,
                                item ? EditCombo->Items()->Objects(i) : nullptr);
    }
    if (fromCombo && code == CBN_CLOSEUP)
        ComboCloseUp(RealColIndex(Col()), Row());
    if (fromCombo && code == CBN_DROPDOWN)
        ComboDropDown(RealColIndex(Col()), Row());
    // A typed change is reported once more with the display column.
    if (code == CBN_EDITCHANGE && OnComboChange && !FNoEditChange && (!fromCombo || EditMode))
        OnComboChange(this, Col(), Row(), -1, EditCombo->Text());
    return from != nullptr && from != this;
}

void TExStringGrid::SetFocusMessage(TMessage& Message)
{
    if (InvokedFocusChange)
        return;
    TBaseGrid::WndProc(Message);
    if (HasCheckBox(RealColIndex(Col()), Row()))
        return;
    const bool visible = Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() && Row() >= TopRow()
                         && Row() < TopRow() + VisibleRowCount();
    const bool moving = FGridState == gsRowMoving || FGridState == gsColMoving;
    if (FNavigation->AlwaysEdit() && !moving && !EditMode) {
        bool open = false;
        if (TInplaceEdit* ed = InplaceEditor(); ed != nullptr) {
            if (!ed->Focused() && EditControl == edNormal) {
                bool canEdit = true;
                DoCanEditCell(RealColIndex(Col()), Row(), canEdit);
                open = visible && canEdit;
            }
        } else if (!FMouseActions->DirectEdit() && !FControlLook->DropDownAlwaysVisible()
                   && HasComboBox(RealColIndex(Col()), Row())) {
            bool canEdit = true;
            DoCanEditCell(RealColIndex(Col()), Row(), canEdit);
            open = visible && canEdit;
        }
        if (open) {
            ShowInplaceEdit();
            Message.Result = 0;
            return;
        }
    }
    if (IsMergedCell(RealColIndex(Col()), Row()))
        RepaintCell(Col(), Row());
}

void TExStringGrid::DoEnter()
{
    if (FBlockFocus)
        return;
    TBaseGrid::DoEnter();
    try {
        if ((Options() & goEditing) != 0 || FMouseActions->RangeSelectAndEdit())
            SelectCell(Col(), Row());
    } catch (...) {
        StoreOldCellState(Col(), Row());
        throw;
    }
    StoreOldCellState(Col(), Row());
}

void TExStringGrid::DoExit()
{
    if (FBlockKill)
        return;
    if (FSelChange && FMouseActions->DisjunctRowSelect())
        SelectionToRowSelect(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}

void TExStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    StoreOldCellState(Col(), Row());
}

// ------------------------------------------------------------ grid timer

void TExStringGrid::GridTimer()
{
    ++FTimerTicks;
    // The type-ahead text expires on the fourth tick after the last key.
    if (FNavigation->AutoGotoIncremental()) {
        if (SearchTics == 3) {
            SearchInc.clear();
            SearchTics = 0;
        } else {
            ++SearchTics;
        }
    }
    if (Hovering() && !IsDesigning() && Visible()) {
        const TPoint p = ScreenToClient(GetCursorPos());
        Integer c = -1, r = -1;
        if (ClientRect().Contains(p))
            MouseToCell(p.X, p.Y, c, r);
        if (c >= FixedCols() && r >= FixedRows() && c < ColCount() && r < RowCount()) {
            if (CanFocus() && !Focused())
                SetFocus();
            if (r != Row())
                SetRow(r);
            if (c != Col())
                SetCol(c);
        }
    }
    if (EnableBlink()) {
        FGridBlink = !FGridBlink;
        auto blinking = [this](Integer RealCol, Integer R) {
            return GetGridCell(RealCol, R).contains(QStringLiteral("<BLI"), Qt::CaseInsensitive);
        };
        const Integer lastRow = std::min(TopRow() + VisibleRowCount(), RowCount());
        const Integer lastCol = std::min(LeftCol() + VisibleColCount() + FNumHidden, TotalColCount());
        for (Integer r = TopRow(); r < lastRow; ++r)
            for (Integer c = LeftCol(); c < lastCol; ++c)
                if (blinking(c, r))
                    RepaintCell(RealToDisplCol(c), r);
        for (Integer r = 0; r < FixedRows(); ++r)
            for (Integer c = LeftCol(); c < std::min(LeftCol() + VisibleColCount(), ColCount()); ++c)
                if (blinking(RealColIndex(c), r))
                    RepaintCell(c, r);
        for (Integer c = 0; c < FixedCols(); ++c)
            for (Integer r = TopRow(); r < lastRow; ++r)
                if (blinking(RealColIndex(c), r))
                    RepaintCell(c, r);
    }
}

// ------------------------------------------------------------ small hooks

bool TExStringGrid::IsHoverFixedCell(Integer ACol, Integer ARow) const
{
    switch (HoverFixedCells()) {
    case hfNone:
        return false;
    case hfAll:
        return ACol < FixedCols() || ARow < FixedRows();
    case hfFixedRows:
        return ARow < FixedRows();
    case hfFixedColumns:
        return ACol < FixedCols();
    }
    return false;
}

void TExStringGrid::ResetFixedCellHighlight()
{
    FSizeFixed = false;
    FSizeFixedR = false;
    FNoMouseLeave = false;
    if (HoverFixedCells() != hfNone && (FHoverFixedX != -1 || FHoverFixedY != -1)) {
        const Integer c = FHoverFixedX, r = FHoverFixedY;
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        RepaintCell(c, r);
    }
}

QString TExStringGrid::EllipsClick(const QString& S)
{
    QString result = S;
    if (OnEllipsClick)
        OnEllipsClick(this, RealColIndex(Col()), Row(), result);
    return result;
}
