#include "platform/ExtCtrls.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle |= csAcceptsControls | csOpaque;
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::Changed()
{
    Realign();
    Invalidate();
}

TRect TPanel::AlignRect() const
{
    TRect r = ClientRect();
    Integer inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    if (FBorderStyle == bsSingle) inset += 1;
    InflateRect(r, -inset, -inset);
    return r;
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (FBorderStyle == bsSingle) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        InflateRect(r, -1, -1);
    }
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        for (Integer i = 0; i < FBevelWidth; ++i) {
            if (cut == bvRaised)
                DrawEdge(c, r, BDR_RAISEDINNER, BF_RECT);
            else if (cut == bvLowered)
                DrawEdge(c, r, BDR_SUNKENOUTER, BF_RECT);
            else
                InflateRect(r, -1, -1);
            if (cut != bvSpace)
                InflateRect(r, -1, -1);
        }
    };
    bevel(FBevelOuter);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    if (FShowCaption && !Caption().isEmpty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        Cardinal f = DT_SINGLELINE | DT_EXPANDTABS;
        f |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
        f |= FVerticalAlignment == taAlignTop ? DT_TOP : FVerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_VCENTER;
        DrawText(c, Caption(), r, f);
    }
}

// ------------------------------------------------------------ TShape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    SetBounds(0, 0, 65, 65);
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape()
{
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->SetPen(FPen.get());
    c->SetBrush(FBrush.get());
    // The outline lies inside the bounds, whatever the pen width.
    const Integer pw = FPen->Width();
    Integer x = pw / 2, y = pw / 2;
    Integer w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        const Integer s = std::min(w, h);
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: {
        const Integer r = std::min(w, h) / 4;
        c->RoundRect(x, y, x + w, y + h, r, r);
        break;
    }
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}

// ------------------------------------------------------------ TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage()
{
    FPicture->OnChange = nullptr;
}

void TImage::PictureChanged()
{
    if (FAutoSize && !FPicture->Empty())
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    Integer w = FPicture->Width(), h = FPicture->Height();
    const Integer cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double scale = std::min(double(cw) / w, double(ch) / h);
            w = Integer(w * scale);
            h = Integer(h * scale);
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter)
        OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* g = FPicture->Graphic();
    if (g == nullptr || g->Empty())
        return;
    g->SetTransparent(FTransparent);
    Canvas()->StretchDraw(DestRect(), g);
}

// ------------------------------------------------------------ scroll box

TControlScrollBar::TControlScrollBar(TScrollingWinControl* owner, TScrollBarKind kind) : FOwner(owner), FKind(kind)
{
}

Integer TControlScrollBar::Range() const
{
    if (FRange > 0)
        return FRange;
    const TSize s = FOwner->ContentSize();
    return FKind == sbVertical ? s.cy : s.cx;
}

void TControlScrollBar::SetRange(Integer v)
{
    FRange = std::max<Integer>(v, 0);
    FOwner->UpdateScrollArea();
}

Integer TControlScrollBar::MaxPosition() const
{
    const TRect cr = FOwner->ClientRect();
    return std::max<Integer>(0, Range() - (FKind == sbVertical ? cr.Height() : cr.Width()));
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    return FVisible && MaxPosition() > 0;
}

void TControlScrollBar::SetPosition(Integer v)
{
    v = std::clamp<Integer>(v, 0, MaxPosition());
    if (v == FPosition)
        return;
    FPosition = v;
    FOwner->UpdateScrollArea();
}

