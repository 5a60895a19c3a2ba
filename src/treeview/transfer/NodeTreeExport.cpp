// The string tree's exports (HTML, RTF, text and CSV, custom) and the
// blocks of its clipboard text formats.

#include "treeview/transfer/NodeTreeExport.h"

#include <QStringList>
#include <cfenv>
#include <cmath>
#include <vector>

#include "platform/Locale.h"
#include "platform/Text.h"
#include "treeview/NodeTreesPrivate.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/transfer/NodeTreeDataObject.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");

TAlignment Mirrored(TAlignment A, TBiDiMode BiDi, bool& Rtl)
{
    Rtl = BiDi != bdLeftToRight;
    if (!Rtl)
        return A;
    return A == taLeftJustify ? taRightJustify : A == taRightJustify ? taLeftJustify : A;
}

// Cell and caption texts are markup-free text: the characters that HTML
// reads as markup are written as entities, so the text arrives as shown.
QString HtmlText(const QString& S)
{
    QString r;
    r.reserve(S.size());
    for (QChar c : S) {
        switch (c.unicode()) {
        case '&': r += QStringLiteral("&amp;"); break;
        case '<': r += QStringLiteral("&lt;"); break;
        case '>': r += QStringLiteral("&gt;"); break;
        case '"': r += QStringLiteral("&quot;"); break;
        default: r += c; break;
        }
    }
    return r;
}

// Rounds to the nearest integer, halves to even.
long RoundEven(double V)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long r = std::lrint(V);
    std::fesetround(mode);
    return r;
}
} // namespace

