// Painters of cell backgrounds, in-cell buttons, progress displays, shapes,
// transparent bitmaps and error marks.
#include "ExUtil.h"

#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"

#include <QFile>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

Integer RoundHalfEven(double v)
{
    return Integer(std::nearbyint(v));
}

const TColorTone& ToneOf(const TColorTones& Tones, Integer State)
{
    switch (State) {
    case 1: return Tones.Hover;
    case 2: return Tones.Selected;
    case 3: return Tones.Disabled;
    default: return Tones.Background;
    }
}

void SetPenBrush(TCanvas* Canvas, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
}

void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

bool DrawThemed(TCanvas* Canvas, HWND Window, const char* Class, Integer Part, Integer State, const TRect& R)
{
    TThemeServices& ts = ExXPVS();
    if (!ThemeActive(ts) || !ts.OpenThemeData || !ts.DrawThemeBackground || !ts.CloseThemeData)
        return false;
    HTHEME theme = ts.OpenThemeData(Window, QString::fromLatin1(Class));
    if (!theme)
        return false;
    const HRESULT hr = ts.DrawThemeBackground(theme, Canvas, Part, State, &R, nullptr);
    ts.CloseThemeData(theme);
    return hr == S_OK;
}

EResNotFound::EResNotFound(const QString& Name)
    : std::runtime_error(QStringLiteral("Resource %1 not found").arg(Name).toStdString())
{
}

bool ReadResourceData(const QString& Name, QByteArray& Data)
{
    if (Name.isEmpty())
        return false;
    for (const QString& n : {Name, Name.toUpper()}) {
        QFile f(QStringLiteral(":/") + n);
        if (f.open(QIODevice::ReadOnly)) {
            Data = f.readAll();
            return true;
        }
    }
    return false;
}

// ------------------------------------------------------ backgrounds, frames

void DrawCellBackground(TCanvas* Canvas, TRect Rect, TColor Color, TColor ColorTo, TColor ColorMirror,
                        TColor ColorMirrorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly, bool Fill)
{
    if (Fill && Color != clNone) {
        if (ColorMirror == clNone && ColorTo == clNone) {
            SetPenBrush(Canvas, Color);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Pen()->SetWidth(1);
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom + 1);
        } else if (ColorMirror == clNone) {
            DrawGradient(Canvas, Color, ColorTo, 128, Rect, !Vertical);
        } else {
            TRect first = Rect, second = Rect;
            if (Vertical) {
                const Integer split = Rect.Top + (Rect.Bottom - Rect.Top) / 2;
                first.Bottom = split;
                second.Top = split;
            } else {
                const Integer split = Rect.Left + (Rect.Right - Rect.Left) / 2;
                first.Right = split;
                second.Left = split;
            }
            DrawGradient(Canvas, Color, ColorTo, 128, first, !Vertical);
            DrawGradient(Canvas, ColorMirror, ColorMirrorTo, 128, second, !Vertical);
        }
    }
    if (BorderColor != clNone) {
        if (SideLinesOnly) {
            Canvas->Pen()->SetColor(BorderColor);
            Line(Canvas, Rect.Left, Rect.Top, Rect.Left, Rect.Bottom);
            Line(Canvas, Rect.Right - 1, Rect.Top, Rect.Right - 1, Rect.Bottom);
        } else {
            Canvas->Brush()->SetColor(BorderColor);
            Canvas->FrameRect(Rect);
        }
    }
}

