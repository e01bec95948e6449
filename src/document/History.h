#pragma once

#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Band.h"
#include "engine/Threading.h"

namespace tessaly {

class PatternDocument;

// What a whole-band change replaces: the band and its threading deck, and how it is stored.
struct BandState {
    std::unique_ptr<Band> band;
    std::unique_ptr<Cards> deck;
    bool storeEveryRow = false;
    std::string wovenSequence;  // the sequence the band was woven with
};

// What a pick woven or taken off by hand changes besides the band: the turning sequence is
// emptied and the band is stored row by row from then on.
struct PickFlags {
    std::string sequence;
    bool storeEveryRow = false;
    std::string wovenSequence;
};

// Undo and redo of every change of the pattern, on the document's QUndoStack. The document
// makes each change and then records it here; an edit keeps what it needs to go back and
// forth (a replaced band is kept, not copied), and undoing or redoing it goes through the
// document, which redraws and signals as for the change itself.
//
// History is capped by memory: the edits together keep at most twice what the largest band
// takes, the band shown or one an edit keeps (and at least kMinBudget); beyond that the
// oldest are forgotten.
class History {
  public:
    static constexpr std::int64_t kMinBudget = std::int64_t{16} << 20;

    History(PatternDocument& document, QUndoStack& stack);
    ~History();

    void BandReplaced(const QString& text, BandState previous);
    void PickWoven(const Cards& deck, std::int32_t pick, PickFlags before);
    void PickTaken(Cards deck, std::int32_t key, PickFlags before);
    void PickFlagsChanged(PickFlags before);
    void Reversed();
    // A draft change; paint of one stroke and repeated card counts merge into one step.
    void DraftChanged(const QString& text, std::vector<DraftColumn> before, bool continues);
    // Typing merges into one step per box.
    void NameChanged(std::string before);
    void SequenceChanged(std::string before);

    // Whether a step between the saved state and now changes what the file holds.
    bool ChangedSinceSave() const;

    // The memory the edits hold, and what they may hold with the band as it is.
    std::int64_t HeldBytes() const;
    std::int64_t Budget() const;
    // True while steps are put back on the stack after the oldest were forgotten.
    bool Replaying() const { return replaying_; }

    class Edit;

  private:
    class Step;
    class BandEdit;
    class PickEdit;
    class FlagsEdit;
    class ReverseEdit;
    class DraftEdit;
    class TextEdit;
    void Push(std::unique_ptr<Edit> edit);
    // Forgets the oldest edits until the rest fit the budget.
    void Trim();

    PatternDocument& document_;
    QUndoStack& stack_;
    bool replaying_ = false;  // steps put back on the stack do nothing
};

// Bytes a band takes in memory: its rows and their cards.
std::int64_t BandBytes(const Band& band);

}  // namespace tessaly
