#include "PaletteStrip.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "model/Card.h"
#include "render/ColorNames.h"
#include "widgets/ColorSwatch.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

namespace {

constexpr int kSwatch = 16;  // a colour's box, square
constexpr int kGap = PaletteStrip::kCellPixels - kSwatch;

}  // namespace

PaletteStrip::PaletteStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("picPalette");
    setAccessibleName(tr("Palette"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

void PaletteStrip::SetColors(std::vector<PaletteColor> colors) {
    colors_ = std::move(colors);
    current_ = std::min(current_, GridColumns() - 1);
    setFixedSize(sizeHint());
    update();
}

void PaletteStrip::SetCurrent(int place) {
    if (place < 0 || place >= GridColumns() || place == current_) return;
    current_ = place;
    update();
    ShowInViewport(*this, GridCellRect(0, place), 0, kCellPixels);
    AnnounceGridFocus(this, 0, place);
    emit currentChanged(place);
}

QSize PaletteStrip::sizeHint() const {
    const int rows = (GridColumns() + kPerRow - 1) / kPerRow;
    return {kPerRow * kCellPixels + kGap, rows * kCellPixels + kGap};
}

std::int32_t PaletteStrip::ColorAt(int place) const {
    return place < static_cast<int>(colors_.size()) ? colors_[static_cast<std::size_t>(place)].color
                                                    : Card::kNoThread;
}

QString PaletteStrip::GridCellText(int, int column) const {
    if (column < 0 || column >= GridColumns()) return {};
    if (column == static_cast<int>(colors_.size())) return tr("Empty");
    return tr("colour %1: %2")
        .arg(column + 1)
        .arg(ColorName(colors_[static_cast<std::size_t>(column)]));
}

QRect PaletteStrip::GridCellRect(int, int column) const {
    return {kGap + (column % kPerRow) * kCellPixels, kGap + (column / kPerRow) * kCellPixels,
            kSwatch, kSwatch};
}

std::optional<std::pair<int, int>> PaletteStrip::GridCellAt(QPoint point) const {
    for (int column = 0; column < GridColumns(); ++column)
        if (GridCellRect(0, column).contains(point)) return std::pair{0, column};
    return std::nullopt;
}

void PaletteStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int column = 0; column < GridColumns(); ++column) {
        const QRect box = GridCellRect(0, column);
        PaintHole(painter, box, ColorAt(column));
        if (column == current_) {
            // the chosen swatch is ringed, in the focus colour while the strip has the keyboard
            painter.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : Qt::black, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(-2, -2, 1, 1));
        }
    }
}

void PaletteStrip::mousePressEvent(QMouseEvent* event) {
    const auto cell = GridCellAt(event->position().toPoint());
    if (!cell) return;
    SetCurrent(cell->second);
    if (event->button() == Qt::LeftButton)
        emit leftChosen(ColorAt(cell->second));
    else if (event->button() == Qt::RightButton)
        emit rightChosen(ColorAt(cell->second));
}

void PaletteStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    const auto cell = GridCellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell &&
        cell->second < static_cast<int>(colors_.size()))
        emit changeRequested(cell->second);
}

void PaletteStrip::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            SetCurrent(current_ - 1);
            return;
        case Qt::Key_Right:
            SetCurrent(current_ + 1);
            return;
        case Qt::Key_Up:
            SetCurrent(current_ - kPerRow);
            return;
        case Qt::Key_Down:
            SetCurrent(current_ + kPerRow);
            return;

        case Qt::Key_Home:
            SetCurrent(0);
            return;
        case Qt::Key_End:
            SetCurrent(GridColumns() - 1);
            return;
        case Qt::Key_Space:
            if (event->modifiers() & Qt::ShiftModifier)
                emit rightChosen(ColorAt(current_));
            else
                emit leftChosen(ColorAt(current_));
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (current_ < static_cast<int>(colors_.size())) emit changeRequested(current_);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool PaletteStrip::event(QEvent* event) {
    // each swatch tells its colour's name
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto cell = GridCellAt(help->pos()))
            QToolTip::showText(help->globalPos(), GridCellText(0, cell->second), this,
                               GridCellRect(0, cell->second));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tessaly
