#pragma once

#include <QRectF>
#include <cstdint>
#include <vector>

class QPainter;

namespace tessaly {

// A card as a weaver sketches it: its outline with its holes round it, each filled with its
// thread's colour and an empty one left open. A square card is a rounded square with a hole
// in each corner; other cards are regular polygons with a hole at each corner, and a card of
// two holes a slim card with one hole above the other.
class CardDiagram {
  public:
    // The holes' colours (0x00BBGGRR, or Card::kNoThread) by place, clockwise round the card
    // from place 0, which stands firstPlaceDegrees clockwise from the top.
    CardDiagram(std::vector<std::int32_t> places, double firstPlaceDegrees);

    // Where place 0 stands on a card of these holes when the places are counted from the
    // upper left corner (the top left on a square card): a card of two holes has it at the
    // top, unless the caller counts from the lower hole.
    static double UpperLeftDegrees(int holes);

    // The hole at this place drawn with a thick ring.
    void SetRinged(int place) { ringed_ = place; }

    // The box of a hole, in a card drawn within bounds (a square).
    QRectF PlaceCell(const QRectF& bounds, int place) const;
    void Paint(QPainter& painter, const QRectF& bounds) const;

  private:
    int Holes() const { return static_cast<int>(places_.size()); }
    double HoleSize(const QRectF& bounds) const;
    double CornerRadius(const QRectF& bounds) const;  // the polygon's corners from its centre

    std::vector<std::int32_t> places_;
    double firstPlaceDegrees_;
    int ringed_ = -1;
};

}  // namespace tessaly
