#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/Card.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

// The deck as it stands before the pick at the loom, a small diagram per card: its number, its
// four holes where they stand (top front, the thread that shows, at the top left; the card
// seen from its side with the weaver to the left) and its net twist, red past the limit.
class LoomCardStrip : public CardColumnGrid {
    Q_OBJECT

  public:
    struct Column {
        std::int32_t number = 0;
        // colours at top front, top back, bottom back, bottom front; Card::kNoThread empty
        std::array<std::int32_t, kHoles> corners{};
        std::int32_t twist = 0;
    };

    explicit LoomCardStrip(QWidget* parent = nullptr);

    void SetCards(std::vector<Column> cards, std::int32_t twistLimit);
    // Larger cells for the large view.
    void SetScale(double scale);
    int ColumnWidth() const;
    QSize sizeHint() const override;

    // AccessibleGridSource: "Card", the four corners, "Net twist".
    int GridRows() const override { return 6; }
    int GridColumns() const override { return static_cast<int>(cards_.size()); }
    QString GridRowName(int row) const override;
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int Unit() const;  // a hole's cell
    bool OverLimit(const Column& card) const;

    std::vector<Column> cards_;
    std::int32_t twistLimit_ = 8;
    double scale_ = 1.0;
};

}  // namespace tessaly