QString HtmlColor(TColor Color)
{
    const LongWord c = ColorToRGB(Color);
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

// The routines of one export; a friend of the string tree.
class TNodeTreeExport {
public:
    TNodeTreeExport(TCustomNodeStringTree* Tree, TNtExportType Type) : T(Tree), Type(Type)
    {
        T->BeginOperation(okExport);
        Header = T->Header();
        UseColumns = Header->UseColumns();
        MainColumn = Header->MainColumn();
        if (UseColumns)
            for (TNodeTreeColumn* c : Header->Columns()->GetVisibleColumns())
                Columns.push_back(c);
    }
    ~TNodeTreeExport() { T->EndOperation(okExport); }
    TNodeTreeExport(const TNodeTreeExport&) = delete;
    TNodeTreeExport& operator=(const TNodeTreeExport&) = delete;

    QString Html(TNSTTextSourceType Source, const QString& Caption);
    QByteArray Rtf(TNSTTextSourceType Source);
    QString Text(TNSTTextSourceType Source, const QString& Separator);
    void Custom(TNSTTextSourceType Source);

private:
    // The cell's texts; the static text joined when the tree shows it.
    TNSTGetCellTextEventArgs CellText(PDataNode Node, TColumnIndex Column)
    {
        TNSTGetCellTextEventArgs e;
        e.Node = Node;
        e.Column = Column;
        e.ExportType = Type;
        T->DoGetText(e);
        return e;
    }
    bool ShowStatic(const TNSTGetCellTextEventArgs& E) const
    {
        return !E.StaticText.isEmpty() && (T->StringOptions() & toShowStaticText);
    }
    QString WithStatic(const TNSTGetCellTextEventArgs& E) const { return ShowStatic(E) ? E.CellText + QLatin1Char(' ') + E.StaticText : E.CellText; }
    // The cell's font as the owner's OnPaintText sets it; true when it changed it.
    bool CellFont(PDataNode Node, TColumnIndex Column)
    {
        TCanvas* canvas = T->Canvas();
        canvas->SetFont(T->Font());
        const Cardinal before = canvas->Font()->Revision();
        T->DoPaintText(Node, canvas, Column, ttNormal);
        return canvas->Font()->Revision() != before;
    }
    void AppendCssFont(QString& Out, const QString& Name, const TFont* Font);
    // RTF state.
    void AppendRtfText(QByteArray& Out, const QString& Text, const TFont* Font);
    void SelectRtfFont(QByteArray& Out, const QString& Name);
    void SelectRtfColor(QByteArray& Out, TColor Color);

    TCustomNodeStringTree* T;
    TNtExportType Type;
    TNtHeader* Header;
    bool UseColumns;
    TColumnIndex MainColumn;
    std::vector<TNodeTreeColumn*> Columns;
    QStringList Fonts;
    std::vector<TColor> Colors;
    Integer CurrentFont = -1, CurrentColor = -1, CurrentSize = -1;
};

// ---------------------------------------------------------------- the tree's side

PDataNode TCustomNodeStringTree::StartNodeForSource(TNSTTextSourceType Source, std::function<PDataNode(PDataNode)>& Next)
{
    switch (Source) {
    case tstInitialized:
        Next = [this](PDataNode n) { return GetNextInitialized(n); };
        return GetFirstInitialized();
    case tstSelected:
        Next = [this](PDataNode n) { return GetNextSelected(n); };
        return GetFirstSelected();
    case tstCutCopySet:
        Next = [this](PDataNode n) { return GetNextCutCopy(n); };
        return GetFirstCutCopy();
    case tstVisible:
        Next = [this](PDataNode n) { return GetNextVisible(n, true); };
        return GetFirstVisible(nullptr, true);
    case tstChecked:
        Next = [this](PDataNode n) { return GetNextChecked(n, csCheckedNormal); };
        return GetFirstChecked(csCheckedNormal);
    default:
        Next = [this](PDataNode n) { return GetNext(n); };
        return GetFirst();
    }
}

bool TCustomNodeStringTree::IsNodeExported(PDataNode Node)
{
    switch (FOptions->ExportMode()) {
    case emChecked: return Node->CheckState == csCheckedNormal;
    case emUnchecked: return Node->CheckState == csUncheckedNormal;
    case emVisibleDueToExpansion: return Node->Parent == nullptr || Node->Parent == FRoot || (Node->Parent->States & vsExpanded);
    case emSelected: return (Node->States & vsSelected) != 0;
    default: return true;
    }
}

QString TCustomNodeStringTree::ContentToHTML(TNSTTextSourceType Source, const QString& Caption)
{
    return ExportToHtml(this, Source, Caption);
}

QByteArray TCustomNodeStringTree::ContentToRTF(TNSTTextSourceType Source)
{
    return ExportToRtf(this, Source);
}

QString TCustomNodeStringTree::ContentToText(TNSTTextSourceType Source, const QString& Separator)
{
    return ExportToText(this, Source, Separator);
}

void TCustomNodeStringTree::ContentToCustom(TNSTTextSourceType Source)
{
    ExportToCustom(this, Source);
}

QByteArray TCustomNodeStringTree::ContentToClipboard(const QString& Format, TNSTTextSourceType Source)
{
    return ExportToGlobalMemory(this, Format, Source);
}

bool TCustomNodeStringTree::RenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard)
{
    if (TBaseNodeTree::RenderOLEData(Format, Data, ForClipboard))
        return true;
    const TClipboardFormatListEntry* entry = nullptr;
    for (const QString& description : TClipboardFormatList::EnumerateDescriptions(this)) {
        const TClipboardFormatListEntry* e = TClipboardFormatList::FindFormat(description);
        if (e != nullptr && e->MimeType == Format) {
            entry = e;
            break;
        }
    }
    if (entry == nullptr)
        return false;
    const TNSTTextSourceType source = ForClipboard ? tstCutCopySet : tstSelected;
    QByteArray block;
    try {
        block = ContentToClipboard(entry->Description, source);
    } catch (...) {
        return false;
    }
    if (block.isEmpty())
        return false;
    // MIME data carry their length: the clipboard block's NUL stays out,
    // and the texts travel in UTF-8 as the desktop's consumers read them.
    const QString& d = entry->Description;
    if (d.compare(QStringLiteral("Unicode text"), Qt::CaseInsensitive) == 0) {
        const auto* units = reinterpret_cast<const char16_t*>(block.constData());
        Data = QString::fromUtf16(units, block.size() / 2 - 1).toUtf8();
    } else if (d.compare(QStringLiteral("HTML Format"), Qt::CaseInsensitive) == 0 && !Format.startsWith(QStringLiteral("application/x-qt-windows-mime"))) {
        // Desktop consumers of text/html read the document the envelope's
        // StartHTML and EndHTML offsets name.
        const qsizetype start = block.mid(23, 8).toLongLong();
        const qsizetype end = block.mid(41, 8).toLongLong();
        Data = block.mid(start, end - start);
    } else {
        Data = block.left(block.size() - 1);
    }
    return true;
}

