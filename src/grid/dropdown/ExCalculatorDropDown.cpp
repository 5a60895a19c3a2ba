// The calculator dropdown: the button items and their appearance, the
// button panel and the calculator that runs in the edit.
#include "grid/dropdown/ExCalculatorDropDown.h"

#include <cmath>

#include "controls/ETXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/ImageList.h"
#include "platform/Locale.h"
#include "platform/StdControls.h"
#include "platform/Text.h"

// ------------------------------------------------------------ TButtonItem

TButtonItem::TButtonItem(TCollection* Collection) : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TButtonItem::~TButtonItem() = default;

void TButtonItem::SetImage(const TPicture* Value)
{
    FImage->Assign(Value);
}

void TButtonItem::SetRect(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TButtonItem::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TButtonItem*>(Source);
    if (s == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FCaptionColor = s->FCaptionColor;
    FTag = s->FTag;
    FImageIndex = s->FImageIndex;
    FImage->Assign(s->FImage.get());
    FEnabled = s->FEnabled;
    FName = s->FName;
}

TButtonItems::TButtonItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) { return new TButtonItem(c); }), FOwner(AOwner)
{
}

// ------------------------------------------------------------ TButtonAppearance

TButtonAppearance::TButtonAppearance()
    : FColor(RGB(95, 145, 154)), FColorTo(RGB(112, 161, 176)), FColorHot(RGB(28, 111, 159)),
      FColorHotTo(RGB(68, 194, 213)), FColorDown(RGB(8, 47, 75)), FColorDownTo(RGB(20, 181, 173)),
      FBorderColorChecked(RGB(0, 0, 255)), FColorChecked(AdjustColor(RGB(225, 240, 245), -10, -10, 0)),
      FColorCheckedTo(AdjustColor(RGB(178, 210, 249), -10, -10, 0)), FColorDisabled(AdjustColor(clWhite, -5, -5, -5)),
      FColorDisabledTo(AdjustColor(clWhite, -5, -5, -5)), FSpecialTextColor(RGB(128, 0, 0)),
      FGlowColorHot(RGB(68, 194, 213)), FGlowColorDown(RGB(68, 194, 213)), FFont(std::make_unique<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle(TFontStyles{fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TButtonAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TButtonAppearance*>(Source);
    if (s == nullptr)
        return;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorHot = s->FColorHot;
    FColorHotTo = s->FColorHotTo;
    FColorDown = s->FColorDown;
    FColorDownTo = s->FColorDownTo;
    FBorderColor = s->FBorderColor;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorDown = s->FBorderColorDown;
    FBorderColorChecked = s->FBorderColorChecked;
    FColorChecked = s->FColorChecked;
    FColorCheckedTo = s->FColorCheckedTo;
    FColorDisabled = s->FColorDisabled;
    FColorDisabledTo = s->FColorDisabledTo;
    FTextColor = s->FTextColor;
    FSpecialTextColor = s->FSpecialTextColor;
    FShineColor = s->FShineColor;
    FGlowColorHot = s->FGlowColorHot;
    FGlowColorDown = s->FGlowColorDown;
    FFont->Assign(s->FFont.get());
    Changed();
}

// ------------------------------------------------------------ TCustomButtonPanel

namespace {

struct TCalcButton {
    const char* Caption;
    const char* Name;
    Integer Tag;
    bool Special;
};

// The calculator's buttons in collection order.
const TCalcButton CalcButtons[] = {
    {"", "BTN_ON", 30, false},      {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},       {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},     {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},       {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},       {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},  {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},       {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},       {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},       {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};

// Grid places (column 0-5 of x0..x5, row 1-4 of y1..y4) of buttons 4-27.
struct TCalcPlace {
    Integer Index, Column, Row;
};
const TCalcPlace CalcPlaces[] = {
    {4, 0, 1},  {11, 1, 1}, {12, 2, 1}, {19, 3, 1}, {20, 4, 1}, {27, 5, 1},  // MC 7 8 9 / sqrt
    {5, 0, 2},  {10, 1, 2}, {13, 2, 2}, {18, 3, 2}, {21, 4, 2}, {26, 5, 2},  // MR 4 5 6 * %
    {6, 0, 3},  {9, 1, 3},  {14, 2, 3}, {17, 3, 3}, {22, 4, 3}, {25, 5, 3},  // MS 1 2 3 - 1/x
    {7, 0, 4},  {8, 1, 4},  {15, 2, 4}, {16, 3, 4}, {23, 4, 4}, {24, 5, 4},  // M+ 0 +/- . + =
};

} // namespace

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner), FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtonAppearance->OnChange = [this](TObject*) {
        // Inside a dropdown the popup is refreshed when it opens.
        if (FExDropDown == nullptr)
            Invalidate();
    };
    SetDoubleBuffered(true);
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    FButtonAppearance->OnChange = nullptr;
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    if (Value == FButtonPanelType)
        return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value)
{
    if (Value == FImages)
        return;
    FImages = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value)
{
    if (FEdit != nullptr)
        FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (FEdit != nullptr)
        FEdit->FreeNotification(this);
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FEdit)
        FEdit = nullptr;
    if (AComponent == reinterpret_cast<TComponent*>(FImages))
        FImages = nullptr;
}

