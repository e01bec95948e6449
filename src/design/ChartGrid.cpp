#include "ChartGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

#include "model/Twips.h"

namespace tessaly {

// The keys the cell cursor takes: no menu command may have them while the chart has the focus.
bool ChartGrid::TakesKey(const QKeyEvent& key) const {
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
        case Qt::Key_Escape:
        case Qt::Key_Insert:
        case Qt::Key_Delete:
            return true;
        default:
            return false;
    }
}

namespace {

// The mark of a long float: a cross in the colour that stands out on the cell.
void PaintLongFloat(QPainter& painter, const QRect& cell, const QColor& under) {
    painter.setPen(QPen(under.lightness() > 128 ? Qt::black : Qt::white, 1.5));
    const QRect inner = cell.adjusted(3, 3, -4, -4);
    painter.drawLine(inner.topLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomLeft());
}

}  // namespace

ChartGrid::ChartGrid(QWidget* parent) : CardColumnGrid("grdChart", tr("Chart"), parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

int ChartGrid::Cell() const { return TwipsToPixels(kCellTwips); }
int ChartGrid::Left() const { return TwipsToPixels(kRowLabelTwips); }
int ChartGrid::Top() const { return Cell(); }

void ChartGrid::SetChart(const TwoColourChart& chart,
                         std::vector<std::pair<QColor, QColor>> colours) {
    chart_ = chart;
    colours_ = std::move(colours);
    cursor_ = {std::clamp(cursor_.first, 0, std::max(chart_.Rows() - 1, 0)),
               std::clamp(cursor_.second, 0, std::max(chart_.Cards() - 1, 0))};
    if (anchor_)
        anchor_ = {std::clamp(anchor_->first, 0, std::max(chart_.Rows() - 1, 0)),
                   std::clamp(anchor_->second, 0, std::max(chart_.Cards() - 1, 0))};
    Rebuild();
}

void ChartGrid::SetLongFloatLayer(bool on) {
    longFloats_ = on && chart_.weave == ChartWeave::BrokenTwill;
    update();
}

QSize ChartGrid::sizeHint() const {
    return {Left() + chart_.Cards() * Cell() + 1, Top() + chart_.Rows() * Cell() + 1};
}

QRect ChartGrid::CellRect(std::int32_t row, std::int32_t card) const {
    return {Left() + card * Cell(), Top() + GridRowOf(row) * Cell(), Cell(), Cell()};
}

std::optional<std::pair<std::int32_t, std::int32_t>> ChartGrid::CellAt(QPoint point) const {
    if (point.x() < Left() || point.y() < Top()) return std::nullopt;
    const int card = (point.x() - Left()) / Cell();
    const int gridRow = (point.y() - Top()) / Cell();
    if (card >= chart_.Cards() || gridRow >= chart_.Rows()) return std::nullopt;
    return std::pair{chart_.Rows() - 1 - gridRow, card};
}

ChartArea ChartGrid::Selection() const {
    const auto other = anchor_.value_or(cursor_);
    return {std::min(other.first, cursor_.first), std::max(other.first, cursor_.first),
            std::min(other.second, cursor_.second), std::max(other.second, cursor_.second)};
}

QString ChartGrid::CellText(std::int32_t row, std::int32_t card) const {
    if (row < 0 || row >= chart_.Rows() || card < 0 || card >= chart_.Cards()) return {};
    const auto r = static_cast<std::size_t>(row);
    const auto c = static_cast<std::size_t>(card);
    QString text = chart_.foreground[r][c] ? tr("foreground") : tr("background");
    if (chart_.weave == ChartWeave::BrokenTwill && chart_.longFloats[r][c])
        text += tr(", long float");
    return text;
}

QString ChartGrid::GridRowName(int row) const { return tr("Row %1").arg(chart_.Rows() - row); }

QString ChartGrid::GridCellText(int row, int column) const {
    return CellText(GridRowOf(row), column);
}

QRect ChartGrid::GridCellRect(int row, int column) const {
    return CellRect(GridRowOf(row), column);
}

std::optional<std::pair<int, int>> ChartGrid::GridCellAt(QPoint point) const {
    const auto cell = CellAt(point);
    if (!cell) return std::nullopt;
    return std::pair{GridRowOf(cell->first), cell->second};
}

std::optional<std::pair<int, int>> ChartGrid::GridCurrentCell() const {
    if (chart_.Rows() == 0) return std::nullopt;
    return std::pair{GridRowOf(cursor_.first), cursor_.second};
}

void ChartGrid::SetCursor(std::int32_t row, std::int32_t card, bool extend) {
    if (chart_.Rows() == 0 || chart_.Cards() == 0) return;
    if (extend && !anchor_) anchor_ = cursor_;
    if (!extend) anchor_.reset();
    cursor_ = {std::clamp(row, 0, chart_.Rows() - 1), std::clamp(card, 0, chart_.Cards() - 1)};
    update();
    ShowInViewport(*this, CellRect(cursor_.first, cursor_.second), Cell(), Cell());
    AnnounceGridFocus(this, GridRowOf(cursor_.first), cursor_.second);
    emit selectionChanged();
}

void ChartGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    const int cell = Cell();
    QFont small = font();
    small.setPixelSize(std::max(cell * 5 / 8, 6));
    painter.setFont(small);
    painter.setPen(palette().windowText().color());
    // card numbers on top, every card when they fit, else every 5th and card 1
    const int numberWidth =
        painter.fontMetrics().horizontalAdvance(QString::number(chart_.Cards()));
    const int cardStep = numberWidth + 2 <= cell ? 1 : 5;
    for (std::int32_t c = 0; c < chart_.Cards(); ++c)
        if (c == 0 || (c + 1) % cardStep == 0)
            painter.drawText(QRect(Left() + c * cell - cell, 0, 3 * cell, Top()), Qt::AlignCenter,
                             QString::number(c + 1));
    for (std::int32_t r = 0; r < chart_.Rows(); ++r) {
        const QRect label(0, Top() + GridRowOf(r) * cell, Left() - 3, cell);
        if (label.intersects(event->rect()))
            painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(r + 1));
    }
    const ChartArea chosen = Selection();
    const bool block = anchor_.has_value();
    // only the cells the rectangle to paint meets: a large chart paints as fast as a small one
    const QRect dirty = event->rect();
    const auto clamp = [](int value, int last) { return std::clamp(value, 0, std::max(last, 0)); };
    const std::int32_t firstCard = clamp((dirty.left() - Left()) / cell, chart_.Cards() - 1);
    const std::int32_t lastCard = clamp((dirty.right() - Left()) / cell, chart_.Cards() - 1);
    const std::int32_t topRow = clamp((dirty.top() - Top()) / cell, chart_.Rows() - 1);
    const std::int32_t bottomRow = clamp((dirty.bottom() - Top()) / cell, chart_.Rows() - 1);
    for (std::int32_t r = GridRowOf(bottomRow); r <= GridRowOf(topRow); ++r)
        for (std::int32_t c = firstCard; c <= lastCard && chart_.Rows() > 0; ++c) {
            const QRect rect = CellRect(r, c);
            const auto at = static_cast<std::size_t>(c);
            bool foreground = chart_.foreground[static_cast<std::size_t>(r)][at];
            bool longFloat = chart_.weave == ChartWeave::BrokenTwill &&
                             chart_.longFloats[static_cast<std::size_t>(r)][at];
            // a stroke under way shows what it will make
            if (strokeMarks_ && stroke_.count({r, c}))
                (longFloats_ ? longFloat : foreground) = *strokeMarks_;
            const auto& [front, back] = at < colours_.size()
                                            ? colours_[at]
                                            : std::pair{QColor(Qt::black), QColor(Qt::white)};
            const QColor colour = foreground ? front : back;
            painter.fillRect(rect, colour);
            painter.setPen(palette().mid().color());
            painter.drawRect(rect.adjusted(0, 0, -1, -1).united(rect));
            if (longFloat) PaintLongFloat(painter, rect, colour);
            if (block && chosen.Holds(r, c)) painter.fillRect(rect, QColor(0, 120, 215, 70));
        }
    // the row after the last of broken twill only completes the odd cards' last pick
    if (chart_.weave == ChartWeave::BrokenTwill && chart_.Rows() > 0) {
        const QRect last =
            CellRect(chart_.Rows() - 1, 0).united(CellRect(chart_.Rows() - 1, chart_.Cards() - 1));
        painter.setPen(QPen(palette().windowText().color(), 1, Qt::DashLine));
        painter.drawLine(last.bottomLeft(), last.bottomRight());
    }
    if (hasFocus() && chart_.Rows() > 0)
        PaintCursorFrame(painter, CellRect(cursor_.first, cursor_.second), palette());
}

