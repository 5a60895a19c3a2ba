#pragma once
// Reads back a PDF that a test printed, through poppler's command-line
// tools: page count and size (pdfinfo), the text of a page as laid out
// (pdftotext -layout), the words with their boxes (pdftotext -bbox), and a
// page rendered as a PNG screenshot (pdftoppm).

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "Screenshot.h"

namespace testsupport {

inline QString RunTool(const QString& Tool, const QStringList& Args)
{
    QProcess p;
    p.start(Tool, Args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int PdfPageCount(const QString& Pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool(QStringLiteral("pdfinfo"), {Pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Width and height of the first page in points.
inline QSizeF PdfPageSize(const QString& Pdf)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                                          .match(RunTool(QStringLiteral("pdfinfo"), {Pdf}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// The text of one page (1-based), or of all pages for 0.
inline QString PdfText(const QString& Pdf, int Page = 0, bool Layout = true)
{
    QStringList args;
    if (Layout)
        args << QStringLiteral("-layout");
    if (Page > 0)
        args << QStringLiteral("-f") << QString::number(Page) << QStringLiteral("-l") << QString::number(Page);
    args << Pdf << QStringLiteral("-");
    return RunTool(QStringLiteral("pdftotext"), args);
}

struct TPdfWord {
    int Page = 0;
    double XMin = 0, YMin = 0, XMax = 0, YMax = 0;
    QString Text;
};

// Every word with its box in points (origin at the page's top-left).
inline std::vector<TPdfWord> PdfWords(const QString& Pdf)
{
    const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), Pdf, QStringLiteral("-")});
    std::vector<TPdfWord> words;
    int page = 0;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("<page ")))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (m.hasMatch())
            words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// Renders one page at Dpi into the screenshot folder as <Name>.png and
// returns the picture.
inline QImage PdfPageScreenshot(const QString& Pdf, int Page, const QString& Name, int Dpi = 60)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/page");
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-f"),
                                         QString::number(Page), QStringLiteral("-l"), QString::number(Page),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), Pdf, prefix});
    QImage image(prefix + QStringLiteral(".png"));
    if (!image.isNull())
        SaveScreenshot(image, Name);
    return image;
}

} // namespace testsupport
