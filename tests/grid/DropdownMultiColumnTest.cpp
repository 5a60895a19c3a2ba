// The multi-column dropdown as a user works it: typing completed from the
// lookup column, Esc and Enter on the typed text, the closed edit stepped by
// keys, the open list chosen from by mouse and keys, the search typed into
// the list, a cancel, the popup cut to whole rows and its columns scaled,
// and the list drawn with its header gradient and selection.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExMultiColumnDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/StringList.h"

using namespace ExMultiColumnDropDown;

namespace {

class TMultiColumn : public TDropDownForm_ {
protected:
    // Rows of "code|name|country"; the lookup column is the name.
    TExMultiColumnDropDown* AddMulti(std::initializer_list<const char*> Rows, Integer Lookup = 1)
    {
        auto* dd = new TExMultiColumnDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        for (const char* h : {"Code", "Name", "Country"})
            dd->Columns()->Add()->SetHeader(QString::fromUtf8(h));
        dd->SetLookupColumn(Lookup);
        dd->BeginUpdate();
        for (const char* r : Rows) {
            TDropDownItem* item = dd->Items()->Add();
            for (const QString& s : QString::fromUtf8(r).split(u'|'))
                item->Text()->Add(s);
        }
        dd->EndUpdate();
        dd->OnSelect = [this](TObject*) { ++selects; };
        return dd;
    }
    static void Type(TExMultiColumnDropDown* Dd, const QString& Text)
    {
        for (QChar c : Text)
            TestInput::PressKey(Dd, Word(c.toUpper().unicode()), {}, QString(c));
    }
    Integer selects = 0;
};

const std::initializer_list<const char*> Cities = {
    "AMS|Amsterdam|NL", "BER|Berlin|DE", "BRN|Bern|CH", "CPH|Copenhagen|DK", "DUB|Dublin|IE",
    "LIS|Lisbon|PT",    "MAD|Madrid|ES", "OSL|Oslo|NO", "PAR|Paris|FR",      "ROM|Rome|IT",
};

} // namespace

TEST_F(TMultiColumn, CollectionsCopyAndFindByColumn)
{
    TExMultiColumnDropDown* dd = AddMulti({"1|apple", "2|pear", "3"});
    TDropDownItems* items = dd->Items();
    EXPECT_EQ(items->IndexInColumn(1, QStringLiteral("pear")), 1);
    EXPECT_EQ(items->IndexInColumn(1, QStringLiteral("Pear")), -1);  // exact
    EXPECT_EQ(items->IndexInColumn(1, QString()), -1);              // item 2 has no such line
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("apple")), 0);
    EXPECT_EQ(dd->RowCount(), 3);

    TDropDownColumn* c = dd->Columns()->Items(0);
    c->SetWidth(33);
    c->SetAlignment(taCenter);
    c->SetColumnType(ctImage);
    c->Font()->SetSize(14);
    TDropDownColumn* d = dd->Columns()->Items(1);
    d->Assign(c);
    EXPECT_EQ(d->Width(), 33);
    EXPECT_EQ(d->Alignment(), taCenter);
    EXPECT_EQ(d->ColumnType(), ctImage);
    EXPECT_EQ(d->Header(), QStringLiteral("Code"));
    EXPECT_EQ(d->Font()->Size(), 14);
    EXPECT_NE(d->Font(), c->Font());  // copied, not shared

    auto* other = new TExMultiColumnDropDown(form);
    other->Assign(dd);
    EXPECT_EQ(other->Items()->Count(), 3);
    EXPECT_EQ(other->Columns()->Count(), 3);
    EXPECT_EQ(other->Items()->Items(1)->Text()->Strings(1), QStringLiteral("pear"));
    dd->Items()->Items(1)->Text()->SetStrings(1, QStringLiteral("plum"));
    EXPECT_EQ(other->Items()->Items(1)->Text()->Strings(1), QStringLiteral("pear"));
}

TEST_F(TMultiColumn, ItemIndexWritesTheLookupTextAndIgnoresIndexesPastTheItems)
{
    TExMultiColumnDropDown* dd = AddMulti({"1|apple|x", "2|pear", "3"});
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->Text(), QStringLiteral("pear"));
    dd->SetItemIndex(3);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("pear"));
    dd->SetItemIndex(-5);
    EXPECT_EQ(dd->ItemIndex(), -5);
    EXPECT_EQ(dd->Text(), QString());
    dd->SetItemIndex(2);  // no lookup line: an empty text
    EXPECT_EQ(dd->Text(), QString());
    dd->SetLookupColumn(2);
    dd->SetItemIndex(0);
    EXPECT_EQ(dd->Text(), QStringLiteral("x"));
    EXPECT_EQ(selects, 0);
}

