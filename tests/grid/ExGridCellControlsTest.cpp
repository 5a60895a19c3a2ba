// The EDIT and COMBO controls inside mini-HTML cells as a user works them:
// a click on the control lays a real edit or combo over it, the user types
// or picks, and leaving the control writes the text into the control's
// VALUE in the cell's HTML.
#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/editors/CellControls.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "Screenshot.h"
#include "UrlCatcher.h"

namespace {

const QString kCell = QStringLiteral(
    "Name <CONTROL TYPE=\"EDIT\" ID=\"name\" VALUE=\"abc\" WIDTH=\"90\"> "
    "Kind <CONTROL TYPE=\"COMBO\" ID=\"kind\" VALUE=\"Beta\" WIDTH=\"90\">");

// A shown form with a focused, editable grid whose cell (1, 1) holds an
// edit and a combo control.
struct CellControls : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(460, 160);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 460, 160);
        grid->SetColCount(3);
        grid->SetRowCount(4);
        grid->SetColWidths(0, 24);
        grid->SetColWidths(1, 330);
        grid->SetDefaultRowHeight(30);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetCells(1, 1, kCell);
        form->Show();
        TestInput::ActivateWindow(grid);
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    // The middle of the control with the ID in cell (c, r), found as the
    // grid's own press finds it.
    TPoint ControlAt(Integer c, Integer r, const QString& id)
    {
        TRect cell = grid->CellRect(c, r);
        cell.Right -= grid->XYOffset().X;
        cell.Left += grid->XYOffset().X + 1;
        cell.Top += grid->XYOffset().Y + 1;
        const Integer y = (cell.Top + cell.Bottom) / 2;
        for (Integer x = cell.Left; x < cell.Right; ++x) {
            TMiniHTMLResult hit;
            if (grid->HitTestMiniHTML(grid->Cells(c, r), cell, {x, y}, hit) && hit.ControlID == id)
                return {x + 10, y};
        }
        ADD_FAILURE() << "no control " << id.toStdString();
        return {};
    }
};

} // namespace

namespace {

// One way of ending a control edit, and what it leaves in the cell.
struct EndCase {
    const char* name;
    const char* type;   // the control's TYPE
    const char* extra;  // further attributes
    const char* typed;  // typed after the text the control opened with
    Word key;           // the key that ends it; 0: a click on another cell
    const char* stored; // the VALUE the cell holds after
};

// The VALUE of the control with the ID in a cell's HTML.
QString ValueOf(const QString& Html, const QString& ID)
{
    QString v;
    EXPECT_TRUE(GetHTMLControlValue(Html, ID, v)) << ID.toStdString();
    return v;
}

} // namespace

