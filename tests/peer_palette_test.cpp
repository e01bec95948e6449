#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "patternfile/PatternFile.h"

namespace tessaly {
namespace {

using test::kRed;

std::vector<std::int32_t> ColoursOf(const std::vector<PaletteColor>& palette) {
    std::vector<std::int32_t> colours;
    for (const PaletteColor& entry : palette) colours.push_back(entry.color);
    return colours;
}

// The weaver's palette through the other programs' files: colours no hole holds fill the
// places the threading leaves and come back as added colours, the program's own colours in
// the other places do not, and what a format cannot hold is named.
TEST(peer_palette_test, spare_colours_go_out_and_come_back_and_what_is_left_out_is_named) {
    const test::TempDir dir;
    const Band band = test::SmallBand(1);  // red, green and white threads
    constexpr std::int32_t kSpare1 = 0x123456, kSpare2 = 0x654321, kWeft = 0x777777;
    PatternExtras extras;
    extras.palette = {{kRed, "madder red"}, {kSpare1, ""}, {kSpare2, ""}};
    extras.weft = kWeft;
    extras.warp = WarpLength{3.0};
    extras.notes = "linen";
    struct Case {
        PatternFormat format;
        std::string file;
        std::string leftOut;
        std::vector<std::int32_t> comesBack;
    };
    const Case cases[] = {
        {PatternFormat::Tdd,
         "p.tdd",
         "a .tdd draft has no place for the colour names, the weft colour, the notes and the "
         "warp length",
         {kSpare1, kSpare2}},
        // the weft takes the place after the threading's colours; Twisted Threads' weft is not
        // read, so its colour comes back as one of the palette's
        {PatternFormat::Twt,
         "p.twt",
         "a Twisted Threads pattern has no place for the colour names and the warp length",
         {kWeft, kSpare1, kSpare2}},
        {PatternFormat::Gtt,
         "p.gtt",
         "a Guntram's Tabletweaving Thingy pattern has no place for the colour names, the weft "
         "colour and the warp length",
         {kSpare1, kSpare2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string leftOut = "not told";
        const std::string path =
            dir.Write(c.file, PeerText(c.format, band, "Small", extras, &leftOut));
        EXPECT_EQ(leftOut, c.leftOut);
        const std::optional<PatternData> back = ReadPatternFile(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(ColoursOf(back->Extras.palette), c.comesBack);
        // a pattern without a palette of its own goes out with the program's colours, and
        // comes back without one
        leftOut = "not told";
        dir.Write(c.file, PeerText(c.format, band, "Small", {}, &leftOut));
        EXPECT_EQ(leftOut, "");
        EXPECT_TRUE(ReadPatternFile(path)->Extras.palette.empty());
    }
    // the spare colours a palette has no place for are counted; the threading's always fit
    for (std::int32_t i = 0; i < 10; ++i) extras.palette.push_back({0x010101 * (i + 1), ""});
    PatternExtras full;
    full.palette = extras.palette;
    std::string leftOut;
    PeerText(PatternFormat::Tdd, band, "Small", full, &leftOut);
    EXPECT_EQ(leftOut,
              "a .tdd draft has no place for 3 colours of the palette that no hole holds "
              "and the colour names");
}

}  // namespace
}  // namespace tessaly
