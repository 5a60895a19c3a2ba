// The grid worked by mouse as a user works a rule table: clicks select and
// fire OnClickCell, a press on an "Y"/"N" check box flips it, header
// borders size and auto-size columns, double clicks and the right button
// fire their events, the editor opens on the current cell, hover rows
// follow the mouse, and cell hints show the cell's text or the
// application's, and go as soon as the mouse reaches another cell.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "grid/columns/ExColumnGrid.h"
#include "grid/input/HTMLHintWindow.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/InplaceEdit.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

#include "Screenshot.h"

namespace {

// A rule table: 0 the row number, 1 Enable ("Y"/"N" data check box),
// 2 Mnemonic (text), 3 Type (fixed list), 4 Unit (editable list), 5 Note.
struct MouseTable : ::testing::Test {
    TForm* form = nullptr;
    TExColumnGrid* grid = nullptr;
    std::vector<QString> events;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(520, 200);
        grid = new TExColumnGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 520, 200);
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing | goColSizing);
        TGridColumnCollection* cols = grid->Columns();
        const char* const heads[] = {"#", "Enable", "Mnemonic", "Type", "Unit", "Note"};
        const Integer widths[] = {30, 60, 120, 90, 90, 110};
        for (Integer c = 0; c < 6; ++c) {
            cols->Items(c)->SetHeader(QString::fromLatin1(heads[c]));
            cols->Items(c)->SetWidth(widths[c]);
        }
        cols->Items(1)->SetEditor(edDataCheckBox);
        cols->Items(1)->SetAlignment(taCenter);
        cols->Items(3)->SetEditor(edComboList);
        for (const char* t : {"BOOL", "UINT8", "UINT16", "FLOAT"})
            cols->Items(3)->ComboItems()->Add(QString::fromLatin1(t));
        cols->Items(4)->SetEditor(edComboEdit);
        for (const char* t : {"W", "kW", "MW"})
            cols->Items(4)->ComboItems()->Add(QString::fromLatin1(t));
        for (Integer r = 1; r < 5; ++r) {
            grid->SetCells(0, r, QString::number(r));
            grid->SetCells(1, r, r % 2 ? QStringLiteral("Y") : QStringLiteral("N"));
            grid->SetCells(2, r, QStringLiteral("Rule %1").arg(r));
            grid->SetCells(3, r, QStringLiteral("UINT16"));
            grid->SetCells(4, r, QStringLiteral("kW"));
            grid->SetCells(5, r, QStringLiteral("note"));
        }
        grid->OnCanClickCell = [this](TObject*, Integer R, Integer C, bool&) {
            events.push_back(QStringLiteral("can %1,%2").arg(C).arg(R));
        };
        grid->OnClickCell = [this](TObject*, Integer R, Integer C) {
            events.push_back(QStringLiteral("click %1,%2").arg(C).arg(R));
        };
        grid->OnCheckBoxClick = [this](TObject*, Integer C, Integer R, bool State) {
            events.push_back(QStringLiteral("check %1,%2 %3").arg(C).arg(R).arg(State));
        };
        grid->OnDblClickCell = [this](TObject*, Integer R, Integer C) {
            events.push_back(QStringLiteral("dbl %1,%2").arg(C).arg(R));
        };
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TGridColumnItem* Item(Integer i) const { return grid->Columns()->Items(i); }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    bool EditorShown() const
    {
        return grid->EditorMode() || (grid->Combobox() != nullptr && grid->Combobox()->Visible());
    }
};

} // namespace

