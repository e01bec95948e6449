#include "PressableView.h"

#include <QPainter>
#include <algorithm>

namespace tessaly {

namespace {

constexpr int kLineWidth = 3;

}  // namespace

void PressableView::SetFell(std::optional<int> y) {
    if (fell_ == y) return;
    // what changes lies between the old fell and the new, and above the top one when a mark
    // comes or goes
    const int top = !fell_ || !y ? 0 : std::min(*fell_, *y) - kLineWidth;
    const int bottom = std::max(fell_.value_or(0), y.value_or(0)) + kLineWidth;
    fell_ = y;
    update(QRect(0, top, width(), bottom - top + 1));
}

void PressableView::PaintFell(QPainter& painter, const QRect& dirty) const {
    if (!fell_) return;
    const QRect veiled = dirty.intersected(QRect(0, 0, width(), *fell_));
    if (!veiled.isEmpty()) painter.fillRect(veiled, QColor(255, 255, 255, 150));
    painter.fillRect(QRect(0, *fell_ - kLineWidth / 2, width(), kLineWidth), QColor(0xd0, 0, 0));
}

}  // namespace tessaly
