// The header as a user works it with the mouse: clicks that sort, check
// boxes in captions, dragging borders and columns, the column menu, and the
// sizing rules (auto-size, springs, fitting to content, spreading changes).

#include "BrokenFiles.h"
#include <QImage>
#include <QtEndian>

#include "HeaderFixture.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Streams.h"

namespace {
std::vector<Integer> Order(TBaseNodeTree* t)
{
    std::vector<Integer> ids;
    for (PDataNode n = t->GetFirstChild(nullptr); n; n = t->GetNextSibling(n))
        ids.push_back(t->GetNodeData<TCellRec>(n)->Id);
    return ids;
}
} // namespace

class THeaderMouseTest : public THeaderTreeFixture {
protected:
    void SetUp() override
    {
        THeaderTreeFixture::SetUp();
        tree->OnCompareNodes = [](TBaseNodeTree* t, PDataNode n1, PDataNode n2, TColumnIndex column, Integer& result) {
            const auto* r1 = t->GetNodeData<TCellRec>(n1);
            const auto* r2 = t->GetNodeData<TCellRec>(n2);
            result = column == 1 ? r1->Value - r2->Value : r1->Id - r2->Id;
        };
        tree->OnHeaderClick = [this](TNtHeader*, const TNtHeaderHitInfo& hit) { clicks.push_back(hit); };
    }
    std::vector<TNtHeaderHitInfo> clicks;
};

TEST_F(THeaderMouseTest, ClicksSortByTheColumnAndFlipTheDirection)
{
    Fill();
    header->SetOptions(header->Options() | hoHeaderClickAutoSort);
    columns->Items(0)->SetDefaultSortDirection(sdDescending);
    ShowForm();
    TestInput::Click(Strip(), CellCentre(1));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].Column, 1);
    EXPECT_EQ(clicks[0].HitPosition, hhiOnColumn);
    EXPECT_EQ(clicks[0].X, CellCentre(1).X);
    EXPECT_EQ(header->SortColumn(), 1);
    EXPECT_EQ(header->SortDirection(), sdAscending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{2, 3, 1}));
    TestInput::Click(Strip(), CellCentre(1));
    EXPECT_EQ(header->SortDirection(), sdDescending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{1, 3, 2}));
    // Another column starts with its own default direction.
    TestInput::Click(Strip(), CellCentre(0));
    EXPECT_EQ(header->SortColumn(), 0);
    EXPECT_EQ(header->SortDirection(), sdDescending);
    EXPECT_EQ(Order(tree), (std::vector<Integer>{3, 2, 1}));
    // A column without coAllowClick gives no left click and reports no
    // column to a right click.
    columns->Items(2)->SetOptions(columns->Items(2)->Options() & ~coAllowClick);
    const size_t before = clicks.size();
    TestInput::Click(Strip(), CellCentre(2));
    EXPECT_EQ(clicks.size(), before);
    TestInput::Click(Strip(), CellCentre(2), mbRight);
    ASSERT_EQ(clicks.size(), before + 1);
    EXPECT_EQ(clicks.back().Column, ColumnNone);
    EXPECT_EQ(clicks.back().HitPosition, hhiNoWhere);
    EXPECT_EQ(header->SortColumn(), 0);
}

TEST_F(THeaderMouseTest, SortGlyphPointsUpAscendingAndDownDescending)
{
    Fill();
    header->SetSortColumn(2);
    ShowForm();
    auto glyphRows = [this] {
        const QImage strip = GrabControl(Strip());
        // The widest grey row of the glyph: its base.
        const TNodeTreeColumn* col = columns->Items(2);
        Integer widestRow = -1, widest = 0;
        for (int y = 2; y < strip.height() - 2; ++y) {
            Integer n = 0;
            for (int x = col->Left() + 2; x < col->Left() + col->Width() - 3; ++x)
                if ((strip.pixel(x, y) & 0xFFFFFF) == 0x808080)
                    ++n;
            if (n > widest) {
                widest = n;
                widestRow = y;
            }
        }
        return widestRow;
    };
    const Integer up = glyphRows();
    header->SetSortDirection(sdDescending);
    Application->ProcessMessages();
    const Integer down = glyphRows();
    ASSERT_GE(up, 0);
    ASSERT_GE(down, 0);
    // Ascending: the base is at the bottom; descending: at the top.
    EXPECT_GT(up, down);
}

