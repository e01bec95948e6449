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

  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void mousePressEvent(QMouseEvent* event) override { emit pressed(event->button()); }
    // Over the band just painted in this dirty rectangle.
    void PaintFell(QPainter& painter, const QRect& dirty) const;

  private:
    std::optional<int> fell_;
};

}  // namespace tessaly
