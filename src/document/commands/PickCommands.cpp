#include "PickCommands.h"

#include <QObject>
#include <algorithm>

#include "ChartCommands.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

// What weaving by hand leaves: the band is saved row by row, which a file without a turning
// sequence does, also when a sequence is typed again before the band is woven from it.
SequenceState HandWoven() { return {{}, true, {}}; }

std::int64_t SequenceBytes(const SequenceState& flags) {
    return static_cast<std::int64_t>(flags.sequence.size() + flags.wovenSequence.size());
}

}  // namespace

WeavePick::WeavePick(CommandTarget target, Cards deck)
    : PatternCommand(target,
                     QObject::tr("Weave pick %1").arg(target.document.CurrentBand().Count())),
      deck_(std::move(deck)),
      sequences_(HandWoven()) {
    RefuseOnChartBand(Document(), "weave picks by hand");
    const Band& band = Document().CurrentBand();
    const std::int32_t cards = band.Count() > 0 ? band.At(band.Count()).Cards().Count() : 0;
    if (deck_.Count() != cards)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "The pick has " + std::to_string(deck_.Count()) + " cards, the band " +
                           std::to_string(cards) + ".");
    // every card stands at its own place, as in every row of the band
    std::int32_t place = 0;
    for (const Card& card : deck_)
        if (card.Position() != ++place)
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "Card " + std::to_string(place) + " of the pick stands at place " +
                               std::to_string(card.Position()) + ".");
}

bool WeavePick::Redo() {
    if (!Document().AddRow(deck_)) return false;
    Document().ExchangeSequences(sequences_);
    return true;
}

void WeavePick::Undo() {
    Document().TakeTopRow();
    Document().ExchangeSequences(sequences_);
}

std::int64_t WeavePick::Bytes() const { return DeckBytes(deck_) + SequenceBytes(sequences_); }

UnWeavePick::UnWeavePick(CommandTarget target)
    : PatternCommand(
          target,
          target.document.CurrentBand().Count() > 1
              ? QObject::tr("UnWeave pick %1").arg(target.document.CurrentBand().Count() - 1)
              : QObject::tr("UnWeave")),
      sequences_(HandWoven()) {
    RefuseOnChartBand(Document(), "take picks off by hand");
    // the first row stays
    const Band& band = Document().CurrentBand();
    if (band.Count() > 1) taken_ = band.At(band.Count()).Cards();
}

bool UnWeavePick::Redo() {
    PatternDocument& document = Document();
    const bool sequencesChange = document.Sequences() != sequences_;
    // nothing to take off and nothing else to change: no step
    if (!taken_ && !sequencesChange) return false;
    if (taken_) document.TakeTopRow();
    document.ExchangeSequences(sequences_);
    return true;
}

void UnWeavePick::Undo() {
    if (taken_) Document().AddRow(*taken_);
    Document().ExchangeSequences(sequences_);
}

std::int64_t UnWeavePick::Bytes() const {
    return (taken_ ? DeckBytes(*taken_) : 0) + SequenceBytes(sequences_);
}

EditPicks::EditPicks(CommandTarget target, const QString& text, PicksEdit edit)
    : PatternCommand(target, text), edit_(std::move(edit)), sequences_(HandWoven()) {
    RefuseOnChartBand(Document(), "edit them pick by pick");
    const Band& band = Document().CurrentBand();
    if (band.Count() < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The band has no threading.");
    if (!edit_.Empty() && (edit_.FirstPick() < 1 || edit_.FirstPick() >= band.Count() + 1))
        throw AppError(ErrorNumber::SubscriptOutOfRange, "The edit begins outside the band.");
    CheckBandBudget(band.Count() + edit_.AddedPicks(), band.At(1).Cards().Count());
}

bool EditPicks::Redo() {
    PatternDocument& document = Document();
    // an edit that leaves every row as it is (a cell set to what it says) is no step
    if (!ChangesRows(document.CurrentBand(), edit_)) return false;
    record_ = document.EditPicks(edit_);
    document.ExchangeSequences(sequences_);
    return true;
}

void EditPicks::Undo() {
    Document().UndoPicksEdit(edit_, record_);
    record_ = {};
    Document().ExchangeSequences(sequences_);
}

std::int64_t EditPicks::Bytes() const {
    std::int64_t bytes = SequenceBytes(sequences_) + record_.Bytes();
    for (const PicksSplice& splice : edit_.splices)
        for (const PickSteps& pick : splice.inserted)
            bytes += static_cast<std::int64_t>(pick.size() * sizeof(CardStep));
    bytes += static_cast<std::int64_t>(edit_.cells.size() * sizeof(CellChange));
    return bytes;
}

}  // namespace tessaly
