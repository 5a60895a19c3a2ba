// The dropdown edit: construction, properties, label, border and the popup
// and dialog keys. The popup side is in ExDropDownPopup.cpp, the typed value
// in ExDropDownText.cpp, styles in ExDropDownStyle.cpp.
#include "grid/dropdown/ExDropDown.h"

#include "controls/EditWithButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ControlCanvas.h"
#include "platform/DrawText.h"
#include "platform/StdControls.h"

namespace {

constexpr Integer VersionMajor = 1, VersionMinor = 2, VersionRelease = 1, VersionBuild = 4;

TCustomForm* NearestForm(const TControl* Control)
{
    for (TWinControl* p = Control->Parent(); p != nullptr; p = p->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(p))
            return f;
    return nullptr;
}

} // namespace

// ------------------------------------------------------------ construction

TExCustomDropDown::TExCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), TLabelledControl(this), FWindowCanvas(std::make_unique<TControlCanvas>(this))
{
    FLabel.SetMargin(0);
    FLabel.OnCreated = [this](TLabel* Label) {
        Label->OnClick = [this](TObject*) { DoLabelClick(); };
        Label->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    };
    // A multi-line edit window wants Enter and Esc itself.
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    SetBounds(Left(), Top(), 200, 21);
    FButtonWidth = 17;
    if (!HasState(csDesigning))
        CreateDropDownForm();
    FButton = nullptr;
    CreateDropDownButton();
    FControlStyle &= ~csSetCaption;
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetText(QString());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;
    FDropDownHeader = std::make_unique<THeaderAppearance>(this);
    FDropDownHeader->OnChange = [this](TObject*) { HeaderChanged(); };
    FDropDownHeader->OnButtonsChanged = [this](TObject*) { HeaderChanged(); };
    FDropDownFooter = std::make_unique<TFooterAppearance>(this);
    FDropDownFooter->OnChange = [this](TObject*) { FooterChanged(); };
    FDropDownFooter->OnButtonsChanged = [this](TObject*) { FooterChanged(); };
    FButtonAppearance = std::make_unique<TExButtonAppearance>();
    FDefaultHandling = true;
    FIsWinXP = IsWinXPOrLater();
    FIsThemed = HasComCtl6();
    FCanUndo = true;
    FAutoThousandSeparator = true;
    SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    SetComponentStyle(tsOffice2007Luna);
    ResizeControl();
}

TExCustomDropDown::~TExCustomDropDown()
{
    Destroying();
    FLabel.Free();
    // The popup goes first: hiding it must not reach a half-destroyed edit.
    if (FDropDownForm != nullptr) {
        FDropDownForm->OnHide = nullptr;
        FDropDownForm->FExDropDown = nullptr;
        delete FDropDownForm;
        FDropDownForm = nullptr;
    }
    delete FButton;
    FButton = nullptr;
    FWindowCanvas.reset();
}

Integer TExCustomDropDown::GetVersionNr() const
{
    return (VersionMajor << 24) | (VersionMinor << 16) | (VersionRelease << 8) | VersionBuild;
}

QString TExCustomDropDown::Version() const
{
    const Integer v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg((v >> 24) & 0xFF).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TExCustomDropDown::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TExCustomDropDown::CreateWnd()
{
    TCustomMaskEdit::CreateWnd();
    SetEditFrame(this, FBorderStyle != bsNone);
    ResizeControl();
}

void TExCustomDropDown::DoEnter()
{
    TCustomMaskEdit::DoEnter();
    SetEditRect();
}

void TExCustomDropDown::Loaded()
{
    TCustomMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    ResizeControl();
    if (FButton != nullptr)
        FButton->SetEnabled(Enabled());
    FLabel.FollowEnabled();
    FLabel.FollowParentFont();
}

void TExCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // References to components that go are dropped even while this edit goes.
    FLabel.Forget(AComponent);
    if (AComponent == FFocusControl)
        FFocusControl = nullptr;
    if (AComponent == FControl) {
        if (HasState(csDestroying))
            FControl = nullptr;
        else
            SetControl(nullptr);
    }
    if (HasState(csDestroying))
        return;
    if (AComponent == reinterpret_cast<TComponent*>(FImages)) {
        SetImages(nullptr);
        Invalidate();
    }
}

