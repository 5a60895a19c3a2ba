#include "Canvas.h"
#include "Bitmap.h"
#include "DrawText.h"
#include "GraphicsQt.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <cmath>
#include <mutex>
#include <optional>
#include <vector>

// ------------------------------------------------------------------ region

TRegion::TRegion() : r_(std::make_unique<QRegion>()) {}
TRegion::TRegion(const TRegion& other) : r_(std::make_unique<QRegion>(*other.r_)) {}
TRegion& TRegion::operator=(const TRegion& other)
{
    *r_ = *other.r_;
    return *this;
}
TRegion::~TRegion() = default;

static QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

static TRect FromQRect(const QRect& r)
{
    return r.isEmpty() ? TRect() : TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

TRegion TRegion::FromQRegion(const QRegion& r)
{
    TRegion t;
    *t.r_ = r;
    return t;
}

TRegion TRegion::FromRect(const TRect& r)
{
    return FromQRegion(r.IsEmpty() ? QRegion() : QRegion(ToQRect(r)));
}

TRegion TRegion::FromEllipse(const TRect& r)
{
    return FromQRegion(r.IsEmpty() ? QRegion() : QRegion(ToQRect(r), QRegion::Ellipse));
}

TRegion TRegion::FromRoundRect(const TRect& r, Integer w, Integer h)
{
    if (r.IsEmpty())
        return TRegion();
    // Built from the rectangle less its four corners, each corner rounded by
    // a quarter of the w x h ellipse.
    w = std::min(std::max(w, 0), r.Width());
    h = std::min(std::max(h, 0), r.Height());
    QRegion reg(ToQRect(r));
    if (w > 1 && h > 1) {
        const QRegion ell(QRect(0, 0, w, h), QRegion::Ellipse);
        const int hw = w / 2, hh = h / 2;
        const struct { int cx, cy, ex, ey; } corners[] = {
            {r.Left, r.Top, r.Left, r.Top},
            {r.Right - hw, r.Top, r.Right - w, r.Top},
            {r.Left, r.Bottom - hh, r.Left, r.Bottom - h},
            {r.Right - hw, r.Bottom - hh, r.Right - w, r.Bottom - h},
        };
        for (const auto& c : corners) {
            const QRegion box(c.cx, c.cy, hw, hh);
            reg -= box - ell.translated(c.ex, c.ey);
        }
    }
    return FromQRegion(reg);
}

bool TRegion::IsEmpty() const { return r_->isEmpty(); }
TRect TRegion::Bounds() const { return FromQRect(r_->boundingRect()); }
bool TRegion::Contains(TPoint p) const { return r_->contains(QPoint(p.X, p.Y)); }
void TRegion::Offset(Integer dx, Integer dy) { r_->translate(dx, dy); }
const QRegion& TRegion::ToQRegion() const { return *r_; }
TRegion operator&(const TRegion& a, const TRegion& b) { return TRegion::FromQRegion(*a.r_ & *b.r_); }
TRegion operator|(const TRegion& a, const TRegion& b) { return TRegion::FromQRegion(*a.r_ | *b.r_); }
TRegion operator-(const TRegion& a, const TRegion& b) { return TRegion::FromQRegion(*a.r_ - *b.r_); }
TRegion operator^(const TRegion& a, const TRegion& b) { return TRegion::FromQRegion(*a.r_ ^ *b.r_); }
bool operator==(const TRegion& a, const TRegion& b) { return *a.r_ == *b.r_; }

// ------------------------------------------------------------------ canvas

namespace {

QPainter::CompositionMode PenComposition(TPenMode mode)
{
    switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QColor PenColor(const TPen& pen)
{
    switch (pen.Mode()) {
    case pmBlack: return Qt::black;
    case pmWhite: return Qt::white;
    default: return ToQColor(pen.Color());
    }
}

QPen MakeQPen(const TPen& pen)
{
    if (pen.Style() == psClear || pen.Mode() == pmNop)
        return QPen(Qt::NoPen);
    QPen p(PenColor(pen));
    // Width 1 and below is the one-pixel cosmetic pen.
    p.setWidth(pen.Width() <= 1 ? 0 : pen.Width());
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    // Styled lines exist only for one-pixel pens; wider ones draw solid.
    if (pen.Width() <= 1) {
        switch (pen.Style()) {
        case psDash: p.setDashPattern({6, 2}); break;
        case psDot: p.setDashPattern({1, 1}); break;
        case psDashDot: p.setDashPattern({6, 2, 1, 2}); break;
        case psDashDotDot: p.setDashPattern({6, 2, 1, 2, 1, 2}); break;
        default: break;
        }
    }
    return p;
}

Qt::BrushStyle HatchStyle(TBrushStyle s)
{
    switch (s) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern; // lines rising from left to right
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: return Qt::NoBrush;
    default: return Qt::SolidPattern;
    }
}

} // namespace

// Painter-side state of a canvas: what it attached, cached Qt objects, and
// the device state (clip, origins, background mode) the platform keeps per
// drawing context.
struct TCanvas::State {
    QPainter* painter = nullptr;
    QTransform base;                  // the owner's transform at BeginPaint
    std::optional<QRegion> ownerClip; // the owner's clip at BeginPaint (base coordinates)

    Cardinal penRev = ~0u, brushRev = ~0u, fontRev = ~0u, fontColorRev = ~0u;
    QPen qpen;
    QBrush qbrush;
    QFont qfont;
    QColor fontColor;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    // The pen draws one-pixel solid opaque lines in plain mode: a line along
    // an axis is then the row or column of pixels it covers.
    bool spanPen = false;

    std::optional<QRegion> clip; // device coordinates
    TPoint org;
    TPoint brushOrg;
    Integer bkMode = 0; // 0: follows the brush
    Cardinal bkBrushRev = 0;
    Integer mapMode = MM_TEXT;
    bool upright = false;      // MM_LOMETRIC drawn in its y-down frame
    Integer fontPPI = ScreenPixelsPerInch;
    Integer fontMapMode = MM_TEXT; // the mode the cached Qt font was made for
    Integer fontMadePPI = ScreenPixelsPerInch;

    struct Saved {
        std::optional<QRegion> clip;
        TPoint org, brushOrg;
        Integer bkMode;
        Cardinal bkBrushRev;
        Integer mapMode;
    };

    // Device pixels per logical unit of MM_LOMETRIC.
    double ScaleX() const { return Dpi(true) / 254.0; }
    double ScaleY() const { return Dpi(false) / 254.0; }
    Integer Dpi(bool x) const
    {
        if (painter && painter->device())
            return std::max(1, x ? painter->device()->logicalDpiX() : painter->device()->logicalDpiY());
        return ScreenPixelsPerInch;
    }
    // Logical to device coordinates (the canvas's device, before the owner's
    // transform); Upright: the y-down frame of MM_LOMETRIC.
    QTransform ToDevice(bool Upright) const
    {
        if (mapMode != MM_LOMETRIC)
            return QTransform::fromTranslate(-org.X, -org.Y);
        if (Upright)
            return QTransform::fromTranslate(-org.X, org.Y) * QTransform::fromScale(ScaleX(), ScaleY());
        return QTransform::fromTranslate(-org.X, -org.Y) * QTransform::fromScale(ScaleX(), -ScaleY());
    }
    std::vector<Saved> saved;

    std::recursive_mutex mutex;
};

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()),
      d_(std::make_unique<State>())
{
}