TEST_F(THeaderMouseTest, CheckBoxInACaptionTogglesAndNeverSorts)
{
    Fill();
    header->SetOptions(header->Options() | hoShowImages | hoHeaderClickAutoSort);
    TNodeTreeColumn* col = columns->Items(1);
    col->SetCheckBox(true);
    ShowForm();
    GrabControl(Strip());
    ASSERT_TRUE(col->HasImage());
    const TRect box = col->ImageRect();
    const TPoint onBox((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
    TestInput::Click(Strip(), onBox);
    EXPECT_EQ(col->CheckState(), csCheckedNormal);
    ASSERT_FALSE(clicks.empty());
    EXPECT_TRUE(clicks.back().HitPosition & hhiOnCheckbox);
    EXPECT_EQ(header->SortColumn(), NoColumn);
    // A right click on the box reports it without toggling.
    TestInput::Click(Strip(), onBox, mbRight);
    EXPECT_EQ(col->CheckState(), csCheckedNormal);
    EXPECT_EQ(clicks.back().Button, mbRight);
    EXPECT_TRUE(clicks.back().HitPosition & hhiOnCheckbox);
}

TEST_F(THeaderMouseTest, DraggingABorderResizesTheColumn)
{
    Fill();
    std::vector<QString> events;
    tree->OnBeforeColumnWidthTracking = [&](TNtHeader*, TColumnIndex c, TShiftState) { events.push_back(QStringLiteral("before %1").arg(c)); };
    tree->OnAfterColumnWidthTracking = [&](TNtHeader*, TColumnIndex c) { events.push_back(QStringLiteral("after %1").arg(c)); };
    tree->OnColumnResize = [&](TNtHeader*, TColumnIndex c) { events.push_back(QStringLiteral("resize %1").arg(c)); };
    ShowForm();
    const Integer y = header->Height() / 2;
    // Press and release without moving: tracking never started.
    TestInput::MouseDown(Strip(), mbLeft, TPoint(140, y));
    TestInput::MouseUp(Strip(), mbLeft, TPoint(140, y));
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("before 0")}));
    EXPECT_EQ(header->States() & hsTrackingStates, 0);
    events.clear();
    TestInput::MouseDown(Strip(), mbLeft, TPoint(140, y));
    TestInput::MouseMove(Strip(), TPoint(160, y), ssLeft);
    TestInput::MouseMove(Strip(), TPoint(190, y), ssLeft);
    EXPECT_TRUE(header->States() & hsColumnWidthTracking);
    TestInput::MouseUp(Strip(), mbLeft, TPoint(190, y));
    EXPECT_EQ(columns->Items(0)->Width(), 190);
    EXPECT_EQ(columns->Items(1)->Left(), 190);
    EXPECT_EQ(events.front(), QStringLiteral("before 0"));
    EXPECT_EQ(events.back(), QStringLiteral("after 0"));
    EXPECT_NE(std::find(events.begin(), events.end(), QStringLiteral("resize 0")), events.end());
    EXPECT_EQ(header->States() & hsTrackingStates, 0);
    // The width never goes below MinWidth.
    TestInput::MouseDown(Strip(), mbLeft, TPoint(190, y));
    TestInput::MouseMove(Strip(), TPoint(150, y), ssLeft);
    TestInput::MouseMove(Strip(), TPoint(2, y), ssLeft);
    TestInput::MouseUp(Strip(), mbLeft, TPoint(2, y));
    EXPECT_EQ(columns->Items(0)->Width(), 10);
    // Escape while tracking ends it where it is.
    TestInput::MouseDown(Strip(), mbLeft, TPoint(10, y));
    TestInput::MouseMove(Strip(), TPoint(30, y), ssLeft);
    TestInput::MouseMove(Strip(), TPoint(60, y), ssLeft);
    tree->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(header->States() & hsTrackingStates, 0);
    EXPECT_EQ(columns->Items(0)->Width(), 60);
}

