// Docking: controls docked onto dock sites and taken off them again, the
// window a floating control lives in and the feedback frame of a dock drag.
// The drag itself is the in-process drag (DragControl.cpp).

#include "platform/Docking.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ the control's side

bool TControl::Floating() const
{
    return dynamic_cast<TFloatDockForm*>(FHostDockSite) != nullptr;
}

bool TControl::UndockFromHost(TWinControl* NewTarget)
{
    TWinControl* host = FHostDockSite;
    if (host == nullptr || host == NewTarget)
        return true;
    if (!host->DoUnDock(NewTarget, this))
        return false;
    host->Perform(CM_UNDOCKCLIENT, WPARAM(NewTarget), LPARAM(this));
    return true;
}

void TControl::NotifyHostDockSite(Cardinal Msg)
{
    if (FHostDockSite == nullptr)
        return;
    TDockNotifyRec rec;
    rec.ClientMsg = Msg;
    FHostDockSite->Perform(CM_DOCKNOTIFICATION, WPARAM(this), LPARAM(&rec));
}

void TControl::Dock(TWinControl* NewDockSite, const TRect& ARect)
{
    TWinControl* old = FHostDockSite;
    if (old != nullptr) {
        auto& list = old->FDockClients;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    FHostDockSite = NewDockSite;
    if (NewDockSite != nullptr) {
        NewDockSite->FDockClients.push_back(this);
        NewDockSite->DoAddDockClient(this, ARect);
    }
    if (old != nullptr && old != NewDockSite)
        old->DoRemoveDockClient(this);
}

bool TControl::ManualDock(TWinControl* NewDockSite)
{
    if (NewDockSite == nullptr) {
        const TRect r = BoundsRect();
        const TPoint o = FParent != nullptr ? FParent->ClientToScreen(r.TopLeft()) : r.TopLeft();
        return ManualFloat(Bounds(o.X, o.Y, r.Width(), r.Height()));
    }
    if (NewDockSite == FHostDockSite)
        return true;
    TDragDockObject object(this);
    const TPoint o = NewDockSite->ClientOrigin();
    const TRect client = NewDockSite->ClientRect();
    object.DockRect = Bounds(o.X, o.Y, client.Width(), client.Height());
    if (!UndockFromHost(NewDockSite))
        return false;
    return NewDockSite->Perform(CM_DOCKCLIENT, WPARAM(&object), PointToLParam(TPoint(client.Width() / 2, client.Height() / 2))) != 0;
}

namespace {
// Puts the window's client area on the screen rectangle, whatever frame the
// desktop gives it.
void PlaceClientAt(TCustomForm* Host, const TRect& ScreenPos)
{
    Host->SetClientSize(ScreenPos.Width(), ScreenPos.Height());
    QWidget* w = TWidgetBridge::Widget(Host);
    if (w == nullptr || !w->isVisible()) {
        Host->SetBounds(ScreenPos.Left, ScreenPos.Top, Host->Width(), Host->Height());
        return;
    }
    // The window's position is that of its frame; its geometry that of its client area.
    const QPoint frame = w->geometry().topLeft() - w->pos();
    w->move(ScreenPos.Left - frame.x(), ScreenPos.Top - frame.y());
}
} // namespace

bool TControl::ManualFloat(const TRect& ScreenPos)
{
    if (auto* host = dynamic_cast<TFloatDockForm*>(FHostDockSite)) {
        PlaceClientAt(host, ScreenPos);
        return true;
    }
    if (!UndockFromHost(nullptr))
        return false;
    auto* host = new TFloatDockForm(Application);
    PlaceClientAt(host, ScreenPos);
    host->SetCaption(Caption());
    Dock(host, host->ClientRect());
    if (FVisible) {
        host->Show();
        PlaceClientAt(host, ScreenPos);
    }
    return true;
}

void TControl::DoStartDock(TDragDockObject*& DragObject)
{
    if (OnStartDock)
        OnStartDock(this, DragObject);
}

void TControl::DoEndDock(TObject* Target, Integer X, Integer Y)
{
    if (OnEndDock)
        OnEndDock(this, Target, X, Y);
}

// ------------------------------------------------------------ the site's side

void TWinControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)
{
    if (OnGetSiteInfo)
        OnGetSiteInfo(this, Client, InfluenceRect, MousePos, CanDock);
}

void TWinControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    if (OnDockOver)
        OnDockOver(this, Source, X, Y, State, Accept);
}

void TWinControl::DockDrop(TDragDockObject* Source, Integer X, Integer Y)
{
    if (Perform(CM_DOCKCLIENT, WPARAM(Source), PointToLParam(TPoint(X, Y))) != 0 && OnDockDrop)
        OnDockDrop(this, Source, X, Y);
}

