#pragma once

#include <QColor>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "engine/ChartEdits.h"
#include "widgets/ColumnGrid.h"

namespace tessaly {

// The two-colour chart as one drawn grid: a cell of 240 twips per card and chart row (two
// picks), the first row woven at the bottom as the band grows upwards, each card's cells in
// its own foreground and background colours, long floats marked with a cross. The row numbers
// stand at the left, the card numbers on top.
//
// The left button paints (the foreground, or a long float on that layer), the right button
// the background (no long float), a stroke at a time; Shift with a press or the arrows chooses
// a block. Keys as in the draft: arrows, Home and End (Ctrl to the ends) move the cursor,
// Space paints there (the block chosen) and Shift+Space paints the background; Insert and
// Delete ask for rows to be put in or taken out. What a stroke does is the
// window's business.
class ChartGrid : public CardColumnGrid {
    Q_OBJECT

  public:
    static constexpr int kCellTwips = 240;
    static constexpr int kRowLabelTwips = 480;

    explicit ChartGrid(QWidget* parent = nullptr);

    // The chart shown, and each card's foreground and background colours.
    void SetChart(const TwoColourChart& chart, std::vector<std::pair<QColor, QColor>> colours);
    const TwoColourChart& Chart() const { return chart_; }
    // Whether strokes mark long floats rather than paint the colours.
    void SetLongFloatLayer(bool on);
    bool LongFloatLayer() const { return longFloats_; }

    // The cell the keyboard is on (row, card from 0), and the block chosen (the cursor's cell
    // when none is).
    std::pair<std::int32_t, std::int32_t> Cursor() const { return cursor_; }
    void SetCursor(std::int32_t row, std::int32_t card, bool extend = false);
    ChartArea Selection() const;

    QSize sizeHint() const override;
    QRect CellRect(std::int32_t row, std::int32_t card) const;
    std::optional<std::pair<std::int32_t, std::int32_t>> CellAt(QPoint point) const;
    // What a screen reader says of a cell: "foreground" or "background", and "long float".
    QString CellText(std::int32_t row, std::int32_t card) const;

    // AccessibleGridSource: a grid row per chart row, the last row first; a column per card.
    int GridRows() const override { return chart_.Rows(); }
    int GridColumns() const override { return chart_.Cards(); }
    QString GridRowName(int row) const override;
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;
    std::optional<std::pair<int, int>> GridCurrentCell() const override;

  signals:
    // A stroke ended: the cells it went over (row, card) are to be marked (the left button)
    // or cleared (the right one) on the layer shown.
    void stroked(const std::set<std::pair<std::int32_t, std::int32_t>>& cells, bool mark);
    void selectionChanged();
    // Insert and Delete: a row put in above the cursor's, the rows chosen taken out.
    void insertPressed();
    void deletePressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    bool TakesKey(const QKeyEvent& key) const override;

  private:
    int Cell() const;
    int Left() const;
    int Top() const;
    std::int32_t GridRowOf(std::int32_t row) const { return chart_.Rows() - 1 - row; }
    void EndStroke();

    TwoColourChart chart_;
    std::vector<std::pair<QColor, QColor>> colours_;
    bool longFloats_ = false;
    std::pair<std::int32_t, std::int32_t> cursor_{0, 0};
    std::optional<std::pair<std::int32_t, std::int32_t>> anchor_;  // the block's other corner
    std::set<std::pair<std::int32_t, std::int32_t>> stroke_;       // cells of the stroke so far
    std::optional<bool> strokeMarks_;
    std::optional<std::pair<std::int32_t, std::int32_t>> lastStroked_;
};

}  // namespace tessaly
