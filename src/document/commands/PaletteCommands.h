#pragma once

#include <vector>

#include "BandCommands.h"
#include "engine/Threading.h"
#include "model/PatternExtras.h"

namespace tessaly {

// A palette colour changed: every hole that holds it, in every row of the band, the threading
// deck and the draft, takes the new colour in the old one's place in the palette. One step
// ("Change colour 3"). The palette counts as used from then on.
class ChangeColor : public ReplaceBandAndDesign {
  public:
    // Refuses the empty hole as either colour.
    ChangeColor(CommandTarget target, std::int32_t from, std::int32_t to, int paletteNumber);

  private:
    bool MakeBand(BandState& made) override;

    std::int32_t from_;
    std::int32_t to_;
};

// The palette's names and added colours, the weft, the warp, the notes or the chart traded for
// others.
// Notes typed one change after another are one step.
class EditExtras : public PatternCommand {
  public:
    enum class Kind { Palette, Weft, Warp, Notes, Chart };
    EditExtras(CommandTarget target, Kind kind, PatternExtras extras);

    std::int64_t Bytes() const override;
    bool ChangesBand() const override { return false; }

    // The extras with a colour added to the palette (a colour it shows already is not).
    static PatternExtras WithColorAdded(const PatternExtras& extras,
                                        const std::vector<DraftColumn>& draft, std::int32_t color);
    // The extras with a colour the draft does not use taken out of the palette.
    static PatternExtras WithColorRemoved(const PatternExtras& extras, std::int32_t color);
    // The extras with a colour named; an empty name gives it its usual name back.
    static PatternExtras WithColorNamed(const PatternExtras& extras, std::int32_t color,
                                        std::string name);

  private:
    bool Redo() override;
    void Undo() override;
    int MergeId() const override { return kind_ == Kind::Notes ? kNotesMerge : -1; }
    Merged MergeWith(const PatternCommand& next) override;

    Kind kind_;
    PatternExtras before_;
    PatternExtras after_;
};

}  // namespace tessaly
