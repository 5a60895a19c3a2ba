// The spin edit as a user works it: typing filtered by the value type, the
// arrow and page keys and the arrow buttons at and beyond the limits, the
// repeat of a held arrow, the clamp when the focus leaves, the date and time
// fields under the caret, and the number, date and time texts under two
// format settings; and its screenshot.
#include "EditFormTest.h"
#include "QtPrint.h"

#include <QClipboard>
#include <cmath>

#include "Pixels.h"
#include "Screenshot.h"
#include "controls/esgspin.h"
#include "platform/Messages.h"
#include "platform/Text.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"

namespace {

class TSpin : public TEditForm {
protected:
    void SetUp() override
    {
        TEditForm::SetUp();
        BeepSeam::Reset();
        spin = Add<TEsgSpinEdit>(10, 10, 120, 22);
        other = Add<TEdit>(10, 200);
    }
    // Types text at the end of what the edit holds.
    void TypeAtEnd(const QString& text)
    {
        spin->SetSelStart(spin->Text().size());
        TestInput::TypeText(spin, text);
    }
    TEsgSpinEdit* spin = nullptr;
    TEdit* other = nullptr;
};

} // namespace

TEST_F(TSpin, ANewSpinEditShowsZeroAndStepsByTheKeysWithinItsRange)
{
    EXPECT_EQ(spin->Text(), QStringLiteral("0"));
    QList<Word> keysSeen;
    spin->OnKeyDown = [&](TObject*, Word& key, TShiftState) { keysSeen << key; };
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), QStringLiteral("1"));
    // Page Up of an integer steps by Increment too.
    spin->SetIncrement(5);
    TestInput::PressKey(spin, VK_PRIOR);
    EXPECT_EQ(spin->Value(), 6);
    // At and beyond the ends the value stays at them.
    spin->SetValue(98);
    const struct { Word key; Integer expect; } steps[] = {
        {VK_UP, 100}, {VK_UP, 100}, {VK_NEXT, 95}, {VK_DOWN, 90},
    };
    for (const auto& s : steps) {
        TestInput::PressKey(spin, s.key);
        EXPECT_EQ(spin->Value(), s.expect) << s.key;
    }
    spin->SetValue(3);
    TestInput::PressKey(spin, VK_DOWN);
    EXPECT_EQ(spin->Text(), QStringLiteral("0"));
    // The stepping keys fire no key-down event; others do.
    EXPECT_TRUE(keysSeen.isEmpty());
    TestInput::PressKey(spin, VK_HOME);
    EXPECT_EQ(keysSeen, QList<Word>{VK_HOME});
}

TEST_F(TSpin, ValueIsClampedUnlessTheBoundsAreEqual)
{
    spin->SetValue(150);
    EXPECT_EQ(spin->Text(), QStringLiteral("100"));
    spin->SetValue(-5);
    EXPECT_EQ(spin->Text(), QStringLiteral("0"));
    spin->SetMinValue(7);
    spin->SetMaxValue(7);
    spin->SetValue(150);
    EXPECT_EQ(spin->Text(), QStringLiteral("150"));
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Value(), 151);
    // Without a range the integer's own ends hold: no wrap to the other end.
    spin->SetValue(2147483647);
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), QStringLiteral("2147483647"));
}

TEST_F(TSpin, TextsThatAreNoNumberReadAsTheFallbacks)
{
    spin->SetMinValue(-3);
    spin->SetMinFloatValue(-2.5);
    spin->SetText(QString());
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_NEAR(spin->DateValue(), Now(), 1.0 / 86400);
    spin->SetText(QStringLiteral("abc"));
    EXPECT_EQ(spin->Value(), -3);
    EXPECT_EQ(spin->FloatValue(), -2.5);
    EXPECT_EQ(spin->DateValue(), 0);
    EXPECT_EQ(spin->TimeValue(), 0);
    spin->SetText(QStringLiteral(" 42 "));
    EXPECT_EQ(spin->Value(), 42);
}

