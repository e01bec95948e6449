#include "WholeBandView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "Zoom.h"
#include "document/BandPresentation.h"
#include "document/PatternDocument.h"
#include "engine/Threading.h"
#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

// A window onto a taller canvas: the engine measures rows from the whole canvas's bottom and
// draws in its coordinates; what it draws lands on a picture of the window's size.
class WindowCanvas : public Canvas {
  public:
    WindowCanvas(RasterCanvas& picture, QPoint origin, std::int32_t wholeHeight)
        : picture_(picture), origin_(origin), wholeHeight_(wholeHeight) {}
    double ScaleHeight() const override { return wholeHeight_; }
    void SetFillColor(std::int32_t color) override { picture_.SetFillColor(color); }
    void SetWeft(std::int32_t color) override { picture_.SetWeft(color); }
    bool ShowsWeft() const override { return picture_.ShowsWeft(); }
    void Polygon(const Outline& points) override {
        Outline moved = points;
        for (CanvasPoint& point : moved) {
            point.x -= origin_.x();
            point.y -= origin_.y();
        }
        picture_.Polygon(moved);
    }
    void Clear() override { picture_.Clear(); }

  private:
    RasterCanvas& picture_;
    QPoint origin_;
    std::int32_t wholeHeight_;
};

}  // namespace

WholeBandView::WholeBandView(const PatternDocument& document, const BandPresentation& views,
                             QWidget* parent)
    : PressableView(parent), document_(document), presentation_(views) {
    setObjectName("picWholeBand");
    setAccessibleName(tr("Whole band"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitToBand();
}

void WholeBandView::FitToBand() {
    const DrawingGeometry geometry = presentation_.Geometry();
    setFixedSize(Zoom::CanvasWidth(document_.CardCount(), geometry),
                 WholeBandHeight(document_.CurrentBand().Count(), geometry));
    update();
}

QRect WholeBandView::NewestPickRect() const {
    const std::int32_t row = document_.CurrentBand().Count();
    const std::int32_t size = presentation_.Geometry().BlockSize;
    // the top row's strip and the room above it
    const int bottom = height() - 2 * size * (row - 1);
    return {0, std::max(0, bottom - 6 * size), width(), 6 * size};
}

void WholeBandView::paintEvent(QPaintEvent* event) {
    const QRect dirty = event->rect();
    RasterCanvas picture(dirty.width(), dirty.height());
    picture.SetWeft(document_.Extras().weft.value_or(Card::kNoThread));
    WindowCanvas window(picture, dirty.topLeft(), height());
    presentation_.PaintBandBetween(window, dirty.top(), dirty.bottom());
    QPainter painter(this);
    painter.drawImage(dirty.topLeft(), picture.Image());
    PaintFell(painter, dirty);
}

}  // namespace tessaly
