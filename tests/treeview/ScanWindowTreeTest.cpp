// The tree as the M-Bus scan window uses it: node records of 8 bytes, three
// levels added with AddChild, check boxes set in OnInitNode, texts from
// OnGetText, clicks on check boxes and buttons, multi-selection, Clear.

#include <QColor>

#include "Screenshot.h"
#include "TreeFixture.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"

class TScanWindowTree : public TTreeFixture {};

TEST_F(TScanWindowTree, NodesOnThreeLevelsCarryTheirRecordsAndLevels)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    EXPECT_EQ(tree->NodeDataSize(), 8);
    EXPECT_EQ(tree->RootNodeCount(), 2u);
    EXPECT_EQ(tree->TotalCount(), 14u);
    PDataNode slave = tree->GetFirst();
    ASSERT_NE(slave, nullptr);
    EXPECT_EQ(tree->GetNodeLevel(slave), 0u);
    PDataNode rec = tree->GetFirstChild(slave);
    PDataNode value = tree->GetFirstChild(rec);
    EXPECT_EQ(tree->GetNodeLevel(rec), 1u);
    EXPECT_EQ(tree->GetNodeLevel(value), 2u);
    EXPECT_EQ(rec->Parent, slave);
    EXPECT_EQ(tree->GetNodeData<TMyRec>(value)->Id, 0);
    EXPECT_EQ(tree->GetNodeData<TMyRec>(tree->GetNextSibling(rec))->Id, 1);
    EXPECT_EQ(tree->GetNodeData<TMyRec>(slave->NextSibling)->Id, 1);
    EXPECT_EQ(slave->NextSibling->Index, 1u);
    // The record sits right behind the node and is not shared.
    EXPECT_EQ(static_cast<void*>(tree->GetNodeData(slave)), static_cast<void*>(reinterpret_cast<Byte*>(slave) + NodeRecordSize));
    EXPECT_EQ(tree->GetNodeData(nullptr), nullptr);
    EXPECT_EQ(tree->GetNodeData(tree->RootNode()), nullptr);
    EXPECT_EQ(tree->GetText(value, NoColumn), QStringLiteral("Value 0"));
    EXPECT_EQ(tree->Path(value, NoColumn, QLatin1Char('/')), QStringLiteral("Slave 0/Record 0/Value 0/"));
}

TEST_F(TScanWindowTree, OnInitNodeRunsWhenANodeIsFirstTouchedAndSetsItsCheckBox)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    // Adding a child initialises its parent; the leaves stay untouched.
    EXPECT_EQ(initCalls, 6);
    PDataNode slave = tree->GetFirst();
    EXPECT_EQ(initCalls, 6);
    EXPECT_EQ(slave->CheckType, ctCheckBox);
    EXPECT_EQ(slave->CheckState, csCheckedNormal);
    PDataNode value = slave->FirstChild->FirstChild;
    EXPECT_FALSE(value->States & vsInitialized);
    EXPECT_EQ(value->CheckType, ctNone);
    // The checked walk does not initialise what it passes.
    EXPECT_EQ(tree->CheckedCount(), 6u);
    EXPECT_EQ(initCalls, 6);
    // A walk that returns the leaf initialises it.
    EXPECT_EQ(tree->GetNext(value->Parent), value);
    EXPECT_EQ(initCalls, 7);
    EXPECT_EQ(value->CheckState, csCheckedNormal);
}

TEST_F(TScanWindowTree, ClearFreesEveryTouchedNodeOnceInsideOneUpdate)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    std::vector<TNtUpdateState> updates;
    int structureChanges = 0;
    tree->OnUpdating = [&](TBaseNodeTree*, TNtUpdateState s) { updates.push_back(s); };
    TChangeReason reason = crIgnore;
    tree->OnStructureChange = [&](TBaseNodeTree*, PDataNode, TChangeReason r) {
        ++structureChanges;
        reason = r;
    };
    tree->Clear();
    // Every subtree's deletion was collected into one report.
    EXPECT_EQ(reason, crAccumulated);
    // Every node's record was reached through GetNodeData, so each is freed.
    EXPECT_EQ(freeCalls, 14);
    EXPECT_EQ(tree->TotalCount(), 0u);
    EXPECT_EQ(tree->GetFirst(), nullptr);
    EXPECT_EQ(updates, (std::vector<TNtUpdateState>{usBegin, usEnd}));
    EXPECT_EQ(structureChanges, 1);
    // A read-only tree keeps its nodes.
    Add(nullptr, 7);
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toReadOnly);
    tree->Clear();
    EXPECT_EQ(tree->RootNodeCount(), 1u);
}