// ------------------------------------------------------------ properties

void TExCustomDropDown::SetDropDownWidth(Integer Value)
{
    if (Value != FDropDownWidth)
        FUserDropDownWidth = -1;
    FDropDownWidth = Value;
}

void TExCustomDropDown::SetDropDownHeight(Integer Value)
{
    if (Value != FDropDownHeight)
        FUserDropDownHeight = -1;
    FDropDownHeight = Value;
}

void TExCustomDropDown::SetDropDownButtonWidth(Integer Value)
{
    if (FButton == nullptr || Value == FButtonWidth)
        return;
    FButtonWidth = Value;
    FButton->SetButtonWidth(Value);
    if (FButton->HandleAllocated())
        ResizeControl();
}

void TExCustomDropDown::SetDropDownButtonHint(const QString& Value)
{
    if (Value == FButtonHint)
        return;
    FButtonHint = Value;
    if (FButton != nullptr) {
        FButton->SetHint(Value);
        FButton->SetShowHint(!Value.isEmpty());
    }
}

TBitmap* TExCustomDropDown::DropDownButtonGlyph() const
{
    return FButton != nullptr ? FButton->Glyph() : nullptr;
}

void TExCustomDropDown::SetDropDownButtonGlyph(const TBitmap* Value)
{
    if (FButton != nullptr)
        FButton->SetGlyph(Value);
}

void TExCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    if (Value)
        FControlStyle |= csDoubleClicks;
    else
        FControlStyle &= ~csDoubleClicks;
}

void TExCustomDropDown::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    Invalidate();
    if (FButton != nullptr)
        FButton->Invalidate();
}

void TExCustomDropDown::SetDisabledBorder(bool Value)
{
    if (Value == FDisabledBorder)
        return;
    FDisabledBorder = Value;
    Invalidate();
}

void TExCustomDropDown::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    SetEditFrame(this, Value != bsNone);
    ResizeControl();
}

void TExCustomDropDown::SetCtl3D(bool Value)
{
    FCtl3D = Value;
    ResizeControl();
}

void TExCustomDropDown::SetFocusControl(TWinControl* Value)
{
    if (Value != FFocusControl)
        Relink(FFocusControl, Value);
}

void TExCustomDropDown::SetControl(TControl* Value)
{
    if (Value == FControl)
        return;
    Relink(FControl, Value);
    if (!HasState(csDesigning))
        AttachDropDownControl();
}

void TExCustomDropDown::HeaderChanged()
{
    if (FDropDownForm != nullptr && FDroppedDown)
        FDropDownForm->InitializeAndUpdate();
}

void TExCustomDropDown::FooterChanged()
{
    HeaderChanged();
}

