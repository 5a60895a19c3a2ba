#include "controls/EsgCombo.h"

#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ControlCanvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/StringList.h"

// ------------------------------------------------------------ shared helpers

TPoint LabelPlace(TLabelPosition Position, const TRect& ControlBounds, Integer TextWidth, Integer LabelWidth,
                  Integer LabelHeight, Integer Margin)
{
    const Integer L = ControlBounds.Left, T = ControlBounds.Top;
    const Integer W = ControlBounds.Width(), H = ControlBounds.Height();
    const Integer midTop = T + (H - LabelHeight) / 2;
    const Integer midLeft = L + (W - LabelWidth) / 2;
    switch (Position) {
    case lpLeftTop: return {L - TextWidth - Margin, T};
    case lpLeftCenter: return {L - TextWidth - Margin, midTop};
    case lpLeftBottom: return {L - TextWidth - Margin, T + H - LabelHeight};
    case lpTopLeft: return {L, T - LabelHeight - Margin};
    case lpBottomLeft: return {L, T + H + Margin};
    case lpLeftTopLeft: return {L - Margin, T};
    case lpLeftCenterLeft: return {L - Margin, midTop};
    case lpLeftBottomLeft: return {L - Margin, T + H - LabelHeight};
    case lpTopCenter: return {midLeft, T - LabelHeight - Margin};
    case lpBottomCenter: return {midLeft, T + H + Margin};
    case lpRightTop: return {L + W + Margin, T};
    case lpRightCenter: return {L + W + Margin, midTop};
    case lpRighBottom: return {L + W + Margin, T + H - LabelHeight};
    case lpTopRight: return {L + W - LabelWidth, T - LabelHeight - Margin};
    case lpBottomRight: return {L + W - LabelWidth, T + H + Margin};
    }
    return {L, T};
}

Integer LabelTextWidth(const TLabel* Label)
{
    TBitmap bmp(1, 1);
    bmp.Canvas()->Font()->Assign(Label->Font());
    TRect r(0, 0, 1000, 255);
    DrawText(bmp.Canvas(), Label->Caption(), r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    return r.Width();
}

TColor ParentBrushColor(const TControl* Control)
{
    return Control->Parent() != nullptr ? Control->Parent()->Color() : Control->Color();
}

bool IsActiveLook(const TWinControl* Control, bool MouseInControl)
{
    if (Control->HasState(csDesigning))
        return Control->Enabled();
    return MouseInControl || (Screen != nullptr && Screen->ActiveControl() == Control) || Control->Focused();
}

void PlaceLabel(TLabel* Label, const TControl* Control, TLabelPosition Position, Integer Margin)
{
    const TPoint p = LabelPlace(Position, Control->BoundsRect(), LabelTextWidth(Label), Label->Width(), Label->Height(), Margin);
    Label->SetBounds(p.X, p.Y, Label->Width(), Label->Height());
}

// ------------------------------------------------------------ TAttachedLabel

TAttachedLabel::TAttachedLabel(TControl* Control) : FControl(Control), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject*) { Update(); };
}

TAttachedLabel::~TAttachedLabel()
{
    FFont->OnChange = nullptr;
    Free();
}

void TAttachedLabel::Free()
{
    TLabel* label = FLabel;
    FLabel = nullptr;
    delete label;
}

QString TAttachedLabel::Caption() const
{
    return FLabel != nullptr ? FLabel->Caption() : QString();
}

void TAttachedLabel::SetCaption(const QString& v)
{
    if (FLabel == nullptr) {
        FLabel = new TLabel(FControl);
        FLabel->SetParent(FControl->Parent());
        if (auto* wc = dynamic_cast<TWinControl*>(FControl))
            FLabel->SetFocusControl(wc);
        FLabel->SetFont(FFont.get());
        FLabel->SetParentFont(FControl->ParentFont());
        FLabel->SetVisible(FControl->Visible());
        if (!FAlwaysEnabled)
            FLabel->SetEnabled(FControl->Enabled());
        if (OnCreated)
            OnCreated(FLabel);
    }
    FLabel->SetCaption(v);
    Update();
}

