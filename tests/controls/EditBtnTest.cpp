// The edit with a button and the unit edit: the button's click and F4, the
// unit menu and the unit change event, splitting and joining value and unit,
// the locked editor, the layout and the painted unit; and their screenshot.
#include "EditFormTest.h"
#include "QtPrint.h"

#include <QClipboard>

#include "Pixels.h"
#include "Screenshot.h"
#include "controls/ESGEdit.h"
#include "platform/Menus.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

namespace {

class TEditBtn : public TEditForm {
protected:
    void SetUp() override
    {
        TEditForm::SetUp();
        PopupSeam::Clear();
    }
    void TearDown() override
    {
        PopupSeam::Clear();
        TEditForm::TearDown();
    }
    TEsgUnitEditBtn* UnitEdit(std::initializer_list<const char*> units)
    {
        auto* e = Add<TEsgUnitEditBtn>(10, 10, 140, 22);
        TStringList list;
        for (const char* u : units)
            list.Add(QString::fromLatin1(u));
        e->SetUnits(&list);
        return e;
    }
};

} // namespace

TEST_F(TEditBtn, TheButtonAndF4RunTheClick)
{
    auto* e = Add<TEsgEditBtn>(10, 10, 140, 22);
    auto* other = Add<TEdit>(10, 100);
    int clicks = 0;
    e->OnClickBtn = [&](TObject* s) {
        EXPECT_EQ(s, e);
        ++clicks;
    };
    other->SetFocus();
    TestInput::Click(e->Button()->Button());
    EXPECT_EQ(clicks, 1);
    // The click gives the edit the focus.
    EXPECT_TRUE(e->Focused());
    // A right click does nothing.
    TestInput::Click(e->Button()->Button(), {-1, -1}, mbRight);
    EXPECT_EQ(clicks, 1);
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(clicks, 2);
    TestInput::PressKey(e, VK_F4, ssCtrl);
    TestInput::PressKey(e, VK_F4, ssAlt);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TEditBtn, TextAndUnitSplitAndJoin)
{
    auto* e = UnitEdit({"mm", "m"});
    const struct { const char* text; const char* value; const char* unit; } cases[] = {
        {"12mm", "12", "mm"},
        {"5m", "5", "m"},
        {"7 mm", "7 ", "mm"},
        {"mm", "", "mm"},
    };
    for (const auto& k : cases) {
        e->SetText(QStringLiteral("x"));
        e->SetUnitID(QString());
        e->SetTextAndUnit(QString::fromLatin1(k.text));
        EXPECT_EQ(e->Text(), QString::fromLatin1(k.value)) << k.text;
        EXPECT_EQ(e->UnitID(), QString::fromLatin1(k.unit)) << k.text;
        EXPECT_EQ(e->GetTextAndUnit(), QString::fromLatin1(k.text));
    }
    // No unit ends the text: nothing changes (with only "m", the first "m"
    // of "5mm" is not at its end).
    auto* m = UnitEdit({"m"});
    m->SetText(QStringLiteral("3"));
    m->SetUnitID(QStringLiteral("kg"));
    m->SetTextAndUnit(QStringLiteral("5mm"));
    EXPECT_EQ(m->Text(), QStringLiteral("3"));
    EXPECT_EQ(m->GetTextAndUnit(), QStringLiteral("3kg"));
}

TEST_F(TEditBtn, TheUnitMenuChangesTheUnit)
{
    auto* e = UnitEdit({"mm", "cm", "m"});
    e->SetTextAndUnit(QStringLiteral("12mm"));
    QStringList changes;
    int clicks = 0;
    e->OnUnitChanged = [&](TObject*, const QString& u) { changes << u; };
    e->OnClickBtn = [&](TObject*) { ++clicks; };
    PopupSeam::QueueChoice(QStringLiteral("cm"));
    TestInput::Click(e->Button()->Button());
    EXPECT_EQ(clicks, 1);
    // The menu goes once it has closed.
    EXPECT_EQ(PopupSeam::LastShown(), nullptr);
    // Shown below the edit's bottom edge, 15 pixels in from its right.
    EXPECT_EQ(PopupSeam::LastPoint(), e->ClientToScreen({e->ClientWidth() - 15, e->ClientHeight()}));
    EXPECT_EQ(e->UnitID(), QStringLiteral("cm"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("cm")});
    // The unit already shown fires nothing; F4 opens the menu too.
    PopupSeam::QueueChoice(QStringLiteral("cm"));
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(changes.size(), 1);
    PopupSeam::QueueChoice(QStringLiteral("m"));
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(changes, (QStringList{QStringLiteral("cm"), QStringLiteral("m")}));
    EXPECT_EQ(e->GetTextAndUnit(), QStringLiteral("12m"));
    // Dismissing the menu and commands beyond the list change nothing.
    PopupSeam::QueueChoice(QString());
    TestInput::PressKey(e, VK_F4);
    e->Perform(WM_COMMAND, MAKEWPARAM(4, 0));
    e->Perform(WM_COMMAND, MAKEWPARAM(1, EN_CHANGE));
    EXPECT_EQ(e->UnitID(), QStringLiteral("m"));
    EXPECT_EQ(changes.size(), 2);
    // Alt+F4 and Ctrl+F4 open no menu: the queued choice stays unused.
    PopupSeam::QueueChoice(QStringLiteral("mm"));
    TestInput::PressKey(e, VK_F4, ssAlt);
    TestInput::PressKey(e, VK_F4, ssCtrl);
    EXPECT_EQ(e->UnitID(), QStringLiteral("m"));
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(e->UnitID(), QStringLiteral("mm"));
}

