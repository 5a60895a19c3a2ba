// The standard tree view: nodes built before and after the window exists,
// their places in the tree, the selection a click, a key or the code makes
// and where it goes when nodes are deleted.
#include <gtest/gtest.h>

#include <QImage>

#include "Screenshot.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/TreeView.h"

namespace {

// A network-like tree: a root with two parents, the first with two children.
struct TTree {
    TForm form{nullptr};
    TTreeView* tree;
    TTreeNode *root, *a, *a1, *a2, *b;
    QStringList events;

    TTree()
    {
        form.SetClientSize(300, 200);
        tree = new TTreeView(&form);
        tree->SetParent(&form);
        tree->SetBounds(0, 0, 300, 200);
        tree->SetReadOnly(true);
        tree->SetRowSelect(true);
        tree->SetShowRoot(false);
        tree->OnChange = [this](TObject*, TTreeNode* n) { events << QStringLiteral("change:") + (n ? n->Text() : QStringLiteral("-")); };
        tree->OnClick = [this](TObject*) {
            events << QStringLiteral("click:") + (tree->Selected() ? tree->Selected()->Text() : QStringLiteral("-"));
        };
        root = tree->Items()->Add(nullptr, QStringLiteral("Network"));
        a = tree->Items()->AddChild(root, QStringLiteral("Node A"));
        b = tree->Items()->AddChild(root, QStringLiteral("Node B"));
        a1 = tree->Items()->AddChild(a, QStringLiteral("Var 1"));
        a2 = tree->Items()->AddChild(a, QStringLiteral("Var 2"));
    }
    TPoint Centre(TTreeNode* n) const
    {
        const TRect r = n->DisplayRect(false);
        return {r.Left + 20, (r.Top + r.Bottom) / 2};
    }
};

} // namespace

TEST(TreeView, NodesKnowTheirPlaceBeforeAnyWindowExists)
{
    TTree t;
    EXPECT_FALSE(t.tree->HandleAllocated());
    EXPECT_EQ(t.tree->Items()->Count(), 5);
    EXPECT_EQ(t.tree->Items()->GetFirstNode(), t.root);
    EXPECT_EQ(t.root->Parent(), nullptr);
    EXPECT_EQ(t.a2->Parent(), t.a);
    EXPECT_EQ(t.b->Index(), 1);
    EXPECT_EQ(t.a2->Level(), 2);
    // Top-down order: a parent before its children, earlier subtrees first.
    const TTreeNode* order[] = {t.root, t.a, t.a1, t.a2, t.b};
    for (Integer i = 0; i < 5; ++i) {
        EXPECT_EQ(t.tree->Items()->Item(i), order[i]) << i;
        EXPECT_EQ(order[i]->AbsoluteIndex(), i);
    }
    EXPECT_EQ(t.tree->Items()->Item(5), nullptr);
    TTreeNode* first = t.tree->Items()->Insert(t.a, QStringLiteral("Node 0"));
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(t.a->Index(), 1);
    EXPECT_EQ(t.a1->getNextSibling(), t.a2);
    EXPECT_EQ(t.a1->getPrevSibling(), nullptr);
}

TEST(TreeView, DeletingTheSelectionMovesItToASiblingOrTheParentWithoutAnEvent)
{
    TTree t;
    t.tree->SetSelected(t.a1);
    EXPECT_EQ(t.events, QStringList{QStringLiteral("change:Var 1")});
    EXPECT_TRUE(t.a1->Selected());
    t.events.clear();
    t.a1->Delete();
    EXPECT_EQ(t.tree->Selected(), t.a2);  // the next sibling
    t.a2->Delete();
    EXPECT_EQ(t.tree->Selected(), t.a);   // no sibling left: the parent
    t.tree->SetSelected(t.b);
    t.events.clear();
    t.b->Delete();
    EXPECT_EQ(t.tree->Selected(), t.a);   // the previous sibling
    // Deleting a subtree that holds the selection.
    TTreeNode* v = t.tree->Items()->AddChild(t.a, QStringLiteral("Var 3"));
    t.tree->SetSelected(v);
    t.events.clear();
    t.root->Delete();
    EXPECT_EQ(t.tree->Selected(), nullptr);
    EXPECT_EQ(t.tree->Items()->Count(), 0);
    EXPECT_TRUE(t.events.isEmpty());
}