TEST_F(TSpin, IntegerTypingTakesDigitsAndOneLeadingMinus)
{
    UseEuropeanSettings();
    spin->SetMinValue(-100);
    spin->SetText(QString());
    spin->SetFocus();
    TestInput::TypeText(spin, QStringLiteral("-12"));
    EXPECT_EQ(spin->Text(), QStringLiteral("-12"));
    EXPECT_EQ(BeepSeam::Count(), 0);
    // The decimal separator, a letter, a second minus and a minus after the
    // start are refused, each with a beep.
    TypeAtEnd(QStringLiteral(",a-"));
    EXPECT_EQ(spin->Text(), QStringLiteral("-12"));
    EXPECT_EQ(BeepSeam::Count(), 3);
    // A minus replacing a selected minus is taken.
    spin->SelectAll();
    TestInput::TypeText(spin, QStringLiteral("-"));
    EXPECT_EQ(spin->Text(), QStringLiteral("-"));
    // Control characters are refused too (here Ctrl+A's character).
    TestInput::PressKey(spin, 'A', ssCtrl, QString(QChar(1)));
    EXPECT_EQ(BeepSeam::Count(), 4);
}

TEST_F(TSpin, RealValuesUnderTwoFormatSettings)
{
    const struct { void (*use)(); QString one, page; } settings[] = {
        {UseEuropeanSettings, QStringLiteral("1,01"), QStringLiteral("2,01")},
        {UseUsSettings, QStringLiteral("1.01"), QStringLiteral("2.01")},
    };
    for (const auto& s : settings) {
        s.use();
        spin->SetSpinType(sptFloat);
        spin->SetPrecision(2);
        // Rounded on its 15-digit decimal form.
        spin->SetFloatValue(1.005);
        EXPECT_EQ(spin->Text(), s.one);
        TestInput::PressKey(spin, VK_PRIOR);
        EXPECT_EQ(spin->Text(), s.page);
        TestInput::PressKey(spin, VK_DOWN);
        EXPECT_DOUBLE_EQ(spin->FloatValue(), 1.91);
        spin->SetPrecision(0);
        spin->SetFloatValue(2.5);
        EXPECT_EQ(spin->Text(), QString(s.one).replace(QStringLiteral("1,01"), QStringLiteral("2,5")).replace(QStringLiteral("1.01"), QStringLiteral("2.5")));
        EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.5);
    }
    // The other locale's separator does not read as a number.
    UseEuropeanSettings();
    spin->SetText(QStringLiteral("2.5"));
    EXPECT_EQ(spin->FloatValue(), 0.0);
}

TEST_F(TSpin, RealTypingKeepsOneSeparatorAndThePrecision)
{
    UseEuropeanSettings();
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetText(QString());
    spin->SetFocus();
    TestInput::TypeText(spin, QStringLiteral("3,14"));
    EXPECT_EQ(spin->Text(), QStringLiteral("3,14"));
    // A third decimal, a second separator and the thousand separator are refused.
    TypeAtEnd(QStringLiteral("5,."));
    EXPECT_EQ(spin->Text(), QStringLiteral("3,14"));
    EXPECT_EQ(BeepSeam::Count(), 3);
    // With the separator selected a new one may replace it.
    spin->SetSelStart(1);
    spin->SetSelLength(1);
    TestInput::TypeText(spin, QStringLiteral(","));
    EXPECT_EQ(spin->Text(), QStringLiteral("3,14"));
    EXPECT_EQ(BeepSeam::Count(), 3);
}

TEST_F(TSpin, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    UseEuropeanSettings();
    spin->SetSpinType(sptFloat);
    spin->SetText(QStringLiteral("4"));
    spin->SetExcelStyleDecimalSeparator(true);
    spin->HandleNeeded();
    spin->SetSelStart(1);
    // The keypad's key comes as VK_DECIMAL with the character "."; the
    // handlers see the separator that replaced it.
    QChar seen;
    spin->OnKeyPress = [&](TObject*, QChar& k) { seen = k; };
    spin->Perform(WM_KEYDOWN, VK_DECIMAL);
    spin->Perform(WM_CHAR, u'.');
    EXPECT_EQ(seen, QChar(u','));
    // The main keyboard's "." stays the thousand separator and is refused.
    seen = QChar();
    spin->Perform(WM_KEYDOWN, 0xBE);
    spin->Perform(WM_CHAR, u'.');
    EXPECT_TRUE(seen.isNull());
}

