// Node streaming: a tree's nodes written to and read from a stream. A
// 12-byte header and a node count are followed by one node chunk per
// top-level node; a node chunk holds a base chunk (the node's own values and
// its children's node chunks), the owner's data chunk and, for the string
// tree, a caption chunk. Every chunk carries its size, so readers skip the
// kinds they do not know. All numbers are little-endian.

#include <QtEndian>
#include <array>

#include "platform/Streams.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"

namespace {
constexpr Integer NodeChunk = 1;
constexpr Integer BaseChunk = 2;
constexpr Integer CaptionChunk = 3;
constexpr Integer UserChunk = 4;
constexpr Word StreamVersion = 2;
constexpr Integer BaseContentSize = 19;
constexpr Integer OldBaseContentSize = 12;
// States that belong to a running operation and are never stored.
constexpr TDataNodeStates TransientStates = vsChecking | vsCutOrCopy | vsDeleting | vsOnFreeNodeCallRequired | vsHeightMeasured;
// Read states that must not come from a file: they promise user data the
// loaded node does not have, or operations that are not running.
constexpr TDataNodeStates UnreadableStates = TransientStates | vsReleaseCallOnUserDataRequired | vsToggling | vsInitializing;

const std::array<char16_t, 6> StreamHeader = {0x2045, u'N', u'T', StreamVersion, u' ', 0x2046};

void WriteInt(TStream* Stream, Integer Value)
{
    const qint32 le = qToLittleEndian<qint32>(Value);
    Stream->WriteBuffer(&le, 4);
}

Integer GetInt(const Byte* P)
{
    return qFromLittleEndian<qint32>(P);
}

// A chunk header; false when the stream ends inside it.
bool ReadChunkHeader(TStream* Stream, Integer& Type, Integer& Size)
{
    Byte buffer[8];
    if (Stream->Read(buffer, 8) != 8)
        return false;
    Type = GetInt(buffer);
    Size = GetInt(buffer + 4);
    return true;
}

TCheckState CheckStateFrom(Byte Value)
{
    return Value <= csMixedDisabled ? TCheckState(Value) : csUncheckedNormal;
}

TCheckType CheckTypeFrom(Byte Value)
{
    return Value <= ctButton ? TCheckType(Value) : ctNone;
}

// Reads and checks the header; returns the version. Errors as the caller asks.
Integer ReadStreamHeader(TStream* Stream, bool AddFrom)
{
    Byte raw[12];
    if (AddFrom)
        Stream->ReadBuffer(raw, 12);
    else if (Stream->Read(raw, 12) < 12)
        RaiseTreeError(QStringLiteral("Unable to load tree structure, not enough data available."), 2004);
    auto at = [&](int i) { return qFromLittleEndian<quint16>(raw + 2 * i); };
    const bool magic = at(0) == StreamHeader[0] && at(1) == StreamHeader[1] && at(2) == StreamHeader[2] && at(5) == StreamHeader[5];
    if (!magic && !AddFrom)
        RaiseTreeError(QStringLiteral("Unable to load tree structure, the format is wrong."), 2002);
    if (!magic || at(3) > StreamVersion)
        RaiseTreeError(QStringLiteral("Unable to load tree structure, the version is unknown."), 2003);
    return at(3);
}
} // namespace

// ---------------------------------------------------------------- saving

void TBaseNodeTree::SaveToStream(TStream* Stream, PDataNode Node)
{
    for (char16_t c : StreamHeader) {
        const quint16 le = qToLittleEndian<quint16>(c);
        Stream->WriteBuffer(&le, 2);
    }
    if (Node != nullptr) {
        WriteInt(Stream, 1);
        WriteNode(Stream, Node);
    } else {
        WriteInt(Stream, Integer(FRoot->ChildCount));
        for (PDataNode run = FRoot->FirstChild; run; run = run->NextSibling)
            WriteNode(Stream, run);
    }
    if (OnSaveTree)
        OnSaveTree(this, Stream);
}

void TBaseNodeTree::SaveToFile(const QString& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream, nullptr);
}

void TBaseNodeTree::WriteNode(TStream* Stream, PDataNode Node)
{
    const Integer start = StartNodeChunk(Stream, Node);
    WriteChunks(Stream, Node);
    FinishChunkHeader(Stream, start, Integer(Stream->Position()));
}

