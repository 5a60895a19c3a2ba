#include "platform/WindowPicture.h"

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
