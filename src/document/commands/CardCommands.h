#pragma once

#include "PatternCommand.h"
#include "document/PatternDocument.h"
#include "engine/PickSteps.h"

namespace tessaly {

// An edit of the cards (inserted, deleted, moved, mirrored): every row takes the cards in
// their new order, each card with its own turns, flips and packs, and the draft follows. A
// band woven from a sequence keeps its sequence and its threading deck, in the new order.
class EditCards : public PatternCommand {
  public:
    // `text` names the step ("Insert Card 5"). Refuses an order for another number of cards
    // and a band that would pass its memory budget.
    EditCards(CommandTarget target, const QString& text, CardOrder order);
    std::int64_t Bytes() const override;
    std::int64_t BandBytesHeld() const override;

  private:
    bool Redo() override;
    void Undo() override;
    void Exchange();

    BandState other_;  // the band not shown: the new one before the change, the old one after
    std::vector<DraftColumn> otherDraft_;
};

}  // namespace tessaly
