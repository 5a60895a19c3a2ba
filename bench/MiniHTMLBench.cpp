// How the mini-HTML renderer's cost grows with its text: texts of 1k, 10k
// and 100k characters of each kind, measured and drawn. The time per
// character (the "per_char" counter) stays flat when rendering is linear.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "grid/EsgHTMLE.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

namespace {

// One unit of each kind of text, repeated to the length asked.
const char* const Units[] = {
    // Words, styles, entities, a link and a font change.
    "Word <b>bold</b> &amp; <i>it</i> <font color=\"clred\">red</font> <a href=\"x\">link</a> ",
    // Short lines.
    "line of text<br>",
    // Controls far larger than the canvas.
    "<control type=\"button\" width=\"99999\" height=\"99999\" value=\"v\"> ",
    // Nested lists.
    "<ul><li>item ",
};

QString Text(int kind, int length)
{
    const QString unit = QString::fromLatin1(Units[kind]);
    QString text;
    while (text.size() < length)
        text += unit;
    text.truncate(length);
    return text;
}

void BM_RenderMiniHTML(benchmark::State& state)
{
    const int kind = int(state.range(0));
    const int length = int(state.range(1));
    const bool measure = state.range(2) != 0;
    const QString text = Text(kind, length);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas;
    canvas.BeginPaint(&painter);
    canvas.Font()->SetName(QStringLiteral("DejaVu Sans"));
    for (auto _ : state) {
        TMiniHTMLRequest req;
        req.WordWrap = true;
        req.MeasureOnly = measure;
        TMiniHTMLResult res;
        RenderMiniHTML(&canvas, text, TRect(0, 0, 400, 300), req, res);
        benchmark::DoNotOptimize(res.Height);
    }
    canvas.EndPaint();
    state.counters["per_char"] =
        benchmark::Counter(double(length), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Lengths(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"kind", "chars", "measure"});
    for (int kind = 0; kind < int(std::size(Units)); ++kind)
        for (int measure : {1, 0})
            for (int length : {1000, 10000, 100000})
                b->Args({kind, length, measure});
}
BENCHMARK(BM_RenderMiniHTML)->Apply(Lengths)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
