// TEditLink: the grid's side of an application's own cell editor, and the
// grid's opening of it (see EditLink.h).

#include "grid/editors/EditLink.h"

#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"
#include "platform/Form.h"
#include "platform/Messages.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    RestoreWinProc();
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FSubclassedControl) {
        FSubclassedControl = nullptr;
        FSavedProc = nullptr;
        FSubClassed = false;
    }
    if (AComponent == FPopupForm)
        FPopupForm = nullptr;
    if (AComponent == FOwner)
        FOwner = nullptr;
}

void TEditLink::GridWinProc(TMessage& Message)
{
    TWinControl* c = FSubclassedControl;
    // The control keeps the arrows, Tab and characters from the dialog.
    if (Message.Msg == WM_GETDLGCODE && FOwner != nullptr && (FOwner->Options() & goTabs) != 0) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return;
    }
    if (FSavedProc)
        FSavedProc(Message);
    else if (c != nullptr)
        static_cast<TControl*>(c)->WndProc(Message);
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* c = GetEditControl();
    if (Value && c != nullptr) {
        if (!c->Visible())
            c->Show();
        if (!c->Enabled())
            c->SetEnabled(true);
    }
    if (FEditStyle == esInplace && !FSubClassed && c != nullptr) {
        FSubclassedControl = c;
        c->FreeNotification(this);
        FSavedProc = c->WindowProc;
        c->WindowProc = [this](TMessage& M) { GridWinProc(M); };
        FSubClassed = true;
    }
    if (Value) {
        if (c != nullptr && c->CanFocus())
            c->SetFocus();
    } else if (FOwner != nullptr && FOwner->CanFocus()) {
        FOwner->SetFocus();
    }
}

void TEditLink::SetRect(TRect R)
{
    if (TWinControl* c = GetEditControl()) {
        const Integer line = FOwner != nullptr ? FOwner->GridLineWidth() : 1;
        c->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
    }
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl())
        c->SetVisible(Value);
}

TWinControl* TEditLink::GetParent() const
{
    if (FEditStyle == esPopup)
        return FPopupForm;
    return FOwner;
}

QString TEditLink::GetCellValue() const
{
    if (FOwner == nullptr)
        return {};
    return FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const QString& S)
{
    if (FOwner != nullptr)
        FOwner->SetEditorCellValue(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), S);
}

void TEditLink::RestoreWinProc()
{
    if (FEditStyle == esInplace && FSubclassedControl != nullptr) {
        FSubclassedControl->WindowProc = FSavedProc;
        FSavedProc = nullptr;
        FSubclassedControl->RemoveFreeNotification(this);
        if (FSubclassedControl->HandleAllocated())
            FSubclassedControl->Hide();
        FSubclassedControl = nullptr;
    }
    FSubClassed = false;
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner != nullptr)
        FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject*)
{
    // The focus leaves a control the grid closed already (its value is in
    // the cell), or moves while a refused value is put back: neither ends
    // an edit, nor writes the control's text.
    TWinControl* control = GetEditControl();
    if (FOwner != nullptr
        && (FOwner->FValidating || (FEditStyle == esInplace && control != nullptr && !control->Visible())))
        return;
    if (FOwner != nullptr)
        FOwner->CloseEditorOnExit([this] { HideEditor(); });
    else
        HideEditor();
    if (FEditStyle == esPopup && FPopupForm != nullptr) {
        DestroyEditor();
        FPopupForm->Hide();
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (FOwner == nullptr)
        return;
    if (TExInplaceEdit* ed = FOwner->GetNormalEdit())
        ed->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
    } else {
        EditExit(Sender);
        FOwner->InvokedFocusChange = true;
    }
}

