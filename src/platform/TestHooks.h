#pragma once
// For tests: drive controls with synthetic Qt input (it takes the same road
// as a user's: the event filter, the messages, the handlers) and grab what a
// control paints. Each call makes the control's window when it has none.

#include <QImage>
#include <QString>
#include "platform/Types.h"

class QMimeData;
class TControl;

namespace TestInput {
void MouseDown(TControl* control, TMouseButton button, TPoint pos, TShiftState shift = {});
void MouseUp(TControl* control, TMouseButton button, TPoint pos, TShiftState shift = {});
void MouseMove(TControl* control, TPoint pos, TShiftState shift = {});
// Down and up at pos (the control's centre by default).
void Click(TControl* control, TPoint pos = {-1, -1}, TMouseButton button = mbLeft, TShiftState shift = {});
// Down, up, double click, up: the sequence a double click makes.
void DblClick(TControl* control, TPoint pos = {-1, -1});
// One wheel notch is 120; positive turns away from the user.
void Wheel(TControl* control, Integer delta, TPoint pos = {-1, -1}, TShiftState shift = {});
void MouseEnter(TControl* control);
void MouseLeave(TControl* control);
// Key down (with the text it types, if any) and key up.
void PressKey(TControl* control, Word vk, TShiftState shift = {}, const QString& text = QString());
void KeyDown(TControl* control, Word vk, TShiftState shift = {}, const QString& text = QString());
void KeyUp(TControl* control, Word vk, TShiftState shift = {});
// Types each character as a key press.
void TypeText(TControl* control, const QString& text);
// Left-button input sent to the window the control sits on, at pos in the
// control's client coordinates, and routed by Qt as it routes the window
// system's: to the control under the point, or to the one holding the mouse.
enum TRoutedMouse { rmDown, rmMove, rmUp };
void RoutedMouse(TControl* control, TRoutedMouse what, TPoint pos);
// A drag carrying data, sent to the window the control sits on at pos in the
// control's client coordinates and routed by Qt to the widget that takes
// drops there. Offers copy and move; true when the target accepted the
// drag with an action.
enum TRoutedDrag { rdEnter, rdMove, rdLeave, rdDrop };
bool RoutedDrag(TControl* control, TRoutedDrag what, TPoint pos, const QMimeData* data);
// The same with the effects the source allows (DROPEFFECT_ bits) and the
// keys held (ssShift, ssCtrl, ssAlt); answers the effect the target chose
// (DROPEFFECT_NONE when it refused or for a leave).
Integer RoutedDragEffect(TControl* control, TRoutedDrag what, TPoint pos, const QMimeData* data, Integer allowed, TShiftState shift = {});
// Makes the window the control sits on the active one (as the user's click
// on it would), so that the focus moves as the user sees it.
void ActivateWindow(TControl* control);
} // namespace TestInput

// The control as it paints now (windowless controls with their parent's
// background), at its own size.
QImage GrabControl(TControl* control);
// What the screen shows over the area (screen coordinates): the program's
// visible windows, the active one over the others and those that stay on
// top over all.
QImage GrabScreen(const TRect& area);