// With toInitOnSave the node (and its children) is initialised first; then
// the node chunk's header, its size to be patched. Returns where it starts.
Integer TBaseNodeTree::StartNodeChunk(TStream* Stream, PDataNode Node)
{
    if (FOptions->FMiscOptions & toInitOnSave) {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
    }
    const Integer start = Integer(Stream->Position());
    WriteInt(Stream, NodeChunk);
    WriteInt(Stream, 0);
    return start;
}

// The base chunk's header and its fixed content; the children follow.
void TBaseNodeTree::WriteBaseChunkStart(TStream* Stream, PDataNode Node)
{
    Byte buffer[8 + BaseContentSize] = {};
    qToLittleEndian<qint32>(BaseChunk, buffer);
    // Only an initialised node's children are written; the count says so,
    // so that the stream reads back.
    const bool withChildren = (Node->States & vsInitialized) != 0;
    qToLittleEndian<quint32>(withChildren ? Node->ChildCount : 0, buffer + 8);
    qToLittleEndian<quint32>(Node->NodeHeight, buffer + 12);
    qToLittleEndian<quint32>(Node->States & ~TransientStates, buffer + 16);
    buffer[20] = Node->Align;
    buffer[21] = Byte(Node->CheckState);
    buffer[22] = Byte(Node->CheckType);
    Stream->WriteBuffer(buffer, sizeof buffer);
}

// The node chunks of Parent's children and of everything below them, depth
// first. Each node's base chunk is opened on the way down; on the way up
// WriteChunks closes it and adds the node's other chunks, so that a
// descendant's chunks come out as its own WriteChunks makes them.
void TBaseNodeTree::WriteChildNodes(TStream* Stream, PDataNode Parent)
{
    struct Open {
        PDataNode Node;
        Integer AnchorStart;
        Integer BaseStart;
    };
    std::vector<Open> open;
    const auto firstChild = [](PDataNode N) { return (N->States & vsInitialized) ? N->FirstChild : nullptr; };
    PDataNode next = firstChild(Parent);
    while (next != nullptr || !open.empty()) {
        if (next != nullptr) {
            PDataNode node = next;
            const Integer anchor = StartNodeChunk(Stream, node);
            const Integer base = Integer(Stream->Position());
            WriteBaseChunkStart(Stream, node);
            open.push_back({node, anchor, base});
            next = firstChild(node);
            continue;
        }
        const Open done = open.back();
        open.pop_back();
        struct Restore {
            TBaseNodeTree* T;
            PDataNode Node;
            Integer Start;
            ~Restore()
            {
                T->FStreamOpenBase = Node;
                T->FStreamOpenBaseStart = Start;
            }
        } restore{this, FStreamOpenBase, FStreamOpenBaseStart};
        FStreamOpenBase = done.Node;
        FStreamOpenBaseStart = done.BaseStart;
        WriteChunks(Stream, done.Node);
        FinishChunkHeader(Stream, done.AnchorStart, Integer(Stream->Position()));
        next = done.Node->NextSibling;
    }
}

void TBaseNodeTree::WriteChunks(TStream* Stream, PDataNode Node)
{
    Integer start;
    if (FStreamOpenBase == Node) {
        // The walk opened the base chunk and wrote the children already.
        start = FStreamOpenBaseStart;
        FStreamOpenBase = nullptr;
    } else {
        start = Integer(Stream->Position());
        WriteBaseChunkStart(Stream, Node);
        WriteChildNodes(Stream, Node);
    }
    FinishChunkHeader(Stream, start, Integer(Stream->Position()));
    // The owner's data; the header is taken back when the owner wrote nothing.
    start = Integer(Stream->Position());
    WriteInt(Stream, UserChunk);
    WriteInt(Stream, 0);
    DoSaveNode(Node, Stream);
    if (Stream->Position() - start != 8) {
        FinishChunkHeader(Stream, start, Integer(Stream->Position()));
    } else {
        Stream->SetPosition(start);
        Stream->SetSize(Stream->Size() - 8);
    }
}

void TBaseNodeTree::FinishChunkHeader(TStream* Stream, Integer StartPos, Integer EndPos)
{
    Stream->SetPosition(StartPos + 4);
    WriteInt(Stream, EndPos - StartPos - 8);
    Stream->SetPosition(EndPos);
}

void TBaseNodeTree::DoSaveNode(PDataNode Node, TStream* Stream)
{
    if (OnSaveNode)
        OnSaveNode(this, Node == FRoot ? nullptr : Node, Stream);
}

void TBaseNodeTree::DoLoadNode(PDataNode Node, TStream* Stream)
{
    if (OnLoadNode)
        OnLoadNode(this, Node == FRoot ? nullptr : Node, Stream);
}

