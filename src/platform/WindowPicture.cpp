#include "platform/WindowPicture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/Control.h"
#include "platform/WidgetBridge.h"

QImage WindowPicture(TWinControl* Control, const TRect& Area)
{
    QWidget* w = Control != nullptr && Control->HandleAllocated() ? TWidgetBridge::Widget(Control) : nullptr;
    if (w == nullptr || Area.Right <= Area.Left || Area.Bottom <= Area.Top)
        return {};
    return w->grab(QRect(Area.Left, Area.Top, Area.Right - Area.Left, Area.Bottom - Area.Top)).toImage();
}

QImage ScreenPicture(const TRect& Area)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || Area.IsEmpty())
        return {};
    const QPixmap shot = screen->grabWindow(0, Area.Left, Area.Top, Area.Width(), Area.Height());
    if (shot.isNull() || shot.size() != QSize(Area.Width(), Area.Height()))
        return {};
    return shot.toImage();
}
