// The flat and the combined date-time pickers: the time part made, placed,
// kept in step and freed with the kind, date and time written separately,
// auto-tab through the fields and on to the time part, the check box that
// disables the time part, limits and formats under two format settings, the
// caption label, the metro button and frames in pixels; and screenshots.
#include "EditFormTest.h"
#include "QtPrint.h"

#include <cmath>

#include "Pixels.h"
#include "Screenshot.h"
#include "controls/EsgDateTimePicker.h"
#include "controls/ExDateTimePicker.h"
#include "platform/TestHooks.h"
#include "platform/Text.h"

namespace {

class TPickers : public TEditForm {
protected:
    TExDateTimePicker* Combined(Integer top = 10)
    {
        auto* p = Add<TExDateTimePicker>(110, top, 220, 22);
        p->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 20, 30, 0));
        return p;
    }
    // Lets posted messages (auto-tab posts one, which may post another) arrive.
    static void Pump()
    {
        for (int i = 0; i < 3; ++i)
            Application->ProcessMessages();
    }
    // Types as a user does: the loop runs between the keys.
    static void TypeSlowly(TControl* c, const QString& text)
    {
        for (QChar ch : text) {
            TestInput::TypeText(c, QString(ch));
            Pump();
        }
    }
};

QString Stamp(TDateTime v)
{
    return FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss.zzz"), v);
}

} // namespace

TEST_F(TPickers, TheTimePartComesAndGoesWithTheKind)
{
    UseEuropeanSettings();
    auto* p = Combined();
    TCustomDateTimePicker* part = p->TimePicker();
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->Visible());
    EXPECT_EQ(part->Parent(), p);
    EXPECT_TRUE(part->IsTimePart());
    EXPECT_FALSE(p->IsTimePart());
    EXPECT_EQ(part->Text(), QStringLiteral("10:20:30"));
    // At the right end, its text plus 31 wide, clear of the picker's button.
    EXPECT_EQ(part->Left() + part->Width(), p->Width() - 34);
    EXPECT_EQ(part->Top(), 1);
    EXPECT_EQ(part->Height(), p->Height() - 2);

    p->SetKind(dkDate);
    EXPECT_EQ(p->TimePicker(), nullptr);
    EXPECT_EQ(Stamp(p->DateTime()), QStringLiteral("2024-01-31 10:20:30.000"));
    EXPECT_EQ(p->Text(), QStringLiteral("31.01.2024"));
    p->SetKind(dkTime);
    EXPECT_EQ(p->TimePicker(), nullptr);
    EXPECT_EQ(p->Text(), QStringLiteral("10:20:30"));
    p->SetKind(dkDateTime);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_EQ(p->TimePicker()->Text(), QStringLiteral("10:20:30"));
}

TEST_F(TPickers, DateAndTimeAreWrittenApart)
{
    auto* p = Combined();
    p->SetDateTime(EncodeDate(2024, 3, 1) + EncodeTime(8, 9, 10, 567));
    EXPECT_EQ(Stamp(p->DateTime()), QStringLiteral("2024-03-01 08:09:10.000"));
    EXPECT_EQ(p->TimePicker()->Text(), QStringLiteral("08:09:10"));
    // A new day keeps the time of day.
    p->SetDate(EncodeDate(2025, 7, 4) + 0.75);
    EXPECT_EQ(Stamp(p->DateTime()), QStringLiteral("2025-07-04 08:09:10.000"));
    EXPECT_EQ(Stamp(p->Date()), QStringLiteral("2025-07-04 00:00:00.000"));
    p->SetTime(EncodeTime(22, 0, 5, 0));
    EXPECT_EQ(Stamp(p->Time()), QStringLiteral("1899-12-30 22:00:05.000"));
    EXPECT_EQ(p->TimePicker()->Text(), QStringLiteral("22:00:05"));
    p->SetTimeFormat(QStringLiteral("HH:mm"));
    EXPECT_EQ(p->TimePicker()->Text(), QStringLiteral("22:00"));
}

