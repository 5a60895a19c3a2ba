// The search bar's controls: TExGridButton and TExCheckBox.
#include "ExObj.h"

#include "ExStyleIF.h"
#include "controls/ExXPVS.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Menus.h"

#include <cmath>

namespace {

constexpr Integer DropDownWidth = 12;
constexpr Integer FaceSteps = 16;
const TColor ShadeColor = RGB(128, 128, 128);

// Rounds half to even, as the colour steps of the faces do.
Integer RoundEven(double Value)
{
    return Integer(std::nearbyint(Value));
}

bool IsPressed(TButtonState State)
{
    return State == bsDown || State == bsExclusive;
}

void SetPenColor(TCanvas* Canvas, TColor Color)
{
    if (Color == clNone) {
        Canvas->Pen()->SetStyle(psClear);
    } else {
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(Color);
    }
}

// An unfilled rectangle in Color (nothing for clNone).
void FrameIn(TCanvas* Canvas, const TRect& R, TColor Color)
{
    if (Color == clNone)
        return;
    Canvas->Brush()->SetStyle(bsClear);
    SetPenColor(Canvas, Color);
    Canvas->Rectangle(R);
}

void FillIn(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(R);
}

// Each pixel grey: half the mean of its channels plus 96.
void BuildDisabledGlyph(const TBitmap* Glyph, TBitmap* Disabled)
{
    Disabled->Assign(Glyph);
    for (Integer y = 0; y < Disabled->Height(); ++y) {
        Byte* p = Disabled->ScanLine(y);
        for (Integer x = 0; x < Disabled->Width(); ++x, p += 4) {
            const Integer mean = RoundEven((p[0] + p[1] + p[2]) / 3.0);
            const Byte g = Byte(mean / 2 + 96);
            p[0] = p[1] = p[2] = g;
        }
    }
    Disabled->SetTransparent(true);
}

// Copies a glyph (null: no glyph), drawn without its bottom-left colour.
void AssignGlyph(TBitmap* Glyph, const TBitmap* Value)
{
    if (Value != nullptr)
        Glyph->Assign(Value);
    else
        Glyph->SetSize(0, 0);
    Glyph->SetTransparent(true);
}

} // namespace

void DrawGridButtonGradient(TCanvas* Canvas, TColor A, TColor B, Integer Steps, const TRect& R, TColor Frame)
{
    Steps = std::max<Integer>(Steps, 1);
    A = ColorToRGB(A);
    B = ColorToRGB(B);
    const Integer h = R.Height();
    const Integer band = RoundEven(double(h) / Steps);
    auto channel = [&](Byte a, Byte b, Integer k) { return Byte(a + RoundEven(double(b - a) * k / Steps)); };
    for (Integer k = 0; k < Steps; ++k) {
        const TColor c = RGB(channel(GetRValue(A), GetRValue(B), k), channel(GetGValue(A), GetGValue(B), k),
                             channel(GetBValue(A), GetBValue(B), k));
        const Integer top = R.Top + RoundEven(double(k) * h / Steps);
        const Integer bottom = std::min(top + band + 1, R.Bottom);
        if (bottom > top)
            FillIn(Canvas, TRect(R.Left, top, R.Right, bottom), c);
    }
    FrameIn(Canvas, R, Frame);
}

// ================================================================ TExGridButton

TExGridButton::TExGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>())
{
    // The button clicks itself on release.
    FControlStyle = csCaptureMouse | csDoubleClicks;
    SetBounds(0, 0, 23, 22);
    SetParentColor(false);
    SetColor(clBtnFace);
    FIsComCtl6 = HasComCtl6();
}

TExGridButton::~TExGridButton() = default;

void TExGridButton::Click()
{
    TGraphicControl::Click();
}

void TExGridButton::SetColorField(TColor& Field, TColor Value)
{
    Field = Value;
    Invalidate();
}

void TExGridButton::SetFlag(bool& Field, bool Value)
{
    Field = Value;
    Invalidate();
}

