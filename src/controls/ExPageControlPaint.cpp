// Painting of the tab control: the strip, the page frame, every tab with its
// colours, gradient or picture, outline, close button, image, caption and
// focus, the hover border; and the gradient background of a sheet.

#include <algorithm>
#include <cmath>
#include <memory>
#include <QImage>

#include "controls/ExPageControl.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"

namespace {

// Nearest integer, halves to even.
Integer RoundEven(double v)
{
    return Integer(std::nearbyint(v));
}

void Line(TCanvas* c, Integer x1, Integer y1, Integer x2, Integer y2)
{
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

// The bitmap as an image with its bottom-left colour left out.
QImage Keyed(TBitmap* bmp)
{
    QImage img = bmp->Image().convertToFormat(QImage::Format_ARGB32);
    if (img.isNull())
        return img;
    const QRgb key = img.pixel(0, img.height() - 1) & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return img;
}

} // namespace

void TabGradientFill(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, const TRect& Rect, Integer Steps)
{
    if (Steps <= 0)
        Steps = 1;
    const TColor f = ColorToRGB(From), t = ColorToRGB(To);
    const double dr = double(GetRValue(t) - GetRValue(f)) / Steps;
    const double dg = double(GetGValue(t) - GetGValue(f)) / Steps;
    const double db = double(GetBValue(t) - GetBValue(f)) / Steps;
    const double w = double(Rect.Right - Rect.Left) / Steps;
    const double h = double(Rect.Bottom - Rect.Top) / Steps;
    Canvas->Pen()->SetStyle(psSolid);
    for (Integer n = 0; n < Steps; ++n) {
        const TColor c = RGB(Byte(GetRValue(f) + RoundEven(n * dr)), Byte(GetGValue(f) + RoundEven(n * dg)), Byte(GetBValue(f) + RoundEven(n * db)));
        Canvas->Pen()->SetColor(c);
        Canvas->Brush()->SetColor(c);
        if (Horizontal) {
            const Integer l = Rect.Left + RoundEven(n * w);
            Canvas->Rectangle(l, Rect.Top, l + RoundEven(w) + 1, Rect.Bottom);
        } else {
            const Integer top = Rect.Top + RoundEven(n * h);
            Canvas->Rectangle(Rect.Left, top, Rect.Right, top + RoundEven(h) + 1);
        }
    }
}

void DrawBitmapStretchedH(TBitmap* Bitmap, TCanvas* Canvas, Integer X, Integer Length, Integer Y)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return;
    const QImage img = Keyed(Bitmap);
    const Integer w = img.width(), h = img.height(), half = w / 2;
    Canvas->StretchImage(TRect(X, Y, X + half, Y + h), img, TRect(0, 0, half, h));
    if (Length - w > 0 && half >= 1)
        Canvas->StretchImage(TRect(X + half, Y, X + half + Length - w, Y + h), img, TRect(half - 1, 0, half + 1, h));
    const Integer right = X + half + std::max<Integer>(Length - w, 0);
    Canvas->StretchImage(TRect(right, Y, right + w - half, Y + h), img, TRect(half, 0, w, h));
}

void DrawBitmapStretchedV(TBitmap* Bitmap, TCanvas* Canvas, Integer X, Integer Length, Integer Y)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return;
    const QImage img = Keyed(Bitmap);
    const Integer w = img.width(), h = img.height(), half = h / 2;
    Canvas->StretchImage(TRect(X, Y, X + w, Y + half), img, TRect(0, 0, w, half));
    if (Length - h > 0 && half >= 1)
        Canvas->StretchImage(TRect(X, Y + half, X + w, Y + half + Length - h), img, TRect(0, half - 1, w, half + 1));
    const Integer bottom = Y + half + std::max<Integer>(Length - h, 0);
    Canvas->StretchImage(TRect(X, bottom, X + w, bottom + h - half), img, TRect(0, half, w, h));
}

// ------------------------------------------------------------ the sheet

void TExTabSheet::Paint()
{
    TCustomControl::Paint();
    if (FColorTo != clNone)
        TabGradientFill(Canvas(), Color(), FColorTo, false, ClientRect(), 64);
}

// ------------------------------------------------------------ the control

