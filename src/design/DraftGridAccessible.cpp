// The draft grid as a table a screen reader can walk: rows "#", "A" to "D" and "T", a column
// per card; a hole cell reads as its colour (#rrggbb), a threading cell as "S" or "Z".
#include <QAccessibleWidget>
#include <QHash>

#include "DraftGrid.h"

namespace tessaly {

namespace {

const char* const kRowNames[DraftGrid::kParts] = {"#", "A", "B", "C", "D", "T"};

class DraftTableAccessible;

class DraftCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    DraftCellAccessible(DraftGrid* grid, int row, int column)
        : grid_(grid), row_(row), column_(column) {}

    bool isValid() const override {
        return grid_ != nullptr && column_ < grid_->CardCount() && row_ < DraftGrid::kParts;
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name && t != QAccessible::Value) return {};
        return grid_->CellText(Cell());
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect local = grid_->CellRect(Cell());
        return QRect(grid_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override { return {}; }
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
    DraftGrid::Cell Cell() const { return {column_ + 1, static_cast<DraftGrid::Part>(row_)}; }

    DraftGrid* grid_;
    int row_;
    int column_;
};

class DraftTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit DraftTableAccessible(DraftGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~DraftTableAccessible() override {
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
        const auto cell = Grid()->CellAt(Grid()->mapFromGlobal(QPoint(x, y)));
        return cell ? cellAt(static_cast<int>(cell->part), cell->card - 1) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
        const int key = row * 0x10000 + column;
        const auto found = cells_.constFind(key);
        if (found != cells_.constEnd()) return QAccessible::accessibleInterface(*found);
        auto* cell = new DraftCellAccessible(Grid(), row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return QString::number(column + 1); }
    QString rowDescription(int row) const override {
        return row >= 0 && row < DraftGrid::kParts ? QString::fromLatin1(kRowNames[row])
                                                   : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Grid()->CardCount(); }
    int rowCount() const override { return DraftGrid::kParts; }
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
    DraftGrid* Grid() const { return static_cast<DraftGrid*>(widget()); }

    mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* DraftGridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("tessaly::DraftGrid") && object->isWidgetType())
        return new DraftTableAccessible(static_cast<DraftGrid*>(object));
    return nullptr;
}

}  // namespace

void InstallDraftGridAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(DraftGridFactory);
}

}  // namespace tessaly
