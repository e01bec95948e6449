#include "Zoom.h"

#include <algorithm>

namespace tessaly {

std::optional<std::int32_t> Zoom::StepIn(std::int32_t blockSize, std::int32_t cardCount) {
    const std::int64_t size = std::int64_t{blockSize} + 1;
    if (size > kMaxBlockSize || 4 * size + size * cardCount > kMaxCanvasWidth) return std::nullopt;
    return static_cast<std::int32_t>(size);
}

int Zoom::CanvasWidth(std::int32_t cardCount, const DrawingGeometry& geometry) {
    const std::int64_t width =
        4 * std::int64_t{geometry.BandMargin} + std::int64_t{geometry.BlockSize} * cardCount;
    return static_cast<int>(std::clamp<std::int64_t>(width, 1, kMaxCanvasWidth));
}

std::optional<std::int32_t> Zoom::StepOut(std::int32_t blockSize) {
    if (blockSize <= kMinBlockSize) return std::nullopt;
    return blockSize - 1;
}

std::int16_t Zoom::In(std::int32_t blockSize) {
    return static_cast<std::int16_t>(std::clamp(blockSize - kStartSize + 1, 1, 0x7FFF));
}

std::int16_t Zoom::Out(std::int32_t blockSize) {
    return static_cast<std::int16_t>(std::clamp(kStartSize + 1 - blockSize, 1, 0x7FFF));
}

QString Zoom::Ratio(std::int32_t blockSize) {
    return QString("%1:%2").arg(In(blockSize)).arg(Out(blockSize));
}

}  // namespace tessaly
