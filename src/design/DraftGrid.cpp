#include "DraftGrid.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "document/PatternDocument.h"
#include "model/Directions.h"
#include "model/Twips.h"
#include "render/ColorNames.h"
#include "render/RasterCanvas.h"
#include "widgets/ColorSwatch.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

namespace {

const int kColumn = TwipsToPixels(DraftGrid::kColumnTwips);    // 17
const int kRowStep = TwipsToPixels(DraftGrid::kRowStepTwips);  // 16
const int kCell = TwipsToPixels(DraftGrid::kCellTwips);        // 17

std::int32_t HoleColor(const DraftColumn& column, DraftGrid::Part part) {
    return column.Color(part - DraftGrid::HoleA);
}

}  // namespace

DraftGrid::DraftGrid(const PatternDocument& document, QWidget* parent)
    : CardColumnGrid("draftGrid", tr("Draft"), parent), document_(document) {
    setFocusPolicy(Qt::StrongFocus);
    Rebuild();
}

std::int32_t DraftGrid::CardCount() const {
    return static_cast<std::int32_t>(document_.Draft().size());
}

int DraftGrid::Holes() const {
    return document_.Draft().empty() ? kHoles : document_.Draft().front().holes;
}

QSize DraftGrid::sizeHint() const {
    return {std::max(CardCount(), 1) * kColumn, (Rows() - 1) * kRowStep + kCell};
}

std::optional<DraftGrid::Cell> DraftGrid::CellAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0 || point.y() >= height()) return std::nullopt;
    const std::int32_t card = 1 + point.x() / kColumn;
    if (card > CardCount()) return std::nullopt;
    // rows overlap by their shared border line; the lower row owns it
    const int part = std::min(point.y() / kRowStep, static_cast<int>(ThreadingRow()));
    return Cell{card, static_cast<Part>(part)};
}

QRect DraftGrid::CellRect(Cell cell) const {
    return {(cell.card - 1) * kColumn, static_cast<int>(cell.part) * kRowStep, kColumn, kCell};
}

QString DraftGrid::CellText(Cell cell) const {
    if (cell.card < 1 || cell.card > CardCount()) return {};
    const DraftColumn& column = document_.Draft()[static_cast<std::size_t>(cell.card - 1)];
    if (cell.part == Number) return QString::number(cell.card);
    if (cell.part == ThreadingRow())
        return column.Thread() == SThread ? QStringLiteral("S") : QStringLiteral("Z");
    // a pattern whose palette the weaver used reads out its colours by name
    if (!document_.Extras().palette.empty()) return HoleName(cell);
    const std::int32_t color = HoleColor(column, cell.part);
    return color == Card::kNoThread ? tr("empty") : RasterCanvas::ToQColor(color).name();
}

QString DraftGrid::HoleName(Cell cell) const {
    const DraftColumn& column = document_.Draft()[static_cast<std::size_t>(cell.card - 1)];
    const std::int32_t color = HoleColor(column, cell.part);
    const QString name = color == Card::kNoThread
                             ? tr("empty")
                             : ColorName({color, document_.Extras().NameOf(color)});
    return tr("hole %1: %2").arg(QChar('A' + (cell.part - HoleA))).arg(name);
}

// The keys the cell cursor takes: no menu command may have them while the draft has the focus.
bool DraftGrid::TakesKey(const QKeyEvent& key) const {
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Space:
        case Qt::Key_Delete:
            return true;
        default:
            // letters (S, Z, the holes' A to H) only without Ctrl: Ctrl+S saves
            return !(key.modifiers() & Qt::ControlModifier) &&
                   ((key.key() >= Qt::Key_A && key.key() <= Qt::Key_H) || key.key() == Qt::Key_S ||
                    key.key() == Qt::Key_Z);
    }
}

DraftGrid::Cell DraftGrid::Clamped(Cell cell) const {
    cell.card = std::clamp(cell.card, 1, std::max(CardCount(), 1));
    cell.part = static_cast<Part>(
        std::clamp(static_cast<int>(cell.part), 0, static_cast<int>(ThreadingRow())));
    return cell;
}

void DraftGrid::SetCursor(Cell cell) {
    cell = Clamped(cell);
    update(CellRect(Clamped(cursor_)).adjusted(-2, -2, 2, 2));
    cursor_ = cell;
    update(CellRect(cell).adjusted(-2, -2, 2, 2));
    ShowInViewport(*this, CellRect(cell), kColumn, 0);
    AnnounceGridFocus(this, cell.part, cell.card - 1);
}

