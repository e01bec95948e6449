#include "LoomCardStrip.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "NetTwistModel.h"
#include "engine/LoomPosition.h"
#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

constexpr int kNumberRow = 0;
constexpr int kTwistRow = 5;
// the corners' cells in the diagram, in the order of the corners: a card seen from its side,
// the weaver to the left
constexpr QPoint kCornerCells[kHoles] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

LoomCardStrip::LoomCardStrip(QWidget* parent)
    : CardColumnGrid("picLoomCards", tr("Cards before the pick"), parent) {}

void LoomCardStrip::SetCards(std::vector<Column> cards, std::int32_t twistLimit) {
    const bool resized = cards.size() != cards_.size();
    cards_ = std::move(cards);
    twistLimit_ = twistLimit;
    if (resized)
        Rebuild();
    else
        update();
}

void LoomCardStrip::SetScale(double scale) {
    scale_ = scale;
    Rebuild();
}

int LoomCardStrip::Unit() const { return static_cast<int>(std::lround(12 * scale_)); }
int LoomCardStrip::ColumnWidth() const { return 2 * Unit() + 6; }

QSize LoomCardStrip::sizeHint() const {
    return {std::max(1, GridColumns()) * ColumnWidth(), GridCellRect(kTwistRow, 0).bottom() + 2};
}

bool LoomCardStrip::OverLimit(const Column& card) const {
    return std::abs(card.twist) > twistLimit_;
}

QString LoomCardStrip::GridRowName(int row) const {
    switch (row) {
        case kNumberRow:
            return tr("Card");
        case kTwistRow:
            return tr("Net twist");
        case 1:
            return tr("Top front");
        case 2:
            return tr("Top back");
        case 3:
            return tr("Bottom back");
        default:
            return tr("Bottom front");
    }
}

QString LoomCardStrip::GridCellText(int row, int column) const {
    if (column < 0 || column >= GridColumns()) return {};
    const Column& card = cards_[static_cast<std::size_t>(column)];
    if (row == kNumberRow) return QString::number(card.number);
    if (row == kTwistRow)
        return NetTwistModel::TwistText(card.twist) +
               (OverLimit(card) ? tr(", over the limit") : QString());
    const std::int32_t color = card.corners[static_cast<std::size_t>(row - 1)];
    return color == Card::kNoThread ? tr("empty") : RasterCanvas::ToQColor(color).name();
}

QRect LoomCardStrip::GridCellRect(int row, int column) const {
    const int left = column * ColumnWidth();
    const int label = fontMetrics().height() + 4;
    const int unit = Unit();
    if (row == kNumberRow) return {left, 0, ColumnWidth() - 1, label};
    const int diagramTop = label + 3;
    if (row == kTwistRow) return {left, diagramTop + 2 * unit + 3, ColumnWidth() - 1, label};
    const QPoint cell = kCornerCells[row - 1];
    return {left + 3 + cell.x() * unit, diagramTop + cell.y() * unit, unit, unit};
}

std::optional<std::pair<int, int>> LoomCardStrip::GridCellAt(QPoint point) const {
    const int column = point.x() / ColumnWidth();
    if (point.x() < 0 || column >= GridColumns()) return std::nullopt;
    for (int row = 0; row < GridRows(); ++row)
        if (GridCellRect(row, column).contains(point)) return std::pair{row, column};
    return std::nullopt;
}

void LoomCardStrip::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().window());
    const ColumnRange columns = ColumnsIn(dirty, ColumnWidth(), GridColumns());
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::int32_t number = columns.first; number <= columns.last; ++number) {
        const int column = number - 1;
        const Column& card = cards_[static_cast<std::size_t>(column)];
        painter.setBrush(Qt::NoBrush);
        PaintLabelCell(painter, GridCellRect(kNumberRow, column), QString::number(card.number));
        const QRect body = GridCellRect(1, column).united(GridCellRect(3, column));
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(body, 3, 3);
        for (int corner = 0; corner < kHoles; ++corner) {
            const QRect hole = GridCellRect(corner + 1, column).adjusted(2, 2, -2, -2);
            const std::int32_t color = card.corners[static_cast<std::size_t>(corner)];
            if (color == Card::kNoThread) {
                painter.setBrush(Qt::NoBrush);
            } else {
                painter.setBrush(RasterCanvas::ToQColor(color));
            }
            // on the white card, the thread that shows stands out with a thick black ring
            painter.setPen(QPen(Qt::black, corner == kTopFront ? 3 : 1));
            painter.drawEllipse(hole);
        }
        painter.setPen(OverLimit(card) ? QColor(Qt::red) : palette().windowText().color());
        painter.drawText(GridCellRect(kTwistRow, column), Qt::AlignCenter,
                         NetTwistModel::TwistText(card.twist));
    }
}

}  // namespace tessaly