void TExCustomDropDown::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExCustomDropDown*>(Source);
    if (s == nullptr)
        return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    SetDropDownColor(s->FDropDownColor);
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    SetDropDownWidth(s->FDropDownWidth);
    SetDropDownHeight(s->FDropDownHeight);
    FDropDownSizeable = s->FDropDownSizeable;
    FEditType = s->FEditType;
    FReturnIsTab = s->FReturnIsTab;
    FLengthLimit = s->FLengthLimit;
    FPrecision = s->FPrecision;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FDefaultHandling = s->FDefaultHandling;
    FCanUndo = s->FCanUndo;
    FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
    FValidChars = s->FValidChars;
    FSigned = s->FSigned;
    FAutoThousandSeparator = s->FAutoThousandSeparator;
    FButtonAppearance->Assign(s->FButtonAppearance.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    SetDropPosition(s->FDropPosition);
    FFlat = s->FFlat;
    SetDropDownButtonWidth(s->FButtonWidth);
    SetDropDownButtonHint(s->FButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    if (FButton != nullptr && s->FButton != nullptr) {
        FButton->SetGlyph(s->FButton->Glyph());
        FButton->SetButtonCaption(s->FButton->ButtonCaption());
    }
    FEtched = s->FEtched;
    FImages = s->FImages;
    FSelectionColorStyle = s->FSelectionColorStyle;
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}

// ------------------------------------------------------------ size and layout

Integer TExCustomDropDown::GetMinHeight() const
{
    Integer h = 0, system = 0;
    EditTextHeights(Font(), h, system);
    return h + std::min(h, system) / 4;
}

void TExCustomDropDown::SetEditRect()
{
    if (!HandleAllocated())
        return;
    TRect r;
    Perform(EM_GETRECT, 0, LPARAM(&r));
    r.Bottom = ClientHeight() + 1;
    r.Right = ClientWidth() - FButtonWidth - 3;
    if (FBorderStyle != bsNone) {
        r.Top = 1;
        r.Left = 1;
    } else {
        r.Top = 3;
        r.Left = 2;
    }
    FEditRect = r;
    if (!FCtl3D)
        ++r.Left;
    Perform(EM_SETRECTNP, 0, LPARAM(&r));
}

void TExCustomDropDown::ResizeControl()
{
    if (FResizing)
        return;
    const Integer minHeight = GetMinHeight();
    if (Height() < minHeight) {
        SetHeight(minHeight);
        Invalidate();
        return;
    }
    if (FButton != nullptr) {
        FResizing = true;
        const Integer d = FFlat ? 3 : (FBorderStyle == bsNone ? 2 : 4);
        const Integer c = FCtl3D ? 0 : 2;
        if (FCtl3D && FBorderStyle == bsSingle)
            FButton->SetBounds(Width() - FButtonWidth - d - c, FFlat ? 2 : 0, FButtonWidth, Height() - d);
        else
            FButton->SetBounds(Width() - FButtonWidth - c, 1, FButtonWidth, Height() - 2);
        FResizing = false;
        SetEditRect();
    }
    Invalidate();
}

void TExCustomDropDown::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel.Label() != nullptr && FLabel.Label()->Parent() != nullptr)
        FLabel.Update();
}

// ------------------------------------------------------------ label

void TExCustomDropDown::SetParent(TWinControl* AParent)
{
    TCustomMaskEdit::SetParent(AParent);
    FLabel.FollowParent();
}

void TExCustomDropDown::DoLabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TExCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

// ------------------------------------------------------------ border

bool TExCustomDropDown::IsHot() const
{
    if (HasState(csDesigning))
        return false;
    return FMouseInControl || Screen->ActiveControl() == this;
}

bool TExCustomDropDown::IsButtonFocused() const
{
    if (HasState(csDesigning))
        return Enabled();
    return IsHot();
}

void TExCustomDropDown::RepaintBorder()
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone)
        return;
    // The frame lies over the edit's own face: drawn while the edit paints.
    if (FPainting)
        DrawBorder(FWindowCanvas.get());
    else
        Invalidate();
    if (FButton != nullptr && FButton->SpeedButton() != nullptr)
        FButton->SpeedButton()->SetFocused(IsButtonFocused());
}

void TExCustomDropDown::DrawBorder(TCanvas* Canvas)
{
    if (HasState(csDesigning))
        return;
    TRect r(0, 0, Width(), Height());
    auto frame = [Canvas](const TRect& R, TColor Color) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FrameRect(R);
    };
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        frame(r, 0xC0C0C0);
        return;
    }
    const bool focused = Focused();
    if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone)) {
        frame(r, FBorderColor);
        return;
    }
    if (FFocusBorderColor != clNone) {
        if (focused)
            frame(r, FFocusBorderColor);
        return;
    }
    const bool hot = IsHot();
    const TColor c = hot ? clBtnFace : (Parent() != nullptr ? Parent()->Color() : clBtnFace);
    if (hot) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(r, c);
    } else {
        frame(r, c);
        InflateRect(r, -1, -1);
        frame(r, c);
    }
}

TCanvas* TExCustomDropDown::PaintCanvas() const
{
    return FPainting ? FWindowCanvas.get() : nullptr;
}

