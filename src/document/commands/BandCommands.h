#pragma once

#include "PatternCommand.h"
#include "document/PatternDocument.h"

namespace tessaly {

// A command that puts a whole new band in place of the band: it makes the new band when it is
// made (each kind's constructor calls Prepare()) and from then on trades it with the band
// shown.
class ReplaceBand : public PatternCommand {
  public:
    std::int64_t Bytes() const override;
    std::int64_t BandBytesHeld() const override;

  protected:
    ReplaceBand(CommandTarget target, const QString& text, PatternDocument::BandChange change);
    // The new band and what goes with it; false when it could not be made (reported).
    virtual bool MakeBand(BandState& made) = 0;
    // Makes the new band: the last step of each kind's constructor.
    void Prepare();
    bool Redo() override;
    void Undo() override;

  private:
    PatternDocument::BandChange change_;
    bool made_ = false;
    BandState other_;  // the band not shown: the new one before the change, the old one after
};

// A whole new band together with the design that goes with it: the draft and the extras (the
// palette, the chart...) are traded with the band on every redo and undo.
class ReplaceBandAndDesign : public ReplaceBand {
  protected:
    using ReplaceBand::ReplaceBand;
    bool Redo() override;
    void Undo() override;

    // the design not shown: the new one before the change, the old one after
    std::vector<DraftColumn> otherDraft_;
    PatternExtras otherExtras_;

  private:
    void TradeDesign();
};

// Apply: the draft becomes the threading deck and a band of that one row.
class ApplyThreading : public ReplaceBand {
  public:
    // Refuses an empty draft, or one that makes no deck or no canvas.
    explicit ApplyThreading(CommandTarget target);

  private:
    bool MakeBand(BandState& made) override;
    Cards threading_;
};

// Simple Weave: the whole band woven anew from the threading deck with the turning sequence.
// A band without a deck (opened row by row, or never applied) weaves from its first row; a
// draft of another hole count than the deck's is applied first.
class SimpleWeave : public ReplaceBand {
  public:
    explicit SimpleWeave(CommandTarget target);

  private:
    bool MakeBand(BandState& made) override;
};

// Apply with "Replace Colors only": every card of every row takes the colours of the draft
// column its key names, keeping rows, turns and threading.
class ReplaceColors : public ReplaceBand {
  public:
    // Refuses a band with a card whose key names no column of the draft.
    explicit ReplaceColors(CommandTarget target);

  private:
    bool MakeBand(BandState& made) override;
};

}  // namespace tessaly