void DrawButtonFrame(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror, TColor ColorMirrorTo,
                     TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor InnerCornerColor,
                     TColor OuterCornerColor, TRect Rect, Integer Kind)
{
    const Integer L = Rect.Left, T = Rect.Top, R = Rect.Right - 1, B = Rect.Bottom - 2;
    const bool leftClosed = Kind == 0 || Kind == 1;
    const bool rightClosed = Kind == 0 || Kind == 2;
    const Integer mid = T + (B - T) / 2;

    Canvas->Pen()->SetColor(InnerTopColor);
    Line(Canvas, L, T + 1, R, T + 1);
    if (leftClosed)
        Line(Canvas, L + 1, T + 1, L + 1, mid);
    if (rightClosed)
        Line(Canvas, R - 2, T + 1, R - 2, mid);

    Canvas->Pen()->SetColor(InnerBottomColor);
    Line(Canvas, L, B - 1, R, B - 1);
    if (leftClosed)
        Line(Canvas, L + 1, mid, L + 1, B - 1);
    if (rightClosed)
        Line(Canvas, R - 2, mid, R - 2, B - 1);

    const Integer li = (Kind == 2 || Kind == 3) ? 0 : 2;
    const Integer ri = (Kind == 1 || Kind == 3) ? 0 : 2;
    Canvas->Pen()->SetColor(BorderColor);
    Line(Canvas, L + li, T, R - ri, T);
    Line(Canvas, L + li, B, R - ri, B);
    if (rightClosed)
        Line(Canvas, R - 1, T + 2, R - 1, B - 1);
    if (leftClosed)
        Line(Canvas, L, T + 2, L, B - 1);

    if (leftClosed) {
        for (TPoint p : {TPoint(L + 1, T), TPoint(L + 1, T + 1), TPoint(L, T + 1), TPoint(L + 1, B), TPoint(L + 1, B - 1),
                         TPoint(L, B - 1)})
            Canvas->SetPixels(p.X, p.Y, InnerCornerColor);
        Canvas->SetPixels(L, T, OuterCornerColor);
        Canvas->SetPixels(L, B, OuterCornerColor);
    }
    if (rightClosed) {
        for (TPoint p : {TPoint(R - 2, T), TPoint(R - 2, T + 1), TPoint(R - 1, T + 1), TPoint(R - 2, B),
                         TPoint(R - 2, B - 1), TPoint(R - 1, B - 1)})
            Canvas->SetPixels(p.X, p.Y, InnerCornerColor);
        Canvas->SetPixels(R - 1, T, OuterCornerColor);
        Canvas->SetPixels(R - 1, B, OuterCornerColor);
    }

    const TRect inside(L + li, T + 2, R - ri, B - 1);
    if (ColorTo == clNone) {
        SetPenBrush(Canvas, Color);
        Canvas->Rectangle(inside);
    } else if (ColorMirror == clNone) {
        DrawGradient(Canvas, Color, ColorTo, 16, inside, false);
    } else {
        const Integer m = inside.Top + (inside.Bottom - inside.Top) / 2;
        DrawGradient(Canvas, Color, ColorTo, 16, TRect(inside.Left, inside.Top, inside.Right, m), false);
        DrawGradient(Canvas, ColorMirror, ColorMirrorTo, 16, TRect(inside.Left, m, inside.Right, inside.Bottom), false);
    }
}

// ----------------------------------------------------------------- buttons

void DrawComboButton(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones)
{
    TRect R = Rect;
    R.Left = R.Right - 17;
    InflateRect(R, 0, -1);
    OffsetRect(R, -2, 0);
    const bool disabled = State == 3;
    if (Look == 0 && DrawThemed(Canvas, Window, "combobox", CP_DROPDOWNBUTTON, disabled ? CBXS_DISABLED : CBXS_NORMAL, R))
        return;
    if (Look == 0 || Look == 1 || Look == 2) {
        Cardinal flags = DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0) | (Look == 2 ? DFCS_FLAT : 0);
        DrawFrameControl(Canvas, R, DFC_SCROLL, flags);
    } else if (Look == 3) {
        R.Left += 3;
        SetPenBrush(Canvas, ToneOf(Tones, State).BrushColor);
        Canvas->Rectangle(R);
        Canvas->Pen()->SetColor(Tones.Background.BorderColor);
        Line(Canvas, R.Left + 1, R.Top, R.Left + 1, R.Bottom);
        SetPenBrush(Canvas, Tones.Background.TextColor);
        Canvas->Polygon({TPoint(R.Left + 5, R.Top + 8), TPoint(R.Left + 11, R.Top + 8), TPoint(R.Left + 8, R.Top + 11)});
    }
}

