#include "platform/LayeredWindow.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "platform/WidgetBridge.h"

namespace {

QRegion ToQRegion(const TWindowRegion& R)
{
    QRegion out;
    for (const TRect& r : R.Rects())
        out += QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return out;
}

std::vector<TRect> FromQRegion(const QRegion& R)
{
    std::vector<TRect> out;
    for (const QRect& r : R)
        out.push_back(TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
    return out;
}

} // namespace

TWindowRegion::TWindowRegion(const TRect& R)
{
    if (R.Right > R.Left && R.Bottom > R.Top)
        FRects.push_back(R);
}

bool TWindowRegion::Contains(TPoint P) const
{
    for (const TRect& r : FRects)
        if (P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom)
            return true;
    return false;
}

TRect TWindowRegion::BoundsRect() const
{
    if (FRects.empty())
        return TRect();
    TRect b = FRects.front();
    for (const TRect& r : FRects) {
        b.Left = std::min(b.Left, r.Left);
        b.Top = std::min(b.Top, r.Top);
        b.Right = std::max(b.Right, r.Right);
        b.Bottom = std::max(b.Bottom, r.Bottom);
    }
    return b;
}

TWindowRegion CombineRgn(const TWindowRegion& A, const TWindowRegion& B, TRegionMode Mode)
{
    const QRegion a = ToQRegion(A), b = ToQRegion(B);
    QRegion r;
    switch (Mode) {
    case RGN_AND: r = a.intersected(b); break;
    case RGN_OR: r = a.united(b); break;
    case RGN_XOR: r = a.xored(b); break;
    case RGN_DIFF: r = a.subtracted(b); break;
    }
    TWindowRegion out;
    out.FRects = FromQRegion(r);
    return out;
}

bool SetWindowRgn(TWinControl* Window, const TWindowRegion& Region, bool Redraw)
{
    if (Window == nullptr || !Window->HandleAllocated())
        return false;
    QWidget* w = TWidgetBridge::Widget(Window);
    if (Region.IsEmpty())
        w->clearMask();
    else
        w->setMask(ToQRegion(Region));
    if (Redraw)
        w->update();
    return true;
}

TWindowRegion GetWindowRgn(TWinControl* Window)
{
    if (Window == nullptr || !Window->HandleAllocated())
        return {};
    const QRegion mask = TWidgetBridge::Widget(Window)->mask();
    TWindowRegion out;
    for (const TRect& r : FromQRegion(mask))
        out = CombineRgn(out, TWindowRegion(r), RGN_OR);
    return out;
}

bool UpdateLayeredWindow(TWinControl* Window, TBitmap* Picture, Byte ConstantAlpha, DWORD Flags)
{
    if (Window == nullptr || !Window->HandleAllocated() || Picture == nullptr || Picture->PixelFormat() != pf32bit)
        return false;
    TWinHandle* h = TWidgetBridge::HandleOf(Window);
    QWidget* w = TWidgetBridge::Widget(Window);
    if (h == nullptr || w == nullptr || !w->testAttribute(Qt::WA_TranslucentBackground))
        return false;
    QImage picture = Picture->Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (ConstantAlpha != 255 || (Flags & ULW_ALPHA) == 0) {
        // Premultiplied pixels scale as a whole; without per-pixel alpha every
        // pixel counts as opaque first.
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                QRgb p = line[x];
                if ((Flags & ULW_ALPHA) == 0)
                    p = p | 0xFF000000u;
                const auto scale = [&](int c) { return (c * ConstantAlpha + 127) / 255; };
                line[x] = qRgba(scale(qRed(p)), scale(qGreen(p)), scale(qBlue(p)), scale(qAlpha(p)));
            }
        }
    }
    h->Layered = std::make_unique<QImage>(std::move(picture));
    Window->SetBounds(Window->Left(), Window->Top(), h->Layered->width(), h->Layered->height());
    w->update();
    return true;
}