void TControlScrollBar::SetVisible(bool v)
{
    FVisible = v;
    FOwner->UpdateScrollArea();
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FVert(std::make_unique<TControlScrollBar>(this, sbVertical)), FHorz(std::make_unique<TControlScrollBar>(this, sbHorizontal))
{
    SetBounds(0, 0, 185, 41);
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::CreateWindowHandle(const TCreateParams&)
{
    auto* area = new QScrollArea(TWidgetBridge::ParentWidget(this));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    auto* surface = new QWidget;
    surface->setAutoFillBackground(true);
    area->setWidget(surface);
    area->setFocusPolicy(Qt::NoFocus);
    // Bars as wide as the layer's client area computation expects.
    area->verticalScrollBar()->setFixedWidth(GetSystemMetrics(SM_CXVSCROLL));
    area->horizontalScrollBar()->setFixedHeight(GetSystemMetrics(SM_CYHSCROLL));
    // The user scrolling the bars moves the same positions code reads.
    QObject::connect(area->verticalScrollBar(), &QScrollBar::valueChanged, [this](int v) {
        if (!FUpdating)
            FVert->FPosition = v;
    });
    QObject::connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, [this](int v) {
        if (!FUpdating)
            FHorz->FPosition = v;
    });
    TWidgetBridge::Attach(this, area);
    TWidgetBridge::SetClient(this, surface);
    TWidgetBridge::AddSubWidget(this, area->viewport(), true);
    TWidgetBridge::AddSubWidget(this, surface, true);
    UpdateScrollArea();
}

TRect TScrollingWinControl::ClientRect() const
{
    TRect r = TWinControl::ClientRect();
    // Room for a shown bar.
    const Integer bar = GetSystemMetrics(SM_CXVSCROLL);
    const TSize s = ContentSize();
    const bool v = FVert && FVert->FVisible && s.cy > r.Height();
    const bool h = FHorz && FHorz->FVisible && s.cx > r.Width() - (v ? bar : 0);
    if (v) r.Right -= bar;
    if (h) r.Bottom -= bar;
    return r;
}

TSize TScrollingWinControl::ContentSize() const
{
    Integer w = 0, h = 0;
    for (Integer i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        w = std::max(w, c->Left() + c->Width());
        h = std::max(h, c->Top() + c->Height());
    }
    if (FHorz && FHorz->FRange > 0) w = FHorz->FRange;
    if (FVert && FVert->FRange > 0) h = FVert->FRange;
    return {w, h};
}

void TScrollingWinControl::UpdateScrollArea()
{
    auto* area = TWidgetBridge::WidgetAs<QScrollArea>(this);
    if (area == nullptr || FUpdating)
        return;
    FUpdating = true;
    const TSize s = ContentSize();
    const TRect cr = ClientRect();
    area->setVerticalScrollBarPolicy(FVert->FVisible ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    area->setHorizontalScrollBarPolicy(FHorz->FVisible ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (QWidget* surface = area->widget())
        surface->resize(std::max(s.cx, cr.Width()), std::max(s.cy, cr.Height()));
    FVert->FPosition = std::clamp<Integer>(FVert->FPosition, 0, FVert->MaxPosition());
    FHorz->FPosition = std::clamp<Integer>(FHorz->FPosition, 0, FHorz->MaxPosition());
    area->verticalScrollBar()->setSingleStep(FVert->FIncrement);
    area->horizontalScrollBar()->setSingleStep(FHorz->FIncrement);
    area->verticalScrollBar()->setValue(FVert->FPosition);
    area->horizontalScrollBar()->setValue(FHorz->FPosition);
    FUpdating = false;
}

void TScrollingWinControl::UpdateView()
{
    TWinControl::UpdateView();
    UpdateScrollArea();
}

void TScrollingWinControl::ChildBoundsChanged(TControl*)
{
    UpdateScrollArea();
}

void TScrollingWinControl::Resize()
{
    UpdateScrollArea();
    TWinControl::Resize();
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (AControl == nullptr || !ContainsControl(AControl))
        return;
    const TRect cr = ClientRect();
    if (AControl->Top() < FVert->FPosition)
        FVert->SetPosition(AControl->Top());
    else if (AControl->Top() + AControl->Height() > FVert->FPosition + cr.Height())
        FVert->SetPosition(AControl->Top() + AControl->Height() - cr.Height());
}

void TScrollingWinControl::ScrollMessage(TMessage& Message, TControlScrollBar* bar)
{
    const TRect cr = ClientRect();
    const Integer page = bar == FVert.get() ? cr.Height() : cr.Width();
    Integer pos = bar->Position();
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= bar->Increment(); break;
    case SB_LINEDOWN: pos += bar->Increment(); break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
        if (!bar->Tracking())
            return;
        pos = HIWORD(Message.WParam);
        break;
    case SB_THUMBPOSITION: pos = HIWORD(Message.WParam); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = bar->MaxPosition(); break;
    default: return;  // SB_ENDSCROLL
    }
    bar->SetPosition(pos);
    Message.Result = 0;
}

void TScrollingWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_VSCROLL: ScrollMessage(Message, FVert.get()); break;
    case WM_HSCROLL: ScrollMessage(Message, FHorz.get()); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetTabStop(true);
}

// ------------------------------------------------------------ TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FDlgCode = DLGC_WANTARROWS;
    FControlStyle &= ~csClickEvents;
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QSlider(FOrientation == trHorizontal ? Qt::Horizontal : Qt::Vertical, TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QSlider::valueChanged, [this](int v) {
        if (FPushing || v == FPosition)
            return;
        FPosition = v;
        TWidgetBridge::Guard(this, [this] { Changed(); });
    });
    TWidgetBridge::Attach(this, w);
    // A window made after the range and position were set starts with them.
    UpdateView();
}

void TTrackBar::UpdateView()
{
    TWinControl::UpdateView();
    if (auto* w = TWidgetBridge::WidgetAs<QSlider>(this)) {
        FPushing = true;
        w->setOrientation(FOrientation == trHorizontal ? Qt::Horizontal : Qt::Vertical);
        w->setRange(FMin, FMax);
        w->setValue(FPosition);
        w->setSingleStep(FLineSize);
        w->setPageStep(FPageSize);
        w->setTickInterval(FFrequency);
        QSlider::TickPosition tp = QSlider::NoTicks;
        if (FTickStyle != tsNone)
            tp = FTickMarks == tmBoth ? QSlider::TicksBothSides : FTickMarks == tmTopLeft ? QSlider::TicksAbove : QSlider::TicksBelow;
        w->setTickPosition(tp);
        FPushing = false;
    }
}

void TTrackBar::SetRange(Integer AMin, Integer AMax)
{
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    const Integer p = std::clamp(FPosition, FMin, FMax);
    UpdateView();
    SetPosition(p);
}

void TTrackBar::SetPosition(Integer v)
{
    v = std::clamp(v, FMin, FMax);
    if (v == FPosition)
        return;
    FPosition = v;
    UpdateView();
    Changed();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v)
{
    if (v == FOrientation)
        return;
    FOrientation = v;
    SetBounds(Left(), Top(), Height(), Width());
    UpdateView();
}

void TTrackBar::Changed()
{
    if (OnChange)
        OnChange(this);
}
