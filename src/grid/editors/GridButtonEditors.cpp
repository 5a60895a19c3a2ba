// TGridEditBtn, TGridUnitEditBtn and TGridButton: the grid's editors that
// carry a button. The button gives the application the value to change
// through OnEllipsClick.

#include "grid/ExGridEditors.h"

#include "grid/ExGrid.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"

namespace {

bool IsButtonEditorKey(Word Key)
{
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP
           || Key == VK_DOWN;
}

} // namespace

// ============================================================ TGridEditBtn

TGridEditBtn::TGridEditBtn(TExStringGrid* AGrid) : TEsgEditBtn(AGrid), FGrid(AGrid) {}

void TGridEditBtn::ClickButton()
{
    TEsgEditBtn::ClickButton();
    SetText(FGrid->EllipsClick(Text()));
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick) {
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
    }
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    const bool special = IsButtonEditorKey(Key);
    if (!special && FGrid->OnKeyDown)
        FGrid->OnKeyDown(FGrid, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (Shift.Contains(ssCtrl) || !special || Key == 0) {
        TEsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    const TEditorType kind = FGrid->EditControl;
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const bool ok = FGrid->CommitEditorText(this, Text());
        SetText(ok ? FGrid->GetCurrentCell() : FGrid->FNewCellText);
        if (!ok) {
            if (Key == VK_TAB) {
                SetSelStart(Integer(Text().size()));
            } else {
                SelectAll();
                FGrid->FNoAutoAdvance = true;
            }
            Invalidate();
            Key = 0;
            FGrid->EditControl = kind;
            return;
        }
        if (Key == VK_TAB && FGrid->HasCellValidation()) {
            if ((FGrid->Options() & goTabs) != 0) {
                FGrid->TabOutOfEditor(Shift.Contains(ssShift));
                Key = 0;
                return;
            }
            PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
        }
    }
    if (Key == VK_ESCAPE)
        SetText(FGrid->FCellCache);
    const Word key = Key;
    Key = 0;
    // Escape leaves the cell's text as it was: the editor may show it in
    // its own form (a mask fills its blanks).
    FGrid->FCancelEdit = key == VK_ESCAPE;
    FGrid->DoneInplaceEdit(key, Shift);
    FGrid->FCancelEdit = false;
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift)
{
    if (FGrid->OnKeyUp)
        FGrid->OnKeyUp(FGrid, Key, Shift);
    if (FGrid->Navigation()->CursorWalkEditor() && Shift.Empty() && SelLength() == 0
        && ((Key == VK_RIGHT && SelStart() == Integer(Text().size())) || (Key == VK_LEFT && FSelKeyDown == 0))) {
        const bool forward = Key == VK_RIGHT;
        Key = 0;
        FGrid->CursorWalkOut(forward, Text());
        return;
    }
    if (Key != VK_RETURN)
        TCustomMaskEdit::KeyUp(Key, Shift);
    if (WorkMode)
        CompleteFromLookup(FGrid, this);
}

void TGridEditBtn::KeyPress(QChar& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
    if (Key == QChar(u'\t'))
        return;
    TEsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::Paste()
{
    bool allow = Clipboard()->HasText();
    QString s = Clipboard()->AsText();
    if (FGrid->OnClipboardPaste)
        FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), s, allow);
    if (!allow)
        return;
    if (const qsizetype crlf = s.indexOf(QStringLiteral("\r\n")); crlf >= 0 && crlf == s.size() - 2)
        s.chop(2);
    const Integer start = SelStart(), selLen = SelLength();
    QString n = Text();
    n.replace(start, selLen, s);
    SetText(n);
    FGrid->SetCurrentCellEditText(Text());
    SetSelStart(start);
    if (selLen > 0)
        SetSelLength(Integer(s.size()));
    else
        SetSelStart(start + Integer(s.size()));
}

void TGridEditBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: {
        QChar ch(char16_t(Message.WParam));
        if (ch == u'\r' || ch == u'\t') {
            Message.Result = 1;
            return;
        }
        const TEditorType kind = FGrid->EditControl;
        if (kind == edNumericEditBtn || kind == edFloatEditBtn) {
            // Ctrl lets the clipboard keys through.
            const bool ctrl = KeyDataToShiftState().Contains(ssCtrl);
            if (!ctrl && !AcceptEditorChar(FGrid, kind == edNumericEditBtn ? edNumeric : edFloat, ch, Text(),
                                           SelStart(), SelText(), ctrl))
                return;
            Message.WParam = ch.unicode();
        }
        break;
    }
    case WM_PASTE:
        if (EditorEnabled() && !ReadOnly())
            Paste();
        return;
    case WM_LBUTTONDBLCLK:
        TEsgEditBtn::Dispatch(Message);
        if (FGrid->OnDblClickCell)
            FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
        return;
    case CM_WANTSPECIALKEY:
        TEsgEditBtn::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, FGrid->HasCellValidation()))
            Message.Result = 1;
        return;
    default: break;
    }
    TEsgEditBtn::Dispatch(Message);
}

