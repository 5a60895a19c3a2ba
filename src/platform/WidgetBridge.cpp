// The bridge between Qt and the controls: the handle object, the one event
// filter that translates Qt events into messages (key and button codes are
// translated here and nowhere else), and the message functions.

#include "platform/WidgetBridge.h"
#include "platform/WindowHook.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QThread>
#include <QStyleHints>
#include <QTimerEvent>
#include <QWheelEvent>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"

namespace {

// A widget painted by our code: the control's WM_PAINT draws its face.
class TPaintWidget : public QWidget {
public:
    explicit TPaintWidget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {}
};

// A message that came from a Qt event: DefaultHandler marks it for Qt.
struct TNativeRecord {
    const TMessage* Message;
    bool PassNative = false;
};

// A paint in progress. For a widget we paint, Painter is open from the
// start; for a Qt widget, the widget's own paint runs when the control's
// WM_PAINT calls the default handler, and a painter for drawing over it is
// opened when code asks for one after that.
struct TPaintRecord {
    const TControl* Control;
    QPainter* Painter = nullptr;
    QWidget* Widget = nullptr;
    QEvent* Event = nullptr;
    bool NativeDone = false;
    std::unique_ptr<QPainter> Over;
    std::vector<std::function<void()>> Detach;
};

std::vector<TNativeRecord> g_native;
// Widgets whose events are being handled now (they must not be deleted at once).
std::vector<QObject*> g_dispatching;
std::vector<std::unique_ptr<TPaintRecord>> g_paints;
QHash<const QObject*, TControl*> g_controls;
QHash<const QObject*, bool> g_mouseOnly;
Integer g_beeps = 0;

// The windows that exist now: other threads may post and send to a window
// only while it is here.
std::mutex g_liveLock;
std::unordered_set<const TWinHandle*> g_live;

bool IsLive(const TWinHandle* wnd)
{
    const std::lock_guard<std::mutex> lock(g_liveLock);
    return g_live.count(wnd) != 0;
}

bool OnWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}
// A function handed to the window thread through Qt's event queue, run
// there with true, or with false when the event is dropped undelivered. Qt
// orders the post before the delivery, but inside its own library, where a
// thread sanitizer cannot see it; the flag's release and acquire make that
// order visible to it too.
class TCallEvent : public QEvent {
public:
    explicit TCallEvent(std::function<void(bool Delivered)> Fn) : QEvent(CallType()), FFn(std::move(Fn))
    {
        FReady.store(true, std::memory_order_release);
    }
    ~TCallEvent() override
    {
        if (!FRan && FReady.load(std::memory_order_acquire))
            FFn(false);
    }
    static QEvent::Type CallType()
    {
        static const int type = QEvent::registerEventType();
        return QEvent::Type(type);
    }
    void Run()
    {
        if (!FReady.load(std::memory_order_acquire))
            return;
        FRan = true;
        FFn(true);
    }

private:
    std::function<void(bool)> FFn;
    std::atomic<bool> FReady {false};
    bool FRan = false;
};

// Receives the calls on the window thread.
class TCallReceiver : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != TCallEvent::CallType())
            return QObject::event(e);
        static_cast<TCallEvent*>(e)->Run();
        return true;
    }
};


TControl* g_capture = nullptr;
bool g_keyDown[256] = {};

class TEventFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

