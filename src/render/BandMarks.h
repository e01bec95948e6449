#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace tessaly {

// What the screen shows beside and over the band, and the exporter adds to a picture when
// asked: the fell line, where the picks not yet woven begin, and rulers of card and pick
// numbers.

// The fell line's height in a band picture of this height: the top of the last woven row,
// wovenRows counting the threading row; nothing when it lies above the picture.
std::optional<int> FellLineY(int pictureHeight, std::int32_t blockSize, std::int64_t wovenRows);
// A dashed line across the picture at y, two pixels thick, dark on any colour.
void PaintFellLine(QPainter& painter, int width, int y);

// How the rulers number the band as drawn: the block size (the margin is as wide), the
// cards in the order they stand (the reverse face runs from the last card), the picture's
// height, the picks woven and the pick to mark.
struct RulerScale {
    std::int32_t blockSize = 10;
    std::int32_t cards = 0;
    bool reversed = false;
    int pictureHeight = 0;
    std::int32_t picks = 0;
    std::int32_t currentPick = 0;  // 0: none marked
};

// A number and where its middle stands along the ruler, in picture pixels.
struct RulerMark {
    std::int32_t number = 0;
    int at = 0;
    bool current = false;
};

// The ruler sizes: card numbers in a strip above the band, pick numbers in one at its left.
constexpr int kCardRulerHeight = 16;
constexpr int kPickRulerWidth = 36;

// The cards numbered above the band: each card when there is room, else every 5th, 10th...
// and the first, at the middle of its column.
std::vector<RulerMark> CardMarks(const RulerScale& scale);
// The picks numbered beside the band: every 5th (every 10th, 25th... when rows are too close
// for the text), and the current pick, at the middle of its row.
std::vector<RulerMark> PickMarks(const RulerScale& scale);

// Paints a ruler into area, the picture's x (or y) offset pixels shifted: the scrolled view's
// offset on screen, 0 in a picture.
void PaintCardRuler(QPainter& painter, const RulerScale& scale, const QRect& area, int offset);
void PaintPickRuler(QPainter& painter, const RulerScale& scale, const QRect& area, int offset);

}  // namespace tessaly
