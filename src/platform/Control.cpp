#include "platform/Control.h"

#include <algorithm>
#include <QApplication>
#include <QPainter>

#include "platform/ControlCanvas.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Themes.h"
#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ helpers

TShiftState KeysToShiftState(WPARAM Keys)
{
    Word b = 0;
    if (Keys & MK_SHIFT) b |= ssShift;
    if (Keys & MK_CONTROL) b |= ssCtrl;
    if (Keys & MK_LBUTTON) b |= ssLeft;
    if (Keys & MK_RBUTTON) b |= ssRight;
    if (Keys & MK_MBUTTON) b |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) b |= ssAlt;
    return TShiftState::FromBits(b);
}

TShiftState KeyDataToShiftState()
{
    Word b = 0;
    if (GetKeyState(VK_SHIFT) < 0) b |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) b |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) b |= ssAlt;
    return TShiftState::FromBits(b);
}

// ------------------------------------------------------------ TControl

namespace {

// The windowed control a control is, else null (without a dynamic cast:
// layout asks this of every control it moves).
TWinControl* AsWinControl(TControl* Control)
{
    return Control != nullptr && Control->Windowed() ? static_cast<TWinControl*>(Control) : nullptr;
}

} // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    ForgetDrag(this);
    if (FHostDockSite != nullptr) {
        TWinControl* host = FHostDockSite;
        auto& list = host->FDockClients;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        FHostDockSite = nullptr;
        host->DoRemoveDockClient(this);
    }
    if (Application != nullptr && Application->HintControl() == this)
        Application->CancelHint();
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    FView.reset();
    FFont->OnChange = nullptr;
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::RunPendingBounds()
{
    FBoundsPending = false;
    ResolveBounds();
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    FBoundsPending = false;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateView();
    if (sized) {
        // A window hears its new client size as WM_SIZE (its children are
        // laid out again there); a windowless control just resizes.
        if (FWindowed) {
            const TRect cr = ClientRect();
            Perform(WM_SIZE, 0, MAKELPARAM(Word(cr.Width()), Word(cr.Height())));
        } else {
            Resize();
        }
    }
    if (FParent != nullptr) {
        if (FAlign != alNone)
            FParent->Realign();
        FParent->ChildBoundsChanged(this);
    }
}

TRect TControl::ClientRect() const
{
    SettleBounds();
    return {0, 0, FWidth, FHeight};
}

void TControl::SetClientSize(Integer w, Integer h)
{
    SettleBounds();
    const TRect cr = ClientRect();
    SetBounds(FLeft, FTop, FWidth + (w - cr.Width()), FHeight + (h - cr.Height()));
}

TPoint TControl::ClientOrigin() const
{
    if (FView && FView->Widget && FWindowed) {
        const QPoint g = TWidgetBridge::Client(this)->mapToGlobal(QPoint(0, 0));
        return {g.x(), g.y()};
    }
    if (FParent == nullptr)
        return {Left(), Top()};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + Left(), p.Y + Top()};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    const TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* AParent) const
{
    if (AParent == nullptr)
        return ClientToScreen(p);
    return AParent->ScreenToClient(ClientToScreen(p));
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EComponentError(QStringLiteral("A control cannot be its own parent"));
    if (FParent != nullptr)
        FParent->RemoveControl(this);
    if (AParent != nullptr)
        AParent->InsertControl(this);
}

TCustomForm* TControl::GetParentForm() const
{
    const TControl* c = this;
    while (c->FParent != nullptr)
        c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    UpdateView();
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    NotifyHostDockSite(CM_VISIBLECHANGED);
    if (FParent != nullptr) {
        if (FAlign != alNone)
            FParent->Realign();
        FParent->ChildBoundsChanged(this);
    }
}

void TControl::Show()
{
    if (FParent != nullptr)
        FParent->Show();
    SetVisible(true);
}

bool TControl::Showing() const
{
    return FVisible && FParent != nullptr && FParent->Showing();
}

void TControl::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateView();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const QString& v)
{
    if (v == GetText())
        return;
    SetTextValue(v);
    Perform(CM_TEXTCHANGED);
    NotifyHostDockSite(CM_TEXTCHANGED);
}

