#pragma once

#include <QWidget>
#include <cstdint>

class QPainter;

namespace tessaly {

// Paints one hole of a draft in this box: its thread colour (0x00BBGGRR), or white and
// crossed for an empty hole, outlined in black.
void PaintHole(QPainter& painter, const QRect& box, std::int32_t color);

// A paint colour: a swatch that opens the colour dialog when clicked. It may hold no
// thread, and then paints holes empty. It takes the keyboard focus: Space or Return is a
// click, with Shift a right click.
class ColorSwatch : public QWidget {
    Q_OBJECT

  public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    std::int32_t Color() const { return color_; }
    void SetColor(std::int32_t color);

  signals:
    void clicked();
    void rightClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::int32_t color_ = 0xFFFFFF;
};

}  // namespace tessaly
