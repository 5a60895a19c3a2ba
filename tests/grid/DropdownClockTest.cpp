// The analogue clock: its dial geometry, hands drawn for a set time, and
// the time set by mouse and keys, with and without animation.
#include "DropdownFixture.h"

#include <cmath>
#include <numbers>

#include "grid/dropdown/ExWatch.h"
#include "platform/Text.h"

namespace {

class TClock : public TDropDownForm_ {
protected:
    TExWatch* AddClock()
    {
        auto* w = new TExWatch(form);
        w->SetParent(form);
        w->SetLeft(10);
        w->SetTop(10);
        w->SetAnimation(false);
        return w;
    }
    static double At(Integer H, Integer M) { return EncodeTime(Word(H), Word(M), 0, 0); }
    static Integer Hour(const TExWatch* W)
    {
        Word h, m, s, ms;
        DecodeTime(W->Time(), h, m, s, ms);
        return h;
    }
    static Integer Minute(const TExWatch* W)
    {
        Word h, m, s, ms;
        DecodeTime(W->Time(), h, m, s, ms);
        return m;
    }
};

// A point at Degrees clockwise from 12 o'clock, Distance from the centre.
QPoint OnDial(Integer Cx, Integer Cy, double Degrees, double Distance)
{
    const double a = Degrees * std::numbers::pi / 180;
    return {Cx + int(std::lround(Distance * std::sin(a))), Cy - int(std::lround(Distance * std::cos(a)))};
}

} // namespace

TEST_F(TClock, DialIsCentredAndLeavesAMargin)
{
    TExWatch* w = AddClock();
    EXPECT_EQ(w->Width(), 180);
    EXPECT_EQ(w->Height(), 180);
    EXPECT_EQ(w->GetWatchRect(), TRect(10, 10, 170, 170));
    w->Appearance()->SetSize(100);
    EXPECT_EQ(w->GetWatchRect(), TRect(40, 40, 140, 140));
    w->Appearance()->SetSize(500);
    EXPECT_EQ(w->GetWatchRect(), TRect(0, 0, 180, 180));
}

TEST_F(TClock, AngleOfAPointGivesMinuteAndHour)
{
    TExWatch* w = AddClock();
    const struct {
        Integer x, y, minute;
    } points[] = {{120, 90, 15}, {90, 60, 0}, {90, 120, 30}, {60, 90, 45}, {90 + 21, 90 - 21, 7}, {89, 30, 0}};
    for (const auto& p : points)
        EXPECT_EQ(w->AngleToMinute(p.x, p.y), p.minute) << p.x << "," << p.y;
    w->SetTime(At(9, 0));
    EXPECT_EQ(w->AngleToHour(90, 60), 0);
    EXPECT_EQ(w->AngleToHour(120, 90), 3);
    w->SetTime(At(21, 0));
    EXPECT_EQ(w->AngleToHour(90, 60), 12);
    EXPECT_EQ(w->AngleToHour(120, 90), 15);
}

