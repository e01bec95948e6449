#pragma once

#include <QWidget>
#include <optional>
#include <set>

#include "widgets/ColumnGrid.h"

namespace tessaly {

class PatternDocument;

// The draft as one drawn grid: a column of 255 twips per card holding the card's number, the
// colours of its holes (A to D on square cards, up to H) and its threading letter, rows 240
// twips apart so neighbours share their border line. It shows the document's draft and reports
// where the mouse was pressed and dragged, and what the keys did at its cell cursor: arrows,
// Home and End (Ctrl to the ends) move it, Space is a left click there and Shift+Space a right
// one, Delete empties the hole, S and Z set the card's threading, a hole's letter (A to H)
// works as its row label. What that does is the window's business.
class DraftGrid : public CardColumnGrid {
    Q_OBJECT

  public:
    // The grid's rows, top to bottom: the number, a row for each hole, the threading. The
    // names past HoleA are those of square cards; ThreadingRow() is the threading's row for
    // any number of holes.
    enum Part : int { Number = 0, HoleA, HoleB, HoleC, HoleD, Threading, kParts };
    struct Cell {
        std::int32_t card = 0;  // from 1
        Part part = Number;
        friend bool operator==(const Cell&, const Cell&) = default;
    };

    static constexpr int kColumnTwips = 255;
    static constexpr int kRowStepTwips = 240;
    static constexpr int kCellTwips = 255;

    explicit DraftGrid(const PatternDocument& document, QWidget* parent = nullptr);

    std::int32_t CardCount() const;
    // The draft's holes per card, and the rows that gives.
    int Holes() const;
    Part ThreadingRow() const { return static_cast<Part>(Holes() + 1); }
    int Rows() const { return Holes() + 2; }
    // The cell under a point of the grid: column 1 + x div 255 twips, row from the tops.
    std::optional<Cell> CellAt(QPoint point) const;
    // Where a cell is drawn.
    QRect CellRect(Cell cell) const;
    // What a screen reader says of a cell: the number, the colour as #rrggbb ("empty" for a
    // hole without thread), "S" or "Z".
    QString CellText(Cell cell) const;

    QSize sizeHint() const override;

    // The cards chosen by their numbers show their numbers highlighted.
    void SetChosenCards(const std::set<std::int32_t>& cards);

    // The cell the keyboard is on; a cell beyond the draft is brought within it.
    Cell Cursor() const { return cursor_; }
    void SetCursor(Cell cell);

    // AccessibleGridSource: rows "#", "A" and on, "T"; a column per card.
    int GridRows() const override { return Rows(); }
    int GridColumns() const override { return CardCount(); }
    QString GridRowName(int row) const override;
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;
    std::optional<std::pair<int, int>> GridCurrentCell() const override {
        return std::pair{static_cast<int>(cursor_.part), cursor_.card - 1};
    }

  signals:
    // A press without Ctrl or Shift: it paints, and on a number it also chooses the card.
    void cellPressed(tessaly::DraftGrid::Cell cell, Qt::MouseButton button);
    // A press on a card's number, with the keys held (Ctrl and Shift choose without painting).
    void numberPressed(std::int32_t card, Qt::KeyboardModifiers modifiers);
    // The left button, pressed on one card's number, was let go on another's: a drag of the
    // number row, which moves the cards chosen.
    void numberDragged(std::int32_t from, std::int32_t to);
    // The pointer, with a button held, moved onto another cell.
    void cellDragged(tessaly::DraftGrid::Cell cell, Qt::MouseButtons buttons);
    // Delete at the cursor: the hole, or every hole of the card on its number, made empty.
    void cellCleared(tessaly::DraftGrid::Cell cell);
    // S or Z: the card threaded so.
    void threadingChosen(std::int32_t card, std::int32_t thread);
    // A hole's letter: its whole row painted, as a press of the row's label with this button.
    void rowKeyPressed(int hole, Qt::MouseButton button);

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
    Cell Clamped(Cell cell) const;
    // "hole B: madder red": the hole and its colour's name.
    QString HoleName(Cell cell) const;
    const PatternDocument& document_;
    std::optional<Cell> lastDragged_;
    std::optional<QPoint> lastPoint_;
    std::set<std::int32_t> chosen_;
    std::optional<std::int32_t> numberPressed_;  // the number a left-button press began on
    Cell cursor_{1, HoleA};
};

}  // namespace tessaly
