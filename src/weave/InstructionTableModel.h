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

    // The grid was rewritten; views read it afresh.
    void Reload();

  private:
    const InstructionGrid& grid_;
};

}  // namespace tessaly
