// Header and footer bars of the dropdown popup and their buttons.
#include "grid/dropdown/ExDropDownBars.h"

#include "grid/EsgHTMLE.h"
#include "grid/dropdown/ExDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/ImageList.h"
#include "platform/Timer.h"

// ------------------------------------------------------------ button items

THeaderButton::THeaderButton(TCollection* Collection) : TCollectionItem(Collection)
{
}

void THeaderButton::NotifyCollection()
{
    if (auto* c = dynamic_cast<TBarButtons*>(Collection()))
        c->ItemChanged();
}

void THeaderButton::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    NotifyCollection();
}

void THeaderButton::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    NotifyCollection();
}

void THeaderButton::SetWidth(Integer Value)
{
    if (Value == FWidth)
        return;
    FWidth = Value;
    NotifyCollection();
}

void THeaderButton::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THeaderButton*>(Source);
    if (s == nullptr || typeid(*s) != typeid(*this)) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FImageIndex = s->FImageIndex;
    FEnabled = s->FEnabled;
    FWidth = s->FWidth;
    FHeight = s->FHeight;
}

void TFooterButton::Assign(const TPersistent* Source)
{
    THeaderButton::Assign(Source);
    if (const auto* s = dynamic_cast<const TFooterButton*>(Source))
        FModalResult = s->FModalResult;
}

THeaderButtons::THeaderButtons(TPersistent* AOwner)
    : TBarButtons(AOwner, [](TCollection* c) { return new THeaderButton(c); })
{
}

TFooterButtons::TFooterButtons(TPersistent* AOwner)
    : TBarButtons(AOwner, [](TCollection* c) { return new TFooterButton(c); })
{
}

// ------------------------------------------------------------ appearances

TBarAppearance::TBarAppearance(TPersistent* AOwner, std::unique_ptr<TBarButtons> Buttons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(Buttons))
{
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged)
            OnButtonsChanged(this);
    };
}

TBarAppearance::~TBarAppearance()
{
    FButtons->OnChange = nullptr;
}

void TBarAppearance::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TBarAppearance::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    if (OnChange)
        OnChange(this);
}

void TBarAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TBarAppearance*>(Source);
    if (s == nullptr || typeid(*s) != typeid(*this))
        return;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FCaption = s->FCaption;
    FFont->Assign(s->FFont.get());
    FGradientDirection = s->FGradientDirection;
    FHeight = s->FHeight;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FImageIndex = s->FImageIndex;
    FButtonAlignment = s->FButtonAlignment;
    AssignExtra(s);
    SetVisible(s->FVisible);
    FButtons->Assign(s->FButtons.get());
}

void TBarAppearance::AssignColors(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TBarAppearance*>(Source);
    if (s == nullptr || typeid(*s) != typeid(*this))
        return;
    FColorTo = s->FColorTo;
    FColor = s->FColor;
    FBorderColor = s->FBorderColor;
    FFont->Assign(s->FFont.get());
    FGradientDirection = s->FGradientDirection;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TBarAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner))
{
    Font()->SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::SetButtons(const THeaderButtons* Value)
{
    Buttons()->Assign(Value);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TBarAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner))
{
}

void TFooterAppearance::SetButtons(const TFooterButtons* Value)
{
    Buttons()->Assign(Value);
}

void TFooterAppearance::AssignExtra(const TBarAppearance* Source)
{
    FSizeGrip = static_cast<const TFooterAppearance*>(Source)->FSizeGrip;
}

TExButtonAppearance::TExButtonAppearance() : FFont(std::make_unique<TFont>())
{
    FColorChecked = AdjustColor(0xF5F0E1, -10, -10, 0);
    FColorCheckedTo = AdjustColor(0xF9D2B2, -10, -10, 0);
    FFont->SetName(QStringLiteral("Tahoma"));
}

TExButtonAppearance::~TExButtonAppearance() = default;

void TExButtonAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TExButtonAppearance::SetColorField(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TExButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (Value == FGradient)
        return;
    FGradient = Value;
    Changed();
}

