#pragma once
// What a screenshot test asks of the pixels a user sees: how many pixels of
// an area have a colour, and where a control lies in a grabbed window.
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

#include "platform/Control.h"

namespace testsupport {

// The pixels of Area (cut to the image) within Tolerance of Colour in each
// of red, green and blue.
inline int CountColour(const QImage& Image, const QRect& Area, const QColor& Colour, int Tolerance = 0)
{
    const QRect r = Area.intersected(Image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            if (std::abs(c.red() - Colour.red()) <= Tolerance && std::abs(c.green() - Colour.green()) <= Tolerance
                && std::abs(c.blue() - Colour.blue()) <= Tolerance)
                ++n;
        }
    return n;
}

// The pixels of Area darker than Level in every channel (drawn text).
inline int CountDark(const QImage& Image, const QRect& Area, int Level = 100)
{
    return CountColour(Image, Area, QColor(0, 0, 0), Level);
}

// Where Control lies in a grab of Root (Root's client coordinates).
inline QRect AreaOf(const TControl* Control, const TControl* Root)
{
    const TPoint p = Control->ClientToScreen(TPoint(0, 0));
    const TPoint o = Root->ClientToScreen(TPoint(0, 0));
    return QRect(p.X - o.X, p.Y - o.Y, Control->Width(), Control->Height());
}

} // namespace testsupport