void TCustomButtonPanel::Loaded()
{
    TCustomControl::Loaded();
    if (FExDropDown == nullptr)
        BuildButtons();
}

void TCustomButtonPanel::GetButtonArea(TRect& Rect) const
{
    Rect = ClientRect();
    InflateRect(Rect, -FOffSetX, -FOffSetY);
}

TSize TCustomButtonPanel::ImageSize(const TButtonItem* Item) const
{
    if (!Item->Image()->Empty())
        return {Item->Image()->Width(), Item->Image()->Height()};
    if (FImages != nullptr && Item->ImageIndex() >= 0)
        return {FImages->Width(), FImages->Height()};
    return {0, 0};
}

void TCustomButtonPanel::GetMaxButtonSize(Integer& Width, Integer& Height)
{
    TSize image{0, 0}, caption{0, 0};
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    for (Integer i = 0; i < FButtons->Count(); ++i) {
        const TButtonItem* b = FButtons->Items(i);
        const TSize s = ImageSize(b);
        image.cx = std::max(image.cx, s.cx);
        image.cy = std::max(image.cy, s.cy);
        if (!b->Caption().isEmpty()) {
            const TSize t = GetTextSize(c, b->Caption());
            caption.cx = std::max(caption.cx, t.cx);
            caption.cy = std::max(caption.cy, t.cy);
        }
    }
    const Integer gap = image.cx > 0 && caption.cx > 0 ? FCaptionGap : 0;
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
        Width = 2 * FButtonOffSetX + image.cx + gap + caption.cx;
        Height = std::max(image.cy, caption.cy) + 2 * FButtonOffSetY;
    } else {
        Width = std::max(image.cx, caption.cx) + 2 * FButtonOffSetX;
        Height = 2 * FButtonOffSetY + image.cy + (image.cy > 0 && caption.cy > 0 ? FCaptionGap : 0) + caption.cy;
    }
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    BuildButtons();
}

