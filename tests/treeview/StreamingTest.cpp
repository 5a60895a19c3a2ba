// Node streaming: the exact bytes of small trees, a round trip through a
// file with the owner's data, captions, states and selection, the old
// version's format, and damaged streams that must end in the stated error
// with the tree's counts intact.

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include "BrokenFiles.h"
#include "TreeFixture.h"
#include "platform/Streams.h"

namespace {
class TStreamTree : public ::testing::Test {
protected:
    void SetUp() override { tree = NewTree(); }
    std::unique_ptr<TNodeStringTree> NewTree()
    {
        auto t = std::make_unique<TNodeStringTree>(nullptr);
        t->SetNodeDataSize(sizeof(Integer));
        t->OnGetText = [](TBaseNodeTree* s, PDataNode n, TColumnIndex, TNSTTextType, QString& text) {
            text = QStringLiteral("Node %1").arg(*s->GetNodeData<Integer>(n));
        };
        t->OnSaveNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->WriteBuffer(s->GetNodeData<Integer>(n), 4); };
        t->OnLoadNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->ReadBuffer(s->GetNodeData<Integer>(n), 4); };
        return t;
    }
    PDataNode Add(TBaseNodeTree* t, PDataNode parent, Integer id)
    {
        PDataNode n = t->AddChild(parent);
        *t->GetNodeData<Integer>(n) = id;
        t->ValidateNode(n, false);
        return n;
    }
    static Integer Id(TBaseNodeTree* t, PDataNode n) { return *t->GetNodeData<Integer>(n); }
    // Ids in tree order with their levels.
    static std::vector<std::pair<Integer, Cardinal>> Shape(TBaseNodeTree* t)
    {
        std::vector<std::pair<Integer, Cardinal>> out;
        for (PDataNode n = t->GetFirstNoInit(); n; n = t->GetNextNoInit(n))
            out.emplace_back(Id(t, n), t->GetNodeLevel(n));
        return out;
    }
    static QByteArray Bytes(std::initializer_list<int> list)
    {
        QByteArray b;
        for (int v : list)
            b.append(char(v));
        return b;
    }
    static QByteArray Int(qint32 v)
    {
        QByteArray b(4, 0);
        qToLittleEndian(v, b.data());
        return b;
    }
    static std::unique_ptr<TMemoryStream> Stream(const QByteArray& b)
    {
        auto s = std::make_unique<TMemoryStream>();
        s->WriteBuffer(b);
        s->SetPosition(0);
        return s;
    }
    // The tree error's number a load of Data ends in; 0 when it loads, -1
    // for any other exception.
    static Integer LoadError(TBaseNodeTree* t, const QByteArray& Data)
    {
        auto s = Stream(Data);
        try {
            t->LoadFromStream(s.get());
        } catch (const ENodeTreeError& e) {
            return e.HelpContext();
        } catch (const std::exception&) {
            return -1;
        }
        return 0;
    }
    std::unique_ptr<TNodeStringTree> tree;
};

const QByteArray Header = QByteArray::fromHex("45204e00540002002000 4620");
} // namespace

TEST_F(TStreamTree, EmptyTreesAndSingleNodesHaveTheirExactSizes)
{
    TMemoryStream empty;
    tree->SaveToStream(&empty);
    EXPECT_EQ(empty.Bytes(), Header + Int(0));
    auto other = NewTree();
    Add(other.get(), nullptr, 9);
    std::vector<PDataNode> copied;
    Integer loaded = 0;
    other->OnNodeCopied = [&](TBaseNodeTree*, PDataNode n) { copied.push_back(n); };
    other->OnLoadTree = [&](TBaseNodeTree*, TStream*) { ++loaded; };
    empty.SetPosition(0);
    other->LoadFromStream(&empty);
    EXPECT_EQ(other->RootNode()->ChildCount, 0u);
    EXPECT_EQ(copied, std::vector<PDataNode>{nullptr});
    EXPECT_EQ(loaded, 1);

    // One node, no owner data, no caption: a 27-byte node chunk around a
    // 19-byte base chunk; four bytes of owner data make it 39.
    PDataNode n = Add(tree.get(), nullptr, 7);
    tree->SetStringOptions(tree->StringOptions() & ~toSaveCaptions);
    auto saveNode = tree->OnSaveNode;
    tree->OnSaveNode = nullptr;
    TMemoryStream plain;
    tree->SaveToStream(&plain);
    ASSERT_EQ(plain.Size(), 16 + 8 + 27);
    EXPECT_EQ(plain.Bytes().mid(12, 20), Int(1) + Int(1) + Int(27) + Int(2) + Int(19));
    EXPECT_EQ(plain.Bytes().mid(32, 8), Int(0) + Int(18));  // no children, 18 pixels high
    tree->OnSaveNode = saveNode;
    TMemoryStream withData;
    tree->SaveToStream(&withData, n);
    EXPECT_EQ(withData.Bytes().mid(16, 8), Int(1) + Int(39));
    EXPECT_EQ(withData.Bytes().right(12), Int(4) + Int(4) + Int(7));
}

