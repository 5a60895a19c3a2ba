// The popup's header and footer bars: button placement and size limits,
// buttons that close the popup, custom captions and backgrounds, and the
// size grip that resizes the popup.
#include "DropdownFixture.h"

#include "platform/Canvas.h"

using TDropDownBars = TDropDownForm_;

namespace {

TExButton* ButtonOf(TDropDownBar* Bar, Integer Index)
{
    return static_cast<TExButton*>(Bar->ButtonList()->ItemsEx(Index));
}

} // namespace

TEST_F(TDropDownBars, HeaderButtonsLineUpFromTheRightAndCutTheCaption)
{
    TExCustomDropDown* dd = AddDropDown();
    for (const char* caption : {"One", "Two", "Three"})
        dd->DropDownHeader()->Buttons()->Add()->SetCaption(QString::fromLatin1(caption));
    dd->DropDownHeader()->SetCaption(QStringLiteral("A caption long enough to reach the buttons"));
    dd->ShowDropDown();
    TExHeader* h = dd->DropDownForm()->Header();
    ASSERT_EQ(h->ButtonList()->Count(), 3);
    const TRect area = h->GetButtonArea();
    EXPECT_EQ(area, TRect(2, 2, h->Width() - 2, h->Height() - 3));
    EXPECT_EQ(ButtonOf(h, 0)->Left() + ButtonOf(h, 0)->Width(), area.Right);
    EXPECT_EQ(ButtonOf(h, 1)->Left() + ButtonOf(h, 1)->Width(), ButtonOf(h, 0)->Left());
    EXPECT_EQ(ButtonOf(h, 2)->Left() + ButtonOf(h, 2)->Width(), ButtonOf(h, 1)->Left());
    EXPECT_EQ(h->GetCaptionLimit().Right, ButtonOf(h, 2)->Left() - 2);
    EXPECT_EQ(ButtonOf(h, 1)->Tag(), 1);
    // Left alignment puts the first button at the left.
    dd->HideDropDown(false);
    dd->DropDownHeader()->SetButtonAlignment(baLeft);
    dd->ShowDropDown();
    EXPECT_EQ(ButtonOf(h, 0)->Left(), 2);
    EXPECT_EQ(ButtonOf(h, 1)->Left(), 2 + ButtonOf(h, 0)->Width());
}

TEST_F(TDropDownBars, TallButtonsAreCutToTheBarsButtonArea)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownHeader()->Buttons()->Add()->SetHeight(40);
    dd->DropDownFooter()->Buttons()->Add()->SetHeight(40);
    dd->DropDownFooter()->Buttons()->Items(0)->SetWidth(50);
    dd->ShowDropDown();
    EXPECT_EQ(ButtonOf(dd->DropDownForm()->Header(), 0)->Height(), 17);
    TExFooter* f = dd->DropDownForm()->Footer();
    EXPECT_EQ(ButtonOf(f, 0)->Height(), 18);
    EXPECT_EQ(ButtonOf(f, 0)->Width(), 50);
    // The size grip keeps 12 more pixels free at the right.
    EXPECT_EQ(ButtonOf(f, 0)->Left() + 50, f->Width() - 14);
}

TEST_F(TDropDownBars, FooterButtonsCloseThePopupByTheirModalResult)
{
    const struct {
        Integer modalResult;
        bool open;
        const char* text;
    } cases[] = {{2, false, "old"}, {1, false, "chosen"}, {4, true, "chosen"}, {7, false, "old"}, {6, false, "chosen"}};
    for (const auto& c : cases) {
        TExCustomDropDown* dd = AddDropDown();
        dd->DropDownFooter()->Buttons()->Add()->SetModalResult(c.modalResult);
        Integer clicked = -1;
        dd->OnDropDownFooterButtonClick = [&](TObject* Sender, Integer Index) {
            EXPECT_EQ(Sender, dd);
            clicked = Index;
        };
        dd->SetText(QStringLiteral("old"));
        dd->ShowDropDown();
        dd->SetRawText(QStringLiteral("chosen"));
        TestInput::Click(ButtonOf(dd->DropDownForm()->Footer(), 0));
        EXPECT_EQ(dd->DroppedDown(), c.open) << c.modalResult;
        EXPECT_EQ(dd->Text(), QString::fromLatin1(c.text)) << c.modalResult;
        EXPECT_EQ(clicked, 0);
        delete dd;
    }
}

TEST_F(TDropDownBars, HeaderButtonClickReportsItsIndex)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("A"));
    dd->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("B"));
    Integer clicked = -1;
    dd->OnDropDownHeaderButtonClick = [&](TObject*, Integer Index) { clicked = Index; };
    dd->ShowDropDown();
    TestInput::Click(ButtonOf(dd->DropDownForm()->Header(), 1));
    EXPECT_EQ(clicked, 1);
    EXPECT_TRUE(dd->DroppedDown());
    // A disabled item makes a disabled button.
    dd->HideDropDown(false);
    dd->DropDownHeader()->Buttons()->Items(0)->SetEnabled(false);
    dd->ShowDropDown();
    EXPECT_FALSE(ButtonOf(dd->DropDownForm()->Header(), 0)->Enabled());
}