void TCustomButtonPanel::BuildButtons()
{
    if (FButtons->Count() == 0 && FButtonPanelType == plCalculator) {
        for (const TCalcButton& c : CalcButtons) {
            TButtonItem* b = FButtons->Add();
            b->SetCaption(QString::fromUtf8(c.Caption));
            b->SetName(QString::fromUtf8(c.Name));
            b->SetTag(c.Tag);
            b->SetSpecial(c.Special);
            if (c.Special)
                b->SetCaptionColor(RGB(128, 0, 0));
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtons->Count() < Integer(std::size(CalcButtons)) || FButtonPanelType != plCalculator)
        return;
    TRect a;
    GetButtonArea(a);
    constexpr Integer S = 4;
    const Integer W = (a.Right - a.Left - 2 * S) / 6;
    const Integer H = (a.Bottom - a.Top - S) / 5;
    const Integer y[5] = {a.Top, a.Top + H + S, a.Top + 2 * H + S - 1, a.Top + 3 * H + S - 2, a.Top + 4 * H + S - 3};
    Integer x[6];
    x[0] = a.Left;
    x[1] = x[0] + W + S;
    x[2] = x[1] + W - 1;
    x[3] = x[2] + W - 1;
    x[4] = x[3] + W + S;
    x[5] = x[4] + W - 1;
    for (const TCalcPlace& p : CalcPlaces)
        FButtons->Items(p.Index)->SetRect(x[p.Column], y[p.Row], W, H);
    // The top row: the empty button, then Back, CE and C sharing the rest.
    const Integer right = x[5] + W;
    const Integer w2 = (right - x[1] - 2 * S) / 3;
    FButtons->Items(0)->SetRect(x[0], y[0], W, H);
    FButtons->Items(1)->SetRect(x[1], y[0], w2, H);
    FButtons->Items(2)->SetRect(x[1] + w2 + S, y[0], w2, H);
    const Integer cLeft = x[1] + 2 * (w2 + S);
    FButtons->Items(3)->SetRect(cLeft, y[0], right - cLeft, H);
    Invalidate();
}

void TCustomButtonPanel::InvalidateButton(Integer Index)
{
    if (!ValidIndex(Index))
        return;
    Invalidate();
}

void TCustomButtonPanel::DoButtonClick(Integer Index)
{
    if (OnButtonClick)
        OnButtonClick(this, Index);
}

Integer TCustomButtonPanel::ButtonAtPoint(Integer X, Integer Y) const
{
    for (Integer i = 0; i < FButtons->Count(); ++i) {
        const TRect r = FButtons->Items(i)->Rect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom)
            return i;
    }
    return -1;
}

void TCustomButtonPanel::SetButtonHot(Integer Index)
{
    if (Index == FButtonHot || (ValidIndex(Index) && !FButtons->Items(Index)->Enabled()))
        return;
    const Integer old = FButtonHot;
    FButtonHot = Index;
    InvalidateButton(old);
    InvalidateButton(Index);
}

void TCustomButtonPanel::SetButtonDown(Integer Index)
{
    if (Index == FButtonDown || (ValidIndex(Index) && !FButtons->Items(Index)->Enabled()))
        return;
    const Integer old = FButtonDown;
    FButtonDown = Index;
    InvalidateButton(old);
    InvalidateButton(Index);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer i = ButtonAtPoint(X, Y);
    if (i >= 0 && FButtons->Items(i)->Enabled())
        SetButtonDown(i);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer i = ButtonAtPoint(X, Y);
    SetButtonHot(i >= 0 && FButtons->Items(i)->Enabled() ? i : -1);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0)
        return;
    const Integer pressed = FButtonDown;
    SetButtonDown(-1);
    // A press released over another button is no click.
    if (ButtonAtPoint(X, Y) == pressed)
        DoButtonClick(pressed);
}

void TCustomButtonPanel::Dispatch(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (Message.Msg == WM_SIZE)
        ArrangeButtons();
    else if (Message.Msg == CM_MOUSELEAVE && Message.LParam == LPARAM(this))
        SetButtonHot(-1);
}

void TCustomButtonPanel::Paint()
{
    TCustomControl::Paint();
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    if (FExDropDown == nullptr) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(ClientRect());
    }
    for (Integer i = 0; i < FButtons->Count(); ++i)
        if (i != FButtonHot)
            DrawButton(i, c);
    if (FButtonHot >= 0)
        DrawButton(FButtonHot, c);
}