void ChartGrid::mousePressEvent(QMouseEvent* event) {
    const auto cell = CellAt(event->position().toPoint());
    if (!cell) return;
    if (event->modifiers() & Qt::ShiftModifier) {
        SetCursor(cell->first, cell->second, true);
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
    SetCursor(cell->first, cell->second);
    strokeMarks_ = event->button() == Qt::LeftButton;
    stroke_ = {*cell};
    lastStroked_ = cell;
    update(CellRect(cell->first, cell->second));
}

void ChartGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!strokeMarks_ || !lastStroked_) return;
    const auto cell = CellAt(event->position().toPoint());
    if (!cell || *cell == *lastStroked_) return;
    // a quick stroke skips cells between two moves: the line between them is painted too
    const auto [fromRow, fromCard] = *lastStroked_;
    const int steps = std::max(std::abs(cell->first - fromRow), std::abs(cell->second - fromCard));
    for (int step = 1; step <= steps; ++step) {
        const std::pair<std::int32_t, std::int32_t> on{
            fromRow + (cell->first - fromRow) * step / steps,
            fromCard + (cell->second - fromCard) * step / steps};
        if (stroke_.insert(on).second) update(CellRect(on.first, on.second));
    }
    lastStroked_ = cell;
}

void ChartGrid::mouseReleaseEvent(QMouseEvent*) { EndStroke(); }