TEST_F(MouseTable, ClickSelectsTheCellAfterAskingAndReportsIt)
{
    TestInput::Click(grid, Center(2, 3));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(events, (std::vector<QString>{"can 2,3", "click 2,3"}));
    EXPECT_FALSE(EditorShown());
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-mouse-cell-selected"));

    // A refusal swallows the press: no selection, no click.
    events.clear();
    grid->OnCanClickCell = [](TObject*, Integer, Integer, bool& Allow) { Allow = false; };
    TestInput::Click(grid, Center(4, 1));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(MouseTable, PressOnCheckCellFlipsYesNoAndReportsTheCheckBoxOnly)
{
    const QImage before = GrabControl(grid);
    TestInput::Click(grid, Center(1, 1));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("N"));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(events, (std::vector<QString>{"can 1,1", "check 1,1 0"}));
    TestInput::Click(grid, Center(1, 2));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Y"));
    EXPECT_EQ(events.back(), QStringLiteral("check 1,2 1"));
    const QImage after = GrabControl(grid);
    testsupport::SaveScreenshot(after, QStringLiteral("TExColumnGrid-mouse-check-flipped"));
    // The box of row 1 is drawn differently now.
    const TRect r = grid->CellRect(1, 1);
    bool differs = false;
    for (Integer x = r.Left; x < r.Right && !differs; ++x)
        for (Integer y = r.Top; y < r.Bottom && !differs; ++y)
            differs = before.pixel(x, y) != after.pixel(x, y);
    EXPECT_TRUE(differs);

    // A read-only column selects the cell and reports a plain click.
    events.clear();
    Item(1)->SetReadOnly(true);
    TestInput::Click(grid, Center(1, 3));
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("Y"));
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(events, (std::vector<QString>{"can 1,3", "click 1,3"}));
}

TEST_F(MouseTable, HeaderPressNearABorderSizesAndIsNoClick)
{
    const TRect r = grid->CellRect(2, 0);
    struct Case {
        Integer x;
        bool sizing;
        bool click;
    };
    const Case cases[] = {{r.Right - 2, true, false}, {r.Left + 3, true, false}, {r.Right - 5, true, true},
                          {r.Right - 2, false, true}, {r.Left + 3, false, true}};
    for (const Case& c : cases) {
        grid->SetOptions(c.sizing ? grid->Options() | goColSizing : grid->Options() & ~TGridOptions(goColSizing));
        events.clear();
        TestInput::Click(grid, {c.x, (r.Top + r.Bottom) / 2});
        const bool clicked = !events.empty() && events.back().startsWith(QLatin1String("click"));
        EXPECT_EQ(clicked, c.click) << "x " << c.x << " sizing " << c.sizing;
    }
}

TEST_F(MouseTable, DraggingAHeaderBorderSizesTheColumnUnlessRefused)
{
    std::vector<Integer> sizing;
    grid->OnColumnSizing = [&](TObject*, Integer, Integer Size) { sizing.push_back(Size); };
    grid->SetHintShowSizing(true);
    const TRect r = grid->CellRect(2, 0);
    const Integer y = (r.Top + r.Bottom) / 2;
    TestInput::MouseDown(grid, mbLeft, {r.Right, y});
    TestInput::MouseMove(grid, {r.Right + 30, y}, TShiftState(ssLeft));
    EXPECT_EQ(grid->ScrollHintText(), QStringLiteral("cw=<b>%1</b>").arg(sizing.empty() ? -1 : sizing.back()));
    TestInput::MouseUp(grid, mbLeft, {r.Right + 30, y});
    EXPECT_EQ(grid->ColWidths(2), 150);
    ASSERT_FALSE(sizing.empty());
    EXPECT_EQ(sizing.back(), 150);
    EXPECT_FALSE(grid->ScrollHintShowing());

    // OnColumnSize says no: the border does not move.
    grid->OnColumnSize = [](TObject*, Integer ACol, bool& Allow) { Allow = ACol != 3; };
    const TRect r3 = grid->CellRect(3, 0);
    TestInput::MouseDown(grid, mbLeft, {r3.Right, y});
    TestInput::MouseMove(grid, {r3.Right + 30, y}, TShiftState(ssLeft));
    TestInput::MouseUp(grid, mbLeft, {r3.Right + 30, y});
    EXPECT_EQ(grid->ColWidths(3), 90);
}

