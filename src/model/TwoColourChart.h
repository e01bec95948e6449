#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// Two-colour bands drawn as a chart instead of threaded in and turned: double-faced weave and
// 3/1 broken twill. The turns of every card follow from the chart (engine/ChartTurns).
enum class ChartWeave { DoubleFaced, BrokenTwill };
// The way the background twill runs in a broken-twill band.
enum class TwillDirection { S, Z };

// A chart as the weaver draws it: rows of cells, one cell per card, each row two picks, the
// first row woven first. Broken twill's chart has one row more than its picks need (its odd
// cards weave half a row later than the even ones), and a second layer of the same size
// marking the long floats (the cells where the twill changes direction).
struct TwoColourChart {
    ChartWeave weave = ChartWeave::DoubleFaced;
    std::vector<std::vector<bool>> foreground;  // [row][card], true where the foreground shows
    std::vector<std::vector<bool>> longFloats;  // broken twill: [row][card]
    TwillDirection twill = TwillDirection::S;
    // Twisted Threads' row to start counting the twist from (broken twill); kept, not woven
    std::int32_t weavingStartRow = 1;

    std::int32_t Cards() const {
        return foreground.empty() ? 0 : static_cast<std::int32_t>(foreground.front().size());
    }
    std::int32_t Rows() const { return static_cast<std::int32_t>(foreground.size()); }
    // Two picks a row; broken twill's last row only completes the odd cards' last pick.
    std::int32_t Picks() const {
        if (weave == ChartWeave::BrokenTwill) return Rows() > 1 ? 2 * (Rows() - 1) : 0;
        return 2 * Rows();
    }

    friend bool operator==(const TwoColourChart&, const TwoColourChart&) = default;
};

// A chart's cells as text, as every program's files write them, a character a cell: '.' for
// the background, 'X' for the foreground (or a long float).
inline std::optional<bool> ChartCell(char cell) {
    if (cell == '.') return false;
    if (cell == 'X') return true;
    return std::nullopt;
}
inline char ChartCellText(bool marked) { return marked ? 'X' : '.'; }
inline std::string ChartRowText(const std::vector<bool>& row) {
    std::string text;
    for (const bool marked : row) text += ChartCellText(marked);
    return text;
}

}  // namespace tessaly
