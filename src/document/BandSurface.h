#pragma once

#include <cstdint>

#include "engine/DrawingGeometry.h"

namespace tessaly {

class Canvas;

// A canvas a view shows the band on. Views register their surfaces with the document, and
// the document runs every pass over the band on each of them; a view never weaves or redraws
// the band itself.
class BandSurface {
  public:
    // What the pass did, so the view can decide what to keep: a whole new band starts at the
    // bottom of the viewport, a redraw of the same band keeps the scroll position.
    enum class Pass { NewBand, Redraw, RowAdded, RowRemoved };

    virtual ~BandSurface() = default;

    virtual Canvas& SurfaceCanvas() = 0;
    // Before a pass over the whole band: clear the canvas and size it for the cards.
    virtual void PrepareCanvas(std::int32_t cardCount, const DrawingGeometry& geometry) = 0;
    // Before a pass that draws the band again only between columns left and right (canvas
    // units, inclusive): clear them and keep the pass out of the others. False when the
    // surface cannot; it is then prepared whole.
    virtual bool PrepareColumns(int /*left*/, int /*right*/) { return false; }
    // After such a pass: drawing reaches every column again.
    virtual void EndColumns() {}
    // After every pass: show what was drawn.
    virtual void PassFinished(Pass pass) = 0;
};

}  // namespace tessaly
