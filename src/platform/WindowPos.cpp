#include "platform/WindowPos.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "platform/Control.h"
#include "platform/WidgetBridge.h"

namespace {

HWND HandleOfWidget(QWidget* w)
{
    for (; w != nullptr; w = w->parentWidget())
        if (auto* c = dynamic_cast<TWinControl*>(TWidgetBridge::ControlOf(w)); c != nullptr && TWidgetBridge::Widget(c) == w)
            return TWidgetBridge::HandleOf(c);
    return nullptr;
}

} // namespace

bool SetWindowPos(TWinControl* Control, HWND InsertAfter, Integer X, Integer Y, Integer CX, Integer CY, UINT Flags)
{
    if (Control == nullptr || !Control->HandleAllocated())
        return false;
    const Integer x = (Flags & SWP_NOMOVE) ? Control->Left() : X;
    const Integer y = (Flags & SWP_NOMOVE) ? Control->Top() : Y;
    const Integer cx = (Flags & SWP_NOSIZE) ? Control->Width() : CX;
    const Integer cy = (Flags & SWP_NOSIZE) ? Control->Height() : CY;
    Control->SetBounds(x, y, cx, cy);
    QWidget* w = TWidgetBridge::Widget(Control);
    if (w == nullptr)
        return false;
    if (w->isWindow()) {
        if (InsertAfter == HWND_TOPMOST && !(w->windowFlags() & Qt::WindowStaysOnTopHint)) {
            const bool shown = w->isVisible();
            w->setWindowFlags(w->windowFlags() | Qt::WindowStaysOnTopHint);
            if (shown)
                w->show();
        }
        w->move(x, y);
        if (!(Flags & SWP_NOZORDER))
            w->raise();
    }
    return true;
}

TRect WorkAreaFromPoint(TPoint P)
{
    QScreen* screen = QGuiApplication::screenAt(QPoint(P.X, P.Y));
    if (screen == nullptr) {
        // The nearest screen: the one whose area is closest to the point.
        qint64 best = -1;
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            const qint64 dx = P.X < g.left() ? g.left() - P.X : P.X > g.right() ? P.X - g.right() : 0;
            const qint64 dy = P.Y < g.top() ? g.top() - P.Y : P.Y > g.bottom() ? P.Y - g.bottom() : 0;
            if (best < 0 || dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                screen = s;
            }
        }
    }
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const QRect r = screen->availableGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

HWND GetActiveWindow()
{
    return HandleOfWidget(QApplication::activeWindow());
}

HWND GetParent(HWND Window)
{
    if (Window == nullptr || !Window->Widget)
        return nullptr;
    return HandleOfWidget(Window->Widget->parentWidget());
}
