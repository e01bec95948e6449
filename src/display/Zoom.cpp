#include "Zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessaly {

std::optional<std::int32_t> Zoom::StepIn(std::int32_t blockSize, std::int32_t cardCount) {
    if (blockSize >= DrawingGeometry::kMaxBlockSize) return std::nullopt;
    const std::int32_t size = blockSize + 1;
    if (BandWidth(cardCount, DrawingGeometry::AtBlockSize(size)) > kMaxCanvasWidth)
        return std::nullopt;
    return size;
}

int Zoom::CanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    return static_cast<int>(
        std::clamp<std::int64_t>(BandWidth(cardCount, geometry), 1, kMaxCanvasWidth));
}

std::optional<std::int32_t> Zoom::StepOut(std::int32_t blockSize) {
    if (blockSize <= DrawingGeometry::kMinBlockSize) return std::nullopt;
    return blockSize - 1;
}

namespace {

// The block size whose band is as wide as width at most: four margins and a block per card,
// the margin as wide as a block; within the zoom's limits.
std::int32_t BlockSizeAcross(std::int32_t cardCount, std::int64_t width) {
    const std::int64_t blocks = std::int64_t{std::max(cardCount, 0)} + 4;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        width / blocks, DrawingGeometry::kMinBlockSize, DrawingGeometry::kMaxBlockSize));
}

}  // namespace

std::int32_t Zoom::Largest(std::int32_t cardCount) {
    return BlockSizeAcross(cardCount, kMaxCanvasWidth);
}

std::int32_t Zoom::Stepped(std::int32_t blockSize, int steps, std::int32_t cardCount) {
    double size = blockSize;
    for (int step = 0; step < std::abs(steps); ++step) {
        const double next = steps > 0 ? std::max(size + 1, std::round(size * 1.25))
                                      : std::min(size - 1, std::round(size / 1.25));
        if (next == size) break;
        size = next;
    }
    return static_cast<std::int32_t>(
        std::clamp<double>(size, DrawingGeometry::kMinBlockSize, Largest(cardCount)));
}

std::int32_t Zoom::FitWidth(std::int32_t cardCount, int width) {
    return std::min(BlockSizeAcross(cardCount, width), Largest(cardCount));
}

std::int32_t Zoom::FitBand(std::int32_t cardCount, std::int32_t rows, int width, int height) {
    // each row two blocks high, and a row's slant and one more row of room above the band
    const std::int64_t rowBlocks = 2 * (std::int64_t{std::max(rows, 0)} + 2);
    const std::int64_t tall =
        std::max<std::int64_t>(height / rowBlocks, DrawingGeometry::kMinBlockSize);
    return static_cast<std::int32_t>(std::min<std::int64_t>(FitWidth(cardCount, width), tall));
}

std::int16_t Zoom::In(std::int32_t blockSize) {
    return static_cast<std::int16_t>(
        std::clamp(blockSize - DrawingGeometry::kStartBlockSize + 1, 1, 0x7FFF));
}

std::int16_t Zoom::Out(std::int32_t blockSize) {
    return static_cast<std::int16_t>(
        std::clamp(DrawingGeometry::kStartBlockSize + 1 - blockSize, 1, 0x7FFF));
}

QString Zoom::Ratio(std::int32_t blockSize) {
    return QString("%1:%2").arg(In(blockSize)).arg(Out(blockSize));
}

}  // namespace tessaly
