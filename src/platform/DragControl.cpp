// In-process dragging of controls: the drag that one control starts and
// that follows the mouse over the program's windows, asking the control
// under the pointer (CM_DRAG) whether it takes the dragged object, dropping
// it there when the button is released, and the controls' own side of it.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "platform/Control.h"
#include "platform/Docking.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/WidgetBridge.h"

// The drag's calls of the controls' own drag events.
struct TDragDriver {
    static void Start(TControl* C, TDragObject*& O) { C->DoStartDrag(O); }
    static void Canceled(TControl* C) { C->DragCanceled(); }
    static void End(TControl* C, TObject* Target, Integer X, Integer Y) { C->DoEndDrag(Target, X, Y); }
    // The press that started a drag ends with it: the control holding the
    // mouse lets it go without hearing a click.
    static void ReleasePress()
    {
        if (TControl* c = TWidgetBridge::CaptureControl()) {
            c->FControlState &= ~(csLButtonDown | csClicked);
            c->SetMouseCapture(false);
        }
    }
};

// The dock drag's calls of the controls' and sites' own docking operations.
struct TDockDriver {
    static void StartDock(TControl* C, TDragDockObject*& O) { C->DoStartDock(O); }
    static void EndDock(TControl* C, TObject* Target, Integer X, Integer Y) { C->DoEndDock(Target, X, Y); }
    static void SiteInfo(TWinControl* S, TControl* C, TRect& R, TPoint P, bool& Can) { S->GetSiteInfo(C, R, P, Can); }
    static void Over(TWinControl* S, TDragDockObject* O, TPoint P, TDragState State, bool& Accept) { S->DockOver(O, P.X, P.Y, State, Accept); }
    static void Drop(TWinControl* S, TDragDockObject* O, TPoint P) { S->DockDrop(O, P.X, P.Y); }
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
    // A dock drag: its object, the pointer's place in the control and the
    // size of the window it would float in.
    TDragDockObject* DockObject = nullptr;
    TPoint Grab;
    TSize FloatSize;
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

TRect ScreenClientRect(TWinControl* W)
{
    const TPoint o = W->ClientOrigin();
    return Bounds(o.X, o.Y, W->ClientWidth(), W->ClientHeight());
}

// A dock drag at P: the innermost dock site under the pointer that takes
// the control there, else the window the control would float in; the frame
// shows which.
void DockTo(TPoint P)
{
    TDragOperation& d = *g_drag;
    TDragDockObject* o = d.DockObject;
    o->DragPos = P;
    TWinControl* site = nullptr;
    for (TControl* c = ControlAt(P); c != nullptr && site == nullptr; c = c->Parent()) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w == nullptr || !w->DockSite() || !w->Enabled())
            continue;
        TRect influence = ScreenClientRect(w);
        bool canDock = true;
        TDockDriver::SiteInfo(w, d.Source, influence, P, canDock);
        if (g_drag == nullptr)
            return;
        if (canDock && influence.Contains(P))
            site = w;
    }
    TDragState state = dsDragMove;
    if (site != d.Target) {
        if (d.Target != nullptr) {
            bool ignored = false;
            auto* old = static_cast<TWinControl*>(d.Target);
            TDockDriver::Over(old, o, old->ScreenToClient(P), dsDragLeave, ignored);
            if (g_drag == nullptr)
                return;
        }
        d.Target = site;
        state = dsDragEnter;
    }
    d.Accepted = false;
    if (site != nullptr) {
        o->Floating = false;
        o->DockRect = ScreenClientRect(site);
        bool accept = true;
        TDockDriver::Over(site, o, site->ScreenToClient(P), state, accept);
        if (g_drag == nullptr)
            return;
        d.Accepted = accept;
    }
    if (!d.Accepted) {
        o->Floating = true;
        o->DockRect = Bounds(P.X - d.Grab.X, P.Y - d.Grab.Y, d.FloatSize.cx, d.FloatSize.cy);
    }
    o->DragTarget = d.Accepted ? site : nullptr;
    DockFrame::Show(o->DockRect, o->Floating);
}

void StartDockOperation()
{
    TDragOperation& d = *g_drag;
    TDragDockObject* object = nullptr;
    TDockDriver::StartDock(d.Source, object);
    if (g_drag == nullptr)
        return;
    if (object == nullptr) {
        d.OwnObject = std::make_unique<TDragDockObject>(d.Source);
        object = static_cast<TDragDockObject*>(d.OwnObject.get());
    }
    d.Object = object;
    d.DockObject = object;
    // The floating window keeps the control's size and its place under
    // the pointer (a press beside the control, on a tab, grabs its edge).
    const TPoint origin = d.Source->ClientToScreen(TPoint(0, 0));
    d.FloatSize = TSize{std::max<Integer>(d.Source->Width(), 1), std::max<Integer>(d.Source->Height(), 1)};
    d.Grab = TPoint(std::clamp<Integer>(d.Start.X - origin.X, 0, d.FloatSize.cx - 1), std::clamp<Integer>(d.Start.Y - origin.Y, 0, d.FloatSize.cy - 1));
    DockTo(TWidgetBridge::LastMousePos);
}

// Ends a dock drag: docked on the site that took it, floated, or nothing
// moves when cancelled; then the control's end-of-dock event.
void EndDockOperation(std::unique_ptr<TDragOperation> d, bool Drop)
{
    DockFrame::Hide();
    TDragDriver::ReleasePress();
    TControl* source = d->Source;
    const TPoint p = TWidgetBridge::LastMousePos;
    TObject* endTarget = nullptr;
    TPoint at(0, 0);
    if (Drop && d->Target != nullptr && d->Accepted) {
        auto* site = static_cast<TWinControl*>(d->Target);
        at = site->ScreenToClient(p);
        TDockDriver::Drop(site, d->DockObject, at);
        endTarget = site;
    } else if (Drop && d->DockObject->Floating && source->ManualFloat(d->DockObject->DockRect)) {
        endTarget = source->HostDockSite();
    } else {
        TDragDriver::Canceled(source);
    }
    d->Object->Dropped = endTarget != nullptr;
    TDockDriver::EndDock(source, endTarget, at.X, at.Y);
}

void StartDragOperation()
{
    TDragOperation& d = *g_drag;
    d.Started = true;
    if (d.Source->DragKind() == dkDock) {
        StartDockOperation();
        return;
    }
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
    if (d->DockObject != nullptr) {
        EndDockOperation(std::move(d), Drop);
        return;
    }
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
        } else if (g_drag->DockObject != nullptr) {
            DockTo(p);
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
        if (g_drag->DockObject != nullptr)
            DockFrame::Hide();
        qApp->removeEventFilter(&g_drag->Filter);
        g_drag.reset();
    } else if (g_drag->Target == Control) {
        g_drag->Target = nullptr;
        g_drag->Accepted = false;
    }
}
