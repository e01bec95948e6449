#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Band.h"
#include "engine/PicksEditing.h"
#include "engine/Threading.h"
#include "model/PatternExtras.h"

namespace tessaly {

// A whole band with what goes with it: the threading deck it was woven from and how a file
// stores it. Commands that replace the band keep the other one in this form.
struct BandState {
    std::unique_ptr<Band> band;
    std::unique_ptr<Cards> deck;  // none for a band opened row by row or started without Apply
    bool storeEveryRow = false;   // the band holds picks its first row and a sequence would not
    std::string wovenSequence;    // the sequence the band was woven with
};

// The sequences that go with the band, which weaving a pick by hand changes: the turning
// sequence typed, whether the band is stored row by row, and the sequence it was woven with.
struct SequenceState {
    std::string sequence;
    bool storeEveryRow = false;
    std::string wovenSequence;
    friend bool operator==(const SequenceState&, const SequenceState&) = default;
};

// The one current pattern: band, threading deck, draft, name, turning sequence and file. Each
// change says what changed through its signal; the commands make the changes and undo them,
// and the presentation and the windows redraw from the signals.
class PatternDocument : public QObject {
    Q_OBJECT

  public:
    explicit PatternDocument(QObject* parent = nullptr);

    // --- What the pattern is ------------------------------------------------------------
    const Band& CurrentBand() const { return *band_.band; }
    // The threading deck of the last Apply or opened sequence; null until there is one.
    const Cards* CurrentDeck() const { return band_.deck.get(); }
    const std::string& BandName() const { return bandName_; }
    // The sequence as typed in the design window.
    const std::string& TurnSequence() const { return turnSequence_; }
    // The sequence the band shown was woven with: empty for a band woven or edited by hand
    // and for the threading row alone. The printout describes the band by it.
    const std::string& WovenSequence() const { return band_.wovenSequence; }
    // The sequence a Save writes: the file reopens as the band shown. A band of its threading
    // row alone keeps the sequence typed, which opening the file weaves.
    std::string StoredSequence() const;
    // A sequence was typed that the band shown was not woven with, so a Save would not keep
    // it: the weaver should be asked first.
    bool SequenceNotWoven() const;
    const std::string& PatternPath() const { return path_; }
    // The threading being designed: one column per card. It becomes the pattern on Apply.
    const std::vector<DraftColumn>& Draft() const { return draft_; }
    // The draft of the band's first row, as the design window starts from it.
    std::vector<DraftColumn> DraftOfBand() const;
    // The draft holds changes that were not applied: it is not the band's threading row.
    // They are unsaved work, though no file holds them.
    bool DraftNotApplied() const { return draft_ != DraftOfBand(); }
    // Cards of the band's first row; 0 for an empty band.
    std::int32_t CardCount() const;
    SequenceState Sequences() const { return {turnSequence_, band_.storeEveryRow, band_.wovenSequence}; }
    // The palette's names and added colours, the weft, the warp and the notes.
    const PatternExtras& Extras() const { return extras_; }

    // --- Changes ------------------------------------------------------------------------
    // A pattern read from a file (or started anew) becomes the pattern: everything is new.
    void Load(std::string bandName, std::string turnSequence, OpenedBand opened,
              PatternExtras extras = {});
    // Trades the band for another. Recoloured: the same rows in other colours, so views keep
    // their place; otherwise a new band.
    enum class BandChange { NewBand, Recoloured };
    void ExchangeBand(BandState& other, BandChange change);
    // Adds a row whose cards carry this pick's turns on top of the band; false when it could
    // not be added (reported).
    bool AddRow(const Cards& deck);
    // Takes the top row off and gives back its cards; the first row is never removed.
    std::optional<Cards> TakeTopRow();
    // Makes an edit of the picks on the band in place, and gives back what undoing it needs;
    // the rows below its first pick stay as they are.
    PicksEditRecord EditPicks(const PicksEdit& edit);
    // Puts the band back as it stood before EditPicks made the edit.
    void UndoPicksEdit(const PicksEdit& edit, const PicksEditRecord& record);
    void ExchangeSequences(SequenceState& other);
    void SetDraft(std::vector<DraftColumn> draft);
    void SetBandName(std::string name);
    void SetTurnSequence(std::string sequence);
    void SetPatternPath(std::string path);
    void SetExtras(PatternExtras extras);

  signals:
    // A pattern was opened (or started anew): everything about it is new.
    void patternLoaded();
    // A new band: views start over (new card count, viewport at the bottom).
    void bandReplaced();
    // The same rows in new colours.
    void bandRecoloured();
    void rowAdded(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    // The rows from this one up are other rows now (more, fewer or changed), as `change`
    // tells: the net twist it made and the cards it changed.
    void rowsReplaced(int firstRow, const tessaly::RowsChange& change);
    // The draft changed (its cards, their colours or threading).
    void threadingChanged();
    void bandNameChanged(const QString& name);
    void turnSequenceChanged(const QString& sequence);
    void patternPathChanged(const QString& path);
    // The palette's names or added colours, the weft, the warp or the notes changed.
    void extrasChanged();

  private:
    BandState band_{std::make_unique<Band>(), nullptr, false, {}};
    std::vector<DraftColumn> draft_;
    std::string bandName_;
    std::string turnSequence_;
    std::string path_;  // empty while the pattern has no file
    PatternExtras extras_;
};

}  // namespace tessaly
