#include "CardPositionView.h"

#include <QPainter>

#include "widgets/CardDiagram.h"

namespace tessaly {

CardPositionView::CardPositionView(QWidget* parent) : QWidget(parent) {
    setObjectName("picCardPosition");
    setAccessibleName(tr("Position of A"));
}

double CardPositionView::FirstPlaceDegrees(int holes) {
    // place 1 shows on the face; on a card of two holes it is the upper hole
    return holes == 2 ? 180.0 : CardDiagram::UpperLeftDegrees(holes);
}

void CardPositionView::SetCard(std::vector<std::int32_t> colors, std::int32_t holeOrder) {
    colors_ = std::move(colors);
    holeOrder_ = holeOrder;
    const auto holes = static_cast<std::int32_t>(colors_.size());
    if (holes == 2)
        setAccessibleDescription(holeOrder == 1 ? tr("A at the top") : tr("A at the bottom"));
    else
        setAccessibleDescription(
            tr("A at place %1 of %2, clockwise from the upper left").arg(holeOrder + 1).arg(holes));
    update();
}

void CardPositionView::paintEvent(QPaintEvent*) {
    const auto holes = static_cast<std::int32_t>(colors_.size());
    if (holes == 0 || holeOrder_ < 0 || holeOrder_ >= holes) return;
    // hole A stands at the place of the hole order, the holes after it on round clockwise
    std::vector<std::int32_t> places(colors_.size());
    for (std::int32_t place = 0; place < holes; ++place)
        places[static_cast<std::size_t>(place)] =
            colors_[static_cast<std::size_t>(((place - holeOrder_) % holes + holes) % holes)];
    CardDiagram diagram(std::move(places), FirstPlaceDegrees(holes));
    diagram.SetRinged(holeOrder_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height()) - 2;
    QRectF square(QPointF(), QSizeF(side, side));
    square.moveCenter(QRectF(rect()).center());
    diagram.Paint(painter, square);
}

}  // namespace tessaly
