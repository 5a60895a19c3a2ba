#pragma once
// Controls: TControl (anything placed on a window), TWinControl (a control
// with a window of its own that can hold other controls and take the focus),
// TCustomControl (a windowed control that paints itself on its Canvas) and
// TGraphicControl (a windowless control painted on its parent).
//
// Every property lives in the control, so controls can be built, configured
// and tested without ever being shown. The Qt widget behind a control is made
// on demand (HandleNeeded) and mirrors those properties; input reaches the
// control as messages through WndProc (see Messages.h).

#include <functional>
#include <memory>
#include <vector>
#include "platform/Component.h"
#include "platform/Messages.h"

class TFont;
class TCanvas;
class TControlCanvas;
class TPopupMenu;
class TCustomForm;
class QPainter;

enum TAnchorKind : Byte { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = Byte;
constexpr TAnchors DefaultAnchors = akLeft | akTop;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The parts of a control that an active style paints (StyleElements).
using TStyleElements = Byte;
constexpr TStyleElements seFont = 1;
constexpr TStyleElements seClient = 2;
constexpr TStyleElements seBorder = 4;

// Control style: how the layer treats a control.
enum TControlStyleFlag : Cardinal {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 2,
    csFramed = 1u << 3,
    csSetCaption = 1u << 4,
    csOpaque = 1u << 5,
    csDoubleClicks = 1u << 6,
    csFixedWidth = 1u << 7,
    csFixedHeight = 1u << 8,
    csNoStdEvents = 1u << 9,
    csReplicatable = 1u << 10,
    csParentBackground = 1u << 11,
    // Paints itself in the active style (the style engine leaves it alone).
    csOverrideStylePaint = 1u << 12,
};
using TControlStyle = Cardinal;

// Control state: what a control is doing now.
enum TControlStateFlag : Cardinal {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,
    csFocusing = 1u << 2,
    csCreating = 1u << 3,
    csPaintCopy = 1u << 4,
    csCustomPaint = 1u << 5,
    csDestroyingHandle = 1u << 6,
    csAlignmentNeeded = 1u << 7,
};
using TControlState = Cardinal;

// Mouse cursors.
using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Window styles a control may ask for in CreateParams.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD CS_DROPSHADOW = 0x00020000;

constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
// A window answering WM_NCHITTEST with this lets the mouse through to what lies beneath.
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTHSCROLL = 6;
constexpr LRESULT HTVSCROLL = 7;

// What a control asks of its window when it is made.
struct TCreateParams {
    QString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    Integer X = 0, Y = 0, Width = 0, Height = 0;
    TWinControl* WndParent = nullptr;
    DWORD WindowClassStyle = 0;
    QString WinClassName;
};

// In-process dragging of controls: a drag object travels from the control
// that started it to the controls under the pointer, which are asked with
// CM_DRAG (WParam a TDragMessage, LParam a TDragRec*) whether they take it.
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

class TDragObject : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TDragObject"); }
    // The pointer on the screen, the control under it and whether the drag
    // ended with a drop.
    TPoint DragPos;
    TControl* DragTarget = nullptr;
    bool Dropped = false;
};

// The drag object of a control that drags itself.
class TBaseDragControlObject : public TDragObject {
public:
    explicit TBaseDragControlObject(TControl* AControl) : FControl(AControl) {}
    QString ClassName() const override { return QStringLiteral("TBaseDragControlObject"); }
    TControl* Control() const { return FControl; }

private:
    TControl* FControl;
};

class TDragControlObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;
    QString ClassName() const override { return QStringLiteral("TDragControlObject"); }
};

// The drag object of a control dragged to dock: where it would go (a dock
// site's answer, or the window it would float in) and whether it floats.
class TDragDockObject : public TBaseDragControlObject {
public:
    using TBaseDragControlObject::TBaseDragControlObject;
    QString ClassName() const override { return QStringLiteral("TDragDockObject"); }
    // Screen rectangle the feedback frame shows.
    TRect DockRect;
    // No dock site takes the control here: dropped, it floats in DockRect.
    bool Floating = false;
};

struct TDragRec {
    TPoint Pos;  // screen
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;
};

using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;

using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TGetSiteInfoEvent = std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TDockOverEvent = std::function<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

