// Typed text entry of the dropdown edit: what each edit type lets the user
// type and how it formats the value, under English and European separators;
// prefix and suffix keys, the mouse, the clipboard and the change events.
#include "DropdownFixture.h"

#include "platform/Clipboard.h"

#include <limits>

namespace {

// Types Keys into the edit: "\b" is Backspace, "D" the locale's decimal
// separator, every other character itself.
void Type(TExCustomDropDown* dd, const QString& Keys)
{
    for (QChar ch : Keys) {
        if (ch == u'\b')
            TestInput::PressKey(dd, VK_BACK, {}, QStringLiteral("\b"));
        else if (ch == u'D')
            TestInput::PressKey(dd, 0, {}, QString(FormatSettings().DecimalSeparator));
        else
            TestInput::TypeText(dd, QString(ch));
    }
}

// "D" and "T" stand for the locale's decimal and thousand separators.
QString Localised(QString Text)
{
    Text.replace(u'D', FormatSettings().DecimalSeparator);
    Text.replace(u'T', FormatSettings().ThousandSeparator);
    return Text;
}

struct TTypingCase {
    const char* Name;
    TDropDownEditType Type;
    SmallInt Precision;
    bool Signed;
    SmallInt LengthLimit;
    const char* Start;   // set with SetText, localised
    Integer Caret;       // -1: at the end
    const char* Keys;
    const char* Expected;  // localised
};

const TTypingCase TypingCases[] = {
    {"numeric drops letters", etNumeric, 0, false, 0, "", -1, "12a3", "0123"},
    {"numeric refuses minus unsigned", etNumeric, 0, false, 0, "12", -1, "-", "12"},
    {"numeric sign toggles", etNumeric, 0, true, 0, "12", -1, "-", "-12"},
    {"numeric sign toggles back", etNumeric, 0, true, 0, "12", -1, "--", "12"},
    {"float empty is zero", etFloat, 2, false, 0, "", -1, "", "0D00"},
    {"float all decimals refuse more", etFloat, 2, false, 0, "1D23", -1, "4", "1D23"},
    {"float digit overwrites a decimal", etFloat, 2, false, 0, "1D23", 2, "9", "1D93"},
    {"float second separator refused", etFloat, 2, false, 0, "1D23", 1, "D", "1D23"},
    {"float letters dropped", etFloat, -1, false, 0, "", -1, "x", "0"},
    {"money groups thousands", etMoney, 0, false, 0, "", -1, "1234", "1T234"},
    {"money groups millions", etMoney, 0, false, 0, "", -1, "1234567", "1T234T567"},
    // Regrouped as typed: past a double's 15 digits and past 64 bits.
    {"money keeps seventeen digits", etMoney, 0, false, 0, "", -1, "12345678901234567", "12T345T678T901T234T567"},
    {"money keeps twenty nines", etMoney, 0, false, 0, "", -1, "99999999999999999999", "99T999T999T999T999T999T999"},
    {"money drops leading zeros", etMoney, 0, false, 0, "", -1, "0012345", "12T345"},
    {"length limit refuses an integer digit", etFloat, 2, false, 3, "123", 3, "4", "123D00"},
    {"length limit takes decimals", etFloat, 2, false, 3, "123", 4, "5", "123D50"},
    {"upper case", etUppercase, 0, false, 0, "", -1, "abC", "ABC"},
    {"lower case", etLowerCase, 0, false, 0, "", -1, "AbC", "abc"},
    {"mixed case", etMixedCase, 0, false, 0, "", -1, "hello world", "Hello World"},
    {"hex takes hex digits as typed", etHex, 0, false, 0, "", -1, "1fz", "01f"},
    {"alphanumeric", etAlphaNumeric, 0, false, 0, "", -1, "a-b 1", "ab1"},
    {"range separator after a number", etRange, 0, false, 0, "1-3,5", -1, ";7", "1-3,5;7"},
    {"range separator after a separator", etRange, 0, false, 0, "1-3,", -1, ",", "1-3,"},
    {"range separator at the start", etRange, 0, false, 0, "", -1, ",1", "1"},
};

} // namespace

class TDropDownTyping : public TDropDownForm_, public ::testing::WithParamInterface<bool> {};

