// The fixed-cell editors, the search panel's edit and the editors of the
// controls inside mini-HTML cells (see CellControls.h), with the grid's
// opening and closing of them.

#include "grid/editors/CellControls.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"
#include "platform/Canvas.h"
#include "platform/Messages.h"

// ============================================================ fixed cells

namespace {

// Ends a fixed-cell edit with the text given (see StopEdit).
bool StopFixedEdit(TExStringGrid* Grid, TWinControl* Editor, Integer Col, Integer Row, const QString& Text)
{
    if (Grid == nullptr) {
        Editor->Hide();
        return true;
    }
    QString value = Text;
    bool valid = true;
    if (Grid->OnCellValidate)
        Grid->OnCellValidate(Grid, Col, Row, value, valid);
    if (!valid) {
        // The cell stays the current one and the edit stays open on it.
        Grid->MoveColRow(Grid->RealToDisplCol(Col), Row, false, false);
        if (Editor->CanFocus())
            Editor->SetFocus();
        return false;
    }
    if (Grid->OnEditingDone)
        Grid->OnEditingDone(Grid);
    Grid->SetCells(Col, Row, value);
    Editor->Hide();
    return true;
}

} // namespace

template <class TBase>
TFixedCellControl<TBase>::TFixedCellControl(TExStringGrid* AGrid) : TBase(AGrid), FGrid(AGrid)
{
    this->SetVisible(false);
}

template <class TBase> bool TFixedCellControl<TBase>::StopEdit()
{
    return StopFixedEdit(FGrid, this, FCol, FRow, this->Text());
}

template <class TBase> void TFixedCellControl<TBase>::DoExit()
{
    TBase::DoExit();
    if (this->Visible())
        StopEdit();
}

template <class TBase> void TFixedCellControl<TBase>::KeyPress(QChar& Key)
{
    if (Key == QChar(u'\r'))
        Key = QChar(0);
    TBase::KeyPress(Key);
}

template class TFixedCellControl<TCustomEdit>;
template class TFixedCellControl<TCustomComboBox>;

// ============================================================ the search edit

void TRetEdit::CreateParams(TCreateParams& Params)
{
    TEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
}

void TRetEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam == VK_RETURN) {
            if (KeyDataToShiftState().Contains(ssCtrl)) {
                if (OnCtrlReturn)
                    OnCtrlReturn(this);
            } else if (OnReturn) {
                OnReturn(this);
            }
            return;
        }
        break;
    case WM_CHAR:
        if (Message.WParam == u'\r' || Message.WParam == u'\n') {
            QChar key(char16_t(Message.WParam));
            if (OnKeyPress)
                OnKeyPress(this, key);
            Message.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TEdit::Dispatch(Message);
}

// ============================================================ cell controls

void CellControlKey(TWinControl* Control, QChar& Key)
{
    auto* grid = dynamic_cast<TExStringGrid*>(Control->Parent());
    if (grid == nullptr || (Key != QChar(u'\r') && Key != QChar(u'\t')))
        return;
    const bool tab = Key == QChar(u'\t');
    Key = QChar(0);
    // The control's exit ends its edit (EndControlEdit).
    const QString id = grid->ControlEditID();
    const TPoint cell = grid->ControlEditCell();
    if (Control->OnExit)
        Control->OnExit(Control);
    if (!tab) {
        if (grid->CanFocus())
            grid->SetFocus();
        return;
    }
    if (grid->Navigation()->AdvanceAuto())
        grid->AdvanceToNextCell(grid->Col(), grid->Row(), false, false, true, false, true);
    else
        grid->EditHTMLControl(cell.X, cell.Y, id);
}

void TControlEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_WANTSPECIALKEY) {
        if (Message.WParam == VK_RETURN) {
            Message.Result = 0;
            return;
        }
        if (Message.WParam == VK_TAB) {
            Message.Result = 1;
            return;
        }
    }
    TMaskEdit::Dispatch(Message);
}

