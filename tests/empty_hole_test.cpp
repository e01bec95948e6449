#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Band.h"
#include "engine/TurningInstructions.h"
#include "engine/Threading.h"
#include "model/Directions.h"
#include "render/RasterCanvas.h"
#include "render/SvgCanvas.h"

namespace tessaly {
namespace {

const DrawingGeometry kScreen{10, 10, 0, 0};
constexpr std::int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kBlack = 0;
constexpr int kHeight = 400;

// One card per hole left empty in turn (card 1 without A, card 2 without B, ...), threaded
// S at hole order 1, then `picks` forward picks, with idles where turns says I.
Band EmptyHoleBand(int picks, const std::string& turns = "") {
    Cards deck;
    for (int card = 1; card <= 4; ++card) {
        std::int32_t colors[4] = {kRed, kGreen, kBlue, kBlack};
        colors[card - 1] = Card::kNoThread;
        deck.Add(Forward, static_cast<std::int16_t>(card),
                 {colors[0], colors[1], colors[2], colors[3]}, SThread, 1, 1);
    }
    Band band;
    band.Add(deck, 1);
    for (int pick = 1; pick <= picks; ++pick) {
        Cards next = band.At(band.Count()).Cards();
        const bool idle = pick <= static_cast<int>(turns.size()) && turns[pick - 1] == 'I';
        for (Card& card : next) card.SetTurn(idle ? Idle : Forward);
        band.Add(next, pick + 1);
    }
    return band;
}

QImage Drawn(const Band& band, bool deferred = true, std::int32_t weft = Card::kNoThread) {
    RasterCanvas canvas(BandCanvasWidth(4, kScreen), kHeight);
    canvas.SetDeferred(deferred);
    canvas.SetWeft(weft);
    band.WeaveBand(&canvas, kScreen);
    return canvas.Image();
}

// The middle of what pick `row` (a band row) of a card shows: half a block above its bottom
// edge's middle, one block below the next row's.
QRgb MiddleOf(const QImage& image, int row, int card) {
    const int s = kScreen.BlockSize;
    return image.pixel(s * card + kScreen.BandMargin + s / 2, kHeight - 2 * s * row - s);
}

TEST(empty_hole_test, where_an_empty_hole_reaches_the_face_the_background_shows) {
    const Band band = EmptyHoleBand(8);
    const QImage image = Drawn(band);
    // forward from hole order 1 shows D, C, B, A, D, C, B, A: the card without A shows the
    // background in picks 4 and 8, without B in 3 and 7, without C in 2 and 6, without D in
    // 1 and 5
    const int emptyPick[5] = {0, 4, 3, 2, 1};
    for (int card = 1; card <= 4; ++card) {
        for (int pick = 1; pick <= 8; ++pick) {
            const bool empty = (pick - emptyPick[card]) % 4 == 0;
            EXPECT_EQ(MiddleOf(image, pick + 1, card) == RasterCanvas::kBackground, empty)
                << "card " << card << ", pick " << pick;
        }
    }
    // the painting order does not change the picture
    EXPECT_EQ(Drawn(band, false), image);
    // with a weft colour the empty holes show it, and nothing else changes
    constexpr std::int32_t kWeft = 0x2080C0;
    const QImage weft = Drawn(band, true, kWeft);
    for (int card = 1; card <= 4; ++card)
        for (int pick = 1; pick <= 8; ++pick) {
            const bool empty = (pick - emptyPick[card]) % 4 == 0;
            EXPECT_EQ(MiddleOf(weft, pick + 1, card),
                      empty ? RasterCanvas::ToQColor(kWeft).rgb() : MiddleOf(image, pick + 1, card))
                << "card " << card << ", pick " << pick;
        }
    EXPECT_EQ(Drawn(band, false, kWeft), weft);
    // and where the weft turns, a thin edge of it beside the first and the last card, from
    // the first pick up: none below the band, and none without a weft colour
    const int s = kScreen.BlockSize, inRow1 = kHeight - 2 * s - 1, belowRow1 = kHeight - 2 * s + 2;
    for (const int x : {kScreen.BandMargin + s - 1, kScreen.BandMargin + 5 * s + 1}) {
        EXPECT_EQ(weft.pixel(x, inRow1), RasterCanvas::ToQColor(kWeft).rgb()) << x;
        EXPECT_EQ(weft.pixel(x, 100), RasterCanvas::ToQColor(kWeft).rgb()) << x;
        EXPECT_EQ(weft.pixel(x, belowRow1), RasterCanvas::kBackground) << x;
        EXPECT_EQ(image.pixel(x, inRow1), RasterCanvas::kBackground) << x;
    }
    // the cards' outlines stay on top of it
    EXPECT_EQ(weft.pixel(kScreen.BandMargin + s, inRow1),
              image.pixel(kScreen.BandMargin + s, inRow1));
}

TEST(empty_hole_test, an_idle_pick_over_an_empty_hole_goes_on_showing_the_background) {
    // the card without D shows it in pick 1, then idles twice
    const QImage image = Drawn(EmptyHoleBand(4, "FII"));
    for (int row = 2; row <= 4; ++row)
        EXPECT_EQ(MiddleOf(image, row, 4), RasterCanvas::kBackground) << row;
    EXPECT_NE(MiddleOf(image, 5, 4), RasterCanvas::kBackground);  // pick 4 shows C
}

TEST(empty_hole_test, a_strip_of_the_whole_band_is_drawn_as_the_whole_picture) {
    const Band band = EmptyHoleBand(30, "FFIIFIIIF");
    for (const std::int32_t weft : {Card::kNoThread, 0x2080C0}) {
        const QImage whole = Drawn(band, true, weft);
        for (const auto& [top, bottom] :
             std::vector<std::pair<int, int>>{{0, 399}, {101, 163}, {250, 251}}) {
            RasterCanvas strip(BandCanvasWidth(4, kScreen), kHeight);
            strip.SetWeft(weft);
            band.DrawPictureBetween(strip, kScreen, top, bottom);
            const QImage drawn = strip.Image();
            EXPECT_EQ(drawn.copy(0, top, drawn.width(), bottom - top + 1),
                      whole.copy(0, top, whole.width(), bottom - top + 1))
                << top;
        }
    }
}

TEST(empty_hole_test, svg_fills_an_empty_hole_with_the_background_and_no_edge) {
    SvgCanvas svg(BandCanvasWidth(4, kScreen), kHeight);
    EmptyHoleBand(2).WeaveBand(&svg, kScreen);
    const std::string text = svg.ToSvg();
    EXPECT_NE(text.find("fill=\"#ffffff\" stroke=\"none\""), std::string::npos);
    SvgCanvas weft(BandCanvasWidth(4, kScreen), kHeight);
    weft.SetWeft(0x2080C0);
    EmptyHoleBand(2).WeaveBand(&weft, kScreen);
    EXPECT_NE(weft.ToSvg().find("fill=\"#c08020\" stroke=\"none\""), std::string::npos);
    // a band without an empty hole draws every block with its edges, as before
    SvgCanvas full(BandCanvasWidth(4, kScreen), kHeight);
    Band plain;
    plain.WeaveAll(test::MakeDeck(4), &full, "FFBB", kScreen);
    EXPECT_EQ(full.ToSvg().find("stroke=\"none\""), std::string::npos);
}

}  // namespace
}  // namespace tessaly
