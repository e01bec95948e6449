#include "ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ColumnGrid.h"
#include "model/Card.h"
#include "render/RasterCanvas.h"

namespace tessaly {

void PaintHole(QPainter& painter, const QRect& box, std::int32_t color) {
    const bool empty = color == Card::kNoThread;
    painter.fillRect(box, empty ? QColor(Qt::white) : RasterCanvas::ToQColor(color));
    if (empty) {
        painter.setPen(QPen(Qt::darkGray, 0));
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    }
    painter.setPen(Qt::black);
    painter.drawRect(box);
}

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::SetColor(std::int32_t color) {
    color_ = color;
    setToolTip(color == Card::kNoThread ? tr("No thread") : RasterCanvas::ToQColor(color).name());
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintHole(painter, rect().adjusted(0, 0, -1, -1), color_);
    if (hasFocus()) PaintCursorFrame(painter, rect(), palette());
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    if (event->button() == Qt::RightButton) emit rightClicked();
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier)
        emit rightClicked();
    else
        emit clicked();
}

}  // namespace tessaly