TEST_F(TClock, ClicksSetHourInsideAndMinuteOutsideTheDial)
{
    TExWatch* w = AddClock();
    Integer changes = 0;
    w->OnChange = [&](TObject*) { ++changes; };
    w->SetTime(At(21, 40));
    TestInput::Click(w, {120, 90});
    EXPECT_EQ(Hour(w), 15);
    EXPECT_EQ(Minute(w), 40);
    w->SetTime(At(9, 40));
    TestInput::Click(w, {90, 60});
    EXPECT_EQ(Hour(w), 0);
    // Outside the dial, at 3 o'clock: a quarter past.
    TestInput::Click(w, {176, 90});
    EXPECT_EQ(Hour(w), 0);
    EXPECT_EQ(Minute(w), 15);
    EXPECT_EQ(changes, 3);
    // The AM/PM box swaps the half of the day.
    EXPECT_TRUE(w->AM());
    const TRect box = w->GetAMPMRect();
    TestInput::Click(w, {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
    EXPECT_EQ(Hour(w), 12);
    EXPECT_FALSE(w->AM());
    // Live mode ignores the mouse.
    w->Settings()->SetAuto(true);
    const double shown = w->Time();
    TestInput::Click(w, {176, 90});
    EXPECT_EQ(w->Time(), shown);
}

TEST_F(TClock, KeysStepHoursAndMinutes)
{
    TExWatch* w = AddClock();
    const struct {
        Integer h, m;
        Word key;
        Integer expectH, expectM;
    } cases[] = {
        {10, 59, VK_RIGHT, 11, 0}, {10, 0, VK_LEFT, 9, 59},  {0, 0, VK_LEFT, 23, 59},  {23, 5, VK_PRIOR, 0, 5},
        {0, 5, VK_NEXT, 23, 5},    {7, 5, VK_HOME, 12, 5},   {7, 5, VK_END, 7, 0},     {9, 5, 'P', 21, 5},
        {21, 5, 'A', 9, 5},        {9, 5, 'A', 9, 5},        {9, 5, VK_UP, 9, 5},      {9, 5, VK_RIGHT, 9, 6},
    };
    w->SetTabStop(true);
    for (const auto& c : cases) {
        w->SetTime(At(c.h, c.m));
        TestInput::PressKey(w, c.key);
        EXPECT_EQ(Hour(w), c.expectH) << c.h << ":" << c.m << " key " << c.key;
        EXPECT_EQ(Minute(w), c.expectM) << c.h << ":" << c.m << " key " << c.key;
    }
}

TEST_F(TClock, MinuteSixtyIsRefused)
{
    TExWatch* w = AddClock();
    w->SetTime(At(8, 20));
    try {
        w->SetMinute(60);
        ADD_FAILURE() << "minute 60 taken";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Invalid time");
    }
    EXPECT_EQ(Minute(w), 20);
}

TEST_F(TClock, AnimatedChangesReachTheirTargetAndReport)
{
    TExWatch* w = AddClock();
    w->SetAnimation(true);
    w->SetTime(At(2, 10));
    bool changed = false;
    w->OnChange = [&](TObject*) { changed = true; };
    w->SetHour(11);
    EXPECT_EQ(Hour(w), 2);
    EXPECT_TRUE(w->Animating());
    for (int i = 0; i < 200 && w->Animating(); ++i)
        RunFor(5);
    EXPECT_FALSE(w->Animating());
    EXPECT_EQ(Hour(w), 11);
    EXPECT_TRUE(changed);
    changed = false;
    w->SetMinute(45);
    for (int i = 0; i < 200 && w->Animating(); ++i)
        RunFor(5);
    EXPECT_EQ(Minute(w), 45);
    EXPECT_TRUE(changed);
}

TEST_F(TClock, HandsPointAtTheTimeSet)
{
    TExWatch* w = AddClock();
    TWatchAppearance* a = w->Appearance();
    a->SetHourPointer(clRed);
    a->SetMinutePointer(clBlue);
    a->SetHourPointerShadow(clNone);
    a->SetMinutePointerShadow(clNone);
    a->SetTickMarks(tmNone);
    a->SetCenterPointSize(0);
    w->SetShowAMPM(false);
    const Integer cx = 90, cy = 90;
    const double R = 80;
    const struct {
        Integer h, m;
    } times[] = {{3, 0}, {9, 30}, {6, 45}};
    for (const auto& t : times) {
        w->SetTime(At(t.h, t.m));
        const QImage img = GrabControl(w);
        const double hourAngle = (t.h % 12) * 30 + t.m / 2.0, minuteAngle = t.m * 6;
        const QPoint hour = OnDial(cx, cy, hourAngle, 0.35 * R), minute = OnDial(cx, cy, minuteAngle, 0.6 * R);
        EXPECT_EQ(PixelAt(img, hour.x(), hour.y()), clRed) << t.h << ":" << t.m;
        EXPECT_EQ(PixelAt(img, minute.x(), minute.y()), clBlue) << t.h << ":" << t.m;
        // Nothing beyond the tips, and the tail on the far side.
        const QPoint past = OnDial(cx, cy, minuteAngle, 0.8 * R), tail = OnDial(cx, cy, minuteAngle + 180, 0.05 * R);
        EXPECT_EQ(PixelAt(img, past.x(), past.y()), clWhite) << t.h << ":" << t.m;
        EXPECT_EQ(PixelAt(img, tail.x(), tail.y()), clBlue) << t.h << ":" << t.m;
    }
}

TEST_F(TClock, MarksAndStylesColourTheFace)
{
    TExWatch* w = AddClock();
    w->SetTime(At(10, 10));
    w->Appearance()->SetHourColor(clGreen);
    // The 3 o'clock mark lies on the face's radius less half the border.
    QImage img = GrabControl(w);
    EXPECT_EQ(PixelAt(img, 90 + 76, 90), clGreen);
    w->Appearance()->SetTickMarks(tmNone);
    img = GrabControl(w);
    EXPECT_EQ(PixelAt(img, 90 + 76, 90), clWhite);
    // A preset that is already the current one changes nothing.
    w->Appearance()->SetBackgroundColor(clYellow);
    w->SetStyle(wsClassic);
    EXPECT_EQ(w->Appearance()->BackgroundColor(), clYellow);
    w->SetStyle(wsBlack);
    EXPECT_EQ(w->Appearance()->BackgroundColor(), RGB(32, 32, 32));
    EXPECT_FALSE(w->ShowAMPM());
    w->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(w->Appearance()->BackgroundColor(), RGB(175, 210, 255));
    EXPECT_EQ(w->Appearance()->HourPointer(), RGB(89, 135, 214));
    EXPECT_EQ(w->Appearance()->AMPMColor(), RGB(89, 135, 214));
    img = GrabControl(w);
    EXPECT_EQ(PixelAt(img, 90, 40), RGB(175, 210, 255));
}

TEST_F(TClock, ClassicFaceAtTenPastTen)
{
    TExWatch* w = AddClock();
    w->SetTime(At(10, 10));
    w->SetStyle(wsSmooth);
    w->SetStyle(wsClassic);
    const QImage img = GrabControl(w);
    // The hour hand's shadow lies below the hand.
    EXPECT_EQ(PixelAt(img, 90, 90), clBlack);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExWatch-classic-10-10")).isEmpty());
}

TEST_F(TClock, TheAmPmBoxRollsToItsNewLabelFromATimer)
{
    TExWatch* w = AddClock();
    TExWatch* reference = AddClock();
    reference->SetLeft(200);
    reference->SetTime(At(21, 0));
    w->SetTime(At(9, 0));
    w->SetAnimation(true);
    const TRect box = w->GetAMPMRect();
    const QRect inner(box.Left + 1, box.Top + 1, box.Width() - 2, box.Height() - 2);
    const QImage am = GrabControl(w).copy(inner);
    const QImage pm = GrabControl(reference).copy(inner);
    ASSERT_NE(am, pm);

    // The click returns while the box is still rolling: the user-interface
    // thread is never held.
    TestInput::Click(w, {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
    EXPECT_FALSE(w->AM());
    EXPECT_TRUE(w->RollingAMPM());
    int between = 0;
    for (int i = 0; i < 400 && w->RollingAMPM(); ++i) {
        const QImage now = GrabControl(w).copy(inner);
        between += now != am && now != pm;
        RunFor(2);
    }
    EXPECT_FALSE(w->RollingAMPM());
    EXPECT_GT(between, 0) << "frames between the two labels were shown";
    EXPECT_EQ(GrabControl(w).copy(inner), pm);

    // Without a fill colour the label changes at once.
    w->Appearance()->SetAMPMColor(clNone);
    TestInput::Click(w, {(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2});
    EXPECT_TRUE(w->AM());
    EXPECT_FALSE(w->RollingAMPM());
}