TEST_F(THeaderMouseTest, DraggingAColumnMovesItWhereItIsDropped)
{
    Fill();
    std::vector<std::pair<TColumnIndex, Integer>> dragged;
    tree->OnHeaderDragged = [&](TNtHeader*, TColumnIndex c, Integer old) { dragged.emplace_back(c, old); };
    ShowForm();
    const Integer y = header->Height() / 2;
    const TNodeTreeColumn* unit = columns->Items(2);
    TestInput::MouseDown(Strip(), mbLeft, CellCentre(0));
    TestInput::MouseMove(Strip(), TPoint(CellCentre(0).X + 30, y), ssLeft);
    EXPECT_TRUE(header->States() & hsDragging);
    // Over the right half of "Unit": dropped after it.
    TestInput::MouseMove(Strip(), TPoint(unit->Left() + unit->Width() - 10, y), ssLeft);
    EXPECT_EQ(columns->DropTarget(), 2);
    EXPECT_FALSE(columns->DropBefore());
    TestInput::MouseUp(Strip(), mbLeft, TPoint(unit->Left() + unit->Width() - 10, y));
    EXPECT_EQ(columns->PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 0}));
    ASSERT_EQ(dragged.size(), 1u);
    EXPECT_EQ(dragged[0], std::make_pair(TColumnIndex(0), Integer(0)));
    EXPECT_TRUE(clicks.empty());
    // Back to the front: over the left half of "Value", dropped before it.
    const TNodeTreeColumn* name = columns->Items(0);
    TestInput::MouseDown(Strip(), mbLeft, TPoint(name->Left() + 20, y));
    TestInput::MouseMove(Strip(), TPoint(name->Left() - 20, y), ssLeft);
    TestInput::MouseMove(Strip(), TPoint(5, y), ssLeft);
    EXPECT_TRUE(columns->DropBefore());
    TestInput::MouseUp(Strip(), mbLeft, TPoint(5, y));
    EXPECT_EQ(columns->PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));
    // A refused drag stays pending and moves nothing.
    tree->OnHeaderDragging = [](TNtHeader*, TColumnIndex, bool& allowed) { allowed = false; };
    TestInput::MouseDown(Strip(), mbLeft, CellCentre(0));
    TestInput::MouseMove(Strip(), TPoint(CellCentre(2).X, y), ssLeft);
    EXPECT_TRUE(header->States() & hsDragPending);
    TestInput::MouseUp(Strip(), mbLeft, CellCentre(2));
    EXPECT_EQ(columns->PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));
}

TEST_F(THeaderMouseTest, ColumnMenuShowsAndHidesColumns)
{
    Fill();
    header->SetOptions(header->Options() | hoAutoColumnPopupMenu);
    std::vector<std::pair<TColumnIndex, bool>> changes;
    tree->OnColumnVisibilityChanged = [&](TBaseNodeTree*, TColumnIndex c, bool visible) { changes.emplace_back(c, visible); };
    ShowForm();
    PopupSeam::QueueChoice(QStringLiteral("Unit"));
    TestInput::Click(Strip(), CellCentre(0), mbRight);
    TPopupMenu* menu = PopupSeam::LastShown();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(2)->Caption(), QStringLiteral("Unit"));
    EXPECT_FALSE(columns->Items(2)->Options() & coVisible);
    EXPECT_EQ(changes, (std::vector<std::pair<TColumnIndex, bool>>{{2, false}}));
    EXPECT_EQ(columns->TotalWidth(), 240);
    // Hide "Value" too: the last visible column's item is then disabled.
    PopupSeam::QueueChoice(QStringLiteral("Value"));
    TestInput::Click(Strip(), CellCentre(0), mbRight);
    PopupSeam::QueueChoice(QString());
    TestInput::Click(Strip(), CellCentre(0), mbRight);
    menu = PopupSeam::LastShown();
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_TRUE(menu->Items()->Items(0)->Checked());
    EXPECT_FALSE(menu->Items()->Items(0)->Enabled());
    EXPECT_FALSE(menu->Items()->Items(1)->Checked());
    // With the fitting item: it comes first, then a line.
    header->SetOptions(header->Options() | hoDblClickResize);
    PopupSeam::QueueChoice(QString());
    TestInput::Click(Strip(), CellCentre(0), mbRight);
    menu = PopupSeam::LastShown();
    ASSERT_EQ(menu->Items()->Count(), 5);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), QStringLiteral("&Resize All Columns To Fit"));
    EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
    PopupSeam::Clear();
}

