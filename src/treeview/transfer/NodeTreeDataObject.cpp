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

// ---------------------------------------------------------------- the format registry

namespace {
bool AnyTree(const TBaseNodeTree*)
{
    return true;
}

bool StringTree(const TBaseNodeTree* Tree)
{
    return dynamic_cast<const TCustomNodeStringTree*>(Tree) != nullptr;
}

std::vector<TClipboardFormatListEntry>& Registry()
{
    // Filled once, with the formats the tree classes render.
    static std::vector<TClipboardFormatListEntry> list = [] {
        std::vector<TClipboardFormatListEntry> l;
        l.push_back({TreeDataFormat, ClipboardMimeType(TreeDataFormat), AnyTree, 50});
        l.push_back({QStringLiteral("HTML Format"), QStringLiteral("text/html"), StringTree, 80});
        l.push_back({QStringLiteral("Rich Text Format Without Objects"), ClipboardMimeType(QStringLiteral("Rich Text Format Without Objects")),
                     StringTree, 84});
        l.push_back({QStringLiteral("Rich Text Format"), QStringLiteral("text/rtf"), StringTree, 85});
        l.push_back({QStringLiteral("CSV"), QStringLiteral("text/csv"), StringTree, 90});
        l.push_back({QStringLiteral("Plain text"), QStringLiteral("text/plain"), StringTree, 100});
        l.push_back({QStringLiteral("Unicode text"), QStringLiteral("text/plain;charset=utf-8"), StringTree, 95});
        std::stable_sort(l.begin(), l.end(), [](const auto& a, const auto& b) { return a.Priority < b.Priority; });
        return l;
    }();
    return list;
}
} // namespace

void TClipboardFormatList::Add(const QString& Description, const QString& MimeType, bool (*Renders)(const TBaseNodeTree*), Cardinal Priority)
{
    auto& list = Registry();
    list.push_back({Description, MimeType, Renders, Priority});
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.Priority < b.Priority; });
}

void TClipboardFormatList::Clear()
{
    Registry().clear();
}

QStringList TClipboardFormatList::EnumerateFormats(const TBaseNodeTree* Tree, const QStringList* Allowed)
{
    QStringList result;
    for (const auto& entry : Registry())
        if (entry.Renders(Tree) && (Allowed == nullptr || Allowed->contains(entry.Description, Qt::CaseInsensitive)))
            result.append(entry.MimeType);
    return result;
}

QStringList TClipboardFormatList::EnumerateDescriptions(const TBaseNodeTree* Tree)
{
    QStringList result;
    for (const auto& entry : Registry())
        if (entry.Renders(Tree))
            result.append(entry.Description);
    return result;
}

const TClipboardFormatListEntry* TClipboardFormatList::FindFormat(const QString& Description)
{
    const auto& list = Registry();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (it->Description.compare(Description, Qt::CaseInsensitive) == 0)
            return &*it;
    return nullptr;
}

Integer TClipboardFormats::IndexOf(const QString& S) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (FItems[i].compare(S, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Integer TClipboardFormats::Add(const QString& S)
{
    const TClipboardFormatListEntry* entry = TClipboardFormatList::FindFormat(S);
    if (entry == nullptr || !entry->Renders(FOwner))
        return -1;
    const Integer existing = IndexOf(S);
    if (existing >= 0)
        return existing;
    auto at = std::lower_bound(FItems.begin(), FItems.end(), S, [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const Integer index = Integer(at - FItems.begin());
    FItems.insert(index, S);
    return index;
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
    Formats = TClipboardFormatList::EnumerateFormats(this, &FClipboardFormats->Strings());
    DoGetUserClipboardFormats(Formats);
}

void TBaseNodeTree::SetClipboardFormats(const QStringList& Value)
{
    FClipboardFormats->Clear();
    for (const QString& s : Value)
        FClipboardFormats->Add(s);
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
