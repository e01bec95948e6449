#pragma once

#include <array>
#include <optional>
#include <vector>

#include "BandCommands.h"
#include "PaletteCommands.h"
#include "engine/Threading.h"
#include "model/PatternExtras.h"

namespace tessaly {

// A chart band's chart traded for another (cells painted, rows put in or taken out, a part
// mirrored or repeated, the twill turned, cards added or taken off): the band is woven again
// from the new chart, its cards keeping their threading. One step.
class EditChart : public ReplaceBandAndDesign {
  public:
    // Refuses a band that is not drawn from a chart, a chart of another kind, and a chart that
    // weaves no band (no rows, rows of other lengths, cards of other than four holes).
    // pairSThreaded, when given, threads the cards anew in pairs (see ChartBand).
    EditChart(CommandTarget target, const QString& text, TwoColourChart chart,
              std::optional<std::array<bool, 2>> pairSThreaded = std::nullopt);

  private:
    bool MakeBand(BandState& made) override;

    std::optional<std::array<bool, 2>> pairSThreaded_;
};

// "Convert to Threaded-in": the band stays as it is, but is no longer drawn from its chart, so
// its instructions, its threading and weaving by hand change it from then on.
class ConvertToThreadedIn : public EditExtras {
  public:
    // Refuses a band that is not drawn from a chart.
    explicit ConvertToThreadedIn(CommandTarget target);
};

// What every command that changes the picks or the threading refuses on a band drawn from a
// chart, whose turns follow from the chart alone.
void RefuseOnChartBand(const PatternDocument& document, const char* change);

}  // namespace tessaly
