// The multi-line mode of the edit window (ES_MULTILINE): CR LF line ends in
// the text with indexes counted as the text has them, Enter typing a line
// break only with ES_WANTRETURN, word wrap without ES_AUTOHSCROLL, and a
// grid's multi-line in-place editor that keeps Up and Down for its own lines
// and adds a line with Ctrl+Enter or Shift+Enter.
#include <gtest/gtest.h>

#include <QImage>

#include "Screenshot.h"
#include "platform/DrawGrid.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/TestHooks.h"

namespace {

// An edit that asks for the multi-line window.
class TLinesEdit : public TEdit {
public:
    TLinesEdit(TComponent* AOwner, bool Wrap, bool WantReturn) : TEdit(AOwner), FWrap(Wrap), FWantReturn(WantReturn) {}

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TEdit::CreateParams(Params);
        Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
        if (FWantReturn)
            Params.Style |= ES_WANTRETURN;
        if (FWrap)
            Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    }

private:
    bool FWrap;
    bool FWantReturn;
};

struct EditForm : ::testing::Test {
    TForm* form = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(300, 200);
        form->Show();
    }
    void TearDown() override { delete form; }
    template <class T> T* Put(T* edit, Integer w, Integer h)
    {
        edit->SetParent(form);
        edit->SetBounds(10, 10, w, h);
        edit->SetFocus();
        return edit;
    }
};

} // namespace

TEST_F(EditForm, LinesKeepCrLfAndIndexesCountBothCharacters)
{
    auto* ed = Put(new TLinesEdit(form, false, true), 200, 80);
    ed->SetText(QStringLiteral("ab\r\ncd\r\nef"));
    ASSERT_TRUE(ed->MultiLine());
    EXPECT_EQ(ed->LineCount(), 3);
    // (index, line): the CR LF belongs to the line it ends.
    for (auto [index, line] : {std::pair{0, 0}, {2, 0}, {4, 1}, {6, 1}, {8, 2}, {10, 2}})
        EXPECT_EQ(ed->LineFromChar(index), line) << index;
    ed->SetSelStart(5);  // between c and d
    EXPECT_EQ(ed->SelStart(), 5);
    TestInput::TypeText(ed, QStringLiteral("X"));
    EXPECT_EQ(ed->Text(), QStringLiteral("ab\r\ncXd\r\nef"));
    EXPECT_EQ(ed->SelStart(), 6);
    ed->SetSelStart(4);
    ed->SetSelLength(5);  // "cXd\r\n"
    EXPECT_EQ(ed->SelText(), QStringLiteral("cXd\r\n"));
    EXPECT_EQ(ed->Perform(EM_LINEFROMCHAR, WPARAM(-1)), 1);
}

TEST_F(EditForm, EnterTypesALineBreakOnlyWithWantReturn)
{
    Integer changes = 0;
    auto* want = Put(new TLinesEdit(form, false, true), 200, 60);
    want->OnChange = [&](TObject*) { ++changes; };
    TestInput::TypeText(want, QStringLiteral("one"));
    TestInput::PressKey(want, VK_RETURN);
    TestInput::TypeText(want, QStringLiteral("two"));
    EXPECT_EQ(want->Text(), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(want->LineCount(), 2);
    EXPECT_EQ(changes, 7);
    // Arrows move between the lines in the window itself.
    TestInput::PressKey(want, VK_UP);
    EXPECT_EQ(want->LineFromChar(-1), 0);

    auto* plain = Put(new TLinesEdit(form, false, false), 200, 60);
    plain->SetTop(100);
    TestInput::TypeText(plain, QStringLiteral("one"));
    TestInput::PressKey(plain, VK_RETURN);
    EXPECT_EQ(plain->Text(), QStringLiteral("one"));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TEdit-multiline"));
}

TEST_F(EditForm, LongLinesWrapWithoutAutoHScroll)
{
    const QString text = QStringLiteral("word word word word word word word word word word");
    auto* wrap = Put(new TLinesEdit(form, true, true), 80, 100);
    wrap->SetText(text);
    auto* nowrap = Put(new TLinesEdit(form, false, true), 80, 100);
    nowrap->SetLeft(150);
    nowrap->SetText(text);
    EXPECT_GT(wrap->LineCount(), 2);
    EXPECT_EQ(nowrap->LineCount(), 1);
    EXPECT_EQ(wrap->LineFromChar(Integer(text.size())), wrap->LineCount() - 1);
    // A single-line edit stays one line and answers line 0.
    auto* single = Put(new TEdit(form), 80, 21);
    single->SetTop(150);
    // ES_MULTILINE alone (a formatting rectangle on one line) keeps one line too.
    class TRectEdit : public TEdit {
    public:
        using TEdit::TEdit;

    protected:
        void CreateParams(TCreateParams& Params) override
        {
            TEdit::CreateParams(Params);
            Params.Style |= ES_MULTILINE;
        }
    };
    auto* rect = Put(new TRectEdit(form), 80, 21);
    rect->SetText(QStringLiteral("a\r\nb"));
    EXPECT_FALSE(rect->MultiLine());
    single->SetText(QStringLiteral("a"));
    EXPECT_FALSE(single->MultiLine());
    EXPECT_EQ(single->Perform(EM_LINEFROMCHAR, 0), 0);
}

namespace {

class TLinesInplaceEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TInplaceEdit::CreateParams(Params);
        Params.Style |= ES_MULTILINE | ES_WANTRETURN;
    }
};

class TLinesGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    TInplaceEdit* CreateEditor() override { return new TLinesInplaceEdit(this); }
};

} // namespace

TEST_F(EditForm, GridEditorWalksItsLinesBeforeTheGridMoves)
{
    auto* grid = new TLinesGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetDefaultRowHeight(40);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 2, QStringLiteral("first\r\nsecond"));
    grid->SetFocus();
    grid->MoveColRow(1, 2, true, true);
    grid->ShowEditor();
    TInplaceEdit* ed = grid->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->MultiLine());
    ed->SetSelStart(Integer(ed->Text().size()));
    TestInput::PressKey(ed, VK_UP);  // to the first line, the cell stays
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(ed->LineFromChar(-1), 0);
    // Shift+Enter and Ctrl+Enter add lines; the cell follows.
    ed->SetSelStart(Integer(ed->Text().size()));
    TestInput::PressKey(ed, VK_RETURN, TShiftState{ssShift});
    TestInput::TypeText(ed, QStringLiteral("third"));
    TestInput::PressKey(ed, VK_RETURN, TShiftState{ssCtrl});
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("first\r\nsecond\r\nthird\r\n"));
    testsupport::SaveScreenshot(GrabControl(grid), QStringLiteral("TInplaceEdit-multiline"));
    TestInput::PressKey(ed, VK_DOWN);  // on the last line: the grid moves
    EXPECT_EQ(grid->Row(), 3);
    ed->SetSelStart(0);
    grid->MoveColRow(1, 2, true, true);
    grid->ShowEditor();
    ed->SetSelStart(0);
    TestInput::PressKey(ed, VK_UP);
    EXPECT_EQ(grid->Row(), 1);
}
