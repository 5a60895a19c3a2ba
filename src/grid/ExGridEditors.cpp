// TExStringGrid: which editor a cell gets when editing starts, the placing,
// filling and showing of a special editor, the writing back of its value,
// the editability tests and the shared combo list; and the editor classes
// themselves (text edit, combo box, check box).

#include "grid/ExGridEditors.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGrid.h"
#include "grid/ExGridCellGraphic.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <climits>

// ============================================================ TGridCheckBox

TGridCheckBox::TGridCheckBox(TExStringGrid* AGrid) : TCheckBox(AGrid), FGrid(AGrid) {}

void TGridCheckBox::Toggle()
{
    SetState(State() == cbChecked ? cbUnchecked : cbChecked);
}

void TGridCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        // One toggle per press: the box's own click is not run as well.
        Toggle();
        if (CanFocus() && !Focused())
            SetFocus();
        return;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return;
    case CM_WANTSPECIALKEY: {
        const Word key = Word(Message.WParam);
        if (key == VK_RETURN || key == VK_ESCAPE || (key >= VK_LEFT && key <= VK_DOWN)) {
            Message.Result = 1;
            return;
        }
        break;
    }
    default: break;
    }
    TCheckBox::Dispatch(Message);
}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE:
        Toggle();
        Key = 0;  // one toggle per Space
        return;
    case VK_ESCAPE:
        SetCaption(FGrid->GetCurrentCell());
        [[fallthrough]];
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
        const Word key = Key;
        Key = 0;
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        if (key == VK_RETURN) {
            if (FGrid->Navigation()->AdvanceOnEnter())
                FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
        } else if (key == VK_UP || key == VK_DOWN) {
            Word move = key;
            FGrid->KeyDown(move, Shift);
        }
        return;
    }
    default:
        TCheckBox::KeyDown(Key, Shift);
    }
}

void TGridCheckBox::KeyPress(QChar& Key)
{
    // Space toggled the box at its key-down already.
    if (Key == QChar(u' '))
        Key = QChar(0);
    TCheckBox::KeyPress(Key);
}

void TGridCheckBox::DoExit()
{
    TCheckBox::DoExit();
    if (!FGrid->FBlockKill && FGrid->EditMode && FGrid->EditControl == edCheckBox)
        FGrid->HideInplaceEdit();
}

// ============================================================ the grid's side

