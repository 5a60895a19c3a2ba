// The detail dropdown as a user works it: typing completed from the
// captions, Enter and Esc on the typed text, the closed edit stepped by
// keys and wheel, the open list chosen from by mouse, keys and incremental
// search, a cancel, and the rows with their notes and images.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExDetailDropDown.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"

namespace {

class TDetail : public TDropDownForm_ {
protected:
    TExDetailDropDown* AddDetail(std::initializer_list<const char*> Captions)
    {
        auto* dd = new TExDetailDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        for (const char* c : Captions)
            dd->Items()->Add()->SetCaption(QString::fromUtf8(c));
        dd->OnSelect = [this](TObject*) { ++selects; };
        return dd;
    }
    // Types Text into the edit at the caret, as a user does.
    static void Type(TExDetailDropDown* Dd, const QString& Text)
    {
        for (QChar c : Text)
            TestInput::PressKey(Dd, Word(c.toUpper().unicode()), {}, QString(c));
    }
    Integer selects = 0;
};

} // namespace

TEST_F(TDetail, TypingCompletesFromTheFirstMatchingCaption)
{
    struct Case {
        bool matchCase;
        QString start;
        Integer caret;
        QString typed;
        QString text;
        Integer selStart, selLength, itemIndex;
    } cases[] = {
        {false, QString(), 0, QStringLiteral("be"), QStringLiteral("berlin"), 2, 4, 1},
        {false, QString(), 0, QStringLiteral("B"), QStringLiteral("Berlin"), 1, 5, 1},
        {true, QString(), 0, QStringLiteral("be"), QStringLiteral("be"), 2, 0, -1},
        {true, QString(), 0, QStringLiteral("Bern"), QStringLiteral("Bern"), 4, 0, 2},
        // No caption matches: what followed the caret is dropped.
        {false, QStringLiteral("zzzz"), 2, QStringLiteral("q"), QStringLiteral("zzq"), 3, 0, -1},
    };
    for (const Case& c : cases) {
        TExDetailDropDown* dd = AddDetail({"Rome", "Berlin", "Bern"});
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
    // The first match in item order wins; completion sets no OnSelect.
    EXPECT_EQ(selects, 0);
}

TEST_F(TDetail, CompletionStopsAtTheCaretStartAndAtLongTails)
{
    TExDetailDropDown* dd = AddDetail({"Alpha"});
    dd->Items()->Add()->SetCaption(QStringLiteral("Z") + QString(300, u'x'));
    dd->SetFocus();
    // A text set by code is not completed, nor one with nothing before the caret.
    dd->SetText(QStringLiteral("al"));
    EXPECT_EQ(dd->Text(), QStringLiteral("al"));
    dd->SetText(QStringLiteral("xal"));
    dd->SetSelStart(0);
    dd->SetSelLength(1);
    TestInput::PressKey(dd, 'X', ssCtrl, QStringLiteral("\x18"));  // cut: the caret stays at 0
    EXPECT_EQ(dd->Text(), QStringLiteral("al"));
    dd->SetText(QString());
    Type(dd, QStringLiteral("z"));
    EXPECT_EQ(dd->Text().size(), 1 + 255);
    // Backspace deletes without completing again; the next key completes.
    Type(dd, QStringLiteral("\b"));
    EXPECT_EQ(dd->Text(), QStringLiteral("z"));
    dd->SetText(QString());
    Type(dd, QStringLiteral("a"));
    EXPECT_EQ(dd->Text(), QStringLiteral("alpha"));
    EXPECT_TRUE(dd->IsModified());
}

TEST_F(TDetail, EnterConfirmsATextEqualToACaptionOnly)
{
    TExDetailDropDown* dd = AddDetail({"Berlin", "Paris"});
    EXPECT_EQ(dd->Items()->IndexOf(QStringLiteral("berlin")), -1);  // case matters
    dd->SetFocus();
    dd->SetText(QStringLiteral("Madrid"));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects, 0);
    dd->SetText(QStringLiteral("Paris"));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST_F(TDetail, ItemIndexWritesTheCaptionAndIgnoresIndexesOutsideTheItems)
{
    TExDetailDropDown* dd = AddDetail({"one", "two"});
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->Text(), QStringLiteral("two"));
    EXPECT_EQ(selects, 1);
    for (Integer bad : {2, -2}) {
        dd->SetItemIndex(bad);
        EXPECT_EQ(dd->ItemIndex(), 1);
    }
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->Text(), QString());
    EXPECT_EQ(selects, 1);
    // Next and previous stop at the ends and start at the first item.
    dd->SelectNext();
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SetItemIndex(-1);
    dd->SelectPrevious();
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SelectPrevious();
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SelectLast();
    dd->SelectNext();
    EXPECT_EQ(dd->ItemIndex(), 1);
    // Keys and wheel on the closed edit.
    dd->SetFocus();
    TestInput::PressKey(dd, VK_UP);
    EXPECT_EQ(dd->Text(), QStringLiteral("one"));
    TestInput::Wheel(dd, -120);
    EXPECT_EQ(dd->Text(), QStringLiteral("two"));
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TDetail, AssignCopiesAnItemButKeepsItsNotes)
{
    TExDetailDropDown* dd = AddDetail({"source", "target"});
    dd->Items()->Items(0)->SetNotes(QStringLiteral("first notes"));
    dd->Items()->Items(0)->SetTag(7);
    dd->Items()->Items(1)->SetNotes(QStringLiteral("kept"));
    dd->Items()->Items(1)->Assign(dd->Items()->Items(0));
    EXPECT_EQ(dd->Items()->Items(1)->Caption(), QStringLiteral("source"));
    EXPECT_EQ(dd->Items()->Items(1)->Tag(), 7);
    EXPECT_EQ(dd->Items()->Items(1)->Notes(), QStringLiteral("kept"));
}

