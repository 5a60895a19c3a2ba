#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString TClipboard::AsText() const
{
    const QClipboard* c = QGuiApplication::clipboard();
    return c != nullptr ? c->text() : QString();
}

void TClipboard::SetAsText(const QString& Value)
{
    if (QClipboard* c = QGuiApplication::clipboard())
        c->setText(Value);
}

bool TClipboard::HasText() const
{
    const QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* data = c != nullptr ? c->mimeData() : nullptr;
    return data != nullptr && data->hasText();
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