void TEditLink::FocusGrid()
{
    if (FOwner == nullptr)
        return;
    FForcedExit = true;
    if (FOwner->CanFocus())
        FOwner->SetFocus();
    FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject*, Word& Key, TShiftState Shift)
{
    TExStringGrid* g = FOwner;
    if (g == nullptr)
        return;
    bool leaves = Shift.Contains(ssAlt) || Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR
                  || Key == VK_NEXT || Key == VK_END || (Key >= VK_LEFT && Key <= VK_DOWN);
    if ((FWantKeyUpDown && (Key == VK_UP || Key == VK_DOWN)) || (FWantKeyLeftRight && (Key == VK_LEFT || Key == VK_RIGHT))
        || (FWantKeyHomeEnd && (Key == VK_HOME || Key == VK_END)) || (FWantKeyPriorNext && (Key == VK_PRIOR || Key == VK_NEXT))
        || (FWantKeyReturn && Key == VK_RETURN) || (FWantKeyEscape && Key == VK_ESCAPE) || (FWantTabs && Key == VK_TAB))
        leaves = false;
    if (!leaves)
        return;
    // The value is validated while the edit is still open (closing it ends
    // the edit the validation belongs to): a refused value stays in the
    // editor as the handler gave it back, for the user to correct.
    if (Key != VK_ESCAPE && !g->CommitEditorText(GetEditControl(), GetEditorValue())) {
        SetEditorValue(g->FNewCellText);
        if (TWinControl* c = GetEditControl(); c != nullptr && c->CanFocus())
            c->SetFocus();
        g->FLastValidation = true;
        Key = 0;
        return;
    }
    if (Key == VK_TAB) {
        if (g->Navigation()->TabToNextAtEnd()) {
            FocusGrid();
            g->FinishCellEdit(g->Col(), g->Row());
            // Moved onto a cell that edits: its editor opens there.
            if (g->TabToNextCell(Shift.Contains(ssShift)) && !g->IsControlCell(g->RealColIndex(g->Col()), g->Row())) {
                PostMessage(g, WM_KEYDOWN, VK_F2, 0);
                Key = 0;
                return;
            }
        }
        Key = 0;
    }
    if (Key == VK_ESCAPE)
        SetEditorValue(g->FCellCache);
    FocusGrid();
    g->FCancelEdit = Key == VK_ESCAPE;
    g->FinishCellEdit(g->Col(), g->Row());
    g->FCancelEdit = false;
    if (FEditStyle == esPopup)
        EditExit(this);
    g->EditMode = false;
    g->SelectCell(g->Col(), g->Row());
    if (Key == VK_RETURN && g->FLastValidation) {
        g->AdvanceToNextCell(g->Col(), g->Row(), false, false, !Shift.Contains(ssShift), false, false);
        Key = 0;
    } else if (!g->FLastValidation) {
        // A refused value: the editor opens again on the same cell.
        g->EditMode = true;
        g->ShowCellEditor(g->Col(), g->Row());
        Key = 0;
    } else {
        if (Key == VK_ESCAPE)
            Key = 0;
        if (Key >= VK_LEFT && Key <= VK_DOWN) {
            Word move = Key;
            g->KeyDown(move, Shift);
            Key = 0;
        }
        if (TWinControl* c = GetEditControl())
            c->SetEnabled(false);
        FocusGrid();
    }
    g->FLastValidation = true;
}

// ============================================================ the grid's side

bool TExStringGrid::ShowEditLink(Integer ACol, Integer ARow, TRect R, const QString& EditText, TColor EditorColor,
                                 TFont* AFont)
{
    TEditLink* link = FEditLink;
    link->SetGrid(this);
    link->SetEditCell({ACol, ARow});
    const bool popup = link->EditStyle() == esPopup;
    if (popup) {
        if (link->AutoPopupWidth())
            link->SetPopupWidth(R.Width());
        if (link->PopupForm() == nullptr) {
            // One "gridform" at a time in the application.
            if (Application != nullptr)
                delete Application->FindComponent(QStringLiteral("gridform"));
            auto* form = new TForm(Application);
            form->SetName(QStringLiteral("gridform"));
            link->SetPopupForm(form);
            form->FreeNotification(link);
        }
        TForm* form = link->PopupForm();
        TPoint at{link->PopupLeft(), link->PopupTop()};
        if (at.X == -1 || at.Y == -1)
            at = ClientToScreen({R.Left, R.Top});
        form->SetBounds(at.X, at.Y, 0, 0);
        form->OnDeactivate = [link](TObject* Sender) { link->FormExit(Sender); };
        form->SetFormStyle(fsStayOnTop);
        form->SetBorderStyle(bsNone);
        form->Show();
        form->SetBounds(at.X, at.Y, link->PopupWidth(), link->PopupHeight());
        form->SetClientSize(link->PopupWidth(), link->PopupHeight());
        link->CreateEditor(form);
        link->SetRect({0, 0, link->PopupWidth(), link->PopupHeight()});
    } else {
        link->CreateEditor(this);
        link->SetRect(R);
    }
    link->SetVisible(true);
    link->SetCellProps(EditorColor, AFont);
    link->SetProperties();
    GetEditorProp(ACol, ARow, link);
    link->SetEditorValue(EditText);
    const QChar start = FStartEditChar;
    link->SetFocus(true);
    FStartEditChar = start;
    FEditActive = true;
    return true;
}
