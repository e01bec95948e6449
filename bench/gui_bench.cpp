// Timings of the windows, on Qt's offscreen platform: a zoom click on a big band until the
// canvas is painted, opening the instructions of a long band, painting one cell of a wide
// draft, rebuilding a draft of 1,000 cards, Apply with Simple Weave at block size 1, and a
// Weave with an UnWeave step on a short and a long band.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "BenchSupport.h"
#include "design/ChartWindow.h"
#include "design/DesignWindow.h"
#include "design/DraftGrid.h"
#include "display/BandView.h"
#include "display/DisplayWindow.h"
#include "display/WholeBandView.h"
#include "document/PatternSession.h"
#include "document/RecoveryCopy.h"
#include "document/commands/BandCommands.h"
#include "document/commands/ChartCommands.h"
#include "document/commands/PickCommands.h"
#include "engine/ChartEdits.h"
#include "patternfile/PeerPattern.h"
#include "weave/InstructionTableModel.h"
#include "weave/InstructionsWindow.h"
#include "weave/PackGrid.h"
#include "weave/WeaveAlongWindow.h"
#include "weave/WeaveWindow.h"
#include "widgets/UserDialogs.h"

namespace tessaly {
namespace {

// The benchmarks ask nothing.
class UserDialogsForBench : public UserDialogs {
  public:
    void ShowMessage(QWidget*, const QString&, const QString&, Icon) override {}
    Answer Ask(QWidget*, const QString&, const QString&, bool) override { return Answer::No; }
    std::optional<std::int32_t> ChooseColor(QWidget*, std::int32_t) override { return {}; }
    std::optional<QString> ChooseOpenFile(QWidget*, const QString&) override { return {}; }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString&) override { return {}; }
    std::optional<QString> ChooseExportFile(QWidget*, const QString&, const QString&,
                                            const QStringList&) override {
        return {};
    }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
    void ShowPrintPreview(QWidget*, QPrinter&, const std::function<void(QPrinter&)>&) override {}
    std::optional<int> AskNumber(QWidget*, const QString&, const QString&, int, int,
                                 int) override {
        return {};
    }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return {};
    }
    int Choose(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
    bool OpenDocument(const QString&) override { return false; }
};

void FillBand(PatternSession& session, int rows, int cards) {
    PatternData pattern;
    *pattern.Rows = bench::BandOfRows(rows, cards);
    session.Load(std::move(pattern));
}

void BM_ZoomClick(benchmark::State& state) {
    PatternSession session;
    FillBand(session, 1000, 200);
    DisplayWindow display(session);
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
    PatternSession session;
    FillBand(session, 10000, 200);
    for (auto _ : state) {
        UserDialogsForBench dialogs;
        InstructionsWindow window(session, dialogs);
        window.resize(600, 500);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenInstructions)->Unit(benchmark::kMillisecond);

// A threading of the given number of cards, woven with "FFBB".
void LoadThreading(PatternSession& session, int cards) {
    PatternData pattern;
    pattern.TurnSequence = "FFBB";
    pattern.Rows->Add(bench::Deck(cards), 1);
    session.Load(std::move(pattern));
}

// The design window on screen over a threading of the given number of cards.
struct ShownDesign {
    explicit ShownDesign(int cards) {
        LoadThreading(session, cards);
        window.resize(900, 300);
        window.show();
        QCoreApplication::processEvents();
    }
    PatternSession session;
    UserDialogsForBench dialogs;
    DesignWindow window{session, dialogs};
};

void BM_PaintOneCell(benchmark::State& state) {
    ShownDesign design(200);
    DraftGrid* grid = design.window.Grid();
    const QPoint cell = grid->CellRect({150, DraftGrid::HoleB}).center();
    bool left = true;
    for (auto _ : state) {
        QTest::mousePress(grid, left ? Qt::LeftButton : Qt::RightButton, {}, cell);
        grid->repaint();
        left = !left;
    }
}
BENCHMARK(BM_PaintOneCell)->Unit(benchmark::kMillisecond);

void BM_BuildDraftGrid(benchmark::State& state) {
    ShownDesign design(1000);
    for (auto _ : state) {
        design.window.Reload();
        design.window.Grid()->repaint();
    }
}
BENCHMARK(BM_BuildDraftGrid)->Unit(benchmark::kMillisecond);

void BM_ApplyAndSimpleWeave(benchmark::State& state) {
    PatternSession session;
    LoadThreading(session, 200);
    UserDialogsForBench dialogs;
    DesignWindow window(session, dialogs);
    DisplayWindow display(session);
    display.show();
    session.Presentation().SetBlockSize(1);
    for (auto _ : state) {
        session.Run<ApplyThreading>();
        session.Run<SimpleWeave>();
    }
    state.counters["rows"] = session.Document().CurrentBand().Count();
}
BENCHMARK(BM_ApplyAndSimpleWeave)->Unit(benchmark::kMillisecond);

// The windows a weaving step redraws, shown on a band of `picks` picks of 200 cards. Repaint
// paints what the step asked to be painted, as the event loop would: the layouts first, then
// every window's dirty region; RepaintAll paints every window whole.
struct WeavingWindows {
    explicit WeavingWindows(int picks, bool wholeBand = false) {
        FillBand(session, picks, 200);
        display.resize(800, 900);
        display.show();
        display.SetWholeBand(wholeBand);
        instructions.resize(600, 500);
        instructions.show();
        weave.show();
        QCoreApplication::processEvents();
    }
    QPushButton* Button(const char* name) { return weave.findChild<QPushButton*>(name); }
    void Repaint() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    void RepaintAll() {
        display.repaint();
        instructions.repaint();
        weave.repaint();
    }

    PatternSession session;
    DisplayWindow display{session};
    UserDialogsForBench dialogs;
    InstructionsWindow instructions{session, dialogs};
    WeaveWindow weave{session};
};

// One Weave and one UnWeave step from the click to the repainted display, instructions and
// packs, on a band of the given number of picks of 200 cards.
void BM_WeaveAndUnweaveStep(benchmark::State& state) {
    WeavingWindows windows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const char* button : {"cmdWeave", "cmdUnweave"}) {
            windows.Button(button)->click();
            windows.Repaint();
        }
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WeaveAndUnweaveStep)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// Weave Along's Next and Previous from the key to the repainted windows (the pick, the
// deck's diagrams, the fell on the display, the marked instruction row) on a band of 10,000
// picks of 200 cards, half way along it.
void BM_WeaveAlongStep(benchmark::State& state) {
    WeavingWindows windows(10000);
    WeaveAlongWindow along(windows.session, windows.dialogs);
    along.show();
    windows.session.Loom().GoTo(5000);
    windows.Repaint();
    for (auto _ : state) {
        along.nextPick();
        windows.Repaint();
        along.previousPick();
        windows.Repaint();
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WeaveAlongStep)->Unit(benchmark::kMillisecond);

// A Weave and an UnWeave step on 10,000 picks of 200 cards woven by hand, while the recovery
// copy of that band is written: its rows are copied for the writer when it starts, then the
// text is made and written on a worker thread. Each step, the copy's start included, has one
// frame (16.7 ms) at most.
void BM_WeaveStepWhileRecoveryCopyIsWritten(benchmark::State& state) {
    WeavingWindows windows(10000);
    windows.Button("cmdWeave")->click();  // woven by hand: the copy holds every row
    windows.Repaint();
    QTemporaryDir folder;
    RecoveryCopy copy(folder.path());
    for (auto _ : state) {
        copy.Write(windows.session, {}, false);
        for (const char* button : {"cmdWeave", "cmdUnweave"}) {
            windows.Button(button)->click();
            windows.Repaint();
        }
        state.PauseTiming();
        copy.Write(windows.session, {}, true);  // the writer done before the next round
        state.ResumeTiming();
    }
    copy.Remove();
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WeaveStepWhileRecoveryCopyIsWritten)->Unit(benchmark::kMillisecond);

// The floor a step has to beat: the windows of BM_WeaveAndUnweaveStep/10000, each repainted
// whole once with nothing changed.
void BM_RepaintWindows(benchmark::State& state) {
    WeavingWindows windows(10000);
    windows.Repaint();
    for (auto _ : state) windows.RepaintAll();
}
BENCHMARK(BM_RepaintWindows)->Unit(benchmark::kMillisecond);

// One cell of the instructions set, and set back, on 10,000 picks of 200 cards, until the
// windows are repainted: at pick 1 everything above is woven again, near the top little is.
void BM_EditPick(benchmark::State& state) {
    WeavingWindows windows(10000);
    const auto pick = static_cast<std::int32_t>(state.range(0));
    PatternSession& session = windows.session;
    for (auto _ : state) {
        for (const std::int32_t turn : {Backward, Forward}) {
            session.Run<EditPicks>(QStringLiteral("Set"),
                                   ChangeCells(session.Document().CurrentBand(),
                                               {{{pick, 1}, turn, false}}));
            windows.Repaint();
        }
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EditPick)->Arg(1)->Arg(9990)->Unit(benchmark::kMillisecond);

// One cell of a double-faced chart of 200 cards and 500 rows (1,000 picks) painted and painted
// back, each a step that weaves the band again, until the chart, the display and the
// instructions are repainted.
void BM_PaintChartCell(benchmark::State& state) {
    WeavingWindows windows(1);
    PatternSession& session = windows.session;
    TwoColourChart chart = BlankChart(ChartWeave::DoubleFaced, 200, 500);
    PatternData pattern;
    pattern.Rows = std::move(PatternFromPeer(ChartPeer(chart, 0x2020B0, 0x803020)).Rows);
    pattern.Extras.chart = chart;
    session.Load(std::move(pattern));
    ChartWindow chartWindow(session);
    chartWindow.show();
    windows.Repaint();
    for (auto _ : state) {
        for (const bool foreground : {true, false}) {
            chart.foreground[250][100] = foreground;
            session.Run<EditChart>(QStringLiteral("Paint chart"), chart);
            windows.Repaint();
        }
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PaintChartCell)->Unit(benchmark::kMillisecond);

// A copy of one pick inserted before it on 10,000 picks of 200 cards, until the windows are
// repainted: every pick above moves up one row. (It is deleted again untimed.)
void BM_InsertPick(benchmark::State& state) {
    WeavingWindows windows(10000);
    const auto pick = static_cast<std::int32_t>(state.range(0));
    PatternSession& session = windows.session;
    for (auto _ : state) {
        const Band& band = session.Document().CurrentBand();
        session.Run<EditPicks>(QStringLiteral("Insert"),
                               InsertPicks(band, pick, CopyPicks(band, pick, pick)));
        windows.Repaint();
        state.PauseTiming();
        session.Run<EditPicks>(QStringLiteral("Delete"),
                               DeletePicks(session.Document().CurrentBand(), {pick}));
        windows.Repaint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertPick)->Arg(1)->Arg(9990)->Unit(benchmark::kMillisecond);

// Picks 1 to 20 repeated 100 times on a band of 200 cards, and undone, until repainted.
void BM_RepeatPicks(benchmark::State& state) {
    WeavingWindows windows(21);
    PatternSession& session = windows.session;
    for (auto _ : state) {
        session.Run<EditPicks>(QStringLiteral("Repeat"),
                               RepeatPicks(session.Document().CurrentBand(), 1, 20, 100));
        windows.Repaint();
        state.PauseTiming();
        session.History().Undo();
        windows.Repaint();
        state.ResumeTiming();
    }
    state.counters["rows"] = session.Document().CurrentBand().Count();
}
BENCHMARK(BM_RepeatPicks)->Unit(benchmark::kMillisecond);

// Undo and redo of one Weave step on 10,000 picks of 200 cards, each until the display, the
// instructions and the packs are repainted.
void BM_UndoRedoWeaveStep(benchmark::State& state) {
    WeavingWindows windows(10000);
    windows.Button("cmdWeave")->click();
    History& history = windows.session.History();
    for (auto _ : state) {
        for (const bool undo : {true, false}) {
            undo ? history.Undo() : history.Redo();
            windows.Repaint();
        }
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UndoRedoWeaveStep)->Unit(benchmark::kMillisecond);

// Undo and redo of Apply and of Simple Weave on a band of 200 cards, with the display shown.
void BM_UndoRedoApplyAndSimpleWeave(benchmark::State& state) {
    PatternSession session;
    LoadThreading(session, 200);
    DisplayWindow display(session);
    display.show();
    session.Presentation().SetBlockSize(1);
    session.Run<ApplyThreading>();
    session.Run<SimpleWeave>();
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) session.History().Undo();
        for (int i = 0; i < 2; ++i) session.History().Redo();
        display.View()->repaint();
    }
    state.counters["rows"] = session.Document().CurrentBand().Count();
    state.counters["steps"] = benchmark::Counter(4, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UndoRedoApplyAndSimpleWeave)->Unit(benchmark::kMillisecond);

// The whole band of 10,000 picks by 200 cards at block size 10 (200,040 pixels high): a jump
// to another place of it until the view is repainted.
void BM_WholeBandScroll(benchmark::State& state) {
    WeavingWindows windows(10000, true);
    DisplayWindow& display = windows.display;
    QScrollBar* bar = display.Viewport()->verticalScrollBar();
    int place = 0;
    for (auto _ : state) {
        place = (place + 7919 * 13) % std::max(bar->maximum(), 1);
        bar->setValue(place);
        // what the viewport shows, painted afresh
        benchmark::DoNotOptimize(display.WholeView()->grab(
            QRect(0, bar->value(), display.WholeView()->width(), bar->pageStep() + 900)));
    }
    state.counters["height"] = display.WholeView()->height();
}
BENCHMARK(BM_WholeBandScroll)->Unit(benchmark::kMillisecond);

// A Weave and an UnWeave step with the whole band following the newest pick.
void BM_WholeBandWeaveStep(benchmark::State& state) {
    WeavingWindows windows(10000, true);
    for (auto _ : state) {
        for (const char* button : {"cmdWeave", "cmdUnweave"}) {
            windows.Button(button)->click();
            windows.Repaint();
        }
    }
    state.counters["steps"] = benchmark::Counter(2, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WholeBandWeaveStep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly
