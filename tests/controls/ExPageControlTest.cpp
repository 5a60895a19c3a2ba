// The owner-drawn tab control: tab texts, page and tab indexes, page
// switching by mouse and Ctrl+Tab, refusals, default colours, closing and
// reopening pages, and the painting of the strip, frame and tabs.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QImage>

#include "Screenshot.h"
#include "controls/ExPageControl.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Lists.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

namespace {

const TColor SkyBlue = RGB(166, 202, 240);
const TColor Cream = RGB(248, 247, 237);

QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A shown form with a tab control and the given pages.
struct TTabForm {
    TForm form{nullptr};
    TExPageControl* tabs;
    std::vector<TExTabSheet*> pages;
    explicit TTabForm(std::initializer_list<const char*> captions, bool show = true)
    {
        form.SetClientSize(400, 260);
        tabs = new TExPageControl(&form);
        tabs->SetParent(&form);
        tabs->SetBounds(10, 10, 380, 240);
        for (const char* c : captions) {
            auto* p = new TExTabSheet(&form);
            p->SetName(QString::fromLatin1(c).trimmed());
            p->SetPageControl(tabs);
            p->SetCaption(QString::fromLatin1(c));
            pages.push_back(p);
        }
        if (show)
            form.Show();
    }
};

// The tab control the network editor shows: tabs on the left, flat style.
void EditorLook(TExPageControl* t)
{
    t->SetTabPosition(tpLeft);
    t->SetTabStyle(tsDotNet);
    t->SetMultiLine(true);
    t->SetDefaultTabColor(Cream);
    t->SetTabBackGroundColor(Cream);
    t->SetActiveColor(SkyBlue);
    TTabMargin m;
    m.SetTopMargin(10);
    m.SetRightMargin(20);
    t->SetTabMargin(&m);
    t->SetTabOverlap(0);
    t->SetLowerActive(0);
    t->Font()->SetName(QStringLiteral("Verdana"));
    t->Font()->SetHeight(-13);
    t->ActiveFont()->SetName(QStringLiteral("Verdana"));
    t->ActiveFont()->SetHeight(-13);
}

TEST(ExPageControl, TabTextIsTheCaptionLessTwoCharactersOrWithABlankForACloseButton)
{
    TTabForm t({"Nodes     "}, false);
    TExTabSheet* p = t.pages[0];
    EXPECT_EQ(p->Caption(), QStringLiteral("Nodes     "));
    EXPECT_EQ(p->TabCaption(), QStringLiteral("Nodes   "));
    EXPECT_EQ(t.tabs->TabText(0), QStringLiteral("Nodes   "));
    struct Row {
        const char* caption;
        bool close;
        const char* tab;
    };
    const Row rows[] = {{"ab", false, ""}, {"ab", true, "ab "}, {"a", false, ""}, {"", false, ""}, {"Variables     ", false, "Variables   "}};
    for (const Row& r : rows) {
        p->SetShowClose(r.close);
        p->SetCaption(QString::fromLatin1(r.caption));
        EXPECT_EQ(p->TabCaption(), QString::fromLatin1(r.tab)) << r.caption << r.close;
        EXPECT_EQ(t.tabs->TabText(0), QString::fromLatin1(r.tab));
    }
}

TEST(ExPageControl, HiddenTabsShiftTabIndexesAndTabRects)
{
    TTabForm t({"A  ", "B  ", "C  "}, false);
    t.pages[0]->SetTabVisible(false);
    EXPECT_EQ(t.pages[0]->TabIndex(), -1);
    EXPECT_EQ(t.pages[2]->TabIndex(), 1);
    EXPECT_EQ(t.tabs->PageIndexOfTab(1), 2);
    EXPECT_EQ(t.tabs->PageTabRect(2), t.tabs->PageTabRect(1).Right <= t.tabs->PageTabRect(2).Left ? t.tabs->PageTabRect(2) : TRect());
    const TRect c = t.tabs->PageTabRect(2);
    EXPECT_EQ(t.tabs->PageAt(CenterPoint(c)), 2);
    // The hidden page was active: the tab at its place (B) became active.
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[1]);
    EXPECT_EQ(t.tabs->TabIndex(), 0);
    // Moving C before B moves its tab too.
    t.pages[2]->SetPageIndex(1);
    EXPECT_EQ(t.tabs->TabText(0), QStringLiteral("C"));
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[1]);
    EXPECT_EQ(t.tabs->TabIndex(), 1);
    try {
        t.pages[2]->SetPageIndex(3);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
}

