#include "platform/Buttons.h"

#include <QImage>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = csCaptureMouse | csDoubleClicks;  // the button clicks itself on release
    SetBounds(0, 0, 23, 22);
    SetParentColor(false);
    SetColor(clBtnFace);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TSpeedButton::~TSpeedButton()
{
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(const TBitmap* value)
{
    FGlyph->Assign(value);
    // A strip of square cells tells how many it holds.
    if (value != nullptr && value->Height() > 0 && value->Width() % value->Height() == 0)
        FNumGlyphs = std::clamp<Integer>(value->Width() / value->Height(), 1, 4);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(Integer v)
{
    FNumGlyphs = std::clamp<Integer>(v, 1, 4);
    Invalidate();
}

void TSpeedButton::SetDown(bool v)
{
    if (FGroupIndex == 0)
        v = false;
    if (v == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;  // the down button of a group goes up only when another goes down
    FDown = v;
    FState = v ? (FState == bsUp ? bsExclusive : FState) : bsUp;
    if (v)
        UpdateExclusive();
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    for (Integer i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other != nullptr && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->FState = bsUp;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click()
{
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    // Pressed while the mouse stays over it.
    TButtonState s = FDown ? bsExclusive : bsUp;
    if (PtInRect(ClientRect(), Point(X, Y)))
        s = FDown ? bsExclusive : bsDown;
    if (s != FState) {
        FState = s;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft)
        return;
    FDragging = false;
    const bool inside = PtInRect(ClientRect(), Point(X, Y));
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
        if (inside)
            Click();
        return;
    }
    if (inside) {
        SetDown(!FDown);
        if (FDown)
            FState = bsExclusive;
        Invalidate();
        Click();
    } else {
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
}

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        FMouseInControl = true;
        if (FFlat)
            Invalidate();
        break;
    case CM_MOUSELEAVE:
        FMouseInControl = false;
        if (FFlat)
            Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(Message);
}

void TSpeedButton::DrawGlyph(Integer X, Integer Y, TButtonState state)
{
    if (FGlyph->Empty())
        return;
    const Integer cellW = FGlyph->Width() / FNumGlyphs;
    Integer index = state == bsDisabled ? 1 : state == bsDown ? 2 : state == bsExclusive ? 3 : 0;
    if (index >= FNumGlyphs)
        index = 0;
    TBitmap cell;
    cell.SetImage(FGlyph->Image().copy(index * cellW, 0, cellW, FGlyph->Height()));
    cell.SetTransparent(true);
    Canvas()->Draw(X, Y, &cell);
}

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const bool pressed = FState == bsDown || FState == bsExclusive;
    if (!FTransparent || pressed) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FState == bsExclusive ? clBtnHighlight : Color());
        c->FillRect(r);
    }
    if (!FFlat || FMouseInControl || pressed) {
        TRect e = r;
        DrawEdge(c, e, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    // Glyph and caption side by side, centred; pressed ones shift by a pixel.
    const Integer shift = pressed ? 1 : 0;
    const Integer gw = FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs;
    const Integer gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    c->Font()->Assign(Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    const QString text = Caption();
    const Integer tw = text.isEmpty() ? 0 : c->TextWidth(text);
    const Integer gap = (gw > 0 && tw > 0) ? std::max<Integer>(FSpacing, 0) : 0;
    const Integer total = gw + gap + tw;
    Integer x = (r.Width() - total) / 2 + shift;
    if (gw > 0) {
        DrawGlyph(x, (r.Height() - gh) / 2 + shift, FState);
        x += gw + gap;
    }
    if (tw > 0) {
        TRect t(x, shift, x + tw, r.Height() + shift);
        c->Brush()->SetStyle(bsClear);
        DrawText(c, text, t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}
