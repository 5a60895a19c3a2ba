#include "platform/HintWindow.h"

#include <QPainter>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/WidgetBridge.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    SetParentFont(false);
    Font()->SetColor(clInfoText);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClassStyle |= CS_DROPSHADOW;
}

void THintWindow::CreateWindowHandle(const TCreateParams& Params)
{
    auto* w = new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    TWidgetBridge::Attach(this, w, true);
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const QString& AHint, void*)
{
    TRect r(0, 0, MaxWidth, 0);
    Canvas()->SetFont(Font());
    Canvas()->TextRect(r, AHint, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // Room for the border and a margin around the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(const TRect& Rect, const QString& AHint)
{
    SetCaption(AHint);
    HandleNeeded();
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    if (QWidget* w = TWidgetBridge::Widget(this)) {
        w->setGeometry(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
        w->show();
        w->raise();
    }
    SetVisible(true);
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, void*)
{
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle()
{
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->hide();
    SetVisible(false);
}

bool THintWindow::IsShowing() const
{
    QWidget* w = TWidgetBridge::Widget(this);
    return w != nullptr && w->isVisible();
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetColor(clBlack);
    c->FrameRect(r);
    TRect t = r;
    InflateRect(t, -3, -1);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    c->TextRect(t, Caption(), DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
