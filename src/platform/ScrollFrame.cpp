// The frame widget with its scroll bars, and client-area invalidation.

#include "platform/ScrollFrame.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <unordered_map>

#include "platform/Accessibility.h"
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

// Hands the mouse on a bar to the control as non-client messages; the
// bar sees the input only when the control left it to the default.
class TBarFilter : public QObject {
public:
    TBarFilter(TWinControl* Control, QScrollBar* Vertical) : FControl(Control), FVertical(Vertical) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        Cardinal msg = 0;
        QPoint global;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            global = me->globalPosition().toPoint();
            if (event->type() == QEvent::MouseMove)
                msg = WM_NCMOUSEMOVE;
            else if (me->button() != Qt::LeftButton)
                return false;
            else
                msg = event->type() == QEvent::MouseButtonPress    ? WM_NCLBUTTONDOWN
                      : event->type() == QEvent::MouseButtonDblClick ? WM_NCLBUTTONDBLCLK
                                                                     : WM_NCLBUTTONUP;
            break;
        }
        case QEvent::Leave:
            msg = WM_NCMOUSELEAVE;
            global = QCursor::pos();
            break;
        default:
            return false;
        }
        TMessage m{msg, WPARAM(watched == FVertical ? HTVSCROLL : HTHSCROLL),
                   LPARAM(MAKELPARAM(Word(SmallInt(global.x())), Word(SmallInt(global.y())))), 0};
        return !TWidgetBridge::DeliverNative(FControl, m) && msg != WM_NCMOUSELEAVE;
    }

private:
    TWinControl* FControl;
    QScrollBar* FVertical;
};

std::unordered_map<const TWinControl*, TScrollFrame*>& Frames()
{
    static std::unordered_map<const TWinControl*, TScrollFrame*> frames;
    return frames;
}

} // namespace

struct TScrollFrame::TImpl {
    TWinControl* Control = nullptr;
    QPointer<TFrameWidget> Frame;
    QPointer<QScrollBar> Bars[2];  // 0 horizontal, 1 vertical
    Integer Pos[2] = {0, 0};
    Integer Min[2] = {0, 0}, Max[2] = {0, 0}, Page[2] = {0, 0};
    bool Setting = false;
    std::unique_ptr<TBarFilter> Filter;
    ~TImpl() { delete Frame.data(); }
};

TScrollFrame::TScrollFrame(TWinControl* Control) : FImpl(std::make_unique<TImpl>())
{
    FImpl->Control = Control;
    Frames()[Control] = this;
    QWidget* client = TWidgetBridge::Widget(Control);
    QWidget* parent = client != nullptr ? client->parentWidget() : nullptr;
    if (parent == nullptr)
        return;
    auto* frame = new TFrameWidget(parent);
    FImpl->Frame = frame;
    for (int v = 0; v < 2; ++v) {
        auto* bar = new QScrollBar(v ? Qt::Vertical : Qt::Horizontal, frame);
        bar->setFocusPolicy(Qt::NoFocus);
        // The control hears the mouse moving over a bar, buttons up too.
        bar->setMouseTracking(true);
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
    FImpl->Filter = std::make_unique<TBarFilter>(Control, FImpl->Bars[1]);
    for (QScrollBar* bar : FImpl->Bars)
        bar->installEventFilter(FImpl->Filter.get());
    frame->stackUnder(client);
}

TScrollFrame::~TScrollFrame()
{
    auto& frames = Frames();
    auto it = frames.find(FImpl->Control);
    if (it != frames.end() && it->second == this)
        frames.erase(it);
}

Integer TScrollFrame::BarExtent()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void TScrollFrame::Layout(Integer Border, bool ShowVertical, bool ShowHorizontal, Integer Top, bool LeftScrollBar)
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
    // The client window starts right of a vertical bar at the left edge.
    const Integer cx = Border + (ShowVertical && LeftScrollBar ? sb : 0);
    frame->Border = Border;
    frame->Uncovered = QRegion(0, 0, c->Width(), c->Height()) - QRegion(cx, Border + Top, cw, ch);
    frame->setGeometry(c->Left(), c->Top(), std::max<Integer>(c->Width(), 0), std::max<Integer>(c->Height(), 0));
    frame->setVisible((Border > 0 || Top > 0 || ShowVertical || ShowHorizontal) && c->Visible());
    client->setGeometry(c->Left() + cx, c->Top() + Border + Top, cw, ch);
    if (QScrollBar* v = FImpl->Bars[1]) {
        v->setGeometry(LeftScrollBar ? Border : Border + cw, Border + Top, sb, ch);
        v->setVisible(ShowVertical);
    }
    if (QScrollBar* h = FImpl->Bars[0]) {
        h->setGeometry(cx, Border + Top + ch, cw, sb);
        h->setVisible(ShowHorizontal);
    }
    frame->update();
}