// A click on an edit-like control opens the edit over it with the control's
// text; what the user typed becomes the control's VALUE in the cell's HTML,
// whether the edit ends by Enter, by Tab or by a click elsewhere.
TEST_F(CellControls, EditControlsTakeTypedTextIntoTheirValue)
{
    std::vector<QString> done;
    grid->OnControlEditDone = [&](TObject*, Integer ARow, Integer ACol, const QString& ID, const QString& Type,
                                  const QString& Val) {
        done.push_back(QStringLiteral("%1,%2 %3 %4 %5").arg(ACol).arg(ARow).arg(ID, Type, Val));
    };
    const EndCase cases[] = {
        {"edit-enter", "EDIT", "", "de", VK_RETURN, "abcde"},
        {"edit-tab", "EDIT", "", "x", VK_TAB, "abcx"},
        {"edit-click", "EDIT", "", "y", 0, "abcy"},
        // The password shows stars and keeps the plain text.
        {"password", "PASSWORD", "", "12", VK_RETURN, "abc12"},
        // MAXLEN 5 takes two more characters only.
        {"maxlen", "EDIT", " MAXLEN=\"5\"", "wxyz", VK_RETURN, "abcwx"},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        done.clear();
        grid->SetCells(1, 2, QStringLiteral("<CONTROL TYPE=\"%1\" ID=\"f\" VALUE=\"abc\" WIDTH=\"120\"%2>")
                                 .arg(QLatin1String(c.type), QLatin1String(c.extra)));
        TestInput::Click(grid, ControlAt(1, 2, QStringLiteral("f")));
        ASSERT_TRUE(grid->ControlEditing());
        TControlEdit* ed = grid->CellControlEdit();
        ASSERT_TRUE(ed->Visible());
        EXPECT_TRUE(ed->Focused());
        EXPECT_EQ(ed->Text(), QStringLiteral("abc"));
        EXPECT_EQ(ed->PasswordChar(), QString(QLatin1String(c.type)) == QLatin1String("PASSWORD") ? QChar(u'*') : QChar());
        // It lies on the control, inside the cell.
        const TRect cell = grid->CellRect(1, 2);
        EXPECT_GE(ed->Left(), cell.Left);
        EXPECT_LE(ed->Left() + ed->Width(), cell.Right);
        EXPECT_GE(ed->Top(), cell.Top);
        TestInput::PressKey(ed, VK_END);
        TestInput::TypeText(ed, QString::fromLatin1(c.typed));
        if (c.key != 0)
            TestInput::PressKey(ed, c.key, {}, c.key == VK_RETURN ? QStringLiteral("\r") : QStringLiteral("\t"));
        else
            TestInput::Click(grid, {grid->CellRect(2, 3).Left + 5, grid->CellRect(2, 3).Top + 5});
        QCoreApplication::processEvents();
        EXPECT_FALSE(grid->ControlEditing());
        EXPECT_FALSE(ed->Visible());
        const QString stored = QString::fromLatin1(c.stored);
        EXPECT_EQ(ValueOf(grid->Cells(1, 2), QStringLiteral("f")), stored) << grid->Cells(1, 2).toStdString();
        EXPECT_EQ(done, std::vector<QString>{QStringLiteral("1,2 f %1 %2").arg(QString::fromLatin1(c.type), stored)});
        // The keys typed next reach the grid, not the hidden edit.
        if (c.key == VK_RETURN) {
            EXPECT_TRUE(grid->Focused());
        }
    }
}

// The combo control: the application lists its values as it opens, the
// user picks one (told to the application) and the pick becomes the VALUE.
// A VALUE outside the list selects nothing and is kept as the text.
TEST_F(CellControls, ComboControlListsPicksAndCommits)
{
    bool typed = false;
    std::vector<QString> heard;
    grid->OnControlComboList = [&](TObject*, Integer ARow, Integer ACol, const QString& ID, const QString& Type,
                                   const QString& Val, TStrings* Values, bool& Edit, Integer& DropCount) {
        heard.push_back(QStringLiteral("list %1,%2 %3 %4 %5 %6 %7").arg(ACol).arg(ARow).arg(ID, Type, Val).arg(Edit).arg(DropCount));
        Values->Clear();
        for (const char* t : {"Alpha", "Beta", "Gamma"})
            Values->Add(QString::fromLatin1(t));
        Edit = typed;
        DropCount = 3;
    };
    grid->OnControlComboSelect = [&](TObject*, Integer ARow, Integer ACol, Integer Index, const QString& ID,
                                     const QString& Val) {
        heard.push_back(QStringLiteral("select %1,%2 %3 %4 %5").arg(ACol).arg(ARow).arg(Index).arg(ID, Val));
    };
    TestInput::Click(grid, ControlAt(1, 1, QStringLiteral("kind")));
    ASSERT_TRUE(grid->ControlEditing());
    TControlCombo* combo = grid->CellControlCombo();
    ASSERT_TRUE(combo->Visible());
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Beta"));
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->DropDownCount(), 3);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-cell-control-combo-open")).isEmpty());
    TestInput::PressKey(combo, VK_DOWN);
    EXPECT_EQ(combo->Text(), QStringLiteral("Gamma"));
    TestInput::PressKey(combo, VK_RETURN, {}, QStringLiteral("\r"));
    if (grid->ControlEditing())  // the list took Enter as its pick; the next one ends the edit
        TestInput::PressKey(combo, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(grid->ControlEditing());
    EXPECT_FALSE(combo->Visible());
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("kind")), QStringLiteral("Gamma"));
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("name")), QStringLiteral("abc"));
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard.front(), QStringLiteral("list 1,1 kind COMBO Beta 1 8"));
    EXPECT_EQ(heard[1], QStringLiteral("select 1,1 2 kind Gamma"));

    // A typed combo keeps a value that is not among its items.
    typed = true;
    grid->SetCells(1, 1, QString(kCell).replace(QLatin1String("\"Beta\""), QLatin1String("\"Delta\"")));
    TestInput::Click(grid, ControlAt(1, 1, QStringLiteral("kind")));
    ASSERT_TRUE(grid->ControlEditing());
    EXPECT_EQ(combo->Style(), csDropDown);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Delta"));
    combo->SetDroppedDown(false);
    TestInput::TypeText(combo, QStringLiteral("s"));
    grid->EndControlEdit(grid);
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("kind")), QStringLiteral("Deltas"));
}