TEST_F(TMultiColumn, TypingCompletesFromTheLookupColumn)
{
    struct Case {
        bool matchCase;
        QString start;
        Integer caret;
        QString typed;
        QString text;
        Integer selStart, selLength, itemIndex;
    } cases[] = {
        {false, QString(), 0, QStringLiteral("a"), QStringLiteral("apple"), 1, 4, 0},
        // The text takes the item's own letter case when the key comes up.
        {false, QString(), 0, QStringLiteral("PE"), QStringLiteral("pear"), 2, 2, 1},
        {true, QString(), 0, QStringLiteral("A"), QStringLiteral("A"), 1, 0, -1},
        // No entry matches: what followed the caret is dropped.
        {false, QStringLiteral("zzzz"), 2, QStringLiteral("q"), QStringLiteral("zzq"), 3, 0, -1},
    };
    for (const Case& c : cases) {
        TExMultiColumnDropDown* dd = AddMulti({"1|apple", "2|pear", "3|peach"});
        dd->SetMatchCase(c.matchCase);
        dd->SetFocus();
        dd->SetText(c.start);
        dd->SetSelStart(c.caret);
        Type(dd, c.typed);
        const QString what = c.typed + QStringLiteral(" ") + QString::number(c.matchCase);
        EXPECT_EQ(dd->Text(), c.text) << what.toStdString();
        EXPECT_EQ(dd->SelStart(), c.selStart) << what.toStdString();
        EXPECT_EQ(dd->SelLength(), c.selLength) << what.toStdString();
        EXPECT_EQ(dd->ItemIndex(), c.itemIndex) << what.toStdString();
        delete dd;
    }
    // Items added without EndUpdate are not completed.
    TExMultiColumnDropDown* dd = AddMulti({"1|apple"});
    TDropDownItem* kiwi = dd->Items()->Add();
    kiwi->Text()->Add(QStringLiteral("2"));
    kiwi->Text()->Add(QStringLiteral("kiwi"));
    dd->SetFocus();
    Type(dd, QStringLiteral("k"));
    EXPECT_EQ(dd->Text(), QStringLiteral("k"));
    dd->EndUpdate();
    dd->SetText(QString());
    Type(dd, QStringLiteral("k"));
    EXPECT_EQ(dd->Text(), QStringLiteral("kiwi"));
    EXPECT_EQ(selects, 0);
}

TEST_F(TMultiColumn, EscAndEnterOnTheTypedText)
{
    TExMultiColumnDropDown* dd = AddMulti({"1|apple", "2|pear"});
    dd->SetFocus();
    // Enter takes the entry's letter case and index.
    dd->SetText(QStringLiteral("PEAR"));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("pear"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    // Esc with a text that no entry has clears it and the choice.
    dd->SetText(QStringLiteral("melon"));
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->Text(), QString());
    EXPECT_FALSE(dd->IsModified());
    // Keys step the closed edit through the items.
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->Text(), QStringLiteral("apple"));
    TestInput::PressKey(dd, VK_DOWN);
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->ItemIndex(), 1);
    TestInput::PressKey(dd, VK_UP);
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TMultiColumn, PopupShowsWholeRowsAndScalesColumnsToItsWidth)
{
    TExMultiColumnDropDown* dd = AddMulti({"1|a", "2|b"});
    dd->SetDropDownAutoWidth(false);
    dd->SetDropDownWidth(200);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    // 200 - 25 - 2 = 173: 7 rows of 22, then header and border.
    EXPECT_EQ(dd->DropDownForm()->Height(), 25 + 7 * 22 + 2);
    TExColGrid* g = dd->ListGridEx();
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->FixedRows(), 1);
    // 200 / 241 of 80 is 66.39: the carried error passes 1 at the third column.
    EXPECT_EQ(g->ColWidths(0), 66);
    EXPECT_EQ(g->ColWidths(1), 66);
    EXPECT_EQ(g->ColWidths(2), 67);
    EXPECT_EQ(dd->Columns()->Items(0)->Width(), 80);
    dd->HideDropDown(true);
    delete dd;

    // Automatic width: the widest text + 6; the popup follows the full width.
    dd = AddMulti({"1|a", "2|b"});
    TExColGrid* g2 = dd->ListGridEx();
    dd->SetColumnSizeWithDropDown(false);
    dd->Columns()->Items(2)->SetAutoSize(true);
    dd->Columns()->Items(2)->SetColumnType(ctImage);  // no image list: no image part
    dd->Items()->Items(1)->Text()->Add(QStringLiteral("a longer country"));
    dd->ShowDropDown();
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(dd->Columns()->Items(2)->Font());
    const Integer w = measure.Canvas()->TextWidth(QStringLiteral("a longer country")) + 6;
    EXPECT_EQ(g2->ColWidths(2), w);
    EXPECT_EQ(dd->Columns()->Items(2)->Width(), w);
    EXPECT_EQ(dd->DropDownForm()->Width(), 80 + 80 + w + 2);
    dd->HideDropDown(true);
}

