// Colour mixing and banded gradients.
#include "ExUtil.h"

#include "platform/Canvas.h"

#include <cmath>

namespace {

// Round to nearest, halves to even.
Integer RoundHalfEven(double v)
{
    return Integer(std::nearbyint(v));
}

Integer Clamp255(Integer v)
{
    return std::clamp(v, 0, 255);
}

} // namespace

TColor HalfColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return RGB(GetRValue(c) >> 1, GetGValue(c) >> 1, GetBValue(c) >> 1);
}

TColor ColorBrighten(TColor Color, Integer Percent)
{
    const TColor c = ColorToRGB(Color);
    auto f = [Percent](Integer v) { return Byte(Clamp255(RoundHalfEven(v + v * Percent / 100.0))); };
    return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
}

TColor InterpolateColor(TColor Color, TColor ColorTo, Integer Min, Integer Max, Integer Pos)
{
    if (ColorTo == clNone)
        return Color;
    const TColor c0 = ColorToRGB(Color);
    if (Max == Min)
        return c0;
    const TColor c1 = ColorToRGB(ColorTo);
    auto f = [&](Integer a, Integer b) { return Byte(Clamp255(a + RoundHalfEven(double(b - a) / (Max - Min) * Pos))); };
    return RGB(f(GetRValue(c0), GetRValue(c1)), f(GetGValue(c0), GetGValue(c1)), f(GetBValue(c0), GetBValue(c1)));
}

QString ColorToHTMLHex(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return IntToHex(GetRValue(c), 2) + IntToHex(GetGValue(c), 2) + IntToHex(GetBValue(c), 2);
}

void FillRectColor(TCanvas* Canvas, const TRect& Rect, TColor Color)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(Rect);
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect, bool Horizontal)
{
    if (Rect.Top == Rect.Bottom)
        return;
    if (Rect.Bottom < Rect.Top)
        std::swap(Rect.Top, Rect.Bottom);
    if (FromColor == clNone || ToColor == clNone) {
        const TColor solid = FromColor == clNone ? ToColor : FromColor;
        if (solid == clNone)
            return;
        Canvas->Pen()->SetColor(solid);
        Canvas->Brush()->SetColor(solid);
        // A thin solid pen of the brush's colour outlines exactly what a
        // fill covers, and the fill is far cheaper.
        TPen* pen = Canvas->Pen();
        if (pen->Width() <= 1 && pen->Style() == psSolid && pen->Mode() == pmCopy && Canvas->Brush()->Style() == bsSolid)
            Canvas->FillRect(Rect);
        else
            Canvas->Rectangle(Rect);
        return;
    }
    const TColor from = ColorToRGB(FromColor);
    const TColor to = ColorToRGB(ToColor);
    const Integer extent = (Horizontal ? Rect.Width() : Rect.Height()) - 1;
    Steps = std::max(std::min(Steps, extent), 1);
    const double band = double(extent) / Steps;
    const Integer r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
    const Integer dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
    const Integer farEdge = Horizontal ? Rect.Right : Rect.Bottom;
    const Integer nearEdge = Horizontal ? Rect.Left : Rect.Top;
    // A band outlined in its own colour covers what a plain fill covers;
    // the fill is far cheaper, so it is used whenever the brush is solid.
    const bool fill = Canvas->Brush()->Style() == bsSolid;
    for (Integer k = 0; k <= Steps; ++k) {
        const Integer offset = Integer(std::trunc(k * band));
        const TColor c = RGB(Byte(r0 + RoundHalfEven(double(k) * dr / Steps)),
                             Byte(g0 + RoundHalfEven(double(k) * dg / Steps)),
                             Byte(b0 + RoundHalfEven(double(k) * db / Steps)));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        const Integer a = nearEdge + offset;
        const Integer b = std::min(a + Integer(std::trunc(band + 1)), farEdge);
        if (b <= a)
            continue;
        const TRect bandRect = Horizontal ? TRect(a, Rect.Top, b, Rect.Bottom) : TRect(Rect.Left, a, Rect.Right, b);
        if (fill)
            Canvas->FillRect(bandRect);
        else
            Canvas->Rectangle(bandRect);
    }
}