TEventFilter* Filter()
{
    static TEventFilter* filter = new TEventFilter;
    return filter;
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    WPARAM k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

void NoteModifiers(Qt::KeyboardModifiers mods)
{
    g_keyDown[VK_SHIFT] = mods & Qt::ShiftModifier;
    g_keyDown[VK_CONTROL] = mods & Qt::ControlModifier;
    g_keyDown[VK_MENU] = mods & Qt::AltModifier;
}

// Runs one translated message; returns true when Qt should handle the event too.
bool Deliver(TControl* control, TMessage& m)
{
    g_native.push_back({&m, false});
    TWidgetBridge::Guard(control, [&] { control->CallWindowProc(m); });
    const bool pass = g_native.back().PassNative;
    g_native.pop_back();
    return pass;
}

QString KeyText(const QKeyEvent* ke)
{
    QString text = ke->text();
    if (!text.isEmpty())
        return text;
    switch (ke->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Tab: return QStringLiteral("\t");
    default: break;
    }
    if ((ke->modifiers() & Qt::ControlModifier) && ke->key() >= Qt::Key_A && ke->key() <= Qt::Key_Z)
        return QString(QChar(ke->key() - Qt::Key_A + 1));
    return text;
}

// Qt hands an event a child ignored on to the parent widget; a window does
// not. True when the event at pos really belongs to another control's widget.
bool IsPropagated(QWidget* widget, const TControl* control, QPoint pos)
{
    for (QWidget* c = widget->childAt(pos); c != nullptr && c != widget; c = c->parentWidget())
        if (TControl* owner = TWidgetBridge::ControlOf(c))
            return owner != control;
    return false;
}

// The widget's own handling of an event, without the filters and without
// Qt passing it on to the parent.
void NativeEvent(QWidget* widget, QEvent* event)
{
    static_cast<QObject*>(widget)->event(event);
}

// Translates one key event; true when it was consumed (Qt must not see it).
bool TranslateKey(TControl* control, QWidget* widget, QKeyEvent* ke, bool press)
{
    const Word vk = TWidgetBridge::VirtualKey(ke->key(), ke->modifiers());
    NoteModifiers(ke->modifiers());
    if (vk < 256 && vk != VK_SHIFT && vk != VK_CONTROL && vk != VK_MENU)
        g_keyDown[vk] = press;
    auto* wc = static_cast<TWinControl*>(control);
    QPointer<QWidget> guard(widget);
    auto alive = [&] { return guard && TWidgetBridge::ControlOf(widget) == control; };
    // A widget we paint ourselves has no key handling of its own worth
    // running (Qt's would move the focus on Tab).
    const TWinHandle* handle = TWidgetBridge::HandleOf(control);
    const bool native = handle != nullptr && !handle->PaintsItself;
    // First the control's notification (dialog keys: Tab, arrows, Enter,
    // Escape go to the form unless the control wants them); when it takes
    // the key, nothing else sees it.
    TMessage cn{press ? CN_KEYDOWN : CN_KEYUP, vk, 0, 0};
    if (Deliver(wc, cn), !alive() || cn.Result != 0)
        return true;
    if (!press) {
        TMessage m{WM_KEYUP, vk, 0, 0};
        if (Deliver(wc, m) && native && alive())
            NativeEvent(widget, ke);
        return true;
    }
    TMessage down{WM_KEYDOWN, vk, ke->isAutoRepeat() ? LPARAM(0x40000000) : 0, 0};
    const bool passDown = Deliver(wc, down);
    if (!alive())
        return true;
    const QString text = (ke->modifiers() & Qt::AltModifier) ? QString() : KeyText(ke);
    QString passed;
    bool changed = false;
    for (QChar ch : text) {
        TMessage cc{CN_CHAR, WPARAM(ch.unicode()), 0, 0};
        Deliver(wc, cc);
        if (!alive())
            return true;
        if (cc.Result != 0) {
            changed = true;  // taken as an accelerator
            continue;
        }
        TMessage m{WM_CHAR, WPARAM(ch.unicode()), 0, 0};
        const bool pass = Deliver(wc, m);
        if (!alive())
            return true;
        if (pass && m.WParam != 0) {
            if (QChar(char16_t(m.WParam)) != ch)
                changed = true;
            passed.append(QChar(char16_t(m.WParam)));
        } else {
            changed = true;
        }
    }
    if (!native)
        return true;
    if (passDown && !changed) {
        NativeEvent(widget, ke);
    } else if (!passed.isEmpty()) {
        // The widget types the text the handlers left.
        QKeyEvent replaced(QEvent::KeyPress, ke->key(), ke->modifiers(), passed, ke->isAutoRepeat());
        NativeEvent(widget, &replaced);
    }
    return true;
}

bool TEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    return TWidgetBridge::FilterEvent(watched, event);
}

QElapsedTimer& Clock()
{
    static QElapsedTimer t = [] { QElapsedTimer e; e.start(); return e; }();
    return t;
}

} // namespace

bool TWidgetBridge::WheelFormAsked = false;
TPoint TWidgetBridge::LastMousePos;

