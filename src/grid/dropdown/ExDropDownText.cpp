// The typed value of the dropdown edit: formatting by edit type, the
// character and key rules around prefix and suffix, the mouse caret rules,
// the clipboard, and the edit window's own typing and caret keys.
#include "grid/dropdown/ExDropDown.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "grid/ExUtil.h"
#include "platform/Clipboard.h"
#include "platform/Locale.h"
#include "platform/Text.h"

namespace {

QChar Dec()
{
    return FormatSettings().DecimalSeparator;
}

QChar Thou()
{
    return FormatSettings().ThousandSeparator;
}

bool IsNumericType(TDropDownEditType t)
{
    return t == etNumeric || t == etFloat || t == etMoney;
}

bool IsRangeSeparator(QChar c)
{
    return c == u',' || c == u'-' || c == u';';
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The text with Delete's rule: Count characters from the 1-based Index; an
// index below 1 deletes nothing.
QString Deleted(QString S, Integer Index, Integer Count)
{
    if (Index >= 1 && Index <= S.size() && Count > 0)
        S.remove(Index - 1, Count);
    return S;
}

Integer HexDigitValue(QChar c)
{
    if (IsDigit(c)) return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    return 0;
}

// The hex edit's value in the width it is written with (IntToHex of a
// 64-bit value), so that a value set reads back the same.
Int64 HexToInt(const QString& S)
{
    std::uint64_t v = 0, weight = 1;
    for (qsizetype i = S.size() - 1; i >= 0; --i) {
        v += std::uint64_t(HexDigitValue(S.at(i))) * weight;
        weight *= 16;
    }
    return Int64(v);
}

// X truncated into the 64-bit range, 0 for a NaN: the conversion of a
// double outside it is undefined.
Int64 TruncToInt64(double X)
{
    if (std::isnan(X))
        return 0;
    // 2^63 is exact as a double; every double below it truncates in range.
    constexpr double limit = 9223372036854775808.0;
    if (X >= limit)
        return std::numeric_limits<Int64>::max();
    if (X < -limit)
        return std::numeric_limits<Int64>::min();
    return Int64(std::trunc(X));
}

// The integer digits of a money value regrouped as text: no conversion
// through a double, so every typed digit stays. Leading zeros go, as a
// number's would; an integer part that is not all digits reads as 0.
QString MoneyIntegerPart(const QString& Digits, bool Grouped, QChar Separator)
{
    qsizetype first = 0;
    while (first < Digits.size() && Digits.at(first) == u'0')
        ++first;
    QString d = Digits.mid(first);
    if (d.isEmpty() || !std::all_of(d.begin(), d.end(), [](QChar c) { return IsDigit(c); }))
        return QStringLiteral("0");
    if (!Grouped)
        return d;
    QString g;
    g.reserve(d.size() + d.size() / 3);
    for (qsizetype i = 0; i < d.size(); ++i) {
        if (i > 0 && (d.size() - i) % 3 == 0)
            g += Separator;
        g += d.at(i);
    }
    return g;
}

QString NumberFormat(QChar Type, Integer Precision)
{
    return Precision < 0 ? QStringLiteral("%g") : QStringLiteral("%.") + QString::number(Precision) + Type;
}

} // namespace

Integer ClassifyText(const QString& Text)
{
    if (Text.isEmpty())
        return 2;
    const QChar dec = Dec(), thou = Thou();
    bool isInt = true, isFloat = true, isHex = true;
    Integer minus = 0, decimals = 0, lastThou = -1;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        const Integer k = Integer(i) + 1;
        if (!(c == u'-' || IsDigit(c)))
            isInt = false;
        if (!(c == u',' || c == u'-' || c == u'.' || IsDigit(c)))
            isFloat = false;
        if (c == thou) {
            if (k - lastThou < 3)
                isFloat = false;
            lastThou = k;
        }
        if (!(c == u'-' || IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            isHex = false;
        if (c == u'-')
            ++minus;
        if (c == dec)
            ++decimals;
    }
    Integer result = 2;
    if (isHex && !isInt)
        result = 5;
    if (isInt)
        result = 0;
    else if (isFloat)
        result = 1;
    if (minus > 1 || decimals > 1)
        result = 2;
    return result;
}

double TextToFloat(QString Text)
{
    if (Text.contains(Thou()))
        Text.remove(Thou());
    Text = Text.trimmed();
    if (Dec() != u'.') {
        if (Text.contains(u'.'))
            return 0;
        Text.replace(Dec(), u'.');
    }
    bool ok = false;
    const double v = Text.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

// ------------------------------------------------------------ value and text

QString TExCustomDropDown::GetText() const
{
    QString t = WindowText();
    if (!FPrefix.isEmpty() && t.startsWith(FPrefix))
        t.remove(0, FPrefix.size());
    if (!FSuffix.isEmpty())
        t.chop(std::min(t.size(), FSuffix.size()));
    return t;
}

void TExCustomDropDown::SetTextValue(const QString& Value)
{
    SetText(Value);
}

void TExCustomDropDown::SetText(const QString& Value)
{
    QString v = Value;
    if (v.isEmpty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
        v = QStringLiteral("0");
    if (FPrecision > 0 && !v.isEmpty() && v != QLatin1String("Error")) {
        if (FEditType == etMoney)
            v = Format(NumberFormat(u'n', FPrecision), {TextToFloat(v)});
        else if (FEditType == etFloat)
            v = Format(NumberFormat(u'f', FPrecision), {TextToFloat(v)});
    }
    if (FEditType == etHex)
        v = v.toUpper();
    TCustomMaskEdit::SetTextValue(FPrefix + v + FSuffix);
    FOldText = v;
    SetModified(false);
}

void TExCustomDropDown::SetRawText(const QString& Value)
{
    TCustomMaskEdit::SetTextValue(Value);
}

void TExCustomDropDown::Change()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TCustomMaskEdit::Change();
}

void TExCustomDropDown::SetValueText(const QString& Value, Integer Caret)
{
    TCustomMaskEdit::SetTextValue(FPrefix + Value + FSuffix);
    SetSelStart(Caret);
}

double TExCustomDropDown::GetFloatValue() const
{
    const QString v = GetText();
    switch (FEditType) {
    case etString: {
        bool ok = false;
        const double d = v.trimmed().toDouble(&ok);
        return ok ? d : 0;
    }
    case etNumeric:
    case etFloat:
        if (v.isEmpty() || v == QLatin1String("Error") || v == QLatin1String("-"))
            return 0;
        return TextToFloat(v);
    case etMoney: {
        if (v.isEmpty())
            return 0;
        QString s = v;
        s.remove(Thou());
        if (s.endsWith(Dec()))
            s.chop(1);
        if (s.isEmpty() || s == QLatin1String("-"))
            return 0;
        return TextToFloat(s);
    }
    case etHex:
        return v.isEmpty() ? 0 : HexToInt(v);
    default:
        return 0;
    }
}

void TExCustomDropDown::SetFloatValue(double X)
{
    switch (FEditType) {
    case etString:
    case etFloat: SetText(Format(NumberFormat(u'f', FPrecision), {X})); break;
    case etNumeric: SetText(Format(NumberFormat(u'n', FPrecision), {X})); break;
    case etMoney:
        SetText(Format(NumberFormat(u'f', FPrecision), {X}));
        FormatMoney();
        break;
    case etHex: SetText(IntToHex(TruncToInt64(X), 0)); break;
    default: break;
    }
    SetModified(true);
}

void TExCustomDropDown::SetIntValue(Integer N)
{
    switch (FEditType) {
    case etNumeric:
    case etFloat: SetText(IntToStr(N)); break;
    case etMoney:
        SetText(IntToStr(N));
        FormatMoney();
        break;
    case etHex: SetText(IntToHex(N, 0)); break;
    default: break;
    }
    SetModified(true);
}

void TExCustomDropDown::FormatMoney()
{
    QString v = GetText();
    if (v.isEmpty())
        return;
    const Integer l0 = Integer(v.size());
    const Integer c = SelStart();
    QString sign;
    if (v.startsWith(u'-')) {
        sign = QStringLiteral("-");
        v.remove(0, 1);
    }
    const qsizetype d = v.indexOf(Dec());
    const QString frac = d >= 0 ? v.mid(d, 255) : QString();
    QString digits = d >= 0 ? v.left(d) : v;
    digits.remove(Thou());
    const QString g = MoneyIntegerPart(digits, FAutoThousandSeparator, Thou());
    const SmallInt precision = FPrecision;
    FPrecision = 0;
    const QString value = sign + g + frac;
    FBlockChange = GetText() != value;
    TCustomMaskEdit::SetTextValue(FPrefix + value + FSuffix);
    FBlockChange = false;
    FPrecision = precision;
    SetSelStart(std::max(0, c + Integer(value.size()) - l0));
}

void TExCustomDropDown::SetEditType(TDropDownEditType Value)
{
    if (Value == FEditType)
        return;
    FEditType = Value;
    if (Value == etPassword) {
        SetPasswordChar(u'*');
        FCanUndo = false;
        RecreateWnd();
    } else {
        SetPasswordChar(QChar());
    }
    const Integer kind = ClassifyText(GetText());
    if (Value == etNumeric && kind != 0)
        SetIntValue(0);
    else if ((Value == etFloat || Value == etMoney) && kind != 0 && kind != 1)
        SetFloatValue(0);
    else if (Value == etHex && kind != 0 && kind != 5)
        SetIntValue(0);
    if (HasState(csDesigning) && Value == etFloat && FPrecision == 0)
        FPrecision = 2;
}

void TExCustomDropDown::SetPrecision(SmallInt Value)
{
    if (Value == FPrecision)
        return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney)
        return;
    FPrecision = Value;
    const Integer kind = ClassifyText(GetText());
    if (kind != 0 && kind != 1)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

void TExCustomDropDown::SelectAll()
{
    SetCaret(Integer(FPrefix.size()), Integer(FPrefix.size() + GetText().size()));
}

void TExCustomDropDown::SelectAfterDecimal()
{
    const qsizetype d = GetText().indexOf(Dec());
    SetSelStart(Integer(FPrefix.size() + (d >= 0 ? d + 1 : 0)));
}

void TExCustomDropDown::SelectBeforeDecimal()
{
    const qsizetype d = GetText().indexOf(Dec());
    SetSelStart(Integer(FPrefix.size() + (d >= 0 ? d : 0)));
}

void TExCustomDropDown::SetModified(bool Value)
{
    if (HasState(csLoading) || !FEditorEnabled || ReadOnly())
        return;
    TCustomMaskEdit::SetModified(Value);
    FIsModified = Value;
}

// ------------------------------------------------------------ helpers of the rules

bool TExCustomDropDown::IsSignKey(QChar Ch) const
{
    return Ch == u'-' && FSigned && IsNumericType(FEditType);
}

Integer TExCustomDropDown::GetIntegerPartLength(QString S) const
{
    S.remove(Thou());
    const qsizetype d = S.indexOf(Dec());
    Integer n = d >= 0 ? Integer(d) + 1 : Integer(S.size()) + 1;
    if (FSigned && IsNumericType(FEditType) && S.contains(u'-'))
        --n;
    return n;
}

Integer TExCustomDropDown::GetDecimalPos() const
{
    const QString v = GetText();
    const qsizetype d = v.indexOf(Dec());
    if (d >= 0)
        return Integer(d + 1 + FPrefix.size());
    return Integer(FPrefix.size() + v.size() + FSuffix.size()) + 1;
}

bool TExCustomDropDown::PrecisionReached(const QString& S, Integer SelStart) const
{
    const Integer p = SelStart - Integer(FPrefix.size());
    if (FPrecision <= 0 || Integer(S.size()) - p > FPrecision)
        return false;
    const qsizetype d = S.indexOf(Dec());
    if (d < 0)
        return false;
    const Integer pos = Integer(d) + 1;
    return p >= pos && Integer(S.size()) - pos >= FPrecision;
}

bool TExCustomDropDown::SeparatorMisplaced(QString S, Integer SelStart) const
{
    Integer p = SelStart - Integer(FPrefix.size());
    if (!S.contains(Thou()))
        return false;
    Integer m = Integer(S.size());
    for (qsizetype i = S.indexOf(Thou()); i >= 0; i = S.indexOf(Thou())) {
        const Integer t = Integer(i) + 1;
        m = std::min(m, std::abs(t - p));
        if (std::abs(t - p) < 3)
            return true;
        if (p > t)
            p -= t;
        S.remove(0, t);
    }
    return m > 3;
}

QString TExCustomDropDown::SelectedValuePart() const
{
    return GetText().mid(std::max(0, SelStart() - Integer(FPrefix.size())), SelLength());
}

// ------------------------------------------------------------ typing

void TExCustomDropDown::NumericSignToggle(bool HoldPrecision)
{
    QString v = GetText();
    const Integer plen = Integer(FPrefix.size());
    const Integer p = SelStart();
    const SmallInt precision = FPrecision;
    if (HoldPrecision)
        FPrecision = 0;
    if (v.contains(u'-')) {
        v.remove(0, 1);
        SetValueText(v, p > plen ? p - 1 : plen);
        if (HoldPrecision)
            SetModified(true);
    } else {
        SetValueText(QStringLiteral("-") + v, p + 1);
        SetModified(true);
    }
    FPrecision = precision;
    SetSelLength(0);
}

void TExCustomDropDown::ValueCharRules(TMessage& Message)
{
    QChar ch(char16_t(Message.WParam));
    const QString v = GetText();
    const Integer plen = Integer(FPrefix.size());
    const bool wholeSelected = !v.isEmpty() && SelStart() == plen && SelLength() == Integer(v.size());
    auto refuse = [&] {
        // A refused key changes nothing, so no change is to be swallowed.
        FBlockChange = false;
        Message.WParam = 0;
    };
    if (wholeSelected)
        FBlockChange = true;
    if (FExcelStyleDecimalSeparator && FKeypadDecimal && (ch == u'.' || ch == u',')) {
        ch = Dec();
        Message.WParam = ch.unicode();
    }
    FKeypadDecimal = false;
    if (ch == u'\b' && !FPrefix.isEmpty() && SelStart() <= plen && SelLength() == 0)
        return refuse();
    if (FLengthLimit > 0 && GetIntegerPartLength(v) > FLengthLimit && SelLength() == 0 && SelStart() < GetDecimalPos() &&
        ch != u'\b' && ch != Dec() && !IsSignKey(ch))
        return refuse();
    if (ch == u'\b') {
        const QString rest = SelLength() > 0 ? Deleted(v, SelStart() - plen, SelLength()) : Deleted(v, SelStart() - plen, 1);
        TCustomMaskEdit::Dispatch(Message);
        if (GetText().isEmpty() && !rest.isEmpty())
            Change();
        return;
    }
    if (ch == u'\n')
        return refuse();
    if (ch == u'-' && IsNumericType(FEditType) && !FSigned)
        return refuse();
    TypeByEditType(Message, ch);
    if (Modified())
        SetModified(true);
}

void TExCustomDropDown::TypeByEditType(TMessage& Message, QChar Ch)
{
    const QString v = GetText();
    const Integer plen = Integer(FPrefix.size());
    const QChar dec = Dec(), thou = Thou();
    const bool ctrlKey = GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0 || GetKeyState(VK_CONTROL) < 0;
    auto refuse = [&] {
        FBlockChange = false;
        Message.WParam = 0;
    };
    auto inherited = [&] { TCustomMaskEdit::Dispatch(Message); };
    const bool control = Ch == u'\b' || Ch == u'\t' || Ch == u'\r';
    switch (FEditType) {
    case etString:
    case etPassword:
        SetModified(true);
        inherited();
        return;
    case etUppercase:
    case etLowerCase:
        Message.WParam = (FEditType == etUppercase ? Ch.toUpper() : Ch.toLower()).unicode();
        inherited();
        return;
    case etMixedCase: {
        const Integer p = SelStart();
        inherited();
        if (Message.WParam == 0)
            return;
        SetValueText(ToMixedCase(GetText()), p + 1);
        return;
    }
    case etAlphaNumeric:
    case etHex:
    case etValidChars: {
        bool ok = false;
        if (FEditType == etValidChars)
            ok = Ch == u'\b' || FValidChars.contains(Ch);
        else if (FEditType == etHex)
            ok = control || Ch == u'-' || IsDigit(Ch) || (Ch >= u'A' && Ch <= u'F') || (Ch >= u'a' && Ch <= u'f');
        else
            ok = control || IsDigit(Ch) || (Ch >= u'A' && Ch <= u'Z') || (Ch >= u'a' && Ch <= u'z');
        if (!ok)
            return refuse();
        SetModified(true);
        inherited();
        return;
    }
    case etRange: {
        const bool accepted = control || IsDigit(Ch) || IsRangeSeparator(Ch);
        if (!accepted)
            return refuse();
        SetModified(true);
        if (IsRangeSeparator(Ch)) {
            const QString w = WindowText() + u' ';
            const Integer s = SelStart();
            if (s <= plen || (s >= 1 && IsRangeSeparator(w.at(s - 1))) || IsRangeSeparator(w.at(std::min<qsizetype>(s, w.size() - 1))))
                return refuse();
        }
        inherited();
        return;
    }
    case etNumeric:
        if (Ch == u'-') {
            if (!v.isEmpty() && SelStart() == plen && SelLength() == Integer(v.size())) {
                SetValueText(QStringLiteral("-"), plen + 1);
                return;
            }
            NumericSignToggle(false);
            return;
        }
        if (control || IsDigit(Ch) || ctrlKey)
            inherited();
        else
            refuse();
        return;
    case etFloat:
    case etMoney: {
        const bool money = FEditType == etMoney;
        const QString sel = SelectedValuePart();
        if (!money) {
            if ((Ch == u',' && dec != u',' && thou != u',') || (Ch == u'.' && dec != u'.' && thou != u'.'))
                return refuse();
            if (!(control || Ch == u',' || Ch == u'-' || Ch == u'.' || IsDigit(Ch)))
                return refuse();
            if (Ch == dec && !sel.contains(dec) && (v.contains(dec) || FPrecision == 0)) {
                refuse();
                if (FPrecision > 0)
                    SelectAfterDecimal();
                return;
            }
            if (Ch == u',' && v.contains(u',') && !sel.contains(u',') && thou != u',')
                return refuse();
            if ((Ch == thou || Ch == dec) && SeparatorMisplaced(v, SelStart()))
                return refuse();
        } else {
            if (Ch == dec && (v.contains(dec) || FPrecision == 0)) {
                refuse();
                if (FPrecision > 0) {
                    if (!v.isEmpty() && SelStart() == plen && SelLength() == Integer(v.size()))
                        SetText(QStringLiteral("0") + dec + QStringLiteral("0"));
                    SelectAfterDecimal();
                }
                return;
            }
            if (!(control || Ch == u'-' || IsDigit(Ch) || Ch == dec))
                return refuse();
            if (Ch == dec && SeparatorMisplaced(v, SelStart()))
                return refuse();
        }
        if ((IsDigit(Ch) || Ch == dec) && SelLength() == 0 && PrecisionReached(v, SelStart())) {
            const qsizetype d = v.indexOf(dec);
            const Integer vp = SelStart() - plen;
            if (IsDigit(Ch) && d >= 0 && vp > d && vp < v.size()) {
                SetSelLength(1);
            } else {
                return refuse();
            }
        }
        if (v.isEmpty() && SelStart() == 0 && Ch == dec) {
            SetValueText(QStringLiteral("0") + dec, 2);
            SetModified(true);
            return;
        }
        if (Ch == u'-' && SelLength() == 0) {
            NumericSignToggle(true);
            if (money)
                FormatMoney();
            return;
        }
        inherited();
        if (money && Message.WParam != 0) {
            const QString now = GetText();
            if (!now.isEmpty() && now != QLatin1String("-") && Ch != dec) {
                if (Modified())
                    SetModified(true);
                FormatMoney();
            }
        }
        return;
    }
    }
}

// ------------------------------------------------------------ caret keys

bool TExCustomDropDown::ValueKeyRules(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    const Integer plen = Integer(FPrefix.size());
    const QString v = GetText();
    const Integer e = plen + Integer(v.size());
    const Integer selEnd = SelStart() + SelLength();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    auto refuse = [&] {
        Message.WParam = 0;
        Message.Result = 0;
        return false;
    };
    switch (key) {
    case VK_RIGHT:
        if (!FSuffix.isEmpty() && selEnd >= e && !shift)
            return refuse();
        if (!FSuffix.isEmpty() && CaretPos() >= e)
            return refuse();
        break;
    case VK_LEFT:
        if (!FPrefix.isEmpty() && CaretPos() <= plen)
            return refuse();
        break;
    case VK_END:
        if (!FSuffix.isEmpty()) {
            if (shift)
                SetCaret(SelLength() > 0 && FAnchor != SelStart() ? FAnchor : SelStart(), e);
            else
                SetCaret(e, e);
            Message.WParam = 0;
            return false;
        }
        break;
    case VK_HOME:
        if (!FPrefix.isEmpty()) {
            if (shift)
                SetCaret(e, plen);
            else
                SetCaret(plen, plen);
            Message.WParam = 0;
            return false;
        }
        break;
    case VK_BACK:
        if (!FPrefix.isEmpty() && SelStart() <= plen + 1)
            return refuse();
        SetModified(true);
        break;
    case VK_DELETE: {
        if (!FSuffix.isEmpty() && selEnd >= e && SelLength() == 0)
            return refuse();
        if (SelStart() >= plen) {
            const QString after = SelLength() > 0 ? Deleted(v, SelStart() - plen + 1, SelLength())
                                                  : Deleted(v, SelStart() - plen + 1, 1);
            if (FLengthLimit > 0 && GetIntegerPartLength(after) - 1 > FLengthLimit)
                return refuse();
        }
        SetModified(true);
        break;
    }
    default:
        break;
    }
    return true;
}

// ------------------------------------------------------------ mouse

void TExCustomDropDown::LeftButtonDown(TMessage& Message)
{
    if (!FEditorEnabled) {
        TCustomMaskEdit::Dispatch(Message);
        DropDownButtonClick();
        return;
    }
    const Integer p = LOWORD(Perform(EM_CHARFROMPOS, 0, Message.LParam));
    if (SelLength() > 0 && p >= SelStart() && p <= SelStart() + SelLength() && Focused()) {
        FButtonDown = true;
        return;
    }
    TCustomMaskEdit::Dispatch(Message);
}

void TExCustomDropDown::LeftButtonUp(TMessage& Message)
{
    if (!FEditorEnabled || ReadOnly()) {
        TCustomMaskEdit::Dispatch(Message);
        PaintFocusedText();
        return;
    }
    if (FButtonDown) {
        const Integer p = LOWORD(Perform(EM_CHARFROMPOS, 0, Message.LParam));
        SetCaret(p, p);
    }
    FButtonDown = false;
    TCustomMaskEdit::Dispatch(Message);
    const Integer plen = Integer(FPrefix.size());
    if (!FPrefix.isEmpty() && SelStart() < plen) {
        SetCaret(plen, plen + Integer(GetText().size()));
    }
    if (!FSuffix.isEmpty()) {
        const Integer e = plen + Integer(GetText().size());
        if (SelStart() > e)
            SetCaret(e, e);
        else if (SelStart() + SelLength() > e)
            SetCaret(SelStart(), e);
    }
}

// ------------------------------------------------------------ focus

void TExCustomDropDown::KillFocusMessage(TMessage& Message)
{
    if (HasState(csLoading))
        return;
    const QString v = GetText();
    if (FPrecision > 0 && (FEditType == etFloat || FEditType == etMoney) && (!v.isEmpty() || !FAllowNumericNullValue)) {
        const bool modified = Modified();
        SetFloatValue(GetFloatValue());
        SetModified(modified);
    }
    if (FEditType == etNumeric && v.isEmpty() && !FAllowNumericNullValue)
        SetText(QStringLiteral("0"));
    if ((FEditType == etFloat || FEditType == etMoney) && v.isEmpty() && !FAllowNumericNullValue)
        SetFloatValue(0);
    TCustomMaskEdit::Dispatch(Message);
    if (!FEditorEnabled)
        Invalidate();
}

// ------------------------------------------------------------ clipboard

void TExCustomDropDown::CutMessage(TMessage& Message)
{
    if (!FEditorEnabled || ReadOnly())
        return;
    bool allow = true;
    FBlockCopy = true;
    QString part = SelectedValuePart();
    if (OnClipboardCut)
        OnClipboardCut(this, part, allow);
    if (allow)
        DefaultHandler(Message);
    FBlockCopy = false;
}

void TExCustomDropDown::CopyMessage(TMessage& Message)
{
    bool allow = true;
    QString part = SelectedValuePart();
    if (OnClipboardCopy && !FBlockCopy)
        OnClipboardCopy(this, part, allow);
    FBlockCopy = false;
    if (allow)
        DefaultHandler(Message);
}

void TExCustomDropDown::PasteMessage(TMessage&)
{
    if (ReadOnly() || !Clipboard()->HasText())
        return;
    const QString clip = Clipboard()->AsText();
    const Integer plen = Integer(FPrefix.size());
    const QString v = GetText();
    const Integer vs = std::clamp(SelStart() - plen, 0, Integer(v.size()));
    const Integer vl = std::min(SelLength(), Integer(v.size()) - vs);
    QString pasted = v;
    pasted.replace(vs, vl, clip);
    const bool hadSelection = SelLength() > 0;
    const Integer restoreStart = plen + vs, restoreEnd = plen + vs + Integer(clip.size());
    bool allow = true;
    if (OnClipboardPaste)
        OnClipboardPaste(this, pasted, allow);
    if (!allow)
        return;
    if (MaxLength() > 0 && Integer(clip.size() + v.size()) - SelLength() > MaxLength())
        return;
    const Integer kind = ClassifyText(pasted);
    auto allOf = [&pasted](auto test) { return std::all_of(pasted.begin(), pasted.end(), test); };
    switch (FEditType) {
    case etString:
    case etPassword: SetText(pasted); break;
    case etNumeric:
        if (kind == 0 && (FSigned || !pasted.contains(u'-'))) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etFloat:
    case etMoney:
        if ((kind == 0 || kind == 1) && !(FPrecision == 0 && clip.contains(Dec())) && (FSigned || !pasted.contains(u'-'))) {
            SetText(pasted);
            SetFloatValue(GetFloatValue());
            SetModified(true);
        }
        break;
    case etUppercase: SetText(pasted.toUpper()); break;
    case etLowerCase: SetText(pasted.toLower()); break;
    case etMixedCase: SetText(ToMixedCase(pasted)); break;
    case etAlphaNumeric:
        if (allOf([](QChar c) { return IsDigit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); })) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etValidChars:
        if (allOf([this](QChar c) { return FValidChars.contains(c); })) {
            SetText(pasted);
            SetModified(true);
        }
        break;
    case etRange:
    case etHex: break;
    }
    if (FEditType == etMoney && GetText().size() > 3)
        SelectAll();
    else if (hadSelection)
        SetCaret(restoreStart, restoreEnd);
    else
        SetCaret(restoreEnd, restoreEnd);
    if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase ||
        FEditType == etPassword)
        SetModified(true);
}

// ------------------------------------------------------------ the edit window's own input

Integer TExCustomDropDown::CaretPos() const
{
    if (SelLength() == 0)
        return SelStart();
    return FAnchor == SelStart() ? SelStart() + SelLength() : SelStart();
}

void TExCustomDropDown::SetCaret(Integer Anchor, Integer Caret)
{
    const Integer len = Integer(WindowText().size());
    Anchor = std::clamp(Anchor, 0, len);
    Caret = std::clamp(Caret, 0, len);
    SetSelStart(std::min(Anchor, Caret));
    SetSelLength(std::abs(Caret - Anchor));
    FAnchor = Anchor;
}

void TExCustomDropDown::SetEditedText(const QString& Text, Integer Caret)
{
    if (IsMasked()) {
        TCustomMaskEdit::SetTextValue(Text);
        SetCaret(Caret, Caret);
        return;
    }
    FAnchor = Caret;
    FTypedChange = true;
    SetTypedText(Text, Caret);
    FTypedChange = false;
}

void TExCustomDropDown::EditChar(QChar Ch)
{
    if (Ch == QChar(3)) {
        Perform(WM_COPY);
        return;
    }
    if (Ch == QChar(22)) {
        Perform(WM_PASTE);
        return;
    }
    if (Ch == QChar(24)) {
        Perform(WM_CUT);
        return;
    }
    if (ReadOnly() || Ch.isNull())
        return;
    QString t = WindowText();
    Integer s = SelStart(), l = SelLength();
    if (Ch == u'\b') {
        if (l == 0) {
            if (s == 0)
                return;
            --s;
            l = 1;
        }
        t.remove(s, l);
    } else {
        if (Ch.unicode() < 32)
            return;
        if (MaxLength() > 0 && Integer(t.size()) - l + 1 > MaxLength())
            return;
        t.replace(s, l, Ch);
        ++s;
    }
    TCustomMaskEdit::SetModified(true);
    SetEditedText(t, s);
}

void TExCustomDropDown::EditKey(Word Key, TShiftState Shift)
{
    const Integer len = Integer(WindowText().size());
    const Integer caret = CaretPos();
    const Integer anchor = SelLength() > 0 ? FAnchor : caret;
    auto move = [&](Integer to) {
        if (Shift.Contains(ssShift))
            SetCaret(anchor, to);
        else
            SetCaret(to, to);
    };
    switch (Key) {
    case VK_LEFT:
        if (!Shift.Contains(ssShift) && SelLength() > 0)
            move(SelStart());
        else
            move(std::max(0, caret - 1));
        break;
    case VK_RIGHT:
        if (!Shift.Contains(ssShift) && SelLength() > 0)
            move(SelStart() + SelLength());
        else
            move(std::min(len, caret + 1));
        break;
    case VK_HOME: move(0); break;
    case VK_END: move(len); break;
    case VK_DELETE:
        if (Shift.Contains(ssShift)) {
            Perform(WM_CUT);
        } else if (!ReadOnly()) {
            QString t = WindowText();
            const Integer s = SelStart();
            const Integer l = SelLength() > 0 ? SelLength() : (s < len ? 1 : 0);
            if (l == 0)
                return;
            t.remove(s, l);
            TCustomMaskEdit::SetModified(true);
            SetEditedText(t, s);
        }
        break;
    case VK_INSERT:
        if (Shift.Contains(ssShift))
            Perform(WM_PASTE);
        else if (Shift.Contains(ssCtrl))
            Perform(WM_COPY);
        break;
    default: break;
    }
}

void TExCustomDropDown::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR:
        if (FEditorEnabled)
            EditChar(QChar(char16_t(Message.WParam)));
        return;
    case WM_KEYDOWN:
        if (FEditorEnabled)
            EditKey(Word(Message.WParam), KeyDataToShiftState());
        return;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK: {
        if (!FEditorEnabled)
            return;
        const Integer p = LOWORD(Perform(EM_CHARFROMPOS, 0, Message.LParam));
        if (Message.Msg == WM_LBUTTONDBLCLK) {
            SelectAll();
        } else if (Message.Msg == WM_LBUTTONDOWN) {
            if (Message.WParam & MK_SHIFT)
                SetCaret(SelLength() > 0 ? FAnchor : CaretPos(), p);
            else
                SetCaret(p, p);
            FMouseSelecting = true;
        } else if (FMouseSelecting && (Message.WParam & MK_LBUTTON)) {
            SetCaret(FAnchor, p);
        }
        return;
    }
    case WM_LBUTTONUP:
        FMouseSelecting = false;
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return;
    case WM_COPY:
        if (SelLength() > 0 && PasswordChar().isNull())
            Clipboard()->SetAsText(WindowText().mid(SelStart(), SelLength()));
        return;
    case WM_CUT:
        if (SelLength() > 0 && PasswordChar().isNull() && !ReadOnly()) {
            Clipboard()->SetAsText(WindowText().mid(SelStart(), SelLength()));
            EditChar(u'\b');
        }
        return;
    default:
        TCustomMaskEdit::DefaultHandler(Message);
        return;
    }
}
