// The time picker dropdown as a user works it: fields stepped with Up and
// Down, typed times taken or refused, seconds switched off and on, the
// clock and the platform picker in the popup, and a cancel that brings the
// time of the opening back.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExTimePickerDropDown.h"
#include "grid/dropdown/ExWatch.h"
#include "platform/DateTimePicker.h"
#include "platform/ExtCtrls.h"
#include "platform/Text.h"

namespace {

class TTimePicker : public TDropDownForm_ {
protected:
    TExTimePickerDropDown* AddPicker()
    {
        auto* dd = new TExTimePickerDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        dd->SetAnimation(false);
        return dd;
    }
    static TDateTime At(Word H, Word M, Word S) { return EncodeTime(H, M, S, 0); }
};

} // namespace

TEST_F(TTimePicker, NewEditorShowsMidnightAndTakesNoTyping)
{
    TExTimePickerDropDown* dd = AddPicker();
    EXPECT_EQ(dd->Text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(dd->Time(), 0);
    EXPECT_FALSE(dd->EditorEnabled());
    dd->SetFocus();
    TestInput::TypeText(dd, QStringLiteral("12"));
    EXPECT_EQ(dd->Text(), QStringLiteral("00:00:00"));
    dd->SetTime(At(9, 5, 7));
    EXPECT_EQ(dd->Text(), QStringLiteral("09:05:07"));
}

TEST_F(TTimePicker, UpAndDownStepTheFieldUnderTheCaretAndWrap)
{
    struct Case {
        TDateTime time;
        Integer caret;
        Word key;
        const char* shown;
    } cases[] = {
        {At(12, 59, 30), 4, VK_DOWN, "12:00:30"},  // minutes wrap; the hour is not carried
        {At(0, 10, 0), 1, VK_UP, "23:10:00"},
        {At(23, 10, 0), 0, VK_DOWN, "00:10:00"},
        {At(12, 34, 59), 7, VK_DOWN, "12:34:00"},
        {At(12, 34, 0), 6, VK_UP, "12:34:59"},
        {At(12, 34, 56), 3, VK_UP, "12:33:56"},
    };
    for (const Case& c : cases) {
        TExTimePickerDropDown* dd = AddPicker();
        dd->SetEditorEnabled(true);
        dd->SetTime(c.time);
        Integer changes = 0;
        dd->OnTimeChange = [&](TObject*) { ++changes; };
        dd->SetFocus();
        dd->SetSelStart(c.caret);
        dd->SetSelLength(0);
        TestInput::PressKey(dd, c.key);
        EXPECT_EQ(dd->Text(), QString::fromUtf8(c.shown)) << c.shown;
        EXPECT_EQ(changes, 1) << c.shown;
        EXPECT_EQ(dd->SelStart(), c.caret) << c.shown;
        delete dd;
    }
}

TEST_F(TTimePicker, SecondsSwitchedOffAndOnKeepTheTime)
{
    TExTimePickerDropDown* dd = AddPicker();
    dd->SetTime(At(12, 34, 56));
    dd->SetShowSeconds(false);
    EXPECT_EQ(dd->Text(), QStringLiteral("12:34"));
    EXPECT_EQ(dd->EditMask(), QStringLiteral("!90:00;1; "));
    dd->SetShowSeconds(true);
    EXPECT_EQ(dd->Text(), QStringLiteral("12:34:56"));
    EXPECT_EQ(dd->Time(), At(12, 34, 56));
}

TEST_F(TTimePicker, ATypedCompleteTimeIsTakenAndAnImpossibleOneRefused)
{
    TExTimePickerDropDown* dd = AddPicker();
    dd->SetEditorEnabled(true);
    dd->SetText(QStringLiteral("07:30:15"));
    EXPECT_EQ(dd->Time(), At(7, 30, 15));
    struct Case {
        const char* text;
    } refused[] = {{"25:00:00"}, {"12:60:00"}, {"7:3"}, {""}};
    for (const Case& c : refused) {
        EXPECT_NO_THROW(dd->SetText(QString::fromUtf8(c.text))) << c.text;
        EXPECT_EQ(dd->Time(), At(7, 30, 15)) << c.text;
    }
    // Typed into the mask, digit by digit.
    dd->SetText(QStringLiteral("00:00:00"));
    dd->SetFocus();
    dd->SetSelStart(0);
    dd->SetSelLength(0);
    TestInput::TypeText(dd, QStringLiteral("213"));
    EXPECT_EQ(dd->Text(), QStringLiteral("21:30:00"));
    EXPECT_EQ(dd->Time(), At(21, 30, 0));
}

TEST_F(TTimePicker, ClockInThePopupSetsTheTimeAndEnterKeepsIt)
{
    TExTimePickerDropDown* dd = AddPicker();
    dd->SetTime(At(10, 15, 0));
    Integer changes = 0;
    dd->OnTimeChange = [&](TObject*) { ++changes; };
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExWatch* w = dd->Watch();
    EXPECT_EQ(w->Time(), At(10, 15, 0));
    EXPECT_EQ(dd->DropDownForm()->Width(), 170);
    EXPECT_EQ(dd->DropDownForm()->Height(), 172);
    TDropDownForm* f = dd->DropDownForm();
    TestInput::PressKey(f, VK_PRIOR);  // PgUp: an hour on
    TestInput::PressKey(f, VK_RIGHT);  // a minute on
    EXPECT_EQ(w->Time(), At(11, 16, 0));
    EXPECT_EQ(dd->Text(), QStringLiteral("11:16:00"));
    EXPECT_EQ(changes, 2);
    SaveOpenDropDown(form, dd, QStringLiteral("TExTimePickerDropDown-open"));
    TestInput::PressKey(f, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Time(), At(11, 16, 0));
    // Alt+Down opens again, Alt+Up closes keeping the clock's time.
    dd->SetFocus();
    TestInput::PressKey(dd, VK_DOWN, ssAlt);
    ASSERT_TRUE(dd->DroppedDown());
    TestInput::PressKey(f, VK_HOME);  // 12 o'clock
    TestInput::PressKey(f, VK_UP, ssAlt);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("12:16:00"));
}

TEST_F(TTimePicker, EscBringsBackTheTimeTheEditShowedAtOpening)
{
    for (const bool throughText : {true, false}) {
        TExTimePickerDropDown* dd = AddPicker();
        if (throughText)
            dd->SetText(QStringLiteral("08:20:00"));  // as the grid fills it
        else
            dd->SetTime(At(8, 20, 0));
        dd->ShowDropDown();
        TDropDownForm* f = dd->DropDownForm();
        TestInput::PressKey(f, VK_PRIOR);
        EXPECT_EQ(dd->Text(), QStringLiteral("09:20:00")) << throughText;
        TestInput::PressKey(f, VK_ESCAPE, {}, QStringLiteral("\x1b"));
        EXPECT_FALSE(dd->DroppedDown());
        EXPECT_EQ(dd->Text(), QStringLiteral("08:20:00")) << throughText;
        EXPECT_EQ(dd->Time(), At(8, 20, 0)) << throughText;
        EXPECT_EQ(dd->Watch()->Time(), At(8, 20, 0)) << throughText;
        // A time kept by Enter is what the next cancel comes back to.
        dd->ShowDropDown();
        TestInput::PressKey(f, VK_NEXT);
        TestInput::PressKey(f, VK_RETURN, {}, QStringLiteral("\r"));
        dd->ShowDropDown();
        TestInput::PressKey(f, VK_NEXT);
        TestInput::PressKey(f, VK_ESCAPE, {}, QStringLiteral("\x1b"));
        EXPECT_EQ(dd->Text(), QStringLiteral("07:20:00")) << throughText;
        delete dd;
    }
}

TEST_F(TTimePicker, PlatformPickerUnderTheClockFollowsAndMovesIt)
{
    TExTimePickerDropDown* dd = AddPicker();
    dd->SetShowTimePicker(true);
    dd->SetTime(At(14, 5, 0));
    dd->ShowDropDown();
    TDateTimePicker* p = dd->TimePicker();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->Visible());
    EXPECT_EQ(dd->PanelCtrl()->Height(), 170 + p->Height());
    EXPECT_EQ(dd->DropDownForm()->Height(), 170 + p->Height() + 2);
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), p->Time()), QStringLiteral("14:05:00"));
    // The user steps the picker's hour: the clock moves.
    p->SetFocus();
    TestInput::PressKey(p, VK_UP);
    EXPECT_NEAR(dd->Watch()->Time(), At(15, 5, 0), 1e-9);
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TExTimePickerDropDown-open-picker"));
    // A move of the clock moves the picker.
    TestInput::PressKey(dd->DropDownForm(), VK_RIGHT);
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), p->Time()), QStringLiteral("15:06:00"));
    dd->HideDropDown(false);
    EXPECT_EQ(dd->Text(), QStringLiteral("15:06:00"));
    // Without the picker it is hidden at the next opening.
    dd->SetShowTimePicker(false);
    dd->ShowDropDown();
    EXPECT_FALSE(p->Visible());
}
