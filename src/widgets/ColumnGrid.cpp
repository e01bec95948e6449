#include "ColumnGrid.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "model/Twips.h"

namespace tessaly {

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

void UseDialogFont(QWidget* window) {
    QFont small = window->font();
    small.setPointSizeF(8);
    window->setFont(small);
}

QScrollArea* MakeColumnViewport(QWidget* parent, const char* name, const QString& accessibleName,
                                QWidget* grid, int columnTwips) {
    auto* viewport = new QScrollArea(parent);
    viewport->setObjectName(name);
    viewport->setAccessibleName(accessibleName);
    viewport->setFrameShape(QFrame::NoFrame);
    viewport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    viewport->setWidget(grid);
    viewport->horizontalScrollBar()->setSingleStep(TwipsToPixels(columnTwips));
    viewport->horizontalScrollBar()->setPageStep(TwipsToPixels(3 * columnTwips));
    return viewport;
}

void FitColumnViewport(QScrollArea* viewport, int innerWidth, int rightMarginTwips, int heightTwips,
                       int scrollingHeightTwips) {
    const int margin = viewport->x() + TwipsToPixels(rightMarginTwips);
    if (margin < innerWidth) viewport->resize(innerWidth - margin, viewport->height());
    const bool scrolls =
        viewport->widget() != nullptr && viewport->width() < viewport->widget()->width();
    viewport->resize(viewport->width(),
                     TwipsToPixels(scrolls ? scrollingHeightTwips : heightTwips));
}

ColumnRange ColumnsIn(const QRect& dirty, int columnPixels, std::int32_t cardCount) {
    return {std::max(1, 1 + dirty.left() / columnPixels),
            std::min(cardCount, 1 + dirty.right() / columnPixels)};
}

void PaintLabelCell(QPainter& painter, const QRect& cell, const QString& text) {
    const QRect box = cell.adjusted(0, 0, -1, -1);
    painter.fillRect(box, QColor(0xE0, 0xE0, 0xE0));
    painter.setPen(Qt::black);
    painter.drawRect(box);
    QFont bold = painter.font();
    bold.setBold(true);
    bold.setPixelSize(10);
    // card numbers of four digits still fit their column
    if (QFontMetrics(bold).horizontalAdvance(text) > cell.width() - 2) bold.setPixelSize(7);
    painter.save();
    painter.setFont(bold);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace tessaly
