// The row buttons and conveniences shared by the rule tables, worked on a
// column grid with a data check-box column and a hidden column, and on a
// string grid whose check boxes are cell objects.
#include "shell/UComon.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "shell/ULanguage.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

// A shown form with a ten-row rule table: 0 N, 1 Enable (check box),
// 2 Start, 3 Note (hidden), 4 Mnemonic. Row r holds "S<r>", "H<r>", "M<r>"
// and Enable "Y" on odd rows, "N" on even ones.
struct ColumnGridRows : ::testing::Test {
    TForm* form = nullptr;
    TExColumnGrid* grid = nullptr;

    void SetUp() override
    {
        Load_Default_Texts();
        Row_Clipboard = std::make_unique<TStringList>();
        Row_Clipboard_Checks.clear();
        form = new TForm(nullptr);
        form->SetClientSize(500, 300);
        grid = new TExColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 500, 300);
        grid->SetColCount(5);
        grid->SetRowCount(10);
        grid->Columns()->Items(1)->SetEditor(edDataCheckBox);
        for (Integer r = 0; r < 10; ++r)
            grid->SetCellEx(0, r, QString::number(r));
        for (Integer r = 1; r < 10; ++r)
            Fill(r, r % 2 ? "Y" : "N", QStringLiteral("S%1").arg(r), QStringLiteral("H%1").arg(r),
                 QStringLiteral("M%1").arg(r));
        grid->HideColumn(3);
        form->Show();
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
    void Fill(Integer r, const char* enable, const QString& start, const QString& note, const QString& mnemonic)
    {
        grid->SetCellEx(1, r, QString::fromLatin1(enable));
        grid->SetCellEx(2, r, start);
        grid->SetCellEx(3, r, note);
        grid->SetCellEx(4, r, mnemonic);
    }
    // Columns 0-4 of a row joined by "|".
    QString Row(Integer r) const
    {
        QStringList cells;
        for (Integer c = 0; c < 5; ++c)
            cells << grid->GetCellEx(c, r);
        return cells.join(QLatin1Char('|'));
    }
    static QString Expected(Integer n, const char* enable, Integer source)
    {
        return QStringLiteral("%1|%2|S%3|H%3|M%3").arg(n).arg(QLatin1String(enable)).arg(source);
    }
    static const char* Enable_Of(Integer source) { return source % 2 ? "Y" : "N"; }
};

TEST_F(ColumnGridRows, DeleteMovesTheRowsBelowUpAndEmptiesTheLastOne)
{
    ASSERT_EQ(grid->GetColCount(), 4);
    Grid_Delete_Row(3, grid);
    for (Integer r = 1; r < 3; ++r)
        EXPECT_EQ(Row(r), Expected(r, Enable_Of(r), r));
    for (Integer r = 3; r < 9; ++r)
        EXPECT_EQ(Row(r), Expected(r, Enable_Of(r + 1), r + 1)) << "row " << r;
    EXPECT_EQ(Row(9), "9||||");

    // Deleting the last row only empties it.
    Fill(9, "Y", "S", "H", "M");
    Grid_Delete_Row(9, grid);
    EXPECT_EQ(Row(9), "9||||");
    EXPECT_EQ(Row(8), Expected(8, "Y", 9));
    // The header row is no rule.
    Grid_Delete_Row(0, grid);
    EXPECT_EQ(Row(1), Expected(1, "Y", 1));
}

TEST_F(ColumnGridRows, InsertMovesTheRowsDownAndEmptiesTheRow)
{
    Grid_Insert_Row(3, grid, true);
    EXPECT_EQ(Row(2), Expected(2, "N", 2));
    EXPECT_EQ(Row(3), "3|Y|||");
    for (Integer r = 4; r < 10; ++r)
        EXPECT_EQ(Row(r), Expected(r, Enable_Of(r - 1), r - 1)) << "row " << r;

    // At the last row the row is only emptied; without set_enable column 1
    // stays empty too.
    Grid_Insert_Row(9, grid, false);
    EXPECT_EQ(Row(9), "9||||");
    EXPECT_EQ(Row(8), Expected(8, "Y", 7));
}

TEST_F(ColumnGridRows, CopyAndPasteCarryEveryColumnButTheRowNumber)
{
    Grid_Copy_Row(grid, 2);
    ASSERT_EQ(Row_Clipboard->Count(), 4);
    EXPECT_EQ(Row_Clipboard->Strings(2), "H2");

    // A row whose only texts are check boxes, or blanks, counts as free.
    Fill(5, "Y", QString(), QString(), QString());
    Fill(6, "N", QStringLiteral("  "), QStringLiteral("\t"), QString());
    Grid_Paste_Row(grid, 5, true);
    Grid_Paste_Row(grid, 6, true);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Row(5), Expected(5, "N", 2));
    EXPECT_EQ(Row(6), Expected(6, "N", 2));
}