TEST_F(TStreamTree, AFileRoundTripKeepsStructureDataCaptionsStatesAndSelection)
{
    tree->TreeOptions()->SetSelectionOptions(tree->TreeOptions()->SelectionOptions() | toMultiSelect);
    PDataNode a = Add(tree.get(), nullptr, 1);
    Add(tree.get(), a, 11);
    PDataNode a2 = Add(tree.get(), a, 12);
    Add(tree.get(), a2, 121);
    PDataNode b = Add(tree.get(), nullptr, 2);
    tree->SetExpanded(a, true);
    b->CheckType = ctCheckBox;
    b->CheckState = csCheckedNormal;
    tree->SetSelected(a2, true);
    tree->SetSelected(b, true);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tree.bin"));
    tree->SaveToFile(file);

    auto copy = NewTree();
    copy->TreeOptions()->SetSelectionOptions(copy->TreeOptions()->SelectionOptions() | toMultiSelect);
    std::vector<QString> captions;
    copy->OnNewText = [&](TBaseNodeTree*, PDataNode, TColumnIndex column, const QString& text) {
        EXPECT_EQ(column, NoColumn);
        captions.push_back(text);
    };
    copy->LoadFromFile(file);
    EXPECT_EQ(Shape(copy.get()), Shape(tree.get()));
    // A caption follows its node's base chunk, which holds the children.
    EXPECT_EQ(captions, (std::vector<QString>{"Node 11", "Node 121", "Node 12", "Node 1", "Node 2"}));
    PDataNode ca = copy->GetFirstNoInit();
    PDataNode cb = copy->GetNextSibling(ca);
    EXPECT_TRUE(ca->States & vsExpanded);
    EXPECT_EQ(cb->CheckType, ctCheckBox);
    EXPECT_EQ(cb->CheckState, csCheckedNormal);
    EXPECT_EQ(copy->SelectedCount(), 2u);
    EXPECT_TRUE(copy->Selected(cb));
    EXPECT_EQ(copy->VisibleCount(), 4u);  // a, its two children, b
    CheckInvariants(copy.get());

    // Adding under a node appends; a single-selection tree drops the marks.
    auto single = NewTree();
    PDataNode target = Add(single.get(), nullptr, 50);
    single->SetExpanded(target, true);
    TFileStream in(file, fmOpenRead);
    single->AddFromStream(&in, target);
    EXPECT_EQ(target->ChildCount, 2u);
    EXPECT_EQ(single->SelectedCount(), 0u);
    for (PDataNode n = single->GetFirstNoInit(); n; n = single->GetNextNoInit(n))
        EXPECT_FALSE(n->States & vsSelected);
    CheckInvariants(single.get());
}

TEST_F(TStreamTree, UninitialisedNodesKeepTheirChildrenUnlessInitOnSave)
{
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() & ~toInitOnSave);
    PDataNode a = Add(tree.get(), nullptr, 1);
    Add(tree.get(), a, 11);
    a->States &= ~vsInitialized;
    TMemoryStream s;
    tree->SaveToStream(&s);
    auto copy = NewTree();
    s.SetPosition(0);
    copy->LoadFromStream(&s);
    EXPECT_EQ(copy->GetFirstNoInit()->ChildCount, 0u);
    // With toInitOnSave the node is initialised (and so keeps its child).
    Integer inits = 0;
    tree->OnInitNode = [&](TBaseNodeTree*, PDataNode, PDataNode, TDataNodeInitStates&) { ++inits; };
    tree->TreeOptions()->SetMiscOptions(tree->TreeOptions()->MiscOptions() | toInitOnSave);
    TMemoryStream s2;
    tree->SaveToStream(&s2);
    EXPECT_EQ(inits, 1);
    s2.SetPosition(0);
    copy->LoadFromStream(&s2);
    EXPECT_EQ(copy->GetFirstNoInit()->ChildCount, 1u);
}

