// TGridCombo: the combo box editor of edComboEdit and edComboList cells.
// The grid owns one, refills and places it for each combo cell, and takes
// its text back when the edit ends.

#include "grid/ExGridEditors.h"

#include "grid/ExGrid.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"

namespace {

// Switches a setting off for the life of the guard.
class TSettingOff {
public:
    TSettingOff(std::function<bool()> Get, std::function<void(bool)> Set) : FSet(std::move(Set)), FOld(Get()) { FSet(false); }
    ~TSettingOff() { FSet(FOld); }
    TSettingOff(const TSettingOff&) = delete;
    TSettingOff& operator=(const TSettingOff&) = delete;

private:
    std::function<void(bool)> FSet;
    bool FOld;
};

} // namespace

TGridCombo::TGridCombo(TExStringGrid* AGrid) : TEsgComboBox(AGrid), FGrid(AGrid)
{
    SetButtonWidth(16);
}

void TGridCombo::SizeDropDownWidth()
{
    Integer w = Width();
    const bool scrolls = Items()->Count() > DropDownCount();
    for (Integer i = 0; i < Items()->Count(); ++i) {
        const Integer t = FGrid->Canvas()->TextWidth(Items()->Strings(i));
        if (scrolls && w - 25 < t)
            w = t + 25;
        else if (!scrolls && w - 5 < t)
            w = t + 8;
    }
    Perform(CB_SETDROPPEDWIDTH, WPARAM(w));
}

void TGridCombo::TypeChar(QChar Ch)
{
    if (Style() == csDropDownList) {
        for (Integer i = 0; i < Items()->Count(); ++i)
            if (Items()->Strings(i).startsWith(Ch, Qt::CaseInsensitive)) {
                SetItemIndex(i);
                ReportChange();
                return;
            }
        return;
    }
    SetText(Ch == u'\b' ? QString() : QString(Ch));
    Perform(CB_SETEDITSEL, 0, MAKELPARAM(Word(Text().size()), Word(Text().size())));
    DoChange();
}

void TGridCombo::FirstItemForced()
{
    Forced = true;
    Change();
}

void TGridCombo::ReportChange()
{
    // A choice made by a typed key is told like one made in the list.
    SendMessage(FGrid, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(Handle()));
}

void TGridCombo::ReportItem(Integer ACol)
{
    const Integer i = ItemIndex();
    const bool item = i >= 0 && i < Items()->Count();
    const QString s = item ? Items()->Strings(i) : Text();
    if (FGrid->OnComboChange)
        FGrid->OnComboChange(FGrid, ACol, FGrid->Row(), item ? i : -1, s);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, ACol, FGrid->Row(), item ? i : -1, s, item ? Items()->Objects(i) : nullptr);
}

Integer TGridCombo::CaretPos()
{
    const LRESULT sel = Perform(CB_GETEDITSEL);
    return LOWORD(sel);
}

void TGridCombo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        TEsgComboBox::Dispatch(Message);
        if (Style() == csDropDown && !FGrid->Navigation()->EditSelectAll())
            Perform(CB_SETEDITSEL, 0, MAKELPARAM(Word(Text().size()), Word(Text().size())));
        return;
    case CM_WANTSPECIALKEY:
        TEsgComboBox::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, FGrid->HasCellValidation()))
            Message.Result = 1;
        return;
    default: break;
    }
    TEsgComboBox::Dispatch(Message);
    // The grid hears of every notification as its child's WM_COMMAND.
    if (Message.Msg == CN_COMMAND && !FGrid->HasState(csDestroying))
        SendMessage(FGrid, WM_COMMAND, Message.WParam, LPARAM(Handle()));
}

