#pragma once

#include <QLabel>

namespace tessaly {

// A label that says which mouse button went down on it.
class PressLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tessaly
