#pragma once
// A thread-wide hook on the messages the program's windows receive, called
// before each window's own procedure. Of those messages this platform hands
// the hook the window-position changes (WM_WINDOWPOSCHANGED after a window
// moved or changed size), which is what its users watch.

#include "platform/Messages.h"

constexpr int WH_CALLWNDPROC = 4;
constexpr int HC_ACTION = 0;

// What the hook procedure's LParam points to.
struct CWPSTRUCT {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};

using HOOKPROC = LRESULT (*)(int Code, WPARAM wParam, LPARAM lParam);
struct THookRecord;
using HHOOK = THookRecord*;

// Installs Proc at the head of the hook chain of IdHook (WH_CALLWNDPROC
// only); nullptr for another kind or no procedure.
HHOOK SetWindowsHookEx(int IdHook, HOOKPROC Proc);
// Removes the hook; false when it is not installed.
bool UnhookWindowsHookEx(HHOOK Hook);
// Passes the call on to the hook installed before Hook (0 at the end).
LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM wParam, LPARAM lParam);

// Runs the hook chain for a message of Window (the platform's bridge calls
// it). A move that a hook causes does not run the chain again.
void CallWindowHooks(HWND Window, UINT Msg, WPARAM wParam = 0, LPARAM lParam = 0);
