// The clipboard: the selected nodes cut or copied as a data object on the
// system clipboard, the marks the nodes carry meanwhile, pasting, and the
// insertion of what a data object carries, shared with dropping.

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QtEndian>

#include "platform/Streams.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/transfer/NodeTreeDataObject.h"

namespace {
QClipboard* SystemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// The clipboard's data object when it is one of Tree's.
const TNtDataObject* ClipboardObjectOf(TBaseNodeTree* Tree)
{
    QClipboard* clipboard = SystemClipboard();
    const auto* object = clipboard ? dynamic_cast<const TNtDataObject*>(clipboard->mimeData()) : nullptr;
    return object && object->Owner() == Tree ? object : nullptr;
}
} // namespace

// ---------------------------------------------------------------- inserting data

TBaseNodeTree* TBaseNodeTree::GetTreeFromDataObject(const QMimeData* DataObject)
{
    if (DataObject == nullptr)
        return nullptr;
    const QByteArray reference = DataObject->data(ClipboardMimeType(TreeReferenceFormat));
    if (reference.size() != 12 || qFromLittleEndian<quint32>(reference.constData()) != quint32(QCoreApplication::applicationPid()))
        return nullptr;
    const auto pointer = quintptr(qFromLittleEndian<quint64>(reference.constData() + 4));
    // The reference is believed only while a data object of that tree
    // lives: a pointer read from data is never followed blindly.
    return TNtDataObject::LiveOwner(reinterpret_cast<TBaseNodeTree*>(pointer));
}

bool TBaseNodeTree::ProcessOLEData(TBaseNodeTree* Source, const QMimeData* DataObject, PDataNode TargetNode, TNtNodeAttachMode Mode,
                                   bool Optimized)
{
    const QString format = ClipboardMimeType(TreeDataFormat);
    if (DataObject == nullptr || !DataObject->hasFormat(format))
        return false;
    if (ReadOnly())
        return true;
    BeginUpdate();
    struct End {
        TBaseNodeTree* T;
        ~End() { T->EndUpdate(); }
    } end{this};
    if (TargetNode == nullptr)
        TargetNode = FRoot;
    if (TargetNode == FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    if (Optimized && Source != nullptr) {
        const TNodeArray nodes = Source->HasTreeState(tsOLEDragging) ? Source->FDragSelection : Source->GetSortedCutCopySet(true);
        auto move = [&](PDataNode node) {
            // A node never goes into its own subtree.
            if (TargetNode == FRoot || (node != TargetNode && !HasAsParent(TargetNode, node)))
                Source->MoveTo(node, TargetNode, Mode, false);
        };
        if (Mode == amInsertBefore || Mode == amAddChildLast)
            for (PDataNode node : nodes)
                move(node);
        else
            for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
                move(*it);
        return true;
    }
    const TChangeReason reason = Source == this ? crNodeCopied : crNodeAdded;
    const QByteArray block = DataObject->data(format);
    if (block.size() < 4)
        return false;
    // The block's first four bytes count the node chunks behind them.
    const qint64 length = qFromLittleEndian<qint32>(block.constData());
    if (length < 0 || length > block.size() - 4)
        return false;
    TMemoryStream stream;
    stream.WriteBuffer(block.constData() + 4, length);
    stream.SetPosition(0);
    while (stream.Position() < stream.Size()) {
        PDataNode node = MakeNewNode();
        InternalConnectNode(node, TargetNode, this, Mode);
        LoadNodeFromStream(&stream, 2, node);
        if (DoNodeCopying(node, TargetNode == FRoot ? nullptr : TargetNode)) {
            DoNodeCopied(node);
            StructureChange(node, reason);
            if (Mode == amInsertAfter)
                TargetNode = node;
        } else {
            DeleteNode(node);
        }
    }
    return true;
}

bool TBaseNodeTree::ProcessDrop(const QMimeData* DataObject, PDataNode TargetNode, Integer& Effect, TNtNodeAttachMode Mode)
{
    if (Mode == amNoWhere) {
        Effect = DROPEFFECT_NONE;
        return false;
    }
    bool result = false;
    BeginUpdate();
    TBaseNodeTree* source = GetTreeFromDataObject(DataObject);
    if (source != nullptr)
        source->BeginUpdate();
    try {
        if ((Effect & DROPEFFECT_MOVE) && source != nullptr) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, !(Effect & DROPEFFECT_COPY));
            // The nodes moved here: the source must not delete them again.
            Effect = DROPEFFECT_NONE;
        } else if (Effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, false);
        }
    } catch (...) {
        Effect = DROPEFFECT_NONE;
        result = false;
    }
    if (source != nullptr)
        source->EndUpdate();
    EndUpdate();
    return result;
}

