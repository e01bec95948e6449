#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Band.h"
#include "engine/DrawingGeometry.h"
#include "engine/PickSteps.h"
#include "engine/TurningInstructions.h"
#include "errors/ErrorReporter.h"

namespace tessaly::test {

// The decks of every row, bottom first.
inline std::vector<Cards> DecksOf(const Band& band) {
    std::vector<Cards> decks;
    for (const Row& row : band) decks.push_back(row.Cards());
    return decks;
}

// Records every report made while it lives instead of printing it.
class ReportRecorder {
  public:
    ReportRecorder() : scope_(sink_) {}
    const std::vector<ErrorReport>& Reports() const { return sink_.Reports(); }
    bool Empty() const { return sink_.Reports().empty(); }
    std::string Where(std::size_t i = 0) const {
        return sink_.Reports().at(i).module + "." + sink_.Reports().at(i).procedure;
    }

  private:
    RecordingErrorSink sink_;
    ScopedErrorSink scope_;
};

// A scratch folder removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tessaly-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Colours as the program holds them, 0x00BBGGRR; a test says "using namespace test::colors".
namespace colors {
constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kGreen = 0x00FF00;
constexpr std::int32_t kBlue = 0xFF0000;
constexpr std::int32_t kWhite = 0xFFFFFF;
}  // namespace colors

// A deck of n cards numbered 1..n with distinct colours per hole.
inline Cards MakeDeck(int n, std::int32_t turn = 0, ThreadDirection thread = SThread,
                      std::int32_t holeOrder = 0) {
    Cards deck;
    for (int i = 1; i <= n; ++i)
        deck.Add(turn, static_cast<std::int16_t>(i),
                 {100 * i + 1, 100 * i + 2, 100 * i + 3, 100 * i + 4}, thread, holeOrder, 1);
    return deck;
}

// Steps of every kind at random for a deck of `cards` from MakeDeck: turns, idles, flips, packs.
inline WeavingSteps RandomSteps(std::mt19937& random, int cards, int picks) {
    WeavingSteps steps;
    steps.threading = MakeDeck(cards, Forward, SThread, 1);
    for (int p = 0; p < picks; ++p) {
        PickSteps pick;
        for (int c = 0; c < cards; ++c)
            pick.push_back({static_cast<std::int32_t>(random() % 3), random() % 5 == 0,
                            static_cast<std::int16_t>(1 + random() % 3)});
        steps.picks.push_back(std::move(pick));
    }
    return steps;
}

// The head of a pattern file, lines 1 to 7.
inline std::string PatternHead(const std::string& sequence = "", const std::string& name = "Test") {
    return name +
           "\r\nMain, 0, 1185, 1650, 9600, 7200\r\nDesign, 0, 0, 0, 7200, 5400\r\n"
           "Display, 0, 0, 7200, 4800, 5400\r\nWeave, 0, 5400, 0, 7200, 3000\r\n"
           "Turn sequence = " +
           sequence +
           "\r\nRow, Position, Turn, AColor, BColor, CColor, DColor, Thread, HoleOrder, Pack\r\n";
}

// The turning instructions' texts: the card numbers, then a line per pick.
inline std::vector<std::vector<std::string>> InstructionTexts(
    const TurningInstructions& instructions) {
    std::vector<std::vector<std::string>> texts(1);
    for (int c = 1; c <= instructions.Cards(); ++c)
        texts[0].push_back(std::to_string(instructions.CardNumber(c)));
    for (int pick = 1; pick <= instructions.Picks(); ++pick) {
        texts.emplace_back();
        for (int c = 1; c <= instructions.Cards(); ++c)
            texts.back().push_back(instructions.Text(pick, c));
    }
    return texts;
}

}  // namespace tessaly::test
