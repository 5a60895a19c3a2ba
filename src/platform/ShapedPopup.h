#pragma once
// A small popup window that shows one picture, shaped by the picture's
// transparency key (pixels of that colour are not part of the window). It
// never takes the activation, so the control that opened it keeps the focus.

#include <QImage>
#include <QRegion>
#include <memory>

#include "platform/Control.h"

class QWidget;

// The region of the picture's pixels that are not Transparent: per row, the
// runs of other colours as one-pixel-high rectangles.
QRegion RegionFromImage(const QImage& Picture, TColor Transparent);

class TShapedPopup {
public:
    TShapedPopup();
    ~TShapedPopup();
    // Shows Picture with its top-left corner at the screen point.
    void Show(TPoint ScreenPos, const QImage& Picture, TColor Transparent);
    void Hide();
    bool Visible() const;
    TRect BoundsRect() const;
    const QRegion& Region() const { return FRegion; }
    // The window as the screen shows it (transparent pixels left out).
    QImage Grab() const;

private:
    std::unique_ptr<QWidget> FWindow;
    QRegion FRegion;
};