TEST_F(THeaderMouseTest, AutoSizeAndSpringColumnsFollowTheWidth)
{
    Fill();
    ShowForm();
    header->SetAutoSizeIndex(1);
    header->SetOptions(header->Options() | hoAutoResize);
    EXPECT_EQ(columns->Items(1)->Width(), tree->ClientWidth() - 140 - 80);
    tree->SetBounds(10, 10, 380, 240);
    EXPECT_EQ(columns->Items(1)->Width(), tree->ClientWidth() - 140 - 80);
    // Its own width can only come from fitting.
    columns->Items(1)->SetWidth(20);
    EXPECT_EQ(columns->Items(1)->Width(), tree->ClientWidth() - 140 - 80);
    // An auto-size index beyond the columns means the last one.
    header->SetAutoSizeIndex(9);
    EXPECT_EQ(columns->Items(2)->Width(), tree->ClientWidth() - 140 - columns->Items(1)->Width());
    header->SetOptions(header->Options() & ~hoAutoResize);

    // Springs: two spring columns share each change of the strip's width.
    header->SetOptions(header->Options() | hoAutoSpring);
    for (TColumnIndex i : {0, 2})
        columns->Items(i)->SetOptions(columns->Items(i)->Options() | coAutoSpring);
    const Integer w0 = columns->Items(0)->Width(), w1 = columns->Items(1)->Width(), w2 = columns->Items(2)->Width();
    tree->SetBounds(10, 10, 390, 240);
    EXPECT_EQ(columns->Items(0)->Width(), w0 + 5);
    EXPECT_EQ(columns->Items(1)->Width(), w1);
    EXPECT_EQ(columns->Items(2)->Width(), w2 + 5);
    // One pixel at a time: nobody grows until the halves add up.
    tree->SetBounds(10, 10, 391, 240);
    EXPECT_EQ(columns->Items(0)->Width(), w0 + 5);
    tree->SetBounds(10, 10, 392, 240);
    EXPECT_EQ(columns->Items(0)->Width(), w0 + 6);
    EXPECT_EQ(columns->Items(2)->Width(), w2 + 6);
}

TEST_F(THeaderMouseTest, FittingToContentAndSpreadingChanges)
{
    Fill();
    tree->FullExpand();
    ShowForm();
    // "kWh" is narrow: fitting shrinks the unit column to its text.
    header->AutoFitColumns(false);
    const Integer unitWidth = columns->Items(2)->Width();
    EXPECT_LT(unitWidth, 80);
    EXPECT_EQ(unitWidth, tree->GetMaxColumnWidth(2));
    // The main column counts the indentation of the deepest level seen.
    const Integer name = columns->Items(0)->Width();
    EXPECT_GT(name, Integer(tree->Indent()) * 2);
    // A double click on a border with hoDblClickResize fits that column.
    columns->Items(2)->SetWidth(150);
    header->SetOptions(header->Options() | hoDblClickResize);
    const TNodeTreeColumn* unit = columns->Items(2);
    TestInput::DblClick(Strip(), TPoint(unit->Left() + unit->Width(), header->Height() / 2));
    EXPECT_EQ(columns->Items(2)->Width(), unitWidth);

    // +7 over three columns: two each and the odd pixel to the lowest index.
    for (TColumnIndex i = 0; i < 3; ++i)
        columns->Items(i)->SetWidth(100);
    EXPECT_EQ(header->ResizeColumns(7, 0, 2), 7);
    EXPECT_EQ(columns->Items(0)->Width(), 103);
    EXPECT_EQ(columns->Items(1)->Width(), 102);
    EXPECT_EQ(columns->Items(2)->Width(), 102);
    // The next odd pixel goes to the next column in turn.
    EXPECT_EQ(header->ResizeColumns(1, 0, 2), 1);
    EXPECT_EQ(columns->Items(1)->Width(), 103);
    // Shrinking stops at the minimum widths.
    EXPECT_EQ(header->ResizeColumns(-1000, 0, 2), -(103 + 103 + 102 - 30));
    // Restoring takes every column back to its width before the last change.
    header->RestoreColumns();
    EXPECT_EQ(columns->Items(0)->Width(), 103);
}

TEST_F(THeaderMouseTest, HeaderStreamRecordRoundTrips)
{
    Fill();
    columns->Items(1)->SetPosition(0);
    columns->Items(2)->SetHint(QStringLiteral("the unit"));
    columns->Items(2)->SetCaptionAlignment(taRightJustify);
    header->SetSortColumn(2);
    header->SetSortDirection(sdDescending);
    header->SetStyle(hsFlatButtons);
    header->FixedAreaConstraints()->SetMaxWidthPercent(40);
    TMemoryStream stream;
    header->SaveToStream(&stream);

    TNodeStringTree other(form.get());
    other.SetParent(form.get());
    stream.SetPosition(0);
    other.Header()->LoadFromStream(&stream);
    TNtHeader* h = other.Header();
    EXPECT_TRUE(h->Columns()->Equals(columns));
    EXPECT_EQ(h->SortColumn(), 2);
    EXPECT_EQ(h->SortDirection(), sdDescending);
    EXPECT_EQ(h->Style(), hsFlatButtons);
    EXPECT_EQ(h->Options(), header->Options());
    EXPECT_EQ(h->FixedAreaConstraints()->MaxWidthPercent(), 40);
    EXPECT_EQ(h->Columns()->Items(2)->Hint(), QStringLiteral("the unit"));
    EXPECT_EQ(h->Columns()->Items(2)->CaptionAlignment(), taRightJustify);
    EXPECT_EQ(stream.Position(), stream.Size());

    // A record cut short keeps what was read and leaves the loading state.
    TMemoryStream cut;
    cut.WriteBuffer(stream.Memory(), 40);
    cut.SetPosition(0);
    TNodeStringTree third(form.get());
    EXPECT_THROW(third.Header()->LoadFromStream(&cut), EReadError);
    EXPECT_FALSE(third.Header()->States() & hsLoading);
}