struct TExPageControl::TPaintState {
    Integer StripTop = 0, StripLeft = 0, StripRight = 0, StripBottom = 0;
    bool PageColoured = false;
    Integer FrameExt = 0;
    Integer Deferred = -1;
    TRect DeferredRect;
    Integer DeferredX = 0, DeferredY = 0;
    std::unique_ptr<TBitmap> Work;
};

void TExPageControl::Paint()
{
    if (FTabBorder3D)
        Paint3D();
    else
        PaintTabs();
}

void TExPageControl::PaintTabs()
{
    TCanvas* c = Canvas();
    const Integer W = Width(), H = Height();
    TPaintState ps;
    ps.Work = std::make_unique<TBitmap>();

    // 1. Parent's colour, control's font.
    const TColor back = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    c->Brush()->SetColor(back);
    c->Font()->Assign(Font());
    c->Pen()->SetStyle(psSolid);

    // 2. Strip extent; the platform's tab drawing is erased.
    ps.StripTop = PageCount() > 0 ? PageTabRect(0).Top : H;
    ps.StripLeft = W;
    bool anyTab = false;
    for (Integer i = PageCount() - 1; i >= 0; --i) {
        if (!FPages[size_t(i)]->FTabVisible)
            continue;
        const TRect R = PageTabRect(i);
        anyTab = true;
        ps.StripTop = std::min(ps.StripTop, R.Top);
        ps.StripLeft = std::min(ps.StripLeft, R.Left);
        ps.StripRight = std::max(ps.StripRight, R.Right);
        ps.StripBottom = std::max(ps.StripBottom, R.Bottom);
        TRect e = R;
        switch (FTabPosition) {
        case tpTop: e.Left -= 2; e.Right += 2; e.Top -= 2; break;
        case tpBottom: e.Left -= 2; e.Right += 2; e.Bottom += 2; break;
        case tpLeft: e.Left -= 2; e.Top -= 2; e.Bottom += 2; break;
        case tpRight: e.Right += 2; e.Top -= 2; e.Bottom += 2; break;
        }
        c->FillRect(e);
    }
    if (!anyTab) {
        switch (FTabPosition) {
        case tpTop: ps.StripBottom = 2; break;
        case tpBottom: ps.StripTop = H - 2; break;
        case tpLeft: ps.StripRight = 2; break;
        case tpRight: ps.StripLeft = W - 2; break;
        }
    }

    // 3. Single line at the top or bottom: the corner where scroll arrows would be.
    if (!FMultiLine && Horizontal()) {
        c->Brush()->SetColor(Color());
        const bool top = FTabPosition == tpTop;
        c->FillRect(top ? TRect(W - 35, 0, W, ps.StripBottom) : TRect(W - 35, ps.StripTop, W, H));
        c->Pen()->SetColor(top ? clWhite : cl3DDkShadow);
        const Integer y = top ? ps.StripBottom : ps.StripTop - 1;
        Line(c, std::max(W - 35, ps.StripRight), y, W, y);
    }

    // 4. Strip background.
    c->Brush()->SetColor(FTabBackGroundColor);
    switch (FTabPosition) {
    case tpTop: c->FillRect(TRect(0, 0, W, ps.StripBottom)); break;
    case tpBottom: c->FillRect(TRect(0, ps.StripTop, W, H)); break;
    case tpLeft: c->FillRect(TRect(0, 0, ps.StripRight, H - 1)); break;
    case tpRight: c->FillRect(TRect(ps.StripLeft, 0, W, H - 1)); break;
    }

    // 5, 6. Page-coloured band and frame.
    DrawFrame(ps);

    // 7, 8. The tabs, the deferred one last.
    for (Integer i = PageCount() - 1; i >= 0; --i)
        if (FPages[size_t(i)]->FTabVisible)
            DrawTab(ps, i, PageTabRect(i));
    DrawDeferredTab(ps);

    // 9. Hover border, open towards the page.
    if (FHoverTab >= 0 && FHoverTab < PageCount() && FHoverTab != ActivePageIndex() && FTabHoverBorder != clNone) {
        TRect R = PageTabRect(FHoverTab);
        if (Horizontal() && R.Right > W - 5)
            --R.Right;
        if (!Horizontal() && R.Bottom > H - 5)
            --R.Bottom;
        c->Pen()->SetColor(FTabHoverBorder);
        c->Brush()->SetStyle(bsClear);
        switch (FTabPosition) {
        case tpTop: c->Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right - 1, R.Top}, {R.Right - 1, R.Bottom}}); break;
        case tpBottom: c->Polyline({{R.Left, R.Top - 1}, {R.Left, R.Bottom - 1}, {R.Right - 1, R.Bottom - 1}, {R.Right - 1, R.Top - 1}}); break;
        case tpLeft: c->Polyline({{R.Right, R.Top}, {R.Left, R.Top}, {R.Left, R.Bottom - 1}, {R.Right, R.Bottom - 1}}); break;
        case tpRight: c->Polyline({{R.Left - 1, R.Top}, {R.Right - 1, R.Top}, {R.Right - 1, R.Bottom - 1}, {R.Left - 1, R.Bottom - 1}}); break;
        }
    }
}