void DraftGrid::keyPressEvent(QKeyEvent* event) {
    const Cell at = Clamped(cursor_);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int last = CardCount();
    const auto row = [&](int part) { return static_cast<Part>(part); };
    switch (event->key()) {
        case Qt::Key_Left:
            SetCursor({ctrl ? 1 : at.card - 1, at.part});
            return;
        case Qt::Key_Right:
            SetCursor({ctrl ? last : at.card + 1, at.part});
            return;
        case Qt::Key_Up:
            SetCursor({at.card, ctrl ? Number : row(at.part - 1)});
            return;
        case Qt::Key_Down:
            SetCursor({at.card, ctrl ? ThreadingRow() : row(at.part + 1)});
            return;
        case Qt::Key_Home:
            SetCursor({1, ctrl ? Number : at.part});
            return;
        case Qt::Key_End:
            SetCursor({last, ctrl ? ThreadingRow() : at.part});
            return;
        case Qt::Key_Space:
            if (at.part == Number) emit numberPressed(at.card, Qt::NoModifier);
            emit cellPressed(at, shift ? Qt::RightButton : Qt::LeftButton);
            return;
        case Qt::Key_Delete:
            if (at.part != ThreadingRow()) emit cellCleared(at);
            return;
        case Qt::Key_S:
        case Qt::Key_Z:
            if (!ctrl) {
                emit threadingChosen(at.card, event->key() == Qt::Key_S ? SThread : ZThread);
                return;
            }
            break;
        default:
            if (!ctrl && event->key() >= Qt::Key_A && event->key() < Qt::Key_A + Holes()) {
                emit rowKeyPressed(event->key() - Qt::Key_A,
                                   shift ? Qt::RightButton : Qt::LeftButton);
                return;
            }
            break;
    }
    CardColumnGrid::keyPressEvent(event);
}

void DraftGrid::focusInEvent(QFocusEvent* event) {
    CardColumnGrid::focusInEvent(event);
    SetCursor(cursor_);
}

void DraftGrid::focusOutEvent(QFocusEvent* event) {
    CardColumnGrid::focusOutEvent(event);
    update(CellRect(Clamped(cursor_)).adjusted(-2, -2, 2, 2));
}

bool DraftGrid::event(QEvent* event) {
    // a hole tells its colour's name
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<Cell> cell = CellAt(help->pos());
        if (cell && cell->part != Number && cell->part != ThreadingRow())
            QToolTip::showText(help->globalPos(), HoleName(*cell), this, CellRect(*cell));
        else
            QToolTip::hideText();
        return true;
    }
    return CardColumnGrid::event(event);
}

QString DraftGrid::GridRowName(int row) const {
    if (row < 0 || row >= Rows()) return {};
    if (row == Number) return QStringLiteral("#");
    if (row == ThreadingRow()) return QStringLiteral("T");
    return QString(QChar('A' + (row - HoleA)));
}

QString DraftGrid::GridCellText(int row, int column) const {
    return CellText({column + 1, static_cast<Part>(row)});
}

QRect DraftGrid::GridCellRect(int row, int column) const {
    return CellRect({column + 1, static_cast<Part>(row)});
}

std::optional<std::pair<int, int>> DraftGrid::GridCellAt(QPoint point) const {
    const std::optional<Cell> cell = CellAt(point);
    if (!cell) return std::nullopt;
    return std::pair{static_cast<int>(cell->part), cell->card - 1};
}

void DraftGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().window());
    const ColumnRange columns = ColumnsIn(dirty, kColumn, CardCount());
    const std::vector<DraftColumn>& draft = document_.Draft();
    // top row first, so each row's border covers the line it shares with the row above
    const int threading = ThreadingRow();
    for (int part = Number; part <= threading; ++part) {
        for (std::int32_t card = columns.first; card <= columns.last; ++card) {
            const Cell cell{card, static_cast<Part>(part)};
            if (part == Number || part == threading) {
                PaintLabelCell(painter, CellRect(cell), CellText(cell),
                               part == Number && chosen_.contains(card));
                continue;
            }
            const DraftColumn& column = draft[static_cast<std::size_t>(card - 1)];
            PaintHole(painter, CellRect(cell).adjusted(0, 0, -1, -1), HoleColor(column, cell.part));
        }
    }
    if (hasFocus() && CardCount() > 0) {
        PaintCursorFrame(painter, CellRect(Clamped(cursor_)), palette());
    }
}

void DraftGrid::SetChosenCards(const std::set<std::int32_t>& cards) {
    if (cards == chosen_) return;
    chosen_ = cards;
    update(0, 0, width(), kRowStep);  // the numbers' row
}

void DraftGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const std::optional<Cell> cell = CellAt(point);
    lastDragged_ = cell;
    lastPoint_ = point;
    if (!cell) return;
    SetCursor(*cell);
    const Qt::KeyboardModifiers choosing =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    numberPressed_.reset();
    if (cell->part == Number && event->button() == Qt::LeftButton) {
        if (choosing == Qt::NoModifier) numberPressed_ = cell->card;
        emit numberPressed(cell->card, choosing);
    }
    // Ctrl and Shift only choose cards: nothing is painted
    if (choosing == Qt::NoModifier) emit cellPressed(*cell, event->button());
}

void DraftGrid::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) return;
    // moves arrive merged: walk the line from the last point so no crossed cell is missed
    const QPoint to = event->position().toPoint();
    const QPoint from = lastPoint_.value_or(to);
    lastPoint_ = to;
    const int steps =
        std::max(1, (std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) + 3) / 4);
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + (to - from) * step / steps;
        const std::optional<Cell> cell = CellAt(at);
        if (!cell || cell == lastDragged_) continue;
        lastDragged_ = cell;
        emit cellDragged(*cell, event->buttons());
    }
}

void DraftGrid::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<std::int32_t> from = std::exchange(numberPressed_, std::nullopt);
    if (!from || event->button() != Qt::LeftButton) return;
    const std::optional<Cell> cell = CellAt(event->position().toPoint());
    if (cell && cell->part == Number && cell->card != *from) emit numberDragged(*from, cell->card);
}

}  // namespace tessaly
