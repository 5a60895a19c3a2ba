// The spin edit: a one-line edit whose arrow buttons step an integer, real,
// date or time value (the grid's spin cell editor derives from it).
#include "controls/esgspin.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "controls/EditWithButton.h"
#include "controls/ExXPVS.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawText.h"
#include "platform/Graphics.h"
#include "platform/Locale.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/Timer.h"

// ------------------------------------------------------------ number texts

namespace {

// The fixed form of v with `decimals` decimals, rounded half away from zero
// on its 15-significant-digit decimal form (so 1.005 gives 1.01).
QString FixedText15(double v, Integer decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    QString digits = s.left(e).remove(QLatin1Char('.'));
    Integer point = s.mid(e + 1).toInt() + 1;  // digits before the decimal point
    if (v == 0)
        point = 1;
    // Leading zeros make the integer part at least one digit.
    if (point < 1) {
        digits.prepend(QString(1 - point, QLatin1Char('0')));
        point = 1;
    }
    const Integer keep = point + decimals;
    if (digits.size() < keep + 1)
        digits.append(QString(keep + 1 - digits.size(), QLatin1Char('0')));
    const bool up = digits[keep] >= QLatin1Char('5');
    digits.truncate(keep);
    if (up) {
        Integer i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(QLatin1Char('1'));
            ++point;
        }
    }
    QString out = digits.left(point);
    if (decimals > 0)
        out += FormatSettings().DecimalSeparator + digits.mid(point);
    const bool zero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == QLatin1Char('0'); });
    if (v < 0 && !zero)
        out.prepend(QLatin1Char('-'));
    return out;
}

TDateTime IncMonths(TDateTime date, Integer months)
{
    Word y, m, d;
    DecodeDate(date, y, m, d);
    Integer total = Integer(y) * 12 + (m - 1) + months;
    const Integer ny = total / 12, nm = total % 12 + 1;
    if (ny < 1 || ny > 9999)
        return date;
    TDateTime result;
    Word day = d;
    while (!TryEncodeDate(Word(ny), Word(nm), day, result))
        --day;  // the target month's last day
    const double time = std::fabs(date - std::trunc(date));
    return result + (result < 0 ? -time : time);
}

TDateTime IncYears(TDateTime date, Integer years)
{
    return IncMonths(date, years * 12);
}

// The value clamped to the range; equal bounds mean no range.
template <class T>
T Clamped(T v, T lo, T hi)
{
    if (lo == hi)
        return v;
    if (v <= lo)
        return lo;
    if (v >= hi)
        return hi;
    return v;
}

// The built-in arrow pictures (9 x 6, the bottom-left pixel see-through).
std::unique_ptr<TBitmap> SpinGlyph(bool up)
{
    auto bmp = std::make_unique<TBitmap>(9, 6);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(TRect(0, 0, 9, 6));
    for (Integer row = 0; row < 4; ++row) {
        const Integer y = up ? 1 + row : 4 - row;
        c->Brush()->SetColor(clBlack);
        c->FillRect(TRect(4 - row, y, 5 + row, y + 1));
    }
    bmp->SetTransparent(true);
    return bmp;
}

} // namespace

QString SpinFloatText(double Value, Integer Precision)
{
    if (Precision != 0)
        return FixedText15(Value, std::clamp<Integer>(Precision, 0, 18));
    return FloatToStr(Value);
}

bool SpinTextToFloat(const QString& Text, double& Value)
{
    QString s = Trim(Text);
    const QChar dp = FormatSettings().DecimalSeparator;
    if (s.isEmpty() || (dp != QLatin1Char('.') && s.contains(QLatin1Char('.'))))
        return false;
    s.replace(dp, QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    Value = v;
    return true;
}

// ------------------------------------------------------------ TExTimerSpeedButton

TExTimerSpeedButton::TExTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
}

void TExTimerSpeedButton::SetTimeBtnState(TTimeBtnState v)
{
    if (v == FTimeBtnState)
        return;
    FTimeBtnState = v;
    Invalidate();
}

