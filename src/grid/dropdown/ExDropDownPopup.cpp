// The popup side of the dropdown edit: the popup form, its opening,
// placement, closing and the forwarding of keys and wheel turns back to the
// edit; and the dropdown button docked in the edit.
#include "grid/dropdown/ExDropDown.h"

#include "controls/ExXPVS.h"
#include "grid/ExUtil.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ControlCanvas.h"
#include "platform/DrawText.h"
#include "platform/WindowPos.h"

namespace {

// The popup never gets smaller than this.
constexpr TSize PopupMinSize{80, 50};
// A click this soon after the popup lost the activation does not reopen it.
constexpr DWORD ReopenDelay = 250;

} // namespace

TRect DropDownWorkArea(TPoint P)
{
    return WorkAreaFromPoint(P);
}

// ------------------------------------------------------------ TDropDownForm

TDropDownForm::TDropDownForm(TComponent* AOwner)
    : TForm(AOwner), FExDropDown(dynamic_cast<TExCustomDropDown*>(AOwner)), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FShadow = true;
    FCancelOnDeActivate = true;
    // No deactivation yet: the first click opens.
    FDeActivate = GetTickCount() - ReopenDelay - 1;
    // The control keeps its own size until the popup first opens.
    DisableAlign();
}

void TDropDownForm::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.ExStyle |= WS_EX_TOPMOST;
}

void TDropDownForm::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TForm::SetBounds(ALeft, ATop, std::max(AWidth, FMinSize.cx), std::max(AHeight, FMinSize.cy));
}

TRect TDropDownForm::AlignRect() const
{
    TRect r = TForm::AlignRect();
    if (FExDropDown != nullptr) {
        const Integer b = FExDropDown->DropDownBorderWidth();
        InflateRect(r, -b, -b);
    }
    return r;
}

namespace {

// Makes the bar on the first need, or rebinds the one there is.
template <class TBar>
void InitializeBar(TDropDownForm* Form, TBar*& Bar, TBarAppearance* Appearance, TExCustomDropDown* DropDown, TAlign Align,
                   const TDrawBackGroundEvent& OnDraw, const TGetTextEvent& OnGetText)
{
    if (Bar != nullptr) {
        Bar->SetExDropDown(DropDown);
        Bar->InitButtons();
        Bar->SetVisible(Appearance->Visible());
    } else if (Appearance->Visible()) {
        Bar = new TBar(Form);
        Bar->SetParent(Form);
        Bar->SetHeight(Appearance->Height());
        Bar->SetExDropDown(DropDown);
        Bar->InitButtons();
        Bar->SetAlign(Align);
    }
    if (Bar != nullptr) {
        Bar->OnDrawBackGround = OnDraw;
        Bar->OnGetText = OnGetText;
    }
}

} // namespace

void TDropDownForm::InitializeAndUpdate()
{
    TExCustomDropDown* dd = FExDropDown;
    if (dd == nullptr)
        return;
    InitializeBar(this, FHeader, dd->DropDownHeader(), dd, alTop, dd->OnDrawHeader, dd->OnGetHeaderText);
    InitializeBar(this, FFooter, dd->DropDownFooter(), dd, alBottom, dd->OnDrawFooter, dd->OnGetFooterText);
}

void TDropDownForm::PaintHandler(QPainter* painter)
{
    FCanvas->StartPaint(painter);
    PaintBackground(FCanvas.get());
    FCanvas->StopPaint();
}

void TDropDownForm::Paint()
{
    Invalidate();
}

