#pragma once
// Window shapes and see-through windows: a window region (only the part of
// a window inside its region is shown) and the layered window, which shows
// a picture with per-pixel alpha over what lies below it. A layered window
// is made with WS_EX_LAYERED in its extended style.

#include <vector>

#include "platform/Messages.h"
#include "platform/Types.h"

class TBitmap;
class TWinControl;

constexpr DWORD ULW_ALPHA = 0x00000002;

enum TRegionMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4 };

// An area of a window as a set of rectangles that do not overlap.
class TWindowRegion {
public:
    TWindowRegion() = default;
    explicit TWindowRegion(const TRect& R);
    bool IsEmpty() const { return FRects.empty(); }
    bool Contains(TPoint P) const;
    TRect BoundsRect() const;
    const std::vector<TRect>& Rects() const { return FRects; }

private:
    friend TWindowRegion CombineRgn(const TWindowRegion&, const TWindowRegion&, TRegionMode);
    std::vector<TRect> FRects;
};

TWindowRegion CombineRgn(const TWindowRegion& A, const TWindowRegion& B, TRegionMode Mode);

// Gives the window its region (window coordinates); an empty region gives
// the whole window back. False when the control has no window.
bool SetWindowRgn(TWinControl* Window, const TWindowRegion& Region, bool Redraw);
// The window's region; empty when it has none.
TWindowRegion GetWindowRgn(TWinControl* Window);

// Shows Picture (32 bits, premultiplied alpha) in the layered window,
// which takes the picture's size, each pixel's alpha scaled by
// ConstantAlpha. False when the window is not layered, has no window or
// the picture is not 32-bit.
bool UpdateLayeredWindow(TWinControl* Window, TBitmap* Picture, Byte ConstantAlpha, DWORD Flags);