TEST_F(TPickers, ATimeTypedInTheTimePartIsKeptAndReported)
{
    auto* p = Combined();
    QStringList events;
    p->OnChange = [&](TObject*) { events << QStringLiteral("change"); };
    p->OnTimeChange = [&](TObject*) { events << QStringLiteral("time"); };
    QList<Word> keys;
    p->OnKeyDown = [&](TObject*, Word& k, TShiftState) { keys << k; };
    TCustomDateTimePicker* part = p->TimePicker();
    part->SetFocus();
    TestInput::TypeText(part, QStringLiteral("14"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("change"), QStringLiteral("time")}));
    // The picker's own key-down handling hears the time part's keys.
    EXPECT_EQ(keys, (QList<Word>{'1', '4'}));
    // Moving or resizing puts the time part back in place, keeping the new time.
    p->SetWidth(240);
    EXPECT_EQ(Stamp(p->DateTime()), QStringLiteral("2024-01-31 14:20:30.000"));
    EXPECT_EQ(part->Text(), QStringLiteral("14:20:30"));
}

TEST_F(TPickers, AutoTabMovesThroughTheFieldsAndOnToTheTimePart)
{
    auto* p = Combined();
    p->SetFormat(QStringLiteral("dd/MM/yyyy"));
    p->SetAutoTab(true);
    EXPECT_TRUE(p->TimePicker()->AutoTab());
    p->SetFocus();
    TestInput::TypeText(p, QStringLiteral("1"));
    Pump();
    EXPECT_EQ(p->FieldIndex(), 0);
    TestInput::TypeText(p, QStringLiteral("2"));
    Pump();
    EXPECT_EQ(p->FieldIndex(), 1);
    TypeSlowly(p, QStringLiteral("03"));
    EXPECT_EQ(p->FieldIndex(), 2);
    TypeSlowly(p, QStringLiteral("2023"));
    EXPECT_EQ(Stamp(p->Date()), QStringLiteral("2023-03-12 00:00:00.000"));
    // The year ends the pattern: the time part takes the focus.
    EXPECT_TRUE(p->TimePicker()->Focused());
    // In the time part each completed field moves on.
    TypeSlowly(p->TimePicker(), QStringLiteral("0715"));
    EXPECT_EQ(p->TimePicker()->Text(), QStringLiteral("07:15:30"));
    EXPECT_EQ(p->TimePicker()->FieldIndex(), 2);

    // Without a pattern a changed year alone goes to the time part too.
    p->SetFormat(QString());
    p->SetFocus();
    p->Perform(WM_KEYDOWN, VK_RIGHT);
    p->Perform(WM_KEYDOWN, VK_RIGHT);
    TypeSlowly(p, QStringLiteral("1999"));
    EXPECT_TRUE(p->TimePicker()->Focused());
    // And without auto-tab nothing moves.
    p->SetAutoTab(false);
    p->SetFocus();
    p->Perform(WM_KEYDOWN, VK_HOME);
    const Integer field = p->FieldIndex();
    TypeSlowly(p, QStringLiteral("2000"));
    EXPECT_EQ(p->FieldIndex(), field);
    EXPECT_TRUE(p->Focused());
}

TEST_F(TPickers, AClearCheckBoxDisablesTheTimePart)
{
    auto* p = Combined();
    p->SetShowCheckbox(true);
    TCustomDateTimePicker* part = p->TimePicker();
    EXPECT_TRUE(part->Enabled());
    p->SetChecked(false);
    EXPECT_FALSE(part->Enabled());
    // The user ticks the box: the time part is back.
    TestInput::Click(p, {9, 11});
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(part->Enabled());
    TestInput::Click(p, {9, 11});
    EXPECT_FALSE(part->Enabled());
    // A value set through the picker checks it.
    p->SetChecked(true);
    EXPECT_TRUE(part->Enabled());
    // A disabled picker keeps its time part disabled, checked or not.
    p->SetEnabled(false);
    EXPECT_FALSE(part->Enabled());
}

