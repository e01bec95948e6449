#pragma once

#include "model/WindowValue.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace tessaly {

// Window states and places as pattern files store them (twips, 15 to a pixel; state 0
// normal, 1 minimised, 2 maximised), read from and applied to windows.
namespace WindowPlaces {

WindowValue Read(const QWidget* window);

// The main window takes state and place; a child takes the place only when it is normal.
void ApplyToMain(QWidget* window, const WindowValue& value);
void ApplyToChild(QMdiSubWindow* window, const WindowValue& value);

// A file saved on a larger screen may put windows out of reach: a child whose title bar lies
// outside the work area is moved back in, the main window onto a screen.
void KeepChildReachable(QMdiArea* area, QMdiSubWindow* window);
void KeepOnScreen(QWidget* window);

}  // namespace WindowPlaces

}  // namespace tessaly