void TExGridButton::SetColorTo(TColor Value) { SetColorField(FColorTo, Value); }
void TExGridButton::SetColorHot(TColor Value) { SetColorField(FColorHot, Value); }
void TExGridButton::SetColorHotTo(TColor Value) { SetColorField(FColorHotTo, Value); }
void TExGridButton::SetColorDown(TColor Value) { SetColorField(FColorDown, Value); }
void TExGridButton::SetColorDownTo(TColor Value) { SetColorField(FColorDownTo, Value); }
void TExGridButton::SetColorChecked(TColor Value) { SetColorField(FColorChecked, Value); }
void TExGridButton::SetColorCheckedTo(TColor Value) { SetColorField(FColorCheckedTo, Value); }
void TExGridButton::SetBorderColor(TColor Value) { SetColorField(FBorderColor, Value); }
void TExGridButton::SetBorderDownColor(TColor Value) { SetColorField(FBorderDownColor, Value); }
void TExGridButton::SetBorderHotColor(TColor Value) { SetColorField(FBorderHotColor, Value); }
void TExGridButton::SetFlat(bool Value) { SetFlag(FFlat, Value); }
void TExGridButton::SetRounded(bool Value) { SetFlag(FRounded, Value); }
void TExGridButton::SetShowCaption(bool Value) { SetFlag(FShowCaption, Value); }
void TExGridButton::SetDropDownButton(bool Value) { SetFlag(FDropDownButton, Value); }
void TExGridButton::SetAutoXPStyle(bool Value) { SetFlag(FAutoXPStyle, Value); }

void TExGridButton::SetStyle(TExGridButtonStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TExGridButton::SetLayout(TButtonLayout Value)
{
    FLayout = Value;
    Invalidate();
}

void TExGridButton::SetMargin(Integer Value)
{
    FMargin = Value;
    Invalidate();
}

void TExGridButton::SetSpacing(Integer Value)
{
    FSpacing = Value;
    Invalidate();
}

void TExGridButton::SetGlyph(const TBitmap* Value)
{
    AssignGlyph(FGlyph.get(), Value);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty())
        BuildDisabledGlyph(FGlyph.get(), FGlyphDisabled.get());
    Invalidate();
}

void TExGridButton::SetGlyphHot(const TBitmap* Value)
{
    AssignGlyph(FGlyphHot.get(), Value);
    Invalidate();
}

void TExGridButton::SetGlyphDown(const TBitmap* Value)
{
    AssignGlyph(FGlyphDown.get(), Value);
    Invalidate();
}

void TExGridButton::SetGlyphDisabled(const TBitmap* Value)
{
    AssignGlyph(FGlyphDisabled.get(), Value);
    Invalidate();
}

void TExGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (!HasState(csLoading))
        BuildShade();
    Invalidate();
}

void TExGridButton::BuildShade()
{
    if (FGlyph->Empty()) {
        FGlyphShade->SetSize(0, 0);
        return;
    }
    FGlyphShade->Assign(FGlyph.get());
    const TColor transparent = ColorToRGB(FGlyph->TransparentColor());
    for (Integer y = 0; y < FGlyphShade->Height(); ++y) {
        Byte* p = FGlyphShade->ScanLine(y);
        for (Integer x = 0; x < FGlyphShade->Width(); ++x, p += 4) {
            const TColor c = RGB(p[2], p[1], p[0]);
            const TColor to = c == transparent ? transparent : ShadeColor;
            p[0] = GetBValue(to);
            p[1] = GetGValue(to);
            p[2] = GetRValue(to);
        }
    }
    FGlyphShade->SetTransparent(true);
}

void TExGridButton::SetDropDownMenu(TPopupMenu* Value)
{
    if (FDropDownMenu != nullptr)
        FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value != nullptr)
        Value->FreeNotification(this);
}

void TExGridButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu)
        FDropDownMenu = nullptr;
}

void TExGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value && !HasState(csLoading))
        ThemeAdapt();
}