void TExPageControl::DrawFrame(TPaintState& ps)
{
    TCanvas* c = Canvas();
    const Integer W = Width(), H = Height();
    const Integer strip = FTabSheet3D ? 3 : 4;
    TRect outer, inner, topBand;
    switch (FTabPosition) {
    case tpTop:
        outer = TRect(1, ps.StripBottom, W - 1, H - 1);
        inner = TRect(4, ps.StripBottom + strip, W - 4, H - 4);
        topBand = TRect(1, ps.StripBottom + 1, W - 1, ps.StripBottom + 4);
        break;
    case tpBottom:
        outer = TRect(1, 1, W - 1, ps.StripTop);
        inner = TRect(4, 4, W - 4, ps.StripTop - strip);
        topBand = TRect(1, 1, W - 1, 4);
        break;
    case tpLeft:
        outer = TRect(ps.StripRight, 1, W - 2, H - 2);
        inner = TRect(ps.StripRight + strip, 4, W - 5, H - 5);
        topBand = TRect(ps.StripRight, 1, W - 2, 4);
        break;
    case tpRight:
        outer = TRect(2, 1, ps.StripLeft, H - 2);
        inner = TRect(5, 4, ps.StripLeft - strip, H - 5);
        topBand = TRect(2, 1, ps.StripLeft, 4);
        break;
    }

    // 5. The active page's colour in the band around it.
    TExTabSheet* page = FActivePage;
    if (page != nullptr && (page->FColorTo != clNone || page->Color() != Color())) {
        const TRegion band = TRegion::FromRect(outer) - TRegion::FromRect(inner);
        c->SelectClipRgn(&band);
        if (page->FColorTo == clNone) {
            c->Brush()->SetColor(page->Color());
            c->FillRect(outer);
        } else {
            TabGradientFill(c, page->Color(), page->FColorTo, false, ClientRect(), 16);
            c->Brush()->SetColor(page->Color());
            c->FillRect(topBand);
        }
        c->SelectClipRgn(nullptr);
        ps.PageColoured = true;
    }

    // 6. Frame lines.
    if (FTabSheet3D) {
        TRect f = FTabPosition == tpTop ? TRect(0, ps.StripBottom, W, H)
                  : FTabPosition == tpBottom ? TRect(0, 0, W, ps.StripTop)
                  : FTabPosition == tpLeft ? TRect(ps.StripRight, 0, W, H)
                                           : TRect(0, 0, ps.StripLeft, H);
        DrawEdge(c, f, EDGE_RAISED, BF_RECT);
    } else {
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(FTabSheetBorderColor);
        switch (FTabPosition) {
        case tpTop:
            Line(c, 0, ps.StripBottom, 0, H);
            Line(c, 0, H - 1, W, H - 1);
            Line(c, W - 1, ps.StripBottom, W - 1, H);
            Line(c, 0, ps.StripBottom, W, ps.StripBottom);
            if (!ps.PageColoured) {
                c->Pen()->SetColor(Color());
                Line(c, 1, H - 2, W - 1, H - 2);
                Line(c, W - 2, ps.StripBottom + 1, W - 2, H - 1);
            }
            break;
        case tpBottom:
            Line(c, 0, 0, 0, ps.StripTop);
            Line(c, 0, 0, W, 0);
            Line(c, W - 1, 0, W - 1, ps.StripTop);
            Line(c, 0, ps.StripTop - 1, W, ps.StripTop - 1);
            if (!ps.PageColoured) {
                c->Pen()->SetColor(Color());
                Line(c, 1, 1, W - 1, 1);
                Line(c, W - 2, 1, W - 2, ps.StripTop - 1);
            }
            break;
        case tpLeft:
            Line(c, ps.StripRight, 0, ps.StripRight, H);
            Line(c, ps.StripRight, H - 2, W - 1, H - 2);
            Line(c, W - 2, 0, W - 2, H - 1);
            Line(c, ps.StripRight, 0, W - 1, 0);
            c->Pen()->SetColor(Color());
            Line(c, ps.StripRight, H - 1, W, H - 1);
            Line(c, W - 1, 0, W - 1, H);
            break;
        case tpRight:
            Line(c, ps.StripLeft - 1, 0, ps.StripLeft - 1, H);
            Line(c, 1, H - 2, ps.StripLeft, H - 2);
            Line(c, 1, 0, 1, H - 1);
            Line(c, 1, 0, ps.StripLeft, 0);
            c->Pen()->SetColor(Color());
            Line(c, 0, H - 1, ps.StripLeft, H - 1);
            Line(c, 0, 0, 0, H);
            break;
        }
        if (FRoundEdges) {
            // Corners away from the strip, given for tabs at the top and on the
            // left; the bottom and right positions mirror them.
            struct TSeg {
                Integer x1, y1, x2, y2, x3, y3;
                bool border;
            };
            const bool vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
            std::vector<TSeg> segs;
            if (!vertical)
                segs = {{0, H - 4, 0, H - 1, 4, H - 1, false}, {W - 4, H - 1, W - 1, H - 1, W - 1, H - 5, false},
                        {1, H - 4, 1, H - 2, 1, H - 2, true},  {2, H - 2, 4, H - 2, 4, H - 2, true},
                        {W - 4, H - 2, W - 2, H - 2, W - 2, H - 2, true}, {W - 2, H - 3, W - 2, H - 5, W - 2, H - 5, true}};
            else
                segs = {{W - 5, H - 2, W - 2, H - 2, W - 2, H - 6, false}, {W - 2, 3, W - 2, 0, W - 6, 0, false},
                        {W - 5, H - 3, W - 3, H - 3, W - 3, H - 3, true},  {W - 3, H - 4, W - 3, H - 6, W - 3, H - 6, true},
                        {W - 3, 3, W - 3, 1, W - 3, 1, true},              {W - 4, 1, W - 6, 1, W - 6, 1, true}};
            const bool mirror = FTabPosition == tpBottom || FTabPosition == tpRight;
            auto X = [&](Integer x) { return mirror && vertical ? W - 1 - x : x; };
            auto Y = [&](Integer y) { return mirror && !vertical ? H - 1 - y : y; };
            for (const TSeg& s : segs) {
                c->Pen()->SetColor(s.border ? FTabSheetBorderColor : Color());
                c->MoveTo(X(s.x1), Y(s.y1));
                c->LineTo(X(s.x2), Y(s.y2));
                c->LineTo(X(s.x3), Y(s.y3));
            }
        }
    }

    // The page and its tabs meet without a line.
    if (!FTabSplitLine && PageCount() > 0) {
        TColor lineColor = Color();
        if (ps.PageColoured && page != nullptr)
            lineColor = FTabPosition == tpBottom && page->FColorTo != clNone ? page->FColorTo : page->Color();
        c->Pen()->SetColor(lineColor);
        switch (FTabPosition) {
        case tpTop: Line(c, 2, ps.StripBottom, ps.StripRight + FTabOverlap, ps.StripBottom); break;
        case tpBottom: Line(c, 2, ps.StripTop - 1, ps.StripRight + FTabOverlap, ps.StripTop - 1); break;
        case tpLeft: {
            const Integer more = !FTabBackGround->Empty() && FTabStyle == tsClassic ? 2 : 0;
            Line(c, ps.StripRight, 2, ps.StripRight, ps.StripBottom + FTabOverlap + more);
            break;
        }
        case tpRight: Line(c, ps.StripLeft - 1, 2, ps.StripLeft - 1, ps.StripBottom + FTabOverlap); break;
        }
        ps.FrameExt = 1;
    }
}

