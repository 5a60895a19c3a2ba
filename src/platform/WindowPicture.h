#pragma once
// A picture of what a control's window shows, for the image that follows
// the mouse while something is dragged out of it, and of what the screen
// shows, for pictures that start from it (drag images, hint animations).

#include <QImage>

#include "platform/Types.h"

class TWinControl;

// The area (client coordinates) of the control's window as it is drawn now;
// empty when the control has no window.
QImage WindowPicture(TWinControl* Control, const TRect& Area);

// What the screen shows at Area (screen coordinates), at Area's size; a null
// image where the screen cannot be read.
QImage ScreenPicture(const TRect& Area);
