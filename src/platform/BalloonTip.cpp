// The balloon tip window over Qt: a frameless tool-tip window drawn by hand
// (rounded box, stem, icon, title, text), with the delays of a tip tool.

#include "platform/BalloonTip.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "platform/Control.h"
#include "platform/GraphicsQt.h"
#include "platform/WidgetBridge.h"

namespace {

constexpr int Margin = 8;
constexpr int Stem = 12;       // height of the stem
constexpr int StemAt = 20;     // the stem's tip, from the window's left edge
constexpr int IconSize = 16;
constexpr Integer SystemAutoHide = 5000;

QColor Colour(TColor C, QPalette::ColorRole Role)
{
    return C == clNone ? QApplication::palette().color(Role) : ToQColor(ColorToRGB(C));
}

void DrawIcon(QPainter& p, const QRect& r, Integer Icon)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    if (Icon == btiWarning) {
        QPainterPath tri;
        tri.moveTo(r.center().x() + 0.5, r.top());
        tri.lineTo(r.right() + 1, r.bottom() + 1);
        tri.lineTo(r.left(), r.bottom() + 1);
        tri.closeSubpath();
        p.setBrush(QColor(0xF0, 0xC0, 0x20));
        p.drawPath(tri);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(0, 3, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
    } else {
        p.setBrush(Icon == btiError ? QColor(0xD0, 0x30, 0x30) : QColor(0x30, 0x70, 0xD0));
        p.drawEllipse(r);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, Icon == btiError ? QStringLiteral("x") : QStringLiteral("i"));
    }
    p.restore();
}

} // namespace

class TBalloonTipWindow : public QWidget {
public:
    explicit TBalloonTipWindow(TBalloonTip* Tip)
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), FTip(Tip)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
        FRest.setSingleShot(true);
        FHide.setSingleShot(true);
        QObject::connect(&FRest, &QTimer::timeout, this, [this] { FTip->ShowTool(); });
        QObject::connect(&FHide, &QTimer::timeout, this, [this] { FTip->Pop(); });
    }

    // Size and place for the texts, the stem's tip at Spot.
    void Place(TPoint Spot)
    {
        FBelow = true;
        const QSize s = Layout();
        QPoint at(Spot.X - StemAt, Spot.Y);
        if (QScreen* screen = QGuiApplication::screenAt(QPoint(Spot.X, Spot.Y))) {
            const QRect avail = screen->availableGeometry();
            if (at.y() + s.height() > avail.bottom() && Spot.Y - s.height() >= avail.top()) {
                FBelow = false;
                at.setY(Spot.Y - s.height());
            }
            at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - s.width())));
        }
        setGeometry(QRect(at, s));
    }

    QSize Layout()
    {
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics fb(bold), fm(font());
        const int maxText = std::max(60, int(FTip->FMaxWidth) - 2 * Margin);
        FTextRect = fm.boundingRect(QRect(0, 0, maxText, 4000), Qt::TextWordWrap, FTip->FText);
        const bool head = !FTip->FTitle.trimmed().isEmpty() || FTip->FIcon != btiNone;
        const int iconW = FTip->FIcon != btiNone ? IconSize + 6 : 0;
        FHeadHeight = head ? std::max(IconSize, fb.height()) + 4 : 0;
        const int headW = head ? iconW + fb.horizontalAdvance(FTip->FTitle) : 0;
        const int w = std::max({headW, FTextRect.width(), StemAt + 10}) + 2 * Margin;
        const int h = Stem + Margin + FHeadHeight + FTextRect.height() + Margin;
        return {w, h};
    }

    TBalloonTip* FTip;
    QTimer FRest, FHide;
    QPointer<QWidget> FTool;
    bool FBelow = true;
    bool FTracking = false;  // shown by ShowAt: any key or click ends it
    QRect FTextRect;
    int FHeadHeight = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QColor back = Colour(FTip->FBackgroundColor, QPalette::ToolTipBase);
        const QColor ink = Colour(FTip->FTextColor, QPalette::ToolTipText);
        const QRectF box = FBelow ? QRectF(0.5, Stem + 0.5, width() - 1, height() - Stem - 1)
                                  : QRectF(0.5, 0.5, width() - 1, height() - Stem - 1);
        QPainterPath path;
        path.addRoundedRect(box, 6, 6);
        QPainterPath stem;
        if (FBelow) {
            stem.moveTo(StemAt, 0.5);
            stem.lineTo(StemAt + 14, box.top() + 1);
            stem.lineTo(StemAt, box.top() + 1);
        } else {
            stem.moveTo(StemAt, height() - 0.5);
            stem.lineTo(StemAt + 14, box.bottom() - 1);
            stem.lineTo(StemAt, box.bottom() - 1);
        }
        stem.closeSubpath();
        path = path.united(stem);
        p.setPen(QPen(QColor(0x64, 0x64, 0x64), 1));
        p.setBrush(back);
        p.drawPath(path);

        const int top = int(box.top()) + Margin;
        int x = Margin;
        if (FTip->FIcon != btiNone) {
            DrawIcon(p, QRect(x, top, IconSize, IconSize), FTip->FIcon);
            x += IconSize + 6;
        }
        p.setPen(ink);
        if (FHeadHeight > 0) {
            QFont bold = font();
            bold.setBold(true);
            p.setFont(bold);
            p.drawText(QRect(x, top, width() - x - Margin, std::max(IconSize, QFontMetrics(bold).height())),
                       Qt::AlignLeft | Qt::AlignVCenter, FTip->FTitle);
            p.setFont(font());
        }
        p.drawText(QRect(Margin, top + FHeadHeight, FTextRect.width() + 1, FTextRect.height()), Qt::TextWordWrap,
                   FTip->FText);
    }

    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (FTracking) {
            if (E->type() == QEvent::KeyPress || E->type() == QEvent::MouseButtonPress)
                FTip->Pop();
            return false;
        }
        if (Watched != FTool.data())
            return false;
        switch (E->type()) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent*>(E)->position().toPoint();
            if (!isVisible())
                FTip->Rested({pos.x(), pos.y()});
            break;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            FRest.stop();
            if (isVisible())
                FTip->Pop();
            break;
        default:
            break;
        }
        return false;
    }
};