void TExTimerSpeedButton::SetButtonDirection(TButtonDirection v)
{
    FButtonDirection = v;
    Invalidate();
}

void TExTimerSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

void TExTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState & tbAllowTimer) {
        if (FRepeatTimer == nullptr) {
            FRepeatTimer = new TTimer(this);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject* s) { RepeatTick(s); };
        }
        FRepeatTimer->SetInterval(400);
        FRepeatTimer->SetEnabled(true);
    }
    if (Parent() != nullptr)
        Parent()->Invalidate();
}

void TExTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer != nullptr)
        FRepeatTimer->SetEnabled(false);
    if (Parent() != nullptr)
        Parent()->Invalidate();
}

void TExTimerSpeedButton::RepeatTick(TObject*)
{
    FRepeatTimer->SetInterval(100);
    // Only while the button is held down over it (moving off lifts it).
    if (FState != bsDown)
        return;
    try {
        Click();
    } catch (...) {
        FRepeatTimer->SetEnabled(false);
        throw;
    }
}

void TExTimerSpeedButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        FHasMouse = Message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
    TSpeedButton::Dispatch(Message);
}

bool TExTimerSpeedButton::PaintColoured(TEsgSpinButton* owner)
{
    if (owner == nullptr || owner->ButtonColor() == clNone)
        return false;
    TCanvas* c = Canvas();
    const TColor face = FState == bsDown ? owner->ButtonColorDown() : FHasMouse ? owner->ButtonColorHot() : owner->ButtonColor();
    c->Pen()->SetColor(face);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(face);
    c->Rectangle(ClientRect());
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    switch (FButtonDirection) {
    case bdLeft: c->Polygon({TPoint{5, 5}, TPoint{3, 7}, TPoint{5, 9}}); break;
    case bdRight: c->Polygon({TPoint{3, 5}, TPoint{5, 7}, TPoint{3, 9}}); break;
    case bdUp: c->Polygon({TPoint{4, 4}, TPoint{8, 4}, TPoint{6, 2}}); break;
    case bdDown: c->Polygon({TPoint{4, 2}, TPoint{8, 2}, TPoint{6, 4}}); break;
    }
    return true;
}

bool TExTimerSpeedButton::PaintThemed(TEsgSpinButton* owner)
{
    TThemeServices& t = ExXPVS();
    if (owner == nullptr || !FIsWinXP || !t.Loaded() || t.OpenThemeData == nullptr)
        return false;
    HTHEME theme = t.OpenThemeData(owner->Handle(), QStringLiteral("spin"));
    if (theme == nullptr)
        return false;
    static const Integer parts[] = {4, 3, SPNP_UP, SPNP_DOWN};  // left, right, up, down
    const Integer state = FState == bsDown ? UPS_PRESSED : FHasMouse ? UPS_HOT : UPS_NORMAL;
    const TRect r = ClientRect();
    const HRESULT hr = t.DrawThemeBackground(theme, Canvas(), parts[FButtonDirection], state, &r, nullptr);
    t.CloseThemeData(theme);
    // A part the theme does not draw falls back to the classic arrows.
    return hr == S_OK;
}

void TExTimerSpeedButton::Paint()
{
    auto* owner = dynamic_cast<TEsgSpinButton*>(Parent());
    const bool down = FState == bsDown;
    if (!PaintColoured(owner) && !PaintThemed(owner)) {
        if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
            TRect r = ClientRect();
            DrawFrameControl(Canvas(), r, DFC_SCROLL,
                             (FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (down ? DFCS_PUSHED : 0) |
                                 (Flat() ? DFCS_FLAT : 0));
        } else {
            TSpeedButton::Paint();
        }
    }
    if (FTimeBtnState & tbFocusRect) {
        TRect r = ClientRect();
        InflateRect(r, -3, -3);
        if (down)
            OffsetRect(r, 1, 1);
        DrawFocusRect(Canvas(), r);
    }
}

// ------------------------------------------------------------ TEsgSpinButton

