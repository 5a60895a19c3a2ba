// The text editor as a user works it: the characters each editor kind takes,
// the length limit, completion from the lookup list, paste, Escape, the end
// of an edit with its "GridEditDone" report, merged and multi-line cells,
// and walking out of the editor with Tab and the cursor keys.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/Clipboard.h"
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/Messages.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

struct TextEditor : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 200);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(80);
        grid->SetOptions(grid->Options() | goEditing);
        for (Integer r = 1; r < 5; ++r)
            for (Integer c = 1; c < 5; ++c)
                grid->SetCells(c, r, QStringLiteral("%1").arg(c * 10 + r));
        grid->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& E) { E = kind; };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    // Opens the editor on (c, r) with its text emptied, as the user's F2 then Ctrl+A, Delete.
    TExInplaceEdit* Open(Integer c, Integer r, const QString& Text = QString())
    {
        grid->SetCells(c, r, Text);
        grid->FocusCell(c, r);
        TestInput::PressKey(grid, VK_F2);
        TExInplaceEdit* ed = grid->GetNormalEdit();
        EXPECT_NE(ed, nullptr);
        EXPECT_TRUE(ed != nullptr && ed->Visible());
        if (ed != nullptr)
            ed->SetSelStart(Integer(ed->Text().size()));
        return ed;
    }
};

} // namespace

TEST_F(TextEditor, EachKindTakesItsCharacters)
{
    FormatSettings().DecimalSeparator = u',';
    FormatSettings().ThousandSeparator = u'.';
    grid->SetValidChars(QStringLiteral("ABC"));
    struct Case {
        TEditorType Kind;
        QString Start;   // the text before typing, caret at its end
        QString Typed;
        QString Result;
        Integer Beeps;
    } cases[] = {
        {edNormal, {}, QStringLiteral("a-1,x"), QStringLiteral("a-1,x"), 0},
        {edNumeric, {}, QStringLiteral("-12"), QStringLiteral("-12"), 0},
        {edNumeric, QStringLiteral("5"), QStringLiteral("-x"), QStringLiteral("5"), 2},
        {edPositiveNumeric, {}, QStringLiteral("-3"), QStringLiteral("3"), 1},
        {edFloat, {}, QStringLiteral("-1,5,2.7"), QStringLiteral("-1,527"), 0},
        {edFloat, QStringLiteral("1"), QStringLiteral("-"), QStringLiteral("1"), 1},
        {edPositiveFloat, {}, QStringLiteral("-2,5"), QStringLiteral("2,5"), 0},
        {edUpperCase, {}, QStringLiteral("kWh"), QStringLiteral("KWH"), 0},
        {edCapital, {}, QStringLiteral("ab"), QStringLiteral("AB"), 0},
        {edLowerCase, {}, QStringLiteral("KWh"), QStringLiteral("kwh"), 0},
        {edMixedCase, {}, QStringLiteral("meter one"), QStringLiteral("Meter One"), 0},
        {edValidChars, {}, QStringLiteral("AaBd"), QStringLiteral("AB"), 2},
    };
    for (const Case& k : cases) {
        kind = k.Kind;
        TExInplaceEdit* ed = Open(1, 1, k.Start);
        ASSERT_NE(ed, nullptr);
        BeepSeam::Reset();
        TestInput::TypeText(ed, k.Typed);
        EXPECT_EQ(ed->Text(), k.Result) << k.Kind << " " << k.Typed.toStdString();
        EXPECT_EQ(grid->Cells(1, 1), k.Result) << k.Kind;
        EXPECT_EQ(BeepSeam::Count(), k.Beeps) << k.Kind << " " << k.Typed.toStdString();
        grid->HideInplaceEdit();
    }
    FormatSettings() = TFormatSettings::Invariant();
}

TEST_F(TextEditor, LengthLimitDropsCharactersSilentlyButNotBackspace)
{
    grid->SetMaxEditLength(5);
    TExInplaceEdit* ed = Open(2, 2, QStringLiteral("12345"));
    BeepSeam::Reset();
    TestInput::TypeText(ed, QStringLiteral("6"));
    EXPECT_EQ(ed->Text(), QStringLiteral("12345"));
    EXPECT_EQ(BeepSeam::Count(), 0);
    TestInput::PressKey(ed, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("1234"));
}

