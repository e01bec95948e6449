#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "widgets/ColumnGrid.h"

namespace tessaly {

class PackChoices;

// The three packs as one drawn grid: a column of 255 twips per card, headed by its number,
// with pack 3 on top and pack 1 at the bottom. Each card stands in the row of its pack as a
// white card whose diagonal slants as its threading (S from top right to bottom left, Z from
// top left to bottom right). It reports clicks and double clicks per card and row, and the
// keys at its card cursor: Left and Right (Home, End) move it, 1, 2 and 3 put the card in
// that pack as a click does, Shift+F or * flips it as a double click does, F, B and I turn its
// pack, Return weaves and Backspace unweaves.
class PackGrid : public CardColumnGrid {
    Q_OBJECT

  public:
    static constexpr int kColumnTwips = 255;
    static constexpr int kNumberHeightTwips = 255;
    static constexpr int kPackTopsTwips[3] = {1440, 840, 240};  // packs 1, 2, 3
    static constexpr int kCardHeightTwips = 615;
    static constexpr int kPictureHeightTwips = 570;
    // under pack 1, each card's net twist
    static constexpr int kTwistTopTwips = 2055;
    static constexpr int kTwistHeightTwips = 255;

    explicit PackGrid(const PackChoices& choices, QWidget* parent = nullptr);

    // Each card's net twist, by position from 1 at index 0.
    void SetTwist(std::vector<std::int32_t> twist);
    QSize sizeHint() const override;

    // The card and pack under a point; pack 0 on the number row.
    struct Place {
        std::int32_t card = 0;
        int pack = 0;
    };
    std::optional<Place> PlaceAt(QPoint point) const;
    QRect CardRect(std::int32_t card, int pack) const;

    // AccessibleGridSource: the number row, then "Pack 3", "Pack 2", "Pack 1", "Net twist".
    int GridRows() const override { return 5; }
    int GridColumns() const override;
    QString GridRowName(int row) const override;
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;
    std::optional<std::pair<int, int>> GridCurrentCell() const override;

    // The card the keyboard is on, from 1; one beyond the cards is brought within them.
    std::int32_t Cursor() const;
    void SetCursor(std::int32_t card);

  signals:
    void cardClicked(std::int32_t card, int pack);
    void cardDoubleClicked(std::int32_t card, int pack);
    // Return or Enter weaves the next pick, Backspace takes the last one off.
    void weaveRequested();
    void unweaveRequested();
    // F, B or I: the pack of the card at the cursor turns so.
    void packTurnChosen(int pack, std::int32_t turn);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool TakesKey(const QKeyEvent& key) const override;

  private:
    // What the cursor frames: the card where it stands in its pack.
    QRect CursorRect() const;
    QRect TwistRect(std::int32_t card) const;

    const PackChoices& choices_;
    std::vector<std::int32_t> twist_;
    std::int32_t cursor_ = 1;
};

}  // namespace tessaly
