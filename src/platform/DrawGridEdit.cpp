// The grid's side of in-place editing: opening the editor on the current
// cell, keeping it on that cell while the grid scrolls or sizes, writing its
// text back (on every change and when it closes) and cancelling an edit.

#include "platform/DrawGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/WidgetBridge.h"

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
    return (FOptions & goEditing) && !(FOptions & goRowSelect) && FEditorMode && !HasState(csDesigning) && HandleAllocated()
        && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows && FCurrent.X < ColCount() && FCurrent.Y < RowCount()
        && ((FOptions & goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify()
{
    return true;
}

bool TCustomGrid::CanEditAcceptKey(QChar Key)
{
    return true;
}

QString TCustomGrid::GetEditText(Integer ACol, Integer ARow)
{
    return {};
}

void TCustomGrid::SetEditText(Integer ACol, Integer ARow, const QString& Value)
{
}

QString TCustomGrid::GetEditMask(Integer ACol, Integer ARow)
{
    return {};
}

Integer TCustomGrid::GetEditLimit()
{
    return 0;
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    if (CanEditShow())
        ClampInView(FCurrent);
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
    ShowEditor();
    if (FInplaceEdit == nullptr || FInplaceCol < 0 || !FInplaceEdit->Visible())
        return;
    // The character takes the road a typed one takes: the editor's key
    // handlers, then the edit (replacing the selected text).
    QWidget* w = TWidgetBridge::Widget(FInplaceEdit);
    if (w == nullptr)
        return;
    const int key = Ch == u'\b' ? int(Qt::Key_Backspace) : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(Ch));
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(Ch));
    QCoreApplication::sendEvent(w, &release);
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (FInplaceEdit == nullptr) {
        FInplaceEdit = CreateEditor();
        if (FInplaceEdit == nullptr)
            return;
        FInplaceEdit->SetParent(this);
    }
    const bool fresh = FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y;
    if (fresh) {
        if (FInplaceCol >= 0)
            UpdateText();
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FEditOriginal = FInplaceEdit->Text();
        FCanEditModify = CanEditModify();
        FInplaceEdit->SelectAll();
    }
    const TRect r = CellRect(FCurrent.X, FCurrent.Y);
    if (r.IsEmpty()) {
        FInplaceEdit->Hide();
        return;
    }
    FInplaceEdit->Move(r);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    if (IsActiveControl())
        FInplaceEdit->SetFocus();
}

void TCustomGrid::HideEdit()
{
    if (FInplaceEdit == nullptr || FInplaceCol < 0)
        return;
    UpdateText();
    const Integer col = FInplaceCol, row = FInplaceRow;
    FInplaceCol = -1;
    FInplaceRow = -1;
    // The grid takes the focus before the editor goes, so that it never
    // lands on another control.
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->ActiveControl() == FInplaceEdit && CanFocus())
        SetFocus();
    FInplaceEdit->Hide();
    InvalidateCell(col, row);
}

void TCustomGrid::CancelEdit()
{
    if (FInplaceEdit == nullptr || FInplaceCol < 0)
        return;
    // The cell gets back the text it had when the edit began.
    FInplaceEdit->SetText(FEditOriginal);
    UpdateText();
    if (FOptions & goAlwaysShowEditor)
        FInplaceEdit->SelectAll();
    else
        HideEditor();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit != nullptr && FInplaceCol >= 0 && FInplaceRow >= 0 && FInplaceCol < ColCount() && FInplaceRow < RowCount())
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::InvalidateEditor()
{
    if (FInplaceEdit == nullptr || FInplaceCol < 0)
        return;
    const TRect r = CellRect(FInplaceCol, FInplaceRow);
    if (r.IsEmpty()) {
        TCustomForm* form = GetParentForm();
        if (form != nullptr && form->ActiveControl() == FInplaceEdit && CanFocus())
            SetFocus();
        FInplaceEdit->Hide();
    } else {
        FInplaceEdit->Move(r);
    }
}
