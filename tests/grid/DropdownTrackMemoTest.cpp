// The track bar and memo dropdowns as a user works them: the value stepped
// by keys, dragged over the edit and moved in the popup; the memo's lines
// edited in the popup, kept or dropped on closing, and shown shortened in
// a non-editable edit.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExMemoDropDown.h"
#include "grid/dropdown/ExTrackBarDropDown.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

namespace {

class TTrackMemo : public TDropDownForm_ {
protected:
    TExTrackBarDropDown* AddTrackBar()
    {
        auto* dd = new TExTrackBarDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        return dd;
    }
    TExMemoDropDown* AddMemo(Integer Width = 200)
    {
        auto* dd = new TExMemoDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 60, Width, 21);
        return dd;
    }
    static void SetLines(TExMemoDropDown* Dd, const QString& Text)
    {
        TStringList lines;
        lines.SetText(Text);
        Dd->SetMemoText(&lines);
    }
};

} // namespace

TEST_F(TTrackMemo, NewTrackBarEditHasItsRangeAndTakesNoTyping)
{
    TExTrackBarDropDown* dd = AddTrackBar();
    EXPECT_EQ(dd->Min(), 0);
    EXPECT_EQ(dd->Max(), 10);
    EXPECT_EQ(dd->Position(), 0);
    EXPECT_EQ(dd->PageSize(), 2);
    EXPECT_EQ(dd->Frequency(), 1);
    EXPECT_FALSE(dd->EditorEnabled());
    EXPECT_EQ(dd->Text(), QStringLiteral("0"));
    dd->SetFocus();
    TestInput::TypeText(dd, QStringLiteral("7"));
    EXPECT_EQ(dd->Text(), QStringLiteral("0"));
    EXPECT_EQ(dd->Position(), 0);
}

TEST_F(TTrackMemo, UpAndDownStepByFrequencyWithinTheRange)
{
    TExTrackBarDropDown* dd = AddTrackBar();
    Integer changes = 0;
    dd->OnTrackChange = [&](TObject*) { ++changes; };
    dd->SetFocus();
    TestInput::PressKey(dd, VK_UP);  // 0 - 1 is below Min
    EXPECT_EQ(dd->Position(), 0);
    dd->SetFrequency(2);
    for (int i = 0; i < 4; ++i)
        TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->Position(), 8);
    EXPECT_EQ(dd->Text(), QStringLiteral("8"));
    EXPECT_EQ(changes, 4);
    dd->SetPosition(9);
    TestInput::PressKey(dd, VK_DOWN);  // 11 is beyond Max
    EXPECT_EQ(dd->Position(), 9);
    TestInput::PressKey(dd, VK_UP);
    EXPECT_EQ(dd->Position(), 7);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TTrackMemo, DragOverTheEditMovesOnePerPageSizeInEachMove)
{
    TExTrackBarDropDown* dd = AddTrackBar();
    dd->SetPosition(5);
    TestInput::MouseDown(dd, mbLeft, {50, 10});
    TestInput::MouseMove(dd, {53, 10}, ssLeft);  // 3 / 2 = 1
    EXPECT_EQ(dd->Position(), 6);
    for (int x : {54, 55, 56})  // three moves of 1 pixel: 0 each
        TestInput::MouseMove(dd, {x, 10}, ssLeft);
    EXPECT_EQ(dd->Position(), 6);
    TestInput::MouseMove(dd, {50, 10}, ssLeft);  // -6 / 2
    EXPECT_EQ(dd->Position(), 3);
    TestInput::MouseUp(dd, mbLeft, {50, 10});
    TestInput::MouseMove(dd, {90, 10});
    EXPECT_EQ(dd->Position(), 3);
    // A page size of 0 moves one per pixel instead of dividing by zero.
    dd->HideDropDown(false);
    dd->SetPageSize(0);
    TestInput::MouseDown(dd, mbLeft, {50, 10});
    TestInput::MouseMove(dd, {52, 10}, ssLeft);
    EXPECT_EQ(dd->Position(), 5);
}

TEST_F(TTrackMemo, TrackBarInThePopupSetsTheValueWhichAClickElsewhereKeeps)
{
    TExTrackBarDropDown* dd = AddTrackBar();
    dd->SetMax(20);
    dd->SetPosition(4);
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TTrackBar* tb = dd->TrackBar();
    EXPECT_EQ(tb->Parent(), dd->DropDownForm());
    EXPECT_EQ(tb->Max(), 20);
    EXPECT_EQ(tb->Position(), 4);
    EXPECT_EQ(dd->DropDownForm()->Width(), dd->Width());
    // The user moves the slider: one step per key, not one more from the edit.
    TestInput::PressKey(tb, VK_RIGHT);
    EXPECT_EQ(dd->Position(), 5);
    EXPECT_EQ(dd->Text(), QStringLiteral("5"));
    tb->SetPosition(12);
    EXPECT_EQ(dd->Text(), QStringLiteral("12"));
    SaveOpenDropDown(form, dd, QStringLiteral("TExTrackBarDropDown-open"));
    ActivatePopup(dd);
    ClickElsewhere();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Position(), 12);
    EXPECT_EQ(dd->Text(), QStringLiteral("12"));
}