void TScrollFrame::SetBar(bool Vertical, Integer Min, Integer Max, Integer Page, Integer Pos)
{
    FImpl->Pos[Vertical] = Pos;
    FImpl->Min[Vertical] = Min;
    FImpl->Max[Vertical] = Max;
    FImpl->Page[Vertical] = Page;
    QScrollBar* bar = FImpl->Bars[Vertical];
    if (bar == nullptr)
        return;
    FImpl->Setting = true;
    // Qt's maximum is the last position, the platform's the end of the range.
    const Integer last = std::max(Min, Max - std::max<Integer>(Page - 1, 0));
    bar->setRange(Min, last);
    // A bar shown with nothing to scroll is disabled.
    bar->setEnabled(last > Min);
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

namespace {
TScrollFrame* FrameOf(const TWinControl* Control)
{
    auto& frames = Frames();
    auto it = frames.find(Control);
    return it == frames.end() ? nullptr : it->second;
}
} // namespace

bool TScrollFrame::Info(bool Vertical, TScrollInfo& Info) const
{
    if (Info.fMask & SIF_RANGE) {
        Info.nMin = FImpl->Min[Vertical];
        Info.nMax = FImpl->Max[Vertical];
    }
    if (Info.fMask & SIF_PAGE)
        Info.nPage = Cardinal(std::max<Integer>(FImpl->Page[Vertical], 0));
    if (Info.fMask & SIF_POS)
        Info.nPos = FImpl->Pos[Vertical];
    if (Info.fMask & SIF_TRACKPOS)
        Info.nTrackPos = TrackPosition(Vertical);
    return true;
}

bool TScrollFrame::BarInfo(bool Vertical, TScrollBarInfo& Info) const
{
    QScrollBar* bar = FImpl->Bars[Vertical];
    if (bar == nullptr)
        return false;
    Info = TScrollBarInfo();
    const QPoint g = bar->mapToGlobal(QPoint(0, 0));
    Info.rcScrollBar = TRect(g.x(), g.y(), g.x() + bar->width(), g.y() + bar->height());
    if (bar->isHidden() || !FImpl->Control->Visible())
        Info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    if (!bar->isEnabled())
        Info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = Vertical ? bar->invertedAppearance() : bar->invertedAppearance() != (opt.direction == Qt::RightToLeft);
    if (!Vertical)
        opt.state |= QStyle::State_Horizontal;
    QStyle* style = bar->style();
    const QRect line = style->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarAddLine, bar);
    Info.dxyLineButton = Vertical ? line.height() : line.width();
    const QRect slider = style->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    const TPoint a = FImpl->Control->ScreenToClient(TPoint(g.x() + slider.left(), g.y() + slider.top()));
    Info.xyThumbTop = Vertical ? a.Y : a.X;
    Info.xyThumbBottom = Info.xyThumbTop + (Vertical ? slider.height() : slider.width());
    return true;
}

bool GetScrollInfo(TWinControl* Control, int Bar, TScrollInfo& Info)
{
    TScrollFrame* frame = FrameOf(Control);
    return frame != nullptr && (Bar == SB_VERT || Bar == SB_HORZ) && frame->Info(Bar == SB_VERT, Info);
}

Integer SetScrollInfo(TWinControl* Control, int Bar, const TScrollInfo& Info, bool)
{
    TScrollFrame* frame = FrameOf(Control);
    if (frame == nullptr || (Bar != SB_VERT && Bar != SB_HORZ))
        return 0;
    const bool vertical = Bar == SB_VERT;
    TScrollInfo now;
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    frame->Info(vertical, now);
    if (Info.fMask & SIF_RANGE) {
        now.nMin = Info.nMin;
        now.nMax = Info.nMax;
    }
    if (Info.fMask & SIF_PAGE)
        now.nPage = Info.nPage;
    if (Info.fMask & SIF_POS)
        now.nPos = Info.nPos;
    frame->SetBar(vertical, now.nMin, now.nMax, Integer(now.nPage), now.nPos);
    return now.nPos;
}

bool GetScrollBarInfo(TWinControl* Control, LPARAM IdObject, TScrollBarInfo& Info)
{
    TScrollFrame* frame = FrameOf(Control);
    return frame != nullptr && (IdObject == OBJID_VSCROLL || IdObject == OBJID_HSCROLL) && frame->BarInfo(IdObject == OBJID_VSCROLL, Info);
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