TEST_F(MouseTable, DoubleClicksReportTheCellAndAutoSizeAtHeaderBorders)
{
    TestInput::DblClick(grid, Center(2, 2));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), QStringLiteral("dbl 2,2"));

    grid->SetCells(2, 3, QStringLiteral("A much longer mnemonic text"));
    std::vector<Integer> ended;
    grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
    const TRect r = grid->CellRect(2, 0);
    TestInput::DblClick(grid, {r.Right - 1, (r.Top + r.Bottom) / 2});
    const Integer sized = grid->ColWidths(2);
    EXPECT_GT(sized, 120);
    EXPECT_EQ(ended, std::vector<Integer>{2});
    grid->AutoSizeCol(2, 0);
    EXPECT_EQ(grid->ColWidths(2), sized);  // the release took nothing back
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-mouse-autosized-column"));

    // Near the left border of header cell 4 the column on its left is sized;
    // a refusal leaves it.
    grid->OnColumnSize = [](TObject*, Integer, bool& Allow) { Allow = false; };
    grid->SetCells(3, 2, QStringLiteral("A very long type name indeed"));
    const TRect r4 = grid->CellRect(4, 0);
    TestInput::DblClick(grid, {r4.Left + 1, (r4.Top + r4.Bottom) / 2});
    EXPECT_EQ(grid->ColWidths(3), 90);
    grid->OnColumnSize = nullptr;
    TestInput::DblClick(grid, {grid->CellRect(4, 0).Left + 1, (r4.Top + r4.Bottom) / 2});
    EXPECT_GT(grid->ColWidths(3), 90);
}

TEST_F(MouseTable, EditorOpensOnTheCurrentCellOrAtOnceWithDirectEdit)
{
    TestInput::Click(grid, Center(2, 1));
    EXPECT_FALSE(EditorShown());
    TestInput::Click(grid, Center(2, 1));
    EXPECT_TRUE(grid->EditorMode());
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-mouse-editor-open"));
    TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);

    grid->MouseActions()->SetDirectEdit(true);
    TestInput::Click(grid, Center(2, 3));
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Row(), 3);
    TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);
    grid->HideInplaceEdit();
    // Within 4 pixels of the cell's edge the press only selects.
    const TRect r = grid->CellRect(2, 4);
    TestInput::Click(grid, {r.Left + 2, (r.Top + r.Bottom) / 2});
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(MouseTable, RightButtonReportsAndSelectsOnRequest)
{
    std::vector<QString> right;
    grid->OnRightClickCell = [&](TObject*, Integer R, Integer C) { right.push_back(QStringLiteral("%1,%2").arg(C).arg(R)); };
    TestInput::Click(grid, Center(3, 2), mbRight);
    EXPECT_EQ(right, std::vector<QString>{"3,2"});
    EXPECT_EQ(grid->Row(), 1);  // not selected without SelectOnRightClick

    grid->MouseActions()->SetSelectOnRightClick(true);
    TestInput::Click(grid, Center(3, 4), mbRight);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 4);
    // With no handler the grid's own press and release select, without
    // the press handler's events.
    grid->OnRightClickCell = nullptr;
    events.clear();
    TestInput::Click(grid, Center(2, 2), mbRight);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(events.empty());
}

TEST_F(MouseTable, HoverRowFollowsTheMouseAndLeavesWithIt)
{
    grid->SetHoverRow(true);
    grid->SetHoverRowColor(clRed);
    TestInput::MouseMove(grid, Center(2, 3));
    EXPECT_EQ(grid->HoverRowIdx(), 3);
    const QImage shot = GrabControl(grid);
    testsupport::SaveScreenshot(shot, QStringLiteral("TExColumnGrid-mouse-hover-row"));
    const TRect r = grid->CellRect(5, 3);
    EXPECT_EQ(QColor(shot.pixel(r.Left + 3, r.Bottom - 3)), QColor(Qt::red));
    const TRect other = grid->CellRect(5, 2);
    EXPECT_NE(QColor(shot.pixel(other.Left + 3, other.Bottom - 3)), QColor(Qt::red));
    TestInput::MouseLeave(grid);
    EXPECT_EQ(grid->HoverRowIdx(), -1);
}