void TExButtonAppearance::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TExButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExButtonAppearance*>(Source);
    if (s == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetGradient(s->FGradient);
}

// ------------------------------------------------------------ TBoundedList

void TBoundedList::AssignList(const TList* ListA)
{
    Clear();
    if (ListA == nullptr)
        return;
    for (Integer i = 0; i < ListA->Count(); ++i)
        Add(ListA->Items(i));
}

void* TBoundedList::ItemsEx(Integer Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Index out of bounds in list read access"));
    return Items(Index);
}

void TBoundedList::SetItemsEx(Integer Index, void* Item)
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("Index out of bounds in list write access"));
    SetItems(Index, Item);
}

// ------------------------------------------------------------ TExButton

TExButton::TExButton(TComponent* AOwner) : TCustomControl(AOwner), FUnHotTimer(std::make_unique<TTimer>(nullptr))
{
    SetBounds(0, 0, 22, 23);
    FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    SetParentFont(true);
    Font()->SetName(QStringLiteral("Tahoma"));
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject*) { UnHotTimerTick(); };
    SetShowHint(false);
    SetDoubleBuffered(true);
}

TExButton::~TExButton()
{
    FUnHotTimer->OnTimer = nullptr;
}

void TExButton::Loaded()
{
    TCustomControl::Loaded();
    if (FInitialDown != FDown)
        SetDown(FInitialDown);
}

void TExButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
}

bool TExButton::InsideClient(Integer X, Integer Y) const
{
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
}

void TExButton::Paint()
{
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = absDown;
    TCanvas* c = Canvas();
    // The bar shows wherever the button paints nothing.
    if (auto* bar = dynamic_cast<TDropDownBar*>(Parent())) {
        const Integer saved = c->SaveDC();
        c->SetWindowOrg({Left(), Top()});
        bar->PaintBar(c);
        c->RestoreDC(saved);
    }
    DrawButton(c);
}

void TExButton::DrawButton(TCanvas* Canvas)
{
    if (FAppearance == nullptr)
        return;
    const TExButtonAppearance* a = FAppearance;
    TColor from = a->Color(), to = a->ColorTo(), border = a->BorderColor();
    if (FState == absDisabled || !Enabled()) {
        from = a->ColorDisabled();
        to = a->ColorDisabledTo();
        border = a->BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = to = a->ColorDown();
        border = a->BorderColorDown();
    } else if (FDown) {
        from = to = a->ColorChecked();
        border = a->BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        from = to = a->ColorHot();
        border = a->BorderColorHot();
    }
    const TRect r = ClientRect();
    DrawRectBackground(Canvas, r, from, to, border, 1, a->Gradient());
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->Assign(a->Font());
    DrawImageAndText(Canvas, r, Caption(), FImages, FImageIndex);
}

void TExButton::AutoSizeButton()
{
    if (FAppearance == nullptr)
        return;
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(FAppearance->Font());
    TSize s = GetTextSize(measure.Canvas(), Caption());
    if (FImages != nullptr && FImageIndex >= 0) {
        s.cx = std::max(s.cx, FImages->Width());
        s.cy = std::max(s.cy, FImages->Height());
    }
    SetBounds(Left(), Top(), s.cx + 8, s.cy + 4);
}

void TExButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || HasState(csDesigning))
        return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TExButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (HasState(csDesigning))
        return;
    if (FDragging) {
        TExButtonState s = FDown ? absExclusive : (InsideClient(X, Y) ? absDown : absUp);
        if (FStyle == tasCheck && FDown)
            s = absDown;
        if (s != FState) {
            FState = s;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TExButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (HasState(csDesigning))
        return;
    FMouseDownInControl = false;
    Invalidate();
    if (FDragging) {
        FDragging = false;
        const bool inside = InsideClient(X, Y);
        if (FGroupIndex != 0) {
            if (inside) {
                SetDown(!FDown);
                if (FDown)
                    Repaint();
            } else if (FDown) {
                FState = absExclusive;
                Repaint();
            }
        } else {
            FState = absUp;
            FMouseInControl = false;
            FHot = false;
            if (FStyle == tasCheck) {
                FDown = !FDown;
                FState = absUp;
            }
            if (inside && FState != absDown && FState != absExclusive)
                Invalidate();
        }
    }
    UpdateTracking();
}

void TExButton::UpdateTracking()
{
    if (!Enabled())
        return;
    const TPoint p = GetCursorPos();
    const TPoint local = ScreenToClient(p);
    const bool over = Showing() && InsideClient(local.X, local.Y);
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, LPARAM(this));
}