void DrawCellButton(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones)
{
    TRect R = Rect;
    const Integer themeState = State == 1 ? PBS_HOT : State == 2 ? PBS_PRESSED : State == 3 ? PBS_DISABLED : PBS_NORMAL;
    if (Look == 0 && DrawThemed(Canvas, Window, "button", BP_PUSHBUTTON, themeState, R))
        return;
    if (Look == 0 || Look == 1 || Look == 2) {
        Cardinal flags = DFCS_BUTTONPUSH;
        if (State == 1)
            flags |= DFCS_HOT;
        if (State == 2)
            flags |= DFCS_PUSHED;
        if (State == 3)
            flags |= DFCS_INACTIVE;
        if (Look == 2)
            flags |= DFCS_FLAT;
        DrawFrameControl(Canvas, R, DFC_BUTTON, flags);
    } else if (Look == 3) {
        const TColorTone& tone = ToneOf(Tones, State);
        Canvas->Brush()->SetColor(tone.BrushColor);
        Canvas->Pen()->SetColor(tone.BorderColor);
        Canvas->Rectangle(R);
    }
}

void DrawSpinButtons(TCanvas* Canvas, HWND Window, TRect Rect, Integer Look, Integer State, TColorTones Tones)
{
    TRect R = Rect;
    R.Left = R.Right - 15;
    OffsetRect(R, -1, -1);
    const Integer m = R.Top + (R.Bottom - R.Top) / 2;
    const bool disabled = State == 3;
    if (Look == 0) {
        const TRect up(R.Left, R.Top, R.Right, m), down(R.Left, m, R.Right, R.Bottom);
        if (DrawThemed(Canvas, Window, "spin", SPNP_UP, disabled ? UPS_DISABLED : UPS_NORMAL, up)
            && DrawThemed(Canvas, Window, "spin", SPNP_DOWN, disabled ? DNS_DISABLED : DNS_NORMAL, down))
            return;
    }
    if (Look == 0 || Look == 1 || Look == 2) {
        const Cardinal extra = (disabled ? DFCS_INACTIVE : 0) | (Look == 2 ? DFCS_FLAT : 0);
        TRect up(R.Left, R.Top, R.Right, m), down(R.Left, m + 1, R.Right, R.Bottom);
        DrawFrameControl(Canvas, up, DFC_SCROLL, DFCS_SCROLLUP | extra);
        DrawFrameControl(Canvas, down, DFC_SCROLL, DFCS_SCROLLDOWN | extra);
    } else if (Look == 3) {
        SetPenBrush(Canvas, ToneOf(Tones, State).BrushColor);
        Canvas->Rectangle(R.Left, R.Top, R.Right, m);
        Canvas->Rectangle(R.Left, m + 1, R.Right, R.Bottom);
        SetPenBrush(Canvas, clBlack);
        Canvas->Polygon({TPoint(R.Left + 5, R.Top + 5), TPoint(R.Left + 9, R.Top + 5), TPoint(R.Left + 7, R.Top + 3)});
        Canvas->Polygon({TPoint(R.Left + 5, m + 2), TPoint(R.Left + 9, m + 2), TPoint(R.Left + 7, m + 4)});
    }
}

// ---------------------------------------------------------------- progress

