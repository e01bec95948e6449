#include "PeerPattern.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "engine/ChartTurns.h"
#include "errors/AppError.h"
#include "errors/Numeric.h"

namespace tessaly {

std::string UnweavableHoles(std::int64_t holes, std::string_view weaves) {
    return std::to_string(holes) + "-hole tablets: Tessaly weaves cards " + std::string(weaves);
}

bool WeavableHoles(std::int64_t holes) { return holes >= kMinHoles && holes <= kMaxHoles; }

std::string TooManyTablets(std::int64_t tablets) {
    return std::to_string(tablets) + " tablets: Tessaly weaves " + std::to_string(kMostCards) +
           " cards at most";
}

std::string OneTurnAPick(std::int64_t turns, std::int64_t pick, std::int64_t tablet) {
    return "pick " + std::to_string(pick) + " turns tablet " + std::to_string(tablet) + " " +
           std::to_string(turns) + " times: Tessaly turns a card once a pick";
}

void WeaveChart(PeerPattern& pattern) {
    const TwoColourChart& chart = pattern.chart.value();
    if (pattern.Holes() != 4)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "a chart weaves cards of 4 holes, not " + std::to_string(pattern.Holes()));
    if (chart.Cards() != pattern.Tablets())
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "the chart is " + std::to_string(chart.Cards()) +
                           " cells wide, but the pattern has " + std::to_string(pattern.Tablets()) +
                           " tablets");
    pattern.picks.clear();
    pattern.firstFacing.clear();
    for (const std::vector<std::int32_t>& turns : ChartTurns(chart)) {
        PickSteps pick(turns.size());
        for (std::size_t t = 0; t < turns.size(); ++t) pick[t].turn = turns[t];
        pattern.picks.push_back(std::move(pick));
    }
}

bool ChartWeavesPicks(const PeerPattern& pattern) {
    if (!pattern.chart || pattern.Holes() != 4 || pattern.chart->Cards() != pattern.Tablets() ||
        pattern.chart->Picks() != static_cast<std::int32_t>(pattern.picks.size()))
        return false;
    try {
        const auto turns = ChartTurns(*pattern.chart);
        for (std::size_t p = 0; p < turns.size(); ++p)
            for (std::size_t t = 0; t < turns[p].size(); ++t) {
                const CardStep& step = pattern.picks[p][t];
                if (step.flip || step.turn != turns[p][t]) return false;
            }
    } catch (const AppError&) {
        return false;
    }
    return true;
}

namespace {

// Threads the cards from `first` on as the chart's kind needs them, in palette places
// foreground and background.
void ThreadChartCards(PeerPattern& peer, const TwoColourChart& chart, std::size_t first,
                      std::int32_t foreground, std::int32_t background,
                      std::array<bool, 2> pairSThreaded = {false, true}) {
    const std::vector<ChartCard> threading =
        ChartThreading(chart.weave, chart.Cards(), pairSThreaded);
    for (std::size_t t = first; t < threading.size(); ++t) {
        for (std::size_t h = 0; h < 4; ++h)
            peer.holes[h].push_back(threading[t].foreground[h] ? foreground : background);
        peer.sThreaded.push_back(threading[t].sThreaded);
    }
}

}  // namespace

PeerPattern ChartPeer(const TwoColourChart& chart, std::int32_t foreground,
                      std::int32_t background) {
    PeerPattern peer;
    peer.palette = {foreground, background};
    peer.holes.assign(4, {});
    ThreadChartCards(peer, chart, 0, 0, 1);
    peer.chart = chart;
    WeaveChart(peer);
    return peer;
}