TEST_F(ColumnGridRows, PastingOverAUsedRowAsksFirst)
{
    // Only the hidden column holds text: the row counts as used.
    Fill(4, "Y", QString(), QStringLiteral("kept"), QString());
    Grid_Copy_Row(grid, 1);

    DialogSeam::QueueAnswer(IDNO);
    Grid_Paste_Row(grid, 4, true);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(1100));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(Row(4), "4|Y||kept|");

    DialogSeam::QueueAnswer(IDYES);
    Grid_Paste_Row(grid, 4, true);
    EXPECT_EQ(Row(4), Expected(4, "Y", 1));
}

TEST_F(ColumnGridRows, PasteRefusesWithoutACopyOfThisTableOrWithAnotherColumnCount)
{
    TExColumnGrid other(form);
    other.SetColCount(3);
    other.SetRowCount(3);
    other.SetCellEx(1, 1, QStringLiteral("x"));

    const struct {
        const char* what;
        bool copy_from_other;
        bool copied_here;
        Integer text;
    } cases[] = {
        {"nothing copied here", false, false, 1102},
        {"copied here, then another table copied", true, true, 1101},
        {"another table copied, flag not set", true, false, 1102},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        DialogSeam::Clear();
        Grid_Copy_Row(grid, 1);
        if (k.copy_from_other)
            Grid_Copy_Row(&other, 1);
        DialogSeam::QueueAnswer(IDOK);
        Grid_Paste_Row(grid, 2, k.copied_here);
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(k.text));
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(Row(2), Expected(2, "N", 2));
    }
}

TEST_F(ColumnGridRows, EnterMovesToTheNextVisibleCellWhileTheOptionIsOn)
{
    const struct {
        bool option;
        Integer col, row;
        Integer to_col, to_row;
        ushort key_after;
    } cases[] = {
        {true, 1, 1, 2, 1, 0},
        // Column 3 of the display is the Mnemonic: the hidden Note is skipped.
        {true, 2, 4, 3, 4, 0},
        {true, 3, 4, 1, 5, 0},
        {true, 3, 9, 1, 1, 0},
        {false, 1, 1, 1, 1, 13},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "option " << k.option << " at " << k.col << "," << k.row);
        Enable_Jump_Field_Tables = k.option;
        grid->SetRowEx(k.row);
        grid->SetCol(k.col);
        QChar key(13);
        Grid_Enter_Next_Cell(grid, key);
        EXPECT_EQ(grid->GetCol(), k.to_col);
        EXPECT_EQ(grid->GetRowEx(), k.to_row);
        EXPECT_EQ(key.unicode(), k.key_after);
    }
    // Other keys pass.
    Enable_Jump_Field_Tables = true;
    QChar key('a');
    Grid_Enter_Next_Cell(grid, key);
    EXPECT_EQ(key, QChar('a'));
    Enable_Jump_Field_Tables = false;
}

TEST_F(ColumnGridRows, AHeaderDoubleClickSizesTheColumnWhileTheOptionIsOn)
{
    grid->SetCellEx(4, 5, QStringLiteral("A much longer mnemonic than the column can show"));
    const Integer width = grid->ColWidths(3);
    Double_Click_Auto_Size = false;
    Grid_Auto_Size_Column(grid, 0, 3);
    EXPECT_EQ(grid->ColWidths(3), width);
    Double_Click_Auto_Size = true;
    Grid_Auto_Size_Column(grid, 5, 3);
    EXPECT_EQ(grid->ColWidths(3), width);
    Grid_Auto_Size_Column(grid, 0, 3);
    EXPECT_GT(grid->ColWidths(3), width);
    Double_Click_Auto_Size = false;
}