void TExButton::UnHotTimerTick()
{
    const TPoint local = ScreenToClient(GetCursorPos());
    if (InsideClient(local.X, local.Y))
        return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled())
        Invalidate();
}

void TExButton::SetDown(bool Value)
{
    if (HasState(csLoading)) {
        FInitialDown = Value;
        return;
    }
    if (FGroupIndex == 0 && FStyle == tasButton)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == absUp)
            Invalidate();
        FState = absExclusive;
        UpdateExclusive();
    } else {
        FState = absUp;
        Repaint();
    }
}

void TExButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Parent() == nullptr)
        return;
    TMessage m{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(this), 0};
    Parent()->Broadcast(m);
}

void TExButton::Click()
{
    if (TCustomForm* form = GetParentForm(); form != nullptr)
        form->SetModalResult(FModalResult);
    if (FExDropDown != nullptr) {
        switch (FModalResult) {
        case 1: case 3: case 6: case 12: case 14:
        case 2: case 5: case 7: case 13: {
            const bool cancel = FModalResult == 2 || FModalResult == 3 || FModalResult == 5 || FModalResult == 7 ||
                                FModalResult == 13;
            FExDropDown->DoHideDropDown(cancel);
            break;
        }
        default: break;
        }
    }
    if (!FInternalClick)
        TCustomControl::Click();
}

void TExButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TCustomControl::Dispatch(Message);
        if (Message.LParam == LPARAM(this) && !HasState(csDesigning)) {
            FMouseInControl = true;
            if (Enabled())
                Invalidate();
            FUnHotTimer->SetEnabled(true);
            if (OnMouseEnter)
                OnMouseEnter(this);
        }
        return;
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(Message);
        if (Message.LParam == LPARAM(this) && !HasState(csDesigning)) {
            FUnHotTimer->SetEnabled(false);
            FMouseInControl = false;
            FHot = false;
            if (Enabled())
                Invalidate();
            if (OnMouseLeave)
                OnMouseLeave(this);
        }
        return;
    case CM_BUTTONPRESSED: {
        auto* sender = reinterpret_cast<TExButton*>(Message.LParam);
        if (Integer(Message.WParam) == FGroupIndex && sender != this && sender != nullptr) {
            if (sender->FDown && FDown) {
                FDown = false;
                FState = absUp;
                Invalidate();
            }
            FAllowAllUp = sender->FAllowAllUp;
        }
        return;
    }
    case WM_KEYDOWN:
        if (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) {
            if (Enabled()) {
                FState = absDown;
                Invalidate();
                FInternalClick = true;
                Click();
                FInternalClick = false;
            }
        }
        TCustomControl::Dispatch(Message);
        return;
    case CM_DIALOGCHAR:
        if (Enabled() && IsAccel(QChar(char16_t(Message.WParam)), Caption())) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::Dispatch(Message);
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        TCustomControl::Dispatch(Message);
        return;
    case CM_ENABLEDCHANGED:
    case CM_FOCUSCHANGED:
        TCustomControl::Dispatch(Message);
        Invalidate();
        return;
    default:
        TCustomControl::Dispatch(Message);
        return;
    }
}

// ------------------------------------------------------------ bars

TDropDownBar::TDropDownBar(TComponent* AOwner, std::unique_ptr<TBarAppearance> Appearance, bool Footer)
    : TCustomControl(AOwner), FAppearance(std::move(Appearance)), FButtonList(std::make_unique<TBoundedList>()),
      FFooter(Footer)
{
    FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FControlStyle = csAcceptsControls | csClickEvents | csDoubleClicks | (Footer ? csCaptureMouse : 0);
    SetDoubleBuffered(true);
}

