// The date-time picker as a user works it: fields from the format settings
// or a pattern, digits that take effect when a field is complete, stepping
// and moving between fields, the check box, limits, the drop-down calendar
// and the notifications; the month calendar; and their screenshot.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>

#include "Pixels.h"
#include "Screenshot.h"
#include "platform/DateTimePicker.h"
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/TestHooks.h"
#include "platform/Text.h"

namespace {

struct TPickerForm : ::testing::Test {
    TForm* form = nullptr;
    TDateTimePicker* picker = nullptr;
    QStringList events;
    void SetUp() override
    {
        TFormatSettings& f = FormatSettings();
        f = TFormatSettings::Invariant();
        f.DateSeparator = u'.';
        f.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
        f.LongTimeFormat = QStringLiteral("hh:nn:ss");
        form = new TForm(nullptr);
        form->SetClientSize(300, 240);
        form->Show();
        picker = new TDateTimePicker(form);
        picker->SetParent(form);
        picker->SetBounds(10, 10, 180, 22);
        picker->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0));
        picker->OnChange = [this](TObject*) { events << QStringLiteral("change ") + picker->Text(); };
        picker->OnDropDown = [this](TObject*) { events << QStringLiteral("drop"); };
        picker->OnCloseUp = [this](TObject*) { events << QStringLiteral("close"); };
    }
    void TearDown() override
    {
        delete form;
        ResetFormatSettings();
    }
    void Type(const QString& text) { TestInput::TypeText(picker, text); }
    void Key(Word vk, TShiftState shift = {}) { TestInput::PressKey(picker, vk, shift); }
};

QCalendarWidget* OpenCalendar()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (auto* c = w->findChild<QCalendarWidget*>())
                return c;
    return nullptr;
}

// Picks a date in the calendar as Enter on its day grid does.
void Pick(QCalendarWidget* cal, QDate date)
{
    cal->setSelectedDate(date);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(cal->findChild<QAbstractItemView*>(), &enter);
}

} // namespace

TEST_F(TPickerForm, FieldsFollowTheFormatSettingsOrAPattern)
{
    EXPECT_EQ(picker->Text(), QStringLiteral("31.01.2024"));
    FormatSettings().ShortDateFormat = QStringLiteral("m/d/yyyy");
    FormatSettings().DateSeparator = u'/';
    picker->SetKind(dtkDate);
    EXPECT_EQ(picker->Text(), QStringLiteral("1/31/2024"));
    picker->SetKind(dtkTime);
    EXPECT_EQ(picker->Text(), QStringLiteral("10:20:30"));
    picker->SetFormat(QStringLiteral("ddd dd MMM yyyy, HH'h'mm"));
    EXPECT_EQ(picker->Text(), QStringLiteral("Wed 31 Jan 2024, 10h20"));
    picker->SetFormat(QStringLiteral("hh:mm tt"));
    EXPECT_EQ(picker->Text(), QStringLiteral("10:20 AM"));
    // Literal text of the settings' patterns stays as it is.
    picker->SetFormat(QString());
    picker->SetKind(dtkDate);
    picker->SetDateFormat(dfLong);
    EXPECT_EQ(picker->Text(), QStringLiteral("Wednesday, 31 January 2024"));
}

TEST_F(TPickerForm, DigitsTakeEffectWhenTheFieldIsComplete)
{
    picker->SetFocus();
    Type(QStringLiteral("1"));
    // Pending: the value is unchanged and nothing is told yet.
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 31));
    EXPECT_TRUE(events.isEmpty());
    Type(QStringLiteral("2"));
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 12));
    EXPECT_EQ(events, QStringList{QStringLiteral("change 12.01.2024")});
    // The picker stays in the field: a further digit starts it again, and
    // one that no second digit could follow completes it at once.
    EXPECT_EQ(picker->FieldIndex(), 0);
    Type(QStringLiteral("4"));
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 4));
    // Right moves on; the month and the year take their digits.
    Key(VK_RIGHT);
    Type(QStringLiteral("03"));
    Key(VK_RIGHT);
    Type(QStringLiteral("1999"));
    EXPECT_EQ(picker->Date(), EncodeDate(1999, 3, 4));
    // Two digits of a year and leaving the field: the century window.
    Type(QStringLiteral("24"));
    Key(VK_LEFT);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 3, 4));
    EXPECT_EQ(picker->FieldIndex(), 1);
    // The time of day is kept throughout.
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn:ss"), picker->DateTime()), QStringLiteral("10:20:30"));
}

