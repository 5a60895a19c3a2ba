#include "grid/dropdown/ExTimePickerDropDown.h"

#include <QStringList>
#include <cmath>

#include "grid/dropdown/ExWatch.h"
#include "platform/DateTimePicker.h"
#include "platform/ExtCtrls.h"
#include "platform/Locale.h"

namespace {

enum { PartHour, PartMinute, PartSecond };

// Two decimal digits, or none: the fields a typed time may hold.
bool IsTimeField(const QString& Field)
{
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return (Field.size() < 1 || digit(Field[0])) && (Field.size() < 2 || digit(Field[1]));
}

Integer FieldValue(const QString& Field)
{
    return Field.isEmpty() ? 0 : Field.toInt();
}

} // namespace

TExTimePickerDropDown::TExTimePickerDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
    FWatchAppearance->OnChange = [](TObject*) {};
    // The base constructor made the popup and applied the default style
    // before this class existed.
    if (!HasState(csDesigning))
        CreateDropDownForm();
    SetComponentStyle(tsOffice2007Luna);
    FShowTimePicker = false;
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FShowSeconds = true;
    FInternalCall = true;
    SetEditMask(TimeMask());
    SetRawText(FormatTime(0, 0, 0));
    FInternalCall = false;
    FOldText = GetText();
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
}

TExTimePickerDropDown::~TExTimePickerDropDown() = default;

void TExTimePickerDropDown::SetWatchAppearance(const TWatchAppearance* Value)
{
    FWatchAppearance->Assign(Value);
}

void TExTimePickerDropDown::SetWatchSettings(const TWatchSettings* Value)
{
    FWatchSettings->Assign(Value);
}

QString TExTimePickerDropDown::FormatTime(Word H, Word M, Word S) const
{
    const QChar sep = FormatSettings().TimeSeparator;
    auto two = [](Word v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString t = two(H) + sep + two(M);
    if (FShowSeconds)
        t += sep + two(S);
    return t;
}

QString TExTimePickerDropDown::TimeMask() const
{
    const QChar sep = FormatSettings().TimeSeparator;
    return FShowSeconds ? QStringLiteral("!90") + sep + QStringLiteral("00") + sep + QStringLiteral("00;1; ")
                        : QStringLiteral("!90") + sep + QStringLiteral("00;1; ");
}

void TExTimePickerDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FPanelCtrl == nullptr) {
        FPanelCtrl = new TPanel(this);
        FPanelCtrl->SetParent(DropDownForm());
        FPanelCtrl->SetBorderWidth(0);
        FPanelCtrl->SetBevelInner(bvNone);
        FPanelCtrl->SetShowCaption(false);
    }
    FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    if (FExWatch == nullptr) {
        FExWatch = new TExWatch(this);
        FExWatch->SetParent(FPanelCtrl);
        FExWatch->SetAlign(alClient);
    }
    SetControl(FPanelCtrl);
}

void TExTimePickerDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    SetWatchAppearanceStyle(FWatchAppearance.get(), AStyle);
}

void TExTimePickerDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    TDropDownForm* f = DropDownForm();
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
    f->SetWidth(f->Width() + 1);
    f->SetWidth(f->Width() - 1);
    f->SetCancelOnDeActivate(false);
    FPanelCtrl->SetColor(DropDownColor());
    FExWatch->SetAppearance(FWatchAppearance.get());
    FExWatch->SetSettings(FWatchSettings.get());
    FExWatch->SetShowAMPM(FShowWatchAMPM);
    FExWatch->SetShowNumbers(FShowWatchNumbers);
    FExWatch->SetAnimation(FAnimation);
    FExWatch->SetAnimationFactor(FAnimationFactor);
    FExWatch->OnChange = nullptr;
    if (!FWatchSettings->Auto())
        FExWatch->SetTime(FTime);
    FExWatch->OnChange = [this](TObject*) { WatchChange(); };
    if (!FShowTimePicker) {
        if (FDateTimePicker != nullptr)
            FDateTimePicker->SetVisible(false);
        return;
    }
    if (FDateTimePicker == nullptr) {
        FDateTimePicker = new TDateTimePicker(this);
        FDateTimePicker->SetParent(FPanelCtrl);
        FDateTimePicker->SetKind(dtkTime);
    }
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->SetAlign(alBottom);
    FDateTimePicker->SetVisible(true);
    FDateTimePicker->SetTime(FTime);
    FDateTimePicker->BringToFront();
    FDateTimePicker->OnChange = [this](TObject*) { PickerChange(); };
    FDateTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    FDateTimePicker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    FDateTimePicker->OnKeyPress = [this](TObject*, QChar& Key) { ControlKeyPress(Key); };
    FDateTimePicker->SetFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanelCtrl->SetHeight(170 + FDateTimePicker->Height());
}

void TExTimePickerDropDown::DoHideDropDown(bool Cancel)
{
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel) {
        FExWatch->SetTime(FTime);
    } else {
        SetTime(FExWatch->Time());
        // A later cancel comes back to the time taken now.
        FOldText = GetText();
    }
}

void TExTimePickerDropDown::DropDownFormHide()
{
    TExCustomDropDown::DropDownFormHide();
    const QString oldText = FOldText;
    SetTime(FExWatch->Time());
    FOldText = oldText;
}

void TExTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    Word h, m, s, ms;
    DecodeTime(Value, h, m, s, ms);
    FInternalCall = true;
    SetRawText(FormatTime(h, m, s));
    FInternalCall = false;
    if (DroppedDown()) {
        FExWatch->SetTime(Value);
        if (FShowTimePicker && FDateTimePicker != nullptr)
            FDateTimePicker->SetTime(Value);
    } else {
        // A time set while the popup is closed is what a cancel restores.
        FOldText = GetText();
    }
}

void TExTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds)
        return;
    FShowSeconds = Value;
    const TDateTime t = FTime;
    FInternalCall = true;
    SetEditMask(QString());
    SetRawText(QString());
    SetEditMask(TimeMask());
    FInternalCall = false;
    FTime = t + 1;
    SetTime(t);
}

TDateTime TExTimePickerDropDown::WithPart(Integer Part, Word Value) const
{
    Word h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    if (Part == PartHour)
        h = Value;
    else if (Part == PartMinute)
        m = Value;
    else
        s = Value;
    return std::trunc(FTime) + EncodeTime(h, m, s, ms);
}

void TExTimePickerDropDown::SetPart(Integer Part, Integer Value, Integer Limit)
{
    Word h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const Integer current = Part == PartHour ? h : Part == PartMinute ? m : s;
    if (Value == current || Value < 0 || Value > Limit)
        return;
    SetTime(WithPart(Part, Word(Value)));
    if (OnTimeChange)
        OnTimeChange(this);
}

void TExTimePickerDropDown::SetHourPart(Integer Value)
{
    SetPart(PartHour, Value, 23);
}

void TExTimePickerDropDown::SetMinutePart(Integer Value)
{
    SetPart(PartMinute, Value, 59);
}

void TExTimePickerDropDown::SetSecondPart(Integer Value)
{
    SetPart(PartSecond, Value, 59);
}

void TExTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    TExCustomDropDown::KeyDown(Key, Shift);
    if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl))
        return;
    if (Key != VK_UP && Key != VK_DOWN)
        return;
    const Integer p = SelStart();
    const QString t = GetText();
    const QString sep(FormatSettings().TimeSeparator);
    const Integer q1 = Pos(sep, t);
    Word h, m, s, ms;
    DecodeTime(FTime, h, m, s, ms);
    const Integer step = Key == VK_UP ? -1 : 1;
    auto wrap = [](Integer v, Integer n) { return (v + n) % n; };
    if (p < q1) {
        SetHourPart(wrap(h + step, 24));
    } else {
        const Integer q2 = Pos(sep, t.mid(q1));
        if (p - q1 >= q2 && q2 > 0 && FShowSeconds)
            SetSecondPart(wrap(s + step, 60));
        else
            SetMinutePart(wrap(m + step, 60));
    }
    SetSelStart(p);
}

bool TExTimePickerDropDown::IsValidTimeText(const QString& Text) const
{
    const Integer separators = Integer(Text.count(FormatSettings().TimeSeparator));
    return separators == (FShowSeconds ? 2 : 1);
}

void TExTimePickerDropDown::Change()
{
    TExCustomDropDown::Change();
    if (FInternalCall)
        return;
    QString t = GetText();
    if (t.trimmed().size() != (FShowSeconds ? 8 : 5) || !IsValidTimeText(t))
        return;
    t.replace(u' ', u'0');
    const QStringList parts = t.split(FormatSettings().TimeSeparator);
    const QString hour = parts.value(0).trimmed(), minute = parts.value(1).trimmed();
    const QString second = FShowSeconds ? parts.value(2).trimmed() : QString();
    if (!IsTimeField(hour) || !IsTimeField(minute) || !IsTimeField(second))
        return;
    const Integer h = FieldValue(hour), m = FieldValue(minute), s = FieldValue(second);
    // An hour above 23 or a minute or second above 59 leaves the time as it was.
    TDateTime v = 0;
    if (!TryEncodeTime(Word(h), Word(m), Word(s), 0, v))
        return;
    FTime = v;
    const QString normal = FormatTime(Word(h), Word(m), Word(s));
    if (normal != GetText() && m == 0 && s == 0) {
        FInternalCall = true;
        SetRawText(normal);
        FInternalCall = false;
    }
}

void TExTimePickerDropDown::WatchChange()
{
    const TDateTime t = FExWatch->Time();
    if (FDateTimePicker != nullptr && FShowTimePicker && FDateTimePicker->Time() != t - std::trunc(t))
        FDateTimePicker->SetTime(t);
    const bool changed = t != FTime;
    SetTime(t);
    if (changed && OnTimeChange)
        OnTimeChange(this);
}

void TExTimePickerDropDown::PickerChange()
{
    if (FDateTimePicker != nullptr && FExWatch != nullptr && !FWatchSettings->Auto())
        FExWatch->SetTime(FDateTimePicker->Time());
}

namespace {

// The keys that step the clock and the picker stay in the popup unless Alt
// goes with them (Alt+Up and Alt+Down close it).
bool KeptInPopup(Word Key, TShiftState Shift)
{
    return (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}

} // namespace

void TExTimePickerDropDown::DropDownFormKeyDown(Word& Key, TShiftState Shift)
{
    if (!KeptInPopup(Key, Shift))
        TExCustomDropDown::DropDownFormKeyDown(Key, Shift);
    if (DropDownForm()->Visible() && FExWatch != nullptr)
        FExWatch->HandleKey(Key);
}

void TExTimePickerDropDown::DropDownFormKeyUp(Word& Key, TShiftState Shift)
{
    if (!KeptInPopup(Key, Shift))
        TExCustomDropDown::DropDownFormKeyUp(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (!KeptInPopup(Key, Shift))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (!KeptInPopup(Key, Shift))
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExTimePickerDropDown::ControlKeyPress(QChar& Key)
{
    const char16_t c = Key.unicode();
    if ((c == 33 || c == 34 || c == 38 || c == 40) && GetKeyState(VK_MENU) >= 0)
        return;
    TExCustomDropDown::ControlKeyPress(Key);
}