bool TWidgetBridge::FilterEvent(QObject* watched, QEvent* event)
{
    TControl* control = g_controls.value(watched, nullptr);
    if (control == nullptr)
        return false;
    g_dispatching.push_back(watched);
    struct TPop {
        ~TPop() { g_dispatching.pop_back(); }
    } pop;
    auto* widget = static_cast<QWidget*>(watched);
    const bool mouseOnly = g_mouseOnly.value(watched, false);
    QWidget* main = TWidgetBridge::Widget(control);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        NoteModifiers(me->modifiers());
        {
            const QPoint g = me->globalPosition().toPoint();
            TWidgetBridge::LastMousePos = TPoint(g.x(), g.y());
        }
        QPoint pos = me->position().toPoint();
        // A child's click stays with the child; the control holding the
        // mouse gets its input over its children too (a dragged header
        // button under the mouse must not swallow the release).
        if (control != g_capture && IsPropagated(widget, control, pos))
            return true;
        if (main != nullptr && widget != main)
            pos = widget->mapTo(main, pos);
        Cardinal msg = WM_MOUSEMOVE;
        if (event->type() != QEvent::MouseMove) {
            const int base = me->button() == Qt::LeftButton ? 0 : me->button() == Qt::RightButton ? 1 : me->button() == Qt::MiddleButton ? 2 : -1;
            if (base < 0)
                return false;
            static const Cardinal downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
            static const Cardinal ups[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
            static const Cardinal dbls[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
            msg = event->type() == QEvent::MouseButtonPress ? downs[base] : event->type() == QEvent::MouseButtonRelease ? ups[base] : dbls[base];
        }
        TMessage m{msg, MouseKeys(me->buttons(), me->modifiers()), PointToLParam({pos.x(), pos.y()}), 0};
        // While a control is designed its mouse input is the designer's,
        // unless the control claims the point.
        if (control->HasState(csDesigning)) {
            TMessage hit{CM_DESIGNHITTEST, m.WParam, m.LParam, 0};
            Deliver(control, hit);
            if (hit.Result == 0)
                return true;
        }
        return !Deliver(control, m);
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(event);
        NoteModifiers(we->modifiers());
        const QPoint g = we->globalPosition().toPoint();
        const int delta = we->angleDelta().y();
        TMessage m{WM_MOUSEWHEEL, MAKEWPARAM(Word(MouseKeys(we->buttons(), we->modifiers())), Word(SmallInt(delta))),
                   PointToLParam({g.x(), g.y()}), 0};
        // An unhandled wheel event goes on to the parent, as on the original
        // platform; the form hears it once, at the innermost control.
        WheelFormAsked = IsPropagated(widget, control, we->position().toPoint());
        const bool pass = Deliver(control, m);
        WheelFormAsked = false;
        return !pass;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (mouseOnly)
            return false;
        // Keys go to one window only: the widget's own handling runs here and
        // the event is not passed on to the parents.
        TranslateKey(control, widget, static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
        event->accept();
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        if (mouseOnly)
            return false;
        TMessage m{event->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0, 0};
        // A focus loss names the window that takes the focus, when it is ours.
        if (event->type() == QEvent::FocusOut)
            if (QWidget* next = QApplication::focusWidget(); next != nullptr && next != widget)
                for (QWidget* w = next; w != nullptr; w = w->parentWidget())
                    if (auto* to = dynamic_cast<TWinControl*>(TWidgetBridge::ControlOf(w)); to != nullptr && to != control) {
                        m.WParam = WPARAM(to->HandleAllocated() ? TWidgetBridge::HandleOf(to) : nullptr);
                        break;
                    }
        return !Deliver(control, m);
    }
    case QEvent::Enter:
    case QEvent::Leave: {
        if (widget != main)
            return false;
        TMessage m{event->type() == QEvent::Enter ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(control), 0};
        Deliver(control, m);
        return false;
    }
    case QEvent::Paint: {
        if (widget != main)
            return false;
        TWinHandle* h = control->FView.get();
        if (h == nullptr || !h->PaintsItself) {
            g_paints.push_back(std::make_unique<TPaintRecord>());
            TPaintRecord& rec = *g_paints.back();
            rec.Control = control;
            rec.Widget = widget;
            rec.Event = event;
            TMessage m{WM_PAINT, 0, 0, 0};
            const bool pass = Deliver(control, m);
            for (auto& detach : rec.Detach)
                detach();
            const bool done = rec.NativeDone || rec.Over != nullptr;
            g_paints.pop_back();
            return done || !pass;
        }
        if (h->Layered) {
            QPainter layered(widget);
            layered.setCompositionMode(QPainter::CompositionMode_Source);
            layered.drawImage(0, 0, *h->Layered);
            return true;
        }
        QPainter painter(widget);
        if (auto* wc = dynamic_cast<TWinControl*>(control); wc != nullptr && !(control->ControlStyle() & csOpaque))
            painter.fillRect(widget->rect(), ToQColor(ColorToRGB(control->Color())));
        // Output drawn outside a paint is finished before the paint starts.
        control->EndDrawNow();
        h->BackingPainter.reset();
        g_paints.push_back(std::make_unique<TPaintRecord>());
        g_paints.back()->Control = control;
        g_paints.back()->Painter = &painter;
        TMessage m{WM_PAINT, 0, 0, 0};
        Deliver(control, m);
        for (auto& detach : g_paints.back()->Detach)
            detach();
        g_paints.pop_back();
        if (h == control->FView.get() && h->Backing) {
            painter.drawImage(0, 0, *h->Backing);
            h->Backing.reset();
        }
        return true;
    }
    case QEvent::Resize: {
        if (widget != main)
            return false;
        auto* wc = dynamic_cast<TWinControl*>(control);
        if (wc == nullptr)
            return false;
        // A window sized by the user (a form's border) tells the control.
        if (widget->isWindow()) {
            const TRect cr = control->ClientRect();
            const QSize s = static_cast<QResizeEvent*>(event)->size();
            if (cr.Width() != s.width() || cr.Height() != s.height())
                control->SetClientSize(s.width(), s.height());
        }
        if (wc->HandleAllocated())
            CallWindowHooks(TWidgetBridge::HandleOf(wc), WM_WINDOWPOSCHANGED);
        return false;
    }
    case QEvent::Move:
        if (widget == main && widget->isWindow()) {
            const QPoint p = widget->pos();
            control->FLeft = p.x();
            control->FTop = p.y();
        }
        if (auto* wc = dynamic_cast<TWinControl*>(control); widget == main && wc != nullptr && wc->HandleAllocated())
            CallWindowHooks(TWidgetBridge::HandleOf(wc), WM_WINDOWPOSCHANGED);
        return false;
    case QEvent::ThemeChange:
    case QEvent::StyleChange: {
        // The desktop's theme or the application's style changed.
        if (widget != main)
            return false;
        TMessage m{WM_THEMECHANGED, 0, 0, 0};
        Deliver(control, m);
        return false;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        if (widget != main || !widget->isWindow())
            return false;
        TMessage m{event->type() == QEvent::WindowActivate ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0, 0};
        Deliver(control, m);
        return false;
    }
    case QEvent::Show:
    case QEvent::Hide: {
        if (widget != main)
            return false;
        TMessage m{WM_SHOWWINDOW, WPARAM(event->type() == QEvent::Show ? 1 : 0), 0, 0};
        Deliver(control, m);
        return false;
    }
    case QEvent::Close: {
        if (widget != main)
            return false;
        TMessage m{WM_CLOSE, 0, 0, 0};
        Deliver(control, m);
        event->ignore();
        return true;
    }
    case QEvent::Timer: {
        TWinHandle* h = control->FView.get();
        if (h == nullptr || widget != main)
            return false;
        const int qid = static_cast<QTimerEvent*>(event)->timerId();
        for (const auto& [id, q] : h->Timers)
            if (q == qid) {
                TMessage m{WM_TIMER, id, 0, 0};
                Deliver(control, m);
                return true;
            }
        return false;
    }
    case QEvent::ContextMenu: {
        auto* ce = static_cast<QContextMenuEvent*>(event);
        TMessage m{WM_CONTEXTMENU, 0, PointToLParam({ce->globalPos().x(), ce->globalPos().y()}), 0};
        return !Deliver(control, m);
    }
    case QEvent::ToolTip:
        return true;  // hints are shown by the application's hint window
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop: {
        TWinHandle* h = control->FView.get();
        if (h == nullptr || !h->DropHandler)
            return false;
        const TDropHandler handler = h->DropHandler;  // a drop may free the window
        const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
        bool handled = true;
        event->ignore();
        Guard(control, [&] { handled = handler(event, {origin.x(), origin.y()}); });
        // A drag refused where it enters goes on to the moves and the leave
        // all the same (the target may take it further on): Qt sends them
        // only after an accepted enter, so the enter is accepted with no action.
        if (handled && event->type() == QEvent::DragEnter && !event->isAccepted()) {
            static_cast<QDragEnterEvent*>(event)->setDropAction(Qt::IgnoreAction);
            event->accept();
        }
        return handled;
    }
    default:
        return false;
    }
}

// ------------------------------------------------------------ the handle

TWinHandle::TWinHandle(TControl* control, QWidget* widget, bool paintsItself)
    : Control(control), Widget(widget), PaintsItself(paintsItself)
{
    const std::lock_guard<std::mutex> lock(g_liveLock);
    g_live.insert(this);
}

TWinHandle::~TWinHandle()
{
    {
        const std::lock_guard<std::mutex> lock(g_liveLock);
        g_live.erase(this);
    }
    BackingPainter.reset();
    if (g_capture == Control)
        g_capture = nullptr;
    if (Widget) {
        QWidget* w = Widget;
        if (QWidget::mouseGrabber() == w)
            w->releaseMouse();
        for (auto [id, q] : Timers)
            w->killTimer(q);
        // Forget the widget and its helpers before Qt deletes them.
        for (auto it = g_controls.begin(); it != g_controls.end();) {
            if (it.value() == Control) {
                g_mouseOnly.remove(it.key());
                it = g_controls.erase(it);
            } else {
                ++it;
            }
        }
        if (QCoreApplication::instance() != nullptr) {
            bool busy = false;
            for (QObject* d : g_dispatching)
                if (d == w || (d->isWidgetType() && w->isAncestorOf(static_cast<QWidget*>(d))))
                    busy = true;
            if (busy) {
                // Deleted once the event that is using it is done.
                w->hide();
                w->setParent(nullptr);
                w->deleteLater();
            } else {
                delete w;
            }
        }
    }
}

// ------------------------------------------------------------ the bridge

TWinHandle* TWidgetBridge::HandleOf(const TControl* control)
{
    return control != nullptr ? control->FView.get() : nullptr;
}

QWidget* TWidgetBridge::Widget(const TControl* control)
{
    return control != nullptr && control->FView ? control->FView->Widget.data() : nullptr;
}

TControl* TWidgetBridge::ControlOf(const QObject* object)
{
    return g_controls.value(object, nullptr);
}

QWidget* TWidgetBridge::ParentWidget(const TControl* control)
{
    return Client(control->Parent());
}

QWidget* TWidgetBridge::Client(const TControl* control)
{
    if (control == nullptr || !control->FView)
        return nullptr;
    return control->FView->Client ? control->FView->Client.data() : control->FView->Widget.data();
}

void TWidgetBridge::SetClient(TControl* control, QWidget* client)
{
    if (control->FView)
        control->FView->Client = client;
}

void TWidgetBridge::Attach(TWinControl* control, QWidget* widget, bool paintsItself)
{
    QWidget* parent = ParentWidget(control);
    if (parent != nullptr)
        widget->setParent(parent);
    InstallAccessibleFactory();
    control->FView = std::make_unique<TWinHandle>(control, widget, paintsItself);
    g_controls.insert(widget, control);
    widget->installEventFilter(Filter());
    widget->setMouseTracking(true);
    if (paintsItself)
        widget->setAttribute(Qt::WA_OpaquePaintEvent, (control->ControlStyle() & csOpaque) != 0);
    ApplyState(control);
}

void TWidgetBridge::AttachView(TControl* control)
{
    QWidget* parent = ParentWidget(control);
    if (parent == nullptr || control->FView)
        return;
    auto* w = new TPaintWidget(parent);
    control->FView = std::make_unique<TWinHandle>(control, w, true);
    g_controls.insert(w, control);
    w->installEventFilter(Filter());
    w->setMouseTracking(true);
    w->setFocusPolicy(Qt::NoFocus);
    ApplyState(control);
}

void TWidgetBridge::AddSubWidget(TControl* control, QWidget* sub, bool mouseOnly)
{
    g_controls.insert(sub, control);
    g_mouseOnly.insert(sub, mouseOnly);
    sub->installEventFilter(Filter());
    sub->setMouseTracking(true);
}

void TWidgetBridge::ApplyFont(TControl* control)
{
    if (QWidget* w = Widget(control)) {
        w->setFont(QFontOf(*control->Font()));
        QPalette pal = w->palette();
        const QColor fc = ToQColor(ColorToRGB(control->Font()->Color()));
        // The disabled group keeps the style's grey, so that a disabled
        // control greys its text whatever the font's colour.
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
            for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                pal.setColor(g, r, fc);
        w->setPalette(pal);
    }
}

void TWidgetBridge::ApplyColor(TControl* control)
{
    if (QWidget* w = Widget(control)) {
        QPalette pal = w->palette();
        const QColor c = ToQColor(ColorToRGB(control->Color()));
        pal.setColor(QPalette::Window, c);
        pal.setColor(QPalette::Base, c);
        pal.setColor(QPalette::Button, c);
        w->setPalette(pal);
        w->update();
    }
}

void TWidgetBridge::ApplyState(TControl* control)
{
    QWidget* w = Widget(control);
    if (w == nullptr)
        return;
    if (w->isWindow()) {
        const TRect cr = control->ClientRect();
        const QSize size(std::max(cr.Width(), 1), std::max(cr.Height(), 1));
        // A window without a sizing border keeps the size the program gives it.
        if (w->property("arvintoPopup").toBool())
            w->setGeometry(control->Left(), control->Top(), size.width(), size.height());  // screen coordinates
        else if (w->property("arvintoFixedSize").toBool())
            w->setFixedSize(size);
        else
            w->resize(size);
    } else {
        w->setGeometry(control->Left(), control->Top(), std::max(control->Width(), 0), std::max(control->Height(), 0));
    }
    w->setEnabled(control->Enabled());
    if (control->Cursor() == crDefault)
        w->unsetCursor();
    else
        w->setCursor(CursorShape(control->Cursor()));
    ApplyFont(control);
    ApplyColor(control);
    // A control that can no longer be reached by the mouse lets the capture go.
    if (g_capture == control && (!control->Visible() || !control->Enabled()))
        SetCaptureControl(nullptr, false);
    // A child follows Visible; so does a popup window. Forms show themselves,
    // and a control without a parent is not shown at all.
    if (!w->isWindow() || w->property("arvintoPopup").toBool())
        w->setVisible(control->Visible());
}

void TWidgetBridge::Guard(TObject* sender, const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        Application->HandleException(sender, e);
    } catch (...) {
        Application->HandleException(sender, std::runtime_error("Unknown error"));
    }
}

