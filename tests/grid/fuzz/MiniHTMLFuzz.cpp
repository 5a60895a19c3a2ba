// Fuzz target of the mini-HTML parser, layout and string routines: any
// text, laid out in any mode, must neither crash nor hang, and the string
// routines must keep their positions consistent.
#include "grid/EsgHTMLE.h"

#include "platform/Canvas.h"
#include "platform/ImageList.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace {

// The checks a fuzzer run must never see fail.
void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "mini-HTML fuzz check failed: %s\n", what);
        std::abort();
    }
}

void RenderAll(const QString& text, std::uint8_t flags)
{
    // Kept for the whole run: nothing of Qt's is torn down at exit.
    static TImageList* images = new TImageList(16, 16);
    QImage image(160, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    canvas.Font()->SetName(QStringLiteral("DejaVu Sans"));
    const TRect rect(2, 2, (flags & 0x40) ? 8 : 150, 46);
    for (int mode = 0; mode < 3; ++mode) {
        TMiniHTMLRequest req;
        req.Images = images;
        req.WordWrap = flags & 1;
        req.KeepColors = flags & 2;
        req.HoverOnly = flags & 4;
        req.BlinkOn = flags & 8;
        req.Printing = flags & 0x10;
        req.PrintScale = 1.0;
        req.ButtonDown = flags & 0x20;
        req.FocusAnchor = (flags >> 6) & 1;
        req.HoverAnchor = 1;
        req.PointX = 10 + (flags & 0x3F);
        req.PointY = 4 + (flags >> 4);
        req.MeasureOnly = mode == 0;
        req.TestAgain = mode == 2;
        TMiniHTMLResult res;
        res.ControlID = QStringLiteral("c");
        RenderMiniHTML(&canvas, text, rect, req, res);
        Require(res.Height > 0, "a laid-out text has a height");
        Require(res.AnchorCount >= 0, "anchor count");
    }
    canvas.EndPaint();
}

void TextRoutines(const QString& text)
{
    const QString visible = HTMLVisibleText(text);
    // Every visible position maps to a markup position in front of it.
    const int step = std::max<int>(1, int(visible.size()) / 16);
    for (int n = 1; n <= visible.size() + 1; n += step) {
        const Integer p = HTMLVisibleToMarkupPos(text, n);
        Require(p >= 1 && p <= text.size() + 1, "markup position in range");
        Require(HTMLVisibleText(text.left(p - 1)).size() == n - 1, "visible characters before the markup position");
    }
    StripHTMLTags(text);
    const QString search = visible.mid(visible.size() / 3, 2);
    const QString marked = HighlightHTMLText(text, search, QStringLiteral("e"), false);
    UnhighlightHTMLText(marked, QStringLiteral("e"));
    HTMLUnescape(EscapeHTML(text, true), true);
    if (HasHTMLControl(text)) {
        QString edited = text;
        const QString id = NextHTMLEditControl(text, QString());
        if (!id.isEmpty() && SetHTMLControlValue(edited, id, QStringLiteral("v&<\"x\">"))) {
            QString value;
            Require(GetHTMLControlValue(edited, id, value), "control found again");
        }
        ResetHTMLRadios(text);
        GetHTMLControlMaxLen(text, id);
        GetHTMLControlProp(text, id);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the run ends in exit(), after Qt's own clean-up.
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    RenderAll(text, flags);
    TextRoutines(text);
    return 0;
}