TEST_F(MouseTable, FixedCellHoverAndFixedColumnBorder)
{
    grid->SetHoverFixedCells(hfFixedRows);
    TestInput::MouseMove(grid, Center(2, 0));
    EXPECT_EQ(grid->HoverFixedCell(), (TPoint{2, 0}));
    TestInput::MouseLeave(grid);
    EXPECT_EQ(grid->HoverFixedCell(), (TPoint{-1, -1}));

    grid->MouseActions()->SetSizeFixedCol(true);
    const Integer border = grid->ColWidths(0);  // 30
    for (Integer dx = -3; dx <= 3; ++dx) {
        TestInput::MouseMove(grid, {border + dx, Center(1, 2).Y});
        EXPECT_EQ(grid->SizeFixedBorder(), std::abs(dx) < 3) << dx;
    }
    // Dragging that border sizes the fixed column to the mouse.
    std::vector<Integer> ended;
    grid->OnEndColumnSize = [&](TObject*, Integer ACol) { ended.push_back(ACol); };
    const Integer y = Center(1, 2).Y;
    TestInput::MouseMove(grid, {border, y});
    TestInput::MouseDown(grid, mbLeft, {border, y});
    TestInput::MouseMove(grid, {55, y}, TShiftState(ssLeft));
    TestInput::MouseUp(grid, mbLeft, {55, y});
    EXPECT_EQ(grid->ColWidths(0), 55);
    EXPECT_EQ(ended, std::vector<Integer>{0});
    EXPECT_EQ(grid->Row(), 1);  // no cell was selected by it
}

TEST_F(MouseTable, CellHintShowsTheTextAndTheApplicationsWord)
{
    grid->SetShowHint(true);
    grid->SetHintShowCells(true);
    grid->SetCells(2, 2, QStringLiteral("<b>Temp</b> sensor"));
    std::vector<QString> seen;
    grid->OnGridHint = [&](TObject*, Integer R, Integer C, QString& Hint) {
        seen.push_back(QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(Hint));
        if (C == 4)
            Hint = QStringLiteral("Unit of the value");
    };
    const TPoint p = Center(2, 2);
    TestInput::MouseMove(grid, p);
    Application->ActivateHint(grid->ClientToScreen(p));
    THintWindow* w = Application->CurrentHintWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption(), QStringLiteral("Temp sensor"));
    EXPECT_EQ(w->Color(), clInfoBk);
    // Placed at the cell's top edge, at the cursor's X.
    const TPoint top = grid->ClientToScreen({p.X, grid->CellRect(2, 2).Top});
    EXPECT_EQ(w->Left(), top.X);
    EXPECT_EQ(w->Top(), top.Y);
    EXPECT_EQ(seen, std::vector<QString>{"2,2 Temp sensor"});
    testsupport::SaveScreenshot(GrabControl(w), QStringLiteral("TExStringGrid-cell-hint"));

    // Moving within the cell keeps it; the next cell withdraws it at once.
    TestInput::MouseMove(grid, {p.X + 3, p.Y});
    EXPECT_NE(Application->CurrentHintWindow(), nullptr);
    TestInput::MouseMove(grid, Center(4, 2));
    EXPECT_EQ(Application->CurrentHintWindow(), nullptr);
    EXPECT_EQ(grid->LastHintPos(), (TPoint{-1, -1}));
    // The next rest of the mouse brings the new cell's hint.
    TestInput::MouseMove(grid, {Center(4, 2).X + 1, Center(4, 2).Y});
    Application->ActivateHint(grid->ClientToScreen(Center(4, 2)));
    ASSERT_NE(Application->CurrentHintWindow(), nullptr);
    EXPECT_EQ(Application->CurrentHintWindow()->Caption(), QStringLiteral("Unit of the value"));
    Application->CancelHint();
}