TEST_F(TScanWindowTree, ClickingACheckBoxTogglesOnlyThatNodeAtTheRelease)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    ShowForm();
    tree->FullExpand();
    int checking = 0, checked = 0;
    TCheckState asked = csMixedDisabled;
    tree->OnChecking = [&](TBaseNodeTree*, PDataNode, TCheckState& s, bool&) {
        ++checking;
        asked = s;
    };
    tree->OnChecked = [&](TBaseNodeTree*, PDataNode) { ++checked; };
    PDataNode slave = tree->GetFirst();
    PDataNode rec = tree->GetFirstChild(slave);
    const TRect r = tree->GetDisplayRect(rec, NoColumn, false);
    // The check box stands after the margin and two indentation levels.
    const TPoint box(tree->Margin() + 2 * Integer(tree->Indent()) + 6, (r.Top + r.Bottom) / 2);
    THitInfo hit;
    tree->GetHitTestInfoAt(box.X, box.Y, true, hit);
    EXPECT_EQ(hit.HitNode, rec);
    EXPECT_TRUE(hit.HitPositions & hiOnItemCheckbox);
    TestInput::MouseDown(tree, mbLeft, box);
    EXPECT_EQ(checking, 1);
    EXPECT_EQ(asked, csUncheckedNormal);
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(rec->CheckState, csCheckedPressed);
    TestInput::MouseUp(tree, mbLeft, box);
    EXPECT_EQ(checking, 1);
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(rec->CheckState, csUncheckedNormal);
    // Tri-state tracking is on, but every node is a plain check box.
    EXPECT_EQ(slave->CheckState, csCheckedNormal);
    EXPECT_EQ(tree->GetFirstChild(rec)->CheckState, csCheckedNormal);
    // A check press does not select.
    EXPECT_EQ(tree->SelectedCount(), 0);

    // Pressed, then released over another node: nothing changes.
    PDataNode other = tree->GetNextSibling(rec);
    const TRect ro = tree->GetDisplayRect(other, NoColumn, false);
    TestInput::MouseDown(tree, mbLeft, box);
    EXPECT_EQ(rec->CheckState, csUncheckedPressed);
    TestInput::MouseUp(tree, mbLeft, TPoint(box.X, (ro.Top + ro.Bottom) / 2));
    EXPECT_EQ(checking, 2);
    EXPECT_EQ(asked, csCheckedNormal);
    EXPECT_EQ(rec->CheckState, csUncheckedNormal);
    EXPECT_EQ(checked, 1);
}

TEST_F(TScanWindowTree, ARefusedCheckChangesNothing)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    PDataNode slave = tree->GetFirst();
    tree->OnChecking = [](TBaseNodeTree*, PDataNode, TCheckState&, bool& allowed) { allowed = false; };
    int checked = 0;
    tree->OnChecked = [&](TBaseNodeTree*, PDataNode) { ++checked; };
    tree->SetCheckState(slave, csUncheckedNormal);
    EXPECT_EQ(slave->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 0);
}

TEST_F(TScanWindowTree, TriStateParentsFollowTheirChildrenWhenTheyAreTriState)
{
    checkType = ctTriStateCheckBox;
    ConfigureAsScanWindow();
    FillThreeLevels();
    tree->ValidateNode(nullptr, true);
    PDataNode slave = tree->GetFirst();
    PDataNode rec = slave->FirstChild;
    PDataNode value = rec->FirstChild;
    std::vector<PDataNode> checkedOrder;
    tree->OnChecked = [&](TBaseNodeTree*, PDataNode n) { checkedOrder.push_back(n); };
    tree->SetCheckState(value, csUncheckedNormal);
    EXPECT_EQ(value->CheckState, csUncheckedNormal);
    EXPECT_EQ(rec->CheckState, csMixedNormal);
    EXPECT_EQ(slave->CheckState, csMixedNormal);
    // Parents report before the node whose change climbed to them.
    EXPECT_EQ(checkedOrder, (std::vector<PDataNode>{slave, rec, value}));
    // Unchecking the slave unchecks everything below it.
    tree->SetCheckState(slave, csUncheckedNormal);
    for (PDataNode n = slave; n && n != slave->NextSibling; n = tree->GetNext(n))
        EXPECT_EQ(n->CheckState, csUncheckedNormal);
    // One refusing child leaves its parent mixed.
    tree->OnChecking = [&](TBaseNodeTree*, PDataNode n, TCheckState&, bool& allowed) { allowed = n != value; };
    tree->SetCheckState(rec, csCheckedNormal);
    EXPECT_EQ(rec->CheckState, csMixedNormal);
    EXPECT_EQ(value->CheckState, csUncheckedNormal);
    EXPECT_EQ(value->NextSibling->CheckState, csCheckedNormal);
    // A disabled child is not counted when checking.
    tree->OnChecking = nullptr;
    value->CheckState = csUncheckedDisabled;
    tree->SetCheckState(rec, csUncheckedNormal);
    tree->SetCheckState(rec, csCheckedNormal);
    EXPECT_EQ(rec->CheckState, csCheckedNormal);
    EXPECT_EQ(value->CheckState, csUncheckedDisabled);
}