bool TExStringGrid::IsTextEditor(TEditorType Kind)
{
    switch (Kind) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

TInplaceEdit* TExStringGrid::CreateEditor()
{
    return new TExInplaceEdit(this);
}

TExInplaceEdit* TExStringGrid::GetNormalEdit() const
{
    return dynamic_cast<TExInplaceEdit*>(InplaceEditor());
}

QString TExStringGrid::GetEditText(Integer ACol, Integer ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    FNoEditChange = true;
    // A right-aligned cell edits right-aligned.
    if (TExInplaceEdit* ed = GetNormalEdit())
        ed->SetVAlign(CalcCellAlignment(b.X, b.Y).first == taRightJustify);
    QString text = GetGridCell(b.X, b.Y);
    if (!EditWithTags())
        text = StripHTMLTags(text);
    return text;
}

void TExStringGrid::SetEditText(Integer ACol, Integer ARow, const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    SetCells(b.X, b.Y, Value);
}

bool TExStringGrid::CanEditShow()
{
    if (FValidating)
        return false;
    bool answer = TBaseGrid::CanEditShow();
    if (IsDesigning())
        return answer;
    // The platform grid asks more than once while it opens an editor: a
    // special editor that is open keeps the normal edit hidden.
    if (EditMode && !IsTextEditor(EditControl))
        return false;
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (answer && !EditMode && IsControlCell(b.X, b.Y))
        return false;
    if (answer && !EditMode) {
        // Validation compares with the text the cell has as editing begins.
        StoreOldCellState(Col(), Row());
        FNoEditChange = true;
        FCellCache = GetGridCell(b.X, b.Y);
        EditControl = DefaultEditor();
        GetCellEditor(b.X, b.Y, EditControl);
        if (EditControl == edNone)
            return false;
        EditMode = true;
        if (IsTextEditor(EditControl)) {
            FShowEditProcess = true;
        } else {
            ShowCellEditor(RealToDisplCol(b.X), b.Y);
            FEntered = true;
            answer = false;
        }
    }
    if (answer) {
        FEntered = true;
        FEditing = true;
    }
    if (EditMode)
        ShowFocusFrameForEdit();
    return answer;
}

void TExStringGrid::DeliverStartChar(TWinControl* Editor)
{
    if (FStartEditChar.isNull() || Editor == nullptr)
        return;
    const QChar ch = FStartEditChar;
    FStartEditChar = QChar();
    if (auto* combo = dynamic_cast<TGridCombo*>(Editor))
        combo->TypeChar(ch);
    else
        TypeCharacter(Editor, ch);
}

namespace {

// The leading integer of a text ("12 kg" gives 12), 0 without one.
Integer LeadingInteger(const QString& Text)
{
    const QString t = Text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    const qsizetype digits = i;
    while (i < t.size() && t[i].unicode() >= u'0' && t[i].unicode() <= u'9' && i - digits < 10)
        ++i;
    bool ok = false;
    const qlonglong v = t.left(i).toLongLong(&ok);
    return ok ? Integer(std::clamp<qlonglong>(v, INT32_MIN, INT32_MAX)) : 0;
}

} // namespace

void TExStringGrid::ShowCellEditor(Integer ACol, Integer ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    TRect r = CellRect(ACol, ARow);
    const Integer w = r.Right - r.Left - 1;
    const Integer h = r.Bottom - r.Top - 1;
    const Integer rc = RealColIndex(ACol);
    // The editor takes the colour and font the cell paints in.
    TGridDrawState state = 0;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment alignment = taLeftJustify;
    TVAlignment valignment = vtaTop;
    bool wordWrap = false;
    TCellGradientDirection dir = GradientVertical;
    TFont font;
    font.Assign(Font());
    GetVisualProperties(ACol, Row(), state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font, alignment,
                        valignment, wordWrap, dir);
    const TColor editorColor = brush.Color();
    EditCtrl = nullptr;
    if (EditControl != edCustom)
        FLastValidation = true;
    const QString editText = GetEditText(ACol, ARow);
    FNoEditChange = true;
    bool opened = false;
    // Shown, enabled, coloured and focused: the end of every editor's opening.
    auto showAndFocus = [&](TWinControl* editor) {
        editor->Show();
        editor->SetEnabled(true);
        editor->SetColor(editorColor);
        if (editor->CanFocus())
            editor->SetFocus();
    };

    switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* spin = SpinEdit();
        spin->ReCreate();
        spin->SetBounds(r.Left, r.Top, w, h);
        spin->Show();
        spin->SetEnabled(true);
        spin->SetColor(editorColor);
        spin->SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator());
        GetEditorProp(rc, ARow, FEditLink);
        switch (EditControl) {
        case edSpinEdit:
            spin->SetValue(LeadingInteger(editText));
            spin->SetSpinType(sptNormal);
            break;
        case edFloatSpinEdit: {
            bool ok = false;
            const double v = ExtractNumber(editText).toDouble(&ok);
            spin->SetFloatValue(ok ? v : 0.0);
            spin->SetSpinType(sptFloat);
            break;
        }
        case edTimeSpinEdit:
            spin->SetText(editText);
            spin->SetSpinType(sptTime);
            break;
        default: {
            TDateTime d = 0;
            if (editText.trimmed().isEmpty() || !TryStrToDate(editText, d))
                d = Now();
            spin->SetDateValue(d);
            spin->SetSpinType(sptDate);
            break;
        }
        }
        if (spin->CanFocus())
            spin->SetFocus();
        EditMode = true;
        opened = true;
        EditCtrl = spin;
        FNoEditChange = false;
        DeliverStartChar(spin);
        // A click on the cell's always-shown spin buttons steps at once.
        if (FSpinUpClick)
            spin->UpClick(spin);
        else if (FSpinDnClick)
            spin->DownClick(spin);
        FSpinUpClick = FSpinDnClick = false;
        break;
    }
    case edComboEdit:
    case edComboList: {
        TGridCombo* combo = EditCombo;
        combo->SetDropDownCount(FControlLook->DropDownCount);
        GetEditorProp(rc, ARow, FEditLink);
        combo->SetBounds(r.Left, r.Top, w, h);
        combo->SetEnabled(true);
        combo->SetDroppedDown(false);
        combo->SetStyle(EditControl == edComboEdit ? csDropDown : csDropDownList);
        combo->SetItemIndex(-1);
        FReportComboChange = false;
        if (EditControl == edComboEdit) {
            combo->SetText(editText);
            if (FComboIdx != -1 && combo->ItemIndex() == -1 && FComboIdx < combo->Items()->Count())
                combo->SetItemIndex(FComboIdx);
            combo->SetMaxLength(MaxComboLength());
        } else {
            combo->SetItemIndex(combo->Items()->IndexOf(GetGridCell(rc, ARow)));
            if (FComboIdx == -1 && combo->ItemIndex() == -1) {
                const Integer i = combo->Items()->IndexOf(editText);
                combo->SetItemIndex(i >= 0 ? i : combo->Items()->Count() > 0 ? 0 : -1);
                FReportComboChange = i < 0;
                if (FReportComboChange)
                    combo->FirstItemForced();
            } else if (FComboIdx != -1 && combo->ItemIndex() == -1 && FComboIdx < combo->Items()->Count()) {
                combo->SetItemIndex(FComboIdx);
            }
        }
        // The look first: switching the flat look resets the combo's colour.
        const bool flat = FLook == glSoft || FLook == glKavro || FLook == glXP || FLook == glListView
                          || FLook == glVista || FLook == glWin7 || FLook == glOffice2007;
        combo->SetFlat(flat);
        combo->SetEtched(flat);
        combo->SetColor(editorColor);
        combo->Show();
        if (FNavigation->AutoComboDropSize())
            combo->SizeDropDownWidth();
        if (combo->CanFocus())
            combo->SetFocus();
        if (FMouseActions->DirectComboDrop() || FControlLook->DropDownAlwaysVisible())
            combo->SetDroppedDown(true);
        if (FReportComboChange && combo->Items()->Count() > 0) {
            if (OnComboChange)
                OnComboChange(this, rc, ARow, 0, combo->Items()->Strings(0));
            if (OnComboObjectChange)
                OnComboObjectChange(this, rc, ARow, 0, combo->Items()->Strings(0), combo->Items()->Objects(0));
        }
        FReportComboChange = false;
        EditMode = true;
        opened = true;
        EditCtrl = combo;
        FNoEditChange = false;
        DeliverStartChar(combo);
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: {
        TGridEditBtn* ed = BtnEdit();
        ed->ReCreate();
        ed->SetBounds(r.Left, r.Top, w, ed->Height());
        ed->SetEditMask(QString());
        ed->SetText(editText);
        ed->SetMaxLength(GetEditLimit());
        showAndFocus(ed);
        ed->SetBounds(r.Left, r.Top, w, h);
        if (EditControl == edMaskEditBtn)
            ed->SetEditMask(GetEditMask(rc, ARow));
        EditMode = true;
        opened = true;
        EditCtrl = ed;
        FNoEditChange = false;
        DeliverStartChar(ed);
        break;
    }
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn: {
        TGridUnitEditBtn* ed = BtnUnitEdit();
        ed->ReCreate();
        ed->SetBounds(r.Left, r.Top, w, ed->Height());
        ed->SetMaxLength(GetEditLimit());
        ed->SetUnitID(QString());
        ed->SetText(QString());
        // The application fills the units before the text is split.
        GetEditorProp(rc, ARow, FEditLink);
        ed->SetText(editText);
        ed->SetTextAndUnit(editText);
        showAndFocus(ed);
        ed->SetBounds(r.Left, r.Top, w, h);
        EditMode = true;
        opened = true;
        EditCtrl = ed;
        FNoEditChange = false;
        DeliverStartChar(ed);
        break;
    }
    case edButton: {
        TGridButton* b = Btn();
        b->ReCreate();
        // One pixel beyond the cell on every side.
        b->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
        b->SetCaption(editText);
        b->Show();
        b->SetEnabled(true);
        if (b->CanFocus())
            b->SetFocus();
        EditMode = true;
        opened = true;
        EditCtrl = b;
        break;
    }
    case edCheckBox: {
        TGridCheckBox* check = EditCheck;
        check->ReCreate();
        check->SetBounds(r.Left, r.Top, w, h);
        check->SetCaption(editText);
        // Opaque in the cell's colour, so that the cell text does not show through.
        check->SetColor(editorColor);
        check->SetEnabled(true);
        check->SetState(cbUnchecked);
        check->Show();
        if (check->CanFocus())
            check->SetFocus();
        EditMode = true;
        opened = true;
        break;
    }
    case edDateEdit:
    case edDateEditUpDown: {
        if (!DateEditorsAvailable)
            break;
        TGridDatePicker* dp = DateTimePicker();
        dp->SetParent(this);
        dp->ReCreate();
        TDateTime value = Now();
        if (!editText.isEmpty()) {
            if (OnCustomStrToDate) {
                TDateTime d = Now();
                OnCustomStrToDate(this, editText, d);
                value = d;
            } else if (TDateTime d = 0; TryStrToDateTime(editText, d) || TryStrToDate(editText, d)) {
                value = d;
            }
            if (dp->MaxDate() != 0 && value > dp->MaxDate())
                value = dp->MaxDate() - 1;
            if (dp->MinDate() != 0 && value <= dp->MinDate())
                value = dp->MinDate() + 1;
        }
        dp->SetDateTime(value);
        dp->SetKind(dtkDate);
        dp->SetDateMode(EditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
        GetEditorProp(rc, ARow, FEditLink);
        dp->SetBounds(r.Left, r.Top, w, h);
        showAndFocus(dp);
        if (FMouseActions->DirectDateDrop())
            dp->Perform(WM_KEYDOWN, VK_F4);
        EditMode = true;
        opened = true;
        EditCtrl = dp;
        FNoEditChange = false;
        DeliverStartChar(dp);
        break;
    }
    case edTimeEdit: {
        if (!DateEditorsAvailable)
            break;
        TGridDatePicker* dp = DateTimePicker();
        dp->SetParent(this);
        dp->ReCreate();
        TDateTime t = 0;
        if (editText.trimmed().isEmpty() || !TryStrToTime(editText, t))
            t = Now();
        dp->SetTime(t);
        dp->SetKind(dtkTime);
        dp->SetBounds(r.Left, r.Top, w, h);
        dp->Show();
        dp->SetEnabled(true);
        dp->SetColor(editorColor);
        GetEditorProp(rc, ARow, FEditLink);
        if (dp->CanFocus())
            dp->SetFocus();
        EditMode = true;
        opened = true;
        EditCtrl = dp;
        break;
    }
    case edDateTimeEdit: {
        if (!DateEditorsAvailable)
            break;
        TGridDateTimePicker* dt = DateAndTimePicker();
        dt->SetParent(this);
        TDateTime value = 0;
        if (editText.trimmed().isEmpty() || !TryStrToDateTime(editText, value))
            value = Now();
        FOriginalDateTime = value;
        dt->SetDateTime(value);
        dt->SetKind(dkDateTime);
        dt->SetBorderStyle(bsNone);
        dt->SetBounds(r.Left, r.Top, w, std::max(dt->Height(), h));
        GetEditorProp(rc, ARow, FEditLink);
        showAndFocus(dt);
        EditMode = true;
        opened = true;
        break;
    }
    case edRichEdit: {
        TExRichEdit* re = InplaceRichEdit();
        re->ReCreate();
        re->SetParent(this);
        re->SetBorderStyle(bsNone);
        re->SetHideSelection(false);
        re->SetBounds(r.Left, r.Top, w, h);
        GetEditorProp(rc, ARow, FEditLink);
        re->Lock();
        CellToRich(rc, ARow, re);
        if (FNavigation->EditSelectAll())
            re->SelectAll();
        else
            re->SetSelStart(Integer(re->Text().size()));
        re->Show();
        re->SetEnabled(true);
        const TRect fr{2, 2, w - 2, h - 2};
        re->Perform(EM_SETRECT, 0, LPARAM(&fr));
        re->SetColor(editorColor);
        if (re->CanFocus())
            re->SetFocus();
        FNoEditChange = false;
        DeliverStartChar(re);
        re->Unlock();
        EditMode = true;
        opened = true;
        EditCtrl = re;
        break;
    }
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edExGridDropDown: {
        TExCustomDropDown* dd = ShowDropDownEditor(rc, ARow, editText, editorColor, r);
        if (dd == nullptr)
            break;
        EditMode = true;
        opened = true;
        EditCtrl = dd;
        FNoEditChange = false;
        DeliverStartChar(dd);
        if (FMouseActions->DirectComboDrop())
            dd->ShowDropDown();
        break;
    }
    case edCustom:
        if (FEditLink != nullptr) {
            opened = ShowEditLink(rc, ARow, r, editText, editorColor, &font);
            EditCtrl = FEditLink->GetEditControl();
            FNoEditChange = false;
            DeliverStartChar(EditCtrl);
            EditMode = true;
        }
        break;
    default:
        break;
    }
    if (!opened) {
        // Nothing opened (a data check box, a custom cell without a link, a
        // date cell without the date editors): the cell is not in edit, so
        // that the next key or click starts afresh.
        EditMode = false;
        FEditing = false;
        FSpecialEditor = false;
        FEditActive = false;
    }
    FNoEditChange = false;
    FStartEditChar = QChar();
}

