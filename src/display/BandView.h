#pragma once

#include <QWidget>

namespace tessaly {

class RasterCanvas;

// The band canvas on screen, one canvas pixel to one logical pixel.
class BandView : public QWidget {
    Q_OBJECT

  public:
    BandView(const RasterCanvas& canvas, QWidget* parent = nullptr);
    // Takes the canvas's size.
    void FitToCanvas();

  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const RasterCanvas& canvas_;
};

}  // namespace tessaly