// ---------------------------------------------------------------- cut, copy and paste

void TBaseNodeTree::CopyToClipboard()
{
    QClipboard* clipboard = SystemClipboard();
    if (FSelectionCount == 0 || clipboard == nullptr)
        return;
    // Replacing the clipboard's data frees the object there before, which
    // ends the marks of the tree it came from.
    clipboard->setMimeData(new TNtDataObject(this, true));
    MarkCutCopySelection();
    DoStateChange(tsCopyPending);
    Invalidate();
}

void TBaseNodeTree::CutToClipboard()
{
    QClipboard* clipboard = SystemClipboard();
    if (FSelectionCount == 0 || ReadOnly() || clipboard == nullptr)
        return;
    clipboard->setMimeData(new TNtDataObject(this, true));
    MarkCutCopySelection();
    DoStateChange(tsCutPending, tsCopyPending);
    Invalidate();
}

bool TBaseNodeTree::PasteFromClipboard()
{
    if (ReadOnly())
        return false;
    QClipboard* clipboard = SystemClipboard();
    if (clipboard == nullptr)
        RaiseTreeError(QStringLiteral("Clipboard operation failed."), 2007);
    // An empty clipboard has no data object here: there is nothing to paste.
    const QMimeData* data = clipboard->mimeData();
    if (data == nullptr)
        return false;
    TBaseNodeTree* source = GetTreeFromDataObject(data);
    const bool result =
        ProcessOLEData(source, data, FFocusedNode, FDefaultPasteMode, source != nullptr && source->HasTreeState(tsCutPending));
    if (source == this)
        DoStateChange(0, tsCutPending);
    else if (source != nullptr)
        source->FinishCutOrCopy();
    return result;
}

void TBaseNodeTree::FlushClipboard()
{
    if (!HasTreeState(tsCutPending | tsCopyPending))
        return;
    DoStateChange(tsClipboardFlushing);
    struct Leave {
        TBaseNodeTree* T;
        ~Leave() { T->DoStateChange(0, tsClipboardFlushing); }
    } leave{this};
    // Every offered format is rendered now into data of the clipboard's own,
    // which no longer depends on the tree.
    if (const TNtDataObject* object = ClipboardObjectOf(this)) {
        auto* copy = new QMimeData;
        for (const QString& format : object->formats()) {
            const QByteArray data = object->data(format);
            if (!data.isEmpty())
                copy->setData(format, data);
        }
        SystemClipboard()->setMimeData(copy);
    }
    CancelCutOrCopy();
}

void TBaseNodeTree::ReleaseClipboardData()
{
    if (ClipboardObjectOf(this) != nullptr)
        SystemClipboard()->clear();
}

void TBaseNodeTree::FinishCutOrCopy()
{
    if (!HasTreeState(tsCutPending))
        return;
    PDataNode run = GetFirstNoInit();
    while (run) {
        if (!(run->States & vsCutOrCopy)) {
            run = GetNextNoInit(run);
            continue;
        }
        // Past the subtree, then the subtree goes.
        PDataNode next = run;
        while (next != FRoot && next->NextSibling == nullptr)
            next = next->Parent;
        next = next == FRoot ? nullptr : next->NextSibling;
        DeleteNode(run);
        run = next;
    }
    DoStateChange(0, tsCutPending);
}

void TBaseNodeTree::MarkCutCopySelection()
{
    if (FSelectionCount == 0)
        return;
    for (PDataNode node : GetSortedSelection(false))
        if (!(node->States & vsDisabled))
            node->States |= vsCutOrCopy;
}

Integer TBaseNodeTree::CutCopyCount()
{
    Integer count = 0;
    for (PDataNode run = GetFirstCutCopy(); run; run = GetNextCutCopy(run))
        ++count;
    return count;
}