TEST_F(TEditBtn, WithEditorDisabledOnlyTheButtonChangesTheText)
{
    auto* e = Add<TEsgEditBtn>(10, 10, 140, 22);
    e->SetEditorEnabled(false);
    e->SetText(QStringLiteral("abc"));
    e->OnClickBtn = [&](TObject*) { e->SetText(QStringLiteral("chosen")); };
    e->SetFocus();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    QString typed;
    e->OnKeyPress = [&](TObject*, QChar& k) { typed += k; };
    e->SetSelStart(3);
    TestInput::TypeText(e, QStringLiteral("xy"));
    TestInput::PressKey(e, VK_BACK, {}, QStringLiteral("\b"));
    e->SetSelStart(0);
    TestInput::PressKey(e, VK_DELETE);
    TestInput::PressKey(e, 'V', ssCtrl, QString(QChar(0x16)));
    TestInput::PressKey(e, VK_INSERT, ssShift);
    e->SelectAll();
    TestInput::PressKey(e, 'X', ssCtrl, QString(QChar(0x18)));
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
    EXPECT_TRUE(typed.isEmpty());
    TestInput::Click(e->Button()->Button());
    EXPECT_EQ(e->Text(), QStringLiteral("chosen"));

    e->SetEditorEnabled(true);
    e->SelectAll();
    TestInput::PressKey(e, VK_INSERT, ssShift);
    EXPECT_EQ(e->Text(), QStringLiteral("pasted"));
}

TEST_F(TEditBtn, LayoutOfButtonTextAndUnit)
{
    auto* e = Add<TEsgEditBtn>(10, 10, 140, 24);
    EXPECT_FALSE(e->RightAlign());
    EXPECT_EQ(e->Button()->Width(), 18);
    EXPECT_EQ(e->Button()->BoundsRect(), Bounds(140 - 18 - 5 + 2, 2, 18, 24 - 5));
    // The speed button fills its container.
    EXPECT_EQ(e->Button()->Button()->BoundsRect(), Bounds(0, 0, 18, 24 - 5));
    e->SetButtonWidth(24);
    EXPECT_EQ(e->ButtonWidth(), 24);
    EXPECT_EQ(e->Button()->Left(), 140 - 24 - 5 + 2);
    TRect r;
    e->Perform(EM_GETRECT, 0, LPARAM(&r));
    EXPECT_EQ(r, TRect(1, 1, 140 - 24 - 5, 25));
    // Too low a height is raised to the font's minimum.
    e->SetHeight(4);
    EXPECT_GT(e->Height(), 10);

    auto* u = Add<TEsgUnitEditBtn>(10, 50, 140, 24);
    EXPECT_TRUE(u->RightAlign());
    EXPECT_EQ(u->Alignment(), taRightJustify);
    EXPECT_EQ(u->UnitSpace(), 20);
    u->Perform(EM_GETRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Right, 140 - 18 - 5 - 20 - 3);
    u->SetUnitSpace(30);
    u->Perform(EM_GETRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Right, 140 - 18 - 5 - 30 - 3);
    // Without a border the text keeps three pixels to the edges.
    u->SetBorderStyle(bsNone);
    u->Perform(EM_GETRECT, 0, LPARAM(&r));
    EXPECT_EQ(r.Left, 3);
    EXPECT_EQ(u->Button()->BoundsRect(), Bounds(140 - 18 - 1, 0, 18, 23));
}

