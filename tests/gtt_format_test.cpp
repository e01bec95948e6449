#include <gtest/gtest.h>

#include "PeerTestSupport.h"
#include "TestSupport.h"
#include "engine/PickSteps.h"
#include "patternfile/GttFormat.h"

namespace tessaly {
namespace {

using test::PeerDrawn;
using test::Shown;

// A threaded-in pattern of three cards in the given palette (none: the Windows colours),
// packs and picks.
std::string Gtt(const std::string& picks, const std::string& palette = "",
                const std::string& packs = "<Packs />", const std::string& holes = "4") {
    return "<?xml version=\"1.0\"?>\n"
           "<TWData>\n"
           "  <Source>Guntram's Tabletweaving Thingy</Source>\n"
           "  <Version>1.17</Version>\n"
           "  <Pattern Type=\"Threaded-in\">\n"
           "    <Name><![CDATA[Leaves]]></Name>\n"
           "    <Notes><![CDATA[Woven in 2009]]></Notes>\n"
           "    <Cards Count=\"3\">\n"
           "      <Card Number=\"1\" Holes=\"" + holes + "\"><Holes Count=\"4\"><Colour>9</Colour><Colour>10</Colour>"
           "<Colour>12</Colour><Colour>15</Colour></Holes><Threading>S</Threading></Card>\n"
           "      <Card Number=\"2\" Holes=\"4\"><Holes Count=\"4\"><Colour>15</Colour><Colour>9</Colour>"
           "<Colour>-1</Colour><Colour>0</Colour></Holes><Threading>Z</Threading></Card>\n"
           "      <Card Number=\"3\" Holes=\"4\"><Holes Count=\"4\"><Colour>0</Colour><Colour>1</Colour>"
           "<Colour>2</Colour><Colour>3</Colour></Holes><Threading>S</Threading></Card>\n"
           "    </Cards>\n" + palette + "\n    " + packs +
           "\n    <Picks Count=\"3\">\n" + picks + "    </Picks>\n  </Pattern>\n</TWData>\n";
}

std::string Pick(const std::string& actions) {
    return "      <Pick Index=\"0\"><Actions>" + actions + "</Actions></Pick>\n";
}
std::string Action(const std::string& target, const std::string& id, const std::string& dir,
                   int dist = 1) {
    return "<Action Type=\"Turn\" Target=\"" + target + "\" TargetID=\"" + id + "\" Dir=\"" + dir +
           "\" Dist=\"" + std::to_string(dist) + "\"/>";
}
std::string AllCards(const std::string& dir) {
    return Action("Card", "1", dir) + Action("Card", "2", dir) + Action("Card", "3", dir);
}

std::string Refusal(const std::string& text) {
    return test::RefusalOf([](const std::string& t) { GttFormat::Read(t, "p.gtt"); }, text);
}

std::string Turns(const PeerPattern& peer) {
    std::string turns;
    for (const PickSteps& pick : peer.picks) {
        for (const CardStep& step : pick) {
            if (step.flip) turns += 'V';
            turns += "FBI"[step.turn];
        }
        turns += '|';
    }
    return turns;
}

TEST(gtt_format_test, cards_take_the_windows_colours_and_idle_where_no_action_names_them) {
    // card 2 is not named in pick 2, and idles in pick 3 by "I"
    const std::string text =
        Gtt(Pick(AllCards("F")) + Pick(Action("Card", "3", "B") + Action("Card", "1", "F")) +
            Pick(Action("Card", "1", "B") + Action("Card", "2", "I") + Action("Card", "3", "B")));
    const PeerPattern peer = GttFormat::Read(text, "leaves.gtt");
    EXPECT_EQ(peer.name, "Leaves");
    EXPECT_EQ(peer.notes, "Woven in 2009");
    EXPECT_TRUE(peer.notCarried.empty());
    EXPECT_EQ(Turns(peer), "FFF|FIB|BIB|");
    // a card idling in its first picks faces the way it first turns
    const PeerPattern late = GttFormat::Read(
        Gtt(Pick(Action("Card", "1", "F")) + Pick(Action("Card", "1", "F")) +
            Pick(Action("Card", "2", "B") + Action("Card", "3", "F"))),
        "late.gtt");
    EXPECT_EQ(late.firstFacing, (std::vector<std::int32_t>{Forward, Backward, Forward}));
    EXPECT_EQ(PatternFromPeer(late).Rows->At(2).Cards().At(2).Facing(), Backward);
    // the standard Windows colours: 9 red, 10 green, 12 blue, 15 white, 0 black
    const PatternData data = PatternFromPeer(peer);
    const Card& first = data.Rows->At(1).Cards().At(1);
    EXPECT_EQ(first.Color(kHoleA), test::kRed);
    EXPECT_EQ(first.Color(kHoleB), test::kGreen);
    EXPECT_EQ(first.Color(kHoleC), test::kBlue);
    EXPECT_EQ(first.Color(kHoleD), test::kWhite);
    EXPECT_EQ(data.Rows->At(1).Cards().At(2).Color(kHoleC), Card::kNoThread);
    for (std::int32_t card = 1; card <= 3; ++card)
        EXPECT_EQ(Shown(*data.Rows, card), PeerDrawn(peer, static_cast<std::size_t>(card - 1))) << card;
}

TEST(gtt_format_test, a_palette_replaces_the_windows_colours_in_the_order_of_the_file) {
    // the program numbers its palette from 1 while a hole names a place counted from 0: the
    // colours are taken in order, whatever their Index says
    const PeerPattern peer = GttFormat::Read(
        Gtt(Pick(AllCards("F")), "<Palette Size=\"2\"><Colour Index=\"1\">255</Colour>"
                                 "<Colour Index=\"2\">4210752</Colour></Palette>"),
        "p.gtt");
    EXPECT_EQ(peer.palette[0], 255);
    EXPECT_EQ(peer.palette[1], 4210752);
    EXPECT_EQ(peer.palette[9], 255);  // the places the file leaves keep their colour
    // the later files keep each colour in an attribute
    const PeerPattern later = GttFormat::Read(
        Gtt(Pick(AllCards("F")), "<Palette><Colours><Colour Colour=\"65280\"/><Colour Colour=\"16711680\"/>"
                                 "</Colours></Palette>"),
        "p.gtt");
    EXPECT_EQ(later.palette[0], test::kGreen);
    EXPECT_EQ(later.palette[1], test::kBlue);
    EXPECT_EQ(PatternFromPeer(later).Rows->At(1).Cards().At(3).Color(kHoleA), test::kGreen);
}

TEST(gtt_format_test, cards_that_do_not_agree_with_the_picks_are_refused_naming_what) {
    std::string late = Gtt(Pick(AllCards("F")));
    late.replace(late.find("  </Pattern>"), 0,
                 "<Cards><Card Holes=\"4\"><Holes><Colour>0</Colour><Colour>0</Colour><Colour>0</Colour>"
                 "<Colour>0</Colour></Holes><Threading>S</Threading></Card></Cards>\n");
    EXPECT_NE(Refusal(late).find("a card comes after the picks"), std::string::npos) << Refusal(late);
    PeerPattern peer = GttFormat::Read(Gtt(Pick(AllCards("F"))), "p.gtt");
    peer.picks[0].pop_back();
    EXPECT_NE(test::RefusalOf([&](const std::string&) { PatternFromPeer(peer); }, "")
                  .find("Pick 1 names 2 tablets, but the pattern has 3."),
              std::string::npos);
}

TEST(gtt_format_test, deeply_nested_unknown_elements_are_passed_over) {
    std::string nested;
    for (int i = 0; i < 20000; ++i) nested += "<x>";
    // a card deep inside them is no card of the pattern
    nested += "<Card/>";
    for (int i = 0; i < 20000; ++i) nested += "</x>";
    std::string text = Gtt(Pick(AllCards("F")));
    text.replace(text.find("    </Cards>"), 0, nested);
    text.replace(text.find("<Picks"), 0, nested);
    const PeerPattern peer = GttFormat::Read(text, "deep.gtt");
    EXPECT_EQ(peer.Tablets(), 3);
    EXPECT_EQ(Turns(peer), "FFF|");
}

TEST(gtt_format_test, packs_turn_their_cards_together_and_a_vertical_twist_flips_a_card) {
    const std::string packs =
        "<Packs><Pack Name=\"A\"><Cards>1, 3</Cards></Pack><Pack Name=\"B\"><Cards>2</Cards></Pack></Packs>";
    const std::string text = Gtt(Pick(Action("Pack", "A", "F") + Action("Pack", "B", "B")) +
                                     Pick(Action("Pack", "A", "F") + Action("Card", "2", "V") +
                                          Action("Card", "2", "F")) +
                                     Pick(Action("Pack", "B", "B")),
                                 "", packs);
    const PeerPattern peer = GttFormat::Read(text, "packs.gtt");
    EXPECT_EQ(Turns(peer), "FBF|FVFF|IBI|");
    EXPECT_EQ(peer.notCarried, (std::vector<std::string>{"the pack names"}));
    // the flipped card is woven the other way round from pick 2 on: threaded S, not Z
    const PatternData data = PatternFromPeer(peer);
    EXPECT_EQ(data.Rows->At(2).Cards().At(2).Thread(), ZThread);
    EXPECT_EQ(data.Rows->At(3).Cards().At(2).Thread(), SThread);
    EXPECT_EQ(data.Rows->At(4).Cards().At(2).Thread(), SThread);
}

TEST(gtt_format_test, what_tessaly_does_not_weave_or_cannot_read_is_refused_naming_the_element) {
    const std::string picks = Pick(AllCards("F"));
    EXPECT_EQ(Refusal(Gtt(picks)), "read");
    EXPECT_NE(Refusal(Gtt(picks, "", "<Packs />", "9"))
                  .find("line 9, <Card>: 9-hole tablets: Tessaly weaves cards of 2 to 8 holes"),
              std::string::npos);
    std::string twill = Gtt(picks);
    twill.replace(twill.find("Threaded-in"), 11, "Brocade");
    EXPECT_NE(Refusal(twill).find("<Pattern>: \"Brocade\" is not a pattern type Tessaly weaves"),
              std::string::npos);
    EXPECT_NE(Refusal(Gtt(Pick(Action("Card", "1", "F", 2)))).find("pick 1 turns tablet 1 2 times"),
              std::string::npos);
    EXPECT_NE(Refusal(Gtt(Pick(Action("Card", "1", "F") + Action("Card", "1", "F"))))
                  .find("pick 1 turns tablet 1 2 times"),
              std::string::npos);
    EXPECT_NE(Refusal(Gtt(Pick(Action("Card", "4", "F")))).find("<Action>: card 4 is not one of the 3 cards"),
              std::string::npos);
    EXPECT_NE(Refusal(Gtt(Pick(Action("Pack", "Z", "F")))).find("no pack is named \"Z\""), std::string::npos);
    EXPECT_NE(Refusal(Gtt(Pick(Action("Card", "1", "X")))).find("Dir \"X\""), std::string::npos);
    EXPECT_NE(Refusal(Gtt(picks, "<Palette><Colour Index=\"0\">red</Colour></Palette>")).find("not a whole number"),
              std::string::npos);
    EXPECT_NE(Refusal("<TWData>\n<Pattern Type=\"Threaded-in\">\n</TWData>").find("p.gtt, line 3: not XML"),
              std::string::npos);
    EXPECT_NE(Refusal("<Other/>").find("no <TWData>"), std::string::npos);
    std::string colour = Gtt(picks);
    colour.replace(colour.find("<Colour>9</Colour>"), 18, "<Colour>16</Colour>");
    EXPECT_NE(Refusal(colour).find("<Colour>: 16 is not a colour of the palette"), std::string::npos);
}

TEST(gtt_format_test, a_band_with_idles_and_flips_goes_out_and_comes_back_card_for_card) {
    Band band = test::SmallBand(1);
    // pick 5 idles card 2 and flips card 3
    PickSteps steps(4);
    steps[1].turn = Idle;
    steps[2].flip = true;
    band.Add(NextRow(band.At(band.Count()).Cards(), steps), band.Count() + 1);
    const std::string text = GttFormat::Write(PeerFromBand(band, "Small & <odd>"));
    const PatternData back = PatternFromPeer(GttFormat::Read(text, "small.gtt"));
    EXPECT_EQ(back.BandName, "Small & <odd>");
    EXPECT_EQ(test::DecksOf(*back.Rows), test::DecksOf(band));
    EXPECT_EQ(GttFormat::Write(PeerFromBand(*back.Rows, "Small & <odd>")), text);

    // six-hole cards go out with their count and come back alike; a file that mixes counts
    // is refused, naming the card
    Cards hexagons;
    for (std::int16_t i = 1; i <= 2; ++i)
        hexagons.Add(Card::Make(Forward, i, {255, 65280, 16711680, 0, 255, -1}, SThread, 1, 1, 6));
    Band six;
    six.Add(hexagons, 1);
    six.Add(NextRow(hexagons, PickSteps(2, CardStep{Forward, true, 1})), 2);
    const std::string sixText = GttFormat::Write(PeerFromBand(six, "Six"));
    EXPECT_NE(sixText.find("<Card Number=\"2\" Holes=\"6\">"), std::string::npos);
    EXPECT_EQ(test::DecksOf(*PatternFromPeer(GttFormat::Read(sixText, "six.gtt")).Rows),
              test::DecksOf(six));
    std::string mixed = sixText;
    const std::size_t second = mixed.find("<Card Number=\"2\" Holes=\"6\">");
    mixed.replace(second, 33, "<Card Number=\"2\" Holes=\"4\">");
    mixed.replace(mixed.find("<Holes Count=\"6\">", second), 17, "<Holes Count=\"4\">");
    const std::size_t colours = mixed.find("<Colour>", second);
    mixed.erase(colours, mixed.find("</Holes>", colours) - colours);
    mixed.insert(colours,
                 "<Colour>0</Colour><Colour>0</Colour><Colour>0</Colour><Colour>0</Colour>");
    EXPECT_NE(Refusal(mixed).find("<Card>: has 4 holes, but card 1 has 6"), std::string::npos)
        << Refusal(mixed);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(gtt_format_test, a_name_and_colours_xml_cannot_hold_are_written_so_the_file_reads_back) {
    PeerPattern peer = PeerFromBand(test::SmallBand(1), std::string("Tab\tbell\x07 \x01" "end"));
    peer.palette[0] = 0x7F0000FF;  // a pattern file keeps colours above 24 bits
    const PeerPattern back = GttFormat::Read(GttFormat::Write(peer), "p.gtt");
    EXPECT_EQ(back.name, "Tab\tbell end");
    EXPECT_EQ(back.palette[0], test::kRed);
}

TEST(gtt_format_test, what_the_format_cannot_hold_is_refused) {
    PeerPattern peer = PeerFromBand(test::SmallBand(1), "x");
    peer.palette.resize(17, 0);
    EXPECT_NE(test::RefusalOf([&](const std::string&) { GttFormat::Write(peer); }, "")
                  .find("The band has 17 colours; a Guntram's Tabletweaving Thingy pattern holds 16."),
              std::string::npos);
    peer.palette.resize(16);
    peer.picks[0][0].flip = true;  // a vertical twist it can hold
    EXPECT_NO_THROW(GttFormat::Write(peer));
    peer.picks.clear();
    EXPECT_NE(test::RefusalOf([&](const std::string&) { GttFormat::Write(peer); }, "").find("needs at least one pick"),
              std::string::npos);
}

}  // namespace
}  // namespace tessaly