void TControlEdit::KeyPress(QChar& Key)
{
    CellControlKey(this, Key);
    if (Key != QChar(0))
        TMaskEdit::KeyPress(Key);
}

void TControlCombo::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_TAB) {
        Message.Result = 1;
        return;
    }
    TEsgComboBox::Dispatch(Message);
}

void TControlCombo::KeyPress(QChar& Key)
{
    CellControlKey(this, Key);
    if (Key != QChar(0))
        TEsgComboBox::KeyPress(Key);
}

// ============================================================ the grid's side

void TExStringGrid::StartControlEdit(const QString& HTML, const QString& CtrlType, const QString& CtrlID,
                                     const QString& CtrlValue, TRect CtrlRect, Integer ACol, Integer RealCol,
                                     Integer ARow)
{
    const QString type = CtrlType.toUpper();
    const bool edit = type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK");
    if (!edit && type != QLatin1String("COMBO"))
        return;
    FCtrlXY = {RealCol, ARow};
    FCtrlID = CtrlID;
    FCtrlType = type;
    FCtrlEditing = true;
    if (edit) {
        TControlEdit* e = CellControlEdit();
        e->SetBounds(e->Left(), e->Top(), 0, e->Height());
        e->SetPasswordChar(type == QLatin1String("PASSWORD") ? QChar(u'*') : QChar());
        e->SetEditMask(type == QLatin1String("MASK") ? GetHTMLControlProp(HTML, CtrlID) : QString());
        e->OnExit = [this](TObject* Sender) { EndControlEdit(Sender); };
        e->SetText(CtrlValue);
        SetEditFrame(e, false);
        e->SetBounds(CtrlRect.Left + 1, CtrlRect.Top + 8, CtrlRect.Width() - 4, 14);
        e->SetMaxLength(GetHTMLControlMaxLen(HTML, CtrlID));
        e->SetParent(this);
        e->Show();
        e->BringToFront();
        if (e->CanFocus())
            e->SetFocus();
        return;
    }
    TControlCombo* c = CellControlCombo();
    c->SetIsWinXP(FIsWinXP);
    c->SetBounds(c->Left(), c->Top(), 0, c->Height());
    bool typed = true;
    Integer dropCount = 8;
    c->SetFlat(false);
    c->SetBounds(CtrlRect.Left - 1, CtrlRect.Top + 4, CtrlRect.Width(), c->Height());
    c->OnSelect = [this](TObject* Sender) { ControlComboSelect(Sender); };
    c->SetParent(this);
    if (OnControlComboList)
        OnControlComboList(this, ARow, ACol, CtrlID, type, CtrlValue, c->Items(), typed, dropCount);
    c->SetStyle(typed ? csDropDown : csDropDownList);
    c->SetItemIndex(c->Items()->IndexOf(CtrlValue));
    c->SetText(CtrlValue);
    c->SetDropDownCount(dropCount);
    c->OnExit = [this](TObject* Sender) { EndControlEdit(Sender); };
    c->SetMaxLength(GetHTMLControlMaxLen(HTML, CtrlID));
    c->Show();
    c->SetDroppedDown(true);
    if (c->CanFocus())
        c->SetFocus();
}

void TExStringGrid::EndControlEdit(TObject* Sender)
{
    if (!FCtrlEditing)
        return;
    const bool combo = FCtrlType == QLatin1String("COMBO");
    TWinControl* control = combo ? static_cast<TWinControl*>(FComboControl) : FEditControl;
    // The focus leaves the control of the previous edit only once the next
    // one takes it: that late exit must not end the edit just opened.
    if ((Sender == FEditControl || Sender == FComboControl) && Sender != control)
        return;
    FCtrlEditing = false;
    const QString value = combo ? FComboControl->Text() : FEditControl->Text();
    QString cell = Cells(FCtrlXY.X, FCtrlXY.Y);
    if (SetHTMLControlValue(cell, FCtrlID, value))
        SetCells(FCtrlXY.X, FCtrlXY.Y, cell);
    if (combo)
        FComboControl->SetDroppedDown(false);
    // Keys typed next go to the grid, not into the hidden control.
    const bool hadFocus = control->Focused();
    control->Hide();
    if (hadFocus && CanFocus())
        SetFocus();
    if (OnControlEditDone)
        OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TExStringGrid::ControlComboSelect(TObject*)
{
    if (!OnControlComboSelect)
        return;
    const Integer i = FComboControl->ItemIndex();
    const QString item = i >= 0 && i < FComboControl->Items()->Count() ? FComboControl->Items()->Strings(i) : QString();
    OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, i, FCtrlID, item);
}

