#pragma once
// The rich-text source a grid cell stores (RTF) read into a Qt text
// document and written back. Only the layer's own code (and its tests)
// include this.
//
// The subset read: groups, the font and colour tables, bold, italic,
// underline, strike-out, font, size, colour, raised and lowered text
// (\up, \dn, \super, \sub, \nosupersub), \plain, paragraphs with their
// alignment (\pard, \ql, \qc, \qr, \qj), line breaks, tabs, the escapes
// \\ \{ \} \~ \'hh (Windows-1252) and \uN with its \uc fallback count.
// Every other destination (style sheets, pictures, fields' instructions,
// document information, "\*" groups) is skipped with its content. A text
// that does not start with "{\rtf" is not RTF. The reader's cost is linear
// in its input and it never fails on a malformed text: it reads what it can.
//
// The writer produces that same subset, 7-bit only (\uN for the rest), and
// reading what it wrote gives the same text and formats back.

#include <QString>
#include <QTextFormat>

class QTextDocument;
class QTextCharFormat;

// The character offset (raised or lowered text) of a format, in twips
// (1/1440 inch); kept as a property of its own so that it survives the
// round trip exactly, and shown as superscript or subscript.
constexpr int RtfCharOffsetProperty = QTextFormat::UserProperty + 0x52;
int RtfCharOffset(const QTextCharFormat& Format);
void SetRtfCharOffset(QTextCharFormat& Format, int Twips);

// True when the text is RTF source (starts with "{\rtf", blanks allowed before).
bool IsRtfText(const QString& Text);
// Replaces the document's content with the RTF source; false (and the
// document left empty) when the text is not RTF.
bool ReadRtf(const QString& Rtf, QTextDocument& Doc);
// The document as RTF source.
QString WriteRtf(const QTextDocument& Doc);
