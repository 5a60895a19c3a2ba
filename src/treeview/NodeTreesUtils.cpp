// Drawing routines shared by the tree's painting and text handling.

#include "treeview/NodeTreesUtils.h"

#include <QImage>

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "treeview/NodeTrees.h"

TRect NormalizeRect(const TRect& R)
{
    return TRect(std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right), std::max(R.Top, R.Bottom));
}

void ClipCanvasToRect(TCanvas* Canvas, const TRect& R)
{
    const TPoint a = Canvas->LPtoDP(R.TopLeft());
    const TPoint b = Canvas->LPtoDP(R.BottomRight());
    const TRegion region = TRegion::FromRect(TRect(a, b));
    Canvas->SelectClipRgn(&region);
}

void CalcTextRect(TCanvas* Canvas, const QString& Text, TRect& R, Cardinal Flags)
{
    R.Right = R.Left + 1;
    R.Bottom = R.Top + 1;
    DrawText(Canvas, Text, R, Flags | DT_CALCRECT);
}

QString ShortenWithEllipsis(TCanvas* Canvas, const QString& S, Integer Width, Integer EllipsisWidth)
{
    if (S.isEmpty() || Width <= 0)
        return QString();
    if (EllipsisWidth == 0)
        EllipsisWidth = Canvas->TextWidth(QStringLiteral("..."));
    Integer low = 0, high = Integer(S.size());
    while (high > low) {
        const Integer mid = (low + high + 1) / 2;
        if (Canvas->TextWidth(S.left(mid)) + EllipsisWidth <= Width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low == Integer(S.size()))
        return S;
    if (EllipsisWidth < Width)
        return S.left(low) + QStringLiteral("...");
    return QString();
}

QString WrapTextToWidth(TCanvas* Canvas, const QString& S, const TRect& R, bool RightToLeft, Cardinal Flags)
{
    const QString text = S.trimmed();
    if (text.isEmpty())
        return QString();
    const Integer maxWidth = R.Right - R.Left;
    QStringList words = text.split(QLatin1Char(' '));
    if (RightToLeft)
        std::reverse(words.begin(), words.end());
    auto width = [&](const QString& line) {
        TRect r(0, 0, 0, 0);
        CalcTextRect(Canvas, line, r, Flags);
        return r.Right;
    };
    QString result;
    QString line;
    int i = 0;
    while (i < words.size()) {
        const QString word = words[i];
        const QString joined = line.isEmpty() ? word : (RightToLeft ? word + QLatin1Char(' ') + line : line + QLatin1Char(' ') + word);
        if (width(joined) <= maxWidth) {
            line = joined;
            ++i;
            continue;
        }
        if (!line.isEmpty()) {
            result += line + QLatin1Char('\n');
            line.clear();
            continue;
        }
        // One word wider than a whole line: split it.
        Integer n = Integer(word.size()) - 1;
        while (n > 1 && width(RightToLeft ? word.right(n) : word.left(n)) > maxWidth)
            --n;
        if (n < 1)
            n = 1;
        if (n >= Integer(word.size())) {
            line = word;
            ++i;
            continue;
        }
        result += (RightToLeft ? word.right(n) : word.left(n)) + QLatin1Char('\n');
        words[i] = RightToLeft ? word.left(word.size() - n) : word.mid(n);
    }
    result += line;
    if (result.endsWith(QLatin1Char('\n')))
        result.chop(1);
    return result;
}

bool CpuHasMMX()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("mmx");
#else
    return false;
#endif
}