std::unique_ptr<Band> ChartBand(const Band& band, const TwoColourChart& chart,
                                std::optional<std::array<bool, 2>> pairSThreaded) {
    PeerPattern peer = PeerFromBand(band, "");
    if (peer.Holes() != 4)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "A chart weaves cards of 4 holes; this band's have " +
                           std::to_string(peer.Holes()) + ".");
    const auto cards = static_cast<std::size_t>(chart.Cards());
    const std::size_t had = peer.sThreaded.size();
    if (cards < had) {
        for (std::vector<std::int32_t>& hole : peer.holes) hole.resize(cards);
        peer.sThreaded.resize(cards);
    }
    // a new card takes the colours of the first card's holes A and C; an empty hole, the
    // palette's first colour (black when no hole holds one)
    if (peer.palette.empty()) peer.palette.push_back(0);
    if (cards > had)
        ThreadChartCards(peer, chart, had, std::max(peer.holes[0][0], 0),
                         std::max(peer.holes[2][0], 0),
                         pairSThreaded.value_or(std::array<bool, 2>{false, true}));
    if (pairSThreaded)
        for (std::size_t t = 0; t < peer.sThreaded.size(); ++t)
            peer.sThreaded[t] = (*pairSThreaded)[t % 2];
    peer.chart = chart;
    WeaveChart(peer);
    return std::move(PatternFromPeer(peer).Rows);
}

std::optional<std::int32_t> ColourFromHex(std::string_view text) {
    if ((text.size() != 7 && text.size() != 4) || text.front() != '#') return std::nullopt;
    std::uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
    if (error != std::errc() || stop != end) return std::nullopt;
    // "#rgb" stands for "#rrggbb"
    if (text.size() == 4) rgb = ((rgb >> 8) & 0xF) * 0x110000 + ((rgb >> 4) & 0xF) * 0x1100 + (rgb & 0xF) * 0x11;
    return static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

std::string HexOfColour(std::int32_t colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return hex;
}

void CheckFits(const PeerPattern& pattern, const PeerLimits& limits) {
    const std::string kind(limits.kind);
    if (pattern.picks.empty())
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "A" + kind.substr(1) + " needs at least one pick: weave the band first.");
    if (!limits.holes(pattern.Holes()))
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "The band's cards have " + std::to_string(pattern.Holes()) + " holes; " +
                           kind + " holds tablets " + std::string(limits.holeCounts) + ".");
    if (pattern.sThreaded.size() > limits.mostTablets)
        throw AppError(ErrorNumber::Overflow, "The band has " + std::to_string(pattern.sThreaded.size()) +
                                                  " cards; " + kind + " holds " +
                                                  std::to_string(limits.mostTablets) + " at most.");
    if (pattern.picks.size() > limits.mostPicks)
        throw AppError(ErrorNumber::Overflow, "The band has " + std::to_string(pattern.picks.size()) +
                                                  " picks; " + kind + " holds " +
                                                  std::to_string(limits.mostPicks) + " at most.");
    if (pattern.palette.size() > limits.colours)
        throw AppError(ErrorNumber::Overflow, "The band has " + std::to_string(pattern.palette.size()) +
                                                  " colours; " + kind + " holds " +
                                                  std::to_string(limits.colours) + ".");
    for (std::size_t p = 0; p < pattern.picks.size(); ++p)
        for (const CardStep& step : pattern.picks[p]) {
            if (step.turn == Idle && !limits.idles)
                throw AppError(ErrorNumber::InvalidProcedureCall,
                               "Pick " + std::to_string(p + 1) + " leaves a card idle; " + kind +
                                   " turns every card every pick.");
            if (step.flip && !limits.flips)
                throw AppError(ErrorNumber::InvalidProcedureCall,
                               "Pick " + std::to_string(p + 1) + " flips a card over; " + kind +
                                   " has no vertical twists.");
        }
}

std::int32_t FacingBeforeFirstPick(const PeerPattern& peer, std::size_t tablet) {
    if (!peer.picks.empty() && peer.picks.front().at(tablet).turn != Idle)
        return peer.picks.front()[tablet].turn;
    if (tablet < peer.firstFacing.size() && peer.firstFacing[tablet] == Backward) return Backward;
    return Forward;
}

std::int32_t FirstTurnOf(const std::vector<PickSteps>& picks, std::size_t tablet) {
    for (const PickSteps& pick : picks)
        if (pick.at(tablet).turn != Idle) return pick[tablet].turn;
    return Forward;
}