TEST_F(TSpin, TimeStepsTheFieldUnderTheCaretAndWrapsAtMidnight)
{
    const struct { void (*use)(); QString midnight, last; } settings[] = {
        {UseEuropeanSettings, QStringLiteral("00:00:00"), QStringLiteral("23:59:00")},
        {UseUsSettings, QStringLiteral("0:00:00"), QStringLiteral("23:59:00")},
    };
    for (const auto& s : settings) {
        s.use();
        spin->SetSpinType(sptTime);
        spin->SetTimeValue(0);
        EXPECT_EQ(spin->Text(), s.midnight);
        const Integer minutes = s.midnight.indexOf(u':') + 1;
        spin->SetSelStart(minutes);
        TestInput::PressKey(spin, VK_DOWN);
        EXPECT_EQ(spin->Text(), s.last);
        // The caret stays where it was (in the hours now when they grew).
        EXPECT_EQ(spin->SelStart(), minutes);
        spin->SetSelStart(spin->Text().indexOf(u':') + 1);
        TestInput::PressKey(spin, VK_UP);
        EXPECT_EQ(spin->Text(), s.midnight);
        // Hours before the first separator, seconds after the second.
        spin->SetSelStart(0);
        TestInput::PressKey(spin, VK_UP);
        EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), spin->TimeValue()), QStringLiteral("01:00:00"));
        spin->SetSelStart(spin->Text().size());
        spin->SetIncrementSeconds(15);
        TestInput::PressKey(spin, VK_UP);
        EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), spin->TimeValue()), QStringLiteral("01:00:15"));
    }
    spin->SetShowSeconds(false);
    spin->SetTimeValue(EncodeTime(7, 5, 0, 0));
    EXPECT_EQ(spin->Text(), QStringLiteral("7:05"));
}

TEST_F(TSpin, DateStepsTheFieldUnderTheCaretInTheLocaleOrder)
{
    UseEuropeanSettings();
    spin->SetSpinType(sptDate);
    spin->SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin->Text(), QStringLiteral("31.01.2024"));
    // Month field (day first): the last day of February.
    spin->SetSelStart(4);
    TestInput::PressKey(spin, VK_UP);
    EXPECT_FALSE(spin->UsDates());
    EXPECT_EQ(spin->Text(), QStringLiteral("29.02.2024"));
    spin->SetSelStart(0);
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), QStringLiteral("01.03.2024"));
    spin->SetSelStart(8);
    TestInput::PressKey(spin, VK_DOWN);
    EXPECT_EQ(spin->Text(), QStringLiteral("01.03.2023"));

    UseUsSettings();
    spin->SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin->Text(), QStringLiteral("1/31/2024"));
    spin->SetSelStart(0);
    TestInput::PressKey(spin, VK_UP);
    EXPECT_TRUE(spin->UsDates());
    EXPECT_EQ(spin->Text(), QStringLiteral("2/29/2024"));
    spin->SetSelStart(3);
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), QStringLiteral("3/1/2024"));
    // 29 February a year on is the last day of that February.
    spin->SetDateValue(EncodeDate(2024, 2, 29));
    spin->SetSelStart(spin->Text().size());
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), QStringLiteral("2/28/2025"));
}

TEST_F(TSpin, SwitchingTheTypeRewritesTheText)
{
    UseEuropeanSettings();
    spin->SetText(QStringLiteral("7"));
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(3);
    EXPECT_EQ(spin->Text(), QStringLiteral("7,000"));
    spin->SetSpinType(sptNormal);
    EXPECT_EQ(spin->Text(), QStringLiteral("0"));  // "7,000" is no integer: MinValue
    spin->SetSpinType(sptDate);
    EXPECT_EQ(spin->Text(), DateToStr(Date()));
}

