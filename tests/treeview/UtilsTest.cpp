// The drawing utilities, the text buffers, and the smaller services of the
// string tree: check images, bulk checks, popup menus, selection restored
// by text, the CSV file, assignment and the background picture.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TreeFixture.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/Menus.h"
#include "treeview/NodeTreesClasses.h"
#include "treeview/NodeTreesUtils.h"

TEST(NodeTreeUtils, RectanglesTextAndBlending)
{
    EXPECT_EQ(NormalizeRect(TRect(10, 20, 5, 2)), TRect(5, 2, 10, 20));
    TBitmap bmp(200, 20);
    TCanvas* c = bmp.Canvas();
    const Integer dots = c->TextWidth(QStringLiteral("..."));
    EXPECT_EQ(ShortenWithEllipsis(c, QStringLiteral("abcdef"), 1000), QStringLiteral("abcdef"));
    EXPECT_EQ(ShortenWithEllipsis(c, QStringLiteral("abcdef"), dots + 1), QStringLiteral("..."));
    EXPECT_EQ(ShortenWithEllipsis(c, QStringLiteral("abcdef"), dots - 1), QString());
    const QString cut = ShortenWithEllipsis(c, QStringLiteral("abcdefghijkl"), c->TextWidth(QStringLiteral("abcd")) + dots);
    EXPECT_EQ(cut, QStringLiteral("abcd..."));
    EXPECT_EQ(WrapTextToWidth(c, QStringLiteral("one two three"), TRect(0, 0, c->TextWidth(QStringLiteral("one two")) + 1, 10), false, 0),
              QStringLiteral("one two\nthree"));
    // Blending: constant alpha 0 keeps, 255 takes (d + 255 s) / 256.
    QImage src(4, 1, QImage::Format_ARGB32), dst(4, 1, QImage::Format_ARGB32);
    src.fill(qRgba(200, 200, 200, 255));
    dst.fill(qRgba(100, 100, 100, 255));
    AlphaBlendRect(&src, &dst, TRect(0, 0, 4, 1), TPoint(0, 0), BlendConstant, 0, 0);
    EXPECT_EQ(qRed(dst.pixel(0, 0)), 100);
    AlphaBlendRect(&src, &dst, TRect(0, 0, 4, 1), TPoint(0, 0), BlendConstant, 255, 0);
    EXPECT_EQ(qRed(dst.pixel(0, 0)), (100 + 255 * 200) / 256);
    AlphaBlendRect(nullptr, &dst, TRect(0, 0, 2, 1), TPoint(0, 0), BlendWithColor, 128, RGB(0, 0, 255));
    EXPECT_EQ(qBlue(dst.pixel(0, 0)), (199 * 128 + 255 * 128) / 256);
    EXPECT_EQ(qRed(dst.pixel(3, 0)), (100 + 255 * 200) / 256) << "outside the rectangle";
    QImage small(2, 1, QImage::Format_RGB16);
    EXPECT_THROW(AlphaBlendRect(&src, &small, TRect(0, 0, 1, 1), TPoint(0, 0), BlendConstant, 1, 0), EAssertionFailed);
    TRect p[6];
    DragImageRects(100, 50, 10, 0, p[0], p[1], p[2], p[3], p[4], p[5]);
    EXPECT_EQ(p[0], Bounds(0, 0, 100, 50));
    EXPECT_EQ(p[1], Bounds(0, 0, 90, 50));
    EXPECT_EQ(p[4], Bounds(90, 0, 10, 50));
    EXPECT_EQ(ImageListColor(clNone), 0xFFFFFFFFu);
}

TEST(NodeTreeUtils, BufferedStringsGrowInSteps)
{
    TBufferedString s;
    s.Add(QString());
    EXPECT_EQ(s.Capacity(), 0u);
    s.Add(QString(5000, QLatin1Char('x')));
    EXPECT_EQ(s.Capacity(), 8192u);
    s.AddNewLine();
    s.Add(QStringLiteral("end"));
    EXPECT_EQ(s.AsString(), QString(5000, QLatin1Char('x')) + QStringLiteral("\r\nend"));
    TBufferedRawByteString b;
    b.Add(QByteArray("ab"));
    b.AddNewLine();
    EXPECT_EQ(b.AsString(), QByteArray("ab\r\n"));
}

class TTreeServices : public TTreeFixture {};