TCanvas::~TCanvas()
{
    EndPaint();
}

void TCanvas::BeginPaint(QPainter* painter)
{
    if (painter == d_->painter)
        return;
    EndPaint();
    if (!painter)
        return;
    d_->painter = painter;
    painter->save();
    d_->base = painter->worldTransform();
    if (painter->hasClipping())
        d_->ownerClip = painter->clipRegion() * d_->base; // kept in device terms of the owner
    else
        d_->ownerClip.reset();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBackgroundMode(Qt::TransparentMode);
    Refresh();
    ApplyClip();
}

void TCanvas::EndPaint()
{
    if (!d_->painter)
        return;
    d_->painter->restore();
    d_->painter = nullptr;
    // A new drawing context starts without the old one's device state.
    d_->clip.reset();
    d_->org = {};
    d_->brushOrg = {};
    d_->saved.clear();
    d_->mapMode = MM_TEXT;
    d_->upright = false;
}

bool TCanvas::HandleAllocated() const { return d_->painter != nullptr; }
QPainter* TCanvas::Painter() const { return d_->painter; }

QImage* TCanvas::DeviceImage() const
{
    if (!d_->painter)
        return nullptr;
    QPaintDevice* dev = d_->painter->device();
    if (dev && dev->devType() == QInternal::Image)
        return static_cast<QImage*>(dev);
    return nullptr;
}