void TGridCombo::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEWHEEL && FGrid->EditMode && FGrid->EditCtrl == this) {
        // The wheel steps through the items and reports the one it stops on.
        const SmallInt delta = SmallInt(HIWORD(Message.WParam));
        if (delta < 0 && ItemIndex() + 1 < Items()->Count())
            SetItemIndex(ItemIndex() + 1);
        else if (delta > 0 && ItemIndex() > 0)
            SetItemIndex(ItemIndex() - 1);
        const Integer rc = FGrid->RealColIndex(FGrid->Col());
        const Integer i = ItemIndex();
        if (FGrid->OnEditChange)
            FGrid->OnEditChange(FGrid, rc, FGrid->Row(), i >= 0 ? Items()->Strings(i) : Text());
        ReportItem(rc);
        Message.Result = 0;
        return;
    }
    TEsgComboBox::WndProc(Message);
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift)
{
    Forced = false;
    const bool list = Style() == csDropDownList;
    const bool open = DroppedDown();
    TNavigation* nav = FGrid->Navigation();
    bool special;
    if (list || open)
        special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
    else
        special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT
                  || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;

    if ((Key == VK_UP || Key == VK_DOWN) && !nav->ComboGetUpDown() && !open) {
        FGrid->HideInplaceEdit();
        {
            const TSettingOff always([nav] { return nav->AlwaysEdit(); }, [nav](bool v) { nav->SetAlwaysEdit(v); });
            if (FGrid->CanFocus())
                FGrid->SetFocus();
        }
        FGrid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_DOWN && Shift.Contains(ssAlt))
        special = false;
    if (!special) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        const QString current = FGrid->GetCurrentCell();
        SetText(current);
        if (const Integer i = Items()->IndexOf(current); i >= 0)
            SetItemIndex(i);
        FGrid->FCancelEdit = true;
        FGrid->HideInplaceEdit();
        FGrid->FCancelEdit = false;
        // A list cannot show a text that is not among its items: the cell
        // keeps its own text rather than the list's empty one.
        if (FGrid->GetCurrentCell() != current)
            FGrid->SetCurrentCell(current);
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || (Key == VK_TAB && FGrid->HasCellValidation())) {
        FGrid->SetCurrentCell(Text());
        FGrid->FNewCellText = Text();
        if (!FGrid->ValidateCell(Text())) {
            // The refused cell opens its editor again (the validation may have
            // closed it while putting the cell's text back).
            if (!Visible()) {
                if (FGrid->CanFocus())
                    FGrid->SetFocus();
                FGrid->ShowInplaceEdit();
            }
            SetText(FGrid->FNewCellText);
            if (Key == VK_TAB)
                Perform(CB_SETEDITSEL, 0, MAKELPARAM(Word(Text().size()), Word(Text().size())));
            else if (!list)
                Perform(CB_SETEDITSEL, 0, MAKELPARAM(0, Word(Text().size())));
            Invalidate();
            if (Key != VK_TAB)
                FGrid->FNoAutoAdvance = true;
            Key = 0;
            return;
        }
        const QString current = FGrid->GetCurrentCell();
        if (list) {
            const Integer i = Items()->IndexOf(current);
            if (i >= 0 || Key == VK_TAB)
                SetItemIndex(i);
        } else {
            SetText(current);
        }
        if (Key == VK_TAB) {
            if ((FGrid->Options() & goTabs) != 0) {
                FGrid->TabOutOfEditor(Shift.Contains(ssShift));
                Key = 0;
                return;
            }
            PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
        }
    }
    if (list || open) {
        {
            TMouseActions* ma = FGrid->MouseActions();
            const TSettingOff close([ma] { return ma->DirectComboClose(); }, [ma](bool v) { ma->SetDirectComboClose(v); });
            FGrid->HideInplaceEdit();
        }
        if (Key == VK_LEFT || Key == VK_RIGHT)
            FGrid->KeyDown(Key, Shift);
        if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN))
            Key = 0;
    } else if (Key == VK_END) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    FGrid->DoneInplaceEdit(Key, Shift);
    if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit())
        FGrid->ShowInplaceEdit();
    Key = 0;
    TEsgComboBox::KeyDown(Key, Shift);
}

void TGridCombo::KeyPress(QChar& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(this, Key);
    if (Key == QChar(27))
        Key = QChar(0);
    if (Key == QChar(u'\r') && OnReturnKey)
        OnReturnKey(this);
    if (Key == QChar(u'\r') || Key == QChar(u'\t'))
        Key = QChar(0);
    TEsgComboBox::KeyPress(Key);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    if (Style() == csDropDown && nav->CursorWalkEditor() && Shift.Empty() && (Key == VK_LEFT || Key == VK_RIGHT)) {
        const LRESULT sel = Perform(CB_GETEDITSEL);
        const Integer start = LOWORD(sel), end = HIWORD(sel);
        const bool left = Key == VK_LEFT && start == end && start == 0;
        const bool right = Key == VK_RIGHT && start == end && start == Text().size();
        if (left || right) {
            Key = 0;
            FGrid->CursorWalkOut(right, Text());
            return;
        }
    }
    FGrid->FNoAutoAdvance = false;
    if (Key != VK_RETURN)
        TEsgComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    if (!WorkMode || !FGrid->Lookup() || Style() != csDropDown)
        return;
    const bool cs = FGrid->LookupCaseSensitive();
    const QString text = Text();
    const QString typed = text.left(CaretPos());
    if (typed.isEmpty())
        return;
    const QString p = cs ? typed : typed.toUpper();
    auto complete = [&](TStrings* list, bool select) {
        for (Integer i = 0; i < list->Count(); ++i) {
            const QString item = list->Strings(i);
            if ((cs ? item : item.toUpper()).startsWith(p)) {
                const QString full = text.left(p.size()) + item.mid(p.size(), 255);
                if (select)
                    SetItemIndex(i);
                SetText(full);
                Perform(CB_SETEDITSEL, 0, MAKELPARAM(Word(p.size()), Word(full.size())));
                ItemIdx = i;
                ItemChange = true;
                return true;
            }
        }
        return false;
    };
    if (!complete(Items(), true))
        complete(FGrid->LookupItems(), false);
}

void TGridCombo::Change()
{
    TEsgComboBox::Change();
    FGrid->CanEditModify();
    if (FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::DoExit()
{
    if (FGrid->LookupHistory() && !Text().isEmpty() && Items()->IndexOf(Text()) < 0)
        Items()->Add(Text());
    FGrid->SpecialEditorExit(this);
    TEsgComboBox::DoExit();
}
