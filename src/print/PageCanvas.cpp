#include "PageCanvas.h"

#include <QPolygon>

#include "PageComposer.h"
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
    painter.setPen(outline_);
    painter.setBrush(RasterCanvas::ToQColor(brushColor_));
    painter.drawPolygon(polygon);
    page_.RecordPolygon(polygon.boundingRect());
}

}  // namespace tessaly