TEST_F(TEditBtn, TheUnitIsDrawnBesideTheValue)
{
    auto* u = Add<TEsgUnitEditBtn>(10, 10, 140, 24);
    u->SetText(QStringLiteral("12"));
    // The unit's area: 20 pixels left of the button.
    auto darkIn = [&](const QImage& img) {
        int n = 0;
        for (int x = 140 - 2 - 18 - 3 - 20; x < 140 - 2 - 18 - 3; ++x)
            for (int y = 4; y < 20; ++y)
                if (Pixel(img, x, y).lightness() < 100)
                    ++n;
        return n;
    };
    EXPECT_EQ(darkIn(GrabControl(u)), 0);
    u->SetUnitID(QStringLiteral("kg"));
    EXPECT_GT(darkIn(GrabControl(u)), 5);
}

TEST_F(TEditBtn, ButtonFaceColourAndCaption)
{
    auto* e = Add<TEsgEditBtn>(10, 10, 140, 24);
    e->SetButtonCaption(QStringLiteral("..."));
    EXPECT_EQ(e->Button()->Button()->Caption(), QStringLiteral("..."));
    e->Button()->SetButtonColor(RGB(0, 160, 0));
    e->Button()->SetButtonColorHot(RGB(0, 220, 0));
    TExSpeedButton* b = e->Button()->Button();
    EXPECT_EQ(Pixel(GrabControl(b), 2, 2), Q(RGB(0, 160, 0)));
    EXPECT_TRUE(b->Flat());
    TestInput::MouseEnter(b);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(Pixel(GrabControl(b), 2, 2), Q(RGB(0, 220, 0)));
    TestInput::MouseLeave(b);
    EXPECT_FALSE(b->Hot());
}

TEST_F(TEditBtn, Screenshot)
{
    auto* plain = Add<TEsgEditBtn>(10, 10, 160, 22);
    plain->SetButtonCaption(QStringLiteral("..."));
    plain->SetText(QStringLiteral("C:\\Projects\\Demo"));
    auto* unit = UnitEdit({"mm", "cm", "m"});
    unit->SetBounds(10, 40, 160, 22);
    unit->SetButtonCaption(QStringLiteral("..."));
    unit->SetTextAndUnit(QStringLiteral("125mm"));
    auto* flat = Add<TEsgEditBtn>(10, 70, 160, 22);
    flat->Button()->SetFlat(true);
    flat->SetButtonCaption(QStringLiteral("..."));
    flat->SetText(QStringLiteral("flat button"));
    auto* coloured = Add<TEsgEditBtn>(10, 100, 160, 22);
    coloured->Button()->SetButtonColor(RGB(0, 120, 215));
    coloured->SetButtonCaption(QStringLiteral("..."));
    coloured->SetText(QStringLiteral("coloured button"));
    auto* themed = Add<TEsgEditBtn>(10, 130, 160, 22);
    themed->SetIsWinXP(true);
    themed->SetButtonCaption(QStringLiteral("..."));
    themed->SetText(QStringLiteral("themed button"));
    auto* bare = Add<TEsgUnitEditBtn>(10, 160, 160, 20);
    bare->SetBorderStyle(bsNone);
    bare->SetButtonCaption(QStringLiteral("..."));
    bare->SetText(QStringLiteral("3,5"));
    bare->SetUnitID(QStringLiteral("kg"));
    const QImage img = GrabControl(form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TEsgEditBtn-kinds")).isEmpty());
    // The texts are written left of the buttons, and each button shows "...".
    for (TEsgEditBtn* e : {plain, static_cast<TEsgEditBtn*>(unit), flat, coloured, themed}) {
        SCOPED_TRACE(e->Text().toStdString());
        const QRect box = testsupport::AreaOf(e, form);
        const QRect button = testsupport::AreaOf(e->Button(), form);
        EXPECT_GT(testsupport::CountDark(img, QRect(box.left() + 2, box.top() + 2, button.left() - box.left() - 4,
                                                    box.height() - 4)),
                  8);
    }
    EXPECT_EQ(unit->Text(), QStringLiteral("125"));
    // The coloured button is blue, the plain one is not.
    EXPECT_GT(testsupport::CountColour(img, testsupport::AreaOf(coloured->Button(), form), Q(RGB(0, 120, 215)), 6), 40);
    EXPECT_EQ(testsupport::CountColour(img, testsupport::AreaOf(plain->Button(), form), Q(RGB(0, 120, 215)), 6), 0);
}
