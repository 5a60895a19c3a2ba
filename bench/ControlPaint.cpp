// How fast a self-painting control draws a screen full of cells through its
// canvas, the way the grid and tree views paint.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/TestHooks.h"

namespace {

class TCells : public TCustomControl {
public:
    explicit TCells(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 1000, 600); }
    Integer cols = 10, rows = 30;

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        const Integer w = Width() / cols, h = Height() / rows;
        for (Integer r = 0; r < rows; ++r)
            for (Integer k = 0; k < cols; ++k) {
                const TRect cell(k * w, r * h, (k + 1) * w, (r + 1) * h);
                c->Brush()->SetColor((r + k) % 2 ? clWindow : clBtnFace);
                c->FillRect(cell);
                c->TextRect(cell, cell.Left + 2, cell.Top + 2, QStringLiteral("Row %1 col %2").arg(r).arg(k));
            }
    }
};

void BM_PaintCells(benchmark::State& state)
{
    TForm form(nullptr);
    form.SetClientSize(1000, 600);
    auto* cells = new TCells(&form);
    cells->SetParent(&form);
    for (auto _ : state)
        benchmark::DoNotOptimize(GrabControl(cells));
    state.SetItemsProcessed(state.iterations() * cells->cols * cells->rows);
}
BENCHMARK(BM_PaintCells)->Unit(benchmark::kMillisecond);

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
