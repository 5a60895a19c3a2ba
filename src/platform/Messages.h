#pragma once
// Window messages: the record that carries one, the message and key codes the
// program's windows handle, and the functions that send, post and time them.
// Qt events reach a control translated into these (see WidgetBridge.cpp).

#include <cstdint>
#include <functional>
#include <QString>
#include "platform/Types.h"

class QEvent;
class TControl;
class TWinControl;
class TWinHandle;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = Cardinal;
using UINT_PTR = std::uintptr_t;
using DWORD = LongWord;
using BOOL = int;
// A window: the handle object that owns a windowed control's Qt widget.
using HWND = TWinHandle*;

// One message as a window procedure receives it.
struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    Word WParamLo() const { return Word(WParam & 0xFFFF); }
    Word WParamHi() const { return Word((WParam >> 16) & 0xFFFF); }
    Word LParamLo() const { return Word(LParam & 0xFFFF); }
    Word LParamHi() const { return Word((LParam >> 16) & 0xFFFF); }
};

constexpr Word LOWORD(std::uintptr_t v) { return Word(v & 0xFFFF); }
constexpr Word HIWORD(std::uintptr_t v) { return Word((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(Word lo, Word hi) { return LPARAM(LongWord(lo) | (LongWord(hi) << 16)); }
constexpr WPARAM MAKEWPARAM(Word lo, Word hi) { return WPARAM(LongWord(lo) | (LongWord(hi) << 16)); }
constexpr LongWord MAKELONG(Word lo, Word hi) { return LongWord(lo) | (LongWord(hi) << 16); }
// Signed coordinates packed in an LPARAM (mouse messages).
constexpr SmallInt GET_X_LPARAM(LPARAM l) { return SmallInt(l & 0xFFFF); }
constexpr SmallInt GET_Y_LPARAM(LPARAM l) { return SmallInt((l >> 16) & 0xFFFF); }
constexpr SmallInt GET_WHEEL_DELTA_WPARAM(WPARAM w) { return SmallInt((w >> 16) & 0xFFFF); }
inline TPoint PointFromLParam(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
inline LPARAM PointToLParam(TPoint p) { return MAKELPARAM(Word(SmallInt(p.X)), Word(SmallInt(p.Y))); }

// The header every notification record (CN_NOTIFY's LParam) starts with.
struct TNMHdr {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    Cardinal code = 0;
};

// Window messages.
constexpr Cardinal WM_NULL = 0x0000;
constexpr Cardinal WM_CREATE = 0x0001;
constexpr Cardinal WM_DESTROY = 0x0002;
constexpr Cardinal WM_MOVE = 0x0003;
constexpr Cardinal WM_SIZE = 0x0005;
constexpr Cardinal WM_ACTIVATE = 0x0006;
constexpr Cardinal WM_SETFOCUS = 0x0007;
constexpr Cardinal WM_KILLFOCUS = 0x0008;
constexpr Cardinal WM_ENABLE = 0x000A;
constexpr Cardinal WM_SETREDRAW = 0x000B;
constexpr Cardinal WM_SETTEXT = 0x000C;
constexpr Cardinal WM_GETTEXT = 0x000D;
constexpr Cardinal WM_PAINT = 0x000F;
constexpr Cardinal WM_CLOSE = 0x0010;
constexpr Cardinal WM_ERASEBKGND = 0x0014;
constexpr Cardinal WM_SYSCOLORCHANGE = 0x0015;
constexpr Cardinal WM_SHOWWINDOW = 0x0018;
constexpr Cardinal WM_CANCELMODE = 0x001F;
constexpr Cardinal WM_SETCURSOR = 0x0020;
constexpr Cardinal WM_WINDOWPOSCHANGING = 0x0046;
constexpr Cardinal WM_WINDOWPOSCHANGED = 0x0047;
constexpr Cardinal WM_NOTIFY = 0x004E;
constexpr Cardinal WM_CONTEXTMENU = 0x007B;
constexpr Cardinal WM_GETDLGCODE = 0x0087;
constexpr Cardinal WM_NCHITTEST = 0x0084;
constexpr Cardinal WM_NCPAINT = 0x0085;
// Mouse messages over a window's frame (screen coordinates, WParam the hit code).
constexpr Cardinal WM_NCMOUSEMOVE = 0x00A0;
constexpr Cardinal WM_NCLBUTTONDOWN = 0x00A1;
constexpr Cardinal WM_NCLBUTTONUP = 0x00A2;
constexpr Cardinal WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr Cardinal WM_NCRBUTTONDOWN = 0x00A4;
constexpr Cardinal WM_NCRBUTTONUP = 0x00A5;
constexpr Cardinal WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr Cardinal WM_NCMBUTTONDOWN = 0x00A7;
constexpr Cardinal WM_NCMBUTTONUP = 0x00A8;
constexpr Cardinal WM_NCMBUTTONDBLCLK = 0x00A9;
constexpr Cardinal HTBORDER = 18;
constexpr Cardinal WM_KEYDOWN = 0x0100;
constexpr Cardinal WM_KEYFIRST = WM_KEYDOWN;
constexpr Cardinal WM_KEYUP = 0x0101;
constexpr Cardinal WM_CHAR = 0x0102;
constexpr Cardinal WM_SYSKEYDOWN = 0x0104;
constexpr Cardinal WM_SYSKEYUP = 0x0105;
constexpr Cardinal WM_KEYLAST = 0x0109;
constexpr Cardinal WM_COMMAND = 0x0111;
constexpr Cardinal WM_TIMER = 0x0113;
constexpr Cardinal WM_HSCROLL = 0x0114;
constexpr Cardinal WM_VSCROLL = 0x0115;
constexpr Cardinal WM_MOUSEFIRST = 0x0200;
constexpr Cardinal WM_MOUSEMOVE = 0x0200;
constexpr Cardinal WM_LBUTTONDOWN = 0x0201;
constexpr Cardinal WM_LBUTTONUP = 0x0202;
constexpr Cardinal WM_LBUTTONDBLCLK = 0x0203;
constexpr Cardinal WM_RBUTTONDOWN = 0x0204;
constexpr Cardinal WM_RBUTTONUP = 0x0205;
constexpr Cardinal WM_RBUTTONDBLCLK = 0x0206;
constexpr Cardinal WM_MBUTTONDOWN = 0x0207;
constexpr Cardinal WM_MBUTTONUP = 0x0208;
constexpr Cardinal WM_MBUTTONDBLCLK = 0x0209;
constexpr Cardinal WM_MOUSEWHEEL = 0x020A;
constexpr Cardinal WM_MOUSELAST = 0x020A;
constexpr Cardinal WM_CAPTURECHANGED = 0x0215;
constexpr Cardinal WM_NCMOUSELEAVE = 0x02A2;
constexpr Cardinal WM_MOUSELEAVE = 0x02A3;
constexpr Cardinal WM_CUT = 0x0300;
constexpr Cardinal WM_COPY = 0x0301;
constexpr Cardinal WM_PASTE = 0x0302;
constexpr Cardinal WM_THEMECHANGED = 0x031A;
constexpr Cardinal WM_USER = 0x0400;
// First number handed out by RegisterWindowMessage.
constexpr Cardinal WM_APP_REGISTERED_FIRST = 0xC000;

// Component messages: sent by the layer itself when a property changes or an
// input event is routed (they never come from the window system).
constexpr Cardinal CM_BASE = 0xB000;
constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 7;
constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr Cardinal CM_HITTEST = CM_BASE + 10;
constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 11;
constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr Cardinal CM_COLORCHANGED = CM_BASE + 13;
constexpr Cardinal CM_FONTCHANGED = CM_BASE + 14;
constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 15;
constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 18;
constexpr Cardinal CM_MOUSEENTER = CM_BASE + 19;
constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 20;
constexpr Cardinal CM_BUTTONPRESSED = CM_BASE + 24;
constexpr Cardinal CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr Cardinal CM_ENTER = CM_BASE + 26;
constexpr Cardinal CM_EXIT = CM_BASE + 27;
constexpr Cardinal CM_DESIGNHITTEST = CM_BASE + 28;
constexpr Cardinal CM_SYSCOLORCHANGE = CM_BASE + 29;
constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr Cardinal CM_DIALOGKEY = CM_BASE + 31;
constexpr Cardinal CM_DIALOGCHAR = CM_BASE + 32;
constexpr Cardinal CM_RELEASE = CM_BASE + 33;
constexpr Cardinal CM_DRAG = CM_BASE + 47;
// Docking (see TControl's docking). CM_DOCKCLIENT asks a dock site to take
// a control: WParam the TDragDockObject*, LParam the pointer in the site's
// client coordinates; the result is nonzero when the control was docked.
// CM_UNDOCKCLIENT tells the site a client leaves: WParam the new target (a
// TWinControl*, nullptr to float), LParam the client. CM_DOCKNOTIFICATION
// tells the site of a change of a client: WParam the client, LParam a
// TDockNotifyRec* with the message the client received.
constexpr Cardinal CM_DOCKCLIENT = CM_BASE + 52;
constexpr Cardinal CM_UNDOCKCLIENT = CM_BASE + 53;
constexpr Cardinal CM_DOCKNOTIFICATION = CM_BASE + 55;
struct TDockNotifyRec {
    Cardinal ClientMsg = 0;
    WPARAM MsgWParam = 0;
    LPARAM MsgLParam = 0;
};
constexpr Cardinal CM_HINTSHOW = CM_BASE + 48;
constexpr Cardinal CM_HINTSHOWPAUSE = CM_BASE + 49;
constexpr Cardinal CM_TABSTOPCHANGED = CM_BASE + 50;
constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 51;
constexpr Cardinal CM_MOUSEWHEEL = CM_BASE + 67;
constexpr Cardinal CM_BORDERCHANGED = CM_BASE + 68;
constexpr Cardinal CM_STYLECHANGED = CM_BASE + 69;

// Control notifications: a native control's own events reflected back to it.
constexpr Cardinal CN_BASE = 0xBC00;
constexpr Cardinal CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr Cardinal CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr Cardinal CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr Cardinal CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr Cardinal CN_CHAR = CN_BASE + WM_CHAR;

// Edit messages (a TCustomEdit answers them).
constexpr Cardinal EM_GETSEL = 0x00B0;        // WParam, LParam: Integer* start and end (may be null); Result MAKELONG(start, end)
constexpr Cardinal EM_SETSEL = 0x00B1;        // WParam start, LParam end (-1: to the end)
constexpr Cardinal EM_GETRECT = 0x00B2;       // LParam: TRect* receiving the text rectangle
constexpr Cardinal EM_SETRECT = 0x00B3;       // LParam: const TRect* text rectangle (null: the whole client area)
constexpr Cardinal EM_SETRECTNP = 0x00B4;
constexpr Cardinal EM_LINEFROMCHAR = 0x00C9;
constexpr Cardinal EM_SETPASSWORDCHAR = 0x00CC;
constexpr Cardinal EM_SETREADONLY = 0x00CF;
constexpr Cardinal EM_POSFROMCHAR = 0x00D6;   // WParam index; Result MAKELONG(x, y) in client coordinates
constexpr Cardinal EM_CHARFROMPOS = 0x00D7;   // LParam MAKELPARAM(x, y); Result the character index

// Combo box messages (a TCustomComboBox answers them): the width its list
// opens with, at least the combo's own (Result: that width).
// The selection in the combo's edit field: GETEDITSEL answers
// MAKELONG(start, end); SETEDITSEL takes LParam MAKELPARAM(start, end).
constexpr Cardinal CB_GETEDITSEL = 0x0140;
constexpr Cardinal CB_SETEDITSEL = 0x0142;
constexpr Cardinal CB_GETDROPPEDWIDTH = 0x015F;
constexpr Cardinal CB_SETDROPPEDWIDTH = 0x0160;  // WParam: the least width, 0 for the combo's

// Notification codes carried in the high word of CN_COMMAND's WParam.
constexpr Word EN_CHANGE = 0x0300;
constexpr Word EN_UPDATE = 0x0400;
constexpr Word BN_CLICKED = 0;
constexpr Word CBN_SELCHANGE = 1;
constexpr Word CBN_DROPDOWN = 7;
constexpr Word CBN_EDITCHANGE = 5;
constexpr Word CBN_CLOSEUP = 8;
constexpr Word LBN_SELCHANGE = 1;
constexpr Word LBN_DBLCLK = 2;

// Scroll requests (WM_VSCROLL / WM_HSCROLL low word of WParam).
constexpr Word SB_LINEUP = 0;
constexpr Word SB_LINELEFT = 0;
constexpr Word SB_LINEDOWN = 1;
constexpr Word SB_LINERIGHT = 1;
constexpr Word SB_PAGEUP = 2;
constexpr Word SB_PAGELEFT = 2;
constexpr Word SB_PAGEDOWN = 3;
constexpr Word SB_PAGERIGHT = 3;
constexpr Word SB_THUMBPOSITION = 4;
constexpr Word SB_THUMBTRACK = 5;
constexpr Word SB_TOP = 6;
constexpr Word SB_LEFT = 6;
constexpr Word SB_BOTTOM = 7;
constexpr Word SB_RIGHT = 7;
constexpr Word SB_ENDSCROLL = 8;
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// WM_GETDLGCODE answers: the keys a control wants instead of the dialog.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// Mouse-key flags in the WParam of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

constexpr int WHEEL_DELTA = 120;

// Virtual-key codes.
constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_CANCEL = 0x03;
constexpr Word VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_CLEAR = 0x0C;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_PAUSE = 0x13;
constexpr Word VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_SNAPSHOT = 0x2C;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_LWIN = 0x5B;
constexpr Word VK_RWIN = 0x5C;
constexpr Word VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60;
constexpr Word VK_MULTIPLY = 0x6A;
constexpr Word VK_ADD = 0x6B;
constexpr Word VK_SEPARATOR = 0x6C;
constexpr Word VK_SUBTRACT = 0x6D;
constexpr Word VK_DECIMAL = 0x6E;
constexpr Word VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F12 = 0x7B;
constexpr Word VK_NUMLOCK = 0x90;
constexpr Word VK_SCROLL = 0x91;
constexpr Word VK_LSHIFT = 0xA0;
constexpr Word VK_RSHIFT = 0xA1;
constexpr Word VK_LCONTROL = 0xA2;
constexpr Word VK_RCONTROL = 0xA3;
constexpr Word VK_LMENU = 0xA4;
constexpr Word VK_RMENU = 0xA5;

// The hint request a control receives with CM_HINTSHOW (LParam points to it).
class THintWindow;
class TComponent;
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);

struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    TPoint HintPos;          // screen position of the hint window
    Integer HintMaxWidth = 0;
    TColor HintColor = 0;
    TRect CursorRect;        // client area where the hint stays valid
    TPoint CursorPos;        // mouse position in the control's client coordinates
    Integer ReshowTimeout = 0;
    Integer HideTimeout = 0;
    QString HintStr;
    void* HintData = nullptr;
};

// Numbers a message name for the whole run: the same name gives the same number.
Cardinal RegisterWindowMessage(const QString& name);

// Runs the message through the window's procedure at once and returns its
// result. Sent from another thread, it is handled on the window's thread
// while the sender waits (that thread must be running its message loop).
LRESULT SendMessage(HWND wnd, Cardinal msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message for the window; it is delivered by the message loop.
// Returns false when the window does not exist. Any thread may post.
bool PostMessage(HWND wnd, Cardinal msg, WPARAM wParam = 0, LPARAM lParam = 0);
// The same, addressed to a control (its window is made when needed); on the
// window's thread only.
LRESULT SendMessage(TControl* control, Cardinal msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(TControl* control, Cardinal msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Runs Fn on the window thread when its message loop comes to it, with
// Delivered true; with false when the application drops the call
// undelivered. Any thread may call it while the application exists. What the
// caller did before counts as done before Fn, also for a thread sanitizer.
void Post_To_Window_Thread(std::function<void(bool Delivered)> Fn);

// Window timers: WM_TIMER with WParam = id every elapse milliseconds until
// killed or until the window is destroyed. Setting an existing id restarts it.
UINT_PTR SetTimer(HWND wnd, UINT_PTR id, UINT elapse);
bool KillTimer(HWND wnd, UINT_PTR id);

// The mouse capture: the window that receives the mouse's messages wherever
// the pointer is, until it is released. A left press on a control whose
// style has csCaptureMouse captures until the button is released. The
// window that loses the capture receives WM_CAPTURECHANGED. SetCapture
// returns the window that held it before (nullptr for none).
HWND SetCapture(HWND wnd);
HWND GetCapture();
bool ReleaseCapture();

// Drops on a window. Once registered, the window accepts drags and hands
// each of Qt's drag events (enter, move, leave, drop) to the handler,
// together with the screen point that the event's position is relative to;
// the handler accepts or refuses the drag on the event and answers true when
// it took the event. The registration ends with the window. Registering
// fails for a window that does not exist or is registered already.
using TDropHandler = std::function<bool(QEvent* Event, TPoint Origin)>;
bool RegisterDragDrop(HWND wnd, TDropHandler handler);
bool RevokeDragDrop(HWND wnd);

// Types a character into the control the way the keyboard does (the
// character a control is posted as WM_CHAR): the control's key handlers
// see it first, then the window types what they let through.
void TypeCharacter(TWinControl* control, QChar ch);

// The control that owns a window (nullptr for none).
TWinControl* FindControl(HWND wnd);

// Plays the system's sound of the given kind (0: the default beep), as
// controls do when they refuse a key; silent without a screen.
void MessageBeep(Cardinal Type);
// For tests, which count the beeps instead of hearing them.
namespace BeepSeam {
// Beeps since the start or the last Reset.
Integer Count();
void Reset();
} // namespace BeepSeam

// Milliseconds since an arbitrary start (wraps after 49.7 days like the original).
DWORD GetTickCount();
// Key state of a virtual key as the last input event left it: high bit set when down.
SmallInt GetKeyState(int vk);
// The system's number of lines to scroll per wheel notch.
Integer WheelScrollLines();

// System sizes (GetSystemMetrics): the classic desktop values at 96 pixels
// per inch, the same on every machine; the screen size is the real one.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYVTHUMB = 9;
constexpr int SM_CXHTHUMB = 10;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXEDGE = 45;
constexpr int SM_CYEDGE = 46;
constexpr int SM_CXMENUCHECK = 71;
constexpr int SM_CYMENUCHECK = 72;
constexpr int SM_CXDRAG = 68;
constexpr int SM_CYDRAG = 69;
Integer GetSystemMetrics(int index);

// Desktop settings (SystemParametersInfo): whether tool tips are animated,
// and whether they fade rather than slide in; Qt's tool-tip effects answer.
constexpr Cardinal SPI_GETTOOLTIPANIMATION = 0x1016;
constexpr Cardinal SPI_GETTOOLTIPFADE = 0x1018;
bool SystemParametersInfo(Cardinal Action);
