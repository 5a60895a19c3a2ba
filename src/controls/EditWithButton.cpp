#include "controls/EditWithButton.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

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