TEST(TreeView, WindowMirrorsTheNodesAndAClickSelectsThenClicks)
{
    TTree t;
    t.root->Expand(false);
    t.form.Show();
    ASSERT_TRUE(t.tree->HandleAllocated());
    // Made before the window: shown as built; node A is collapsed, so its
    // variables have no row.
    EXPECT_FALSE(t.a->DisplayRect(false).IsEmpty());
    EXPECT_TRUE(t.a1->DisplayRect(false).IsEmpty());
    EXPECT_EQ(t.tree->GetNodeAt(t.Centre(t.b).X, t.Centre(t.b).Y), t.b);

    TestInput::Click(t.tree, t.Centre(t.b));
    EXPECT_EQ(t.tree->Selected(), t.b);
    EXPECT_EQ(t.events, (QStringList{QStringLiteral("change:Node B"), QStringLiteral("click:Node B")}));

    // Made after the window, in view once its parent is expanded.
    t.a->Expand(false);
    TTreeNode* a3 = t.tree->Items()->AddChild(t.a, QStringLiteral("Var 3"));
    ASSERT_FALSE(a3->DisplayRect(false).IsEmpty());
    EXPECT_LT(a3->DisplayRect(false).Top, t.b->DisplayRect(false).Top);
    t.events.clear();
    TestInput::Click(t.tree, t.Centre(a3));
    EXPECT_EQ(t.events, (QStringList{QStringLiteral("change:Var 3"), QStringLiteral("click:Var 3")}));

    // A click on the same row again only clicks.
    t.events.clear();
    TestInput::Click(t.tree, t.Centre(a3));
    EXPECT_EQ(t.events, QStringList{QStringLiteral("click:Var 3")});

    // The arrow keys walk the rows.
    t.events.clear();
    TestInput::PressKey(t.tree, VK_DOWN);
    EXPECT_EQ(t.tree->Selected(), t.b);
    TestInput::PressKey(t.tree, VK_UP);
    EXPECT_EQ(t.tree->Selected(), a3);
    EXPECT_EQ(t.events, (QStringList{QStringLiteral("change:Node B"), QStringLiteral("change:Var 3")}));
}

TEST(TreeView, WindowFollowsTextsDeletionsAndClearing)
{
    TTree t;
    t.tree->FullExpand();
    t.form.Show();
    t.a->SetText(QStringLiteral("Node A renamed"));
    const TRect ra = t.a->DisplayRect(true);
    EXPECT_GT(ra.Width(), t.b->DisplayRect(true).Width());

    TestInput::Click(t.tree, t.Centre(t.a1));
    ASSERT_EQ(t.tree->Selected(), t.a1);
    t.a1->Delete();
    // The window's current row is the node the control now names.
    EXPECT_EQ(t.tree->Selected(), t.a2);
    t.events.clear();
    TestInput::PressKey(t.tree, VK_UP);
    EXPECT_EQ(t.tree->Selected(), t.a);
    EXPECT_EQ(t.events, QStringList{QStringLiteral("change:Node A renamed")});

    const QImage img = GrabControl(t.tree);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TTreeView-expanded")).isEmpty());

    t.tree->Items()->Clear();
    EXPECT_EQ(t.tree->Selected(), nullptr);
    EXPECT_EQ(t.tree->Items()->Count(), 0);
    TTreeNode* again = t.tree->Items()->Add(nullptr, QStringLiteral("Again"));
    EXPECT_FALSE(again->DisplayRect(false).IsEmpty());
    EXPECT_EQ(t.tree->GetNodeAt(t.Centre(again).X, t.Centre(again).Y), again);
}