TControl* TWidgetBridge::CaptureControl()
{
    return g_capture;
}

void TWidgetBridge::SetCaptureControl(TControl* control, bool grab)
{
    QWidget* w = Widget(control);
    if (control != nullptr && w == nullptr)
        return;  // nothing to capture with before the window exists
    TControl* old = g_capture;
    g_capture = control;
    if (QWidget* held = Widget(old); held != nullptr && QWidget::mouseGrabber() == held && (control != old || control == nullptr))
        held->releaseMouse();
    if (grab && w != nullptr && w->isVisible() && QWidget::mouseGrabber() != w)
        w->grabMouse();
    if (old != nullptr && old != control)
        old->Perform(WM_CAPTURECHANGED, 0, LPARAM(HandleOf(control)));
}

void TWidgetBridge::CancelCapture()
{
    if (g_capture != nullptr)
        g_capture->Perform(WM_CANCELMODE);
    SetCaptureControl(nullptr, false);
}

QPainter* TWidgetBridge::CurrentPainter(const TControl* control)
{
    for (auto it = g_paints.rbegin(); it != g_paints.rend(); ++it) {
        TPaintRecord& rec = **it;
        if (rec.Control != control)
            continue;
        if (rec.Painter == nullptr && rec.Widget != nullptr && rec.NativeDone) {
            // Drawing over a Qt widget once its own paint is done.
            if (!rec.Over)
                rec.Over = std::make_unique<QPainter>(rec.Widget);
            return rec.Over.get();
        }
        return rec.Painter;
    }
    return nullptr;
}