void DrawProgressBar(TCanvas* Canvas, TRect Rect, TColor Color, TColor FontColor, TColor ColorTo, TColor FontColorTo,
                     double Value, Integer MarginX, Integer MarginY, double Min, double Max, const QString& Format,
                     TColor BorderColor, bool TextBelow)
{
    const TColor entryBrush = Canvas->Brush()->Color();
    SetPenBrush(Canvas, Color);
    Canvas->Font()->SetColor(FontColor);

    const Integer rounded = RoundHalfEven(Value);
    QString text;
    Integer d = 0;
    const QString plain = IntToStr(rounded) + QLatin1Char('%');
    if (Format.isEmpty()) {
        text = plain;
        d = rounded;
    } else {
        try {
            if (Format.contains(QLatin1Char('d')) || Format.contains(QLatin1Char('u')))
                text = ::Format(Format, {rounded});
            else
                text = ::Format(Format, {Value});
        } catch (const EConvertError&) {
            // A format that does not fit the value shows the plain percentage.
            text = plain;
        }
        // Without a range the bar is empty below Max and full from it.
        d = Max != Min ? RoundHalfEven((Value - Min) * 100 / (Max - Min)) : (Value >= Max ? 100 : 0);
    }
    d = std::clamp(d, 0, 100);

    TRect B = Rect;
    InflateRect(B, -MarginX, -MarginY);
    const Integer split = B.Left + RoundHalfEven(d * double(B.Right - B.Left) / 100);
    const TSize ext = Canvas->TextExtent(text);
    const Integer x = B.Left + (B.Width() - ext.cx) / 2;
    const Integer y = TextBelow ? B.Top + (B.Height() + ext.cy) / 2 : B.Top + (B.Height() - ext.cy) / 2;

    Canvas->Brush()->SetColor(Color);
    Canvas->Font()->SetColor(FontColor);
    if (split > B.Left)
        Canvas->TextRect(TRect(B.Left, B.Top, split, B.Bottom), x, y, text);
    SetPenBrush(Canvas, ColorTo);
    Canvas->Font()->SetColor(FontColorTo);
    if (split < B.Right)
        Canvas->TextRect(TRect(split, B.Top, B.Right, B.Bottom), x, y, text);

    Canvas->Brush()->SetColor(BorderColor);
    Canvas->Pen()->SetColor(entryBrush);
    InflateRect(B, 1, 1);
    if (BorderColor != clNone)
        Canvas->FrameRect(B);
    Canvas->Brush()->SetColor(entryBrush);
    InflateRect(B, 1, 1);
    Canvas->FrameRect(B);
}

void DrawProgressPie(TCanvas* Canvas, TRect Rect, TColor Color, Integer Percent, bool SeedAbove)
{
    const Integer w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
    const Integer cx = Rect.Left + w / 2, cy = Rect.Top + h / 2;
    const double a = Percent / 100.0 * 2 * std::numbers::pi;
    const TPoint tip(cx + RoundHalfEven((w + 1) / 2.0 * std::sin(a)), cy - RoundHalfEven((h + 1) / 2.0 * std::cos(a)));
    const TColor grey = 0x808080;

    Canvas->Pen()->SetColor(grey);
    Canvas->Pen()->SetWidth(1);
    Canvas->Ellipse(Rect);
    if (Percent != 0) {
        // The sector from twelve o'clock clockwise to the angle.
        std::vector<TPoint> sector{TPoint(cx, cy)};
        const double rx = (w + 1) / 2.0, ry = (h + 1) / 2.0;
        const Integer steps = std::max(2, Integer(std::ceil(std::abs(a) / (2 * std::numbers::pi) * 180)));
        for (Integer k = 0; k <= steps; ++k) {
            const double t = a * k / steps;
            sector.emplace_back(cx + RoundHalfEven(rx * std::sin(t)), cy - RoundHalfEven(ry * std::cos(t)));
        }
        const TPenStyle style = Canvas->Pen()->Style();
        Canvas->Pen()->SetStyle(psClear);
        Canvas->Brush()->SetColor(Color);
        Canvas->Polygon(sector);
        Canvas->Pen()->SetStyle(style);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Ellipse(Rect);
    }
    Line(Canvas, cx, Rect.Top, cx, cy);
    Line(Canvas, cx, cy, tip.X, tip.Y);
    Canvas->Brush()->SetColor(Color);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect Rect, Integer Value, Integer Range, bool ShowValue,
                        TColor NegativeColor, TColor PositiveColor)
{
    InflateRect(Rect, -2, -2);
    if (Range == 0)
        return;
    Range = std::abs(Range);
    const Integer half = Rect.Width() / 2;
    Value = std::clamp(Value, -Range, Range);
    const Integer x = RoundHalfEven(double(half) * Value / Range);
    if (Value < 0) {
        SetPenBrush(Canvas, NegativeColor);
        Canvas->Rectangle(Rect.Left + half + x, Rect.Top, Rect.Left + half, Rect.Bottom);
    } else {
        SetPenBrush(Canvas, PositiveColor);
        Canvas->Rectangle(Rect.Left + half, Rect.Top, Rect.Left + half + x, Rect.Bottom);
    }
    if (ShowValue) {
        // The limited value, centred over the bar.
        const QString text = IntToStr(Value);
        const TSize ext = Canvas->TextExtent(text);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->TextOut(Rect.Left + (Rect.Width() - ext.cx) / 2, Rect.Top + (Rect.Height() - ext.cy) / 2, text);
    }
}