TEST_F(TStreamTree, VersionOneStreamsRunToTheirEnd)
{
    tree->TreeOptions()->SetSelectionOptions(tree->TreeOptions()->SelectionOptions() | toMultiSelect);
    // Two nodes without a count; the second's state byte has bit 7 (selected).
    auto node = [](int states, Integer id) {
        const QByteArray base = Int(2) + Int(12) + Int(0) + Int(20) + Bytes({states, 50, 0, 0});
        const QByteArray user = Int(4) + Int(4) + Int(id);
        return Int(1) + Int(base.size() + user.size()) + base + user;
    };
    QByteArray v1 = Header;
    v1[6] = 1;
    auto s = Stream(v1 + node(0x01, 5) + node(0x81, 6));
    tree->LoadFromStream(s.get());
    ASSERT_EQ(tree->RootNode()->ChildCount, 2u);
    PDataNode second = tree->GetLastChild(nullptr);
    EXPECT_EQ(Id(tree.get(), second), 6);
    EXPECT_EQ(second->NodeHeight, 20);
    EXPECT_TRUE(second->States & vsVisible);
    EXPECT_TRUE(tree->Selected(second));
    EXPECT_FALSE(tree->Selected(tree->GetFirstNoInit()));
    CheckInvariants(tree.get());
}