void TDropDownForm::PaintBackground(TCanvas* Canvas)
{
    TExCustomDropDown* dd = FExDropDown;
    if (dd == nullptr)
        return;
    const Integer bw = dd->DropDownBorderWidth();
    TRect r = ClientRect();
    InflateRect(r, -bw, -bw);
    if (dd->DropDownColor() != clNone && dd->DropDownColorTo() != clNone) {
        DrawDropDownGradient(Canvas, dd->DropDownColor(), dd->DropDownColorTo(), 80, r,
                             dd->DropDownGradient() == gdHorizontal);
    } else if (dd->DropDownColor() != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(dd->DropDownColor());
        Canvas->FillRect(r);
    }
    if (bw > 0) {
        r = ClientRect();
        r.Top += bw / 2;
        r.Left += bw / 2;
        Canvas->Pen()->SetWidth(bw);
        Canvas->Pen()->SetColor(dd->DropDownBorderColor());
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(r);
        Canvas->Pen()->SetWidth(1);
    }
}

void TDropDownForm::Deactivated()
{
    FDeActivate = GetTickCount();
    // A window inside the popup (a list of one of its controls) took the
    // activation: the popup stays.
    const HWND own = HandleAllocated() ? Handle() : nullptr;
    const HWND active = GetActiveWindow();
    for (HWND w = active != nullptr ? GetParent(active) : nullptr; w != nullptr; w = GetParent(w))
        if (w == own)
            return;
    if (FExDropDown != nullptr)
        FExDropDown->DoHideDropDown(FCancelOnDeActivate);
    else
        Hide();
}

void TDropDownForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DEACTIVATE:
        TForm::Dispatch(Message);
        if (!FBlockActivate && Visible())
            Deactivated();
        return;
    case WM_SIZE:
        TForm::Dispatch(Message);
        Invalidate();
        return;
    case WM_NCHITTEST: {
        const TPoint p = ScreenToClient(PointFromLParam(Message.LParam));
        Message.Result = (FSizeable && p.X > Width() - 10 && p.Y > Height() - 10) ? 17 /* HTBOTTOMRIGHT */ : 0;
        return;
    }
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    case WM_MOUSEWHEEL: {
        const SmallInt delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
        bool handled = false;
        if (FExDropDown != nullptr) {
            const TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
            if (delta < 0)
                FExDropDown->DropDownFormMouseWheelDown(shift, PointFromLParam(Message.LParam), handled);
            else
                FExDropDown->DropDownFormMouseWheelUp(shift, PointFromLParam(Message.LParam), handled);
        }
        Message.Result = 1;
        return;
    }
    default:
        TForm::Dispatch(Message);
        return;
    }
}

// ------------------------------------------------------------ opening and closing

void TExCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm != nullptr)
        return;
    FDropDownForm = new TDropDownForm(this);
    TDropDownForm* f = FDropDownForm;
    f->SetBorderStyle(bsNone);
    f->SetVisible(false);
    f->SetBounds(f->Left(), f->Top(), FDropDownWidth, FDropDownHeight);
    f->OnClose = [](TObject*, TCloseAction&) {};
    f->OnHide = [this](TObject*) { DropDownFormHide(); };
    f->OnKeyPress = [this](TObject*, QChar& Key) { DropDownFormKeyPress(Key); };
    f->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyDown(Key, Shift); };
    f->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { DropDownFormKeyUp(Key, Shift); };
    f->OnDestroy = [this](TObject*) { DropDownFormDestroy(); };
    f->OnSizing = [this](TObject*) { DropDownFormSizing(); };
    // A wheel turn over the popup's control reaches the dropdown first.
    f->OnMouseWheel = [this](TObject*, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled) {
        if (WheelDelta < 0)
            DropDownFormMouseWheelDown(Shift, MousePos, Handled);
        else
            DropDownFormMouseWheelUp(Shift, MousePos, Handled);
    };
    f->SetDoubleBuffered(true);
}

void TExCustomDropDown::CreateDropDownButton()
{
    if (FButton != nullptr)
        return;
    FButton = new TDropDownEditButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) { DropDownButtonClick(); };
    if (HasState(csDesigning))
        FButton->SetColor(clBtnFace);
    UpdateDropDownButton();
}

