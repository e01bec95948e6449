#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

class QPainter;
class QScrollArea;
class QWidget;

namespace tessaly {

// What the windows built of card columns share: places given in twips, the viewport that
// scrolls the columns sideways, and the numbered heading cells.

// A place given in twips, in pixels.
QRect TwipsRect(int left, int top, int width, int height);

// The windows are laid out for a small dialog font.
void UseDialogFont(QWidget* window);

// A viewport that scrolls a grid of columns sideways, one column a step and three a page.
QScrollArea* MakeColumnViewport(QWidget* parent, const char* name, const QString& accessibleName,
                                QWidget* grid, int columnTwips);

// Fills the window's inner width but for a margin on the right, and is taller by a scroll
// bar when the grid is wider than it.
void FitColumnViewport(QScrollArea* viewport, int innerWidth, int rightMarginTwips, int heightTwips,
                       int scrollingHeightTwips);

// The cards from first to last whose columns meet a dirty rectangle.
struct ColumnRange {
    std::int32_t first = 1;
    std::int32_t last = 0;
};
ColumnRange ColumnsIn(const QRect& dirty, int columnPixels, std::int32_t cardCount);

// A grey label cell (a card's number, its threading letter) with its text in bold, made
// smaller when the text is wider than the cell.
void PaintLabelCell(QPainter& painter, const QRect& cell, const QString& text);

}  // namespace tessaly
