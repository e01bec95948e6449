#pragma once

#include <optional>

#include "PatternCommand.h"
#include "document/PatternDocument.h"

namespace tessaly {

// Weave: one pick on top of the band, from a deck whose cards carry this pick's turns. A band
// woven by hand is stored row by row from then on, and the sequence box empties.
class WeavePick : public MovableCommand<WeavePick> {
  public:
    // Refuses a deck of another number of cards than the band's.
    WeavePick(CommandTarget target, Cards deck);
    std::int64_t Bytes() const override;

  private:
    bool Redo() override;
    void Undo() override;

    Cards deck_;
    PickFlags flags_;  // the flags not in force: hand weaving's before, the old ones after
};

// UnWeave: the top pick taken off; the first row stays. Like Weave it makes the band one
// woven by hand, which is a change of its own on a band of one row.
class UnWeavePick : public MovableCommand<UnWeavePick> {
  public:
    explicit UnWeavePick(CommandTarget target);
    std::int64_t Bytes() const override;

  private:
    bool Redo() override;
    void Undo() override;

    std::optional<Cards> taken_;
    PickFlags flags_;
};

}  // namespace tessaly
