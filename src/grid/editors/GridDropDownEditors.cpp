// The dropdown editors of the string grid (see GridDropDownEditors.h).

#include "grid/editors/GridDropDownEditors.h"

#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"

template <class TBase>
TGridDropDownEditor<TBase>::TGridDropDownEditor(TExStringGrid* AGrid) : TBase(AGrid), FGrid(AGrid)
{
}

template <class TBase>
bool TGridDropDownEditor<TBase>::IsSpecialKey(Word Key, TShiftState) const
{
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT
           || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

template <class TBase>
void TGridDropDownEditor<TBase>::KeyDown(Word& Key, TShiftState Shift)
{
    Forced = false;
    bool special = IsSpecialKey(Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    if (Shift.Contains(ssAlt) && Key == VK_DOWN)
        special = false;
    if (!special) {
        TBase::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* g = FGrid;
    TNavigation* nav = g->Navigation();
    const bool open = this->DroppedDown();
    if (Key == VK_ESCAPE) {
        this->SetText(g->GetCurrentCell());
        Key = 0;
        // The cell keeps its text (and a colour or image cell its look).
        g->FCancelEdit = true;
        g->HideInplaceEdit();
        g->FCancelEdit = false;
        if (g->CanFocus())
            g->SetFocus();
        return;
    }
    const bool commits = Key == VK_RETURN || (CommitsUpDown() && (Key == VK_UP || Key == VK_DOWN));
    if (commits) {
        if (Key == VK_RETURN)
            BeforeReturn();
        if (!g->CommitEditorText(this, this->Text())) {
            this->SetText(g->FNewCellText);
            this->SelectAll();
            this->Invalidate();
            Key = 0;
            g->FNoAutoAdvance = true;
            return;
        }
        this->SetText(g->GetCurrentCell());
    }
    if (Key == VK_TAB && g->HasCellValidation()) {
        if (!g->CommitEditorText(this, this->Text())) {
            this->SetText(g->FNewCellText);
            this->SetSelStart(Integer(this->Text().size()));
            this->Invalidate();
            Key = 0;
            return;
        }
        this->SetText(g->GetCurrentCell());
        if ((g->Options() & goTabs) != 0) {
            g->TabOutOfEditor(Shift.Contains(ssShift));
            Key = 0;
            return;
        }
        PostMessage(g, WM_KEYDOWN, VK_TAB, 0);
    }
    if (open) {
        g->HideInplaceEdit();
        if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN)) {
            Key = 0;
            return;
        }
    } else if (Key == VK_END) {
        TBase::KeyDown(Key, Shift);
        return;
    }
    const Word key = Key;
    Key = 0;
    g->DoneInplaceEdit(key, Shift);
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit())
        g->ShowInplaceEdit();
    TBase::KeyDown(Key, Shift);
}

template <class TBase>
void TGridDropDownEditor<TBase>::KeyPress(QChar& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(this, Key);
    if (Key == QChar(27) || Key == QChar(u'\r') || Key == QChar(u'\t'))
        Key = QChar(0);
    TBase::KeyPress(Key);
}

template <class TBase>
void TGridDropDownEditor<TBase>::Change()
{
    if (PlainChange())
        this->TExCustomDropDown::Change();
    else
        TBase::Change();
    if (FGrid == nullptr)
        return;
    FGrid->CanEditModify();
    if (FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), this->Text());
}

template <class TBase>
void TGridDropDownEditor<TBase>::WMSetFocus(TMessage& Message)
{
    TBase::WMSetFocus(Message);
    // Opened by a click: the caret goes where the user clicked.
    if (!CaretFromClick() || !FGrid->LButFlg)
        return;
    const TPoint p = this->ScreenToClient(GetCursorPos());
    if (p.X < 0 || p.X > this->Width() || p.Y < 0 || p.Y > this->Height())
        return;
    const LRESULT i = this->Perform(EM_CHARFROMPOS, 0, PointToLParam(p));
    if (i == -1)
        return;
    this->SetSelStart(Integer(LOWORD(WPARAM(i))));
    this->SetSelLength(0);
    FGrid->LButFlg = false;
}

template <class TBase>
void TGridDropDownEditor<TBase>::CMWantSpecialKey(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    // Enter and Escape are the cell's keys, not the dialog's: the dropdown's
    // own answer (which hands them to its parent) is not asked for them.
    if (key == VK_RETURN || key == VK_ESCAPE) {
        Message.Result = WantsReturnAndEscape() || this->DroppedDown() ? 1 : 0;
        return;
    }
    TBase::CMWantSpecialKey(Message);
    if (key == VK_TAB && FGrid->HasCellValidation())
        Message.Result = 1;
}

template <class TBase>
void TGridDropDownEditor<TBase>::DoExit()
{
    if (!FGrid->FBlockKill && FGrid->EditMode && FGrid->EditCtrl == this && !this->DroppedDown())
        FGrid->HideInplaceEdit();
    TBase::DoExit();
}

template class TGridDropDownEditor<TExTrackBarDropDown>;
template class TGridDropDownEditor<TExMemoDropDown>;
template class TGridDropDownEditor<TExCalculatorDropdown>;
template class TGridDropDownEditor<TExTimePickerDropDown>;
template class TGridDropDownEditor<TExDetailDropDown>;
template class TGridDropDownEditor<TExMultiColumnDropDown>;
template class TGridDropDownEditor<TCustomExGridDropDown>;
template class TGridDropDownEditor<TExColorPickerDropDown>;
template class TGridDropDownEditor<TExImagePickerDropDown>;

TGridTimepickerDropDown::TGridTimepickerDropDown(TExStringGrid* AGrid) : TGridDropDownEditor(AGrid)
{
    SetFocusDraw(false);
}

TExStringGrid* TGridExGridDropDown::Grid() const
{
    return GetGrid();
}

bool TGridColorDropDown::IsSpecialKey(Word Key, TShiftState) const
{
    if (DroppedDown())
        return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT
           || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}
