#include "PressableView.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "render/BandMarks.h"

namespace tessaly {

namespace {

constexpr int kLineWidth = 3;

}  // namespace

void PressableView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    event->accept();
    // a fine-grained wheel or a touchpad turns in small steps: they add up to notches
    constexpr int kNotch = 120;
    wheelTurned_ += event->angleDelta().y();
    const int steps = wheelTurned_ / kNotch;
    wheelTurned_ -= steps * kNotch;
    if (steps != 0) emit wheelZoomed(steps, event->position().toPoint());
}

void PressableView::SetFell(std::optional<int> y) {
    if (fell_ == y) return;
    // what changes lies between the old fell and the new, and above the top one when a mark
    // comes or goes
    const int top = !fell_ || !y ? 0 : std::min(*fell_, *y) - kLineWidth;
    const int bottom = std::max(fell_.value_or(0), y.value_or(0)) + kLineWidth;
    fell_ = y;
    update(QRect(0, top, width(), bottom - top + 1));
}

void PressableView::SetFellLine(std::optional<int> y) {
    if (fellLine_ == y) return;
    for (const std::optional<int>& line : {fellLine_, y})
        if (line) update(QRect(0, *line - kLineWidth, width(), 2 * kLineWidth + 1));
    fellLine_ = y;
}

void PressableView::PaintFell(QPainter& painter, const QRect& dirty) const {
    if (!fell_) {
        if (fellLine_ && dirty.top() <= *fellLine_ + 1 && dirty.bottom() >= *fellLine_ - 1)
            PaintFellLine(painter, width(), *fellLine_);
        return;
    }
    const QRect veiled = dirty.intersected(QRect(0, 0, width(), *fell_));
    if (!veiled.isEmpty()) painter.fillRect(veiled, QColor(255, 255, 255, 150));
    painter.fillRect(QRect(0, *fell_ - kLineWidth / 2, width(), kLineWidth), QColor(0xd0, 0, 0));
}

}  // namespace tessaly
