// Drag and drop over Qt: drop targets fed from Qt's drag events, the drag
// loop of a source, the picture the desktop shows under the pointer, and
// the test seam that replaces the drag loop.

#include "platform/DragDrop.h"

#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <cstdio>
#include <deque>

#include "platform/WidgetBridge.h"

namespace {
struct TSeam {
    std::deque<DragSeam::TDragScript> Scripts;
    bool Strict = false;
    std::function<void()> Unqueued;
};

TSeam& Seam()
{
    static TSeam seam;
    return seam;
}

const char* const PictureProperty = "arvintoDragPicture";
const char* const HotSpotProperty = "arvintoDragHotSpot";

bool HeadlessDesktop()
{
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}
} // namespace

WPARAM DragKeyStateOf(int QtButtons, int QtModifiers)
{
    WPARAM k = 0;
    if (QtButtons & Qt::LeftButton)
        k |= MK_LBUTTON;
    if (QtButtons & Qt::RightButton)
        k |= MK_RBUTTON;
    if (QtButtons & Qt::MiddleButton)
        k |= MK_MBUTTON;
    if (QtModifiers & Qt::ShiftModifier)
        k |= MK_SHIFT;
    if (QtModifiers & Qt::ControlModifier)
        k |= MK_CONTROL;
    if (QtModifiers & Qt::AltModifier)
        k |= MK_ALT;
    return k;
}

int QtActionOf(Integer Effect)
{
    if (Effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (Effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (Effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

Integer DropEffectsOf(int QtActions)
{
    Integer e = 0;
    if (QtActions & Qt::CopyAction)
        e |= DROPEFFECT_COPY;
    if (QtActions & Qt::MoveAction)
        e |= DROPEFFECT_MOVE;
    if (QtActions & Qt::LinkAction)
        e |= DROPEFFECT_LINK;
    return e;
}

int QtActionsOf(Integer Effects)
{
    int a = 0;
    if (Effects & DROPEFFECT_COPY)
        a |= Qt::CopyAction;
    if (Effects & DROPEFFECT_MOVE)
        a |= Qt::MoveAction;
    if (Effects & DROPEFFECT_LINK)
        a |= Qt::LinkAction;
    return a;
}

bool RegisterDropTarget(HWND Wnd, std::shared_ptr<IDropTarget> Target)
{
    if (!Target)
        return false;
    return RegisterDragDrop(Wnd, [Target](QEvent* Event, TPoint Origin) {
        if (Event->type() == QEvent::DragLeave) {
            Target->DragLeave();
            return true;
        }
        auto* e = static_cast<QDropEvent*>(Event);
        const QPoint p = e->position().toPoint();
        const TPoint screen(Origin.X + p.x(), Origin.Y + p.y());
        const Integer keys = Integer(DragKeyStateOf(int(e->buttons()), int(e->modifiers())));
        Integer effect = DropEffectsOf(e->possibleActions());
        HRESULT hr = S_OK;
        switch (Event->type()) {
        case QEvent::DragEnter: hr = Target->DragEnter(e->mimeData(), keys, screen, effect); break;
        case QEvent::DragMove: hr = Target->DragOver(keys, screen, effect); break;
        default: hr = Target->Drop(e->mimeData(), keys, screen, effect); break;
        }
        const auto action = Qt::DropAction(hr == S_OK ? QtActionOf(effect & ~DROPEFFECT_SCROLL) : Qt::IgnoreAction);
        e->setDropAction(action);
        if (action == Qt::IgnoreAction)
            e->ignore();
        else
            e->accept();
        return true;
    });
}

bool DragImageHelperAvailable()
{
    TSeam& seam = Seam();
    return !HeadlessDesktop() && !seam.Strict && seam.Scripts.empty();
}

bool SetDragImage(QMimeData* DataObject, const QImage& Picture, TPoint HotSpot)
{
    if (DataObject == nullptr || Picture.isNull() || !DragImageHelperAvailable())
        return false;
    DataObject->setProperty(PictureProperty, Picture);
    DataObject->setProperty(HotSpotProperty, QPoint(HotSpot.X, HotSpot.Y));
    return true;
}

HRESULT DoDragDrop(TWinControl* Control, QMimeData* DataObject, IDropSource* Source, Integer AllowedEffects, Integer& Effect)
{
    Effect = DROPEFFECT_NONE;
    if (DataObject == nullptr)
        return E_FAIL;
    TSeam& seam = Seam();
    if (!seam.Scripts.empty()) {
        const DragSeam::TDragScript script = std::move(seam.Scripts.front());
        seam.Scripts.pop_front();
        std::unique_ptr<QMimeData> data(DataObject);
        Effect = script(data.get(), AllowedEffects) & AllowedEffects;
        return Effect != DROPEFFECT_NONE ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    }
    QWidget* widget = Control != nullptr ? TWidgetBridge::Widget(Control) : nullptr;
    if (seam.Strict || HeadlessDesktop() || widget == nullptr) {
        delete DataObject;
        if (seam.Strict) {
            if (seam.Unqueued)
                seam.Unqueued();
            else
                std::fprintf(stderr, "A drag nobody queued\n");
        }
        return widget == nullptr ? E_FAIL : DRAGDROP_S_CANCEL;
    }
    QPointer<QDrag> drag = new QDrag(widget);
    const QImage picture = DataObject->property(PictureProperty).value<QImage>();
    if (!picture.isNull()) {
        drag->setPixmap(QPixmap::fromImage(picture));
        drag->setHotSpot(DataObject->property(HotSpotProperty).toPoint());
    }
    drag->setMimeData(DataObject);
    // The source is asked while the loop runs whether the drag goes on
    // (both buttons pressed cancel it; Escape ends it in the loop itself).
    QTimer ask;
    if (Source != nullptr) {
        QObject::connect(&ask, &QTimer::timeout, [Source] {
            const Integer keys = Integer(DragKeyStateOf(int(QGuiApplication::mouseButtons()), int(QGuiApplication::queryKeyboardModifiers())));
            if (Source->QueryContinueDrag(false, keys) == DRAGDROP_S_CANCEL)
                QDrag::cancel();
        });
        ask.start(50);
    }
    const Qt::DropAction preferred = (AllowedEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : (AllowedEffects & DROPEFFECT_COPY) ? Qt::CopyAction : Qt::LinkAction;
    const Qt::DropAction result = drag->exec(Qt::DropActions(QtActionsOf(AllowedEffects)), preferred);
    ask.stop();
    delete drag.data();
    Effect = DropEffectsOf(result) & AllowedEffects;
    return Effect != DROPEFFECT_NONE ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}

namespace DragSeam {
void QueueDrag(TDragScript Script)
{
    Seam().Scripts.push_back(std::move(Script));
}

Integer PendingDrags()
{
    return Integer(Seam().Scripts.size());
}

void Clear()
{
    Seam().Scripts.clear();
}

void SetStrict(bool Strict)
{
    Seam().Strict = Strict;
}

void SetUnqueuedHandler(std::function<void()> Handler)
{
    Seam().Unqueued = std::move(Handler);
}
} // namespace DragSeam
