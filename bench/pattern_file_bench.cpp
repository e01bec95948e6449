#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "BenchSupport.h"
#include "engine/RecordingCanvas.h"
#include "patternfile/GttFormat.h"
#include "patternfile/PatternFile.h"
#include "patternfile/PatternReader.h"
#include "patternfile/PatternWriter.h"
#include "patternfile/SafeFile.h"

namespace tessaly {
namespace {

constexpr int kRows = 5000;
constexpr int kCards = 100;

std::string BenchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / "tessaly-bench";
    std::filesystem::create_directories(folder);
    return folder.string();
}

// A hand-woven band: every row stored.
const Band& HandWovenBand() {
    static const Band band = bench::BandOfRows(kRows, kCards, 3);
    return band;
}

const std::string& HandWovenFile() {
    static const std::string path = [] {
        const std::string file = BenchFolder() + "/hand-woven.kst";
        WriteFileAtomically(file, PatternWriter::Format({"Bench", "", {}}, HandWovenBand()));
        return file;
    }();
    return path;
}

void BM_ReadPattern(benchmark::State& state) {
    const std::string& path = HandWovenFile();
    std::size_t heapGrowth = 0;
    for (auto _ : state) {
        // the heap is measured outside the time: asking malloc walks all it holds, which
        // after other work in the same process takes longer than reading the file
        state.PauseTiming();
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        PatternData data = PatternReader::ReadFile(path);
        state.PauseTiming();
        heapGrowth = mallinfo2().uordblks - before;
        state.ResumeTiming();
        benchmark::DoNotOptimize(data);
    }
    state.counters["bytes_per_card_pick"] =
        static_cast<double>(heapGrowth) / (static_cast<double>(kRows) * kCards);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadPattern)->Unit(benchmark::kMillisecond);

// What the band costs once it is drawn too: cards and blocks.
void BM_ReadAndDrawMemory(benchmark::State& state) {
    const std::string& path = HandWovenFile();
    std::size_t heapGrowth = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        PatternData data = PatternReader::ReadFile(path);
        RecordingCanvas canvas(1000.0);
        data.Rows->WeaveBand(&canvas, {10, 10, 0, 0});
        canvas.Clear();
        heapGrowth = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(data);
    }
    state.counters["bytes_per_card_pick"] =
        static_cast<double>(heapGrowth) / (static_cast<double>(kRows) * kCards);
}
BENCHMARK(BM_ReadAndDrawMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same bytes read line by line and nothing else.
void BM_ReadLinesBaseline(benchmark::State& state) {
    const std::string& path = HandWovenFile();
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line)) ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadLinesBaseline)->Unit(benchmark::kMillisecond);

// The same band as each other program's file, read: 0 .tdd, 1 .twt, 2 .gtt. Its bytes per
// card-pick show what reading costs against the .kst's.
void BM_ReadPeerPattern(benchmark::State& state) {
    static const PatternFormat kFormats[] = {PatternFormat::Tdd, PatternFormat::Twt, PatternFormat::Gtt};
    static const char* const kExtensions[] = {".tdd", ".twt", ".gtt"};
    const auto which = static_cast<std::size_t>(state.range(0));
    const std::string path = BenchFolder() + "/hand-woven" + kExtensions[which];
    // Twisted Threads holds 199 picks at most: its file is the band's first 199 picks
    Band band = HandWovenBand().Copy();
    while (kFormats[which] == PatternFormat::Twt && band.Count() > 200) band.Remove(band.Count());
    WriteFileAtomically(path, PeerText(kFormats[which], band, "Bench"));
    const double cardPicks = static_cast<double>(band.Count()) * kCards;
    std::size_t heapGrowth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        std::optional<PatternData> data = ReadPatternFile(path);
        state.PauseTiming();
        heapGrowth = mallinfo2().uordblks - before;
        state.ResumeTiming();
        if (!data) state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(data);
    }
    state.counters["bytes_per_card_pick"] = static_cast<double>(heapGrowth) / cardPicks;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadPeerPattern)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A .gtt pattern of one card and pick inside unknown elements nested this deep, as a hostile
// file may be: reading costs as much as the bytes, not the square of the depth.
void BM_ReadDeepGtt(benchmark::State& state) {
    const auto depth = static_cast<std::size_t>(state.range(0));
    std::string nested;
    for (std::size_t i = 0; i < depth; ++i) nested += "<x>";
    for (std::size_t i = 0; i < depth; ++i) nested += "</x>";
    const std::string text =
        "<TWData><Source>Guntram's Tabletweaving Thingy</Source><Pattern Type=\"Threaded-in\">" + nested +
        "<Cards><Card><Holes><Colour>0</Colour><Colour>1</Colour><Colour>2</Colour><Colour>3</Colour></Holes>"
        "<Threading>S</Threading></Card></Cards><Picks><Pick><Actions>"
        "<Action Target=\"Card\" TargetID=\"1\" Dir=\"F\"/></Actions></Pick></Picks></Pattern></TWData>";
    for (auto _ : state) benchmark::DoNotOptimize(GttFormat::Read(std::string_view(text), "deep.gtt"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadDeepGtt)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WritePattern(benchmark::State& state) {
    const std::string path = BenchFolder() + "/written.kst";
    for (auto _ : state)
        WriteFileAtomically(path, PatternWriter::Format({"Bench", "", {}}, HandWovenBand()));
}
BENCHMARK(BM_WritePattern)->Unit(benchmark::kMillisecond);

// The same bytes written line by line and nothing else.
void BM_WriteLinesBaseline(benchmark::State& state) {
    const std::string content = PatternWriter::Format({"Bench", "", {}}, HandWovenBand());
    const std::string path = BenchFolder() + "/baseline.kst";
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::size_t start = 0;
        for (std::size_t end; (end = content.find('\n', start)) != std::string::npos;
             start = end + 1)
            out.write(content.data() + start, static_cast<std::streamsize>(end + 1 - start));
    }
}
BENCHMARK(BM_WriteLinesBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly
