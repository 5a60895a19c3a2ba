#include "platform/TestHooks.h"

#include "platform/DragDrop.h"

#include <algorithm>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>
#include <QWindow>

#include "platform/Control.h"
#include "platform/WidgetBridge.h"

namespace {

QWidget* WidgetFor(TControl* control)
{
    if (auto* wc = dynamic_cast<TWinControl*>(control))
        wc->HandleNeeded();
    else if (control->Parent() != nullptr)
        control->Parent()->HandleNeeded();
    return TWidgetBridge::Widget(control);
}

QPoint At(TControl* control, TPoint pos)
{
    if (pos.X < 0 && pos.Y < 0)
        return QPoint(control->Width() / 2, control->Height() / 2);
    return QPoint(pos.X, pos.Y);
}

Qt::MouseButton QtButton(TMouseButton b)
{
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::KeyboardModifiers QtMods(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// The deepest visible child under pos (pos becomes local to it).
QWidget* Deepest(QWidget* w, QPoint& pos)
{
    QWidget* c = w->childAt(pos);
    if (c == nullptr)
        return w;
    pos = c->mapFrom(w, pos);
    return c;
}

void SendMouse(TControl* control, QEvent::Type type, TMouseButton button, TPoint pos, TShiftState shift, bool held)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return;
    QPoint local = At(control, pos);
    // Like a real click: the deepest widget under the point gets it.
    w = Deepest(w, local);
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : QtButton(button);
    Qt::MouseButtons buttons = held ? Qt::MouseButtons(QtButton(button)) : Qt::MouseButtons();
    QMouseEvent e(type, QPointF(local), QPointF(w->mapTo(w->window(), local)), QPointF(w->mapToGlobal(local)), b, buttons, QtMods(shift));
    QApplication::sendEvent(w, &e);
}

// The widget that gets a control's keys (a helper inside it when Qt gives one the focus).
QWidget* KeyTarget(TControl* control)
{
    QWidget* w = WidgetFor(control);
    return w != nullptr && w->focusProxy() != nullptr ? w->focusProxy() : w;
}

} // namespace

namespace TestInput {

void MouseDown(TControl* control, TMouseButton button, TPoint pos, TShiftState shift)
{
    SendMouse(control, QEvent::MouseButtonPress, button, pos, shift, true);
}

void MouseUp(TControl* control, TMouseButton button, TPoint pos, TShiftState shift)
{
    SendMouse(control, QEvent::MouseButtonRelease, button, pos, shift, false);
}

void MouseMove(TControl* control, TPoint pos, TShiftState shift)
{
    SendMouse(control, QEvent::MouseMove, mbLeft, pos, shift, false);
}

void Click(TControl* control, TPoint pos, TMouseButton button, TShiftState shift)
{
    MouseDown(control, button, pos, shift);
    MouseUp(control, button, pos, shift);
}

void DblClick(TControl* control, TPoint pos)
{
    MouseDown(control, mbLeft, pos);
    MouseUp(control, mbLeft, pos);
    SendMouse(control, QEvent::MouseButtonDblClick, mbLeft, pos, {}, true);
    MouseUp(control, mbLeft, pos);
}

void Wheel(TControl* control, Integer delta, TPoint pos, TShiftState shift)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return;
    QPoint local = At(control, pos);
    w = Deepest(w, local);
    QWheelEvent e(QPointF(local), QPointF(w->mapToGlobal(local)), QPoint(), QPoint(0, delta), Qt::NoButton, QtMods(shift),
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void MouseEnter(TControl* control)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return;
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))));
    QApplication::sendEvent(w, &e);
}

void MouseLeave(TControl* control)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return;
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

void KeyDown(TControl* control, Word vk, TShiftState shift, const QString& text)
{
    QWidget* w = KeyTarget(control);
    if (w == nullptr)
        return;
    QKeyEvent e(QEvent::KeyPress, TWidgetBridge::QtKey(vk), QtMods(shift), text);
    QApplication::sendEvent(w, &e);
}

void KeyUp(TControl* control, Word vk, TShiftState shift)
{
    QWidget* w = KeyTarget(control);
    if (w == nullptr)
        return;
    QKeyEvent e(QEvent::KeyRelease, TWidgetBridge::QtKey(vk), QtMods(shift));
    QApplication::sendEvent(w, &e);
}

void PressKey(TControl* control, Word vk, TShiftState shift, const QString& text)
{
    KeyDown(control, vk, shift, text);
    KeyUp(control, vk, shift);
}

void TypeText(TControl* control, const QString& text)
{
    for (QChar ch : text) {
        const QChar up = ch.toUpper();
        Word vk = 0;
        if ((up >= u'A' && up <= u'Z') || (ch >= u'0' && ch <= u'9'))
            vk = Word(up.unicode());
        else if (ch == u' ')
            vk = VK_SPACE;
        const TShiftState shift = ch.isUpper() ? TShiftState(ssShift) : TShiftState();
        PressKey(control, vk, shift, QString(ch));
    }
}

void RoutedMouse(TControl* control, TRoutedMouse what, TPoint pos)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr || w->window()->windowHandle() == nullptr)
        return;
    QWidget* top = w->window();
    const QPointF at(w->mapTo(top, QPoint(pos.X, pos.Y)));
    const QEvent::Type type = what == rmDown ? QEvent::MouseButtonPress : what == rmUp ? QEvent::MouseButtonRelease : QEvent::MouseMove;
    const Qt::MouseButton button = what == rmMove ? Qt::NoButton : Qt::LeftButton;
    static bool down = false;
    down = what == rmDown || (what == rmMove && down);
    const Qt::MouseButtons held = down ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, at, at, top->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(top->windowHandle(), &e);
}

Integer RoutedDragEffect(TControl* control, TRoutedDrag what, TPoint pos, const QMimeData* data, Integer allowed, TShiftState shift)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr || w->window()->windowHandle() == nullptr)
        return DROPEFFECT_NONE;
    QWidget* top = w->window();
    QWindow* window = top->windowHandle();
    const QPoint at = w->mapTo(top, QPoint(pos.X, pos.Y));
    const Qt::DropActions offered(QtActionsOf(allowed));
    Qt::KeyboardModifiers keys;
    if (shift.Contains(ssShift))
        keys |= Qt::ShiftModifier;
    if (shift.Contains(ssCtrl))
        keys |= Qt::ControlModifier;
    if (shift.Contains(ssAlt))
        keys |= Qt::AltModifier;
    auto answer = [](const QDropEvent& e) { return e.isAccepted() ? DropEffectsOf(e.dropAction()) : DROPEFFECT_NONE; };
    switch (what) {
    case rdEnter: {
        QDragEnterEvent e(at, offered, data, Qt::LeftButton, keys);
        QApplication::sendEvent(window, &e);
        return answer(e);
    }
    case rdMove: {
        QDragMoveEvent e(at, offered, data, Qt::LeftButton, keys);
        QApplication::sendEvent(window, &e);
        return answer(e);
    }
    case rdLeave: {
        QDragLeaveEvent e;
        QApplication::sendEvent(window, &e);
        return DROPEFFECT_NONE;
    }
    case rdDrop: {
        QDropEvent e(QPointF(at), offered, data, Qt::NoButton, keys);
        QApplication::sendEvent(window, &e);
        return answer(e);
    }
    }
    return DROPEFFECT_NONE;
}

bool RoutedDrag(TControl* control, TRoutedDrag what, TPoint pos, const QMimeData* data)
{
    return RoutedDragEffect(control, what, pos, data, DROPEFFECT_COPY | DROPEFFECT_MOVE) != DROPEFFECT_NONE;
}

void ActivateWindow(TControl* control)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return;
    w->window()->activateWindow();
    QApplication::processEvents();
}

} // namespace TestInput

namespace {
// What the widget paints over the area, as QWidget::grab renders it but on a
// pixmap filled with the widget's background first: a widget that paints
// its background itself (opaque) and leaves pixels untouched shows that
// colour there, not whatever memory the pixmap was made in.
QImage Grab(QWidget* w, const QRect& area)
{
    const qreal ratio = w->devicePixelRatioF();
    QPixmap picture((QSizeF(area.size()) * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    picture.fill(w->palette().color(w->backgroundRole()));
    w->render(&picture, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    return picture.toImage();
}
} // namespace

QImage GrabControl(TControl* control)
{
    QWidget* w = WidgetFor(control);
    if (w == nullptr)
        return {};
    if (auto* wc = dynamic_cast<TWinControl*>(control); wc == nullptr && control->Parent() != nullptr) {
        // A windowless control shows over its parent: grab that area of the parent.
        QWidget* p = TWidgetBridge::Widget(control->Parent());
        return Grab(p, QRect(control->Left(), control->Top(), control->Width(), control->Height()));
    }
    return Grab(w, w->rect());
}

QImage GrabScreen(const TRect& area)
{
    QImage image(std::max(area.Width(), 1), std::max(area.Height(), 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Ordinary windows first, the active one last of them, then those that
    // stay on top.
    auto layer = [](QWidget* w) {
        if (w->windowType() == Qt::ToolTip || w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return 2;
        return w == QApplication::activeWindow() ? 1 : 0;
    };
    for (int pass = 0; pass < 3; ++pass)
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || layer(w) != pass)
                continue;
            const QRect g = w->geometry();
            if (!g.intersects(QRect(area.Left, area.Top, area.Width(), area.Height())))
                continue;
            const QPixmap shot = w->grab();
            const QPoint at(g.x() - area.Left, g.y() - area.Top);
            painter.drawPixmap(at, shot);
        }
    return image;
}
