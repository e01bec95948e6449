#include "BandCommands.h"

#include <QObject>

#include "document/BandViews.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"

namespace tessaly {

ReplaceBand::ReplaceBand(CommandTarget target, const QString& text,
                         PatternDocument::BandChange change)
    : PatternCommand(target, text), change_(change) {}

bool ReplaceBand::Redo() {
    if (!made_) {
        if (!MakeBand(other_)) return false;
        made_ = true;
    }
    Document().ExchangeBand(other_, change_);
    return true;
}

void ReplaceBand::Undo() { Document().ExchangeBand(other_, change_); }

std::int64_t ReplaceBand::Bytes() const {
    return BandBytesHeld() + (other_.deck ? DeckBytes(*other_.deck) : 0);
}

std::int64_t ReplaceBand::BandBytesHeld() const {
    return other_.band ? BandBytes(*other_.band) : 0;
}

ApplyThreading::ApplyThreading(CommandTarget target)
    : MovableCommand(target, QObject::tr("Apply"), PatternDocument::BandChange::NewBand) {
    const std::vector<DraftColumn>& draft = Document().Draft();
    if (draft.empty()) throw AppError(ErrorNumber::SubscriptOutOfRange, "The draft has no cards.");
    // what can be refused is refused before the pattern changes
    threading_ = BuildThreadingDeck(draft, Document().TurnSequence());
    BandCanvasWidth(threading_.Count(), Views().Geometry());
}

bool ApplyThreading::MakeBand(BandState& made) {
    auto band = std::make_unique<Band>();
    if (band->Add(Cards(threading_), 1) == nullptr) return false;
    made = {std::move(band), std::make_unique<Cards>(threading_), false, {}};
    return true;
}

SimpleWeave::SimpleWeave(CommandTarget target)
    : MovableCommand(target, QObject::tr("Simple Weave"), PatternDocument::BandChange::NewBand) {}

bool SimpleWeave::MakeBand(BandState& made) {
    const PatternDocument& document = Document();
    const Cards threading = document.CurrentDeck() != nullptr
                                ? *document.CurrentDeck()
                                : document.CurrentBand().At(1).Cards();
    const ErrorCounter errors;
    auto band = std::make_unique<Band>();
    // as many picks as the display shows at its zoom
    band->WeaveRows(threading, document.TurnSequence(), DrawingGeometry::kCanvasHeight,
                    Views().Geometry());
    if (errors.Count() > 0) return false;
    made = {std::move(band), std::make_unique<Cards>(threading), false, document.TurnSequence()};
    return true;
}

ReplaceColors::ReplaceColors(CommandTarget target)
    : MovableCommand(target, QObject::tr("Replace Colors"),
                     PatternDocument::BandChange::Recoloured) {
    // every card must name a column of the draft before any is recoloured
    const auto columns = static_cast<std::int64_t>(Document().Draft().size());
    for (const Row& row : Document().CurrentBand())
        for (const Card& card : row.Cards()) {
            const std::int16_t column = TextToInt16(card.Key());
            if (column < 1 || column > columns)
                throw AppError(ErrorNumber::SubscriptOutOfRange,
                               "Card " + card.Key() + " has no column in the draft.");
        }
}

bool ReplaceColors::MakeBand(BandState& made) {
    const PatternDocument& document = Document();
    const std::vector<DraftColumn>& draft = document.Draft();
    auto recoloured = std::make_unique<Band>();
    for (const Row& row : document.CurrentBand()) {
        Cards deck = row.Cards();
        for (Card& card : deck) {
            const DraftColumn& column =
                draft[static_cast<std::size_t>(TextToInt16(card.Key()) - 1)];
            card.AColor = column.AColor;
            card.BColor = column.BColor;
            card.CColor = column.CColor;
            card.DColor = column.DColor;
        }
        recoloured->Add(std::move(deck), row.Key);
    }
    const PickFlags flags = document.Flags();
    made = {std::move(recoloured),
            document.CurrentDeck() ? std::make_unique<Cards>(*document.CurrentDeck()) : nullptr,
            flags.storeEveryRow, flags.wovenSequence};
    return true;
}

}  // namespace tessaly
