#include "controls/FxButton.h"

#include <exception>
#include <QImage>

#include "controls/FxButtons.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"

namespace {

struct TColorPreset {
    TColor Color, Light, Shadow, Down, Hot, FontColor;
    bool Flat;
    TFxButtonStyle Style;
};

// Colours and style of each preset (lcsCustom has none).
bool GetColorStyleColors(TFxColorStyle style, TColorPreset& p)
{
    switch (style) {
    case lcsGold: p = {RGB(192, 192, 0), RGB(255, 255, 0), RGB(128, 128, 0), clNone, RGB(223, 223, 0), RGB(0, 0, 0), false, bsModern}; return true;
    case lcsChrome: p = {RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, RGB(0, 0, 0), false, bsModern}; return true;
    case lcsBlue: p = {RGB(0, 128, 255), RGB(0, 255, 255), RGB(0, 0, 255), clNone, clNone, RGB(0, 0, 0), false, bsModern}; return true;
    case lcsRed: p = {RGB(255, 0, 0), RGB(255, 192, 192), RGB(192, 0, 0), clNone, clNone, RGB(0, 0, 0), false, bsModern}; return true;
    case lcsUltraFlat1: p = {clBtnFace, RGB(132, 146, 181), RGB(132, 146, 181), RGB(132, 146, 181), RGB(214, 211, 222), RGB(0, 0, 0), true, bsNormal}; return true;
    case lcsUltraFlat2: p = {clBtnFace, RGB(0, 0, 0), RGB(0, 0, 0), RGB(188, 218, 36), RGB(228, 246, 140), RGB(0, 0, 0), true, bsNormal}; return true;
    case lcsUltraFlatXP: p = {RGB(219, 216, 209), RGB(132, 146, 181), RGB(133, 146, 181), RGB(133, 146, 181), RGB(182, 189, 210), RGB(0, 0, 0), true, bsNormal}; return true;
    case lcsAqua: p = {RGB(148, 206, 236), RGB(212, 230, 252), RGB(0, 0, 0), clNone, clNone, RGB(0, 0, 0), false, bsModern}; return true;
    case lcsDefault: p = {clBtnFace, RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, RGB(0, 0, 0), false, bsNormal}; return true;
    case lcsQuicken: p = {RGB(0, 48, 96), RGB(192, 192, 192), RGB(192, 192, 192), RGB(41, 101, 173), RGB(156, 174, 206), RGB(255, 255, 255), false, bsQuicken}; return true;
    default: return false;
    }
}

struct TKindPreset {
    const char* Resource;
    const char16_t* Caption;
    Integer ModalResult;
};

bool GetKindPreset(TFxButtonKind kind, TKindPreset& k)
{
    switch (kind) {
    case bkOK: k = {"LBOK", u"OK", mrOk}; return true;
    case bkCancel: k = {"LBCANCEL", u"Abbrechen", mrCancel}; return true;
    case bkHelp: k = {"LBHELP", u"Hilfe", mrNone}; return true;
    case bkYes: k = {"LBYES", u"Ja", mrYes}; return true;
    case bkNo: k = {"LBNO", u"Nein", mrNo}; return true;
    case bkClose: k = {"LBCLOSE", u"Schlie\u00dfen", mrNone}; return true;
    case bkAbort: k = {"LBABORT", u"Abbrechen", mrAbort}; return true;
    case bkRetry: k = {"LBRETRY", u"Wiederholen", mrRetry}; return true;
    case bkIgnore: k = {"LBIGNORE", u"Ignorieren", mrIgnore}; return true;
    case bkAll: k = {"LBALL", u"Alle", mrAll}; return true;
    default: return false;
    }
}

bool IsButtonClassName(const QString& name)
{
    const QString up = name.toUpper();
    return up.contains(QStringLiteral("BUTTON")) && !up.contains(QStringLiteral("RADIOBUTTON"));
}

} // namespace

TFxButton::TFxButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    // The button clicks itself (mouse up, keys); no automatic click events.
    FControlStyle = csCaptureMouse | csSetCaption;
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner))
        FHTFont->Assign(form->Font());
    FThread = std::make_unique<TFxButtonThread>([this](TObject* s) { HotTrackTick(s); });
    SetBounds(Left(), Top(), 100, 23);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TFxButton::~TFxButton()
{
    FDestroying = true;
    StopThread();
}

void TFxButton::StopThread()
{
    if (!FThread)
        return;
    try {
        FThread->Terminate();
        FThread->WaitFor();
    } catch (...) {
        // A button is always destroyed, whatever its thread did.
    }
    FThread.reset();
}

// ------------------------------------------------------------ properties

void TFxButton::SetAlignment(TAlignment value)
{
    FAlignment = value;
    PaintNow();
}

