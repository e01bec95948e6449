#pragma once

#include <QWidget>

#include "document/BandSurface.h"
#include "render/RasterCanvas.h"

class QScrollArea;

namespace tessaly {

class BandView;
class RulerStrip;
struct RulerScale;
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

    // The zoom by key and menu: a quarter larger or smaller, 1:1, the band as wide as the
    // view, or all of it in view; the current pick stays where it was in the view.
    void ZoomInStep();
    void ZoomOutStep();
    void ZoomActualSize();
    void FitWidth();
    void FitBand();

    // BandSurface
    tessaly::Canvas& SurfaceCanvas() override { return canvas_; }
    void PrepareCanvas(std::int32_t cardCount, const DrawingGeometry& geometry) override;
    bool PrepareColumns(int left, int right) override;
    void EndColumns() override;
    void PassFinished(Pass pass) override;

  private slots:
    void zoomByButton(Qt::MouseButton button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void UpdateCaption();
    // How the rulers number what the view shows now.
    RulerScale Scale() const;
    // The band drawn at another block size, the point of the view at anchor (view
    // coordinates) staying where it stood in the viewport.
    void ZoomAbout(std::int32_t blockSize, QPoint anchor);
    // Keys and menus zoom about the current pick, in the middle of the view's width.
    void ZoomAboutCurrentPick(std::int32_t blockSize);
    // The view shown: the canvas or the whole band.
    QWidget* ShownView() const;
    // How many of the band's rows lie below the fell: the current pick's while the weaver
    // follows the band, else all of them.
    std::int64_t WovenRows() const;
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
    RulerStrip* cardRuler_ = nullptr;
    RulerStrip* pickRuler_ = nullptr;
    bool whole_ = false;
    bool showBandStart_ = true;
};

}  // namespace tessaly
