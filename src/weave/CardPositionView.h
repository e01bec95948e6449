#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

namespace tessaly {

// "Position of A" for a card that is not square: the first card drawn with its holes round
// it in their threads' colours, hole A ringed, and where A stands in words for a screen
// reader. The places run clockwise from the upper left as the square card's corners do; on a
// card of two holes the upper hole is the one that shows.
class CardPositionView : public QWidget {
    Q_OBJECT

  public:
    explicit CardPositionView(QWidget* parent = nullptr);

    // The card's hole colours A onwards (Card::kNoThread for an empty hole) and its hole order.
    void SetCard(std::vector<std::int32_t> colors, std::int32_t holeOrder);

    // Where the places of a card of these holes begin, clockwise from the top.
    static double FirstPlaceDegrees(int holes);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<std::int32_t> colors_;
    std::int32_t holeOrder_ = 0;
};

}  // namespace tessaly