void TExCustomDropDown::UpdateDropDownButton()
{
    if (FButton == nullptr)
        return;
    FButton->SetButtonWidth(DropDownButtonWidth());
    FButton->SetBounds(FButton->Left(), FButton->Top(), DropDownButtonWidth(), 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TExCustomDropDown::DoBeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TExCustomDropDown::UpdateDropDownSize()
{
    if (FDropDownForm == nullptr)
        return;
    Integer w = Width();
    if (FDropDownWidth > 0)
        w = FDropDownWidth;
    else if (FControl != nullptr && FControl->Visible())
        w = FControl->Width();
    Integer h = 0;
    if (FDropDownHeight > 0) {
        h = FDropDownHeight;
    } else {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible())
            h += FDropDownHeader->Height();
        if (FDropDownFooter->Visible())
            h += FDropDownFooter->Height();
        if (FControl != nullptr && FControl->Visible())
            h += FControl->Height();
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TExCustomDropDown::AttachDropDownControl()
{
    if (FDropDownForm == nullptr || FControl == nullptr || !FDropDownHeader)
        return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
}

void TExCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TExCustomDropDown::DoShowDropDown()
{
    TDropDownForm* f = FDropDownForm;
    if (HasState(csDesigning) || f == nullptr || f->Visible() || !Enabled() || ReadOnly())
        return;
    DoBeforeDropDown();
    f->FShadow = FDropDownShadow;
    f->InitializeAndUpdate();
    f->SetBounds(Left(), Top(), f->Width(), f->Height());
    UpdateDropDownSize();
    AttachDropDownControl();
    if (!f->FAligned) {
        f->FAligned = true;
        f->EnableAlign();
    }
    f->FMinSize = PopupMinSize;
    f->SetBounds(f->Left(), f->Top(), f->Width(), f->Height());
    if (auto* wc = dynamic_cast<TWinControl*>(FControl)) {
        wc->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
        wc->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
        wc->OnKeyPress = [this](TObject*, QChar& Key) { ControlKeyPress(Key); };
    }
    const TPoint p = Parent() != nullptr ? Parent()->ClientToScreen({Left(), Top()}) : ClientToScreen({0, 0});
    const Integer h = Height();
    Integer fh = f->Height();
    Integer left = p.X, top = p.Y + h - 1;
    // The side the position asks for when the popup fits there, else the
    // side with more room; never beyond the top or bottom of the work area.
    const TRect work = DropDownWorkArea(p);
    const Integer roomBelow = work.Bottom - (p.Y + h - 1), roomAbove = p.Y - work.Top;
    bool below = FDropPosition == dpDown || (FDropPosition == dpAuto && p.Y + fh < work.Bottom);
    if (below ? fh > roomBelow : fh > roomAbove)
        below = roomBelow >= roomAbove;
    if (!below)
        top = p.Y - fh;
    top = std::max<Integer>(std::min<Integer>(top, work.Bottom - fh), work.Top);
    f->SetBounds(left, top, f->Width(), f->Height());
    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept)
        return;
    if (work.Left >= 0 && f->Left() + f->Width() > work.Right && f->Left() < work.Right)
        left = work.Right - f->Width();
    Integer w = f->Width();
    if (FUserDropDownWidth != -1)
        w = FUserDropDownWidth;
    if (FUserDropDownHeight != -1)
        fh = FUserDropDownHeight;
    f->SetBounds(left, top, w, fh);
    w = f->Width();
    fh = f->Height();
    top = std::max<Integer>(std::min<Integer>(top, work.Bottom - fh), work.Top);
    f->Show();
    AdjustDropDownHeight(fh);
    FDroppedDown = true;
    SetWindowPos(f, HWND_TOPMOST, left, top, w, fh, 0);
    FocusDropDownControl();
}

void TExCustomDropDown::DoHideDropDown(bool Cancel)
{
    TDropDownForm* f = FDropDownForm;
    if (HasState(csDesigning) || f == nullptr || !f->Visible())
        return;
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    FUserDropDownWidth = f->Width();
    FUserDropDownHeight = f->Height();
    f->Hide();
    Application->CancelHint();
    if (Cancel)
        SetText(FOldText);
    if (OnDropUp)
        OnDropUp(this, Cancel);
}

void TExCustomDropDown::DropDownFormHide()
{
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !HasState(csDestroying))
        SetFocus();
}

void TExCustomDropDown::DropDownButtonClick()
{
    if (HasState(csDesigning) || FDropDownForm == nullptr || FDropDownForm->Visible())
        return;
    // Unsigned subtraction survives the wrap of the tick counter.
    if (DWORD(GetTickCount() - FDropDownForm->DeActivateTick()) > ReopenDelay)
        DoShowDropDown();
}

// ------------------------------------------------------------ forwarding

void TExCustomDropDown::DropDownFormMouseWheelDown(TShiftState, TPoint, bool&)
{
    HandleMouseWheelDown();
}

void TExCustomDropDown::DropDownFormMouseWheelUp(TShiftState, TPoint, bool&)
{
    HandleMouseWheelUp();
}

void TExCustomDropDown::DropDownFormKeyPress(QChar& Key)
{
    SendMessage(this, WM_CHAR, Key.unicode());
}

void TExCustomDropDown::DropDownFormKeyDown(Word& Key, TShiftState)
{
    SendMessage(this, WM_KEYDOWN, Key);
}

void TExCustomDropDown::DropDownFormKeyUp(Word& Key, TShiftState)
{
    SendMessage(this, WM_KEYUP, Key);
}

void TExCustomDropDown::ControlKeyDown(Word& Key, TShiftState)
{
    SendMessage(this, WM_KEYDOWN, Key);
}

void TExCustomDropDown::ControlKeyUp(Word& Key, TShiftState)
{
    SendMessage(this, WM_KEYUP, Key);
}

void TExCustomDropDown::ControlKeyPress(QChar& Key)
{
    SendMessage(this, WM_CHAR, Key.unicode());
}

// ------------------------------------------------------------ the button

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    FButton = new TExDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
        BtnMouseUp(Sender, Button, Shift, X, Y);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(QString());
    FButton->SetButtonStyle(bsDropDown);
    FBWidth = 16;
    SetBounds(Left(), Top(), 16, 25);
}

