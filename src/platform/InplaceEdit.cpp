#include "platform/InplaceEdit.h"

#include <QLineEdit>

#include "platform/DrawGrid.h"
#include "platform/WidgetBridge.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner), FGrid(dynamic_cast<TCustomGrid*>(AOwner))
{
    // Enter and Escape end or cancel the edit rather than reaching the
    // form's default and cancel buttons.
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    SetTabStop(false);
    SetVisible(false);
    SetAutoSelect(false);
    FFramed = false;
}

void TInplaceEdit::CreateWnd()
{
    TCustomMaskEdit::CreateWnd();
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this)))
        w->setFrame(false);
}

void TInplaceEdit::Move(const TRect& Loc)
{
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    BoundsChanged();
    if (!Visible())
        SetVisible(true);
}

bool TInplaceEdit::PosEqual(const TRect& Rect) const
{
    return BoundsRect() == Rect;
}

void TInplaceEdit::BoundsChanged()
{
}

void TInplaceEdit::UpdateContents()
{
    if (FGrid == nullptr)
        return;
    FGrid->FLoadingEditor = true;
    const Integer col = FGrid->Col(), row = FGrid->Row();
    SetText(QString());
    SetEditMask(FGrid->GetEditMask(col, row));
    SetText(FGrid->GetEditText(col, row));
    SetMaxLength(FGrid->GetEditLimit());
    FGrid->FLoadingEditor = false;
}

void TInplaceEdit::Change()
{
    TCustomMaskEdit::Change();
    // The cell follows the editor while it is open.
    if (FGrid != nullptr && !FGrid->FLoadingEditor)
        FGrid->UpdateText();
}

void TInplaceEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = FDlgCode;
        if (FGrid != nullptr && (FGrid->Options() & goTabs))
            Message.Result |= DLGC_WANTTAB;
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

bool TInplaceEdit::AtStart() const
{
    const Integer len = Integer(Text().size());
    return (SelStart() == 0 && SelLength() == 0) || (len > 0 && SelLength() == len);
}

bool TInplaceEdit::AtEnd() const
{
    const Integer len = Integer(Text().size());
    return (SelStart() >= len && SelLength() == 0) || (len > 0 && SelLength() == len);
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0 || FGrid == nullptr)
        return;
    const bool ctrl = Shift.Contains(ssCtrl);
    bool toGrid = false;
    switch (Key) {
    case VK_ESCAPE:
        FGrid->CancelEdit();
        Key = 0;
        return;
    case VK_UP:
        // A multi-line editor walks its own lines first.
        toGrid = !MultiLine() || LineFromChar(SelStart()) == 0;
        break;
    case VK_DOWN:
        toGrid = !MultiLine() || LineFromChar(SelStart()) >= LineFromChar(Integer(Text().size()));
        break;
    case VK_PRIOR:
    case VK_NEXT:
        toGrid = true;
        break;
    case VK_TAB: toGrid = !Shift.Contains(ssAlt); break;
    case VK_LEFT:
    case VK_HOME: toGrid = ctrl || AtStart(); break;
    case VK_RIGHT:
    case VK_END: toGrid = ctrl || AtEnd(); break;
    default: break;
    }
    if (toGrid) {
        FGrid->KeyDown(Key, Shift);
        Key = 0;
    }
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    // In a multi-line editor Enter with Ctrl or Shift (and a line feed) adds
    // a line; plain Enter stays the grid's.
    const char16_t k = Key.unicode();
    const TShiftState shift = KeyDataToShiftState();
    if (MultiLine() && (k == u'\n' || (k == u'\r' && (shift.Contains(ssCtrl) || shift.Contains(ssShift))))) {
        Key = QChar(u'\n');
        TCustomMaskEdit::KeyPress(Key);
        return;
    }
    if (FGrid != nullptr) {
        FGrid->KeyPress(Key);
        const char16_t c = Key.unicode();
        if ((c >= 32 || c == 8) && (!FGrid->FCanEditModify || !FGrid->CanEditAcceptKey(Key)))
            Key = QChar(0);
        // Control characters that move or end the edit are never typed.
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == 27)
            Key = QChar(0);
    }
    if (Key.unicode() != 0)
        TCustomMaskEdit::KeyPress(Key);
}
