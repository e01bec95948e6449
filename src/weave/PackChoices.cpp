#include "PackChoices.h"

#include <utility>

#include "errors/AppError.h"
#include "engine/PickSteps.h"
#include "model/Directions.h"

namespace tessaly {

void PackChoices::Build(std::int32_t cardCount) {
    columns_.resize(static_cast<std::size_t>(std::max(cardCount, 0)));
}

const PackChoices::Column& PackChoices::At(std::int32_t card) const {
    if (card < 1 || card > CardCount()) throw AppError(ErrorNumber::SubscriptOutOfRange);
    return columns_[static_cast<std::size_t>(card - 1)];
}

void PackChoices::SetLines(std::int32_t card, int pack) {
    if (card < 1 || card > CardCount() || pack < 1 || pack > kPacks) return;
    columns_[static_cast<std::size_t>(card - 1)].pack = pack;
}

void PackChoices::VerticalTwist(std::int32_t card) {
    if (card < 1 || card > CardCount()) return;
    std::int32_t& threading = columns_[static_cast<std::size_t>(card - 1)].threading;
    threading = threading == SThread ? ZThread : SThread;
}

void PackChoices::SetTurn(int pack, std::int32_t turn) {
    if (pack < 1 || pack > kPacks || turn < Forward || turn > Idle) return;
    turns_[pack - 1] = turn;
}

void PackChoices::SetCardPosition(std::int32_t holeOrder, int holes) {
    if (holes < kMinHoles || holes > kMaxHoles || holeOrder < 0 || holeOrder >= holes) return;
    cardPosition_ = holeOrder;
    cardHoles_ = holes;
}

void PackChoices::Update(const Cards& deck) {
    for (const Card& card : deck) {
        if (card.Position() < 1 || card.Position() > CardCount()) continue;
        if (card.Pack() >= 1 && card.Pack() <= kPacks) {
            SetLines(card.Position(), card.Pack());
            SetTurn(card.Pack(), card.Turn());
        }
        // any threading but S shows as Z
        columns_[static_cast<std::size_t>(card.Position() - 1)].threading =
            card.Thread() == SThread ? SThread : ZThread;
    }
    if (deck.Count() > 0) SetCardPosition(deck.At(1).HoleOrder(), deck.At(1).Holes());
}

void PackChoices::DeterminePack(Card& card) const {
    const int pack = At(card.Position()).pack;
    if (pack >= 1 && pack <= kPacks) card.SetPack(static_cast<std::int16_t>(pack));
}

void PackChoices::DetermineTwist(Card& card) const {
    // flipped over when the threading shown is not the card's
    if (At(card.Position()).threading != card.Thread()) FlipOver(card);
}

void PackChoices::DetermineTurn(Card& card) const {
    if (card.Pack() < 1 || card.Pack() > kPacks) return;
    // through SetTurn, so the hole order always rotates
    card.SetTurn(Turn(card.Pack()));
}

Cards PackChoices::NextPick(const Cards& lastRow) const {
    for (const Card& card : lastRow)
        if (card.Position() < 1 || card.Position() > CardCount())
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "Card " + std::to_string(card.Position()) +
                               " has no column among the packs; nothing was woven.");
    Cards next = lastRow;
    for (Card& card : next) {
        DeterminePack(card);
        DetermineTwist(card);
        DetermineTurn(card);
    }
    return next;
}

}  // namespace tessaly
