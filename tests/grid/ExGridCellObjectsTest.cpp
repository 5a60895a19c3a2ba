// Cell objects: each kind added, created, queried and removed through its
// own members, what the descriptor owns, picture sizes, angles, balloons on
// check boxes, comments, buttons, expand cells and markers; and the look
// settings of in-cell controls and progress bars.
#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExObj.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

std::unique_ptr<TExStringGrid> NewGrid()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(5);
    g->SetRowCount(6);
    return g;
}

} // namespace

TEST(ExGridCellObjects, AddReplacesTheDescriptorAndOnlyCreatedObjectsAreOwned)
{
    auto g = NewGrid();
    TBitmap mine(8, 6);  // the caller's: must outlive its descriptor untouched
    g->AddBitmap(1, 1, &mine, true, haLeft, vaTop);
    EXPECT_EQ(g->GetBitmap(1, 1), &mine);
    EXPECT_TRUE(g->HasBitmap(1, 1));
    g->AddIcon(1, 1, nullptr, haRight, vaCenter);
    EXPECT_EQ(g->GetCellType(1, 1), ctIcon);
    EXPECT_EQ(g->GetBitmap(1, 1), nullptr);
    EXPECT_EQ(mine.Width(), 8);

    // A created bitmap goes with its descriptor; another kind's Remove leaves it.
    TBitmap* made = g->CreateBitmap(2, 2, false, haCenter, vaCenter);
    ASSERT_NE(made, nullptr);
    g->RemoveIcon(2, 2);
    EXPECT_EQ(g->GetBitmap(2, 2), made);
    g->RemoveBitmap(2, 2);
    EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);
    EXPECT_FALSE(g->HasBitmap(2, 2));
    // Pictures, bit buttons and radio groups made by the grid are freed with
    // the grid (checked under AddressSanitizer).
    g->CreatePicture(3, 1, false, Stretch, 0, haLeft, vaTop);
    g->CreateBitButton(3, 2, 40, 18, QStringLiteral("Go"), haLeft, vaTop);
    g->CreateIcon(3, 3, haLeft, vaTop);
    g->CreateRadio(3, 4, 0, 0)->Add(QStringLiteral("a"));
    EXPECT_TRUE(g->HasPicture(3, 1));
    EXPECT_TRUE(g->HasButton(3, 2));
    g->RemoveButton(3, 2);
    EXPECT_FALSE(g->HasButton(3, 2));
}

TEST(ExGridCellObjects, ImagesNeedTheGridImageList)
{
    auto g = NewGrid();
    g->AddImageIdx(1, 1, 3, haLeft, vaTop);
    Integer idx = -1;
    EXPECT_FALSE(g->GetImageIdx(1, 1, idx));
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
    TImageList images;
    g->SetGridImages(&images);
    g->AddImageIdx(1, 1, 42, haLeft, vaTop);  // out of the list's range, kept all the same
    ASSERT_TRUE(g->GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 42);
    g->SetImageIdx(1, 1, 7);
    g->GetImageIdx(1, 1, idx);
    EXPECT_EQ(idx, 7);
    // A data image writes its index as the text of an empty cell and clears it when removed.
    g->AddDataImage(2, 1, 4, haLeft, vaTop);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("4"));
    EXPECT_TRUE(g->HasDataImage(2, 1));
    g->RemoveDataImage(2, 1);
    EXPECT_TRUE(g->Cells(2, 1).isEmpty());
    g->SetGridImages(nullptr);
}

TEST(ExGridCellObjects, PictureSizeByStretchMode)
{
    TPicture big, small;
    TBitmap b200(200, 200), b40(40, 20);
    big.SetGraphic(&b200);
    small.SetGraphic(&b40);
    const std::vector<std::tuple<TPicture*, TStretchMode, Integer, Integer>> cases{
        {&big, StretchWithAspectRatio, 50, 50}, {&big, ShrinkWithAspectRatio, 50, 50},
        {&big, Shrink, 100, 50},                {&big, noStretch, 200, 200},
        {&big, Stretch, 100, 50},               {&small, ShrinkWithAspectRatio, 40, 20},
        {&small, Shrink, 40, 20},               {&small, StretchWithAspectRatio, 100, 50}};
    for (const auto& [picture, mode, w, h] : cases) {
        TCellGraphic g;
        g.CellType = ctPicture;
        g.SetCellBitmap(picture);
        g.CellAngle = mode;
        Integer W = 100, H = 50;
        g.GetPictureSize(W, H);
        EXPECT_EQ(TPoint(W, H), TPoint(w, h)) << int(mode);
    }
    // Padding comes off the cell first; other kinds leave the size alone.
    TCellGraphic padded;
    padded.CellType = ctPicture;
    padded.SetCellBitmap(&big);
    padded.CellAngle = Stretch;
    padded.CellIndex = 10;
    Integer W = 100, H = 50;
    padded.GetPictureSize(W, H);
    EXPECT_EQ(TPoint(W, H), TPoint(90, 40));
    TCellGraphic other;
    other.CellType = ctBitmap;
    W = 100;
    H = 50;
    other.GetPictureSize(W, H);
    EXPECT_EQ(TPoint(W, H), TPoint(100, 50));
}