void TAttachedLabel::SetPosition(TLabelPosition v)
{
    FPosition = v;
    Update();
}

void TAttachedLabel::SetMargin(Integer v)
{
    FMargin = v;
    Update();
}

void TAttachedLabel::SetTransparent(bool v)
{
    FTransparent = v;
    Update();
}

void TAttachedLabel::SetAlwaysEnabled(bool v)
{
    FAlwaysEnabled = v;
    if (FLabel != nullptr) {
        FLabel->SetEnabled(v || FControl->Enabled());
        Update();
    }
}

void TAttachedLabel::SetFont(const TFont* v)
{
    if (!FControl->ParentFont() && v != nullptr)
        FFont->Assign(v);
    Update();
}

void TAttachedLabel::Update()
{
    if (FLabel == nullptr || FControl->HasState(csDestroying))
        return;
    FLabel->SetTransparent(FTransparent);
    if (!FControl->ParentFont())
        FLabel->SetFont(FFont.get());
    PlaceLabel(FLabel, FControl, FPosition, FMargin);
}

void TAttachedLabel::FollowEnabled()
{
    if (FLabel == nullptr)
        return;
    if (!FAlwaysEnabled)
        FLabel->SetEnabled(FControl->Enabled());
    Update();
}

void TAttachedLabel::FollowVisible()
{
    if (FLabel != nullptr)
        FLabel->SetVisible(FControl->Visible());
}

void TAttachedLabel::FollowParent()
{
    if (FLabel == nullptr)
        return;
    FLabel->SetParent(FControl->Parent());
    Update();
}

void TAttachedLabel::FollowParentFont()
{
    if (FLabel == nullptr)
        return;
    if (FControl->ParentFont())
        FLabel->SetFont(FControl->Font());
    Update();
}

void TAttachedLabel::Focused(bool focused)
{
    if (FLabel == nullptr || !FFocusLabel)
        return;
    const TFontStyles style = FLabel->Font()->Style();
    FLabel->Font()->SetStyle(focused ? style | fsBold : style - fsBold);
}

void TAttachedLabel::Forget(const TComponent* c)
{
    if (c == FLabel)
        FLabel = nullptr;
}

namespace {

void Frame(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
}

} // namespace

void DrawComboFrame(TCanvas* Canvas, TRect R, const TComboFrameLook& Look)
{
    const Integer height = R.Height();
    if (!Look.Enabled && Look.Themed && !Look.DisabledBorder) {
        Frame(Canvas, R, DisabledFrameColor);
        return;
    }
    if (Look.BorderColor != clNone && !(Look.Focused && Look.FocusBorderColor != clNone)) {
        Frame(Canvas, R, Look.BorderColor);
        return;
    }
    if (Look.FocusBorderColor != clNone) {
        if (Look.Focused)
            Frame(Canvas, R, Look.FocusBorderColor);
        return;
    }
    // The flat frame: an outer ring in the surroundings' colour, then the
    // control's own colour inside it.
    const TColor a = Look.UsesFocusBorder ? clBtnFace : Look.ParentColor;
    if (Look.UsesFocusBorder) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        Frame(Canvas, R, a);
        InflateRect(R, -1, -1);
        Frame(Canvas, R, Look.Color);
    } else {
        Frame(Canvas, R, a);
        InflateRect(R, -1, -1);
        R.Right -= Look.ButtonWidth;
        Frame(Canvas, R, a);
        R.Right += Look.ButtonWidth;
        InflateRect(R, -1, -1);
        R.Right -= Look.ButtonWidth;
        Frame(Canvas, R, Look.Color);
        R.Right += Look.ButtonWidth;
    }
    if (Look.Flat && Look.FlatLineColor != clNone) {
        Canvas->Pen()->SetColor(Look.FlatLineColor);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->MoveTo(R.Left - 2, height - 1);
        Canvas->LineTo(R.Right - Look.ButtonWidth - 1, height - 1);
    }
}

