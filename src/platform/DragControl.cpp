// In-process dragging of controls: the drag that one control starts and
// that follows the mouse over the program's windows, asking the control
// under the pointer (CM_DRAG) whether it takes the dragged object, dropping
// it there when the button is released, and the controls' own side of it.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include "platform/Control.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/WidgetBridge.h"

// The drag's calls of the controls' own drag events.
struct TDragDriver {
    static void Start(TControl* C, TDragObject*& O) { C->DoStartDrag(O); }
    static void Canceled(TControl* C) { C->DragCanceled(); }
    static void End(TControl* C, TObject* Target, Integer X, Integer Y) { C->DoEndDrag(Target, X, Y); }
};

namespace {
// The one drag of the process: pending until the pointer has moved far
// enough, running from then on.
struct TDragOperation;
std::unique_ptr<TDragOperation> g_drag;

void EndDragOperation(bool Drop);

class TDragFilter : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
};

struct TDragOperation {
    TControl* Source = nullptr;
    TDragObject* Object = nullptr;
    std::unique_ptr<TDragObject> OwnObject;
    TPoint Start;
    Integer Threshold = 0;
    bool Started = false;
    TControl* Target = nullptr;
    bool Accepted = false;
    TDragFilter Filter;
};

// The control of a widget under a screen point, walking up to one that has a control.
TControl* ControlAt(TPoint P)
{
    QWidget* w = QApplication::widgetAt(P.X, P.Y);
    for (; w != nullptr; w = w->parentWidget())
        if (TControl* c = TWidgetBridge::ControlOf(w))
            return c;
    return nullptr;
}

LRESULT SendDrag(TControl* Target, TDragMessage What, TPoint P)
{
    TDragRec rec;
    rec.Pos = P;
    rec.Source = g_drag->Object;
    rec.Target = Target;
    return Target->Perform(CM_DRAG, WPARAM(What), LPARAM(&rec));
}

void DragTo(TPoint P)
{
    TDragOperation& d = *g_drag;
    d.Object->DragPos = P;
    TControl* target = ControlAt(P);
    // The control asked may name a child of its own as the target.
    if (target != nullptr && target->Enabled())
        target = reinterpret_cast<TControl*>(SendDrag(target, dmFindTarget, P));
    else
        target = nullptr;
    if (g_drag == nullptr)
        return;
    if (target != d.Target) {
        if (d.Target != nullptr)
            SendDrag(d.Target, dmDragLeave, P);
        if (g_drag == nullptr)
            return;
        d.Target = target;
        d.Accepted = target != nullptr && SendDrag(target, dmDragEnter, P) != 0;
    } else if (target != nullptr) {
        d.Accepted = SendDrag(target, dmDragMove, P) != 0;
    }
    if (g_drag != nullptr)
        d.Object->DragTarget = d.Target;
}

void StartDragOperation()
{
    TDragOperation& d = *g_drag;
    d.Started = true;
    TDragObject* object = nullptr;
    TDragDriver::Start(d.Source, object);
    if (g_drag == nullptr)
        return;
    if (object == nullptr) {
        d.OwnObject = std::make_unique<TDragControlObject>(d.Source);
        object = d.OwnObject.get();
    }
    d.Object = object;
    DragTo(TWidgetBridge::LastMousePos);
}

void EndDragOperation(bool Drop)
{
    if (g_drag == nullptr)
        return;
    std::unique_ptr<TDragOperation> d = std::move(g_drag);
    qApp->removeEventFilter(&d->Filter);
    TControl* source = d->Source;
    if (!d->Started)
        return;
    const TPoint p = TWidgetBridge::LastMousePos;
    TObject* endTarget = nullptr;
    if (Drop && d->Target != nullptr && d->Accepted) {
        g_drag = std::move(d);
        SendDrag(g_drag->Target, dmDragDrop, p);
        d = std::move(g_drag);
        d->Object->Dropped = true;
        endTarget = d->Target;
    } else {
        if (d->Target != nullptr) {
            g_drag = std::move(d);
            SendDrag(g_drag->Target, dmDragLeave, p);
            d = std::move(g_drag);
        }
        TDragDriver::Canceled(source);
    }
    const TPoint at = endTarget != nullptr ? static_cast<TControl*>(endTarget)->ScreenToClient(p) : TPoint(0, 0);
    TDragDriver::End(source, endTarget, at.X, at.Y);
}

bool TDragFilter::eventFilter(QObject*, QEvent* Event)
{
    if (g_drag == nullptr)
        return false;
    switch (Event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(Event);
        const QPoint g = e->globalPosition().toPoint();
        const TPoint p(g.x(), g.y());
        TWidgetBridge::LastMousePos = p;
        if (!g_drag->Started) {
            if (std::abs(p.X - g_drag->Start.X) < g_drag->Threshold && std::abs(p.Y - g_drag->Start.Y) < g_drag->Threshold)
                return false;
            StartDragOperation();
        } else {
            DragTo(p);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        {
            const QPoint g = static_cast<QMouseEvent*>(Event)->globalPosition().toPoint();
            TWidgetBridge::LastMousePos = TPoint(g.x(), g.y());
        }
        if (!g_drag->Started) {
            EndDragOperation(false);
            return false;
        }
        EndDragOperation(true);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape && g_drag->Started) {
            EndDragOperation(false);
            return true;
        }
        return false;
    default:
        return false;
    }
}
} // namespace

TDragObject* TControl::ActiveDragObject()
{
    return g_drag != nullptr && g_drag->Started ? g_drag->Object : nullptr;
}

void TControl::BeginDrag(bool Immediate, Integer Threshold)
{
    if (g_drag != nullptr || qApp == nullptr)
        return;
    g_drag = std::make_unique<TDragOperation>();
    g_drag->Source = this;
    g_drag->Start = TWidgetBridge::LastMousePos;
    g_drag->Threshold = Threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : Threshold;
    qApp->installEventFilter(&g_drag->Filter);
    if (Immediate)
        StartDragOperation();
}

void TControl::EndDrag(bool Drop)
{
    if (g_drag != nullptr && g_drag->Source == this)
        EndDragOperation(Drop);
}

bool TControl::Dragging() const
{
    return g_drag != nullptr && g_drag->Source == this;
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

// The default answer to CM_DRAG: the control itself is the target and
// OnDragOver decides; the source is the dragging control unless a handler
// supplied an object of its own.
void TControl::DragMessage(TMessage& Message)
{
    auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
    if (rec == nullptr)
        return;
    TObject* source = rec->Source;
    if (auto* own = dynamic_cast<TDragControlObject*>(rec->Source))
        source = own->Control();
    const TPoint p = ScreenToClient(rec->Pos);
    switch (TDragMessage(Message.WParam)) {
    case dmFindTarget: Message.Result = LRESULT(this); break;
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        const TDragState state = Message.WParam == dmDragEnter ? dsDragEnter : Message.WParam == dmDragLeave ? dsDragLeave : dsDragMove;
        bool accept = false;
        DragOver(source, p.X, p.Y, state, accept);
        Message.Result = accept ? 1 : 0;
        break;
    }
    case dmDragDrop: DragDrop(source, p.X, p.Y); break;
    default: break;
    }
}

void TControl::ForgetDrag(TControl* Control)
{
    if (g_drag == nullptr)
        return;
    if (g_drag->Source == Control) {
        qApp->removeEventFilter(&g_drag->Filter);
        g_drag.reset();
    } else if (g_drag->Target == Control) {
        g_drag->Target = nullptr;
        g_drag->Accepted = false;
    }
}
