#pragma once

#include <QWidget>
#include <functional>

#include "render/BandMarks.h"

class QScrollBar;

namespace tessaly {

// A ruler beside the band display's viewport: the card numbers above it or the pick numbers
// at its left, moving with the viewport's scroll bar and drawn from the band's scale of the
// moment. Screen only: the band's picture is the same without it.
class RulerStrip : public QWidget {
    Q_OBJECT

  public:
    enum class Edge { Cards, Picks };
    RulerStrip(Edge edge, std::function<RulerScale()> scale, const QScrollBar& bar,
               QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Edge edge_;
    std::function<RulerScale()> scale_;
    const QScrollBar& bar_;
};

}  // namespace tessaly