void TCanvas::CreateHandle() {}

bool TCanvas::RequireHandle()
{
    if (!d_->painter)
        CreateHandle();
    return d_->painter != nullptr;
}

bool TCanvas::Ready()
{
    return RequireHandle();
}

void TCanvas::Refresh()
{
    d_->penRev = d_->brushRev = d_->fontRev = d_->fontColorRev = ~0u;
}

Integer TCanvas::BkMode() const
{
    if (d_->bkMode != 0 && d_->bkBrushRev == brush_->Revision())
        return d_->bkMode;
    return brush_->Style() == bsClear ? TRANSPARENT : OPAQUE;
}

void TCanvas::SetBkMode(Integer mode)
{
    d_->bkMode = mode;
    d_->bkBrushRev = brush_->Revision();
}

// Pen and brush for outlines and filled shapes, combined by the pen mode.
void TCanvas::ApplyPen()
{
    if (d_->penRev != pen_->Revision()) {
        d_->qpen = MakeQPen(*pen_);
        d_->mode = PenComposition(pen_->Mode());
        d_->penRev = pen_->Revision();
        d_->spanPen = d_->qpen.style() == Qt::SolidLine && d_->qpen.widthF() == 0 && d_->qpen.color().alpha() == 255
                      && d_->qpen.brush().style() == Qt::SolidPattern && d_->mode == QPainter::CompositionMode_SourceOver;
    }
    d_->painter->setPen(d_->qpen);
    d_->painter->setCompositionMode(d_->mode);
}

void TCanvas::ApplyBrush()
{
    if (TBitmap* pattern = brush_->Bitmap()) {
        // A pattern brush: a one-bit pattern's black pixels take the font
        // colour and its white pixels the brush colour.
        QImage tex = pattern->Image();
        if (pattern->PixelFormat() == pf1bit && !tex.isNull()) {
            const QRgb ink = ToQColor(font_->Color()).rgb();
            const QRgb back = ToQColor(brush_->Color()).rgb();
            for (int y = 0; y < tex.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(tex.scanLine(y));
                for (int x = 0; x < tex.width(); ++x)
                    line[x] = qGray(line[x]) < 128 ? ink : back;
            }
        }
        d_->qbrush = tex.isNull() ? QBrush(Qt::NoBrush) : QBrush(tex);
        d_->brushRev = ~0u;
    } else if (d_->brushRev != brush_->Revision()) {
        const Qt::BrushStyle style = HatchStyle(brush_->Style());
        d_->qbrush = style == Qt::NoBrush ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush_->Color()), style);
        d_->brushRev = brush_->Revision();
    }
    d_->painter->setBrush(d_->qbrush);
    d_->painter->setBrushOrigin(d_->brushOrg.X, d_->brushOrg.Y);
}

