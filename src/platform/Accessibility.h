#pragma once
// Accessibility: what assistive programs (screen readers) learn of a
// control. A control answers WM_GETOBJECT for its client area with an
// accessible object (LresultFromObject); the layer hands that object to
// Qt's accessibility, which serves the desktop's assistive programs, and
// turns NotifyWinEvent into Qt's accessibility events. The object speaks
// of itself as child 0 (CHILDID_SELF) and of its items as children 1..n.

#include <functional>
#include <memory>

#include "platform/Messages.h"

class QAccessibleEvent;

constexpr Cardinal WM_GETOBJECT = 0x003D;
constexpr LPARAM OBJID_WINDOW = 0;
constexpr LPARAM OBJID_CLIENT = -4;
constexpr Integer CHILDID_SELF = 0;

// Events of NotifyWinEvent.
constexpr Cardinal EVENT_OBJECT_FOCUS = 0x8005;
constexpr Cardinal EVENT_OBJECT_SELECTION = 0x8006;
constexpr Cardinal EVENT_OBJECT_STATECHANGE = 0x800A;
constexpr Cardinal EVENT_OBJECT_LOCATIONCHANGE = 0x800B;
constexpr Cardinal EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr Cardinal EVENT_OBJECT_VALUECHANGE = 0x800E;

// Roles.
constexpr Cardinal ROLE_SYSTEM_CLIENT = 0x0A;
constexpr Cardinal ROLE_SYSTEM_OUTLINE = 0x23;
constexpr Cardinal ROLE_SYSTEM_OUTLINEITEM = 0x24;

// States.
constexpr Cardinal STATE_SYSTEM_UNAVAILABLE = 0x00000001;
constexpr Cardinal STATE_SYSTEM_SELECTED = 0x00000002;
constexpr Cardinal STATE_SYSTEM_FOCUSED = 0x00000004;
constexpr Cardinal STATE_SYSTEM_CHECKED = 0x00000010;
constexpr Cardinal STATE_SYSTEM_MIXED = 0x00000020;
constexpr Cardinal STATE_SYSTEM_EXPANDED = 0x00000200;
constexpr Cardinal STATE_SYSTEM_COLLAPSED = 0x00000400;
constexpr Cardinal STATE_SYSTEM_INVISIBLE = 0x00008000;
constexpr Cardinal STATE_SYSTEM_OFFSCREEN = 0x00010000;
constexpr Cardinal STATE_SYSTEM_FOCUSABLE = 0x00100000;
constexpr Cardinal STATE_SYSTEM_SELECTABLE = 0x00200000;
constexpr Cardinal STATE_SYSTEM_MULTISELECTABLE = 0x01000000;
// Not a system state: the item carries a check box (checked or not).
constexpr Cardinal STATE_CHECKABLE = 0x80000000;

// An object that assistive programs read. Child is CHILDID_SELF or an item
// 1..ChildCount(); points and rectangles are in screen coordinates.
class IAccessible {
public:
    virtual ~IAccessible() = default;
    virtual Integer ChildCount() = 0;
    virtual QString Name(Integer Child) = 0;
    virtual QString Value(Integer Child) = 0;
    virtual QString Description(Integer Child) = 0;
    virtual Cardinal Role(Integer Child) = 0;
    virtual Cardinal State(Integer Child) = 0;
    virtual TRect Location(Integer Child) = 0;
    // The child with the focus, CHILDID_SELF, or -1 when the object has none.
    virtual Integer Focus() = 0;
    // The child at a point, CHILDID_SELF, or -1 when the point is outside.
    virtual Integer HitTest(TPoint P) = 0;
    // A key that names an item as long as it lives (its child number may
    // change); the child number of a key, -1 once the item is gone.
    virtual const void* ChildKey(Integer Child) = 0;
    virtual Integer ChildOfKey(const void* Key) = 0;
    // The control goes: from now on the object answers as an empty one.
    virtual void Disconnect() = 0;
};

// Keeps Object as the accessible object of the window's client area and
// answers WM_GETOBJECT with it (non-zero); 0 for no object.
LRESULT LresultFromObject(HWND Wnd, std::shared_ptr<IAccessible> Object);
// Tells assistive programs of a change of the window's object (IdChild
// CHILDID_SELF) or of one of its items. A focus event for the object goes to
// the item that has the focus.
void NotifyWinEvent(Cardinal Event, HWND Wnd, LPARAM IdObject, Integer IdChild);

// Sees every event NotifyWinEvent hands to Qt's accessibility (which passes
// them on only while an assistive program listens).
namespace AccessibleEventSeam {
extern std::function<void(QAccessibleEvent&)> Observer;
}
