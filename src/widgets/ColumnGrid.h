#pragma once

#include <QRect>
#include <QScrollArea>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "AccessibleGrid.h"

class QKeyEvent;
class QPainter;

namespace tessaly {

// What the windows built of card columns share: the drawn grid, the viewport that scrolls it
// sideways, and the numbered heading cells.

// The windows are laid out for a small dialog font.
void UseDialogFont(QWidget* window);

// A drawn grid of card columns: read out as a table, painted whole by itself, exactly as
// large as its cards need.
class CardColumnGrid : public QWidget, public AccessibleGridSource {
    Q_OBJECT

  public:
    CardColumnGrid(const char* name, const QString& accessibleName, QWidget* parent = nullptr);
    // The cards changed: take their size and repaint.
    void Rebuild();

  protected:
    // The keys the grid takes while it has the focus (Alt and Meta never reach it): no menu
    // command's shortcut may have them then.
    virtual bool TakesKey(const QKeyEvent& /*key*/) const { return false; }
    bool event(QEvent* event) override;
};

// The viewport that scrolls a grid of card columns sideways, one column a step and three a
// page. It takes the width its window gives it and is always as tall as the grid, and taller
// by the scroll bar when the grid is wider than it.
class ColumnViewport : public QScrollArea {
    Q_OBJECT

  public:
    ColumnViewport(const char* name, const QString& accessibleName, QWidget* grid, int columnTwips,
                   QWidget* parent = nullptr);

    // Every card in view; at least a few columns wide.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The grid took a new size (another number of cards); called as the grid is resized.
    void FitGrid();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int column_;
    QSize fitted_;  // the grid's size the window was last laid out for
};

// The cards from first to last whose columns meet a dirty rectangle.
struct ColumnRange {
    std::int32_t first = 1;
    std::int32_t last = 0;
};
ColumnRange ColumnsIn(const QRect& dirty, int columnPixels, std::int32_t cardCount);

// Scrolls the viewport a drawn grid stands in (a QScrollArea) so the cell shows, with this much
// room beside it; a grid outside a viewport stays as it is.
void ShowInViewport(QWidget& grid, const QRect& cell, int xMargin, int yMargin);
// The keyboard's cursor: a frame in the highlight colour just inside the cell, so it shows on
// any colour.
void PaintCursorFrame(QPainter& painter, const QRect& cell, const QPalette& palette);

// A grey label cell (a card's number, its threading letter) with its text in bold, made
// smaller when the text is wider than the cell; highlighted, it shows a chosen card.
void PaintLabelCell(QPainter& painter, const QRect& cell, const QString& text,
                    bool highlighted = false);

}  // namespace tessaly
