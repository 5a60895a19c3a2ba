// TExInplaceEdit: the text editor the grid lays over a cell for the
// text-like editor kinds. It filters typed and pasted characters by the
// cell's kind, completes typed text from the grid's lookup list, decides
// which keys stay in the editor and which end the edit or walk to another
// cell, and validates the text on the way out.

#include "grid/ExGridEditors.h"

#include "grid/ExGrid.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Clipboard.h"
#include "platform/Locale.h"
#include "platform/Messages.h"

TExInplaceEdit::TExInplaceEdit(TExStringGrid* AGrid) : TInplaceEdit(AGrid), FGrid(AGrid) {}

void TExInplaceEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    if (HandleAllocated())
        RecreateWnd();
}

void TExInplaceEdit::SetVAlign(bool Value)
{
    FVAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

bool TExInplaceEdit::WantsLines() const
{
    // Lines need the multi-line window; a mask or a password keeps one line.
    return FGrid->Multilinecells() && FGrid->EditControl != edPassword && FGrid->GetEditMask(FGrid->Col(), FGrid->Row()).isEmpty();
}

void TExInplaceEdit::CreateParams(TCreateParams& Params)
{
    TInplaceEdit::CreateParams(Params);
    FWordWrap = FGrid->WordWrap();
    if (WantsLines())
        Params.Style |= ES_MULTILINE;
    if (FGrid->EditControl == edPassword)
        Params.Style = (Params.Style | ES_PASSWORD) & ~DWORD(ES_MULTILINE);
    if (FWordWrap)
        Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    Params.Style |= ES_WANTRETURN;
    GotKey = false;
    Workmode = true;
}

void TExInplaceEdit::CreateWnd()
{
    TInplaceEdit::CreateWnd();
    SetPasswordChar(FGrid->EditControl == edPassword ? FGrid->PasswordChar() : QChar());
    FLengthLimit = SmallInt(FGrid->GetEditLimit());
}

void TExInplaceEdit::UpdateContents()
{
    if (HandleAllocated() && WantsLines() != MultiLine())
        RecreateWnd();
    SetPasswordChar(FGrid->EditControl == edPassword ? FGrid->PasswordChar() : QChar());
    // The cell's text as it is, whatever the length limit: the limit is the
    // typing's (WMChar, Paste), never the window's, which would cut the text
    // (and a limit left from the column edited before would cut this one).
    {
        const Integer c = FGrid->Col(), r = FGrid->Row();
        FLoading = true;
        SetMaxLength(0);
        SetText(QString());
        SetEditMask(FGrid->GetEditMask(c, r));
        SetText(FGrid->GetEditText(c, r));
        FLoading = false;
    }
    FGrid->FNoEditChange = false;
    // The editor looks like the cell it covers.
    const Integer c = FGrid->Col(), r = FGrid->Row();
    TGridDrawState state = 0;
    TBrush brush;
    TFont font;
    font.Assign(FGrid->Font());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment alignment = taLeftJustify;
    TVAlignment valignment = vtaTop;
    bool wrap = false;
    TCellGradientDirection dir = GradientVertical;
    FGrid->GetVisualProperties(c, r, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font, alignment,
                               valignment, wrap, dir);
    SetColor(brush.Color());
    Font()->Assign(&font);
    SetAlignment(alignment);
    FColE = c;
    FRowE = r;
    FLengthLimit = SmallInt(FGrid->GetEditLimit());
    FGrid->GetEditorProp(FGrid->RealColIndex(c), r, nullptr);
}

void TExInplaceEdit::BoundsChanged()
{
    TInplaceEdit::BoundsChanged();
    // One pixel short of the cell, so that the cell's grid lines stay visible.
    const TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
    if (!r.IsEmpty())
        SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

void TExInplaceEdit::Refuse(const QString& OldText)
{
    // The validation has put the text to show (the old one or the handler's)
    // into the cell and the editor already.
    if (FGrid->Navigation()->EditSelectAll())
        SelectAll();
    else
        SetSelStart(Integer(Text().size()));
    FGrid->FOldCellText = OldText;
}

bool TExInplaceEdit::CaretOnFirstLine() const
{
    return !MultiLine() || LineFromChar(SelStart()) == 0;
}

bool TExInplaceEdit::CaretOnLastLine() const
{
    return !MultiLine() || LineFromChar(SelStart()) >= LineFromChar(Integer(Text().size()));
}

bool TExInplaceEdit::WriteAndValidate()
{
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(Text());
    FGrid->FValidating = false;
    return Validate();
}

bool TExInplaceEdit::Validate()
{
    // With no edit pending the validation hands the text back unchanged.
    FGrid->FNewCellText = Text();
    return FGrid->ValidateCell(Text());
}

void TExInplaceEdit::WMKeyDown(TMessage& Message)
{
    FGrid->InplaceEditWMKeyDown(Message);
    FEatReturn = false;
    FOldSelStart = SelStart();
    const Word key = Word(Message.WParam);
    const TShiftState shift = KeyDataToShiftState();
    const bool ctrl = shift.Contains(ssCtrl), alt = shift.Contains(ssAlt);
    TNavigation* nav = FGrid->Navigation();
    const bool lines = FGrid->WordWrap() || FGrid->Multilinecells();

    if (key == VK_ESCAPE) {
        SetText(FGrid->FCellCache);
        FGrid->HideInplaceEdit();
    }
    if (key == 'A' && ctrl && !alt) {
        SelectAll();
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    if (key == VK_RETURN && ctrl && !(nav->AllowCtrlEnter() && lines))
        return;
    const QString oldText = FGrid->FOldCellText;
    if (key == VK_TAB) {
        if (FGrid->HasCellValidation() && !Validate()) {
            Refuse(oldText);
            return;
        }
        SetText(FGrid->FNewCellText);
        FGrid->HideInplaceEdit();
        if ((FGrid->Options() & goTabs) != 0)
            FGrid->TabToNextCell(shift.Contains(ssShift));
        else
            PostMessage(FGrid, WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    const Integer len = Integer(Text().size());
    if (nav->CursorWalkEditor() && shift.Contains(ssShift)
        && ((key == VK_LEFT && SelStart() == 0) || (key == VK_RIGHT && SelStart() == len))) {
        if (!WriteAndValidate()) {
            Refuse(oldText);
            Invalidate();
            return;
        }
        SetText(FGrid->FNewCellText);
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        return;
    }
    bool vertical = false;
    if ((key == VK_UP && CaretOnFirstLine()) || (key == VK_DOWN && CaretOnLastLine())) {
        if (!WriteAndValidate()) {
            Refuse(oldText);
            Invalidate();
            return;
        }
        SetText(FGrid->FNewCellText);
        vertical = true;
    }
    if (key == VK_RETURN && !nav->LineFeedOnEnter() && !ctrl) {
        if (!Validate()) {
            Refuse(oldText);
            FEatReturn = true;  // the Enter character that follows is part of the refused key
            return;
        }
        SetText(FGrid->FNewCellText);
    }
    if (key == VK_HOME && !ctrl && !shift.Contains(ssShift) && !MultiLine())
        SetSelStart(0);
    if (key == VK_END && !ctrl && !shift.Contains(ssShift) && !MultiLine())
        SetSelStart(len);
    if (key == VK_RETURN && ctrl && nav->LineFeedOnEnter()) {
        QChar cr(u'\r');
        TInplaceEdit::KeyPress(cr);
        return;
    }
    TInplaceEdit::Dispatch(Message);
    if (vertical && FGrid->MouseActions()->DisjunctRowSelect()) {
        FGrid->ClearRowSelect();
        FGrid->SetRowSelect(FGrid->Row(), true);
    }
}

void TExInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    FSelKeyDown = SelStart();
    if (Key == VK_RETURN) {
        TNavigation* nav = FGrid->Navigation();
        if (!nav->AllowCtrlEnter()) {
            if (FGrid->WordWrap() || FGrid->Multilinecells())
                FGrid->FEditing = false;
        }
        // A line about to be added grows the row first.
        if ((Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) && FGrid->SizeWhileTyping()->Height()
            && FGrid->Multilinecells()) {
            TColumnSize* cs = FGrid->ColumnSize();
            const bool synch = cs->SynchWithGrid();
            cs->SetSynchWithGrid(false);
            const Integer n = ::LineCount(Text() + QStringLiteral("\r\n "), true);
            if (n < FGrid->GetRowLineCount(FGrid->Row()))
                FGrid->AutoSizeRow(FGrid->Row(), 0);
            else
                FGrid->SizeRowToLines(FGrid->Row(), n, FGrid->GetYPadding());
            cs->SetSynchWithGrid(synch);
            if (FGrid->OnEndRowSize)
                FGrid->OnEndRowSize(FGrid, FGrid->Row());
        }
    } else if (Key == VK_BACK || Key == VK_DELETE) {
        Workmode = false;
    } else if (Key == VK_UP && !CaretOnFirstLine()) {
        return;  // the editor walks its own lines
    } else if (Key == VK_DOWN && !CaretOnLastLine()) {
        return;
    } else if (Key != VK_RETURN) {
        Workmode = true;
    }
    FGrid->InplaceEditKeyDown(Key, Shift);
    // With the cursor walk the key-up leaves the cell at the text's edge.
    if (FGrid->Navigation()->CursorWalkEditor() && (Key == VK_LEFT || Key == VK_RIGHT) && !Shift.Contains(ssCtrl))
        return;
    TInplaceEdit::KeyDown(Key, Shift);
}

bool AcceptEditorChar(TExStringGrid* Grid, TEditorType Kind, QChar& Ch, const QString& Text, Integer SelStart,
                      const QString& SelText, bool Ctrl)
{
    const char16_t c = Ch.unicode();
    const bool control = c == 8 || c == 9 || c == 13 || c == 27;
    auto beep = [] { MessageBeep(0); return false; };
    switch (Kind) {
    case edNumeric:
        if (control || (c >= u'0' && c <= u'9'))
            return true;
        if (c == u'-' && !Text.contains(u'-') && SelStart == 0)
            return true;
        return beep();
    case edPositiveNumeric:
        if (control || (c >= u'0' && c <= u'9'))
            return true;
        return beep();
    case edFloat:
    case edPositiveFloat: {
        if (control || (c >= u'0' && c <= u'9'))
            return true;
        const QChar dec = FormatSettings().DecimalSeparator, thousand = FormatSettings().ThousandSeparator;
        if (Ch == dec)
            return !Text.contains(dec) || SelText.contains(dec);
        if (Ch == thousand)
            return false;
        if (c == u'-') {
            if (Kind == edPositiveFloat)
                return false;
            if ((SelStart == 0 && !Text.contains(u'-')) || SelText.contains(u'-'))
                return true;
            return beep();
        }
        if (c == u',' || c == u'.')
            return false;
        // Ctrl combinations (copy, paste, cut) still reach the edit.
        return Ctrl;
    }
    case edCapital:
    case edUpperCase:
        Ch = Ch.toUpper();
        return true;
    case edLowerCase:
        Ch = Ch.toLower();
        return true;
    case edValidChars: {
        if (c == 8 || c == 13)
            return true;
        const QString valid = Grid->ValidChars();
        if (!valid.isEmpty() ? valid.contains(Ch) : (c <= 255 && Grid->ValidCharSet().contains(Ch)))
            return true;
        return beep();
    }
    default:
        return true;
    }
}

bool TExInplaceEdit::AcceptChar(QChar& Ch)
{
    return AcceptEditorChar(FGrid, FGrid->EditControl, Ch, Text(), SelStart(), SelText(),
                            KeyDataToShiftState().Contains(ssCtrl));
}

void TExInplaceEdit::WMChar(TMessage& Message)
{
    QChar ch(char16_t(Message.WParam));
    if (FEatReturn && ch == u'\r') {
        FEatReturn = false;
        return;
    }
    const TShiftState shift = KeyDataToShiftState();
    const bool ctrl = shift.Contains(ssCtrl);
    TNavigation* nav = FGrid->Navigation();
    const bool lines = FGrid->WordWrap() || FGrid->Multilinecells();
    if (ch == u'.' && (Message.LParam & 0x400000) != 0 && FGrid->ExcelStyleDecimalSeparator())
        ch = FormatSettings().DecimalSeparator;
    if (ctrl && ch.unicode() == 1)
        return;
    const bool ctrlEnter = ctrl && (ch.unicode() == 10 || ch.unicode() == 13);
    if (ctrlEnter && !(nav->AllowCtrlEnter() && lines))
        return;
    // The clipboard keys go the edit's clipboard road.
    if (ch.unicode() == 22 || ch.unicode() == 3 || ch.unicode() == 24) {
        Perform(ch.unicode() == 22 ? WM_PASTE : ch.unicode() == 3 ? WM_COPY : WM_CUT);
        return;
    }
    const Integer len = Integer(Text().size());
    if (FLengthLimit > 0 && len >= FLengthLimit && SelLength() == 0 && ch.unicode() != 8 && ch.unicode() != 27
        && ch.unicode() != 13 && !ctrlEnter)
        return;
    const TEditorType kind = FGrid->EditControl;
    const bool textKind = kind == edNormal || kind == edCapital || kind == edMixedCase || kind == edLowerCase
                          || kind == edUpperCase || kind == edValidChars;
    if (textKind && ch.unicode() == 13 && nav->LineFeedOnEnter()) {
        Message.WParam = u'\n';
        TInplaceEdit::Dispatch(Message);
        return;
    }
    if (!ctrlEnter && !AcceptChar(ch))
        return;
    Message.WParam = ch.unicode();
    const Integer caret = SelStart();
    TInplaceEdit::Dispatch(Message);
    if (kind == edMixedCase && ch.unicode() >= 32) {
        SetText(ToMixedCase(Text()));
        SetSelStart(caret + 1);
    }
    const Integer maxLen = FGrid->MaxEditLength();
    if (nav->AdvanceAuto() && nav->AdvanceOnEnter() && maxLen > 0 && Text().size() == maxLen && SelLength() == 0
        && SelStart() == maxLen) {
        QChar enter(u'\r');
        FGrid->KeyPress(enter);
    }
}

void TExInplaceEdit::KeyPress(QChar& Key)
{
    if (Key == QChar(u'\r') && !FGrid->Navigation()->LineFeedOnEnter() && !Validate()) {
        SetText(FGrid->GetCurrentCell());
        Key = QChar(0);
        return;
    }
    TInplaceEdit::KeyPress(Key);
    const QString text = Text();
    if (FGrid->Navigation()->AdvanceAuto() && !EditMask().isEmpty() && !text.contains(u' ')
        && SelStart() == Integer(text.size()) && Key.unicode() >= 32) {
        QChar enter(u'\r');
        FGrid->KeyPress(enter);
    }
}

void TExInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    TNavigation* nav = FGrid->Navigation();
    const Integer len = Integer(Text().size());
    const bool plain = Shift.Empty() && SelLength() == 0;
    const bool left = Key == VK_LEFT && plain && SelStart() == 0 && FSelKeyDown == 0;
    const bool right = Key == VK_RIGHT && plain && FOldSelStart == len;
    if (nav->CursorWalkEditor() && (left || right)) {
        Key = 0;
        FGrid->CursorWalkOut(right, Text());
        return;
    }
    TInplaceEdit::KeyUp(Key, Shift);
    DoChange();
    // The cell grows with what was typed.
    TSizeWhileTyping* sw = FGrid->SizeWhileTyping();
    if (sw->Width())
        FGrid->DoAutoSizeCol(FGrid->Col(), true);
    if (sw->Height() && FGrid->WordWrap()) {
        TColumnSize* cs = FGrid->ColumnSize();
        const bool synch = cs->SynchWithGrid();
        cs->SetSynchWithGrid(false);
        FGrid->AutoSizeRow(FGrid->Row(), 0);
        cs->SetSynchWithGrid(synch);
        if (FGrid->OnEndRowSize)
            FGrid->OnEndRowSize(FGrid, FGrid->Row());
    }
}

bool CompleteFromLookup(TExStringGrid* Grid, TCustomEdit* Edit)
{
    if (Edit->SelLength() != 0 || !Grid->Lookup())
        return false;
    TStringList* items = Grid->LookupItems();
    if (items == nullptr || items->Count() == 0)
        return false;
    const bool cs = Grid->LookupCaseSensitive();
    const QString text = Edit->Text();
    const QString typed = text.left(Edit->SelStart());
    if (typed.isEmpty())
        return false;
    const QString p = cs ? typed : typed.toUpper();
    for (Integer i = 0; i < items->Count(); ++i) {
        const QString item = items->Strings(i);
        if ((cs ? item : item.toUpper()).startsWith(p)) {
            const QString full = text.left(p.size()) + item.mid(p.size(), 255);
            Edit->SetText(full);
            Edit->SetSelStart(Integer(p.size()));
            Edit->SetSelLength(Integer(full.size() - p.size()));
            return true;
        }
    }
    return false;
}

void TExInplaceEdit::DoChange()
{
    if (Workmode && CompleteFromLookup(FGrid, this))
        GotKey = false;
}

void TExInplaceEdit::Paste()
{
    bool allow = Clipboard()->HasText();
    QString s = Clipboard()->AsText();
    const Integer col = FGrid->Col(), row = FGrid->Row();
    if (FGrid->OnClipboardPaste)
        FGrid->OnClipboardPaste(this, allow);
    if (allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, col, row, s, allow);
    if (allow) {
        if (const Integer crlf = Integer(s.indexOf(QStringLiteral("\r\n"))); crlf >= 0 && crlf == s.size() - 2)
            s.chop(2);
        const Integer start = SelStart(), selLen = SelLength();
        QString n = Text();
        n.replace(start, selLen, s);
        // The limit stops a paste that would make the text longer than it;
        // a text longer already (read from a file) may be changed in place.
        if (FLengthLimit < 1 || FLengthLimit >= n.size() || n.size() <= Text().size()) {
            const TEditorType kind = FGrid->EditControl;
            const Integer numKind = NumericTextKind(n);
            bool take = true;
            switch (kind) {
            case edNumeric:
            case edPositiveNumeric: take = numKind == 0 && (!n.contains(u'-') || kind == edNumeric); break;
            case edFloat:
            case edPositiveFloat: take = (numKind == 0 || numKind == 1) && (!n.contains(u'-') || kind == edFloat); break;
            case edMixedCase: n = ToMixedCase(n); break;
            case edLowerCase: n = n.toLower(); break;
            case edUpperCase: n = n.toUpper(); break;
            case edValidChars:
                for (QChar ch : n)
                    take = take && FGrid->ValidChars().contains(ch);
                break;
            default: break;
            }
            if (take) {
                SetText(n);
                SetSelStart(start);
                if (selLen > 0)
                    SetSelLength(Integer(s.size()));
                else
                    SetSelStart(start + Integer(s.size()));
            }
        }
    }
    FGrid->SetCurrentCellEditText(Text());
    if (FGrid->OnClipboardAfterPasteCell)
        FGrid->OnClipboardAfterPasteCell(this, col, row, Text());
}

void TExInplaceEdit::KillFocus(TMessage& Message)
{
    FGrid->FStartEditChar = QChar();
    if (FGrid->LookupHistory() && !Text().isEmpty() && FGrid->LookupItems()->IndexOf(Text()) < 0)
        FGrid->LookupItems()->Add(Text());
    FGrid->InplaceEditFormula(false);
    TInplaceEdit::Dispatch(Message);
    if (FAltBack)
        return;
    // The focus goes to another window of the program or to another program.
    auto* to = reinterpret_cast<HWND>(Message.WParam);
    const bool elsewhere = FindControl(to) != FGrid && FindControl(to) != this;
    if (elsewhere && (FGrid->EditMode || FGrid->EditorMode())) {
        // The edit ends when the focus leaves the grid: validated, written
        // back and closed, even when a handler raises.
        struct TClose {
            TExInplaceEdit* E;
            ~TClose()
            {
                E->FGrid->HideInplaceEdit();
                E->FGrid->FEditing = false;
                E->FGrid->EditMode = false;
            }
        } close{this};
        Validate();
        SetText(FGrid->GetCurrentCell());
    }
    if (elsewhere && FColE >= 0 && FRowE >= 0 && FColE < FGrid->ColCount() && FRowE < FGrid->RowCount())
        FGrid->SelectCell(FColE, FRowE);
    FGotFocus = false;
    {
        const bool old = FGrid->FNoEditChange;
        FGrid->FNoEditChange = true;
        if (elsewhere)
            SetText(FGrid->GetCurrentCell());
        FGrid->FNoEditChange = old;
    }
    FGrid->InplaceEditCaretChanged(Text(), -1);
}

void TExInplaceEdit::SetFocusMessage(TMessage& Message)
{
    TInplaceEdit::Dispatch(Message);
    FGotFocus = true;
    FGrid->FNoEditChange = false;
    FLengthLimit = SmallInt(FGrid->GetEditLimit());
    if (!EditMask().isEmpty() && !FGrid->LButFlg && FGrid->Navigation()->ImproveMaskSel()) {
        SetSelStart(0);
        SetSelLength(1);
    } else if (!FGrid->Navigation()->EditSelectAll()) {
        SetSelStart(Integer(Text().size()));
    }
    // Opened by a click: the caret goes where the user clicked.
    if (FGrid->LButFlg) {
        const TPoint p = ScreenToClient(GetCursorPos());
        if (p.X >= 0 && p.X <= Width() && p.Y >= 0 && p.Y <= Height()) {
            const LRESULT i = Perform(EM_CHARFROMPOS, 0, PointToLParam(p));
            if (i != -1) {
                SetSelStart(Integer(LOWORD(WPARAM(i))));
                SetSelLength(0);
                FGrid->LButFlg = false;
            }
        }
    }
}

void TExInplaceEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_KEYUP: {
        TInplaceEdit::Dispatch(Message);
        if (SelStart() > 0) {
            FGrid->InplaceEditCaretChanged(Text(), SelStart());
        }
        FGrid->InplaceEditFormula(Text().startsWith(u'='));
        return;
    }
    case WM_PASTE: Paste(); return;
    case WM_COPY:
    case WM_CUT: {
        bool allow = true;
        const auto& ev = Message.Msg == WM_COPY ? FGrid->OnClipboardCopy : FGrid->OnClipboardCut;
        if (ev)
            ev(this, allow);
        if (allow && SelLength() > 0) {
            Clipboard()->SetAsText(SelText());
            if (Message.Msg == WM_CUT)
                ClearSelection();
        }
        return;
    }
    case WM_SETFOCUS: SetFocusMessage(Message); return;
    case WM_KILLFOCUS: KillFocus(Message); return;
    case WM_LBUTTONDBLCLK:
        TInplaceEdit::Dispatch(Message);
        if (FGrid->OnDblClickCell)
            FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
        return;
    case CM_WANTSPECIALKEY:
        TInplaceEdit::Dispatch(Message);
        if (Message.WParam == VK_TAB && FGrid->HasCellValidation())
            Message.Result = 1;
        return;
    default: TInplaceEdit::Dispatch(Message); return;
    }
}

void TExInplaceEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SYSKEYDOWN && Message.WParam == VK_BACK)
        FAltBack = true;
    else if (Message.Msg == WM_SYSKEYUP && Message.WParam == VK_BACK)
        FAltBack = false;
    TInplaceEdit::WndProc(Message);
}

void TExInplaceEdit::Change()
{
    // While the cell's text is loaded the cell does not follow the editor.
    if (FLoading)
        TCustomMaskEdit::Change();
    else
        TInplaceEdit::Change();
    if (!FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}