void TExStringGrid::EditHTMLControl(Integer ACol, Integer ARow, const QString& ControlID)
{
    const QString text = Cells(ACol, ARow);
    const QString id = NextHTMLEditControl(text, ControlID);
    if (id.isEmpty()) {
        if (CanFocus())
            SetFocus();
        return;
    }
    TRect r = CellRect(RealToDisplCol(ACol), ARow);
    r.Left += XYOffset().X + 1;
    r.Top += XYOffset().Y + 1;
    if (HasCheckBox(ACol, ARow))
        r.Left += ControlLook()->CheckSize();
    TMiniHTMLRequest req;
    req.TestAgain = true;
    req.Images = GridImages();
    req.PictureContainer = PictureContainer();
    req.PictureCache = ImageCache();
    req.AnchorColor = URLColor();
    TMiniHTMLResult hit;
    hit.ControlID = id;
    Canvas()->Font()->Assign(Font());
    RenderMiniHTML(Canvas(), text, r, req, hit);
    if (hit.ControlID != id || hit.ControlRect.IsEmpty())
        return;
    StartControlEdit(text, hit.ControlType, hit.ControlID, hit.ControlValue, hit.ControlRect, ACol, ACol, ARow);
}

// ------------------------------------------------------------ fixed cells

void TExStringGrid::FixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor& AEditor, TStrings* Values)
{
    if (OnFixedEdit)
        OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TExStringGrid::FixedEditChange(TObject*)
{
    if (OnEditChange)
        OnEditChange(this, FFixedColEdit, FFixedRowEdit,
                     EditTrans != nullptr && EditTrans->Visible() ? EditTrans->Text() : FixedCellCombo()->Text());
}

void TExStringGrid::StartFixedCellEdit(Integer ACol, Integer ARow)
{
    if (EditTrans != nullptr && EditTrans->Visible() && !EditTrans->StopEdit())
        return;
    if (ComboTrans != nullptr && ComboTrans->Visible() && !ComboTrans->StopEdit())
        return;
    bool canEdit = true;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, canEdit);
    if (!canEdit)
        return;
    FFixedColEdit = ACol;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol == 0 ? FMouseActions->FixedColsEditor() : FMouseActions->FixedRowsEditor();
    FixedCellCombo()->Items()->Assign(FMouseActions->FixedComboValues());
    FixedEdit(ACol, ARow, kind, ComboTrans->Items());
    TRect r = CellRect(ACol, ARow);
    InflateRect(r, -1, -1);
    const Integer c = RealColIndex(ACol);
    if (kind == fceEdit) {
        FixedCellEdit()->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        EditTrans->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
        EditTrans->SetText(Cells(c, ARow));
        EditTrans->SetCol(c);
        EditTrans->SetRow(ARow);
        EditTrans->Show();
        if (EditTrans->CanFocus())
            EditTrans->SetFocus();
        return;
    }
    ComboTrans->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height());
    ComboTrans->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
    ComboTrans->OnChange = [this](TObject* Sender) { FixedEditChange(Sender); };
    ComboTrans->SetItemIndex(ComboTrans->Items()->IndexOf(Cells(c, ARow)));
    ComboTrans->SetText(Cells(c, ARow));
    ComboTrans->SetCol(c);
    ComboTrans->SetRow(ARow);
    ComboTrans->Show();
    if (ComboTrans->CanFocus())
        ComboTrans->SetFocus();
}