void TCustomButtonPanel::DrawButton(Integer Index, TCanvas* Canvas)
{
    if (!ValidIndex(Index) || Canvas == nullptr)
        return;
    const TButtonItem* b = FButtons->Items(Index);
    const TRect r = b->Rect();
    if (r.Right <= 0)
        return;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(r);
    TThemeServices& ts = ETXPVS();
    HTHEME theme = ts.OpenThemeData != nullptr && HandleAllocated() ? ts.OpenThemeData(Handle(), QStringLiteral("button")) : nullptr;
    if (theme != nullptr) {
        Integer state = PBS_NORMAL;
        if (!Enabled() || !b->Enabled())
            state = PBS_DISABLED;
        else if (Index == FButtonDown)
            state = PBS_PRESSED;
        else if (Index == FButtonHot)
            state = PBS_HOT;
        ts.DrawThemeBackground(theme, Canvas, BP_PUSHBUTTON, state, &r, nullptr);
        ts.CloseThemeData(theme);
    }
    TRect content = r;
    InflateRect(content, -FButtonOffSetX, -FButtonOffSetY);
    Canvas->Font()->Assign(FButtonAppearance->Font());
    Canvas->Font()->SetColor(b->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
    Canvas->Brush()->SetStyle(bsClear);

    TGraphic* picture = !b->Image()->Empty() ? b->Image()->Graphic() : nullptr;
    const bool listImage = picture == nullptr && FImages != nullptr && b->ImageIndex() >= 0;
    const TSize image = ImageSize(b);
    auto drawImage = [&](Integer X, Integer Y) {
        if (picture != nullptr)
            Canvas->Draw(X, Y, picture);
        else if (listImage)
            FImages->Draw(Canvas, X, Y, b->ImageIndex(), b->Enabled());
    };
    const bool hasImage = picture != nullptr || listImage;
    const QString& caption = b->Caption();
    const TSize text = caption.isEmpty() ? TSize{0, 0} : GetTextSize(Canvas, caption);
    const Cardinal line = DT_SINGLELINE | DT_VCENTER;
    const Integer midY = content.Top + (content.Height() - image.cy) / 2;
    const Integer midX = content.Left + (content.Width() - image.cx) / 2;
    switch (FButtonLayout) {
    case ilCaptionLeft: {
        TRect t = content;
        t.Right -= image.cx;
        DrawText(Canvas, caption, t, line | (hasImage ? 0 : DT_CENTER));
        if (hasImage)
            drawImage(content.Left + text.cx + FCaptionGap, midY);
        break;
    }
    case ilCaptionRight: {
        TRect t = content;
        if (hasImage) {
            drawImage(content.Left, midY);
            t.Left += image.cx + FCaptionGap;
        }
        DrawText(Canvas, caption, t, line | (hasImage ? 0 : DT_CENTER));
        break;
    }
    case ilCaptionTop: {
        TRect t = content;
        t.Bottom -= image.cy;
        DrawText(Canvas, caption, t, line | DT_CENTER);
        if (hasImage)
            drawImage(midX, caption.isEmpty() ? midY : content.Top + text.cy + FCaptionGap);
        break;
    }
    case ilCaptionBottom: {
        if (hasImage)
            drawImage(midX, caption.isEmpty() ? midY : content.Top);
        TRect t = content;
        t.Top += image.cy + FCaptionGap;
        DrawText(Canvas, caption, t, line | DT_CENTER);
        break;
    }
    }
}

// ------------------------------------------------------------ TExCalculatorDropdown

namespace {

bool IsDigitChar(QChar C)
{
    return C >= u'0' && C <= u'9';
}

} // namespace

TExCalculatorDropdown::TExCalculatorDropdown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    // The base constructor made the popup and applied the default style
    // before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    SetComponentStyle(tsOffice2007Luna);
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    FPrevop = -1;
    SetPrecision(2);
    FDecim = 0;
    FCalcClosed = true;
    FMVal = 0;
}

TExCalculatorDropdown::~TExCalculatorDropdown() = default;

void TExCalculatorDropdown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FExButtonPanel == nullptr) {
        FExButtonPanel = new TCustomButtonPanel(this);
        FExButtonPanel->SetParent(DropDownForm());
        FExButtonPanel->SetExDropDown(this);
        FExButtonPanel->SetHeight(150);
        FExButtonPanel->BuildButtons();
    }
    SetControl(FExButtonPanel);
    FExButtonPanel->OnButtonClick = [this](TObject*, Integer Index) { CalcButtonClick(Index); };
}

