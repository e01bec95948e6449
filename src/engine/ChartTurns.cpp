#include "ChartTurns.h"

#include <array>
#include <cstddef>

#include "errors/AppError.h"
#include "model/Directions.h"

namespace tessaly {

namespace {

// Where a card stands in its four-pick cycle picks the way it turns: the background's turns,
// forward twice and back twice.
constexpr std::array<std::int32_t, 4> kCycle{Forward, Forward, Backward, Backward};

// One card's cells, a value per pick.
struct CardColumn {
    std::vector<bool> foreground;
    std::vector<bool> secondOfLongFloat;  // the second pick of a long float: half a turn more
};

// Each row of the chart is two picks. Broken twill weaves its odd cards half a row later:
// their second pick of a row takes the row above, and a long float's second pick is the first
// of the pair on odd cards and the second on even ones.
CardColumn ColumnOf(const TwoColourChart& chart, std::size_t card) {
    CardColumn column;
    const std::size_t rows = chart.foreground.size();
    const bool twill = chart.weave == ChartWeave::BrokenTwill;
    const bool odd = card % 2 == 1;
    for (std::size_t row = 0; row < rows; ++row) {
        const bool last = row + 1 == rows;
        const std::size_t later = twill && odd && !last ? row + 1 : row;
        column.foreground.push_back(chart.foreground[row][card]);
        column.foreground.push_back(chart.foreground[later][card]);
        if (!twill) continue;
        column.secondOfLongFloat.push_back(odd && chart.longFloats[row][card]);
        column.secondOfLongFloat.push_back(!odd && chart.longFloats[later][card]);
    }
    return column;
}

// The place in the cycle a broken-twill card starts from, so the background twill runs S or Z.
int TwillStart(TwillDirection direction, std::size_t card) {
    const int step = static_cast<int>(card % 4);
    return direction == TwillDirection::S ? (step + 3) % 4 : 3 - step;
}

std::vector<std::int32_t> TurnsOfCard(const TwoColourChart& chart, std::size_t card,
                                      std::size_t picks) {
    const CardColumn column = ColumnOf(chart, card);
    const bool twill = chart.weave == ChartWeave::BrokenTwill;
    // double-faced cards start one place before the cycle's first
    int place = twill ? TwillStart(chart.twill, card) : -1;
    std::vector<std::int32_t> turns;
    turns.reserve(picks);
    for (std::size_t pick = 0; pick < picks; ++pick) {
        const bool colour = column.foreground[pick];
        const bool next = pick + 1 < picks ? column.foreground[pick + 1] : colour;
        const bool previous = pick > 0 && column.foreground[pick - 1];  // background before
        const bool changes = next != colour || previous != colour;
        // a card starting in the foreground goes back one more place
        if (pick == 0 && previous != colour) place = (place + 3) % 4;
        // through a change of colour a card keeps turning the way it turned
        if (!changes) place = (place + 1) % 4;
        if (twill && column.secondOfLongFloat[pick]) place = (place + 2) % 4;
        // a place before the cycle (never reached by a chart of whole rows) turns back
        turns.push_back(place < 0 ? Backward : kCycle[static_cast<std::size_t>(place)]);
    }
    return turns;
}

// Broken twill's threading repeats every four cards: hole by hole (A to D), the foreground or
// not.
constexpr std::array<std::array<bool, 4>, 4> kTwillThreadings{{
    {true, true, false, false},
    {false, true, true, false},
    {false, false, true, true},
    {false, true, true, false},
}};

}  // namespace

std::vector<ChartCard> ChartThreading(ChartWeave weave, std::int32_t cards,
                                      std::array<bool, 2> pairSThreaded) {
    std::vector<ChartCard> threading;
    for (std::int32_t card = 0; card < cards; ++card) {
        const auto place = static_cast<std::size_t>(card);
        if (weave == ChartWeave::DoubleFaced)
            threading.push_back({{true, true, false, false}, pairSThreaded[place % 2]});
        else
            threading.push_back({kTwillThreadings[place % 4], true});
    }
    return threading;
}

std::vector<std::vector<std::int32_t>> ChartTurns(const TwoColourChart& chart) {
    const auto cards = static_cast<std::size_t>(chart.Cards());
    for (const auto& row : chart.foreground)
        if (row.size() != cards)
            throw AppError(ErrorNumber::InvalidProcedureCall, "The chart's rows differ in length.");
    if (chart.weave == ChartWeave::BrokenTwill) {
        if (chart.longFloats.size() != chart.foreground.size())
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "The long floats' chart has another number of rows.");
        for (const auto& row : chart.longFloats)
            if (row.size() != cards)
                throw AppError(ErrorNumber::InvalidProcedureCall,
                               "The long floats' chart has rows of another length.");
    }
    const auto picks = static_cast<std::size_t>(chart.Picks());
    std::vector<std::vector<std::int32_t>> turns(picks, std::vector<std::int32_t>(cards));
    for (std::size_t card = 0; card < cards; ++card) {
        const std::vector<std::int32_t> column = TurnsOfCard(chart, card, picks);
        for (std::size_t pick = 0; pick < picks; ++pick) turns[pick][card] = column[pick];
    }
    return turns;
}

}  // namespace tessaly