// ---------------------------------------------------------------- HTML

void TNodeTreeExport::AppendCssFont(QString& Out, const QString& Name, const TFont* Font)
{
    Out += Name.isEmpty() ? QStringLiteral(" style=\"{") : QLatin1Char('.') + Name + QLatin1Char('{');
    Out += QStringLiteral("font-family: '%1'; ").arg(Font->Name());
    if (Font->Size() < 0)
        Out += QStringLiteral("font-size: %1px; ").arg(Font->Height());
    else
        Out += QStringLiteral("font-size: %1pt; ").arg(Font->Size());
    Out += QStringLiteral("font-style: %1; ").arg(Font->Style().Contains(fsItalic) ? QStringLiteral("italic") : QStringLiteral("normal"));
    Out += QStringLiteral("font-weight: %1; ").arg(Font->Style().Contains(fsBold) ? QStringLiteral("bold") : QStringLiteral("normal"));
    Out += QStringLiteral("text-decoration: %1; ").arg(Font->Style().Contains(fsUnderline) ? QStringLiteral("underline") : QStringLiteral("none"));
    Out += QStringLiteral("color: ") + HtmlColor(Font->Color()) + QStringLiteral(";}");
    if (Name.isEmpty())
        Out += QLatin1Char('"');
}

QString TNodeTreeExport::Html(TNSTTextSourceType Source, const QString& Caption)
{
    QString out;
    const Integer margin = T->Margin();
    const QString padding = QStringLiteral("padding-left: %1px; padding-right: %1px;").arg(margin);
    const QString indentWidth = QString::number(T->Indent());
    const QString lineStyle = T->LineStyle() == lsSolid ? QStringLiteral("solid;") : QStringLiteral("dotted;");
    const TNtPaintOptions paint = T->TreeOptions()->PaintOptions();
    QString tableAttributes = QStringLiteral(" ");
    if (!Caption.isEmpty())
        tableAttributes += QStringLiteral("caption=\"") + HtmlText(Caption) + QLatin1Char('"');
    if (T->BorderStyle() != bsNone)
        tableAttributes += QStringLiteral(" border=\"%1\" frame=box").arg(1);

    out += QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    out += QStringLiteral("<style type=\"text/css\">") + CRLF;
    AppendCssFont(out, QStringLiteral("default"), T->Font());
    out += CRLF;
    AppendCssFont(out, QStringLiteral("header"), Header->Font());
    out += CRLF;
    if (paint & toShowHorzGridLines)
        out += QStringLiteral(".noborder{ border-bottom:1px; border-left: 0px; border-right: 0px; border-top: 1px;border-style:") + lineStyle;
    else
        out += QStringLiteral(".noborder{border-style: none;");
    out += padding + QLatin1Char('}') + CRLF;
    out += QStringLiteral(".normalborder {vertical-align: top; ");
    out += (paint & toShowVertGridLines) ? QStringLiteral("border-right: 1px; border-left: 1px; ")
                                         : QStringLiteral("border-right: none; border-left:none; ");
    out += (paint & toShowHorzGridLines) ? QStringLiteral("border-top: 1px; border-bottom: 1px; ")
                                         : QStringLiteral("border-top:none; border-bottom: none;");
    out += QStringLiteral("border-width: thin; border-style: ") + lineStyle + padding + QLatin1Char('}') + QStringLiteral("</style>") + CRLF;
    out += QStringLiteral("<table class=\"default\" style=\"border-collapse: collapse;\" bgcolor=") + HtmlColor(T->Color()) + tableAttributes +
           QStringLiteral(" cellspacing=\"0\">") + CRLF;

    std::function<PDataNode(PDataNode)> next;
    Integer maxLevel = 0;
    for (PDataNode n = T->StartNodeForSource(Source, next); n; n = next(n))
        if (T->IsNodeExported(n))
            maxLevel = std::max<Integer>(maxLevel, Integer(T->GetNodeLevel(n)));

    if (UseColumns) {
        if (T->OnBeforeHeaderExport)
            T->OnBeforeHeaderExport(T, etHTML);
        out += QStringLiteral("<tr class=\"header\" style=\"") + padding + QStringLiteral("\">") + CRLF;
        for (TNodeTreeColumn* c : Columns) {
            if (T->OnBeforeColumnExport)
                T->OnBeforeColumnExport(T, etHTML, c);
            out += QStringLiteral("<th height=\"%1px\"").arg(Header->Height());
            bool rtl = false;
            const TAlignment a = Mirrored(c->CaptionAlignment(), c->BiDiMode(), rtl);
            if (rtl)
                out += QStringLiteral(" dir=\"rtl\"");
            out += a == taRightJustify ? QStringLiteral(" align=right") : a == taCenter ? QStringLiteral(" align=center") : QStringLiteral(" align=left");
            if (maxLevel > 0 && c->Index() == MainColumn)
                out += QStringLiteral(" colspan=\"%1\"").arg(maxLevel + 1);
            out += QStringLiteral(" bgcolor=") + HtmlColor(clBtnFace) + QStringLiteral(" width=\"%1px\">").arg(c->Width());
            out += HtmlText(c->Text()) + QStringLiteral("</th>");
            if (T->OnAfterColumnExport)
                T->OnAfterColumnExport(T, etHTML, c);
        }
        out += QStringLiteral("</tr>") + CRLF;
        if (T->OnAfterHeaderExport)
            T->OnAfterHeaderExport(T, etHTML);
    }

    for (PDataNode node = T->StartNodeForSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
        if (!T->IsNodeExported(node) || (T->OnBeforeNodeExport && !T->OnBeforeNodeExport(T, etHTML, node)))
            continue;
        const Integer level = Integer(T->GetNodeLevel(node));
        const QString height = QString::number(T->NodeHeight(node));
        out += QStringLiteral(" <tr class=\"default\">") + CRLF;
        const Integer cellCount = UseColumns ? Integer(Columns.size()) : 1;
        for (Integer i = 0; i < cellCount; ++i) {
            TNodeTreeColumn* c = UseColumns ? Columns[i] : nullptr;
            const TColumnIndex column = c ? c->Index() : NoColumn;
            const bool isMain = column == MainColumn;
            const bool fontChanged = CellFont(node, column);
            const bool columnColor = c != nullptr && !(c->Options() & coParentColor);
            if (isMain && level > 0) {
                if (columnColor) {
                    for (Integer l = 0; l < level; ++l)
                        out += QStringLiteral("<td class=\"noborder\" width=\"") + indentWidth + QStringLiteral("\" height=\"") + height +
                               QStringLiteral("px\" bgcolor=") + HtmlColor(c->Color()) + QStringLiteral(">&nbsp;</td>");
                } else {
                    out += QStringLiteral(" <td height=\"") + height + QStringLiteral("px\" class=\"normalborder\">&nbsp;</td>");
                    for (Integer l = 1; l < level; ++l)
                        out += QStringLiteral(" <td>&nbsp;</td>");
                }
            }
            if (fontChanged) {
                out += QStringLiteral(" <td class=\"normalborder\" ");
                AppendCssFont(out, QString(), T->Canvas()->Font());
                out += QStringLiteral(" height=\"") + height;
            } else {
                out += QStringLiteral(" <td class=\"normalborder\"  height=\"") + height;
            }
            out += QStringLiteral("px\"");
            bool rtl = false;
            const TAlignment a = c ? Mirrored(c->Alignment(), c->BiDiMode(), rtl) : Mirrored(T->Alignment(), T->BiDiMode(), rtl);
            if (rtl)
                out += QStringLiteral(" dir=\"rtl\"");
            out += a == taRightJustify ? QStringLiteral(" align=right") : a == taCenter ? QStringLiteral(" align=center") : QStringLiteral(" align=left");
            if (maxLevel > 0 && isMain && level < maxLevel)
                out += QStringLiteral(" colspan=\"%1\"").arg(maxLevel - level + 1);
            if (columnColor)
                out += QStringLiteral(" bgcolor=") + HtmlColor(c->Color());
            out += QLatin1Char('>') + HtmlText(WithStatic(CellText(node, column))) + QStringLiteral("</td>");
        }
        if (T->OnAfterNodeExport)
            T->OnAfterNodeExport(T, etHTML, node);
        out += QStringLiteral(" </tr>") + CRLF;
    }
    out += QStringLiteral("</table>");
    return out;
}

