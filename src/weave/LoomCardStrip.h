#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Card.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

// The deck as it stands before the pick at the loom, a small diagram per card: its number, its
// holes where they stand (top front, the thread that shows, at the upper left; the card seen
// from its side with the weaver to the left, the holes on round it clockwise) and its net
// twist, red past the limit.
class LoomCardStrip : public CardColumnGrid {
    Q_OBJECT

  public:
    struct Column {
        std::int32_t number = 0;
        // colours from the top front clockwise round the card (on a square card top back,
        // bottom back, bottom front); Card::kNoThread empty
        std::array<std::int32_t, kMaxHoles> places{};
        std::int32_t twist = 0;
        int holes = kHoles;
    };

    explicit LoomCardStrip(QWidget* parent = nullptr);

    void SetCards(std::vector<Column> cards, std::int32_t twistLimit);
    // Larger cells for the large view.
    void SetScale(double scale);
    int ColumnWidth() const;
    QSize sizeHint() const override;

    // AccessibleGridSource: "Card", the places of the holes, "Net twist".
    int GridRows() const override { return TwistRow() + 1; }
    int GridColumns() const override { return static_cast<int>(cards_.size()); }
    QString GridRowName(int row) const override;
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int Unit() const;  // a hole's cell on a square card
    int MostHoles() const;
    int TwistRow() const { return MostHoles() + 1; }
    int DiagramSide() const;  // cards of many holes are drawn larger
    QRect DiagramRect(int column) const;
    bool OverLimit(const Column& card) const;

    std::vector<Column> cards_;
    std::int32_t twistLimit_ = 8;
    double scale_ = 1.0;
};

}  // namespace tessaly