bool TWidgetBridge::JoinPaint(const TControl* control, std::function<void()> detach)
{
    for (auto it = g_paints.rbegin(); it != g_paints.rend(); ++it)
        if ((*it)->Control == control) {
            (*it)->Detach.push_back(std::move(detach));
            return true;
        }
    return false;
}

void TWidgetBridge::RequestNativeDefault(const TMessage& message)
{
    if (message.Msg == WM_PAINT) {
        // The Qt widget paints itself now, so that the handler can draw over it.
        for (auto it = g_paints.rbegin(); it != g_paints.rend(); ++it) {
            TPaintRecord& rec = **it;
            if (rec.Widget != nullptr && rec.Event != nullptr && !rec.NativeDone && !rec.Over) {
                rec.NativeDone = true;
                NativeEvent(rec.Widget, rec.Event);
                return;
            }
        }
    }
    for (auto it = g_native.rbegin(); it != g_native.rend(); ++it)
        if (it->Message == &message) {
            it->PassNative = true;
            return;
        }
}

bool TWidgetBridge::DeliverNative(TControl* control, TMessage& message)
{
    return Deliver(control, message);
}

QPainter* TWidgetBridge::BackingPainter(TControl* control)
{
    TWinHandle* h = control->FView.get();
    if (h == nullptr || !h->Widget)
        return nullptr;
    if (!h->BackingPainter) {
        const QSize size(std::max(control->Width(), 1), std::max(control->Height(), 1));
        if (!h->Backing || h->Backing->size() != size) {
            h->Backing = std::make_unique<QImage>(size, QImage::Format_ARGB32_Premultiplied);
            h->Backing->fill(Qt::transparent);
        }
        h->BackingPainter = std::make_unique<QPainter>(h->Backing.get());
    }
    h->Widget->update();
    return h->BackingPainter.get();
}