void TGridEditBtn::Change()
{
    TEsgEditBtn::Change();
    if (FGrid != nullptr && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::DoExit()
{
    FGrid->SpecialEditorExit(this);
    TEsgEditBtn::DoExit();
}

// ============================================================ TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TExStringGrid* AGrid) : TEsgUnitEditBtn(AGrid), FGrid(AGrid) {}

void TGridUnitEditBtn::ClickButton()
{
    // The application's say on the value first, then the units to choose from.
    SetText(FGrid->EllipsClick(Text()));
    SelectAll();
    Invalidate();
    TEsgUnitEditBtn::ClickButton();
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    if (!IsButtonEditorKey(Key) || Shift.Contains(ssCtrl)) {
        TEsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!FGrid->CommitEditorText(this, GetTextAndUnit())) {
            // The text the validation shows, split into value and unit again.
            SetUnitID(QString());
            SetText(FGrid->GetCurrentCell());
            SetTextAndUnit(FGrid->GetCurrentCell());
            Key = 0;
            FGrid->FNoAutoAdvance = true;
            return;
        }
        SetUnitID(QString());
        SetText(FGrid->GetCurrentCell());
        SetTextAndUnit(FGrid->GetCurrentCell());
    }
    TNavigation* nav = FGrid->Navigation();
    const Word key = Key;
    Key = 0;
    if (key == VK_RETURN && nav->AdvanceOnEnter()) {
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
        return;
    }
    if (key == VK_TAB && (FGrid->Options() & goTabs) != 0) {
        FGrid->TabOutOfEditor(Shift.Contains(ssShift));
        return;
    }
    if (key == VK_ESCAPE) {
        SetUnitID(QString());
        SetText(FGrid->GetCurrentCell());
    }
    FGrid->FCancelEdit = key == VK_ESCAPE;
    FGrid->DoneInplaceEdit(key, Shift);
    FGrid->FCancelEdit = false;
}

void TGridUnitEditBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: {
        QChar ch(char16_t(Message.WParam));
        if (ch == u'\r') {
            Message.Result = 0;
            return;
        }
        const TEditorType kind = FGrid->EditControl;
        if (kind == edNumericUnitEditBtn || kind == edFloatUnitEditBtn) {
            if (!AcceptEditorChar(FGrid, kind == edNumericUnitEditBtn ? edNumeric : edFloat, ch, Text(), SelStart(),
                                  SelText(), KeyDataToShiftState().Contains(ssCtrl)))
                return;
            Message.WParam = ch.unicode();
        }
        break;
    }
    case CM_WANTSPECIALKEY:
        TEsgUnitEditBtn::Dispatch(Message);
        if (TExStringGrid::EditorClaimsKey(Message.WParam, (FGrid->Options() & goTabs) != 0))
            Message.Result = 1;
        return;
    default: break;
    }
    TEsgUnitEditBtn::Dispatch(Message);
}

void TGridUnitEditBtn::DoExit()
{
    FGrid->SpecialEditorExit(this);
    TEsgUnitEditBtn::DoExit();
}

// ============================================================ TGridButton

TGridButton::TGridButton(TExStringGrid* AGrid) : TButton(AGrid), FGrid(AGrid) {}

void TGridButton::RoundTrip()
{
    SetCaption(FGrid->EllipsClick(Caption()));
    FGrid->SetCurrentCell(Caption());
}

void TGridButton::HideButton()
{
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus())
        FGrid->SetFocus();
}

void TGridButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONUP:
        if (Parent() == FGrid)
            RoundTrip();
        break;
    case CM_WANTSPECIALKEY:
        if (Message.WParam == VK_ESCAPE || (Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN)) {
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TButton::Dispatch(Message);
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE) {
        Key = 0;
        HideButton();
        FGrid->RestoreCellFromCache();
        SendMessage(FGrid, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    if (Key >= VK_LEFT && Key <= VK_DOWN) {
        const Word key = Key;
        Key = 0;
        HideButton();
        SendMessage(FGrid, WM_KEYDOWN, key, 0);
        SendMessage(FGrid, WM_KEYUP, key, 0);
        return;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        RoundTrip();
        if (CanFocus())
            SetFocus();
        Invalidate();
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::DoExit()
{
    FGrid->SpecialEditorExit(this);
    TButton::DoExit();
}