TEsgSpinButton::TEsgSpinButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = (FControlStyle & ~(csAcceptsControls | csSetCaption)) | csOpaque;
    FDlgCode = DLGC_WANTARROWS;
    FUpButton = CreateButton(bdUp);
    FDownButton = CreateButton(bdDown);
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedButton = FUpButton;
    SetBounds(0, 0, 15, 25);
}

TExTimerSpeedButton* TEsgSpinButton::CreateButton(TButtonDirection direction)
{
    auto* b = new TExTimerSpeedButton(this);
    b->OnClick = [this](TObject* s) { BtnClick(s); };
    b->OnMouseDown = [this](TObject* s, TMouseButton btn, TShiftState sh, Integer x, Integer y) { BtnMouseDown(s, btn, sh, x, y); };
    b->SetTransparent(false);
    b->SetTimeBtnState(tbAllowTimer);
    b->SetButtonDirection(direction);
    b->SetParent(this);
    return b;
}

void TEsgSpinButton::SetFocusControl(TWinControl* v)
{
    if (FFocusControl != nullptr)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v != nullptr)
        v->FreeNotification(this);
}

void TEsgSpinButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TEsgSpinButton::SetDirection(TSpinDirection v)
{
    if (v == FDirection)
        return;
    FDirection = v;
    if (HandleAllocated())
        RecreateWnd();
    if (v == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        SetWidth(20);
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        SetWidth(15);
    }
    ArrangeButtons();
}

void TEsgSpinButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FUpButton->SetIsWinXP(v);
    FDownButton->SetIsWinXP(v);
}

TBitmap* TEsgSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
TBitmap* TEsgSpinButton::DownGlyph() const { return FDownButton->Glyph(); }
Integer TEsgSpinButton::UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
Integer TEsgSpinButton::DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
void TEsgSpinButton::SetUpNumGlyphs(Integer v) { FUpButton->SetNumGlyphs(v); }
void TEsgSpinButton::SetDownNumGlyphs(Integer v) { FDownButton->SetNumGlyphs(v); }

void TEsgSpinButton::SetUpGlyph(const TBitmap* v)
{
    if (v != nullptr && !v->Empty()) {
        FUpButton->SetGlyph(v);
        return;
    }
    FUpButton->SetGlyph(SpinGlyph(true).get());
    FUpButton->SetNumGlyphs(1);
}

void TEsgSpinButton::SetDownGlyph(const TBitmap* v)
{
    if (v != nullptr && !v->Empty()) {
        FDownButton->SetGlyph(v);
        return;
    }
    FDownButton->SetGlyph(SpinGlyph(false).get());
    FDownButton->SetNumGlyphs(1);
}

void TEsgSpinButton::InvalidateArrows()
{
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TEsgSpinButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!HasState(csLoading))
        ArrangeButtons();
}

void TEsgSpinButton::Loaded()
{
    TWinControl::Loaded();
    ArrangeButtons();
}

void TEsgSpinButton::ArrangeButtons()
{
    if (FUpButton == nullptr || FDownButton == nullptr || HasState(csLoading))
        return;
    if (FDirection == spVertical) {
        const Integer w = std::max<Integer>(Width(), 15);
        const Integer upH = Height() / 2;
        FUpButton->SetBounds(0, 0, w, upH);
        FDownButton->SetBounds(0, upH - 1, w, Height() - upH + 1);
    } else {
        const Integer w = std::max<Integer>(Width(), 20);
        FDownButton->SetBounds(0, 0, w / 2, Height());
        FUpButton->SetBounds(w / 2 + 1, 0, w / 2, Height());
    }
}