TEST(ExPageControl, ClickAndCtrlTabSwitchPagesSkippingHiddenTabs)
{
    TTabForm t({"One  ", "Two  ", "Three  ", "Four  "});
    int changes = 0;
    t.tabs->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);
    EXPECT_TRUE(t.pages[0]->Visible());
    TestInput::Click(t.tabs, CenterPoint(t.tabs->PageTabRect(2)));
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[2]);
    EXPECT_TRUE(t.pages[2]->Visible());
    EXPECT_FALSE(t.pages[0]->Visible());
    EXPECT_EQ(changes, 1);
    // The page fills the area inside the frame.
    EXPECT_EQ(t.pages[2]->BoundsRect(), TRect(4, t.tabs->PageTabRect(0).Bottom + 4, 376, 236));

    t.pages[1]->SetTabVisible(false);
    t.tabs->SetFocus();
    TestInput::PressKey(t.tabs, VK_TAB, ssCtrl);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[3]);
    TestInput::PressKey(t.tabs, VK_TAB, ssCtrl);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);  // wraps, skipping Two
    TestInput::PressKey(t.tabs, VK_TAB, ssCtrl | ssShift);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[3]);
    // From a control on the page as well.
    auto* field = new TCustomControl(&t.form);
    field->SetParent(t.pages[3]);
    field->SetTabStop(true);
    field->SetFocus();
    TestInput::PressKey(field, VK_TAB, ssCtrl);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);

    // A refusing handler keeps the page; it is told where the change would go.
    Integer from = -2, to = -2;
    t.tabs->OnCanChange = [&](TObject*, Integer f, Integer tt, bool& allow) {
        from = f;
        to = tt;
        allow = false;
    };
    TestInput::Click(t.tabs, CenterPoint(t.tabs->PageTabRect(2)));
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 2);
}

// The page lies 4 pixels inside the tab strip on every side, one row of
// tabs or several (the page's place is found before any tab is measured).
TEST(ExPageControl, PageLiesBesideTheTabStripOnEverySide)
{
    for (bool multi : {false, true})
        for (TTabPosition pos : {tpTop, tpBottom, tpLeft, tpRight}) {
            TTabForm t({"Alpha  ", "Beta  ", "Longer_caption_here  ", "Delta  "}, false);
            t.tabs->SetMultiLine(multi);
            t.tabs->SetTabPosition(pos);
            t.form.Show();
            TRect strip = t.tabs->PageTabRect(0);
            for (Integer i = 1; i < 4; ++i) {
                const TRect r = t.tabs->PageTabRect(i);
                strip = TRect(std::min(strip.Left, r.Left), std::min(strip.Top, r.Top), std::max(strip.Right, r.Right),
                              std::max(strip.Bottom, r.Bottom));
            }
            const TRect page = t.pages[0]->BoundsRect();
            const TRect want = pos == tpTop      ? TRect(4, strip.Bottom + 4, 376, 236)
                               : pos == tpBottom ? TRect(4, 4, 376, strip.Top - 4)
                               : pos == tpLeft   ? TRect(strip.Right + 4, 4, 375, 235)
                                                 : TRect(5, 4, strip.Left - 4, 235);
            EXPECT_EQ(page, want) << multi << " " << int(pos);
        }
}

