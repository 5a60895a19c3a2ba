#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// The mime types other programs use for the two well-known formats.
QString CommonMime(const QString& Name)
{
    if (Name == QLatin1String("Rich Text Format"))
        return QStringLiteral("text/rtf");
    if (Name == QLatin1String("HTML Format"))
        return QStringLiteral("text/html");
    return QString();
}

} // namespace

QString ClipboardFormatMime(const QString& Name)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(Name);
}

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

void TClipboard::AddFormat(const QString& Name, const QByteArray& Data)
{
    QClipboard* c = QGuiApplication::clipboard();
    if (c == nullptr)
        return;
    // The clipboard's data is replaced whole: a copy of what it holds with
    // the new format added.
    auto* data = new QMimeData;
    if (const QMimeData* old = c->mimeData())
        for (const QString& f : old->formats())
            data->setData(f, old->data(f));
    data->setData(ClipboardFormatMime(Name), Data);
    if (const QString common = CommonMime(Name); !common.isEmpty()) {
        QByteArray bytes = Data;
        while (bytes.endsWith('\0'))
            bytes.chop(1);
        data->setData(common, bytes);
    }
    c->setMimeData(data);
}

bool TClipboard::HasFormat(const QString& Name) const
{
    const QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* data = c != nullptr ? c->mimeData() : nullptr;
    if (data == nullptr)
        return false;
    const QString common = CommonMime(Name);
    return data->hasFormat(ClipboardFormatMime(Name)) || (!common.isEmpty() && data->hasFormat(common));
}

QByteArray TClipboard::AsFormat(const QString& Name) const
{
    const QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* data = c != nullptr ? c->mimeData() : nullptr;
    if (data == nullptr)
        return {};
    QByteArray b = data->data(ClipboardFormatMime(Name));
    if (b.isEmpty())
        if (const QString common = CommonMime(Name); !common.isEmpty())
            b = data->data(common);
    return b;
}

void TClipboard::Clear()
{
    if (QClipboard* c = QGuiApplication::clipboard())
        c->clear();
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
