// The shaped popup over a frameless Qt tool window with a mask.

#include "platform/ShapedPopup.h"

#include <QPainter>
#include <QWidget>

#include "platform/GraphicsQt.h"

namespace {

class TPictureWindow : public QWidget {
public:
    TPictureWindow()
        // A tool-tip kind of window: never activated, above the program's windows.
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }
    QImage Picture;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(0, 0, Picture);
    }
};

} // namespace

QRegion RegionFromImage(const QImage& Picture, TColor Transparent)
{
    QRegion region;
    const QRgb key = ToQColor(Transparent).rgb() & 0xFFFFFF;
    const QImage img = Picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        int start = -1;
        for (int x = 0; x < img.width(); ++x) {
            const bool opaque = (img.pixel(x, y) & 0xFFFFFF) != key;
            if (opaque && start < 0)
                start = x;
            else if (!opaque && start >= 0) {
                region += QRect(start, y, x - start, 1);
                start = -1;
            }
        }
        if (start >= 0)
            region += QRect(start, y, img.width() - start, 1);
    }
    return region;
}

TShapedPopup::TShapedPopup() = default;
TShapedPopup::~TShapedPopup()
{
    Hide();
}

void TShapedPopup::Show(TPoint ScreenPos, const QImage& Picture, TColor Transparent)
{
    if (!FWindow)
        FWindow = std::make_unique<TPictureWindow>();
    auto* w = static_cast<TPictureWindow*>(FWindow.get());
    w->Picture = Picture;
    FRegion = RegionFromImage(Picture, Transparent);
    w->setGeometry(ScreenPos.X, ScreenPos.Y, Picture.width(), Picture.height());
    w->setMask(FRegion);
    w->show();
    w->update();
}

void TShapedPopup::Hide()
{
    // The window may be in the middle of one of its own events.
    if (FWindow) {
        FWindow->hide();
        FWindow.release()->deleteLater();
    }
    FRegion = QRegion();
}

bool TShapedPopup::Visible() const
{
    return FWindow && FWindow->isVisible();
}

TRect TShapedPopup::BoundsRect() const
{
    if (!FWindow)
        return TRect();
    const QRect g = FWindow->geometry();
    return TRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

QImage TShapedPopup::Grab() const
{
    if (!FWindow)
        return QImage();
    QImage img(FWindow->size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setClipRegion(FRegion);
    p.drawImage(0, 0, static_cast<TPictureWindow*>(FWindow.get())->Picture);
    return img;
}