// ---------------------------------------------------------------- loading

void TBaseNodeTree::LoadFromStream(TStream* Stream)
{
    if (ReadOnly())
        return;
    Clear();
    ReadStreamNodes(Stream, false, FRoot);
}

void TBaseNodeTree::LoadFromFile(const QString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TBaseNodeTree::AddFromStream(TStream* Stream, PDataNode TargetNode)
{
    if (ReadOnly())
        return;
    ReadStreamNodes(Stream, true, TargetNode == nullptr ? FRoot : TargetNode);
}

void TBaseNodeTree::ReadStreamNodes(TStream* Stream, bool AddFrom, PDataNode Target)
{
    const Integer version = ReadStreamHeader(Stream, AddFrom);
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End() { T->EndUpdate(); }
    } end{this};
    // The node count (version 2; older streams run to their end).
    Cardinal count = 0x7FFFFFFF;
    if (version >= 2) {
        qint32 raw = 0;
        Stream->ReadBuffer(&raw, 4);
        count = Cardinal(qFromLittleEndian(raw));
    }
    while (Stream->Position() < Stream->Size() && count > 0) {
        --count;
        PDataNode node = MakeNewNode();
        InternalConnectNode(node, Target, this, amAddChildLast);
        LoadNodeFromStream(Stream, version, node);
    }
    DoNodeCopied(Target == FRoot ? nullptr : Target);
    if (!AddFrom && OnLoadTree)
        OnLoadTree(this, Stream);
}

// One node chunk being read: where it ends, where the chunk just handed to
// ReadChunk ends, and how many children its base chunk still announces.
struct TBaseNodeTree::TStreamReadFrame {
    PDataNode Node;
    Int64 End;
    Int64 ChunkEnd;
    Cardinal Pending;
};

namespace {
[[noreturn]] void RaiseMissingAnchor()
{
    RaiseTreeError(QStringLiteral("Stream data corrupt. A node's anchor chunk is missing."), 2005);
}

[[noreturn]] void RaiseUnexpectedData()
{
    RaiseTreeError(QStringLiteral("Stream data corrupt. Unexpected data after node's end position."), 2006);
}
} // namespace

// Reads a node chunk's header. Its declared size must fit in what holds it
// (the enclosing chunk, and at most what the stream still has), so that no
// size from the stream is taken before it is known to be there.
void TBaseNodeTree::OpenStreamReadFrame(TStream* Stream, PDataNode Node, Int64 Limit, std::vector<TStreamReadFrame>& Frames)
{
    Integer type = 0, size = 0;
    if (!ReadChunkHeader(Stream, type, size) || type != NodeChunk || size < 0)
        RaiseMissingAnchor();
    const Int64 end = Stream->Position() + size;
    if (end > std::min(Limit, Stream->Size()))
        RaiseUnexpectedData();
    Frames.push_back({Node, end, end, 0});
}

// Reads the chunks of the open node chunks, depth first: a base chunk that
// ReadChunk has read announces its children, which are read before the rest
// of their parent's chunks. A frame whose End is -1 only reads the children
// announced for its node.
void TBaseNodeTree::RunStreamReadFrames(TStream* Stream, Integer Version, std::vector<TStreamReadFrame>& Frames)
{
    std::vector<TStreamReadFrame>* const outer = FStreamReadFrames;
    struct Restore {
        TBaseNodeTree* T;
        std::vector<TStreamReadFrame>* Frames;
        ~Restore() { T->FStreamReadFrames = Frames; }
    } restore{this, outer};
    FStreamReadFrames = &Frames;
    while (!Frames.empty()) {
        TStreamReadFrame& f = Frames.back();
        if (f.Pending > 0) {
            --f.Pending;
            PDataNode node = f.Node;
            const Int64 limit = f.ChunkEnd;
            // Children are linked one by one, so the node counts only those
            // that were read should the stream break off.
            PDataNode child = MakeNewNode();
            child->Parent = node;
            child->PrevSibling = node->LastChild;
            child->Index = node->LastChild ? node->LastChild->Index + 1 : 0;
            if (node->LastChild)
                node->LastChild->NextSibling = child;
            else
                node->FirstChild = child;
            node->LastChild = child;
            ++node->ChildCount;
            OpenStreamReadFrame(Stream, child, limit, Frames);
            continue;
        }
        if (f.End < 0) {
            Frames.pop_back();
            continue;
        }
        const Int64 position = Stream->Position();
        if (position < f.End) {
            Integer type = 0, size = 0;
            // A chunk header that the node cannot hold whole ends the node here.
            if (!ReadChunkHeader(Stream, type, size) || size < 0 || Stream->Position() + size > f.End)
                RaiseUnexpectedData();
            f.ChunkEnd = Stream->Position() + size;
            PDataNode node = f.Node;
            ReadChunk(Stream, Version, node, type, size);
            continue;
        }
        if (position != f.End)
            RaiseUnexpectedData();
        Frames.pop_back();
    }
}