TEST_F(TSpin, LeavingClampsTheTypedValue)
{
    spin->SetFocus();
    spin->SelectAll();
    TestInput::TypeText(spin, QStringLiteral("500"));
    EXPECT_EQ(spin->Text(), QStringLiteral("500"));
    other->SetFocus();
    EXPECT_EQ(spin->Text(), QStringLiteral("100"));

    // Dates are clamped to their range too.
    UseEuropeanSettings();
    spin->SetSpinType(sptDate);
    spin->SetMinDateValue(EncodeDate(2020, 1, 1));
    spin->SetMaxDateValue(EncodeDate(2020, 12, 31));
    spin->SetFocus();
    spin->SetText(QStringLiteral("05.06.2031"));
    other->SetFocus();
    EXPECT_EQ(spin->Text(), QStringLiteral("31.12.2020"));
}

TEST_F(TSpin, ArrowButtonsStepAndRepeatWhileHeld)
{
    TExTimerSpeedButton* up = spin->Button()->UpButton();
    TExTimerSpeedButton* down = spin->Button()->DownButton();
    TestInput::Click(up);
    TestInput::Click(up);
    EXPECT_EQ(spin->Value(), 2);
    TestInput::Click(down);
    EXPECT_EQ(spin->Value(), 1);
    // The click gave the edit the focus.
    EXPECT_TRUE(spin->Focused());

    // Held down: nothing more until the timer's first 400 ms tick, then a
    // step every 100 ms.
    TestInput::MouseDown(up, mbLeft, {5, 5});
    TTimer* timer = up->RepeatTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 400u);
    EXPECT_EQ(spin->Value(), 1);
    timer->OnTimer(timer);
    EXPECT_EQ(timer->Interval(), 100u);
    EXPECT_EQ(spin->Value(), 2);
    timer->OnTimer(timer);
    EXPECT_EQ(spin->Value(), 3);
    TestInput::MouseUp(up, mbLeft, {5, 5});
    EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(spin->Value(), 4);  // the release is a click as well
}

TEST_F(TSpin, WithEditorDisabledOnlyTheArrowsChangeTheValue)
{
    spin->SetEditorEnabled(false);
    spin->SetValue(12);
    spin->SetFocus();
    QApplication::clipboard()->setText(QStringLiteral("77"));
    TypeAtEnd(QStringLiteral("3"));
    TestInput::PressKey(spin, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(BeepSeam::Count(), 2);
    spin->SetSelStart(0);
    TestInput::PressKey(spin, VK_DELETE);
    TestInput::PressKey(spin, 'V', ssCtrl, QString(QChar(0x16)));
    TestInput::PressKey(spin, VK_INSERT, ssShift);
    TestInput::PressKey(spin, 'X', ssCtrl, QString(QChar(0x18)));
    EXPECT_EQ(spin->Text(), QStringLiteral("12"));
    TestInput::PressKey(spin, VK_UP);
    TestInput::Click(spin->Button()->UpButton());
    EXPECT_EQ(spin->Text(), QStringLiteral("14"));

    // With the editor enabled the same paste goes in.
    spin->SetEditorEnabled(true);
    spin->SelectAll();
    TestInput::PressKey(spin, VK_INSERT, ssShift);
    EXPECT_EQ(spin->Text(), QStringLiteral("77"));
}

TEST_F(TSpin, ReadOnlyStepsOnlyBeep)
{
    spin->SetValue(5);
    spin->SetReadOnly(true);
    TestInput::PressKey(spin, VK_UP);
    TestInput::Click(spin->Button()->DownButton());
    EXPECT_EQ(spin->Value(), 5);
    EXPECT_EQ(BeepSeam::Count(), 2);
}

TEST_F(TSpin, TheWheelLeavesTheValueAlone)
{
    spin->SetValue(100);
    TestInput::Wheel(spin, 120);
    TestInput::Wheel(spin, -360);
    EXPECT_EQ(spin->Value(), 100);
}

TEST_F(TSpin, ReturnMovesOnLikeTab)
{
    auto* next = Add<TEdit>(10, 50);
    other->SetTabStop(false);
    spin->SetReturnIsTab(true);
    spin->SetFocus();
    TestInput::PressKey(spin, VK_RETURN, {}, QStringLiteral("\r"));
    Application->ProcessMessages();
    EXPECT_TRUE(next->Focused());
}

TEST_F(TSpin, ArrowsSitAtTheRightEndAndTheHeightHasAMinimum)
{
    spin->SetBounds(10, 10, 120, 5);
    EXPECT_GE(spin->Height(), 16);
    spin->SetHeight(24);
    TEsgSpinButton* b = spin->Button();
    EXPECT_EQ(b->Width(), 15);
    EXPECT_EQ(b->Left(), 120 - 15 - 5 + 2);
    EXPECT_EQ(b->Height(), 24 - 5);
    // Up takes the top half, down the rest with one pixel of overlap.
    EXPECT_EQ(b->UpButton()->Height(), b->Height() / 2);
    EXPECT_EQ(b->DownButton()->Top(), b->Height() / 2 - 1);
    spin->SetDirection(spHorizontal);
    EXPECT_EQ(b->Width(), 20);
    EXPECT_EQ(b->UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(b->DownButton()->Left(), 0);
    EXPECT_EQ(b->UpButton()->Left(), 11);
    // Without a border the arrows take the full height less one.
    spin->SetBorderStyle(bsNone);
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(b->Left(), 120 - 20 - 1);
}

TEST_F(TSpin, ColouredArrowsFollowTheMouse)
{
    TEsgSpinButton* b = spin->Button();
    b->SetButtonColor(RGB(200, 220, 255));
    b->SetButtonColorHot(RGB(255, 220, 120));
    TExTimerSpeedButton* up = b->UpButton();
    EXPECT_EQ(Pixel(GrabControl(up), 12, 2), Q(RGB(200, 220, 255)));
    TestInput::MouseEnter(up);
    EXPECT_TRUE(up->HasMouse());
    EXPECT_EQ(Pixel(GrabControl(up), 12, 2), Q(RGB(255, 220, 120)));
    // The arrow: a black triangle with its tip at (6, 2).
    EXPECT_EQ(Pixel(GrabControl(up), 6, 3), Q(clBlack));
    TestInput::MouseLeave(up);
    EXPECT_FALSE(up->HasMouse());
}

TEST_F(TSpin, Screenshot)
{
    UseEuropeanSettings();
    spin->SetValue(42);
    auto* real = Add<TEsgSpinEdit>(10, 40, 120, 22);
    real->SetSpinType(sptFloat);
    real->SetPrecision(2);
    real->SetFloatValue(3.5);
    auto* date = Add<TEsgSpinEdit>(10, 70, 120, 22);
    date->SetSpinType(sptDate);
    date->SetDateValue(EncodeDate(2024, 2, 29));
    auto* time = Add<TEsgSpinEdit>(10, 100, 120, 22);
    time->SetSpinType(sptTime);
    time->SetTimeValue(EncodeTime(13, 45, 30, 0));
    auto* flat = Add<TEsgSpinEdit>(150, 10, 120, 22);
    flat->SetEditAlign(eaRight);
    flat->Button()->SetButtonColor(RGB(200, 220, 255));
    flat->SetValue(7);
    auto* across = Add<TEsgSpinEdit>(150, 40, 120, 22);
    across->SetDirection(spHorizontal);
    across->SetValue(3);
    auto* themed = Add<TEsgSpinEdit>(150, 70, 120, 22);
    themed->SetIsWinXP(true);
    themed->SetValue(99);
    auto* bare = Add<TEsgSpinEdit>(150, 100, 120, 20);
    bare->SetBorderStyle(bsNone);
    bare->SetValue(5);
    const QImage img = GrabControl(form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TEsgSpinEdit-kinds")).isEmpty());
    // Each spin shows its value in the settings' format, written in its box.
    const std::pair<TEsgSpinEdit*, const char*> shown[] = {
        {spin, "42"}, {real, "3,50"}, {date, "29.02.2024"}, {time, "13:45:30"}, {bare, "5"}};
    for (const auto& [edit, text] : shown) {
        SCOPED_TRACE(text);
        EXPECT_EQ(edit->Text(), QString::fromLatin1(text));
        const QRect box = testsupport::AreaOf(edit, form);
        EXPECT_GT(testsupport::CountDark(img, box.adjusted(2, 2, -edit->Button()->Width() - 2, -2)), 8);
    }
    // The flat spin's buttons take their colour.
    EXPECT_GT(testsupport::CountColour(img, testsupport::AreaOf(flat->Button(), form), Q(RGB(200, 220, 255)), 6), 20);
}
