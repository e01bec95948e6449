#pragma once

#include <QWidget>

#include "document/BandSurface.h"
#include "render/RasterCanvas.h"

class QScrollArea;

namespace tessaly {

class BandView;
class PatternSession;
class WholeBandView;

// The band display: the woven band on its canvas in a scrolling viewport. A left click zooms
// in, a right click out, any other button redraws; the caption shows the ratio. The window
// never weaves: the band's presentation draws on its canvas and tells it when a pass is done.
class DisplayWindow : public QWidget, public BandSurface {
    Q_OBJECT

  public:
    explicit DisplayWindow(PatternSession& session, QWidget* parent = nullptr);
    ~DisplayWindow() override;

    RasterCanvas& Canvas() { return canvas_; }
    const RasterCanvas& Canvas() const { return canvas_; }
    BandView* View() const { return view_; }
    WholeBandView* WholeView() const { return wholeView_; }

    // The whole band, every pick drawn, instead of the display's canvas (off at start); the
    // view follows the newest pick as the band is woven.
    void SetWholeBand(bool whole);
    QScrollArea* Viewport() const { return viewport_; }

    // BandSurface
    tessaly::Canvas& SurfaceCanvas() override { return canvas_; }
    void PrepareCanvas(std::int32_t cardCount, const DrawingGeometry& geometry) override;
    void PassFinished(Pass pass) override;

  private slots:
    void zoomByButton(Qt::MouseButton button);

  private:
    void UpdateCaption();
    // The fell of the pick the weaver is at on both views, or no mark when nobody follows.
    void MarkFell();
    void SetScrollSteps();
    // The whole band took a new size; show the newest pick, or the band's start.
    void RefitWholeBand(bool followNewest);

    PatternSession& session_;
    std::int32_t weft_ = -1;  // the weft the canvas shows, Card::kNoThread for none
    RasterCanvas canvas_;
    QScrollArea* viewport_ = nullptr;
    BandView* view_ = nullptr;
    WholeBandView* wholeView_ = nullptr;
    bool whole_ = false;
    bool showBandStart_ = true;
};

}  // namespace tessaly