Integer DropButtonThemeState(bool Enabled, bool MouseButtonDown, bool DroppedDown, bool ButtonHover)
{
    if (!Enabled)
        return CBXS_DISABLED;
    if (MouseButtonDown && DroppedDown)
        return CBXS_PRESSED;
    if (!MouseButtonDown && ButtonHover && !DroppedDown)
        return CBXS_HOT;
    return CBXS_NORMAL;
}

void DrawDropDownButton(TCanvas* Canvas, TRect r, const TButtonColors& Colors, bool Hover, bool Enabled, bool DroppedDown,
                        HWND Window, bool Picker)
{
    const bool held = IsMouseButtonDown();
    if (Colors.ButtonColor() != clNone) {
        TColor face = Colors.ButtonColor();
        if (Hover)
            face = held ? Colors.ButtonColorDown() : Colors.ButtonColorHot();
        TRect fill = r;
        if (Picker) {
            fill.Left += 2;
        } else {
            OffsetRect(r, -1, 0);
            InflateRect(r, 0, -1);
            fill = r;
        }
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(face);
        Canvas->Pen()->SetColor(face);
        Canvas->FillRect(fill);
        Canvas->Pen()->SetColor(Colors.ButtonBorderColor());
        Canvas->MoveTo(r.Left, r.Top);
        Canvas->LineTo(r.Left, r.Bottom);
        const TColor arrow = held ? Colors.ButtonTextColorDown() : Colors.ButtonTextColor();
        const Integer x = r.Left + (Picker ? 1 : 0);
        Canvas->Pen()->SetColor(arrow);
        Canvas->Brush()->SetColor(arrow);
        Canvas->Polygon({TPoint{x + 4, r.Top + 7}, TPoint{x + 10, r.Top + 7}, TPoint{x + 7, r.Top + 10}});
    } else if (ThemeActive(ExXPVS())) {
        TThemeServices& t = ExXPVS();
        if (HTHEME theme = t.OpenThemeData(Window, QStringLiteral("combobox"))) {
            t.DrawThemeBackground(theme, Canvas, CP_DROPDOWNBUTTON, DropButtonThemeState(Enabled, held, DroppedDown, Hover), &r, nullptr);
            t.CloseThemeData(theme);
        }
    } else {
        if (!Picker) {
            r.Left -= 4;
            InflateRect(r, 0, -1);
        }
        DrawFrameControl(Canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled ? DFCS_FLAT : DFCS_INACTIVE));
    }
}

bool IsMouseButtonDown()
{
    return GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0;
}

// ------------------------------------------------------------ TEsgCustomCombo

TEsgCustomCombo::TEsgCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner),
      TLabelledControl(this),
      FButtonWidth(GetSystemMetrics(SM_CXVSCROLL) + 2),
      FIsThemed(ExXPVS().Loaded()),
      FNormalColor(Color()),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
}

TEsgCustomCombo::~TEsgCustomCombo()
{
    FLabel.Free();
}

void TEsgCustomCombo::SetButtonWidth(Integer v)
{
    if (v < 14 || v > 32)
        return;
    FButtonWidth = v;
    Invalidate();
}

void TEsgCustomCombo::SetFlat(bool v)
{
    if (v == FFlat)
        return;
    FFlat = v;
    FCtl3D = !v;
    if (v && FFlatParentColor) {
        if (Parent() != nullptr)
            TControl::SetColor(ParentBrushColor(this));
    } else {
        TControl::SetColor(FLoadedColor);
    }
    Invalidate();
}

void TEsgCustomCombo::SetEtched(bool v)
{
    if (v == FEtched)
        return;
    FEtched = v;
    Invalidate();
}

void TEsgCustomCombo::SetBorderColor(TColor v)
{
    if (v == FBorderColor)
        return;
    FBorderColor = v;
    if (HandleAllocated())
        Invalidate();
}

