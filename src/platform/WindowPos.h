#pragma once
// Window placement the way the Parts ask for it: moving and sizing a
// window (a top-level one in screen coordinates), the work area of the
// monitor nearest to a point, the active window and the window that owns
// another one.

#include "platform/Messages.h"

// Pseudo-handles of SetWindowPos's InsertAfter.
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(std::intptr_t(-1));

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;

// Moves and sizes the control's window: a top-level window to (X, Y) on the
// screen, a child inside its parent. The control's bounds follow. With
// HWND_TOPMOST a top-level window stays above the program's other windows.
// False when the control has no window.
bool SetWindowPos(TWinControl* Control, HWND InsertAfter, Integer X, Integer Y, Integer CX, Integer CY, UINT Flags);

// The work area (the screen less task bars) of the monitor nearest to P.
TRect WorkAreaFromPoint(TPoint P);

// The program's active top-level window, or nullptr.
HWND GetActiveWindow();
// The window a window lies in: a child's parent, a top-level window's
// owner; nullptr for none.
HWND GetParent(HWND Window);
