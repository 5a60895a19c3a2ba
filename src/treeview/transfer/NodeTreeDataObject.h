#pragma once
// The data a tree hands out when its nodes are dragged or put on the
// clipboard: a MIME data object that offers the tree's formats, renders
// each only when a consumer asks for it, keeps what other parties store
// into it, and carries a reference to its tree so that a drop or paste in
// this process can recognise the source.

#include <QMimeData>
#include <QStringList>

class TBaseNodeTree;

// The tree's own format: node chunks as the node stream writes them.
extern const QString TreeDataFormat;
// Process and tree of a data object (served, never offered).
extern const QString TreeReferenceFormat;
// The MIME type under which a named clipboard format travels; it maps to
// the format of that name on desktops that name their formats.
QString ClipboardMimeType(const QString& FormatName);

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