TEST_F(MouseTable, HintRequestKeepsTagsForTheHtmlWindowAndGivesDisplayedColumns)
{
    grid->SetHintShowCells(true);
    grid->SetCells(4, 3, QStringLiteral("<b>kWh</b>"));
    Integer hintCol = -1;
    grid->OnGridHint = [&](TObject*, Integer, Integer C, QString&) { hintCol = C; };
    auto ask = [&](Integer c, Integer r) {
        THintInfo info;
        info.HintControl = grid;
        info.CursorPos = Center(c, r);
        info.HintStr = QStringLiteral("platform");
        grid->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        return info;
    };
    THintInfo plain = ask(4, 3);
    EXPECT_EQ(plain.HintStr, QStringLiteral("kWh"));
    EXPECT_EQ(plain.HintWindowClass, nullptr);
    grid->SetHTMLHint(true);
    THintInfo html = ask(4, 3);
    EXPECT_EQ(html.HintStr, QStringLiteral("<b>kWh</b>"));
    EXPECT_NE(html.HintWindowClass, nullptr);
    EXPECT_EQ(html.HintData, static_cast<void*>(grid));
    // Hiding column 2 moves the cell to displayed column 3.
    grid->HideColumn(2);
    ask(3, 3);
    EXPECT_EQ(hintCol, 3);
    // No HintShowCells: the platform's text stays and goes below the cell.
    grid->SetHintShowCells(false);
    THintInfo kept = ask(3, 3);
    EXPECT_EQ(kept.HintStr, QStringLiteral("platform"));
    EXPECT_EQ(kept.HintPos, grid->ClientToScreen({Center(3, 3).X, grid->CellRect(3, 3).Bottom + 6}));
    EXPECT_EQ(kept.HintColor, clInfoBk);

    // The HTML window draws the tag bold and adds its margins.
    THTMLHintWindow w(nullptr);
    const TRect bare = w.CalcHintRect(300, html.HintStr, nullptr);
    w.ActivateHintData({100, 100, 100 + bare.Width(), 100 + bare.Height()}, html.HintStr, grid);
    EXPECT_EQ(w.Width(), bare.Width() + 16);
    EXPECT_EQ(w.Height(), bare.Height() + 4);
    testsupport::SaveScreenshot(GrabControl(&w), QStringLiteral("THTMLHintWindow-bold"));
    w.ReleaseHandle();
}

TEST_F(MouseTable, HeadersSelectWholeColumnsAndRows)
{
    grid->MouseActions()->SetColSelect(true);
    grid->MouseActions()->SetRowSelect(true);
    grid->SetOptions(grid->Options() | goRangeSelect);
    TestInput::MouseMove(grid, Center(2, 0));
    EXPECT_EQ(grid->MouseSelectMode(), msColumn);
    EXPECT_EQ(grid->Cursor(), crUpArrow);
    TestInput::Click(grid, Center(2, 0));
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 4}));

    TestInput::MouseMove(grid, Center(0, 2));
    EXPECT_EQ(grid->MouseSelectMode(), msRow);
    TestInput::MouseDown(grid, mbLeft, Center(0, 2));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 5, 2}));
    TestInput::MouseMove(grid, Center(0, 4), TShiftState(ssLeft));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 5, 4}));
    TestInput::MouseUp(grid, mbLeft, Center(0, 4));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-mouse-row-selection"));
    // Over a normal cell the cursor is the grid's own again.
    TestInput::MouseMove(grid, Center(3, 3));
    EXPECT_EQ(grid->MouseSelectMode(), msNormal);
    EXPECT_EQ(grid->Cursor(), crDefault);
}

TEST_F(MouseTable, ComboCellOpensItsListOnTheSecondClick)
{
    TestInput::Click(grid, Center(3, 2));
    EXPECT_FALSE(EditorShown());
    TestInput::Click(grid, Center(3, 2));
    ASSERT_NE(grid->Combobox(), nullptr);
    EXPECT_TRUE(grid->Combobox()->Visible());
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TExColumnGrid-mouse-combo-open"));
}