void TExStringGrid::CloseEditorOnExit(const std::function<void()>& Close)
{
    const bool pressed = FEditStart && FEditing && !FValidating;
    Close();
    if (pressed) {
        FEditing = true;
        FPressValidates = true;
    }
}

void TExStringGrid::ValidatePressedEdit()
{
    if (!FPressValidates)
        return;
    FPressValidates = false;
    if (FEditing && !EditMode && !FValidating)
        ValidateCell(GetGridCell(RealColIndex(FOldCol), FOldRow));
}

void TExStringGrid::TabOutOfEditor(bool Backwards)
{
    HideInplaceEdit();
    if (CanFocus())
        SetFocus();
    TabToNextCell(Backwards);
}

void TExStringGrid::FinishCellEdit(Integer ACol, Integer ARow)
{
    if (IsDestroying())
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    const Integer rc = RealColIndex(ACol);
    FStartEditChar = QChar();
    // A cancelled edit leaves the cell as it was before the edit, also when
    // a refused value was put back into it meanwhile.
    const bool write = !FCancelEdit;
    FCancelEdit = false;
    if (!write && EditMode && GetGridCell(rc, ARow) != FCellCache)
        SetEditorCellValue(rc, ARow, FCellCache);
    // An editor not made yet was never open: there is nothing to close.
    auto close = [](TWinControl* editor) {
        if (editor == nullptr)
            return;
        editor->SetEnabled(false);
        editor->Hide();
    };
    // The combo and edit-button editors end only an open edit, and are hidden
    // before they are disabled.
    auto closeOpen = [&](auto* editor) {
        if (!EditMode)
            return;
        EditMode = false;
        if (editor == nullptr)
            return;
        if (write)
            SetEditorCellValue(rc, ARow, editor->Text());
        editor->Hide();
        editor->SetEnabled(false);
    };
    switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        EditMode = false;
        if (FEditSpin != nullptr) {
            TGridSpin* spin = FEditSpin;
            if (!write)
                ;
            else if (spin->AllowEmptyValue() && spin->Text().trimmed().isEmpty())
                SetEditorCellValue(rc, ARow, QString());
            else if (EditControl == edSpinEdit)
                SetInts(rc, ARow, spin->Value());
            else if (EditControl == edFloatSpinEdit)
                SetFloats(rc, ARow, spin->FloatValue());
            else if (EditControl == edDateSpinEdit)
                SetDates(rc, ARow, spin->DateValue());
            else
                SetEditorCellValue(rc, ARow, spin->Text());
            close(spin);
        }
        break;
    case edComboEdit:
    case edComboList:
        closeOpen(EditCombo);
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        closeOpen(EditBtn);
        break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        if (write && UnitEditBtn != nullptr)
            SetEditorCellValue(rc, ARow, UnitEditBtn->GetTextAndUnit());
        close(UnitEditBtn);
        EditMode = false;
        break;
    case edCheckBox:
        close(EditCheck);
        EditMode = false;
        break;
    case edButton:
        close(GridButton);
        EditMode = false;
        break;
    case edDateEdit:
    case edDateEditUpDown:
        if (DateEditorsAvailable && FEditDate != nullptr) {
            if (write)
                SetEditorCellValue(rc, ARow, FEditDate->Checked() ? FEditDate->Text() : QString());
            EditMode = false;
            FEditDate->SetDroppedDown(false);
            close(FEditDate);
        }
        EditMode = false;
        break;
    case edTimeEdit:
        if (DateEditorsAvailable && FEditDate != nullptr) {
            // The picker's own pattern, when it has one, is the long time format meanwhile.
            const QString saved = FormatSettings().LongTimeFormat;
            if (!FEditDate->Format().isEmpty())
                FormatSettings().LongTimeFormat = FEditDate->Format();
            const QString text = FEditDate->Text();
            FormatSettings().LongTimeFormat = saved;
            if (write)
                SetEditorCellValue(rc, ARow, text);
            close(FEditDate);
        }
        EditMode = false;
        break;
    case edDateTimeEdit:
        if (DateEditorsAvailable && FEditDateTime != nullptr) {
            if (write)
                SetEditorCellValue(rc, ARow,
                               FEditDateTime->Checked()
                                   ? FormatDateTime(FormatSettings().ShortDateFormat + QLatin1Char(' ')
                                                        + FormatSettings().ShortTimeFormat,
                                                    FEditDateTime->DateTime())
                                   : QString());
            EditMode = false;
            close(FEditDateTime);
        }
        EditMode = false;
        break;
    case edRichEdit:
        if (FInplaceRichEdit != nullptr) {
            if (write)
                SetEditorCellValue(rc, ARow, RichToString(FInplaceRichEdit));
            close(FInplaceRichEdit);
        }
        EditMode = false;
        break;
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edExGridDropDown:
        if (EditMode) {
            EditMode = false;
            FinishDropDownEditor(rc, ARow, write);
        }
        break;
    case edCustom:
        if (FControlLook->DropDownAlwaysVisible())
            GetCellEditorType(rc, ARow, EditControl);
        if (FEditLink != nullptr) {
            if (write)
                SetEditorCellValue(rc, ARow, FEditLink->GetEditorValue());
            if (FEditLink->EditStyle() != esPopup)
                FEditLink->SetVisible(false);
            FEditLink->RestoreWinProc();
            EditMode = false;
        }
        break;
    default:
        EditMode = false;
        break;
    }
    if (EditControl != edNormal && FEditActive) {
        // The edit is over: the application hears of it once the editor is gone.
        if (OnEditingDone)
            OnEditingDone(this);
        EditMode = false;
        PostEditDone(rc, ARow);
    }
    EditCtrl = nullptr;
    FBlockKill = false;
    FEditActive = false;
}