void TDropDownEditButton::AdjustWinSize(Integer& W, Integer& H)
{
    if (FButton == nullptr || (HasState(csLoading) && !HasState(csDesigning)))
        return;
    W = FBWidth;
    FButton->SetBounds(0, 0, FBWidth, H);
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    AdjustWinSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDropDownEditButton::Loaded()
{
    TWinControl::Loaded();
    Integer w = Width(), h = Height();
    AdjustWinSize(w, h);
    if (w != Width() || h != Height())
        TWinControl::SetBounds(Left(), Top(), w, h);
}

void TDropDownEditButton::Invalidate()
{
    TWinControl::Invalidate();
    if (FButton != nullptr)
        FButton->Invalidate();
}

void TDropDownEditButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE: {
        TWinControl::Dispatch(Message);
        Integer w = Width(), h = Height();
        AdjustWinSize(w, h);
        if (w != Width() || h != Height())
            TWinControl::SetBounds(Left(), Top(), w, h);
        Message.Result = 0;
        return;
    }
    case CM_ENABLEDCHANGED:
        TWinControl::Dispatch(Message);
        if (!HasState(csDesigning) && FButton != nullptr)
            FButton->SetEnabled(Enabled());
        return;
    default:
        TWinControl::Dispatch(Message);
        return;
    }
}

void TDropDownEditButton::BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (Button == mbLeft && OnClick && Sender == FButton)
        OnClick(this);
}

TBitmap* TDropDownEditButton::Glyph() const
{
    return FButton->Glyph();
}

