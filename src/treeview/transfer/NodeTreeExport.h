#pragma once
// The string tree's exports: an HTML table, an RTF table, text with a
// separator (CSV included), a custom export that only fires the export
// events, and the blocks of the clipboard's text formats. Each walks the
// nodes of a source, asks the tree for every cell's text as it would be
// shown and for the font its OnPaintText handler sets.

#include <QByteArray>
#include <QString>

#include "treeview/NodeTrees.h"

QString ExportToHtml(TCustomNodeStringTree* Tree, TNSTTextSourceType Source, const QString& Caption = QString());
QByteArray ExportToRtf(TCustomNodeStringTree* Tree, TNSTTextSourceType Source);
QString ExportToText(TCustomNodeStringTree* Tree, TNSTTextSourceType Source, const QString& Separator);
void ExportToCustom(TCustomNodeStringTree* Tree, TNSTTextSourceType Source);
// The block of one text format, by its description; empty for a format the
// export does not produce. Texts end in a NUL character as on the clipboard.
QByteArray ExportToGlobalMemory(TCustomNodeStringTree* Tree, const QString& Format, TNSTTextSourceType Source);

// The clipboard's HTML envelope around an HTML fragment (UTF-8): the
// "Version:1.0" header with the byte offsets of the document and of the
// fragment, then the document.
QByteArray MakeClipboardHtml(const QByteArray& Html);
// "#RRGGBB" of a colour (system colours resolved).
QString HtmlColor(TColor Color);