void TExStringGrid::HideInplaceEdit()
{
    if (!EditMode && !FEditing)
        return;
    if (!IsTextEditor(EditControl)) {
        // The platform grid leaves its editor mode as well: the next Enter
        // on the grid opens an editor instead of closing the one now gone.
        HideEditor();
        FinishCellEdit(Col(), Row());
    } else {
        const bool shown = EditorMode();
        HideEditor();
        EditMode = false;
        if (shown)
            PostEditDone(RealColIndex(Col()), Row());
    }
    EditMode = false;
    FEditing = false;
    FShowEditProcess = false;
    HideFocusWindow();
}

void TExStringGrid::ShowInplaceEdit()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (IsControlCell(b.X, b.Y))
        return;
    FEditText = GetGridCell(b.X, b.Y);
    ShowEditor();
}

void TExStringGrid::ShowCellEdit()
{
    Word key = VK_F2;
    KeyDown(key, TShiftState());
}

bool TExStringGrid::IsEditable(Integer ACol, Integer ARow)
{
    const bool on = (Options() & goEditing) != 0 || FMouseActions->RangeSelectAndEdit() || FEditDisable;
    return on && IsCellEditable(ACol, ARow);
}

bool TExStringGrid::IsCellEditable(Integer ACol, Integer ARow)
{
    Integer c = ACol, r = ARow;
    if (IsMergedNonBaseCell(RealColIndex(ACol), ARow)) {
        const TPoint b = BaseCell(RealColIndex(ACol), ARow);
        c = RealToDisplCol(b.X);
        r = b.Y;
    }
    bool allow = true;
    DoCanEditCell(RealColIndex(c), r, allow);
    bool fixed = false;
    IsFixedCell(c, r, fixed);  // the fixed-cell question takes a displayed column
    return allow && !fixed;
}

