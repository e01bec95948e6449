#include "engine/Palette.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/Yarn.h"

namespace tessaly {
namespace {

using namespace test::colors;

TEST(palette_test, colours_split_red_lowest_and_read_as_text) {
    EXPECT_EQ(ConvertColorToRGB(kRed), "255, 0, 0");
    EXPECT_EQ(ConvertColorToRGB(0xFF8040), "64, 128, 255");
    EXPECT_EQ(ConvertColorToRGB(0), "0, 0, 0");
    std::int16_t red = 1;
    std::int16_t green = 1;
    std::int16_t blue = 1;
    EXPECT_TRUE(ColorCodeToRGB(-1, red, green, blue));
    EXPECT_EQ(red, -1);  // the remainder keeps the sign of a colour below zero
    EXPECT_EQ(green, 0);
}

TEST(palette_test, one_white_draft_is_one_entry_of_eight_holes) {
    const BandColors palette = CountColors(
        {{{kWhite, kWhite, kWhite, kWhite}, SThread}, {{kWhite, kWhite, kWhite, kWhite}, ZThread}});
    ASSERT_EQ(palette.size(), 1u);
    EXPECT_EQ(palette[0].HoleCount, 8);
    EXPECT_EQ(palette[0].RGBText, "255, 255, 255");
    EXPECT_EQ(palette[0].Red, 255);
    EXPECT_EQ(palette[0].Blue, 255);
}

TEST(palette_test, colours_come_in_the_order_they_are_met) {
    const BandColors palette = CountColors(
        {{{kRed, kBlue, kRed, kBlue}, SThread}, {{kBlue, kBlue, kGreen, kRed}, SThread}});
    ASSERT_EQ(palette.size(), 3u);
    EXPECT_EQ(palette[0].ColorCode, kRed);
    EXPECT_EQ(palette[0].HoleCount, 3);
    EXPECT_EQ(palette[1].ColorCode, kBlue);
    EXPECT_EQ(palette[1].HoleCount, 4);
    EXPECT_EQ(palette[2].ColorCode, kGreen);
    EXPECT_EQ(palette[2].HoleCount, 1);
}

TEST(palette_test,
     the_palette_shows_the_threadings_colours_then_those_added_and_the_yarn_each_takes) {
    const std::vector<DraftColumn> draft = {
        DraftColumn({kRed, kRed, kBlue, Card::kNoThread}, SThread),
        DraftColumn({kWhite, kRed, kBlue, kBlue}, ZThread)};
    PatternExtras extras;
    extras.palette = {{kGreen, "weld"}, {kBlue, "woad"}, {kWhite, ""}};
    const std::vector<PaletteColor> shown = ShownPalette(draft, extras);
    EXPECT_EQ(shown, (std::vector<PaletteColor>{
                         {kRed, ""}, {kBlue, "woad"}, {kWhite, ""}, {kGreen, "weld"}}));
    // three red threads, three blue, one white; 1.5 m of warp and 20 % take-up: 1.8 m each
    const std::vector<YarnNeed> needs = YarnNeeds(draft, WarpLength{1.5, "m", 20});
    ASSERT_EQ(needs.size(), 3u);
    EXPECT_EQ(needs[0].threads, 3);
    EXPECT_DOUBLE_EQ(needs[0].length, 5.4);
    EXPECT_EQ(needs[2].color, kWhite);
    EXPECT_DOUBLE_EQ(needs[2].length, 1.8);
}

}  // namespace
}  // namespace tessaly