void TControl::SetTextValue(const QString& value)
{
    FText = value;
    Invalidate();
}

void TControl::SetFont(const TFont* value)
{
    FFont->Assign(value);
}

void TControl::FontChanged()
{
    if (!FUpdatingFont)
        FParentFont = false;
    if (FView)
        TWidgetBridge::ApplyFont(this);
    Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (value == FColor && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    if (FView)
        TWidgetBridge::ApplyColor(this);
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (value == FParentColor)
        return;
    FParentColor = value;
    if (value && FParent != nullptr)
        DoParentColorChanged();
}

void TControl::SetParentFont(bool value)
{
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (value && FParent != nullptr)
        DoParentFontChanged();
}

void TControl::DoParentFontChanged()
{
    if (!FParentFont || FParent == nullptr)
        return;
    FUpdatingFont = true;
    FFont->Assign(FParent->Font());
    FUpdatingFont = false;
}

void TControl::DoParentColorChanged()
{
    if (!FParentColor || FParent == nullptr)
        return;
    FColor = FParent->Color();
    if (FView)
        TWidgetBridge::ApplyColor(this);
    Perform(CM_COLORCHANGED);
}

void TControl::SetShowHint(bool value)
{
    FShowHint = value;
    FParentShowHint = false;
    if (auto* wc = AsWinControl(this))
        wc->NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value)
{
    FParentShowHint = value;
    if (value && FParent != nullptr)
        FShowHint = FParent->ShowHint();
}

void TControl::SetCursor(TCursor value)
{
    if (value == FCursor)
        return;
    FCursor = value;
    UpdateView();
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    FPopupMenu = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TControl::SetAlign(TAlign value)
{
    if (value == FAlign)
        return;
    FAlign = value;
    if (FParent != nullptr)
        FParent->Realign();
}

void TControl::RequestAlign()
{
    if (FParent != nullptr)
        FParent->Realign();
}

bool TControl::MouseCapture() const
{
    return TWidgetBridge::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool value)
{
    if (value)
        TWidgetBridge::SetCaptureControl(this, true);
    else if (MouseCapture())
        TWidgetBridge::SetCaptureControl(nullptr, false);
}

void TControl::Invalidate()
{
    if (QWidget* w = TWidgetBridge::Widget(this)) {
        EndDrawNow();
        TWidgetBridge::DropBacking(this);
        w->update();
    }
}

void TControl::Update()
{
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->repaint();
}

void TControl::Repaint()
{
    if (QWidget* w = TWidgetBridge::Widget(this)) {
        EndDrawNow();
        TWidgetBridge::DropBacking(this);
        w->repaint();
    }
}

void TControl::BringToFront()
{
    if (FParent != nullptr) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
    }
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->raise();
}

void TControl::SendToBack()
{
    if (FParent != nullptr) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.insert(list.begin(), this);
    }
    if (QWidget* w = TWidgetBridge::Widget(this))
        w->lower();
}

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage m{Msg, WParam, LParam, 0};
    CallWindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (Application != nullptr)
            Application->HintMouseMessage(this, PointFromLParam(Message.LParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case CM_MOUSELEAVE:
        if (Application != nullptr && Application->HintControl() == this)
            Application->CancelHint();
        break;
    default:
        break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: MouseMessage(Message, mbLeft, true, false); break;
    case WM_RBUTTONDOWN: MouseMessage(Message, mbRight, true, false); break;
    case WM_MBUTTONDOWN: MouseMessage(Message, mbMiddle, true, false); break;
    case WM_LBUTTONDBLCLK: MouseMessage(Message, mbLeft, true, true); break;
    case WM_RBUTTONDBLCLK: MouseMessage(Message, mbRight, true, true); break;
    case WM_MBUTTONDBLCLK: MouseMessage(Message, mbMiddle, true, true); break;
    case WM_LBUTTONUP: MouseMessage(Message, mbLeft, false, false); break;
    case WM_RBUTTONUP: MouseMessage(Message, mbRight, false, false); break;
    case WM_MBUTTONUP: MouseMessage(Message, mbMiddle, false, false); break;
    case WM_MOUSEMOVE: {
        const TPoint p = PointFromLParam(Message.LParam);
        MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
        DefaultHandler(Message);
        break;
    }
    case WM_MOUSEWHEEL: WheelMessage(Message); break;
    case WM_PAINT:
        if (QPainter* p = TWidgetBridge::CurrentPainter(this))
            PaintHandler(p);
        else
            DefaultHandler(Message);
        break;
    case CM_MOUSEENTER:
        if (Message.LParam == LPARAM(this) && OnMouseEnter)
            OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (Message.LParam == LPARAM(this) && OnMouseLeave)
            OnMouseLeave(this);
        break;
    case CM_PARENTFONTCHANGED: DoParentFontChanged(); break;
    case CM_PARENTCOLORCHANGED: DoParentColorChanged(); break;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint && FParent != nullptr)
            FShowHint = FParent->ShowHint();
        break;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    case CM_HITTEST: Message.Result = 1; break;
    case CM_DRAG: DragMessage(Message); break;
    case WM_CANCELMODE:
        // A press in progress ends as if released away from the control.
        if (MouseCapture()) {
            SetMouseCapture(false);
            if (FControlState & csLButtonDown)
                Perform(WM_LBUTTONUP, 0, PointToLParam({-1, -1}));
        }
        DefaultHandler(Message);
        break;
    case WM_CONTEXTMENU: {
        TPoint p = PointFromLParam(Message.LParam);
        bool handled = false;
        if (OnContextPopup)
            OnContextPopup(this, ScreenToClient(p), handled);
        if (!handled && FPopupMenu != nullptr && FPopupMenu->AutoPopup()) {
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.X, p.Y);
            handled = true;
        }
        if (!handled)
            DefaultHandler(Message);
        break;
    }
    default:
        DefaultHandler(Message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    TWidgetBridge::RequestNativeDefault(Message);
}