void CheckFirstIdles(const PeerPattern& peer, const std::function<std::int32_t(std::size_t)>& drawnFacing,
                     std::string_view program) {
    if (peer.picks.empty()) return;
    const auto way = [](std::int32_t turn) { return turn == Forward ? "forward" : "backward"; };
    for (std::size_t t = 0; t < peer.picks.front().size(); ++t) {
        if (peer.picks.front()[t].turn != Idle) continue;
        const std::int32_t facing = FacingBeforeFirstPick(peer, t);
        const std::int32_t drawn = drawnFacing(t);
        if (facing != drawn)
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "Card " + std::to_string(t + 1) + " idles in pick 1 facing " + way(facing) +
                               ", but " + std::string(program) + " would draw it facing " + way(drawn) +
                               ", the way it turns next: turn it in pick 1, or turn it " + way(facing) +
                               " first.");
    }
}

PatternData PatternFromPeer(const PeerPattern& peer) {
    const std::int32_t tablets = peer.Tablets();
    if (tablets < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The pattern has no tablets.");
    if (tablets > kMostCards)
        throw AppError(ErrorNumber::Overflow, TooManyTablets(tablets) + ".");
    CheckBandBudget(static_cast<std::int64_t>(peer.picks.size()) + 1, tablets);
    // every hole and every pick names each tablet once
    for (const std::vector<std::int32_t>& hole : peer.holes)
        if (hole.size() != peer.sThreaded.size())
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "The holes name " + std::to_string(hole.size()) + " tablets, but the pattern has " +
                               std::to_string(tablets) + ".");
    for (std::size_t p = 0; p < peer.picks.size(); ++p)
        if (peer.picks[p].size() != peer.sThreaded.size())
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "Pick " + std::to_string(p + 1) + " names " + std::to_string(peer.picks[p].size()) +
                               " tablets, but the pattern has " + std::to_string(tablets) + ".");
    const int holes = peer.Holes();
    if (!WeavableHoles(holes))
        throw AppError(ErrorNumber::InvalidProcedureCall, UnweavableHoles(holes) + ".");
    const auto colour = [&](std::int32_t index) {
        if (index < 0) return Card::kNoThread;
        if (static_cast<std::size_t>(index) >= peer.palette.size())
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "A hole names colour " + std::to_string(index) +
                               ", which the palette does not have.");
        return peer.palette[static_cast<std::size_t>(index)];
    };
    WeavingSteps steps;
    for (std::int32_t t = 0; t < tablets; ++t) {
        const auto at = static_cast<std::size_t>(t);
        // the threading stands turned as the tablet's first pick turns it
        const std::int32_t firstTurn = FacingBeforeFirstPick(peer, at);
        const std::int16_t pack = peer.picks.empty() ? std::int16_t{1} : peer.picks.front()[at].pack;
        HoleColors colours;
        colours.fill(Card::kNoThread);
        for (int h = 0; h < holes; ++h)
            colours[static_cast<std::size_t>(h)] =
                colour(peer.holes[static_cast<std::size_t>(h)].at(at));
        steps.threading.Add(Card::Make(firstTurn, CheckedInt16(t + 1), colours,
                                       peer.sThreaded[at] ? SThread : ZThread, 1, pack, holes));
    }
    steps.picks = peer.picks;
    PatternData data;
    data.BandName = peer.name;
    data.Extras.notes = peer.notes;
    data.Extras.weft = peer.weft;
    data.Extras.chart = peer.chart;
    // the file's palette comes too: the colours no hole holds are the weaver's added ones
    std::vector<std::int32_t> held;  // checked above: every index names a palette colour
    for (const std::vector<std::int32_t>& hole : peer.holes)
        for (const std::int32_t index : hole)
            if (index >= 0) held.push_back(peer.palette[static_cast<std::size_t>(index)]);
    std::sort(held.begin(), held.end());
    for (std::size_t place = 0; place < peer.palette.size(); ++place) {
        const std::int32_t spare = peer.palette[place];
        const bool standard =
            place < peer.standardColours.size() && peer.standardColours[place] == spare;
        const bool added =
            std::any_of(data.Extras.palette.begin(), data.Extras.palette.end(),
                        [&](const PaletteColor& entry) { return entry.color == spare; });
        if (!standard && !added && !std::binary_search(held.begin(), held.end(), spare))
            data.Extras.palette.push_back({spare, ""});
    }
    *data.Rows = WeaveSteps(steps);
    return data;
}

