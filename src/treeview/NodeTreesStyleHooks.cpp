// The styled scroll bars of the trees: measuring the standard bars,
// placing and painting the covering windows, hot and pressed parts, and the
// thumb drag.

#include "treeview/NodeTreesStyleHooks.h"

#include <algorithm>
#include <cmath>

#include "platform/Accessibility.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/ScrollFrame.h"
#include "treeview/NodeTrees.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {

enum { phNormal, phHot, phPressed, phDisabled };

int Phase(TThemedScrollBar S)
{
    return (int(S) - int(tsArrowBtnUpNormal)) % 4;
}

TThemedScrollBar WithPhase(TThemedScrollBar S, int P)
{
    return TThemedScrollBar(int(S) - Phase(S) + P);
}

bool Is(TThemedScrollBar S, int P)
{
    return Phase(S) == P;
}

TPoint MessagePoint(const TMessage& Message)
{
    return {SmallInt(Word(Message.LParam & 0xFFFF)), SmallInt(Word((Message.LParam >> 16) & 0xFFFF))};
}

// Normal to Hot when P enters R, Hot to Normal when it leaves; true when
// the state changed.
bool Track(TThemedScrollBar& State, const TRect& R, TPoint P)
{
    const bool inside = PtInRect(R, P);
    if (inside && Is(State, phNormal)) {
        State = WithPhase(State, phHot);
        return true;
    }
    if (!inside && Is(State, phHot)) {
        State = WithPhase(State, phNormal);
        return true;
    }
    return false;
}

} // namespace

// ---------------------------------------------------------------- the covering window

TStyledScrollBarsHook::TStyledScrollBarWindow::TStyledScrollBarWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOverrideStylePaint);
    FScrollBarWindowOwner = nullptr;
    FScrollBarVertical = false;
    FScrollBarVisible = false;
    FScrollBarEnabled = false;
}

void TStyledScrollBarsHook::TStyledScrollBarWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_NOPARENTNOTIFY;
}

void TStyledScrollBarsHook::TStyledScrollBarWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    case WM_NCHITTEST:
        // The mouse goes to the tree beneath.
        Message.Result = HTTRANSPARENT;
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}

void TStyledScrollBarsHook::TStyledScrollBarWindow::Paint()
{
    TStyledScrollBarsHook* owner = FScrollBarWindowOwner;
    if (owner == nullptr)
        return;
    TCanvas* dc = Canvas();
    const TRect& bar = FScrollBarVertical ? owner->FVertScrollBarRect : owner->FHorzScrollBarRect;
    const TPoint org = dc->WindowOrg();
    dc->SetWindowOrg(TPoint(org.X + bar.Left, org.Y + bar.Top));
    if (FScrollBarVertical)
        owner->PaintVertScrollBar(dc);
    else
        owner->PaintHorzScrollBar(dc);
    dc->SetWindowOrg(org);
}

// ---------------------------------------------------------------- the hook

TStyledScrollBarsHook::TStyledScrollBarsHook(TWinControl* AControl) : TMouseTrackControlStyleHook(AControl)
{
    TWinControl* parent = AControl->Parent() != nullptr ? AControl->Parent() : AControl->ParentWindow();
    for (int i = 0; i < 2; ++i) {
        auto* window = new TStyledScrollBarWindow(nullptr);
        window->FScrollBarVertical = i == 0;
        window->FScrollBarWindowOwner = this;
        window->SetVisible(false);
        window->SetParentWindow(parent);
        (i == 0 ? FVertScrollBarWindow : FHorzScrollBarWindow) = window;
    }
    FVertScrollBarSliderState = tsThumbBtnVertNormal;
    FVertScrollBarUpButtonState = tsArrowBtnUpNormal;
    FVertScrollBarDownButtonState = tsArrowBtnDownNormal;
    FHorzScrollBarSliderState = tsThumbBtnHorzNormal;
    FHorzScrollBarUpButtonState = tsArrowBtnLeftNormal;
    FHorzScrollBarDownButtonState = tsArrowBtnRightNormal;
    // The tree's window exists already: the bars are placed now instead of
    // at its first non-client paint.
    MeasureScrollBars();
    PlaceScrollBarWindows();
}

TStyledScrollBarsHook::~TStyledScrollBarsHook()
{
    for (TStyledScrollBarWindow* window : {FVertScrollBarWindow, FHorzScrollBarWindow}) {
        window->FScrollBarWindowOwner = nullptr;
        delete window;
    }
}

