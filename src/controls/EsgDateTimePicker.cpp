#include "controls/EsgDateTimePicker.h"

#include "controls/EsgCombo.h"
#include "controls/ExXPVS.h"
#include "platform/Canvas.h"
#include "platform/ControlCanvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Graphics.h"

QString VersionText(Integer VersionNr)
{
    const auto v = Cardinal(VersionNr);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

// ------------------------------------------------------------ TFlatDateTimePicker

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner, TColor BorderColor, bool Ctl3D)
    : TDateTimePicker(AOwner),
      FBorderColor(BorderColor),
      FIsThemed(ExXPVS().Loaded()),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2),
      FCtl3D(Ctl3D),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetDoubleBuffered(true);
}

TFlatDateTimePicker::~TFlatDateTimePicker() = default;

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    Invalidate();
}

void TFlatDateTimePicker::SetBorderColor(TColor v)
{
    if (v == FBorderColor)
        return;
    FBorderColor = v;
    Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool v)
{
    if (v == FMetroStyle)
        return;
    FMetroStyle = v;
    Invalidate();
}

void TFlatDateTimePicker::SetCtl3D(bool v)
{
    FCtl3D = v;
    Invalidate();
}


TColor TFlatDateTimePicker::PlainBorderColor() const
{
    if (FBorderStyle == bsNone)
        return ParentBrushColor(this);
    return FIsThemed ? DisabledFrameColor : FBorderColor;
}

void TFlatDateTimePicker::PlainBorder(TCanvas* c, bool inner)
{
    const Integer w = Width(), h = Height();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(PlainBorderColor());
    c->Polyline({TPoint{0, h}, TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{w - 1, h - 1}, TPoint{0, h - 1}});
    if (!inner)
        return;
    if (FBorderStyle == bsSingle)
        c->Pen()->SetColor(ParentBrushColor(this));
    c->Polyline({TPoint{1, h - 2}, TPoint{1, 1}, TPoint{w - 1, 1}});
}

void TFlatDateTimePicker::PaintMessage(TMessage& Message)
{
    TDateTimePicker::Dispatch(Message);
    TCanvas* c = FCanvas.get();
    FPainting = true;
    const bool metro = MetroActive();
    const bool styles = ThemeActive(ExXPVS());
    if (!FCtl3D || metro) {
        if (metro && Kind() == dtkDate) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(Color());
            c->FillRect(MetroCover(styles));
            DrawDropButton(c);
        }
        if (DrawsOutline()) {
            const Integer w = Width(), h = Height();
            c->Pen()->SetColor(PlainBorderColor());
            c->Polyline({TPoint{0, h}, TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{w - 1, h - 1}, TPoint{0, h - 1}});
            if (!styles)
                c->Polyline({TPoint{1, h}, TPoint{1, 1}, TPoint{w - 2, 1}, TPoint{w - 2, h - 2}, TPoint{0, h - 2}});
        }
        PaintBorders();
    }
    // What the platform's frame would carry: the plain border and the frames again.
    if (PlainBorderWanted())
        PlainBorder(c, true);
    if (!Enabled() && styles && !FDisabledBorder)
        PaintBorders();
    if ((FHasFocus && FFocusBorderColor != clNone) || FBorderColor != clNone)
        PaintBorders();
    FPainting = false;
}

void TFlatDateTimePicker::PaintBorders()
{
    if (!MetroActive() || (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone))
        return;
    if (!FPainting) {
        Invalidate();
        return;
    }
    TCanvas* c = FCanvas.get();
    TComboFrameLook look;
    look.Enabled = Enabled();
    look.Themed = FIsThemed;
    look.DisabledBorder = FDisabledBorder;
    look.Focused = FHasFocus;
    look.UsesFocusBorder = FFocusBorder && IsActiveLook(this, FMouseInControl);
    look.BorderColor = FBorderColor;
    look.FocusBorderColor = FFocusBorderColor;
    look.ParentColor = ParentBrushColor(this);
    look.Color = Color();
    look.ButtonWidth = FButtonWidth;
    DrawComboFrame(c, TRect(0, 0, Width(), Height()), look);
    if (FIsWinXP && ThemeActive(ExXPVS()))
        return;
    // The ring around the arrow: raised while the picker is active, else
    // the button face.
    const Integer cw = ClientWidth(), ch = ClientHeight();
    TRect ring(cw - FButtonWidth - 2, 0, Width(), Height());
    InflateRect(ring, -2, -2);
    const Integer saved = c->SaveDC();
    c->ExcludeClipRect(TRect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
    if (IsActiveLook(this, FMouseInControl)) {
        DrawEdge(c, ring, EDGE_RAISED, BF_RECT | (DroppedDown() ? BF_FLAT : 0));
    } else {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(ring);
    }
    c->RestoreDC(saved);
}

void TFlatDateTimePicker::DrawDropButton(TCanvas* c)
{
    TRect r(0, 0, Width(), Height());
    r.Left += ClientWidth() - FButtonWidth + 2;
    InflateRect(r, -1, -1);
    DrawDropDownButton(c, r, *this, FButtonHover, Enabled(), DroppedDown(), Handle(), true);
}

void TFlatDateTimePicker::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
}

void TFlatDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintMessage(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (Message.LParam == LPARAM(this)) {
            const bool enter = Message.Msg == CM_MOUSEENTER;
            if (Enabled() && FMouseInControl != enter) {
                FMouseInControl = enter;
                PaintBorders();
            }
            if (!enter)
                FButtonHover = false;
            if (FIsWinXP)
                Invalidate();
        }
        break;
    case CM_ENTER:
    case CM_EXIT:
        FHasFocus = Message.Msg == CM_ENTER;
        PaintBorders();
        break;
    default:
        break;
    }
    TDateTimePicker::Dispatch(Message);
}

// ------------------------------------------------------------ TEsgDateTimePicker

TEsgDateTimePicker::TEsgDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner, clNone, true)
{
}

QString TEsgDateTimePicker::Version() const
{
    return VersionText(GetVersionNr());
}

Integer TEsgDateTimePicker::GetVersionNr() const
{
    return Integer(0x01000000);
}

bool TEsgDateTimePicker::MetroActive() const
{
    return MetroStyle() && !HasState(csDesigning);
}

TRect TEsgDateTimePicker::MetroCover(bool VisualStyles) const
{
    const Integer cw = ClientWidth();
    if (VisualStyles)
        return TRect(cw - ButtonWidth() - 15, 1, cw, Height());
    return TRect(cw - ButtonWidth() - 2, 4, cw - 2, Height() - 4);
}

bool TEsgDateTimePicker::PlainBorderWanted() const
{
    return !Ctl3D() && BorderColor() != clNone;
}