void TEsgSpinButton::SetFocusBtn(TExTimerSpeedButton* btn)
{
    if (!TabStop() || !CanFocus() || btn == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    FFocusedButton = btn;
    if (Focused())
        btn->SetTimeBtnState(btn->TimeBtnState() | tbFocusRect);
}

void TEsgSpinButton::BtnClick(TObject* Sender)
{
    if (Sender == FUpButton && OnUpClick)
        OnUpClick(this);
    else if (Sender == FDownButton && OnDownClick)
        OnDownClick(this);
}

void TEsgSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer)
{
    if (Button != mbLeft)
        return;
    SetFocusBtn(static_cast<TExTimerSpeedButton*>(Sender));
    if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

void TEsgSpinButton::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_SPACE: FFocusedButton->Click(); break;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default: break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TEsgSpinButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        TWinControl::Dispatch(Message);
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
        return;
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
        return;
    default:
        TWinControl::Dispatch(Message);
        return;
    }
}

// ------------------------------------------------------------ TEsgSpinEdit

TEsgSpinEdit::TEsgSpinEdit(TComponent* AOwner) : TEmbeddedButtonEdit(AOwner)
{
    FButton = new TEsgSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* s) { UpClick(s); };
    FButton->OnDownClick = [this](TObject* s) { DownClick(s); };
    SetText(QStringLiteral("0"));
    FControlStyle &= ~csSetCaption;
    ResizeMessage();
}

TEsgSpinEdit::~TEsgSpinEdit() = default;

// ---- values

Integer TEsgSpinEdit::Value()
{
    const QString t = Trim(Text());
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const Integer v = t.toInt(&ok);
    return ok ? v : FMinValue;
}

void TEsgSpinEdit::SetValue(Integer v)
{
    SetText(IntToStr(Clamped(v, FMinValue, FMaxValue)));
    if (!FEditorEnabled)
        SelectAll();
}

double TEsgSpinEdit::FloatValue()
{
    double v = 0;
    return SpinTextToFloat(Text(), v) ? v : FMinFloatValue;
}

void TEsgSpinEdit::SetFloatValue(double v)
{
    SetText(SpinFloatText(Clamped(v, FMinFloatValue, FMaxFloatValue), FPrecision));
}

TDateTime TEsgSpinEdit::DateValue()
{
    const QString t = Text();
    if (t.isEmpty() || t == QLatin1String("0"))
        return Now();
    TDateTime v = 0;
    return TryStrToDate(t, v) ? v : FMinDateValue;
}

void TEsgSpinEdit::SetDateValue(TDateTime v)
{
    FDateValue = v;
    if (HasState(csLoading))
        return;
    const Integer caret = SelStart();
    SetText(DateToStr(Clamped(v, FMinDateValue, FMaxDateValue)));
    SetSelStart(caret);
}

TDateTime TEsgSpinEdit::TimeValue()
{
    TDateTime v = 0;
    return TryStrToTime(Text(), v) ? v : 0;
}

void TEsgSpinEdit::SetTimeValue(TDateTime v)
{
    FTimeValue = v;
    if (HasState(csLoading))
        return;
    const Integer caret = SelStart();
    v = Clamped(v, FMinDateValue, FMaxDateValue);
    SetText(FShowSeconds ? TimeToStr(v) : FormatDateTime(QStringLiteral("h:nn"), v));
    SetSelStart(caret);
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType v)
{
    FSpinType = v;
    // The text takes the new type's form.
    switch (v) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TEsgSpinEdit::SetPrecision(Integer v)
{
    FPrecision = v;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TEsgSpinEdit::SetDirection(TSpinDirection v)
{
    if (v == FDirection)
        return;
    FDirection = v;
    FButton->SetDirection(v);
    ResizeMessage();
}

void TEsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TEsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    FButton->UpButton()->SetTransparent(v);
    FButton->DownButton()->SetTransparent(v);
    ResizeMessage();
}

void TEsgSpinEdit::SetEditAlign(TEditAlign v)
{
    FEditAlign = v;
    SetAlignment(v == eaRight ? taRightJustify : v == eaCenter ? taCenter : taLeftJustify);
    if (HandleAllocated())
        RecreateWnd();
}

void TEsgSpinEdit::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->SetIsWinXP(v);
}

// ---- stepping

void TEsgSpinEdit::StepUp(bool Page)
{
    Step(1, Page);
}

void TEsgSpinEdit::StepDown(bool Page)
{
    Step(-1, Page);
}