void TControl::MouseMessage(TMessage& Message, TMouseButton Button, bool down, bool dbl)
{
    const TPoint p = PointFromLParam(Message.LParam);
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (down) {
        if (dbl) {
            shift |= ssDouble;
            if (Button == mbLeft && (FControlStyle & csClickEvents))
                DblClick();
        } else if (Button == mbLeft && (FControlStyle & csClickEvents)) {
            FControlState |= csClicked;
        }
        if (Button == mbLeft) {
            FControlState |= csLButtonDown;
            if (FDragMode == dmAutomatic && !dbl)
                BeginDrag(false, -1);
            // The press holds the mouse until the button is released (Qt
            // already sends the moves of a held button to the pressed widget).
            if ((FControlStyle & csCaptureMouse) && !MouseCapture())
                TWidgetBridge::SetCaptureControl(this, false);
        }
        MouseDown(Button, shift, p.X, p.Y);
    } else {
        if (Button == mbLeft) {
            FControlState &= ~csLButtonDown;
            if (FControlStyle & csCaptureMouse)
                SetMouseCapture(false);
            if (FControlState & csClicked) {
                FControlState &= ~csClicked;
                if (PtInRect(ClientRect(), p))
                    Click();
            }
        }
        MouseUp(Button, shift, p.X, p.Y);
    }
    DefaultHandler(Message);
}

void TControl::WheelMessage(TMessage& Message)
{
    const TPoint screen = PointFromLParam(Message.LParam);
    const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    const Integer delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    bool handled = false;
    // The form hears the wheel first, wherever the pointer is.
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && !TWidgetBridge::WheelFormAsked && form->OnMouseWheel) {
        form->OnMouseWheel(form, shift, delta, screen, handled);
        TWidgetBridge::WheelFormAsked = true;
    }
    if (!handled)
        handled = DoMouseWheel(shift, delta, screen);
    if (handled)
        Message.Result = 1;
    else
        DefaultHandler(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::UpdateView()
{
    if (FView)
        TWidgetBridge::ApplyState(this);
}

// ------------------------------------------------------------ TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FWindowed = true;
    FControlStyle |= csAcceptsControls;
}

TWinControl::~TWinControl()
{
    Destroying();
    // A site that goes lets its dock clients go first.
    for (TControl* c : FDockClients)
        c->FHostDockSite = nullptr;
    FDockClients.clear();
    // A windowed control frees the controls placed on it.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        delete c;
    }
    if (Parent() != nullptr)
        Parent()->RemoveControl(this);
    DestroyHandle();
    FWindowed = false;  // what is left of it is a plain control
}

