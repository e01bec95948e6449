#include "ColumnGrid.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "model/Twips.h"

namespace tessaly {

void UseDialogFont(QWidget* window) {
    QFont small = window->font();
    small.setPointSizeF(8);
    window->setFont(small);
}

CardColumnGrid::CardColumnGrid(const char* name, const QString& accessibleName, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    setAccessibleName(accessibleName);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CardColumnGrid::Rebuild() {
    setFixedSize(sizeHint());
    update();
}

bool CardColumnGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (!(key.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && TakesKey(key)) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

ColumnViewport::ColumnViewport(const char* name, const QString& accessibleName, QWidget* grid,
                               int columnTwips, QWidget* parent)
    : QScrollArea(parent), column_(TwipsToPixels(columnTwips)) {
    setObjectName(name);
    setAccessibleName(accessibleName);
    setFrameShape(QFrame::NoFrame);
    // the grid inside takes the keyboard and scrolls itself into view
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setWidget(grid);
    // a grid grows taller as well as wider (cards of more holes): the viewport follows it
    grid->installEventFilter(this);
    horizontalScrollBar()->setSingleStep(column_);
    horizontalScrollBar()->setPageStep(3 * column_);
    FitGrid();
}

QSize ColumnViewport::sizeHint() const {
    const QWidget* grid = widget();
    return grid != nullptr ? QSize(grid->width(), height()) : QSize(0, height());
}

QSize ColumnViewport::minimumSizeHint() const { return {3 * column_, height()}; }

void ColumnViewport::FitGrid() {
    const QWidget* grid = widget();
    if (grid == nullptr) return;
    const bool scrolls = width() < grid->width();
    setFixedHeight(grid->height() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
    // the window lays itself out again only when the grid took another size: a weaving step
    // that changes no card count costs no layout
    if (grid->size() == fitted_) return;
    fitted_ = grid->size();
    updateGeometry();
}

void ColumnViewport::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    FitGrid();
}

bool ColumnViewport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && event->type() == QEvent::Resize) FitGrid();
    return QScrollArea::eventFilter(watched, event);
}

ColumnRange ColumnsIn(const QRect& dirty, int columnPixels, std::int32_t cardCount) {
    return {std::max(1, 1 + dirty.left() / columnPixels),
            std::min(cardCount, 1 + dirty.right() / columnPixels)};
}

void PaintLabelCell(QPainter& painter, const QRect& cell, const QString& text, bool highlighted) {
    const QRect box = cell.adjusted(0, 0, -1, -1);
    const QPalette palette = QGuiApplication::palette();
    painter.fillRect(box, highlighted ? palette.color(QPalette::Highlight) : QColor(0xE0, 0xE0, 0xE0));
    painter.setPen(Qt::black);
    painter.drawRect(box);
    if (highlighted) painter.setPen(palette.color(QPalette::HighlightedText));
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

void ShowInViewport(QWidget& grid, const QRect& cell, int xMargin, int yMargin) {
    QWidget* viewport = grid.parentWidget();
    if (auto* area = qobject_cast<QScrollArea*>(viewport ? viewport->parentWidget() : nullptr))
        area->ensureVisible(cell.center().x(), cell.center().y(), xMargin, yMargin);
}

void PaintCursorFrame(QPainter& painter, const QRect& cell, const QPalette& palette) {
    painter.setPen(QPen(palette.highlight().color(), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(1, 1, -2, -2));
}

}  // namespace tessaly
