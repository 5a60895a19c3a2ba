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
#include "platform/Text.h"

// ============================================================ TGridCheckBox

TGridCheckBox::TGridCheckBox(TExStringGrid* AGrid) : TCheckBox(AGrid), FGrid(AGrid) {}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_ESCAPE:
        SetCaption(FGrid->Cells(FGrid->RealColIndex(FGrid->Col()), FGrid->Row()));
        [[fallthrough]];
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
        const Word key = Key;
        Key = 0;
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        if (key == VK_RETURN)
            FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
        return;
    }
    default:
        TCheckBox::KeyDown(Key, Shift);
    }
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
    return answer;
}

void TExStringGrid::DeliverStartChar(TWinControl* Editor)
{
    if (FStartEditChar.isNull() || Editor == nullptr)
        return;
    if (auto* combo = dynamic_cast<TGridCombo*>(Editor)) {
        combo->TypeChar(FStartEditChar);
    } else if (auto* edit = dynamic_cast<TCustomEdit*>(Editor)) {
        edit->SetText(FStartEditChar == u'\b' ? QString() : QString(FStartEditChar));
        edit->SetSelStart(Integer(edit->Text().size()));
    }
    FStartEditChar = QChar();
}

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

    switch (EditControl) {
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
    case edCheckBox: {
        TGridCheckBox* check = EditCheck;
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
    case edCustom:
        if (FEditLink != nullptr) {
            FEditLink->Grid = this;
            FEditLink->EditCell = {ACol, ARow};
            FEditLink->CreateEditor(this);
            FEditLink->SetRect(r);
            FEditLink->SetVisible(true);
            FEditLink->SetCellProps(editorColor, &font);
            FEditLink->SetProperties();
            GetEditorProp(rc, ARow, FEditLink);
            FEditLink->SetEditorValue(editText);
            const QChar start = FStartEditChar;
            FEditLink->SetFocus(true);
            FStartEditChar = start;
            FEditActive = true;
            EditCtrl = FEditLink->GetEditControl();
            DeliverStartChar(EditCtrl);
            EditMode = true;
            opened = true;
        }
        break;
    default:
        break;
    }
    if (!opened) {
        // Nothing opened (a data check box, a custom cell without a link,
        // or a kind whose editor is not there): the cell is not in edit.
        EditMode = false;
        FEditing = false;
        FSpecialEditor = false;
        FEditActive = false;
    }
    FNoEditChange = false;
    FStartEditChar = QChar();
}

void TExStringGrid::FinishCellEdit(Integer ACol, Integer ARow)
{
    if (IsDestroying())
        return;
    FSpecialEditor = false;
    FBlockKill = true;
    const Integer rc = RealColIndex(ACol);
    FStartEditChar = QChar();
    switch (EditControl) {
    case edComboEdit:
    case edComboList:
        if (EditMode) {
            EditMode = false;
            SetEditorCellValue(rc, ARow, EditCombo->Text());
            EditCombo->Hide();
            EditCombo->SetEnabled(false);
        }
        break;
    case edCheckBox:
        EditCheck->SetEnabled(false);
        EditCheck->Hide();
        EditMode = false;
        break;
    case edCustom:
        if (FControlLook->DropDownAlwaysVisible())
            GetCellEditorType(rc, ARow, EditControl);
        if (FEditLink != nullptr) {
            SetEditorCellValue(rc, ARow, FEditLink->GetEditorValue());
            if (FEditLink->EditStyle != esPopup)
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
