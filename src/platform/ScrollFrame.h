#pragma once
// The border and the two scroll bars around the client area of a control
// that paints itself (a tree, a list): a frame widget under the control's
// window, with the scroll bars on it, so that the control's window keeps
// client coordinates. Scroll bar actions come back as WM_VSCROLL and
// WM_HSCROLL codes through OnScroll. Also the two window services such a
// control needs: invalidating and scrolling a part of its client area.

#include <functional>
#include <memory>
#include "platform/Messages.h"

class TWinControl;
class TControl;

class TScrollFrame {
public:
    // Made once the control's window exists; without a parent window the
    // control shows no frame and no bars.
    explicit TScrollFrame(TWinControl* Control);
    ~TScrollFrame();
    TScrollFrame(const TScrollFrame&) = delete;
    TScrollFrame& operator=(const TScrollFrame&) = delete;

    // Places border, client window and bars for the control's bounds; Top
    // pixels above the client window are left for a strip of the control's
    // own (a header).
    void Layout(Integer Border, bool ShowVertical, bool ShowHorizontal, Integer Top = 0);
    // Range, page and position of one bar (what SetScrollInfo sets).
    void SetBar(bool Vertical, Integer Min, Integer Max, Integer Page, Integer Pos);
    Integer Position(bool Vertical) const;
    // The slider's position while the user drags it.
    Integer TrackPosition(bool Vertical) const;
    bool IsShown(bool Vertical) const;
    // Width of a vertical bar (height of a horizontal one).
    static Integer BarExtent();

    // Code as SB_LINEUP .. SB_ENDSCROLL; Pos is the slider's position.
    std::function<void(bool Vertical, Word Code, Integer Pos)> OnScroll;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// Marks a rectangle of the control's client area for the next paint.
void InvalidateClientRect(TControl* Control, const TRect& R);
// Moves the pixels of Clip by (DX, DY) and marks the uncovered part for the
// next paint (the platform's ScrollWindow).
void ScrollClientRect(TControl* Control, Integer DX, Integer DY, const TRect& Clip);
