#include "Zoom.h"

namespace tessaly {

void Zoom::SetSize(std::int32_t size) {
    state_.BlockSize = size;
    state_.BandMargin = static_cast<std::int16_t>(size);
}

bool Zoom::StepIn(std::int32_t cardCount) {
    if (state_.BlockSize >= kMaxBlockSize) return false;
    const std::int64_t wider =
        4 * std::int64_t{state_.BlockSize + 1} + std::int64_t{state_.BlockSize + 1} * cardCount;
    if (wider > kMaxCanvasWidth) return false;
    SetSize(state_.BlockSize + 1);
    if (out_ != 1)
        --out_;
    else
        ++in_;
    return true;
}

bool Zoom::StepOut() {
    if (state_.BlockSize <= kMinBlockSize) return false;
    SetSize(state_.BlockSize - 1);
    if (in_ != 1)
        --in_;
    else
        ++out_;
    return true;
}

void Zoom::Reset() {
    SetSize(kStartSize);
    in_ = 1;
    out_ = 1;
}

}  // namespace tessaly
