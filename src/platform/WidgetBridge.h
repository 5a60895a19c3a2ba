#pragma once
// Private to the platform layer: the handle object that owns a control's Qt
// widget, and the one event filter that turns the widget's Qt events into
// messages for the control. Only the layer's .cpp files include this.

#include <functional>
#include <map>
#include <QPointer>
#include <QWidget>
#include "platform/Control.h"

class QEvent;
class QImage;
class IAccessible;

// Lets Qt's accessibility ask the program's controls for their accessible
// objects (once, before the first window).
void InstallAccessibleFactory();

// Owns one control's Qt widget (a windowed control's window or a windowless
// control's view) and the window timers set on it.
class TWinHandle {
public:
    TWinHandle(TControl* control, QWidget* widget, bool paintsItself);
    ~TWinHandle();
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;

    TControl* Control;
    QPointer<QWidget> Widget;
    // Where the children's widgets go (a scroll area's contents, a panel's
    // body); the widget itself when not set.
    QPointer<QWidget> Client;
    // True for widgets whose face our code paints (WM_PAINT with a painter).
    bool PaintsItself;
    std::map<UINT_PTR, int> Timers;  // window timer id -> Qt timer id
    // The drop handler while the window is registered for drops, and
    // whether the widget took drops of its own before.
    TDropHandler DropHandler;
    bool NativeAcceptDrops = false;
    // The accessible object the control answered WM_GETOBJECT with.
    std::shared_ptr<IAccessible> Accessible;
    // Output drawn outside a paint, shown at the next paint.
    std::unique_ptr<QImage> Backing;
    std::unique_ptr<QPainter> BackingPainter;
    // What a layered window shows (UpdateLayeredWindow) instead of its paint.
    std::unique_ptr<QImage> Layered;
};

class TWidgetBridge {
public:
    static TWinHandle* HandleOf(const TControl* control);
    // The widget of a control (nullptr when it has none yet).
    static QWidget* Widget(const TControl* control);
    template <class W> static W* WidgetAs(const TControl* control) { return static_cast<W*>(Widget(control)); }
    // Makes `widget` the window of `control` (owned from now on), parented to
    // the parent control's widget, filtered and brought up to date.
    static void Attach(TWinControl* control, QWidget* widget, bool paintsItself = false);
    // Makes the view of a windowless control.
    static void AttachView(TControl* control);
    // Routes a helper widget's events (a scroll area's viewport, a combo
    // box's line edit) to the control; mouseOnly keeps its key and focus
    // events from being translated twice.
    static void AddSubWidget(TControl* control, QWidget* sub, bool mouseOnly);
    static TControl* ControlOf(const QObject* object);
    static void SetClient(TControl* control, QWidget* client);
    // Where the control's children go (its widget unless it set a client).
    static QWidget* Client(const TControl* control);
    // Pushes geometry, visibility, enabled state, font, colour and cursor.
    static void ApplyState(TControl* control);
    static void ApplyFont(TControl* control);
    static void ApplyColor(TControl* control);
    // The painter of the paint in progress for control, nullptr outside one.
    static QPainter* CurrentPainter(const TControl* control);
    // Calls detach when the paint in progress for control ends (a canvas
    // that drew on its painter lets go); false outside a paint.
    static bool JoinPaint(const TControl* control, std::function<void()> detach);
    // Runs what Qt asks of a control (a message, a signal's work); an
    // exception its handlers throw is shown by the application instead of
    // running on through Qt.
    static void Guard(TObject* sender, const std::function<void()>& work);
    // Marks the message being translated as wanting Qt's own handling.
    static void RequestNativeDefault(const TMessage& message);
    // Runs a message made from a Qt event through the control; true when it
    // reached the default processing, so that Qt should handle the event.
    static bool DeliverNative(TControl* control, TMessage& message);
    // Makes (or returns) the backing image's painter for drawing outside a paint.
    static QPainter* BackingPainter(TControl* control);
    static void DropBacking(TControl* control);
    // The widget a control's widget goes into (its parent's), or nullptr.
    static QWidget* ParentWidget(const TControl* control);
    // Qt key to virtual-key code; 0 for keys that have none.
    static Word VirtualKey(int qtKey, unsigned modifiers);
    static int QtKey(Word vk);
    // The control holding the mouse capture (nullptr for none). With grab,
    // Qt sends it the mouse's events; without, Qt's own hold of a pressed
    // button does that until the release.
    static TControl* CaptureControl();
    static void SetCaptureControl(TControl* control, bool grab);
    // A modal window or menu takes the mouse: the holder hears WM_CANCELMODE
    // and the capture ends.
    static void CancelCapture();
    // The one event filter's work: true when the event was consumed.
    static bool FilterEvent(QObject* watched, QEvent* event);
    // True while a wheel message is delivered that the form has already heard.
    static bool WheelFormAsked;
    // The screen point of the last mouse event a control received.
    static TPoint LastMousePos;
};

// The cursor of a cursor value: a standard shape, or a cursor the program
// drew itself (RegisterCursor).
QCursor CursorShape(TCursor cursor);
void RegisterCursor(TCursor cursor, const QCursor& shape);