void TExGridButton::ThemeAdapt()
{
    switch (XPThemeScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TExGridButton::SetLook(Integer Value)
{
    struct TLookColors {
        TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
    };
    static const TLookColors looks[] = {
        {RGB(241, 241, 237), RGB(235, 235, 223), RGB(252, 252, 250), RGB(237, 236, 229), RGB(231, 230, 224),
         RGB(225, 224, 216), RGB(255, 255, 255), clNone, RGB(122, 152, 175), RGB(206, 206, 195)},
        {clBtnFace, clNone, RGB(193, 210, 238), clNone, RGB(152, 181, 226), clNone, RGB(225, 230, 232), clNone,
         RGB(49, 106, 197), RGB(49, 106, 197)},
        {RGB(218, 234, 253), RGB(136, 174, 228), RGB(255, 244, 204), RGB(255, 208, 145), RGB(254, 145, 78),
         RGB(255, 211, 142), RGB(255, 211, 142), RGB(255, 173, 85), RGB(0, 0, 0), RGB(0, 0, 0)},
        {RGB(234, 240, 207), RGB(177, 192, 140), RGB(255, 244, 204), RGB(255, 208, 145), RGB(254, 145, 78),
         RGB(255, 211, 142), RGB(255, 211, 142), RGB(255, 173, 85), RGB(0, 0, 0), RGB(0, 0, 0)},
        {RGB(225, 226, 236), RGB(152, 150, 179), RGB(255, 244, 204), RGB(255, 208, 145), RGB(254, 145, 78),
         RGB(255, 211, 142), RGB(255, 211, 142), RGB(255, 173, 85), RGB(0, 0, 0), RGB(0, 0, 0)},
        {clBtnFace, clNone, clBtnFace, clNone, RGB(210, 211, 216), clNone, RGB(199, 199, 202), clNone, clNone, clNone},
        {RGB(255, 255, 202), RGB(255, 255, 166), RGB(253, 240, 168), RGB(252, 233, 124), RGB(251, 224, 77),
         RGB(252, 233, 122), RGB(242, 230, 181), RGB(237, 221, 156), RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    if (Value < 0 || Value > 6)
        return;
    const TLookColors& l = looks[Value];
    FLook = Value;
    SetColor(l.Color);
    FColorTo = l.ColorTo;
    FColorHot = l.Hot;
    FColorHotTo = l.HotTo;
    FColorDown = l.Down;
    FColorDownTo = l.DownTo;
    FColorChecked = l.Checked;
    FColorCheckedTo = l.CheckedTo;
    FBorderDownColor = l.BorderDown;
    FBorderHotColor = l.BorderHot;
    FBorderColor = clNone;
    FRounded = Value == 0;
    FFlat = true;
    Invalidate();
}

void TExGridButton::Loaded()
{
    TGraphicControl::Loaded();
    BuildShade();
    if (FAutoThemeAdapt)
        ThemeAdapt();
}

// ---------------------------------------------------------------- state

void TExGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle != tasCheck)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Invalidate();
        return;
    }
    if (Value == FDown)
        return;
    if (!Value && FDown && !FAllowAllUp)
        return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Invalidate();
    }
}

void TExGridButton::SetGroupIndex(Integer Value)
{
    FGroupIndex = Value;
    UpdateExclusive();
}

void TExGridButton::SetAllowAllUp(bool Value)
{
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TExGridButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TControl*>(this)), 0};
    Parent()->Broadcast(m);
}

bool TExGridButton::Hot() const
{
    return FMouseInControl && Enabled() && !Designing();
}

void TExGridButton::UpdateTracking(TPoint Pos)
{
    if (!FFlat || !Enabled())
        return;
    bool over = false;
    if (Parent() != nullptr)
        over = Parent()->ControlAtPos(TPoint{Left() + Pos.X, Top() + Pos.Y}) == this;
    else
        over = PtInRect(ClientRect(), Pos);
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(static_cast<TControl*>(this)));
}

void TExGridButton::UpdateTracking()
{
    UpdateTracking(ScreenToClient(GetCursorPos()));
}

// ---------------------------------------------------------------- input

void TExGridButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (FDropDownButton && X > ClientWidth() - DropDownWidth) {
        FState = bsUp;
        if (OnDropDown)
            OnDropDown(this);
        if (FDropDownMenu != nullptr) {
            const TPoint p = ClientToScreen(TPoint{0, Height()});
            FDropDownMenu->SetPopupComponent(this);
            FDropDownMenu->Popup(p.X, p.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TExGridButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TButtonState s = FDown ? bsExclusive : bsUp;
        if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight())
            s = FDown ? bsExclusive : bsDown;
        if (FStyle == tasCheck && FDown)
            s = bsDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking(TPoint{X, Y});
    }
}

void TExGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging)
        return;
    FDragging = false;
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A check button toggles only on a click that ends over it.
        if (FStyle == tasCheck && inside) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (inside && !IsPressed(FState))
            Invalidate();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            Invalidate();
    } else {
        // Released away from it: the button shows its lasting state even
        // when no move outside came first.
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    }
    if (inside)
        Click();
    UpdateTracking(TPoint{X, Y});
}

void TExGridButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        if (Message.LParam == LPARAM(static_cast<TControl*>(this)) && Enabled() && !MouseCapture() && !FMouseInControl) {
            FMouseInControl = true;
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (Message.LParam == LPARAM(static_cast<TControl*>(this)) && Enabled() && !FDragging && FMouseInControl) {
            FMouseInControl = false;
            Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED:
        UpdateTracking();
        break;
    case CM_SYSCOLORCHANGE:
        Invalidate();
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(char16_t(Message.WParam)), Caption()) && Enabled() && Visible() && Parent() != nullptr
            && Parent()->Showing()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TControl*>(Message.LParam);
        if (Message.WParam != WPARAM(FGroupIndex) || sender == this)
            return;
        if (auto* other = dynamic_cast<TExGridButton*>(sender)) {
            if (other->FDown && FDown) {
                FDown = false;
                FState = bsUp;
                Invalidate();
            }
            FAllowAllUp = other->FAllowAllUp;
        }
        return;
    }
    case WM_THEMECHANGED:
    case CM_THEMEADAPT:
        if (FAutoThemeAdapt)
            ThemeAdapt();
        break;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::Dispatch(Message);
        if (FDown)
            DblClick();
        return;
    default:
        break;
    }
    TGraphicControl::Dispatch(Message);
}

// ---------------------------------------------------------------- painting

void TExGridButton::PaintFace(TRect& R)
{
    TCanvas* c = Canvas();
    if (!FFlat) {
        TThemeServices& theme = ExXPVS();
        if (IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && ThemeActive(theme) && theme.OpenThemeData != nullptr) {
            HTHEME h = theme.OpenThemeData(Parent() != nullptr ? Parent()->Handle() : nullptr, QStringLiteral("button"));
            if (h != nullptr) {
                const Integer state = IsPressed(FState) ? PBS_PRESSED : FMouseInControl ? PBS_HOT : PBS_NORMAL;
                theme.DrawThemeBackground(h, c, BP_PUSHBUTTON, state, &R, nullptr);
                theme.CloseThemeData(h);
            }
        } else {
            DrawFrameControl(c, R, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (IsPressed(FState) ? DFCS_PUSHED : 0));
        }
        return;
    }

    if (FBorderDownColor == clNone || FRounded)
        InflateRect(R, -1, -1);
    c->Pen()->SetWidth(1);
    if (Hot()) {
        TColor brush = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
        if (FState == bsDown) {
            brush = FColorDown;
            to = FColorDownTo;
            pen = FBorderDownColor;
        }
        if (FStyle == tasCheck && FDown && FState != bsDown) {
            pen = FBorderDownColor;
            brush = FColorChecked;
            to = FColorCheckedTo;
        }
        const TColor border = pen;
        if (FRounded)
            pen = clNone;
        if (to != clNone) {
            DrawGridButtonGradient(c, brush, to, FaceSteps, R, pen);
        } else {
            FillIn(c, R, brush);
            FrameIn(c, R, pen == clNone ? brush : pen);
        }
        if (FRounded) {
            InflateRect(R, 1, 1);
            if (border != clNone) {
                c->Brush()->SetStyle(bsClear);
                SetPenColor(c, border);
                c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
            }
        }
        if (FDropDownButton && border != clNone) {
            SetPenColor(c, border);
            c->MoveTo(R.Right - DropDownWidth, R.Top);
            c->LineTo(R.Right - DropDownWidth, R.Bottom);
        }
    } else if (FStyle == tasCheck && FDown) {
        const TColor pen = FBorderDownColor;
        if (FColorCheckedTo != clNone) {
            DrawGridButtonGradient(c, FColorChecked, FColorCheckedTo, FaceSteps, R, pen);
        } else {
            FillIn(c, R, FColorChecked);
            FrameIn(c, R, pen == clNone ? FColorChecked : pen);
        }
    } else {
        const TColor brush = ColorToRGB(Color());
        if (FColorTo != clNone) {
            const TColor frame = FRounded ? clNone : FState == bsDown ? FBorderDownColor : FBorderColor;
            DrawGridButtonGradient(c, brush, FColorTo, FaceSteps, R, frame);
        } else {
            FillIn(c, R, brush);
        }
        if (FBorderColor != clNone) {
            if (FRounded) {
                // Only the outline: the face inside is already painted.
                InflateRect(R, 1, 1);
                c->Brush()->SetStyle(bsClear);
                SetPenColor(c, FBorderColor);
                c->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 8, 8);
            } else {
                FrameIn(c, R, FBorderColor);
            }
        }
    }
    InflateRect(R, -1, -1);
}

void TExGridButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = bsDown;

    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    TRect R = ClientRect();
    PaintFace(R);

    const bool hot = Hot();
    TPoint offset{0, 0};
    if (IsPressed(FState)) {
        if (FState == bsExclusive && (!FFlat || !hot)) {
            TRect f = R;
            InflateRect(f, 1, 1);
            const TColor frame = FDown ? FBorderDownColor : FBorderColor;
            if (FColorCheckedTo != clNone) {
                DrawGridButtonGradient(c, FColorChecked, FColorCheckedTo, FaceSteps, f, frame);
            } else {
                FillIn(c, f, FColorChecked);
                FrameIn(c, f, frame);
            }
        }
        if (!FFlat && !Designing())
            offset = TPoint{1, 1};
    } else if (FFlat && hot && FShaded) {
        offset = TPoint{-1, -1};
    }

    if (FDropDownButton) {
        const Integer mid = R.Top + (R.Bottom - R.Top) / 2;
        const TColor fc = Font()->Color();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fc);
        SetPenColor(c, fc);
        c->Polygon({TPoint{R.Right - 8, mid - 1}, TPoint{R.Right - 4, mid - 1}, TPoint{R.Right - 6, mid + 1}});
        R.Right -= DropDownWidth;
    }
    DrawGlyphAndCaption(R, offset, FDown && FGroupIndex != 0 ? bsDown : FState);
}

