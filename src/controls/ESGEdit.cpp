#include "controls/ESGEdit.h"

#include "controls/EditWithButton.h"
#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ControlCanvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/StringList.h"
#include "platform/Text.h"

// ------------------------------------------------------------ TExSpeedButton

TExSpeedButton::TExSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
}

void TExSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

void TExSpeedButton::SetFlat(bool v)
{
    FFlat = v;
    TSpeedButton::SetFlat(v);
}

void TExSpeedButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        FHot = Message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
    TSpeedButton::Dispatch(Message);
}

void TExSpeedButton::Paint()
{
    auto* owner = dynamic_cast<TEsgEditButton*>(Parent());
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    TRect r = ClientRect();
    const bool down = FState == bsDown || FState == bsExclusive;
    bool themed = false;
    if (owner != nullptr && owner->ButtonColor() != clNone) {
        FFlat = true;
        const TColor face = down ? owner->ButtonColorDown() : FHot ? owner->ButtonColorHot() : owner->ButtonColor();
        c->Pen()->SetColor(face);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(face);
        c->Rectangle(r);
    } else {
        TThemeServices& t = ExXPVS();
        if (FIsWinXP && ThemeActive(t) && Parent() != nullptr) {
            if (HTHEME theme = t.OpenThemeData(Parent()->Handle(), QStringLiteral("button"))) {
                themed = t.DrawThemeBackground(theme, c, BP_PUSHBUTTON, down ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL, &r, nullptr) == S_OK;
                t.CloseThemeData(theme);
            }
        }
        if (themed) {
        } else if (FFlat) {
            DrawEdge(c, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
            InflateRect(r, -1, -1);
        } else {
            DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
        }
    }
    const Integer shift = down ? 1 : 0;
    if (!Glyph()->Empty()) {
        const Integer gw = Glyph()->Width() / std::max<Integer>(NumGlyphs(), 1), gh = Glyph()->Height();
        const Integer x = gw < Width() ? (Width() - gw) / 2 : 0;
        const Integer y = gh < Height() ? (Height() - gh) / 2 : 0;
        DrawGlyph(x + shift, y + shift, FState);
    }
    const QString caption = Caption();
    if (!caption.isEmpty()) {
        TRect t = r;
        OffsetRect(t, shift, shift);
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        DrawText(c, caption, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}

// ------------------------------------------------------------ TEsgEditButton

TEsgEditButton::TEsgEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    FButton = new TExSpeedButton(this);
    FButton->SetTransparent(false);
    FButton->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, Integer, Integer) { BtnMouseUp(b); };
    FButton->SetParent(this);
    SetBounds(0, 0, 20, 25);
}

TBitmap* TEsgEditButton::Glyph() const { return FButton->Glyph(); }
void TEsgEditButton::SetGlyph(const TBitmap* v) { FButton->SetGlyph(v); }
Integer TEsgEditButton::NumGlyphs() const { return FButton->NumGlyphs(); }
void TEsgEditButton::SetNumGlyphs(Integer v) { FButton->SetNumGlyphs(v); }
QString TEsgEditButton::ButtonCaption() const { return FButton->Caption(); }
void TEsgEditButton::SetButtonCaption(const QString& v) { FButton->SetCaption(v); }

void TEsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TEsgEditButton::SetFocusControl(TWinControl* v)
{
    if (FFocusControl != nullptr)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v != nullptr)
        v->FreeNotification(this);
}

void TEsgEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEsgEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FButton->SetBounds(0, 0, Width(), Height());
}

void TEsgEditButton::Loaded()
{
    TWinControl::Loaded();
    FButton->SetBounds(0, 0, Width(), Height());
}

void TEsgEditButton::BtnMouseUp(TMouseButton Button)
{
    // The release is the press: the click fires here, whatever the speed
    // button makes of it.
    if (Button != mbLeft)
        return;
    if (OnClick)
        OnClick(this);
    if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

// ------------------------------------------------------------ TEsgEditBtn

TEsgEditBtn::TEsgEditBtn(TComponent* AOwner) : TEmbeddedButtonEdit(AOwner)
{
    FButton = new TEsgEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject*) { ClickButton(); };
    SetText(QStringLiteral("0"));
    FControlStyle &= ~csSetCaption;
    ResizeMessage();
}

TEsgEditBtn::~TEsgEditBtn() = default;

void TEsgEditBtn::SetButtonWidth(Integer v)
{
    FButtonWidth = v;
    FButton->SetWidth(v);
    ResizeMessage();
}

TBitmap* TEsgEditBtn::Glyph() const { return FButton->Glyph(); }
void TEsgEditBtn::SetGlyph(const TBitmap* v) { FButton->SetGlyph(v); }
QString TEsgEditBtn::ButtonCaption() const { return FButton->ButtonCaption(); }
void TEsgEditBtn::SetButtonCaption(const QString& v) { FButton->SetButtonCaption(v); }

void TEsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->SetIsWinXP(v);
}

void TEsgEditBtn::SetRightAlign(bool v)
{
    if (v == FRightAlign)
        return;
    FRightAlign = v;
    SetAlignment(v ? taRightJustify : taLeftJustify);
    if (HandleAllocated())
        RecreateWnd();
}

void TEsgEditBtn::ClickButton()
{
    if (OnClickBtn)
        OnClickBtn(this);
}

void TEsgEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TEmbeddedButtonEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt))
        ClickButton();
}

void TEsgEditBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        if (!FEditorEnabled || (IsCutOrPasteChar(QChar(char16_t(Message.WParam))) && !ClipboardEditAllowed())) {
            Message.WParam = 0;
            return;
        }
        break;
    case CM_ENTER:
        if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0)
            SelectAll();
        break;
    default:
        break;
    }
    TEmbeddedButtonEdit::Dispatch(Message);
}

Integer TEsgEditBtn::GetMinHeight()
{
    Integer h = 0, sysH = 0;
    EditTextHeights(Font(), h, sysH);
    return h + std::min(h, sysH) / 4;
}

TRect TEsgEditBtn::EditRect()
{
    const Integer m = BorderStyle() == bsNone ? 3 : 1;
    return TRect(m, m, ClientWidth() - FButton->Width() - 5 - FUnitSize - (FUnitSize > 0 ? 3 : 0), ClientHeight() + 1);
}

// ------------------------------------------------------------ TEsgUnitEditBtn

TEsgUnitEditBtn::TEsgUnitEditBtn(TComponent* AOwner)
    : TEsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()), FCanvas(std::make_unique<TControlCanvas>(this))
{
    FUnitSize = 20;
    FRightAlign = true;
    SetAlignment(taRightJustify);
    ResizeMessage();
}

TEsgUnitEditBtn::~TEsgUnitEditBtn() = default;

TStrings* TEsgUnitEditBtn::Units() const
{
    return FUnits.get();
}

void TEsgUnitEditBtn::SetUnits(const TStrings* v)
{
    if (v != nullptr)
        FUnits->Assign(v);
}

void TEsgUnitEditBtn::SetUnitID(const QString& v)
{
    FUnitID = v;
    Invalidate();
}

void TEsgUnitEditBtn::SetUnitSpace(Integer v)
{
    FUnitSize = v;
    ResizeMessage();
    Invalidate();
}

void TEsgUnitEditBtn::SetTextAndUnit(const QString& S)
{
    for (Integer i = 0; i < FUnits->Count(); ++i) {
        const QString u = FUnits->Strings(i);
        const Integer p = Pos(u, S);
        if (p > 0 && p == Integer(S.size()) - Integer(u.size()) + 1) {
            SetText(S.left(p - 1));
            SetUnitID(u);
            return;
        }
    }
}

QString TEsgUnitEditBtn::GetTextAndUnit() const
{
    return Text() + FUnitID;
}

void TEsgUnitEditBtn::ClickButton()
{
    TEsgEditBtn::ClickButton();
    TPopupMenu menu(nullptr);
    for (Integer i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(FUnits->Strings(i));
        item->SetCommand(i + 1);
        menu.Items()->Add(item);
    }
    menu.SetPopupComponent(this);
    const TPoint at = ClientToScreen({ClientWidth() - 15, ClientHeight()});
    // The chosen unit reaches the edit as a menu command.
    if (const Integer id = menu.Track(at.X, at.Y))
        Perform(WM_COMMAND, MAKEWPARAM(Word(id), 0));
}

void TEsgUnitEditBtn::PaintUnit()
{
    TCanvas* c = FCanvas.get();
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    const Integer edge = EditClientEdge(BorderStyle(), Ctl3D());
    const Integer cw = ClientWidth() - 2 * edge, ch = ClientHeight() - 2 * edge;
    const Integer bw = Button()->Width();
    TRect r(cw - bw - 3 - FUnitSize, 2, cw - bw - 3, ch);
    OffsetRect(r, edge, edge);
    DrawText(c, FUnitID, r, DT_EDITCONTROL);
}

void TEsgUnitEditBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        TEsgEditBtn::Dispatch(Message);
        PaintUnit();
        return;
    case WM_COMMAND: {
        const Integer id = LOWORD(Message.WParam);
        if (HIWORD(Message.WParam) != EN_CHANGE && id >= 1 && id <= FUnits->Count()) {
            const QString old = FUnitID;
            SetUnitID(FUnits->Strings(id - 1));
            if (FUnitID != old && OnUnitChanged)
                OnUnitChanged(this, FUnitID);
            return;
        }
        break;
    }
    default:
        break;
    }
    TEsgEditBtn::Dispatch(Message);
}