bool TExStringGrid::IsFixed(Integer ACol, Integer ARow)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const Integer c = RealToDisplCol(b.X);
    if (b.Y >= RowCount() - FixedFooters())
        return true;
    if (c >= ColCount() - FixedRightCols() && c <= ColCount() - 1)
        return true;
    bool fixed = false;
    IsFixedCell(c, b.Y, fixed);
    return fixed;
}

bool TExStringGrid::CellIsPassword(Integer ACol, Integer ARow)
{
    bool password = false;
    IsPasswordCell(ACol, ARow, password);
    return password;
}

void TExStringGrid::SetEditorCellValue(Integer ACol, Integer ARow, const QString& Value)
{
    SetEditText(RealToDisplCol(ACol), ARow, Value);
    SetCells(ACol, ARow, Value);
}

void TExStringGrid::RestoreCellFromCache()
{
    const Integer rc = RealColIndex(Col());
    SetCells(rc, Row(), FCellCache);
    SetCells(rc, Row(), Cells(rc, Row()));
}

bool TExStringGrid::EditorWantsTab() const
{
    return (Options() & goTabs) != 0;
}

void TExStringGrid::GetEditorProp(Integer ACol, Integer ARow, TEditLink* AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt)
        OnGetEditorPropInt(this, ACol, ARow);
}