TEST_F(TTrackMemo, EditableTrackBarEditIgnoresATextThatIsNoNumber)
{
    TExTrackBarDropDown* dd = AddTrackBar();
    dd->SetEditorEnabled(true);
    dd->SetEditType(etString);
    dd->SetText(QStringLiteral("6"));
    EXPECT_EQ(dd->Position(), 6);
    EXPECT_NO_THROW(dd->SetText(QStringLiteral("six")));
    EXPECT_NO_THROW(dd->SetText(QString()));
    EXPECT_EQ(dd->Position(), 6);
}

TEST_F(TTrackMemo, NotEditableMemoEditShowsTheFirstLineShortened)
{
    TExMemoDropDown* dd = AddMemo(140);
    dd->SetEditorEnabled(false);
    struct Case {
        QString lines;
        QString shown;
    } cases[] = {
        {QStringLiteral("alpha\nbeta"), QStringLiteral("alpha...")},
        {QStringLiteral("alpha"), QStringLiteral("alpha")},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SetLines(dd, c.lines);
        EXPECT_EQ(dd->Text(), c.shown) << c.lines.toStdString();
    }
    SetLines(dd, QStringLiteral("a first line far wider than the edit can show\nsecond"));
    const QString shown = dd->Text();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("..."))) << shown.toStdString();
    EXPECT_TRUE(QStringLiteral("a first line far wider than the edit can show").startsWith(shown.chopped(3)));
    EXPECT_LT(shown.size(), 30);
    EXPECT_EQ(dd->MemoText()->Count(), 2);
}

TEST_F(TTrackMemo, LinesTypedInTheMemoAreKeptByAClickElsewhereAndDroppedByEsc)
{
    TExMemoDropDown* dd = AddMemo();
    SetLines(dd, QStringLiteral("one\ntwo"));
    Integer memoChanges = 0;
    dd->OnMemoChange = [&](TObject*) { ++memoChanges; };
    // Esc in the memo: the typed line goes, the old lines stay.
    dd->ShowDropDown();
    TMemo* memo = dd->Memo();
    ASSERT_EQ(memo->Parent(), dd->DropDownForm());
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Add(QStringLiteral("three"));
    EXPECT_GT(memoChanges, 0);
    TestInput::PressKey(memo, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->MemoText()->Count(), 2);
    EXPECT_EQ(dd->MemoText()->Strings(1), QStringLiteral("two"));
    EXPECT_TRUE(dd->Text().startsWith(QStringLiteral("one")));
    // Alt+Up in the memo cancels as well.
    dd->ShowDropDown();
    memo->Lines()->Add(QStringLiteral("three"));
    TestInput::PressKey(memo, VK_UP, ssAlt);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->MemoText()->Count(), 2);
    // Enter types a line break in the memo; a click elsewhere keeps it all.
    dd->ShowDropDown();
    memo->Lines()->Add(QStringLiteral("three"));
    TestInput::PressKey(memo, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TExMemoDropDown-open"));
    ActivatePopup(dd);
    ClickElsewhere();
    EXPECT_FALSE(dd->DroppedDown());
    // The line break typed in the memo is kept with the added line.
    EXPECT_EQ(dd->MemoText()->Count(), 4);
    EXPECT_GE(dd->MemoText()->IndexOf(QStringLiteral("three")), 0);
    EXPECT_TRUE(dd->Text().contains(QStringLiteral("three")));
}

TEST_F(TTrackMemo, TypedEditTextBecomesTheMemoLines)
{
    TExMemoDropDown* dd = AddMemo();
    dd->SetFocus();
    TestInput::TypeText(dd, QStringLiteral("note"));
    EXPECT_EQ(dd->MemoText()->Count(), 1);
    EXPECT_EQ(dd->MemoText()->Strings(0), QStringLiteral("note"));
    dd->ShowDropDown();
    EXPECT_EQ(dd->Memo()->Lines()->Strings(0), QStringLiteral("note"));
}

TEST_F(TTrackMemo, AutoDropOpensOnFocusButNotWhenTheFocusComesBack)
{
    TExMemoDropDown* dd = AddMemo();
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 150, 100, 21);
    dd->SetAutoDrop(true);
    other->SetFocus();
    Application->ProcessMessages();
    dd->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(dd->DroppedDown());
    dd->HideDropDown(false);
    Application->ProcessMessages();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_TRUE(dd->AutoDrop());
}
