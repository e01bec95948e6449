#include "engine/Palette.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

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

}  // namespace
}  // namespace tessaly