TEST_P(TDropDownTyping, EachEditTypeTakesWhatItAllows)
{
    if (GetParam())
        UseSeparators(u',', u'.');
    for (const TTypingCase& c : TypingCases) {
        TExCustomDropDown* dd = AddDropDown();
        dd->SetEditType(c.Type);
        dd->SetPrecision(c.Precision);
        dd->SetSigned(c.Signed);
        dd->SetLengthLimit(c.LengthLimit);
        dd->SetFocus();
        dd->SetText(Localised(QString::fromUtf8(c.Start)));
        dd->SetSelStart(c.Caret < 0 ? Integer(dd->WindowText().size()) : c.Caret);
        Type(dd, QString::fromUtf8(c.Keys));
        EXPECT_EQ(dd->Text(), Localised(QString::fromUtf8(c.Expected))) << c.Name << (GetParam() ? " (European)" : " (English)");
        delete dd;
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, TDropDownTyping, ::testing::Bool());

TEST_F(TDropDownTyping, ValidCharsTakeOnlyTheirAlphabet)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetEditType(etValidChars);
    dd->SetValidChars(QStringLiteral("xy"));
    dd->SetFocus();
    Type(dd, QStringLiteral("xyzx\b"));
    EXPECT_EQ(dd->Text(), QStringLiteral("xy"));
}

TEST_F(TDropDownTyping, FormattingKeepsErrorTextAndUsesTheLocale)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetEditType(etFloat);
    dd->SetPrecision(2);
    dd->SetText(QStringLiteral("Error"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    UseSeparators(u',', u'.');
    dd->SetText(QStringLiteral("1234,5"));
    EXPECT_EQ(dd->Text(), QStringLiteral("1234,50"));
    EXPECT_DOUBLE_EQ(dd->GetFloatValue(), 1234.5);
    dd->SetEditType(etMoney);
    dd->SetText(QStringLiteral("1234,5"));
    EXPECT_EQ(dd->Text(), QStringLiteral("1.234,50"));
    EXPECT_DOUBLE_EQ(dd->GetFloatValue(), 1234.5);
    // A value that is no number becomes 0 when the type changes.
    dd->SetEditType(etString);
    dd->SetText(QStringLiteral("abc"));
    dd->SetEditType(etNumeric);
    EXPECT_EQ(dd->Text(), QStringLiteral("0"));
    dd->SetEditType(etHex);
    dd->SetText(QStringLiteral("ff"));
    EXPECT_EQ(dd->Text(), QStringLiteral("FF"));
    EXPECT_DOUBLE_EQ(dd->GetFloatValue(), 255);
}

TEST_F(TDropDownTyping, HexValuesAreSixtyFourBitsBothWaysAndClamped)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetEditType(etHex);
    const struct {
        const char* name;
        double value;
        const char* text;
    } sets[] = {
        {"above the range", 1e30, "7FFFFFFFFFFFFFFF"},
        {"below the range", -1e30, "8000000000000000"},
        {"infinite", std::numeric_limits<double>::infinity(), "7FFFFFFFFFFFFFFF"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), "0"},
        {"minus one", -1, "FFFFFFFFFFFFFFFF"},
        {"beyond 32 bits", 4886718345.0, "123456789"},
    };
    for (const auto& c : sets) {
        SCOPED_TRACE(c.name);
        dd->SetFloatValue(c.value);
        EXPECT_EQ(dd->Text(), QString::fromLatin1(c.text));
        // What is written reads back to the same text.
        dd->SetFloatValue(dd->GetFloatValue());
        EXPECT_EQ(dd->Text(), QString::fromLatin1(c.text));
    }
    dd->SetText(QStringLiteral("123456789"));
    EXPECT_DOUBLE_EQ(dd->GetFloatValue(), 4886718345.0);
    dd->SetIntValue(-2);
    EXPECT_DOUBLE_EQ(dd->GetFloatValue(), -2);
}

