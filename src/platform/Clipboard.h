#pragma once
// The system clipboard's text.

#include <QString>

class TClipboard {
public:
    QString AsText() const;
    void SetAsText(const QString& Value);
    // True when the clipboard holds text.
    bool HasText() const;
};

// The program's one clipboard object.
TClipboard* Clipboard();