bool TStyledScrollBarsHook::Paints() const
{
    return StyleServices()->Available() && (FControl->StyleElements() & seBorder);
}

TPoint TStyledScrollBarsHook::EdgeOffset() const
{
    if (!HasBorder())
        return {0, 0};
    return HasClientEdge() ? TPoint(2, 2) : TPoint(1, 1);
}

TPoint TStyledScrollBarsHook::ClientPoint(const TMessage& Message) const
{
    return FControl->ScreenToClient(MessagePoint(Message));
}

bool TStyledScrollBarsHook::InHeader(TPoint P) const
{
    auto* tree = dynamic_cast<TBaseNodeTree*>(FControl);
    return tree != nullptr && tree->Header()->InHeader(P);
}

void TStyledScrollBarsHook::RepaintScrollBarWindows()
{
    FVertScrollBarWindow->Repaint();
    FHorzScrollBarWindow->Repaint();
}

void TStyledScrollBarsHook::MouseLeave()
{
    TMouseTrackControlStyleHook::MouseLeave();
    for (TThemedScrollBar* s : {&FVertScrollBarSliderState, &FVertScrollBarUpButtonState, &FVertScrollBarDownButtonState,
                                &FHorzScrollBarSliderState, &FHorzScrollBarUpButtonState, &FHorzScrollBarDownButtonState})
        if (Is(*s, phHot))
            *s = WithPhase(*s, phNormal);
    RepaintScrollBarWindows();
}

void TStyledScrollBarsHook::MeasureScrollBars()
{
    const TPoint offset = HasBorder() && HasClientEdge() ? TPoint(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)) : TPoint(0, 0);
    TScrollBarInfo info;
    const auto toClient = [this, offset](const TRect& R) {
        const TPoint a = FControl->ScreenToClient(R.TopLeft());
        const TPoint b = FControl->ScreenToClient(R.BottomRight());
        return TRect(a.X + offset.X, a.Y + offset.Y, b.X + offset.X, b.Y + offset.Y);
    };
    // Without a bar at all the window stays hidden.
    bool found = GetScrollBarInfo(FControl, OBJID_VSCROLL, info);
    FVertScrollBarWindow->SetVisible(found && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE));
    FVertScrollBarWindow->SetEnabled(found && !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
    if (FVertScrollBarWindow->Visible()) {
        FVertScrollBarRect = toClient(info.rcScrollBar);
        const Integer size = GetSystemMetrics(SM_CYVTHUMB);
        FVertScrollBarDownButtonRect = FVertScrollBarRect;
        FVertScrollBarDownButtonRect.Top = FVertScrollBarRect.Bottom - size;
        FVertScrollBarUpButtonRect = FVertScrollBarRect;
        FVertScrollBarUpButtonRect.Bottom = FVertScrollBarRect.Top + size;
        FVertScrollBarSliderTrackRect = FVertScrollBarRect;
        FVertScrollBarSliderTrackRect.Top += size;
        FVertScrollBarSliderTrackRect.Bottom -= size;
    }
    found = GetScrollBarInfo(FControl, OBJID_HSCROLL, info);
    FHorzScrollBarWindow->SetVisible(found && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE));
    FHorzScrollBarWindow->SetEnabled(found && !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
    if (FHorzScrollBarWindow->Visible()) {
        FHorzScrollBarRect = toClient(info.rcScrollBar);
        const Integer size = GetSystemMetrics(SM_CXHTHUMB);
        FHorzScrollBarDownButtonRect = FHorzScrollBarRect;
        FHorzScrollBarDownButtonRect.Left = FHorzScrollBarRect.Right - size;
        FHorzScrollBarUpButtonRect = FHorzScrollBarRect;
        FHorzScrollBarUpButtonRect.Right = FHorzScrollBarRect.Left + size;
        FHorzScrollBarSliderTrackRect = FHorzScrollBarRect;
        FHorzScrollBarSliderTrackRect.Left += size;
        FHorzScrollBarSliderTrackRect.Right -= size;
    }
}

std::array<TThemedScrollBar*, 2> TStyledScrollBarsHook::Buttons(bool Vertical)
{
    if (Vertical)
        return {&FVertScrollBarUpButtonState, &FVertScrollBarDownButtonState};
    return {&FHorzScrollBarUpButtonState, &FHorzScrollBarDownButtonState};
}

TRect TStyledScrollBarsHook::VertSliderRect()
{
    return SliderRect(true);
}

TRect TStyledScrollBarsHook::HorzSliderRect()
{
    return SliderRect(false);
}