// Brush alone, copied over the destination (fills do not use the pen mode).
void TCanvas::ApplyFill()
{
    ApplyBrush();
    d_->painter->setPen(Qt::NoPen);
    d_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::ApplyFont()
{
    d_->painter->setFont(QtFont());
    d_->painter->setPen(d_->fontColor);
    d_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::ApplyClip()
{
    QPainter* p = d_->painter;
    if (!p)
        return;
    p->setWorldTransform(QTransform());
    if (d_->ownerClip)
        p->setClipRegion(*d_->ownerClip);
    else
        p->setClipping(false);
    // Our clip region is in the owner's coordinates (device coordinates of the canvas).
    if (d_->clip)
        p->setClipRegion(d_->base.map(*d_->clip), d_->ownerClip ? Qt::IntersectClip : Qt::ReplaceClip);
    p->setWorldTransform(d_->ToDevice(d_->upright) * d_->base);
}

void TCanvas::StrokeAndFill(int kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
{
    if (!Ready())
        return;
    if (X2 < X1) std::swap(X1, X2);
    if (Y2 < Y1) std::swap(Y1, Y2);
    ApplyPen();
    ApplyBrush();
    QPainter* p = d_->painter;
    // The outline runs on the first and last pixel inside the figure; without
    // a pen the filled area is one pixel smaller on the right and bottom.
    const QRect r(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1);
    if (r.width() < 0 || r.height() < 0)
        return;
    switch (kind) {
    case 0: p->drawRect(r); break;
    case 1: p->drawEllipse(r); break;
    case 2: p->drawRoundedRect(r, X3 / 2.0, Y3 / 2.0, Qt::AbsoluteSize); break;
    }
}

void TCanvas::MoveTo(Integer X, Integer Y)
{
    penPos_ = {X, Y};
}

void TCanvas::LineTo(Integer X, Integer Y)
{
    const TPoint from = penPos_;
    penPos_ = {X, Y};
    if (!Ready())
        return;
    ApplyPen();
    QPainter* p = d_->painter;
    // A grid's lines are mostly such lines: filled as spans they skip the
    // line rasterizer. The span is the one the line covers, from the lower
    // end up to, not including, the higher one (one pixel when both meet),
    // and only where device pixels map one to one.
    if ((from.X == X || from.Y == Y) && d_->spanPen && !p->testRenderHint(QPainter::Antialiasing)) {
        const QTransform t = p->combinedTransform();
        if (t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy())) {
            const int x = std::min(from.X, X), y = std::min(from.Y, Y);
            const int w = std::max(1, std::abs(X - from.X)), h = std::max(1, std::abs(Y - from.Y));
            p->fillRect(QRect(x, y, from.Y == Y ? w : 1, from.Y == Y ? 1 : h), d_->qpen.color());
            return;
        }
    }
    p->drawLine(from.X, from.Y, X, Y);
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    StrokeAndFill(0, X1, Y1, X2, Y2);
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3)
{
    StrokeAndFill(2, X1, Y1, X2, Y2, X3, Y3);
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2)
{
    StrokeAndFill(1, X1, Y1, X2, Y2);
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.empty() || !Ready())
        return;
    QPolygon poly(int(points.size()));
    for (int i = 0; i < int(points.size()); ++i)
        poly.setPoint(i, points[std::size_t(i)].X, points[std::size_t(i)].Y);
    ApplyPen();
    ApplyBrush();
    d_->painter->drawPolygon(poly, Qt::OddEvenFill);
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2 || !Ready())
        return;
    QPolygon poly(int(points.size()));
    for (int i = 0; i < int(points.size()); ++i)
        poly.setPoint(i, points[std::size_t(i)].X, points[std::size_t(i)].Y);
    ApplyPen();
    d_->painter->drawPolyline(poly);
}

void TCanvas::FillRect(const TRect& rect)
{
    const TRect r = d_->mapMode == MM_LOMETRIC ? NormalizedRect(rect) : rect;
    if (r.IsEmpty() || !Ready())
        return;
    ApplyFill();
    d_->painter->drawRect(ToQRect(r));
}

void TCanvas::FrameRect(const TRect& rect)
{
    const TRect r = d_->mapMode == MM_LOMETRIC ? NormalizedRect(rect) : rect;
    if (r.IsEmpty() || !Ready())
        return;
    ApplyFill();
    QPainter* p = d_->painter;
    const QRect q = ToQRect(r);
    p->drawRect(QRect(q.left(), q.top(), q.width(), 1));
    p->drawRect(QRect(q.left(), q.bottom(), q.width(), 1));
    if (q.height() > 2) {
        p->drawRect(QRect(q.left(), q.top() + 1, 1, q.height() - 2));
        p->drawRect(QRect(q.right(), q.top() + 1, 1, q.height() - 2));
    }
}