TEST(ExGridCellObjects, RotationAnglesAreKeptWithin0To360)
{
    auto g = NewGrid();
    const std::vector<std::pair<SmallInt, Integer>> cases{{-90, 270}, {720, 360}, {360, 360}, {45, 45}, {-450, 270}};
    for (const auto& [in, out] : cases) {
        g->AddRotated(1, 1, in, QStringLiteral("turned"));
        Integer angle = -1;
        ASSERT_TRUE(g->IsRotated(1, 1, angle));
        EXPECT_EQ(angle, out) << in;
    }
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("turned"));
    g->AddComment(2, 2, QStringLiteral("note"));
    g->SetRotated(2, 2, 90);  // any kind becomes a rotated cell
    Integer angle = 0;
    EXPECT_TRUE(g->IsRotated(2, 2, angle));
    EXPECT_EQ(angle, 90);
}

TEST(ExGridCellObjects, BalloonRidesOnACheckBox)
{
    auto g = NewGrid();
    g->AddCheckBox(1, 1, false, true);
    g->AddBalloon(1, 1, QStringLiteral("Title"), QStringLiteral("Text"), biWarning);
    EXPECT_FALSE(g->HasBalloon(1, 1));
    QString title, text;
    TBalloonIcon icon = biNone;
    ASSERT_TRUE(g->IsBalloon(1, 1, title, text, icon));
    EXPECT_EQ(title, QStringLiteral("Title"));
    EXPECT_EQ(text, QStringLiteral("Text"));
    EXPECT_EQ(icon, biWarning);
    EXPECT_TRUE(g->ToggleCheckBox(1, 1));
    EXPECT_TRUE(g->IsChecked(1, 1));
    g->RemoveBalloon(1, 1);
    EXPECT_FALSE(g->IsBalloon(1, 1, title, text, icon));
    EXPECT_TRUE(g->HasCheckBox(1, 1));
    // On an empty cell it is a balloon of its own; on a button it is dropped.
    g->AddBalloon(2, 1, QStringLiteral("T"), QStringLiteral("X"), biInfo);
    EXPECT_TRUE(g->HasBalloon(2, 1));
    g->AddButton(3, 1, 70, 18, QStringLiteral("B"), haLeft, vaTop);
    g->AddBalloon(3, 1, QStringLiteral("T"), QStringLiteral("X"), biInfo);
    EXPECT_FALSE(g->IsBalloon(3, 1, title, text, icon));
    // A balloon left on a check box is freed with it.
    g->AddCheckBox(4, 1, true, false);
    g->AddBalloon(4, 1, QStringLiteral("T"), QStringLiteral("X"), biError);
}