bool TWinControl::ContainsControl(const TControl* Control) const
{
    for (const TControl* c = Control; c != nullptr; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && (AllowDisabled || c->Enabled()) && PtInRect(c->BoundsRect(), Pos))
            return c;
    }
    return nullptr;
}

TControl* TWinControl::FindChildControl(const QString& ControlName) const
{
    for (TControl* c : FControls)
        if (c->Name().compare(ControlName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
    FControls.push_back(AControl);
    AControl->FParent = this;
    if (auto* wc = AsWinControl(AControl))
        FTabList.push_back(wc);
    if (AControl->FParentFont)
        AControl->DoParentFontChanged();
    if (AControl->FParentColor)
        AControl->DoParentColorChanged();
    if (AControl->FParentShowHint)
        AControl->FShowHint = ShowHint();
    if (HandleAllocated()) {
        if (auto* wc = AsWinControl(AControl))
            wc->CreateHandle();
        else
            AControl->ParentHandleCreated();
    }
    if (AControl->Align() != alNone)
        Realign();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (std::find(FControls.begin(), FControls.end(), AControl) == FControls.end())
        return;
    if (auto* wc = AsWinControl(AControl)) {
        if (TCustomForm* form = GetParentForm())
            form->DefocusControl(wc, true);
        wc->DestroyHandle();
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), wc), FTabList.end());
    } else {
        AControl->ParentHandleDestroying();
    }
    // A windowed child in its destructor no longer casts: drop it by address.
    FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(), [AControl](TWinControl* w) { return static_cast<TControl*>(w) == AControl; }),
                   FTabList.end());
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    AControl->FParent = nullptr;
    if (AControl->Align() != alNone && !HasState(csDestroying))
        Realign();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FView.get();
}

void TWinControl::HandleNeeded()
{
    if (HandleAllocated())
        return;
    if (Parent() != nullptr)
        Parent()->HandleNeeded();
    if (!HandleAllocated())
        CreateHandle();
}

void TWinControl::CreateHandle()
{
    if (HandleAllocated())
        return;
    if (Parent() != nullptr && !Parent()->HandleAllocated())
        return;
    if (Parent() == nullptr && FParentWindow != nullptr && !FParentWindow->HandleAllocated())
        return;
    FControlState |= csCreating;
    CreateWnd();
    FControlState &= ~csCreating;
    for (TControl* c : FControls) {
        if (auto* wc = AsWinControl(c))
            wc->CreateHandle();
        else
            c->ParentHandleCreated();
    }
    // Children's widgets stack in the order of the child list.
    for (TControl* c : FControls)
        if (QWidget* w = TWidgetBridge::Widget(c))
            w->raise();
    TStyleManager::WindowCreated(this);
}

