#pragma once

#include <QHash>
#include <QHeaderView>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>

namespace tessaly {

// Paints a cell of the turning instructions: its background and its few letters ("F", "B *")
// centred, each text laid out once and then only drawn. A long band shows thousands of these
// cells and repaints them whenever a pick is woven, so laying the same letters out again for
// every cell would cost more than all the rest of a weaving step.
class InstructionCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const QStaticText& Laid(const QString& text, const QFont& font) const;
    mutable QHash<QString, QStaticText> laid_;
};

// The pick numbers down the side: as wide as the widest number needs, measured from that
// number alone instead of from the texts of hundreds of sections.
class PickNumberHeader : public QHeaderView {
  public:
    explicit PickNumberHeader(QWidget* parent = nullptr) : QHeaderView(Qt::Vertical, parent) {}
    QSize sizeHint() const override;
};

// The instructions as a table view that, when picks are added or taken off at the end,
// lays out its scroll range and repaints only the rows that came or went, not every cell in
// view: a pick woven on a long band changes nothing that shows.
class InstructionTableView : public QTableView {
    Q_OBJECT

  public:
    explicit InstructionTableView(QWidget* parent = nullptr);

  private:
    void PicksCounted(int oldCount, int newCount);
};

}  // namespace tessaly
