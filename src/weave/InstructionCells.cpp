#include "InstructionCells.h"

#include <QPainter>

namespace tessaly {

const QStaticText& InstructionCellDelegate::Laid(const QString& text, const QFont& font) const {
    const QString key = (font.bold() ? QLatin1Char('b') : QLatin1Char('n')) + text;
    auto found = laid_.find(key);
    if (found == laid_.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font);
        found = laid_.insert(key, laid);
    }
    return *found;
}

void InstructionCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    else if (background.canConvert<QColor>())
        painter->fillRect(option.rect, background.value<QColor>());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    const QVariant font = index.data(Qt::FontRole);
    const QFont cellFont = font.canConvert<QFont>() ? font.value<QFont>() : option.font;
    const QStaticText& laid = Laid(text, cellFont);
    const QSizeF size = laid.size();
    painter->save();
    painter->setFont(cellFont);
    painter->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::black));
    // centred, and cut at the cell's edge as a grid cuts what does not fit
    painter->setClipRect(option.rect);
    painter->drawStaticText(QPointF(option.rect.x() + (option.rect.width() - size.width()) / 2,
                                    option.rect.y() + (option.rect.height() - size.height()) / 2),
                            laid);
    painter->restore();
}

InstructionTableView::InstructionTableView(QWidget* parent) : QTableView(parent) {
    auto* header = new PickNumberHeader(this);
    // a pick's number chooses the whole pick, Shift and Ctrl extending the choice
    header->setSectionsClickable(true);
    header->setHighlightSections(true);
    setVerticalHeader(header);
    // the view's own answer to a new row count lays every row out and repaints all in view
    // (by name, which undoes the connection however the view made it)
    const bool taken = disconnect(header, SIGNAL(sectionCountChanged(int, int)), this,
                                  SLOT(rowCountChanged(int, int)));
    Q_ASSERT(taken);
    Q_UNUSED(taken);
    connect(header, &QHeaderView::sectionCountChanged, this, &InstructionTableView::PicksCounted);
}

void InstructionTableView::PicksCounted(int oldCount, int newCount) {
    updateGeometries();
    // rows from the first that came or went to the bottom of the view
    const int first = std::min(oldCount, newCount);
    const int top = first > 0 ? rowViewportPosition(first - 1) + rowHeight(first - 1) : 0;
    if (top < viewport()->height())
        viewport()->update(QRect(0, std::max(top, 0), viewport()->width(), viewport()->height()));
}

QSize PickNumberHeader::sizeHint() const {
    // the widest number is the one with the most digits: measure a number of that length
    const QString widest(QString::number(std::max(count(), 1)).size(), QLatin1Char('8'));
    QStyleOptionHeader header;
    initStyleOption(&header);
    header.text = widest;
    header.section = 0;
    const QSize contents =
        style()->sizeFromContents(QStyle::CT_HeaderSection, &header, QSize(), this);
    return {contents.width(), defaultSectionSize()};
}

}  // namespace tessaly
