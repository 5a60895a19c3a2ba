// Painting of one push-button face: background and edges of the six styles,
// hover blend, gradient, caption placement and cutting, glyph cell, popup arrow.

#include <algorithm>
#include <cmath>
#include <QImage>

#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"

TColor BlendHotTrackColor(TColor Color, TColor HotTrackColor, Integer Step)
{
    const TColor a = ColorToRGB(Color);
    const TColor b = ColorToRGB(HotTrackColor);
    const double w = Step / 8.0;
    auto mix = [w](Byte x, Byte y) { return Byte(std::trunc(x * (1 - w) + y * w)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void FillGradient32(TCanvas* Canvas, TColor From, TColor To, Integer Left, Integer Top, Integer Right, Integer Bottom)
{
    const TColor f = ColorToRGB(From);
    const TColor t = ColorToRGB(To);
    double r = GetRValue(f), g = GetGValue(f), b = GetBValue(f);
    const double dr = (GetRValue(t) - r) / 31.0;
    const double dg = (GetGValue(t) - g) / 31.0;
    const double db = (GetBValue(t) - b) / 31.0;
    const TPenStyle oldPen = Canvas->Pen()->Style();
    Canvas->Pen()->SetStyle(psClear);
    const Integer band = (Bottom - Top) / 31 + 1;
    for (Integer i = 0; i <= 31; ++i) {
        const Integer top = Top + i * (Bottom - Top) / 31;
        Canvas->Brush()->SetColor(RGB(Byte(std::trunc(r)), Byte(std::trunc(g)), Byte(std::trunc(b))));
        Canvas->FillRect(TRect(Left, top, Right, std::min(top + band, Bottom)));
        r += dr;
        g += dg;
        b += db;
    }
    Canvas->Pen()->SetStyle(oldPen);
}

void DrawGlyphCell(TCanvas* Canvas, TBitmap* Glyph, Integer X, Integer Y, Integer CellLeft, Integer CellHeight, Integer CellWidth,
                   Integer CellTop)
{
    if (Glyph == nullptr || Glyph->Empty() || CellWidth <= 0 || CellHeight <= 0)
        return;
    // A cell past the strip's end shows the first cell.
    if (CellLeft < 0 || CellLeft + CellWidth > Glyph->Width())
        CellLeft = 0;
    if (CellTop < 0 || CellTop + CellHeight > Glyph->Height())
        CellTop = 0;
    TBitmap cell;
    cell.SetImage(Glyph->Image().copy(CellLeft, CellTop, CellWidth, CellHeight));
    cell.SetTransparentMode(tmAuto);
    cell.SetTransparent(true);
    Canvas->Draw(X, Y, &cell);
}

namespace {

bool DrawsEdges(const TFxButtonFace& f, bool pressed)
{
    return (f.Enabled && (!f.Flat || f.Hot || pressed)) || (!f.Enabled && !f.Flat);
}

void Line(TCanvas* c, Integer x1, Integer y1, Integer x2, Integer y2)
{
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

} // namespace

void DrawFxButtonFace(TCanvas* Canvas, const TFxButtonFace& f)
{
    TCanvas* c = Canvas;
    const Integer W = f.W;
    const Integer H = f.H;
    const bool pressed = f.Pressed && f.Enabled;
    const Integer off = (pressed && f.Style != bsEncarta) ? 1 : 0;

    TColor face = f.Color;
    if (f.Enabled && f.HotTrackColor != clNone)
        face = BlendHotTrackColor(f.Color, f.HotTrackColor, f.HotTrackStep);
    if (pressed && f.ColorWhenDown != clNone)
        face = f.ColorWhenDown;

    // Background.
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    switch (f.Style) {
    case bsShape:
        // The whole face is see-through: the canvas is left as it is.
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        c->Brush()->SetColor(face);
        c->Rectangle(-1, -1, W + 1, H + 1);
        break;
    case bsModern:
        FillGradient32(c, f.LightColor, face, 2, 2, W - 2, H / 4 + off);
        FillGradient32(c, face, f.LightColor, 2, H / 4 + off, W - 2, H - 1);
        break;
    case bsQuicken:
        break;
    }

    // Edges.
    c->Brush()->SetStyle(bsClear);
    switch (f.Style) {
    case bsNormal:
    case bsEncarta:
        if (DrawsEdges(f, pressed)) {
            c->Pen()->SetColor(pressed ? f.ShadowColor : f.LightColor);
            c->MoveTo(0, H - 1);
            c->LineTo(0, 0);
            c->LineTo(W - 1, 0);
            c->Pen()->SetColor(pressed ? f.LightColor : f.ShadowColor);
            c->LineTo(W - 1, H - 1);
            c->LineTo(0, H - 1);
        }
        break;
    case bsOld:
        if (DrawsEdges(f, pressed)) {
            c->Pen()->SetColor(f.ShadowColor);
            if (!pressed) {
                c->MoveTo(W - 2, 0);
                c->LineTo(W - 2, H - 2);
                c->LineTo(0, H - 2);
            } else {
                c->MoveTo(1, H - 3);
                c->LineTo(1, 1);
                c->LineTo(W - 2, 1);
            }
            c->Pen()->SetColor(pressed ? cl3DDkShadow : f.LightColor);
            c->MoveTo(0, H - 1);
            c->LineTo(0, 0);
            c->LineTo(W - 1, 0);
            c->Pen()->SetColor(pressed ? f.LightColor : cl3DDkShadow);
            c->LineTo(W - 1, H - 1);
            c->LineTo(-1, H - 1);
        }
        break;
    case bsModern:
        c->Pen()->SetColor(pressed ? f.ShadowColor : face);
        c->Rectangle(1, 1, W - 1, H - 1);
        c->Pen()->SetColor(f.ShadowColor);
        c->RoundRect(0, 0, W, H, 6, 6);
        break;
    case bsQuicken:
        c->Pen()->SetStyle(psClear);
        c->Brush()->SetColor(face);
        c->RoundRect(0, 1, W, H, 4, 4);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(f.ShadowColor);
        Line(c, 4, 0, W - 5, 0);
        Line(c, 4, H - 1, W - 5, H - 1);
        break;
    case bsShape:
        break;
    }

    // Font.
    if (f.Font != nullptr)
        c->Font()->Assign(f.Font);
    if (f.Style == bsEncarta && pressed)
        c->Font()->SetStyle(c->Font()->Style() | fsBold);

    // Glyph cell for the state.
    const bool hasGlyph = f.Glyph != nullptr && !f.Glyph->Empty() && f.NumGlyphs > 0;
    const Integer GH = hasGlyph ? f.Glyph->Height() : 0;
    const Integer CW = hasGlyph ? f.Glyph->Width() / f.NumGlyphs : 0;
    Integer cell = 0;
    if (!f.Enabled) {
        cell = 1;
    } else {
        if (f.Hot && f.NumGlyphs > 3)
            cell = 3;
        if (pressed && f.NumGlyphs > 2)
            cell = 2;
    }

    // Text format and width.
    Cardinal format;
    switch (f.Alignment) {
    case taLeftJustify: format = DT_WORDBREAK | DT_LEFT; break;
    case taRightJustify: format = DT_WORDBREAK | DT_RIGHT; break;
    case taCenter: format = DT_WORDBREAK | DT_CENTER; break;
    default: format = DT_SINGLELINE | DT_CENTER | DT_VCENTER; break;
    }
    Integer TW = W - 8;
    if (f.Style != bsShape && (f.Layout == blGlyphLeft || f.Layout == blGlyphRight) && CW > 0)
        TW -= CW + 4;
    TW = std::max(TW, 0);

    QString caption = f.Caption;
    if (!f.WordWrap)
        while (!caption.isEmpty() && c->TextWidth(caption) > TW)
            caption.chop(1);
    TRect calc(0, 0, TW, 0);
    DrawText(c, caption, calc, DT_CALCRECT | DT_WORDBREAK);
    const Integer TH = calc.Height();
    const Integer TWm = calc.Width();

    if (f.Style == bsShape) {
        DrawGlyphCell(c, f.Glyph, (W - CW) / 2, (H - GH) / 2, cell * CW, GH, CW);
        TRect r(off, (H - TH) / 2 + off, W, H);
        DrawText(c, caption, r, DT_WORDBREAK | DT_CENTER);
    } else {
        Integer TT = 0, TL = off + 4, GT = 0, GL = 0;
        if (f.Layout == blGlyphLeft || f.Layout == blGlyphRight) {
            TT = (H - TH) / 2 + off;
            GT = (H - GH) / 2 + off;
            const Integer G = caption.isEmpty() ? 0 : TWm + 4;
            if (f.Layout == blGlyphLeft) {
                if (CW > 0)
                    TL += CW + 4;
                GL = off + 4;
                if (!f.WordWrap) {
                    switch (f.Alignment) {
                    case taLeftJustify: GL = off + 4; break;
                    case taRightJustify: GL = W - 4 - CW - G + off; break;
                    case taCenter: GL = (W - CW) / 2 + off - G / 2; break;
                    }
                }
            } else {
                GL = TL + G;
                if (!f.WordWrap) {
                    switch (f.Alignment) {
                    case taLeftJustify: GL = TL + G; break;
                    case taRightJustify: GL = W - 4 + off - CW; break;
                    case taCenter: GL = (W - CW) / 2 + off + G / 2; break;
                    }
                }
            }
        } else {
            const Integer B = TH + (GH > 0 ? GH + 4 : 0);
            if (f.Layout == blGlyphTop) {
                GT = (H - B) / 2 + off;
                TT = (H - B) / 2 + GH + off;
            } else {
                TT = (H - B) / 2 + off;
                GT = (H - B) / 2 + TH + off;
            }
            switch (f.Alignment) {
            case taLeftJustify: GL = off + 4; break;
            case taRightJustify: GL = W - CW - 4 + off; break;
            default: GL = (W - CW) / 2 + off; break;
            }
        }
        if (!f.Enabled)
            c->Font()->SetColor(RGB(128, 128, 128));
        TRect r(TL, TT, TL + TW, TT + TH);
        DrawText(c, caption, r, format);
        DrawGlyphCell(c, f.Glyph, GL, GT, cell * CW, GH, CW);
    }

    if (f.HasPopupMenu) {
        const std::unique_ptr<TBitmap> arrow = LoadFxButtonBitmap(QStringLiteral("LBARROW"));
        arrow->SetTransparentColor(clWhite);
        arrow->SetTransparent(true);
        c->Draw(W - 11, H / 2 - 1, arrow.get());
    }
}
