// The HTML export of the string grid and its settings.

#include "grid/ExGrid.h"

#include <QDesktopServices>
#include <QImage>
#include <QPainter>
#include <QUrl>

#include "grid/EsgHTMLE.h"
#include "grid/ExObj.h"
#include "grid/exchange/ExchangeUtil.h"
#include "platform/Bitmap.h"
#include "platform/FileSystem.h"
#include "platform/ImageList.h"
#include "platform/Streams.h"
#include "platform/StringList.h"
#include "platform/Text.h"

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const THTMLSettings*>(Source);
    if (s == nullptr || s == this)
        return;
    BorderSize = s->BorderSize;
    CellSpacing = s->CellSpacing;
    CellPadding = s->CellPadding;
    SaveColor = s->SaveColor;
    SaveFonts = s->SaveFonts;
    FooterFile = s->FooterFile;
    HeaderFile = s->HeaderFile;
    TableStyle = s->TableStyle;
    PrefixTag = s->PrefixTag;
    SuffixTag = s->SuffixTag;
    Summary = s->Summary;
    Width = s->Width;
    XHTML = s->XHTML;
    ConvertSpecialChars = s->ConvertSpecialChars;
    AutoPreview = s->AutoPreview;
    NonBreakingText = s->NonBreakingText;
}

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QChar Q(u'"');

// Turns an address in a text into a link.
QString AnchorURL(const QString& Text, bool Full)
{
    QString s = Text;
    auto link = [&](const QString& marker) {
        const qsizetype p = Text.indexOf(marker);
        if (p < 0 || Text.contains(QLatin1String("</")))
            return;
        const QString shown = Full ? Text : Text.mid(p + marker.size()).left(255);
        s = QStringLiteral("<a href=") + Text + u'>' + shown + QStringLiteral("</a>");
    };
    link(QStringLiteral("://"));
    link(QStringLiteral("mailto:"));
    return s;
}

} // namespace

