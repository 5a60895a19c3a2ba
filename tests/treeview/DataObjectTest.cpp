// The tree's data object: the formats it offers, the node data it renders
// on demand for a drag or the clipboard, data stored into it by others, the
// tree reference, and the end of the cut or copy marks with it.

#include <QCoreApplication>
#include <QtEndian>

#include "TreeFixture.h"
#include "platform/Streams.h"
#include "treeview/transfer/NodeTreeDataObject.h"

namespace {
class TDataObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = std::make_unique<TNodeStringTree>(nullptr);
        tree->SetNodeDataSize(sizeof(Integer));
        tree->TreeOptions()->SetSelectionOptions(tree->TreeOptions()->SelectionOptions() | toMultiSelect);
        tree->OnSaveNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->WriteBuffer(s->GetNodeData<Integer>(n), 4); };
        tree->OnGetUserClipboardFormats = [](TBaseNodeTree*, QStringList& formats) {
            formats << ClipboardMimeType(TreeDataFormat) << QStringLiteral("text/x-meter-list");
        };
        a = Add(nullptr, 1);
        a1 = Add(a, 11);
        b = Add(nullptr, 2);
    }
    PDataNode Add(PDataNode parent, Integer id)
    {
        PDataNode n = tree->AddChild(parent);
        *tree->GetNodeData<Integer>(n) = id;
        tree->ValidateNode(n, false);
        return n;
    }
    // The ids of the nodes a "Node Tree Data" block holds, read back into a fresh tree.
    std::vector<Integer> IdsIn(const QByteArray& block)
    {
        TNodeStringTree reader(nullptr);
        reader.SetNodeDataSize(sizeof(Integer));
        reader.OnLoadNode = [](TBaseNodeTree* s, PDataNode n, TStream* stream) { stream->ReadBuffer(s->GetNodeData<Integer>(n), 4); };
        EXPECT_EQ(qFromLittleEndian<qint32>(block.constData()), block.size() - 4);
        // The chunks behind a stream header whose node count lets the
        // reading run to the stream's end.
        TMemoryStream s;
        s.WriteBuffer(QByteArray::fromHex("45204e00540002002000 4620 ffffff7f") + block.mid(4));
        s.SetPosition(0);
        reader.LoadFromStream(&s);
        std::vector<Integer> ids;
        for (PDataNode n = reader.GetFirstNoInit(); n; n = reader.GetNextNoInit(n))
            ids.push_back(*reader.GetNodeData<Integer>(n));
        return ids;
    }
    std::unique_ptr<TNodeStringTree> tree;
    PDataNode a = nullptr, a1 = nullptr, b = nullptr;
};
} // namespace

TEST_F(TDataObjectTest, ADragObjectOffersTheOwnersFormatsAndRendersTheSelection)
{
    TNtDataObject object(tree.get(), false);
    EXPECT_EQ(object.formats(), (QStringList{ClipboardMimeType(TreeDataFormat), QStringLiteral("text/x-meter-list")}));
    // Nothing selected: nothing to render.
    EXPECT_TRUE(object.data(ClipboardMimeType(TreeDataFormat)).isEmpty());
    // A selected parent takes its selected child along once.
    tree->SetSelected(a, true);
    tree->SetSelected(a1, true);
    tree->SetSelected(b, true);
    EXPECT_EQ(IdsIn(object.data(ClipboardMimeType(TreeDataFormat))), (std::vector<Integer>{1, 11, 2}));
    // Other formats are the owner's to render; a format not offered gives nothing.
    tree->OnRenderOLEData = [](TBaseNodeTree*, const QString& format, bool forClipboard, QByteArray& data, bool& rendered) {
        EXPECT_FALSE(forClipboard);
        data = format.toUtf8();
        rendered = true;
    };
    EXPECT_EQ(object.data(QStringLiteral("text/x-meter-list")), QByteArray("text/x-meter-list"));
    EXPECT_TRUE(object.data(QStringLiteral("text/x-other")).isEmpty());
    // A renderer that throws gives nothing.
    tree->OnRenderOLEData = [](TBaseNodeTree*, const QString&, bool, QByteArray&, bool&) { throw std::runtime_error("no"); };
    EXPECT_TRUE(object.data(QStringLiteral("text/x-meter-list")).isEmpty());
}

TEST_F(TDataObjectTest, StoredDataIsOfferedAndWinsOverRendering)
{
    TNtDataObject object(tree.get(), false);
    object.setData(QStringLiteral("application/x-drop-description"), QByteArray("move"));
    object.setData(QStringLiteral("text/x-meter-list"), QByteArray("stored"));
    EXPECT_EQ(object.formats(), (QStringList{ClipboardMimeType(TreeDataFormat), QStringLiteral("text/x-meter-list"),
                                             QStringLiteral("application/x-drop-description")}));
    EXPECT_EQ(object.data(QStringLiteral("application/x-drop-description")), QByteArray("move"));
    EXPECT_EQ(object.data(QStringLiteral("text/x-meter-list")), QByteArray("stored"));
}

