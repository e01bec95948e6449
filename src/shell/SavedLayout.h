#pragma once

#include <vector>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace tessaly {

// Where the weaver left the windows, kept in the settings between starts, and the layout a
// first start gives them.
namespace saved_layout {

// The main window and its windows, each by its content's object name: place and shown.
void Save(const QMainWindow& main, const std::vector<QMdiSubWindow*>& windows);
// Brings them back, kept on the screen and inside the work area; false when nothing was kept.
bool Restore(QMainWindow& main, QMdiArea& area, const std::vector<QMdiSubWindow*>& windows);

// The four windows a first start shows, side by side in the work area.
struct FirstStart {
    QMdiSubWindow* design;
    QMdiSubWindow* weave;
    QMdiSubWindow* display;
    QMdiSubWindow* instructions;
};
// The whole screen; the design window over the weaving assistant at the left, the band
// display and the turning instructions the work area's height at the right.
void FillScreen(QMainWindow& main, QMdiArea& area, const FirstStart& windows);

}  // namespace saved_layout

}  // namespace tessaly