void TDropDownEditButton::SetGlyph(const TBitmap* Value)
{
    FButton->SetGlyph(Value);
}

QString TDropDownEditButton::ButtonCaption() const
{
    return FButton->Caption();
}

void TDropDownEditButton::SetButtonCaption(const QString& Value)
{
    FButton->SetCaption(Value);
}

Integer TDropDownEditButton::NumGlyphs() const
{
    return FButton->NumGlyphs();
}

void TDropDownEditButton::SetNumGlyphs(Integer Value)
{
    FButton->SetNumGlyphs(Value);
}

// ------------------------------------------------------------ the speed button

TExDropDownSpeedButton::TExDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    FIsWinXP = HasComCtl6();
}

void TExDropDownSpeedButton::SetEtched(bool Value)
{
    if (Value == FEtched)
        return;
    FEtched = Value;
    Invalidate();
}

void TExDropDownSpeedButton::SetFocused(bool Value)
{
    if (Value == FFocused)
        return;
    FFocused = Value;
    Invalidate();
}

bool TExDropDownSpeedButton::Pressed() const
{
    return (FState == bsDown || FState == bsExclusive) && !FUp;
}

bool TExDropDownSpeedButton::UseThemes() const
{
    return FIsWinXP && ThemeActive(ExXPVS());
}

TDropDownEditButton* TExDropDownSpeedButton::Holder() const
{
    return dynamic_cast<TDropDownEditButton*>(Parent());
}

void TExDropDownSpeedButton::Dispatch(TMessage& Message)
{
    TSpeedButton::Dispatch(Message);
    if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && Message.LParam == LPARAM(this)) {
        FHot = Message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
}

void TExDropDownSpeedButton::Paint()
{
    if (FButtonStyle == bsDropDown)
        PaintDropDownStyle();
    else
        PaintButtonStyle();
}

void TExDropDownSpeedButton::PaintDropDownStyle()
{
    TCanvas* c = Canvas();
    TDropDownEditButton* holder = Holder();
    auto* dd = holder != nullptr ? dynamic_cast<TExCustomDropDown*>(holder->Parent()) : nullptr;
    const TRect client(0, 0, Width(), Height());
    if (holder != nullptr && holder->ButtonColor() != clNone) {
        TColor face = holder->ButtonColor();
        if (FHot) face = holder->ButtonColorHot();
        if (Pressed()) face = holder->ButtonColorDown();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(face);
        c->Pen()->SetColor(face);
        c->FillRect(client);
        if (dd != nullptr && dd->BorderColor() != clNone) {
            c->Pen()->SetColor(dd->BorderColor());
            c->MoveTo(0, 0);
            c->LineTo(0, Height());
        }
        TColor arrow = holder->ButtonTextColor();
        if (FHot) arrow = holder->ButtonTextColorHot();
        if (Pressed()) arrow = holder->ButtonTextColorDown();
        // Tones set no arrow colour: an unset one would leave no arrow at all.
        if (arrow == clNone)
            arrow = clBlack;
        c->Brush()->SetColor(arrow);
        c->Pen()->SetColor(arrow);
        c->Polygon({{5, 7}, {11, 7}, {8, 10}});
        return;
    }
    if (Glyph() != nullptr && !Glyph()->Empty()) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->Pen()->SetColor(0x808080);
        c->Rectangle(client);
        Glyph()->SetTransparent(true);
        c->Draw(0, 0, Glyph());
        return;
    }
    SetEnabled(dd == nullptr || (dd->Enabled() && !dd->ReadOnly()));
    if (UseThemes()) {
        TThemeServices& ts = ExXPVS();
        HTHEME theme = ts.OpenThemeData != nullptr && holder != nullptr ? ts.OpenThemeData(holder->Handle(), QStringLiteral("combobox")) : nullptr;
        TRect r = client;
        if (HasGetLocaleInfoEx()) {
            r.Left += 1;
        } else {
            InflateRect(r, 1, 1);
            r.Left += 2;
        }
        const Integer state = !Enabled() ? CBXS_DISABLED : Pressed() ? CBXS_PRESSED : FHot ? CBXS_HOT : CBXS_NORMAL;
        if (theme != nullptr) {
            ts.DrawThemeBackground(theme, c, CP_DROPDOWNBUTTON, state, &r, nullptr);
            ts.CloseThemeData(theme);
            return;
        }
    }
    TSpeedButton::Paint();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBtnFace);
    c->Polyline({{Width() - 2, 0}, {0, 0}, {0, Height() - 1}});
    c->Pen()->SetColor(clWhite);
    c->Polyline({{Width() - 3, 1}, {1, 1}, {1, Height() - 2}});
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    c->Pen()->SetColor(clBlack);
    c->Polygon({{5, 7}, {11, 7}, {8, 10}});
}

