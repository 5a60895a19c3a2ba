#include "platform/PageControl.h"

#include <algorithm>
#include <QFontMetrics>
#include <QTabBar>

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/WidgetBridge.h"

namespace {
QTabBar* TabBarOf(const TPageControl* pc)
{
    QWidget* w = TWidgetBridge::Widget(pc);
    return w != nullptr ? w->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
} // namespace

// ------------------------------------------------------------ TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
    SetParentColor(true);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    if (FPageControl != nullptr)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* APageControl)
{
    SetParent(APageControl);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    auto* pc = dynamic_cast<TPageControl*>(AParent);
    if (FPageControl != nullptr && FPageControl != pc)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (pc != nullptr && FPageControl != pc)
        pc->InsertPage(this);
}

Integer TTabSheet::PageIndex() const
{
    if (FPageControl == nullptr)
        return -1;
    const auto& p = FPageControl->FPages;
    return Integer(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(Integer v)
{
    if (FPageControl == nullptr)
        return;
    auto& p = FPageControl->FPages;
    p.erase(std::find(p.begin(), p.end(), this));
    v = std::clamp<Integer>(v, 0, Integer(p.size()));
    p.insert(p.begin() + v, this);
    FPageControl->UpdateTabs();
}

Integer TTabSheet::TabIndex() const
{
    if (FPageControl == nullptr || !FTabVisible)
        return -1;
    Integer i = 0;
    for (TTabSheet* s : FPageControl->FPages) {
        if (s == this)
            return i;
        if (s->FTabVisible)
            ++i;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool v)
{
    if (v == FTabVisible)
        return;
    FTabVisible = v;
    if (FPageControl == nullptr)
        return;
    // Hiding the active tab shows the next visible one.
    if (!v && FPageControl->FActivePage == this)
        FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
    FPageControl->UpdateTabs();
}

void TTabSheet::SetTextValue(const QString& value)
{
    FText = value;
    if (FPageControl != nullptr)
        FPageControl->UpdateTabs();
}

// ------------------------------------------------------------ TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FDlgCode = DLGC_WANTARROWS;
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* s : FPages)
        s->FPageControl = nullptr;
    FPages.clear();
}

void TPageControl::CreateWindowHandle(const TCreateParams& Params)
{
    TWinControl::CreateWindowHandle(Params);
    QWidget* w = TWidgetBridge::Widget(this);
    auto* bar = new QTabBar(w);
    bar->setDrawBase(true);
    bar->setExpanding(false);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->show();
    QObject::connect(bar, &QTabBar::currentChanged, [this, bar](int index) {
        if (FUpdatingTabs || index < 0)
            return;
        auto* page = static_cast<TTabSheet*>(bar->tabData(index).value<void*>());
        bool taken = false;
        TWidgetBridge::Guard(this, [&] { taken = UserSelects(page); });
        if (!taken)
            UpdateTabs();  // refused: the tab row goes back
    });
}

void TPageControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateTabs();
}

Integer TPageControl::TabHeight() const
{
    if (FTabHeight > 0)
        return FTabHeight;
    return FontMetricsOf(*Font()).height() + 8;
}

TRect TPageControl::DisplayRect() const
{
    TRect r = ClientRect();
    const Integer th = TabHeight();
    switch (FTabPosition) {
    case tpTop: r.Top += th; break;
    case tpBottom: r.Bottom -= th; break;
    case tpLeft: r.Left += th; break;
    case tpRight: r.Right -= th; break;
    }
    InflateRect(r, -4, -4);
    if (FTabPosition == tpTop) r.Top -= 2;
    return r;
}

void TPageControl::SetTabPosition(TTabPosition v)
{
    FTabPosition = v;
    Realign();
    UpdateTabs();
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect)
{
    const TRect d = DisplayRect();
    for (TTabSheet* s : FPages)
        s->SetBounds(d.Left, d.Top, std::max<Integer>(d.Width(), 0), std::max<Integer>(d.Height(), 0));
    TWinControl::AlignControls(AControl, Rect);
}