void TExPageControl::DrawTab(TPaintState& ps, Integer pageIndex, TRect R)
{
    TCanvas* c = Canvas();
    TExTabSheet* page = FPages[size_t(pageIndex)];
    const bool active = page == FActivePage;
    const Integer W = Width(), H = Height();
    const bool horizontal = Horizontal();
    const TTabMargin& m = *FTabMargin;

    // 1. Colours.
    TColor color, colorTo;
    TGradientDirection dir;
    if (active && FActiveColor != clNone) {
        color = FActiveColor;
        colorTo = FActiveColorTo;
        dir = page->FTabGradientDirection;
    } else if (pageIndex == FHoverTab && (FTabHoverColor != clNone || FTabHoverColorTo != clNone)) {
        color = FTabHoverColor;
        colorTo = FTabHoverColorTo;
        dir = page->FHoverGradientDirection;
    } else {
        color = page->FTabColor;
        colorTo = page->FTabColorTo;
        dir = page->FTabGradientDirection;
    }
    c->Brush()->SetColor(color);

    // 2. Caption origin.
    const bool withClose = page->FShowClose;
    Integer x = 0, y = 0;
    switch (FTabPosition) {
    case tpTop:
        x = R.Left + (withClose ? 18 : 4);
        y = R.Top + 1 + (active ? FLowerActive : 0);
        break;
    case tpBottom:
        ++R.Bottom;
        x = R.Left + (withClose ? 18 : 4);
        y = active ? R.Top + FLowerActive + 1 : R.Top;
        break;
    case tpLeft:
        x = R.Left + 1 + (active ? FLowerActive : 0);
        y = R.Bottom - (withClose ? 17 : 4);
        break;
    case tpRight:
        x = R.Right - 1 - (active ? FLowerActive : 0);
        y = R.Top + (withClose ? 17 : 4);
        break;
    }

    if (FTabBackGround->Empty()) {
        // 3. Background and outline.
        switch (FTabPosition) {
        case tpTop: --R.Top; break;
        case tpLeft: --R.Left; break;
        default: break;
        }
        if (colorTo != clNone) {
            TRect g = R;
            const bool h = dir == gdHorizontal;
            switch (FTabPosition) {
            case tpTop: --g.Bottom; if (h) --g.Right; break;
            case tpBottom: if (h) --g.Right; else --g.Bottom; break;
            case tpLeft: --g.Right; if (!h) --g.Bottom; break;
            case tpRight: if (!active && !h) --g.Bottom; break;
            }
            TabGradientFill(c, color, colorTo, h, g, 16);
        } else if (color != clNone) {
            c->Brush()->SetColor(color);
            c->FillRect(R);
        }
        if (FTabPosition == tpRight)
            ++R.Right;
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(FTabBorderColor);
        const bool touches = (FTabPosition == tpTop && R.Bottom == ps.StripBottom) || (FTabPosition == tpBottom && R.Top == ps.StripTop)
                             || (FTabPosition == tpLeft && R.Right == ps.StripRight)
                             || (FTabPosition == tpRight && R.Left == ps.StripLeft);
        if (active) {
            // Three sides, open towards the page.
            switch (FTabPosition) {
            case tpTop: c->MoveTo(R.Left, R.Bottom); c->LineTo(R.Left, R.Top); c->LineTo(R.Right - 1, R.Top); c->LineTo(R.Right - 1, R.Bottom + 1); break;
            case tpBottom: c->MoveTo(R.Left, R.Top - 1); c->LineTo(R.Left, R.Bottom - 1); c->LineTo(R.Right - 1, R.Bottom - 1); c->LineTo(R.Right - 1, R.Top - 2); break;
            case tpLeft: c->MoveTo(R.Right, R.Top); c->LineTo(R.Left, R.Top); c->LineTo(R.Left, R.Bottom - 1); c->LineTo(R.Right + 1, R.Bottom - 1); break;
            case tpRight: c->MoveTo(R.Left - 1, R.Top); c->LineTo(R.Right - 1, R.Top); c->LineTo(R.Right - 1, R.Bottom - 1); c->LineTo(R.Left - 2, R.Bottom - 1); break;
            }
        } else if (FTabStyle == tsDotNet) {
            switch (FTabPosition) {
            case tpTop: Line(c, R.Left, R.Bottom, R.Right, R.Bottom); break;
            case tpBottom: Line(c, R.Left, R.Top - 1, R.Right, R.Top - 1); break;
            case tpLeft: Line(c, R.Right, R.Top, R.Right, R.Bottom); break;
            case tpRight: Line(c, R.Left - 1, R.Top, R.Left - 1, R.Bottom); break;
            }
            // Separator at the far end, except before the active tab.
            const TExTabSheet* next = FindNextPage(page, true, true);
            const bool last = horizontal ? R.Right >= ps.StripRight - 3 : R.Bottom >= ps.StripBottom - 3;
            const bool beforeActive = next != nullptr && next == FActivePage && !last;
            if (!beforeActive && FActiveColor != clNone) {
                c->Pen()->SetColor(FActiveColor);
                if (horizontal) {
                    Line(c, R.Right - 2, R.Bottom - 3, R.Right - 2, R.Top + 2);
                    Line(c, R.Right - 3, R.Bottom - 3, R.Right - 3, R.Top + 2);
                } else {
                    Line(c, R.Left + 2, R.Bottom - 2, R.Right - 2, R.Bottom - 2);
                    Line(c, R.Left + 2, R.Bottom - 3, R.Right - 2, R.Bottom - 3);
                }
            }
        } else {
            const Integer ext = touches ? ps.FrameExt : 0;
            const bool atEdge = horizontal ? R.Right > W - 5 : R.Bottom > H - 5;
            const Integer longer = atEdge ? 0 : 1;
            switch (FTabPosition) {
            case tpTop: c->Rectangle(R.Left, R.Top, R.Right + longer, R.Bottom + ext); break;
            case tpBottom: c->Rectangle(R.Left, R.Top - ext, R.Right + longer, R.Bottom); y += 2; break;
            case tpLeft: c->Rectangle(R.Left, R.Top, R.Right + ext, R.Bottom + longer); break;
            case tpRight: c->Rectangle(R.Left - ext, R.Top, R.Right, R.Bottom + longer); break;
            }
        }
    } else {
        // 4. A picture behind every tab.
        switch (FTabPosition) {
        case tpLeft: x -= 2; y -= 3; break;
        case tpRight: x -= TabThickness() / 3; y -= 3; break;
        case tpBottom: y += 3; break;
        default: break;
        }
        const Integer along = horizontal ? R.Right + FTabOverlap - R.Left + 2 : R.Bottom + FTabOverlap - R.Top + 3;
        if (active && !FTabBackGroundActive->Empty()) {
            ps.Work->Assign(FTabBackGroundActive.get());
            ps.Deferred = pageIndex;
            ps.DeferredRect = R;
            ps.DeferredX = x;
            ps.DeferredY = y;
            return;
        }
        ps.Work->Assign(FTabBackGround.get());
        switch (FTabPosition) {
        case tpTop: DrawBitmapStretchedH(ps.Work.get(), c, R.Left - 1, along, R.Top - 2); break;
        case tpBottom: DrawBitmapStretchedH(ps.Work.get(), c, R.Left - 2, along, R.Top - 1); break;
        case tpLeft: DrawBitmapStretchedV(ps.Work.get(), c, R.Left, along, R.Top); break;
        case tpRight: DrawBitmapStretchedV(ps.Work.get(), c, R.Left - 1, along, R.Top - 2); break;
        }
    }

    // 5. Side tabs write upwards (left) or downwards (right).
    TFont font;
    font.Assign(active ? FActiveFont.get() : c->Font());
    if (!horizontal) {
        font.SetOrientation(FTabPosition == tpLeft ? -2700 : -900);
        c->Font()->Assign(&font);
    }

    // 6. Margins.
    x += m.LeftMargin();
    if (FTabPosition == tpLeft) {
        y -= m.TopMargin();
        if (!FTabBackGroundActive->Empty())
            y += FTabOverlap + 3;
    } else {
        y += m.TopMargin();
    }

    // 7, 8. Close button and image.
    if (withClose)
        DrawCloseButton(c, R, cbNormal, active);
    DrawTabImage(page, x, y);

    // 9, 10. Caption.
    if (active && horizontal)
        c->Font()->Assign(FActiveFont.get());
    else
        c->Font()->SetColor(page->FTextColor);
    if (!page->FTabEnable)
        c->Font()->SetColor(RGB(128, 128, 128));
    c->Brush()->SetStyle(bsClear);
    if (horizontal) {
        TRect tr(x, y, R.Right, R.Bottom);
        DrawText(c, page->Caption(), tr, DT_SINGLELINE | DT_NOCLIP);
    } else {
        c->TextOut(x, y, page->Caption());
    }

    // 11. Back to the control's font; the focus frame.
    if (!horizontal || active)
        c->Font()->Assign(Font());
    if (active)
        DrawTabFocus(R, 0);
}