void DrawCellProgress(TCanvas* Canvas, TRect Rect, Integer Percent, const TProgressAppearanceRec& A)
{
    const TColor frame = A.ShowBorder ? A.BorderColor : A.BackgroundColor;
    Canvas->Brush()->SetColor(A.BackgroundColor);
    Canvas->Pen()->SetColor(frame);
    Canvas->Rectangle(Rect);
    if (Percent <= 0)
        return;

    const TRect inner(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1);
    const Integer q = (A.Vertical ? Rect.Height() : Rect.Width()) - 2;

    // A part from Start along the bar (from the left, or up from the bottom),
    // Inset pixels in from the inner edges across it.
    auto part = [&](Integer Start, Integer Length, Integer Inset) {
        TRect r = inner;
        if (A.Vertical) {
            r = TRect(inner.Left + Inset, inner.Bottom - Start - Length, inner.Right - Inset, inner.Bottom - Start);
        } else {
            r = TRect(inner.Left + Start, inner.Top + Inset, inner.Left + Start + Length, inner.Bottom - Inset);
        }
        TRect clipped;
        IntersectRect(clipped, r, inner);
        return clipped;
    };
    auto fill = [&](const TRect& r, TColor Color, TColor ColorTo) {
        if (r.IsEmpty())
            return;
        if (!A.ShowGradient) {
            FillRectColor(Canvas, r, Color);
            return;
        }
        if (A.Vertical) {
            const Integer m = r.Left + r.Width() / 2;
            DrawGradient(Canvas, ColorTo, Color, A.Steps, TRect(r.Left, r.Top, m, r.Bottom), true);
            DrawGradient(Canvas, Color, ColorTo, A.Steps, TRect(m, r.Top, r.Right, r.Bottom), true);
        } else {
            const Integer m = r.Top + r.Height() / 2;
            DrawGradient(Canvas, ColorTo, Color, A.Steps, TRect(r.Left, r.Top, r.Right, m), false);
            DrawGradient(Canvas, Color, ColorTo, A.Steps, TRect(r.Left, m, r.Right, r.Bottom), false);
        }
    };

    if (A.Stacked) {
        const Integer l0 = RoundHalfEven(std::min(Percent, A.Level1Perc) / 100.0 * q);
        fill(part(0, l0, 0), A.Level0Color, A.Level0ColorTo);
        Integer l1 = 0;
        if (Percent >= A.Level1Perc) {
            l1 = RoundHalfEven(q * double(std::min(Percent, A.Level2Perc) - A.Level1Perc) / 100);
            fill(part(l0, l1, 0), A.Level1Color, A.Level1ColorTo);
        }
        if (Percent >= A.Level2Perc) {
            const Integer l2 = Percent >= 100 ? q - l0 - l1 : RoundHalfEven(q * double(Percent - A.Level2Perc) / 100);
            fill(part(l0 + l1, l2, 0), A.Level3Color, A.Level3ColorTo);
        }
    } else {
        TColor c = A.Level2Color, cTo = A.Level2ColorTo;
        if (Percent < A.Level1Perc)
            c = A.Level0Color, cTo = A.Level0ColorTo;
        else if (Percent < A.Level2Perc)
            c = A.Level1Color, cTo = A.Level1ColorTo;
        else if (Percent >= 100)
            c = A.Level3Color, cTo = A.Level3ColorTo;
        if (A.CompletionSmooth) {
            fill(part(0, RoundHalfEven(Percent / 100.0 * q), 0), c, cTo);
        } else {
            const Integer t = RoundHalfEven(Percent * double(q) / 100);
            if (t > 9) {
                const Integer blocks = t / 9;
                for (Integer k = 0; k < blocks; ++k)
                    fill(part(1 + k * 9, 7, 1), c, cTo);
                if (t % 9 > 2)
                    fill(part(1 + blocks * 9, t % 9 - 1, 1), c, cTo);
            } else if (t >= 2) {
                fill(part(1, t - 1, 1), c, cTo);
            }
            Canvas->Brush()->SetStyle(bsClear);
        }
    }

    if (A.ShowPercentage) {
        Canvas->Brush()->SetStyle(bsClear);
        if (A.Font)
            Canvas->Font()->Assign(A.Font);
        Canvas->Font()->SetColor(A.CompleteFontColor);
        const QString text = IntToStr(Percent) + QLatin1Char('%');
        const TSize ext = Canvas->TextExtent(text);
        const TPoint c((Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2);
        if (A.Vertical) {
            Canvas->Font()->SetOrientation(900);
            Canvas->TextOut(c.X - ext.cy / 2, c.Y + ext.cx / 2, text);
            Canvas->Font()->SetOrientation(0);
        } else {
            Canvas->TextOut(Rect.Left + (Rect.Width() - ext.cx) / 2, Rect.Top + (Rect.Height() - ext.cy) / 2, text);
        }
    }

    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(frame);
    Canvas->Rectangle(Rect);
}

// ------------------------------------------------------------------ shapes

void DrawShape(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, Integer Shape,
               TColor BrushColor, TColor PenColor)
{
    if (Shape < csRectangle || Shape > csHalfStar)
        return;
    Canvas->Brush()->SetColor(BrushColor);
    Canvas->Pen()->SetColor(PenColor);
    Integer w = Width, h = Height;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare)
        w = h = std::min(w, h);
    const Integer we = w - w % 2, he = h - h % 2;

    auto star = [&](std::initializer_list<Integer> ks) {
        const Integer cx = X + w / 2, cy = Y + h / 2;
        std::vector<TPoint> pts;
        for (Integer k : ks) {
            const double r = k % 2 == 0 ? w / 2 : (w / 2) / 3.0;
            const double r2 = k % 2 == 0 ? h / 2 : (h / 2) / 3.0;
            const double t = k * std::numbers::pi / 5;
            pts.emplace_back(cx + RoundHalfEven(r * std::sin(t)), cy - RoundHalfEven(r2 * std::cos(t)));
        }
        Canvas->Polygon(pts);
    };

    switch (Shape) {
    case csRectangle:
    case csSquare:
        Canvas->Rectangle(X + 1, Y + 1, X + w - 1, Y + h - 1);
        break;
    case csCircle:
    case csEllips:
        Canvas->Ellipse(X, Y, X + w, Y + h);
        break;
    case csRoundRect:
    case csRoundSquare:
        Canvas->RoundRect(X, Y, X + w, Y + h, 10, 10);
        break;
    case csTriangleLeft:
        Canvas->Polygon({TPoint(X + w, Y), TPoint(X + w, Y + h), TPoint(X, Y + h / 2)});
        break;
    case csTriangleRight:
        Canvas->Polygon({TPoint(X, Y), TPoint(X, Y + h), TPoint(X + w, Y + h / 2)});
        break;
    case csTriangleUp:
        Canvas->Polygon({TPoint(X, Y + h), TPoint(X + w, Y + h), TPoint(X + w / 2, Y)});
        break;
    case csTriangleDown:
        Canvas->Polygon({TPoint(X, Y), TPoint(X + w, Y), TPoint(X + w / 2, Y + h)});
        break;
    case csDiamond:
        Canvas->Polygon({TPoint(X, Y + h / 2), TPoint(X + w / 2, Y), TPoint(X + 2 * (w / 2), Y + h / 2),
                         TPoint(X + w / 2, Y + 2 * (h / 2))});
        break;
    case csLineVert:
        Canvas->Rectangle(X + w / 2, Y, X + w / 2 + 1, Y + h);
        break;
    case csLineHorz:
        Canvas->Rectangle(X, Y + h / 2, X + w, Y + h / 2 + 1);
        break;
    case csStar:
        star({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        break;
    case csHalfStar:
        star({0, 5, 6, 7, 8, 9});
        break;
    case csArrowUp:
        Canvas->Polygon({TPoint(X, Y + h / 2), TPoint(X + we / 2, Y), TPoint(X + we, Y + h / 2),
                         TPoint(X + 3 * (we / 4), Y + h / 2), TPoint(X + 3 * (we / 4), Y + h), TPoint(X + we / 4, Y + h),
                         TPoint(X + we / 4, Y + h / 2)});
        break;
    case csArrowDown:
        Canvas->Polygon({TPoint(X, Y + h / 2), TPoint(X + we / 2, Y + h), TPoint(X + we, Y + h / 2),
                         TPoint(X + 3 * (we / 4), Y + h / 2), TPoint(X + 3 * (we / 4), Y), TPoint(X + we / 4, Y),
                         TPoint(X + we / 4, Y + h / 2)});
        break;
    case csArrowLeft:
        Canvas->Polygon({TPoint(X, Y + he / 2), TPoint(X + w / 2, Y), TPoint(X + w / 2, Y + he / 4),
                         TPoint(X + w, Y + he / 4), TPoint(X + w, Y + 3 * (he / 4)), TPoint(X + w / 2, Y + 3 * (he / 4)),
                         TPoint(X + w / 2, Y + he)});
        break;
    case csArrowRight:
        Canvas->Polygon({TPoint(X + w, Y + he / 2), TPoint(X + w / 2, Y), TPoint(X + w / 2, Y + he / 4),
                         TPoint(X, Y + he / 4), TPoint(X, Y + 3 * (he / 4)), TPoint(X + w / 2, Y + 3 * (he / 4)),
                         TPoint(X + w / 2, Y + he)});
        break;
    }
}

// ---------------------------------------------------- bitmaps and marks

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, TRect Rect)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    const Integer w = Bitmap->Width(), h = Bitmap->Height();
    const TColor key = Bitmap->Canvas()->Pixels(0, 0);
    TBitmap work(w, h);
    work.Canvas()->Brush()->SetColor(BackColor);
    work.Canvas()->BrushCopy(TRect(0, 0, w, h), Bitmap, TRect(0, 0, w, h), key);
    Canvas->Draw(Rect.Left, Rect.Top, &work);
}

