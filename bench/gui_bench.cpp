// Timings of the windows, on Qt's offscreen platform: a zoom click on a big band until the
// canvas is painted, and opening the instructions of a long band.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "BenchSupport.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "document/PatternDocument.h"
#include "weave/InstructionTableModel.h"
#include "weave/InstructionsWindow.h"

namespace tessaly {
namespace {

void FillBand(PatternDocument& document, int rows, int cards) {
    PatternData pattern;
    *pattern.Rows = bench::BandOfRows(rows, cards);
    document.LoadPattern(std::move(pattern));
}

void BM_ZoomClick(benchmark::State& state) {
    PatternDocument document;
    FillBand(document, 1000, 200);
    DisplayWindow display(document);
    display.resize(800, 900);
    display.show();
    bool in = true;
    for (auto _ : state) {
        QTest::mouseClick(display.View(), in ? Qt::LeftButton : Qt::RightButton);
        display.View()->repaint();
        in = !in;
    }
}
BENCHMARK(BM_ZoomClick)->Unit(benchmark::kMillisecond);

void BM_OpenInstructions(benchmark::State& state) {
    PatternDocument document;
    FillBand(document, 10000, 200);
    for (auto _ : state) {
        InstructionsWindow window(document);
        window.resize(600, 500);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenInstructions)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