TEST_F(TDataObjectTest, TheTreeReferenceIsServedUnofferedButNotWhileFlushing)
{
    TNtDataObject object(tree.get(), true);
    const QString reference = ClipboardMimeType(TreeReferenceFormat);
    EXPECT_FALSE(object.formats().contains(reference));
    const QByteArray data = object.data(reference);
    ASSERT_EQ(data.size(), 12);
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData()), quint32(QCoreApplication::applicationPid()));
    EXPECT_EQ(qFromLittleEndian<quint64>(data.constData() + 4), quint64(reinterpret_cast<quintptr>(tree.get())));
    tree->DoStateChange(tsClipboardFlushing);
    EXPECT_TRUE(object.data(reference).isEmpty());
    tree->DoStateChange(0, tsClipboardFlushing);
}

TEST_F(TDataObjectTest, AClipboardObjectRendersTheMarkedNodesAndEndsTheMarksWhenReleased)
{
    a1->States |= vsCutOrCopy;
    b->States |= vsCutOrCopy;
    tree->SetSelected(a, true);
    tree->DoStateChange(tsCopyPending);
    EXPECT_EQ(tree->GetSortedCutCopySet(false), (TNodeArray{a1, b}));
    a->States |= vsCutOrCopy;
    EXPECT_EQ(tree->GetSortedCutCopySet(true), (TNodeArray{a, b}));
    {
        TNtDataObject object(tree.get(), true);
        EXPECT_EQ(IdsIn(object.data(ClipboardMimeType(TreeDataFormat))), (std::vector<Integer>{1, 11, 2}));
    }
    EXPECT_FALSE(tree->HasTreeState(tsCopyPending));
    EXPECT_TRUE(tree->GetSortedCutCopySet(false).empty());
    // Released during a flush, the object leaves the marks to the flush.
    b->States |= vsCutOrCopy;
    tree->DoStateChange(tsCutPending | tsClipboardFlushing);
    { TNtDataObject object(tree.get(), true); }
    EXPECT_TRUE(tree->HasTreeState(tsCutPending));
    EXPECT_TRUE(b->States & vsCutOrCopy);
    tree->DoStateChange(0, tsClipboardFlushing);
}

TEST_F(TDataObjectTest, AnObjectOutlivingItsTreeAnswersNothing)
{
    auto object = std::make_unique<TNtDataObject>(tree.get(), true);
    tree->SetSelected(b, true);
    tree.reset();
    EXPECT_EQ(object->Owner(), nullptr);
    EXPECT_TRUE(object->data(ClipboardMimeType(TreeDataFormat)).isEmpty());
    EXPECT_TRUE(object->data(ClipboardMimeType(TreeReferenceFormat)).isEmpty());
    object.reset();
}

TEST_F(TDataObjectTest, ClipboardFormatsTakeWhatTheTreeClassRendersInOfferOrder)
{
    tree->OnGetUserClipboardFormats = nullptr;
    const QStringList all = {"plain TEXT", "Unicode text", "CSV", "Rich Text Format", "Rich Text Format Without Objects", "HTML Format",
                             "Node Tree Data"};
    for (const QString& s : all)
        EXPECT_GE(tree->ClipboardFormats()->Add(s), 0) << s.toStdString();
    EXPECT_EQ(tree->ClipboardFormats()->Add(QStringLiteral("csv")), tree->ClipboardFormats()->IndexOf(QStringLiteral("CSV")));
    EXPECT_EQ(tree->ClipboardFormats()->Count(), 7);
    EXPECT_EQ(tree->ClipboardFormats()->Add(QStringLiteral("Bitmap of nodes")), -1);
    // Offered by priority, whatever the order of adding; the owner's own come last.
    tree->OnGetUserClipboardFormats = [](TBaseNodeTree*, QStringList& formats) { formats << QStringLiteral("text/x-meter-list"); };
    TNtDataObject object(tree.get(), false);
    EXPECT_EQ(object.formats(), (QStringList{ClipboardMimeType(TreeDataFormat), "text/html", ClipboardMimeType("Rich Text Format Without Objects"),
                                             "text/rtf", "text/csv", "text/plain;charset=utf-8", "text/plain", "text/x-meter-list"}));
    // A tree that draws its own nodes renders only the node data.
    TNodeDrawTree drawn(nullptr);
    EXPECT_GE(drawn.ClipboardFormats()->Add(TreeDataFormat), 0);
    EXPECT_EQ(drawn.ClipboardFormats()->Add(QStringLiteral("Plain text")), -1);
    drawn.SetClipboardFormats({"HTML Format", "node tree data", "nonsense"});
    EXPECT_EQ(drawn.ClipboardFormats()->Strings(), QStringList{"node tree data"});
}