TRect TStyledScrollBarsHook::SliderRect(bool Vertical)
{
    TStyledScrollBarWindow* window = Vertical ? FVertScrollBarWindow : FHorzScrollBarWindow;
    TScrollBarInfo info;
    if (!window->Visible() || !window->Enabled() || !GetScrollBarInfo(FControl, Vertical ? OBJID_VSCROLL : OBJID_HSCROLL, info))
        return TRect();
    const TPoint a = FControl->ScreenToClient(info.rcScrollBar.TopLeft());
    const TPoint b = FControl->ScreenToClient(info.rcScrollBar.BottomRight());
    TRect r = Vertical ? TRect(a.X, info.xyThumbTop, b.X, info.xyThumbBottom) : TRect(info.xyThumbTop, a.Y, info.xyThumbBottom, b.Y);
    const TPoint offset = EdgeOffset();
    OffsetRect(r, offset.X, offset.Y);
    return r;
}

void TStyledScrollBarsHook::PlaceScrollBarWindows()
{
    auto* tree = dynamic_cast<TBaseNodeTree*>(FControl);
    const Integer headerHeight = tree != nullptr && (tree->Header()->Options() & hoVisible) ? tree->Header()->Height() : 0;
    const bool rightToLeft = tree != nullptr && tree->BiDiMode() == bdRightToLeft;
    const bool border = HasBorder();
    const bool styled = (FControl->StyleElements() & seBorder) != 0;
    const Integer borderWidth = 0;
    // Without a parent window there is nothing to lie on.
    if (FVertScrollBarWindow->ParentWindow() == nullptr) {
        FVertScrollBarWindow->SetVisible(false);
        FHorzScrollBarWindow->SetVisible(false);
        return;
    }
    if (FVertScrollBarWindow->Visible() && styled) {
        TRect r = FVertScrollBarRect;
        if (rightToLeft) {
            OffsetRect(r, -r.Left, 0);
            if (border)
                OffsetRect(r, GetSystemMetrics(SM_CXEDGE), 0);
        }
        const Integer b = border ? 2 * GetSystemMetrics(SM_CYEDGE) : 0;
        FVertScrollBarWindow->HandleNeeded();
        FVertScrollBarWindow->SetBounds(FControl->Left() + r.Left + borderWidth, FControl->Top() + r.Top + headerHeight + borderWidth,
                                        r.Right - r.Left, FControl->Height() - headerHeight - b - borderWidth);
        FVertScrollBarWindow->BringToFront();
    } else {
        FVertScrollBarWindow->SetVisible(false);
    }
    if (FHorzScrollBarWindow->Visible() && styled) {
        TRect r = FHorzScrollBarRect;
        if (rightToLeft)
            OffsetRect(r, FVertScrollBarRect.Width(), 0);
        FHorzScrollBarWindow->HandleNeeded();
        FHorzScrollBarWindow->SetBounds(FControl->Left() + r.Left + borderWidth, FControl->Top() + r.Top + headerHeight + borderWidth,
                                        r.Right - r.Left, r.Bottom - r.Top);
        FHorzScrollBarWindow->BringToFront();
    } else {
        FHorzScrollBarWindow->SetVisible(false);
    }
}

void TStyledScrollBarsHook::PaintHorzScrollBar(TCanvas* DC)
{
    if (DC == nullptr || !FHorzScrollBarWindow->Visible() || !Paints() || FHorzScrollBarRect.IsEmpty())
        return;
    TCustomStyleServices* style = StyleServices();
    const TRect bar = FHorzScrollBarRect;
    TBitmap bitmap(bar.Width(), bar.Height());
    TCanvas* c = bitmap.Canvas();
    c->SetWindowOrg(bar.TopLeft());
    TRect r = bar;
    r.Left = FHorzScrollBarUpButtonRect.Right;
    r.Right = FHorzScrollBarDownButtonRect.Left;
    style->DrawElement(c, style->GetElementDetails(tsUpperTrackHorzNormal), r);
    const bool enabled = FHorzScrollBarWindow->Enabled();
    if (enabled) {
        const TRect thumb = HorzSliderRect();
        if (!thumb.IsEmpty())
            style->DrawElement(c, style->GetElementDetails(FHorzScrollBarSliderState), thumb);
    }
    style->DrawElement(c, style->GetElementDetails(enabled ? FHorzScrollBarUpButtonState : tsArrowBtnLeftDisabled), FHorzScrollBarUpButtonRect);
    style->DrawElement(c, style->GetElementDetails(enabled ? FHorzScrollBarDownButtonState : tsArrowBtnRightDisabled), FHorzScrollBarDownButtonRect);
    c->SetWindowOrg(TPoint(0, 0));
    DC->CopyRect(bar, c, TRect(0, 0, bar.Width(), bar.Height()));
}