TEST(ExPageControl, DisabledTabsAndTheirRefusals)
{
    TTabForm t({"One  ", "Two  "});
    t.pages[1]->SetTabEnable(false);
    t.tabs->SetActivePage(t.pages[1]);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);
    try {
        t.pages[0]->SetTabEnable(false);
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Can not disable active tab.");
    }
    EXPECT_TRUE(t.pages[0]->TabEnable());
    t.tabs->SetTabStyle(tsDotNet);
    EXPECT_THROW(t.tabs->SetTabSplitLine(true), std::runtime_error);
    EXPECT_FALSE(t.tabs->TabSplitLine());
    // A sheet of another control is ignored.
    TTabForm other({"X  "}, false);
    t.tabs->SetActivePage(other.pages[0]);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[0]);
    EXPECT_EQ(t.tabs->Version(), QStringLiteral("1.4.0.0"));
}

TEST(ExPageControl, DefaultColoursRecolourOnlyPagesThatStillCarryThem)
{
    TTabForm t({"One  ", "Two  "}, false);
    EXPECT_EQ(t.pages[0]->TabColor(), clBtnFace);
    t.pages[1]->SetTabColor(clRed);
    t.tabs->SetDefaultTabColor(Cream);
    EXPECT_EQ(t.pages[0]->TabColor(), Cream);
    EXPECT_EQ(t.pages[1]->TabColor(), clRed);
    t.tabs->SetDefaultTextColor(clNavy);
    EXPECT_EQ(t.pages[0]->TextColor(), clNavy);
    // A page attached later takes the defaults.
    auto* p = new TExTabSheet(&t.form);
    p->SetPageControl(t.tabs);
    EXPECT_EQ(p->TabColor(), Cream);
    EXPECT_EQ(p->TextColor(), clNavy);
}

TEST(ExPageControl, CloseButtonClosesUnlessRefusedAndClosedPagesReopen)
{
    TTabForm t({"One  ", "Two  ", "Three  "});
    t.tabs->SetActivePage(t.pages[1]);
    t.pages[1]->SetShowClose(true);
    bool allow = false;
    int closed = 0;
    t.pages[1]->OnCanClose = [&](TObject*, bool& can) { can = allow; };
    t.pages[1]->OnClose = [&](TObject*) { ++closed; };
    const TPoint x = TPoint(t.tabs->PageTabRect(1).Left + 8, t.tabs->PageTabRect(1).Top + 8);
    TestInput::Click(t.tabs, x);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[1]);
    EXPECT_EQ(t.tabs->PageCount(), 3);
    EXPECT_EQ(closed, 0);

    allow = true;
    TestInput::Click(t.tabs, x);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(t.tabs->PageCount(), 2);
    EXPECT_EQ(t.tabs->ActivePage(), t.pages[2]);
    EXPECT_EQ(t.pages[1]->PageControl(), nullptr);
    EXPECT_EQ(t.tabs->ClosedTabList()->IndexOf(QStringLiteral("Two")), 0);
    EXPECT_FALSE(t.tabs->OpenClosedTab(QStringLiteral("Nine")));
    EXPECT_TRUE(t.tabs->OpenClosedTab(QStringLiteral("Two")));
    EXPECT_EQ(t.tabs->PageCount(), 3);
    EXPECT_EQ(t.pages[1]->PageIndex(), 2);

    // A closed page that its owner frees leaves the list: reopening it later is safe.
    TestInput::Click(t.tabs, CenterPoint(t.tabs->PageTabRect(2)));
    const TRect r = t.tabs->PageTabRect(2);
    TestInput::Click(t.tabs, TPoint(r.Left + 8, r.Top + 8));
    EXPECT_EQ(t.pages[1]->PageControl(), nullptr);
    delete t.pages[1];
    EXPECT_EQ(t.tabs->ClosedTabList()->IndexOf(QStringLiteral("Two")), -1);
    EXPECT_FALSE(t.tabs->OpenClosedTab(QStringLiteral("Two")));
    t.tabs->OpenAllClosedTabs();
    EXPECT_EQ(t.tabs->PageCount(), 2);
}

