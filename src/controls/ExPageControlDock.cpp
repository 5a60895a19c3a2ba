// The tab control as a dock site: every control docked onto it gets a sheet
// of its own, whose tab follows the control's text and visibility; a press
// on that tab drags the control out again and a double click floats it.

#include "controls/ExPageControl.h"

#include <algorithm>

TExTabSheet* TExPageControl::SheetOf(const TControl* Control) const
{
    if (Control == nullptr)
        return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), Control->Parent());
    return it != FPages.end() ? *it : nullptr;
}

TControl* TExPageControl::GetDockClientFromMousePos(TPoint MousePos) const
{
    if (!DockSite())
        return nullptr;
    const Integer tab = TabAt(MousePos);
    if (tab < 0)
        return nullptr;
    TExTabSheet* page = nullptr;
    for (Integer i = 0; i <= tab; ++i)
        page = FindNextPage(page, true, true);
    if (page == nullptr || page->ControlCount() == 0)
        return nullptr;
    TControl* child = page->Controls(0);
    return child->HostDockSite() == this ? child : nullptr;
}

void TExPageControl::CMDockClient(TMessage& Message)
{
    Message.Result = 0;
    auto* source = reinterpret_cast<TDragDockObject*>(Message.WParam);
    TControl* control = source != nullptr ? source->Control() : nullptr;
    if (control == nullptr)
        return;
    FNewDockSheet = new TExTabSheet(this);
    try {
        if (dynamic_cast<TWinControl*>(control) != nullptr)
            FNewDockSheet->SetCaption(control->Caption());
        FNewDockSheet->SetPageControl(this);
        control->Dock(this, source->DockRect);
        FNewDockSheet->SetTabVisible(control->Visible());
        if (control->Visible())
            SetActivePage(FNewDockSheet);
        control->SetAlign(alClient);
    } catch (...) {
        // The control leaves the sheet first: it must not go with it.
        if (control->Parent() == FNewDockSheet) {
            control->Dock(nullptr, TRect());
            control->SetParent(nullptr);
        }
        delete FNewDockSheet;
        FNewDockSheet = nullptr;
        throw;
    }
    FNewDockSheet = nullptr;
    Message.Result = 1;
}

void TExPageControl::DoAddDockClient(TControl* Client, const TRect& ARect)
{
    if (FNewDockSheet != nullptr)
        Client->SetParent(FNewDockSheet);
    else
        TCustomControl::DoAddDockClient(Client, ARect);
}

void TExPageControl::CMUnDockClient(TMessage& Message)
{
    Message.Result = 0;
    auto* client = reinterpret_cast<TControl*>(Message.LParam);
    if (TExTabSheet* page = SheetOf(client)) {
        FUndockingPage = page;
        client->SetAlign(alNone);
    }
}

void TExPageControl::DoRemoveDockClient(TControl* Client)
{
    // A control that is destroyed leaves its sheet behind.
    if (FUndockingPage == nullptr || Client->HasState(csDestroying))
        return;
    SelectNextPage(true);
    TExTabSheet* page = FUndockingPage;
    FUndockingPage = nullptr;
    delete page;
}

void TExPageControl::CMDockNotification(TMessage& Message)
{
    auto* client = reinterpret_cast<TControl*>(Message.WParam);
    auto* rec = reinterpret_cast<TDockNotifyRec*>(Message.LParam);
    TExTabSheet* page = SheetOf(client);
    if (page == nullptr || rec == nullptr)
        return;
    if (rec->ClientMsg == CM_TEXTCHANGED) {
        // The tab shows the first line of the text.
        QString text = client->Caption();
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
                text.truncate(i);
                break;
            }
        page->SetCaption(text);
    } else if (rec->ClientMsg == CM_VISIBLECHANGED) {
        page->SetTabVisible(client->Visible());
    }
}

void TExPageControl::GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)
{
    CanDock = SheetOf(Client) == nullptr;
    TCustomControl::GetSiteInfo(Client, InfluenceRect, MousePos, CanDock);
}

void TExPageControl::DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    const TPoint o = ClientToScreen(TPoint(0, 0));
    Source->DockRect = Bounds(o.X, o.Y, Width(), Height());
    TCustomControl::DockOver(Source, X, Y, State, Accept);
}
