#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "BandSurface.h"
#include "engine/Band.h"
#include "engine/DrawingGeometry.h"
#include "engine/TurningInstructions.h"

namespace tessaly {

class PatternDocument;

// How the band is presented: the surfaces it is shown on, which face shows, at
// what zoom, and what is derived from the band for the windows (the turning instructions and
// each card's net twist). It follows the document's signals: every change of the band is
// drawn on every registered surface, and the twist is kept up with it.
class BandPresentation : public QObject {
    Q_OBJECT

  public:
    explicit BandPresentation(PatternDocument& document, QObject* parent = nullptr);

    // A registered surface shows the band from then on, until it is unregistered.
    void RegisterSurface(BandSurface* surface);
    void UnregisterSurface(BandSurface* surface);

    // The screen's drawing geometry: the display's zoom.
    DrawingGeometry Geometry() const { return geometry_; }
    void SetBlockSize(std::int32_t blockSize);
    bool IsReversed() const { return reversed_; }
    // Shows the other face of the band; the band itself keeps its front.
    void SetReversed(bool reversed);
    // Front face at the start zoom, as a pattern opens; drawn with the band that comes next.
    void StartOver();
    // Draws the band again as it is.
    void Redraw();

    // The turning instructions as the face shown lists them, read from the band as it is now.
    TurningInstructions Instructions() const;
    // Each card's net twist after the last pick (forward turns minus backward turns), by
    // position from 1 at index 0.
    const std::vector<std::int32_t>& NetTwist() const { return netTwist_; }
    // The net twist as the face shown lists the cards (the reverse face mirrors the cards
    // and turns every turn the other way).
    std::vector<std::int32_t> ShownNetTwist() const;
    // A copy of the band as the face shown shows it, for pictures and printouts.
    std::unique_ptr<Band> ShownBand() const;
    // Paints the face shown between these canvas rows, for a view too tall to draw whole.
    void PaintBandBetween(Canvas& canvas, std::int32_t top, std::int32_t bottom) const;

  signals:
    // The same rows drawn again (zoom, the other face, new colours).
    void bandRedrawn();
    // The instructions changed from this pick on (1: every pick; the pick count plus one: no
    // pick's steps changed, only how many picks there are).
    void instructionsChanged(int firstChangedRow);
    // Some card's net twist changed.
    void twistChanged();
    void reverseChanged(bool reversed);
    void zoomChanged(int blockSize);

  private:
    using Pass = BandSurface::Pass;
    // Draws what a pass changed on every surface, as the face shown shows it: a whole band
    // on cleared canvases, one new row on top, or the picture without the row taken off.
    void Draw(Pass pass);
    void ForEachCanvas(const std::function<void(Canvas&)>& draw);
    void DrawRowOnTop(const Band& band, std::int32_t row);
    void DrawWholeBand();
    // The band as the face shown shows it: the band itself, or a turned-over copy kept in
    // turned for as long as it is drawn.
    const Band& ShownFace(std::unique_ptr<Band>& turned) const;
    // Rows from `first` up were replaced (only these cards of them, when any are named):
    // what of them shows is drawn again.
    void DrawReplacedRows(std::int32_t first, const std::vector<std::int32_t>& cards = {});
    // Every canvas this row reaches, cleared and drawn again as far as rows show on it (only
    // the named cards' columns, where the canvas can).
    void RedrawCanvasesShowing(std::int32_t row, const std::vector<std::int32_t>& cards = {});
    void DrawAfterRemoval(const Band& band);
    void SetNetTwist(std::vector<std::int32_t> twist);
    void AddRowTwist(std::int32_t row, int sign);

    PatternDocument& document_;
    std::vector<BandSurface*> surfaces_;
    DrawingGeometry geometry_;
    bool reversed_ = false;
    std::vector<std::int32_t> netTwist_;
};

}  // namespace tessaly