void TExPageControl::DrawDeferredTab(TPaintState& ps)
{
    if (ps.Deferred < 0)
        return;
    TCanvas* c = Canvas();
    TExTabSheet* page = FPages[size_t(ps.Deferred)];
    const TRect R = ps.DeferredRect;
    const bool horizontal = Horizontal();
    const Integer along = horizontal ? R.Right + FTabOverlap - R.Left + 2 : R.Bottom + FTabOverlap - R.Top + 3;
    const bool low = FLowerActive < 1;
    switch (FTabPosition) {
    case tpTop: DrawBitmapStretchedH(ps.Work.get(), c, R.Left - 2, along, low ? R.Top - 2 : R.Top - 1); break;
    case tpBottom: DrawBitmapStretchedH(ps.Work.get(), c, R.Left - 2, along, low ? R.Top - 1 : R.Top - 3); break;
    case tpLeft: DrawBitmapStretchedV(ps.Work.get(), c, low ? R.Left : R.Left + 1, along, R.Top); break;
    case tpRight: DrawBitmapStretchedV(ps.Work.get(), c, low ? R.Left - 1 : R.Left - 3, along, R.Top - 2); break;
    }
    Integer x = ps.DeferredX, y = ps.DeferredY;
    TFont font;
    font.Assign(FActiveFont.get());
    if (!horizontal) {
        font.SetOrientation(FTabPosition == tpLeft ? -2700 : -900);
        c->Font()->Assign(&font);
    } else {
        c->Font()->Assign(FActiveFont.get());
    }
    x += FTabMargin->LeftMargin();
    if (FTabPosition == tpLeft)
        y += -FTabMargin->TopMargin() + FTabOverlap + 3;
    else
        y += FTabMargin->TopMargin();
    if (page->FShowClose)
        DrawCloseButton(c, R, cbNormal, true);
    DrawTabImage(page, x, y);
    c->Font()->SetColor(page->FTextColor);
    if (!page->FTabEnable)
        c->Font()->SetColor(RGB(128, 128, 128));
    c->Brush()->SetStyle(bsClear);
    if (horizontal) {
        TRect tr(x, FTabPosition == tpBottom ? y - 2 : y, R.Right, R.Bottom);
        DrawText(c, page->Caption(), tr, DT_SINGLELINE | DT_NOCLIP);
    } else {
        c->TextOut(x, y, page->Caption());
    }
    c->Font()->Assign(Font());
    DrawTabFocus(R, FTabOverlap);
}

