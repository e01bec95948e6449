#pragma once

#include <QAbstractTableModel>

namespace tessaly {

class InstructionGrid;

// The instruction grid as a table: grid row 0 is the header line (card numbers), grid
// column 0 the pick numbers; every other cell is one card's instruction for one pick.
class InstructionTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit InstructionTableModel(const InstructionGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid cell (0, 0), above the pick numbers and left of the card numbers.
    QString CornerText() const;

    // The grid was rewritten from this grid row on: rows added or taken off are inserted or
    // removed, rewritten rows said to have changed, so a view repaints what changed.
    void Reload(int firstChangedRow = 1);

  private:
    const InstructionGrid& grid_;
    // what the views were last told: a model answers with these until it says otherwise
    int rows_ = 0;
    int cols_ = 0;
};

}  // namespace tessaly
