#include "RasterCanvas.h"

#include <QPainter>
#include <QPoint>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "model/Card.h"

namespace tessaly {

namespace {

const QRgb kOutlineRgb = qRgb(80, 80, 80);

// Rows [from, to] of one column of the image, clipped to it.
void PaintColumn(QImage& image, int x, int from, int to, QRgb color) {
    from = std::max(from, 0);
    to = std::min(to, image.height() - 1);
    if (from > to) return;
    auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(from)) + x;
    const auto stride = image.bytesPerLine() / static_cast<int>(sizeof(QRgb));
    for (int y = from; y <= to; ++y, pixel += stride) *pixel = color;
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
    image_.fill(kBackground);
}

QColor RasterCanvas::ToQColor(std::int32_t color) {
    const auto value = static_cast<std::uint32_t>(color);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

void RasterCanvas::Polygon(const Outline& p) {
    // what a view of the picture has to paint again: the polygon's bounds and its outline
    int left = p[0].x, right = p[0].x, top = p[0].y, bottom = p[0].y;
    for (const CanvasPoint& point : p) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    changed_ |=
        QRect(QPoint(std::max(left, clipLeft_), top), QPoint(std::min(right, clipRight_), bottom))
            .adjusted(-1, -1, 1, 1);
    const bool blockShaped =
        p[0].x == p[3].x && p[1].x == p[2].x && p[2].y == p[3].y && p[0].x < p[1].x;
    if (!blockShaped || (!queued_.empty() && queued_.front().top != p[2].y)) {
        Flush();
        if (!blockShaped) {
            PaintPolygon(p);
            return;
        }
    }
    const bool empty = fillColor_ == Card::kNoThread;
    queued_.push_back({p[0].x, p[1].x, p[2].y, p[0].y, p[1].y,
                       empty ? emptyFill_ : ToQColor(fillColor_).rgb(), !empty});
    // a picture nobody looks at (the display while the whole band shows) must not queue
    // blocks without end
    if (!deferred_ || queued_.size() >= kMaxQueued) Flush();
}

void RasterCanvas::PaintPolygon(const Outline& points) {
    if (image_.isNull()) return;
    QPainter painter(&image_);
    if (clipLeft_ > 0 || clipRight_ < INT_MAX)
        painter.setClipRect(QRect(QPoint(clipLeft_, 0),
                                  QPoint(std::min(clipRight_, image_.width()), image_.height())));
    if (fillColor_ == Card::kNoThread) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(emptyFill_));
    } else {
        painter.setPen(QColor(kOutlineRgb));
        painter.setBrush(ToQColor(fillColor_));
    }
    const QPoint corners[4] = {{points[0].x, points[0].y},
                               {points[1].x, points[1].y},
                               {points[2].x, points[2].y},
                               {points[3].x, points[3].y}};
    painter.drawPolygon(corners, 4);
}

void RasterCanvas::Flush() const {
    if (queued_.empty()) return;
    const int width = image_.width();
    // per column, the rows already covered by blocks drawn later: [coveredTop, coveredBottom]
    std::vector<int> coveredTop(static_cast<std::size_t>(width), INT_MAX);
    std::vector<int> coveredBottom(static_cast<std::size_t>(width), INT_MIN);
    for (auto block = queued_.rbegin(); block != queued_.rend(); ++block) {
        const double slope = static_cast<double>(block->rightY - block->leftY) /
                             static_cast<double>(block->right - block->left);
        // an empty hole's block leaves its edge columns to the blocks beside and below it
        const int inset = block->outlined ? 0 : 1;
        const int first = std::max({block->left + inset, 0, clipLeft_});
        const int last = std::min({block->right - inset, width - 1, clipRight_});
        for (int x = first; x <= last; ++x) {
            // the rows the bottom edge's one-pixel line takes in this column
            const int y0 = static_cast<int>(std::lround(block->leftY + slope * (x - block->left)));
            int y1 =
                x < block->right
                    ? static_cast<int>(std::lround(block->leftY + slope * (x + 1 - block->left)))
                    : y0;
            if (y1 != y0) y1 -= y1 > y0 ? 1 : -1;
            const int edgeTop = std::min(y0, y1);
            const int edgeBottom = std::max(y0, y1);
            const int spanTop = std::min(block->top, edgeTop);
            const int spanBottom = std::max(block->top, edgeBottom);

            auto paint = [&](int from, int to) {
                if (from > to) return;
                if (!block->outlined) {
                    PaintColumn(image_, x, from, to, block->fill);
                    return;
                }
                if (x == block->left || x == block->right) {
                    PaintColumn(image_, x, from, to, kOutlineRgb);
                    return;
                }
                PaintColumn(image_, x, from, to, block->fill);
                PaintColumn(image_, x, std::max(from, edgeTop), std::min(to, edgeBottom),
                            kOutlineRgb);
                if (block->top >= from && block->top <= to)
                    PaintColumn(image_, x, block->top, block->top, kOutlineRgb);
            };
            int& top = coveredTop[static_cast<std::size_t>(x)];
            int& bottom = coveredBottom[static_cast<std::size_t>(x)];
            if (top > bottom) {
                paint(spanTop, spanBottom);
            } else {
                paint(spanTop, std::min(spanBottom, top - 1));
                paint(std::max(spanTop, bottom + 1), spanBottom);
            }
            top = std::min(top, spanTop);
            bottom = std::max(bottom, spanBottom);
        }
    }
    queued_.clear();
}

const QImage& RasterCanvas::Image() const {
    Flush();
    return image_;
}

void RasterCanvas::SetWeft(std::int32_t color) {
    showsWeft_ = color != Card::kNoThread;
    emptyFill_ = showsWeft_ ? ToQColor(color).rgb() : kBackground;
}

void RasterCanvas::Clear() {
    queued_.clear();
    image_.fill(kBackground);
    changed_ = image_.rect();
    clipLeft_ = 0;
    clipRight_ = INT_MAX;
}

void RasterCanvas::RestrictColumns(int left, int right) {
    Flush();  // what was queued before is painted unrestricted
    clipLeft_ = std::max(left, 0);
    clipRight_ = std::max(right, clipLeft_);
    const QRect strip =
        QRect(QPoint(clipLeft_, 0), QPoint(clipRight_, image_.height() - 1)) & image_.rect();
    if (strip.isEmpty()) return;
    QPainter painter(&image_);
    painter.fillRect(strip, QColor::fromRgb(kBackground));
    changed_ |= strip;
}

void RasterCanvas::Unrestrict() {
    Flush();  // the queued blocks are painted within the columns they were drawn for
    clipLeft_ = 0;
    clipRight_ = INT_MAX;
}

QRect RasterCanvas::TakeChanged() { return std::exchange(changed_, QRect()) & image_.rect(); }

void RasterCanvas::Resize(int width, int height) {
    if (width == image_.width() && height == image_.height()) return;
    Flush();
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(kBackground);
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(resized);
    changed_ = image_.rect();
}

}  // namespace tessaly