void TEsgCustomCombo::SetDropWidth(Integer v)
{
    FDropWidth = v;
    if (v > 0)
        Perform(CB_SETDROPPEDWIDTH, WPARAM(v));
}

void TEsgCustomCombo::SetColor(TColor v)
{
    if (HasState(csLoading))
        FLoadedColor = v;
    TControl::SetColor(v);
}

void TEsgCustomCombo::SetEnabled(bool value)
{
    const bool changed = value != Enabled();
    TCustomComboBox::SetEnabled(value);
    if (changed && !HasState(csLoading) && !HasState(csDesigning))
        FLabel.FollowEnabled();
}

void TEsgCustomCombo::SetVisible(bool value)
{
    TCustomComboBox::SetVisible(value);
    FLabel.FollowVisible();
}

void TEsgCustomCombo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    FLabel.Update();
}

void TEsgCustomCombo::SelectItem(const QString& Text)
{
    const Integer i = Items()->IndexOf(Text);
    if (i >= 0)
        SetItemIndex(i);
}

void TEsgCustomCombo::Init()
{
    FNormalColor = Color();
}

void TEsgCustomCombo::Loaded()
{
    TCustomComboBox::Loaded();
    if (FDropWidth > 0)
        Perform(CB_SETDROPPEDWIDTH, WPARAM(FDropWidth));
    FOldColor = FLoadedColor;
    if (!(FFlatParentColor && !FFlat))
        TControl::SetColor(FLoadedColor);
    FLabel.FollowEnabled();
    FLabel.FollowParentFont();
    Init();
}


bool TEsgCustomCombo::NeedsOwnPaint() const
{
    if (FIsVista && FButtonColor == clNone)
        return false;
    return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
           (!Enabled() && ThemeActive(ExXPVS()) && !FDisabledBorder);
}

bool TEsgCustomCombo::NeedsFrame() const
{
    return FFlat || (!Enabled() && ThemeActive(ExXPVS()) && !FDisabledBorder) || (FHasFocus && FFocusBorderColor != clNone) ||
           FBorderColor != clNone;
}

void TEsgCustomCombo::PaintMessage(TMessage& Message)
{
    // The platform paints its combo box first; the own button and frame go
    // over it where the look asks for them.
    TCustomComboBox::Dispatch(Message);
    const bool own = NeedsOwnPaint();
    if (!own && !NeedsFrame())
        return;
    FPainting = true;
    if (own && Style() != csSimple) {
        // The button's strip is the control's colour and the own button,
        // nothing of the platform's arrow.
        TCanvas* c = FCanvas.get();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->FillRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
        DrawDropButton(c);
    }
    PaintBorders();
    FPainting = false;
}

void TEsgCustomCombo::PaintBorders()
{
    if ((Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) || (FIsVista && FBorderColor == clNone))
        return;
    if (!FPainting) {
        // Frames are drawn as part of the control's paint.
        Invalidate();
        return;
    }
    TComboFrameLook look;
    look.Enabled = Enabled();
    look.Themed = FIsThemed;
    look.DisabledBorder = FDisabledBorder;
    look.Focused = FHasFocus;
    look.UsesFocusBorder = FFocusBorder && IsActiveLook(this, FMouseInControl);
    look.Flat = FFlat;
    look.BorderColor = FBorderColor;
    look.FocusBorderColor = FFocusBorderColor;
    look.FlatLineColor = FFlatLineColor;
    look.ParentColor = ParentBrushColor(this);
    look.Color = Color();
    look.ButtonWidth = FButtonWidth;
    DrawComboFrame(FCanvas.get(), TRect(0, 0, Width(), Height()), look);
    if (Style() != csSimple && !(FIsWinXP && ThemeActive(ExXPVS())))
        DrawFlatButtonBorder(FCanvas.get());
}

void TEsgCustomCombo::DrawDropButton(TCanvas* Canvas)
{
    TRect r(0, 0, Width(), Height());
    r.Left += ClientWidth() - FButtonWidth + 2;
    InflateRect(r, -1, -1);
    DrawDropDownButton(Canvas, r, *this, FButtonHover, Enabled(), DroppedDown(), Handle(), false);
}