void TBaseNodeTree::ReadNode(TStream* Stream, Integer Version, PDataNode Node)
{
    std::vector<TStreamReadFrame> frames;
    OpenStreamReadFrame(Stream, Node, Stream->Size(), frames);
    RunStreamReadFrames(Stream, Version, frames);
}

bool TBaseNodeTree::ReadChunk(TStream* Stream, Integer Version, PDataNode Node, Integer ChunkType, Integer ChunkSize)
{
    switch (ChunkType) {
    case BaseChunk: {
        const Integer contentSize = Version < 2 ? OldBaseContentSize : BaseContentSize;
        Byte buffer[BaseContentSize] = {};
        if (ChunkSize < contentSize || Stream->Read(buffer, contentSize) != contentSize)
            RaiseUnexpectedData();
        const Cardinal childCount = qFromLittleEndian<quint32>(buffer);
        const Word height = Word(qFromLittleEndian<quint32>(buffer + 4) & 0xFFFF);
        TDataNodeStates states;
        Integer tail;
        if (Version < 2) {
            const Byte old = buffer[8];
            states = (old & 0x7F) | vsVisible | ((old & 0x80) ? vsSelected : 0);
            tail = 9;
        } else {
            states = qFromLittleEndian<quint32>(buffer + 8);
            tail = 12;
        }
        Node->States = states & ~UnreadableStates;
        Node->NodeHeight = height;
        Node->TotalHeight = height;
        Node->Align = buffer[tail];
        Node->CheckState = CheckStateFrom(buffer[tail + 1]);
        Node->CheckType = CheckTypeFrom(buffer[tail + 2]);
        if (childCount == 0)
            return true;
        // The children's node chunks follow inside this chunk; the walk
        // reads them next.
        if (FStreamReadFrames && !FStreamReadFrames->empty() && FStreamReadFrames->back().Node == Node) {
            FStreamReadFrames->back().Pending = childCount;
        } else {
            const Int64 end = Stream->Position() - contentSize + ChunkSize;
            std::vector<TStreamReadFrame> frames{{Node, -1, end, childCount}};
            RunStreamReadFrames(Stream, Version, frames);
        }
        return true;
    }
    case UserChunk: {
        if (ChunkSize <= 0)
            return true;
        const Int64 start = Stream->Position();
        DoLoadNode(Node, Stream);
        const bool result = Stream->Position() > start;
        if (Stream->Position() != start + ChunkSize)
            Stream->SetPosition(start + ChunkSize);
        return result;
    }
    default:
        Stream->SetPosition(Stream->Position() + ChunkSize);
        return false;
    }
}

void TBaseNodeTree::SkipNode(TStream* Stream)
{
    Integer type = 0, size = 0;
    if (!ReadChunkHeader(Stream, type, size) || type != NodeChunk || size < 0)
        RaiseMissingAnchor();
    if (Stream->Position() + size > Stream->Size())
        RaiseUnexpectedData();
    Stream->SetPosition(Stream->Position() + size);
}

namespace {
// The nodes of Root's subtree in tree order (each node before its
// children), found without recursion: a stream can nest as deep as it is long.
std::vector<PDataNode> SubtreeInOrder(PDataNode Root)
{
    std::vector<PDataNode> order;
    PDataNode run = Root;
    while (run) {
        order.push_back(run);
        if (run->FirstChild) {
            run = run->FirstChild;
            continue;
        }
        while (run != Root && run->NextSibling == nullptr)
            run = run->Parent;
        run = run == Root ? nullptr : run->NextSibling;
    }
    return order;
}
} // namespace