TColor TCanvas::Pixels(Integer X, Integer Y)
{
    if (!Ready())
        return clNone;
    const QImage* img = DeviceImage();
    if (!img)
        return clNone;
    const QPoint d = d_->painter->worldTransform().map(QPoint(X, Y));
    if (!img->rect().contains(d))
        return clNone;
    return FromQColor(img->pixelColor(d));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Color)
{
    if (!Ready())
        return;
    d_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    d_->painter->fillRect(QRect(X, Y, 1, 1), ToQColor(Color));
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle)
{
    if (!Ready())
        return;
    const QImage* img = DeviceImage();
    if (!img)
        return;
    const QPoint start = d_->painter->worldTransform().map(QPoint(X, Y));
    if (!img->rect().contains(start))
        return;
    const QRgb key = ToQColor(Color).rgb() & 0xFFFFFF;
    const int w = img->width(), h = img->height();
    auto match = [&](int x, int y) {
        const bool same = (img->pixel(x, y) & 0xFFFFFF) == key;
        return FillStyle == fsBorder ? !same : same;
    };
    if (!match(start.x(), start.y()))
        return;
    // Scan-line fill into a mask, then paint the mask through the painter so
    // that the clip region holds.
    QImage mask(w, h, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    const QRgb fill = ToQColor(brush_->Color()).rgba();
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        QPoint pt = stack.back();
        stack.pop_back();
        int x = pt.x();
        const int y = pt.y();
        if (mask.pixel(x, y) != 0 || !match(x, y))
            continue;
        while (x > 0 && match(x - 1, y) && mask.pixel(x - 1, y) == 0)
            --x;
        bool upOpen = false, downOpen = false;
        for (; x < w && match(x, y) && mask.pixel(x, y) == 0; ++x) {
            mask.setPixel(x, y, fill);
            if (y > 0) {
                const bool m = match(x, y - 1) && mask.pixel(x, y - 1) == 0;
                if (m && !upOpen) stack.push_back({x, y - 1});
                upOpen = m;
            }
            if (y + 1 < h) {
                const bool m = match(x, y + 1) && mask.pixel(x, y + 1) == 0;
                if (m && !downOpen) stack.push_back({x, y + 1});
                downOpen = m;
            }
        }
    }
    QPainter* p = d_->painter;
    const QTransform t = p->worldTransform();
    p->setWorldTransform(QTransform());
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(0, 0, mask);
    p->setWorldTransform(t);
}

void TCanvas::TextOut(Integer X, Integer Y, const QString& Text)
{
    if (!Ready())
        return;
    if (d_->mapMode == MM_LOMETRIC && !d_->upright) {
        SetUpright(true);
        TextOut(X, -Y, Text);
        SetUpright(false);
        penPos_.Y = Y;
        return;
    }
    ApplyFont();
    QPainter* p = d_->painter;
    const QFontMetrics fm(d_->qfont);
    const int w = fm.horizontalAdvance(Text);
    const int h = fm.height();
    const bool opaque = BkMode() == OPAQUE;
    const QColor bk = ToQColor(brush_->Color());
    if (font_->Orientation() == 0) {
        if (opaque)
            p->fillRect(QRect(X, Y, w, h), bk);
        p->drawText(X, Y + fm.ascent(), Text);
    } else {
        const QTransform t = p->worldTransform();
        p->translate(X, Y);
        p->rotate(-font_->Orientation() / 10.0);
        if (opaque)
            p->fillRect(QRect(0, 0, w, h), bk);
        p->drawText(0, fm.ascent(), Text);
        p->setWorldTransform(t);
    }
    penPos_ = {X + w, Y};
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const QString& Text)
{
    if (!Ready())
        return;
    if (d_->mapMode == MM_LOMETRIC && !d_->upright) {
        SetUpright(true);
        TextRect(UprightRect(Rect), X, -Y, Text);
        SetUpright(false);
        return;
    }
    QPainter* p = d_->painter;
    p->save();
    p->setClipRect(ToQRect(Rect), Qt::IntersectClip);
    if (brush_->Style() != bsClear) {
        ApplyFill();
        p->drawRect(ToQRect(Rect));
    }
    ApplyFont();
    const QFontMetrics fm(d_->qfont);
    p->drawText(X, Y + fm.ascent(), Text);
    p->restore();
}

const QFont& TCanvas::QtFont() const
{
    if (d_->fontRev != font_->Revision() || d_->fontMapMode != d_->mapMode || d_->fontMadePPI != d_->fontPPI) {
        d_->qfont = QFontOf(*font_);
        // In MM_LOMETRIC the height is in logical units already; in MM_TEXT
        // the screen-pixel height is realised at the font resolution.
        if (d_->mapMode == MM_TEXT && d_->fontPPI != ScreenPixelsPerInch)
            d_->qfont.setPixelSize(std::max(1, MulDiv(d_->qfont.pixelSize(), d_->fontPPI, ScreenPixelsPerInch)));
        d_->fontMapMode = d_->mapMode;
        d_->fontMadePPI = d_->fontPPI;
        d_->fontColor = ToQColor(font_->Color());
        d_->fontRev = font_->Revision();
    }
    return d_->qfont;
}

