// Accessibility over Qt: the accessible objects that controls answer
// WM_GETOBJECT with are served to Qt's accessibility (and through it to the
// desktop's assistive programs) by an interface for the window and one for
// each item; NotifyWinEvent becomes Qt's accessibility events.

#include "platform/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/WidgetBridge.h"

namespace {

QAccessible::Role RoleOf(Cardinal Role)
{
    switch (Role) {
    case ROLE_SYSTEM_OUTLINE: return QAccessible::Tree;
    case ROLE_SYSTEM_OUTLINEITEM: return QAccessible::TreeItem;
    default: return QAccessible::Client;
    }
}

QAccessible::State StateOf(Cardinal S)
{
    QAccessible::State q;
    q.disabled = (S & STATE_SYSTEM_UNAVAILABLE) != 0;
    q.selected = (S & STATE_SYSTEM_SELECTED) != 0;
    q.focused = (S & STATE_SYSTEM_FOCUSED) != 0;
    q.checkable = (S & (STATE_CHECKABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED)) != 0;
    q.checked = (S & STATE_SYSTEM_CHECKED) != 0;
    q.checkStateMixed = (S & STATE_SYSTEM_MIXED) != 0;
    q.expanded = (S & STATE_SYSTEM_EXPANDED) != 0;
    q.collapsed = (S & STATE_SYSTEM_COLLAPSED) != 0;
    q.expandable = (S & (STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED)) != 0;
    q.invisible = (S & STATE_SYSTEM_INVISIBLE) != 0;
    q.offscreen = (S & STATE_SYSTEM_OFFSCREEN) != 0;
    q.focusable = (S & STATE_SYSTEM_FOCUSABLE) != 0;
    q.selectable = (S & STATE_SYSTEM_SELECTABLE) != 0;
    q.multiSelectable = (S & STATE_SYSTEM_MULTISELECTABLE) != 0;
    return q;
}

QRect RectOf(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Width(), R.Height());
}

class TAccessibleWindow;

// One item of a window's accessible object, known by its key.
class TAccessibleItem : public QAccessibleInterface {
public:
    TAccessibleItem(TAccessibleWindow* Window, const void* Key) : FWindow(Window), FKey(Key) {}
    bool isValid() const override { return Child() > 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override { return {}; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    Integer Child() const;
    IAccessible* Object() const;
    TAccessibleWindow* FWindow;
    const void* FKey;
};

// A control's window whose control answered WM_GETOBJECT with an object.
class TAccessibleWindow : public QAccessibleWidget {
public:
    TAccessibleWindow(QWidget* Widget, std::shared_ptr<IAccessible> Object)
        : QAccessibleWidget(Widget, RoleOf(Object->Role(CHILDID_SELF))), FObject(std::move(Object))
    {
    }
    ~TAccessibleWindow() override
    {
        for (const auto& [key, id] : FItems)
            QAccessible::deleteAccessibleInterface(id);
    }
    IAccessible* Object() const { return FObject.get(); }

    int childCount() const override { return std::max<Integer>(FObject->ChildCount(), 0); }
    QAccessibleInterface* child(int Index) const override { return Item(Index + 1); }
    int indexOfChild(const QAccessibleInterface* Child) const override
    {
        for (const auto& [key, id] : FItems)
            if (QAccessible::accessibleInterface(id) == Child) {
                const Integer c = FObject->ChildOfKey(key);
                return c > 0 ? c - 1 : -1;
            }
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        const Integer c = FObject->Focus();
        return c > 0 ? Item(c) : nullptr;
    }
    QAccessibleInterface* childAt(int X, int Y) const override
    {
        const Integer c = FObject->HitTest(TPoint(X, Y));
        return c > 0 ? Item(c) : nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        QString s;
        switch (t) {
        case QAccessible::Name: s = FObject->Name(CHILDID_SELF); break;
        case QAccessible::Value: s = FObject->Value(CHILDID_SELF); break;
        case QAccessible::Description: s = FObject->Description(CHILDID_SELF); break;
        default: break;
        }
        return s.isEmpty() ? QAccessibleWidget::text(t) : s;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const QAccessible::State own = StateOf(FObject->State(CHILDID_SELF));
        s.multiSelectable = own.multiSelectable;
        return s;
    }
    // The interface of item Child (1..n), kept for the item's life.
    QAccessibleInterface* Item(Integer Child) const
    {
        if (Child < 1 || Child > FObject->ChildCount())
            return nullptr;
        const void* key = FObject->ChildKey(Child);
        if (key == nullptr)
            return nullptr;
        auto it = FItems.find(key);
        if (it != FItems.end())
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(it->second))
                return known;
        auto* item = new TAccessibleItem(const_cast<TAccessibleWindow*>(this), key);
        FItems[key] = QAccessible::registerAccessibleInterface(item);
        return item;
    }

private:
    std::shared_ptr<IAccessible> FObject;
    mutable std::map<const void*, QAccessible::Id> FItems;
};

QWindow* TAccessibleItem::window() const
{
    return FWindow->window();
}

QAccessibleInterface* TAccessibleItem::parent() const
{
    return FWindow;
}

IAccessible* TAccessibleItem::Object() const
{
    return FWindow->Object();
}

Integer TAccessibleItem::Child() const
{
    return Object()->ChildOfKey(FKey);
}

QString TAccessibleItem::text(QAccessible::Text t) const
{
    const Integer c = Child();
    if (c <= 0)
        return QString();
    switch (t) {
    case QAccessible::Name: return Object()->Name(c);
    case QAccessible::Value: return Object()->Value(c);
    case QAccessible::Description: return Object()->Description(c);
    default: return QString();
    }
}

QRect TAccessibleItem::rect() const
{
    const Integer c = Child();
    return c > 0 ? RectOf(Object()->Location(c)) : QRect();
}

QAccessible::Role TAccessibleItem::role() const
{
    const Integer c = Child();
    return c > 0 ? RoleOf(Object()->Role(c)) : QAccessible::NoRole;
}

QAccessible::State TAccessibleItem::state() const
{
    const Integer c = Child();
    QAccessible::State s;
    if (c <= 0) {
        s.invalid = true;
        return s;
    }
    return StateOf(Object()->State(c));
}

// Qt asks here for the interface of each object; controls with an
// accessible object of their own get the window interface above.
QAccessibleInterface* Factory(const QString&, QObject* Object)
{
    auto* widget = qobject_cast<QWidget*>(Object);
    TControl* control = widget != nullptr ? TWidgetBridge::ControlOf(widget) : nullptr;
    if (control == nullptr || TWidgetBridge::Widget(control) != widget)
        return nullptr;
    TWinHandle* handle = TWidgetBridge::HandleOf(control);
    if (handle == nullptr || control->Perform(WM_GETOBJECT, 0, OBJID_CLIENT) == 0 || !handle->Accessible)
        return nullptr;
    return new TAccessibleWindow(widget, handle->Accessible);
}
// Qt passes events on only while a reader listens; tests see them here.
void Send(QAccessibleEvent& Event)
{
    if (AccessibleEventSeam::Observer)
        AccessibleEventSeam::Observer(Event);
    QAccessible::updateAccessibility(&Event);
}
} // namespace