TEST_F(TPickerForm, ArrowsStepTheFieldWithinItsRange)
{
    picker->SetFocus();
    Key(VK_UP);  // day 31 wraps to 1
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 1));
    Key(VK_DOWN);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 31));
    Key(VK_RIGHT);
    Key(VK_UP);  // 31 January, a month on: the last day of February
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 29));
    Key(VK_END);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 12, 29));
    Key(VK_HOME);
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 29));
    // Moving stops at the first and the last field.
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(picker->FieldIndex(), 2);
    for (int i = 0; i < 4; ++i)
        Key(VK_LEFT);
    EXPECT_EQ(picker->FieldIndex(), 0);
    // A Right sent to the picker moves as a typed one does.
    picker->Perform(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(picker->FieldIndex(), 1);
    // Time fields wrap too.
    picker->SetKind(dtkTime);
    picker->Perform(WM_KEYDOWN, VK_LEFT);
    picker->Perform(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(picker->Text(), QStringLiteral("09:20:30"));
}

TEST_F(TPickerForm, LimitsHoldForTypingAndCode)
{
    picker->SetMinDate(EncodeDate(2024, 1, 10));
    picker->SetMaxDate(EncodeDate(2024, 2, 20));
    picker->SetFocus();
    Type(QStringLiteral("05"));
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 1, 10));
    picker->SetDateTime(EncodeDate(2025, 1, 1));
    EXPECT_EQ(picker->DateTime(), EncodeDate(2024, 2, 20));
}

TEST_F(TPickerForm, CheckBoxSaysWhetherThereIsAValue)
{
    picker->SetShowCheckbox(true);
    EXPECT_TRUE(picker->Checked());
    picker->SetChecked(false);
    EXPECT_FALSE(picker->Checked());
    TDateTime v = 0;
    EXPECT_EQ(picker->Perform(DTM_GETSYSTEMTIME, 0, LPARAM(&v)), LRESULT(GDT_NONE));
    EXPECT_EQ(v, picker->DateTime());
    // A value set while clear is kept without a check.
    picker->SetDate(EncodeDate(2023, 5, 6));
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(picker->Date(), EncodeDate(2023, 5, 6));

    DWORD lastFlags = 99;
    picker->OnChange = [&](TObject*) {
        TDateTime t;
        lastFlags = DWORD(picker->Perform(DTM_GETSYSTEMTIME, 0, LPARAM(&t)));
    };
    // Space and a click on the box toggle it; each tells the change.
    picker->SetFocus();
    Key(VK_SPACE);
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(lastFlags, GDT_VALID);
    TestInput::Click(picker, {9, 11});
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(lastFlags, GDT_NONE);
    // Typing into a clear picker checks it.
    Type(QStringLiteral("15"));
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(picker->Date(), EncodeDate(2023, 5, 15));
    // Clearing through the message, as code does.
    picker->Perform(DTM_SETSYSTEMTIME, GDT_NONE);
    EXPECT_FALSE(picker->Checked());
}

TEST_F(TPickerForm, TheCalendarDropsDownAndPicksADate)
{
    Key(VK_F4);
    EXPECT_TRUE(picker->DroppedDown());
    QCalendarWidget* cal = OpenCalendar();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal->selectedDate(), QDate(2024, 1, 31));
    Pick(cal, QDate(2024, 2, 14));
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->DateTime(), EncodeDate(2024, 2, 14) + EncodeTime(10, 20, 30, 0));
    EXPECT_EQ(events, (QStringList{QStringLiteral("drop"), QStringLiteral("change 14.02.2024"), QStringLiteral("close")}));
    // Closed without a choice: no change.
    events.clear();
    picker->SetDroppedDown(true);
    picker->SetDroppedDown(false);
    EXPECT_EQ(events, (QStringList{QStringLiteral("drop"), QStringLiteral("close")}));
    // Up-down pickers and time pickers have no calendar.
    picker->SetDateMode(dmUpDown);
    Key(VK_F4);
    EXPECT_FALSE(picker->DroppedDown());
    TestInput::Click(picker, {picker->Width() - 8, 5});
    EXPECT_EQ(picker->Date(), EncodeDate(2024, 2, 15));
}