void TExCalculatorDropdown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FExButtonPanel != nullptr) {
        FExButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FExButtonPanel->SetColor(DropDownColor());
        FExButtonPanel->ArrangeButtons();
    }
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

void TExCalculatorDropdown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    if (!FCalcButtonAppearance)
        return;
    const TExButtonAppearance* b = ButtonAppearance();
    TButtonAppearance* a = FCalcButtonAppearance.get();
    a->SetBorderColor(b->BorderColor());
    a->SetBorderColorHot(b->BorderColorHot());
    a->SetBorderColorDown(b->BorderColorDown());
    a->SetColor(b->Color());
    a->SetColorTo(b->ColorTo());
    a->SetColorDown(b->ColorDown());
    a->SetColorDownTo(b->ColorDownTo());
    a->SetColorHot(b->ColorHot());
    a->SetColorHotTo(b->ColorHotTo());
    a->SetColorDisabled(b->ColorDisabled());
    a->SetColorDisabledTo(b->ColorDisabledTo());
    a->SetBorderColorChecked(b->BorderColorDisabled());
    a->SetColorChecked(b->ColorDisabledTo());
    a->SetColorCheckedTo(b->ColorHotTo());
    if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
        a->SetGlowColorHot(b->ColorHot());
        a->SetGlowColorDown(b->ColorHot());
    } else {
        a->SetGlowColorDown(RGB(68, 194, 213));
        a->SetGlowColorHot(b->ColorDownTo());
    }
}

long double TExCalculatorDropdown::Value()
{
    if (GetText().isEmpty())
        SetText(QStringLiteral("0"));
    QString t = GetText();
    t.remove(FormatSettings().ThousandSeparator);
    return TextToFloat(t);
}

void TExCalculatorDropdown::SetValue(long double Value)
{
    SetText(Format(QStringLiteral("%g"), {double(Value)}));
}

void TExCalculatorDropdown::SetShowThousandSeparator(bool Value)
{
    if (Value == FShowThousandSeparator)
        return;
    FShowThousandSeparator = Value;
    SetEditType(Value ? etMoney : etFloat);
    SetFloatValue(GetFloatValue());
}

bool TExCalculatorDropdown::PopupHidden() const
{
    return DropDownForm() != nullptr && !DropDownForm()->Visible();
}

bool TExCalculatorDropdown::DisplayFull() const
{
    return MaxLength() > 0 && Integer(Display().size()) >= MaxLength();
}

bool TExCalculatorDropdown::ReadDisplay(long double& X)
{
    const TFormatSettings& f = FormatSettings();
    QString t = Display();
    t.remove(f.ThousandSeparator);
    t = t.trimmed();
    bool ok = !t.isEmpty() && (f.DecimalSeparator == u'.' || !t.contains(u'.'));
    if (ok) {
        t.replace(f.DecimalSeparator, u'.');
        X = t.toDouble(&ok);
        ok = ok && std::isfinite(double(X));
    }
    if (!ok)
        SetDisplay(QStringLiteral("Error"));
    return ok;
}

bool TExCalculatorDropdown::Show(long double X)
{
    if (!std::isfinite(double(X))) {
        SetDisplay(QStringLiteral("Error"));
        return false;
    }
    SetFloatValue(double(X));
    return true;
}

bool TExCalculatorDropdown::DoCalc()
{
    if (Display().isEmpty() || Display() == QLatin1String("Error"))
        SetDisplay(QStringLiteral("0"));
    long double x = 0;
    if (!ReadDisplay(x))
        return false;
    switch (FPrevop) {
    case 0: FPrevval += x; break;
    case 1: FPrevval *= x; break;
    case 2: FPrevval -= x; break;
    case 3:
        if (x == 0) {
            FPrevval = 0;
            SetDisplay(QStringLiteral("Error"));
            return true;
        }
        FPrevval /= x;
        break;
    default: FPrevval = x; break;
    }
    // An overflow ends like a division by zero.
    if (!Show(FPrevval)) {
        FPrevval = 0;
        return true;
    }
    FNewval = true;
    return true;
}