namespace AccessibleEventSeam {
std::function<void(QAccessibleEvent&)> Observer;
}

void InstallAccessibleFactory()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(Factory);
    }
}

LRESULT LresultFromObject(HWND Wnd, std::shared_ptr<IAccessible> Object)
{
    if (Wnd == nullptr || !Object)
        return 0;
    Wnd->Accessible = std::move(Object);
    return 1;
}

void NotifyWinEvent(Cardinal Event, HWND Wnd, LPARAM IdObject, Integer IdChild)
{
    if (Wnd == nullptr || Wnd->Widget.isNull() || IdObject != OBJID_CLIENT)
        return;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Wnd->Widget.data());
    auto* own = dynamic_cast<TAccessibleWindow*>(window);
    if (own == nullptr)
        return;
    Integer child = IdChild;
    if (Event == EVENT_OBJECT_FOCUS && child == CHILDID_SELF)
        child = std::max<Integer>(own->Object()->Focus(), CHILDID_SELF);
    QAccessibleInterface* target = child > 0 ? own->Item(child) : window;
    if (target == nullptr)
        target = window;
    switch (Event) {
    case EVENT_OBJECT_FOCUS: {
        QAccessibleEvent e(target, QAccessible::Focus);
        Send(e);
        break;
    }
    case EVENT_OBJECT_SELECTION: {
        QAccessibleEvent e(target, QAccessible::Selection);
        Send(e);
        break;
    }
    case EVENT_OBJECT_STATECHANGE: {
        QAccessible::State changed;
        changed.checked = changed.checkStateMixed = changed.expanded = changed.collapsed = changed.selected = changed.focused = true;
        QAccessibleStateChangeEvent e(target, changed);
        Send(e);
        break;
    }
    case EVENT_OBJECT_LOCATIONCHANGE: {
        QAccessibleEvent e(target, QAccessible::LocationChanged);
        Send(e);
        break;
    }
    case EVENT_OBJECT_NAMECHANGE: {
        QAccessibleEvent e(target, QAccessible::NameChanged);
        Send(e);
        break;
    }
    case EVENT_OBJECT_VALUECHANGE: {
        QAccessibleValueChangeEvent e(target, target->text(QAccessible::Value));
        Send(e);
        break;
    }
    default: break;
    }
}