bool TWinControl::DoUnDock(TWinControl* NewTarget, TControl* Client)
{
    bool allow = true;
    if (OnUnDock)
        OnUnDock(this, Client, NewTarget, allow);
    return allow;
}

void TWinControl::DoAddDockClient(TControl* Client, const TRect& ARect)
{
    Client->SetParent(this);
    if (ARect.Width() > 0 && ARect.Height() > 0) {
        const TPoint p = ScreenToClient(ARect.TopLeft());
        Client->SetBounds(p.X, p.Y, ARect.Width(), ARect.Height());
    }
}

// ------------------------------------------------------------ TFloatDockForm

TFloatDockForm::TFloatDockForm(TComponent* AOwner) : TCustomForm(AOwner)
{
    SetBorderStyle(bsSizeToolWin);
    SetPosition(poDesigned);
}

void TFloatDockForm::DoAddDockClient(TControl* Client, const TRect&)
{
    Client->SetParent(this);
    Client->SetAlign(alClient);
}

void TFloatDockForm::DoRemoveDockClient(TControl*)
{
    // The window may be the one whose input moved the control: it goes
    // once that input is handled.
    if (DockClientCount() == 0)
        Release();
}

void TFloatDockForm::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_DOCKNOTIFICATION) {
        auto* client = reinterpret_cast<TControl*>(Message.WParam);
        auto* rec = reinterpret_cast<TDockNotifyRec*>(Message.LParam);
        if (client != nullptr && rec != nullptr) {
            if (rec->ClientMsg == CM_TEXTCHANGED)
                SetCaption(client->Caption());
            else if (rec->ClientMsg == CM_VISIBLECHANGED)
                SetVisible(client->Visible());
        }
        return;
    }
    TCustomForm::Dispatch(Message);
}

void TFloatDockForm::DoClose(TCloseAction& Action)
{
    TCustomForm::DoClose(Action);
    if (Action == caHide)
        for (Integer i = 0; i < DockClientCount(); ++i)
            DockClients(i)->SetVisible(false);
}

// ------------------------------------------------------------ the feedback frame

namespace {
// The frame is four thin windows, one per edge, over every other window:
// the area inside stays visible and the pointer is never over the frame's
// inside, so the drag still finds the windows below.
class TDockFrameEdge : public QWidget {
public:
    TDockFrameEdge()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setObjectName(QStringLiteral("DockFrame"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x40, 0x40, 0x40));
    }
};

struct TDockFrame {
    QPointer<TDockFrameEdge> Edges[4];
    TRect Rect;
    bool Shown = false;
};
TDockFrame g_frame;
} // namespace

namespace DockFrame {
Integer Thickness(bool Floating)
{
    return Floating ? 4 : 2;
}

void Show(const TRect& ScreenRect, bool Floating)
{
    if (g_frame.Edges[0].isNull()) {
        for (auto& e : g_frame.Edges)
            e = new TDockFrameEdge;
        // The windows go with the application.
        qAddPostRoutine([] {
            for (auto& e : g_frame.Edges)
                delete e.data();
        });
    }
    const Integer t = Thickness(Floating);
    const Integer w = std::max(ScreenRect.Width(), 1);
    const Integer h = std::max(ScreenRect.Height(), 1);
    const Integer side = std::max(h - 2 * t, 0);
    const QRect parts[4] = {
        QRect(ScreenRect.Left, ScreenRect.Top, w, std::min(t, h)),
        QRect(ScreenRect.Left, ScreenRect.Top + h - std::min(t, h), w, std::min(t, h)),
        QRect(ScreenRect.Left, ScreenRect.Top + t, std::min(t, w), side),
        QRect(ScreenRect.Left + w - std::min(t, w), ScreenRect.Top + t, std::min(t, w), side),
    };
    for (int i = 0; i < 4; ++i) {
        TDockFrameEdge* e = g_frame.Edges[i];
        if (parts[i].isEmpty()) {
            e->hide();
            continue;
        }
        e->setGeometry(parts[i]);
        e->show();
        e->update();
    }
    g_frame.Rect = Bounds(ScreenRect.Left, ScreenRect.Top, w, h);
    g_frame.Shown = true;
}

void Hide()
{
    for (auto& e : g_frame.Edges)
        if (!e.isNull())
            e->hide();
    g_frame.Shown = false;
}

bool Visible()
{
    return g_frame.Shown;
}

TRect Rect()
{
    return g_frame.Shown ? g_frame.Rect : TRect();
}
} // namespace DockFrame
