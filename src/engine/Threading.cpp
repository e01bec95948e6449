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
        draft.emplace_back(card.Colors(), card.Thread(), card.Holes());
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
        deck.Add(Card::Make(turn, i, column.colors, column.Thread(), 1, 1, column.holes));
    }
    return deck;
}

OpenedBand WeaveOpenedPattern(std::unique_ptr<Band> rows, std::string_view turnSequence,
                              const DrawingGeometry& geometry) {
    OpenedBand opened{std::move(rows), nullptr};
    if (turnSequence.empty()) return opened;
    const Row* firstRow = opened.band->Item(1);
    if (firstRow == nullptr) return opened;
    opened.deck =
        std::make_unique<Cards>(BuildThreadingDeck(DraftFromDeck(firstRow->Cards()), turnSequence));
    opened.band = std::make_unique<Band>();
    opened.band->Add(Cards(*opened.deck), 1);
    opened.band->WeaveRows(*opened.deck, turnSequence, DrawingGeometry::kCanvasHeight, geometry);
    return opened;
}

}  // namespace tessaly
