#pragma once

#include <vector>

#include "PatternCommand.h"
#include "engine/Threading.h"

namespace tessaly {

// A change of the threading being designed. The draft is not stored in a file until it is
// applied, so no draft change makes the pattern one to save.
class DraftCommand : public PatternCommand {
  public:
    std::int64_t Bytes() const override;
    bool ChangesFile() const override { return false; }

  protected:
    // The draft as it is now is the one undo gives back.
    DraftCommand(CommandTarget target, const QString& text);
    // The draft the change makes.
    std::vector<DraftColumn> before_;
    std::vector<DraftColumn> after_;

  private:
    bool Redo() override;
    void Undo() override;
};

// One hole of one card in the draft: card from 1, hole from 0 for A.
struct DraftHole {
    std::int32_t card = 0;
    int hole = 0;
};

// Paint: these holes take a colour; holes outside the draft are skipped. Paint that continues
// a stroke (a drag) joins the step its press began.
class PaintDraft : public DraftCommand {
  public:
    PaintDraft(CommandTarget target, const std::vector<DraftHole>& holes, std::int32_t color,
               bool continuesStroke = false);

  private:
    int MergeId() const override { return kDraftStrokeMerge; }
    Merged MergeWith(const PatternCommand& next) override;
    bool continuesStroke_;
};

// The number of cards: the draft shows the band's first row with this many cards; cards
// beyond are removed, new ones copy the last card. The band changes only on Apply, so its
// rows always keep one number of cards.
class SetCardCount : public DraftCommand {
  public:
    // Refuses a count outside 1 to kMostCards, and a band without cards.
    SetCardCount(CommandTarget target, std::int32_t count);
};

// The number of holes of every card of the draft (kMinHoles to kMaxHoles): new holes take
// the colour given, holes beyond the count go with their threads. Applied, the band's cards
// have as many.
class SetHoleCount : public DraftCommand {
  public:
    // Refuses a count outside kMinHoles to kMaxHoles.
    SetHoleCount(CommandTarget target, int holes, std::int32_t newHoleColor);
    // Whether fewer holes than the draft has would take threads away.
    static bool LosesThreads(const std::vector<DraftColumn>& draft, int holes);
};

// S becomes Z and anything else S, on one card of the draft.
class ToggleThreading : public DraftCommand {
  public:
    ToggleThreading(CommandTarget target, std::int32_t card);
};

// The draft shows the band's first row again, as the design window opens; what was not
// applied can be had back by undoing.
class ReloadDraft : public DraftCommand {
  public:
    explicit ReloadDraft(CommandTarget target);
};

}  // namespace tessaly
