#include "Threading.h"

#include "Canvas.h"
#include "errors/AppError.h"
#include "errors/Numeric.h"
#include "model/Directions.h"

namespace tessaly {

std::vector<DraftColumn> DraftFromDeck(const Cards& firstRow) {
    std::vector<DraftColumn> draft;
    draft.reserve(static_cast<std::size_t>(firstRow.Count()));
    for (const Card& card : firstRow)
        draft.push_back({card.AColor, card.BColor, card.CColor, card.DColor, card.Thread});
    return draft;
}

Cards BuildThreadingDeck(const std::vector<DraftColumn>& draft, std::string_view turnSequence) {
    const std::vector<std::string_view> letters = SequenceLetters(turnSequence);
    const std::int32_t turn = letters.empty() ? Forward : FindTurn(letters.front());
    Cards deck;
    deck.Reserve(static_cast<std::int32_t>(draft.size()));
    std::int64_t position = 0;
    for (const DraftColumn& column : draft) {
        const std::int16_t i = CheckedInt16(++position);
        deck.Add(Card::Make(turn, i, column.AColor, column.BColor, column.CColor, column.DColor,
                            column.Thread, 1, 1));
    }
    return deck;
}

std::int32_t BandCanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    const std::int16_t margins = CheckedInt16(std::int64_t{geometry.BandMargin} * 4);
    return CheckedInt32(margins + std::int64_t{geometry.BlockSize} * cardCount);
}

void WeaveOpenedPattern(AppState& state, std::string_view turnSequence, Canvas& canvas,
                        InstructionGrid& grid) {
    const DrawingGeometry geometry = state.Geometry();
    if (turnSequence.empty()) {
        canvas.Clear();
        state.CurrentBand->WeaveBand(&canvas, &grid, geometry);
        return;
    }
    const Row* firstRow = state.CurrentBand->Item(1);
    if (firstRow == nullptr) return;
    auto deck =
        std::make_unique<Cards>(BuildThreadingDeck(DraftFromDeck(firstRow->Cards()), turnSequence));
    state.CurrentBand = std::make_unique<Band>();
    state.CurrentDeck = std::move(deck);
    canvas.Clear();
    state.CurrentBand->WeaveRow(*state.CurrentDeck, &canvas, &grid, geometry);
    state.CurrentBand->WeaveAll(*state.CurrentDeck, &canvas, turnSequence, &grid, geometry);
}

}  // namespace tessaly