void TWidgetBridge::DropBacking(TControl* control)
{
    if (TWinHandle* h = control->FView.get()) {
        h->BackingPainter.reset();
        h->Backing.reset();
    }
}

Word TWidgetBridge::VirtualKey(int key, unsigned modifiers)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return Word('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (modifiers & Qt::KeypadModifier) ? Word(VK_NUMPAD0 + (key - Qt::Key_0)) : Word('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return Word(VK_F1 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Asterisk: return (modifiers & Qt::KeypadModifier) ? VK_MULTIPLY : Word(0xBB);
    case Qt::Key_Plus: return (modifiers & Qt::KeypadModifier) ? VK_ADD : Word(0xBB);
    case Qt::Key_Minus: return (modifiers & Qt::KeypadModifier) ? VK_SUBTRACT : Word(0xBD);
    case Qt::Key_Slash: return (modifiers & Qt::KeypadModifier) ? VK_DIVIDE : Word(0xBF);
    case Qt::Key_Period: return (modifiers & Qt::KeypadModifier) ? VK_DECIMAL : Word(0xBE);
    case Qt::Key_Comma: return Word(0xBC);
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    default: return 0;
    }
}

int TWidgetBridge::QtKey(Word vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (vk - '0');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return Qt::Key_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F1 + 23)
        return Qt::Key_F1 + (vk - VK_F1);
    for (int k : {int(Qt::Key_Backspace), int(Qt::Key_Tab), int(Qt::Key_Clear), int(Qt::Key_Return), int(Qt::Key_Shift),
                  int(Qt::Key_Control), int(Qt::Key_Alt), int(Qt::Key_Pause), int(Qt::Key_CapsLock), int(Qt::Key_Escape),
                  int(Qt::Key_Space), int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_End), int(Qt::Key_Home),
                  int(Qt::Key_Left), int(Qt::Key_Up), int(Qt::Key_Right), int(Qt::Key_Down), int(Qt::Key_Insert),
                  int(Qt::Key_Delete), int(Qt::Key_Menu), int(Qt::Key_Comma)})
        if (VirtualKey(k, 0) == vk)
            return k;
    switch (vk) {
    case 0xBB: return Qt::Key_Plus;
    case 0xBD: return Qt::Key_Minus;
    case 0xBE: return Qt::Key_Period;
    case 0xBF: return Qt::Key_Slash;
    default: return 0;
    }
}