void TExCustomDropDown::PaintFocusedText()
{
    if (FEditorEnabled || !Focused() || HasState(csDesigning) || !FFocusDraw)
        return;
    if (!FPainting) {
        Invalidate();
        return;
    }
    TCanvas* c = FWindowCanvas.get();
    TRect r(2, 2, Width() - FButtonWidth - 1, Height() - 2);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clHighlight);
    c->Rectangle(r);
    r.Left += 2;
    r.Right -= 3;
    c->Font()->Assign(Font());
    c->Font()->SetColor(clHighlightText);
    c->Brush()->SetStyle(bsClear);
    DrawText(c, GetText(), r, DT_SINGLELINE | DT_VCENTER);
}

// ------------------------------------------------------------ messages

void TExCustomDropDown::WndProc(TMessage& Message)
{
    TCustomMaskEdit::WndProc(Message);
    if (Message.Msg == EM_SETREADONLY && FButton != nullptr)
        FButton->Invalidate();
}

void TExCustomDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TExCustomDropDown::KeyPress(QChar& Key)
{
    TCustomMaskEdit::KeyPress(Key);
    if (Key == u'\r')
        Key = QChar(0);
}

bool TExCustomDropDown::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    const bool handled = TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (WheelDelta < 0)
        HandleMouseWheelDown();
    else
        HandleMouseWheelUp();
    return handled;
}

void TExCustomDropDown::CMWantSpecialKey(TMessage& Message)
{
    TCustomForm* form = NearestForm(this);
    if (form == nullptr)
        return;
    const Word key = Word(Message.WParam);
    if (key == VK_ESCAPE && FCanUndo && !form->KeyPreview()) {
        SelectAll();
        SetModified(false);
        Message.WParam = 0;
        Message.Result = 0;
        if (Parent() != nullptr && FDefaultHandling) {
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE);
        }
    }
    if (key == VK_RETURN && FDefaultHandling && !form->KeyPreview() && Parent() != nullptr && Parent()->Focused()) {
        PostMessage(Parent(), WM_KEYDOWN, VK_RETURN);
        PostMessage(Parent(), WM_KEYUP, VK_RETURN);
    }
    TCustomMaskEdit::Dispatch(Message);
    if (key == VK_ESCAPE && FDroppedDown)
        Message.Result = 1;
}

void TExCustomDropDown::WMSetFocus(TMessage& Message)
{
    if (HasState(csLoading))
        return;
    TCustomMaskEdit::Dispatch(Message);
    if (FEditorEnabled) {
        FOldString = GetText();
        if (AutoSelect())
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    } else {
        Invalidate();
    }
}

