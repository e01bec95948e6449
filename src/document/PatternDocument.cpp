#include "PatternDocument.h"

#include <algorithm>

namespace tessaly {

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PatternDocument::PatternDocument(QObject* parent) : QObject(parent) {}

std::int32_t PatternDocument::CardCount() const {
    const Band& band = *band_.band;
    return band.Count() == 0 ? 0 : band.At(1).Cards().Count();
}

std::vector<DraftColumn> PatternDocument::DraftOfBand() const {
    // a band with no rows (no pattern could be read) has an empty draft
    return CardCount() > 0 ? DraftFromDeck(band_.band->At(1).Cards()) : std::vector<DraftColumn>{};
}

std::string PatternDocument::StoredSequence() const {
    // every row is stored for a band woven by hand, and when the sequence box was emptied
    if (band_.storeEveryRow || turnSequence_.empty()) return {};
    if (band_.band->Count() <= 1) return turnSequence_;
    return band_.wovenSequence;
}

bool PatternDocument::SequenceNotWoven() const {
    return !turnSequence_.empty() && turnSequence_ != StoredSequence();
}

void PatternDocument::Load(std::string bandName, std::string turnSequence, OpenedBand opened,
                           PatternExtras extras) {
    extras_ = std::move(extras);
    band_.band = std::move(opened.band);
    band_.deck = std::move(opened.deck);
    // a band read without a sequence is stored row by row again
    band_.storeEveryRow = turnSequence.empty();
    band_.wovenSequence = turnSequence;
    bandName_ = std::move(bandName);
    turnSequence_ = std::move(turnSequence);
    draft_ = DraftOfBand();
    emit bandReplaced();
    emit bandNameChanged(ToQString(bandName_));
    emit turnSequenceChanged(ToQString(turnSequence_));
    emit threadingChanged();
    emit extrasChanged();
    emit patternLoaded();
}

void PatternDocument::SetExtras(PatternExtras extras) {
    if (extras == extras_) return;
    extras_ = std::move(extras);
    emit extrasChanged();
}

void PatternDocument::ExchangeBand(BandState& other, BandChange change) {
    std::swap(band_, other);
    if (change == BandChange::Recoloured)
        emit bandRecoloured();
    else
        emit bandReplaced();
}

bool PatternDocument::AddRow(const Cards& deck) {
    Band& band = *band_.band;
    const std::int32_t row = band.Count() + 1;
    if (band.Add(Cards(deck), row) == nullptr) return false;
    emit rowAdded(row);
    return true;
}

std::optional<Cards> PatternDocument::TakeTopRow() {
    Band& band = *band_.band;
    const std::int32_t top = band.Count();
    if (top <= 1) return std::nullopt;
    emit rowAboutToBeRemoved(top);
    Cards removed = std::move(band.At(top).Cards());
    band.Remove(top);
    emit rowRemoved(top);
    return removed;
}

PicksEditRecord PatternDocument::EditPicks(const PicksEdit& edit) {
    PicksEditRecord record = ApplyPicksEdit(*band_.band, edit);
    emit rowsReplaced(std::max(edit.FirstPick() + 1, 2), record.change);
    return record;
}

void PatternDocument::UndoPicksEdit(const PicksEdit& edit, const PicksEditRecord& record) {
    tessaly::UndoPicksEdit(*band_.band, edit, record);
    RowsChange change = record.change;
    for (std::int32_t& twist : change.twist) twist = -twist;
    emit rowsReplaced(std::max(edit.FirstPick() + 1, 2), change);
}

void PatternDocument::ExchangeSequences(SequenceState& other) {
    std::swap(band_.storeEveryRow, other.storeEveryRow);
    std::swap(band_.wovenSequence, other.wovenSequence);
    std::string sequence = turnSequence_;
    SetTurnSequence(std::move(other.sequence));
    other.sequence = std::move(sequence);
}

void PatternDocument::SetDraft(std::vector<DraftColumn> draft) {
    draft_ = std::move(draft);
    emit threadingChanged();
}

void PatternDocument::SetBandName(std::string name) {
    if (name == bandName_) return;
    bandName_ = std::move(name);
    emit bandNameChanged(ToQString(bandName_));
}

void PatternDocument::SetTurnSequence(std::string sequence) {
    if (sequence == turnSequence_) return;
    turnSequence_ = std::move(sequence);
    emit turnSequenceChanged(ToQString(turnSequence_));
}

void PatternDocument::SetPatternPath(std::string path) {
    if (path == path_) return;
    path_ = std::move(path);
    emit patternPathChanged(ToQString(path_));
}

}  // namespace tessaly