TDropDownBar::~TDropDownBar()
{
    FAppearance->OnChange = nullptr;
}

void TDropDownBar::AppearanceChanged()
{
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

void TDropDownBar::SetExDropDown(TExCustomDropDown* Value)
{
    FExDropDown = Value;
    if (Value != nullptr) {
        FImages = Value->Images();
        FAppearance->Assign(DropDownAppearance());
    } else {
        FImages = nullptr;
    }
    Invalidate();
}

void TDropDownBar::InitButtons()
{
    if (FExDropDown != nullptr)
        CreateButtons();
}

void TDropDownBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
}

void TDropDownBar::ClearButtons()
{
    for (Integer i = FButtonList->Count() - 1; i >= 0; --i)
        delete static_cast<TExButton*>(FButtonList->Items(i));
    FButtonList->Clear();
}

void TDropDownBar::CreateButtons()
{
    if (FExDropDown == nullptr)
        return;
    const TBarButtons* items = DropDownAppearance()->BarButtons();
    if (items == nullptr)
        return;
    ClearButtons();
    const Integer maxH = GetButtonArea().Height();
    for (Integer i = 0; i < items->Count(); ++i) {
        const auto* item = items->ItemsAs<THeaderButton>(i);
        auto* b = new TExButton(this);
        b->SetParent(this);
        if (FFooter)
            b->SetExDropDown(FExDropDown);
        b->SetAppearance(FExDropDown->ButtonAppearance());
        b->SetCaption(item->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(item->ImageIndex());
        b->SetEnabled(item->Enabled());
        if (const auto* f = dynamic_cast<const TFooterButton*>(item))
            b->SetModalResult(f->ModalResult());
        b->AutoSizeButton();
        if (item->Width() > 0)
            b->SetWidth(item->Width());
        if (item->Height() > 0)
            b->SetHeight(item->Height());
        if (b->Height() > maxH)
            b->SetHeight(maxH);
        b->SetTag(i);
        b->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        FButtonList->Add(b);
    }
    ArrangeButtons();
}

void TDropDownBar::UpdateButtons()
{
    if (FExDropDown == nullptr)
        return;
    const TBarButtons* items = DropDownAppearance()->BarButtons();
    for (Integer i = 0; i < FButtonList->Count(); ++i) {
        auto* b = static_cast<TExButton*>(FButtonList->Items(i));
        b->SetAppearance(FExDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (items != nullptr && i < items->Count()) {
            const auto* item = items->ItemsAs<THeaderButton>(i);
            b->SetCaption(item->Caption());
            b->SetImageIndex(item->ImageIndex());
            b->SetEnabled(item->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

TRect TDropDownBar::GetButtonArea() const
{
    const TRect r = ClientRect();
    return {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3};
}

void TDropDownBar::ArrangeButtons()
{
    if (FButtonList->Count() == 0)
        return;
    const TRect a = GetButtonArea();
    Integer x = FAppearance->ButtonAlignment() == baRight ? a.Right : a.Left;
    for (Integer i = 0; i < FButtonList->Count(); ++i) {
        auto* b = static_cast<TExButton*>(FButtonList->Items(i));
        const Integer top = std::max(a.Top, (a.Bottom - b->Height()) / 2);
        if (FAppearance->ButtonAlignment() == baRight) {
            b->SetBounds(x - b->Width(), top, b->Width(), b->Height());
            x = b->Left();
        } else {
            b->SetBounds(x, top, b->Width(), b->Height());
            x += b->Width();
        }
    }
}

TRect TDropDownBar::GetCaptionLimit() const
{
    if (FButtonList->Count() == 0)
        return {-1, -1, -1, -1};
    TRect r = GetButtonArea();
    r.Right = static_cast<TExButton*>(FButtonList->Items(FButtonList->Count() - 1))->Left() - 2;
    return r;
}

void TDropDownBar::ButtonClick(TObject* Sender)
{
    if (auto* b = dynamic_cast<TExButton*>(Sender))
        FireButtonClick(b->Tag());
}

void TDropDownBar::Paint()
{
    PaintBar(Canvas());
}

void TDropDownBar::PaintBar(TCanvas* Canvas)
{
    const TRect R = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas, R);
        return;
    }
    const TBarAppearance* a = FAppearance.get();
    if (a->ColorTo() == clNone) {
        if (a->Color() != clNone) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(a->Color());
            Canvas->FillRect(R);
        }
    } else {
        DrawDropDownGradient(Canvas, a->Color(), a->ColorTo(), 80, R, a->GradientDirection() == gdHorizontal);
    }
    if (a->BorderColor() != clNone && a->BorderWidth() > 0) {
        TPen* pen = Canvas->Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(a->BorderWidth());
        pen->SetColor(a->BorderColor());
        const bool ownBorder = FExDropDown == nullptr || FExDropDown->DropDownBorderWidth() <= 0 ||
                               FExDropDown->DropDownBorderColor() == clNone;
        if (!FFooter) {
            Canvas->MoveTo(R.Left, R.Bottom - 1);
            Canvas->LineTo(R.Right, R.Bottom - 1);
            if (ownBorder)
                Canvas->Polyline({{R.Left, R.Bottom - 1}, {R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom - 1}});
        } else {
            Canvas->MoveTo(R.Left, R.Top);
            Canvas->LineTo(R.Right, R.Top);
            if (ownBorder)
                Canvas->Polyline({{R.Left, R.Top}, {R.Left, R.Bottom}, {R.Right, R.Bottom}, {R.Right, R.Top}});
        }
        pen->SetWidth(1);
        pen->SetColor(BlendColor(a->BorderColor(), clWhite, 20));
        Canvas->Brush()->SetStyle(bsClear);
        if (!FFooter)
            Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom - a->BorderWidth());
        else
            Canvas->Rectangle(R.Left, R.Top + a->BorderWidth(), R.Right, R.Bottom);
    }
    TRect t = R;
    InflateRect(t, -a->BorderWidth(), -a->BorderWidth());
    if (a->ImageIndex() >= 0 && FImages != nullptr) {
        FImages->Draw(Canvas, t.Left + 4, t.Top + (t.Height() - FImages->Height()) / 2, a->ImageIndex(), true);
        t.Left = t.Left + FImages->Width() + 8;
    }
    QString caption = a->Caption();
    if (OnGetText)
        OnGetText(this, caption);
    if (!caption.isEmpty()) {
        if (FButtonList->Count() > 0)
            t.Right = GetCaptionLimit().Right;
        Canvas->Font()->Assign(a->Font());
        TMiniHTMLRequest request;
        request.Images = FImages;
        request.MeasureOnly = true;
        TMiniHTMLResult measured;
        RenderMiniHTML(Canvas, caption, t, request, measured);
        if (measured.Height < t.Height())
            t.Top += (t.Height() - measured.Height) / 2;
        request.MeasureOnly = false;
        TMiniHTMLResult painted;
        RenderMiniHTML(Canvas, caption, t, request, painted);
    }
    PaintExtra(Canvas, R);
}

void TDropDownBar::Dispatch(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE)
        ArrangeButtons();
}

// ------------------------------------------------------------ header

TExHeader::TExHeader(TComponent* AOwner) : TDropDownBar(AOwner, std::make_unique<THeaderAppearance>(AOwner), false)
{
}

THeaderButtons* TExHeader::Buttons() const
{
    return FExDropDown != nullptr ? FExDropDown->DropDownHeader()->Buttons() : nullptr;
}

TBarAppearance* TExHeader::DropDownAppearance() const
{
    return FExDropDown != nullptr ? FExDropDown->DropDownHeader() : nullptr;
}

void TExHeader::FireButtonClick(Integer Index)
{
    if (FExDropDown != nullptr && FExDropDown->OnDropDownHeaderButtonClick)
        FExDropDown->OnDropDownHeaderButtonClick(FExDropDown, Index);
}

// ------------------------------------------------------------ footer

TExFooter::TExFooter(TComponent* AOwner) : TDropDownBar(AOwner, std::make_unique<TFooterAppearance>(AOwner), true)
{
}

TFooterButtons* TExFooter::Buttons() const
{
    return FExDropDown != nullptr ? FExDropDown->DropDownFooter()->Buttons() : nullptr;
}

TBarAppearance* TExFooter::DropDownAppearance() const
{
    return FExDropDown != nullptr ? FExDropDown->DropDownFooter() : nullptr;
}

void TExFooter::FireButtonClick(Integer Index)
{
    if (FExDropDown != nullptr && FExDropDown->OnDropDownFooterButtonClick)
        FExDropDown->OnDropDownFooterButtonClick(FExDropDown, Index);
}

bool TExFooter::HasSizeGrip() const
{
    return FooterAppearance()->SizeGrip() && FExDropDown != nullptr && FExDropDown->DropDownSizeable();
}

TRect TExFooter::GetButtonArea() const
{
    const TRect r = ClientRect();
    return {r.Left + 2, r.Top + 2, r.Right - (HasSizeGrip() ? 14 : 2), r.Bottom - 2};
}

void TExFooter::PaintExtra(TCanvas* Canvas, const TRect& R)
{
    if (!HasSizeGrip())
        return;
    const Integer bw = FAppearance->BorderWidth();
    DrawSizeGrip(Canvas, TRect(R.Right - bw - 16, 1, R.Right - bw - 1, R.Bottom), FAppearance->BorderColor());
}

bool TExFooter::InGrip(Integer X, Integer Y) const
{
    return X > Width() - 12 && Y > Height() - 15;
}

void TExFooter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TDropDownBar::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && HasSizeGrip() && Parent() != nullptr && InGrip(X, Y)) {
        // The popup is resized from its bottom-right corner while the button is held.
        FSizing = true;
        FSizeStart = ClientToScreen({X, Y});
        FSizeFrom = {Parent()->Width(), Parent()->Height()};
    }
}