void TWinControl::DestroyHandle()
{
    if (!HandleAllocated())
        return;
    FControlState |= csDestroyingHandle;
    TStyleManager::WindowDestroyed(this);
    for (TControl* c : FControls) {
        if (auto* wc = AsWinControl(c))
            wc->DestroyHandle();
        else
            c->ParentHandleDestroying();
    }
    EndDrawNow();
    DestroyWnd();
    FControlState &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd()
{
    if (!HandleAllocated())
        return;
    const bool hadFocus = Focused();
    DestroyHandle();
    HandleNeeded();
    if (hadFocus)
        SetFocus();
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = Parent() != nullptr ? Parent() : FParentWindow;
    Params.WinClassName = ClassName();
}

DWORD GetWindowLong(TWinControl* Control, int Index)
{
    if (Control == nullptr)
        return 0;
    TCreateParams params;
    Control->CreateParams(params);
    return Index == GWL_EXSTYLE ? params.ExStyle : Index == GWL_STYLE ? params.Style : 0;
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    QWidget* parent = TWidgetBridge::ParentWidget(this);
    if (parent == nullptr && Params.WndParent != nullptr)
        parent = TWidgetBridge::Client(Params.WndParent);
    auto* w = new QWidget(parent);
    if (parent == nullptr && (Params.Style & WS_POPUP) && dynamic_cast<TCustomForm*>(this) == nullptr) {
        // A popup window (a drop-down list, a hint): no frame, over the others.
        Qt::WindowFlags f = Qt::Tool | Qt::FramelessWindowHint;
        if (Params.ExStyle & WS_EX_TOPMOST)
            f |= Qt::WindowStaysOnTopHint;
        // A disabled popup is never activated and takes no input: the window
        // below keeps the focus and the mouse.
        if (Params.Style & WS_DISABLED)
            f = (f & ~Qt::Tool) | Qt::ToolTip | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput;
        w->setWindowFlags(f);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setProperty("arvintoPopup", true);
        // A layered window shows its picture's alpha over what lies below.
        if (Params.ExStyle & WS_EX_LAYERED) {
            w->setAttribute(Qt::WA_TranslucentBackground);
            w->setAttribute(Qt::WA_NoSystemBackground);
        }
    }
    w->setFocusPolicy(Qt::NoFocus);
    w->setAttribute(Qt::WA_InputMethodEnabled, false);
    // A window that is transparent to hit tests lets every mouse message
    // through to the window beneath.
    TMessage hit{WM_NCHITTEST, 0, 0, 0};
    CallWindowProc(hit);
    if (hit.Result == HTTRANSPARENT)
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    TWidgetBridge::Attach(this, w, true);
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    CreateWindowHandle(params);
}

void TWinControl::DestroyWnd()
{
    FView.reset();
}

void TWinControl::UpdateView()
{
    TControl::UpdateView();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::SetTextValue(const QString& value)
{
    FText = value;
    if (QWidget* w = TWidgetBridge::Widget(this); w != nullptr && w->isWindow())
        w->setWindowTitle(value);
    Invalidate();
}

bool TWinControl::Showing() const
{
    return Visible() && Parent() != nullptr && Parent()->Showing();
}

bool TWinControl::CanFocus() const
{
    TCustomForm* form = GetParentForm();
    if (form == nullptr || !form->Visible() || !form->Enabled())
        return false;
    for (const TWinControl* c = this; c != form; c = c->Parent())
        if (c == nullptr || !c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this)
        form->FocusControl(this);
    else if (QWidget* w = TWidgetBridge::Widget(this))
        w->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const
{
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr)
        return false;
    QWidget* f = QApplication::focusWidget();
    return f != nullptr && (f == w || TWidgetBridge::ControlOf(f) == this);
}

Integer TWinControl::TabOrder() const
{
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : Integer(it - list.begin());
}

void TWinControl::SetTabOrder(Integer value)
{
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::clamp<Integer>(value, 0, Integer(list.size()));
    list.insert(list.begin() + value, this);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const
{
    std::vector<TWinControl*> out;
    for (TWinControl* c : FTabList) {
        out.push_back(c);
        const auto sub = c->GetTabOrderList();
        out.insert(out.end(), sub.begin(), sub.end());
    }
    return out;
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const
{
    const auto list = GetTabOrderList();
    if (list.empty())
        return nullptr;
    const Integer n = Integer(list.size());
    Integer start = -1;
    for (Integer i = 0; i < n; ++i)
        if (list[size_t(i)] == CurControl)
            start = i;
    if (start < 0)
        start = GoForward ? n - 1 : 0;
    Integer i = start;
    for (Integer k = 0; k < n; ++k) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[size_t(i)];
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    // Without the tab-stop check (arrow keys) only the siblings take part.
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0)
        Realign();
}

void TWinControl::Realign()
{
    DoAlign();
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (size_t i = 0; i < FControls.size(); ++i) {
        FControls[i]->WndProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(Cardinal Msg)
{
    TMessage m{Msg, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::ResizeChildrenFor(const TSize& oldClient)
{
    const TRect cr = ClientRect();
    ApplyAnchors(cr.Width() - oldClient.cx, cr.Height() - oldClient.cy);
    FLastClientSize = {cr.Width(), cr.Height()};
    DoAlign();
}

void TWinControl::ApplyAnchors(Integer dx, Integer dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (TControl* c : FControls) {
        if (c->Align() != alNone)
            continue;
        const TAnchors a = c->Anchors();
        // Held at the left and top edges, a control stays where it is.
        if ((a & akLeft) && (a & akTop) && !(a & akRight) && !(a & akBottom))
            continue;
        Integer l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        if (a & akRight) {
            if (a & akLeft) w += dx;
            else l += dx;
        } else if (!(a & akLeft)) {
            l += dx / 2;
        }
        if (a & akBottom) {
            if (a & akTop) h += dy;
            else t += dy;
        } else if (!(a & akTop)) {
            t += dy / 2;
        }
        c->SetBounds(l, t, std::max(w, 0), std::max(h, 0));
    }
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    auto take = [&](TAlign kind) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == kind && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
            switch (kind) {
            case alTop: return a->Top() < b->Top();
            case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft: return a->Left() < b->Left();
            case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        return list;
    };
    for (TControl* c : take(alTop)) {
        c->SetBounds(Rect.Left, Rect.Top, Rect.Width(), c->Height());
        Rect.Top += c->Height();
    }
    for (TControl* c : take(alBottom)) {
        Rect.Bottom -= c->Height();
        c->SetBounds(Rect.Left, Rect.Bottom, Rect.Width(), c->Height());
    }
    for (TControl* c : take(alLeft)) {
        c->SetBounds(Rect.Left, Rect.Top, c->Width(), Rect.Height());
        Rect.Left += c->Width();
    }
    for (TControl* c : take(alRight)) {
        Rect.Right -= c->Width();
        c->SetBounds(Rect.Right, Rect.Top, c->Width(), Rect.Height());
    }
    for (TControl* c : take(alClient))
        c->SetBounds(Rect.Left, Rect.Top, std::max(Rect.Width(), 0), std::max(Rect.Height(), 0));
}

void TWinControl::DoAlign()
{
    if (FAlignLevel > 0 || FAligning || HasState(csDestroying))
        return;
    FAligning = true;
    TRect r = AlignRect();
    AlignControls(nullptr, r);
    FAligning = false;
}

void TWinControl::Invalidate()
{
    TControl::Invalidate();
}

void TWinControl::Update()
{
    TControl::Update();
}

void TWinControl::Repaint()
{
    TControl::Repaint();
}

void TWinControl::WndProc(TMessage& Message)
{
    TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DOCKCLIENT: {
        // Takes the control where the drag's frame showed it.
        auto* source = reinterpret_cast<TDragDockObject*>(Message.WParam);
        Message.Result = 0;
        if (source != nullptr && source->Control() != nullptr) {
            source->Control()->Dock(this, source->DockRect);
            Message.Result = 1;
        }
        return;
    }
    case CM_UNDOCKCLIENT:
    case CM_DOCKNOTIFICATION:
        Message.Result = 0;
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(Message))
            DefaultHandler(Message);
        break;
    case CN_KEYDOWN: {
        // Tab, the arrows, Enter and Escape are dialog keys unless the
        // control asks for them: the form moves the focus or clicks its
        // default or cancel button, and the key goes no further.
        const Word key = Word(Message.WParam);
        LRESULT mask = 0;
        if (key == VK_TAB) mask = DLGC_WANTTAB;
        else if (key >= VK_LEFT && key <= VK_DOWN) mask = DLGC_WANTARROWS;
        else if (key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL) mask = DLGC_WANTALLKEYS;
        Message.Result = 0;
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, key) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
            TCustomForm* form = GetParentForm();
            if (form != nullptr && form->Perform(CM_DIALOGKEY, key) != 0)
                Message.Result = 1;
        }
        break;
    }
    case CN_CHAR: {
        // A character the control does not take may be a form accelerator.
        Message.Result = 0;
        if (!(Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) || GetKeyState(VK_MENU) < 0) {
            TCustomForm* form = GetParentForm();
            if (form != nullptr && form->Perform(CM_DIALOGCHAR, Message.WParam) != 0)
                Message.Result = 1;
        }
        break;
    }
    case CN_KEYUP: Message.Result = 0; break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(Message);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(Message))
            DefaultHandler(Message);
        break;
    case WM_CHAR:
        if (DoKeyPress(Message))
            DefaultHandler(Message);
        break;
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm();
        if (form != nullptr && form != this && !form->SetFocusedControl(this))
            break;
        DefaultHandler(Message);
        break;
    }
    case CM_ENTER: DoEnter(); break;
    case WM_SETREDRAW:
        // Redrawing off keeps the window's picture until it is switched on.
        if (QWidget* w = TWidgetBridge::Widget(this))
            w->setUpdatesEnabled(Message.WParam != 0);
        break;
    case WM_SIZE:
        ResizeChildrenFor(FLastClientSize);
        if (!HasState(csLoading))
            Resize();
        break;
    case CM_EXIT: DoExit(); break;
    case WM_GETDLGCODE: Message.Result = FDlgCode; break;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const QString*>(Message.LParam);
        if (text != nullptr)
            SetText(*text);
        Message.Result = 1;
        break;
    }
    case WM_GETTEXT: {
        auto* text = reinterpret_cast<QString*>(Message.LParam);
        if (text != nullptr)
            *text = GetText();
        Message.Result = GetText().size();
        break;
    }
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        TControl::Dispatch(Message);
        if (Message.Msg == CM_COLORCHANGED)
            NotifyControls(CM_PARENTCOLORCHANGED);
        break;
    default:
        TControl::Dispatch(Message);
        break;
    }
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    TControl::DefaultHandler(Message);
}

