// Balloon tips of the string grid: the tip window's life with
// Balloon.Enable, the text it shows for a cell, showing and popping it with
// the mouse, and the warning balloon of a refused entry.
#include "grid/ExGrid.h"

#include "grid/ExGridEditors.h"
#include "platform/BalloonTip.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include "Screenshot.h"

namespace {

QColor Rgb(TColor C)
{
    const TColor v = ColorToRGB(C);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

struct Balloons : ::testing::Test {
    std::unique_ptr<TForm> form;
    TExStringGrid* grid = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetClientSize(400, 160);
        grid = new TExStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 400, 160);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(90);
        form->Show();
    }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = grid->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // The title and text the balloon shows over cell (c, r).
    std::pair<QString, QString> Ask(Integer c, Integer r, Integer* Icon = nullptr)
    {
        QString title, text;
        Integer icon = 0;
        grid->BalloonText(Center(c, r), title, text, icon);
        if (Icon != nullptr)
            *Icon = icon;
        return {title, text};
    }
};

} // namespace

TEST_F(Balloons, EnableMakesOneTipWindowAndDisableRemovesIt)
{
    EXPECT_EQ(grid->BalloonTip(), nullptr);
    grid->Balloon()->SetEnable(true);
    TBalloonTip* first = grid->BalloonTip();
    ASSERT_NE(first, nullptr);
    grid->Balloon()->SetEnable(true);
    EXPECT_EQ(grid->BalloonTip(), first);
    grid->Balloon()->SetEnable(false);
    EXPECT_EQ(grid->BalloonTip(), nullptr);
    EXPECT_FALSE(grid->Balloon()->Init);
    grid->Balloon()->SetEnable(true);
    EXPECT_NE(grid->BalloonTip(), nullptr);
    EXPECT_TRUE(grid->Balloon()->Init);
}

TEST_F(Balloons, DelaysAndTransparencyReachTheTipWhenItIsMade)
{
    const struct {
        Integer Initial;
        Byte Transparency;
        Integer WantInitial;
        Byte WantAlpha;
    } cases[] = {{-1, 0, -1, 255}, {0, 255, 0, 0}, {400, 55, 400, 200}};
    for (const auto& k : cases) {
        grid->Balloon()->SetEnable(false);
        grid->Balloon()->InitialDelay = k.Initial;
        grid->Balloon()->AutoHideDelay = 3000;
        grid->Balloon()->Transparency = k.Transparency;
        grid->Balloon()->SetEnable(true);
        ASSERT_NE(grid->BalloonTip(), nullptr);
        EXPECT_EQ(grid->BalloonTip()->InitialDelay(), k.WantInitial);
        EXPECT_EQ(grid->BalloonTip()->ReshowDelay(), -1);
        EXPECT_EQ(grid->BalloonTip()->AutoHideDelay(), 3000);
        EXPECT_EQ(grid->BalloonTip()->Alpha(), k.WantAlpha);
    }
}

TEST_F(Balloons, AssignCopiesAllButTransparencyAndMakesNoTip)
{
    TExStringGrid other(nullptr);
    other.Balloon()->SetEnable(true);
    other.Balloon()->TextColor = clRed;
    other.Balloon()->BackgroundColor = clYellow;
    other.Balloon()->InitialDelay = 100;
    other.Balloon()->AutoHideDelay = 200;
    other.Balloon()->ReshowDelay = 50;
    other.Balloon()->Transparency = 80;
    grid->Balloon()->Assign(other.Balloon());
    EXPECT_TRUE(grid->Balloon()->Enable());
    EXPECT_EQ(grid->Balloon()->TextColor, clRed);
    EXPECT_EQ(grid->Balloon()->BackgroundColor, clYellow);
    EXPECT_EQ(grid->Balloon()->InitialDelay, 100);
    EXPECT_EQ(grid->Balloon()->AutoHideDelay, 200);
    EXPECT_EQ(grid->Balloon()->ReshowDelay, 50);
    EXPECT_EQ(grid->Balloon()->Transparency, 0);
    EXPECT_EQ(grid->BalloonTip(), nullptr);
}

TEST_F(Balloons, TextIsTheCellsPlainTextCutToSize)
{
    grid->Balloon()->SetEnable(true);
    const struct {
        QString Cell, Shown;
    } cases[] = {
        {QStringLiteral("\t\tfirst\tsecond\t"), QStringLiteral("first second ")},
        {QStringLiteral("\r\nline"), QStringLiteral("line")},
        {QStringLiteral("<b>bold</b> text"), QStringLiteral("bold text")},
        {QString(3000, QLatin1Char('x')), QString(2045, QLatin1Char('x')) + QStringLiteral("...")},
    };
    for (const auto& k : cases) {
        grid->SetCells(2, 1, k.Cell);
        Integer icon = 0;
        const auto [title, text] = Ask(2, 1, &icon);
        EXPECT_EQ(text, k.Shown);
        EXPECT_EQ(title, QStringLiteral(" "));
        EXPECT_EQ(icon, 1);
    }
    EXPECT_EQ(grid->LastBalloonPos(), (TPoint{2, 1}));
    // A balloon of the cell's own, then the event's word; a long title is cut.
    grid->AddBalloon(1, 2, QStringLiteral("Range"), QStringLiteral("0 .. 255"), biWarning);
    Integer icon = 0;
    auto [title, text] = Ask(1, 2, &icon);
    EXPECT_EQ(title, QStringLiteral("Range"));
    EXPECT_EQ(text, QStringLiteral("0 .. 255"));
    EXPECT_EQ(icon, Integer(biWarning));
    grid->OnCellBalloon = [](TObject*, Integer ACol, Integer ARow, QString& T, QString& X, Integer& I) {
        T = QString(120, QLatin1Char('t'));
        X = QStringLiteral("cell %1,%2").arg(ACol).arg(ARow);
        I = 3;
    };
    std::tie(title, text) = Ask(3, 3, &icon);
    EXPECT_EQ(title, QString(97, QLatin1Char('t')) + QStringLiteral("..."));
    EXPECT_EQ(text, QStringLiteral("cell 3,3"));
    EXPECT_EQ(icon, 3);
}