void TFxButton::SetColorStyle(TFxColorStyle value)
{
    TColorPreset p;
    if (!GetColorStyleColors(value, p))
        return;
    SetColor(p.Color);
    Font()->SetColor(p.FontColor);
    FLightColor = p.Light;
    FShadowColor = p.Shadow;
    FColorWhenDown = p.Down;
    FHotTrackColor = p.Hot;
    FFlat = p.Flat;
    FStyle = p.Style;
    PaintNow();
}

void TFxButton::SetEnabled(bool value)
{
    TCustomControl::SetEnabled(value);
    FEnabled = value;
    bDown = false;
    PaintNow();
}

void TFxButton::SetFlat(bool value)
{
    FFlat = value;
    PaintNow();
}

void TFxButton::SetGlyph(const TBitmap* value)
{
    if (value != nullptr && !value->Empty()) {
        FGlyph->Assign(value);
        FNumGlyphs = FGlyph->Height() > 0 ? FGlyph->Width() / FGlyph->Height() : 0;
    } else {
        FGlyph->SetHeight(0);
        FNumGlyphs = 0;
    }
    FKind = bkCustom;
    Invalidate();
}

void TFxButton::SetHotTrackFont(const TFont* value)
{
    if (value != nullptr)
        FHTFont->Assign(value);
}

void TFxButton::SetKind(TFxButtonKind value)
{
    TKindPreset k;
    if (GetKindPreset(value, k)) {
        SetNumGlyphs(2);
        SetModalResult(k.ModalResult);
        const std::unique_ptr<TBitmap> glyph = LoadFxButtonBitmap(QString::fromLatin1(k.Resource));
        SetGlyph(glyph.get());
        // Every kind's strip holds two cells (normal, disabled), also the one
        // whose picture is a pixel taller than a cell is wide.
        FNumGlyphs = 2;
        SetCaption(QString::fromUtf16(k.Caption));
    }
    FKind = value;
    Invalidate();
}

void TFxButton::SetLayout(TFxButtonLayout value)
{
    FLayout = value;
    PaintNow();
}

void TFxButton::SetLightColor(TColor value)
{
    FLightColor = value;
    PaintNow();
}

void TFxButton::SetModalResult(Integer value)
{
    FModalResult = value;
    FKind = bkCustom;
}

void TFxButton::SetNumGlyphs(Integer value)
{
    FNumGlyphs = value;
    Invalidate();
}

void TFxButton::SetShadowColor(TColor value)
{
    FShadowColor = value;
    PaintNow();
}

void TFxButton::SetSlowDecease(bool value)
{
    FSlowDecease = value;
    if (value) {
        if (!FThread)
            FThread = std::make_unique<TFxButtonThread>([this](TObject* s) { HotTrackTick(s); });
    } else if (FThread) {
        FHotTrackStep = 0;
        StopThread();
    }
    Invalidate();
}

void TFxButton::SetStyle(TFxButtonStyle value)
{
    FStyle = value;
    UpdateTransparency();
    Invalidate();
}

void TFxButton::SetWordWrap(bool value)
{
    FWordWrap = value;
    PaintNow();
}

// The three rounded styles let the parent show through where their face
// leaves magenta: the layer then paints no background under the button.
void TFxButton::UpdateTransparency()
{
    if (FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken)
        FControlStyle |= csOpaque;
    else
        FControlStyle &= ~csOpaque;
}

void TFxButton::CreateWnd()
{
    // The window is made see-through; the style decides what is painted under it.
    FControlStyle &= ~csOpaque;
    TCustomControl::CreateWnd();
    UpdateTransparency();
}

// ------------------------------------------------------------ painting

bool TFxButton::Hot() const
{
    return bCursorOnButton || Focused();
}

bool TFxButton::ParentShowing() const
{
    return Parent() != nullptr && Parent()->Showing();
}

void TFxButton::PaintNow()
{
    if (HandleAllocated())
        Paint();
}