void TExCustomDropDown::PopupKey(Word Key)
{
    if (Key == VK_RETURN)
        DoHideDropDown(false);
    else if (Key == VK_ESCAPE)
        DoHideDropDown(true);
    else if (Key == VK_F4) {
        if (FDropDownForm != nullptr && FDropDownForm->Visible())
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TExCustomDropDown::KeyDownMessage(TMessage& Message)
{
    if (HasState(csDesigning))
        return;
    Word key = Word(Message.WParam);
    if (key == VK_DECIMAL)
        FKeypadDecimal = true;
    if (GetKeyState(VK_MENU) < 0 && (key == VK_UP || key == VK_DOWN)) {
        // The toggle is the whole of this key.
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
        return;
    }
    if (!FEditorEnabled) {
        if (!Enabled())
            return;
        if (!ReadOnly())
            PopupKey(key);
        if (key == VK_RETURN || key == VK_ESCAPE)
            TCustomMaskEdit::Dispatch(Message);
        return;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    bool turnedToTab = false;
    if (key == VK_RETURN && FReturnIsTab) {
        key = VK_TAB;
        Message.WParam = VK_TAB;
        turnedToTab = true;
        // The Tab goes the way a typed one goes: to the form's focus walk.
        if (Visible())
            PostMessage(this, CN_KEYDOWN, VK_TAB);
    }
    if (!ValueKeyRules(Message))
        return;
    key = Word(Message.WParam);
    TCustomMaskEdit::Dispatch(Message);
    if (key == VK_DELETE && FEditType == etMoney)
        FormatMoney();
    if (!FPrefix.isEmpty() && SelStart() < FPrefix.size())
        SetSelStart(Integer(FPrefix.size()));
    if (!turnedToTab)
        PopupKey(key);
}

void TExCustomDropDown::CharMessage(TMessage& Message)
{
    if (!FEditorEnabled) {
        Message.WParam = 0;
        return;
    }
    const QChar ch(char16_t(Message.WParam));
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ch == u'\r' && ctrl) {
        Message.WParam = 0;
        Message.Result = 1;
        return;
    }
    if (ch == u'\r') {
        QChar copy = ch;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        Message.WParam = 0;
        if (!FDefaultHandling && Parent() != nullptr) {
            PostMessage(Parent(), WM_KEYDOWN, VK_RETURN);
            TCustomForm* form = NearestForm(this);
            if (form != nullptr && form->KeyPreview())
                TCustomMaskEdit::Dispatch(Message);
            else
                PostMessage(Parent(), WM_KEYUP, VK_RETURN);
        }
        return;
    }
    if (ch == QChar(0x1B)) {
        if (!FDefaultHandling && Parent() != nullptr) {
            TCustomForm* form = NearestForm(this);
            if (form != nullptr && form->KeyPreview()) {
                TCustomMaskEdit::Dispatch(Message);
                return;
            }
            PostMessage(Parent(), WM_KEYDOWN, VK_ESCAPE);
            PostMessage(Parent(), WM_KEYUP, VK_ESCAPE);
        }
        // Esc types nothing; without undo the edit's own handling gets it.
        if (!FCanUndo)
            TCustomMaskEdit::Dispatch(Message);
        return;
    }
    if (ch == QChar(3) || ch == QChar(22) || ch == QChar(24)) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    ValueCharRules(Message);
}

void TExCustomDropDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: CharMessage(Message); return;
    case WM_KEYDOWN: KeyDownMessage(Message); return;
    case WM_SIZE:
        TCustomMaskEdit::Dispatch(Message);
        ResizeControl();
        return;
    case WM_CUT: CutMessage(Message); return;
    case WM_COPY: CopyMessage(Message); return;
    case WM_PASTE: PasteMessage(Message); return;
    case WM_KILLFOCUS: KillFocusMessage(Message); return;
    case WM_LBUTTONDOWN: LeftButtonDown(Message); return;
    case WM_LBUTTONUP: LeftButtonUp(Message); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case CM_VISIBLECHANGED:
        TCustomMaskEdit::Dispatch(Message);
        if (!FLabel.Caption().isEmpty())
            FLabel.FollowVisible();
        return;
    case CM_ENABLEDCHANGED:
        TCustomMaskEdit::Dispatch(Message);
        if (FButton != nullptr)
            FButton->SetEnabled(Enabled());
        return;
    case CM_ENTER:
        if (AutoSelect() && !(ControlState() & csLButtonDown))
            SelectAll();
        TCustomMaskEdit::Dispatch(Message);
        RepaintBorder();
        return;
    case CM_EXIT:
        TCustomMaskEdit::Dispatch(Message);
        RepaintBorder();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TCustomMaskEdit::Dispatch(Message);
        if (Enabled() && Message.LParam == LPARAM(this)) {
            const bool inside = Message.Msg == CM_MOUSEENTER;
            if (inside != FMouseInControl) {
                FMouseInControl = inside;
                RepaintBorder();
            }
        }
        return;
    case CM_FONTCHANGED:
        TCustomMaskEdit::Dispatch(Message);
        SetEditRect();
        return;
    case CM_PARENTFONTCHANGED:
        TCustomMaskEdit::Dispatch(Message);
        FLabel.FollowParentFont();
        return;
    case WM_PAINT:
        TCustomMaskEdit::Dispatch(Message);
        FWindowCanvas->EndDrawNow();
        FPainting = true;
        PaintFocusedText();
        if (FBorderColor != clNone || FFocusBorderColor != clNone || (!Enabled() && FDisabledBorder))
            RepaintBorder();
        FPainting = false;
        return;
    default:
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
}