void TStyledScrollBarsHook::PaintVertScrollBar(TCanvas* DC)
{
    if (DC == nullptr || !FVertScrollBarWindow->Visible() || !Paints() || FVertScrollBarRect.IsEmpty())
        return;
    TCustomStyleServices* style = StyleServices();
    const TRect bar = FVertScrollBarRect;
    const Integer height = std::max<Integer>(FVertScrollBarWindow->Height(), 1);
    TBitmap bitmap(bar.Width(), height);
    TCanvas* c = bitmap.Canvas();
    c->SetWindowOrg(bar.TopLeft());
    TRect r = bar;
    r.Bottom = r.Top + height;
    style->DrawElement(c, style->GetElementDetails(tsUpperTrackVertNormal), r);
    r = bar;
    r.Top = FVertScrollBarUpButtonRect.Bottom;
    r.Bottom = FVertScrollBarDownButtonRect.Top;
    style->DrawElement(c, style->GetElementDetails(tsUpperTrackVertNormal), r);
    const bool enabled = FVertScrollBarWindow->Enabled();
    if (enabled) {
        const TRect thumb = VertSliderRect();
        if (!thumb.IsEmpty())
            style->DrawElement(c, style->GetElementDetails(FVertScrollBarSliderState), thumb);
    }
    style->DrawElement(c, style->GetElementDetails(enabled ? FVertScrollBarUpButtonState : tsArrowBtnUpDisabled), FVertScrollBarUpButtonRect);
    style->DrawElement(c, style->GetElementDetails(enabled ? FVertScrollBarDownButtonState : tsArrowBtnDownDisabled), FVertScrollBarDownButtonRect);
    c->SetWindowOrg(TPoint(0, 0));
    DC->CopyRect(TRect(bar.Left, bar.Top, bar.Right, bar.Top + height), c, TRect(0, 0, bar.Width(), height));
}

void TStyledScrollBarsHook::DragThumb(bool Vertical)
{
    const int which = Vertical ? SB_VERT : SB_HORZ;
    TScrollInfo si;
    si.fMask = SIF_ALL;
    GetScrollInfo(FControl, which, si);
    if (si.nPos != Integer(std::lround(FScrollPos)))
        FScrollPos = float(si.nPos);
    const TPoint cursor = GetCursorPos();
    const Integer now = Vertical ? cursor.Y : cursor.X;
    const Integer track = Vertical ? FVertScrollBarSliderTrackRect.Height() : FHorzScrollBarSliderTrackRect.Width();
    // A bar too short for a track does not move its thumb.
    if (track > 0)
        FScrollPos += float(now - FPrevScrollPos) / float(track) * float(si.nMax - si.nMin);
    FScrollPos = std::clamp(FScrollPos, float(si.nMin), float(std::max(si.nMin, si.nMax)));
    if (si.nPage != 0 && std::lround(FScrollPos) > si.nMax - Integer(si.nPage) + 1)
        FScrollPos = float(si.nMax - Integer(si.nPage) + 1);
    FPrevScrollPos = now;
    si.fMask = SIF_POS;
    si.nPos = Integer(std::lround(FScrollPos));
    SetScrollInfo(FControl, which, si, false);
    if (Vertical)
        PostMessage(FControl, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, Word(std::min<Integer>(si.nPos, 32767))), 0);
    else
        PostMessage(FControl, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, Word(std::lround(FScrollPos) & 0xFFFF)), 0);
    RepaintScrollBarWindows();
    FHandled = true;
}