// ------------------------------------------------------------ the combo list

void TExStringGrid::ClearComboString()
{
    EditCombo->Items()->Clear();
}

void TExStringGrid::AddComboString(const QString& S)
{
    EditCombo->Items()->Add(S);
}

void TExStringGrid::AddComboStringObject(const QString& S, TObject* AObject)
{
    EditCombo->Items()->AddObject(S, AObject);
}

bool TExStringGrid::RemoveComboString(const QString& S)
{
    const Integer i = EditCombo->Items()->IndexOf(S);
    if (i < 0)
        return false;
    EditCombo->Items()->Delete(i);
    return true;
}

bool TExStringGrid::SetComboSelectionString(const QString& S)
{
    FComboIdx = EditCombo->Items()->IndexOf(S);
    return FComboIdx >= 0;
}

Integer TExStringGrid::GetComboCount() const
{
    return EditCombo->Items()->Count();
}

Integer TExStringGrid::GetComboIndex(Integer ACol, Integer ARow)
{
    GetEditorProp(ACol, ARow, nullptr);
    return EditCombo->Items()->IndexOf(Cells(ACol, ARow));
}

void TExStringGrid::SetComboIndex(Integer ACol, Integer ARow, Integer Index)
{
    GetEditorProp(ACol, ARow, nullptr);
    if (Index >= 0 && Index < EditCombo->Items()->Count())
        SetCells(ACol, ARow, EditCombo->Items()->Strings(Index));
}