TEST(ExPageControl, PagesBelongToTheirOwnerAndOutliveTheControl)
{
    TForm form(nullptr);
    auto* tabs = new TExPageControl(&form);
    tabs->SetParent(&form);
    auto* a = new TExTabSheet(&form);
    a->SetPageControl(tabs);
    auto* b = new TExTabSheet(&form);
    b->SetPageControl(tabs);
    delete b;
    EXPECT_EQ(tabs->PageCount(), 1);
    delete tabs;
    EXPECT_EQ(a->PageControl(), nullptr);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(ExPageControl, GradientFillBandsRoundHalvesToEven)
{
    TBitmap bmp(16, 4);
    TabGradientFill(bmp.Canvas(), RGB(0, 0, 0), RGB(160, 0, 0), true, TRect(0, 0, 16, 4), 16);
    const QImage img = bmp.Image();
    // Sixteen one-pixel bands stepping by 10 in red.
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(img.pixelColor(x, 2).red(), 10 * x) << x;
    TabGradientFill(bmp.Canvas(), RGB(0, 0, 0), RGB(0, 0, 5), false, TRect(0, 0, 16, 4), 2);
    // Step 2.5: band 1 is round(2.5) = 2.
    EXPECT_EQ(bmp.Image().pixelColor(3, 0).blue(), 0);
    EXPECT_EQ(bmp.Image().pixelColor(3, 3).blue(), 2);
}

TEST(ExPageControl, EditorLookPaintsASkyBlueActiveTabOpenTowardsThePage)
{
    TTabForm t({"Nodes     ", "Variables     ", "Scan     "});
    t.form.SetClientSize(400, 460);
    t.tabs->SetHeight(440);
    EditorLook(t.tabs);
    for (TExTabSheet* p : t.pages)
        p->SetColor(Cream);
    t.tabs->SetActivePage(t.pages[1]);
    const QImage img = GrabControl(t.tabs);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExPageControl-left-dotnet")).isEmpty());

    const TRect a = t.tabs->PageTabRect(1);
    const TRect above = t.tabs->PageTabRect(0);
    const TRect below = t.tabs->PageTabRect(2);
    EXPECT_EQ(above.Bottom, a.Top);
    // The active tab: sky blue inside, grey on top, left and bottom, open to the right.
    EXPECT_EQ(img.pixelColor(a.Left + 4, a.Top + 4), Q(SkyBlue));
    EXPECT_EQ(img.pixelColor(a.Left - 1, (a.Top + a.Bottom) / 2), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(a.Left + 4, a.Top), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(a.Left + 4, a.Bottom - 1), QColor(128, 128, 128));
    EXPECT_NE(img.pixelColor(a.Right, a.Top + 5), QColor(128, 128, 128));
    // Inactive tabs: cream, a grey line towards the page; the one below the
    // active tab has a two-pixel sky-blue separator at its bottom, the one
    // above does not.
    EXPECT_EQ(img.pixelColor(below.Left + 4, below.Top + 4), Q(Cream));
    EXPECT_EQ(img.pixelColor(below.Right, below.Top + 5), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(below.Left + 5, below.Bottom - 2), Q(SkyBlue));
    EXPECT_EQ(img.pixelColor(below.Left + 5, below.Bottom - 3), Q(SkyBlue));
    EXPECT_EQ(img.pixelColor(above.Left + 5, above.Bottom - 2), Q(Cream));
    // The caption runs upwards from 14 pixels above the tab's bottom.
    bool ink = false, inkBelow = false;
    for (int x = a.Left; x < a.Right; ++x) {
        for (int y = a.Bottom - 60; y < a.Bottom - 14; ++y)
            ink |= img.pixelColor(x, y).lightness() < 80;
        for (int y = a.Bottom - 12; y < a.Bottom - 1; ++y)
            inkBelow |= img.pixelColor(x, y).lightness() < 80;
    }
    EXPECT_TRUE(ink);
    EXPECT_FALSE(inkBelow);
    // The strip is cream; the page frame grey.
    EXPECT_EQ(img.pixelColor(5, 435), Q(Cream));
    EXPECT_EQ(img.pixelColor(a.Right, 435), QColor(128, 128, 128));
}

TEST(ExPageControl, ActiveTabColoursAndTheEmptyControl)
{
    TTabForm t({"One  ", "Two  "});
    t.tabs->SetTabStyle(tsClassic);
    t.pages[0]->SetTabColor(RGB(0, 128, 0));
    t.tabs->SetActiveColor(clNone);
    QImage img = GrabControl(t.tabs);
    const TRect a = t.tabs->PageTabRect(0);
    EXPECT_EQ(img.pixelColor(a.Left + 3, a.Top + 3), QColor(0, 128, 0));
    // An end colour gives a 16-band gradient from top to bottom.
    t.tabs->SetActiveColor(RGB(0, 0, 0));
    t.tabs->SetActiveColorTo(RGB(0, 0, 255));
    img = GrabControl(t.tabs);
    EXPECT_LT(img.pixelColor(a.Left + 3, a.Top + 1).blue(), img.pixelColor(a.Left + 3, a.Bottom - 3).blue());
    EXPECT_EQ(img.pixelColor(a.Left + 3, a.Top + 1).red(), 0);
    testsupport::SaveScreenshot(img, QStringLiteral("TExPageControl-top-classic"));

    TTabForm empty({});
    empty.tabs->SetTabBackGroundColor(Cream);
    const QImage e = GrabControl(empty.tabs);
    // The strip is two pixels high, the frame line below it.
    EXPECT_EQ(e.pixelColor(100, 1), Q(Cream));
    EXPECT_EQ(e.pixelColor(100, 2), QColor(128, 128, 128));
    EXPECT_EQ(e.pixelColor(0, 100), QColor(128, 128, 128));
}

TEST(ExPageControl, HoverColourAndCloseButtonStates)
{
    TTabForm t({"One  ", "Two  "});
    t.tabs->SetTabHoverColor(RGB(255, 255, 0));
    t.pages[0]->SetShowClose(true);
    const TRect r1 = t.tabs->PageTabRect(1);
    TestInput::MouseMove(t.tabs, CenterPoint(r1));
    EXPECT_EQ(t.tabs->HoverTab(), 1);
    EXPECT_EQ(GrabControl(t.tabs).pixelColor(r1.Right - 3, r1.Top + 3), QColor(255, 255, 0));
    TestInput::MouseLeave(t.tabs);
    EXPECT_EQ(t.tabs->HoverTab(), -1);
    EXPECT_NE(GrabControl(t.tabs).pixelColor(r1.Right - 3, r1.Top + 3), QColor(255, 255, 0));
    // The close box: white with a grey frame; pressed, silver with a black frame.
    const TRect r0 = t.tabs->PageTabRect(0);
    const int bx = r0.Left, by = r0.Top + 2;  // LowerActive 2 for the active tab
    QImage img = GrabControl(t.tabs);
    EXPECT_EQ(img.pixelColor(bx + 2, by + 6), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(bx + 3, by + 8), QColor(255, 255, 255));
    TestInput::MouseDown(t.tabs, mbLeft, TPoint(r0.Left + 8, r0.Top + 8));
    img = GrabControl(t.tabs);
    EXPECT_EQ(img.pixelColor(bx + 3, by + 8), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(bx + 2, by + 6), QColor(0, 0, 0));
    // Released elsewhere: nothing closes.
    TestInput::MouseUp(t.tabs, mbLeft, TPoint(200, 200));
    EXPECT_EQ(t.tabs->PageCount(), 2);
}

} // namespace