QString TExStringGrid::SaveToHTMLString(const QString& Dir)
{
    THTMLSettings* hs = FHTMLSettings.get();
    const Integer S = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const Integer firstRow = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();

    QString prolog;
    if (hs->XHTML)
        prolog += QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + CRLF
                  + QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + CRLF
                  + QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + CRLF
                  + QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">")
                  + CRLF;
    prolog += hs->PrefixTag;

    QStringList table;
    QString tag = QStringLiteral("<TABLE BORDER=%1%2%1 CELLSPACING=%1%3%1 CELLPADDING=%1%4%1 ")
                      .arg(Q)
                      .arg(hs->BorderSize)
                      .arg(hs->CellSpacing)
                      .arg(hs->CellPadding);
    if (!hs->Summary.isEmpty())
        tag += QStringLiteral("SUMMARY=") + Q + hs->Summary + Q + u' ';
    if (!hs->TableStyle.isEmpty())
        tag += u' ' + hs->TableStyle + u' ';
    tag += QStringLiteral(" WIDTH=") + Q + QString::number(hs->Width) + QStringLiteral("%") + Q + u'>';
    table << tag;

    QStringList classes;
    Integer imageNr = 0;
    TIntList* widths = hs->ColWidths();
    const bool header = FixedRows() > 0 && (SaveFixedCells() || SaveFixedRows());

    auto imageTag = [&](const QImage& Image) {
        if (Image.isNull())
            return QString();
        const QString folder = Dir + QStringLiteral("images");
        if (!DirectoryExists(folder) && !ForceDirectories(folder))
            throw std::runtime_error(QStringLiteral("Cannot create %1").arg(folder).toStdString());
        ++imageNr;
        const QString path = Dir + QStringLiteral("images/img%1.jpg").arg(imageNr);
        QImage flat(Image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        {
            QPainter p(&flat);
            p.drawImage(0, 0, Image);
        }
        if (!flat.save(path, "JPG"))
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\".").arg(path));
        return QStringLiteral("<img src= ") + Q + QStringLiteral("file://") + path + Q + u'>';
    };
    auto listImage = [&](Integer Index) {
        TCustomImageList* il = GridImages();
        if (il == nullptr || Index < 0 || Index >= il->Count())
            return QString();
        TBitmap bmp;
        il->GetBitmap(Index, &bmp);
        return imageTag(bmp.Image());
    };

    auto cellLine = [&](Integer C, Integer R, bool Head) -> QString {
        Integer bc = 0, br = 0;
        const Integer rc = RealColIndex(C);
        if (!ResolveBaseCell(rc, R, bc, br))
            return QString();
        QString spans;
        const TPoint span = CellSpan(rc, R);
        if (span.X > 0)
            spans += QStringLiteral(" COLSPAN=%1%2%1").arg(Q).arg(span.X + 1);
        if (span.Y > 0)
            spans += QStringLiteral(" ROWSPAN=%1%2%1").arg(Q).arg(span.Y + 1);
        QString t;
        SaveCell(rc, R, t);
        if (!Head) {
            if (hs->ConvertSpecialChars)
                t = EscapeHTML(t, true);
            if (hs->NonBreakingText)
                t = SpacesToNbsp(t);
        }
        t = LineBreaksToHTML(t);
        if (URLShow())
            t = AnchorURL(t, URLFull());
        if (t.trimmed().isEmpty())
            t = QStringLiteral("&nbsp;");

        TFont font;
        TBrush brush;
        font.SetColor(TColor(0x7FFFFFFF));
        font.SetStyle(TFontStyles());
        brush.SetColor(clNone);
        TGridDrawState state;
        TColor to = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool wrap = false;
        TCellGradientDirection gd = GradientVertical;
        GetVisualProperties(C, R, state, false, false, true, &brush, to, mirror, mirrorTo, &font, ha, va, wrap, gd);
        if (Head || IsFixed(C, R))
            brush.SetColor(FixedColor());
        QStringList css;
        if (brush.Color() != clNone && hs->SaveColor)
            css << QStringLiteral("background-color: #") + ColorToHTMLHex(brush.Color());
        if (font.Color() != TColor(0x7FFFFFFF) && font.Color() != clNone && hs->SaveColor)
            css << QStringLiteral("color: #") + ColorToHTMLHex(font.Color());
        css << QStringLiteral("font-size:%1pt").arg(font.Size());
        if (font.Style().Contains(fsItalic))
            css << QStringLiteral("font-style: italic");
        if (font.Style().Contains(fsBold))
            css << QStringLiteral("font-weight: bold");
        css << QStringLiteral("font-family: ") + font.Name();
        if (ha == taRightJustify)
            css << QStringLiteral("text-align: right");
        else if (ha == taCenter)
            css << QStringLiteral("text-align: center");
        css << (va == vtaTop      ? QStringLiteral("vertical-align: top")
                : va == vtaCenter ? QStringLiteral("vertical-align: middle")
                                  : QStringLiteral("vertical-align: bottom"));
        const QString cssText = css.join(u';');
        Integer cls = Integer(classes.indexOf(cssText));
        if (cls < 0) {
            classes << cssText;
            cls = Integer(classes.size()) - 1;
        }
        QString width;
        if (Head && C < widths->Count())
            width = QStringLiteral(" WIDTH=%1").arg(widths->Items(C));
        else if (!Head && C - S < widths->Count() && !header)
            width = QStringLiteral(" width=%1").arg(widths->Items(C - S));

        QString content = t;
        if (hs->ExportImages)
            if (const TCellGraphic* g = GetCellGraphic(rc, R)) {
                switch (g->CellType) {
                case ctBitmap:
                    if (const auto* b = dynamic_cast<const TBitmap*>(g->CellBitmap()))
                        content = t + imageTag(b->Image());
                    break;
                case ctImageList:
                    content = listImage(g->CellIndex) + t;
                    break;
                case ctDataImage: {
                    Integer idx = -1;
                    content = TextToInteger(Cells(rc, R), idx) ? listImage(idx) : QString();
                    break;
                }
                case ctNode:
                    content = QStringLiteral("+") + t;
                    break;
                case ctImages: {
                    QString imgs;
                    if (const auto* l = dynamic_cast<const TIntList*>(g->CellBitmap()); l && GridImages())
                        for (Integer i = 0; i < l->Count(); ++i)
                            imgs += listImage(l->Items(i));
                    content = imgs + t;
                    break;
                }
                case ctPicture:
                case ctInterface:
                    if (const auto* p = dynamic_cast<const TPicture*>(g->CellBitmap()); p && p->Graphic())
                        content = t + imageTag(p->Graphic()->ToImage());
                    break;
                default:
                    break;
                }
            }
        return QStringLiteral("<TD class=") + Q + u'c' + QString::number(cls) + Q + spans
               + (wrap ? QString() : QStringLiteral(" nowrap")) + width + u'>' + content + QStringLiteral("</td>");
    };

    Integer bodyStart = firstRow;
    if (header) {
        table << QStringLiteral("<TR>");
        for (Integer c = S; c < ColCount(); ++c)
            if (const QString l = cellLine(c, 0, true); !l.isEmpty())
                table << l;
        table << QStringLiteral("</TR>");
        bodyStart = 1;
    }
    ExportNotification(esExportStart, bodyStart);
    for (Integer r = bodyStart; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        table << QStringLiteral("<TR>");
        for (Integer c = S; c < ColCount(); ++c)
            if (const QString l = cellLine(c, r, false); !l.isEmpty())
                table << l;
        table << QStringLiteral("</TR>");
    }
    ExportNotification(esExportDone, -1);
    table << QStringLiteral("</TABLE>");
    if (!hs->SuffixTag.isEmpty())
        table << hs->SuffixTag;
    if (hs->XHTML)
        table << QStringLiteral("</HTML>");

    QString out = prolog + QStringLiteral("<style>") + CRLF;
    for (qsizetype i = 0; i < classes.size(); ++i)
        out += QStringLiteral(".c%1 {%2}").arg(i).arg(classes[i]) + CRLF;
    out += QStringLiteral("</style>") + CRLF;
    for (const QString& l : table)
        out += l + CRLF;
    return out;
}

void TExStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, false, Unicode, Show);
}

void TExStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    WriteHTMLFile(FileName, true, Unicode, Show);
}

void TExStringGrid::WriteHTMLFile(const QString& FileName, bool Append, bool Unicode, bool Show)
{
    TStringList lines;
    if (Append)
        lines.LoadFromFile(FileName);  // a file that cannot be read starts empty
    auto addFile = [&lines](const QString& Name) {
        if (Name.isEmpty())
            return;
        TStringList part;
        LoadExchangeLines(part, Name);
        lines.AddStrings(&part);
    };
    addFile(FHTMLSettings->HeaderFile);
    QString dir = ExtractFilePath(FileName);
    dir.replace(u'\\', u'/');
    if (!dir.isEmpty() && !dir.endsWith(u'/'))
        dir += u'/';
    lines.Add(SaveToHTMLString(dir));
    addFile(FHTMLSettings->FooterFile);
    if (Unicode) {
        SaveExchangeLines(lines, FileName, true);
    } else {
        // Seven-bit text: characters beyond it become character references,
        // so that nothing is lost.
        QString text = lines.Text();
        QString ascii;
        ascii.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char32_t cp = text[i].isHighSurrogate() && i + 1 < text.size()
                                    ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                    : char32_t(text[i].unicode());
            if (cp > 0xFFFF)
                ++i;
            if (cp < 0x80)
                ascii += QChar(char16_t(cp));
            else
                ascii += QStringLiteral("&#%1;").arg(uint(cp));
        }
        TMemoryStream ms;
        ms.WriteBuffer(ascii.toLatin1());
        ms.SaveToFile(FileName);
    }
    if (Show || FHTMLSettings->AutoPreview)
        QDesktopServices::openUrl(QUrl::fromLocalFile(FileName));
}