TEST_F(TDropDownTyping, CaretKeysAndClicksStayBetweenPrefixAndSuffix)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetPrefix(QStringLiteral("$"));
    dd->SetSuffix(QStringLiteral(" kg"));
    dd->SetText(QStringLiteral("12"));
    EXPECT_EQ(dd->WindowText(), QStringLiteral("$12 kg"));
    EXPECT_EQ(dd->Text(), QStringLiteral("12"));
    dd->SetFocus();
    TestInput::PressKey(dd, VK_END);
    EXPECT_EQ(dd->SelStart(), 3);
    TestInput::PressKey(dd, VK_RIGHT);
    EXPECT_EQ(dd->SelStart(), 3);
    TestInput::PressKey(dd, VK_HOME);
    EXPECT_EQ(dd->SelStart(), 1);
    TestInput::PressKey(dd, VK_LEFT);
    EXPECT_EQ(dd->SelStart(), 1);
    // Backspace at the prefix deletes nothing; Delete at the suffix neither.
    TestInput::PressKey(dd, VK_BACK, {}, QStringLiteral("\b"));
    TestInput::PressKey(dd, VK_END);
    TestInput::PressKey(dd, VK_DELETE);
    EXPECT_EQ(dd->WindowText(), QStringLiteral("$12 kg"));
    // A click into the suffix puts the caret back behind the value.
    const Integer x = LOWORD(dd->Perform(EM_POSFROMCHAR, 5));
    TestInput::Click(dd, {x, 10});
    EXPECT_EQ(dd->SelStart(), 3);
    EXPECT_EQ(dd->SelLength(), 0);
    // Typing goes into the value.
    Type(dd, QStringLiteral("3"));
    EXPECT_EQ(dd->Text(), QStringLiteral("123"));
}

TEST_F(TDropDownTyping, PasteTakesOnlyWhatTheTypeAllows)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetEditType(etNumeric);
    dd->SetText(QStringLiteral("12345"));
    dd->SetFocus();
    dd->SetSelStart(1);
    Clipboard()->SetAsText(QStringLiteral("abc"));
    dd->Perform(WM_PASTE);
    EXPECT_EQ(dd->Text(), QStringLiteral("12345"));
    // The caret goes to where the pasted text would have ended.
    EXPECT_EQ(dd->SelStart(), 4);
    dd->SetText(QStringLiteral("12"));
    Clipboard()->SetAsText(QStringLiteral("34"));
    dd->SetSelStart(2);
    TestInput::PressKey(dd, 'V', ssCtrl, QString(QChar(22)));
    EXPECT_EQ(dd->Text(), QStringLiteral("1234"));
    // Copy takes the selected part of the value; the event may refuse it.
    QString offered;
    dd->OnClipboardCopy = [&](TObject*, QString& v, bool& allow) {
        offered = v;
        allow = false;
    };
    Clipboard()->SetAsText(QStringLiteral("before"));
    dd->SelectAll();
    dd->Perform(WM_COPY);
    EXPECT_EQ(offered, QStringLiteral("1234"));
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("before"));
}

TEST_F(TDropDownTyping, ReplacingTheWholeValueFiresNoChangeUntilBackspaceEmptiesIt)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetText(QStringLiteral("abc"));
    Integer changes = 0;
    dd->OnChange = [&](TObject*) { ++changes; };
    dd->SetFocus();
    dd->SelectAll();
    Type(dd, QStringLiteral("x"));
    EXPECT_EQ(dd->Text(), QStringLiteral("x"));
    EXPECT_EQ(changes, 0);
    Type(dd, QStringLiteral("y"));
    EXPECT_EQ(changes, 1);
    dd->SelectAll();
    Type(dd, QStringLiteral("\b"));
    EXPECT_EQ(dd->Text(), QString());
    EXPECT_EQ(changes, 2);
    // A refused key swallows no later change.
    dd->SetEditType(etNumeric);
    dd->SelectAll();
    Type(dd, QStringLiteral("a5"));
    EXPECT_EQ(dd->Text(), QStringLiteral("5"));
}

TEST_F(TDropDownTyping, LeavingTheEditReformatsNumbers)
{
    TExCustomDropDown* dd = AddDropDown();
    auto* other = new TExCustomDropDown(form);
    other->SetParent(form);
    other->SetTop(60);
    dd->SetEditType(etFloat);
    dd->SetPrecision(2);
    dd->SetFocus();
    dd->SetRawText(QStringLiteral("3.5"));
    other->SetFocus();
    EXPECT_EQ(dd->Text(), QStringLiteral("3.50"));
    dd->SetFocus();
    dd->SetRawText(QString());
    other->SetFocus();
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
    dd->SetAllowNumericNullValue(true);
    dd->SetFocus();
    dd->SetRawText(QString());
    other->SetFocus();
    EXPECT_EQ(dd->Text(), QString());
}
