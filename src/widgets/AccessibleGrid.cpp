// A drawn grid as a table a screen reader can walk cell by cell.
#include "AccessibleGrid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace tessaly {

namespace {

class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    GridCellAccessible(QWidget* widget, const AccessibleGridSource* grid, int row, int column)
        : widget_(widget), grid_(grid), row_(row), column_(column) {}

    bool isValid() const override {
        return widget_ != nullptr && column_ < grid_->GridColumns() && row_ < grid_->GridRows();
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(widget_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name && t != QAccessible::Value) return {};
        return grid_->GridCellText(row_, column_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect local = grid_->GridCellRect(row_, column_);
        return QRect(widget_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        const auto current = grid_->GridCurrentCell();
        if (!current) return state;
        state.focusable = true;
        state.focused = widget_->hasFocus() && *current == std::pair{row_, column_};
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    QPointer<QWidget> widget_;
    const AccessibleGridSource* grid_;
    int row_;
    int column_;
};

class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    GridTableAccessible(QWidget* widget, const AccessibleGridSource* grid)
        : QAccessibleWidget(widget, QAccessible::Table), grid_(grid) {}
    ~GridTableAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        return columns == 0 || index < 0 ? nullptr : cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell == nullptr ? -1 : cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto cell = grid_->GridCellAt(widget()->mapFromGlobal(QPoint(x, y)));
        return cell ? cellAt(cell->first, cell->second) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const auto current = grid_->GridCurrentCell();
        if (!current || !widget()->hasFocus()) return nullptr;
        return cellAt(current->first, current->second);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
        const int key = row * 0x10000 + column;
        const auto found = cells_.constFind(key);
        if (found != cells_.constEnd()) return QAccessible::accessibleInterface(*found);
        auto* cell = new GridCellAccessible(widget(), grid_, row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return grid_->GridColumnName(column); }
    QString rowDescription(int row) const override { return grid_->GridRowName(row); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return grid_->GridColumns(); }
    int rowCount() const override { return grid_->GridRows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    const AccessibleGridSource* grid_;
    mutable QHash<int, QAccessible::Id> cells_;
};

// Qt asks once per class of the widget's ancestry; the widget's own class answers.
QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (const auto* grid = dynamic_cast<const AccessibleGridSource*>(widget))
        return new GridTableAccessible(widget, grid);
    return nullptr;
}

}  // namespace

void AnnounceGridFocus(QWidget* grid, int row, int column) {
    if (!QAccessible::isActive() || !grid->hasFocus()) return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
    if (QAccessibleInterface* cell = cells ? cells->cellAt(row, column) : nullptr) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void InstallAccessibleGrids() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(GridFactory);
}

}  // namespace tessaly