TEST_F(TMultiColumn, OpenListChoosesByKeysAndMouseAndEscCancels)
{
    TExMultiColumnDropDown* dd = AddMulti(Cities);
    dd->SetItemIndex(1);
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExColGrid* g = dd->ListGridEx();
    EXPECT_EQ(g->Row(), 2);
    // Down in the list moves the row and the edit follows; the popup stays.
    TestInput::PressKey(g, VK_DOWN);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(dd->Text(), QStringLiteral("Bern"));
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TExMultiColumnDropDown-open"));
    // Esc: the item of the opening comes back.
    TestInput::PressKey(g, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Berlin"));
    EXPECT_EQ(selects, 0);
    // Enter in the list chooses and closes.
    dd->ShowDropDown();
    TestInput::PressKey(g, VK_DOWN);
    TestInput::PressKey(g, VK_DOWN);
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("Copenhagen"));
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(selects, 1);
    // A click on a row chooses it and closes.
    dd->ShowDropDown();
    const TRect r = g->CellRect(2, g->TopRow() + 1);
    TestInput::Click(g, CentreOf(r));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), g->TopRow());
    EXPECT_EQ(dd->Text(), dd->Items()->Items(dd->ItemIndex())->Text()->Strings(1));
    EXPECT_EQ(selects, 2);
}

TEST_F(TMultiColumn, WheelScrolledListClosedOutsideKeepsTheConfirmedItem)
{
    TExMultiColumnDropDown* dd = AddMulti(Cities);
    dd->SetItemIndex(0);
    dd->SetFocus();
    dd->ShowDropDown();
    ActivatePopup(dd);
    TExColGrid* g = dd->ListGridEx();
    TestInput::Wheel(g, -120);
    TestInput::Wheel(g, -120);
    ClickElsewhere();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->Text(), QStringLiteral("Amsterdam"));
}