TEST_F(TScanWindowTree, RadioButtonsUncheckTheirRadioSiblingsSilently)
{
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toCheckSupport);
    tree->SetRootNodeCount(3);
    PDataNode a = tree->GetFirst(), b = a->NextSibling, c = b->NextSibling;
    a->CheckType = b->CheckType = ctRadioButton;
    c->CheckType = ctCheckBox;
    c->CheckState = csCheckedNormal;
    a->CheckState = csCheckedNormal;
    int checked = 0;
    tree->OnChecked = [&](TBaseNodeTree*, PDataNode) { ++checked; };
    tree->SetCheckState(b, csCheckedNormal);
    EXPECT_EQ(a->CheckState, csUncheckedNormal);
    EXPECT_EQ(b->CheckState, csCheckedNormal);
    EXPECT_EQ(c->CheckState, csCheckedNormal);
    EXPECT_EQ(checked, 1);
}

TEST_F(TScanWindowTree, CtrlAndShiftClicksSelectSeveralNodes)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    ShowForm();
    tree->FullExpand();
    auto rowCentre = [&](PDataNode n) {
        const TRect t = tree->GetDisplayRect(n, NoColumn, true);
        return TPoint(t.Left + 5, (t.Top + t.Bottom) / 2);
    };
    PDataNode slave = tree->GetFirst();
    PDataNode rec = slave->FirstChild;
    PDataNode value = rec->FirstChild;
    TestInput::Click(tree, rowCentre(slave));
    EXPECT_EQ(tree->SelectedCount(), 1);
    EXPECT_EQ(tree->FocusedNode(), slave);
    TestInput::Click(tree, rowCentre(value), mbLeft, ssCtrl);
    EXPECT_EQ(tree->SelectedCount(), 2);
    EXPECT_TRUE(tree->Selected(slave));
    EXPECT_TRUE(tree->Selected(value));
    EXPECT_FALSE(tree->Selected(rec));
    // Shift extends from the anchor over the rows between.
    TestInput::Click(tree, rowCentre(slave));
    TestInput::Click(tree, rowCentre(value->NextSibling), mbLeft, ssShift);
    EXPECT_EQ(tree->SelectedCount(), 4);
    EXPECT_EQ(tree->GetSortedSelection(false), (TNodeArray{slave, rec, value, value->NextSibling}));
    EXPECT_EQ(tree->GetSortedSelection(true), (TNodeArray{slave}));
    // A plain click selects one again.
    TestInput::Click(tree, rowCentre(rec));
    EXPECT_EQ(tree->SelectedCount(), 1);
    EXPECT_TRUE(tree->Selected(rec));
}

TEST_F(TScanWindowTree, ClickingAButtonTogglesAndDoubleClickingALabelToo)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    ShowForm();
    PDataNode slave = tree->GetFirst();
    const TRect r = tree->GetDisplayRect(slave, NoColumn, false);
    const TPoint button(tree->Margin() + Integer(tree->Indent()) / 2, (r.Top + r.Bottom) / 2);
    THitInfo hit;
    tree->GetHitTestInfoAt(button.X - tree->Margin(), button.Y, true, hit);
    EXPECT_TRUE(hit.HitPositions & hiOnItemButton);
    TestInput::Click(tree, TPoint(button.X - tree->Margin(), button.Y));
    EXPECT_TRUE(tree->Expanded(slave));
    EXPECT_EQ(tree->VisibleCount(), 4u);
    const TRect t = tree->GetDisplayRect(slave, NoColumn, true);
    TestInput::DblClick(tree, TPoint(t.Left + 4, (t.Top + t.Bottom) / 2));
    EXPECT_FALSE(tree->Expanded(slave));
    EXPECT_EQ(tree->VisibleCount(), 2u);
}

