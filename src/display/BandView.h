#pragma once

#include "PressableView.h"

namespace tessaly {

class RasterCanvas;

// The band canvas on screen, one canvas pixel to one logical pixel.
class BandView : public PressableView {
    Q_OBJECT

  public:
    BandView(const RasterCanvas& canvas, QWidget* parent = nullptr);
    // Takes the canvas's size.
    void FitToCanvas();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const RasterCanvas& canvas_;
};

}  // namespace tessaly
