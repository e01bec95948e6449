#pragma once

#include <optional>

#include "PatternCommand.h"
#include "document/PatternDocument.h"
#include "engine/PickSteps.h"

namespace tessaly {

// Weave: one pick on top of the band, from a deck whose cards carry this pick's turns. A band
// woven by hand is stored row by row from then on, and the sequence box empties.
class WeavePick : public PatternCommand {
  public:
    // Refuses a deck of another number of cards than the band's, or one whose cards do not
    // stand in the order of their places.
    WeavePick(CommandTarget target, Cards deck);
    std::int64_t Bytes() const override;

  private:
    bool Redo() override;
    void Undo() override;

    Cards deck_;
    SequenceState sequences_;  // the sequences not in force: hand weaving's before, the old ones after
};

// UnWeave: the top pick taken off; the first row stays. Like Weave it makes the band one
// woven by hand, which is a change of its own on a band of one row.
class UnWeavePick : public PatternCommand {
  public:
    explicit UnWeavePick(CommandTarget target);
    std::int64_t Bytes() const override;

  private:
    bool Redo() override;
    void Undo() override;

    std::optional<Cards> taken_;
    SequenceState sequences_;
};

// An edit of the instructions (cells set, picks inserted, deleted, repeated, pasted), made on
// the band in place: the rows below it stay, and the cards above it are woven again as far as
// they change. Like Weave it makes the band one stored row by row.
class EditPicks : public PatternCommand {
  public:
    // `text` names the step ("Insert Pick 37"). Refuses an edit of a band without picks to
    // weave on (no rows).
    EditPicks(CommandTarget target, const QString& text, PicksEdit edit);
    std::int64_t Bytes() const override;

  private:
    bool Redo() override;
    void Undo() override;

    PicksEdit edit_;
    PicksEditRecord record_;  // what the edit took, while it is made
    SequenceState sequences_;
};

}  // namespace tessaly
