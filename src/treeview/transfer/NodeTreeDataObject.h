#pragma once
// The data a tree hands out when its nodes are dragged or put on the
// clipboard: a MIME data object that offers the tree's formats, renders
// each only when a consumer asks for it, keeps what other parties store
// into it, and carries a reference to its tree so that a drop or paste in
// this process can recognise the source.

#include <QMimeData>
#include <QStringList>

#include "platform/Types.h"

class TBaseNodeTree;

// The tree's own format: node chunks as the node stream writes them.
extern const QString TreeDataFormat;
// Process and tree of a data object (served, never offered).
extern const QString TreeReferenceFormat;
// The MIME type under which a named clipboard format travels; it maps to
// the format of that name on desktops that name their formats.
QString ClipboardMimeType(const QString& FormatName);

// The process-wide list of the named formats tree classes render, in the
// order they are offered (lowest priority first).
struct TClipboardFormatListEntry {
    QString Description;
    QString MimeType;
    // Whether a tree is of the least class that renders the format, or below it.
    bool (*Renders)(const TBaseNodeTree* Tree);
    Cardinal Priority;
};

class TClipboardFormatList {
public:
    static void Add(const QString& Description, const QString& MimeType, bool (*Renders)(const TBaseNodeTree*), Cardinal Priority);
    static void Clear();
    // The MIME types Tree may offer, in offer order; Allowed (when given)
    // names the descriptions wanted.
    static QStringList EnumerateFormats(const TBaseNodeTree* Tree, const QStringList* Allowed);
    // The descriptions of every format Tree's class renders.
    static QStringList EnumerateDescriptions(const TBaseNodeTree* Tree);
    // The entry of that description, letter case aside; nil when none.
    static const TClipboardFormatListEntry* FindFormat(const QString& Description);
};

// The formats one tree offers: a sorted list of descriptions, without
// duplicates and without regard to letter case, that takes only what the
// registry knows and the tree's class renders.
class TClipboardFormats {
public:
    explicit TClipboardFormats(TBaseNodeTree* AOwner) : FOwner(AOwner) {}
    // The description's index, or -1 when it was refused.
    Integer Add(const QString& S);
    void Clear() { FItems.clear(); }
    Integer Count() const { return Integer(FItems.size()); }
    const QStringList& Strings() const { return FItems; }
    Integer IndexOf(const QString& S) const;

private:
    TBaseNodeTree* FOwner;
    QStringList FItems;
};

class TNtDataObject : public QMimeData {
public:
    // ForClipboard: renders the cut or copy set and ends the marks when
    // released; otherwise (a drag) renders the selection.
    TNtDataObject(TBaseNodeTree* AOwner, bool ForClipboard);
    ~TNtDataObject() override;

    TBaseNodeTree* Owner() const { return FOwner; }
    // Tree when a data object of it still lives, else nil.
    static TBaseNodeTree* LiveOwner(const TBaseNodeTree* Tree);
    bool ForClipboard() const { return FForClipboard; }
    // The offered formats (MIME types, in offer order) and what was stored.
    QStringList formats() const override;
    bool hasFormat(const QString& MimeType) const override;

protected:
    QVariant retrieveData(const QString& MimeType, QMetaType Type) const override;

private:
    friend class TBaseNodeTree;
    TBaseNodeTree* FOwner;  // cleared when the tree goes first
    bool FForClipboard;
    QStringList FFormatEtcArray;
};