void TEsgCustomCombo::DrawFlatButtonBorder(TCanvas* Canvas)
{
    if (IsActiveLook(this, FMouseInControl))
        return;
    // The ring around the arrow takes the button face while the control is
    // not active; the arrow itself stays as drawn.
    TRect r(0, 0, Width(), Height());
    r.Left += ClientWidth() - FButtonWidth - 2;
    InflateRect(r, -2, -2);
    InflateRect(r, 0, -1);
    r.Right -= 1;
    const Integer saved = Canvas->SaveDC();
    Canvas->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth + 4, 4, ClientWidth() - 4, ClientHeight() - 4));
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(r);
    Canvas->RestoreDC(saved);
}

void TEsgCustomCombo::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomComboBox::MouseMove(Shift, X, Y);
    const bool hover = X > Width() - FButtonWidth && X < Width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        Invalidate();
    }
}

void TEsgCustomCombo::ApplyFocusLook(bool focused)
{
    if (focused) {
        if (FFocusColor != clNone)
            TControl::SetColor(FFocusColor);
    } else if (FFocusColor != clNone && FNormalColor != clNone) {
        TControl::SetColor(FNormalColor);
    }
    FLabel.Focused(focused);
}

void TEsgCustomCombo::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintMessage(Message);
        return;
    case CM_MOUSEENTER:
        if (Message.LParam == LPARAM(this)) {
            if (Enabled() && !FMouseInControl) {
                FMouseInControl = true;
                PaintBorders();
                if (FAutoFocus && !HasState(csDesigning)) {
                    TCustomForm* form = GetParentForm();
                    if ((form == nullptr || form->Active()) && CanFocus())
                        SetFocus();
                }
                if (FIsWinXP)
                    Invalidate();
            }
        }
        break;
    case CM_MOUSELEAVE:
        if (Message.LParam == LPARAM(this)) {
            if (Enabled() && FMouseInControl) {
                FMouseInControl = false;
                PaintBorders();
            }
            FButtonHover = false;
            if (FIsWinXP)
                Invalidate();
        }
        break;
    case CM_ENTER:
        if (!HasState(csDesigning)) {
            FHasFocus = true;
            PaintBorders();
            ApplyFocusLook(true);
        }
        break;
    case CM_EXIT:
        if (!HasState(csDesigning)) {
            FHasFocus = false;
            PaintBorders();
            ApplyFocusLook(false);
        }
        break;
    case WM_SETFOCUS:
        TCustomComboBox::Dispatch(Message);
        if (FFocusBorderColor != clNone)
            Invalidate();
        ApplyFocusLook(true);
        return;
    case WM_KILLFOCUS:
        TCustomComboBox::Dispatch(Message);
        ApplyFocusLook(false);
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        if (FFlat && !HasState(csLoading)) {
            if (!Enabled()) {
                FOldColor = Color();
                FOldParentColor = ParentColor();
                SetParentColor(true);
            } else {
                SetParentColor(FOldParentColor);
                TControl::SetColor(FOldColor);
            }
        }
        break;
    case CM_FONTCHANGED:
        if ((HasState(csDesigning) || HasState(csLoading)) && Label() != nullptr && Label()->ParentFont())
            Label()->SetFont(Font());
        break;
    case CM_PARENTFONTCHANGED:
        TCustomComboBox::Dispatch(Message);
        FLabel.FollowParentFont();
        return;
    case CN_COMMAND: {
        const Word code = HIWORD(Message.WParam);
        if (code == CBN_DROPDOWN || code == CBN_CLOSEUP) {
            Invalidate();
            TCustomComboBox::Dispatch(Message);
            if (code == CBN_CLOSEUP && OnDropUp)
                OnDropUp(this);
            return;
        }
        break;
    }
    default:
        break;
    }
    TCustomComboBox::Dispatch(Message);
}

void TEsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove)
        FLabel.Forget(AComponent);
}
