#include "ChartEdits.h"

#include <algorithm>
#include <functional>

namespace tessaly {

namespace {

using Layer = std::vector<std::vector<bool>>;

// Makes the same change of every layer the chart has.
TwoColourChart EachLayer(const TwoColourChart& chart, const std::function<void(Layer&)>& change) {
    TwoColourChart changed = chart;
    change(changed.foreground);
    if (chart.weave == ChartWeave::BrokenTwill) change(changed.longFloats);
    return changed;
}

ChartArea Within(const TwoColourChart& chart, ChartArea area) {
    area.firstRow = std::clamp(area.firstRow, 0, chart.Rows() - 1);
    area.lastRow = std::clamp(area.lastRow, area.firstRow, chart.Rows() - 1);
    area.firstCard = std::clamp(area.firstCard, 0, chart.Cards() - 1);
    area.lastCard = std::clamp(area.lastCard, area.firstCard, chart.Cards() - 1);
    return area;
}

std::size_t At(std::int32_t index) { return static_cast<std::size_t>(index); }

}  // namespace

std::int32_t FewestChartRows(ChartWeave weave) { return weave == ChartWeave::BrokenTwill ? 2 : 1; }

TwoColourChart WithRowsInserted(const TwoColourChart& chart, std::int32_t at, std::int32_t count) {
    at = std::clamp(at, 0, chart.Rows());
    return EachLayer(chart, [&](Layer& layer) {
        layer.insert(layer.begin() + at, At(std::max(count, 0)),
                     std::vector<bool>(At(chart.Cards())));
    });
}

TwoColourChart WithRowsDeleted(const TwoColourChart& chart, std::int32_t first, std::int32_t last) {
    first = std::clamp(first, 0, chart.Rows());
    last = std::clamp(last, first - 1, chart.Rows() - 1);
    // never below the fewest rows: the rows nearest the first go
    last = std::min(last, first + chart.Rows() - FewestChartRows(chart.weave) - 1);
    if (last < first) return chart;
    return EachLayer(
        chart, [&](Layer& layer) { layer.erase(layer.begin() + first, layer.begin() + last + 1); });
}

TwoColourChart Resized(const TwoColourChart& chart, std::int32_t cards, std::int32_t rows) {
    cards = std::max(cards, 1);
    rows = std::max(rows, FewestChartRows(chart.weave));
    return EachLayer(chart, [&](Layer& layer) {
        layer.resize(At(rows), std::vector<bool>(At(cards)));
        for (std::vector<bool>& row : layer) row.resize(At(cards));
    });
}

TwoColourChart MirroredAcross(const TwoColourChart& chart, const ChartArea& area) {
    const ChartArea block = Within(chart, area);
    return EachLayer(chart, [&](Layer& layer) {
        for (std::int32_t r = block.firstRow; r <= block.lastRow; ++r) {
            std::vector<bool>& row = layer[At(r)];
            std::reverse(row.begin() + block.firstCard, row.begin() + block.lastCard + 1);
        }
    });
}

TwoColourChart MirroredUpDown(const TwoColourChart& chart, const ChartArea& area) {
    const ChartArea block = Within(chart, area);
    return EachLayer(chart, [&](Layer& layer) {
        for (std::int32_t r = block.firstRow, s = block.lastRow; r < s; ++r, --s)
            for (std::int32_t c = block.firstCard; c <= block.lastCard; ++c) {
                const bool cell = layer[At(r)][At(c)];
                layer[At(r)][At(c)] = layer[At(s)][At(c)];
                layer[At(s)][At(c)] = cell;
            }
    });
}

TwoColourChart Repeated(const TwoColourChart& chart, const ChartArea& area) {
    const ChartArea block = Within(chart, area);
    const auto offset = [](std::int32_t index, std::int32_t first, std::int32_t size) {
        return first + ((index - first) % size + size) % size;
    };
    return EachLayer(chart, [&](Layer& layer) {
        const Layer source = layer;
        for (std::int32_t r = 0; r < chart.Rows(); ++r)
            for (std::int32_t c = 0; c < chart.Cards(); ++c)
                layer[At(r)][At(c)] = source[At(offset(r, block.firstRow, block.Rows()))]
                                            [At(offset(c, block.firstCard, block.Cards()))];
    });
}

TwoColourChart BlankChart(ChartWeave weave, std::int32_t cards, std::int32_t rows) {
    TwoColourChart chart;
    chart.weave = weave;
    if (weave == ChartWeave::BrokenTwill) ++rows;
    chart.foreground.assign(At(std::max(rows, 1)), std::vector<bool>(At(std::max(cards, 1))));
    if (weave == ChartWeave::BrokenTwill) chart.longFloats = chart.foreground;
    return chart;
}

}  // namespace tessaly