class TControl : public TComponent {
    friend class TWinControl;
    friend struct TDragDriver;
    friend struct TDockDriver;
    friend class TCustomForm;
    friend class TWidgetBridge;
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    QString ClassName() const override { return QStringLiteral("TControl"); }
    // Whether this is a windowed control (a TWinControl).
    bool Windowed() const { return FWindowed; }

    // Position and size, in the parent's client coordinates.
    Integer Left() const { SettleBounds(); return FLeft; }
    Integer Top() const { SettleBounds(); return FTop; }
    Integer Width() const { SettleBounds(); return FWidth; }
    Integer Height() const { SettleBounds(); return FHeight; }
    void SetLeft(Integer v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(Integer v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(Integer v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(Integer v) { SetBounds(Left(), Top(), Width(), v); }
    // Explicit bounds replace any sizing still pending.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { SettleBounds(); return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The area inside any border, at (0, 0).
    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Width(); }
    Integer ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(Integer v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(Integer v) { SetClientSize(ClientWidth(), v); }
    virtual void SetClientSize(Integer w, Integer h);
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Client coordinates of this control to those of another (nullptr: screen).
    TPoint ClientToParent(TPoint p, TWinControl* AParent = nullptr) const;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const { return FParent != nullptr; }
    // The form this control sits on (itself for a form), or nullptr.
    TCustomForm* GetParentForm() const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show();
    void Hide() { SetVisible(false); }
    // True when this control and every parent up to a shown window are visible.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    // Caption and Text are the same string.
    QString Caption() const { return GetText(); }
    void SetCaption(const QString& v) { SetText(v); }
    QString Text() const { return GetText(); }
    void SetText(const QString& v);

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value) { FAnchors = value; }

    const QString& Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return FCursor; }
    // The topic the application's help shows for the control (0: none).
    Integer HelpContext() const { return FHelpContext; }
    void SetHelpContext(Integer value) { FHelpContext = value; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements value) { FStyleElements = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Drawing: Invalidate asks for a later paint, Update paints what is
    // pending now, Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Messages: Perform runs one through the window procedure at once.
    LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    // The window procedure: WndProc unless a procedure was put in its place
    // (a subclassing owner that answers some messages itself and hands the
    // others to the procedure it replaced). Every message goes through it.
    std::function<void(TMessage& Message)> WindowProc;
    void CallWindowProc(TMessage& Message)
    {
        if (WindowProc)
            WindowProc(Message);
        else
            WndProc(Message);
    }
    // Routes a message to this class's handlers; unhandled ones reach DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Fires the click (OnClick).
    virtual void Click();
    virtual void DblClick();

    // In-process dragging. BeginDrag starts it at once or once the pointer
    // has moved Threshold pixels (-1: the system's threshold) with the
    // button held; releasing the button drops on the control under the
    // pointer when it accepts, Escape cancels.
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    virtual void BeginDrag(bool Immediate, Integer Threshold = -1);
    // Ends this control's drag: dropped where the pointer is, or cancelled.
    void EndDrag(bool Drop);
    // This control's drag is pending or running.
    virtual bool Dragging() const;
    // The drag object of the running in-process drag, or nullptr.
    static TDragObject* ActiveDragObject();

    // Docking. A control whose DragKind is dkDock is dragged (BeginDrag) onto
    // a dock site, which takes it as a dock client (CM_DOCKCLIENT), or,
    // dropped where no site takes it, floats in a top-level window of its
    // own. HostDockSite is the site (or floating window) that holds it.
    TWinControl* HostDockSite() const { return FHostDockSite; }
    // The control sits in a floating window of its own.
    bool Floating() const;
    // Docks the control onto NewDockSite as a drop there would; nullptr
    // floats it where it is. False when the old site refused to let it go.
    bool ManualDock(TWinControl* NewDockSite);
    // Floats the control in its own window at ScreenPos (its client area).
    bool ManualFloat(const TRect& ScreenPos);
    // Moves the control from its host site to NewDockSite (nullptr: none).
    virtual void Dock(TWinControl* NewDockSite, const TRect& ARect);
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual QString GetText() const { return FText; }
    // Stores the text; windowed controls also push it to their widget.
    virtual void SetTextValue(const QString& value);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // Wheel: the form (OnMouseWheel) first, then this control; true when handled.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual void Resize();
    virtual void Changed() {}
    // The drag's events: the start (a handler may supply its own object),
    // the end at the target (nullptr when cancelled), a cancel, and the
    // target's side (OnDragOver answers whether it takes the source).
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
    virtual void DragCanceled() {}
    virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, Integer X, Integer Y);
    // The dock drag's events: its start (a handler may supply its own
    // object) and its end (Target the site or floating window, nullptr when
    // cancelled).
    virtual void DoStartDock(TDragDockObject*& DragObject);
    virtual void DoEndDock(TObject* Target, Integer X, Integer Y);
    // Pushes bounds, visibility and look to the Qt side when it exists.
    virtual void UpdateView();
    // Called when the parent's window is made: windowless controls make their view.
    virtual void ParentHandleCreated() {}
    virtual void ParentHandleDestroying() {}
    virtual void FontChanged();
    // The painter of a paint in progress for this control (nullptr outside one).
    virtual void PaintHandler(QPainter* painter) {}
    // Ends drawing outside a paint (the canvas lets go of the backing image).
    virtual void EndDrawNow() {}
    void RequestAlign();

    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TStyleElements FStyleElements = seFont | seClient | seBorder;
    TControlState FControlState = 0;
    QString FText;
    // The Qt-side object of this control (a windowed control's window or a
    // windowless control's view); nullptr until made.
    std::unique_ptr<TWinHandle> FView;

    // A control sized by its content (an auto-size label) may put off working
    // its size out until the size is asked for or the control gets a view:
    // it sets BoundsPending, and the first read of its bounds runs
    // ResolveBounds. Explicit bounds (SetBounds) drop what is pending.
    void SetBoundsPending() { FBoundsPending = true; }
    bool BoundsPending() const { return FBoundsPending; }
    void SettleBounds() const
    {
        if (FBoundsPending)
            const_cast<TControl*>(this)->RunPendingBounds();
    }
    virtual void ResolveBounds() {}

private:
    void MouseMessage(TMessage& Message, TMouseButton Button, bool down, bool dbl);
    void DragMessage(TMessage& Message);
    // A control that goes ends its drag, or stops being its target.
    static void ForgetDrag(TControl* Control);
    void WheelMessage(TMessage& Message);
    void DoParentFontChanged();
    void DoParentColorChanged();
    void RunPendingBounds();

    TWinControl* FParent = nullptr;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FBoundsPending = false;
    bool FWindowed = false;  // a TWinControl
    bool FVisible = true;
    bool FEnabled = true;
    std::unique_ptr<TFont> FFont;
    TColor FColor = clWindow;
    bool FParentColor = false;
    bool FParentFont = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors = DefaultAnchors;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    Integer FHelpContext = 0;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    bool FUpdatingFont = false;
    TWinControl* FHostDockSite = nullptr;
    // Asks the host site to let the control go to NewTarget and tells it so.
    bool UndockFromHost(TWinControl* NewTarget);
    void NotifyHostDockSite(Cardinal Msg);
};

class TWinControl : public TControl {
    friend class TControl;
    friend class TWidgetBridge;
    friend struct TDockDriver;
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    QString ClassName() const override { return QStringLiteral("TWinControl"); }