void TExGridButton::DrawGlyphAndCaption(TRect R, TPoint Offset, TButtonState State)
{
    TCanvas* c = Canvas();
    const bool hot = Hot();
    const bool pressed = IsPressed(State);
    auto orGlyph = [this](TBitmap* b) { return b->Empty() ? FGlyph.get() : b; };
    TBitmap* glyph = FGlyph.get();
    if (!Enabled())
        glyph = orGlyph(FGlyphDisabled.get());
    else if (hot)
        glyph = pressed ? orGlyph(FGlyphDown.get()) : Designing() ? FGlyph.get() : orGlyph(FGlyphHot.get());
    else if (pressed)
        glyph = orGlyph(FGlyphDown.get());

    const QString caption = FShowCaption ? Caption() : QString();
    const Integer W = R.Width(), H = R.Height();
    const Cardinal flags = DT_CENTER | DT_VCENTER;
    const Integer gw = glyph->Empty() ? 0 : glyph->Width();
    const Integer gh = glyph->Empty() ? 0 : glyph->Height();
    Integer tw = 0, th = 0;
    if (!caption.isEmpty()) {
        TRect m(0, 0, W, 0);
        DrawText(c, caption, m, flags | DT_CALCRECT);
        tw = m.Width();
        th = m.Height();
    }

    TPoint glyphPos{0, 0}, textPos{0, 0};
    if (!caption.isEmpty()) {
        TButtonLayout layout = FLayout;
        const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
        if (horizontal) {
            glyphPos.Y = (H - gh + 1) / 2;
            textPos.Y = (H - th + 1) / 2;
        } else {
            glyphPos.X = (W - gw + 1) / 2;
            textPos.X = (W - tw + 1) / 2;
        }
        Integer spacing = FSpacing, margin = FMargin;
        if (tw == 0 || gw == 0)
            spacing = 0;
        const Integer size = horizontal ? W : H;
        const Integer g = horizontal ? gw : gh;
        const Integer t = horizontal ? tw : th;
        if (margin == -1 && spacing == -1) {
            margin = (size - (g + t)) / 3;
            spacing = margin;
        } else if (margin == -1) {
            margin = (size - (g + spacing + t) + 1) / 2;
        } else if (spacing == -1) {
            spacing = (size - (margin + g) - t) / 2;
        }
        Integer& gp = horizontal ? glyphPos.X : glyphPos.Y;
        Integer& tp = horizontal ? textPos.X : textPos.Y;
        if (layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop) {
            gp = margin;
            tp = gp + g + spacing;
        } else {
            gp = size - margin - g;
            tp = gp - spacing - t;
        }
    }
    glyphPos.X += Offset.X + R.Left;
    glyphPos.Y += Offset.Y + R.Top;
    textPos.X += Offset.X + R.Left;
    textPos.Y += Offset.Y + R.Top;

    if (!glyph->Empty()) {
        if (hot && FShaded && State != bsDown && !FGlyphShade->Empty())
            c->Draw(glyphPos.X + 2, glyphPos.Y + 2, FGlyphShade.get());
        c->Draw(glyphPos.X, glyphPos.Y, glyph);
    }

    if (FFlat && hot && FShaded && !Designing() && !pressed)
        textPos = TPoint{textPos.X + 1, textPos.Y + 1};
    if (caption.isEmpty())
        return;
    TRect tr(textPos.X, textPos.Y, textPos.X + tw, textPos.Y + th);
    c->Brush()->SetStyle(bsClear);
    if (!Enabled()) {
        TRect lit = tr;
        OffsetRect(lit, 1, 1);
        c->Font()->SetColor(clBtnHighlight);
        DrawText(c, caption, lit, flags);
        c->Font()->SetColor(clBtnShadow);
    }
    DrawText(c, caption, tr, flags);
}

// ================================================================ TExCheckBox

TExCheckBox::TExCheckBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    // The box clicks itself (OnClick after a toggle by mouse or Space).
    FControlStyle = csCaptureMouse | csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 98, 20);
    SetCaption(QStringLiteral("TExCheckBox"));
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    FIsWinXP = IsWinXPOrLater();
}

void TExCheckBox::Toggle()
{
    if (FReadOnly)
        return;
    SetChecked(!Checked());
}

void TExCheckBox::SetChecked(bool Value)
{
    SetState(Value ? cbChecked : cbUnchecked);
}

void TExCheckBox::SetState(TCheckBoxState Value)
{
    if (Value == FState)
        return;
    FState = Value;
    Invalidate();
}

void TExCheckBox::SetAlignment(TLeftRight Value)
{
    FAlignment = Value;
    Invalidate();
}

void TExCheckBox::SetButtonVertAlign(TTextLayout Value)
{
    FButtonVertAlign = Value;
    Invalidate();
}

void TExCheckBox::SetEllipsis(bool Value)
{
    FEllipsis = Value;
    Invalidate();
}

void TExCheckBox::SetTransparent(bool Value)
{
    FTransparent = Value;
    Invalidate();
}

void TExCheckBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    const bool resized = AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && FTransparent)
        Invalidate();
}

TRect TExCheckBox::BoxRect() const
{
    const bool right = FAlignment == taRightJustify;
    const Integer w = ClientWidth(), h = ClientHeight();
    if (IsThemedComCtl6()) {
        const Integer y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? h / 2 - 6 : h - 14;
        return Bounds(right ? w - 15 : 0, y, 14, 14);
    }
    const Integer y = FButtonVertAlign == tlTop ? 4 : FButtonVertAlign == tlCenter ? h / 2 - 6 : h - 17;
    return Bounds(right ? w - 13 : 0, y, 13, 13);
}

TRect TExCheckBox::CaptionRect() const
{
    TRect r = ClientRect();
    if (FAlignment == taRightJustify) {
        r.Left = 0;
        r.Right -= 9;
    } else {
        r.Left += 9;
    }
    r.Top += 4;
    r.Left += 6;
    return r;
}