TEST_F(TextEditor, LookupCompletesWithTheItemsRestSelected)
{
    grid->SetLookup(true);
    grid->LookupItems()->Add(QStringLiteral("Alpha"));
    grid->LookupItems()->Add(QStringLiteral("Beta"));
    TExInplaceEdit* ed = Open(1, 2);
    TestInput::TypeText(ed, QStringLiteral("b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("beta"));
    EXPECT_EQ(ed->SelStart(), 1);
    EXPECT_EQ(ed->SelText(), QStringLiteral("eta"));
    // Backspace takes the completion away and none comes back until another key.
    TestInput::PressKey(ed, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("b"));
    TestInput::TypeText(ed, QStringLiteral("e"));
    EXPECT_EQ(ed->Text(), QStringLiteral("beta"));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExInplaceEdit-lookup"));
    grid->HideInplaceEdit();

    grid->SetLookupCaseSensitive(true);
    ed = Open(1, 3);
    TestInput::TypeText(ed, QStringLiteral("b"));
    EXPECT_EQ(ed->Text(), QStringLiteral("b"));
}

TEST_F(TextEditor, PasteFollowsTheKindAndTheTrailingLineBreakRule)
{
    grid->SetValidChars(QStringLiteral("ABC"));
    struct Case {
        TEditorType Kind;
        QString Clip;
        QString Result;
    } cases[] = {
        {edNumeric, QStringLiteral("12\r\n"), QStringLiteral("12")},
        {edNumeric, QStringLiteral("1x"), QString()},
        {edNormal, QStringLiteral("1\r\n2\r\n"), QStringLiteral("1\r\n2\r\n")},
        {edValidChars, QStringLiteral("AB"), QStringLiteral("AB")},
        {edValidChars, QStringLiteral("AD"), QString()},
        {edUpperCase, QStringLiteral("kw"), QStringLiteral("KW")},
    };
    QString after;
    for (const Case& k : cases) {
        kind = k.Kind;
        grid->OnClipboardAfterPasteCell = [&](TObject*, Integer, Integer, const QString& V) { after = V; };
        TExInplaceEdit* ed = Open(3, 1);
        Clipboard()->SetAsText(k.Clip);
        TestInput::PressKey(ed, 'V', TShiftState{ssCtrl});
        EXPECT_EQ(ed->Text(), k.Result) << k.Clip.toStdString();
        EXPECT_EQ(after, k.Result) << k.Clip.toStdString();
        EXPECT_EQ(grid->Cells(3, 1), k.Result) << k.Clip.toStdString();
        grid->HideInplaceEdit();
    }
    // A handler may refuse the paste.
    kind = edNormal;
    grid->OnClipboardPaste = [](TObject*, bool& Allow) { Allow = false; };
    TExInplaceEdit* ed = Open(3, 2, QStringLiteral("x"));
    TestInput::PressKey(ed, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(ed->Text(), QStringLiteral("x"));
}

TEST_F(TextEditor, EscapeRestoresTheTextAndEnterReportsTheRealColumnAfterTheMove)
{
    TExInplaceEdit* ed = Open(2, 1, QStringLiteral("before"));
    TestInput::TypeText(ed, QStringLiteral(" typed"));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("before typed"));  // the cell follows the editor
    TestInput::PressKey(ed, VK_ESCAPE);
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("before"));

    Application->ProcessMessages();  // the escaped edit's report
    // Column 2 hidden: displayed column 3 is real column 4.
    grid->HideColumn(2);
    grid->Navigation()->SetAdvanceOnEnter(true);
    std::vector<std::tuple<Integer, Integer, Integer>> done;  // column, row, Row() seen
    grid->OnEditCellDone = [&](TObject*, Integer c, Integer r) { done.emplace_back(c, r, grid->Row()); };
    grid->FocusCell(3, 2);
    TestInput::TypeText(grid, QStringLiteral("x"));
    TestInput::PressKey(grid->GetNormalEdit(), VK_RETURN);
    Application->ProcessMessages();
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(std::get<0>(done[0]), 4);
    EXPECT_EQ(std::get<1>(done[0]), 2);
    EXPECT_EQ(grid->Cells(4, 2), QStringLiteral("x"));
    EXPECT_EQ(std::get<2>(done[0]), 3);  // the handler already sees the row Enter reached
    // Closing twice finishes the edit once.
    done.clear();
    grid->FocusCell(1, 3);
    TestInput::PressKey(grid, VK_F2);
    grid->HideInplaceEdit();
    grid->HideInplaceEdit();
    Application->ProcessMessages();
    EXPECT_EQ(done.size(), 1u);
}

TEST_F(TextEditor, MergedCellEditsItsBaseCell)
{
    grid->MergeCells(1, 2, 2, 1);
    grid->SetCells(1, 2, QStringLiteral("<b>base</b>"));
    grid->FocusCell(1, 2);
    TestInput::PressKey(grid, VK_F2);
    TExInplaceEdit* ed = grid->GetNormalEdit();
    EXPECT_EQ(ed->Text(), QStringLiteral("base"));  // mini-HTML tags removed
    ed->SetSelStart(4);
    TestInput::TypeText(ed, QStringLiteral("!"));
    grid->HideInplaceEdit();
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("base!"));
}