namespace {
std::map<TCursor, QCursor>& OwnCursors()
{
    static std::map<TCursor, QCursor> cursors;
    return cursors;
}
} // namespace

void RegisterCursor(TCursor cursor, const QCursor& shape)
{
    OwnCursors()[cursor] = shape;
}

QCursor CursorShape(TCursor cursor)
{
    if (const auto own = OwnCursors().find(cursor); own != OwnCursors().end())
        return own->second;
    switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

// ------------------------------------------------------------ messages

Cardinal RegisterWindowMessage(const QString& name)
{
    static QHash<QString, Cardinal> names;
    auto it = names.constFind(name.toLower());
    if (it != names.constEnd())
        return *it;
    const Cardinal id = WM_APP_REGISTERED_FIRST + Cardinal(names.size());
    names.insert(name.toLower(), id);
    return id;
}

void TypeCharacter(TWinControl* control, QChar ch)
{
    if (control == nullptr)
        return;
    control->HandleNeeded();
    QWidget* w = TWidgetBridge::Widget(control);
    if (w == nullptr)
        return;
    if (w->focusProxy() != nullptr)
        w = w->focusProxy();
    const int key = ch == u'\b' ? int(Qt::Key_Backspace) : ch == u'\r' ? int(Qt::Key_Return) : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(w, &release);
}

TWinControl* FindControl(HWND wnd)
{
    if (wnd == nullptr || !wnd->Widget)
        return nullptr;
    return dynamic_cast<TWinControl*>(wnd->Control);
}

LRESULT SendMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    if (!OnWindowThread()) {
        // From another thread: the window's thread handles it while the
        // sender waits for the answer.
        if (!IsLive(wnd) || QCoreApplication::instance() == nullptr)
            return 0;
        struct TAnswer {
            std::mutex Lock;
            std::condition_variable Done;
            bool Answered = false;
            LRESULT Result = 0;
        };
        auto answer = std::make_shared<TAnswer>();
        Post_To_Window_Thread([answer, wnd, msg, wParam, lParam](bool delivered) {
            LRESULT result = 0;
            if (delivered)
                if (TWinControl* c = IsLive(wnd) ? FindControl(wnd) : nullptr)
                    TWidgetBridge::Guard(c, [&] { result = c->Perform(msg, wParam, lParam); });
            {
                const std::lock_guard<std::mutex> lock(answer->Lock);
                answer->Result = result;
                answer->Answered = true;
            }
            answer->Done.notify_all();
        });
        std::unique_lock<std::mutex> lock(answer->Lock);
        answer->Done.wait(lock, [&] { return answer->Answered; });
        return answer->Result;
    }
    TWinControl* c = FindControl(wnd);
    return c != nullptr ? c->Perform(msg, wParam, lParam) : 0;
}

LRESULT SendMessage(TControl* control, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    return control != nullptr ? control->Perform(msg, wParam, lParam) : 0;
}

