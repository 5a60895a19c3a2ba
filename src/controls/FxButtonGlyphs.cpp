// The push button's own pictures: the glyph strips of the preset kinds (a
// normal and a disabled 18-pixel cell each, on an olive background that is
// left out when drawn) and the popup arrow. Drawn here in a few classic
// colours, without smoothing.

#include <functional>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "controls/FxButton.h"
#include "platform/Bitmap.h"

namespace {

const QColor Background(128, 128, 0);
const QColor Green(0, 128, 0);
const QColor Red(192, 0, 0);
const QColor Blue(0, 0, 192);
const QColor Navy(0, 0, 128);
const QColor Grey(128, 128, 128);

using TCellPainter = std::function<void(QPainter&)>;

QPen Stroke(const QColor& c, int width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void Check(QPainter& p, int dx, const QColor& c)
{
    p.setPen(Stroke(c, 3));
    p.drawPolyline(QPolygon({QPoint(dx + 3, 9), QPoint(dx + 7, 13), QPoint(dx + 14, 5)}));
}

void Cross(QPainter& p, const QColor& c)
{
    p.setPen(Stroke(c, 3));
    p.drawLine(4, 4, 13, 13);
    p.drawLine(13, 4, 4, 13);
}

// A strip of two cells: the picture, then the same picture greyed and embossed.
QImage Strip(int height, const TCellPainter& paint)
{
    QImage cell(18, height, QImage::Format_RGB32);
    cell.fill(Background);
    {
        QPainter p(&cell);
        p.setRenderHint(QPainter::Antialiasing, false);
        paint(p);
    }
    QImage strip(36, height, QImage::Format_RGB32);
    strip.fill(Background);
    const QRgb bg = Background.rgb();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 18; ++x) {
            const QRgb px = cell.pixel(x, y);
            strip.setPixel(x, y, px);
            if (px == bg)
                continue;
            strip.setPixel(18 + x, y, Grey.rgb());
            if (x + 1 < 18 && y + 1 < height && cell.pixel(x + 1, y + 1) == bg)
                strip.setPixel(18 + x + 1, y + 1, qRgb(255, 255, 255));
        }
    // The disabled cell's shadow may not cover a grey pixel set before it.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 18; ++x)
            if (cell.pixel(x, y) != bg)
                strip.setPixel(18 + x, y, Grey.rgb());
    return strip;
}

QImage KindStrip(const QString& name)
{
    if (name == QLatin1String("LBOK"))
        return Strip(18, [](QPainter& p) { Check(p, 0, Green); });
    if (name == QLatin1String("LBYES"))
        return Strip(18, [](QPainter& p) {
            Check(p, 0, Green);
            p.setPen(Stroke(Green, 1));
            p.drawLine(3, 15, 14, 15);
        });
    if (name == QLatin1String("LBCANCEL"))
        return Strip(18, [](QPainter& p) { Cross(p, Red); });
    if (name == QLatin1String("LBNO"))
        return Strip(18, [](QPainter& p) {
            p.setPen(Stroke(Red, 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(3, 3, 11, 11);
            p.drawLine(5, 12, 12, 5);
        });
    if (name == QLatin1String("LBABORT"))
        return Strip(18, [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Red);
            p.drawPolygon(QPolygon({QPoint(6, 2), QPoint(11, 2), QPoint(15, 6), QPoint(15, 11), QPoint(11, 15), QPoint(6, 15),
                                    QPoint(2, 11), QPoint(2, 6)}));
            p.setBrush(QColor(255, 255, 255));
            p.drawRect(5, 8, 8, 2);
        });
    if (name == QLatin1String("LBHELP"))
        return Strip(18, [](QPainter& p) {
            p.setPen(Stroke(Blue, 2));
            p.drawArc(5, 2, 8, 7, 180 * 16, -270 * 16);
            p.drawLine(9, 9, 9, 11);
            p.setPen(Qt::NoPen);
            p.setBrush(Blue);
            p.drawRect(8, 13, 3, 3);
        });
    if (name == QLatin1String("LBCLOSE"))
        return Strip(18, [](QPainter& p) {
            // A door ajar.
            p.setPen(Stroke(Navy, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(4, 2, 9, 13);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(128, 64, 0));
            p.drawPolygon(QPolygon({QPoint(5, 3), QPoint(10, 5), QPoint(10, 16), QPoint(5, 15)}));
            p.setBrush(QColor(255, 255, 0));
            p.drawRect(8, 9, 1, 2);
        });
    if (name == QLatin1String("LBRETRY"))
        return Strip(18, [](QPainter& p) {
            p.setPen(Stroke(Green, 2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(3, 3, 11, 11, 60 * 16, 270 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(Green);
            p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(15, 4), QPoint(10, 7)}));
        });
    if (name == QLatin1String("LBIGNORE"))
        return Strip(18, [](QPainter& p) {
            // An arrow passing over a bar.
            p.setPen(Stroke(Navy, 2));
            p.drawLine(8, 7, 8, 15);
            p.setPen(Stroke(Blue, 2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(2, 4, 12, 10, 180 * 16, -150 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(Blue);
            p.drawPolygon(QPolygon({QPoint(12, 6), QPoint(16, 9), QPoint(12, 11)}));
        });
    if (name == QLatin1String("LBALL"))
        return Strip(19, [](QPainter& p) {
            Check(p, -2, Green);
            p.translate(0, 3);
            Check(p, 2, Green);
        });
    return {};
}

} // namespace

std::unique_ptr<TBitmap> LoadFxButtonBitmap(const QString& Name)
{
    auto bmp = std::make_unique<TBitmap>();
    if (Name == QLatin1String("LBARROW")) {
        // A small black triangle pointing down on white.
        QImage arrow(5, 3, QImage::Format_RGB32);
        arrow.fill(QColor(255, 255, 255));
        for (int y = 0; y < 3; ++y)
            for (int x = y; x < 5 - y; ++x)
                arrow.setPixel(x, y, qRgb(0, 0, 0));
        bmp->SetImage(arrow);
        return bmp;
    }
    const QImage strip = KindStrip(Name);
    if (!strip.isNull())
        bmp->SetImage(strip);
    return bmp;
}
