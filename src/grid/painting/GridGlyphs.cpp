// The grid's glyphs, drawn with QPainter into images with an alpha channel.

#include "grid/painting/GridGlyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <memory>
#include <mutex>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

namespace {

QImage NewImage(int W, int H)
{
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A check box: box with a border and a light gradient, and a tick when checked.
QImage CheckGlyph(int Size, bool Checked, bool Enabled, bool Kavro)
{
    QImage image = NewImage(Size, Size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int box = Kavro ? Size - 4 : Size - 3;
    const int x0 = Kavro ? 2 : 1, y0 = Kavro ? 2 : 1;
    const QColor border = !Enabled ? QColor(0xB0, 0xB0, 0xB0) : Kavro ? QColor(0x4A, 0x6C, 0xA8) : QColor(0x1C, 0x51, 0x80);
    QLinearGradient fill(x0, y0, x0 + box, y0 + box);
    fill.setColorAt(0, Enabled ? QColor(0xDC, 0xDC, 0xD7) : QColor(0xF0, 0xF0, 0xF0));
    fill.setColorAt(1, QColor(0xFF, 0xFF, 0xFF));
    p.setPen(border);
    p.setBrush(fill);
    p.drawRect(x0, y0, box, box);
    if (Checked) {
        const QColor tick = !Enabled ? QColor(0xA0, 0xA0, 0xA0) : Kavro ? QColor(0x1E, 0x3C, 0x8C) : QColor(0x21, 0xA1, 0x21);
        p.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(tick, Size >= 18 ? 2.6 : 2.2);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        const double s = box;
        QPainterPath path;
        path.moveTo(x0 + s * 0.22, y0 + s * 0.50);
        path.lineTo(x0 + s * 0.42, y0 + s * 0.72);
        path.lineTo(x0 + s * 0.80, y0 + s * 0.26);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    return image;
}

QImage RadioGlyph(bool On, bool Enabled, bool Kavro)
{
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor border = !Enabled ? QColor(0xB0, 0xB0, 0xB0) : Kavro ? QColor(0x4A, 0x6C, 0xA8) : QColor(0x1C, 0x51, 0x80);
    QRadialGradient fill(QPointF(6, 6), 9);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, Enabled ? QColor(0xDC, 0xDC, 0xD7) : QColor(0xF0, 0xF0, 0xF0));
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    if (On) {
        const QColor dot = !Enabled ? QColor(0xA0, 0xA0, 0xA0) : Kavro ? QColor(0x1E, 0x3C, 0x8C) : QColor(0x21, 0xA1, 0x21);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QRectF(4.5, 4.5, 6, 6));
    }
    return image;
}

// A node button: a box with a minus, and a plus when collapsed.
QImage NodeGlyph(int Size, bool Collapsed)
{
    QImage image = NewImage(Size, Size);
    QPainter p(&image);
    const int box = Size == 9 ? 8 : 10;
    const int x0 = (Size - box - 1) / 2, y0 = (Size - box - 1) / 2;
    p.setPen(QColor(0x91, 0x91, 0x91));
    p.setBrush(QColor(0xF7, 0xF7, 0xF7));
    p.drawRect(x0, y0, box, box);
    p.setPen(QColor(0x3C, 0x3C, 0x3C));
    const int mid = y0 + box / 2, midX = x0 + box / 2;
    p.drawLine(x0 + 2, mid, x0 + box - 2, mid);
    if (Collapsed)
        p.drawLine(midX, y0 + 2, midX, y0 + box - 2);
    return image;
}

QImage FilterGlyph()
{
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath funnel;
    funnel.moveTo(3, 4);
    funnel.lineTo(13, 4);
    funnel.lineTo(9, 8.5);
    funnel.lineTo(9, 12.5);
    funnel.lineTo(7, 11.5);
    funnel.lineTo(7, 8.5);
    funnel.closeSubpath();
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0x60, 0x80, 0xC0));
    p.drawPath(funnel);
    return image;
}

// The metro style's flat check box and radio button: a square or circle in
// a thin grey outline, a dark tick or dot when on.
QImage MetroGlyph(bool Radio, bool On)
{
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, Radio);
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    if (Radio)
        p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    else
        p.drawRect(1, 1, 13, 13);
    if (!On)
        return image;
    p.setRenderHint(QPainter::Antialiasing, true);
    if (Radio) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawEllipse(QRectF(4.5, 4.5, 6, 6));
    } else {
        QPen pen(QColor(0x30, 0x30, 0x30), 2.0);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(4, 8);
        path.lineTo(7, 11);
        path.lineTo(12, 5);
        p.drawPath(path);
    }
    return image;
}

QImage MakeGlyph(const QString& Name)
{
    static const char* const checks[] = {"ESGCHK01", "ESGCHK02", "ESGCHK03", "ESGCHK04",
                                         "ESGCHK05", "ESGCHK06", "ESGCHK07", "ESGCHK08"};
    static const char* const radios[] = {"ESGRAD01", "ESGRAD02", "ESGRAD03", "ESGRAD04",
                                         "ESGRAD05", "ESGRAD06", "ESGRAD07", "ESGRAD08"};
    for (int i = 0; i < 8; ++i) {
        // Within each group of four: checked, unchecked, checked disabled, unchecked disabled.
        const bool on = i % 2 == 0, enabled = i % 4 < 2, kavro = i < 4;
        if (Name == QLatin1String(checks[i]))
            return CheckGlyph(kavro ? 20 : 16, on, enabled, kavro);
        if (Name == QLatin1String(radios[i]))
            return RadioGlyph(on, enabled, kavro);
    }
    if (Name == QLatin1String("ESGLEAFOPEN"))
        return NodeGlyph(16, false);
    if (Name == QLatin1String("ESGLEAFCLOSE"))
        return NodeGlyph(16, true);
    if (Name == QLatin1String("XPNODEO"))
        return NodeGlyph(9, false);
    if (Name == QLatin1String("XPNODEC"))
        return NodeGlyph(9, true);
    if (Name == QLatin1String("ESGFILT"))
        return FilterGlyph();
    if (Name == QLatin1String("metrocheckon") || Name == QLatin1String("metrocheckoff"))
        return MetroGlyph(false, Name.endsWith(QLatin1String("on")));
    if (Name == QLatin1String("metroradioon") || Name == QLatin1String("metroradiooff"))
        return MetroGlyph(true, Name.endsWith(QLatin1String("on")));
    return {};
}

} // namespace

TBitmap* GridGlyph(const QString& Name)
{
    // Painting runs on the user-interface thread only; the lock keeps a
    // second thread that measures or prints from racing the cache.
    static std::mutex lock;
    static std::map<QString, std::unique_ptr<TBitmap>> cache;
    const std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(Name);
    if (it == cache.end()) {
        const QImage image = MakeGlyph(Name);
        std::unique_ptr<TBitmap> bitmap;
        if (!image.isNull()) {
            bitmap = std::make_unique<TBitmap>();
            bitmap->SetImage(image);
        }
        it = cache.emplace(Name, std::move(bitmap)).first;
    }
    return it->second.get();
}

void DrawGridGlyph(TCanvas* Canvas, const QString& Name, Integer X, Integer Y)
{
    if (TBitmap* glyph = GridGlyph(Name))
        Canvas->Draw(X, Y, glyph);
}
