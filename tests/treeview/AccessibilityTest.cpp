// The tree's accessibility: the provider factory, the two tree-view item
// messages, and what a screen reader learns through Qt's accessibility.

#include <QAccessible>
#include <QWidget>

#include "TreeFixture.h"
#include "platform/WidgetBridge.h"
#include "treeview/NodeTreeAccessibility.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {

// Counts its calls; answers with a new object unless told to answer nil.
class TCountingProvider : public INtAccessibleProvider {
public:
    explicit TCountingProvider(bool Answers = true) : FAnswers(Answers) {}
    std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree) override
    {
        ++Calls;
        if (!FAnswers)
            return nullptr;
        auto object = TNtTreeAccessibleProvider().CreateIAccessible(ATree);
        Made.push_back(object);
        return object;
    }
    int Calls = 0;
    std::vector<std::shared_ptr<IAccessible>> Made;

private:
    bool FAnswers;
};

struct TSeenEvent {
    QAccessible::Event Type;
    QString Name;
};
std::vector<TSeenEvent> g_seen;

void RecordEvent(QAccessibleEvent& Event)
{
    QAccessibleInterface* target = Event.accessibleInterface();
    g_seen.push_back({Event.type(), target ? target->text(QAccessible::Name) : QString()});
}

} // namespace

class TTreeAccessibility : public TTreeFixture {
protected:
    void SetUp() override
    {
        TTreeFixture::SetUp();
        checkType = ctTriStateCheckBox;
        ConfigureAsScanWindow();
        FillThreeLevels();
    }
    void TearDown() override
    {
        AccessibleEventSeam::Observer = nullptr;
        g_seen.clear();
        TTreeFixture::TearDown();
        for (const auto& p : registered)
            TNtAccessibilityFactory::GetAccessibilityFactory()->UnRegisterAccessibleProvider(p);
    }
    template <class P>
    std::shared_ptr<P> Register(std::shared_ptr<P> Provider)
    {
        TNtAccessibilityFactory::GetAccessibilityFactory()->RegisterAccessibleProvider(Provider);
        registered.push_back(Provider);
        return Provider;
    }
    LRESULT GetObject(LPARAM Id = OBJID_CLIENT) { return tree->Perform(WM_GETOBJECT, 0, Id); }
    PDataNode Next(WPARAM Code, PDataNode Node = nullptr)
    {
        return reinterpret_cast<PDataNode>(tree->Perform(TVM_GETNEXTITEM, Code, reinterpret_cast<LPARAM>(Node)));
    }
    std::vector<PNtAccessibleProvider> registered;
};

TEST_F(TTreeAccessibility, TheFirstProviderMakesTheTreeObjectAndALaterOneTheItemObject)
{
    // Without providers nothing is made and nothing answered.
    EXPECT_EQ(GetObject(), 0);
    EXPECT_FALSE(tree->AccessibleObject());

    auto first = Register(std::make_shared<TCountingProvider>());
    auto silent = Register(std::make_shared<TCountingProvider>(false));
    EXPECT_EQ(GetObject(OBJID_WINDOW), 0) << "only the client area is answered";
    // The second provider answered nil: the item object came from the first.
    EXPECT_EQ(first->Calls, 2);
    EXPECT_EQ(silent->Calls, 1);
    ASSERT_EQ(first->Made.size(), 2u);
    EXPECT_EQ(tree->AccessibleObject(), first->Made[0]);
    EXPECT_EQ(tree->AccessibleItemObject(), first->Made[1]);
    // Objects are made once.
    EXPECT_NE(GetObject(), 0);
    EXPECT_EQ(first->Calls, 2);
}

TEST_F(TTreeAccessibility, TwoProvidersShareTheObjectsAndRegistrationKeepsOneEntry)
{
    auto first = Register(std::make_shared<TCountingProvider>());
    auto second = Register(std::make_shared<TCountingProvider>());
    TNtAccessibilityFactory* factory = TNtAccessibilityFactory::GetAccessibilityFactory();
    factory->RegisterAccessibleProvider(first);
    EXPECT_EQ(factory->Providers().size(), 2u);
    factory->UnRegisterAccessibleProvider(std::make_shared<TCountingProvider>());
    EXPECT_EQ(factory->Providers().size(), 2u);

    EXPECT_NE(GetObject(), 0);
    EXPECT_EQ(first->Calls, 1);
    EXPECT_EQ(second->Calls, 1);
    EXPECT_EQ(tree->AccessibleObject(), first->Made.at(0));
    EXPECT_EQ(tree->AccessibleItemObject(), second->Made.at(0));
}