void TExPageControl::DrawTabImage(TExTabSheet* page, Integer& x, Integer& y)
{
    if (FImages == nullptr || page->FImageIndex < 0)
        return;
    TCanvas* c = Canvas();
    switch (FTabPosition) {
    case tpLeft:
        FImages->Draw(c, x, y - 14, page->FImageIndex, true);
        y -= FImages->Height();
        break;
    case tpRight:
        FImages->Draw(c, x - 14, y, page->FImageIndex, true);
        y += FImages->Height();
        break;
    default:
        FImages->Draw(c, x - 2, y, page->FImageIndex, true);
        x += FImages->Width();
        break;
    }
}

void TExPageControl::DrawTabFocus(const TRect& R, Integer overlap)
{
    if (!FShowFocus || !Focused() || HasState(csDesigning))
        return;
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psDot);
    const bool horizontal = Horizontal();
    c->Rectangle(R.Left + 5, R.Top + 3, R.Right - 5 - (horizontal ? overlap : 0), R.Bottom - 3 - (horizontal ? 0 : overlap));
    c->Pen()->SetStyle(psSolid);
}

void TExPageControl::DrawCloseButton(TCanvas* c, TRect R, TCloseState state, bool active)
{
    const TTabMargin& m = *FTabMargin;
    const Integer shift = (state != cbNormal || active) ? FLowerActive : 0;
    Integer bx, by;
    if (FTabPosition == tpLeft) {
        Integer b = R.Bottom - m.TopMargin();
        if (!FTabBackGroundActive->Empty())
            b += FTabOverlap;
        bx = R.Left + m.LeftMargin() + shift;
        by = b - 15;
    } else if (FTabPosition == tpRight) {
        // Drawn where its hit box is.
        bx = R.Left + m.LeftMargin();
        by = R.Top + m.TopMargin();
    } else {
        bx = R.Left + m.LeftMargin();
        by = R.Top + m.TopMargin() + shift;
    }
    if (!FCloseGlyph->Empty()) {
        const QImage img = Keyed(FCloseGlyph.get());
        const Integer w = std::min(12, img.width()), h = std::min(11, img.height());
        c->StretchImage(TRect(bx + 2, by + 2, bx + 2 + w, by + 2 + h), img, TRect(0, 0, w, h));
        return;
    }
    const TColor fill = state == cbPressed ? clSilver : clWhite;
    const TColor frame = state == cbNormal ? clGray : clBlack;
    const TColor cross = state == cbHover ? clGray : clBlack;
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(frame);
    c->Brush()->SetColor(fill);
    c->Rectangle(bx + 2, by + 2, bx + 14, by + 13);
    c->Pen()->SetColor(cross);
    Line(c, bx + 5, by + 9, bx + 11, by + 4);
    Line(c, bx + 6, by + 9, bx + 10, by + 4);
    Line(c, bx + 5, by + 5, bx + 11, by + 10);
    Line(c, bx + 6, by + 5, bx + 10, by + 10);
}