TEST_F(TTreeServices, CheckImagesFollowTypeStateAndHot)
{
    const struct {
        TCheckType type;
        TCheckState state;
        bool enabled;
        Integer index;
    } cases[] = {
        {ctNone, csCheckedNormal, true, -1},           {ctCheckBox, csUncheckedNormal, true, 9},
        {ctCheckBox, csCheckedPressed, true, 15},      {ctTriStateCheckBox, csMixedNormal, true, 17},
        {ctCheckBox, csCheckedDisabled, true, 16},     {ctCheckBox, csUncheckedNormal, false, 12},
        {ctRadioButton, csCheckedNormal, true, 5},     {ctRadioButton, csUncheckedPressed, true, 3},
        {ctRadioButton, csMixedNormal, true, 17},      {ctButton, csCheckedNormal, true, 21},
        {ctButton, csUncheckedPressed, false, 24},
    };
    struct TProbe : TNodeStringTree {
        using TNodeStringTree::TNodeStringTree;
        using TNodeStringTree::GetCheckImage;
    } probe(nullptr);
    for (const auto& c : cases)
        EXPECT_EQ(probe.GetCheckImage(nullptr, c.type, c.state, c.enabled), c.index) << int(c.type) << "/" << int(c.state);
    // Every check strip holds 25 images of 16 x 16.
    for (TCheckImageKind k : {ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP}) {
        TCustomImageList* list = TBaseNodeTree::GetCheckImageListFor(k);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Count(), 25);
        EXPECT_EQ(list->Width(), 16);
    }
    EXPECT_EQ(TBaseNodeTree::GetCheckImageListFor(ckSystemDefault)->Count(), 25);
    tree->SetCheckImageKind(ckDarkTick);
    EXPECT_EQ(tree->CheckImages(), TBaseNodeTree::GetCheckImageListFor(ckDarkTick));
}

TEST_F(TTreeServices, BulkChecksCountOnlyNormalCheckedNodes)
{
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    tree->SetRootNodeCount(4);
    PDataNode a = tree->GetFirst();
    a->CheckState = csCheckedDisabled;
    tree->SetCheckStateForAll(csCheckedNormal, false);
    EXPECT_EQ(tree->CheckedCount(), 3u) << "the disabled state stays";
    tree->GetLast()->CheckState = csCheckedPressed;
    EXPECT_EQ(tree->CheckedCount(), 2u);
    tree->ClearChecked();
    EXPECT_EQ(tree->CheckedCount(), 0u);
    EXPECT_EQ(a->CheckState, csUncheckedNormal);
}

TEST_F(TTreeServices, TheOwnersMenuShowsForARightClickOnANode)
{
    tree->SetRootNodeCount(2);
    ShowForm();
    TPopupMenu menu(nullptr);
    PDataNode asked = nullptr;
    tree->OnGetPopupMenu = [&](TBaseNodeTree*, PDataNode n, TColumnIndex, TPoint, bool&, TPopupMenu*& m) {
        asked = n;
        m = &menu;
    };
    PopupSeam::Clear();
    PopupSeam::QueueChoice(QString());
    TestInput::Click(tree, TPoint(40, 27), mbRight);
    EXPECT_EQ(asked, tree->GetLast());
    EXPECT_EQ(PopupSeam::LastShown(), &menu);
    EXPECT_EQ(menu.PopupComponent(), tree);
}

TEST_F(TTreeServices, SelectionIsRestoredByTextAfterRefilling)
{
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect | toRestoreSelection);
    QStringList texts{QStringLiteral("Meter A"), QStringLiteral("Meter B"), QStringLiteral("Meter C")};
    tree->OnGetText = [&](TBaseNodeTree*, PDataNode n, TColumnIndex, TNSTTextType, QString& text) { text = texts.value(Integer(n->Index)); };
    tree->SetRootNodeCount(3);
    tree->SetSelected(tree->GetFirst(), true);
    tree->SetSelected(tree->GetLast(), true);
    tree->Clear();
    texts = QStringList{QStringLiteral("meter c"), QStringLiteral("Meter D")};
    PDataNode c = tree->AddChild(nullptr);
    PDataNode d = tree->AddChild(nullptr);
    EXPECT_TRUE(tree->Selected(c)) << "the same text, letter case aside";
    EXPECT_FALSE(tree->Selected(d));
}

TEST_F(TTreeServices, PathsAndTheCsvFile)
{
    tree->SetRootNodeCount(2);
    EXPECT_EQ(tree->Path(nullptr, NoColumn, QLatin1Char('\\')), QStringLiteral("\\"));
    EXPECT_EQ(tree->Path(tree->GetFirst(), NoColumn, QLatin1Char('\\')), QStringLiteral("Node\\"));
    EXPECT_FALSE(tree->SaveToCSVFile(QString(), true));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tree.csv"));
    EXPECT_TRUE(tree->SaveToCSVFile(file, true));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    // Without columns: an empty heading and each top-level node's text.
    EXPECT_EQ(f.readAll(), QByteArray("\r\n\"Node\"\r\n\"Node\"\r\n"));
}