void TExDropDownSpeedButton::PaintButtonStyle()
{
    TCanvas* c = Canvas();
    TDropDownEditButton* holder = Holder();
    auto* dd = holder != nullptr ? dynamic_cast<TExCustomDropDown*>(holder->Parent()) : nullptr;
    if (dd != nullptr)
        c->Font()->Assign(dd->Font());
    const bool glyph = Glyph() != nullptr && !Glyph()->Empty();
    const TRect client(0, 0, Width(), Height());
    if (UseThemes()) {
        c->FillRect(client);
        TThemeServices& ts = ExXPVS();
        HTHEME theme = ts.OpenThemeData != nullptr && holder != nullptr ? ts.OpenThemeData(holder->Handle(), QStringLiteral("button")) : nullptr;
        const Integer state = !Enabled() ? PBS_DISABLED : Pressed() ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL;
        if (theme != nullptr) {
            const TRect r(0, 0, Width() + 1, Height() + 1);
            ts.DrawThemeBackground(theme, c, BP_PUSHBUTTON, state, &r, nullptr);
            ts.CloseThemeData(theme);
        }
        TRect r = client;
        InflateRect(r, -2, -2);
        Integer gx = r.Left, gy = r.Top;
        if (glyph) {
            if (!Caption().isEmpty())
                gx += 2;
            else if (Glyph()->Width() < r.Width())
                gx = r.Left + (r.Width() - Glyph()->Width()) / 2;
            if (Glyph()->Height() < r.Height())
                gy = r.Top + (r.Height() - Glyph()->Height()) / 2;
            if (FState == bsDown) {
                ++gx;
                ++gy;
            }
            Glyph()->SetTransparent(true);
            c->Draw(gx, gy, Glyph());
        }
        if (!Caption().isEmpty()) {
            c->Brush()->SetStyle(bsClear);
            if (!glyph) {
                TRect t = client;
                InflateRect(t, -3, -1);
                if (Pressed())
                    OffsetRect(t, 1, 1);
                DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            } else {
                TRect t(gx + Glyph()->Width() + 2, r.Top - 1, r.Right, r.Bottom - 1);
                DrawText(c, Caption(), t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            }
        }
        return;
    }
    if (Flat()) {
        c->FillRect(client);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(client);
        TRect r(0, 0, Width() + 1, Height() + 1);
        DrawEdge(c, r, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Pressed() ? BF_FLAT : 0));
        if (glyph) {
            TRect g = client;
            InflateRect(g, -3, -3);
            if (Pressed())
                OffsetRect(g, 1, 1);
            DrawTransparentBitmap(c, Glyph(), clBtnFace, g);
        }
        if (!Caption().isEmpty()) {
            TRect t = client;
            InflateRect(t, -3, -1);
            if (Pressed())
                OffsetRect(t, 1, 1);
            c->Brush()->SetStyle(bsClear);
            DrawText(c, Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        return;
    }
    TSpeedButton::Paint();
}
