#include "BandView.h"

#include <QMouseEvent>
#include <QPainter>

#include "render/RasterCanvas.h"

namespace tessaly {

BandView::BandView(const RasterCanvas& canvas, QWidget* parent)
    : PressableView(parent), canvas_(canvas) {
    setObjectName("picBand");
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitToCanvas();
}

void BandView::FitToCanvas() { setFixedSize(canvas_.Image().size()); }

void BandView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, canvas_.Image(), dirty);
    PaintFell(painter, dirty);
}

}  // namespace tessaly