void TExCalculatorDropdown::CalcOperator(Integer Op)
{
    // A display that is no number cancels the operation it was meant for.
    if (DoCalc())
        FPrevop = Op;
}

void TExCalculatorDropdown::CalcAdd()
{
    CalcOperator(0);
}

void TExCalculatorDropdown::CalcSubtract()
{
    CalcOperator(2);
}

void TExCalculatorDropdown::CalcMultiply()
{
    CalcOperator(1);
}

void TExCalculatorDropdown::CalcDivide()
{
    CalcOperator(3);
}

void TExCalculatorDropdown::CalcEquals()
{
    if (!DoCalc())
        return;
    if (Display().isEmpty())
        SetDisplay(QStringLiteral("0"));
    FPrevop = -1;
    long double x = 0;
    if (Display() != QLatin1String("Error") && ReadDisplay(x))
        FPrevval = x;
}

void TExCalculatorDropdown::CalcPercent()
{
    if (Display().isEmpty() || Display() == QLatin1String("Error"))
        SetDisplay(QStringLiteral("0"));
    long double x = 0;
    if (!ReadDisplay(x))
        return;
    const long double r = FPrevval * x / 100;
    if (!std::isfinite(double(r))) {
        SetDisplay(QStringLiteral("Error"));
        return;
    }
    SetDisplay(Format(QStringLiteral("%g"), {double(r)}));
}

void TExCalculatorDropdown::CalcButtonClick(Integer Index)
{
    if (FExButtonPanel == nullptr || Index < 0 || Index >= FExButtonPanel->Buttons()->Count())
        return;
    BeforeCalculate();
    const Integer t = FExButtonPanel->Buttons()->Items(Index)->Tag();
    if ((t >= 10 && t <= 14) || (t >= 16 && t <= 18))
        FDecim = 0;
    if (t <= 9 || t == 14 || t == 15) {
        if (DisplayFull())
            return;
    }
    if (t >= 0 && t <= 9) {
        const long double v = GetFloatValue();
        if ((v == 0 && FDecim == 0) || FNewval) {
            SetDisplay(IntToStr(t));
            FNewval = false;
        } else if (FDecim > 0) {
            Show(v + (long double)t / FDecim);
            FDecim *= 10;
        } else {
            Show(v * 10 + t);
        }
    }
    long double x = 0;
    switch (t) {
    case 10: CalcAdd(); break;
    case 11: CalcSubtract(); break;
    case 12: CalcMultiply(); break;
    case 13: CalcDivide(); break;
    case 17: CalcEquals(); break;
    case 18: CalcPercent(); break;
    case 14: {
        QString s = Display();
        if (s.contains(u'-'))
            s.remove(0, 1);
        else
            s.prepend(u'-');
        SetDisplay(s);
        break;
    }
    case 15: {
        const QChar dec = FormatSettings().DecimalSeparator;
        if (!Display().contains(dec))
            SetDisplay(Display() + dec);
        FDecim = 10;
        if (FNewval)
            SetDisplay(QStringLiteral("0"));
        FNewval = false;
        break;
    }
    case 16:
    case 30:
    case 32:
        SetDisplay(QStringLiteral("0"));
        FPrevval = 0;
        FPrevop = -1;
        break;
    case 31:
        if (FPrevop == -1) {
            QString s = FloatToStr(GetFloatValue());
            s.chop(1);
            SetDisplay(s);
        }
        break;
    case 33: FMVal = 0; break;
    case 34: Show(FMVal); break;
    case 35:
        if (ReadDisplay(x))
            FMVal = x;
        break;
    case 36:
        if (ReadDisplay(x))
            FMVal += x;
        break;
    case 37: {
        const double v = GetFloatValue();
        if (v < 0)
            SetDisplay(QStringLiteral("Error"));
        else
            Show(std::sqrt(v));
        break;
    }
    case 38: {
        const double v = GetFloatValue();
        if (v == 0)
            SetDisplay(QStringLiteral("Error"));
        else
            Show(1 / (long double)v);
        break;
    }
    default: break;
    }
    SetModified(true);
}