void TExFooter::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TDropDownBar::MouseMove(Shift, X, Y);
    if (FSizing && Parent() != nullptr) {
        const TPoint p = ClientToScreen({X, Y});
        TWinControl* popup = Parent();
        popup->SetBounds(popup->Left(), popup->Top(), FSizeFrom.cx + p.X - FSizeStart.X, FSizeFrom.cy + p.Y - FSizeStart.Y);
        if (auto* form = dynamic_cast<TDropDownForm*>(popup); form != nullptr && form->OnSizing)
            form->OnSizing(form);
        return;
    }
    if (HasSizeGrip() && InGrip(X, Y))
        Screen->SetCursor(crSizeNWSE);
    else
        Screen->SetCursor(FOldCursor);
}

void TExFooter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TDropDownBar::MouseUp(Button, Shift, X, Y);
    FSizing = false;
    Screen->SetCursor(FOldCursor);
}

void TExFooter::Dispatch(TMessage& Message)
{
    if (Message.LParam == LPARAM(this)) {
        if (Message.Msg == CM_MOUSEENTER && Screen->Cursor() != crSizeNWSE)
            FOldCursor = Screen->Cursor();
        else if (Message.Msg == CM_MOUSELEAVE && !FSizing)
            Screen->SetCursor(FOldCursor);
    }
    TDropDownBar::Dispatch(Message);
}

void DrawSizeGrip(TCanvas* Canvas, TRect G, TColor Color)
{
    const Integer l = G.Left, b = G.Bottom;
    const TPoint dots[] = {{l + 5, b - 4}, {l + 9, b - 4}, {l + 13, b - 4}, {l + 13, b - 8}, {l + 13, b - 12}, {l + 9, b - 8}};
    auto square = [Canvas](TPoint p, TColor c) {
        Canvas->Pen()->SetColor(c);
        Canvas->Pen()->SetWidth(1);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(c);
        Canvas->Rectangle(p.X, p.Y, p.X + 2, p.Y + 2);
    };
    for (TPoint p : dots)
        square(p, BlendColor(clWhite, clWhite, 50));
    for (TPoint p : dots)
        square({p.X - 1, p.Y - 1}, BlendColor(Color, Color, 100));
}
