#include "CardCommands.h"

#include "ChartCommands.h"
#include "errors/AppError.h"

namespace tessaly {

EditCards::EditCards(CommandTarget target, const QString& text, CardOrder order)
    : PatternCommand(target, text) {
    RefuseOnChartBand(Document(), "change its cards");
    const PatternDocument& document = Document();
    const Band& band = document.CurrentBand();
    if (band.Count() < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The band has no cards.");
    const std::int32_t cards = band.At(1).Cards().Count();
    for (const std::int32_t card : order.source)
        if (card < 1 || card > cards)
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "The band has no card " + std::to_string(card) + ".");
    CheckBandBudget(band.Count(), static_cast<std::int64_t>(order.source.size()));
    const WeavingSteps steps = Reordered(StepsOf(band), order);
    other_.band = std::make_unique<Band>(WeaveSteps(steps));
    if (document.CurrentDeck() != nullptr)
        other_.deck = std::make_unique<Cards>(Reordered(*document.CurrentDeck(), order));
    other_.storeEveryRow = document.Sequences().storeEveryRow;
    other_.wovenSequence = document.Sequences().wovenSequence;
    // the draft moves with the cards; a draft of another number of cards (a count typed but
    // not applied) gives way to the new threading
    const std::vector<DraftColumn>& draft = document.Draft();
    otherDraft_ = static_cast<std::int32_t>(draft.size()) == cards
                      ? Reordered(draft, order)
                      : DraftFromDeck(other_.band->At(1).Cards());
}

void EditCards::Exchange() {
    PatternDocument& document = Document();
    document.ExchangeBand(other_, PatternDocument::BandChange::NewBand);
    std::vector<DraftColumn> draft = document.Draft();
    document.SetDraft(std::move(otherDraft_));
    otherDraft_ = std::move(draft);
}

bool EditCards::Redo() {
    Exchange();
    return true;
}

void EditCards::Undo() { Exchange(); }

std::int64_t EditCards::Bytes() const {
    return BandBytesHeld() + (other_.deck ? DeckBytes(*other_.deck) : 0) +
           static_cast<std::int64_t>(otherDraft_.size() * sizeof(DraftColumn));
}

std::int64_t EditCards::BandBytesHeld() const { return other_.band ? BandBytes(*other_.band) : 0; }

}  // namespace tessaly