    Integer ControlCount() const { return Integer(FControls.size()); }
    TControl* Controls(Integer index) const { return FControls.at(size_t(index)); }
    bool ContainsControl(const TControl* Control) const;
    // The visible, enabled child at a client point (windowless ones included).
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled = false) const;
    TControl* FindChildControl(const QString& ControlName) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    // The window: made on first use together with those of its parents.
    HWND Handle();
    bool HandleAllocated() const { return FView != nullptr; }
    void HandleNeeded();
    void RecreateWnd();
    // A window made inside another control's window without being one of
    // its controls (the platform's CreateParented): placed in that
    // control's client coordinates, neither aligned nor freed by it.
    TWinControl* ParentWindow() const { return FParentWindow; }
    void SetParentWindow(TWinControl* Value) { FParentWindow = Value; }
    // The window styles the control asks for (GWL_STYLE, GWL_EXSTYLE).
    friend DWORD GetWindowLong(TWinControl* Control, int Index);

    bool Showing() const override;
    void SetFocus();
    bool Focused() const;
    virtual bool CanFocus() const;
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; UpdateView(); }
    // Position among the parent's windowed children in the Tab walk.
    Integer TabOrder() const;
    void SetTabOrder(Integer value);
    // The windowed children in Tab order, descending into containers.
    std::vector<TWinControl*> GetTabOrderList() const;
    // Moves the focus to the next (or previous) tab stop after CurControl.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    // Sends the message to every child.
    void Broadcast(TMessage& Message);
    void NotifyControls(Cardinal Msg);

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Docking: a dock site takes controls dragged onto it (see TControl).
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool value) { FDockSite = value; }
    Integer DockClientCount() const { return Integer(FDockClients.size()); }
    TControl* DockClients(Integer index) const { return FDockClients.at(size_t(index)); }
    TGetSiteInfoEvent OnGetSiteInfo;
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    virtual void CreateParams(TCreateParams& Params);
    // Makes the Qt widget for Params; controls over a Qt widget override it.
    virtual void CreateWindowHandle(const TCreateParams& Params);
    // Makes the window, then pushes the control's state into it. Subclasses
    // call the inherited one first and then push their own state.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    void UpdateView() override;
    void FontChanged() override;
    void SetTextValue(const QString& value) override;

    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    // False when the key was swallowed (set to 0) by the form or the handlers.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // Client rect minus borders, where aligned children go.
    virtual TRect AlignRect() const { return ClientRect(); }
    // A child moved or was resized (a scroll box recomputes its range).
    virtual void ChildBoundsChanged(TControl* Child) {}
    // The dock site's side. GetSiteInfo: whether Client may dock here and
    // the screen area where a drag counts as over the site (OnGetSiteInfo
    // has the last word). DockOver: the drag passes over the site, which
    // may move Source->DockRect and refuse (OnDockOver). DockDrop: the drop
    // docks the control (CM_DOCKCLIENT), then OnDockDrop. DoUnDock: a client
    // asks to leave for NewTarget (OnUnDock may refuse). DoAddDockClient
    // places a client docked here; DoRemoveDockClient follows its leaving.
    virtual void GetSiteInfo(TControl* Client, TRect& InfluenceRect, TPoint MousePos, bool& CanDock);
    virtual void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
    virtual void DockDrop(TDragDockObject* Source, Integer X, Integer Y);
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);
    virtual void DoAddDockClient(TControl* Client, const TRect& ARect);
    virtual void DoRemoveDockClient(TControl* Client) {}
    // Last client size the children were laid out for (anchors move by the difference).
    TSize FLastClientSize;
    // The keys the control takes itself (WM_GETDLGCODE's answer, DLGC_ values).
    LRESULT FDlgCode = 0;

