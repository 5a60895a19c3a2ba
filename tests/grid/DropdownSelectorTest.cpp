// The item selector: layout in columns, selection and hot item by mouse
// and by the pickers' key operations, incremental search, scrolling and
// the colours of selected and hot items.
#include "DropdownFixture.h"

#include "grid/dropdown/ExItemSelector.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

using TItemSelector = TDropDownForm_;

namespace {

TExCustomItemSelector* AddSelector(TForm* Form, Integer Width = 200, Integer Height = 150)
{
    auto* s = new TExCustomItemSelector(Form);
    s->SetParent(Form);
    s->SetBounds(10, 10, Width, Height);
    return s;
}

void AddItems(TExCustomItemSelector* S, std::initializer_list<const char*> Captions)
{
    for (const char* c : Captions)
        S->Items()->Add()->SetCaption(QString::fromUtf8(c));
    S->UpdateSelectorPanel();
}

TPoint CentreOf(const TRect& R)
{
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

} // namespace

TEST_F(TItemSelector, ItemsFillRowsOfColumnsAndThePanelHoldsThem)
{
    TExCustomItemSelector* s = AddSelector(form);
    s->OnItemSize = [](TObject*, TSize& size) { size = {40, 20}; };
    s->SetColumns(3);
    AddItems(s, {"a", "b", "c", "d", "e", "f", "g"});
    TCustomItemSelector* p = s->Panel();
    EXPECT_EQ(p->GetItemRect(0), TRect(2, 2, 42, 22));
    EXPECT_EQ(p->GetItemRect(2), TRect(82, 2, 122, 22));
    EXPECT_EQ(p->GetItemRect(3), TRect(2, 22, 42, 42));
    EXPECT_EQ(p->GetItemRect(6), TRect(2, 42, 42, 62));
    EXPECT_EQ(s->GetPanelSize(), TSize(3 * 40 + 4, 3 * 20 + 4));
    EXPECT_EQ(p->GetItemRect(7), TRect(-1, -1, -1, -1));
    EXPECT_EQ(p->ItemAtPos(45, 25), 4);
    EXPECT_EQ(p->ItemAtPos(42, 25), 4);  // left edges belong to the item
    EXPECT_EQ(p->ItemAtPos(1, 1), -1);
    s->SetColumns(0);
    EXPECT_EQ(s->Columns(), 3);
    s->Items()->Clear();
    s->UpdateSelectorPanel();
    EXPECT_EQ(s->GetPanelSize(), TSize(100, 50));
}

TEST_F(TItemSelector, ColourBoxItemsAreAsWideAsBoxAndCaption)
{
    TExCustomItemSelector* s = AddSelector(form);
    s->SetSelectorType(stColor);
    AddItems(s, {"Red", "A longer name"});
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(s->ItemAppearance()->Font());
    TSize caption;
    DrawItemCaption(measure.Canvas(), QStringLiteral("A longer name"), TRect(0, 0, 1000, 500), nullptr, false, nullptr, caption);
    const TRect r = s->Panel()->GetItemRect(0);
    EXPECT_EQ(r.Width(), 4 + 14 + 4 + caption.cx + 4 + 4);
    EXPECT_EQ(r.Height(), std::max(14, caption.cy) + 8);
}

TEST_F(TItemSelector, MouseSelectsEnabledItemsAndHoversWithHints)
{
    TExCustomItemSelector* s = AddSelector(form);
    AddItems(s, {"one", "two", "three"});
    s->Items()->Items(1)->SetEnabled(false);
    s->Items()->Items(1)->SetHint(QStringLiteral("not now"));
    Integer selects = 0;
    s->OnItemSelect = [&](TObject* Sender) {
        EXPECT_EQ(Sender, s);
        ++selects;
    };
    TCustomItemSelector* p = s->Panel();
    TestInput::Click(p, CentreOf(p->GetItemRect(2)));
    EXPECT_EQ(s->ItemIndex(), 2);
    TestInput::Click(p, CentreOf(p->GetItemRect(2)));
    EXPECT_EQ(selects, 2);  // the same item again fires again
    TestInput::Click(p, CentreOf(p->GetItemRect(1)));
    EXPECT_EQ(s->ItemIndex(), 2);
    EXPECT_EQ(selects, 2);
    TestInput::MouseMove(p, CentreOf(p->GetItemRect(0)));
    EXPECT_EQ(s->ItemHot(), 0);
    // Over a disabled item: no hot item, but its hint.
    TestInput::MouseMove(p, CentreOf(p->GetItemRect(1)));
    EXPECT_EQ(s->ItemHot(), -1);
    EXPECT_EQ(p->Hint(), QStringLiteral("not now"));
}

TEST_F(TItemSelector, KeyOperationsStepButStopAtDisabledItems)
{
    TExCustomItemSelector* s = AddSelector(form);
    AddItems(s, {"one", "two", "three", "four"});
    s->SelectNext();
    EXPECT_EQ(s->ItemIndex(), 0);
    s->SelectNext();
    EXPECT_EQ(s->ItemIndex(), 1);
    s->SelectLast();
    EXPECT_EQ(s->ItemIndex(), 3);
    s->SelectNext();
    EXPECT_EQ(s->ItemIndex(), 3);
    s->Items()->Items(2)->SetEnabled(false);
    s->SelectPrevious();
    EXPECT_EQ(s->ItemIndex(), 3);
    s->SelectFirst();
    s->HotNext();
    s->HotNext();
    EXPECT_EQ(s->ItemHot(), 1);
    s->HotNext();
    EXPECT_EQ(s->ItemHot(), 1);
    s->HotPrevious();
    EXPECT_EQ(s->ItemHot(), 0);
}

TEST_F(TItemSelector, LookupFindsTheStartOfCaptionsWithoutTags)
{
    TExCustomItemSelector* s = AddSelector(form);
    AddItems(s, {"Blue", " <b>gr</b>ey", "Green"});
    EXPECT_TRUE(s->LookupItem(QStringLiteral("GR")));
    EXPECT_EQ(s->ItemIndex(), 1);
    EXPECT_TRUE(s->LookupItem(QStringLiteral("GRE")));
    EXPECT_EQ(s->ItemIndex(), 1);
    EXPECT_FALSE(s->LookupItem(QStringLiteral("gr")));
    EXPECT_FALSE(s->LookupItem(QStringLiteral("X")));
}

TEST_F(TItemSelector, SelectionScrollsIntoViewAndVisibleItemsAreCounted)
{
    TExCustomItemSelector* s = AddSelector(form, 200, 150);
    s->OnItemSize = [](TObject*, TSize& size) { size = {80, 20}; };
    s->SetColumns(2);
    for (int i = 0; i < 40; ++i)
        s->Items()->Add()->SetCaption(QString::number(i));
    s->UpdateSelectorPanel();
    EXPECT_EQ(s->GetVisibleItemCount(), 14);
    ASSERT_TRUE(s->VertScrollBar()->IsScrollBarVisible());
    s->SetItemIndex(39);
    const TRect r = s->Panel()->GetItemRect(39);
    EXPECT_EQ(s->VertScrollBar()->Position(), r.Bottom - s->ClientHeight());
    // Scrolling up puts the item's top at the top of the list.
    s->SetItemIndex(0);
    EXPECT_EQ(s->VertScrollBar()->Position(), s->Panel()->GetItemRect(0).Top);
}

TEST_F(TItemSelector, SelectedAndHotItemsTakeTheirColours)
{
    TExCustomItemSelector* s = AddSelector(form, 200, 150);
    s->OnItemSize = [](TObject*, TSize& size) { size = {120, 30}; };
    AddItems(s, {"selected", "hot", "plain"});
    s->SetItemIndex(0);
    s->Panel()->SetItemHot(1);
    s->ItemAppearance()->SetBorderColorHot(clRed);
    const QImage img = GrabControl(s->Panel());
    const TRect sel = s->Panel()->GetItemRect(0), hot = s->Panel()->GetItemRect(1), plain = s->Panel()->GetItemRect(2);
    // The selected item: a button frame in the Office 2007 colours.
    EXPECT_EQ(PixelAt(img, sel.Left, sel.Top + 5), TColor(0x8DD7D3));
    EXPECT_EQ(PixelAt(img, sel.Left + 5, sel.Top + 1), TColor(0xF4FEFF));
    // The hot item: a plain frame in the hot border colour and a gradient.
    EXPECT_EQ(PixelAt(img, hot.Left, hot.Top + 5), clRed);
    EXPECT_EQ(PixelAt(img, hot.Left + 5, hot.Top), clRed);
    EXPECT_NE(PixelAt(img, hot.Left + 100, hot.Top + 2), PixelAt(img, hot.Left + 100, hot.Bottom - 3));
    // Others show the list's colour.
    EXPECT_EQ(PixelAt(img, plain.Left + 100, plain.Top + 5), ColorToRGB(clWindow));
}

TEST_F(TItemSelector, StylesRecolourTheItems)
{
    TExCustomDropDown* dd = AddDropDown();
    TItemAppearance a(nullptr);
    EXPECT_EQ(a.ColorHot(), TColor(0xD7FFFD));
    dd->SetItemAppearanceStyle(&a, tsWindows7);
    EXPECT_EQ(a.ColorSelected(), TColor(0xFCEBDC));
    EXPECT_EQ(a.BorderColor(), TColor(0xCEA27D));
    EXPECT_EQ(a.ColorMirrorHot(), clNone);
    dd->SetItemAppearanceStyle(&a, tsWindowsXP);
    EXPECT_EQ(a.ColorSelectedText(), clHighlightText);
    dd->SetItemAppearanceStyle(&a, tsCustom);
    EXPECT_EQ(a.ColorSelectedText(), clHighlightText);
    // Copying takes the source's preset when the styles differ.
    TItemAppearance b(nullptr);
    b.SetColorStyle(scWindowsVista);
    a.Assign(&b);
    EXPECT_EQ(a.ColorHot(), TColor(0xFDF8F1));
}

TEST_F(TItemSelector, PanelLivesOnlyInAHost)
{
    EXPECT_THROW(
        {
            try {
                TCustomItemSelector bad(form);
            } catch (const std::exception& e) {
                EXPECT_STREQ(e.what(), "Invalid parent");
                throw;
            }
        },
        std::exception);
}

TEST_F(TItemSelector, ListOfColoursLooksRight)
{
    TExCustomItemSelector* s = AddSelector(form, 260, 120);
    s->SetSelectorType(stColor);
    s->SetColumns(2);
    const std::pair<const char*, TColor> colours[] = {{"Red", clRed}, {"<b>Green</b>", clGreen}, {"Blue", clBlue},
                                                      {"Yellow", clYellow}, {"Teal", clTeal}, {"<i>Silver</i>", clSilver}};
    for (const auto& [caption, colour] : colours) {
        TSelectorItem* it = s->Items()->Add();
        it->SetCaption(QString::fromUtf8(caption));
        it->SetColor(colour);
    }
    s->UpdateSelectorPanel();
    s->SetItemIndex(2);
    s->Panel()->SetItemHot(5);
    const QImage img = GrabControl(s);
    const TRect r = s->Panel()->GetItemRect(0);
    // The colour box sits at the item's inner margin.
    EXPECT_EQ(PixelAt(img, r.Left + 4 + 7, r.Top + 4 + 7), clRed);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExCustomItemSelector-colours")).isEmpty());
}
