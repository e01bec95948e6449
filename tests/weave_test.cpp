#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/TurningInstructions.h"
#include "engine/RecordingCanvas.h"
#include "engine/Threading.h"
#include "model/Directions.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};

struct Weaving {
    Band band;
    RecordingCanvas canvas{1000.0};

    void WeaveAll(const Cards& deck, std::string_view sequence,
                  const DrawingGeometry& geometry = kScreen) {
        band.WeaveAll(deck, &canvas, sequence, geometry);
    }
};

TEST(weave_all_test, repeats_the_whole_sequence_as_often_as_rows_fit) {
    Weaving w;
    w.WeaveAll(test::MakeDeck(4), "FFBB");
    EXPECT_EQ(w.band.Count(), 97);  // 1000 / 10 = 100 rows, 25 repeats, 1 + 24 * 4
    EXPECT_EQ(w.band.At(97).Number(), 97);
}

TEST(weave_all_test, a_sequence_that_fits_fewer_than_twice_is_woven_once_whole) {
    // 1000 / 10 = 100 rows fit
    for (const std::size_t letters :
         {std::size_t{50}, std::size_t{51}, std::size_t{99}, std::size_t{100}, std::size_t{150}}) {
        Weaving w;
        w.WeaveAll(test::MakeDeck(2), std::string(letters, 'F') + "B");
        EXPECT_EQ(w.band.Count(), static_cast<std::int32_t>(letters) + 2) << letters;
        EXPECT_EQ(w.band.At(w.band.Count()).Cards().At(1).Turn(), Backward) << letters;
    }
    // from twice on, as many whole repeats as fit, less one
    Weaving w;
    w.WeaveAll(test::MakeDeck(2), std::string(33, 'F'));
    EXPECT_EQ(w.band.Count(), 1 + 2 * 33);
}

TEST(weave_all_test, row_one_keeps_the_threading_and_row_two_applies_the_first_letter) {
    Weaving w;
    const Cards deck = test::MakeDeck(3, Backward, SThread, 2);
    w.WeaveAll(deck, "fBxb");
    EXPECT_EQ(w.band.At(1).Cards(), deck);
    const auto turnsOf = [&](int row) {
        std::vector<std::int32_t> turns;
        for (const Card& card : w.band.At(row).Cards()) turns.push_back(card.Turn());
        return turns;
    };
    EXPECT_EQ(turnsOf(2), (std::vector<std::int32_t>{Forward, Forward, Forward}));
    EXPECT_EQ(turnsOf(3), (std::vector<std::int32_t>{Backward, Backward, Backward}));
    EXPECT_EQ(turnsOf(4), (std::vector<std::int32_t>{Forward, Forward, Forward}));
    EXPECT_EQ(turnsOf(5), (std::vector<std::int32_t>{Backward, Backward, Backward}));
    EXPECT_EQ(w.band.At(2).Cards().At(1).HoleOrder(), 3);
    EXPECT_EQ(w.band.At(3).Cards().At(1).HoleOrder(), 2);
}

TEST(weave_all_test, letters_are_characters_not_bytes) {
    Weaving w;
    w.WeaveAll(test::MakeDeck(1),
               "F\xC3\xA9"
               "B");  // F, e-acute, B: three letters
    EXPECT_EQ(w.band.Count(), 1 + 32 * 3);
    EXPECT_EQ(w.band.At(3).Cards().At(1).Turn(), Forward);
    EXPECT_EQ(w.band.At(4).Cards().At(1).Turn(), Backward);
}

TEST(weave_all_test, bad_input_is_reported_before_the_band_is_touched) {
    test::ReportRecorder recorder;
    Weaving w;
    w.WeaveAll(test::MakeDeck(2), "FB");
    const std::int32_t rows = w.band.Count();
    const std::size_t polygons = w.canvas.Polygons().size();

    w.WeaveAll(test::MakeDeck(2), "");
    DrawingGeometry zero = kScreen;
    zero.BlockSize = 0;
    w.WeaveAll(test::MakeDeck(2), "FB", zero);
    RecordingCanvas tall(700000.0);
    w.band.WeaveAll(test::MakeDeck(2), &tall, "F", {1, 1, 0, 0});  // 700000 repeats

    ASSERT_EQ(recorder.Reports().size(), 3u);
    EXPECT_EQ(recorder.Where(0), "Band.WeaveAll");
    EXPECT_EQ(recorder.Reports()[0].number, 11);
    EXPECT_EQ(recorder.Reports()[1].number, 11);
    EXPECT_EQ(recorder.Reports()[2].number, 6);
    EXPECT_EQ(w.band.Count(), rows);
    EXPECT_EQ(w.canvas.Polygons().size(), polygons);
}