void TEsgSpinEdit::Step(int Direction, bool Page)
{
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (FSpinType) {
    case sptNormal: {
        // Beyond the integer range the value stays at its end.
        const Int64 v = Int64(Value()) + Int64(Direction) * FIncrement;
        SetValue(Integer(std::clamp<Int64>(v, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max())));
        break;
    }
    case sptFloat:
        SetFloatValue(FloatValue() + Direction * (Page ? FIncrementFloatPage : FIncrementFloat));
        break;
    case sptDate: {
        const QString fmt = UpperCase(FormatSettings().ShortDateFormat);
        const Integer pm = Pos(QStringLiteral("M"), fmt), pd = Pos(QStringLiteral("D"), fmt);
        FUsDates = pm == 0 || pm < pd;
        const QString ds(FormatSettings().DateSeparator);
        const QString text = Text();
        const Integer caret = SelStart();
        const Integer p1 = Pos(ds, text);
        const Integer p2 = p1 > 0 ? PosEx(ds, text, p1 + 1) : 0;
        const TDateTime date = DateValue();
        const bool first = caret < p1, second = !first && caret >= p1 && caret < p2;
        TDateTime next;
        if ((first && FUsDates) || (second && !FUsDates))
            next = IncMonths(date, Direction);
        else if (first || second)
            next = date + Direction;
        else
            next = IncYears(date, Direction);
        SetDateValue(next);
        break;
    }
    case sptTime: {
        const QString ts(FormatSettings().TimeSeparator);
        const QString text = Text();
        const Integer caret = SelStart();
        const Integer q1 = Pos(ts, text);
        const Integer q2 = q1 > 0 ? PosEx(ts, text, q1 + 1) : 0;
        double step;
        if (caret < q1)
            step = FIncrementHours / 24.0;
        else if (FShowSeconds && q2 > 0 && caret >= q2)
            step = FIncrementSeconds / 86400.0;
        else
            step = FIncrementMinutes / 1440.0;
        double v = TimeValue();
        if (Direction > 0) {
            v += step;
        } else {
            // Below midnight the time wraps to the end of the day.
            v = v + 1 - step;
            if (v > 1)
                v -= 1;
        }
        // Whole milliseconds, so that stepping never drifts.
        v = std::round(v * 86400000.0) / 86400000.0;
        SetTimeValue(v);
        break;
    }
    }
}

void TEsgSpinEdit::UpClick(TObject*)
{
    StepUp(false);
}

void TEsgSpinEdit::DownClick(TObject*)
{
    StepDown(false);
}

// ---- keys

bool TEsgSpinEdit::CharAllowed(QChar& Key)
{
    const TFormatSettings& fs = FormatSettings();
    const QChar D = fs.DecimalSeparator, T = fs.ThousandSeparator, TS = fs.TimeSeparator, DS = fs.DateSeparator;
    const QChar minus = QLatin1Char('-');
    if (Key == u'\b')
        return FEditorEnabled;
    bool ok = Key == D || Key == T || Key == TS || Key == DS || Key.isNumber() || Key == minus;
    if (!ok)
        ok = Key.unicode() < 32 && Key != u'\r';
    auto sharedSeparator = [&](QChar sep) { return sep == D || sep == T || sep == minus || sep == QLatin1Char('+'); };
    if (Key == TS && FSpinType != sptTime) {
        if (!sharedSeparator(TS) || FSpinType == sptDate)
            ok = false;
    }
    if (Key == DS && FSpinType != sptDate) {
        if (!sharedSeparator(DS) || FSpinType == sptTime)
            ok = false;
    }
    const QString text = Text();
    if (Key == minus) {
        if (SelStart() != 0)
            ok = false;
        if (text.contains(minus) && !SelText().contains(minus))
            ok = false;
    }
    if (FSpinType == sptNormal && !(Key.isNumber() || Key == minus))
        ok = false;
    if (FSpinType == sptFloat && Key != QChar(27) && Key != u'\r' && Key != u'\b') {
        if (Key == T)
            ok = false;
        if (Key == D && text.contains(D) && !SelText().contains(D))
            ok = false;
        const Integer p = Pos(QString(D), text);
        if (FPrecision > 0 && ok && p > 0 && SelStart() >= p && SelLength() == 0 && text.size() >= p + FPrecision)
            ok = false;
    }
    if (FSpinType == sptTime && Key == TS && text.count(TS) >= 2)
        ok = false;
    if (!FEditorEnabled && ok)
        ok = Key.unicode() < 32 && Key != u'\b';
    return ok;
}

void TEsgSpinEdit::KeyDown(Word& Key, TShiftState Shift)
{
    FKeypadDecimal = Key == VK_DECIMAL;
    switch (Key) {
    // Stepping keys go no further: no key-down event fires for them.
    case VK_UP: StepUp(false); Key = 0; return;
    case VK_DOWN: StepDown(false); Key = 0; return;
    case VK_PRIOR: StepUp(true); Key = 0; return;
    case VK_NEXT: StepDown(true); Key = 0; return;
    default: break;
    }
    if (Key == VK_RETURN && FReturnIsTab) {
        // Enter moves on like Tab: the form's dialog-key walk takes it.
        Key = VK_TAB;
        PostMessage(this, CN_KEYDOWN, VK_TAB);
    }
    TEmbeddedButtonEdit::KeyDown(Key, Shift);
}

void TEsgSpinEdit::KeyPress(QChar& Key)
{
    if (FKeypadDecimal && FExcelStyleDecimalSeparator && Key == QLatin1Char('.'))
        Key = FormatSettings().DecimalSeparator;
    FKeypadDecimal = false;
    // Ctrl+V and Ctrl+X come as characters too.
    if (IsCutOrPasteChar(Key) && !ClipboardEditAllowed()) {
        Key = QChar(0);
        return;
    }
    if (!CharAllowed(Key)) {
        Key = QChar(0);
        MessageBeep(0);
        return;
    }
    TEmbeddedButtonEdit::KeyPress(Key);
}

void TEsgSpinEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ENTER:
        if (AutoSelect() && (GetKeyState(VK_LBUTTON) >= 0 || !FEditorEnabled))
            SelectAll();
        break;
    case CM_EXIT: {
        TEmbeddedButtonEdit::Dispatch(Message);
        switch (FSpinType) {
        case sptNormal: {
            const Integer v = Value();
            if (Clamped(v, FMinValue, FMaxValue) != v)
                SetValue(v);
            break;
        }
        case sptFloat: {
            const double v = FloatValue();
            if (Clamped(v, FMinFloatValue, FMaxFloatValue) != v)
                SetFloatValue(v);
            break;
        }
        case sptDate: {
            const TDateTime v = DateValue();
            if (Clamped(v, FMinDateValue, FMaxDateValue) != v)
                SetDateValue(v);
            break;
        }
        case sptTime: {
            const TDateTime v = TimeValue();
            if (Clamped(v, FMinDateValue, FMaxDateValue) != v)
                SetTimeValue(v);
            break;
        }
        }
        return;
    }
    default:
        break;
    }
    TEmbeddedButtonEdit::Dispatch(Message);
}

void TEsgSpinEdit::Loaded()
{
    TEmbeddedButtonEdit::Loaded();
    if (FSpinType == sptDate)
        SetDateValue(FDateValue);
    else if (FSpinType == sptTime)
        SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
    ResizeMessage();
}

// ---- layout

Integer TEsgSpinEdit::GetMinHeight()
{
    Integer h = 0, sysH = 0;
    EditTextHeights(Font(), h, sysH);
    return h + std::min(h, sysH) / 4 + 2 + (BorderStyle() == bsSingle ? 4 * GetSystemMetrics(SM_CYBORDER) : 0);
}

TRect TEsgSpinEdit::EditRect()
{
    const Integer m = BorderStyle() == bsNone ? 3 : 0;
    return TRect(m, m, ClientWidth() - FButton->Width() - 2 - m, ClientHeight() + 1);
}