bool TWinControl::DoKeyDown(TMessage& Message)
{
    Word key = Word(Message.WParam);
    const TShiftState shift = KeyDataToShiftState();
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(form, key, shift);
        Message.WParam = key;
        if (key == 0)
            return false;
    }
    KeyDown(key, shift);
    Message.WParam = key;
    return key != 0;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
    Word key = Word(Message.WParam);
    const TShiftState shift = KeyDataToShiftState();
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyUp) {
        form->OnKeyUp(form, key, shift);
        Message.WParam = key;
        if (key == 0)
            return false;
    }
    KeyUp(key, shift);
    Message.WParam = key;
    return key != 0;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
    QChar key(char16_t(Message.WParam));
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form != this && form->KeyPreview() && form->OnKeyPress) {
        form->OnKeyPress(form, key);
        Message.WParam = key.unicode();
        if (key.unicode() == 0)
            return false;
    }
    KeyPress(key);
    Message.WParam = key.unicode();
    return key.unicode() != 0;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ------------------------------------------------------------ TOwnCanvas

TOwnCanvas::TOwnCanvas() = default;

TOwnCanvas::~TOwnCanvas()
{
    EndDrawNow();
}

TCanvas* TOwnCanvas::Get(TControl* Control) const
{
    if (!FCanvas)
        FCanvas = std::make_unique<TControlCanvas>(Control);
    return FCanvas.get();
}