PeerPattern PeerFromBand(const Band& band, const std::string& name, const PatternExtras& extras) {
    if (band.Count() < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The band has no cards.");
    PeerPattern peer;
    peer.name = name;
    peer.notes = extras.notes;
    peer.weft = extras.weft;
    const Cards& threading = band.At(1).Cards();
    const auto index = [&](std::int32_t colour) -> std::int32_t {
        if (colour == Card::kNoThread) return -1;
        const auto found = std::find(peer.palette.begin(), peer.palette.end(), colour);
        if (found != peer.palette.end()) return static_cast<std::int32_t>(found - peer.palette.begin());
        peer.palette.push_back(colour);
        return static_cast<std::int32_t>(peer.palette.size() - 1);
    };
    const int holes = threading.Count() > 0 ? threading.At(1).Holes() : kHoles;
    peer.holes.assign(static_cast<std::size_t>(holes), {});
    for (const Card& card : threading) {
        // hole j of the card at hole order 1 is the hole j + 1 - h of the card at order h:
        // both then show the same hole after any number of turns
        const std::int32_t order =
            card.HoleOrder() >= 0 && card.HoleOrder() < holes ? card.HoleOrder() : 1;
        for (int j = 0; j < holes; ++j)
            peer.holes[static_cast<std::size_t>(j)].push_back(
                index(card.Color(((j + 1 - order) % holes + holes) % holes)));
        peer.sThreaded.push_back(card.Thread() == SThread);
        peer.firstFacing.push_back(card.Facing());
    }
    peer.picks = StepsFrom(band, 1);
    peer.chart = extras.chart;
    for (const PaletteColor& entry : extras.palette)
        if (std::find(peer.palette.begin(), peer.palette.end(), entry.color) == peer.palette.end())
            peer.spareColours.push_back(entry.color);
    return peer;
}

std::vector<std::int32_t> PaletteOfFormat(const PeerPattern& pattern, const PeerLimits& limits) {
    std::vector<std::int32_t> colours = pattern.palette;
    const auto absent = [&](std::int32_t colour) {
        return std::find(colours.begin(), colours.end(), colour) == colours.end();
    };
    if (limits.weft && pattern.weft && absent(*pattern.weft)) colours.push_back(*pattern.weft);
    for (const std::int32_t colour : pattern.spareColours)
        if (colours.size() < limits.colours && absent(colour)) colours.push_back(colour);
    return colours;
}

std::vector<std::string> LeftOutOf(const PeerPattern& pattern, const PatternExtras& extras,
                                   const PeerLimits& limits) {
    std::vector<std::string> leftOut;
    const std::vector<std::int32_t> kept = PaletteOfFormat(pattern, limits);
    const auto spareLeft = std::count_if(
        pattern.spareColours.begin(), pattern.spareColours.end(), [&](std::int32_t colour) {
            return std::find(kept.begin(), kept.end(), colour) == kept.end();
        });
    if (spareLeft == 1) leftOut.emplace_back("a colour of the palette that no hole holds");
    if (spareLeft > 1)
        leftOut.push_back(std::to_string(spareLeft) + " colours of the palette that no hole holds");
    if (std::any_of(extras.palette.begin(), extras.palette.end(),
                    [](const PaletteColor& entry) { return !entry.name.empty(); }))
        leftOut.emplace_back("the colour names");
    if (extras.weft && !limits.weft) leftOut.emplace_back("the weft colour");
    if (!extras.notes.empty() && !limits.notes) leftOut.emplace_back("the notes");
    if (extras.warp) leftOut.emplace_back("the warp length");
    if (pattern.chart && !limits.keepsChart(pattern))
        leftOut.emplace_back("the chart (its picks go)");
    return leftOut;
}

std::string ListInWords(const std::vector<std::string>& items) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) list += i + 1 == items.size() ? " and " : ", ";
        list += items[i];
    }
    return list;
}

}  // namespace tessaly
