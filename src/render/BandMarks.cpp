#include "BandMarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace tessaly {

namespace {

// The first of these steps whose marks stand far enough apart for their text.
std::int32_t StepFor(double pixelsPerUnit, int room, std::initializer_list<std::int32_t> steps) {
    for (const std::int32_t step : steps)
        if (pixelsPerUnit * step >= room) return step;
    return *(steps.end() - 1);
}

QFont RulerFont(const QPainter& painter) {
    QFont font = painter.font();
    font.setPixelSize(10);
    return font;
}

}  // namespace

std::optional<int> FellLineY(int pictureHeight, std::int32_t blockSize, std::int64_t wovenRows) {
    const std::int64_t y = pictureHeight - 2 * std::int64_t{blockSize} * wovenRows;
    if (y < 0 || y > pictureHeight) return std::nullopt;
    return static_cast<int>(y);
}

void PaintFellLine(QPainter& painter, int width, int y) {
    // dark dashes with light gaps: seen on a dark band and on a light one
    painter.fillRect(QRect(0, y - 1, width, 2), QColor(255, 255, 255));
    QPen dashes(QColor(0, 0, 0), 2, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({3, 2});
    painter.setPen(dashes);
    painter.drawLine(QPointF(0, y), QPointF(width, y));
}

std::vector<RulerMark> CardMarks(const RulerScale& scale) {
    std::vector<RulerMark> marks;
    const std::int32_t s = std::max(scale.blockSize, 1);
    // numbers of up to three digits want about 18 pixels
    const std::int32_t step = StepFor(s, 18, {1, 5, 10, 25, 50, 100, 250});
    for (std::int32_t place = 1; place <= scale.cards; ++place) {
        const std::int32_t card = scale.reversed ? scale.cards + 1 - place : place;
        if (card % step != 0 && card != 1) continue;
        // the margin is a block wide and the first card's column begins a block after it
        marks.push_back({card, s * (place + 1) + s / 2, false});
    }
    return marks;
}

std::vector<RulerMark> PickMarks(const RulerScale& scale) {
    std::vector<RulerMark> marks;
    const std::int32_t s = std::max(scale.blockSize, 1);
    // a row is two blocks high; the numbers are about 12 pixels high
    const std::int32_t step = StepFor(2.0 * s, 12, {5, 10, 25, 50, 100, 250, 500, 1000});
    const auto middleOf = [&](std::int32_t pick) {
        // pick k is row k + 1, whose bottom edge lies 2 s (k + 1) above the picture's foot
        return static_cast<int>(scale.pictureHeight - 2 * std::int64_t{s} * (pick + 1) - s);
    };
    for (std::int32_t pick = step; pick <= scale.picks; pick += step)
        if (pick != scale.currentPick) marks.push_back({pick, middleOf(pick), false});
    if (scale.currentPick > 0 && scale.currentPick <= scale.picks)
        marks.push_back({scale.currentPick, middleOf(scale.currentPick), true});
    return marks;
}

void PaintCardRuler(QPainter& painter, const RulerScale& scale, const QRect& area, int offset) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(0xF0, 0xF0, 0xF0));
    painter.setFont(RulerFont(painter));
    painter.setPen(QColor(0x30, 0x30, 0x30));
    for (const RulerMark& mark : CardMarks(scale)) {
        const int x = area.left() + mark.at - offset;
        if (x < area.left() - 20 || x > area.right() + 20) continue;
        painter.drawText(QRect(x - 15, area.top(), 30, area.height() - 3), Qt::AlignCenter,
                         QString::number(mark.number));
        painter.drawLine(x, area.bottom() - 2, x, area.bottom());
    }
    painter.restore();
}

void PaintPickRuler(QPainter& painter, const RulerScale& scale, const QRect& area, int offset) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(0xF0, 0xF0, 0xF0));
    QFont font = RulerFont(painter);
    for (const RulerMark& mark : PickMarks(scale)) {
        const int y = area.top() + mark.at - offset;
        if (y < area.top() - 10 || y > area.bottom() + 10) continue;
        font.setBold(mark.current);
        painter.setFont(font);
        painter.setPen(mark.current ? QColor(0xC0, 0, 0) : QColor(0x30, 0x30, 0x30));
        painter.drawText(QRect(area.left(), y - 7, area.width() - 6, 14),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(mark.number));
        // the current pick points at its row
        if (mark.current) {
            const QPoint tip(area.right(), y);
            const QPoint points[3] = {tip, tip + QPoint(-4, -4), tip + QPoint(-4, 4)};
            painter.setBrush(QColor(0xC0, 0, 0));
            painter.drawPolygon(points, 3);
        } else {
            painter.drawLine(area.right() - 3, y, area.right(), y);
        }
    }
    painter.restore();
}

}  // namespace tessaly