void TStyledScrollBarsHook::WndProc(TMessage& Message)
{
    auto* tree = dynamic_cast<TBaseNodeTree*>(FControl);
    const bool creating = tree != nullptr && tree->HasTreeState(tsWindowCreating);
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE: {
        TMouseTrackControlStyleHook::WndProc(Message);
        TPoint p = ClientPoint(Message);
        if (InHeader(p)) {
            CallDefaultProc(Message);
            RepaintScrollBarWindows();
            FHandled = true;
            break;
        }
        const TPoint offset = EdgeOffset();
        p = TPoint(p.X + offset.X, p.Y + offset.Y);
        bool changed = false;
        if (FVertScrollBarWindow->Enabled()) {
            changed |= Track(FVertScrollBarSliderState, VertSliderRect(), p);
            changed |= Track(FVertScrollBarDownButtonState, FVertScrollBarDownButtonRect, p);
            changed |= Track(FVertScrollBarUpButtonState, FVertScrollBarUpButtonRect, p);
        }
        if (FHorzScrollBarWindow->Enabled()) {
            changed |= Track(FHorzScrollBarSliderState, HorzSliderRect(), p);
            changed |= Track(FHorzScrollBarDownButtonState, FHorzScrollBarDownButtonRect, p);
            changed |= Track(FHorzScrollBarUpButtonState, FHorzScrollBarUpButtonRect, p);
        }
        if (changed)
            RepaintScrollBarWindows();
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        TPoint p = ClientPoint(Message);
        if (InHeader(p))
            break;
        const TPoint offset = EdgeOffset();
        p = TPoint(p.X + offset.X, p.Y + offset.Y);
        for (const bool vertical : {true, false}) {
            TStyledScrollBarWindow* window = vertical ? FVertScrollBarWindow : FHorzScrollBarWindow;
            TThemedScrollBar& slider = vertical ? FVertScrollBarSliderState : FHorzScrollBarSliderState;
            if (window->Visible() && PtInRect(vertical ? VertSliderRect() : HorzSliderRect(), p)) {
                FLeftMouseButtonDown = true;
                TScrollInfo si;
                si.fMask = SIF_ALL;
                GetScrollInfo(FControl, vertical ? SB_VERT : SB_HORZ, si);
                FScrollPos = float(si.nPos);
                FPrevScrollPos = vertical ? GetCursorPos().Y : GetCursorPos().X;
                slider = WithPhase(slider, phPressed);
                RepaintScrollBarWindows();
                SetCapture(FControl->Handle());
                FHandled = true;
                return;
            }
            if (window->Enabled()) {
                TThemedScrollBar& down = vertical ? FVertScrollBarDownButtonState : FHorzScrollBarDownButtonState;
                TThemedScrollBar& up = vertical ? FVertScrollBarUpButtonState : FHorzScrollBarUpButtonState;
                if (PtInRect(vertical ? FVertScrollBarDownButtonRect : FHorzScrollBarDownButtonRect, p))
                    down = WithPhase(down, phPressed);
                if (PtInRect(vertical ? FVertScrollBarUpButtonRect : FHorzScrollBarUpButtonRect, p))
                    up = WithPhase(up, phPressed);
            }
        }
        FLeftMouseButtonDown = true;
        RepaintScrollBarWindows();
        break;
    }
    case WM_NCLBUTTONUP: {
        TPoint p = ClientPoint(Message);
        const bool header = InHeader(p);
        if (!header) {
            const TPoint offset = EdgeOffset();
            p = TPoint(p.X + offset.X, p.Y + offset.Y);
            for (const bool vertical : {true, false}) {
                TStyledScrollBarWindow* window = vertical ? FVertScrollBarWindow : FHorzScrollBarWindow;
                if (!window->Visible() || !window->Enabled())
                    continue;
                TThemedScrollBar& slider = vertical ? FVertScrollBarSliderState : FHorzScrollBarSliderState;
                if (Is(slider, phPressed)) {
                    slider = WithPhase(slider, phNormal);
                    FLeftMouseButtonDown = false;
                    RepaintScrollBarWindows();
                    FHandled = true;
                    return;
                }
                TThemedScrollBar& down = vertical ? FVertScrollBarDownButtonState : FHorzScrollBarDownButtonState;
                TThemedScrollBar& up = vertical ? FVertScrollBarUpButtonState : FHorzScrollBarUpButtonState;
                down = WithPhase(down, PtInRect(vertical ? FVertScrollBarDownButtonRect : FHorzScrollBarDownButtonRect, p) ? phHot : phNormal);
                up = WithPhase(up, PtInRect(vertical ? FVertScrollBarUpButtonRect : FHorzScrollBarUpButtonRect, p) ? phHot : phNormal);
            }
        }
        CallDefaultProc(Message);
        if ((!header && FHorzScrollBarWindow->Visible()) || FVertScrollBarWindow->Visible())
            RepaintScrollBarWindows();
        FHandled = true;
        break;
    }
    case WM_MOUSEMOVE:
        TMouseTrackControlStyleHook::WndProc(Message);
        if (Is(FVertScrollBarSliderState, phPressed)) {
            DragThumb(true);
        } else if (Is(FHorzScrollBarSliderState, phPressed)) {
            DragThumb(false);
        } else {
            for (TThemedScrollBar* s : {&FHorzScrollBarSliderState, &FVertScrollBarSliderState, &FHorzScrollBarUpButtonState,
                                        &FHorzScrollBarDownButtonState, &FVertScrollBarUpButtonState, &FVertScrollBarDownButtonState})
                if (Is(*s, phHot)) {
                    *s = WithPhase(*s, phNormal);
                    RepaintScrollBarWindows();
                    break;
                }
            CallDefaultProc(Message);
            if (FLeftMouseButtonDown)
                RepaintScrollBarWindows();
        }
        FHandled = true;
        break;
    case WM_LBUTTONUP: {
        // The point of a button message is in client coordinates already.
        const TPoint p = MessagePoint(Message);
        if (!InHeader(p)) {
            for (const bool vertical : {true, false}) {
                TThemedScrollBar& slider = vertical ? FVertScrollBarSliderState : FHorzScrollBarSliderState;
                if (Is(slider, phPressed)) {
                    PostMessage(FControl, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
                    FLeftMouseButtonDown = false;
                    slider = WithPhase(slider, phNormal);
                    RepaintScrollBarWindows();
                    FHandled = true;
                    ReleaseCapture();
                    return;
                }
                for (TThemedScrollBar* s : Buttons(vertical))
                    if (Is(*s, phPressed))
                        *s = WithPhase(*s, phNormal);
            }
            RepaintScrollBarWindows();
        }
        FLeftMouseButtonDown = false;
        break;
    }
    case WM_CAPTURECHANGED:
        for (const bool vertical : {true, false}) {
            // A thumb drag that loses the mouse ends there, or the thumb
            // would follow the mouse with no button held.
            TThemedScrollBar& slider = vertical ? FVertScrollBarSliderState : FHorzScrollBarSliderState;
            if (Is(slider, phPressed)) {
                slider = WithPhase(slider, phNormal);
                FLeftMouseButtonDown = false;
                PostMessage(FControl, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
                RepaintScrollBarWindows();
            }
            TStyledScrollBarWindow* window = vertical ? FVertScrollBarWindow : FHorzScrollBarWindow;
            if (!window->Visible() || !window->Enabled())
                continue;
            for (TThemedScrollBar* s : Buttons(vertical))
                if (Is(*s, phPressed)) {
                    *s = WithPhase(*s, phNormal);
                    RepaintScrollBarWindows();
                }
        }
        CallDefaultProc(Message);
        FHandled = true;
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_MOUSEWHEEL:
        CallDefaultProc(Message);
        RepaintScrollBarWindows();
        FHandled = true;
        break;
    case WM_ERASEBKGND:
        FHandled = true;
        break;
    case WM_NCPAINT:
        if (creating) {
            MeasureScrollBars();
            PlaceScrollBarWindows();
        }
        break;
    case WM_SIZE:
        CallDefaultProc(Message);
        MeasureScrollBars();
        PlaceScrollBarWindows();
        RepaintScrollBarWindows();
        FHandled = true;
        break;
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED:
        CallDefaultProc(Message);
        if (!creating) {
            MeasureScrollBars();
            PlaceScrollBarWindows();
            RepaintScrollBarWindows();
        }
        FHandled = true;
        break;
    case CM_REFRESHSTYLEDSCROLLBARS:
        MeasureScrollBars();
        RepaintScrollBarWindows();
        break;
    default:
        TMouseTrackControlStyleHook::WndProc(Message);
        break;
    }
}

// ---------------------------------------------------------------- registration

namespace {
struct THookRegistration {
    THookRegistration()
    {
        TStyleManager::RegisterStyleHook(QStringLiteral("TNodeStringTree"), &StyleHookClassOf<TStyledScrollBarsHook>);
        TStyleManager::RegisterStyleHook(QStringLiteral("TNodeDrawTree"), &StyleHookClassOf<TStyledScrollBarsHook>);
    }
    ~THookRegistration()
    {
        TStyleManager::UnRegisterStyleHook(QStringLiteral("TNodeStringTree"), &StyleHookClassOf<TStyledScrollBarsHook>);
        TStyleManager::UnRegisterStyleHook(QStringLiteral("TNodeDrawTree"), &StyleHookClassOf<TStyledScrollBarsHook>);
    }
};
} // namespace

void RegisterNodeTreeStyleHooks()
{
    static THookRegistration registration;
}
