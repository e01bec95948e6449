#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "model/PatternExtras.h"
#include "widgets/AccessibleGrid.h"

namespace tessaly {

// The pattern's palette as rows of four swatches, "Empty" last, exactly as tall as they need
// (a viewport scrolls it). A click takes a colour as the left
// paint colour, a right click as the right one, a double click asks to change it; from the
// keyboard the arrows choose, Space takes the colour as L, Shift+Space as R and Return asks to
// change it. Read out as a table of one row.
class PaletteStrip : public QWidget, public AccessibleGridSource {
    Q_OBJECT

  public:
    explicit PaletteStrip(QWidget* parent = nullptr);

    void SetColors(std::vector<PaletteColor> colors);
    const std::vector<PaletteColor>& Colors() const { return colors_; }
    static constexpr int kCellPixels = 19;  // a swatch and the gap after it
    static constexpr int kPerRow = 4;
    // The swatch chosen by the keyboard or the last click: a palette place, or Colors().size()
    // for "Empty".
    int Current() const { return current_; }
    void SetCurrent(int place);
    QSize sizeHint() const override;

    int GridRows() const override { return 1; }
    int GridColumns() const override { return static_cast<int>(colors_.size()) + 1; }
    QString GridRowName(int) const override { return tr("Palette"); }
    QString GridCellText(int row, int column) const override;
    QRect GridCellRect(int row, int column) const override;
    std::optional<std::pair<int, int>> GridCellAt(QPoint point) const override;
    std::optional<std::pair<int, int>> GridCurrentCell() const override {
        return std::pair{0, current_};
    }

  signals:
    // The colour (Card::kNoThread for "Empty") taken as a paint colour.
    void leftChosen(std::int32_t color);
    void rightChosen(std::int32_t color);
    // The colour at this palette place is to be changed.
    void changeRequested(int place);
    void currentChanged(int place);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    std::int32_t ColorAt(int place) const;

    std::vector<PaletteColor> colors_;
    int current_ = 0;
};

}  // namespace tessaly