TEST_F(TStreamTree, DamagedStreamsEndInTheirErrorsAndKeepTheCountsRight)
{
    PDataNode a = Add(tree.get(), nullptr, 1);
    Add(tree.get(), a, 11);
    Add(tree.get(), nullptr, 2);
    tree->SetExpanded(a, true);
    TMemoryStream good;
    tree->SaveToStream(&good);
    const QByteArray bytes = good.Bytes();

    QByteArray blankChanged = bytes;
    blankChanged[8] = 'x';
    QByteArray badMagic = bytes;
    badMagic[0] = 0;
    QByteArray version3 = bytes;
    version3[6] = 3;
    // An unknown chunk (type 7) inside the last node's chunk, after its base chunk.
    QByteArray unknown = Header + Int(1) + Int(1) + Int(27 + 8 + 2) + Int(2) + Int(19) + QByteArray(19, 0) + Int(7) + Int(2) + "zz";
    unknown[36] = 18;          // height 18
    unknown[40] = char(0x81);  // initialised, visible
    QByteArray noAnchor = Header + Int(1) + Int(5) + Int(0);
    QByteArray strayBytes = bytes;
    strayBytes[16 + 4] = char(strayBytes[16 + 4] + 4);  // first node chunk claims 4 bytes more
    const struct {
        const char* name;
        QByteArray data;
        Integer error;      // 0: loads
        Cardinal topNodes;  // after LoadFromStream
    } cases[] = {
        {"intact", bytes, 0, 2},
        {"other blank", blankChanged, 0, 2},
        {"unknown chunk skipped", unknown, 0, 1},
        {"too short", bytes.left(11), 2004, 0},
        {"bad magic", badMagic, 2002, 0},
        {"version 3", version3, 2003, 0},
        {"no anchor", noAnchor, 2005, 1},
        {"stray bytes", strayBytes, 2006, 1},
        {"cut in a child", bytes.left(16 + 8 + 27 + 10), 2006, 1},
        {"cut in the second node", bytes.left(bytes.size() - 30), 2006, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto t = NewTree();
        Add(t.get(), nullptr, 99);
        EXPECT_EQ(LoadError(t.get(), c.data), c.error);
        EXPECT_EQ(t->RootNode()->ChildCount, c.topNodes);
        EXPECT_EQ(t->UpdateCount(), 0u);
        CheckInvariants(t.get());
    }
    // Adding refuses a wrong header with 2003 and keeps the tree.
    auto t = NewTree();
    Add(t.get(), nullptr, 99);
    auto s = Stream(badMagic);
    try {
        t->AddFromStream(s.get(), t->RootNode());
        ADD_FAILURE() << "no error";
    } catch (const ENodeTreeError& e) {
        EXPECT_EQ(e.HelpContext(), 2003);
    }
    EXPECT_EQ(t->RootNode()->ChildCount, 1u);
}

TEST_F(TStreamTree, EmptyTruncatedAndRandomStreamsEndInATreeError)
{
    PDataNode a = Add(tree.get(), nullptr, 1);
    Add(tree.get(), a, 11);
    Add(tree.get(), nullptr, 2);
    TMemoryStream good;
    tree->SaveToStream(&good);
    for (const TBrokenFile& f : BrokenFiles(good.Bytes())) {
        SCOPED_TRACE(f.Name);
        auto t = NewTree();
        Add(t.get(), nullptr, 99);
        const Integer error = LoadError(t.get(), f.Bytes);
        EXPECT_GE(error, 2002);
        EXPECT_LE(error, 2006);
        EXPECT_LE(t->RootNode()->ChildCount, 2u);
        EXPECT_EQ(t->UpdateCount(), 0u);
        CheckInvariants(t.get());
    }
}

TEST_F(TStreamTree, OwnerDataReadTooLittleOrTooMuchDoesNotDisturbTheNextChunks)
{
    Add(tree.get(), nullptr, 1);
    Add(tree.get(), nullptr, 2);
    TMemoryStream s;
    tree->SaveToStream(&s);
    for (Integer take : {0, 2, 12}) {
        auto copy = NewTree();
        std::vector<QString> captions;
        copy->OnNewText = [&](TBaseNodeTree*, PDataNode, TColumnIndex, const QString& text) { captions.push_back(text); };
        copy->OnLoadNode = [take](TBaseNodeTree*, PDataNode, TStream* stream) {
            QByteArray sink(take, 0);
            stream->Read(sink.data(), take);
        };
        s.SetPosition(0);
        copy->LoadFromStream(&s);
        EXPECT_EQ(copy->RootNode()->ChildCount, 2u) << take;
        EXPECT_EQ(captions, (std::vector<QString>{"Node 1", "Node 2"})) << take;
    }
}

TEST_F(TStreamTree, StatesOfARunningOperationAreNotTakenFromAStream)
{
    // A node claiming "free call required" (its owner's data would be
    // freed though nobody filled it), "deleting" and "toggling".
    const TDataNodeStates claimed = vsInitialized | vsVisible | vsOnFreeNodeCallRequired | vsDeleting | vsToggling;
    const QByteArray base = Int(2) + Int(19) + Int(0) + Int(18) + Int(qint32(claimed)) + Bytes({50, 0, 0}) + Int(0);
    auto s = Stream(Header + Int(1) + Int(1) + Int(base.size()) + base);
    // Nothing here touches the node's data.
    tree->OnGetText = nullptr;
    tree->OnLoadNode = nullptr;
    tree->LoadFromStream(s.get());
    PDataNode n = tree->GetFirstNoInit();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->States, vsInitialized | vsVisible);
}

namespace {
// A stream of Depth nodes, each the only child of the one before, every
// node initialised, expanded and visible.
QByteArray NestedStream(int Depth)
{
    const auto integer = [](qint32 v) {
        QByteArray b(4, 0);
        qToLittleEndian(v, b.data());
        return b;
    };
    const qint32 states = qint32(vsInitialized | vsVisible | vsExpanded);
    // Built from the innermost node outwards, each node chunk 35 bytes
    // longer than the one it holds.
    QByteArray body;
    std::vector<qint32> chunk(static_cast<size_t>(Depth));
    for (int level = Depth - 1; level >= 0; --level)
        chunk[size_t(level)] = 27 + (level + 1 < Depth ? 8 + chunk[size_t(level) + 1] : 0);
    for (int level = 0; level < Depth; ++level) {
        const bool last = level + 1 == Depth;
        body += integer(1) + integer(chunk[size_t(level)]) + integer(2) + integer(chunk[size_t(level)] - 8);
        body += integer(last ? 0 : 1) + integer(18) + integer(states) + QByteArray(3, 0) + integer(0);
    }
    return QByteArray::fromHex("45204e00540002002000 4620") + integer(1) + body;
}

Cardinal Depth(TBaseNodeTree* t)
{
    Cardinal depth = 0;
    for (PDataNode n = t->RootNode()->FirstChild; n; n = n->FirstChild)
        ++depth;
    return depth;
}
} // namespace

