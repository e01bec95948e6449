#include "InstructionTableModel.h"

#include <QColor>
#include <QFont>
#include <utility>

#include "document/BandPresentation.h"
#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

constexpr std::int32_t kBackwardColor = 0xC0C0C0;  // backward steps stand out in grey
// the pick the weaver is at, in yellow: light for forward and idle, darker for backward
const QColor kMarkedColor(0xFF, 0xE8, 0x70);
const QColor kMarkedBackwardColor(0xD8, 0xB8, 0x30);

}  // namespace

InstructionTableModel::InstructionTableModel(const BandPresentation& views, QObject* parent)
    : QAbstractTableModel(parent),
      presentation_(views),
      rows_(views.Instructions().Picks()),
      cols_(views.Instructions().Cards()) {}

int InstructionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int InstructionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant InstructionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    // a pick the views were not yet told of has no step here
    const std::optional<CardStep> step =
        presentation_.Instructions().At(index.row() + 1, index.column() + 1);
    if (!step) return {};
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(InstructionText(*step));
        case Qt::BackgroundRole:
            if (marked_ == index.row() + 1)
                return step->turn == Backward ? kMarkedBackwardColor : kMarkedColor;
            return step->turn == Backward ? RasterCanvas::ToQColor(kBackwardColor)
                                          : QColor(Qt::white);
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        case Qt::FontRole: {
            if (!step->flip) return {};
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
    if (orientation == Qt::Vertical && marked_ == section + 1) {
        // the weaver's pick in bold, and said to a screen reader
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::AccessibleDescriptionRole) return tr("at the loom");
    }
    if (role != Qt::DisplayRole || section < 0) return {};
    const TurningInstructions instructions = presentation_.Instructions();
    if (orientation == Qt::Horizontal) {
        if (section >= instructions.Cards()) return {};
        return QString::number(instructions.CardNumber(section + 1));
    }
    if (section >= instructions.Picks()) return {};
    return QString::number(section + 1);
}

QString InstructionTableModel::CornerText() const {
    return presentation_.Instructions().Cards() == 0 ? QString() : QStringLiteral("0");
}

void InstructionTableModel::SetMarkedPick(std::optional<int> pick) {
    if (marked_ == pick) return;
    const std::optional<int> before = std::exchange(marked_, pick);
    for (const std::optional<int> changed : {before, pick}) {
        if (!changed || *changed < 1 || *changed > rows_) continue;
        emit headerDataChanged(Qt::Vertical, *changed - 1, *changed - 1);
        if (cols_ > 0) emit dataChanged(index(*changed - 1, 0), index(*changed - 1, cols_ - 1));
    }
}

void InstructionTableModel::Reload(int firstChangedPick) {
    const TurningInstructions instructions = presentation_.Instructions();
    const int rows = instructions.Picks();
    const int cols = instructions.Cards();
    if (firstChangedPick <= 1 || cols != cols_) {
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
    // pick p is table row p - 1
    if (firstChangedPick - 1 < kept && cols > 0)
        emit dataChanged(index(firstChangedPick - 1, 0), index(kept - 1, cols - 1));
}

}  // namespace tessaly
