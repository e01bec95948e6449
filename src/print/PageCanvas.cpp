#include "PageCanvas.h"

#include <QPolygon>

#include "PageComposer.h"
#include "model/Card.h"
#include "render/RasterCanvas.h"

namespace tessaly {

PageCanvas::PageCanvas(PageComposer& page)
    : page_(page), outline_(RasterCanvas::ToQColor(kOutlineColor), 1) {}

double PageCanvas::ScaleHeight() const { return page_.PageHeightTwips() / page_.TwipsPerPixelY(); }

void PageCanvas::Polygon(const Outline& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    QPainter& painter = page_.Painter();
    // an empty hole shows the weft, or the paper standing for it, with no edges
    const bool empty = brushColor_ == Card::kNoThread;
    painter.setPen(empty ? QPen(Qt::NoPen) : outline_);
    const std::int32_t fill = empty ? weft_ : brushColor_;
    painter.setBrush(fill == Card::kNoThread ? QColor(Qt::white) : RasterCanvas::ToQColor(fill));
    painter.drawPolygon(polygon);
    page_.RecordPolygon(polygon.boundingRect());
}

}  // namespace tessaly