TEST_F(TStreamTree, TreesOfAnyDepthAreReadWrittenClearedAndDestroyed)
{
    // 60,000 levels in a 2 MB stream: every level is read, with the counts
    // and heights of the whole chain, and written back byte for byte.
    const int depth = 60000;
    const QByteArray nested = NestedStream(depth);
    auto s = Stream(nested);
    auto deep = NewTree();
    deep->OnLoadNode = nullptr;
    deep->OnSaveNode = nullptr;
    deep->SetStringOptions(deep->StringOptions() & ~toSaveCaptions);
    deep->LoadFromStream(s.get());
    EXPECT_EQ(Depth(deep.get()), Cardinal(depth));
    EXPECT_EQ(deep->RootNode()->TotalCount, Cardinal(depth + 1));
    EXPECT_EQ(deep->GetFirstNoInit()->TotalHeight, Cardinal(18 * depth));
    EXPECT_EQ(deep->VisibleCount(), Cardinal(depth));
    TMemoryStream again;
    deep->SaveToStream(&again);
    EXPECT_EQ(again.Bytes(), nested);

    // Added again beside itself, cleared, and read once more to be
    // destroyed while deep.
    again.SetPosition(0);
    deep->AddFromStream(&again, deep->RootNode());
    EXPECT_EQ(deep->RootNode()->ChildCount, 2u);
    EXPECT_EQ(deep->RootNode()->TotalCount, Cardinal(2 * depth + 1));
    deep->Clear();
    EXPECT_EQ(deep->RootNode()->ChildCount, 0u);
    EXPECT_EQ(deep->RootNode()->TotalCount, 1u);
    EXPECT_EQ(deep->VisibleCount(), 0u);
    again.SetPosition(0);
    deep->LoadFromStream(&again);
    EXPECT_EQ(Depth(deep.get()), Cardinal(depth));
    deep.reset();
}

TEST_F(TStreamTree, DeclaredSizesBeyondTheStreamAreRefusedBeforeAnythingIsAllocated)
{
    // Each case is a few dozen bytes claiming chunks of about 2 GB.
    const QByteArray captionBase = Int(2) + Int(19) + Int(0) + Int(18) + Int(qint32(vsInitialized | vsVisible)) + Bytes({50, 0, 0}) + Int(0);
    const struct {
        const char* name;
        QByteArray data;
        Integer error;
    } cases[] = {
        // A node chunk far larger than the stream, holding a caption chunk as large.
        {"node and caption", Header + Int(1) + Int(1) + Int(0x7FFFFFF0) + captionBase + Int(3) + Int(0x7FFFFF00) + "ab", 2006},
        // A node chunk of fitting size whose caption chunk claims more than the node.
        {"caption beyond its node", Header + Int(1) + Int(1) + Int(27 + 10) + captionBase + Int(3) + Int(0x7FFFFF00) + "ab", 2006},
        // A child's node chunk larger than its parent's base chunk.
        {"child beyond its parent",
         Header + Int(1) + Int(1) + Int(27 + 16) + Int(2) + Int(19 + 16) + Int(1) + Int(18) + Int(qint32(vsInitialized | vsVisible))
             + Bytes({50, 0, 0}) + Int(0) + Int(1) + Int(0x7FFFFFF0) + Int(3) + Int(0x7FFFFFE0),
         2006},
        // A base chunk announcing four billion children, of which the stream holds none.
        {"children that are not there",
         Header + Int(1) + Int(1) + Int(27) + Int(2) + Int(19) + Int(-1) + Int(18) + Int(qint32(vsInitialized | vsVisible))
             + Bytes({50, 0, 0}) + Int(0),
         2005},
        {"negative node size", Header + Int(1) + Int(1) + Int(-8), 2005},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto t = NewTree();
        t->OnLoadNode = nullptr;
        EXPECT_EQ(LoadError(t.get(), c.data), c.error);
        EXPECT_LE(t->RootNode()->TotalCount, 3u);
        EXPECT_EQ(t->UpdateCount(), 0u);
        CheckInvariants(t.get());
    }
}
