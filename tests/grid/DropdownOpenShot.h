#pragma once
// The concrete dropdowns' tests: a picture of an open dropdown (the host
// form with the popup laid over it where the popup stands) kept as a
// screenshot, and the centre of a rectangle.
#include "DropdownFixture.h"

#include <QPainter>

inline TPoint CentreOf(const TRect& R)
{
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

// Saves the form with the open popup of Dd drawn at its place; the popup
// alone when it lies outside the form.
inline void SaveOpenDropDown(TForm* Form, TExCustomDropDown* Dd, const QString& Name)
{
    ASSERT_TRUE(Dd->DroppedDown()) << Name.toStdString();
    TDropDownForm* f = Dd->DropDownForm();
    const QImage popup = GrabControl(f);
    const TPoint origin = Form->ClientToScreen({0, 0});
    const Integer x = f->Left() - origin.X, y = f->Top() - origin.Y;
    const Integer w = std::max(Form->ClientWidth(), x + f->Width());
    const Integer h = std::max(Form->ClientHeight(), y + f->Height());
    QImage shot(w, h, QImage::Format_RGB32);
    shot.fill(Qt::white);
    {
        QPainter p(&shot);
        p.drawImage(0, 0, GrabControl(Form));
        p.drawImage(std::max(0, x), std::max(0, y), popup);
    }
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, Name).isEmpty());
}