void ChartGrid::EndStroke() {
    if (!strokeMarks_) return;
    const bool mark = *strokeMarks_;
    const auto cells = std::move(stroke_);
    stroke_.clear();
    strokeMarks_.reset();
    lastStroked_.reset();
    emit stroked(cells, mark);
    update();
}

void ChartGrid::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const auto [row, card] = cursor_;
    const int page =
        std::max(1, (parentWidget() ? parentWidget()->height() : height()) / Cell() - 1);
    switch (event->key()) {
        case Qt::Key_Left:
            return SetCursor(row, ctrl ? 0 : card - 1, shift);
        case Qt::Key_Right:
            return SetCursor(row, ctrl ? chart_.Cards() - 1 : card + 1, shift);
        case Qt::Key_Up:
            return SetCursor(ctrl ? chart_.Rows() - 1 : row + 1, card, shift);
        case Qt::Key_Down:
            return SetCursor(ctrl ? 0 : row - 1, card, shift);
        case Qt::Key_PageUp:
            return SetCursor(row + page, card, shift);
        case Qt::Key_PageDown:
            return SetCursor(row - page, card, shift);
        case Qt::Key_Home:
            return SetCursor(ctrl ? 0 : row, 0, shift);
        case Qt::Key_End:
            return SetCursor(ctrl ? chart_.Rows() - 1 : row, chart_.Cards() - 1, shift);
        case Qt::Key_Escape:
            if (anchor_) return SetCursor(row, card);
            break;
        case Qt::Key_Insert:
            emit insertPressed();
            return;
        case Qt::Key_Delete:
            emit deletePressed();
            return;
        case Qt::Key_Space: {
            // the block chosen, or the cursor's cell
            std::set<std::pair<std::int32_t, std::int32_t>> cells;
            const ChartArea area = Selection();
            for (std::int32_t r = area.firstRow; r <= area.lastRow; ++r)
                for (std::int32_t c = area.firstCard; c <= area.lastCard; ++c) cells.insert({r, c});
            if (chart_.Rows() > 0) emit stroked(cells, !shift);
            return;
        }
        default:
            break;
    }
    CardColumnGrid::keyPressEvent(event);
}

void ChartGrid::focusInEvent(QFocusEvent* event) {
    CardColumnGrid::focusInEvent(event);
    update();
    if (chart_.Rows() > 0) AnnounceGridFocus(this, GridRowOf(cursor_.first), cursor_.second);
}

void ChartGrid::focusOutEvent(QFocusEvent* event) {
    CardColumnGrid::focusOutEvent(event);
    EndStroke();
    update();
}

bool ChartGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto cell = CellAt(help->pos()))
            QToolTip::showText(help->globalPos(),
                               tr("Row %1, card %2: %3")
                                   .arg(cell->first + 1)
                                   .arg(cell->second + 1)
                                   .arg(CellText(cell->first, cell->second)),
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return CardColumnGrid::event(event);
}

}  // namespace tessaly