TEST_F(TextEditor, MultiLineCellsAddLinesAndKeepUpAndDownInside)
{
    grid->SetMultilinecells(true);
    grid->SetDefaultRowHeight(40);
    TExInplaceEdit* ed = Open(1, 2, QStringLiteral("one\r\ntwo"));
    ASSERT_TRUE(ed->MultiLine());
    TestInput::PressKey(ed, VK_RETURN, TShiftState{ssCtrl});
    TestInput::TypeText(ed, QStringLiteral("three"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("one\r\ntwo\r\nthree"));
    TestInput::PressKey(ed, VK_UP);
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(ed->LineFromChar(-1), 1);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExInplaceEdit-multiline"));
    // Plain Enter ends the edit.
    TestInput::PressKey(ed, VK_RETURN);
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("one\r\ntwo\r\nthree"));
    // A password cell keeps one line.
    kind = edPassword;
    ed = Open(2, 2, QStringLiteral("secret"));
    EXPECT_FALSE(ed->MultiLine());
    EXPECT_EQ(ed->PasswordChar(), QChar(u'*'));
}

TEST_F(TextEditor, TabAndTheCursorKeysWalkOutOfTheEditor)
{
    grid->SetOptions(grid->Options() | goTabs);
    TExInplaceEdit* ed = Open(1, 1, QStringLiteral("a"));
    TestInput::TypeText(ed, QStringLiteral("b"));
    TestInput::PressKey(ed, VK_TAB);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("ab"));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(grid->GetNormalEdit()->Visible());  // AdvanceAutoEdit opens the next cell
    TestInput::PressKey(grid->GetNormalEdit(), VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(grid->Col(), 1);

    grid->Navigation()->SetCursorWalkEditor(true);
    grid->HideInplaceEdit();
    ed = Open(3, 2, QStringLiteral("x"));
    ed->SetSelStart(0);
    TestInput::PressKey(ed, VK_LEFT);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->GetNormalEdit()->Visible());  // CursorWalkAlwaysEdit
    // Right with the caret at the end walks on; inside the text it only moves the caret.
    ed->SetSelStart(0);
    TestInput::PressKey(ed, VK_RIGHT);
    EXPECT_EQ(grid->Col(), 2);
    ed->SetSelStart(Integer(ed->Text().size()));
    TestInput::PressKey(ed, VK_RIGHT);
    EXPECT_EQ(grid->Col(), 3);
}

TEST_F(TextEditor, FocusLeavingTheGridEndsTheEdit)
{
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 170, 100, 21);
    TestInput::ActivateWindow(grid);
    TExInplaceEdit* ed = Open(1, 1, QStringLiteral("old"));
    TestInput::TypeText(ed, QStringLiteral("new"));
    other->SetFocus();
    EXPECT_FALSE(ed->Visible());
    EXPECT_FALSE(grid->InEditMode());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("oldnew"));
}
