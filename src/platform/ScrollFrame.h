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
struct TScrollInfo;
struct TScrollBarInfo;

// The mouse on a bar reaches the control as the non-client messages
// WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP and
// WM_NCMOUSELEAVE (WParam HTVSCROLL or HTHSCROLL, LParam the screen point);
// the bar acts on the input only when the control lets the message reach
// its default processing.

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
    // own (a header). LeftScrollBar puts the vertical bar at the left edge
    // (right-to-left reading).
    void Layout(Integer Border, bool ShowVertical, bool ShowHorizontal, Integer Top = 0, bool LeftScrollBar = false);
    // Range, page and position of one bar (what SetScrollInfo sets).
    void SetBar(bool Vertical, Integer Min, Integer Max, Integer Page, Integer Pos);
    Integer Position(bool Vertical) const;
    // The slider's position while the user drags it.
    Integer TrackPosition(bool Vertical) const;
    bool IsShown(bool Vertical) const;
    // Width of a vertical bar (height of a horizontal one).
    static Integer BarExtent();

    // What GetScrollInfo and GetScrollBarInfo answer for one bar.
    bool Info(bool Vertical, TScrollInfo& Info) const;
    bool BarInfo(bool Vertical, TScrollBarInfo& Info) const;

    // Code as SB_LINEUP .. SB_ENDSCROLL; Pos is the slider's position.
    std::function<void(bool Vertical, Word Code, Integer Pos)> OnScroll;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// What GetScrollInfo reads and SetScrollInfo sets (fMask).
constexpr Cardinal SIF_RANGE = 0x1;
constexpr Cardinal SIF_PAGE = 0x2;
constexpr Cardinal SIF_POS = 0x4;
constexpr Cardinal SIF_DISABLENOSCROLL = 0x8;
constexpr Cardinal SIF_TRACKPOS = 0x10;
constexpr Cardinal SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// A bar's range (nMin .. nMax), page, position and, while its slider is
// dragged, the slider's position.
struct TScrollInfo {
    Cardinal cbSize = 28;
    Cardinal fMask = 0;
    Integer nMin = 0;
    Integer nMax = 0;
    Cardinal nPage = 0;
    Integer nPos = 0;
    Integer nTrackPos = 0;
};

// Bar is SB_HORZ or SB_VERT. False when the control has no scroll bars.
bool GetScrollInfo(TWinControl* Control, int Bar, TScrollInfo& Info);
// Sets what fMask names and answers the position; the bar shows it at once
// whatever Redraw says.
Integer SetScrollInfo(TWinControl* Control, int Bar, const TScrollInfo& Info, bool Redraw);

constexpr LPARAM OBJID_VSCROLL = -5;
constexpr LPARAM OBJID_HSCROLL = -6;

// A bar as it lies: rcScrollBar in screen coordinates, the length of its
// arrow buttons, its thumb's two edges along the bar in the control's client
// coordinates, and in rgstate[0] STATE_SYSTEM_INVISIBLE (hidden) and
// STATE_SYSTEM_UNAVAILABLE (nothing to scroll).
struct TScrollBarInfo {
    Cardinal cbSize = 60;
    TRect rcScrollBar;
    Integer dxyLineButton = 0;
    Integer xyThumbTop = 0;
    Integer xyThumbBottom = 0;
    Integer reserved = 0;
    Cardinal rgstate[6] = {};
};

// IdObject is OBJID_VSCROLL or OBJID_HSCROLL.
bool GetScrollBarInfo(TWinControl* Control, LPARAM IdObject, TScrollBarInfo& Info);

// Marks a rectangle of the control's client area for the next paint.
void InvalidateClientRect(TControl* Control, const TRect& R);
// Moves the pixels of Clip by (DX, DY) and marks the uncovered part for the
// next paint (the platform's ScrollWindow).
void ScrollClientRect(TControl* Control, Integer DX, Integer DY, const TRect& Clip);
