// Validation of a user's edit: OnCellValidate accepts, refuses or replaces
// the typed text, the cell and the editor follow, modified marks, change
// notices, undo and the cell checker take part.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "grid/esgcheck.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include "Screenshot.h"

namespace {

struct Validation : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    Integer validations = 0;
    Integer changes = 0;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 400, 160);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(90);
        grid->SetOptions(grid->Options() | goEditing);
        for (Integer r = 1; r < 4; ++r)
            for (Integer c = 1; c < 4; ++c)
                grid->SetCells(c, r, QStringLiteral("%1").arg(c * 10 + r));
        grid->OnCellsChanged = [this](TObject*, TRect) { ++changes; };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // Types Text into cell (c, r) and presses Enter.
    void Type(Integer c, Integer r, const QString& Text)
    {
        TestInput::Click(grid, Center(c, r));
        TestInput::TypeText(grid, Text);
        ASSERT_NE(grid->GetNormalEdit(), nullptr);
        TestInput::PressKey(grid->GetNormalEdit(), VK_RETURN);
    }
    bool EditorOpen() const { return grid->GetNormalEdit() != nullptr && grid->GetNormalEdit()->Visible(); }
};

} // namespace

TEST_F(Validation, HandlerAcceptsRefusesOrReplaces)
{
    struct Case {
        const char* Name;
        bool Valid;
        QString Replacement;  // empty: Value left alone
        QString Cell;
        bool EditorOpen;
        Integer Changes;
    } cases[] = {
        {"accepted", true, {}, QStringLiteral("7"), false, 1},
        {"refused", false, {}, QStringLiteral("12"), true, 0},
        {"refused with a replacement", false, QStringLiteral("0"), QStringLiteral("0"), true, 0},
        {"accepted with a correction", true, QStringLiteral("70"), QStringLiteral("70"), false, 1},
    };
    for (const Case& k : cases) {
        grid->SetCells(1, 2, QStringLiteral("12"));
        changes = 0;
        Integer col = -1, row = -1;
        QString seen;
        grid->OnCellValidate = [&](TObject*, Integer c, Integer r, QString& Value, bool& Valid) {
            col = c;
            row = r;
            seen = Value;
            EXPECT_TRUE(Valid);
            Valid = k.Valid;
            if (!k.Replacement.isEmpty())
                Value = k.Replacement;
        };
        Type(1, 2, QStringLiteral("7"));
        EXPECT_EQ(col, 1) << k.Name;
        EXPECT_EQ(row, 2) << k.Name;
        EXPECT_EQ(seen, QStringLiteral("7")) << k.Name;
        EXPECT_EQ(grid->Cells(1, 2), k.Cell) << k.Name;
        EXPECT_EQ(EditorOpen(), k.EditorOpen) << k.Name;
        EXPECT_EQ(changes, k.Changes) << k.Name;
        if (!k.Valid)
            EXPECT_FALSE(grid->LastValidation()) << k.Name;
        if (k.EditorOpen) {
            EXPECT_EQ(grid->GetNormalEdit()->Text(), k.Cell) << k.Name;
            if (k.Replacement.isEmpty())
                testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-refused-edit"));
            grid->OnCellValidate = nullptr;
            TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);
        }
        grid->HideInplaceEdit();
    }
}

TEST_F(Validation, LeavingTheCellValidatesAndARefusalKeepsTheCell)
{
    grid->OnCellValidate = [](TObject*, Integer, Integer, QString& Value, bool& Valid) { Valid = Value != "bad"; };
    TestInput::Click(grid, Center(2, 1));
    TestInput::TypeText(grid, QStringLiteral("bad"));
    TestInput::PressKey(grid->GetNormalEdit(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("21"));
    EXPECT_TRUE(EditorOpen());
    grid->GetNormalEdit()->SetText(QStringLiteral("good"));
    TestInput::PressKey(grid->GetNormalEdit(), VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("good"));
}

TEST_F(Validation, UnchangedTextsAreValidatedOnlyWhenAlwaysValidate)
{
    Integer calls = 0;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString&, bool&) { ++calls; };
    Type(1, 1, QStringLiteral("11"));
    EXPECT_EQ(calls, 0);
    grid->SetAlwaysValidate(true);
    grid->SetModified(false);
    Type(1, 1, QStringLiteral("11"));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(grid->RowModified(1));
    EXPECT_FALSE(grid->Modified());
    Type(1, 1, QStringLiteral("5"));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(grid->RowModified(1));
    EXPECT_TRUE(grid->Modified());
}

TEST_F(Validation, ANestedValidationDoesNothing)
{
    bool nested = false;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString&, bool&) {
        nested = grid->ValidateCell(QStringLiteral("other"));
    };
    Type(3, 3, QStringLiteral("x"));
    EXPECT_TRUE(nested);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("x"));
}

TEST_F(Validation, AHandlerThatRaisesLeavesTheGridReadyForTheNextEdit)
{
    grid->OnCellValidate = [](TObject*, Integer, Integer, QString&, bool&) {
        throw std::runtime_error("handler failed");
    };
    TestInput::Click(grid, Center(1, 3));
    TestInput::TypeText(grid, QStringLiteral("9"));
    EXPECT_THROW(grid->ValidateCell(QStringLiteral("9")), std::runtime_error);
    EXPECT_FALSE(grid->EditPending());
    grid->HideInplaceEdit();
    Integer calls = 0;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString&, bool&) { ++calls; };
    Type(2, 3, QStringLiteral("4"));
    EXPECT_EQ(calls, 1);
}

TEST_F(Validation, CheckerUndoAndNotifiersTakePart)
{
    struct Upper : DAriViziveVudaDodav {
        using DAriViziveVudaDodav::DAriViziveVudaDodav;
        QString Correct(Integer, Integer, const QString& Text) override { return Text.toUpper(); }
        QString MarkError(Integer, Integer, const QString& Text) override { return Text + QStringLiteral("*"); }
    } checker(nullptr);
    checker.SetAutoCorrect(true);
    grid->SetCellChecker(&checker);
    TExGridUndoRedo undo(nullptr);
    grid->SetUndoRedo(&undo);
    QString validated;
    grid->OnCellValidate = [&](TObject*, Integer, Integer, QString& Value, bool&) { validated = Value; };
    Type(2, 2, QStringLiteral("ab"));
    EXPECT_EQ(validated, QStringLiteral("AB"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("AB"));
    ASSERT_EQ(undo.Items()->Count(), 1);
    EXPECT_EQ(undo.Items()->Item(0)->OrigValue, QStringLiteral("22"));
    EXPECT_EQ(undo.Items()->Item(0)->Value, QStringLiteral("AB"));
    checker.SetAutoMarkError(true);
    Type(2, 3, QStringLiteral("cd"));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("CD*"));
    grid->SetUndoRedo(nullptr);
    grid->SetCellChecker(nullptr);
}