TEST_F(MouseTable, CtrlClicksCollectDisjunctRows)
{
    grid->MouseActions()->SetDisjunctRowSelect(true);
    TestInput::Click(grid, Center(2, 1));
    TestInput::KeyDown(grid, VK_CONTROL);
    TestInput::Click(grid, Center(2, 3), mbLeft, TShiftState(ssCtrl));
    TestInput::KeyUp(grid, VK_CONTROL);
    EXPECT_TRUE(grid->RowSelect(1));
    EXPECT_TRUE(grid->RowSelect(3));
    EXPECT_FALSE(grid->RowSelect(2));
    // Ctrl on a selected row takes it out on the release.
    TestInput::KeyDown(grid, VK_CONTROL);
    TestInput::Click(grid, Center(4, 1), mbLeft, TShiftState(ssCtrl));
    TestInput::KeyUp(grid, VK_CONTROL);
    EXPECT_FALSE(grid->RowSelect(1));
    EXPECT_TRUE(grid->RowSelect(3));
    // A plain click starts anew.
    TestInput::Click(grid, Center(2, 4));
    EXPECT_FALSE(grid->RowSelect(3));
    EXPECT_TRUE(grid->RowSelect(4));
}

namespace {

// A plain string grid on a shown form, editing on.
struct MouseStringGrid : ::testing::Test {
    TForm* form = nullptr;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(480, 200);
        grid = new TExStringGrid(form);
        grid->SetParent(form);
        grid->SetBounds(0, 0, 480, 200);
        grid->SetColCount(5);
        grid->SetRowCount(5);
        grid->SetDefaultColWidth(90);
        grid->SetOptions(grid->Options() | goEditing);
        form->Show();
        grid->SetFocus();
    }
    void TearDown() override { delete form; }
    TPoint Mid(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
};

} // namespace

TEST_F(MouseStringGrid, FormControlAndCellLinkInMiniHtmlCells)
{
    grid->SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">"));
    std::vector<QString> clicks;
    grid->OnControlClick = [&](TObject*, Integer, Integer, const QString& ID, const QString& Type,
                               const QString& Val) { clicks.push_back(ID + QLatin1Char(' ') + Type + QLatin1Char(' ') + Val); };
    const TRect r = grid->CellRect(1, 1);
    TestInput::Click(grid, {r.Left + grid->XYOffset().X + 8, r.Top + grid->XYOffset().Y + 8});
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QStringLiteral("c1 CHECK TRUE"));
    EXPECT_TRUE(grid->Cells(1, 1).contains(QLatin1String("VALUE=\"FALSE\"")));

    // A cell link jumps to the cell it names; the handler may stop that.
    grid->SetCells(2, 2, QStringLiteral("<A HREF=\"cell://R3C4\">go to</A>"));
    std::vector<QString> anchors;
    grid->OnAnchorClick = [&](TObject*, Integer, Integer, const QString& A, bool&) { anchors.push_back(A); };
    const TRect l = grid->CellRect(2, 2);
    TestInput::Click(grid, {l.Left + grid->XYOffset().X + 6, (l.Top + l.Bottom) / 2});
    ASSERT_EQ(anchors.size(), 1u);
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(MouseStringGrid, RatingTakesHalfStepsOfNinePixels)
{
    grid->AddRating(2, 2, 5, clYellow, clSilver);
    std::vector<double> asked;
    grid->OnRatingChange = [&](TObject*, Integer, Integer, double V, bool&) { asked.push_back(V); };
    const TRect r = grid->CellRect(2, 2);
    for (Integer dx : {26, 27, 8, 9}) {
        TestInput::Click(grid, {r.Left + dx, (r.Top + r.Bottom) / 2});
    }
    EXPECT_EQ(asked, (std::vector<double>{1.0, 1.5, 0.0, 0.5}));
    EXPECT_EQ(grid->Floats(2, 2), 0.5);
    grid->OnRatingChange = [](TObject*, Integer, Integer, double, bool& Allow) { Allow = false; };
    TestInput::Click(grid, {r.Left + 30, (r.Top + r.Bottom) / 2});
    EXPECT_EQ(grid->Floats(2, 2), 0.5);
}

