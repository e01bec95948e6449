// Timings of the printed pattern for a band of 1,000 picks by 200 cards woven by hand, so its
// turning instructions print too (7 tables of 1,000 rows): the whole document as a PDF, and
// the print preview until its first page is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "BenchSupport.h"
#include "engine/Threading.h"
#include "print/PrintedPattern.h"

namespace tessaly {
namespace {

struct LongBand {
    Band band = bench::BandOfRows(1000, 200);
    PrintSource source;
    LongBand() {
        source.bandName = "Bench";
        source.draft = DraftFromDeck(band.At(1).Cards());
        source.band = &band;
    }
};

void BM_PdfOfLongBand(benchmark::State& state) {
    const LongBand pattern;
    std::size_t bytes = 0;
    for (auto _ : state) bytes = PrintPatternToPdf(pattern.source, QPageSize(QPageSize::A4)).size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_PdfOfLongBand)->Unit(benchmark::kMillisecond);

// The preview lays out every page before it shows the first, as the print dialog's preview
// of the platform does.
void BM_PreviewFirstPage(benchmark::State& state) {
    const LongBand pattern;
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                         [&](QPrinter* device) { PrintPattern(*device, pattern.source); });
        preview.resize(800, 1000);
        preview.show();
        preview.updatePreview();
        QApplication::processEvents();
        pages = preview.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly
