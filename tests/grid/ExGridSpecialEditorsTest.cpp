// Every special cell editor kind as a user works it: the editor opens by a
// typed character, by Enter and by a click on the current cell; the user
// changes the value; Enter and Tab (with and without goTabs) commit it into
// the cell, Escape leaves the cell as it was. A kind that opens nothing
// never leaves the grid in edit mode.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "grid/editors/EditLink.h"
#include "grid/editors/ExRichEdit.h"
#include "grid/editors/GridDropDownEditors.h"
#include "grid/editors/GridSpecialEditors.h"
#include "platform/Form.h"
#include "platform/Locale.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <functional>

#include "Screenshot.h"

namespace {

// An application's own editor: a plain edit in the cell.
class TestEditLink : public TEditLink {
public:
    explicit TestEditLink(TComponent* AOwner) : TEditLink(AOwner) {}
    TWinControl* GetEditControl() override { return FEdit; }
    void CreateEditor(TWinControl* AParent) override
    {
        if (FEdit == nullptr) {
            FEdit = new TEdit(AParent);
            FEdit->OnKeyDown = [this](TObject* S, Word& Key, TShiftState Shift) { EditKeyDown(S, Key, Shift); };
            FEdit->OnExit = [this](TObject* S) { EditExit(S); };
        }
        FEdit->SetParent(AParent);
    }
    QString GetEditorValue() override { return FEdit->Text(); }
    void SetEditorValue(const QString& S) override { FEdit->SetText(S); }
    TEdit* FEdit = nullptr;
};

// A shown form with a focused grid whose cell (1, 1) is of the kind under
// test; (2, 1) is a text cell, the one Tab reaches.
struct SpecialEditors : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    TEditorType kind = edNormal;
    TestEditLink* link = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(420, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 420, 160);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(130);
        grid->SetColWidths(0, 24);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetCells(1, 0, QStringLiteral("Value"));
        grid->SetCells(2, 0, QStringLiteral("Next"));
        grid->OnGetEditorType = [this](TObject*, Integer ACol, Integer ARow, TEditorType& AEditor) {
            if (ACol == 1 && ARow == 1)
                AEditor = kind;
        };
        grid->OnGetEditorProp = [this](TObject*, Integer, Integer, TEditLink*) {
            if (kind == edUnitEditBtn) {
                grid->BtnUnitEdit()->Units()->Clear();
                grid->BtnUnitEdit()->Units()->Add(QStringLiteral("kW"));
                grid->BtnUnitEdit()->Units()->Add(QStringLiteral("W"));
            }
        };
        link = new TestEditLink(form);
        link->SetWantKeyHomeEnd(true);
        grid->SetEditLink(link);
        form->Show();
        TestInput::ActivateWindow(grid);
        grid->SetFocus();
        grid->SetCol(1);
        grid->SetRow(1);
    }
    void TearDown() override { delete form; }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // The control the user types into now.
    TWinControl* Focused() const { return form->ActiveControl(); }
};

QString ShortDate(Word y, Word m, Word d)
{
    return FormatDateTime(FormatSettings().ShortDateFormat, EncodeDate(y, m, d));
}

// One editor kind: the cell's text before, the user's change in the open
// editor, and the text the commit stores.
struct KindCase {
    const char* name;
    TEditorType kind;
    QString start;
    std::function<void(SpecialEditors&)> edit;
    QString stored;
    // A typed character that opens the editor reaches it.
    bool takesStartChar = true;
    // The key that commits and leaves the cell where Enter does not; 0: a
    // click on another cell.
    Word leaveKey = VK_RETURN;
    // Tab with goTabs moves on to the next cell; Tab without it ends the
    // edit (a rich edit keeps its Tab, and ends when the grid is clicked).
    bool tabWalks = true;
    bool tabLeaves = true;
};

// Types after the text the editor opened with (it opens with all of it selected).
void TypeAfter(SpecialEditors& f, const QString& text)
{
    TestInput::PressKey(f.Focused(), VK_END);
    TestInput::TypeText(f.Focused(), text);
}
void Type(SpecialEditors& f, const QString& text) { TestInput::TypeText(f.Focused(), text); }
void Press(SpecialEditors& f, Word key) { TestInput::PressKey(f.Focused(), key); }

// The date one step up in the field the picker starts in (its format's first).
QString DateStepped()
{
    const QChar first = FormatSettings().ShortDateFormat.trimmed().toLower().front();
    return first == u'd' ? ShortDate(2024, 3, 10) : first == u'm' ? ShortDate(2024, 4, 9) : ShortDate(2025, 3, 9);
}