TEST_F(Balloons, RestingMouseShowsTheBalloonAndAnotherCellPopsIt)
{
    grid->Balloon()->SetEnable(true);
    grid->Balloon()->BackgroundColor = TColor(0xE0FFFF);
    grid->Balloon()->TextColor = clNavy;
    grid->SetCells(2, 2, QStringLiteral("Uplink rule 17: port 5"));
    TBalloonTip* tip = grid->BalloonTip();
    ASSERT_NE(tip, nullptr);
    TestInput::MouseMove(grid, Center(2, 2));
    tip->FireInitialDelay();
    ASSERT_TRUE(tip->Showing());
    EXPECT_EQ(tip->Text(), QStringLiteral("Uplink rule 17: port 5"));
    // The stem points at the mouse: the window starts just below it.
    const TPoint spot = grid->ClientToScreen(Center(2, 2));
    EXPECT_EQ(tip->ScreenRect().Top, spot.Y);
    const QImage img = tip->Grab();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-balloon"));
    // Inside the box, right of the text: the balloon's own background.
    EXPECT_EQ(img.pixelColor(img.width() - 4, img.height() / 2 + 4), Rgb(TColor(0xE0FFFF)));
    // Some pixel of the text is in the text colour.
    bool inked = false;
    for (int y = 0; y < img.height() && !inked; ++y)
        for (int x = 0; x < img.width() && !inked; ++x)
            inked = img.pixelColor(x, y) == Rgb(clNavy);
    EXPECT_TRUE(inked);
    // Within the same cell it stays; another cell pops it.
    TestInput::MouseMove(grid, {Center(2, 2).X + 3, Center(2, 2).Y});
    EXPECT_TRUE(tip->Showing());
    TestInput::MouseMove(grid, Center(3, 2));
    EXPECT_FALSE(tip->Showing());
    EXPECT_EQ(grid->LastBalloonPos(), (TPoint{-1, -1}));
    // An empty cell shows nothing.
    TestInput::MouseMove(grid, Center(3, 3));
    tip->FireInitialDelay();
    EXPECT_FALSE(tip->Showing());
}

TEST_F(Balloons, RefusedEntryShowsTheWarningBalloonOnTheEditor)
{
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetCells(1, 1, QStringLiteral("12"));
    auto typeRefused = [&] {
        grid->OnCellValidate = [](TObject*, Integer, Integer, QString&, bool& Valid) { Valid = false; };
        grid->SetFocus();
        TestInput::Click(grid, Center(1, 1));
        TestInput::TypeText(grid, QStringLiteral("300"));
        ASSERT_NE(grid->GetNormalEdit(), nullptr);
        TestInput::PressKey(grid->GetNormalEdit(), VK_RETURN);
    };
    // Without a title or text no balloon.
    typeRefused();
    EXPECT_TRUE(grid->EntryBalloon() == nullptr || !grid->EntryBalloon()->Showing());
    grid->OnCellValidate = nullptr;
    TestInput::PressKey(grid->GetNormalEdit(), VK_ESCAPE);
    grid->HideInplaceEdit();

    grid->SetInvalidEntryTitle(QStringLiteral("Invalid entry"));
    grid->SetInvalidEntryText(QStringLiteral("Enter a value from 0 to 255"));
    grid->SetInvalidEntryIcon(ieError);
    typeRefused();
    TBalloonTip* tip = grid->EntryBalloon();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->Showing());
    EXPECT_EQ(tip->Title(), QStringLiteral("Invalid entry"));
    EXPECT_EQ(tip->Text(), QStringLiteral("Enter a value from 0 to 255"));
    EXPECT_EQ(tip->Icon(), Integer(ieError));
    // It points into the editor that opened again on the cell.
    TInplaceEdit* ed = grid->GetNormalEdit();
    ASSERT_TRUE(ed->Visible());
    const TPoint edTop = ed->ClientToScreen({0, 0});
    EXPECT_GE(tip->ScreenRect().Top, edTop.Y);
    EXPECT_LE(tip->ScreenRect().Top, edTop.Y + ed->Height());
    const QImage img = tip->Grab();
    testsupport::SaveScreenshot(img, QStringLiteral("TExStringGrid-invalid-entry-balloon"));
    EXPECT_GT(img.width(), 100);
    // The next key takes it away.
    TestInput::PressKey(ed, VK_RIGHT);
    EXPECT_FALSE(tip->Showing());
}
