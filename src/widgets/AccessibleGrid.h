#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <utility>

class QWidget;

namespace tessaly {

// What a drawn grid tells a screen reader: its rows and columns, their names, and each cell's
// text and place. A widget that is also an AccessibleGridSource is exposed as a table once
// InstallAccessibleGrids has run.
class AccessibleGridSource {
  public:
    virtual ~AccessibleGridSource() = default;
    virtual int GridRows() const = 0;
    virtual int GridColumns() const = 0;
    virtual QString GridRowName(int row) const = 0;
    virtual QString GridColumnName(int column) const { return QString::number(column + 1); }
    virtual QString GridCellText(int row, int column) const = 0;
    // In the widget's own coordinates.
    virtual QRect GridCellRect(int row, int column) const = 0;
    // The row and column under a point of the widget.
    virtual std::optional<std::pair<int, int>> GridCellAt(QPoint point) const = 0;
    // The cell the keyboard is on, which has the focus while the widget has it; none for a
    // grid without a keyboard cursor.
    virtual std::optional<std::pair<int, int>> GridCurrentCell() const { return std::nullopt; }
};

// Registers the table with Qt's accessibility, once.
void InstallAccessibleGrids();

// Tells a screen reader that the keyboard moved to another cell of the grid widget.
void AnnounceGridFocus(QWidget* grid, int row, int column);

}  // namespace tessaly
