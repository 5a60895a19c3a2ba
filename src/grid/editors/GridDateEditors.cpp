// TGridDatePicker and TGridDateTimePicker: the grid's date, time and
// date-and-time editors.

#include "grid/ExGridEditors.h"

#include "grid/ExGrid.h"
#include "platform/Messages.h"
#include "platform/Text.h"

// ============================================================ TGridDatePicker

TGridDatePicker::TGridDatePicker(TExStringGrid* AGrid) : TEsgDateTimePicker(AGrid), FGrid(AGrid) {}

void TGridDatePicker::AdvanceField()
{
    Word y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(DateTime(), y, m, d);
    DecodeTime(DateTime(), h, mi, s, ms);
    bool advance = false;
    if (Kind() == dtkTime) {
        advance = h != Fth || mi != Ftm || s != Fts;
    } else if (Format().isEmpty()) {
        // The year alone never moves on: it is the last field it can be.
        advance = d != Fd || m != Fm;
    } else {
        const QChar last = Format().back();
        const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
        bool lastField = false;
        if (dayChanged)
            lastField = last == u'd' || last == u'D';
        else if (monthChanged)
            lastField = last == u'm' || last == u'M';
        else if (yearChanged)
            lastField = last == u'y' || last == u'Y';
        advance = !lastField && (dayChanged || monthChanged || yearChanged);
    }
    // A later notice of digits typed meanwhile compares with this value:
    // one completed field moves on once, however fast it was typed.
    Fy = y;
    Fm = m;
    Fd = d;
    Fth = h;
    Ftm = mi;
    Fts = s;
    Ftms = ms;
    if (advance)
        Perform(WM_KEYDOWN, VK_RIGHT);
}

void TGridDatePicker::WndProc(TMessage& Message)
{
    TEsgDateTimePicker::WndProc(Message);
    if (Message.Msg == DTPShiftFocus)
        AdvanceField();
}

void TGridDatePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY:
        if (const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam)) {
            if (hdr->code == DTN_DROPDOWN)
                FOldDropped = true;
            else if (hdr->code == DTN_CLOSEUP)
                FOldDropped = false;
        }
        Message.Result = 0;
        break;
    case CM_WANTSPECIALKEY:
        TEsgDateTimePicker::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, FGrid->HasCellValidation()))
            Message.Result = 1;
        return;
    default: break;
    }
    TEsgDateTimePicker::Dispatch(Message);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END) {
        TEsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    auto setFromText = [this](const QString& Text) {
        TDateTime v = 0;
        const bool ok = Kind() == dtkTime ? TryStrToTime(Text, v) : TryStrToDate(Text, v);
        if (Kind() == dtkTime)
            SetTime(ok ? v : Now());
        else
            SetDate(ok ? v : Now());
    };
    if (Key == VK_ESCAPE)
        setFromText(FGrid->GetCurrentCell());
    if (Key == VK_RETURN) {
        // The field being typed is closed first.
        Perform(WM_KEYDOWN, VK_RIGHT);
        Perform(WM_KEYUP, VK_RIGHT);
        if (!FGrid->CommitEditorText(this, Text())) {
            setFromText(FGrid->FNewCellText);
            Invalidate();
            Key = 0;
            FGrid->FNoAutoAdvance = true;
            return;
        }
        setFromText(FGrid->GetCurrentCell());
    }
    if (Key == VK_TAB && FGrid->HasCellValidation()) {
        if (!FGrid->CommitEditorText(this, Text())) {
            setFromText(FGrid->FNewCellText);
            Invalidate();
            Key = 0;
            return;
        }
        if ((FGrid->Options() & goTabs) != 0) {
            FGrid->TabOutOfEditor(Shift.Contains(ssShift));
            Key = 0;
            return;
        }
        PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
    }
    const Word key = Key;
    Key = 0;
    if (DroppedDown())
        return;
    // Escape leaves the cell's text as it was before the edit.
    FGrid->FCancelEdit = key == VK_ESCAPE;
    FGrid->DoneInplaceEdit(key, Shift);
    FGrid->FCancelEdit = false;
}

void TGridDatePicker::KeyPress(QChar& Key)
{
    if (Key.unicode() >= u'0' && Key.unicode() <= u'9') {
        // What the digit changes is seen once it is in (DTPShiftFocus).
        DecodeDate(DateTime(), Fy, Fm, Fd);
        DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
        TEsgDateTimePicker::KeyPress(Key);
        PostMessage(this, DTPShiftFocus);
    } else {
        TEsgDateTimePicker::KeyPress(Key);
    }
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::DoExit()
{
    // The calendar's popup takes the focus for a moment: the edit goes on.
    if (!FOldDropped && !DroppedDown() && !FGrid->FBlockKill && FGrid->EditMode && FGrid->EditCtrl == this)
        FGrid->HideInplaceEdit();
    TEsgDateTimePicker::DoExit();
}

// ============================================================ TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(TExStringGrid* AGrid) : TExDateTimePicker(AGrid), FGrid(AGrid) {}

void TGridDateTimePicker::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_WANTSPECIALKEY) {
        TExDateTimePicker::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, FGrid->HasCellValidation()))
            Message.Result = 1;
        return;
    }
    TExDateTimePicker::Dispatch(Message);
}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift)
{
    const bool validating = FGrid->HasCellValidation();
    if (Key == VK_ESCAPE) {
        SetDate(FGrid->FOriginalDateTime);
        Key = 0;
        // The cell keeps its text as it was before the edit.
        FGrid->FCancelEdit = true;
        FGrid->HideInplaceEdit();
        FGrid->FCancelEdit = false;
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        return;
    }
    if (Key == VK_RETURN) {
        Key = 0;
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        if (FGrid->Navigation()->AdvanceOnEnter())
            FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
        return;
    }
    if (Key == VK_TAB && validating) {
        Key = 0;
        // Closing writes the date and the time into the cell.
        FGrid->TabOutOfEditor(Shift.Contains(ssShift));
        return;
    }
    TExDateTimePicker::KeyDown(Key, Shift);
}

void TGridDateTimePicker::DoExit()
{
    if (!DroppedDown() && !FGrid->FBlockKill && FGrid->EditMode && FGrid->EditControl == edDateTimeEdit)
        FGrid->HideInplaceEdit();
    TExDateTimePicker::DoExit();
}
