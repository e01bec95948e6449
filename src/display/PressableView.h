#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace tessaly {

// A view of the band that says which mouse button went down on it: the display zooms on it.
class PressableView : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void mousePressEvent(QMouseEvent* event) override { emit pressed(event->button()); }
};

}  // namespace tessaly