TEST(weave_all_test, clears_the_canvas_first) {
    Weaving w;
    w.WeaveAll(test::MakeDeck(2), "FB");
    const auto first = w.canvas.Polygons();
    w.WeaveAll(test::MakeDeck(2), "FB");
    EXPECT_EQ(w.canvas.Polygons(), first);
}

TEST(weave_row_test, adds_a_numbered_row_linked_to_the_last) {
    Weaving w;
    for (int i = 0; i < 7; ++i) w.band.WeaveRow(test::MakeDeck(3), &w.canvas, kScreen);
    w.band.WeaveRow(test::MakeDeck(3), &w.canvas, kScreen);
    const Row& row = w.band.At(8);
    EXPECT_EQ(row.Number(), 8);
    EXPECT_EQ(row.PrevRow(), &w.band.At(7));
    // drawn as row 8: its base line lies 8 rows of two blocks above the canvas bottom, and a
    // forward S card slants as a Z from a block below it
    ASSERT_EQ(w.canvas.Polygons().size(), 8u * 3u);
    EXPECT_EQ(w.canvas.Polygons().back().points[0].y, 1000 - 2 * 10 * 8 + 10);
}

TEST(draw_new_row_test, rebuilds_one_block_per_card) {
    Weaving w;
    w.band.WeaveRow(test::MakeDeck(12), &w.canvas, kScreen);
    const Blocks blocks = w.band.At(1).CreateBlocks(1000, 1, kScreen);
    ASSERT_EQ(blocks.Count(), 12);
    std::int16_t expected = 0;
    for (const Block& block : blocks) {
        EXPECT_EQ(block.BlockNumber(), ++expected);
        EXPECT_EQ(block.BlockType(), OpenThread);
    }
}

TEST(draw_new_row_test, a_fixed_bottom_is_measured_from_instead_of_the_canvas_foot) {
    Band band;
    band.Add(test::MakeDeck(1), 1);
    RecordingCanvas paper(5000.0);
    band.At(1).DrawNewRow(1, &paper, {10, 10, 0, 3000});
    ASSERT_EQ(paper.Polygons().size(), 1u);
    EXPECT_EQ(paper.Polygons()[0].points[0].y, 3000 - 20);
}

TEST(draw_new_row_test, a_row_without_its_previous_row_is_reported) {
    test::ReportRecorder recorder;
    Band band;
    band.Add(test::MakeDeck(2), 1);
    RecordingCanvas canvas;
    band.At(1).DrawNewRow(2, &canvas, kScreen);
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Where(0), "Row.CreateBlocks");
    EXPECT_TRUE(canvas.Polygons().empty());
}

TEST(weave_band_test, redraws_the_same_rows_at_a_new_size_without_weaving_again) {
    Weaving w;
    w.WeaveAll(test::MakeDeck(3), "FFBB");
    std::vector<Cards> before;
    for (const Row& row : w.band) before.push_back(row.Cards());
    w.canvas.Clear();
    w.band.WeaveBand(&w.canvas, {12, 12, 0, 0});
    std::size_t i = 0;
    for (const Row& row : w.band) EXPECT_EQ(row.Cards(), before[i++]);
    EXPECT_EQ(w.canvas.Polygons().front().points[0], (CanvasPoint{24, 976}));
}

TEST(weave_reverse_test, mirrors_the_band_and_swaps_opposite_holes) {
    Weaving w;
    Cards deck = test::MakeDeck(4, Forward, SThread, 1);
    w.WeaveAll(deck, "FFBB");
    const Card front = w.band.At(5).Cards().At(1);
    w.band.WeaveReverse(&w.canvas, kScreen);
    const Card& back = w.band.At(5).Cards().At(1);
    EXPECT_EQ(back.Position(), 4);
    EXPECT_EQ(back.Color(kHoleA), front.Color(kHoleC));
    EXPECT_EQ(back.Color(kHoleB), front.Color(kHoleD));
    EXPECT_EQ(back.Thread(), ZThread);
    EXPECT_EQ(back.Turn(), front.Turn() == Forward ? Backward : Forward);
    // the block of card 1 is now drawn in column 4
    const Block block = *w.band.At(1).CreateBlocks(1000, 1, kScreen).begin();
    EXPECT_EQ(block.BlockNumber(), 4);
}

