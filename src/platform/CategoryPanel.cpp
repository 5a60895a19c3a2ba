#include "platform/CategoryPanel.h"

#include <algorithm>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ TCategoryPanel

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle |= csAcceptsControls | csOpaque;
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 200);
}

TCategoryPanel::~TCategoryPanel() = default;

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const
{
    return dynamic_cast<TCategoryPanelGroup*>(Parent());
}

void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* group)
{
    SetParent(group);
}

Integer TCategoryPanel::HeaderHeight() const
{
    const TCategoryPanelGroup* g = PanelGroup();
    return g != nullptr ? g->HeaderHeight() : 24;
}

TRect TCategoryPanel::ClientRect() const
{
    return {0, 0, Width(), std::max<Integer>(Height() - HeaderHeight(), 0)};
}

void TCategoryPanel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    if (!FCollapsed)
        FExpandedHeight = AHeight;
    else
        AHeight = HeaderHeight();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCategoryPanel::SetCollapsed(bool v)
{
    if (v == FCollapsed)
        return;
    if (v) {
        FExpandedHeight = Height();
        FCollapsed = true;
        TCustomControl::SetBounds(Left(), Top(), Width(), HeaderHeight());
        if (OnCollapse)
            OnCollapse(this);
    } else {
        FCollapsed = false;
        TCustomControl::SetBounds(Left(), Top(), Width(), FExpandedHeight);
        if (OnExpand)
            OnExpand(this);
    }
    Invalidate();
}

void TCategoryPanel::CreateWindowHandle(const TCreateParams& Params)
{
    TCustomControl::CreateWindowHandle(Params);
    // The body below the header holds the children.
    auto* body = new QWidget(TWidgetBridge::Widget(this));
    body->setAutoFillBackground(true);
    body->show();
    TWidgetBridge::SetClient(this, body);
    TWidgetBridge::AddSubWidget(this, body, true);
    UpdateView();
}

void TCategoryPanel::UpdateView()
{
    TCustomControl::UpdateView();
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr)
        return;
    if (QWidget* body = TWidgetBridge::Client(this); body != nullptr && body != w) {
        body->setGeometry(0, HeaderHeight(), Width(), std::max<Integer>(Height() - HeaderHeight(), 0));
        QPalette pal = body->palette();
        pal.setColor(QPalette::Window, ToQColor(ColorToRGB(Color())));
        body->setPalette(pal);
    }
}

void TCategoryPanel::Paint()
{
    TCanvas* c = Canvas();
    const Integer hh = HeaderHeight();
    TRect header(0, 0, Width(), hh);
    GradientFillCanvas(c, clBtnHighlight, clBtnFace, header, gdVertical);
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(0, hh - 1);
    c->LineTo(Width(), hh - 1);
    // Chevron: down when expanded, right when collapsed.
    const Integer cx = Width() - 14, cy = hh / 2;
    c->Pen()->SetColor(clGray);
    c->Brush()->SetColor(clGray);
    if (FCollapsed)
        c->Polygon({Point(cx - 2, cy - 4), Point(cx + 2, cy), Point(cx - 2, cy + 4)});
    else
        c->Polygon({Point(cx - 4, cy - 2), Point(cx + 4, cy - 2), Point(cx, cy + 2)});
    TRect text(6, 0, Width() - 24, hh);
    c->Brush()->SetStyle(bsClear);
    if (const TCategoryPanelGroup* g = PanelGroup())
        c->Font()->Assign(g->HeaderFont());
    DrawText(c, Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void TCategoryPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    // Mouse coordinates are the panel's own (the header is above the client area).
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && Y >= 0 && Y < HeaderHeight())
        SetCollapsed(!FCollapsed);
}

// ------------------------------------------------------------ TCategoryPanelGroup

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TScrollingWinControl(AOwner), FHeaderFont(std::make_unique<TFont>())
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 400);
    FHeaderFont->SetStyle(fsBold);
    FHeaderFont->SetColor(clWindowText);
    FHeaderFont->OnChange = [this](TObject*) {
        for (TCategoryPanel* p : Panels())
            p->Invalidate();
    };
    HorzScrollBar()->SetVisible(false);
}

TCategoryPanelGroup::~TCategoryPanelGroup()
{
    FHeaderFont->OnChange = nullptr;
}

void TCategoryPanelGroup::SetHeaderHeight(Integer v)
{
    FHeaderHeight = std::max<Integer>(v, 1);
    Realign();
}

std::vector<TCategoryPanel*> TCategoryPanelGroup::Panels() const
{
    // Each panel with its place in the last stacking (new ones after those).
    std::vector<std::pair<TCategoryPanel*, size_t>> ranked;
    for (Integer i = 0; i < ControlCount(); ++i) {
        if (auto* p = dynamic_cast<TCategoryPanel*>(Controls(i))) {
            const auto at = std::find(FOrder.begin(), FOrder.end(), p);
            ranked.emplace_back(p, at != FOrder.end() ? size_t(at - FOrder.begin()) : FOrder.size() + size_t(i));
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first->Top() != b.first->Top() ? a.first->Top() < b.first->Top() : a.second < b.second;
    });
    std::vector<TCategoryPanel*> out;
    for (const auto& r : ranked)
        out.push_back(r.first);
    return out;
}

void TCategoryPanelGroup::AlignControls(TControl* AControl, TRect& Rect)
{
    if (FStacking)
        return;
    FStacking = true;
    const Integer width = ClientRect().Width();
    Integer y = 0;
    FOrder = Panels();
    for (TCategoryPanel* p : FOrder) {
        // A hidden panel stands where it would be shown, taking no room.
        p->SetBounds(0, y, width, p->Height());
        if (p->Visible())
            y += p->Height();
    }
    FStacking = false;
    UpdateScrollArea();
}

void TCategoryPanelGroup::ChildBoundsChanged(TControl* Child)
{
    if (!FStacking && dynamic_cast<TCategoryPanel*>(Child) != nullptr)
        Realign();
    TScrollingWinControl::ChildBoundsChanged(Child);
}

void TCategoryPanelGroup::CollapseAll()
{
    for (TCategoryPanel* p : Panels())
        p->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll()
{
    for (TCategoryPanel* p : Panels())
        p->SetCollapsed(false);
}
