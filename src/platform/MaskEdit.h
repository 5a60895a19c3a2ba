#pragma once
// The masked edit and its edit-mask engine.
//
// A mask is "pattern;save literals;blank", e.g. "!99/99/0000;1;_". Pattern
// characters: 0 digit, 9 optional digit, # optional digit or sign, L letter,
// l optional letter, A letter or digit, a optional letter or digit, C any
// character, c optional character, > upper case from here, < lower case,
// <> no case change, \ the next character is a literal, _ a blank literal,
// ! (ignored: blanks are kept as typed); anything else is a literal. With
// "save literals" 0 the Text holds only the typed characters.

#include <stdexcept>
#include <vector>
#include "platform/StdControls.h"

class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const QString& mask);
    bool IsEmpty() const { return FPos.empty(); }
    Integer Length() const { return Integer(FPos.size()); }
    bool SaveLiterals() const { return FSaveLiterals; }
    QChar Blank() const { return FBlank; }
    bool IsLiteral(Integer pos) const;
    // The character stored at pos when ch is typed there (case applied), or
    // a null QChar when the position does not take it.
    QChar Accept(Integer pos, QChar ch) const;
    // The edit text (every position, literals and blanks shown) for a text.
    QString EditTextFor(const QString& text) const;
    // The text an edit text stands for (literals dropped unless saved, blanks as spaces).
    QString TextFor(const QString& editText) const;
    // The first required position left blank or holding a wrong character, -1 when valid.
    Integer FirstInvalid(const QString& editText) const;
    // The first position at or after (before) pos that takes input, or -1.
    Integer NextEditable(Integer pos) const;
    Integer PrevEditable(Integer pos) const;

private:
    enum TKind { kLiteral, kDigit, kDigitOrSign, kLetter, kAlnum, kAny };
    struct TPos {
        TKind Kind = kLiteral;
        QChar Literal;
        bool Required = false;
        int Case = 0;  // 1 upper, -1 lower
    };
    std::vector<TPos> FPos;
    bool FSaveLiterals = true;
    QChar FBlank = u'_';
};

// Raised by ValidateEdit when the text does not fill the mask.
class EDBEditError : public std::runtime_error {
public:
    explicit EDBEditError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomMaskEdit"); }
    const QString& EditMask() const { return FEditMask; }
    void SetEditMask(const QString& value);
    bool IsMasked() const { return !FMask.IsEmpty(); }
    // What the edit shows, with literals and blanks.
    QString EditText() const;
    void SetEditText(const QString& value);
    // Raises EDBEditError when a required position is blank.
    virtual void ValidateEdit();

protected:
    void Dispatch(TMessage& Message) override;
    QString GetText() const override;
    void SetTextValue(const QString& value) override;
    // Types a character at the caret the way the mask allows.
    bool TypeChar(QChar ch);
    void DeleteAt(bool backwards);

private:
    void ShowEditText(Integer caret);
    QString FEditMask;
    TEditMask FMask;
    QString FEditText;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TMaskEdit"); }
};