// Tabs drawn by the platform: raised boxes, the selected one larger.
void TExPageControl::Paint3D()
{
    TCanvas* c = Canvas();
    const Integer W = Width(), H = Height();
    const TRect page = AlignRect();
    TRect frame(page.Left - 4, page.Top - 4, page.Right + 4, page.Bottom + 4);
    frame = TRect(std::max(frame.Left, 0), std::max(frame.Top, 0), std::min(frame.Right, W), std::min(frame.Bottom, H));
    DrawEdge(c, frame, EDGE_RAISED, BF_RECT);
    const std::vector<TRect> rects = TabRects();
    for (Integer i = 0; i < Integer(rects.size()); ++i) {
        TRect R = rects[size_t(i)];
        const bool selected = i == FTabIndex;
        if (selected)
            InflateRect(R, 2, 2);
        c->Brush()->SetColor(FTabs[size_t(i)].Highlighted ? clHighlight : Color());
        c->FillRect(R);
        Cardinal sides = BF_RECT;
        switch (FTabPosition) {
        case tpTop: sides = BF_LEFT | BF_TOP | BF_RIGHT; break;
        case tpBottom: sides = BF_LEFT | BF_BOTTOM | BF_RIGHT; break;
        case tpLeft: sides = BF_LEFT | BF_TOP | BF_BOTTOM; break;
        case tpRight: sides = BF_RIGHT | BF_TOP | BF_BOTTOM; break;
        }
        TRect e = R;
        DrawEdge(c, e, EDGE_RAISED, sides);
        TFont font;
        font.Assign(Font());
        if (FTabs[size_t(i)].Highlighted)
            font.SetColor(clHighlightText);
        if (!Horizontal())
            font.SetOrientation(FTabPosition == tpLeft ? 900 : -900);
        c->Font()->Assign(&font);
        c->Brush()->SetStyle(bsClear);
        Integer x = R.Left + 6, y = R.Top + 3;
        const Integer image = GetImageIndex(i);
        if (FImages != nullptr && FImages->Count() > 0 && image >= 0) {
            FImages->Draw(c, x, y, image, true);
            if (Horizontal())
                x += FImages->Width() + 3;
        }
        if (FTabPosition == tpLeft)
            c->TextOut(R.Left + 3, R.Bottom - 6, FTabs[size_t(i)].Text);
        else if (FTabPosition == tpRight)
            c->TextOut(R.Right - 3, R.Top + 6, FTabs[size_t(i)].Text);
        else
            c->TextOut(x, y, FTabs[size_t(i)].Text);
    }
    c->Font()->Assign(Font());
}