bool PostMessage(TControl* control, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    auto* wc = dynamic_cast<TWinControl*>(control);
    return wc != nullptr && PostMessage(wc->Handle(), msg, wParam, lParam);
}

bool PostMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    // Any thread may post; the window is looked at on its own thread only.
    if (!IsLive(wnd) || QCoreApplication::instance() == nullptr)
        return false;
    if (OnWindowThread() && FindControl(wnd) == nullptr)
        return false;
    // Delivered by the loop only if the window still exists then.
    Post_To_Window_Thread([wnd, msg, wParam, lParam](bool delivered) {
        if (TWinControl* c = delivered && IsLive(wnd) ? FindControl(wnd) : nullptr)
            TWidgetBridge::Guard(c, [&] { c->Perform(msg, wParam, lParam); });
    });
    return true;
}

void Post_To_Window_Thread(std::function<void(bool Delivered)> Fn)
{
    static QObject* receiver = [] {
        auto* r = new TCallReceiver;
        r->moveToThread(QCoreApplication::instance()->thread());
        return r;
    }();
    QCoreApplication::postEvent(receiver, new TCallEvent(std::move(Fn)));
}

UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapse)
{
    if (FindControl(wnd) == nullptr)
        return 0;
    QWidget* w = wnd->Widget;
    auto it = wnd->Timers.find(id);
    if (it != wnd->Timers.end())
        w->killTimer(it->second);
    const int q = w->startTimer(int(std::max<UINT>(elapse, 1)));
    if (q == 0)
        return 0;
    wnd->Timers[id] = q;
    return id == 0 ? 1 : id;
}

bool KillTimer(HWND wnd, UINT_PTR id)
{
    if (FindControl(wnd) == nullptr)
        return false;
    auto it = wnd->Timers.find(id);
    if (it == wnd->Timers.end())
        return false;
    wnd->Widget->killTimer(it->second);
    wnd->Timers.erase(it);
    return true;
}

bool RegisterDragDrop(HWND wnd, TDropHandler handler)
{
    if (FindControl(wnd) == nullptr || wnd->DropHandler || !handler)
        return false;
    wnd->DropHandler = std::move(handler);
    wnd->NativeAcceptDrops = wnd->Widget->acceptDrops();
    wnd->Widget->setAcceptDrops(true);
    return true;
}

bool RevokeDragDrop(HWND wnd)
{
    if (FindControl(wnd) == nullptr || !wnd->DropHandler)
        return false;
    wnd->DropHandler = nullptr;
    wnd->Widget->setAcceptDrops(wnd->NativeAcceptDrops);
    return true;
}

HWND SetCapture(HWND wnd)
{
    HWND previous = GetCapture();
    if (wnd != nullptr && wnd->Widget)
        TWidgetBridge::SetCaptureControl(wnd->Control, true);
    return previous;
}

HWND GetCapture()
{
    return TWidgetBridge::HandleOf(g_capture);
}

bool ReleaseCapture()
{
    TWidgetBridge::SetCaptureControl(nullptr, false);
    return true;
}

void MessageBeep(Cardinal)
{
    ++g_beeps;
    const QString p = QGuiApplication::platformName();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && p != QLatin1String("offscreen") && p != QLatin1String("minimal"))
        QApplication::beep();
}

namespace BeepSeam {
Integer Count() { return g_beeps; }
void Reset() { g_beeps = 0; }
} // namespace BeepSeam

DWORD GetTickCount()
{
    return DWORD(Clock().elapsed());
}

SmallInt GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) {
        const Qt::MouseButtons b = QGuiApplication::mouseButtons();
        const bool down = vk == VK_LBUTTON ? (b & Qt::LeftButton) : vk == VK_RBUTTON ? (b & Qt::RightButton) : (b & Qt::MiddleButton);
        return down ? SmallInt(0x8000) : 0;
    }
    return g_keyDown[vk] ? SmallInt(0x8000) : 0;
}

Integer WheelScrollLines()
{
    return QApplication::wheelScrollLines();
}

bool SystemParametersInfo(Cardinal Action)
{
    switch (Action) {
    case SPI_GETTOOLTIPANIMATION: return QApplication::isEffectEnabled(Qt::UI_AnimateTooltip);
    case SPI_GETTOOLTIPFADE: return QApplication::isEffectEnabled(Qt::UI_FadeTooltip);
    default: return false;
    }
}

Integer GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return index == SM_CXSCREEN ? 1024 : 768;
        return index == SM_CXSCREEN ? screen->geometry().width() : screen->geometry().height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_CXDRAG:
    case SM_CYDRAG:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}