// A string grid of six rows: 0 N, 1 a check box object, 2 text, 3 a check
// box object, 4 text. Row r: box 1 ticked on odd rows, box 3 on even ones,
// texts "A<r>" and "B<r>"; row 4 is read-only.
struct CheckBoxGridRows : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;

    void SetUp() override
    {
        Load_Default_Texts();
        Row_Clipboard = std::make_unique<TStringList>();
        Row_Clipboard_Checks.clear();
        form = new TForm(nullptr);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        for (Integer r = 1; r < 6; ++r) {
            grid->SetCellEx(0, r, QString::number(r));
            grid->AddCheckBox(1, r, r % 2 == 1, false);
            grid->SetCellEx(2, r, QStringLiteral("A%1").arg(r));
            grid->AddCheckBox(3, r, r % 2 == 0, false);
            grid->SetCellEx(4, r, QStringLiteral("B%1").arg(r));
        }
        for (Integer c = 1; c < 5; ++c)
            grid->SetReadOnly(c, 4, true);
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
    // "1|A1|0|B1|ro" style: box 1, text 2, box 3, text 4, read-only of column 2.
    QString Row(Integer r)
    {
        bool b1 = false, b3 = false;
        EXPECT_TRUE(grid->GetCheckBoxState(1, r, b1));
        EXPECT_TRUE(grid->GetCheckBoxState(3, r, b3));
        return QStringLiteral("%1|%2|%3|%4|%5")
            .arg(int(b1))
            .arg(grid->GetCellEx(2, r))
            .arg(int(b3))
            .arg(grid->GetCellEx(4, r))
            .arg(grid->ReadOnly(2, r) ? "ro" : "rw");
    }
};

TEST_F(CheckBoxGridRows, DeleteMovesStatesAndMarksAndLeavesAReadOnlyBottomRow)
{
    CheckBox_Grid_Delete_Row(2, grid, true);
    EXPECT_EQ(Row(1), "1|A1|0|B1|rw");
    EXPECT_EQ(Row(2), "1|A3|0|B3|rw");
    EXPECT_EQ(Row(3), "0|A4|1|B4|ro");
    EXPECT_EQ(Row(4), "1|A5|0|B5|rw");
    EXPECT_EQ(Row(5), "1||0||ro");
    EXPECT_TRUE(grid->ReadOnly(1, 5) && grid->ReadOnly(3, 5) && grid->ReadOnly(4, 5));
    EXPECT_EQ(grid->GetCellEx(0, 5), "5");
}

TEST_F(CheckBoxGridRows, InsertMovesStatesAndMarksAndLeavesAnEditableRow)
{
    CheckBox_Grid_Insert_Row(2, grid, false);
    EXPECT_EQ(Row(1), "1|A1|0|B1|rw");
    EXPECT_EQ(Row(2), "0||0||rw");
    EXPECT_EQ(Row(3), "0|A2|1|B2|rw");
    EXPECT_EQ(Row(4), "1|A3|0|B3|rw");
    EXPECT_EQ(Row(5), "0|A4|1|B4|ro");
    CheckBox_Grid_Insert_Row(4, grid, true);
    EXPECT_EQ(Row(4), "1||0||rw");
    EXPECT_FALSE(grid->ReadOnly(1, 4));
}

TEST_F(CheckBoxGridRows, CopyAndPasteCarryStatesAndAskOverBlanks)
{
    CheckBox_Grid_Copy_Row(grid, 2);
    EXPECT_EQ(Row_Clipboard->Count(), 4);
    EXPECT_EQ(Row_Clipboard_Checks, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Row_Clipboard->Strings(0), "N");
    EXPECT_EQ(Row_Clipboard->Strings(2), "Y");

    // Empty texts: no question. Blanks count as text here.
    grid->SetCellEx(2, 1, QString());
    grid->SetCellEx(4, 1, QString());
    CheckBox_Grid_Paste_Row(grid, 1, true);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Row(1), "0|A2|1|B2|rw");

    grid->SetCellEx(2, 3, QString());
    grid->SetCellEx(4, 3, QStringLiteral(" "));
    DialogSeam::QueueAnswer(IDNO);
    CheckBox_Grid_Paste_Row(grid, 3, true);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(1100));
    EXPECT_EQ(Row(3), "1||0| |rw");
    DialogSeam::QueueAnswer(IDYES);
    CheckBox_Grid_Paste_Row(grid, 3, true);
    EXPECT_EQ(Row(3), "0|A2|1|B2|rw");

    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    CheckBox_Grid_Paste_Row(grid, 5, false);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(1102));
}

TEST_F(CheckBoxGridRows, APasteAfterAColumnGridCopyGoesByTheCellsWhereFlagsAreMissing)
{
    // Flags of an earlier two-column copy, then a four-column text row.
    Row_Clipboard_Checks = {false, false};
    for (const char* t : {"Y", "X", "N", "Z"})
        Row_Clipboard->Add(QString::fromLatin1(t));
    grid->SetCellEx(2, 1, QString());
    grid->SetCellEx(4, 1, QString());
    CheckBox_Grid_Paste_Row(grid, 1, true);
    // Column 1 has a flag (text), column 3 has none and is a check box.
    bool b3 = true;
    ASSERT_TRUE(grid->GetCheckBoxState(3, 1, b3));
    EXPECT_FALSE(b3);
    EXPECT_EQ(grid->GetCellEx(2, 1), "X");
    EXPECT_EQ(grid->GetCellEx(4, 1), "Z");
}

} // namespace