TEST(weave_reverse_test, twice_gives_back_the_front_face) {
    Weaving w;
    Cards deck = test::MakeDeck(5, Forward, SThread, 0);
    deck.At(2).SetThread(ZThread);
    w.WeaveAll(deck, "FFFBBF");
    // a hand-woven twist and a change of direction on one card only
    Cards extra = w.band.At(w.band.Count()).Cards();
    extra.At(3).SetThread(ZThread);
    extra.At(3).SetTurn(Backward);
    w.band.WeaveRow(extra, &w.canvas, kScreen);

    std::vector<Cards> cards;
    for (const Row& row : w.band) cards.push_back(row.Cards());
    w.canvas.Clear();
    w.band.WeaveBand(&w.canvas, kScreen);
    const auto polygons = w.canvas.Polygons();

    w.band.WeaveReverse(&w.canvas, kScreen);
    w.band.WeaveReverse(&w.canvas, kScreen);
    std::size_t i = 0;
    for (const Row& row : w.band) EXPECT_EQ(row.Cards(), cards[i++]);
    RecordingCanvas again;
    w.band.WeaveBand(&again, kScreen);
    EXPECT_EQ(again.Polygons(), polygons);
}

TEST(threading_test, deck_from_the_draft_takes_turn_from_the_first_letter) {
    const std::vector<DraftColumn> draft{{{1, 2, 3, 4}, SThread}, {{5, 6, 7, 8}, ZThread}};
    const Cards backward = BuildThreadingDeck(draft, "bFF");
    ASSERT_EQ(backward.Count(), 2);
    const Card& second = backward.At(2);
    EXPECT_EQ(second.Turn(), Backward);
    EXPECT_EQ(second.HoleOrder(), 1);
    EXPECT_EQ(second.Pack(), 1);
    EXPECT_EQ(second.Position(), 2);
    EXPECT_EQ(second.Key(), 2);
    EXPECT_EQ(second.Color(kHoleA), 5);
    EXPECT_EQ(second.Thread(), ZThread);
    EXPECT_EQ(BuildThreadingDeck(draft, "").At(1).Turn(), Forward);
    EXPECT_EQ(BuildThreadingDeck(draft, "XB").At(1).Turn(), Forward);
}

TEST(threading_test, canvas_width_grows_a_block_a_card_and_refuses_what_does_not_fit) {
    const DrawingGeometry zoomed = DrawingGeometry::AtBlockSize(11);
    EXPECT_EQ(BandCanvasWidth(21, zoomed) - BandCanvasWidth(20, zoomed), 11);
    EXPECT_THROW(BandCanvasWidth(1, {10, 10000, 0, 0}), AppError);       // 4 margins beyond 16 bits
    EXPECT_THROW(BandCanvasWidth(1000, {3000000, 10, 0, 0}), AppError);  // beyond 32 bits
}

TEST(threading_test, an_opened_pattern_with_a_sequence_is_woven_from_row_one) {
    auto rows = std::make_unique<Band>();
    rows->Add(test::MakeDeck(3, Backward, ZThread, 3), 1);
    const OpenedBand opened = WeaveOpenedPattern(std::move(rows), "FB", DrawingGeometry{});
    ASSERT_NE(opened.deck, nullptr);
    EXPECT_EQ(opened.deck->At(1).HoleOrder(), 1);
    EXPECT_EQ(opened.deck->At(1).Turn(), Forward);
    EXPECT_EQ(opened.band->Count(), 1 + 49 * 2);
    EXPECT_EQ(opened.band->At(1).Cards(), *opened.deck);
}

TEST(threading_test, weaving_rows_alone_gives_the_band_weaving_on_a_canvas_gives) {
    // the document weaves without a canvas and the views draw afterwards: the picks must be
    // the ones the display's own weave makes, at every zoom
    for (const std::int32_t size : {1, 3, 10, 37}) {
        const DrawingGeometry geometry = DrawingGeometry::AtBlockSize(size);
        const Cards threading = test::MakeDeck(5, Forward, SThread, 2);
        Band drawn;
        RecordingCanvas canvas;
        drawn.WeaveAll(threading, &canvas, "FFBFB", geometry);
        Band rowsOnly;
        rowsOnly.WeaveRows(threading, "FFBFB", DrawingGeometry::kCanvasHeight, geometry);
        EXPECT_EQ(test::DecksOf(rowsOnly), test::DecksOf(drawn)) << "block size " << size;
    }
    // and refuses what WeaveAll refuses, in the same words
    test::ReportRecorder recorder;
    Band band;
    band.WeaveRows(test::MakeDeck(2), "", DrawingGeometry::kCanvasHeight, DrawingGeometry{});
    EXPECT_EQ(recorder.Where(0), "Band.WeaveAll");
    EXPECT_EQ(band.Count(), 0);
}

}  // namespace
}  // namespace tessaly