TEST_F(TPickerForm, TwelveHourFieldsAndAmPm)
{
    picker->SetKind(dtkTime);
    picker->SetFormat(QStringLiteral("h:mm tt"));
    picker->SetFocus();
    Type(QStringLiteral("3"));  // hours: 3 can take no second digit beyond 12... but 1 could
    EXPECT_EQ(picker->Text(), QStringLiteral("3:20 AM"));
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Type(QStringLiteral("p"));
    EXPECT_EQ(picker->Text(), QStringLiteral("3:20 PM"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("hh:nn"), picker->Time()), QStringLiteral("15:20"));
}

TEST(MonthCalendar, DateStaysWithinItsLimitsAndClicksReport)
{
    TForm form(nullptr);
    form.Show();
    auto* cal = new TMonthCalendar(&form);
    cal->SetParent(&form);
    cal->SetMinDate(EncodeDate(2024, 1, 1));
    cal->SetMaxDate(EncodeDate(2024, 12, 31));
    cal->SetDate(EncodeDate(2030, 5, 5));
    EXPECT_EQ(cal->Date(), EncodeDate(2024, 12, 31));
    cal->SetWeekNumbers(true);
    int clicks = 0;
    cal->OnClick = [&](TObject*) { ++clicks; };
    cal->HandleNeeded();
    auto* w = OpenCalendar();
    ASSERT_NE(w, nullptr);
    Pick(w, QDate(2024, 3, 8));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cal->Date(), EncodeDate(2024, 3, 8));
    EXPECT_EQ(w->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
}

TEST_F(TPickerForm, Screenshot)
{
    auto add = [&](Integer top) {
        auto* p = new TDateTimePicker(form);
        p->SetParent(form);
        p->SetBounds(10, top, 180, 22);
        p->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0));
        return p;
    };
    auto* updown = add(40);
    updown->SetDateMode(dmUpDown);
    auto* time = add(70);
    time->SetKind(dtkTime);
    auto* checked = add(100);
    checked->SetShowCheckbox(true);
    auto* clear = add(130);
    clear->SetShowCheckbox(true);
    clear->SetChecked(false);
    auto* long_ = add(160);
    long_->SetDateFormat(dfLong);
    picker->SetFocus();
    form->SetClientSize(470, 240);
    auto* cal = new TMonthCalendar(form);
    cal->SetParent(form);
    cal->SetBounds(205, 10, 250, 180);
    Application->ProcessMessages();
    const QImage img = GrabControl(form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TDateTimePicker-kinds")).isEmpty());
    // Each picker shows its value in the settings' format and writes it.
    EXPECT_EQ(picker->Text(), QStringLiteral("31.01.2024"));
    EXPECT_EQ(time->Text(), QStringLiteral("10:20:30"));
    for (TDateTimePicker* p : {picker, updown, time, checked, long_}) {
        SCOPED_TRACE(p->Text().toStdString());
        const QRect box = testsupport::AreaOf(p, form);
        EXPECT_GT(testsupport::CountDark(img, QRect(box.left() + 2, box.top() + 2, box.width() / 2, box.height() - 4)), 10);
    }
    // The long format is wider than the short one.
    const QRect shortBox = testsupport::AreaOf(picker, form), longBox = testsupport::AreaOf(long_, form);
    auto inkRight = [&](const QRect& box) {
        int right = box.left();
        for (int x = box.left() + 2; x < box.right() - 24; ++x)
            if (testsupport::CountDark(img, QRect(x, box.top() + 3, 1, box.height() - 6)) > 0)
                right = x;
        return right - box.left();
    };
    EXPECT_GT(inkRight(longBox), inkRight(shortBox) + 20);
    // The calendar writes its days.
    EXPECT_GT(testsupport::CountDark(img, testsupport::AreaOf(cal, form)), 200);
}
