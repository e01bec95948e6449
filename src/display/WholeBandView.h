#pragma once

#include <QWidget>
#include <cstdint>

namespace tessaly {

class PatternDocument;

// The band display's canvas grown to show every pick: as tall as the whole band, drawn only
// where it is seen. Each paint draws the rows that reach into the rectangle asked for on a
// picture of that rectangle's size, so a band of any length costs no more memory than the
// window shows, and every pixel is the one a picture of the whole band has there.
class WholeBandView : public QWidget {
    Q_OBJECT

  public:
    explicit WholeBandView(const PatternDocument& document, QWidget* parent = nullptr);

    // Takes the size of the whole band's canvas at the present zoom.
    void FitToBand();
    // Where the top pick's strip lies, for following the weaving.
    QRect NewestPickRect() const;

  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const PatternDocument& document_;
};

}  // namespace tessaly