TEST_F(TDropDownBars, CustomTextAndBackgroundReplaceTheBarsOwn)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownHeader()->SetCaption(QStringLiteral("static"));
    Integer asked = 0;
    dd->OnGetHeaderText = [&](TObject*, QString& Text) {
        ++asked;
        EXPECT_EQ(Text, QStringLiteral("static"));
        Text = QStringLiteral("from the event");
    };
    dd->ShowDropDown();
    const QImage plain = GrabControl(dd->DropDownForm()->Header());
    EXPECT_GT(asked, 0);
    dd->HideDropDown(false);
    dd->OnDrawHeader = [](TObject*, TCanvas* Canvas, TRect R) {
        Canvas->Brush()->SetColor(clLime);
        Canvas->FillRect(R);
    };
    asked = 0;
    dd->ShowDropDown();
    const QImage custom = GrabControl(dd->DropDownForm()->Header());
    EXPECT_EQ(asked, 0);
    // Neither border nor caption: the whole bar is the event's colour.
    for (const QPoint p : {QPoint(0, 0), QPoint(10, 10), QPoint(custom.width() - 1, custom.height() - 1)})
        EXPECT_EQ(PixelAt(custom, p.x(), p.y()), clLime);
    EXPECT_NE(PixelAt(plain, 10, 10), clLime);
}

TEST_F(TDropDownBars, GripResizesThePopupAndTheSizeIsKept)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->ShowDropDown();
    TDropDownForm* popup = dd->DropDownForm();
    TExFooter* f = popup->Footer();
    ASSERT_TRUE(f->HasSizeGrip());
    const Integer w = popup->Width(), h = popup->Height();
    const TPoint grip(f->Width() - 5, f->Height() - 5);
    TestInput::MouseDown(f, mbLeft, grip);
    TestInput::MouseMove(f, {grip.X + 40, grip.Y + 30}, ssLeft);
    TestInput::MouseUp(f, mbLeft, {grip.X + 40, grip.Y + 30});
    EXPECT_EQ(popup->Width(), w + 40);
    EXPECT_EQ(popup->Height(), h + 30);
    dd->HideDropDown(false);
    dd->ShowDropDown();
    EXPECT_EQ(popup->Width(), w + 40);
    EXPECT_EQ(popup->Height(), h + 30);
    // A new fixed width forgets the user's.
    dd->HideDropDown(false);
    dd->SetDropDownWidth(120);
    dd->ShowDropDown();
    EXPECT_EQ(popup->Width(), 120);
    // Without a sizeable popup there is no grip.
    dd->HideDropDown(false);
    dd->SetDropDownSizeable(false);
    dd->ShowDropDown();
    EXPECT_FALSE(f->HasSizeGrip());
}

TEST(TDropDownBarParts, BoundedListRaisesOutsideItsItems)
{
    TBoundedList list;
    int a = 1, b = 2;
    list.Add(&a);
    EXPECT_EQ(list.ItemsEx(0), &a);
    try {
        list.ItemsEx(1);
        ADD_FAILURE() << "read beyond the end";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list read access");
    }
    try {
        list.SetItemsEx(1, &b);
        ADD_FAILURE() << "write beyond the end";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Index out of bounds in list write access");
    }
    TBoundedList copy;
    copy.Add(&b);
    copy.AssignList(&list);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.ItemsEx(0), &a);
}

TEST(TDropDownBarParts, AppearancesCopyTheirSettingsAndButtons)
{
    THeaderAppearance a(nullptr), b(nullptr);
    EXPECT_EQ(a.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(a.Color(), clSilver);
    EXPECT_EQ(a.Height(), 22);
    Integer changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    a.SetColor(clRed);
    a.SetVisible(false);
    a.Buttons()->Add()->SetCaption(QStringLiteral("x"));
    b.Assign(&a);
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(b.Buttons()->Count(), 1);
    EXPECT_EQ(b.Buttons()->Items(0)->Caption(), QStringLiteral("x"));
    // Another class is ignored.
    TFooterAppearance f(nullptr);
    f.Assign(&a);
    EXPECT_EQ(f.Color(), clSilver);
    TExButtonAppearance ba;
    EXPECT_EQ(ba.ColorChecked(), TColor(0xF5D8CA));
    EXPECT_EQ(ba.ColorCheckedTo(), TColor(0xF9BDA0));
}

TEST_F(TDropDownBars, BarButtonsShowTheirStateInTheStyleColours)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownFooter()->Buttons()->Add()->SetCaption(QStringLiteral("OK"));
    dd->DropDownFooter()->Buttons()->Add()->SetCaption(QStringLiteral("Off"));
    dd->DropDownFooter()->Buttons()->Items(1)->SetEnabled(false);
    dd->ShowDropDown();
    TExButton* ok = ButtonOf(dd->DropDownForm()->Footer(), 0);
    TExButton* off = ButtonOf(dd->DropDownForm()->Footer(), 1);
    TExButtonAppearance* a = dd->ButtonAppearance();
    // Office 2007 Luna: a gradient face without a border; hot and disabled faces.
    QImage img = GrabControl(ok);
    EXPECT_NE(PixelAt(img, 2, 2), PixelAt(img, 2, img.height() - 3));
    TestInput::MouseEnter(ok);
    img = GrabControl(ok);
    EXPECT_EQ(PixelAt(img, 2, 3), a->ColorHot());
    EXPECT_EQ(PixelAt(img, 0, 5), a->BorderColorHot());
    img = GrabControl(off);
    EXPECT_EQ(PixelAt(img, 0, 5), a->BorderColorDisabled());
}