void TPageControl::Resize()
{
    Realign();
    UpdateTabs();
    TWinControl::Resize();
}

void TPageControl::InsertPage(TTabSheet* page)
{
    page->FPageControl = this;
    FPages.push_back(page);
    Realign();
    if (FActivePage == nullptr && page->FTabVisible)
        SetActivePage(page);
    else
        page->SetVisible(page == FActivePage);
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    TTabSheet* next = FActivePage == page ? FindNextPage(page, true, true) : FActivePage;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    page->FPageControl = nullptr;
    if (next == page)
        next = nullptr;
    if (FActivePage == page) {
        FActivePage = nullptr;
        if (!HasState(csDestroying))
            SetActivePage(next);
    }
    UpdateTabs();
}

Integer TPageControl::ActivePageIndex() const
{
    return FActivePage != nullptr ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer v)
{
    SetActivePage(v >= 0 && v < PageCount() ? FPages[size_t(v)] : nullptr);
}

Integer TPageControl::TabIndex() const
{
    return FActivePage != nullptr ? FActivePage->TabIndex() : -1;
}

void TPageControl::SetTabIndex(Integer v)
{
    for (TTabSheet* s : FPages)
        if (s->TabIndex() == v && v >= 0) {
            SetActivePage(s);
            return;
        }
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page != nullptr && page->FPageControl != this)
        return;
    FActivePage = page;
    ShowActive();
    UpdateTabs();
}

void TPageControl::ShowActive()
{
    for (TTabSheet* s : FPages)
        s->SetVisible(s == FActivePage);
    if (FActivePage != nullptr)
        FActivePage->BringToFront();
}

bool TPageControl::UserSelects(TTabSheet* page)
{
    if (page == FActivePage)
        return true;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return false;
    SetActivePage(page);
    if (OnChange)
        OnChange(this);
    return true;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const Integer n = PageCount();
    if (n == 0)
        return nullptr;
    Integer start = CurPage != nullptr ? CurPage->PageIndex() : -1;
    if (start < 0 || start >= n)
        start = GoForward ? n - 1 : 0;
    Integer i = start;
    for (Integer k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TTabSheet* s = FPages[size_t(i)];
        if (!CheckTabVisible || s->FTabVisible)
            return s;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    if (TTabSheet* p = FindNextPage(FActivePage, GoForward, CheckTabVisible))
        UserSelects(p);
}

void TPageControl::UpdateTabs()
{
    QTabBar* bar = TabBarOf(this);
    if (bar == nullptr)
        return;
    FUpdatingTabs = true;
    while (bar->count() > 0)
        bar->removeTab(0);
    for (TTabSheet* s : FPages) {
        const int i = bar->addTab(s->Caption());
        bar->setTabData(i, QVariant::fromValue(static_cast<void*>(s)));
        bar->setTabVisible(i, s->FTabVisible);
    }
    bar->setShape(FTabPosition == tpBottom ? QTabBar::RoundedSouth : FTabPosition == tpLeft ? QTabBar::RoundedWest
                                           : FTabPosition == tpRight ? QTabBar::RoundedEast : QTabBar::RoundedNorth);
    if (FActivePage != nullptr)
        bar->setCurrentIndex(FActivePage->PageIndex());
    const TRect cr = ClientRect();
    const Integer th = TabHeight();
    switch (FTabPosition) {
    case tpTop: bar->setGeometry(2, 0, cr.Width() - 4, th); break;
    case tpBottom: bar->setGeometry(2, cr.Height() - th, cr.Width() - 4, th); break;
    case tpLeft: bar->setGeometry(0, 2, th, cr.Height() - 4); break;
    case tpRight: bar->setGeometry(cr.Width() - th, 2, th, cr.Height() - 4); break;
    }
    bar->raise();
    FUpdatingTabs = false;
}
