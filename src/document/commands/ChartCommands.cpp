#include "ChartCommands.h"

#include <QObject>

#include "document/PatternDocument.h"
#include "engine/PickSteps.h"
#include "errors/AppError.h"
#include "patternfile/PeerPattern.h"

namespace tessaly {

void RefuseOnChartBand(const PatternDocument& document, const char* change) {
    if (document.Extras().chart)
        throw AppError(
            ErrorNumber::InvalidProcedureCall,
            std::string("The turns of this band follow from its chart: draw them in the Chart "
                        "window, or choose Convert to Threaded-in to ") +
                change + ".");
}

EditChart::EditChart(CommandTarget target, const QString& text, TwoColourChart chart,
                     std::optional<std::array<bool, 2>> pairSThreaded)
    : ReplaceBandAndDesign(target, text, PatternDocument::BandChange::NewBand),
      pairSThreaded_(pairSThreaded) {
    const PatternDocument& document = Document();
    const std::optional<TwoColourChart>& current = document.Extras().chart;
    if (!current)
        throw AppError(ErrorNumber::InvalidProcedureCall, "The band is not drawn from a chart.");
    if (pairSThreaded && current->weave != ChartWeave::DoubleFaced)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "Broken twill's cards are all threaded S.");
    if (chart.weave != current->weave)
        throw AppError(ErrorNumber::InvalidProcedureCall, "A chart keeps its kind of weave.");
    if (chart.Picks() < 1 || chart.Cards() < 1)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "A chart needs at least one card and one pick.");
    otherExtras_ = document.Extras();
    otherExtras_.chart = std::move(chart);
    Prepare();
}

bool EditChart::MakeBand(BandState& made) {
    // a chart that weaves no band is refused before anything changes
    made = {ChartBand(Document().CurrentBand(), *otherExtras_.chart, pairSThreaded_),
            nullptr,
            true,
            {}};
    // the design window shows the threading the chart weaves with
    otherDraft_ = DraftFromDeck(made.band->At(1).Cards());
    return true;
}

namespace {

// The pattern's extras without its chart; refuses a band not drawn from one.
PatternExtras WithoutChart(const PatternDocument& document) {
    if (!document.Extras().chart)
        throw AppError(ErrorNumber::InvalidProcedureCall, "The band is already threaded in.");
    PatternExtras extras = document.Extras();
    extras.chart.reset();
    return extras;
}

}  // namespace

ConvertToThreadedIn::ConvertToThreadedIn(CommandTarget target)
    : EditExtras(target, Kind::Chart, WithoutChart(target.document)) {}

}  // namespace tessaly