// ------------------------------------------------------------ data check boxes

void TExStringGrid::ToggleDataCheckBox(Integer ACol, Integer ARow)
{
    QString yes, no;
    GetCheckTrue(ACol, ARow, yes);
    GetCheckFalse(ACol, ARow, no);
    const bool checked = Cells(ACol, ARow) != yes;
    SetCells(ACol, ARow, checked ? yes : no);
    RepaintCell(RealToDisplCol(ACol), ARow);
    CheckBoxClick(ACol, ARow, BoolToCheckBoxState(checked));
}

// ------------------------------------------------------------ ending an edit by key

bool TExStringGrid::HasCellValidation() const
{
    return (Options() & goTabs) != 0 || OnCellValidate || OnCellValidateWide;
}

void TExStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift)
{
    FBlockFocus = true;
    FEditing = false;
    HideInplaceEdit();
    if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN && IsLastDataRow())
        AutoAppendRow();
    if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
        Word key = Key;
        KeyDown(key, Shift);
    }
    const bool always = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    if (CanFocus())
        SetFocus();
    if (Key == VK_RETURN)
        AdvanceToNextCell(Col(), Row(), false, false, true, false, false);
    FNavigation->SetAlwaysEdit(always);
    FBlockFocus = false;
}

void TExStringGrid::CursorWalkOut(bool Forward, const QString& EditorText)
{
    const Integer col = Col(), row = Row();
    const Integer span = std::max(0, CellSpan(RealColIndex(col), row).X);
    const Integer target = Forward ? col + span + 1 : col - 1;
    const bool inside = Forward ? col < ColCount() - FixedRightCols() - 1 : col > FixedCols();
    if (inside && IsControlCell(RealColIndex(target), row)) {
        if (ValidateCell(EditorText)) {
            HideInplaceEdit();
            SetCol(target);
        }
        return;
    }
    if (!ValidateCell(EditorText))
        return;
    if (CanFocus())
        SetFocus();
    HideInplaceEdit();
    const TAdvanceDirection dir = FNavigation->AdvanceDirection();
    FNavigation->SetAdvanceDirection(adLeftRight);
    AdvanceToNextCell(col, row, false, false, Forward, false, true);
    FNavigation->SetAdvanceDirection(dir);
    if (FNavigation->CursorWalkAlwaysEdit())
        ShowInplaceEdit();
}
