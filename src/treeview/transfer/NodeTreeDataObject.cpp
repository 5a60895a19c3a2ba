// The tree's data object and the tree's side of it: which formats it
// offers, and the rendering of the tree's own node format.

#include "treeview/transfer/NodeTreeDataObject.h"

#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>

#include "platform/Streams.h"
#include "treeview/NodeTreesPrivate.h"

const QString TreeDataFormat = QStringLiteral("Node Tree Data");
const QString TreeReferenceFormat = QStringLiteral("Node Tree Reference");

QString ClipboardMimeType(const QString& FormatName)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(FormatName);
}

namespace {
// Every data object alive, so that a tree named by a reference can be checked.
std::vector<TNtDataObject*>& LiveObjects()
{
    static std::vector<TNtDataObject*> objects;
    return objects;
}
} // namespace

TBaseNodeTree* TNtDataObject::LiveOwner(const TBaseNodeTree* Tree)
{
    if (Tree == nullptr)
        return nullptr;
    for (TNtDataObject* object : LiveObjects())
        if (object->FOwner == Tree)
            return object->FOwner;
    return nullptr;
}

TNtDataObject::TNtDataObject(TBaseNodeTree* AOwner, bool ForClipboard) : FOwner(AOwner), FForClipboard(ForClipboard)
{
    LiveObjects().push_back(this);
    if (FOwner != nullptr) {
        FOwner->FDataObjects.push_back(this);
        FOwner->CollectClipboardFormats(FFormatEtcArray);
    }
}

TNtDataObject::~TNtDataObject()
{
    auto& live = LiveObjects();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (FOwner == nullptr)
        return;
    auto& list = FOwner->FDataObjects;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    // The cut or copy marks go with the clipboard's data, unless a flush
    // (which ends them itself) released it.
    if (FForClipboard && !FOwner->HasTreeState(tsClipboardFlushing))
        FOwner->CancelCutOrCopy();
}

QStringList TNtDataObject::formats() const
{
    QStringList result = FFormatEtcArray;
    for (const QString& stored : QMimeData::formats())
        if (!result.contains(stored))
            result.append(stored);
    return result;
}

bool TNtDataObject::hasFormat(const QString& MimeType) const
{
    return formats().contains(MimeType);
}

QVariant TNtDataObject::retrieveData(const QString& MimeType, QMetaType Type) const
{
    // The reference is answered whether offered or not, but never once the
    // clipboard is flushed: the data then outlive any link into this process.
    if (MimeType == ClipboardMimeType(TreeReferenceFormat)) {
        if (FOwner == nullptr || FOwner->HasTreeState(tsClipboardFlushing))
            return QVariant();
        QByteArray reference(12, 0);
        qToLittleEndian<quint32>(quint32(QCoreApplication::applicationPid()), reference.data());
        qToLittleEndian<quint64>(quint64(reinterpret_cast<quintptr>(FOwner)), reference.data() + 4);
        return reference;
    }
    // What another party stored wins over rendering.
    if (QMimeData::formats().contains(MimeType))
        return QMimeData::retrieveData(MimeType, Type);
    if (FOwner == nullptr || !FFormatEtcArray.contains(MimeType))
        return QVariant();
    try {
        QByteArray data;
        if (FOwner->RenderOLEData(MimeType, data, FForClipboard))
            return data;
    } catch (...) {
        // A failed rendering gives the consumer nothing rather than half.
    }
    return QVariant();
}

// ---------------------------------------------------------------- the tree's side

void TBaseNodeTree::CollectClipboardFormats(QStringList& Formats)
{
    // The registry of named formats a tree class renders is not kept here:
    // a tree offers what its owner adds.
    DoGetUserClipboardFormats(Formats);
}

void TBaseNodeTree::DoGetUserClipboardFormats(QStringList& Formats)
{
    if (OnGetUserClipboardFormats)
        OnGetUserClipboardFormats(this, Formats);
}

bool TBaseNodeTree::RenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard)
{
    Data.clear();
    if (Format != ClipboardMimeType(TreeDataFormat))
        return DoRenderOLEData(Format, Data, ForClipboard);
    // The nodes in tree order, none with an ancestor among them, written
    // one after the other without a stream header, behind their byte count.
    const TNodeArray nodes = ForClipboard ? GetSortedCutCopySet(true) : GetSortedSelection(true);
    TMemoryStream stream;
    for (PDataNode node : nodes)
        WriteNode(&stream, node);
    if (stream.Size() == 0)
        return false;
    QByteArray count(4, 0);
    qToLittleEndian<qint32>(qint32(stream.Size()), count.data());
    Data = count + stream.Bytes();
    return true;
}

bool TBaseNodeTree::DoRenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard)
{
    bool rendered = false;
    if (OnRenderOLEData)
        OnRenderOLEData(this, Format, ForClipboard, Data, rendered);
    return rendered;
}

TNodeArray TBaseNodeTree::GetSortedCutCopySet(bool Resolve)
{
    TNodeArray result;
    PDataNode run = GetFirstNoInit();
    while (run) {
        if (!(run->States & vsCutOrCopy)) {
            run = GetNextNoInit(run);
            continue;
        }
        result.push_back(run);
        if (!Resolve) {
            run = GetNextNoInit(run);
            continue;
        }
        // A taken node's subtree is skipped.
        while (run != FRoot && run->NextSibling == nullptr)
            run = run->Parent;
        run = run == FRoot ? nullptr : run->NextSibling;
    }
    return result;
}

void TBaseNodeTree::CancelCutOrCopy()
{
    if (HasTreeState(tsCutPending | tsCopyPending))
        for (PDataNode run = GetFirstNoInit(); run; run = GetNextNoInit(run))
            run->States &= ~vsCutOrCopy;
    DoStateChange(0, tsCutPending | tsCopyPending);
}

void TBaseNodeTree::DetachDataObjects()
{
    for (TNtDataObject* object : FDataObjects)
        object->FOwner = nullptr;
    FDataObjects.clear();
}