void TExCheckBox::Paint()
{
    TCanvas* c = Canvas();
    // A transparent box shows its parent's background around box and caption.
    const TColor back = FTransparent && Parent() != nullptr ? Parent()->Color() : Color();
    FillIn(c, ClientRect(), back);
    c->Font()->Assign(Font());

    TRect box = BoxRect();
    TThemeServices& theme = ExXPVS();
    bool drawn = false;
    if (IsThemedComCtl6() && theme.OpenThemeData != nullptr) {
        if (HTHEME h = theme.OpenThemeData(Handle(), QStringLiteral("button"))) {
            const Integer base = FState == cbChecked ? CBS_CHECKEDNORMAL : FState == cbGrayed ? CBS_MIXEDNORMAL
                                                                                                : CBS_UNCHECKEDNORMAL;
            const Integer step = !Enabled() ? 3 : FDown ? 2 : FHot ? 1 : 0;
            drawn = theme.DrawThemeBackground(h, c, BP_CHECKBOX, base + step, &box, nullptr) == S_OK;
            theme.CloseThemeData(h);
        }
    }
    if (!drawn) {
        Cardinal state = DFCS_BUTTONCHECK;
        if (FState == cbGrayed || !Enabled())
            state |= DFCS_INACTIVE;
        if (FState == cbChecked)
            state |= DFCS_CHECKED;
        DrawFrameControl(c, box, DFC_BUTTON, state);
    }

    TRect r = CaptionRect();
    const Cardinal flags = DT_LEFT | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
    const QString caption = Caption();
    c->Brush()->SetStyle(bsClear);
    if (!Enabled()) {
        TRect lit = r;
        OffsetRect(lit, 1, 1);
        c->Font()->SetColor(RGB(255, 255, 255));
        DrawText(c, caption, lit, flags);
        c->Font()->SetColor(RGB(128, 128, 128));
    }
    DrawText(c, caption, r, flags);

    if (FFocused) {
        TRect m = r;
        DrawText(c, caption, m, flags | DT_CALCRECT);
        const Integer right = std::min(r.Left + m.Width() + 1, r.Right + 1);
        DrawFocusRect(c, TRect(r.Left - 2, r.Top, right, r.Top + m.Height() + 1));
    }
}

bool TExCheckBox::Inside(Integer X, Integer Y) const
{
    return X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
}

void TExCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FMouseDown = true;
    if (CanFocus())
        SetFocus();
    SetMouseCapture(true);
    FDown = true;
    Invalidate();
}

void TExCheckBox::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FMouseDown)
        return;
    const bool down = Inside(X, Y);
    if (down != FDown) {
        FDown = down;
        Invalidate();
    }
}

void TExCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    SetMouseCapture(false);
    FDown = false;
    if (Inside(X, Y) && FFocused && FMouseDown) {
        Toggle();
        Click();
    }
    FMouseDown = false;
    Invalidate();
}

void TExCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_RETURN && FReturnIsTab) {
        PostMessage(this, CN_KEYDOWN, VK_TAB);
        Key = 0;
    } else if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
}

void TExCheckBox::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key != VK_SPACE)
        return;
    FDown = false;
    Toggle();
    Click();
    Invalidate();
}

void TExCheckBox::DoEnter()
{
    TCustomControl::DoEnter();
    FFocused = true;
    Invalidate();
}

void TExCheckBox::DoExit()
{
    TCustomControl::DoExit();
    FFocused = false;
    Invalidate();
}

void TExCheckBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        // Enter stays with the box when it moves the focus on itself.
        if (Message.WParam == VK_RETURN && FReturnIsTab) {
            Message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(char16_t(Message.WParam)), Caption()) && Enabled() && Showing()) {
            Toggle();
            if (TabStop() && CanFocus())
                SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
        if (Message.LParam == LPARAM(static_cast<TControl*>(this))) {
            FHot = true;
            Invalidate();
        }
        break;
    case CM_MOUSELEAVE:
        if (Message.LParam == LPARAM(static_cast<TControl*>(this))) {
            FHot = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}