TEST_F(TDetail, OpenListChoosesByMouseAndKeysAndEscCancels)
{
    TExDetailDropDown* dd = AddDetail({"Amsterdam", "Berlin", "Copenhagen", "Dublin"});
    dd->Items()->Items(1)->SetNotes(QStringLiteral("capital of <b>Germany</b>"));
    dd->SetItemHeight(36);
    dd->SetItemIndex(0);
    selects = 0;
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExCustomItemSelector* l = dd->ItemSelector();
    EXPECT_EQ(l->Items()->Count(), 4);
    EXPECT_EQ(l->ItemIndex(), 0);
    EXPECT_EQ(dd->DropDownForm()->Width(), 200);
    EXPECT_EQ(dd->DropDownForm()->Height(), 2 + 22 + 100 + 22);  // border, bars, list
    // Down moves the list and the edit follows; the popup stays.
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(l->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Berlin"));
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TExDetailDropDown-open"));
    // Esc: the old text and item come back.
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("Amsterdam"));
    EXPECT_EQ(dd->ItemIndex(), 0);
    // A click on a row chooses it and closes.
    dd->ShowDropDown();
    TCustomItemSelector* p = l->Panel();
    TestInput::Click(p, CentreOf(p->GetItemRect(2)));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("Copenhagen"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_GE(selects, 2);
}

TEST_F(TDetail, CancelOfAPopupOpenedWithoutAnItemLeavesNoneChosen)
{
    TExDetailDropDown* dd = AddDetail({"Amsterdam", "Berlin"});
    dd->SetText(QStringLiteral("typed"));
    dd->SetFocus();
    dd->ShowDropDown();
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->ItemIndex(), 0);
    ActivatePopup(dd);
    ClickElsewhere();  // a cancel
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("typed"));
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(TDetail, IncrementalSearchFindsByTheKeysOfOneSeries)
{
    TExDetailDropDown* dd = AddDetail({"Riga", "Rome", "Oslo", "Paris", "Prague", "Quito", "Reims"});
    dd->SetEditorEnabled(false);
    dd->SetFocus();
    // Before the first opening the list holds nothing to find.
    TestInput::PressKey(dd, 'O');
    EXPECT_EQ(dd->ItemIndex(), -1);
    RunFor(600);
    dd->ShowDropDown();
    TestInput::PressKey(dd, 'R');
    TestInput::PressKey(dd, 'O');
    EXPECT_EQ(dd->CurSearch(), QStringLiteral("RO"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Rome"));
    EXPECT_TRUE(dd->DroppedDown());
    RunFor(600);
    EXPECT_TRUE(dd->CurSearch().isEmpty());
    TestInput::PressKey(dd, 'O');
    EXPECT_EQ(dd->ItemIndex(), 2);
    // PgDn moves a page of the rows in view (100 / 22 = 4).
    TestInput::PressKey(dd, VK_NEXT);
    EXPECT_EQ(dd->ItemIndex(), 6);
    TestInput::PressKey(dd, VK_PRIOR);
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(TDetail, RowsShowNotesOneLineBelowTheCaptionAndCentreALoneImage)
{
    TExDetailDropDown* dd = AddDetail({"Caption", ""});
    dd->Items()->Items(0)->SetNotes(QStringLiteral("<font color=\"#FF0000\">red notes</font>"));
    TImageList images(16, 16);
    TBitmap green(16, 16);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&green, nullptr);
    dd->SetImages(&images);
    dd->Items()->Items(1)->SetImageIndex(0);
    dd->SetItemHeight(40);
    dd->ShowDropDown();
    TCustomItemSelector* p = dd->ItemSelector()->Panel();
    const QImage img = GrabControl(p);
    const TRect r0 = p->GetItemRect(0), r1 = p->GetItemRect(1);
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(dd->CaptionFont());
    const Integer notesTop = r0.Top + 2 + measure.Canvas()->TextHeight(QStringLiteral("gh"));
    Integer firstRed = -1;
    for (Integer y = r0.Top; y < r0.Bottom && firstRed < 0; ++y)
        for (Integer x = r0.Left; x < r0.Right; ++x) {
            const TColor c = PixelAt(img, x, y);
            if (GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80) {
                firstRed = y;
                break;
            }
        }
    EXPECT_GE(firstRed, notesTop);
    EXPECT_LT(firstRed, notesTop + 6);
    // The image of the row without a caption sits in its middle.
    const TPoint c = CentreOf(r1);
    EXPECT_EQ(PixelAt(img, c.X, c.Y), clLime);
    EXPECT_NE(PixelAt(img, r1.Left + 6, c.Y), clLime);
    dd->HideDropDown(true);
    dd->SetImages(nullptr);
}