void TFxButton::Paint()
{
    if ((!Visible() && !HasState(csDesigning)) || HasState(csLoading) || HasState(csDestroying) || FDestroying)
        return;
    const Integer w = Width();
    const Integer h = Height();
    if (w <= 0 || h <= 0)
        return;
    const bool hot = Hot();
    const bool focused = Focused();
    FFocusDrawn = focused;
    TBitmap bmp(w, h);
    TFont font;
    font.Assign(hot && FUseHTFont ? FHTFont.get() : Font());
    TCanvas* c = bmp.Canvas();
    if (FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken) {
        // The rounded styles start from a see-through bitmap: what the face
        // leaves untouched shows the parent, and smoothed text edges blend.
        QImage clear(w, h, QImage::Format_ARGB32_Premultiplied);
        clear.fill(Qt::transparent);
        bmp.SetImage(clear);
    }
    TFxButtonFace face;
    face.W = w;
    face.H = h;
    face.HotTrackStep = FHotTrackStep;
    face.NumGlyphs = FNumGlyphs;
    face.Glyph = FGlyph.get();
    face.Pressed = bDown;
    face.Hot = hot;
    face.Enabled = Enabled();
    face.Flat = FFlat;
    face.WordWrap = FWordWrap;
    face.HasPopupMenu = PopupMenu() != nullptr;
    face.Style = FStyle;
    face.Color = Color();
    face.ColorWhenDown = FColorWhenDown;
    face.HotTrackColor = FHotTrackColor;
    face.LightColor = FLightColor;
    face.ShadowColor = FShadowColor;
    face.Font = &font;
    face.Layout = FLayout;
    face.Caption = Caption();
    face.Alignment = FAlignment;
    if (FStyle == bsOld && focused) {
        // Focused old style: a one-pixel black ring around a smaller face.
        face.W = w - 2;
        face.H = h - 2;
        if (bDown)
            face.LightColor = FShadowColor;
        DrawFxButtonFace(c, face);
        c->CopyRect(TRect(1, 1, w + 1, h + 1), c, TRect(0, 0, w, h));
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(0, 0, w, h);
    } else {
        DrawFxButtonFace(c, face);
    }
    Canvas()->Draw(0, 0, &bmp);
    if (focused && Enabled() && FStyle != bsShape)
        DrawFocusRect(Canvas(), TRect(4, 4, w - 4, h - 4));
}

// ------------------------------------------------------------ click and input

void TFxButton::FireFxButtonClick()
{
    if (!Visible() || !Enabled() || !bDown)
        return;
    bDown = false;
    if (OnClick)
        OnClick(this);
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm())
            form->SetModalResult(FModalResult);
    if (TPopupMenu* menu = PopupMenu()) {
        const TPoint p = ClientToScreen(TPoint(0, Height()));
        menu->SetPopupComponent(this);
        menu->Popup(p.X, p.Y);
    }
}

void TFxButton::Click()
{
    bDown = true;
    FireFxButtonClick();
    // A button that could not click (hidden or disabled) does not stay pressed.
    bDown = false;
}

void TFxButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled()) {
        bDown = true;
        if (CanFocus())
            SetFocus();
        PaintNow();
    }
}

void TFxButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (bDown)
        Click();
    bDown = false;
    PaintNow();
}

TCustomForm* TFxButton::FindOwnerForm() const
{
    for (TComponent* c = Owner(); c != nullptr; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            return form;
    return nullptr;
}

void TFxButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_KEYDOWN:
        TCustomControl::Dispatch(Message);
        // Enter or Space held on the focused button presses it, unless the
        // form took the key.
        if (Message.Result == 0 && Enabled() && (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE)) {
            bDown = true;
            PaintNow();
        }
        return;
    case CN_KEYUP:
        TCustomControl::Dispatch(Message);
        if (Message.Result == 0 && (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE))
            Click();
        PaintNow();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(char16_t(Message.WParam)), Caption()) && Visible() && Enabled() && ParentShowing()) {
            bDown = true;
            Click();
            Message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGKEY: {
        const Word key = Word(Message.WParam);
        // A hidden or disabled button takes neither key: it could not click.
        const bool take = ((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel && KeyDataToShiftState().Empty()))
                          && Visible() && Enabled();
        if (!take)
            break;
        if (key == VK_RETURN) {
            // A focused button takes Enter itself.
            TCustomForm* form = FindOwnerForm();
            TWinControl* active = form != nullptr ? form->ActiveControl() : nullptr;
            if (active != nullptr && IsButtonClassName(active->ClassName()))
                break;
        }
        bDown = true;
        Click();
        Message.Result = 1;
        return;
    }
    case CM_FOCUSCHANGED:
        // Every control of the form hears of a focus change; only a button
        // whose focus ring may come or go is drawn again.
        if (Message.LParam == LPARAM(this) || FFocusDrawn || Focused())
            PaintNow();
        break;
    case CM_MOUSEENTER:
        if (Message.LParam != 0 && Message.LParam != LPARAM(this))
            break;
        if (Enabled() && Visible() && ParentShowing()) {
            bCursorOnButton = true;
            FHotTrackStep = 8;
            PaintNow();
            if (OnMouseEnter)
                OnMouseEnter(this);
        }
        return;
    case CM_MOUSELEAVE:
        if (Message.LParam != 0 && Message.LParam != LPARAM(this))
            break;
        bCursorOnButton = false;
        if (FSlowDecease) {
            if (FThread && FThread->Suspended())
                FThread->Resume();
        } else {
            FHotTrackStep = 0;
            PaintNow();
        }
        if (Enabled() && Visible() && ParentShowing() && OnMouseExit)
            OnMouseExit(this);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(Message);
}

void TFxButton::HotTrackTick(TObject*)
{
    if (FDestroying || HasState(csDestroying))
        return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        if (FThread && !FThread->Suspended())
            FThread->Suspend();
        FHotTrackStep = 0;
    }
    PaintNow();
}