// ---------------------------------------------------------------- RTF

void TNodeTreeExport::SelectRtfFont(QByteArray& Out, const QString& Name)
{
    Integer index = Integer(Fonts.indexOf(Name));
    if (index < 0) {
        Fonts.append(Name);
        index = Integer(Fonts.size()) - 1;
        Out += "\\f" + QByteArray::number(index);
    } else if (index != CurrentFont) {
        Out += "\\f" + QByteArray::number(index);
    }
    CurrentFont = index;
}

void TNodeTreeExport::SelectRtfColor(QByteArray& Out, TColor Color)
{
    auto it = std::find(Colors.begin(), Colors.end(), Color);
    Integer index = Integer(it - Colors.begin());
    if (it == Colors.end()) {
        Colors.push_back(Color);
        Out += "\\cf" + QByteArray::number(index + 1);
    } else if (index != CurrentColor) {
        Out += "\\cf" + QByteArray::number(index + 1);
    }
    CurrentColor = index;
}

void TNodeTreeExport::AppendRtfText(QByteArray& Out, const QString& Text, const TFont* Font)
{
    if (Text.isEmpty())
        return;
    const TFontStyles style = Font->Style();
    if (style.Contains(fsUnderline))
        Out += "\\ul";
    if (style.Contains(fsItalic))
        Out += "\\i";
    if (style.Contains(fsBold))
        Out += "\\b";
    SelectRtfFont(Out, Font->Name());
    SelectRtfColor(Out, Font->Color());
    if (Font->Size() != CurrentSize) {
        Out += "\\fs" + QByteArray::number(Font->Size() * 2);
        CurrentSize = Font->Size();
    }
    Out += ' ';
    for (QChar ch : Text) {
        if (ch.unicode() == 10)
            Out += "{\\par}";
        else if (ch.unicode() != 13)
            Out += "\\u" + QByteArray::number(qint16(ch.unicode())) + "\\'3f";
    }
    if (style.Contains(fsUnderline))
        Out += "\\ul0";
    if (style.Contains(fsItalic))
        Out += "\\i0";
    if (style.Contains(fsBold))
        Out += "\\b0";
}

