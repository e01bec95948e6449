#include "Zoom.h"

#include <algorithm>

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
