#pragma once
// A picture of what a control's window shows, for the image that follows
// the mouse while something is dragged out of it.

#include <QImage>

#include "platform/Types.h"

class TWinControl;

// The area (client coordinates) of the control's window as it is drawn now;
// empty when the control has no window.
QImage WindowPicture(TWinControl* Control, const TRect& Area);