TEST_F(MouseStringGrid, CellButtonClicksOnReleaseOverIt)
{
    grid->AddButton(3, 2, 40, 18, QStringLiteral("..."), haRight, vaCenter);
    std::vector<QString> pressed;
    grid->OnButtonClick = [&](TObject*, Integer C, Integer R) { pressed.push_back(QStringLiteral("%1,%2").arg(C).arg(R)); };
    GrabControl(grid);  // painting places the button in its cell
    const TRect b = grid->GetButtonRect(3, 2);
    ASSERT_GT(b.Width(), 0);
    const TPoint mid{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
    TestInput::MouseDown(grid, mbLeft, mid);
    testsupport::SaveScreenshot(GrabControl(grid), QStringLiteral("TExStringGrid-cell-button-pushed"));
    TestInput::MouseUp(grid, mbLeft, mid);
    EXPECT_EQ(pressed, std::vector<QString>{"3,2"});
    // Released away from the button: no click.
    TestInput::MouseDown(grid, mbLeft, mid);
    TestInput::MouseUp(grid, mbLeft, {b.Left - 30, mid.Y});
    EXPECT_EQ(pressed.size(), 1u);
}

TEST_F(MouseStringGrid, LinksChangeTheCursorAndReportEnteringAndLeaving)
{
    grid->SetCursor(crIBeam);  // the application's own cursor
    grid->SetCells(1, 1, QStringLiteral("<A HREF=\"first\">one</A> and <A HREF=\"second\">two</A>"));
    grid->SetURLShow(true);
    grid->SetCells(3, 3, QStringLiteral("http://example.invalid/"));
    std::vector<QString> seen;
    grid->OnAnchorEnter = [&](TObject*, Integer, Integer, const QString& A) { seen.push_back(QStringLiteral("enter ") + A); };
    grid->OnAnchorExit = [&](TObject*, Integer, Integer, const QString& A) { seen.push_back(QStringLiteral("exit ") + A); };
    const TRect r = grid->CellRect(1, 1);
    const Integer y = r.Top + grid->XYOffset().Y + 6;
    const Integer x0 = r.Left + grid->XYOffset().X + 4;
    grid->Canvas()->SetFont(grid->Font());
    const Integer x1 = x0 + grid->Canvas()->TextWidth(QStringLiteral("one and t"));
    TestInput::MouseMove(grid, {x0, y});
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    TestInput::MouseMove(grid, {x1, y});
    TestInput::MouseMove(grid, {r.Right - 3, r.Bottom - 2});
    EXPECT_EQ(seen, (std::vector<QString>{"enter first", "enter second", "exit second"}));
    EXPECT_EQ(grid->Cursor(), crIBeam);
    TestInput::MouseMove(grid, Mid(3, 3));
    EXPECT_EQ(grid->Cursor(), crHandPoint);
    TestInput::MouseMove(grid, Mid(2, 2));
    EXPECT_EQ(grid->Cursor(), crIBeam);

    // The application picks a cell's cursor; the fixed-column border splits.
    grid->OnGetCellCursor = [](TObject*, Integer C, Integer, Integer, Integer, TCursor& Cur) {
        if (C == 4)
            Cur = crCross;
    };
    TestInput::MouseMove(grid, Mid(4, 2));
    EXPECT_EQ(grid->Cursor(), crCross);
    grid->MouseActions()->SetSizeFixedCol(true);
    TestInput::MouseMove(grid, {grid->ColWidths(0), Mid(1, 2).Y});
    EXPECT_EQ(grid->Cursor(), crHSplit);
    TestInput::MouseMove(grid, Mid(2, 2));
    EXPECT_EQ(grid->Cursor(), crIBeam);
}
