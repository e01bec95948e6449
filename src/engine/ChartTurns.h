#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/TwoColourChart.h"

namespace tessaly {

// The turn (Forward or Backward) of every card at every pick, [pick][card], by the rule
// Twisted Threads uses, so a chart read from its files (or from GTT's) weaves the same band
// there and here. Refuses (AppError) rows or layers of different lengths.
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