TEST_F(TTreeServices, AssignCopiesSettingsNotNodes)
{
    tree->SetRootNodeCount(5);
    tree->SetIndent(25);
    tree->SetDefaultNodeHeight(22);
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    TNodeStringTree copy(nullptr);
    copy.Assign(tree);
    EXPECT_EQ(copy.Indent(), 25u);
    EXPECT_EQ(copy.DefaultNodeHeight(), 22u);
    EXPECT_EQ(copy.RootNodeCount(), 5u);
    EXPECT_TRUE(copy.TreeOptions()->MiscOptions() & toCheckSupport);
    TBitmap notATree;
    EXPECT_ANY_THROW(copy.Assign(&notATree));
}

TEST_F(TTreeServices, AlwaysSelectNodeSelectsANeighbourAfterAnUpdate)
{
    tree->TreeOptions()->SetSelectionOptions(toAlwaysSelectNode);
    tree->SetRootNodeCount(3);
    PDataNode first = tree->GetFirst();
    tree->SetSelected(first, true);
    tree->BeginUpdate();
    tree->SetSelected(first, false);
    EXPECT_EQ(tree->SelectedCount(), 0);
    tree->EndUpdate();
    EXPECT_TRUE(tree->Selected(first->NextSibling));
}

TEST_F(TTreeServices, ABackgroundPictureTilesUnderTheRows)
{
    tree->SetRootNodeCount(2);
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(qRgb(250, 200, 0));
    TBitmap bmp;
    bmp.SetImage(pic);
    TPicture picture;
    picture.SetGraphic(&bmp);
    tree->SetBackground(&picture);
    tree->TreeOptions()->SetPaintOptions(tree->TreeOptions()->PaintOptions() | toShowBackground);
    ShowForm();
    const QImage img = Grab();
    EXPECT_EQ(QColor(img.pixel(200, 9)), QColor(250, 200, 0)) << "behind a row";
    EXPECT_EQ(QColor(img.pixel(200, 150)), QColor(250, 200, 0)) << "below the rows";
}

TEST_F(TTreeServices, RootCountFromAFormFileAndTheItemRectMessage)
{
    TNodeStringTree loaded(nullptr);
    loaded.BeginLoading();
    loaded.SetRootNodeCount(5);
    EXPECT_TRUE(loaded.HasTreeState(tsNeedRootCountUpdate));
    EXPECT_EQ(loaded.GetFirstNoInit(), nullptr);
    loaded.EndLoading();
    EXPECT_EQ(loaded.TotalCount(), 5u);
    EXPECT_FALSE(loaded.HasTreeState(tsNeedRootCountUpdate));

    tree->SetRootNodeCount(3);
    PDataNode second = tree->GetFirst()->NextSibling;
    union {
        PDataNode node;
        Integer rect[4];
    } buffer{};
    buffer.node = second;
    EXPECT_EQ(tree->Perform(TVM_GETITEMRECT, 0, LPARAM(&buffer)), 1);
    EXPECT_EQ(buffer.rect[1], 18);
    EXPECT_EQ(buffer.rect[3], 36);
}

// The check images are drawn the first time a tree paints a check box,
// not when trees are made (each test runs in a process of its own, so the
// tree of this fixture is the first one); once drawn, trees share them.
TEST_F(TTreeServices, CheckImagesAreDrawnWhenATreeFirstPaintsThem)
{
    TCustomImageList* shared = TBaseNodeTree::GetCheckImageListFor(ckSystemDefault);
    ASSERT_NE(shared, nullptr);
    EXPECT_TRUE(shared->ImagesDeferred());
    EXPECT_TRUE(TBaseNodeTree::GetCheckImageListFor(ckDarkCheck)->ImagesDeferred());
    EXPECT_EQ(tree->CheckImages(), shared);
    EXPECT_GT(shared->Width(), 0);  // known before the images: the layout needs it
    ConfigureAsScanWindow();
    tree->SetRootNodeCount(2);
    ShowForm();
    const QImage img = Grab();
    EXPECT_FALSE(shared->ImagesDeferred());
    EXPECT_EQ(shared->Count(), 25);
    // Each row shows its box with the tick, drawn from the list.
    const Integer h = Integer(tree->DefaultNodeHeight());
    const Integer left = tree->Margin() + Integer(tree->Indent()) - 1;
    for (Integer row = 0; row < 2; ++row)
        EXPECT_GT(InkIn(img, QRect(left, row * h + 1, shared->Width(), h - 2)), 6) << "box frame and tick, row " << row;
    // A second tree takes the same images, already drawn.
    TNodeStringTree other(nullptr);
    EXPECT_EQ(other.CheckImages(), shared);
    EXPECT_FALSE(shared->ImagesDeferred());
}
