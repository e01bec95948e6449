#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tessaly {

// Two-colour bands drawn as a chart instead of threaded in and turned: double-faced weave and
// 3/1 broken twill. Every card's turns follow from the chart by the rule Twisted Threads uses,
// so a chart read from its files (or from GTT's) weaves the same band there and here.
enum class ChartWeave { DoubleFaced, BrokenTwill };
// The way the background twill runs in a broken-twill band.
enum class TwillDirection { S, Z };

// A chart as the weaver draws it: rows of cells, one cell per card, each row two picks.
// Broken twill's chart has one row more than its picks need (its odd cards weave half a row
// later than the even ones), and a second layer of the same size marking the long floats
// (the cells where the twill changes direction).
struct TwoColourChart {
    ChartWeave weave = ChartWeave::DoubleFaced;
    std::vector<std::vector<bool>> foreground;  // [row][card], true where the foreground shows
    std::vector<std::vector<bool>> longFloats;  // broken twill: [row][card]
    TwillDirection twill = TwillDirection::S;

    std::int32_t Cards() const;
    // Two picks a row; broken twill's last row only completes the odd cards' last pick.
    std::int32_t Picks() const;
};

// The turn (Forward or Backward) of every card at every pick, [pick][card]. Refuses
// (AppError) rows or layers of different lengths.
std::vector<std::vector<std::int32_t>> ChartTurns(const TwoColourChart& chart);

// How a chart band's card is threaded: which of its four holes (A to D) carry the foreground
// (the others the background), and whether it is threaded S.
struct ChartCard {
    std::array<bool, 4> foreground{};
    bool sThreaded = true;
    friend bool operator==(const ChartCard&, const ChartCard&) = default;
};

// The threading a chart needs: double-faced cards carry the foreground in A and B and are
// threaded in pairs, the first card of each pair as pairSThreaded[0] says, the second as
// pairSThreaded[1] (Z then S unless the weaver chooses another of the four ways); broken
// twill cards repeat a threading of four cards, all threaded S.
std::vector<ChartCard> ChartThreading(ChartWeave weave, std::int32_t cards,
                                      std::array<bool, 2> pairSThreaded = {false, true});

}  // namespace tessaly
