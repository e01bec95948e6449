#include "PackGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "NetTwistModel.h"
#include "PackChoices.h"
#include "model/Directions.h"
#include "model/Twips.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

namespace {

const int kColumn = TwipsToPixels(PackGrid::kColumnTwips);
const int kNumberHeight = TwipsToPixels(PackGrid::kNumberHeightTwips);
const int kCardHeight = TwipsToPixels(PackGrid::kCardHeightTwips);
const int kPictureHeight = TwipsToPixels(PackGrid::kPictureHeightTwips);
const int kTwistTop = TwipsToPixels(PackGrid::kTwistTopTwips);
const int kTwistHeight = TwipsToPixels(PackGrid::kTwistHeightTwips);
constexpr int kTwistRow = 4;

int PackTop(int pack) { return TwipsToPixels(PackGrid::kPackTopsTwips[pack - 1]); }

// Grid rows top to bottom: the numbers, then packs 3, 2 and 1 (and the twist row).
int PackOfRow(int row) { return row == 0 ? 0 : 4 - row; }

}  // namespace

PackGrid::PackGrid(const PackChoices& choices, QWidget* parent)
    : CardColumnGrid("packGrid", tr("Packs"), parent), choices_(choices) {
    setFocusPolicy(Qt::StrongFocus);
    Rebuild();
}

QSize PackGrid::sizeHint() const {
    return {std::max(choices_.CardCount(), 1) * kColumn, kTwistTop + kTwistHeight};
}

void PackGrid::SetTwist(std::vector<std::int32_t> twist) {
    twist_ = std::move(twist);
    update(0, kTwistTop, width(), kTwistHeight);
}

QRect PackGrid::TwistRect(std::int32_t card) const {
    return {(card - 1) * kColumn, kTwistTop, kColumn, kTwistHeight};
}

int PackGrid::GridColumns() const { return choices_.CardCount(); }

QRect PackGrid::CardRect(std::int32_t card, int pack) const {
    const int left = (card - 1) * kColumn;
    if (pack == 0) return {left, 0, kColumn, kNumberHeight};
    return {left, PackTop(pack), kColumn, kCardHeight};
}

std::optional<PackGrid::Place> PackGrid::PlaceAt(QPoint point) const {
    // the twist row is read, not clicked
    if (point.x() < 0 || point.y() < 0 || point.y() >= kTwistTop) return std::nullopt;
    const std::int32_t card = 1 + point.x() / kColumn;
    if (card > choices_.CardCount()) return std::nullopt;
    // the lower row owns the line two rows share
    for (int pack = 1; pack <= 3; ++pack)
        if (point.y() >= PackTop(pack)) return Place{card, pack};
    return Place{card, 0};
}

QString PackGrid::GridRowName(int row) const {
    if (row == kTwistRow) return tr("Net twist");
    return row == 0 ? tr("Card") : tr("Pack %1").arg(PackOfRow(row));
}

QString PackGrid::GridCellText(int row, int column) const {
    const std::int32_t card = column + 1;
    if (card < 1 || card > choices_.CardCount()) return {};
    if (row == 0) return QString::number(card);
    if (row == kTwistRow)
        return static_cast<std::size_t>(card) <= twist_.size()
                   ? NetTwistModel::TwistText(twist_[static_cast<std::size_t>(card - 1)])
                   : QString();
    const PackChoices::Column& choice = choices_.At(card);
    if (choice.pack != PackOfRow(row)) return {};
    return choice.threading == SThread ? QStringLiteral("S") : QStringLiteral("Z");
}

QRect PackGrid::GridCellRect(int row, int column) const {
    if (row == kTwistRow) return TwistRect(column + 1);
    return CardRect(column + 1, PackOfRow(row));
}

std::optional<std::pair<int, int>> PackGrid::GridCellAt(QPoint point) const {
    if (point.y() >= kTwistTop && point.y() < kTwistTop + kTwistHeight && point.x() >= 0 &&
        point.x() < choices_.CardCount() * kColumn)
        return std::pair{kTwistRow, point.x() / kColumn};
    const std::optional<Place> place = PlaceAt(point);
    if (!place) return std::nullopt;
    return std::pair{place->pack == 0 ? 0 : 4 - place->pack, place->card - 1};
}

void PackGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().window());
    const ColumnRange columns = ColumnsIn(dirty, kColumn, choices_.CardCount());
    for (std::int32_t card = columns.first; card <= columns.last; ++card) {
        PaintLabelCell(painter, CardRect(card, 0), QString::number(card));
        const PackChoices::Column& choice = choices_.At(card);
        for (int pack = 3; pack >= 1; --pack) {
            // the card picture fills the top of its place: white, with the card as a diagonal
            const QRect place = CardRect(card, pack);
            const QRect picture(place.left(), place.top(), kColumn - 1, kPictureHeight - 1);
            painter.fillRect(picture, Qt::white);
            painter.setPen(QColor(0xA0, 0xA0, 0xA0));
            painter.drawRect(picture);
            if (choice.pack != pack) continue;
            painter.setPen(QPen(Qt::black, 2));
            if (choice.threading == SThread)
                painter.drawLine(picture.topRight(), picture.bottomLeft());
            else
                painter.drawLine(picture.topLeft(), picture.bottomRight());
        }
    }
    // the net twist under each card; the largest either way in bold red
    const std::int32_t largest = NetTwistModel::Largest(twist_);
    // narrower than the card numbers: a twist of -12 must fit a card's column
    QFont narrow = font();
    narrow.setStretch(QFont::Condensed);
    narrow.setPointSizeF(std::max(1.0, narrow.pointSizeF() - 1));
    QFont bold = narrow;
    bold.setBold(true);
    for (std::int32_t card = columns.first; card <= columns.last; ++card) {
        if (static_cast<std::size_t>(card) > twist_.size()) break;
        const std::int32_t value = twist_[static_cast<std::size_t>(card - 1)];
        const bool marked = largest != 0 && std::abs(value) == largest;
        painter.setFont(marked ? bold : narrow);
        painter.setPen(marked ? QColor(Qt::red) : palette().windowText().color());
        painter.drawText(TwistRect(card), Qt::AlignCenter, NetTwistModel::TwistText(value));
    }
    painter.setFont(font());
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        // the card cursor: a frame in the highlight colour round the card in its pack
        if (choices_.CardCount() > 0)
            PaintCursorFrame(painter, CursorRect().adjusted(0, 0, 0, kPictureHeight - kCardHeight),
                             palette());
    }
}

void PackGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const std::optional<Place> place = PlaceAt(event->position().toPoint());
    if (place) SetCursor(place->card);
    if (event->button() != Qt::LeftButton) return;
    if (place && place->pack != 0) emit cardClicked(place->card, place->pack);
}

void PackGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const std::optional<Place> place = PlaceAt(event->position().toPoint());
    if (place && place->pack != 0) emit cardDoubleClicked(place->card, place->pack);
}

// The keys the card cursor takes: no menu command may have them while the packs have the focus.
bool PackGrid::TakesKey(const QKeyEvent& key) const {
    if (key.modifiers() & Qt::ControlModifier) return false;
    switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
        case Qt::Key_F:
        case Qt::Key_B:
        case Qt::Key_I:
        case Qt::Key_Asterisk:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Backspace:
            return true;
        default:
            return false;
    }
}

std::int32_t PackGrid::Cursor() const {
    return std::clamp(cursor_, 1, std::max(choices_.CardCount(), 1));
}

QRect PackGrid::CursorRect() const {
    if (choices_.CardCount() < 1) return {};
    const std::int32_t card = Cursor();
    return CardRect(card, choices_.At(card).pack);
}

std::optional<std::pair<int, int>> PackGrid::GridCurrentCell() const {
    if (choices_.CardCount() < 1) return std::nullopt;
    const std::int32_t card = Cursor();
    return std::pair{4 - choices_.At(card).pack, card - 1};
}

void PackGrid::SetCursor(std::int32_t card) {
    update(CursorRect().adjusted(-2, -2, 2, 2));
    cursor_ = card;
    cursor_ = Cursor();
    const QRect shown = CursorRect();
    update(shown.adjusted(-2, -2, 2, 2));
    ShowInViewport(*this, shown, kColumn, 0);
    if (const auto cell = GridCurrentCell()) AnnounceGridFocus(this, cell->first, cell->second);
}

void PackGrid::keyPressEvent(QKeyEvent* event) {
    const std::int32_t card = Cursor();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool any = choices_.CardCount() > 0;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit weaveRequested();
            return;
        case Qt::Key_Backspace:
            emit unweaveRequested();
            return;
        case Qt::Key_Left:
            SetCursor(card - 1);
            return;
        case Qt::Key_Right:
            SetCursor(card + 1);
            return;
        case Qt::Key_Home:
            SetCursor(1);
            return;
        case Qt::Key_End:
            SetCursor(choices_.CardCount());
            return;
        case Qt::Key_1:
        case Qt::Key_2:
        case Qt::Key_3:
            if (any) {
                emit cardClicked(card, event->key() - Qt::Key_0);
                SetCursor(card);  // the frame follows the card to its pack
            }
            return;
        case Qt::Key_Asterisk:
            if (any) emit cardDoubleClicked(card, choices_.At(card).pack);
            return;
        case Qt::Key_F:
        case Qt::Key_B:
        case Qt::Key_I:
            if (!any) return;
            if (event->key() == Qt::Key_F && shift) {
                emit cardDoubleClicked(card, choices_.At(card).pack);
                return;
            }
            emit packTurnChosen(choices_.At(card).pack, event->key() == Qt::Key_F   ? Forward
                                                        : event->key() == Qt::Key_B ? Backward
                                                                                    : Idle);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PackGrid::focusInEvent(QFocusEvent* event) {
    CardColumnGrid::focusInEvent(event);
    update();
    SetCursor(cursor_);
}

void PackGrid::focusOutEvent(QFocusEvent* event) {
    CardColumnGrid::focusOutEvent(event);
    update();
}

}  // namespace tessaly