TEST(TreeView, WindowMadeAgainShowsTheSameNodesAndSelection)
{
    TTree t;
    t.tree->FullExpand();
    t.tree->SetSelected(t.a2);
    t.form.Show();
    EXPECT_FALSE(t.a2->DisplayRect(false).IsEmpty());
    t.tree->RecreateWnd();
    t.tree->HandleNeeded();
    EXPECT_EQ(t.tree->Selected(), t.a2);
    t.events.clear();
    TestInput::PressKey(t.tree, VK_DOWN);
    EXPECT_EQ(t.tree->Selected(), t.b);
    EXPECT_EQ(t.events, QStringList{QStringLiteral("change:Node B")});
}

TEST(TreeView, ItemsShowTheirPicturesAndTheLookTheCustomDrawGivesThem)
{
    TTree t;
    // Two pictures: a red and a green square.
    TImageList images(16, 16);
    for (TColor color : {clRed, clLime}) {
        TBitmap bitmap(16, 16);
        bitmap.Canvas()->Brush()->SetColor(color);
        bitmap.Canvas()->FillRect(TRect{0, 0, 16, 16});
        images.Add(&bitmap, nullptr);
    }
    t.tree->SetImages(&images);
    t.a->SetImageIndex(0);
    t.a->SetSelectedIndex(0);
    t.b->SetImageIndex(1);
    t.b->SetSelectedIndex(0);
    t.a1->SetImageIndex(7);  // none such: no picture
    QStringList drawn;
    t.tree->OnCustomDrawItem = [&](TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw) {
        drawn << Node->Text() + ((State & cdsSelected) ? "*" : "");
        if (Node == t.b)
            Sender->Canvas()->Font()->SetColor(clBlue);
        if (Node == t.a2)
            DefaultDraw = false;  // drawn by nobody: an empty row
    };
    t.tree->FullExpand();
    t.form.Show();
    const auto count = [&](const QImage& shot, TTreeNode* n, QColor color) {
        const TRect r = n->DisplayRect(false);
        Integer found = 0;
        for (Integer y = r.Top; y < r.Bottom; ++y)
            for (Integer x = r.Left; x < r.Right; ++x)
                found += shot.pixelColor(x, y) == color;
        return found;
    };
    const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255);
    QImage shot = GrabControl(t.tree);
    EXPECT_GT(count(shot, t.a, red), 100);
    EXPECT_GT(count(shot, t.b, green), 100);
    EXPECT_GT(count(shot, t.b, blue), 5);
    EXPECT_EQ(count(shot, t.a, blue), 0);
    EXPECT_EQ(count(shot, t.a1, red) + count(shot, t.a1, green), 0);
    EXPECT_TRUE(drawn.contains("Node B"));
    // Var 2 was left to its handler, which drew nothing: no text there.
    const TRect r2 = t.a2->DisplayRect(false);
    const QColor background = shot.pixelColor(r2.Right - 2, (r2.Top + r2.Bottom) / 2);
    Integer other = 0;
    for (Integer x = r2.Left; x < r2.Right; ++x)
        other += shot.pixelColor(x, (r2.Top + r2.Bottom) / 2) != background;
    EXPECT_LT(other, 20);  // at most the branch lines
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TTreeView-images")).isEmpty());

    // Selected, node B shows its selected picture, and the handler hears it.
    drawn.clear();
    TestInput::Click(t.tree, t.Centre(t.b));
    shot = GrabControl(t.tree);
    EXPECT_GT(count(shot, t.b, red), 100);
    EXPECT_EQ(count(shot, t.b, green), 0);
    EXPECT_TRUE(drawn.contains("Node B*"));

    // Taking the list away leaves the rows without pictures.
    t.tree->SetImages(nullptr);
    shot = GrabControl(t.tree);
    EXPECT_EQ(count(shot, t.a, red), 0);
}
