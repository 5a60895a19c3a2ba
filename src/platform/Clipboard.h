#pragma once
// The system clipboard: its text and the formats registered by name.

#include <QByteArray>
#include <QString>

// The mime type under which a format registered by name (such as "Rich Text
// Format") travels on the clipboard and in drags.
QString ClipboardFormatMime(const QString& Name);

class TClipboard {
public:
    QString AsText() const;
    void SetAsText(const QString& Value);
    // True when the clipboard holds text.
    bool HasText() const;
    // A format registered by name added beside what the clipboard holds;
    // "Rich Text Format" and "HTML Format" are also offered under the mime
    // types other programs read (text/rtf, text/html).
    void AddFormat(const QString& Name, const QByteArray& Data);
    bool HasFormat(const QString& Name) const;
    // The format's bytes; empty when it is absent.
    QByteArray AsFormat(const QString& Name) const;
    void Clear();
};

// The program's one clipboard object.
TClipboard* Clipboard();
