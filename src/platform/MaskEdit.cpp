#include "platform/MaskEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/WidgetBridge.h"

// ------------------------------------------------------------ TEditMask

TEditMask::TEditMask(const QString& mask)
{
    // The pattern ends at the first unescaped ';'; then save-literals and blank.
    QString pattern;
    QStringList rest;
    int i = 0;
    for (; i < mask.size(); ++i) {
        if (mask[i] == u'\\' && i + 1 < mask.size()) {
            pattern += mask[i];
            pattern += mask[++i];
        } else if (mask[i] == u';') {
            break;
        } else {
            pattern += mask[i];
        }
    }
    if (i < mask.size())
        rest = mask.mid(i + 1).split(u';');
    if (!rest.isEmpty() && !rest[0].isEmpty())
        FSaveLiterals = rest[0] != QStringLiteral("0");
    if (rest.size() > 1 && !rest[1].isEmpty())
        FBlank = rest[1][0];
    int caseMode = 0;
    for (int k = 0; k < pattern.size(); ++k) {
        const QChar c = pattern[k];
        TPos p;
        p.Case = caseMode;
        switch (c.unicode()) {
        case u'!': continue;
        case u'>':
            if (k + 1 < pattern.size() && pattern[k + 1] == u'<') {
                caseMode = 0;
                ++k;
            } else {
                caseMode = 1;
            }
            continue;
        case u'<': caseMode = -1; continue;
        case u'\\':
            if (k + 1 < pattern.size())
                p.Literal = pattern[++k];
            break;
        case u'0': p.Kind = kDigit; p.Required = true; break;
        case u'9': p.Kind = kDigit; break;
        case u'#': p.Kind = kDigitOrSign; break;
        case u'L': p.Kind = kLetter; p.Required = true; break;
        case u'l': p.Kind = kLetter; break;
        case u'A': p.Kind = kAlnum; p.Required = true; break;
        case u'a': p.Kind = kAlnum; break;
        case u'C': p.Kind = kAny; p.Required = true; break;
        case u'c': p.Kind = kAny; break;
        case u'_': p.Literal = u' '; break;
        default: p.Literal = c; break;
        }
        FPos.push_back(p);
    }
}

bool TEditMask::IsLiteral(Integer pos) const
{
    return pos >= 0 && pos < Length() && FPos[size_t(pos)].Kind == kLiteral;
}

QChar TEditMask::Accept(Integer pos, QChar ch) const
{
    if (pos < 0 || pos >= Length())
        return {};
    const TPos& p = FPos[size_t(pos)];
    bool ok = false;
    switch (p.Kind) {
    case kLiteral: return {};
    case kDigit: ok = ch.isDigit(); break;
    case kDigitOrSign: ok = ch.isDigit() || ch == u'+' || ch == u'-'; break;
    case kLetter: ok = ch.isLetter(); break;
    case kAlnum: ok = ch.isLetterOrNumber(); break;
    case kAny: ok = ch.isPrint(); break;
    }
    if (!ok)
        return {};
    return p.Case > 0 ? ch.toUpper() : p.Case < 0 ? ch.toLower() : ch;
}

QString TEditMask::EditTextFor(const QString& text) const
{
    QString out;
    int t = 0;
    for (Integer i = 0; i < Length(); ++i) {
        const TPos& p = FPos[size_t(i)];
        if (p.Kind == kLiteral) {
            out += p.Literal;
            if (FSaveLiterals && t < text.size() && text[t] == p.Literal)
                ++t;
            continue;
        }
        QChar c = t < text.size() ? text[t++] : QChar();
        const QChar accepted = c.isNull() ? QChar() : Accept(i, c);
        out += accepted.isNull() ? FBlank : accepted;
    }
    return out;
}

QString TEditMask::TextFor(const QString& editText) const
{
    QString out;
    for (Integer i = 0; i < Length() && i < editText.size(); ++i) {
        if (FPos[size_t(i)].Kind == kLiteral) {
            if (FSaveLiterals)
                out += editText[i];
        } else {
            out += editText[i] == FBlank ? QChar(u' ') : editText[i];
        }
    }
    // Trailing blanks of unfilled positions are not text.
    while (out.endsWith(u' ') && !FSaveLiterals)
        out.chop(1);
    return out;
}