TEST_F(TTreeAccessibility, GetItemAnswersFromTheNodeModel)
{
    tree->OnGetImageIndex = [](TBaseNodeTree*, PDataNode, TNtImageKind Kind, TColumnIndex, bool&, Integer& Index) {
        Index = Kind == ikState ? 2 : Kind == ikOverlay ? 0 : Kind == ikSelected ? 7 : 3;
    };
    PDataNode slave = tree->GetFirst();
    tree->SetExpanded(slave, true);
    tree->SetFocusedNode(slave);
    tree->SetSelected(slave, true);

    char16_t text[5] = {u'x', u'x', u'x', u'x', u'x'};
    TTVItemW item;
    item.Mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.Item = slave;
    item.Text = text;
    item.TextMax = 5;
    ASSERT_EQ(tree->Perform(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_EQ(QString::fromUtf16(text), QStringLiteral("Slav")) << "a caption of seven characters cut to four and a NUL";
    EXPECT_EQ(item.StateMask, 0xFF2Fu);
    EXPECT_EQ(item.State, 0x23u | (3u << 12) | (1u << 8));
    EXPECT_EQ(item.Children, 2);
    EXPECT_EQ(item.Image, 3);
    EXPECT_EQ(item.SelectedImage, 7);

    // Without a handle nothing is filled.
    TTVItemW bare;
    bare.Mask = TVIF_CHILDREN;
    bare.Item = slave;
    bare.Children = -5;
    EXPECT_EQ(tree->Perform(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&bare)), 0);
    EXPECT_EQ(bare.Children, -5);
}

TEST_F(TTreeAccessibility, GetNextItemWalksTheTree)
{
    PDataNode s0 = tree->GetFirst();
    PDataNode s1 = s0->NextSibling;
    tree->SetExpanded(s0, true);
    PDataNode r0 = s0->FirstChild;
    EXPECT_EQ(Next(TVGN_CARET), nullptr) << "no focused node";
    tree->SetFocusedNode(r0);
    const struct {
        WPARAM Code;
        PDataNode Node;
        PDataNode Expected;
    } cases[] = {
        {TVGN_ROOT, nullptr, s0},
        {TVGN_NEXT, s0, s1},
        {TVGN_NEXT, nullptr, nullptr},
        {TVGN_PREVIOUS, s1, s0},
        {TVGN_PARENT, s0, nullptr},
        {TVGN_PARENT, r0, s0},
        {TVGN_CHILD, s0, r0},
        {TVGN_FIRSTVISIBLE, nullptr, s0},
        {TVGN_NEXTVISIBLE, s0, r0},
        {TVGN_PREVIOUSVISIBLE, s1, r0->NextSibling},
        {TVGN_DROPHILITE, nullptr, nullptr},
        {TVGN_CARET, nullptr, r0},
        {TVGN_LASTVISIBLE, nullptr, s1},
        {42, s0, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Next(c.Code, c.Node), c.Expected) << "code " << c.Code;
}

TEST_F(TTreeAccessibility, AScreenReaderReadsTheFocusedNodesTextLevelCheckAndExpandedState)
{
    Register(std::make_shared<TNtTreeAccessibleProvider>());
    tree->SetAccessibleName(QStringLiteral("Meters"));
    ShowForm();
    tree->SetFocus();
    Application->ProcessMessages();
    QAccessibleInterface* outline = QAccessible::queryAccessibleInterface(TWidgetBridge::Widget(tree));
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->role(), QAccessible::Tree);
    EXPECT_EQ(outline->text(QAccessible::Name), QStringLiteral("Meters"));
    EXPECT_TRUE(outline->state().multiSelectable);
    EXPECT_EQ(outline->childCount(), 2);

    PDataNode slave = tree->GetFirst();
    tree->SetExpanded(slave, true);
    PDataNode record = slave->FirstChild;
    tree->SetCheckState(record, csMixedNormal);
    g_seen.clear();
    AccessibleEventSeam::Observer = RecordEvent;
    tree->SetFocusedNode(record);
    EXPECT_EQ(outline->childCount(), 4) << "the visible nodes are the items";

    QAccessibleInterface* focused = outline->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->role(), QAccessible::TreeItem);
    EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("Record 0"));
    EXPECT_EQ(focused->text(QAccessible::Value), QStringLiteral("2")) << "the level";
    EXPECT_TRUE(focused->state().focused);
    EXPECT_TRUE(focused->state().checkable);
    EXPECT_TRUE(focused->state().checkStateMixed);
    EXPECT_TRUE(focused->state().collapsed);
    EXPECT_FALSE(focused->state().expanded);
    EXPECT_EQ(focused->parent(), outline);
    EXPECT_EQ(outline->indexOfChild(focused), 1);
    const QRect r = focused->rect();
    EXPECT_EQ(outline->childAt(r.center().x(), r.center().y()), focused);

    // The focus change reached the reader with the focused node's item.
    const auto focusEvent = std::find_if(g_seen.begin(), g_seen.end(), [](const TSeenEvent& e) { return e.Type == QAccessible::Focus; });
    ASSERT_NE(focusEvent, g_seen.end());
    EXPECT_EQ(focusEvent->Name, QStringLiteral("Record 0"));

    // Expanding and checking are read at once through the same item.
    g_seen.clear();
    tree->SetExpanded(record, true);
    tree->SetCheckState(record, csCheckedNormal);
    EXPECT_TRUE(focused->state().expanded);
    EXPECT_TRUE(focused->state().checked);
    EXPECT_TRUE(std::any_of(g_seen.begin(), g_seen.end(), [](const TSeenEvent& e) { return e.Type == QAccessible::StateChanged; }));

    // A node that goes is no longer an item; the tree that goes leaves an
    // empty object behind.
    tree->DeleteNode(record);
    EXPECT_FALSE(focused->isValid());
    std::shared_ptr<IAccessible> object = tree->AccessibleObject();
    form.reset();
    EXPECT_EQ(object->ChildCount(), 0);
    EXPECT_EQ(object->Name(CHILDID_SELF), QString());
}
