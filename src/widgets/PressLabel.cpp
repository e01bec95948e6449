#include "PressLabel.h"

#include <QMouseEvent>

namespace tessaly {

void PressLabel::mousePressEvent(QMouseEvent* event) { emit pressed(event->button()); }

}  // namespace tessaly
