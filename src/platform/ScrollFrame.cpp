// The frame widget with its scroll bars, and client-area invalidation.

#include "platform/ScrollFrame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>

#include "platform/Control.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/WidgetBridge.h"

namespace {

// Lies under the client window in the parent's window: paints the border
// (a sunken edge when two pixels wide) and holds the bars.
class TFrameWidget : public QWidget {
public:
    explicit TFrameWidget(QWidget* parent) : QWidget(parent) {}
    Integer Border = 0;
    QRegion Uncovered;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int w = width(), h = height();
        // The client window covers the inside; the border and the corner
        // between the bars are left.
        const QColor face = ToQColor(ColorToRGB(clBtnFace));
        if (Uncovered.isEmpty())
            p.fillRect(rect(), face);
        else
            for (const QRect& r : Uncovered)
                p.fillRect(r, face);
        if (Border <= 0)
            return;
        const struct {
            TColor TopLeft, BottomRight;
        } rings[2] = {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
        // One-pixel strips: the top and left in the first colour, the
        // bottom and right (and the corners they share) in the second.
        for (int i = 0; i < std::min<int>(Border, 2); ++i) {
            const QColor tl = ToQColor(ColorToRGB(rings[i].TopLeft));
            const QColor br = ToQColor(ColorToRGB(rings[i].BottomRight));
            p.fillRect(QRect(i, i, w - 2 * i - 1, 1), tl);
            p.fillRect(QRect(i, i, 1, h - 2 * i - 1), tl);
            p.fillRect(QRect(i, h - 1 - i, w - 2 * i, 1), br);
            p.fillRect(QRect(w - 1 - i, i, 1, h - 2 * i), br);
        }
    }
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
};

Word CodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    case QAbstractSlider::SliderMove: return SB_THUMBTRACK;
    default: return SB_ENDSCROLL;
    }
}

} // namespace

struct TScrollFrame::TImpl {
    TWinControl* Control = nullptr;
    QPointer<TFrameWidget> Frame;
    QPointer<QScrollBar> Bars[2];  // 0 horizontal, 1 vertical
    Integer Pos[2] = {0, 0};
    bool Setting = false;
    ~TImpl() { delete Frame.data(); }
};

TScrollFrame::TScrollFrame(TWinControl* Control) : FImpl(std::make_unique<TImpl>())
{
    FImpl->Control = Control;
    QWidget* client = TWidgetBridge::Widget(Control);
    QWidget* parent = client != nullptr ? client->parentWidget() : nullptr;
    if (parent == nullptr)
        return;
    auto* frame = new TFrameWidget(parent);
    FImpl->Frame = frame;
    for (int v = 0; v < 2; ++v) {
        auto* bar = new QScrollBar(v ? Qt::Vertical : Qt::Horizontal, frame);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        FImpl->Bars[v] = bar;
        const bool vertical = v == 1;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar, vertical](int action) {
            if (FImpl->Setting)
                return;
            const Word code = CodeOf(action);
            if (code != SB_ENDSCROLL && OnScroll)
                OnScroll(vertical, code, bar->sliderPosition());
            // The slider shows where the control really is.
            FImpl->Setting = true;
            bar->setSliderPosition(FImpl->Pos[vertical]);
            FImpl->Setting = false;
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, vertical] {
            if (OnScroll)
                OnScroll(vertical, SB_ENDSCROLL, FImpl->Pos[vertical]);
        });
    }
    frame->stackUnder(client);
}

TScrollFrame::~TScrollFrame() = default;

Integer TScrollFrame::BarExtent()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void TScrollFrame::Layout(Integer Border, bool ShowVertical, bool ShowHorizontal, Integer Top)
{
    QWidget* client = TWidgetBridge::Widget(FImpl->Control);
    TFrameWidget* frame = FImpl->Frame;
    if (client == nullptr || frame == nullptr)
        return;
    TWinControl* c = FImpl->Control;
    const Integer sb = BarExtent();
    const Integer cw = std::max<Integer>(c->Width() - 2 * Border - (ShowVertical ? sb : 0), 0);
    Top = std::max<Integer>(Top, 0);
    const Integer ch = std::max<Integer>(c->Height() - 2 * Border - Top - (ShowHorizontal ? sb : 0), 0);
    frame->Border = Border;
    frame->Uncovered = QRegion(0, 0, c->Width(), c->Height()) - QRegion(Border, Border + Top, cw, ch);
    frame->setGeometry(c->Left(), c->Top(), std::max<Integer>(c->Width(), 0), std::max<Integer>(c->Height(), 0));
    frame->setVisible((Border > 0 || Top > 0 || ShowVertical || ShowHorizontal) && c->Visible());
    client->setGeometry(c->Left() + Border, c->Top() + Border + Top, cw, ch);
    if (QScrollBar* v = FImpl->Bars[1]) {
        v->setGeometry(Border + cw, Border + Top, sb, ch);
        v->setVisible(ShowVertical);
    }
    if (QScrollBar* h = FImpl->Bars[0]) {
        h->setGeometry(Border, Border + Top + ch, cw, sb);
        h->setVisible(ShowHorizontal);
    }
    frame->update();
}

void TScrollFrame::SetBar(bool Vertical, Integer Min, Integer Max, Integer Page, Integer Pos)
{
    FImpl->Pos[Vertical] = Pos;
    QScrollBar* bar = FImpl->Bars[Vertical];
    if (bar == nullptr)
        return;
    FImpl->Setting = true;
    // Qt's maximum is the last position, the platform's the end of the range.
    bar->setRange(Min, std::max(Min, Max - std::max<Integer>(Page - 1, 0)));
    bar->setPageStep(std::max<Integer>(Page, 1));
    bar->setSingleStep(20);
    bar->setValue(Pos);
    FImpl->Setting = false;
}

Integer TScrollFrame::Position(bool Vertical) const
{
    return FImpl->Pos[Vertical];
}

Integer TScrollFrame::TrackPosition(bool Vertical) const
{
    QScrollBar* bar = FImpl->Bars[Vertical];
    return bar ? bar->sliderPosition() : FImpl->Pos[Vertical];
}

bool TScrollFrame::IsShown(bool Vertical) const
{
    QScrollBar* bar = FImpl->Bars[Vertical];
    return bar != nullptr && !bar->isHidden();
}

void InvalidateClientRect(TControl* Control, const TRect& R)
{
    QWidget* w = TWidgetBridge::Widget(Control);
    if (w == nullptr || R.IsEmpty())
        return;
    TWidgetBridge::DropBacking(Control);
    w->update(R.Left, R.Top, R.Width(), R.Height());
}

void ScrollClientRect(TControl* Control, Integer DX, Integer DY, const TRect& Clip)
{
    QWidget* w = TWidgetBridge::Widget(Control);
    if (w == nullptr)
        return;
    TWidgetBridge::DropBacking(Control);
    if (Clip.IsEmpty())
        w->scroll(DX, DY);
    else
        w->scroll(DX, DY, QRect(Clip.Left, Clip.Top, Clip.Width(), Clip.Height()));
}