void TBaseNodeTree::LoadNodeFromStream(TStream* Stream, Integer Version, PDataNode Node)
{
    TREE_ASSERT(Node != FRoot, "The root node cannot be loaded from stream.");
    const Integer lastTotalHeight = Integer(Node->TotalHeight);
    const bool wasVisible = FullyVisible(Node) && !IsEffectivelyFiltered(Node);
    const bool wasShown = (Node->States & vsVisible) && (Node->Parent->States & vsExpanded);
    // What was read stays, and the tree's books are brought in line with
    // it even when the stream breaks off inside the node.
    auto bookkeeping = [&] {
        // Counts and heights from the leaves up: in reverse tree order every
        // node comes after all of its descendants.
        CatchUpCounts();
        const std::vector<PDataNode> order = SubtreeInOrder(Node);
        for (PDataNode run : order) {
            run->TotalCount = 1;
            run->TotalHeight = IsEffectivelyFiltered(run) ? 0 : run->NodeHeight;
        }
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            PDataNode run = *it;
            if (run == Node)
                continue;
            PDataNode parent = run->Parent;
            parent->TotalCount += run->TotalCount;
            if ((parent->States & vsExpanded) && (run->States & vsVisible))
                parent->TotalHeight += run->TotalHeight;
        }
        PropagateTotalCount(Node->Parent, Integer(Node->TotalCount) - 1, true);
        const bool shown = (Node->States & vsVisible) && (Node->Parent->States & vsExpanded);
        // The parent counted the fresh node's height when it was linked; a
        // node now hidden takes that back.
        if (shown && wasShown)
            PropagateTotalHeight(Node->Parent, Integer(Node->TotalHeight) - lastTotalHeight, true);
        else if (wasShown)
            PropagateTotalHeight(Node->Parent, -lastTotalHeight, true);
        else if (shown)
            PropagateTotalHeight(Node->Parent, Integer(Node->TotalHeight), true);
        if (FullyVisible(Node) && !IsEffectivelyFiltered(Node)) {
            FVisibleCount += CountVisibleDescendants(Node);
            if (!wasVisible)
                ++FVisibleCount;
        } else if (wasVisible) {
            --FVisibleCount;
        }
        ClearTempCache();
        PDataNode stop = Node->NextSibling;
        const bool multi = (FOptions->FSelectionOptions & toMultiSelect) != 0;
        for (PDataNode run = Node; run && run != stop; run = GetNextNoInit(run)) {
            if (!(run->States & vsSelected))
                continue;
            // Freshly made nodes are in no selection yet.
            if (multi)
                InternalCacheNode(run);
            else
                run->States &= ~vsSelected;
        }
        if (FTempNodeCount > 0) {
            TNodeArray cache(FTempNodeCache.begin(), FTempNodeCache.begin() + FTempNodeCount);
            AddToSelection(cache, Integer(FTempNodeCount), true);
        }
        ClearTempCache();
    };
    try {
        ReadNode(Stream, Version, Node);
    } catch (...) {
        bookkeeping();
        throw;
    }
    bookkeeping();
}

// ---------------------------------------------------------------- string tree captions

void TCustomNodeStringTree::WriteChunks(TStream* Stream, PDataNode Node)
{
    TBaseNodeTree::WriteChunks(Stream, Node);
    if (!(StringOptions() & toSaveCaptions) || Node == RootNode() || !(Node->States & vsInitialized))
        return;
    const QString text = GetText(Node, Header()->MainColumn());
    if (text.isEmpty())
        return;
    WriteInt(Stream, CaptionChunk);
    WriteInt(Stream, Integer(2 * text.size()));
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data());
    Stream->WriteBuffer(bytes);
}

bool TCustomNodeStringTree::ReadChunk(TStream* Stream, Integer Version, PDataNode Node, Integer ChunkType, Integer ChunkSize)
{
    if (ChunkType != CaptionChunk)
        return TBaseNodeTree::ReadChunk(Stream, Version, Node, ChunkType, ChunkSize);
    QString text;
    if (ChunkSize > 0) {
        QByteArray bytes(ChunkSize, Qt::Uninitialized);
        Stream->ReadBuffer(bytes.data(), ChunkSize);
        text.resize(ChunkSize / 2);
        qFromLittleEndian<quint16>(bytes.constData(), ChunkSize / 2, text.data());
    }
    SetText(Node, Header()->MainColumn(), text);
    return true;
}

// ---------------------------------------------------------------- copying between trees

PDataNode TBaseNodeTree::CopyNodeThroughStream(PDataNode Source, TBaseNodeTree* Target, PDataNode Destination, TNtNodeAttachMode Mode)
{
    TMemoryStream stream;
    WriteNode(&stream, Source);
    stream.SetPosition(0);
    PDataNode node = Target->MakeNewNode();
    Target->InternalConnectNode(node, Destination, Target, Mode);
    Target->LoadNodeFromStream(&stream, StreamVersion, node);
    return node;
}