TEST_F(TMultiColumn, CancelOfAPopupOpenedWithoutAnItemKeepsTheTypedText)
{
    TExMultiColumnDropDown* dd = AddMulti(Cities);
    dd->SetText(QStringLiteral("typed"));
    dd->SetFocus();
    dd->ShowDropDown();
    TestInput::PressKey(dd->ListGridEx(), VK_DOWN);
    EXPECT_NE(dd->ItemIndex(), -1);
    TestInput::PressKey(dd->ListGridEx(), VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("typed"));
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(TMultiColumn, TypingInTheListSearchesTheLookupColumn)
{
    TExMultiColumnDropDown* dd = AddMulti(Cities);
    dd->SetFocus();
    dd->ShowDropDown();
    TExColGrid* g = dd->ListGridEx();
    TestInput::PressKey(g, 'B', {}, QStringLiteral("b"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Berlin"));
    TestInput::PressKey(g, 'E', {}, QStringLiteral("e"));
    TestInput::PressKey(g, 'R', {}, QStringLiteral("r"));
    TestInput::PressKey(g, 'N', {}, QStringLiteral("n"));
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("bern"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Bern"));
    // A character after which nothing matches starts a new search with it alone.
    TestInput::PressKey(g, 'R', {}, QStringLiteral("r"));
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Rome"));
    EXPECT_EQ(g->Row(), 10);
    // Nothing starts with it: the entry is cleared and the item stays.
    TestInput::PressKey(g, 'Z', {}, QStringLiteral("z"));
    EXPECT_EQ(dd->LookupEntry(), QString());
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_TRUE(dd->DroppedDown());
    dd->HideDropDown(false);
}

TEST_F(TMultiColumn, ListDrawsTheHeaderGradientAndTheSelectedRow)
{
    TExMultiColumnDropDown* dd = AddMulti(Cities);
    dd->SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(dd->HeaderColor(), TColor(0xD68759));
    EXPECT_EQ(dd->HeaderColorTo(), TColor(0x933803));
    EXPECT_EQ(dd->HeaderFont()->Color(), TColor(0xFFFFFF));
    EXPECT_EQ(dd->LineColor(), TColor(0x962D00));
    EXPECT_EQ(dd->FixedLineColor(), TColor(0x962D00));
    dd->SetItemIndex(2);
    dd->ShowDropDown();
    TExColGrid* g = dd->ListGridEx();
    g->Columns();  // the copy the list was loaded from
    EXPECT_EQ(g->Columns()->Count(), 3);
    const QImage img = GrabControl(g);
    const TRect h = g->CellRect(1, 0);
    // Top band near HeaderColor, bottom band near HeaderColorTo.
    const TColor top = PixelAt(img, h.Left + 3, h.Top + 1), bottom = PixelAt(img, h.Left + 3, h.Bottom - 3);
    EXPECT_NEAR(GetRValue(top), 0x59, 8);
    EXPECT_NEAR(GetBValue(bottom), 0x93, 12);
    // An unselected item cell in the column colour, the selected row in the selection colours.
    const TRect plain = g->CellRect(1, 1), sel = g->CellRect(1, 3);
    EXPECT_EQ(PixelAt(img, plain.Right - 4, plain.Top + 3), TColor(0xFFFFFF));
    EXPECT_NE(PixelAt(img, sel.Right - 4, sel.Top + 3), TColor(0xFFFFFF));
    SaveOpenDropDown(form, dd, QStringLiteral("TExMultiColumnDropDown-office2003blue"));
    dd->HideDropDown(true);

    struct Case {
        TKavroStyle style;
        TColor header, headerTo, line, fixedLine, selText, sel;
    } cases[] = {
        {tsWindowsXP, clBtnFace, clBtnFace, 0xC0C0C0, 0, clHighlightText, clHighlight},
        {tsTerminal, clBtnFace, clBtnFace, 0x808080, 0x808080, clHighlightText, clHighlight},
        {tsOffice2010Black, 0x828282, clNone, 0xEEDDCF, 0xEEDDCF, 0, 0x6CD0FF},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0, dd->SelectionColor()},
    };
    for (const Case& c : cases) {
        dd->SetComponentStyle(c.style);
        EXPECT_EQ(dd->HeaderColor(), c.header) << c.style;
        EXPECT_EQ(dd->HeaderColorTo(), c.headerTo) << c.style;
        EXPECT_EQ(dd->LineColor(), c.line) << c.style;
        EXPECT_EQ(dd->FixedLineColor(), c.fixedLine) << c.style;
        EXPECT_EQ(dd->SelectionTextColor(), c.selText) << c.style;
        if (c.style != tsWindows7)
            EXPECT_EQ(dd->SelectionColor(), c.sel) << c.style;
    }
    // Vista's selection style alone: its own line colours.
    dd->SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(dd->LineColor(), TColor(0xECECF0));
    EXPECT_EQ(dd->FixedLineColor(), TColor(0xD4D2D1));
}

TEST_F(TMultiColumn, NewDropDownHasTheListDefaults)
{
    auto* dd = new TExMultiColumnDropDown(form);
    EXPECT_EQ(dd->DropDownHeight(), 200);
    EXPECT_EQ(dd->DropDownColor(), TColor(0xFFFFFF));
    EXPECT_EQ(dd->SelectionColorStyle(), scOffice2007);
    EXPECT_EQ(dd->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(dd->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(dd->DropDownRowHeight(), 22);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_TRUE(dd->DropDownAutoWidth());
    EXPECT_TRUE(dd->ColumnSizeWithDropDown());
    ASSERT_NE(dd->ListGridEx(), nullptr);
    EXPECT_EQ(dd->ListGridEx()->Parent(), dd->DropDownForm());
    EXPECT_EQ(dd->ListGridEx()->Options() & goRowSelect, goRowSelect);
    EXPECT_EQ(dd->ListGridEx()->Options() & goRangeSelect, 0);
    // A row height below 1 would divide by zero when the popup is sized.
    dd->SetDropDownRowHeight(0);
    EXPECT_EQ(dd->DropDownRowHeight(), 1);
}
