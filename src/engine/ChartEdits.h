#pragma once

#include <cstdint>

#include "model/TwoColourChart.h"

namespace tessaly {

// The edits the Chart window makes, each giving the chart it makes of another. Rows and cards
// count from 0, the first row woven first; both layers of a broken-twill chart change alike.

// A block of cells, its rows and cards first to last.
struct ChartArea {
    std::int32_t firstRow = 0, lastRow = 0;
    std::int32_t firstCard = 0, lastCard = 0;
    std::int32_t Rows() const { return lastRow - firstRow + 1; }
    std::int32_t Cards() const { return lastCard - firstCard + 1; }
    bool Holds(std::int32_t row, std::int32_t card) const {
        return row >= firstRow && row <= lastRow && card >= firstCard && card <= lastCard;
    }
    friend bool operator==(const ChartArea&, const ChartArea&) = default;
};

// The fewest rows a chart of its kind has: one, and broken twill's row after the last.
std::int32_t FewestChartRows(ChartWeave weave);

// `count` rows of background put in before row `at` (at the top when `at` is the row count).
TwoColourChart WithRowsInserted(const TwoColourChart& chart, std::int32_t at, std::int32_t count);
// Rows `first` to `last` taken out; the chart keeps its fewest rows, so fewer may go.
TwoColourChart WithRowsDeleted(const TwoColourChart& chart, std::int32_t first, std::int32_t last);
// The chart cut or grown to so many cards and rows; new cells are background.
TwoColourChart Resized(const TwoColourChart& chart, std::int32_t cards, std::int32_t rows);
// The block's cells in the mirror order: its first card's last, or its first row's last.
TwoColourChart MirroredAcross(const TwoColourChart& chart, const ChartArea& area);
TwoColourChart MirroredUpDown(const TwoColourChart& chart, const ChartArea& area);
// The block repeated over the whole chart, as tiles laid from it in every direction.
TwoColourChart Repeated(const TwoColourChart& chart, const ChartArea& area);
// A new chart of background cells; broken twill's has the row after the last too.
TwoColourChart BlankChart(ChartWeave weave, std::int32_t cards, std::int32_t rows);

}  // namespace tessaly