QByteArray TNodeTreeExport::Rtf(TNSTTextSourceType Source)
{
    QByteArray body = "\\uc1\\trowd\\trgaph70";
    if (UseColumns) {
        Integer w = 0;
        for (TNodeTreeColumn* c : Columns) {
            w += c->Width();
            body += "\\cellx" + QByteArray::number(qlonglong(RoundEven(w * 1440.0 / ScreenPixelsPerInch)));
        }
    } else {
        body += "\\cellx" + QByteArray::number(qlonglong(RoundEven(T->ClientWidth() * 1440.0 / ScreenPixelsPerInch)));
    }
    auto alignment = [](TAlignment A, TBiDiMode B, bool LeftToo) -> QByteArray {
        bool rtl = false;
        const TAlignment a = Mirrored(A, B, rtl);
        if (a == taRightJustify)
            return "\\qr";
        if (a == taCenter)
            return "\\qc";
        return LeftToo ? "\\ql" : "";
    };
    if (UseColumns) {
        if (T->OnBeforeHeaderExport)
            T->OnBeforeHeaderExport(T, etRTF);
        body += "\\pard\\intbl";
        for (TNodeTreeColumn* c : Columns) {
            if (T->OnBeforeColumnExport)
                T->OnBeforeColumnExport(T, etRTF, c);
            body += alignment(c->CaptionAlignment(), c->BiDiMode(), true);
            AppendRtfText(body, c->Text(), Header->Font());
            body += "\\cell";
            if (T->OnAfterColumnExport)
                T->OnAfterColumnExport(T, etRTF, c);
        }
        body += "\\row";
        if (T->OnAfterHeaderExport)
            T->OnAfterHeaderExport(T, etRTF);
    }
    Integer lastLevel = 0;
    QByteArray tabs;
    std::function<PDataNode(PDataNode)> next;
    for (PDataNode node = T->StartNodeForSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
        if (!T->IsNodeExported(node) || (T->OnBeforeNodeExport && !T->OnBeforeNodeExport(T, etRTF, node)))
            continue;
        const Integer cellCount = UseColumns ? Integer(Columns.size()) : 1;
        for (Integer i = 0; i < cellCount; ++i) {
            TNodeTreeColumn* c = UseColumns ? Columns[i] : nullptr;
            const TColumnIndex column = c ? c->Index() : NoColumn;
            const TNSTGetCellTextEventArgs e = CellText(node, column);
            body += "\\pard\\intbl";
            body += c ? alignment(c->Alignment(), c->BiDiMode(), false) : alignment(T->Alignment(), T->BiDiMode(), false);
            CellFont(node, column);
            if (column == MainColumn) {
                const Integer level = Integer(T->GetNodeLevel(node));
                if (level != lastLevel) {
                    lastLevel = level;
                    tabs = QByteArray("\\tab").repeated(level);
                }
                if (level >= 1)
                    body += tabs + ' ';
            }
            AppendRtfText(body, e.CellText, T->Canvas()->Font());
            if (ShowStatic(e)) {
                T->DoPaintText(node, T->Canvas(), column, ttStatic);
                AppendRtfText(body, QLatin1Char(' ') + e.StaticText, T->Canvas()->Font());
            }
            body += "\\cell";
        }
        body += "\\row\r\n";
        if (T->OnAfterNodeExport)
            T->OnAfterNodeExport(T, etRTF, node);
    }
    body += "\\pard\\par";

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl";
    for (Integer i = 0; i < Fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + ' ' + EncodeText(Fonts[i], TTextEncoding::ANSI, false) + ";}";
    out += "}{\\colortbl;";
    for (TColor c : Colors) {
        const LongWord rgb = ColorToRGB(c);
        out += "\\red" + QByteArray::number(rgb & 0xFF) + "\\green" + QByteArray::number((rgb >> 8) & 0xFF) + "\\blue" +
               QByteArray::number((rgb >> 16) & 0xFF) + ';';
    }
    out += '}';
    out += FormatSettings().MetricMeasurement ? "\\paperw16840\\paperh11907" : "\\paperw15840\\paperh12240";
    out += "\\margl720\\margr720\\margt720\\margb720";
    out += body;
    out += '}';
    return out;
}

// ---------------------------------------------------------------- text

namespace {
// A field holding the separator or a line break is quoted, inner quotes doubled.
QString CsvField(const QString& Text, const QString& Separator)
{
    if (Text.contains(Separator) || Text.contains(QLatin1Char('\n')) || Text.contains(QLatin1Char('\r'))) {
        QString q = Text;
        q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + q + QLatin1Char('"');
    }
    return Text;
}
} // namespace

QString TNodeTreeExport::Text(TNSTTextSourceType Source, const QString& Separator)
{
    QString out;
    std::function<PDataNode(PDataNode)> next;
    Integer maxLevel = 0;
    for (PDataNode n = T->StartNodeForSource(Source, next); n; n = next(n))
        maxLevel = std::max<Integer>(maxLevel, Integer(T->GetNodeLevel(n)));
    const QString indent = Separator.repeated(maxLevel);
    const TNodeTreeColumn* last = Columns.empty() ? nullptr : Columns.back();
    if (UseColumns) {
        for (TNodeTreeColumn* c : Columns) {
            out += CsvField(c->Text(), Separator);
            if (c != last) {
                if (c->Index() == MainColumn)
                    out += indent;
                out += Separator;
            }
        }
        out += CRLF;
    }
    for (PDataNode node = T->StartNodeForSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
        const Integer level = Integer(T->GetNodeLevel(node));
        if (UseColumns) {
            for (TNodeTreeColumn* c : Columns) {
                const bool isMain = c->Index() == MainColumn;
                if (isMain)
                    out += indent.left(level * Separator.size());
                out += CsvField(WithStatic(CellText(node, c->Index())), Separator);
                if (isMain)
                    out += indent.left((maxLevel - level) * Separator.size());
                if (c != last)
                    out += Separator;
            }
        } else {
            out += indent.left(level * Separator.size());
            out += CsvField(CellText(node, NoColumn).CellText, Separator);
        }
        out += CRLF;
    }
    return out;
}

// ---------------------------------------------------------------- custom

void TNodeTreeExport::Custom(TNSTTextSourceType Source)
{
    if (T->OnBeforeTreeExport)
        T->OnBeforeTreeExport(T, etCustom);
    if (UseColumns && (Header->Options() & hoVisible)) {
        if (T->OnBeforeHeaderExport)
            T->OnBeforeHeaderExport(T, etCustom);
        for (TNodeTreeColumn* c : Columns) {
            if (T->OnBeforeColumnExport)
                T->OnBeforeColumnExport(T, etCustom, c);
            if (T->OnColumnExport)
                T->OnColumnExport(T, etCustom, c);
            if (T->OnAfterColumnExport)
                T->OnAfterColumnExport(T, etCustom, c);
        }
        if (T->OnAfterHeaderExport)
            T->OnAfterHeaderExport(T, etCustom);
    }
    std::function<PDataNode(PDataNode)> next;
    for (PDataNode node = T->StartNodeForSource(Source, next); node && !T->OperationCanceled(); node = next(node)) {
        if (!T->IsNodeExported(node))
            continue;
        if (T->OnBeforeNodeExport)
            T->OnBeforeNodeExport(T, etCustom, node);
        if (T->OnNodeExport)
            T->OnNodeExport(T, etCustom, node);
        if (T->OnAfterNodeExport)
            T->OnAfterNodeExport(T, etCustom, node);
    }
    if (T->OnAfterTreeExport)
        T->OnAfterTreeExport(T, etCustom);
}

// ---------------------------------------------------------------- routines

QString ExportToHtml(TCustomNodeStringTree* Tree, TNSTTextSourceType Source, const QString& Caption)
{
    TNodeTreeExport e(Tree, etHTML);
    return e.Html(Source, Caption);
}

QByteArray ExportToRtf(TCustomNodeStringTree* Tree, TNSTTextSourceType Source)
{
    TNodeTreeExport e(Tree, etRTF);
    return e.Rtf(Source);
}

QString ExportToText(TCustomNodeStringTree* Tree, TNSTTextSourceType Source, const QString& Separator)
{
    TNodeTreeExport e(Tree, etText);
    return e.Text(Source, Separator);
}

void ExportToCustom(TCustomNodeStringTree* Tree, TNSTTextSourceType Source)
{
    TNodeTreeExport e(Tree, etCustom);
    e.Custom(Source);
}

QByteArray MakeClipboardHtml(const QByteArray& Html)
{
    const qsizetype L = Html.size();
    auto line = [](const char* Name, qsizetype Value) {
        return QByteArray(Name) + QByteArray::number(qlonglong(Value)).rightJustified(8, '0') + "\r\n";
    };
    QByteArray out = "Version:1.0\r\n";
    out += line("StartHTML:", 97);
    out += line("EndHTML:", L + 301);
    out += line("StartFragment:", 269);
    out += line("EndFragment:", L + 269);
    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    out += "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body><!--StartFragment-->";
    out += Html;
    out += "<!--EndFragment--></body></html>";
    return out;
}

QByteArray ExportToGlobalMemory(TCustomNodeStringTree* Tree, const QString& Format, TNSTTextSourceType Source)
{
    auto is = [&](const char* Name) { return Format.compare(QLatin1String(Name), Qt::CaseInsensitive) == 0; };
    QByteArray block;
    if (is("Plain text")) {
        // The desktop's 8-bit text is UTF-8.
        block = ExportToText(Tree, Source, QStringLiteral("\t")).toUtf8();
        block += '\0';
    } else if (is("Unicode text")) {
        const QString text = ExportToText(Tree, Source, QStringLiteral("\t"));
        block = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        block += QByteArray(2, '\0');
    } else if (is("CSV")) {
        block = ExportToText(Tree, Source, QString(FormatSettings().ListSeparator)).toUtf8();
        block += '\0';
    } else if (is("Rich Text Format") || is("Rich Text Format Without Objects")) {
        block = ExportToRtf(Tree, Source);
        block += '\0';
    } else if (is("HTML Format")) {
        block = MakeClipboardHtml(ExportToHtml(Tree, Source).toUtf8());
        block += '\0';
    }
    return block;
}
