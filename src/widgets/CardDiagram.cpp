#include "CardDiagram.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "model/Card.h"
#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

constexpr int kSquare = 4;

QPointF OnCircle(QPointF centre, double radius, double degreesFromTop) {
    const double radians = degreesFromTop * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}

}  // namespace

CardDiagram::CardDiagram(std::vector<std::int32_t> places, double firstPlaceDegrees)
    : places_(std::move(places)), firstPlaceDegrees_(firstPlaceDegrees) {}

double CardDiagram::UpperLeftDegrees(int holes) {
    // the top edge of the card lies between places 0 and 1
    return holes == 2 ? 0.0 : -180.0 / std::max(holes, 1);
}

double CardDiagram::HoleSize(const QRectF& bounds) const {
    const double side = std::min(bounds.width(), bounds.height());
    if (Holes() <= 2) return side / 2;
    // as large as neighbouring holes allow without touching, each inside the corner it sits in
    const double half = std::numbers::pi / Holes();
    return side * std::sin(half) / (1 + std::tan(half));
}

double CardDiagram::CornerRadius(const QRectF& bounds) const {
    return std::min(bounds.width(), bounds.height()) / 2;
}

QRectF CardDiagram::PlaceCell(const QRectF& bounds, int place) const {
    if (Holes() == kSquare) {
        // the corners' quarters of the card, clockwise from the corner place 0 stands in
        const int corner =
            (place + static_cast<int>(std::lround((firstPlaceDegrees_ + 45) / 90)) + kSquare) %
            kSquare;
        const QSizeF quarter = bounds.size() / 2;
        const QPointF offsets[kSquare] = {{0, 0},
                                          {quarter.width(), 0},
                                          {quarter.width(), quarter.height()},
                                          {0, quarter.height()}};
        return {bounds.topLeft() + offsets[corner], quarter};
    }
    const double size = HoleSize(bounds);
    // a hole's edge keeps within both sides of its corner
    const double inward = Holes() <= 2 ? size / 2 : size / 2 / std::cos(std::numbers::pi / Holes());
    const QPointF centre = OnCircle(bounds.center(), CornerRadius(bounds) - inward,
                                    firstPlaceDegrees_ + place * 360.0 / Holes());
    return {centre - QPointF(size / 2, size / 2), QSizeF(size, size)};
}

void CardDiagram::Paint(QPainter& painter, const QRectF& bounds) const {
    painter.save();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    if (Holes() == kSquare) {
        painter.drawRoundedRect(bounds, 3, 3);
    } else if (Holes() == 2) {
        // a slim card, its two holes one above the other
        const QRectF upper = PlaceCell(bounds, 0);
        const QRectF lower = PlaceCell(bounds, 1);
        const double round = upper.width() / 2;
        painter.drawRoundedRect(upper.united(lower).adjusted(-1, -1, 1, 1), round, round);
    } else {
        QPolygonF outline;
        for (int place = 0; place < Holes(); ++place)
            outline << OnCircle(bounds.center(), CornerRadius(bounds),
                                firstPlaceDegrees_ + place * 360.0 / Holes());
        painter.drawPolygon(outline);
    }
    for (int place = 0; place < Holes(); ++place) {
        const QRectF cell = PlaceCell(bounds, place);
        const double inset = std::min(2.0, cell.width() / 6);
        const std::int32_t color = places_[static_cast<std::size_t>(place)];
        painter.setBrush(color == Card::kNoThread ? QBrush(Qt::NoBrush)
                                                  : QBrush(RasterCanvas::ToQColor(color)));
        // on the white card, a ringed hole stands out with a thick black ring
        painter.setPen(QPen(Qt::black, place == ringed_ ? 3 : 1));
        painter.drawEllipse(cell.adjusted(inset, inset, -inset, -inset));
    }
    painter.restore();
}

}  // namespace tessaly
