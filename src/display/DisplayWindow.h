#pragma once

#include <QWidget>
#include <functional>

#include "Zoom.h"
#include "render/RasterCanvas.h"

class QScrollArea;

namespace tessaly {

class BandView;
class InstructionGrid;
class PatternDocument;

// The band display: the woven band on its canvas in a scrolling viewport. A left click zooms
// in, a right click out, any other button redraws; the caption shows the ratio.
class DisplayWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kCanvasHeight = 1000;  // 15000 twips

    explicit DisplayWindow(PatternDocument& document, QWidget* parent = nullptr);

    RasterCanvas& Canvas() { return canvas_; }
    const RasterCanvas& Canvas() const { return canvas_; }
    class Zoom& Zoom() {
        return zoom_;
    }
    BandView* View() const { return view_; }

    // Sizes the canvas to the band's cards at the present zoom and scrolls to the bottom,
    // where the band begins.
    void FitCanvas();
    // A pass over the whole band (a redraw, the reverse face, a freshly opened pattern):
    // given a cleared canvas fitted to the band, the instruction grid and the present
    // geometry, it draws every row. The hourglass shows while it runs; the picture and the
    // instructions are shown afresh after it.
    using BandPass =
        std::function<void(tessaly::Canvas&, InstructionGrid&, const DrawingGeometry&)>;
    void Draw(const BandPass& pass);
    // Clears the canvas and redraws the whole band at the present zoom: what the display
    // shows after any change to the band. Rewrites the instructions too.
    void RedrawBand();

    void SetZoomIn(std::int16_t zoom);
    void SetZoomOut(std::int16_t zoom);
    // Block size and margin back to 10, ratio 1:1, canvas sized to the band.
    void ResetZoom();

    void ClickBand(Qt::MouseButton button);

  private:
    void UpdateCaption();

    PatternDocument& document_;
    RasterCanvas canvas_;
    class Zoom zoom_;
    QScrollArea* viewport_ = nullptr;
    BandView* view_ = nullptr;
};

}  // namespace tessaly