void TExCalculatorDropdown::KeyPress(QChar& Key)
{
    // A typed character runs this once, ahead of the edit's rules (Dispatch).
    if (FKeyPressDone)
        return;
    const TFormatSettings& f = FormatSettings();
    if (FCalcClosed || PopupHidden()) {
        switch (Key.unicode()) {
        case u'\r':
        case u'=': CalcEquals(); break;
        case u'%': CalcPercent(); break;
        case u'*': CalcMultiply(); break;
        case u'+': CalcAdd(); break;
        case u'-': CalcSubtract(); break;
        case u'/': CalcDivide(); break;
        case u'C':
        case u'c':
            SetDisplay(QStringLiteral("0"));
            FNewval = true;
            FPrevop = -1;
            break;
        default: break;
        }
    }
    if (!IsDigitChar(Key) && Key != f.DecimalSeparator && Key != u'\b' && Key != u'-')
        Key = QChar(0);
    const Integer caret = Integer(Prefix().size()) + 1;
    if ((Display() == QLatin1String("0") || FNewval) && IsDigitChar(Key)) {
        SetDisplay(QString(Key));
        Key = QChar(0);
        SetSelStart(caret);
        SetSelLength(0);
        FNewval = false;
        return;
    }
    if (Display().size() == 1 && Key == u'\b') {
        SetDisplay(QStringLiteral("0"));
        Key = QChar(0);
        SetSelStart(caret);
        SetSelLength(0);
        return;
    }
    if (Key == f.ThousandSeparator || (Key == f.DecimalSeparator && Display().contains(f.DecimalSeparator)))
        Key = QChar(0);
    TExCustomDropDown::KeyPress(Key);
}

void TExCalculatorDropdown::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_CHAR && !FKeyPressDone) {
        // The calculator's keys come before the edit's own character rules.
        QChar key(char16_t(Message.WParam));
        KeyPress(key);
        if (key.isNull())
            return;
        Message.WParam = key.unicode();
        FKeyPressDone = true;
        TExCustomDropDown::Dispatch(Message);
        FKeyPressDone = false;
        return;
    }
    TExCustomDropDown::Dispatch(Message);
    if (Message.Msg == WM_KEYDOWN && Word(Message.WParam) == VK_DELETE && Enabled() &&
        (Display().isEmpty() || Display() == QLatin1String("Error")))
        SetDisplay(QStringLiteral("0"));
}

void TExCalculatorDropdown::DropDownFormKeyPress(QChar& Key)
{
    // Backspace already took the last character away on its key-down.
    if (Key != u'\b')
        TExCustomDropDown::DropDownFormKeyPress(Key);
    BeforeCalculate();
    const QChar dec = FormatSettings().DecimalSeparator;
    if (Key == dec && !Display().contains(dec))
        SetDisplay(Display() + dec);
    if (IsDigitChar(Key) && DisplayFull())
        return;
    switch (Key.unicode()) {
    case u'-': CalcSubtract(); break;
    case u'*': CalcMultiply(); break;
    case u'+': CalcAdd(); break;
    case u'/': CalcDivide(); break;
    case u'=': CalcEquals(); break;
    case u'%': CalcPercent(); break;
    case u'\r':
        CalcEquals();
        DoHideDropDown(false);
        break;
    case 27: DoHideDropDown(true); break;
    case u'C':
    case u'c':
        SetDisplay(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = -1;
        break;
    default:
        if (IsDigitChar(Key))
            FNewval = false;
        break;
    }
}

void TExCalculatorDropdown::DropDownFormKeyDown(Word& Key, TShiftState Shift)
{
    TExCustomDropDown::DropDownFormKeyDown(Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) {
        DoHideDropDown(false);
    } else if (Key == VK_BACK) {
        QString s = Display();
        s.chop(1);
        SetDisplay(s.isEmpty() || s == QLatin1String("Error") ? QStringLiteral("0") : s);
    }
}