TEST_F(TPickers, LimitsAndFormatsUnderTwoFormatSettings)
{
    const struct { void (*use)(); QString date, time; } settings[] = {
        {UseEuropeanSettings, QStringLiteral("05.06.2024"), QStringLiteral("13:04:05")},
        {UseUsSettings, QStringLiteral("6/5/2024"), QStringLiteral("13:04:05")},
    };
    for (const auto& s : settings) {
        s.use();
        auto* p = Combined();
        p->SetMinDate(EncodeDate(2024, 1, 1));
        p->SetMaxDate(EncodeDate(2024, 12, 31) + 0.99);
        p->SetDateTime(EncodeDate(2024, 6, 5) + EncodeTime(13, 4, 5, 0));
        EXPECT_EQ(p->Text(), s.date);
        EXPECT_EQ(p->TimePicker()->Text(), s.time);
        p->SetDateTime(EncodeDate(2030, 1, 1));
        EXPECT_EQ(Stamp(p->Date()), QStringLiteral("2024-12-31 00:00:00.000"));
        p->SetDate(EncodeDate(1990, 1, 1));
        EXPECT_EQ(Stamp(p->Date()), QStringLiteral("2024-01-01 00:00:00.000"));
        delete p;
    }
}

TEST_F(TPickers, TheLabelFollowsThePicker)
{
    auto* p = Combined(60);
    int clicks = 0;
    p->OnLabelClick = [&](TObject* s) {
        EXPECT_EQ(s, p);
        ++clicks;
    };
    p->SetLabelCaption(QStringLiteral("Start:"));
    TLabel* l = p->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Left(), 110 - LabelTextWidth(l) - 4);
    p->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(l->Top(), 60 - l->Height() - 4);
    EXPECT_EQ(l->Left(), 110);
    p->SetLabelPosition(lpBottomCenter);
    EXPECT_EQ(l->Top(), 60 + 22 + 4);
    TestInput::Click(l);
    EXPECT_EQ(clicks, 1);
    p->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    p->SetVisible(true);
    p->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    p->SetFocusLabel(true);
    p->SetEnabled(true);
    p->SetFocus();
    EXPECT_TRUE(l->Font()->Style().Contains(fsBold));
}

TEST_F(TPickers, WithoutMetroTheFlatPickerLooksLikeThePlatformOne)
{
    auto* esg = Add<TEsgDateTimePicker>(10, 10, 180, 22);
    auto* plain = Add<TDateTimePicker>(10, 50, 180, 22);
    esg->SetDateTime(EncodeDate(2024, 1, 31));
    plain->SetDateTime(EncodeDate(2024, 1, 31));
    EXPECT_EQ(GrabControl(esg), GrabControl(plain));
    EXPECT_EQ(esg->Version(), QStringLiteral("1.0.0.0"));
    EXPECT_EQ(Combined(100)->Version(), QStringLiteral("1.2.0.0"));
    esg->SetMetroStyle(true);
    EXPECT_NE(GrabControl(esg), GrabControl(plain));
}

