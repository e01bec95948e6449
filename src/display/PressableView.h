#pragma once

#include <QMouseEvent>
#include <QWidget>
#include <optional>

class QPainter;

namespace tessaly {

// A view of the band that says which mouse button went down on it (the display zooms on it)
// and, while the weaver follows the band at the loom, marks the fell: the picks not yet woven
// above it are veiled, the woven ones below stay as drawn.
class PressableView : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

    // The fell's height in the view; nothing when no one follows the band.
    void SetFell(std::optional<int> y);
    std::optional<int> Fell() const { return fell_; }
    // Where the last woven pick ends, marked by a dashed line while no one follows the band
    // (the canvas above it repeats the last pick and is not woven); nothing for no line.
    void SetFellLine(std::optional<int> y);
    std::optional<int> FellLine() const { return fellLine_; }

  signals:
    void pressed(Qt::MouseButton button);
    // Ctrl and the wheel: whole notches in (steps > 0) or out, about this point of the view.
    void wheelZoomed(int steps, QPoint at);

  protected:
    void mousePressEvent(QMouseEvent* event) override { emit pressed(event->button()); }
    // Ctrl and the wheel zoom; the wheel alone scrolls the viewport as ever.
    void wheelEvent(QWheelEvent* event) override;
    // Over the band just painted in this dirty rectangle.
    void PaintFell(QPainter& painter, const QRect& dirty) const;

  private:
    std::optional<int> fell_;
    std::optional<int> fellLine_;
    int wheelTurned_ = 0;  // eighths of a degree turned towards the next whole notch
};

}  // namespace tessaly