TEST(ExGridCellObjects, CommentsButtonsScrollBarsExpandsAndMarkers)
{
    auto g = NewGrid();
    g->ControlLook()->SetCommentColor(clBlue);
    g->AddButton(1, 1, 70, 18, QStringLiteral("Press"), haLeft, vaTop);
    EXPECT_EQ(g->GetCellGraphic(1, 1)->CellIndex, 0x00120046);
    g->SetComment(1, 1, QStringLiteral("no"));
    EXPECT_EQ(g->GetCellType(1, 1), ctButton);
    g->SetComment(2, 1, QStringLiteral("yes"));
    EXPECT_EQ(g->GetComment(2, 1), QStringLiteral("yes"));
    EXPECT_EQ(TColor(g->GetCellGraphic(2, 1)->CellIndex), clBlue);
    g->AddColorComment(2, 2, QStringLiteral("c"), clGreen);
    EXPECT_EQ(TColor(g->GetCellGraphic(2, 2)->CellIndex), clGreen);
    g->RemoveAllComments();
    EXPECT_TRUE(g->GetComment(2, 1).isEmpty());
    EXPECT_EQ(g->GetCellType(1, 1), ctButton);

    EXPECT_EQ(g->GetButtonText(1, 1), QStringLiteral("Press"));
    g->SetButtonText(1, 1, QStringLiteral("Go"));
    EXPECT_EQ(g->GetButtonText(1, 1), QStringLiteral("Go"));
    g->GetCellGraphic(1, 1)->CellValue = (3 << 16) | 5;  // where the painting put it
    const TRect cell = g->CellRect(1, 1), button = g->GetButtonRect(1, 1);
    EXPECT_EQ(button, TRect(cell.Left + 5, cell.Top + 3, cell.Left + 75, cell.Top + 21));
    EXPECT_EQ(g->GetButtonRect(1, 2), TRect());

    EXPECT_EQ(g->GetScrollProp(3, 3), (TScrollProp{-1, -1}));
    EXPECT_EQ(g->GetScrollPosition(3, 3), -1);
    g->AddScrollBar(3, 3, false);
    EXPECT_EQ(g->GetScrollProp(3, 3), (TScrollProp{0, 100}));
    g->SetScrollProp(3, 3, {10, 40});
    g->SetScrollPosition(3, 3, 12);
    EXPECT_EQ(g->GetScrollProp(3, 3), (TScrollProp{10, 40}));
    EXPECT_EQ(g->GetScrollPosition(3, 3), 12);

    const Integer h = g->RowHeights(4);
    g->AddExpand(1, 4, 80);
    EXPECT_FALSE(g->GetExpandState(1, 4));
    EXPECT_TRUE(g->ToggleExpand(1, 4));
    EXPECT_EQ(g->GetExpandHeight(1, 4, true), 80);
    EXPECT_EQ(g->GetExpandHeight(1, 4, false), h);
    EXPECT_EQ(g->GetExpandHeight(2, 4, true), g->DefaultRowHeight());
    const TRect er = g->GetExpandRect(1, 4), c4 = g->CellRect(1, 4);
    EXPECT_EQ(er, TRect(c4.Right - 13, c4.Top + 2, c4.Right - 2, c4.Top + 13));
    EXPECT_FALSE(g->ToggleExpand(2, 4));

    Integer from = -1, len = -1;
    g->GetMarker(4, 4, from, len);
    EXPECT_EQ(TPoint(from, len), TPoint(0, 0));
    g->AddMarker(4, 4, 2, 3);
    g->GetMarker(4, 4, from, len);
    EXPECT_EQ(TPoint(from, len), TPoint(2, 3));
    EXPECT_EQ(g->GetCellType(4, 4), ctEmpty);
    g->AddMarker(1, 1, 1, 1);  // a button keeps its kind and carries the marker
    g->RemoveAllMarkers();
    EXPECT_EQ(g->GetCellType(1, 1), ctButton);
    g->GetMarker(1, 1, from, len);
    EXPECT_EQ(TPoint(from, len), TPoint(0, 0));
    EXPECT_EQ(g->GetCellGraphic(4, 4), nullptr);
}

TEST(ExGridCellObjects, ShapesRatingsAndProgress)
{
    auto g = NewGrid();
    EXPECT_EQ(g->GetShapeColor(1, 1), clNone);
    g->AddShape(1, 1, csCircle, clRed, clBlack, haCenter, vaCenter);
    EXPECT_EQ(g->GetShapeColor(1, 1), clRed);
    g->SetShapeColor(1, 1, clLime);
    EXPECT_EQ(g->GetShapeColor(1, 1), clLime);
    g->AddRating(2, 1, 5, clYellow, clSilver);
    EXPECT_TRUE(g->HasRating(2, 1));
    g->SetAutoNumAlign(true);
    g->AddProgress(3, 1, clGreen, clWhite);
    EXPECT_TRUE(g->HasProgress(3, 1));
    const TCellGraphic* p = g->GetCellGraphic(3, 1);
    EXPECT_EQ(TPoint(p->CellErrFrom, p->CellErrLen), TPoint(0, 100));
    EXPECT_FALSE(p->CellBoolean);
    EXPECT_EQ(g->CellProperties(3, 1)->Alignment(), taRightJustify);
    g->AddProgressFormatted(3, 2, clGreen, clBlack, clWhite, clBlack, QStringLiteral("%d kW"), 10, 50);
    p = g->GetCellGraphic(3, 2);
    EXPECT_TRUE(p->CellBoolean);
    EXPECT_EQ(p->CellText, QStringLiteral("%d kW"));
    bool allow = false;
    g->OnRatingChange = [](TObject*, Integer, Integer, double V, bool& Allow) { Allow = V < 3; };
    EXPECT_TRUE(g->RatingChange(2, 1, 2.5));
    EXPECT_FALSE(g->RatingChange(2, 1, 4));
    (void)allow;
}