void AlphaBlendRect(const QImage* Source, QImage* Destination, const TRect& R, TPoint Target, TBlendMode Mode, Integer ConstantAlpha, Integer Bias)
{
    if (R.IsEmpty() || Mode > BlendWithColor || Destination == nullptr)
        return;
    auto is32 = [](const QImage* img) { return img->depth() == 32; };
    if (Destination->isNull() || (Mode != BlendWithColor && (Source == nullptr || Source->isNull())))
        throw EAssertionFailed(QStringLiteral("Alpha blending DC error: no bitmap available."), "NodeTrees.Utils", 434);
    if (!is32(Destination) || (Mode != BlendWithColor && !is32(Source)))
        throw EAssertionFailed(QStringLiteral("Alpha blending error: bitmap must use 32 bpp."), "NodeTrees.Utils", 428);
    const Integer bias = std::clamp<Integer>(SmallInt(Bias), -32768, 32767);
    auto clamp255 = [](Integer v) { return std::clamp<Integer>(v, 0, 255); };
    for (Integer y = 0; y < R.Height(); ++y) {
        if (Mode == BlendWithColor) {
            const Integer row = R.Top + y;
            if (row < 0 || row >= Destination->height())
                continue;
            auto* d = reinterpret_cast<Byte*>(Destination->scanLine(row));
            const Byte k[4] = {Byte((Bias >> 16) & 0xFF), Byte((Bias >> 8) & 0xFF), Byte(Bias & 0xFF), 0};
            for (Integer x = R.Left; x < R.Right && x < Destination->width(); ++x) {
                if (x < 0)
                    continue;
                for (int c = 0; c < 4; ++c) {
                    Byte& b = d[x * 4 + c];
                    b = Byte((b * (256 - ConstantAlpha) + k[c] * ConstantAlpha) >> 8);
                }
            }
            continue;
        }
        const Integer srow = R.Top + y, drow = Target.Y + y;
        if (srow < 0 || srow >= Source->height() || drow < 0 || drow >= Destination->height())
            continue;
        const Byte* s = Source->constScanLine(srow);
        auto* d = reinterpret_cast<Byte*>(Destination->scanLine(drow));
        for (Integer i = 0; i < R.Width(); ++i) {
            const Integer sx = R.Left + i, dx = Target.X + i;
            if (sx < 0 || sx >= Source->width() || dx < 0 || dx >= Destination->width())
                continue;
            const Byte* sp = s + sx * 4;
            Byte* dp = d + dx * 4;
            Integer a = ConstantAlpha;
            if (Mode == BlendPerPixel)
                a = sp[3];
            else if (Mode == BlendPerPixelScaled)
                a = (sp[3] * ConstantAlpha) >> 8;
            for (int c = 0; c < 4; ++c)
                dp[c] = Byte(clamp255(((dp[c] * (256 - a) + sp[c] * a) >> 8) + bias));
        }
    }
}

LongWord ImageListColor(TColor Color)
{
    if (Color == clNone)
        return 0xFFFFFFFFu;
    if (Color == clDefault)
        return 0xFF000000u;
    return LongWord(ColorToRGB(Color));
}

void DragImageRects(Integer W, Integer H, Integer DX, Integer DY, TRect& P1, TRect& P2, TRect& P3, TRect& P4, TRect& P5, TRect& P6)
{
    // Each rectangle as (left, top, width, height).
    auto r = [](Integer l, Integer t, Integer w, Integer h) { return Bounds(l, t, w, h); };
    P1 = r(0, 0, W, H);
    if (DX > 0) {
        if (DY == 0) {
            P2 = r(0, 0, W - DX, H); P3 = r(0, 0, DX, H); P5 = r(W - DX, 0, DX, H);
        } else if (DY > 0) {
            P2 = r(0, 0, W - DX, H - DY); P3 = r(0, 0, DX, H); P4 = r(DX, 0, W - DX, DY); P5 = r(W - DX, 0, DX, H); P6 = r(0, H - DY, W - DX, DY);
        } else {
            P2 = r(0, -DY, W - DX, H); P3 = r(0, 0, DX, H); P4 = r(DX, H + DY, W - DX, -DY); P5 = r(W - DX, 0, DX, H); P6 = r(0, 0, W - DX, -DY);
        }
    } else if (DX == 0) {
        if (DY >= 0) {
            P2 = r(0, 0, W, H - DY); P4 = r(0, 0, W, DY); P6 = r(0, H - DY, W, DY);
        } else {
            P2 = r(0, -DY, W, H); P4 = r(0, H + DY, W, -DY); P6 = r(0, 0, W, -DY);
        }
    } else {
        if (DY == 0) {
            P2 = r(-DX, 0, W, H); P3 = r(W + DX, 0, -DX, H); P5 = r(0, 0, -DX, H);
        } else if (DY > 0) {
            P2 = r(-DX, 0, W, H); P3 = r(0, 0, W + DX, DY); P4 = r(W + DX, 0, -DX, H); P5 = r(0, 0, -DX, H); P6 = r(-DX, H - DY, W + DX, DY);
        } else {
            P2 = r(-DX, -DY, W, H); P3 = r(0, H + DY, W + DX, -DY); P4 = r(W + DX, 0, -DX, H); P5 = r(0, 0, -DX, H); P6 = r(-DX, 0, W + DX, -DY);
        }
    }
}