TBalloonTip::TBalloonTip(TWinControl* Owner) : FOwner(Owner), FWindow(std::make_unique<TBalloonTipWindow>(this))
{
    if (Owner != nullptr) {
        if (QWidget* w = TWidgetBridge::Widget(Owner)) {
            FWindow->FTool = w;
            w->setMouseTracking(true);
            w->installEventFilter(FWindow.get());
        }
    }
}

TBalloonTip::~TBalloonTip()
{
    if (FWindow->FTool)
        FWindow->FTool->removeEventFilter(FWindow.get());
    if (FWindow->FTracking)
        qApp->removeEventFilter(FWindow.get());
}

void TBalloonTip::SetTitle(Integer Icon, const QString& Title)
{
    FIcon = Icon >= 0 && Icon <= 3 ? Icon : 0;
    FTitle = Title;
}

void TBalloonTip::SetInitialDelay(Integer Ms) { FInitialDelay = Ms; }
void TBalloonTip::SetReshowDelay(Integer Ms) { FReshowDelay = Ms; }
void TBalloonTip::SetAutoHideDelay(Integer Ms) { FAutoHideDelay = Ms; }

void TBalloonTip::SetTextColor(TColor Value)
{
    FTextColor = Value;
    FWindow->update();
}

void TBalloonTip::SetBackgroundColor(TColor Value)
{
    FBackgroundColor = Value;
    FWindow->update();
}

void TBalloonTip::SetMaxTipWidth(Integer Value) { FMaxWidth = Value; }

void TBalloonTip::SetAlpha(Byte Value)
{
    FAlpha = Value;
    FWindow->setWindowOpacity(Value / 255.0);
}

void TBalloonTip::Rested(TPoint ClientPos)
{
    FRestPos = ClientPos;
    const Integer initial =
        FInitialDelay >= 0 ? FInitialDelay : QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
    const Integer reshow = FReshowDelay >= 0 ? FReshowDelay : initial / 5;
    FWindow->FRest.start(FPopped ? reshow : initial);
}

void TBalloonTip::FireInitialDelay()
{
    if (!FWindow->FRest.isActive())
        return;
    FWindow->FRest.stop();
    ShowTool();
}

void TBalloonTip::ShowTool()
{
    QWidget* tool = FWindow->FTool.data();
    if (tool == nullptr || !tool->isVisible())
        return;
    QString title = FTitle, text;
    Integer icon = FIcon;
    if (OnNeedText)
        OnNeedText(FRestPos, title, text, icon);
    if (text.isEmpty())
        return;
    const QPoint spot = tool->mapToGlobal(QPoint(FRestPos.X, FRestPos.Y));
    FTitle = title;
    FText = text;
    FIcon = icon >= 0 && icon <= 3 ? icon : 0;
    FWindow->Place({spot.x(), spot.y()});
    FWindow->show();
    FWindow->update();
    FWindow->FHide.start(FAutoHideDelay >= 0 ? FAutoHideDelay : SystemAutoHide);
}

void TBalloonTip::ShowAt(TPoint Spot, const QString& Title, const QString& Text, Integer Icon)
{
    FWindow->FRest.stop();
    FTitle = Title;
    FText = Text;
    FIcon = Icon >= 0 && Icon <= 3 ? Icon : 0;
    FWindow->Place(Spot);
    if (!FWindow->FTracking) {
        FWindow->FTracking = true;
        qApp->installEventFilter(FWindow.get());
    }
    FWindow->show();
    FWindow->update();
    FWindow->FHide.start(FAutoHideDelay >= 0 ? FAutoHideDelay : 2 * SystemAutoHide);
}

void TBalloonTip::Pop()
{
    FWindow->FHide.stop();
    FWindow->FRest.stop();
    if (FWindow->FTracking) {
        FWindow->FTracking = false;
        qApp->removeEventFilter(FWindow.get());
    }
    if (FWindow->isVisible()) {
        FPopped = true;
        FWindow->hide();
    }
}

bool TBalloonTip::Showing() const
{
    return FWindow->isVisible();
}

TRect TBalloonTip::ScreenRect() const
{
    if (!FWindow->isVisible())
        return {};
    const QRect g = FWindow->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

QImage TBalloonTip::Grab() const
{
    return FWindow->grab().toImage();
}