TEST(ControlLook, FixedGradientsReachTheGridAsSpecified)
{
    auto g = NewGrid();
    TControlLook* look = g->ControlLook();
    // Initial values; the hovered and pressed colours are the grid's too.
    EXPECT_EQ(look->FixedGradientHoverFrom(), clGray);
    EXPECT_EQ(look->FixedGradientHoverTo(), clWhite);
    EXPECT_EQ(g->KavroGradientHoverFrom(), clGray);
    EXPECT_EQ(g->KavroGradientDownTo(), clSilver);
    EXPECT_EQ(look->CheckSize(), 15);
    EXPECT_EQ(look->RadioSize(), 10);
    EXPECT_EQ(look->ControlStyle(), csTheme);
    EXPECT_EQ(look->DropDownCount, 8);

    look->SetFixedGradientFrom(TColor(0x00112233));
    EXPECT_EQ(g->KavroGradientFrom(), TColor(0x00112233));
    look->SetFixedGradientFrom(clNone);  // keeps the grid's colour
    EXPECT_EQ(look->FixedGradientFrom(), clNone);
    EXPECT_EQ(g->KavroGradientFrom(), TColor(0x00112233));
    look->SetFixedGradientTo(clBtnFace);  // handed over as RGB
    EXPECT_EQ(g->KavroGradientTo(), ColorToRGB(clBtnFace));
    look->SetFixedGradientMirrorFrom(clRed);
    EXPECT_EQ(g->KavroGradientMirrorFrom(), clRed);
    look->SetFixedGradientMirrorFrom(clNone);  // mirror colours are cleared too
    EXPECT_EQ(g->KavroGradientMirrorFrom(), clNone);
    look->SetFixedGradientHoverBorder(clNone);
    EXPECT_EQ(g->KavroGradientHoverBorder(), clSilver);

    // Assign copies values without touching the grid.
    TControlLook other(nullptr);
    other.SetFixedGradientDownFrom(clGray);
    other.SetFixedGradientDownTo(clSilver);
    other.SetControlStyle(csWinXP);
    other.SetCheckSize(13);
    other.SetFlatButton(true);
    look->SetFixedGradientDownFrom(clBlue);
    look->Assign(&other);
    EXPECT_EQ(look->FixedGradientDownFrom(), clGray);
    EXPECT_EQ(look->FixedGradientDownTo(), clSilver);
    EXPECT_EQ(g->KavroGradientDownFrom(), clBlue);
    EXPECT_EQ(look->ControlStyle(), csWinXP);
    EXPECT_EQ(look->CheckSize(), 13);
    EXPECT_FALSE(look->FlatButton());  // not copied
}

TEST(ControlLook, SavedFormCarriesWhatDiffersFromTheStoredDefaults)
{
    TControlLook look(nullptr);
    // The hover and pressed gradients start the reverse of their stored
    // defaults: a new look carries those four and nothing else.
    EXPECT_EQ(look.StoredProperties(),
              (QStringList{QStringLiteral("FixedGradientHoverFrom"), QStringLiteral("FixedGradientHoverTo"),
                           QStringLiteral("FixedGradientDownFrom"), QStringLiteral("FixedGradientDownTo")}));
    look.SetFixedGradientHoverFrom(clWhite);
    look.SetFixedGradientHoverTo(clGray);
    look.SetFixedGradientDownFrom(clSilver);
    look.SetFixedGradientDownTo(clGray);
    EXPECT_TRUE(look.StoredProperties().isEmpty());
    look.SetCheckSize(13);
    look.SetControlStyle(csWinXP);
    look.ProgressBorderColor = clRed;
    TBitmap glyph(4, 4);
    look.SetCheckedGlyph(&glyph);
    EXPECT_EQ(look.StoredProperties(),
              (QStringList{QStringLiteral("CheckSize"), QStringLiteral("ControlStyle"),
                           QStringLiteral("ProgressBorderColor"), QStringLiteral("CheckedGlyph")}));
}

TEST(ControlLook, ProgressAppearanceFiresOnRealChangesAndOnAssign)
{
    TGridProgressAppearance a, b;
    Integer changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(a.Level1Perc(), 70);
    EXPECT_EQ(a.Level2Perc(), 90);
    EXPECT_EQ(a.CompleteColor(), clRed);
    EXPECT_EQ(a.UnCompleteColor(), clNone);
    EXPECT_TRUE(a.ShowPercentage());
    a.SetLevel1Perc(70);
    EXPECT_EQ(changes, 0);
    a.SetLevel1Perc(60);
    EXPECT_EQ(changes, 1);
    b.SetSteps(4);
    a.Assign(&b);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a.Steps(), 4);
    EXPECT_EQ(a.Level1Perc(), 70);
    a.Assign(&a);
    EXPECT_EQ(changes, 3);
}