Integer TEditMask::FirstInvalid(const QString& editText) const
{
    for (Integer i = 0; i < Length(); ++i) {
        const TPos& p = FPos[size_t(i)];
        if (p.Kind == kLiteral)
            continue;
        const QChar c = i < editText.size() ? editText[i] : FBlank;
        if (c == FBlank || c == u' ') {
            if (p.Required)
                return i;
        } else if (Accept(i, c).isNull()) {
            return i;
        }
    }
    return -1;
}

Integer TEditMask::NextEditable(Integer pos) const
{
    for (Integer i = std::max<Integer>(pos, 0); i < Length(); ++i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

Integer TEditMask::PrevEditable(Integer pos) const
{
    for (Integer i = std::min<Integer>(pos, Length() - 1); i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

// ------------------------------------------------------------ TCustomMaskEdit

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
}

void TCustomMaskEdit::SetEditMask(const QString& value)
{
    const QString text = GetText();
    FEditMask = value;
    FMask = TEditMask(value);
    if (IsMasked()) {
        FEditText = FMask.EditTextFor(text);
        ShowEditText(FMask.NextEditable(0));
    } else {
        TCustomEdit::SetTextValue(text);
    }
}

QString TCustomMaskEdit::EditText() const
{
    return IsMasked() ? FEditText : FText;
}

void TCustomMaskEdit::SetEditText(const QString& value)
{
    if (!IsMasked()) {
        SetText(value);
        return;
    }
    FEditText = FMask.EditTextFor(FMask.TextFor(value));
    ShowEditText(0);
    Change();
}

QString TCustomMaskEdit::GetText() const
{
    return IsMasked() ? FMask.TextFor(FEditText) : TCustomEdit::GetText();
}

void TCustomMaskEdit::SetTextValue(const QString& value)
{
    if (!IsMasked()) {
        TCustomEdit::SetTextValue(value);
        return;
    }
    FEditText = FMask.EditTextFor(value);
    ShowEditText(FMask.NextEditable(0));
    Change();
}

void TCustomMaskEdit::ShowEditText(Integer caret)
{
    FText = FEditText;
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(this))) {
        const QSignalBlocker block(w);
        w->setText(FEditText);
        w->setCursorPosition(std::max<Integer>(caret, 0));
    }
    FSelStart = std::max<Integer>(caret, 0);
    FSelLength = 0;
}

void TCustomMaskEdit::ValidateEdit()
{
    if (IsMasked() && FMask.FirstInvalid(FEditText) >= 0)
        throw EDBEditError(QStringLiteral("Invalid input value. Use escape key to abandon changes"));
}

bool TCustomMaskEdit::TypeChar(QChar ch)
{
    const Integer pos = FMask.NextEditable(SelStart());
    if (pos < 0)
        return false;
    const QChar c = FMask.Accept(pos, ch);
    if (c.isNull())
        return false;
    FEditText[pos] = c;
    const Integer next = FMask.NextEditable(pos + 1);
    ShowEditText(next < 0 ? FMask.Length() : next);
    FModified = true;
    Change();
    return true;
}

void TCustomMaskEdit::DeleteAt(bool backwards)
{
    const Integer pos = backwards ? FMask.PrevEditable(SelStart() - 1) : FMask.NextEditable(SelStart());
    if (pos < 0)
        return;
    FEditText[pos] = FMask.Blank();
    ShowEditText(backwards ? pos : pos + 1);
    FModified = true;
    Change();
}

void TCustomMaskEdit::Dispatch(TMessage& Message)
{
    if (!IsMasked() || ReadOnly()) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_CHAR:
        // The mask engine types; the widget only shows the result.
        if (DoKeyPress(Message)) {
            const QChar ch(char16_t(Message.WParam));
            if (ch == u'\b')
                DeleteAt(true);
            else if (ch.isPrint())
                TypeChar(ch);
        }
        break;
    case WM_KEYDOWN:
        if (DoKeyDown(Message)) {
            if (Message.WParam == VK_DELETE)
                DeleteAt(false);
            else
                DefaultHandler(Message);
        }
        break;
    default:
        TCustomEdit::Dispatch(Message);
        break;
    }
}