// Going from one control straight to another: the first one's value is
// written, and the late exit of its control does not end the one now open.
TEST_F(CellControls, ClickOnAnotherControlMovesTheEdit)
{
    TestInput::Click(grid, ControlAt(1, 1, QStringLiteral("name")));
    ASSERT_TRUE(grid->ControlEditing());
    TestInput::PressKey(grid->CellControlEdit(), VK_END);
    TestInput::TypeText(grid->CellControlEdit(), QStringLiteral("d"));
    TestInput::Click(grid, ControlAt(1, 1, QStringLiteral("kind")));
    QCoreApplication::processEvents();
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("name")), QStringLiteral("abcd"));
    EXPECT_TRUE(grid->ControlEditing());
    EXPECT_EQ(grid->ControlEditID(), QStringLiteral("kind"));
    EXPECT_TRUE(grid->CellControlCombo()->Visible());
    EXPECT_FALSE(grid->CellControlEdit()->Visible());

    // And back from the combo to the edit.
    TestInput::Click(grid, ControlAt(1, 1, QStringLiteral("name")));
    QCoreApplication::processEvents();
    EXPECT_TRUE(grid->ControlEditing());
    EXPECT_EQ(grid->ControlEditID(), QStringLiteral("name"));
    EXPECT_TRUE(grid->CellControlEdit()->Visible());
    EXPECT_TRUE(grid->CellControlEdit()->Focused());
    EXPECT_FALSE(grid->CellControlCombo()->Visible());
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("kind")), QStringLiteral("Beta"));
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExStringGrid-cell-control-edit-open")).isEmpty());
    grid->EndControlEdit(grid);
}

// The keyboard's way: EditHTMLControl opens a cell's first edit control,
// and Tab in it goes on to the next one.
TEST_F(CellControls, TabWalksTheCellsControls)
{
    grid->EditHTMLControl(1, 1, QString());
    ASSERT_TRUE(grid->ControlEditing());
    EXPECT_EQ(grid->ControlEditID(), QStringLiteral("name"));
    TestInput::PressKey(grid->CellControlEdit(), VK_END);
    TestInput::TypeText(grid->CellControlEdit(), QStringLiteral("!"));
    TestInput::PressKey(grid->CellControlEdit(), VK_TAB, {}, QStringLiteral("\t"));
    QCoreApplication::processEvents();
    EXPECT_EQ(ValueOf(grid->Cells(1, 1), QStringLiteral("name")), QStringLiteral("abc!"));
    ASSERT_TRUE(grid->ControlEditing());
    EXPECT_EQ(grid->ControlEditID(), QStringLiteral("kind"));
    EXPECT_TRUE(grid->CellControlCombo()->Visible());
    // Past the last control the grid takes the focus back.
    grid->CellControlCombo()->SetDroppedDown(false);
    TestInput::PressKey(grid->CellControlCombo(), VK_TAB, {}, QStringLiteral("\t"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid->ControlEditing());
    EXPECT_TRUE(grid->Focused());
}

// A grid that may not be edited opens no control editor, and a press on
// the control opens nothing else either: it is no link.
TEST_F(CellControls, ReadOnlyGridOpensNoControlEditor)
{
    testsupport::UrlCatcher opened;
    grid->SetOptions(grid->Options() & ~TGridOptions(goEditing));
    for (const char* id : {"name", "kind"}) {
        TestInput::Click(grid, ControlAt(1, 1, QString::fromLatin1(id)));
        EXPECT_FALSE(grid->ControlEditing());
    }
    EXPECT_FALSE(grid->CellControlEdit()->Visible());
    EXPECT_FALSE(grid->CellControlCombo()->Visible());
    EXPECT_TRUE(opened.urls.isEmpty());
    EXPECT_EQ(grid->Cells(1, 1), kCell);
}
