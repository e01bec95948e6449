#include "RulerStrip.h"

#include <QPainter>
#include <QScrollBar>

namespace tessaly {

RulerStrip::RulerStrip(Edge edge, std::function<RulerScale()> scale, const QScrollBar& bar,
                       QWidget* parent)
    : QWidget(parent), edge_(edge), scale_(std::move(scale)), bar_(bar) {
    setObjectName(edge == Edge::Cards ? "rulCards" : "rulPicks");
    setAccessibleName(edge == Edge::Cards ? tr("Card numbers") : tr("Pick numbers"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

void RulerStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (edge_ == Edge::Cards)
        PaintCardRuler(painter, scale_(), rect(), bar_.value());
    else
        PaintPickRuler(painter, scale_(), rect(), bar_.value());
}

}  // namespace tessaly