void TCanvas::TextRect(TRect& Rect, const QString& Text, Cardinal Format)
{
    DrawText(this, Text, Rect, Format);
}

TSize TCanvas::TextExtent(const QString& Text) const
{
    // At screen resolution the canvas's font is the shared one of its kind.
    if (d_->mapMode == MM_TEXT && d_->fontPPI == ScreenPixelsPerInch) {
        const QFontMetrics& fm = FontMetricsOf(*font_);
        return {fm.horizontalAdvance(Text), fm.height()};
    }
    const QFontMetrics fm(QtFont());
    return {fm.horizontalAdvance(Text), fm.height()};
}

// ---------------------------------------------------------------- pictures

namespace {

QPainter::CompositionMode CopyComposition(TCopyMode mode)
{
    switch (mode) {
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmDstInvert: return QPainter::RasterOp_NotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

void TCanvas::StretchImage(const TRect& Dest, const QImage& Image, const TRect& Source)
{
    if (d_->mapMode == MM_LOMETRIC && !d_->upright) {
        // Pictures stay upright: drawn into the same box in the y-down frame.
        SetUpright(true);
        StretchImage(UprightRect(Dest), Image, Source);
        SetUpright(false);
        return;
    }
    if (Dest.IsEmpty() || Image.isNull() || !Ready())
        return;
    QPainter* p = d_->painter;
    if (copyMode_ == cmBlackness || copyMode_ == cmWhiteness) {
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(ToQRect(Dest), copyMode_ == cmBlackness ? Qt::black : Qt::white);
        return;
    }
    p->setCompositionMode(CopyComposition(copyMode_));
    p->drawImage(ToQRect(Dest), Image, ToQRect(Source));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic)
{
    if (Graphic && !Graphic->Empty())
        Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (Graphic && !Graphic->Empty())
        Graphic->Draw(this, Rect);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (!Canvas || !Canvas->RequireHandle() || !Ready())
        return;
    const QImage* src = Canvas->DeviceImage();
    if (!src)
        return;
    // The source rectangle is in the source canvas's logical coordinates.
    const QRect s = Canvas->Painter()->worldTransform().mapRect(ToQRect(Source));
    StretchImage(Dest, src->copy(s), TRect(0, 0, s.width(), s.height()));
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    QImage img = Bitmap->Image().convertToFormat(QImage::Format_RGB32);
    const QRgb key = ToQColor(Color).rgb();
    const QRgb fill = ToQColor(brush_->Color()).rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = fill;
    }
    const TCopyMode mode = copyMode_;
    copyMode_ = cmSrcCopy;
    StretchImage(Dest, img, Source);
    copyMode_ = mode;
}

// ---------------------------------------------------------------- clipping

TRect TCanvas::ClipRect()
{
    if (!Ready())
        return {};
    QPainter* p = d_->painter;
    QRect dev(0, 0, p->device()->width(), p->device()->height());
    // Everything in the canvas's device terms (the owner's coordinates).
    QRect area = d_->base.inverted().mapRect(dev);
    if (d_->ownerClip)
        area &= d_->base.inverted().map(*d_->ownerClip).boundingRect();
    if (d_->clip)
        area &= d_->clip->boundingRect();
    if (d_->mapMode == MM_LOMETRIC) {
        // Logical units, the top edge above the bottom one (Top > Bottom).
        const TPoint tl = DPtoLP(TPoint(area.left(), area.top()));
        const TPoint br = DPtoLP(TPoint(area.left() + area.width(), area.top() + area.height()));
        return TRect(tl.X, tl.Y, br.X, br.Y);
    }
    area.translate(d_->org.X, d_->org.Y);
    return FromQRect(area);
}

void TCanvas::SelectClipRgn(const TRegion* region)
{
    if (region)
        d_->clip = region->ToQRegion();
    else
        d_->clip.reset();
    ApplyClip();
}

bool TCanvas::GetClipRgn(TRegion& region) const
{
    if (!d_->clip)
        return false;
    region = TRegion::FromQRegion(*d_->clip);
    return true;
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    QRegion add(DeviceRect(r));
    if (d_->clip)
        d_->clip = *d_->clip & add;
    else
        d_->clip = add;
    ApplyClip();
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    const QRegion cut(DeviceRect(r));
    if (!d_->clip) {
        // Without a clip region everything of the device is drawable.
        if (!Ready())
            return;
        const QPaintDevice* dev = d_->painter->device();
        d_->clip = QRegion(d_->base.inverted().mapRect(QRect(0, 0, dev->width(), dev->height())));
    }
    d_->clip = *d_->clip - cut;
    ApplyClip();
}

TPoint TCanvas::WindowOrg() const { return d_->org; }

void TCanvas::SetWindowOrg(TPoint origin)
{
    d_->org = origin;
    ApplyClip();
}

TPoint TCanvas::LPtoDP(TPoint p) const
{
    if (d_->mapMode != MM_LOMETRIC)
        return {p.X - d_->org.X, p.Y - d_->org.Y};
    const QPointF d = d_->ToDevice(false).map(QPointF(p.X, p.Y));
    return {Integer(std::lround(d.x())), Integer(std::lround(d.y()))};
}

TPoint TCanvas::DPtoLP(TPoint p) const
{
    if (d_->mapMode != MM_LOMETRIC)
        return {p.X + d_->org.X, p.Y + d_->org.Y};
    const QPointF l = d_->ToDevice(false).inverted().map(QPointF(p.X, p.Y));
    return {Integer(std::lround(l.x())), Integer(std::lround(l.y()))};
}

QRect TCanvas::DeviceRect(const TRect& r) const
{
    if (d_->mapMode != MM_LOMETRIC)
        return ToQRect(r).translated(-d_->org.X, -d_->org.Y);
    const TRect n = NormalizedRect(r);
    return d_->ToDevice(false).mapRect(QRectF(n.Left, n.Top, n.Width(), n.Height())).toAlignedRect();
}

TRect TCanvas::NormalizedRect(const TRect& r)
{
    return TRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom));
}

