#include "LoomCardStrip.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "NetTwistModel.h"
#include "engine/LoomPosition.h"
#include "render/RasterCanvas.h"
#include "widgets/CardDiagram.h"

namespace tessaly {

namespace {

constexpr int kNumberRow = 0;

CardDiagram DiagramOf(const LoomCardStrip::Column& card) {
    std::vector<std::int32_t> places(card.places.begin(), card.places.begin() + card.holes);
    CardDiagram diagram(std::move(places), CardDiagram::UpperLeftDegrees(card.holes));
    diagram.SetRinged(kTopFront);
    return diagram;
}

}  // namespace

LoomCardStrip::LoomCardStrip(QWidget* parent)
    : CardColumnGrid("picLoomCards", tr("Cards before the pick"), parent) {}

void LoomCardStrip::SetCards(std::vector<Column> cards, std::int32_t twistLimit) {
    cards_ = std::move(cards);
    twistLimit_ = twistLimit;
    // another number of cards, or of holes, takes another size
    if (sizeHint() != size())
        Rebuild();
    else
        update();
}

void LoomCardStrip::SetScale(double scale) {
    scale_ = scale;
    Rebuild();
}

int LoomCardStrip::Unit() const { return static_cast<int>(std::lround(12 * scale_)); }
int LoomCardStrip::ColumnWidth() const { return DiagramSide() + 6; }

int LoomCardStrip::MostHoles() const {
    int most = kHoles;
    for (const Column& card : cards_) most = std::max(most, card.holes);
    return most;
}

int LoomCardStrip::DiagramSide() const { return (MostHoles() > kHoles ? 3 : 2) * Unit(); }

QRect LoomCardStrip::DiagramRect(int column) const {
    return {column * ColumnWidth() + 3, fontMetrics().height() + 7, DiagramSide(), DiagramSide()};
}

QSize LoomCardStrip::sizeHint() const {
    return {std::max(1, GridColumns()) * ColumnWidth(), GridCellRect(TwistRow(), 0).bottom() + 2};
}

bool LoomCardStrip::OverLimit(const Column& card) const {
    return std::abs(card.twist) > twistLimit_;
}

QString LoomCardStrip::GridRowName(int row) const {
    switch (row) {
        case kNumberRow:
            return tr("Card");
        case 1:
            return tr("Top front");
        default:
            break;
    }
    if (row == TwistRow()) return tr("Net twist");
    if (MostHoles() != kHoles) return tr("Hole place %1").arg(row);
    const QString corners[kHoles - 1] = {tr("Top back"), tr("Bottom back"), tr("Bottom front")};
    return corners[row - 2];
}

QString LoomCardStrip::GridCellText(int row, int column) const {
    if (column < 0 || column >= GridColumns()) return {};
    const Column& card = cards_[static_cast<std::size_t>(column)];
    if (row == kNumberRow) return QString::number(card.number);
    if (row == TwistRow())
        return NetTwistModel::TwistText(card.twist) +
               (OverLimit(card) ? tr(", over the limit") : QString());
    if (row > card.holes) return {};
    const std::int32_t color = card.places[static_cast<std::size_t>(row - 1)];
    return color == Card::kNoThread ? tr("empty") : RasterCanvas::ToQColor(color).name();
}

QRect LoomCardStrip::GridCellRect(int row, int column) const {
    const int left = column * ColumnWidth();
    const int label = fontMetrics().height() + 4;
    if (row == kNumberRow) return {left, 0, ColumnWidth() - 1, label};
    const QRect diagram = DiagramRect(column);
    if (row == TwistRow()) return {left, diagram.bottom() + 4, ColumnWidth() - 1, label};
    const Column& card = cards_[static_cast<std::size_t>(column)];
    if (row > card.holes) return {};
    return DiagramOf(card).PlaceCell(diagram, row - 1).toAlignedRect();
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
        // on the white card, the thread that shows stands out with a thick black ring
        DiagramOf(card).Paint(painter, DiagramRect(column));
        painter.setPen(OverLimit(card) ? QColor(Qt::red) : palette().windowText().color());
        painter.drawText(GridCellRect(TwistRow(), column), Qt::AlignCenter,
                         NetTwistModel::TwistText(card.twist));
    }
}

}  // namespace tessaly
