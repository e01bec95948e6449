#include "TurningInstructions.h"

#include <algorithm>

#include "Band.h"
#include "model/Directions.h"

namespace tessaly {

std::string InstructionText(const CardStep& step) {
    const char* letter = step.turn == Backward ? "B" : step.turn == Idle ? "I" : "F";
    return step.flip ? std::string(letter) + " *" : std::string(letter);
}

std::int32_t TurningInstructions::Picks() const {
    return band_ == nullptr ? 0 : std::max(band_->Count() - 1, 0);
}

std::int32_t TurningInstructions::Cards() const {
    return band_ == nullptr || band_->Count() == 0 ? 0 : band_->At(1).Cards().Count();
}

std::int32_t TurningInstructions::CardNumber(std::int32_t column) const {
    return reverseFace_ ? Cards() + 1 - column : column;
}

const Card* TurningInstructions::CardIn(std::int32_t row, std::int32_t column) const {
    const tessaly::Cards& deck = band_->At(row).Cards();
    // the reverse face lists the cards from the other edge
    const std::int32_t position = reverseFace_ ? deck.Count() + 1 - column : column;
    if (position < 1 || position > deck.Count()) return nullptr;
    // a deck holds its cards in the order of their positions, or (a band turned over) in the
    // opposite order; any other is searched
    for (const std::int32_t place : {position, deck.Count() + 1 - position})
        if (const Card& card = deck.At(place); card.Position() == position) return &card;
    for (const Card& card : deck)
        if (card.Position() == position) return &card;
    return nullptr;
}

std::optional<CardStep> TurningInstructions::At(std::int32_t pick, std::int32_t column) const {
    if (pick < 1 || pick > Picks() || column < 1) return std::nullopt;
    const Card* card = CardIn(pick + 1, column);
    const Card* below = CardIn(pick, column);
    if (card == nullptr || below == nullptr) return std::nullopt;
    const std::int32_t turn = card->Turn();
    if (turn != Forward && turn != Backward && turn != Idle) return std::nullopt;
    CardStep step;
    // seen from the other face a turn goes the other way; an idle card stays idle
    step.turn = reverseFace_ && turn != Idle ? (turn == Forward ? Backward : Forward) : turn;
    // a vertical twist flips the card over, which changes its threading
    step.flip = card->Thread() != below->Thread();
    step.pack = card->Pack();
    return step;
}

std::string TurningInstructions::Text(std::int32_t pick, std::int32_t column) const {
    const std::optional<CardStep> step = At(pick, column);
    return step ? InstructionText(*step) : std::string();
}

}  // namespace tessaly
