#pragma once

class QWidget;

namespace tessaly {

// Grows the window that shows content (the sub-window around it in the workspace, or content
// itself) until content has the room its layout needs, when a control in it grew: squeezed,
// its controls would lie over each other. A window already large enough keeps its size.
void GrowToLayout(QWidget& content);

}  // namespace tessaly
