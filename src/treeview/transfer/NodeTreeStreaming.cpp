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
    if (FOptions->FMiscOptions & toInitOnSave) {
        if (!(Node->States & vsInitialized))
            InitNode(Node);
        if ((Node->States & vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
    }
    const Integer start = Integer(Stream->Position());
    WriteInt(Stream, NodeChunk);
    WriteInt(Stream, 0);
    WriteChunks(Stream, Node);
    FinishChunkHeader(Stream, start, Integer(Stream->Position()));
}

void TBaseNodeTree::WriteChunks(TStream* Stream, PDataNode Node)
{
    Integer start = Integer(Stream->Position());
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
    if (withChildren)
        for (PDataNode run = Node->FirstChild; run; run = run->NextSibling)
            WriteNode(Stream, run);
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

void TBaseNodeTree::ReadNode(TStream* Stream, Integer Version, PDataNode Node)
{
    Integer type = 0, size = 0;
    if (!ReadChunkHeader(Stream, type, size) || type != NodeChunk || size < 0)
        RaiseTreeError(QStringLiteral("Stream data corrupt. A node's anchor chunk is missing."), 2005);
    const Int64 end = Stream->Position() + size;
    // A chunk header that the stream cannot hold whole ends the node here.
    while (Stream->Position() < end) {
        if (!ReadChunkHeader(Stream, type, size) || size < 0 || Stream->Position() + size > end)
            break;
        ReadChunk(Stream, Version, Node, type, size);
    }
    if (Stream->Position() != end)
        RaiseTreeError(QStringLiteral("Stream data corrupt. Unexpected data after node's end position."), 2006);
}

bool TBaseNodeTree::ReadChunk(TStream* Stream, Integer Version, PDataNode Node, Integer ChunkType, Integer ChunkSize)
{
    switch (ChunkType) {
    case BaseChunk: {
        const Integer contentSize = Version < 2 ? OldBaseContentSize : BaseContentSize;
        Byte buffer[BaseContentSize] = {};
        if (ChunkSize < contentSize || Stream->Read(buffer, contentSize) != contentSize)
            RaiseTreeError(QStringLiteral("Stream data corrupt. Unexpected data after node's end position."), 2006);
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
        // Children are linked one by one, so the node counts only those that
        // were read should the stream break off.
        Node->ChildCount = 0;
        for (Cardinal i = 0; i < childCount; ++i) {
            PDataNode child = MakeNewNode();
            child->Parent = Node;
            child->PrevSibling = Node->LastChild;
            child->Index = Node->LastChild ? Node->LastChild->Index + 1 : 0;
            if (Node->LastChild)
                Node->LastChild->NextSibling = child;
            else
                Node->FirstChild = child;
            Node->LastChild = child;
            ++Node->ChildCount;
            ReadNode(Stream, Version, child);
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
    if (!ReadChunkHeader(Stream, type, size) || type != NodeChunk)
        RaiseTreeError(QStringLiteral("Stream data corrupt. A node's anchor chunk is missing."), 2005);
    Stream->SetPosition(Stream->Position() + size);
}

namespace {
// Counts and heights of a subtree read from a stream, from the leaves up.
void FixupTotalCount(PDataNode Node)
{
    Node->TotalCount = 1;
    for (PDataNode run = Node->FirstChild; run; run = run->NextSibling) {
        FixupTotalCount(run);
        Node->TotalCount += run->TotalCount;
    }
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
        FixupTotalCount(Node);
        PropagateTotalCount(Node->Parent, Integer(Node->TotalCount) - 1, true);
        std::function<void(PDataNode)> fixHeight = [&](PDataNode N) {
            N->TotalHeight = IsEffectivelyFiltered(N) ? 0 : N->NodeHeight;
            for (PDataNode run = N->FirstChild; run; run = run->NextSibling) {
                fixHeight(run);
                if ((N->States & vsExpanded) && (run->States & vsVisible))
                    N->TotalHeight += run->TotalHeight;
            }
        };
        fixHeight(Node);
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