TEST_F(TPickers, MetroButtonAndFrames)
{
    auto* other = Add<TEdit>(10, 200);
    auto* p = Add<TEsgDateTimePicker>(10, 10, 180, 22);
    p->SetMetroStyle(true);
    p->SetButtonColor(RGB(0, 120, 215));
    p->SetButtonColorHot(RGB(60, 170, 255));
    p->SetButtonTextColor(clWhite);
    p->SetBorderColor(RGB(200, 0, 0));
    p->SetFocusBorderColor(RGB(0, 160, 0));
    other->SetFocus();
    // The button: from client width - button width + 2, shrunk by one, filled
    // from two pixels in.
    const int bx = 180 - 19 + 2 + 1 + 3;
    QImage img = GrabControl(p);
    EXPECT_EQ(Pixel(img, bx, 4), Q(RGB(0, 120, 215)));
    EXPECT_EQ(Pixel(img, 0, 11), Q(RGB(200, 0, 0)));
    // The strip before the button is covered in the control's colour.
    EXPECT_EQ(Pixel(img, 180 - 19 - 10, 11), Q(clWindow));
    TestInput::MouseMove(p, {175, 10});
    EXPECT_TRUE(p->ButtonHover());
    EXPECT_EQ(Pixel(GrabControl(p), bx, 4), Q(RGB(60, 170, 255)));
    p->SetFocus();
    EXPECT_TRUE(p->HasFocus());
    EXPECT_EQ(Pixel(GrabControl(p), 0, 11), Q(RGB(0, 160, 0)));
    // A disabled metro picker without DisabledBorder: the blue-grey frame.
    auto* d = Add<TEsgDateTimePicker>(10, 50, 180, 22);
    d->SetMetroStyle(true);
    d->SetEnabled(false);
    EXPECT_EQ(Pixel(GrabControl(d), 0, 11), QColor(127, 157, 185));
    // Without the 3D look a border colour turns into the plain border, in the
    // parent's colour for a borderless picker.
    auto* flat = Add<TEsgDateTimePicker>(10, 90, 180, 22);
    flat->SetCtl3D(false);
    flat->SetBorderColor(clRed);
    EXPECT_EQ(Pixel(GrabControl(flat), 0, 11), Q(form->Color()));
    flat->SetBorderStyle(bsSingle);
    EXPECT_EQ(Pixel(GrabControl(flat), 0, 11), QColor(127, 157, 185));
}

TEST_F(TPickers, Screenshot)
{
    UseEuropeanSettings();
    form->SetClientSize(420, 260);
    auto* plain = Add<TEsgDateTimePicker>(110, 10, 200, 22);
    plain->SetDateTime(EncodeDate(2024, 1, 31));
    auto* metro = Add<TEsgDateTimePicker>(110, 45, 200, 22);
    metro->SetDateTime(EncodeDate(2024, 1, 31));
    metro->SetMetroStyle(true);
    metro->SetBorderColor(RGB(0, 120, 215));
    metro->SetButtonColor(RGB(0, 120, 215));
    metro->SetButtonBorderColor(RGB(0, 120, 215));
    metro->SetButtonTextColor(clWhite);
    auto* combined = Combined(80);
    combined->SetLabelCaption(QStringLiteral("Date and time:"));
    auto* checked = Combined(115);
    checked->SetShowCheckbox(true);
    checked->SetChecked(false);
    checked->SetLabelCaption(QStringLiteral("Not set:"));
    auto* time = Combined(150);
    time->SetKind(dkTime);
    time->SetLabelCaption(QStringLiteral("Time:"));
    auto* part = Add<TCustomDateTimePicker>(110, 185, 200, 22);
    part->SetDateTime(EncodeDate(2024, 1, 31));
    const QImage img = GrabControl(form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExDateTimePicker-kinds")).isEmpty());
    // The dates are written in their boxes; the labels beside them.
    for (TControl* c : {static_cast<TControl*>(plain), static_cast<TControl*>(metro), static_cast<TControl*>(part)}) {
        const QRect box = testsupport::AreaOf(c, form);
        EXPECT_GT(testsupport::CountDark(img, QRect(box.left() + 2, box.top() + 2, box.width() / 2, box.height() - 4)), 10);
    }
    for (TControl* c : {static_cast<TControl*>(combined), static_cast<TControl*>(checked), static_cast<TControl*>(time)}) {
        const QRect box = testsupport::AreaOf(c, form);
        EXPECT_GT(testsupport::CountDark(img, QRect(0, box.top(), box.left() - 2, box.height())), 10);
    }
    // The metro picker is framed and buttoned in blue; the plain one is not.
    EXPECT_GT(testsupport::CountColour(img, testsupport::AreaOf(metro, form), Q(RGB(0, 120, 215)), 4), 100);
    EXPECT_EQ(testsupport::CountColour(img, testsupport::AreaOf(plain, form), Q(RGB(0, 120, 215)), 4), 0);
}
