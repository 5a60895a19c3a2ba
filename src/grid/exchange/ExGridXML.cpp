// XML export and import of the string grid.

#include "grid/ExGrid.h"

#include <QRegularExpression>

#include "grid/ExObj.h"
#include "platform/FileSystem.h"
#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

namespace {

QString EscapeXMLText(QString T)
{
    T.replace(u'&', QStringLiteral("$amp;"));
    T.replace(u'>', QStringLiteral("&gt;"));
    T.replace(u'<', QStringLiteral("&lt;"));
    T.replace(u'"', QStringLiteral("&quot;"));
    // A reader turns line ends into LF; the reference keeps the CR.
    T.replace(QChar(13), QStringLiteral("&#13;"));
    return T;
}

// The parser has resolved the entities already; replacing them once more
// would turn a text that holds an entity's name into another text.
QString UnescapeXMLText(QString T)
{
    T.replace(QStringLiteral("$amp;"), QStringLiteral("&"));
    return T;
}

// The bytes of the document in the encoding its declaration names; in a
// single-byte encoding the characters it lacks become character
// references, so that nothing is lost.
QByteArray EncodeXML(const QString& Text, const QString& Encoding)
{
    const QString e = Encoding.trimmed().toUpper();
    if (e == QLatin1String("UTF-8") || e == QLatin1String("UTF8"))
        return Text.toUtf8();
    QByteArray out;
    out.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        char32_t cp = Text[i].unicode();
        if (Text[i].isHighSurrogate() && i + 1 < Text.size()) {
            cp = QChar::surrogateToUcs4(Text[i], Text[i + 1]);
            ++i;
        }
        if (cp < (e == QLatin1String("US-ASCII") ? 0x80u : 0x100u))
            out.append(char(cp));
        else
            out.append(QStringLiteral("&#%1;").arg(uint(cp)).toLatin1());
    }
    return out;
}

// All the text below a node, as the document object model gives it.
QString DeepText(const TXMLNode& N)
{
    if (N.NodeType() == ntText || N.NodeType() == ntCData)
        return N.Text();
    QString s;
    for (Integer i = 0; i < N.ChildCount(); ++i)
        s += DeepText(N.Child(i));
    return s;
}

} // namespace

void TExStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                              TStrings* FieldDescr, bool ExportEmptyCells)
{
    const QString CRLF = QStringLiteral("\r\n");
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>").arg(XMLEncoding()) + CRLF;
    text += u'<' + ListDescr + u'>' + CRLF;
    const Integer H = SaveHiddenCells() ? NumHiddenColumns() : 0;
    ExportNotification(esExportStart, SaveStartRow());
    FLastProgress = -1;
    for (Integer r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        text += u'<' + RecordDescr + u'>' + CRLF;
        for (Integer c = SaveStartCol(); c <= SaveEndCol() + H; ++c) {
            const Integer rc = SaveHiddenCells() ? c : RealColIndex(c);
            if (!IsBaseCell(rc, r))
                continue;
            QString t;
            SaveCell(rc, r, t);
            if (t.isEmpty() && !ExportEmptyCells)
                continue;
            if (t.isEmpty() && QuoteEmptyCells())
                t = QStringLiteral("\"\"");
            const Integer k = c - SaveStartCol();
            const QString name = FieldDescr != nullptr && k < FieldDescr->Count() ? FieldDescr->Strings(k)
                                                                                   : QStringLiteral("FIELD%1").arg(k);
            text += u'<' + name + u'>' + EscapeXMLText(t) + QStringLiteral("</") + name + u'>' + CRLF;
        }
        text += QStringLiteral("</") + RecordDescr + u'>' + CRLF;
        if (OnFileProgress)
            FileProgress(qRound(double(r) / std::max(1, SaveEndRow() - SaveStartRow()) * 100));
    }
    ExportNotification(esExportDone, -1);
    text += QStringLiteral("</") + ListDescr + u'>' + CRLF;
    TMemoryStream ms;
    ms.WriteBuffer(EncodeXML(text, XMLEncoding()));
    try {
        ms.SaveToFile(FileName);
    } catch (const EStreamError&) {
        throw DOzeDidoRivar(QStringLiteral("Cannot Create file ") + FileName);
    }
}

void TExStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName))
        throw std::runtime_error("XML file not found");
    TXMLDocument doc;
    if (!doc.LoadFromFile(FileName)) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("line (\\d+)")).match(doc.ErrorMessage());
        throw std::runtime_error(
            QStringLiteral("XMLDOM Parsing error %1 on line %2").arg(1).arg(m.hasMatch() ? m.captured(1) : QStringLiteral("0"))
                .toStdString());
    }
    TXMLNode root;
    for (Integer i = 0; i < doc.ChildCount(); ++i)
        if (doc.Child(i).NodeType() == ntElement) {
            root = doc.Child(i);
            break;
        }
    const bool fixedSaved = SaveFixedCells() || SaveFixedRows();
    const Integer SC = SaveStartCol();
    const Integer SR = fixedSaved && !LoadFieldDescr ? 0 : FixedRows();
    Integer maxC = SC, maxR = SR, row = 0, col = 0, level = 1;

    auto growTo = [this](Integer C, Integer R) {
        if (ColCount() < C + 1)
            SetColCount(C + 1);
        if (RowCount() < R + 1)
            SetRowCount(R + 1);
    };
    auto put = [&](Integer C, Integer R, const QString& T) {
        if (C < 0 || R < 0)
            return;
        LoadCell(C, R, T);
        maxC = std::max(maxC, C);
        maxR = std::max(maxR, R);
    };
    std::function<void(const TXMLNode&)> walk = [&](const TXMLNode& N) {
        Integer attrs = 0;
        if (N.NodeType() == ntElement) {
            attrs = N.AttributeCount();
            for (Integer k = 0; k < attrs; ++k) {
                growTo(SC + col, SR + row);
                if (fixedSaved && GetGridCell(SC + col, 0).isEmpty())
                    LoadCell(SC + col, 0, N.AttributeName(k));
                put(SC + col, SR + row, UnescapeXMLText(N.AttributeValue(k)));
                ++col;
            }
            if (LevelToRow && attrs > 0) {
                ++row;
                col = level;
            }
        }
        const Integer K = N.ChildCount();
        if (K > 1) {
            if (LevelToRow && attrs == 0) {
                ++row;
                col = 0;
            }
            ++level;
            for (Integer i = 0; i < K; ++i)
                walk(N.Child(i));
        } else if (K == 1) {
            growTo(SC + col, SR + row);
            if (GetGridCell(SC + col, 0).isEmpty() && fixedSaved && LoadFieldDescr)
                LoadCell(SC + col, 0, N.NodeName());
            QString t = UnescapeXMLText(DeepText(N));
            if (QuoteEmptyCells() && t == QLatin1String("\"\""))
                t.clear();
            put(SC + col, SR + row, t);
            ++col;
        } else {
            if (SC + col < ColCount() + NumHiddenColumns() && SR + row < RowCount())
                LoadCell(SC + col, SR + row, QString());
            ++col;
        }
    };
    struct TFooters {
        TExStringGrid* G;
        ~TFooters() { G->RecalcFooters(); }
    } footers{this};
    for (Integer i = 0; !root.IsNull() && i < root.ChildCount(); ++i) {
        const TXMLNode e = root.Child(i);
        if (e.NodeType() != ntElement)
            continue;
        col = 0;
        level = 1;
        if (LevelToRow && i == 0 && e.AttributeCount() == 0)
            row = -1;
        walk(e);
        if (!LevelToRow)
            ++row;
    }
    SetColCount(maxC + 1);
    SetRowCount(maxR + 1);
}
