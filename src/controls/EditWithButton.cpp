#include "controls/EditWithButton.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"

Integer EditClientEdge(TBorderStyle BorderStyle, bool Ctl3D)
{
    return BorderStyle != bsNone && Ctl3D ? 2 : 0;
}

TRect EmbeddedButtonBounds(Integer Width, Integer Height, Integer ButtonWidth, TBorderStyle BorderStyle, bool Ctl3D)
{
    if (!Ctl3D)
        return Bounds(Width - ButtonWidth, 1, ButtonWidth, Height - 3);
    const Integer e = BorderStyle == bsNone ? 1 : 5;
    const Integer edge = EditClientEdge(BorderStyle, Ctl3D);
    return Bounds(Width - ButtonWidth - e + edge, edge, ButtonWidth, Height - e);
}

void EditTextHeights(const TFont* Font, Integer& FontHeight, Integer& SystemHeight)
{
    TBitmap bmp(1, 1);
    TCanvas* c = bmp.Canvas();
    const TFont system;
    c->Font()->Assign(&system);
    SystemHeight = c->TextHeight(QStringLiteral("0"));
    c->Font()->Assign(Font);
    FontHeight = c->TextHeight(QStringLiteral("0"));
}

bool IsCutOrPasteKey(Word Key, TShiftState Shift)
{
    if (Shift.Contains(ssCtrl) && (Key == 'V' || Key == 'X'))
        return true;
    return Shift.Contains(ssShift) && (Key == VK_INSERT || Key == VK_DELETE);
}

bool IsCutOrPasteChar(QChar Key)
{
    return Key == QChar(0x16) || Key == QChar(0x18);
}

// ------------------------------------------------------------ TEmbeddedButtonEdit

TEmbeddedButtonEdit::TEmbeddedButtonEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
}

void TEmbeddedButtonEdit::SetBorderStyle(TBorderStyle v)
{
    FBorderStyle = v;
    SetEditFrame(this, v != bsNone);
    ResizeMessage();
}

void TEmbeddedButtonEdit::SetCtl3D(bool v)
{
    FCtl3D = v;
    ResizeMessage();
}

void TEmbeddedButtonEdit::CreateWnd()
{
    TCustomMaskEdit::CreateWnd();
    SetEditRect();
}

void TEmbeddedButtonEdit::SetEditRect()
{
    if (EmbeddedButton() == nullptr || !HandleAllocated())
        return;
    const TRect r = EditRect();
    Perform(EM_SETRECTNP, 0, LPARAM(&r));
}

void TEmbeddedButtonEdit::ResizeMessage()
{
    TWinControl* button = EmbeddedButton();
    if (button == nullptr || FSizing)
        return;
    FSizing = true;
    const Integer minH = GetMinHeight();
    if (Height() < minH)
        SetHeight(minH);
    button->SetBoundsRect(EmbeddedButtonBounds(Width(), Height(), button->Width(), FBorderStyle, FCtl3D));
    SetEditRect();
    FSizing = false;
}

void TEmbeddedButtonEdit::KeyDown(Word& Key, TShiftState Shift)
{
    // Without the editor the text changes only through the button.
    if ((!ClipboardEditAllowed() && IsCutOrPasteKey(Key, Shift)) || (Key == VK_DELETE && !FEditorEnabled)) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TEmbeddedButtonEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        TCustomMaskEdit::Dispatch(Message);
        ResizeMessage();
        return;
    case WM_CUT:
    case WM_PASTE:
        if (!ClipboardEditAllowed())
            return;
        break;
    case WM_CONTEXTMENU:
        // The edit's own menu would offer Cut and Paste.
        if (!ClipboardEditAllowed() && PopupMenu() == nullptr)
            return;
        break;
    default:
        break;
    }
    TCustomMaskEdit::Dispatch(Message);
}