private:
    void DoAlign();
    void ApplyAnchors(Integer dx, Integer dy);
    void ResizeChildrenFor(const TSize& oldClient);
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    TWinControl* FParentWindow = nullptr;
    bool FDoubleBuffered = false;
    bool FDockSite = false;
    std::vector<TControl*> FDockClients;
    Integer FAlignLevel = 0;
    bool FAligning = false;
};

// The canvas a drawn control paints on, made when first drawn on: most
// controls of the windows not yet shown never are.
class TOwnCanvas {
public:
    TOwnCanvas();
    ~TOwnCanvas();
    TCanvas* Get(TControl* Control) const;
    // A paint through the canvas, in Control's font on a brush of Color.
    void StartPaint(TControl* Control, QPainter* Painter, TColor Color);
    void StopPaint();
    void EndDrawNow();

private:
    mutable std::unique_ptr<TControlCanvas> FCanvas;
};

// A control's canvas: during a paint it draws on the window's painter; outside
// a paint ("draw now") it draws into the control's backing image, which is
// shown at the next paint.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    QString ClassName() const override { return QStringLiteral("TCustomControl"); }
    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintHandler(QPainter* painter) override;
    void EndDrawNow() override;

private:
    TOwnCanvas FCanvas;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    QString ClassName() const override { return QStringLiteral("TGraphicControl"); }
    TCanvas* Canvas() const;

protected:
    virtual void Paint() {}
    void PaintHandler(QPainter* painter) override;
    void EndDrawNow() override;
    void ParentHandleCreated() override;
    void ParentHandleDestroying() override;

private:
    TOwnCanvas FCanvas;
};

// Shift state of a keyboard message's modifiers (from the key state).
TShiftState KeyDataToShiftState();
// Shift state of a mouse message's WParam.
TShiftState KeysToShiftState(WPARAM Keys);
// True when Ch is the accelerator of the caption: the letter after a single
// "&" ("&&" stands for "&"), in either case.
bool IsAccel(QChar Ch, const QString& Caption);
