#include "InstructionTableModel.h"

#include <QColor>
#include <QFont>

#include "engine/InstructionGrid.h"
#include "render/RasterCanvas.h"

namespace tessaly {

InstructionTableModel::InstructionTableModel(const InstructionGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      rows_(std::max(grid.Rows() - 1, 0)),
      cols_(std::max(grid.Cols() - 1, 0)) {}

int InstructionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int InstructionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant InstructionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    if (row >= grid_.Rows() || col >= grid_.Cols()) return {};  // not yet told of the change
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(grid_.TextAt(row, col));
        case Qt::BackgroundRole:
            return RasterCanvas::ToQColor(grid_.BackColorAt(row, col));
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        case Qt::FontRole: {
            if (!grid_.BoldAt(row, col)) return {};
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
    }
}

QVariant InstructionTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        if (grid_.Rows() == 0 || section + 1 >= grid_.Cols()) return {};
        return QString::fromStdString(grid_.TextAt(0, section + 1));
    }
    if (section + 1 >= grid_.Rows() || grid_.Cols() == 0) return {};
    return QString::fromStdString(grid_.TextAt(section + 1, 0));
}

QString InstructionTableModel::CornerText() const {
    if (grid_.Rows() == 0 || grid_.Cols() == 0) return {};
    return QString::fromStdString(grid_.TextAt(0, 0));
}

void InstructionTableModel::Reload(int firstChangedRow) {
    const int rows = std::max(grid_.Rows() - 1, 0);
    const int cols = std::max(grid_.Cols() - 1, 0);
    if (firstChangedRow <= 1 || cols != cols_) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
        return;
    }
    const int kept = std::min(rows, rows_);
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    // grid row r is table row r - 1
    if (firstChangedRow - 1 < kept && cols > 0)
        emit dataChanged(index(firstChangedRow - 1, 0), index(kept - 1, cols - 1));
}

}  // namespace tessaly