Integer TCanvas::MapMode() const { return d_->mapMode; }

void TCanvas::SetMapMode(Integer mode)
{
    d_->mapMode = mode == MM_LOMETRIC ? MM_LOMETRIC : MM_TEXT;
    d_->upright = false;
    ApplyClip();
}

Integer TCanvas::DeviceDPIX() const { return d_->Dpi(true); }
Integer TCanvas::DeviceDPIY() const { return d_->Dpi(false); }
Integer TCanvas::FontPixelsPerInch() const { return d_->fontPPI; }
void TCanvas::SetFontPixelsPerInch(Integer ppi) { d_->fontPPI = std::max(1, ppi); }

void TCanvas::SetUpright(bool on)
{
    on = on && d_->mapMode == MM_LOMETRIC;
    if (on == d_->upright)
        return;
    d_->upright = on;
    ApplyClip();
}

TRect TCanvas::UprightRect(const TRect& r) const
{
    if (d_->mapMode != MM_LOMETRIC)
        return r;
    return NormalizedRect(TRect(r.Left, -r.Top, r.Right, -r.Bottom));
}

TPoint TCanvas::BrushOrg() const { return d_->brushOrg; }
void TCanvas::SetBrushOrg(TPoint origin) { d_->brushOrg = origin; }

Integer TCanvas::SaveDC()
{
    d_->saved.push_back({d_->clip, d_->org, d_->brushOrg, d_->bkMode, d_->bkBrushRev, d_->mapMode});
    return Integer(d_->saved.size());
}

void TCanvas::RestoreDC(Integer saved)
{
    const Integer n = Integer(d_->saved.size());
    const Integer index = saved < 0 ? n + saved : saved - 1;
    if (index < 0 || index >= n)
        return;
    const State::Saved s = d_->saved[std::size_t(index)];
    d_->saved.resize(std::size_t(index));
    d_->clip = s.clip;
    d_->org = s.org;
    d_->brushOrg = s.brushOrg;
    d_->bkMode = s.bkMode;
    d_->bkBrushRev = s.bkBrushRev;
    d_->mapMode = s.mapMode;
    d_->upright = false;
    ApplyClip();
}

void TCanvas::Lock() { d_->mutex.lock(); }
void TCanvas::Unlock() { d_->mutex.unlock(); }
bool TCanvas::TryLock() { return d_->mutex.try_lock(); }
