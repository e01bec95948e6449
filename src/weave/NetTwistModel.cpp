#include "NetTwistModel.h"

#include <QColor>
#include <QFont>
#include <cstdlib>

#include "document/BandPresentation.h"

namespace tessaly {

NetTwistModel::NetTwistModel(const BandPresentation& views, QObject* parent)
    : QAbstractTableModel(parent), presentation_(views) {
    Reload();
    connect(&views, &BandPresentation::twistChanged, this, &NetTwistModel::Reload);
}

void NetTwistModel::SetFont(const QFont& font) {
    font_ = font;
    if (columns_ > 0) emit dataChanged(index(0, 0), index(0, columns_ - 1));
}

QString NetTwistModel::TwistText(std::int32_t twist) {
    return twist > 0 ? QStringLiteral("+%1").arg(twist) : QString::number(twist);
}

std::int32_t NetTwistModel::Largest(const std::vector<std::int32_t>& twist) {
    std::int32_t largest = 0;
    bool alike = true;
    for (const std::int32_t value : twist) {
        alike = alike && std::abs(value) == std::abs(twist.front());
        largest = std::max(largest, std::abs(value));
    }
    // where every card has twisted as much as the others, none stands out
    return alike ? 0 : largest;
}

void NetTwistModel::Reload() {
    twist_ = presentation_.ShownNetTwist();
    const auto& twist = twist_;
    const int columns = static_cast<int>(twist.size());
    largest_ = Largest(twist);
    if (columns != columns_) {
        beginResetModel();
        columns_ = columns;
        endResetModel();
    } else if (columns > 0) {
        emit dataChanged(index(0, 0), index(0, columns - 1));
    }
}

int NetTwistModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

int NetTwistModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant NetTwistModel::data(const QModelIndex& index, int role) const {
    const auto& twist = twist_;
    if (!index.isValid() || index.column() >= static_cast<int>(twist.size())) return {};
    const std::int32_t value = twist[static_cast<std::size_t>(index.column())];
    const bool largest = largest_ != 0 && std::abs(value) == largest_;
    switch (role) {
        case Qt::DisplayRole:
            return TwistText(value);
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::ForegroundRole:
            return largest ? QVariant(QColor(Qt::red)) : QVariant();
        case Qt::FontRole: {
            // bold for the largest; the view's own face otherwise
            if (!largest) return {};
            QFont bold = font_;
            bold.setBold(true);
            return bold;
        }
        case Qt::ToolTipRole:
            return tr("Card %1: net twist %2").arg(index.column() + 1).arg(TwistText(value));
        default:
            return {};
    }
}

QVariant NetTwistModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return tr("Net twist");
    return section + 1;
}

}  // namespace tessaly
