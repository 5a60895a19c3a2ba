#include "grid/dropdown/ExDropDownDraw.h"

#include <cmath>

#include "grid/EsgHTMLE.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"

namespace {

// Rounding of the colour and band arithmetic: to the nearest, ties to even.
Integer RoundEven(double v)
{
    return Integer(std::nearbyint(v));
}

} // namespace

void DrawDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, Integer Steps, TRect Rect,
                          bool Horizontal)
{
    if (Canvas == nullptr)
        return;
    if (Steps <= 0)
        Steps = 1;
    const TColor a = ColorToRGB(FromColor), b = ColorToRGB(ToColor);
    const Integer r0 = GetRValue(a), g0 = GetGValue(a), b0 = GetBValue(a);
    const Integer dr = Integer(GetRValue(b)) - r0, dg = Integer(GetGValue(b)) - g0, db = Integer(GetBValue(b)) - b0;
    if (Horizontal)
        --Rect.Right;
    else
        --Rect.Bottom;
    const double d = (Horizontal ? Rect.Right - Rect.Left : Rect.Bottom - Rect.Top) / double(Steps);
    for (Integer n = 0; n < Steps; ++n) {
        const TColor c = RGB(Byte(r0 + RoundEven(double(n) * dr / Steps)), Byte(g0 + RoundEven(double(n) * dg / Steps)),
                             Byte(b0 + RoundEven(double(n) * db / Steps)));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        const Integer from = RoundEven(n * d), extent = RoundEven(d) + 1;
        if (Horizontal)
            Canvas->Rectangle(Rect.Left + from, Rect.Top, Rect.Left + from + extent, Rect.Bottom);
        else
            Canvas->Rectangle(Rect.Left, Rect.Top + from, Rect.Right, Rect.Top + from + extent);
    }
}

TColor BlendColor(TColor Color1, TColor Color2, Integer Percent)
{
    if (Percent >= 100)
        return Color1;
    if (Percent <= 0)
        return Color2;
    const TColor c1 = ColorToRGB(Color1), c2 = ColorToRGB(Color2);
    const double x = Percent / 100.0;
    auto mix = [x](Byte v1, Byte v2) { return Byte(RoundEven(x * v1 + (1 - x) * v2)); };
    return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

TColor AdjustColor(TColor Color, Integer RedPercent, Integer GreenPercent, Integer BluePercent)
{
    const TColor c = ColorToRGB(Color);
    auto adjust = [](Byte v, Integer p) -> Byte {
        if (v == 0)
            return Byte(std::clamp<Integer>(p, 0, 255));
        return Byte(std::clamp<Integer>(RoundEven(std::min(100, 100 + p) / 100.0 * v), 0, 255));
    };
    return RGB(adjust(GetRValue(c), RedPercent), adjust(GetGValue(c), GreenPercent), adjust(GetBValue(c), BluePercent));
}

void DrawRectBackground(TCanvas* Canvas, TRect Rect, TColor Color, TColor ColorTo, TColor BorderColor,
                        Integer BorderWidth, TGradientDirection Direction)
{
    if (Canvas == nullptr)
        return;
    if (ColorTo != clNone) {
        DrawDropDownGradient(Canvas, Color, ColorTo, 80, Rect, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(Rect);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetWidth(BorderWidth);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(Rect);
        Canvas->Pen()->SetWidth(1);
    }
}

void DrawImageAndText(TCanvas* Canvas, TRect Rect, const QString& Text, TCustomImageList* Images, Integer ImageIndex)
{
    if (Canvas == nullptr)
        return;
    TRect t = Rect;
    const bool image = Images != nullptr && ImageIndex >= 0;
    if (image) {
        Images->Draw(Canvas, Rect.Left + 4, Rect.Top + (Rect.Height() - Images->Height()) / 2, ImageIndex, true);
        t.Left = Rect.Left + Images->Width() + 8;
    }
    if (!Text.isEmpty())
        DrawText(Canvas, Text, t, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | (image ? 0 : DT_CENTER));
}

TSize GetTextSize(TCanvas* Canvas, const QString& Text)
{
    if (Canvas == nullptr || Text.isEmpty())
        return {0, 0};
    TRect r(0, 0, 1000, 500);
    DrawText(Canvas, Text, r, DT_CALCRECT | DT_SINGLELINE);
    return {r.Width(), r.Height()};
}

QString FitText(TCanvas* Canvas, const QString& Text, Integer MaxWidth, bool AddEllipsis)
{
    if (GetTextSize(Canvas, Text).cx <= MaxWidth)
        return Text;
    for (qsizetype keep = Text.size() - 1; keep >= 0; --keep) {
        QString candidate = Text.left(keep);
        if (AddEllipsis)
            candidate += QStringLiteral("...");
        if (GetTextSize(Canvas, candidate).cx < MaxWidth)
            return candidate;
    }
    return Text;
}

void DrawItemCaption(TCanvas* Canvas, const QString& Caption, TRect Rect, TCustomImageList* Images, bool Paint,
                     HWND WindowHandle, TSize& Size)
{
    Size = {0, 0};
    if (Canvas == nullptr || Caption.isEmpty())
        return;
    TMiniHTMLRequest request;
    request.Images = Images;
    request.Window = WindowHandle;
    request.MeasureOnly = !Paint;
    request.AnchorColor = RGB(0, 0, 255);
    TMiniHTMLResult result;
    RenderMiniHTML(Canvas, Caption, Rect, request, result);
    Size = {result.Width, result.Height};
}