void TOwnCanvas::StartPaint(TControl* Control, QPainter* Painter, TColor Color)
{
    Get(Control);
    FCanvas->StartPaint(Painter);
    FCanvas->SetFont(Control->Font());
    FCanvas->Brush()->SetColor(Color);
}

void TOwnCanvas::StopPaint()
{
    FCanvas->StopPaint();
}

void TOwnCanvas::EndDrawNow()
{
    if (FCanvas)
        FCanvas->EndDrawNow();
}

// ------------------------------------------------------------ TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner)
{
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const
{
    return FCanvas.Get(const_cast<TCustomControl*>(this));
}

void TCustomControl::PaintHandler(QPainter* painter)
{
    FCanvas.StartPaint(this, painter, Color());
    Paint();
    FCanvas.StopPaint();
}

void TCustomControl::EndDrawNow()
{
    FCanvas.EndDrawNow();
}

// ------------------------------------------------------------ TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
}

TGraphicControl::~TGraphicControl()
{
    FCanvas.EndDrawNow();
    FView.reset();
}

TCanvas* TGraphicControl::Canvas() const
{
    return FCanvas.Get(const_cast<TGraphicControl*>(this));
}

void TGraphicControl::PaintHandler(QPainter* painter)
{
    FCanvas.StartPaint(this, painter, Color());
    Paint();
    FCanvas.StopPaint();
}

void TGraphicControl::EndDrawNow()
{
    FCanvas.EndDrawNow();
}

void TGraphicControl::ParentHandleCreated()
{
    TWidgetBridge::AttachView(this);
}

void TGraphicControl::ParentHandleDestroying()
{
    FCanvas.EndDrawNow();
    FView.reset();
}

bool IsAccel(QChar ch, const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper() == ch.toUpper();
    }
    return false;
}