std::vector<KindCase> Cases()
{
    return {
        {"spin", edSpinEdit, "7", [](SpecialEditors& f) { Press(f, VK_PRIOR); }, "8"},
        {"float-spin", edFloatSpinEdit, "1.50",
         [](SpecialEditors& f) { TestInput::Click(f.grid->SpinEdit()->Button()->UpButton()); }, "1.60"},
        {"date-spin", edDateSpinEdit, ShortDate(2024, 3, 9),
         [](SpecialEditors& f) { TestInput::Click(f.grid->SpinEdit()->Button()->UpButton()); },
         ShortDate(2024, 3, 10)},
        {"edit-button", edEditBtn, "abc", [](SpecialEditors& f) { TypeAfter(f, "d"); }, "abcd"},
        {"numeric-edit-button", edNumericEditBtn, "12", [](SpecialEditors& f) { TypeAfter(f, "x3"); }, "123"},
        {"unit-edit", edUnitEditBtn, "5kW", [](SpecialEditors& f) { TypeAfter(f, "0"); }, "50kW"},
        // The push button and the check box leave the cell's text alone.
        {"button", edButton, "Press", [](SpecialEditors& f) { Press(f, VK_SPACE); }, "Press", false, VK_DOWN, false},
        {"check-box", edCheckBox, "caption", [](SpecialEditors& f) { Press(f, VK_SPACE); }, "caption", false,
         VK_RETURN, false},
        {"date", edDateEdit, ShortDate(2024, 3, 9),
         [](SpecialEditors& f) {
             for (int i = 0; i < 3; ++i)
                 Press(f, VK_LEFT);
             Press(f, VK_UP);
         },
         DateStepped()},
        {"rich-text", edRichEdit, "plain", [](SpecialEditors& f) { TypeAfter(f, "er"); }, "plainer", true, 0,
         true, false},
        {"trackbar", edTrackbarDropDown, "5", [](SpecialEditors& f) { Type(f, "7"); }, "7"},
        {"memo", edMemoDropDown, "note", [](SpecialEditors& f) { TypeAfter(f, "s"); }, "notes"},
        {"calculator", edCalculatorDropDown, "12", [](SpecialEditors& f) { Type(f, "42"); }, "42.00"},
        {"custom", edCustom, "linked", [](SpecialEditors& f) { TypeAfter(f, "!"); }, "linked!", true, VK_RETURN,
         false},
    };
}

// The text a cell of the kind shows: a rich-text cell's without its formats.
QString Shown(SpecialEditors& f, TEditorType kind)
{
    if (kind != edRichEdit)
        return f.grid->Cells(1, 1);
    f.grid->CellToRich(1, 1, f.grid->RichEdit());
    return f.grid->RichEdit()->Text();
}

} // namespace

// Every way in and out of every kind. The cell holds what the user
// committed, the pre-edit text after Escape, and the grid is out of edit
// mode after each.
TEST_F(SpecialEditors, EveryKindOpensEditsCommitsAndCancels)
{
    for (const KindCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        kind = c.kind;
        enum Open { byEnter, byClick, byTyping };
        enum Commit { withEnter, withTab, withTabsOption, withEscape };
        const std::pair<Open, Commit> rounds[] = {
            {byEnter, withTabsOption}, {byEnter, withEnter}, {byClick, withTab}, {byTyping, withEscape}};
        for (auto [open, commit] : rounds) {
            SCOPED_TRACE(int(open) * 10 + int(commit));
            grid->SetOptions(commit == withTabsOption ? grid->Options() | goTabs : grid->Options() & ~goTabs);
            grid->SetCells(1, 1, c.start);
            grid->SetCells(2, 1, QString());
            grid->SetCol(1);
            grid->SetRow(1);
            grid->SetFocus();
            switch (open) {
            case byEnter: TestInput::PressKey(grid, VK_RETURN, {}, QStringLiteral("\r")); break;
            case byClick: TestInput::Click(grid, Center(1, 1)); break;
            case byTyping: TestInput::TypeText(grid, QStringLiteral("4")); break;
            }
            if(!grid->InEditMode()) fprintf(stderr,"col %d row %d focused %d editorMode %d active %s\n", grid->Col(), grid->Row(), grid->Focused(), grid->EditorMode(), Focused()? Focused()->ClassName().toStdString().c_str():"-");
            ASSERT_TRUE(grid->InEditMode());
            TWinControl* editor = Focused();
            ASSERT_NE(editor, nullptr);
            ASSERT_NE(editor, grid);
            EXPECT_TRUE(editor->Visible());
            if (open == byTyping) {
                if (c.takesStartChar)
                    EXPECT_TRUE(editor->Text().contains(u'4') || grid->Cells(1, 1).contains(u'4')) << editor->Text().toStdString();
                TestInput::PressKey(Focused(), VK_ESCAPE);
                EXPECT_FALSE(grid->InEditMode());
                EXPECT_EQ(grid->Cells(1, 1), c.start);
                EXPECT_TRUE(grid->Focused());
                continue;
            }
            c.edit(*this);
            switch (commit) {
            case withEnter:
                if (c.leaveKey != 0)
                    TestInput::PressKey(Focused(), c.leaveKey);
                else
                    TestInput::Click(grid, Center(2, 2));
                break;
            case withTab:
                if (c.tabLeaves)
                    TestInput::PressKey(Focused(), VK_TAB);
                else
                    TestInput::Click(grid, Center(2, 2));
                break;
            case withTabsOption: TestInput::PressKey(Focused(), VK_TAB); break;
            case withEscape: break;
            }
            QCoreApplication::processEvents();
            EXPECT_FALSE(editor->Visible());
            EXPECT_EQ(Shown(*this, c.kind), c.stored);
            if (commit == withTabsOption && c.tabWalks) {
                // On to the next cell, whose own editor opens there.
                EXPECT_EQ(grid->Col(), 2);
                grid->HideInplaceEdit();
            }
            EXPECT_FALSE(grid->InEditMode());
        }
    }
}