TEST_F(TScanWindowTree, ThreeLevelTreeWithCheckBoxesPaints)
{
    ConfigureAsScanWindow();
    FillThreeLevels();
    ShowForm();
    tree->FullExpand();
    PDataNode slave = tree->GetFirst();
    PDataNode rec = slave->FirstChild;
    tree->SetCheckState(rec->FirstChild, csUncheckedNormal);
    tree->SetSelected(rec, true);
    tree->SetFocusedNode(rec);
    tree->SetFocus();
    const QImage img = Grab();
    ASSERT_FALSE(img.isNull());
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TNodeStringTree-scan-three-levels")).isEmpty());
    // On its window, with its sunken border; taller content brings the scroll bar.
    tree->SetBounds(10, 10, 200, 120);
    Application->ProcessMessages();
    EXPECT_TRUE(tree->VertScrollBarShown());
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form.get()), QStringLiteral("TNodeStringTree-scan-on-form")).isEmpty());
    tree->SetBounds(10, 10, 300, 240);
    const Integer h = Integer(tree->DefaultNodeHeight());
    // Row 0: the minus button of the expanded slave sits in the first indent.
    const Integer mid0 = h / 2;
    const QRect buttonArea(Integer(tree->Indent()) / 2 - 4, mid0 - 4, 9, 9);
    EXPECT_GT(InkIn(img, buttonArea), 20) << "button frame and minus";
    // The check box of row 0 is drawn after one indent and the margin.
    const Integer checkLeft = tree->Margin() + Integer(tree->Indent()) - 1;
    const QRect checkArea(checkLeft, 1, tree->CheckImages()->Width(), h - 2);
    EXPECT_GT(InkIn(img, checkArea), 6) << "box frame and tick";
    // The selected row's label is filled with the highlight colour.
    const TRect label = tree->GetDisplayRect(rec, NoColumn, true);
    const QColor highlight = QColor::fromRgb(img.pixel(label.Right - 2, label.Top + 1));
    EXPECT_EQ(highlight, QColor::fromRgb(img.pixel(label.Right - 3, label.Bottom - 2)));
    EXPECT_NE(highlight, QColor(Qt::white));
    // Tree lines: a dotted vertical line joins the two slaves in the first indent.
    Integer dots = 0;
    const Integer lineX = Integer(std::lround(tree->Indent() / 2.0));
    for (Integer y = h; y < 7 * h; ++y)
        if (qGray(img.pixel(lineX, y)) < 200)
            ++dots;
    EXPECT_GT(dots, 2 * h) << "dotted line down to the second slave";
    EXPECT_LT(dots, 6 * h) << "dotted, not solid";
}

TEST_F(TScanWindowTree, NodeImagesComeFromTheImageEventForNormalAndSelectedNodes)
{
    ConfigureAsScanWindow();
    TImageList images(16, 16);
    QImage strip(32, 16, QImage::Format_ARGB32);
    strip.fill(qRgb(220, 0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.setPixel(x, y, qRgb(0, 0, 220));
    TBitmap bmp;
    bmp.SetImage(strip);
    images.Add(&bmp, nullptr);
    tree->SetImages(&images);
    std::vector<TNtImageKind> kinds;
    tree->OnGetImageIndexEx = [&](TBaseNodeTree*, PDataNode, TNtImageKind kind, TColumnIndex, bool&, Integer& index, TCustomImageList*&) {
        kinds.push_back(kind);
        if (kind == ikNormal)
            index = 0;
        else if (kind == ikSelected)
            index = 1;
    };
    Add(nullptr, 1);
    Add(nullptr, 2);
    ShowForm();
    tree->SetSelected(tree->GetLast(), true);
    const QImage img = Grab();
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TNodeStringTree-scan-images")).isEmpty());
    // After the margin, one indent and the check box: the image, then the text.
    const Integer imageX = tree->Margin() + Integer(tree->Indent()) + tree->CheckImages()->Width() + 2 - 1 + 8;
    EXPECT_EQ(QColor(img.pixel(imageX, 9)), QColor(220, 0, 0)) << "normal image of the first node";
    const QColor selected(img.pixel(imageX, 27));
    EXPECT_GT(selected.blue(), 150) << "selected image of the second node, blended";
    EXPECT_LT(selected.red(), 60);
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), ikSelected), kinds.end());
    const TRect text = tree->GetDisplayRect(tree->GetFirst(), NoColumn, true);
    EXPECT_EQ(text.Left, tree->Margin() + Integer(tree->Indent()) + tree->CheckImages()->Width() + 2 + 16 + 2);
    // The list goes before the tree: unhooked first.
    tree->SetImages(nullptr);
}