TEST_F(THeaderMouseTest, HeaderStreamLengthsAndOrdinalsAreCheckedBeforeUse)
{
    // The record of a header without columns: the marker, the version, the
    // column count, the default width, then the header's own fields (its
    // style at byte 32, the font name's length at 44).
    TMemoryStream plain;
    TNodeStringTree source(form.get());
    source.Header()->SaveToStream(&plain);
    const QByteArray bare = plain.Bytes();
    // The fixture's columns: the first one's text length at byte 12, its
    // style after its text, its hint and three widths.
    TMemoryStream withColumns;
    header->SaveToStream(&withColumns);
    const QByteArray full = withColumns.Bytes();
    const qint32 textLength = qFromLittleEndian<qint32>(full.constData() + 12);
    const int hintAt = 16 + 2 * textLength;
    const int styleAt = hintAt + 4 + 2 * qFromLittleEndian<qint32>(full.constData() + hintAt) + 12;
    const auto patched = [](QByteArray bytes, int at, qint32 value) {
        qToLittleEndian(value, bytes.data() + at);
        return bytes;
    };
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"text length whose double overflows", patched(full, 12, 0x40000001)},
        {"text length beyond the stream", patched(full, 12, 1000)},
        {"font name beyond the stream", patched(bare, 44, 0x7FFFFFF0)},
        {"negative font name", patched(bare, 44, -2)},
        {"header style 9", patched(bare, 32, 9)},
        {"column style 200", patched(full, styleAt, 200)},
        // Sizes beyond any screen, whose sums in the layout would overflow.
        {"header height of a billion", patched(bare, 24, 0x40000000)},
        {"font height of a billion", patched(bare, 40, 1178861568)},
        {"column spacing of a billion", patched(full, styleAt + 16, 0x6C6F7281)},
        {"column width below any screen", patched(full, hintAt + 4 + 2 * qFromLittleEndian<qint32>(full.constData() + hintAt), -0x7FFFFFFF)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream s;
        s.WriteBuffer(c.data);
        s.SetPosition(0);
        TNodeStringTree target(form.get());
        EXPECT_THROW(target.Header()->LoadFromStream(&s), EReadError);
        EXPECT_FALSE(target.Header()->States() & hsLoading);
        EXPECT_LE(target.Header()->Columns()->Count(), 1);
    }
    // The empty record, the full one cut short and random bytes.
    for (const TBrokenFile& f : BrokenFiles(full)) {
        SCOPED_TRACE(f.Name);
        TMemoryStream s;
        s.WriteBuffer(f.Bytes);
        s.SetPosition(0);
        TNodeStringTree target(form.get());
        EXPECT_THROW(target.Header()->LoadFromStream(&s), EReadError);
        EXPECT_FALSE(target.Header()->States() & hsLoading);
    }
    // Unchanged, both records read back.
    for (const QByteArray& intact : {bare, full}) {
        TMemoryStream s;
        s.WriteBuffer(intact);
        s.SetPosition(0);
        TNodeStringTree target(form.get());
        target.Header()->LoadFromStream(&s);
        EXPECT_EQ(s.Position(), s.Size());
    }
}

TEST(HeaderStream, AHeaderGrownByItsFontReadsBack)
{
    // A tree that scales its header to the font, with the widest spacing a
    // stream takes: the grown height stays one a stream takes back.
    TNodeStringTree tree(nullptr);
    tree.TreeOptions()->SetAutoOptions(tree.TreeOptions()->AutoOptions() | toAutoChangeScale);
    tree.Header()->Columns()->Add()->SetSpacing(32767);
    tree.Header()->Font()->SetHeight(-200);
    EXPECT_LE(tree.Header()->Height(), 32767);
    TMemoryStream stream;
    tree.Header()->SaveToStream(&stream);
    stream.SetPosition(0);
    TNodeStringTree copy(nullptr);
    EXPECT_NO_THROW(copy.Header()->LoadFromStream(&stream));
    EXPECT_EQ(copy.Header()->Height(), tree.Header()->Height());
}