void DrawBitmapResource(TCanvas* Canvas, TColor BackColor, TRect Rect, const QString& ResourceName)
{
    QByteArray data;
    TBitmap bitmap;
    if (!ReadResourceData(ResourceName, data) || !bitmap.LoadFromBytes(data))
        throw EResNotFound(ResourceName);
    DrawTransparentBitmap(Canvas, &bitmap, BackColor, Rect);
}

void DrawErrorUnderline(TWinControl*, TCanvas* Canvas, const QString& Text, TRect Rect, Integer YOffset,
                        Integer ErrFrom, Integer ErrLen)
{
    // Character positions of the text laid out on one line from Rect's left edge.
    const Integer len = Integer(Text.size());
    auto xOf = [&](Integer index) { return Canvas->TextWidth(Text.left(std::clamp(index, 0, len))); };
    const Integer y0 = 0, y1 = 0;
    const Integer x0 = ErrFrom >= 0 && ErrFrom < len ? xOf(ErrFrom) : xOf(len) + 4;
    const Integer last = ErrFrom + ErrLen - 1;
    const Integer x1 = ErrFrom >= 0 && ErrLen > 0 && last < len ? xOf(last) : xOf(len - 1) + 4;

    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    Canvas->MoveTo(Rect.Left + x0, Rect.Top + y0 + YOffset + 3);
    bool up = true;
    Integer x = x0;
    for (; x <= x1; x += 3) {
        Canvas->LineTo(Rect.Left + x + 3, Rect.Top + y1 + YOffset + (up ? 0 : 3));
        up = !up;
    }
    Canvas->LineTo(Rect.Left + x + 3, Rect.Top + y1 + YOffset + (up ? 0 : 3));
    Canvas->Pen()->SetWidth(1);
}

void DrawDownTriangle(TCanvas* Canvas, Integer X, Integer Y, TColor Color)
{
    SetPenBrush(Canvas, Color);
    Canvas->Polygon({TPoint(X - 3, Y), TPoint(X + 3, Y), TPoint(X, Y + 3)});
}

bool UpdateLayeredWindowDyn(HWND, TCanvas*, const TPoint*, const TSize*, TBitmap*, const TPoint*, TColor, Byte,
                            LongWord)
{
    return true;
}

bool SetLayeredWindowAttributesDyn(HWND, TColor, Byte, LongWord)
{
    return true;
}
