#pragma once

#include <QRect>
#include <QSize>
#include <initializer_list>

#include "model/WindowValue.h"

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace tessaly {

// Window states and places as pattern files store them (twips, 15 to a pixel; state 0
// normal, 1 minimised, 2 maximised), read from and applied to windows.
namespace window_places {

// Smaller than this a window cannot be used: a stored place below it is ignored, and no window
// is made smaller by the rules below.
constexpr int kMinWidth = 100;
constexpr int kMinHeight = 80;

// The outer place of a window (frame included), in twips.
WindowValue Read(const QWidget* window);

// The main window takes state and place; a child takes the place only when it is normal.
// A place below the usable minimum is ignored; one larger than the screen (or the work area)
// is cut to it.
void ApplyToMain(QWidget* window, const WindowValue& value);
void ApplyToChild(QMdiSubWindow* window, const WindowValue& value);
// A child that grew past its stored place to the width its layout needs would cover a
// neighbour stored just beside its right edge: the neighbour moves along, keeping its own
// right edge while it stays usable.
void KeepBesideGrown(QMdiSubWindow* grown, const WindowValue& grownValue, QMdiSubWindow* neighbour,
                     const WindowValue& neighbourValue);

// A file saved on a larger screen may put windows out of reach: a child is moved (and cut to
// the work area, not below its layout's minimum) so all of it lies in the work area, the main
// window so all of it lies on a screen; both are kept at least the usable minimum in size.
void KeepChildReachable(QMdiArea* area, QMdiSubWindow* window);
void KeepOnScreen(QWidget* window);

// The smallest rectangle from the work area's corner holding the stored places of the normal
// children among these, in pixels; empty when none has a usable place.
QRect ChildrenExtent(std::initializer_list<WindowValue> children);
// Grows a normal main window whose work area (of this size now) is smaller than extent by
// what is missing, as far as the screen's available area allows, keeping it on that area.
void GrowToHold(QWidget* window, QSize workArea, const QRect& extent);

}  // namespace window_places

}  // namespace tessaly
